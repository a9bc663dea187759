// Painting of the layout view: background, grid, lamps, selection, markers,
// labels, numbers, connection lines, gesture previews, mode overlays and
// rulers, built off-screen and copied to the window in one blit.
#include "PannexView.h"

#include <cmath>

#include "EditorSettings.h"
#include "LabelPlacement.h"
#include "LayoutPaintGeometry.h"
#include "ViewPicture.h"

namespace {

const COLORREF kClientBack = RGB(192, 192, 192);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kMaskedFill = RGB(100, 100, 100);
const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kLightGreen = RGB(100, 255, 100);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kLayerText = RGB(0, 50, 200);
const COLORREF kFloatBack = RGB(150, 255, 100);
const COLORREF kFloatLine = RGB(0, 100, 200);
const COLORREF kRuler = RGB(200, 255, 100);

// A GDI object made for one drawing call, selected while it lives.
class CScopedObject {
public:
    CScopedObject(HDC dc, HGDIOBJ object)
        : m_dc(dc)
        , m_object(object)
        , m_old(object != nullptr ? ::SelectObject(dc, object) : nullptr)
    {
    }
    ~CScopedObject()
    {
        if (m_object != nullptr) {
            ::SelectObject(m_dc, m_old);
            ::DeleteObject(m_object);
        }
    }
    CScopedObject(const CScopedObject&) = delete;
    CScopedObject& operator=(const CScopedObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_object;
    HGDIOBJ m_old;
};

using Geometry = LayoutPaintGeometry;

void Text(HDC dc, int x, int y, const CString& text)
{
    ::TextOutW(dc, x, y, text, text.GetLength());
}

CString Number(int n)
{
    CString s;
    s.Format(L"%d", n);
    return s;
}

void NumberAt(HDC dc, const Geometry& g, const CLPoint& p, int n)
{
    const CRect sq = g.Square(p);
    Text(dc, sq.left + (sq.right - sq.left) / 2 - 12, sq.top + (sq.bottom - sq.top) / 2 - 10, Number(n));
}

CString PortLabel(const CPannexView& view, int port)
{
    int controller = 0;
    int number = 0;
    view.BarToCardPort(port, controller, number);
    CString s;
    s.Format(L"c%dp%d", controller, number);
    return s;
}

// Where a port's label is wanted: above and left of its first lamp.
CPoint LabelAnchor(const Geometry& g, const CLPoint& p)
{
    const CRect sq = g.Square(p);
    return CPoint(sq.left + (sq.right - sq.left) / 2 - 33, sq.top + (sq.bottom - sq.top) / 2 - 18);
}

// The size of a port label in the context's font, from the widths of its
// characters read once (a label is "c", digits, "p", digits).
class CLabelMeasure {
public:
    explicit CLabelMeasure(HDC dc)
        : m_dc(dc)
    {
        TEXTMETRICW metrics = {};
        ::GetTextMetricsW(dc, &metrics);
        m_height = metrics.tmHeight;
        m_known = ::GetCharWidth32W(dc, L'0', L'9', m_digits) && ::GetCharWidth32W(dc, L'c', L'c', &m_c)
            && ::GetCharWidth32W(dc, L'p', L'p', &m_p);
    }
    CSize Extent(const CString& label) const
    {
        int width = 0;
        for (int i = 0; i < label.GetLength() && m_known; ++i) {
            const wchar_t ch = label[i];
            if (ch >= L'0' && ch <= L'9')
                width += m_digits[ch - L'0'];
            else if (ch == L'c')
                width += m_c;
            else if (ch == L'p')
                width += m_p;
            else
                return Measured(label);
        }
        return m_known ? CSize(width, m_height) : Measured(label);
    }

private:
    CSize Measured(const CString& label) const
    {
        SIZE size = {};
        ::GetTextExtentPoint32W(m_dc, label, label.GetLength(), &size);
        return size;
    }
    HDC m_dc;
    int m_height = 0;
    INT m_digits[10] = {};
    INT m_c = 0;
    INT m_p = 0;
    bool m_known = false;
};

void Circle(HDC dc, const CRect& r)
{
    ::Ellipse(dc, r.left, r.top, r.right, r.bottom);
}

void Line(HDC dc, CPoint a, CPoint b)
{
    ::MoveToEx(dc, a.x, a.y, nullptr);
    ::LineTo(dc, b.x, b.y);
}

// The rectangle a port that fills its bounds is drawn as at small zoom.
CRect BlockRect(const Geometry& g, const CRect& b)
{
    return CRect(static_cast<int>(g.cx + g.z * (b.left + 1)), static_cast<int>(g.cy + g.z * (b.top + 1)),
        static_cast<int>(g.cx + g.z * b.right), static_cast<int>(g.cy + g.z * b.bottom));
}

void FillBlock(HDC dc, const CRect& r, COLORREF colour)
{
    if (r.Width() == 0 || r.Height() == 0) {
        Line(dc, r.TopLeft(), r.BottomRight());
        return;
    }
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(dc, &r, brush);
    ::DeleteObject(brush);
}

// A port's chain as a polyline, each straight run drawn as one segment
// between its extreme lamps.
void MergedPolyline(HDC dc, const Geometry& g, const LayoutPort& port)
{
    const int n = port.GetCount();
    auto at = [&](int k) { return port.GetPoint(k); };
    auto centre = [&](int k) { return g.Centre(at(k)); };
    enum { None, Vertical, Horizontal } state = None;
    int s = 0;
    int low = 0;
    int high = 0;
    ::MoveToEx(dc, centre(0).x, centre(0).y, nullptr);
    auto segment = [&](int a, int b) {
        ::MoveToEx(dc, centre(a).x, centre(a).y, nullptr);
        ::LineTo(dc, centre(b).x, centre(b).y);
    };
    auto update = [&](int k) {
        if (state == Vertical) {
            if (at(low).m_normY > at(k).m_normY)
                low = k;
            if (at(high).m_normY < at(k).m_normY)
                high = k;
        } else {
            if (at(low).m_normX > at(k).m_normX)
                low = k;
            if (at(high).m_normX < at(k).m_normX)
                high = k;
        }
    };
    for (int k = 1; k < n; ++k) {
        if (state == None) {
            if (std::fabs(at(k).m_normX - at(s).m_normX) < 0.0001) {
                state = Vertical;
                update(k);
            } else if (std::fabs(at(k).m_normY - at(s).m_normY) < 0.0001) {
                state = Horizontal;
                update(k);
            } else {
                segment(low, k);
                s = low = high = k;
            }
        } else {
            const bool same = state == Vertical ? at(k).m_normX == at(s).m_normX : at(k).m_normY == at(s).m_normY;
            if (same) {
                update(k);
            } else {
                segment(low, high);
                ::LineTo(dc, centre(k - 1).x, centre(k - 1).y);
                ::LineTo(dc, centre(k).x, centre(k).y);
                state = None;
                s = low = high = k;
            }
        }
    }
    segment(low, high);
}

// Blends an off-screen block onto the picture at constant alpha 150.
void BlendBlock(HDC dc, HDC block, int x, int y, int w, int h)
{
    BLENDFUNCTION blend = { AC_SRC_OVER, 0, 150, 0 };
    ::AlphaBlend(dc, x, y, w, h, block, 0, 0, w, h, blend);
}

// An off-screen block filled with the floating colour, text blue.
class COverlayBlock : public CViewPicture {
public:
    COverlayBlock(HDC reference, int w, int h)
        : CViewPicture(reference, std::max(w, 1), std::max(h, 1))
    {
        if (!IsReady())
            return;
        const RECT all = { 0, 0, w, h };
        HBRUSH brush = ::CreateSolidBrush(kFloatBack);
        ::FillRect(Dc(), &all, brush);
        ::DeleteObject(brush);
        ::SetBkMode(Dc(), TRANSPARENT);
        ::SetTextColor(Dc(), kBlue);
    }
};

void DrawFloatingGrid(HDC dc, const Geometry& g, const CLayoutData& model, const CPannexView& view)
{
    const int count = model.GetFloatingCount();
    const CLPoint* points = model.GetFloatingPoints();
    if (count <= 0 || points == nullptr)
        return;
    int mx = 0;
    int my = 0;
    for (int i = 0; i < count; ++i) {
        mx = std::max(mx, static_cast<int>(points[i].x));
        my = std::max(my, static_cast<int>(points[i].y));
    }
    const int bw = static_cast<int>(g.z * (mx + 1));
    const int bh = static_cast<int>(g.z * (my + 1));
    COverlayBlock block(dc, bw, bh);
    HDC b = block.Dc();
    const int half = static_cast<int>(g.half);
    {
        CScopedObject brush(b, ::CreateSolidBrush(RGB(255, 255, 255)));
        if (g.z > 7.0) {
            for (int i = 0; i < count; ++i) {
                const int x = static_cast<int>(g.z * points[i].x);
                const int y = static_cast<int>(g.z * points[i].y);
                Circle(b, CRect(x, y, static_cast<int>(x + g.z), static_cast<int>(y + g.z)));
            }
        }
        const int x = static_cast<int>(g.z * points[0].x);
        const int y = static_cast<int>(g.z * points[0].y);
        const int size = static_cast<int>(g.z);
        Text(b, x + size / 2 - 3, y + size / 2 - 8, L"1");
    }
    {
        CScopedObject pen(b, ::CreatePen(PS_SOLID, 1, kFloatLine));
        for (int i = 0; i < count; ++i) {
            const int x = static_cast<int>(half + g.z * points[i].x);
            const int y = static_cast<int>(half + g.z * points[i].y);
            if (i == 0)
                ::MoveToEx(b, x, y, nullptr);
            else
                ::LineTo(b, x, y);
        }
    }
    CString ports;
    ports.Format(L"%d Port", 1);
    Text(b, 0, 0, ports);

    const CLPoint& cell = view.m_currentCell;
    const int cellLeft = static_cast<int>(g.L.left + g.z * cell.x);
    const int cellTop = static_cast<int>(g.L.top + g.z * cell.y);
    const int x = points[0].x == mx ? static_cast<int>(cellLeft + g.z) - bw : cellLeft;
    const int y = points[0].y == my ? static_cast<int>(cellTop + g.z) - bh : cellTop;
    BlendBlock(dc, b, x, y, bw, bh);

    CScopedObject pen(dc, ::CreatePen(PS_SOLID, 1, kFloatLine));
    const CLayoutData& m = model;
    if (m.IsValidPort(view.m_currentPort) && m.GetPort(view.m_currentPort).GetCount() > 0) {
        const LayoutPort& port = m.GetPort(view.m_currentPort);
        const CLPoint& last = port.GetPoint(port.GetCount() - 1);
        Line(dc, CPoint(static_cast<int>(g.cx + g.z * last.x), static_cast<int>(g.cy + g.z * last.y)),
            CPoint(static_cast<int>(g.cx + g.z * cell.x), static_cast<int>(g.cy + g.z * cell.y)));
    }
}

void DrawTemplate(HDC dc, const Geometry& g, const CLightBarTemplate& copy)
{
    const int bw = static_cast<int>(g.z * copy.m_width);
    const int bh = static_cast<int>(g.z * copy.m_height);
    if (bw <= 0 || bh <= 0)
        return;
    COverlayBlock block(dc, bw, bh);
    HDC b = block.Dc();
    const int copyCount = static_cast<int>(copy.m_ports.size());
    auto cornerOf = [&](const CLPoint& p) {
        if (AlignToGrid)
            return CPoint(static_cast<int>(g.z * p.x), static_cast<int>(g.z * p.y));
        return CPoint(static_cast<int>(bw * p.m_normX), static_cast<int>(bh * p.m_normY));
    };
    {
        CScopedObject brush(b, ::CreateSolidBrush(RGB(255, 255, 255)));
        for (int k = 0; k < copyCount; ++k) {
            const LayoutPort& port = copy.m_ports[static_cast<size_t>(k)];
            if (port.GetCount() == 0)
                continue;
            const CPoint first = cornerOf(port.GetPoint(0));
            const CRect sq(first.x, first.y, static_cast<int>(first.x + g.z), static_cast<int>(first.y + g.z));
            if (g.z > 7.0)
                Circle(b, sq);
            const int tx = std::max<int>(sq.left + sq.Width() / 2 - 12, 0);
            const int ty = std::max<int>(sq.top + sq.Height() / 2 - 10, 0);
            Text(b, tx, ty, Number(k + 1));
            if (g.z > 7.0) {
                for (int i = 1; i < port.GetCount(); ++i) {
                    const CLPoint& p = port.GetPoint(i);
                    if (!g.Visible(p.x + copy.m_left, p.y + copy.m_top))
                        continue;
                    const CPoint c = cornerOf(p);
                    Circle(b, CRect(c.x, c.y, static_cast<int>(c.x + g.z), static_cast<int>(c.y + g.z)));
                }
            }
        }
    }
    CString ports;
    ports.Format(L"%d Port", copyCount);
    Text(b, 0, 0, ports);
    {
        CScopedObject pen(b, ::CreatePen(PS_SOLID, 1, kFloatLine));
        for (const LayoutPort& port : copy.m_ports) {
            if (port.GetCount() < 2)
                continue;
            for (int i = 0; i < port.GetCount(); ++i) {
                const CLPoint& p = port.GetPoint(i);
                CPoint c;
                if (AlignToGrid)
                    c = CPoint(static_cast<int>(static_cast<int>(g.half) + g.z * p.x),
                        static_cast<int>(static_cast<int>(g.half) + g.z * p.y));
                else
                    c = CPoint(static_cast<int>(g.half + bw * p.m_normX), static_cast<int>(g.half + bh * p.m_normY));
                if (i == 0)
                    ::MoveToEx(b, c.x, c.y, nullptr);
                else
                    ::LineTo(b, c.x, c.y);
            }
        }
    }
    CPoint at;
    if (AlignToGrid)
        at = CPoint(static_cast<int>(g.L.left + g.z * copy.m_left), static_cast<int>(g.L.top + g.z * copy.m_top));
    else
        at = CPoint(static_cast<int>(g.L.left + g.wp * copy.m_leastNormX - g.half),
            static_cast<int>(g.L.top + g.hp * copy.m_leastNormY - g.half));
    BlendBlock(dc, b, at.x, at.y, bw, bh);
}

} // namespace

void CPannexView::DrawLayout(CDC* pDC)
{
    CLayoutData* model = GetModel();
    if (model == nullptr || pDC == nullptr)
        return;
    const int cw = m_clientWidth;
    const int ch = m_clientHeight;
    if (cw <= 0 || ch <= 0)
        return;
    CViewPicture frame(pDC->GetSafeHdc(), cw, ch);
    if (!frame.IsReady())
        return;
    CDC memDC;
    memDC.Attach(frame.Dc());
    PaintLayout(memDC, *model);
    memDC.Detach(); // the picture frees its own context
    frame.CopyTo(pDC->GetSafeHdc());
}

LayoutPaintGeometry CPannexView::PaintGeometry() const
{
    LayoutPaintGeometry g;
    g.z = m_zoom;
    g.L = LayoutRectInClient();
    g.wp = g.L.Width();
    g.hp = g.L.Height();
    g.half = g.z * 0.5;
    g.cx = static_cast<int>(g.half + g.L.left);
    g.cy = static_cast<int>(g.half + g.L.top);
    return g;
}

void CPannexView::PaintLayout(CDC& memDC, CLayoutData& model)
{
    const HDC dc = memDC.GetSafeHdc();
    const int cw = m_clientWidth;
    const int ch = m_clientHeight;
    Geometry g = PaintGeometry();
    const bool large = g.z > 7.0;

    // 1. Background of the client area.
    const RECT client = { 0, 0, cw, ch };
    {
        HBRUSH grey = ::CreateSolidBrush(kClientBack);
        ::FillRect(dc, &client, grey);
        ::DeleteObject(grey);
    }
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kRed);

    // 2. The layout area: the background picture or black.
    if (m_bkDC != nullptr && m_bkWidth > 0 && m_bkHeight > 0 && g.wp > 0 && g.hp > 0) {
        int dx = g.L.left, dy = g.L.top, dw = g.L.Width(), dh = g.L.Height();
        int sx = 0, sy = 0, sw = m_bkWidth, sh = m_bkHeight;
        if (g.L.left < 0) {
            dx = 0;
            dw -= -g.L.left;
            sx = static_cast<int>(std::abs(g.L.left) / g.wp * m_bkWidth);
            sw = m_bkWidth - sx;
        }
        if (g.L.top < 0) {
            dy = 0;
            dh -= -g.L.top;
            sy = static_cast<int>(std::abs(g.L.top) / g.hp * m_bkHeight);
            sh = m_bkHeight - sy;
        }
        if (g.L.right > cw) {
            dw -= g.L.right - cw;
            sw = static_cast<int>((m_bkWidth - sx) - std::abs(g.L.right - cw) / g.wp * m_bkWidth);
        }
        if (g.L.bottom > ch) {
            dh -= g.L.bottom - ch;
            sh = static_cast<int>((m_bkHeight - sy) - std::abs(g.L.bottom - ch) / g.hp * m_bkHeight);
        }
        if (dw > 0 && dh > 0 && sw > 0 && sh > 0) {
            BLENDFUNCTION opaque = { AC_SRC_OVER, 0, 255, 0 };
            ::AlphaBlend(dc, dx, dy, dw, dh, m_bkDC, sx, sy, sw, sh, opaque);
        }
    } else {
        HBRUSH black = ::CreateSolidBrush(RGB(0, 0, 0));
        ::FillRect(dc, &g.L, black);
        ::DeleteObject(black);
    }

    // 3. Grid dots on the layout's cell raster over the whole client area.
    if (large && m_settings.m_showGrid) {
        const int zi = static_cast<int>(g.z);
        const int ox = g.L.left % zi;
        const int oy = g.L.top % zi;
        const int vc = static_cast<int>(cw / g.z + 0.5);
        const int vr = static_cast<int>(ch / g.z + 0.5);
        for (int r = -1; r <= vr; ++r)
            for (int c = -1; c <= vc; ++c)
                ::SetPixelV(dc, static_cast<int>(c * g.z + g.half + ox), static_cast<int>(r * g.z + g.half + oy),
                    m_settings.m_swatchColour);
    }

    // 4. Cells under the client's corners.
    {
        const CLPoint a = PointFromClient(CPoint(0, 0));
        const CLPoint b = PointFromClient(CPoint(cw, ch));
        m_visibleCells = CRect(a.x, a.y, b.x, b.y);
        g.visible = m_visibleCells;
    }

    HBRUSH whiteBrush = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    const int used = model.GetUsedCount();
    auto usedPort = [&](int i) -> const LayoutPort& { return model.GetPort(model.GetUsedPort(i)); };

    // 5. Lamps of the ports in use.
    if (large) {
        HGDIOBJ oldBrush = ::SelectObject(dc, whiteBrush);
        HBRUSH masked = ::CreateSolidBrush(kMaskedFill);
        for (int u = 0; u < used; ++u) {
            const LayoutPort& port = usedPort(u);
            for (int j = 0; j < port.GetCount(); ++j) {
                const CLPoint& p = port.GetPoint(j);
                if (j > 0 && !g.Visible(p))
                    continue;
                const CRect sq = g.Square(p);
                Circle(dc, sq);
                if (p.m_masked) {
                    ::SelectObject(dc, masked);
                    Circle(dc, sq);
                    ::SelectObject(dc, whiteBrush);
                }
                if (p.m_lampFormat)
                    ::FrameRect(dc, &sq, whiteBrush);
                if (j > 0 && port.m_wiringMark)
                    NumberAt(dc, g, p, j + 1);
            }
        }
        ::SelectObject(dc, oldBrush);
        ::DeleteObject(masked);
    }

    // 6. Lamps about to be appended by the wiring gesture.
    const LayoutPort* current = model.IsValidPort(m_currentPort) ? &model.GetPort(m_currentPort) : nullptr;
    const int previewCount = std::min(m_previewCount, static_cast<int>(m_previewBuffer.size()));
    if (large && previewCount > 0) {
        HGDIOBJ oldBrush = ::SelectObject(dc, whiteBrush);
        const int base = current != nullptr ? current->GetCount() : 0;
        for (int k = 0; k < previewCount; ++k) {
            const CLPoint& p = m_previewBuffer[static_cast<size_t>(k)];
            if (!g.Visible(p))
                continue;
            Circle(dc, g.Square(p));
            NumberAt(dc, g, p, base + k + 1);
        }
        ::SelectObject(dc, oldBrush);
    }

    // 7. Cells holding more than one lamp.
    if (m_overlapMarkers && large) {
        CScopedObject brush(dc, ::CreateSolidBrush(kMagenta));
        CScopedObject pen(dc, ::CreatePen(PS_SOLID, 1, kYellow));
        for (const CPoint& cell : m_overlapCells) {
            if (!g.Visible(cell))
                continue;
            const int l = static_cast<int>(g.L.left + g.z * cell.x);
            const int t = static_cast<int>(g.L.top + g.z * cell.y);
            Circle(dc, CRect(l, t, static_cast<int>(l + g.z), static_cast<int>(t + g.z)));
        }
    }

    const size_t selectedCount = std::min(model.m_selectedPorts.size(), model.m_selectionBits.size());
    auto selected = [&](size_t k, int i) {
        const std::vector<bool>& bits = model.m_selectionBits[k];
        return i >= 0 && static_cast<size_t>(i) < bits.size() && bits[static_cast<size_t>(i)];
    };

    // 8. Selected lamps.
    if (large && selectedCount > 0) {
        CScopedObject brush(dc, ::CreateSolidBrush(kYellow));
        CScopedObject pen(dc, ::CreatePen(PS_SOLID, 1, kYellow));
        for (size_t k = 0; k < selectedCount; ++k) {
            const int portIndex = model.m_selectedPorts[k];
            if (!model.IsValidPort(portIndex))
                continue;
            const LayoutPort& port = model.GetPort(portIndex);
            for (int i = 0; i < port.GetCount(); ++i)
                if (selected(k, i) && g.Visible(port.GetPoint(i)))
                    Circle(dc, g.Square(port.GetPoint(i)));
        }
    }

    // 9. Port labels at each port's first lamp, or where they do not cover
    // one another.
    PlacePortLabels(dc, model, g);
    for (int u = 0; u < used; ++u) {
        const int portIndex = model.GetUsedPort(u);
        if (const CRect* box = PortLabelBox(portIndex))
            Text(dc, box->left, box->top, PortLabel(*this, portIndex));
    }

    // 10. Lamp numbers, or else layer numbers.
    if (m_lampNumbers && large) {
        ::SetTextColor(dc, kBlue);
        for (int u = 0; u < used; ++u) {
            const LayoutPort& port = usedPort(u);
            for (int j = 0; j < port.GetCount(); ++j)
                if (j == 0 || g.Visible(port.GetPoint(j)))
                    NumberAt(dc, g, port.GetPoint(j), j + 1);
        }
    } else {
        ::SetTextColor(dc, kLayerText);
        for (int u = 0; u < used; ++u) {
            const LayoutPort& port = usedPort(u);
            for (int j = 0; j < port.GetCount(); ++j) {
                const CLPoint& p = port.GetPoint(j);
                if (p.m_layer != 0 && (j == 0 || g.Visible(p)))
                    NumberAt(dc, g, p, p.m_layer);
            }
        }
    }

    // 11 to 17: what lies over the layout's own picture. While nothing but
    // the selection can change it, the pictures under the selection are
    // kept, and the labels of the selected ports, drawn before the
    // connection lines, are put in afterwards (LayoutDrawSelection.cpp).
    if (m_keepSelectionBase && !large && !m_movingLamp && !m_rotationRunning && previewCount == 0
        && KeepSelectionBase(memDC, model, g, false)) {
        PaintConnectionLines(dc, model, g, nullptr);
        KeepSelectionBase(memDC, model, g, true);
        PutSelectedLabels(dc, model, g);
        PaintTopLayers(dc, model, g);
        return;
    }
    m_selectionBase.reset();

    // 11. Labels of the selected ports.
    PaintSelectedLabels(dc, model);

    // 12. Outlines of the selection being moved or rotated.
    if (m_movingLamp && !m_currentCell.SameCell(m_pressCell)) {
        CScopedObject pen(dc, ::CreatePen(PS_SOLID, 1, kYellow));
        HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
        const int dx = m_currentCell.x - m_pressCell.x;
        const int dy = m_currentCell.y - m_pressCell.y;
        const double dfx = m_currentCell.m_normX - m_pressCell.m_normX;
        const double dfy = m_currentCell.m_normY - m_pressCell.m_normY;
        for (size_t k = 0; k < selectedCount; ++k) {
            const int portIndex = model.m_selectedPorts[k];
            if (!model.IsValidPort(portIndex))
                continue;
            const LayoutPort& port = model.GetPort(portIndex);
            for (int i = 0; i < port.GetCount(); ++i) {
                const CLPoint& p = port.GetPoint(i);
                if (!selected(k, i) || !g.Visible(p.x + dx, p.y + dy))
                    continue;
                int l = 0;
                int t = 0;
                if (AlignToGrid) {
                    l = static_cast<int>(g.L.left + g.z * (p.x + dx));
                    t = static_cast<int>(g.L.top + g.z * (p.y + dy));
                } else {
                    l = static_cast<int>(g.L.left + g.wp * (p.m_normX + dfx) - g.half);
                    t = static_cast<int>(g.L.top + g.hp * (p.m_normY + dfy) - g.half);
                }
                Circle(dc, CRect(l, t, static_cast<int>(l + g.z), static_cast<int>(t + g.z)));
            }
        }
        ::SelectObject(dc, oldBrush);
    } else if (m_rotationRunning && !m_currentCell.SameCell(m_pressCell)) {
        CScopedObject pen(dc, ::CreatePen(PS_SOLID, 1, kLightGreen));
        HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
        size_t n = 0;
        for (size_t k = 0; k < selectedCount; ++k) {
            const int portIndex = model.m_selectedPorts[k];
            if (!model.IsValidPort(portIndex))
                continue;
            const LayoutPort& port = model.GetPort(portIndex);
            for (int i = 0; i < port.GetCount(); ++i) {
                if (!selected(k, i))
                    continue;
                if (n < m_rotationPreview.size())
                    Circle(dc, g.Square(m_rotationPreview[n]));
                ++n;
            }
        }
        ::SelectObject(dc, oldBrush);
    }

    // 13. Connection lines.
    PaintConnectionLines(dc, model, g, nullptr);

    // 14. The line to the lamps about to be appended.
    if (previewCount > 0) {
        CScopedObject pen(dc, ::CreatePen(PS_SOLID, 1, current != nullptr ? current->m_colour : kRed));
        const CPoint first = g.Centre(m_previewBuffer[0]);
        if (current != nullptr && current->GetCount() > 0)
            Line(dc, g.Centre(current->GetPoint(current->GetCount() - 1)), first);
        ::MoveToEx(dc, first.x, first.y, nullptr);
        for (int k = 1; k < previewCount; ++k) {
            const CPoint c = g.Centre(m_previewBuffer[static_cast<size_t>(k)]);
            ::LineTo(dc, c.x, c.y);
        }
    }

    PaintTopLayers(dc, model, g);
}

void CPannexView::PaintSelectedLabels(HDC dc, const CLayoutData& model) const
{
    const size_t selectedCount = std::min(model.m_selectedPorts.size(), model.m_selectionBits.size());
    if (selectedCount == 0)
        return;
    ::SetTextColor(dc, kLightGreen);
    for (size_t k = 0; k < selectedCount; ++k) {
        const int portIndex = model.m_selectedPorts[k];
        if (const CRect* box = PortLabelBox(portIndex))
            Text(dc, box->left, box->top, PortLabel(*this, portIndex));
    }
}

std::vector<CRect> CPannexView::SelectedLabelBoxes(const CLayoutData& model) const
{
    std::vector<CRect> boxes;
    const size_t selectedCount = std::min(model.m_selectedPorts.size(), model.m_selectionBits.size());
    for (size_t k = 0; k < selectedCount; ++k) {
        if (const CRect* placed = PortLabelBox(model.m_selectedPorts[k])) {
            CRect box = *placed;
            // Glyphs may reach a little beyond the text's advance.
            box.InflateRect(8, 8);
            boxes.push_back(box);
        }
    }
    return boxes;
}

void CPannexView::PlacePortLabels(HDC dc, const CLayoutData& model, const LayoutPaintGeometry& g)
{
    m_portLabelBoxes.assign(static_cast<size_t>(std::max(model.GetPortCount(), 0)), CRect(0, 0, 0, 0));
    const CLabelMeasure measure(dc);
    std::vector<int> ports;
    std::vector<CRect> wanted;
    for (int u = 0; u < model.GetUsedCount(); ++u) {
        const int portIndex = model.GetUsedPort(u);
        if (!model.IsValidPort(portIndex) || model.GetPort(portIndex).GetCount() == 0)
            continue;
        ports.push_back(portIndex);
        wanted.emplace_back(
            LabelAnchor(g, model.GetPort(portIndex).GetPoint(0)), measure.Extent(PortLabel(*this, portIndex)));
    }
    const std::vector<CRect> placed = PlaceLabels(wanted, CRect(0, 0, m_clientWidth, m_clientHeight));
    for (size_t i = 0; i < ports.size(); ++i)
        m_portLabelBoxes[static_cast<size_t>(ports[i])] = placed[i];
}

const CRect* CPannexView::PortLabelBox(int port) const
{
    if (port < 0 || static_cast<size_t>(port) >= m_portLabelBoxes.size())
        return nullptr;
    const CRect& box = m_portLabelBoxes[static_cast<size_t>(port)];
    return box.IsRectEmpty() ? nullptr : &box;
}

void CPannexView::PaintConnectionLines(
    HDC dc, const CLayoutData& model, const LayoutPaintGeometry& g, const CRect* cells) const
{
    if (!m_connectionLines && g.z > 7.0)
        return;
    const int used = model.GetUsedCount();
    for (int u = 0; u < used; ++u) {
        const LayoutPort& port = model.GetPort(model.GetUsedPort(u));
        if (port.GetCount() < 2 || !g.Meets(port.GetBounds()))
            continue;
        CRect hit;
        if (cells != nullptr && !hit.IntersectRect(&port.GetBounds(), cells))
            continue;
        CScopedObject pen(dc, ::CreatePen(PS_SOLID, 1, port.m_colour));
        if (port.FillsRectangle() && g.z <= 1)
            FillBlock(dc, BlockRect(g, port.GetBounds()), port.m_colour);
        else
            MergedPolyline(dc, g, port);
    }
}

void CPannexView::PaintTopLayers(HDC dc, CLayoutData& model, const LayoutPaintGeometry& g)
{
    const int cw = m_clientWidth;
    const int ch = m_clientHeight;
    const bool large = g.z > 7.0;
    const size_t selectedCount = std::min(model.m_selectedPorts.size(), model.m_selectionBits.size());
    auto selected = [&](size_t k, int i) {
        const std::vector<bool>& bits = model.m_selectionBits[k];
        return i >= 0 && static_cast<size_t>(i) < bits.size() && bits[static_cast<size_t>(i)];
    };

    // 15. The selection at small zoom.
    if (!large && selectedCount > 0) {
        CScopedObject pen(dc, ::CreatePen(PS_SOLID, 1, kYellow));
        for (size_t k = 0; k < selectedCount; ++k) {
            const int portIndex = model.m_selectedPorts[k];
            if (!model.IsValidPort(portIndex))
                continue;
            const LayoutPort& port = model.GetPort(portIndex);
            if (!g.Meets(port.GetBounds()))
                continue;
            const bool whole = static_cast<size_t>(portIndex) < model.m_blockSelected.size()
                && model.m_blockSelected[static_cast<size_t>(portIndex)] != 0;
            if (whole && g.z <= 1) {
                FillBlock(dc, BlockRect(g, port.GetBounds()), kYellow);
                continue;
            }
            for (int i = 1; i < port.GetCount(); ++i) {
                if (!selected(k, i) || !selected(k, i - 1))
                    continue;
                Line(dc, g.Centre(port.GetPoint(i - 1)), g.Centre(port.GetPoint(i)));
            }
        }
    }

    // 16. Overlays of the edit mode.
    if (m_editMode == 2) {
        DrawFloatingGrid(dc, g, model, *this);
    } else if (m_editMode == 3) {
        const CPoint tl = g.CellPos(m_currentCell);
        m_dragRect = CRect(
            tl.x, tl.y, tl.x + static_cast<int>(g.z * m_fastWidth), tl.y + static_cast<int>(g.z * m_fastHeight));
        HBRUSH green = ::CreateSolidBrush(kLightGreen);
        ::FrameRect(dc, &m_dragRect, green);
        ::DeleteObject(green);
    } else if (m_templateShown && !m_copyBuffer.m_ports.empty()) {
        DrawTemplate(dc, g, m_copyBuffer);
    }

    // 17. Rulers.
    if (m_settings.m_hRulers.GetSize() > 0 || m_settings.m_vRulers.GetSize() > 0) {
        CScopedObject pen(dc, ::CreatePen(PS_SOLID, 1, kRuler));
        ::SetTextColor(dc, kRuler);
        for (INT_PTR i = 0; i < m_settings.m_hRulers.GetSize(); ++i) {
            const int r = m_settings.m_hRulers.GetAt(i);
            const int y = static_cast<int>((r - 1) * g.z + g.cy);
            Line(dc, CPoint(0, y), CPoint(cw, y));
            Text(dc, g.L.left - 30, y - 15, Number(r));
        }
        for (INT_PTR i = 0; i < m_settings.m_vRulers.GetSize(); ++i) {
            const int c = m_settings.m_vRulers.GetAt(i);
            const int x = static_cast<int>((c - 1) * g.z + g.cx);
            Line(dc, CPoint(x, 0), CPoint(x, ch));
            Text(dc, x + 2, g.L.top - 30, Number(c));
        }
    }
}
