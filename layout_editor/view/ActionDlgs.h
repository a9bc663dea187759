// The wiring option dialogs of the list panel's port menu:
// CActionAutoDlg (dialog 321) - the lamp grid the automatic arrangement
// generates (lamps per row, rows, gaps, style) and whether the following
// ports and controllers are wired by the same rule; CActionFastDlg (dialog
// 345) - the rectangle that one click of fast wiring fills with lamps, its
// style and the port's lamp maximum, with a drawn guide showing which edit
// is the width and which the height. Both only collect values.
#pragma once

#include <afxwin.h>

#include "ProjectSetupResource.h"
#include "WiringStyleDlg.h"

class CActionAutoDlg : public CWiringStyleDlg {
    DECLARE_DYNAMIC(CActionAutoDlg)
public:
    enum { IDD = IDD_ACTION_AUTO };

    explicit CActionAutoDlg(CWnd* parent = nullptr);

    int m_nWidth = 1; // lamps per row
    int m_nHeight = 1; // rows
    int m_bNextPorts = 0;
    int m_bNextControllers = 0;
    int m_nColumnGap = 0;
    int m_nRowGap = 0;

    BOOL OnInitDialog() override;
    // The up-down controls: +1 lowers the value, -1 raises it; width and
    // height stay at least 1, the gaps at least 0.
    void OnSpin(int controlId, int delta);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSpinNotify(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};

class CActionFastDlg : public CWiringStyleDlg {
    DECLARE_DYNAMIC(CActionFastDlg)
public:
    enum { IDD = IDD_ACTION_FAST };

    explicit CActionFastDlg(CWnd* parent = nullptr);

    int m_nWidth = 1; // rectangle, grid cells
    int m_nHeight = 1;
    int m_nMaxLamps = 1; // the port's lamp maximum

    BOOL OnInitDialog() override;
    // Draws the width and height guide around the two edits.
    void DrawGuide(HDC dc);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnPaint();
    DECLARE_MESSAGE_MAP()
};
