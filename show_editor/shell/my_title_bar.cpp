// The panels' title bar.
#include "my_title_bar.h"

#include <objidl.h>
#include <gdiplus.h>

#include <memory>

IMPLEMENT_DYNAMIC(CMyTitleBar, CStatic)

BEGIN_MESSAGE_MAP(CMyTitleBar, CStatic)
ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

namespace {

Gdiplus::Color ToColor(COLORREF colour)
{
    return Gdiplus::Color(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

// The song face the titles are set in, or the first face of the system that
// also has Chinese glyphs.
std::unique_ptr<Gdiplus::FontFamily> TitleFamily()
{
    for (LPCWSTR face : { L"宋体", L"SimSun", L"Microsoft YaHei", L"WenQuanYi Micro Hei" }) {
        auto family = std::make_unique<Gdiplus::FontFamily>(face);
        if (family->IsAvailable())
            return family;
    }
    return std::unique_ptr<Gdiplus::FontFamily>(Gdiplus::FontFamily::GenericSansSerif()->Clone());
}

} // namespace

BOOL CMyTitleBar::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    dwStyle = (dwStyle & ~SS_TYPEMASK) | SS_OWNERDRAW;
    return CStatic::Create(lpszText, dwStyle, rect, pParentWnd, nID);
}

void CMyTitleBar::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    ModifyStyle(SS_TYPEMASK, SS_OWNERDRAW);
}

void CMyTitleBar::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct == nullptr)
        return;
    CString text;
    GetWindowText(text);
    Paint(lpDrawItemStruct->hDC, CRect(lpDrawItemStruct->rcItem), text);
}

void CMyTitleBar::Paint(HDC hDC, const CRect& rect, const CString& text)
{
    if (hDC == nullptr || rect.IsRectEmpty())
        return;
    Gdiplus::Graphics graphics(hDC);
    if (graphics.GetLastStatus() != Gdiplus::Ok)
        return;
    const Gdiplus::REAL left = static_cast<Gdiplus::REAL>(rect.left);
    const Gdiplus::REAL top = static_cast<Gdiplus::REAL>(rect.top);
    const Gdiplus::REAL right = static_cast<Gdiplus::REAL>(rect.right);
    const Gdiplus::REAL bottom = static_cast<Gdiplus::REAL>(rect.bottom);

    Gdiplus::SolidBrush back(ToColor(kBackColor));
    graphics.FillRectangle(&back, rect.left, rect.top, rect.Width(), rect.Height());

    // Rounded top corners, straight sides and bottom.
    Gdiplus::GraphicsPath path;
    path.AddArc(left, top, 2.0f, 2.0f, 180.0f, 90.0f);
    path.AddArc(right - 2.0f, top, 2.0f, 2.0f, 270.0f, 90.0f);
    path.AddLine(right, top + 1.0f, right, bottom);
    path.AddLine(right, bottom, left, bottom);
    path.AddLine(left, bottom, left, top + 1.0f);
    path.CloseFigure();
    // Top to bottom over the bar's height (a gradient at 90 degrees).
    Gdiplus::LinearGradientBrush gradient(
        Gdiplus::PointF(left, top), Gdiplus::PointF(left, bottom), ToColor(kTopColor), ToColor(kBottomColor));
    graphics.FillPath(&gradient, &path);

    if (text.IsEmpty())
        return;
    auto family = TitleFamily();
    Gdiplus::Font font(family.get(), 14.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    Gdiplus::SolidBrush white(Gdiplus::Color(255, 255, 255));
    graphics.DrawString(text, text.GetLength(), &font, Gdiplus::PointF(left + 10.0f, top + 2.0f), &white);
}
