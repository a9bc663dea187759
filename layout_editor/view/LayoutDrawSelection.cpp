// The pictures a full paint of the layout view keeps under the selection,
// and the repaint of a change of the selection from them. The first is the
// layout's own picture (background, lamps, port labels and numbers), the
// second the same with the connection lines. The selected ports' labels lie
// between the two: each is put in by restoring its box from the first
// picture and drawing, clipped to the box, the labels and then the lines of
// the ports there, as the full paint draws them in that order.
#include "PannexView.h"

#include "ViewPicture.h"

#include <algorithm>
#include <cmath>

namespace {

// What the kept pictures show besides the selection: the view's geometry
// and options, and the model's size.
struct PaintKey {
    double zoom = 0;
    int layout[4] = {};
    int width = 0, height = 0;
    const CLayoutData* model = nullptr;
    int ports = 0, used = 0;
    long long lamps = 0;
    int align = 0, lines = 0, numbers = 0;
    HDC background = nullptr;

    bool operator==(const PaintKey& o) const
    {
        return zoom == o.zoom && std::equal(layout, layout + 4, o.layout) && width == o.width && height == o.height
            && model == o.model && ports == o.ports && used == o.used && lamps == o.lamps && align == o.align
            && lines == o.lines && numbers == o.numbers && background == o.background;
    }
};

// The cells whose lamps may draw into a box of client pixels: a lamp's
// centre lies within its cell, its lines between such centres.
CRect CellsUnder(const LayoutPaintGeometry& g, const CRect& box)
{
    const double z = g.z > 0 ? g.z : 1.0;
    auto cell = [z](double pixels) { return static_cast<int>(std::floor(pixels / z)); };
    return CRect(cell(box.left - g.L.left) - 2, cell(box.top - g.L.top) - 2, cell(box.right - g.L.left) + 3,
        cell(box.bottom - g.L.top) + 3);
}

PaintKey MakeKey(const CLayoutData& model, const LayoutPaintGeometry& g, int width, int height, int lines, int numbers,
    HDC background)
{
    PaintKey key;
    key.zoom = g.z;
    key.layout[0] = g.L.left;
    key.layout[1] = g.L.top;
    key.layout[2] = g.L.right;
    key.layout[3] = g.L.bottom;
    key.width = width;
    key.height = height;
    key.model = &model;
    key.ports = model.GetPortCount();
    key.used = model.GetUsedCount();
    for (int u = 0; u < key.used; ++u)
        key.lamps += model.GetPort(model.GetUsedPort(u)).GetCount();
    key.align = AlignToGrid;
    key.lines = lines;
    key.numbers = numbers;
    key.background = background;
    return key;
}

} // namespace

struct CPannexView::SelectionBase {
    PaintKey key;
    bool complete = false; // both pictures are of the key's state
    std::unique_ptr<CViewPicture> under; // the layout's own picture
    std::unique_ptr<CViewPicture> lines; // the same with the connection lines
};

void CPannexView::SelectionBaseDeleter::operator()(SelectionBase* base) const
{
    delete base;
}

void CPannexView::SetKeepSelectionBase(bool keep)
{
    m_keepSelectionBase = keep;
    if (!keep)
        m_selectionBase.reset();
}

bool CPannexView::KeepSelectionBase(CDC& memDC, const CLayoutData& model, const LayoutPaintGeometry& g, bool withLines)
{
    const int cw = m_clientWidth;
    const int ch = m_clientHeight;
    if (!m_selectionBase)
        m_selectionBase.reset(new SelectionBase);
    SelectionBase& base = *m_selectionBase;
    std::unique_ptr<CViewPicture>& picture = withLines ? base.lines : base.under;
    base.complete = false;
    if (!picture || !picture->Fits(cw, ch))
        picture = std::make_unique<CViewPicture>(memDC.GetSafeHdc(), cw, ch);
    if (!picture->Fits(cw, ch) || !picture->CopyFrom(memDC.GetSafeHdc())) {
        picture.reset();
        return false;
    }
    if (!withLines)
        return true;
    base.key = MakeKey(model, g, cw, ch, m_connectionLines, m_lampNumbers, m_bkDC);
    base.complete = base.under != nullptr;
    return true;
}

void CPannexView::PutSelectedLabels(HDC dc, const CLayoutData& model, const LayoutPaintGeometry& g)
{
    const CRect client(0, 0, m_clientWidth, m_clientHeight);
    for (CRect box : SelectedLabelBoxes(model)) {
        if (!box.IntersectRect(&box, &client))
            continue;
        ::BitBlt(
            dc, box.left, box.top, box.Width(), box.Height(), m_selectionBase->under->Dc(), box.left, box.top, SRCCOPY);
        const int saved = ::SaveDC(dc);
        ::IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
        PaintSelectedLabels(dc, model);
        const CRect cells = CellsUnder(g, box);
        PaintConnectionLines(dc, model, g, &cells);
        ::RestoreDC(dc, saved);
    }
}

bool CPannexView::DrawSelectionChange(CDC* pDC)
{
    CLayoutData* model = GetModel();
    if (model == nullptr || pDC == nullptr)
        return false;
    const int cw = m_clientWidth;
    const int ch = m_clientHeight;
    LayoutPaintGeometry g = PaintGeometry();
    g.visible = m_visibleCells;
    const bool large = g.z > 7.0;
    const bool kept = m_keepSelectionBase && m_selectionBase && m_selectionBase->complete && !large && !m_movingLamp
        && !m_rotationRunning && m_previewCount <= 0;
    if (!kept || cw <= 0 || ch <= 0) {
        DrawLayout(pDC);
        return false;
    }
    // Anything else that changed since the full paint asks for another.
    SelectionBase& base = *m_selectionBase;
    if (!(base.key == MakeKey(*model, g, cw, ch, m_connectionLines, m_lampNumbers, m_bkDC))) {
        DrawLayout(pDC);
        return false;
    }
    CViewPicture frame(pDC->GetSafeHdc(), cw, ch);
    if (!frame.IsReady())
        return false;
    const HDC dc = frame.Dc();
    frame.CopyFrom(base.lines->Dc());
    ::SetBkMode(dc, TRANSPARENT);
    PutSelectedLabels(dc, *model, g);
    PaintTopLayers(dc, *model, g);
    frame.CopyTo(pDC->GetSafeHdc());
    return true;
}
