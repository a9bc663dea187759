// Selection of lamp points.
#include "LayoutSelection.h"

#include <algorithm>

namespace {

// Entry of the port in the selected list, -1 when not listed.
int FindEntry(const CLayoutData& layout, int port)
{
    auto it = std::find(layout.m_selectedPorts.begin(), layout.m_selectedPorts.end(), static_cast<WORD>(port));
    return it == layout.m_selectedPorts.end() ? -1 : static_cast<int>(it - layout.m_selectedPorts.begin());
}

// The entry's bits, long enough for the port's current points.
std::vector<bool>& BitsFor(CLayoutData& layout, int entry, int count)
{
    std::vector<bool>& bits = layout.m_selectionBits[static_cast<size_t>(entry)];
    if (static_cast<int>(bits.size()) < count)
        bits.resize(static_cast<size_t>(count), false);
    return bits;
}

int AppendEntry(CLayoutData& layout, int port, bool allSet)
{
    layout.m_selectedPorts.push_back(static_cast<WORD>(port));
    layout.m_selectionBits.emplace_back(static_cast<size_t>(layout.GetPort(port).GetCount()), allSet);
    return static_cast<int>(layout.m_selectedPorts.size()) - 1;
}

void SetBlockFlag(CLayoutData& layout, int port, bool value)
{
    if (port >= 0 && port < static_cast<int>(layout.m_blockSelected.size()))
        layout.m_blockSelected[static_cast<size_t>(port)] = value ? 1 : 0;
}

} // namespace

int SelectPointsInRect(const CRect& rect, CLayoutData& layout)
{
    // The union of the bounds of every port with points.
    bool any = false;
    CRect all(0, 0, 0, 0);
    for (int p = 0; p < layout.GetPortCount(); ++p) {
        const LayoutPort& port = layout.GetPort(p);
        if (port.GetCount() == 0)
            continue;
        const CRect& b = port.GetBounds();
        if (!any) {
            all = b;
            any = true;
        } else {
            all.SetRect(std::min(all.left, b.left), std::min(all.top, b.top), std::max(all.right, b.right),
                std::max(all.bottom, b.bottom));
        }
    }
    if (!any)
        return 0;

    // Entry of each port in the selected list, looked up once per port.
    std::vector<int> entryOf(static_cast<size_t>(layout.GetPortCount()), -1);
    for (size_t e = 0; e < layout.m_selectedPorts.size(); ++e) {
        const int p = layout.m_selectedPorts[e];
        if (p < layout.GetPortCount() && entryOf[static_cast<size_t>(p)] < 0)
            entryOf[static_cast<size_t>(p)] = static_cast<int>(e);
    }

    int total = 0;
    const bool coversAll = static_cast<long long>(rect.left) <= all.left + 1LL
        && static_cast<long long>(rect.top) <= all.top + 1LL && rect.right >= all.right && rect.bottom >= all.bottom;
    if (coversAll) {
        // Everything: a port already listed keeps its entry with every bit set.
        for (int p = 0; p < layout.GetPortCount(); ++p) {
            const LayoutPort& port = layout.GetPort(p);
            if (port.GetCount() == 0)
                continue;
            const int entry = entryOf[static_cast<size_t>(p)];
            if (entry >= 0)
                layout.m_selectionBits[static_cast<size_t>(entry)].assign(static_cast<size_t>(port.GetCount()), true);
            else
                AppendEntry(layout, p, true);
            SetBlockFlag(layout, p, port.FillsRectangle());
            total += port.GetCount();
        }
        return total;
    }

    std::vector<int> inside;
    for (int p = 0; p < layout.GetPortCount(); ++p) {
        const LayoutPort& port = layout.GetPort(p);
        if (port.GetCount() == 0)
            continue;
        inside.clear();
        port.CollectIndexesInRect(rect, inside);
        total += static_cast<int>(inside.size());
        int entry = entryOf[static_cast<size_t>(p)];
        if (entry < 0) {
            if (inside.empty())
                continue;
            entry = AppendEntry(layout, p, false);
        }
        std::vector<bool>& bits = BitsFor(layout, entry, port.GetCount());
        for (int i : inside)
            bits[static_cast<size_t>(i)] = true;
    }
    UpdateWholePortFlags(layout);
    return total;
}

int SelectPort(CLayoutData& layout, int port)
{
    if (!layout.IsValidPort(port) || layout.GetPort(port).GetCount() == 0)
        return 0;
    const int count = layout.GetPort(port).GetCount();
    const int entry = FindEntry(layout, port);
    if (entry >= 0)
        layout.m_selectionBits[static_cast<size_t>(entry)].assign(static_cast<size_t>(count), true);
    else
        AppendEntry(layout, port, true);
    UpdateWholePortFlags(layout);
    return count;
}

int SelectPointAt(CLayoutData& layout, const CPoint& point)
{
    int port = 0;
    int index = 0;
    if (layout.FindPointAt(point, port, index)) {
        const int p = port - 1;
        int entry = FindEntry(layout, p);
        if (entry < 0)
            entry = AppendEntry(layout, p, false);
        std::vector<bool>& bits = BitsFor(layout, entry, layout.GetPort(p).GetCount());
        bits[static_cast<size_t>(index - 1)] = !bits[static_cast<size_t>(index - 1)];
    }
    UpdateWholePortFlags(layout);
    return 1;
}

int SelectPointRange(CLayoutData& layout, const CPoint& first, const CPoint& second)
{
    layout.ClearSelection();
    int port1 = 0, index1 = 0, port2 = 0, index2 = 0;
    if (!layout.FindPointAt(first, port1, index1) || !layout.FindPointAt(second, port2, index2) || port1 != port2)
        return 0;
    const int p = port1 - 1;
    const int lo = std::min(index1, index2) - 1;
    const int hi = std::max(index1, index2) - 1;
    const int entry = AppendEntry(layout, p, false);
    std::vector<bool>& bits = layout.m_selectionBits[static_cast<size_t>(entry)];
    for (int i = lo; i <= hi; ++i)
        bits[static_cast<size_t>(i)] = true;
    UpdateWholePortFlags(layout);
    return hi - lo + 1;
}

void UpdateWholePortFlags(CLayoutData& layout)
{
    for (size_t e = 0; e < layout.m_selectedPorts.size() && e < layout.m_selectionBits.size(); ++e) {
        const int p = layout.m_selectedPorts[e];
        if (!layout.IsValidPort(p))
            continue;
        const LayoutPort& port = layout.GetPort(p);
        const std::vector<bool>& bits = layout.m_selectionBits[e];
        const int count = port.GetCount();
        int set = 0;
        for (int i = 0; i < count && i < static_cast<int>(bits.size()); ++i)
            set += bits[static_cast<size_t>(i)] ? 1 : 0;
        SetBlockFlag(layout, p, count > 0 && set == count && port.FillsRectangle());
    }
}

bool IsPointSelected(const CLayoutData& layout, int x, int y)
{
    std::vector<int> indexes;
    for (size_t e = 0; e < layout.m_selectedPorts.size() && e < layout.m_selectionBits.size(); ++e) {
        const int p = layout.m_selectedPorts[e];
        if (!layout.IsValidPort(p))
            continue;
        const std::vector<bool>& bits = layout.m_selectionBits[e];
        indexes.clear();
        layout.GetPort(p).CollectIndexesAt(x, y, indexes);
        for (int i : indexes)
            if (i < static_cast<int>(bits.size()) && bits[static_cast<size_t>(i)])
                return true;
    }
    return false;
}

std::vector<int> SelectedIndexesOf(const CLayoutData& layout, int port)
{
    std::vector<int> indexes;
    if (!layout.IsValidPort(port))
        return indexes;
    const int count = layout.GetPort(port).GetCount();
    std::vector<char> chosen(static_cast<size_t>(count), 0);
    for (size_t e = 0; e < layout.m_selectedPorts.size() && e < layout.m_selectionBits.size(); ++e) {
        if (layout.m_selectedPorts[e] != port)
            continue;
        const std::vector<bool>& bits = layout.m_selectionBits[e];
        const size_t n = std::min(bits.size(), chosen.size());
        for (size_t i = 0; i < n; ++i)
            if (bits[i])
                chosen[i] = 1;
    }
    for (int i = 0; i < count; ++i)
        if (chosen[static_cast<size_t>(i)])
            indexes.push_back(i);
    return indexes;
}

std::vector<int> SelectedPortsInOrder(const CLayoutData& layout)
{
    std::vector<int> ports;
    std::vector<char> seen(static_cast<size_t>(layout.GetPortCount()), 0);
    for (WORD p : layout.m_selectedPorts) {
        if (p < layout.GetPortCount() && !seen[p]) {
            seen[p] = 1;
            ports.push_back(p);
        }
    }
    return ports;
}
