// Wiring style pictures (see LineModeStatic.h).
#include "LineModeStatic.h"

#include "ProjectSetupResource.h"
#include "WiringOrder.h"

LineModeCells LineModePictureCells(int style, int z, int flip)
{
    LineModeCells out;
    if (style < 1 || style > 4) {
        out.origin = CPoint(5, 5);
        out.cells.fill(CPoint(0, 0));
        return out;
    }
    const bool byRows = style <= 2;
    out.origin = byRows ? CPoint(3, 16) : CPoint(14, 5);
    for (int k = 0; k < 15; ++k)
        out.cells[static_cast<size_t>(k)] = WiringCellAt(style, z, flip, byRows ? 3 : 5, byRows ? 5 : 3, k);
    return out;
}

IMPLEMENT_DYNAMIC(CLineModeStatic, CStatic)

BEGIN_MESSAGE_MAP(CLineModeStatic, CStatic)
ON_WM_PAINT()
END_MESSAGE_MAP()

void CLineModeStatic::DrawPicture(HDC dc, int width, int height) const
{
    const RECT all = { 0, 0, width, height };
    HBRUSH back = ::CreateSolidBrush(m_bSelected ? RGB(0x64, 0x64, 0x64) : RGB(0, 0, 0));
    ::FillRect(dc, &all, back);
    ::DeleteObject(back);
    const LineModeCells picture = LineModePictureCells(m_nStyle, m_nZOrder, m_nFlip);
    const int s = m_nCellSize;
    HBRUSH first = ::CreateSolidBrush(RGB(255, 255, 0));
    HBRUSH other = ::CreateSolidBrush(RGB(0xC8, 0xC8, 0xC8));
    POINT centres[15];
    for (size_t k = 0; k < picture.cells.size(); ++k) {
        const int left = picture.origin.x + s * picture.cells[k].x;
        const int top = picture.origin.y + s * picture.cells[k].y;
        HGDIOBJ oldBrush = ::SelectObject(dc, k == 0 ? first : other);
        ::Ellipse(dc, left, top, left + s, top + s);
        ::SelectObject(dc, oldBrush);
        centres[k] = { left + s / 2, top + s / 2 };
    }
    HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(0, 0, 255));
    HGDIOBJ oldPen = ::SelectObject(dc, pen);
    ::Polyline(dc, centres, 15);
    ::SelectObject(dc, oldPen);
    ::DeleteObject(pen);
    ::DeleteObject(first);
    ::DeleteObject(other);
}

void CLineModeStatic::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    // Drawn off-screen and copied in one go, so switching styles does not
    // flicker.
    HDC mem = ::CreateCompatibleDC(dc);
    HBITMAP bitmap = ::CreateCompatibleBitmap(dc, rc.right, rc.bottom);
    if (mem != nullptr && bitmap != nullptr) {
        HGDIOBJ old = ::SelectObject(mem, bitmap);
        DrawPicture(mem, rc.right, rc.bottom);
        ::BitBlt(dc, 0, 0, rc.right, rc.bottom, mem, 0, 0, SRCCOPY);
        ::SelectObject(mem, old);
    }
    if (bitmap != nullptr)
        ::DeleteObject(bitmap);
    if (mem != nullptr)
        ::DeleteDC(mem);
    ::EndPaint(m_hWnd, &ps);
}

void CStylePictures::Exchange(CDataExchange* pDX)
{
    for (int i = 0; i < 4; ++i)
        DDX_Control(pDX, IDC_STYLE_PICTURE1 + i, m_pictures[static_cast<size_t>(i)]);
}

void CStylePictures::Update(int& style, int z, int flip)
{
    if (style < 1 || style > 4)
        style = 1;
    for (int i = 0; i < 4; ++i) {
        CLineModeStatic& picture = m_pictures[static_cast<size_t>(i)];
        picture.m_nStyle = i + 1;
        picture.m_nZOrder = z;
        picture.m_nFlip = flip;
        picture.m_bSelected = picture.m_nStyle == style ? 1 : 0;
        if (picture.GetSafeHwnd() != nullptr)
            ::InvalidateRect(picture.m_hWnd, nullptr, TRUE);
    }
}
