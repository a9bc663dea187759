// The owner-drawn button (see ShadeButton.h).
#include "ShadeButton.h"

IMPLEMENT_DYNAMIC(CShadeButton, CButton)

namespace {

void Line(HDC dc, COLORREF colour, std::initializer_list<POINT> points)
{
    HPEN pen = ::CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ old = ::SelectObject(dc, pen);
    bool first = true;
    for (const POINT& p : points) {
        if (first)
            ::MoveToEx(dc, p.x, p.y, nullptr);
        else
            ::LineTo(dc, p.x, p.y);
        first = false;
    }
    ::SelectObject(dc, old);
    ::DeleteObject(pen);
}

} // namespace

CShadeButton::CShadeButton()
    : m_activeBack(::GetSysColor(COLOR_BTNFACE))
    , m_activeText(::GetSysColor(COLOR_BTNTEXT))
    , m_idleBack(::GetSysColor(COLOR_BTNFACE))
    , m_idleText(::GetSysColor(COLOR_BTNTEXT))
    , m_focusBack(::GetSysColor(COLOR_BTNFACE))
    , m_focusText(::GetSysColor(COLOR_BTNTEXT))
{
}

CShadeButton::~CShadeButton()
{
    FreeImages();
}

void CShadeButton::FreeImages()
{
    for (Image* image : { &m_hoverImage, &m_restImage }) {
        if (image->bitmap != nullptr)
            ::DeleteObject(image->bitmap);
        if (image->mask != nullptr)
            ::DeleteObject(image->mask);
        *image = Image();
    }
}

HBITMAP CShadeButton::MakeMask(HBITMAP bitmap, int width, int height)
{
    HBITMAP mask = ::CreateBitmap(width, height, 1, 1, nullptr);
    if (mask == nullptr)
        return nullptr;
    HDC source = ::CreateCompatibleDC(nullptr);
    HDC target = ::CreateCompatibleDC(nullptr);
    HGDIOBJ oldSource = ::SelectObject(source, bitmap);
    HGDIOBJ oldTarget = ::SelectObject(target, mask);
    // Pure black becomes 1 in the mask, every other colour 0.
    ::SetBkColor(source, RGB(0, 0, 0));
    ::BitBlt(target, 0, 0, width, height, source, 0, 0, SRCCOPY);
    // The source keeps black where the mask is set: the mask ANDed back
    // with white text and black background leaves the other pixels as they
    // were.
    ::SetTextColor(source, RGB(255, 255, 255));
    ::SetBkColor(source, RGB(0, 0, 0));
    ::BitBlt(source, 0, 0, width, height, target, 0, 0, SRCAND);
    ::SelectObject(source, oldSource);
    ::SelectObject(target, oldTarget);
    ::DeleteDC(source);
    ::DeleteDC(target);
    return mask;
}

int CShadeButton::AssignBitmaps(HBITMAP hover, HBITMAP rest)
{
    FreeImages();
    if (hover == nullptr)
        return 0;
    for (auto [bitmap, image] : { std::pair { hover, &m_hoverImage }, std::pair { rest, &m_restImage } }) {
        if (bitmap == nullptr)
            continue;
        BITMAP info = {};
        if (::GetObjectType(bitmap) != OBJ_BITMAP || ::GetObjectW(bitmap, sizeof(info), &info) == 0) {
            // Not a bitmap: nothing to own; what is held goes.
            FreeImages();
            return 1;
        }
        image->bitmap = bitmap;
        image->width = info.bmWidth;
        image->height = info.bmHeight;
        image->mask = MakeMask(bitmap, info.bmWidth, info.bmHeight);
        if (image->mask == nullptr) {
            FreeImages();
            return 2;
        }
    }
    if (GetSafeHwnd() != nullptr)
        Invalidate();
    return 0;
}

void CShadeButton::PreSubclassWindow()
{
    const UINT style = static_cast<UINT>(GetStyle());
    const UINT type = style & BS_TYPEMASK;
    // Check boxes (value 2 in their type) become two-state buttons.
    if ((type & 2) != 0)
        m_checkMode = true;
    if (type == BS_DEFPUSHBUTTON)
        m_default = true;
    ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>((style & ~BS_TYPEMASK) | BS_OWNERDRAW));
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    CButton::PreSubclassWindow();
}

LRESULT CShadeButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A double click counts as a second press.
    if (message == WM_LBUTTONDBLCLK)
        message = WM_LBUTTONDOWN;
    return CButton::DefWindowProc(message, wParam, lParam);
}

LRESULT CShadeButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE: {
        const LRESULT code = CButton::WindowProc(message, wParam, lParam);
        return code | (m_default ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    }
    case BM_SETSTYLE: {
        const UINT type = static_cast<UINT>(wParam) & BS_TYPEMASK;
        if (type == BS_DEFPUSHBUTTON)
            m_default = true;
        else if (type == BS_PUSHBUTTON)
            m_default = false;
        return CButton::WindowProc(message, (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW, lParam);
    }
    case BM_SETCHECK:
        if (m_checkMode) {
            m_checked = wParam == 1 || wParam == 2;
            Invalidate();
        }
        return 0;
    case BM_GETCHECK:
        return m_checked ? 1 : 0;
    case WM_MOUSEMOVE: {
        const LRESULT result = CButton::WindowProc(message, wParam, lParam);
        OnMouseMoveTracking();
        return result;
    }
    case WM_MOUSELEAVE:
    case WM_KILLFOCUS:
    case WM_CANCELMODE: {
        const LRESULT result = CButton::WindowProc(message, wParam, lParam);
        LeaveHover();
        return result;
    }
    case WM_ACTIVATE: {
        const LRESULT result = CButton::WindowProc(message, wParam, lParam);
        if (LOWORD(wParam) == WA_INACTIVE)
            LeaveHover();
        return result;
    }
    case WM_ENABLE: {
        const LRESULT result = CButton::WindowProc(message, wParam, lParam);
        if (wParam == FALSE) {
            // The focus moves on to the next tab item of the parent.
            HWND parent = ::GetParent(m_hWnd);
            HWND next = parent != nullptr ? ::GetNextDlgTabItem(parent, m_hWnd, FALSE) : nullptr;
            if (next != nullptr && next != m_hWnd)
                ::SetFocus(next);
            else if (parent != nullptr && ::GetFocus() == m_hWnd)
                ::SetFocus(parent);
            LeaveHover();
        }
        return result;
    }
    case WM_MEASUREITEM:
        if (wParam == 0 && CIconMenu::IsRegistered(m_menu.GetSafeHmenu())) {
            m_menu.MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
            return TRUE;
        }
        break;
    case WM_MENUCHAR:
        if (CIconMenu::IsRegistered(reinterpret_cast<HMENU>(lParam)))
            return CIconMenu::FindMnemonic(reinterpret_cast<HMENU>(lParam), LOWORD(wParam));
        break;
    default:
        break;
    }
    return CButton::WindowProc(message, wParam, lParam);
}

void CShadeButton::OnMouseMoveTracking()
{
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    HWND under = ::WindowFromPoint(cursor);
    // A press that started elsewhere and was dragged here does not light
    // the button up.
    if ((::GetKeyState(VK_LBUTTON) & 0x8000) != 0 && !m_hover)
        return;
    if (!kFlat)
        return;
    if (under == m_hWnd) {
        if (!m_hover) {
            m_hover = true;
            Invalidate();
            TRACKMOUSEEVENT track = { sizeof(track), TME_LEAVE, m_hWnd, 0 };
            ::TrackMouseEvent(&track);
        }
    } else if (m_hover) {
        m_hover = false;
        Invalidate();
    }
}

void CShadeButton::LeaveHover()
{
    if (kFlat && m_hover) {
        m_hover = false;
        Invalidate();
    }
}

BOOL CShadeButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_CTLCOLORBTN) {
        if (pResult != nullptr)
            *pResult = reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
        return TRUE;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        SetFocus();
        if (m_checkMode) {
            m_checked = !m_checked;
            Invalidate();
        } else if (m_menu.GetSafeHmenu() != nullptr) {
            CMenu* popup = m_menu.GetSubMenu(0);
            HMENU hPopup = popup != nullptr ? popup->GetSafeHmenu() : nullptr;
            if (hPopup != nullptr) {
                m_menuShown = true;
                Invalidate();
                UpdateWindow();
                CRect rc;
                GetWindowRect(&rc);
                const UINT chosen = static_cast<UINT>(
                    ::TrackPopupMenu(hPopup, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_RETURNCMD, rc.left,
                        rc.bottom, 0, m_hWnd, nullptr));
                m_menuShown = false;
                Invalidate();
                if (chosen != 0 && m_menuOwner != nullptr)
                    ::PostMessageW(m_menuOwner, WM_COMMAND, chosen, 0);
            }
        }
        return FALSE; // the parent still hears the click
    }
    return CButton::OnChildNotify(message, wParam, lParam, pResult);
}

int CShadeButton::DrawBackground(CDC* pDC, const CRect& rect)
{
    COLORREF colour = m_idleBack;
    if (m_hover || m_pressed)
        colour = m_activeBack;
    else if (m_focused)
        colour = m_focusBack;
    pDC->FillSolidRect(&rect, colour);
    return 0;
}

int CShadeButton::DrawBorder(CDC* pDC, const CRect& rect)
{
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    if (m_pressed)
        pDC->Draw3dRect(&rect, shadow, light);
    else
        pDC->Draw3dRect(&rect, light, shadow);
    return 0;
}

void CShadeButton::DrawImage(CDC& dc, const CRect& item, bool hasCaption, CRect& caption)
{
    const Image& image
        = m_restImage.bitmap != nullptr && !m_pressed && (m_checkMode || !m_hover) ? m_restImage : m_hoverImage;
    int x = hasCaption ? item.left + 3 : item.left + (item.Width() - image.width) / 2;
    int y = item.top + (item.Height() - image.height) / 2;
    if (hasCaption)
        caption.left += image.width + 3;
    if (m_pressed && !m_checkMode) {
        ++x;
        ++y;
    }
    HDC target = dc.GetSafeHdc();
    HDC source = ::CreateCompatibleDC(target);
    if (m_disabled && kGreyWhenDisabled) {
        // The image put on white through its mask, then drawn embossed.
        HBITMAP scratch = ::CreateCompatibleBitmap(target, image.width, image.height);
        HDC work = ::CreateCompatibleDC(target);
        HGDIOBJ oldWork = ::SelectObject(work, scratch);
        const RECT all = { 0, 0, image.width, image.height };
        ::FillRect(work, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        HGDIOBJ oldSource = ::SelectObject(source, image.mask);
        ::BitBlt(work, 0, 0, image.width, image.height, source, 0, 0, SRCAND);
        ::SelectObject(source, image.bitmap);
        ::BitBlt(work, 0, 0, image.width, image.height, source, 0, 0, SRCPAINT);
        ::SelectObject(source, oldSource);
        ::SelectObject(work, oldWork);
        ::DeleteDC(work);
        ::DrawStateW(target, nullptr, nullptr, reinterpret_cast<LPARAM>(scratch), 0, x, y, image.width, image.height,
            DST_BITMAP | DSS_DISABLED);
        ::DeleteObject(scratch);
    } else {
        HGDIOBJ old = ::SelectObject(source, image.mask);
        ::BitBlt(target, x, y, image.width, image.height, source, 0, 0, SRCAND);
        ::SelectObject(source, image.bitmap);
        ::BitBlt(target, x, y, image.width, image.height, source, 0, 0, SRCPAINT);
        ::SelectObject(source, old);
    }
    ::DeleteDC(source);
}

void CShadeButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (lpDIS == nullptr)
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const bool selected = (lpDIS->itemState & ODS_SELECTED) != 0;
    m_pressed = m_checkMode ? (selected || m_checked) : (selected || (m_menu.GetSafeHmenu() != nullptr && m_menuShown));
    m_focused = (lpDIS->itemState & ODS_FOCUS) != 0;
    m_disabled = (lpDIS->itemState & ODS_DISABLED) != 0;

    CRect r = lpDIS->rcItem;
    pDC->SetBkMode(TRANSPARENT);
    if (!kFlat && (m_focused || m_default)) {
        pDC->FrameRect(&r, CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH))));
        r.DeflateRect(1, 1);
    }
    DrawBackground(pDC, r);
    if (m_pressed) {
        if (!kFlat)
            pDC->FrameRect(&r, CBrush::FromHandle(::GetSysColorBrush(COLOR_BTNSHADOW)));
        else if (kDrawBorder)
            DrawBorder(pDC, r);
    } else if (!kFlat) {
        HDC dc = lpDIS->hDC;
        Line(
            dc, ::GetSysColor(COLOR_BTNHIGHLIGHT), { { r.left, r.bottom - 1 }, { r.left, r.top }, { r.right, r.top } });
        Line(dc, ::GetSysColor(COLOR_3DLIGHT),
            { { r.left + 1, r.bottom - 1 }, { r.left + 1, r.top + 1 }, { r.right, r.top + 1 } });
        Line(dc, ::GetSysColor(COLOR_3DDKSHADOW),
            { { r.left, r.bottom - 1 }, { r.right - 1, r.bottom - 1 }, { r.right - 1, r.top - 1 } });
        Line(dc, ::GetSysColor(COLOR_BTNSHADOW),
            { { r.left + 1, r.bottom - 2 }, { r.right - 2, r.bottom - 2 }, { r.right - 2, r.top } });
    } else if (m_hover && kDrawBorder) {
        DrawBorder(pDC, r);
    }

    CRect caption = lpDIS->rcItem;
    CString text;
    GetWindowText(text);
    if (m_hoverImage.bitmap != nullptr) {
        pDC->SetBkColor(RGB(255, 255, 255));
        DrawImage(*pDC, lpDIS->rcItem, !text.IsEmpty(), caption);
    }
    if (!text.IsEmpty()) {
        if (m_pressed && !m_checkMode)
            caption.OffsetRect(1, 1);
        CRect measured = caption;
        pDC->DrawText(text, &measured, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
        measured.OffsetRect((caption.Width() - measured.Width()) / 2 - (measured.left - caption.left),
            (caption.Height() - measured.Height()) / 2 - (measured.top - caption.top));
        if (m_disabled) {
            CRect shifted = measured;
            shifted.OffsetRect(1, 1);
            pDC->SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
            pDC->DrawText(text, &shifted, DT_WORDBREAK | DT_CENTER);
            pDC->SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
            pDC->DrawText(text, &measured, DT_WORDBREAK | DT_CENTER);
        } else {
            const bool active = m_hover || m_pressed;
            pDC->SetTextColor(active ? m_activeText : m_idleText);
            pDC->SetBkColor(active ? m_activeBack : m_idleBack);
            pDC->DrawText(text, &measured, DT_WORDBREAK | DT_CENTER);
        }
    }
    if ((!kFlat || kFocusRectWhenFlat) && m_focused) {
        CRect focus = r;
        focus.DeflateRect(3, 3);
        pDC->DrawFocusRect(&focus);
    }
}
