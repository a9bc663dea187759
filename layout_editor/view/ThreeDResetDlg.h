// C3DResetDlg (dialog 330): the corrections of a layout imported from a
// three-dimensional DXF drawing (see ThreeDReset.h). Every button reads the
// fields, runs its correction on the active layout and redraws; the preset
// stretch of a 3-D import runs without the window.
#pragma once

#include <afxwin.h>

#include "PannexDialogsResource.h"

class C3DResetDlg : public CDialogEx {
public:
    enum { IDD = IDD_3D_RESET };

    explicit C3DResetDlg(CWnd* parent = nullptr);

    // The preset correction of a 3-D import over the editor's lists; leaves
    // rows 1 to 1028, increment 0.0037 and shift 635 in the fields.
    void ApplyPresetStretch();

    int m_nRowFrom = 0; // edit 1064
    int m_nRowTo = 0; // edit 1065
    int m_nShift = 1; // edit 1070
    double m_dStepIncrement = 0.0037; // edit 1071
    double m_dStretch = 0.01; // edit 1072
    int m_nAngle = 0; // edit 1074
    double m_dStartRatio = 0.1; // edit 1076
    double m_dRatioIncrement = 0.0008; // edit 1078

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnButton(UINT id);
    DECLARE_MESSAGE_MAP()
};
