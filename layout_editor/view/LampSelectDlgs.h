// Small dialogs that choose lamps or a lamp format: CSelectLightBarDlg
// (317, one entry of LampTypeList), CShowLightBarDlg (328, a format shown in
// full), CFromToDlg (343, a range of lamp numbers) and CFromToPixDlg (344,
// the adjustment dialog's quick range of channel rows).
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "PannexDialogsResource.h"

class CSelectLightBarDlg : public CDialogEx {
public:
    enum { IDD = IDD_SELECT_LIGHT_BAR };

    explicit CSelectLightBarDlg(CWnd* parent = nullptr);

    CListBox m_list;
    int m_nSelected = 0; // in: the entry shown selected; out: the choice

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnSelChange();
    void OnDblClk();
    DECLARE_MESSAGE_MAP()
};

class CShowLightBarDlg : public CDialogEx {
public:
    enum { IDD = IDD_SHOW_LIGHT_BAR };

    explicit CShowLightBarDlg(CWnd* parent = nullptr);

    CString m_strText;

protected:
    BOOL OnInitDialog() override;
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};

class CFromToDlg : public CDialogEx {
public:
    enum { IDD = IDD_FROM_TO };

    explicit CFromToDlg(CWnd* parent = nullptr);

    int m_nFrom = 0; // edit 1115, up-down 1116
    int m_nTo = 0; // edit 1117, up-down 1118

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnSpinFrom(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSpinTo(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void Step(int& value, int delta);
};

class CAdjustDlg;

class CFromToPixDlg : public CDialogEx {
public:
    enum { IDD = IDD_FROM_TO_PIX };

    explicit CFromToPixDlg(CWnd* parent = nullptr);

    CAdjustDlg* m_pOwner = nullptr;
    int m_nFrom = 1; // edit 1115
    int m_nTo = 1; // edit 1117

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnSet();
    void OnCancel() override;
    void OnOK() override { OnSet(); }
    DECLARE_MESSAGE_MAP()
};
