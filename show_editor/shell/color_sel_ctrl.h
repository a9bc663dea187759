// CColorSelCtrl: a colour swatch on a static control. The owner sets the
// colour and invalidates; a click reaches the parent as the static's click.
#pragma once

#include <afxwin.h>

class CColorSelCtrl : public CStatic {
    DECLARE_DYNAMIC(CColorSelCtrl)
public:
    COLORREF m_color = RGB(0, 0, 0);

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    void PreSubclassWindow() override;
};
