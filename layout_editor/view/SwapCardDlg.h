// CSwapCardDlg and CSwapPortDlg: exchange the ports of two controllers
// pairwise (dialog 335) or two single ports (dialog 334) of the active
// layout. The swap button does the work and the dialog stays open for the
// next swap; numbers that name no controller or port are refused with a
// message and change nothing.
#pragma once

#include <afxwin.h>

#include "ControllerEdits.h"

class CSwapCardDlg : public CDialogEx {
    DECLARE_DYNAMIC(CSwapCardDlg)
public:
    explicit CSwapCardDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

    int m_nCardA = 1;
    int m_nCardB = 2;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSwap();
    DECLARE_MESSAGE_MAP()
};

class CSwapPortDlg : public CDialogEx {
    DECLARE_DYNAMIC(CSwapPortDlg)
public:
    explicit CSwapPortDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

    int m_nCardA = 1;
    int m_nPortA = 1;
    int m_nCardB = 1;
    int m_nPortB = 2;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSwap();
    DECLARE_MESSAGE_MAP()
};

// Tells the user the outcome of a swap and, when ports moved, rebuilds the
// list panel's tree and redraws the layout.
void FinishSwap(SwapResult result);
