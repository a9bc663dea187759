// The grey test dialog: start and end colours, number of levels and the
// duration of each level.
#pragma once

#include "color_skin_button.h"

#include <afxcmn.h>
#include <afxwin.h>

class GraysetArg : public CDialog {
public:
    explicit GraysetArg(CWnd* pParent = nullptr);

    CSkinColorButton m_startButton;
    CSkinColorButton m_endButton;
    int m_nLevels = 256;
    int m_nDuration = 250;
    COLORREF m_startColor = RGB(0, 0, 0);
    COLORREF m_endColor = RGB(255, 255, 255);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
};
