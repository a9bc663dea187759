// CSelPortDlg: picks a set of ports from a checked list of every port of
// the layout (dialog 340): all, none, inverted, or the pattern of checked
// ports of a reference controller repeated on every controller. After OK
// the global indexes of the checked ports are in m_selectedPorts.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

class CSelPortDlg : public CDialogEx {
    DECLARE_DYNAMIC(CSelPortDlg)
public:
    explicit CSelPortDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

    // Checks port k of every controller exactly when port k of controller
    // r (from 1) is checked; ports beyond r's count are unchecked. False
    // when r names no controller.
    bool ApplyReferencePattern(int r);

    CListCtrl m_list;
    CWordArray m_selectedPorts;
    int m_nReference = 1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSelectAll();
    void OnSelectNone();
    void OnInvert();
    void OnSelectLikeReference();
    DECLARE_MESSAGE_MAP()

private:
    bool Ask(LPCWSTR question);
};
