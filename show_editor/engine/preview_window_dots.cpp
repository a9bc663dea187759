// The dot pattern of the preview window: the part of the canvas that the
// engine window shows, snapped to whole dots, and the mask of white lamp
// dots on black for each dot layout type (0 round dots, 1 square dots,
// 2 rows of light, 3 columns of light), either one dot per lamp of the
// layout or a full grid.
#include "preview_window.h"

#include "dornel_doc.h"

#include <algorithm>
#include <cmath>

namespace {

// How often a failing stamp copy is tried before the dot is given up.
constexpr int kStampAttempts = 3;

struct DotPitch {
    int x;
    int y;
};

// Pitch used to snap the visible part to whole dots.
DotPitch SnapPitch(int dotLayoutType, int zoomPercent)
{
    const int s = static_cast<int>(std::max(static_cast<double>(zoomPercent) / 100.0, 1.0));
    switch (dotLayoutType) {
    case 0:
        return { 1 + s, 1 + s };
    case 1:
        return { 2 + s, 2 + s };
    case 2:
        return { s, 2 * s };
    case 3:
        return { 2 * s, s };
    default:
        return { s, s };
    }
}

// Moves start left to a multiple of pitch and gives the end two dots past
// the snapped length.
void SnapSpan(LONG& start, LONG& end, int pitch)
{
    start -= start % pitch;
    int length = end - start;
    length -= length % pitch;
    end = start + 2 * pitch + length;
}

// A dot drawn as a copy of one S x S stamp.
class CDotStamp {
public:
    CDotStamp(CDC* target, int size, int dotLayoutType, int zoomPercent)
        : m_target(target)
        , m_size(size)
    {
        m_dc.CreateCompatibleDC(target);
        m_bitmap.CreateCompatibleBitmap(target, size, size);
        m_old = m_dc.SelectObject(static_cast<HGDIOBJ>(m_bitmap.m_hObject));
        m_dc.FillSolidRect(0, 0, size, size, RGB(0, 0, 0));
        if (dotLayoutType == 1 || zoomPercent <= 100) {
            m_dc.FillSolidRect(0, 0, size, size, RGB(255, 255, 255));
        } else if (zoomPercent == 300) {
            // Outlined round dots at exactly 300 %.
            CPen outline(PS_SOLID, 1, RGB(0, 0, 0));
            CBrush inside(RGB(255, 255, 255));
            const int saved = m_dc.SaveDC();
            m_dc.SelectObject(&outline);
            m_dc.SelectObject(&inside);
            m_dc.Ellipse(0, 0, size, size);
            m_dc.RestoreDC(saved);
        } else {
            CRgn round;
            round.CreateEllipticRgn(0, 0, size, size);
            CBrush white(RGB(255, 255, 255));
            m_dc.FillRgn(&round, &white);
        }
    }
    ~CDotStamp()
    {
        if (m_old != nullptr)
            m_dc.SelectObject(m_old);
    }
    CDotStamp(const CDotStamp&) = delete;
    CDotStamp& operator=(const CDotStamp&) = delete;

    void Put(int x, int y)
    {
        for (int attempt = 0; attempt < kStampAttempts; ++attempt) {
            if (m_target->BitBlt(x, y, m_size, m_size, &m_dc, 0, 0, SRCCOPY))
                return;
        }
    }

private:
    CDC* m_target;
    int m_size;
    CDC m_dc;
    CBitmap m_bitmap;
    HGDIOBJ m_old = nullptr;
};

} // namespace

CRect CCanvas::VisibleDotRect() const
{
    CRect visible;
    if (m_hWnd == nullptr)
        return visible;
    CRect canvas;
    GetWindowRect(&canvas);
    CRect engine = canvas;
    if (HWND parent = ::GetParent(m_hWnd))
        ::GetWindowRect(parent, &engine);

    if (engine.left < canvas.left) {
        visible.left = 0;
        visible.right = canvas.right - canvas.left;
    } else {
        visible.left = engine.left - canvas.left;
        visible.right = engine.right - canvas.left;
    }
    if (engine.top < canvas.top) {
        visible.top = 0;
        visible.bottom = canvas.bottom - canvas.top;
    } else {
        visible.top = engine.top - canvas.top;
        visible.bottom = engine.bottom - canvas.top;
    }

    const CanvasGeometry geometry = GetGeometry();
    const DotPitch pitch = SnapPitch(geometry.dotLayoutType, geometry.zoomPercent);
    SnapSpan(visible.left, visible.right, pitch.x);
    SnapSpan(visible.top, visible.bottom, pitch.y);
    return visible;
}

void CCanvas::BuildDotMask(int dotLayoutType)
{
    CDC* mask = m_dotMask.GetDC();
    if (mask == nullptr)
        return;
    const CanvasGeometry geometry = GetGeometry();
    const int w = geometry.canvasWidth;
    const int h = geometry.canvasHeight;
    const int z = geometry.zoomPercent;
    const float s = std::max(static_cast<float>(z) / 100.0f, 1.0f);
    const int dotSize = static_cast<int>(s);
    const float gap = s == 1.0f ? 0.0f : static_cast<float>(geometry.dotGap);
    const float factor = z < 100 ? 0.5f : 1.0f;

    mask->FillSolidRect(0, 0, m_dotMask.Width(), m_dotMask.Height(), RGB(0, 0, 0));
    if (dotLayoutType < 0 || dotLayoutType > 3)
        return; // no dot shape for other types: the preview stays dark

    float pitchX = s + gap;
    float pitchY = s + gap;
    if (dotLayoutType == 2)
        pitchX = s;
    else if (dotLayoutType == 3)
        pitchY = s;
    // A negative gap must not stall the grid on one spot.
    pitchX = std::max(pitchX, 1.0f);
    pitchY = std::max(pitchY, 1.0f);

    const bool stamped = dotLayoutType == 0 || dotLayoutType == 1;
    CDotStamp* stamp = nullptr;
    CDotStamp stampStore(mask, stamped ? dotSize : 1, dotLayoutType, z);
    if (stamped)
        stamp = &stampStore;
    auto drawDot = [&](int x, int y) {
        if (stamp != nullptr)
            stamp->Put(x, y);
        else
            mask->FillSolidRect(x, y, dotSize, dotSize, RGB(255, 255, 255));
    };

    const PixPointList* pixels = m_pDocument != nullptr ? &m_pDocument->m_pixels : nullptr;
    const ProjSet* settings = m_pDocument != nullptr ? m_pDocument->GetActiveProjSet() : nullptr;
    if (pixels != nullptr && pixels->GetSize() > 0 && settings != nullptr && settings->m_layoutMask != 0) {
        // One dot per lamp of the layout.
        const bool fitsX = dotLayoutType != 2;
        const bool fitsY = dotLayoutType != 3;
        for (INT_PTR i = 0; i < pixels->GetSize(); ++i) {
            const S_PixPoint* point = pixels->GetAt(i);
            if (point == nullptr)
                continue;
            const int x = static_cast<int>(static_cast<float>(point->x) * pitchX * factor);
            const int y = static_cast<int>(static_cast<float>(point->y) * pitchY * factor);
            const bool inX = fitsX ? static_cast<float>(x) + s <= static_cast<float>(w) : x <= w;
            const bool inY = fitsY ? static_cast<float>(y) + s <= static_cast<float>(h) : y <= h;
            if (inX && inY)
                drawDot(x, y);
        }
        return;
    }

    // A full grid. Every row of dots is the same, so the first row is drawn
    // dot by dot and copied down to the others.
    int rows = 0;
    for (int y = 0; y <= h; y = static_cast<int>(static_cast<float>(y) + pitchY)) {
        if (rows++ == 0) {
            for (int x = 0; x <= w; x = static_cast<int>(static_cast<float>(x) + pitchX))
                drawDot(x, 0);
        } else {
            mask->BitBlt(0, y, w, dotSize, mask, 0, 0, SRCCOPY);
        }
    }
}
