// The diagonal styles' window drawn onto its turned square: by our own
// resampler straight into the pixels of a DIB section, or by GDI+ where the
// device context has no pixels in memory.
//
// Every row of the window holds the same strip, so a view pixel's colour
// depends only on how far along the window's rows it falls: the resampler
// maps each pixel back into the window and interpolates bilinearly between
// the two strip pixels beside that point, as GDI+ draws an image onto a
// parallelogram by default.
#include "color_render_support.h"
#include "dc_pixels.h"
#include "gdiplus_handles.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace colorrender {

namespace {

// Where a view pixel samples the picture, and where the window's pixels
// sit, in pixel units: GDI+'s default offset puts both at the pixels'
// integer coordinates, not at their centres.
constexpr double kViewPixelCentre = 0.0;
constexpr double kWindowPixelCentre = 0.0;

DWORD Mix(DWORD left, DWORD right, double f)
{
    DWORD result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double a = static_cast<double>((left >> shift) & 0xFF);
        const double b = static_cast<double>((right >> shift) & 0xFF);
        const int c = static_cast<int>(a + (b - a) * f); // truncated, as GDI+ does
        result |= static_cast<DWORD>(std::clamp(c, 0, 255)) << shift;
    }
    return result;
}

// floor of a value well inside the int range, without a library call per
// pixel.
int FloorOf(double value)
{
    const int whole = static_cast<int>(value);
    return value < whole ? whole - 1 : whole;
}

// a and b mixed at f / 65536, truncated.
DWORD MixFixed(DWORD a, DWORD b, DWORD f)
{
    const DWORD g = 65536 - f;
    const DWORD blue = ((a & 0xFF) * g + (b & 0xFF) * f) >> 16;
    const DWORD green = (((a >> 8) & 0xFF) * g + ((b >> 8) & 0xFF) * f) >> 16;
    const DWORD red = (((a >> 16) & 0xFF) * g + ((b >> 16) & 0xFF) * f) >> 16;
    return (red << 16) | (green << 8) | blue;
}

// Narrows [from, to) to the x where lo <= at0 + x perX <= hi.
void LimitToRange(double at0, double perX, double lo, double hi, double& from, double& to)
{
    if (perX == 0.0) {
        if (at0 < lo || at0 > hi)
            to = from;
        return;
    }
    double a = (lo - at0) / perX;
    double b = (hi - at0) / perX;
    if (a > b)
        std::swap(a, b);
    from = std::max(from, a);
    to = std::min(to, b);
}

// The view pixel under a partly transparent sample: a with weight wa, b
// with weight wb, the view's own colour with what is left.
DWORD Cover(DWORD under, DWORD a, DWORD b, double wa, double wb)
{
    const double rest = std::max(0.0, 1.0 - wa - wb);
    DWORD result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double c = wa * ((a >> shift) & 0xFF) + wb * ((b >> shift) & 0xFF) + rest * ((under >> shift) & 0xFF);
        result |= static_cast<DWORD>(std::clamp(static_cast<int>(c), 0, 255)) << shift;
    }
    return result;
}

} // namespace

bool DrawDiagonalWindow(CDC* pDC, const CRect& clip, const DiagonalLayout& layout, const std::vector<DWORD>& line)
{
    const DcPixels pixels = PixelsOfDC(pDC);
    if (pixels.bits == nullptr)
        return false;
    const int windowWidth = layout.windowWidth;
    const int windowHeight = layout.windowHeight;
    if (windowWidth <= 0 || windowHeight <= 0 || line.size() < static_cast<size_t>(windowWidth))
        return true; // no window: the view stays black, as GDI+ leaves it
    const double x0 = layout.corners[0][0];
    const double y0 = layout.corners[0][1];
    // View displacement per window pixel along the rows (e) and the columns (f).
    const double ex = (layout.corners[1][0] - x0) / windowWidth;
    const double ey = (layout.corners[1][1] - y0) / windowWidth;
    const double fx = (layout.corners[2][0] - x0) / windowHeight;
    const double fy = (layout.corners[2][1] - y0) / windowHeight;
    const double det = ex * fy - ey * fx;
    if (!(std::fabs(det) > 1e-12))
        return true;
    // Window coordinates (u along the rows, v down the columns) of view
    // point (x, y): u = (dx fy - dy fx) / det, v = (dy ex - dx ey) / det.
    const double uPerX = fy / det;
    const double uPerY = -fx / det;
    const double vPerX = -ey / det;
    const double vPerY = ex / det;

    const int left = std::max(0, static_cast<int>(clip.left));
    const int top = std::max(0, static_cast<int>(clip.top));
    const int right = std::min(pixels.width, static_cast<int>(clip.right));
    const int bottom = std::min(pixels.height, static_cast<int>(clip.bottom));
    const int last = windowWidth - 1;
    // One view pixel at the edge of the turned square, in full.
    auto edgePixel = [&](DWORD* row, int x, double dy) {
        const double dx = x + kViewPixelCentre - x0;
        const double u = dx * uPerX + dy * uPerY;
        const double v = dx * vPerX + dy * vPerY;
        // Outside the turned square the view keeps its black.
        if (!(u >= 0.0 && u < windowWidth && v >= 0.0 && v < windowHeight))
            return;
        // The four window pixels around the point; those beyond the
        // window's edge are transparent, so the view's black shows
        // through in proportion to their share.
        const double at = u - kWindowPixelCentre;
        const int i = FloorOf(at);
        const double fu = at - i;
        const double down = v - kWindowPixelCentre;
        const int j = FloorOf(down);
        const double fv = down - j;
        const double share
            = (j >= 0 && j < windowHeight ? 1.0 - fv : 0.0) + (j + 1 >= 0 && j + 1 < windowHeight ? fv : 0.0);
        const double leftShare = i >= 0 && i < windowWidth ? 1.0 - fu : 0.0;
        const double rightShare = i + 1 >= 0 && i + 1 < windowWidth ? fu : 0.0;
        const DWORD a = line[static_cast<size_t>(std::clamp(i, 0, last))];
        const DWORD b = line[static_cast<size_t>(std::clamp(i + 1, 0, last))];
        if (share == 1.0 && leftShare + rightShare == 1.0)
            row[x] = a == b ? a : Mix(a, b, fu);
        else
            row[x] = Cover(row[x], a, b, leftShare * share, rightShare * share);
    };
    for (int y = top; y < bottom; ++y) {
        DWORD* row = pixels.Row(y);
        const double dy = y + kViewPixelCentre - y0;
        // u and v run linearly along the row: u(x) = uAt0 + x uPerX. The
        // pixels a whole window pixel inside every edge take the quick way.
        const double uAt0 = (kViewPixelCentre - x0) * uPerX + dy * uPerY - kWindowPixelCentre;
        const double vAt0 = (kViewPixelCentre - x0) * vPerX + dy * vPerY - kWindowPixelCentre;
        double from = left;
        double to = right;
        LimitToRange(uAt0, uPerX, 1.0, windowWidth - 2.0, from, to);
        LimitToRange(vAt0, vPerX, 1.0, windowHeight - 2.0, from, to);
        const int inner = std::clamp(static_cast<int>(std::ceil(from)) + 1, left, right);
        const int innerEnd = std::clamp(static_cast<int>(std::floor(to)) - 1, inner, right);
        for (int x = left; x < inner; ++x)
            edgePixel(row, x, dy);
        if (inner < innerEnd) {
            // 32.32 fixed point: the whole window pixel in the upper word.
            constexpr double kOne = 4294967296.0;
            long long at = static_cast<long long>((uAt0 + inner * uPerX) * kOne);
            const long long step = static_cast<long long>(uPerX * kOne);
            for (int x = inner; x < innerEnd; ++x, at += step) {
                const int i = static_cast<int>(at >> 32);
                const DWORD f = static_cast<DWORD>(at >> 16) & 0xFFFF;
                const DWORD a = line[static_cast<size_t>(i)];
                const DWORD b = line[static_cast<size_t>(i + 1)];
                row[x] = a == b ? a : MixFixed(a, b, f);
            }
        }
        for (int x = innerEnd; x < right; ++x)
            edgePixel(row, x, dy);
    }
    return true;
}

void DrawDiagonalWindowGdiplus(CDC* pDC, const DiagonalLayout& layout, const std::vector<DWORD>& line)
{
    const int windowWidth = layout.windowWidth;
    const int windowHeight = layout.windowHeight;
    if (pDC == nullptr || windowWidth <= 0 || windowHeight <= 0 || line.size() < static_cast<size_t>(windowWidth))
        return;
    CRenderSurface window(windowWidth, windowHeight);
    if (!window.IsValid())
        return;
    for (int y = 0; y < windowHeight; ++y) {
        DWORD* row = window.Row(y);
        std::copy(line.begin(), line.begin() + windowWidth, row);
    }
    ::GdiFlush();
    const Gdiplus::GpPointF corners[3] = {
        { layout.corners[0][0], layout.corners[0][1] },
        { layout.corners[1][0], layout.corners[1][1] },
        { layout.corners[2][0], layout.corners[2][1] },
    };
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (gdip::GdipCreateBitmapFromHBITMAP(window.Bitmap(), nullptr, &bitmap) != Gdiplus::Ok)
        return;
    const gdip::Image image(bitmap);
    const gdip::Graphics graphics = gdip::GraphicsFromDC(pDC->GetSafeHdc());
    if (graphics)
        gdip::GdipDrawImagePoints(graphics.get(), bitmap, corners, 3);
}

} // namespace colorrender
