// Scan lines: colour 0 of the first template is the background, colour 1
// the line; the zoom factor sets how many frames the line stays on a column
// or row (10 at 0.1, 5 at 0.2, 2 at 0.5, 1 at 1.0).
#include "scan_line_render.h"

#include "color_animation_render.h"
#include "color_render_support.h"

#include <cmath>

using namespace colorrender;

namespace {

// A colour of the first template; a missing one (no template, or too few
// colours) reads as black.
COLORREF FirstTemplateColor(const ProgramColorEffect& effect, INT_PTR index)
{
    if (effect.m_templates.GetSize() == 0)
        return RGB(0, 0, 0);
    const ColorTemplate* first = effect.m_templates.GetAt(0);
    if (first == nullptr || index >= first->m_colors.GetSize())
        return RGB(0, 0, 0);
    return first->m_colors.GetAt(index) & 0x00FFFFFF;
}

// Frames per line move. Zoom factors below 0.1 (and zero, negative or not a
// number) move the line as slowly as 0.1 does, those above 1.0 as fast as 1.0
// does: the quotient 10 / trunc(zoom x 10) is only defined in between.
UINT FramesPerMove(float zoom)
{
    const float tenths = zoom * 10.0f;
    if (!(tenths >= 1.0f))
        return 10;
    if (tenths > 10.0f)
        return 1;
    const int divisor = static_cast<int>(tenths);
    const int frames = 10 / divisor;
    return frames < 1 ? 1 : static_cast<UINT>(frames);
}

} // namespace

int DrawScanLine(CDC* pDC, UINT frame, const ProgramColorEffect& effect)
{
    if (pDC == nullptr)
        return 1;
    const UINT framesPerMove = FramesPerMove(effect.m_zoomFactor);
    if (frame % framesPerMove != 0)
        return 1;
    const UINT q = frame / framesPerMove;
    const CRect clip = ClipBoxOf(pDC);
    const int width = clip.Width();
    const int height = clip.Height();
    if (width <= 0 || height <= 0)
        return 1; // nothing to cross

    POINT from {};
    POINT to {};
    switch (effect.m_style) {
    case COLOR_STYLE_SCAN_RIGHT:
        from = { clip.left + static_cast<int>(q % static_cast<UINT>(width)), clip.top };
        to = { from.x, clip.bottom };
        break;
    case COLOR_STYLE_SCAN_DOWN:
        from = { clip.left, clip.top + static_cast<int>(q % static_cast<UINT>(height)) };
        to = { clip.right, from.y };
        break;
    case COLOR_STYLE_SCAN_LEFT:
        from = { clip.right - static_cast<int>(q % static_cast<UINT>(width)) - 1, clip.top };
        to = { from.x, clip.bottom };
        break;
    case COLOR_STYLE_SCAN_UP:
        from = { clip.left, clip.bottom - static_cast<int>(q % static_cast<UINT>(height)) - 1 };
        to = { clip.right, from.y };
        break;
    default:
        return 1; // not a scan line
    }

    FillColor(pDC, clip, FirstTemplateColor(effect, 0));
    const HDC hDC = pDC->GetSafeHdc();
    const HPEN pen = ::CreatePen(PS_SOLID, 1, FirstTemplateColor(effect, 1));
    if (pen == nullptr)
        return 1;
    const HGDIOBJ oldPen = ::SelectObject(hDC, pen);
    POINT oldPosition {};
    ::MoveToEx(hDC, from.x, from.y, &oldPosition);
    ::LineTo(hDC, to.x, to.y);
    ::SelectObject(hDC, oldPen);
    ::DeleteObject(pen);
    return 1;
}
