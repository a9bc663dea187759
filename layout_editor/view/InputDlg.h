// CInputDlg: one line of text with a prompt (dialog 329), for the counts
// the list panel and the view ask for. The caller sets the value and the
// prompt and reads the value after OK.
#pragma once

#include <afxwin.h>

class CInputDlg : public CDialogEx {
    DECLARE_DYNAMIC(CInputDlg)
public:
    explicit CInputDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

    CString m_strValue;
    CString m_strPrompt;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
