// CWiringStyleDlg: the part the dialogs with wiring style pictures share -
// the style chosen by a click on one of the four pictures (1037 to 1040),
// the Z order (1033) and flip (1034) check boxes, and UpdateStylePictures,
// which keeps the pictures in step with them.
#pragma once

#include <afxwin.h>

#include "LineModeStatic.h"

class CWiringStyleDlg : public CDialogEx {
    DECLARE_DYNAMIC(CWiringStyleDlg)
public:
    CWiringStyleDlg(UINT nIDTemplate, CWnd* parent);

    int m_nStyle = 1;
    int m_bZOrder = 0;
    int m_bFlip = 0;

    // Reads the controls, then gives every picture the Z order and flip and
    // selects the one of the style (a style outside 1 to 4 becomes 1).
    void UpdateStylePictures();
    void OnStylePicture(UINT id);
    const CStylePictures& Pictures() const { return m_pictures; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    DECLARE_MESSAGE_MAP()

private:
    CStylePictures m_pictures;
};
