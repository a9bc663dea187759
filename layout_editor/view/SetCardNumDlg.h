// CSetCardNumDlg: asks for the number of controllers of the project
// (dialog 318). The caller sets the current number and the largest number
// the layout can hold, and adds or removes controllers after OK.
#pragma once

#include <afxwin.h>

class CSetCardNumDlg : public CDialogEx {
    DECLARE_DYNAMIC(CSetCardNumDlg)
public:
    explicit CSetCardNumDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

    int m_nCount = 0;
    // A number beyond this is refused with the framework's range message.
    int m_nMaxCount = 0x7FFFFFFF;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
