// CStaticColorBtn: a static control painted as a colour swatch with an
// optional centred text; ChooseColor lets the user pick the swatch colour
// with the colour dialog (through the UI host).
#pragma once

#include <afxwin.h>

class CStaticColorBtn : public CStatic {
    DECLARE_DYNAMIC(CStaticColorBtn)
public:
    CString m_strText;
    COLORREF m_crColour = RGB(0, 0, 255);
    COLORREF m_crText = RGB(0, 0, 0);

    // The colour dialog, started from the swatch colour; on IDOK the swatch
    // takes the chosen colour and is redrawn. Returns the dialog's result.
    int ChooseColor();

protected:
    void OnPaint();
    DECLARE_MESSAGE_MAP()
};
