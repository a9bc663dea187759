// CShadeButton: the editor's owner-drawn push button. It draws a bitmap
// whose pure black pixels are transparent, stays flat until the mouse is
// over it (raised border), shows a sunken border while pressed, can draw a
// caption beside the bitmap, and toggles a checked state when its resource
// style is a check box. The list panel's expand and collapse buttons are
// two of them, each with one bitmap and no caption.
#pragma once

#include <afxwin.h>

#include "IconMenu.h"

class CShadeButton : public CButton {
    DECLARE_DYNAMIC(CShadeButton)
public:
    CShadeButton();
    ~CShadeButton() override;

    // Takes the bitmaps (the button owns them from now on; the ones held so
    // far and their masks are deleted first). No hover bitmap: nothing is
    // kept. 0 on success, 1 when a bitmap's size cannot be read, 2 when a
    // mask cannot be made (everything held is then deleted).
    int AssignBitmaps(HBITMAP hover, HBITMAP rest = nullptr);

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    bool IsHovered() const { return m_hover; }
    bool IsChecked() const { return m_checked; }
    bool IsCheckMode() const { return m_checkMode; }
    bool IsDefaultButton() const { return m_default; }
    HBITMAP GetHoverBitmap() const { return m_hoverImage.bitmap; }
    HBITMAP GetHoverMask() const { return m_hoverImage.mask; }
    HBITMAP GetRestBitmap() const { return m_restImage.bitmap; }

    // Fixed options (no operation changes them).
    static constexpr bool kGreyWhenDisabled = true;
    static constexpr bool kFlat = true;
    static constexpr bool kDrawBorder = true;
    static constexpr bool kFocusRectWhenFlat = false;

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Hooks of the drawing; 0.
    virtual int DrawBackground(CDC* pDC, const CRect& rect);
    virtual int DrawBorder(CDC* pDC, const CRect& rect);

private:
    struct Image {
        HBITMAP bitmap = nullptr;
        int width = 0;
        int height = 0;
        HBITMAP mask = nullptr;
    };
    void FreeImages();
    void OnMouseMoveTracking();
    void LeaveHover();
    void DrawImage(CDC& dc, const CRect& item, bool hasCaption, CRect& caption);
    static HBITMAP MakeMask(HBITMAP bitmap, int width, int height);

    bool m_hover = false;
    bool m_pressed = false;
    bool m_focused = false;
    bool m_disabled = false;
    bool m_default = false;
    bool m_checkMode = false;
    bool m_checked = false;
    bool m_menuShown = false;
    HWND m_menuOwner = nullptr;
    COLORREF m_activeBack, m_activeText, m_idleBack, m_idleText, m_focusBack, m_focusText;
    CIconMenu m_menu;
    Image m_hoverImage;
    Image m_restImage;
};
