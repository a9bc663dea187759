// The window-free arithmetic of the Zazez Urad editor.
#include "color_plus_values.h"

#include "color_strips.h"

#include <algorithm>
#include <cmath>

const COLORREF kPlusPaletteColors[7] = { RGB(255, 0, 0), RGB(255, 255, 0), RGB(0, 255, 0), RGB(0, 255, 255),
    RGB(0, 0, 255), RGB(255, 0, 255), RGB(255, 255, 255) };

namespace {

// Rounds up to a multiple of side, staying within int: near the top it takes
// the largest multiple that fits.
int RoundUpToMultiple(int n, int side)
{
    if (side <= 0 || n % side == 0)
        return n;
    const long long up = (static_cast<long long>(n) / side + 1) * side;
    return up <= 0x7FFFFFFF ? static_cast<int>(up) : 0x7FFFFFFF / side * side;
}

ColorTemplateEx* NewStop(int mode, int width, std::initializer_list<COLORREF> colors)
{
    auto* stop = new ColorTemplateEx;
    stop->m_mode = mode;
    stop->m_width = width;
    for (COLORREF c : colors)
        stop->m_colors.Add(c);
    return stop;
}

int Channel(COLORREF c, int shift)
{
    return static_cast<int>((c >> shift) & 0xFF);
}

} // namespace

int ComputePlusFrames(int w, const PlusFrameBasis& basis)
{
    if (w <= 0)
        return 0;
    // The area in 64 bits: a hostile project size must not overflow.
    const long long area = static_cast<long long>(std::max(basis.projectWidth, 0)) * std::max(basis.projectHeight, 0);
    auto blocks = [&](int side) {
        long long n = basis.blockWidth != 0 ? area / std::max(basis.blockWidth, 1) : area;
        n = std::min<long long>(n, 0x7FFFFFFF);
        return RoundUpToMultiple(static_cast<int>(n), side);
    };
    switch (basis.style) {
    case 39:
    case 40:
        return blocks(basis.projectHeight);
    case 41:
    case 42:
        return blocks(basis.projectWidth);
    case 43:
        return std::max(w, basis.longestPort);
    default:
        return w;
    }
}

int PlusStyleNameKey(int code)
{
    if (code >= 0 && code <= 19)
        return 33 + code;
    if (code >= 25 && code <= 35)
        return 94 + (code - 25);
    if (code == 36)
        return 112;
    if (code == 37 || code == 38)
        return 114 + (code - 37);
    if (code >= 39 && code <= 42)
        return 117 + (code - 39);
    return 121;
}

COLORREF PaletteCellColor(COLORREF base, int column)
{
    column = std::clamp(column, 0, kPaletteColumns - 1);
    auto reduce = [column](int c) { return c - c * column / 15; };
    return RGB(reduce(Channel(base, 0)), reduce(Channel(base, 8)), reduce(Channel(base, 16)));
}

COLORREF PaletteColorAt(CPoint point, CSize palette, const COLORREF (&rows)[7])
{
    const int w = std::max(1, static_cast<int>(palette.cx) / kPaletteColumns);
    const int h = std::max(1, static_cast<int>(palette.cy) / kPaletteRows);
    // Floor division: a point left of or above the palette is in the first cell.
    const int row = std::clamp(point.y < 0 ? -1 : static_cast<int>(point.y) / h, 0, kPaletteRows - 1);
    const int column = std::clamp(point.x < 0 ? -1 : static_cast<int>(point.x) / w, 0, kPaletteColumns - 1);
    return PaletteCellColor(rows[row], column);
}

void PaletteRowsToStops(
    CRect rect, CSize palette, const COLORREF (&rows)[7], bool forward, int T, ColorTemplateArrayEx& strip)
{
    const int h = std::max(1, static_cast<int>(palette.cy) / kPaletteRows);
    const CRect inside(0, 0, palette.cx, palette.cy);
    for (int y = rect.top; y < rect.bottom; y += h) {
        if (!inside.PtInRect(CPoint(rect.left, y)))
            continue;
        const COLORREF c1 = PaletteColorAt(CPoint(rect.left, y), palette, rows);
        const COLORREF c2 = PaletteColorAt(CPoint(rect.right, y), palette, rows);
        ColorTemplateEx* stop = c1 == c2 ? NewStop(ColorTemplateEx::MODE_SOLID, T, { c1 })
                                         : NewStop(ColorTemplateEx::MODE_GRADIENT, T, { c1, c2 });
        if (forward) {
            strip.m_stops.Add(stop);
        } else {
            strip.m_stops.Add(ColorTemplateEx::CloneReversed(stop));
            delete stop;
        }
    }
}

ColorTemplateArrayEx* PaletteDragStrip(
    CPoint press, CPoint release, CSize palette, const COLORREF (&rows)[7], int T, COLORREF& pickedColor)
{
    if (press == release || PaletteColorAt(press, palette, rows) == PaletteColorAt(release, palette, rows)) {
        pickedColor = PaletteColorAt(release, palette, rows);
        return nullptr;
    }
    CRect rect(press, release);
    rect.NormalizeRect();
    rect.left = std::max(0, static_cast<int>(rect.left));
    rect.top = std::max(0, static_cast<int>(rect.top));
    ColorTemplateArrayEx stops;
    PaletteRowsToStops(rect, palette, rows, release.x >= rect.right, T, stops);
    auto* strip = new ColorTemplateArrayEx;
    const bool downwards = release.y >= rect.bottom;
    for (INT_PTR i = 0; i < stops.m_stops.GetSize(); ++i) {
        const INT_PTR from = downwards ? i : stops.m_stops.GetSize() - 1 - i;
        strip->m_stops.Add(stops.m_stops.GetAt(from));
    }
    stops.m_stops.RemoveAll(); // moved into strip
    return strip;
}

int NextStopRightOf(const CustomStops& stops, int from)
{
    const int x = from >= 0 && from < static_cast<int>(stops.size()) ? stops[from].x : 0;
    int best = -1;
    for (int i = 0; i < static_cast<int>(stops.size()); ++i) {
        const int sx = stops[i].x;
        if (sx > x && sx < x + 1000 && (best < 0 || sx < stops[best].x))
            best = i;
    }
    return best;
}

COLORREF CustomBarColorAt(const CustomStops& stops, bool gradient, int x, int width, COLORREF face)
{
    if (x < 5 || x >= width - 5)
        return face;
    for (int p = NextStopRightOf(stops, -1); p >= 0;) {
        const int q = NextStopRightOf(stops, p);
        if (q < 0)
            break;
        const int x1 = stops[p].x;
        const int x2 = stops[q].x;
        if (x >= x1 && x < x2) {
            if (!gradient)
                return stops[p].color;
            return InterpolateColor(stops[p].color, stops[q].color, x - x1, x2 - x1);
        }
        p = q;
    }
    return RGB(0, 0, 0);
}

ColorTemplateArrayEx* CustomBarToStrip(const CustomStops& stops, bool gradient, int width, int T)
{
    const double span = static_cast<double>(width - 10);
    int p = NextStopRightOf(stops, -1);
    if (span <= 0 || p < 0)
        return nullptr;
    auto share = [&](double pixels) { return pixels / span * T; };
    auto* strip = new ColorTemplateArrayEx;
    if (stops[p].x > 5)
        strip->m_stops.Add(NewStop(ColorTemplateEx::MODE_SOLID, static_cast<int>(share(stops[p].x - 5)), { 0 }));
    for (int q = NextStopRightOf(stops, p); q >= 0; p = q, q = NextStopRightOf(stops, p)) {
        const int w = static_cast<int>(share(stops[q].x - stops[p].x) + 0.5);
        strip->m_stops.Add(gradient ? NewStop(ColorTemplateEx::MODE_GRADIENT, w, { stops[p].color, stops[q].color })
                                    : NewStop(ColorTemplateEx::MODE_SOLID, w, { stops[p].color }));
    }
    if (stops[p].x < width - 5)
        strip->m_stops.Add(
            NewStop(ColorTemplateEx::MODE_SOLID, static_cast<int>(share(width - stops[p].x - 5)), { 0 }));
    return strip;
}

CustomStops StartCustomStops(int width, int height)
{
    const int y = height - 5;
    return { { 5, y, RGB(255, 0, 0) }, { width / 2, y, RGB(0, 255, 0) }, { width - 5, y, RGB(0, 0, 255) } };
}

int CustomStopAt(const CustomStops& stops, CPoint point)
{
    for (int i = 0; i < static_cast<int>(stops.size()); ++i) {
        const S_CusPosInfo& s = stops[i];
        if (point.x >= s.x - 5 && point.x <= s.x + 5 && point.y >= s.y - 5 && point.y <= s.y + 5)
            return i;
    }
    return -1;
}

int ColorListWidth(const ColorStripList& list)
{
    int width = 0;
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        width += list.GetAt(i)->GetTotalWidth();
    return width;
}

bool ShortenColorList(ColorStripList& list)
{
    if (list.GetSize() == 0)
        return false;
    ColorTemplateArrayEx* strip = list.GetAt(list.GetSize() - 1);
    if (strip->m_stops.GetSize() == 0)
        return false;
    ColorTemplateEx* stop = strip->m_stops.GetAt(strip->m_stops.GetSize() - 1);
    stop->m_width -= 1;
    const int w = stop->m_width;
    if (stop->m_mode != ColorTemplateEx::MODE_SOLID && w > 0 && stop->m_colors.GetSize() >= 2)
        stop->m_colors.SetAt(1, InterpolateColor(stop->m_colors.GetAt(0), stop->m_colors.GetAt(1), w, w + 1));
    if (w <= 0) {
        delete stop;
        strip->m_stops.RemoveAt(strip->m_stops.GetSize() - 1);
        if (strip->m_stops.GetSize() == 0) {
            delete strip;
            list.RemoveAt(list.GetSize() - 1);
        }
    }
    return true;
}

bool RemoveLastColorStop(ColorStripList& list)
{
    if (list.GetSize() == 0)
        return false;
    ColorTemplateArrayEx* strip = list.GetAt(list.GetSize() - 1);
    if (strip->m_stops.GetSize() == 0)
        return false;
    delete strip->m_stops.GetAt(strip->m_stops.GetSize() - 1);
    strip->m_stops.RemoveAt(strip->m_stops.GetSize() - 1);
    if (strip->m_stops.GetSize() == 0) {
        delete strip;
        list.RemoveAt(list.GetSize() - 1);
    }
    return true;
}

void RepeatColorList(ColorStripList& list, int n)
{
    const INT_PTR count = list.GetSize();
    for (int run = 1; run < n; ++run) {
        for (INT_PTR i = 0; i < count; ++i)
            list.Add(ColorTemplateArrayEx::Clone(list.GetAt(i)));
    }
}

CString FreeCustomBarPath(const CString& folder, DWORD tick)
{
    for (DWORD n = tick;; ++n) {
        CString path;
        path.Format(L"%s%d.ctx", folder.GetString(), static_cast<int>(n));
        if (::GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES)
            return path;
        if (n - tick > 100000)
            return path; // a folder this full is not ours to fill further
    }
}

std::vector<std::pair<LPCWSTR, int>> PlusEditorTextKeys()
{
    std::vector<std::pair<LPCWSTR, int>> keys;
    for (int key = 33; key <= 52; ++key)
        keys.push_back({ L"KVMENU", key });
    for (int key = 67; key <= 74; ++key)
        keys.push_back({ L"KVMENU", key });
    for (int key = 94; key <= 121; ++key)
        keys.push_back({ L"KVMENU", key });
    for (int key : { 25, 26, 33, 34, 35, 36, 37, 38, 39, 40, 41, 43, 44, 154, 155, 156, 157, 158, 159, 160, 161, 162,
             163, 164, 165, 166, 191, 200, 201, 206, 207 })
        keys.push_back({ L"ITEM_TITLE", key });
    keys.push_back({ L"SHOW", 2 });
    return keys;
}
