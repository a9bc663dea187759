// CDialog and CDialogEx: dialogs from .rc templates, modal (DoModal) or
// modeless (Create), with data exchange on OK.
#pragma once

#include "fw_ddx.h"

#include <functional>

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

    // Modeless creation from the template in the current resource module.
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    void NextDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, FALSE); }
    void PrevDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 1, FALSE); }
    void GotoDlgCtrl(CWnd* pWndCtrl)
    {
        ::SendMessage(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(AfxSafeHwnd(pWndCtrl)), TRUE);
    }
    void SetDefID(UINT nID) { ::SendMessage(m_hWnd, DM_SETDEFID, nID, 0); }
    DWORD GetDefID() const { return static_cast<DWORD>(::SendMessage(m_hWnd, DM_GETDEFID, 0, 0)); }
    BOOL IsModal() const { return m_bModal; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    LPCTSTR m_lpszTemplateName = nullptr;
    UINT m_nIDHelp = 0;
    CWnd* m_pParentWnd = nullptr;

protected:
    BOOL m_bModal = FALSE;
    DECLARE_MESSAGE_MAP()

private:
    LPCDLGTEMPLATE LoadTemplate(LPCTSTR lpszTemplateName) const;
};

class CDialogEx : public CDialog {
    DECLARE_DYNAMIC(CDialogEx)
public:
    CDialogEx() = default;
    explicit CDialogEx(UINT nIDTemplate, CWnd* pParentWnd = nullptr)
        : CDialog(nIDTemplate, pParentWnd)
    {
    }
    explicit CDialogEx(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr)
        : CDialog(lpszTemplateName, pParentWnd)
    {
    }
    ~CDialogEx() override;

    void SetBackgroundColor(COLORREF color, BOOL bRepaint = TRUE);

protected:
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    HBRUSH m_hBkBrush = nullptr;
};

// Test hook: after a dialog's OnInitDialog, once its message loop runs, the
// hook gets the live dialog (to set controls and end it). nullptr removes it.
using AFX_DIALOG_INIT_HOOK = std::function<void(CDialog&)>;
void AFXAPI AfxSetDialogInitHook(AFX_DIALOG_INIT_HOOK hook);
