// Zazez Urad figure styles around the canvas centre: rectangle frames moving
// out of or into the core band, rings moving outward or inward, and the
// turning spirals.
//
// The frames are nested fills, each covering the inside of the one before;
// what shows is worked out pixel by pixel as the frame of least depth that
// was filled, which gives the same picture as filling them one over another.
// Rings and spiral arms are drawn with 2-pixel GDI pens.
#include "effect_plus_styles.h"
#include "effect_plus_support.h"

#include <algorithm>
#include <cmath>
#include <vector>

using namespace effectplus;

namespace {

// The core of the frame styles: the canvas shrunk by (min(w, h) - 2) / 2
// (truncated toward zero) on every side.
int CoreInset(int w, int h)
{
    return (std::min(w, h) - 2) / 2;
}

// n = F div W, capped to ceil(max(w, h) / (2W)) when n x W passes max(w, h).
long long FrameCount(UINT frame, long long W, int w, int h)
{
    long long n = frame / W;
    const long long longest = std::max(w, h);
    if (n * W > longest)
        n = CeilDiv(longest, 2 * W);
    return n;
}

// ceil of the canvas diagonal.
long long Diagonal(int w, int h)
{
    return static_cast<long long>(std::ceil(std::sqrt(static_cast<double>(w) * w + static_cast<double>(h) * h)));
}

long long RingCount(UINT frame, long long W, long long diagonal)
{
    long long n = frame / W;
    if (n * W > diagonal)
        n = CeilDiv(diagonal, 2 * W);
    return n;
}

// Origin at the canvas centre and a black brush for the rings' insides, both
// restored on leaving.
class CCentredDrawing {
public:
    CCentredDrawing(CDC* pDC, int w, int h)
        : m_hDC(pDC->GetSafeHdc())
        , m_saved(::SaveDC(m_hDC))
    {
        ::SetViewportOrgEx(m_hDC, w / 2, h / 2, nullptr);
        ::SelectObject(m_hDC, ::GetStockObject(BLACK_BRUSH));
    }
    // RestoreDC deselects the pen before it is freed.
    ~CCentredDrawing()
    {
        ::RestoreDC(m_hDC, m_saved);
        if (m_pen != nullptr)
            ::DeleteObject(m_pen);
    }
    CCentredDrawing(const CCentredDrawing&) = delete;
    CCentredDrawing& operator=(const CCentredDrawing&) = delete;

    // A solid pen 2 pixels wide in the colour, selected until the next one.
    void UsePen(COLORREF color)
    {
        const HPEN pen = ::CreatePen(PS_SOLID, 2, color);
        if (pen == nullptr)
            return;
        ::SelectObject(m_hDC, pen);
        if (m_pen != nullptr)
            ::DeleteObject(m_pen);
        m_pen = pen;
    }
    void Ring(long long r)
    {
        const int radius = static_cast<int>(r);
        ::Ellipse(m_hDC, -radius, -radius, radius, radius);
    }
    HDC Handle() const { return m_hDC; }

private:
    HDC m_hDC;
    int m_saved;
    HPEN m_pen = nullptr;
};

// Colour of fill step k (from 1) of the contracting frames: the first t
// steps show line pixels t, t - 1, ..., 1, then passes of W - 1 down to 0.
long long ContractingColor(long long k, long long t, long long W)
{
    if (k <= t)
        return t - k + 1;
    return W - 1 - FloorMod(k - t - 1, W);
}

} // namespace

void DrawPlusExpandingFrames(CDC* pDC, const ProgramColorEffectPlus& item, UINT frame)
{
    PaintPlusSurface(pDC, item, [&](const CColorLine& line, CPlusSurface& image) {
        const int w = image.Width();
        const int h = image.Height();
        const long long W = line.Width();
        const long long t = frame % W;
        const long long deepest = t + FrameCount(frame, W, w, h) * W - 1;
        const int e = CoreInset(w, h);
        const int left = e, right = w - e - 1, top = e, bottom = h - e - 1;
        for (int y = 0; y < h; ++y) {
            DWORD* row = image.Row(y);
            for (int x = 0; x < w; ++x) {
                const long long depth = std::max({ 0, left - x, x - right, top - y, y - bottom });
                if (depth <= deepest)
                    row[x] = line.Pixel(static_cast<long long>(frame) - 1 - depth);
            }
        }
    });
}

void DrawPlusContractingFrames(CDC* pDC, const ProgramColorEffectPlus& item, UINT frame)
{
    PaintPlusSurface(pDC, item, [&](const CColorLine& line, CPlusSurface& image) {
        const int w = image.Width();
        const int h = image.Height();
        const long long W = line.Width();
        const long long t = frame % W;
        const long long steps = t + FrameCount(frame, W, w, h) * W;
        const long long e = CoreInset(w, h);
        // Step k fills the canvas shrunk by k - 1. Filling stops at the core
        // (step e + 1); when the steps run out first, the last rectangle filled
        // and all inside it go black.
        const bool reachesCore = steps >= e + 1;
        for (int y = 0; y < h; ++y) {
            DWORD* row = image.Row(y);
            for (int x = 0; x < w; ++x) {
                const long long ring = std::min({ x, y, w - 1 - x, h - 1 - y });
                const long long step = std::min(ring, e) + 1;
                if (reachesCore || step < steps)
                    row[x] = line.Pixel(ContractingColor(step, t, W));
            }
        }
    });
}

void DrawPlusExpandingRings(CDC* pDC, const ProgramColorEffectPlus& item, UINT frame)
{
    FillBlack(pDC);
    const CColorLine line(item);
    const CSize size = CanvasSize(pDC);
    if (line.IsEmpty() || size.cx <= 0 || size.cy <= 0)
        return;
    const long long W = line.Width();
    const long long t = frame % W;
    const long long diagonal = Diagonal(size.cx, size.cy);
    const long long largest = t + RingCount(frame, W, diagonal) * W;
    CCentredDrawing drawing(pDC, size.cx, size.cy);
    // Larger rings first: each smaller one is drawn over the inside of the last.
    for (long long r = largest; r >= 1; --r) {
        if (r > diagonal / 2)
            continue;
        drawing.UsePen(line.Color(t - r));
        drawing.Ring(r);
    }
}

void DrawPlusConvergingRings(CDC* pDC, const ProgramColorEffectPlus& item, UINT frame)
{
    FillBlack(pDC);
    const CColorLine line(item);
    const CSize size = CanvasSize(pDC);
    if (line.IsEmpty() || size.cx <= 0 || size.cy <= 0)
        return;
    const long long W = line.Width();
    const long long t = frame % W;
    const long long diagonal = Diagonal(size.cx, size.cy);
    const long long n = RingCount(frame, W, diagonal);
    const long long outer = CeilDiv(diagonal + 2, 2);
    CCentredDrawing drawing(pDC, size.cx, size.cy);
    // Every radius counts, but only rings within half the diagonal are drawn.
    // The inside of the innermost ring keeps the black fill of the canvas.
    auto ring = [&](long long r, long long colour) {
        if (r > diagonal / 2)
            return;
        drawing.UsePen(line.Color(colour));
        drawing.Ring(r);
    };
    bool ended = false;
    for (long long k = 0; k <= t; ++k) {
        const long long r = outer - k;
        if (r < 0) {
            ended = true;
            break;
        }
        ring(r, t - k);
    }
    // Each pass starts again at the last radius of the first one, then one
    // ring inside the pass before; radii only shrink, so one below 0 ends all.
    for (long long pass = 0; pass < n && !ended; ++pass) {
        for (long long j = 0; j < W; ++j) {
            const long long r = outer - t - pass * W - j;
            if (r < 0) {
                ended = true;
                break;
            }
            ring(r, W - 1 - j);
        }
    }
}

void DrawPlusSpiral(CDC* pDC, const ProgramColorEffectPlus& item, UINT frame, bool reverse)
{
    FillBlack(pDC);
    const CColorLine line(item);
    const CSize size = CanvasSize(pDC);
    if (line.IsEmpty() || size.cx <= 0 || size.cy <= 0)
        return;
    const int W = line.Width();
    const int vertices = size.cx / 2 + size.cy / 2;
    if (vertices < 2)
        return; // one vertex makes no line
    const double pi = 3.14159265358979323846;
    const float turn = static_cast<float>((frame % 360) * pi / 180.0);
    const double start = reverse ? -static_cast<double>(turn) : static_cast<double>(turn);
    std::vector<POINT> points(static_cast<size_t>(vertices));
    CCentredDrawing drawing(pDC, size.cx, size.cy);
    for (int c = 0; c < W; ++c) {
        for (int i = 0; i < vertices; ++i) {
            const double angle = 2.0 * pi * (static_cast<double>(c) + i + 1) / W + start;
            points[static_cast<size_t>(i)].x = static_cast<LONG>(i * std::cos(angle));
            points[static_cast<size_t>(i)].y = static_cast<LONG>(i * std::sin(angle));
        }
        drawing.UsePen(line.Color(c));
        ::Polyline(drawing.Handle(), points.data(), vertices);
    }
}
