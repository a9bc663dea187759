// Keys, the mouse wheel and the overlap search of the layout view.
#include "PannexView.h"

#include <algorithm>
#include <cstdint>

#include "EditorSettings.h"
#include "LayoutAddPoints.h"

namespace {

// Above this many cells the overlap search sorts the lamps' cells instead
// of keeping one counter per cell.
constexpr long long kMaxCounterCells = 1LL << 22;

} // namespace

void CPannexView::OnKeyDown(UINT nChar, UINT, UINT)
{
    CLayoutData* model = GetModel();
    switch (nChar) {
    case VK_SHIFT:
    case VK_TAB: {
        BYTE& held = nChar == VK_SHIFT ? m_shiftHeld : m_tabHeld;
        if (held)
            break;
        held = 1;
        if (m_editMode == 1 && model != nullptr) {
            m_previewCount = AddLineOfPoints(
                *model, m_currentPort, m_settings.m_allowOverlap != 0, 0, &m_previewBuffer, m_currentCell);
            if (m_previewCount > 0)
                Redraw();
        }
        break;
    }
    case VK_CONTROL:
        m_ctrlHeld = 1;
        break;
    case VK_PRIOR:
    case VK_NEXT:
        // The cursor's place is the last one the mouse messages reported.
        ZoomWithMarker(nChar == VK_PRIOR ? 120 : -120, m_lastMouse);
        break;
    default:
        break;
    }
}

void CPannexView::OnKeyUp(UINT nChar, UINT, UINT)
{
    switch (nChar) {
    case VK_SHIFT:
        m_shiftHeld = 0;
        if (m_editMode == 1)
            m_previewCount = 0;
        Redraw();
        break;
    case VK_CONTROL:
        m_ctrlHeld = 0;
        break;
    case VK_TAB:
        m_tabHeld = 0;
        if (m_editMode == 1) {
            m_previewCount = 0;
            Redraw();
        }
        break;
    case VK_ESCAPE:
        SetEditMode(0);
        if (m_templateShown) {
            m_templateShown = 0;
            Redraw();
        }
        break;
    case VK_DELETE:
        OnEditDelete();
        break;
    default:
        break;
    }
}

BOOL CPannexView::OnMouseWheel(UINT, short zDelta, CPoint screen)
{
    CPoint client = screen;
    if (GetSafeHwnd() != nullptr)
        ::ScreenToClient(m_hWnd, &client);
    ZoomAt(zDelta, client.x, client.y);
    return TRUE;
}

void CPannexView::ZoomWithMarker(short delta, CPoint client)
{
    ZoomStep(delta, client.x, client.y, true);
}

void CPannexView::FindOverlapCells()
{
    if (!m_overlapMarkers)
        return;
    m_overlapCells.clear();
    CLayoutData* model = GetModel();
    if (model == nullptr)
        return;
    const long long width = LayoutWidth;
    const long long height = LayoutHeight;
    if (width < 1 || height < 1)
        return;
    // The ports of the controllers, never more than the model holds.
    long long listed = 0;
    for (INT_PTR c = 0; c < m_settings.m_controllers.GetSize(); ++c)
        listed += m_settings.m_controllers.GetAt(c);
    const int ports = static_cast<int>(std::min<long long>(listed, model->GetPortCount()));

    if (width * height <= kMaxCounterCells) {
        std::vector<std::uint8_t> count(static_cast<size_t>(width * height), 0);
        for (int p = ports - 1; p >= 0; --p) {
            const LayoutPort& port = model->GetPort(p);
            const CLPoint* points = port.GetPoints();
            for (int i = 0; i < port.GetCount(); ++i) {
                const CLPoint& lamp = points[i];
                if (lamp.x < 0 || lamp.y < 0 || lamp.x >= width || lamp.y >= height)
                    continue;
                std::uint8_t& c = count[static_cast<size_t>(lamp.y * width + lamp.x)];
                if (c < 2)
                    ++c;
            }
        }
        for (size_t i = 0; i < count.size(); ++i)
            if (count[i] > 1)
                m_overlapCells.emplace_back(static_cast<int>(i % width), static_cast<int>(i / width));
        return;
    }
    // A huge grid: the cells of the lamps, sorted in row order.
    std::vector<std::uint64_t> cells;
    for (int p = ports - 1; p >= 0; --p) {
        const LayoutPort& port = model->GetPort(p);
        const CLPoint* points = port.GetPoints();
        for (int i = 0; i < port.GetCount(); ++i) {
            const CLPoint& lamp = points[i];
            if (lamp.x < 0 || lamp.y < 0 || lamp.x >= width || lamp.y >= height)
                continue;
            cells.push_back(static_cast<std::uint64_t>(lamp.y) * static_cast<std::uint64_t>(width)
                + static_cast<std::uint64_t>(lamp.x));
        }
    }
    std::sort(cells.begin(), cells.end());
    for (size_t i = 1; i < cells.size(); ++i) {
        if (cells[i] == cells[i - 1] && (i < 2 || cells[i - 2] != cells[i]))
            m_overlapCells.emplace_back(static_cast<int>(cells[i] % static_cast<std::uint64_t>(width)),
                static_cast<int>(cells[i] / static_cast<std::uint64_t>(width)));
    }
}
