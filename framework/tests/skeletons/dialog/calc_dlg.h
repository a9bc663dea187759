// The dialog skeleton program: a small calculator dialog and its application.
#pragma once

#include "afxwin.h"
#include "calc_resource.h"

class CCalcDlg : public CDialogEx {
public:
    explicit CCalcDlg(CWnd* pParent = nullptr)
        : CDialogEx(IDD_CALC, pParent)
    {
    }

    int m_nA = 0;
    int m_nB = 0;
    int m_nOp = 0; // 0 +, 1 -, 2 *
    int m_bNegate = FALSE;
    int m_nFormat = 0; // 0 decimal, 1 hex
    CComboBox m_cbOp;
    int m_nComputed = 0;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    int Compute() const;

protected:
    void OnCompute();
    void OnSelChangeOp();
    DECLARE_MESSAGE_MAP()
};

class CCalcApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
