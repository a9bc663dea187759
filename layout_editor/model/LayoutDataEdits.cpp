// Deleting, moving, rotating and straightening lamps of the layout, each
// recorded edit one undo step.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <memory>

#include "EditorSettings.h"
#include "LayoutCellMap.h"
#include "LayoutData.h"
#include "LayoutEditCommands.h"
#include "LayoutSelection.h"

namespace {

int TruncToInt(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= 2147483647.0)
        return INT_MAX;
    if (v <= -2147483648.0)
        return INT_MIN;
    return static_cast<int>(v);
}

int RoundToInt(double v)
{
    return TruncToInt(std::round(v));
}

// Removes the listed points (ascending indexes) from the port as one
// CDelCommand, applied at once. The command's lists go into buffers of
// dropped steps where there are any.
ICLCommand* DeleteIndexes(CLayoutData& layout, int port, const std::vector<int>& indexes)
{
    LayoutPort& source = layout.GetPort(port);
    std::vector<int> positions = layout.Spares().TakeIndexes(indexes.size());
    positions.assign(indexes.begin(), indexes.end());
    if (static_cast<int>(indexes.size()) == source.GetCount() && !indexes.empty() && indexes.front() == 0
        && indexes.back() == source.GetCount() - 1
        && std::adjacent_find(indexes.begin(), indexes.end(), [](int a, int b) { return a >= b; }) == indexes.end()) {
        // Every point goes (ascending indexes, as many as there are points):
        // the undo step keeps the port's own chain rather than a copy.
        return new CDelCommand(layout, port, source.TakePoints(), std::move(positions));
    }
    std::vector<CLPoint> points = layout.Spares().TakePoints(indexes.size());
    for (int i : indexes)
        points.push_back(source.GetPoint(i));
    // Removed from the highest index down, each ascending index is also the
    // point's position at the moment of its removal.
    ICLCommand* command = new CDelCommand(layout, port, std::move(points), std::move(positions));
    command->Redo();
    return command;
}

// The candidate cells of a delete by rectangle: one bit per cell of the
// rectangle while it is of a sane size (it stays in the cache for a million
// lamps), else the general cell map.
class CCandidateCells {
public:
    explicit CCandidateCells(const CRect& rect)
        : m_rect(rect)
        , m_width(static_cast<long long>(rect.Width()))
    {
        const long long cells = m_width * rect.Height();
        if (cells > 0 && cells <= kBitLimit)
            m_bits.assign(static_cast<size_t>((cells + 31) / 32), 0);
        else
            m_map = std::make_unique<CCellMap>(rect);
    }
    // Makes the cell a candidate; true when it was none before.
    bool Mark(int x, int y)
    {
        if (m_map) {
            if (m_map->Get(x, y) != 0)
                return false;
            m_map->Set(x, y, -1);
            return true;
        }
        size_t word = 0;
        std::uint32_t bit = 0;
        if (!Locate(x, y, word, bit) || (m_bits[word] & bit) != 0)
            return false;
        m_bits[word] |= bit;
        return true;
    }
    // Takes the cell when it is still a candidate.
    bool Take(int x, int y)
    {
        if (m_map) {
            if (m_map->Get(x, y) != -1)
                return false;
            m_map->Set(x, y, 1);
            return true;
        }
        size_t word = 0;
        std::uint32_t bit = 0;
        if (!Locate(x, y, word, bit) || (m_bits[word] & bit) == 0)
            return false;
        m_bits[word] &= ~bit;
        return true;
    }

private:
    static constexpr long long kBitLimit = 1LL << 28; // 32 MB of bits
    bool Locate(int x, int y, size_t& word, std::uint32_t& bit) const
    {
        if (x < m_rect.left || x >= m_rect.right || y < m_rect.top || y >= m_rect.bottom)
            return false;
        const long long cell = (static_cast<long long>(y) - m_rect.top) * m_width + (x - m_rect.left);
        word = static_cast<size_t>(cell >> 5);
        bit = 1u << (cell & 31);
        return true;
    }
    CRect m_rect;
    long long m_width;
    std::vector<std::uint32_t> m_bits;
    std::unique_ptr<CCellMap> m_map;
};

} // namespace

int CLayoutData::DeletePointsInRect(int left, int top, int right, int bottom)
{
    DropRedoTail(m_currentStep);
    m_modified = 1;
    if (left >= right || top >= bottom)
        return 0;

    // Only the part of the rectangle that some lamp can lie in matters.
    CRect rect(left, top, right, bottom);
    bool any = false;
    CRect all(0, 0, 0, 0);
    for (const LayoutPort& port : m_ports) {
        if (port.GetCount() == 0)
            continue;
        const CRect& b = port.GetBounds();
        all = any ? CRect(std::min(all.left, b.left), std::min(all.top, b.top), std::max(all.right, b.right),
                  std::max(all.bottom, b.bottom))
                  : b;
        any = true;
    }
    if (!any)
        return 0;
    rect.SetRect(std::max(rect.left, all.left), std::max(rect.top, all.top), std::min(rect.right, all.right),
        std::min(rect.bottom, all.bottom));
    if (rect.left >= rect.right || rect.top >= rect.bottom)
        return 0;

    // Lamps of a port inside the rectangle: a port lying wholly inside gives
    // all of its lamps in chain order. Gathered again for each pass rather
    // than kept for all ports at once (a pass over a chain costs less than
    // the memory to keep it).
    std::vector<int> inside;
    auto gather = [&](size_t p) -> const std::vector<int>& {
        inside.clear();
        const LayoutPort& port = m_ports[p];
        if (port.GetCount() == 0)
            return inside;
        const CRect& b = port.GetBounds();
        if (b.left >= rect.left && b.top >= rect.top && b.right <= rect.right && b.bottom <= rect.bottom) {
            inside.resize(static_cast<size_t>(port.GetCount()));
            for (int i = 0; i < port.GetCount(); ++i)
                inside[static_cast<size_t>(i)] = i;
        } else {
            port.CollectIndexesInRect(rect, inside);
        }
        return inside;
    };

    // Candidates: the cells that a port of the used list holds. A candidate
    // then goes to the lowest-numbered port with a lamp on it, which loses
    // its lowest-indexed lamp there; the cell is then no candidate any more.
    // When every port with lamps is listed, each cell is a candidate from
    // its first lamp met in port order on: marking and taking are one pass.
    CCandidateCells candidate(rect);
    int candidates = 0;
    std::vector<char> listed(m_ports.size(), 0);
    for (int p : m_usedPorts)
        if (IsValidPort(p))
            listed[static_cast<size_t>(p)] = 1;
    bool allListed = true;
    for (size_t p = 0; p < m_ports.size() && allListed; ++p)
        allListed = listed[p] != 0 || m_ports[p].GetCount() == 0;
    if (!allListed) {
        for (int p : m_usedPorts) {
            if (!IsValidPort(p))
                continue;
            for (int i : gather(static_cast<size_t>(p))) {
                const CLPoint& point = m_ports[static_cast<size_t>(p)].GetPoint(i);
                if (candidate.Mark(point.x, point.y))
                    ++candidates;
            }
        }
    }

    std::vector<ICLCommand*> commands;
    std::vector<int> taken;
    for (size_t p = 0; p < m_ports.size(); ++p) {
        taken.clear();
        // Chain order, or cell order with ascending indexes per cell: either
        // way the first lamp met on a cell is the lowest-indexed one.
        for (int i : gather(p)) {
            const CLPoint& point = m_ports[p].GetPoint(i);
            if (allListed ? candidate.Mark(point.x, point.y) : candidate.Take(point.x, point.y))
                taken.push_back(i);
        }
        if (taken.empty())
            continue;
        if (allListed)
            candidates += static_cast<int>(taken.size());
        if (!std::is_sorted(taken.begin(), taken.end()))
            std::sort(taken.begin(), taken.end());
        commands.push_back(DeleteIndexes(*this, static_cast<int>(p), taken));
    }
    if (!commands.empty()) {
        // Point indexes have moved: the selection would name other lamps.
        ClearSelection();
        RecordStep(std::move(commands));
    }
    return candidates;
}

int CLayoutData::ClearPortPoints(int port)
{
    if (!IsValidPort(port) || GetPort(port).GetCount() == 0)
        return 0;
    DropRedoTail(m_currentStep);
    const int n = GetPort(port).GetCount();
    std::vector<int> all(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        all[static_cast<size_t>(i)] = i;
    ClearSelection();
    RecordStep({ DeleteIndexes(*this, port, all) });
    m_modified = 1;
    return n;
}

int CLayoutData::DeleteSelection()
{
    if (m_selectedPorts.empty())
        return 0;
    DropRedoTail(m_currentStep);
    const std::vector<int> ports = SelectedPortsInOrder(*this);
    std::vector<std::vector<int>> chosen;
    int n = 0;
    bool allInUse = true;
    for (int p : ports) {
        chosen.push_back(SelectedIndexesOf(*this, p));
        n += static_cast<int>(chosen.back().size());
        if (!chosen.back().empty() && !IsPortInUse(p))
            allInUse = false;
    }
    if (n == 0)
        return 0;

    long long inUse = 0;
    for (int p : m_usedPorts)
        if (IsValidPort(p))
            inUse += GetPort(p).GetCount();
    if (allInUse && n == inUse) {
        // Every lamp in use: the ports are emptied without an undo step.
        for (int p : m_usedPorts)
            if (IsValidPort(p))
                GetPort(p).ClearPoints();
        ClearSelection();
        m_modified = 1;
        return n;
    }

    // Each selected port loses exactly its selected lamps (not whatever lamp
    // of another port shares a cell with one): the port of the last hit
    // first, then the others in port order.
    std::vector<size_t> order(ports.size());
    for (size_t k = 0; k < ports.size(); ++k)
        order[k] = k;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const bool aActive = ports[a] == m_activePort;
        const bool bActive = ports[b] == m_activePort;
        if (aActive != bActive)
            return aActive;
        return ports[a] < ports[b];
    });
    std::vector<ICLCommand*> commands;
    for (size_t k : order)
        if (!chosen[k].empty())
            commands.push_back(DeleteIndexes(*this, ports[k], chosen[k]));
    ClearSelection();
    RecordStep(std::move(commands));
    m_modified = 1;
    return n;
}

bool CLayoutData::MovePoint(int port, int index, const CLPoint& newPoint)
{
    if (!IsValidPort(port) || index < 0 || index >= GetPort(port).GetCount()
        || GetPort(port).GetPoint(index).SameCell(newPoint))
        return false;
    DropRedoTail(m_currentStep);
    ICLCommand* command = new CMoveCommand(*this, port, index, newPoint);
    command->Redo();
    RecordStep({ command });
    m_modified = 1;
    return true;
}

bool CLayoutData::MoveSelectedPoints(const CLPoint& from, const CLPoint& to)
{
    if (from.SameCell(to))
        return false;
    const std::vector<int> ports = SelectedPortsInOrder(*this);
    std::vector<std::vector<int>> chosen;
    bool any = false;
    for (int p : ports) {
        chosen.push_back(SelectedIndexesOf(*this, p));
        any = any || !chosen.back().empty();
    }
    if (!any)
        return false;
    DropRedoTail(m_currentStep);
    CLPoint difference(to.x - from.x, to.y - from.y);
    difference.m_normX = to.m_normX - from.m_normX;
    difference.m_normY = to.m_normY - from.m_normY;
    std::vector<ICLCommand*> commands;
    for (size_t k = 0; k < ports.size(); ++k) {
        if (chosen[k].empty())
            continue;
        ICLCommand* command = new CMoveCommand2(*this, ports[k], difference, std::move(chosen[k]));
        command->Redo();
        commands.push_back(command);
    }
    RecordStep(std::move(commands));
    m_modified = 1;
    return true;
}

bool CLayoutData::RotateSelection(std::vector<CLPoint>* preview, double angle, const CLPoint& centre)
{
    if (preview != nullptr)
        preview->clear();
    const std::vector<int> ports = SelectedPortsInOrder(*this);
    std::vector<std::vector<int>> chosen;
    bool any = false;
    for (int p : ports) {
        chosen.push_back(SelectedIndexesOf(*this, p));
        any = any || !chosen.back().empty();
    }
    if (!any)
        return false;
    DropRedoTail(m_currentStep);

    const double width = std::max(m_width, 1);
    const double height = std::max(m_height, 1);
    const double a = angle * 3.1415926535 / 180;
    // On the grid, 45 and 315 degrees move lamps along the cell diagonals;
    // the small correction keeps tan(315) just beyond -1 so that the
    // truncated offsets land on whole cells.
    const bool grid = AlignToGrid && (std::fabs(angle - 45) <= 0.01 || std::fabs(angle - 315) <= 0.01);
    double t = std::tan(a);
    if (grid && angle >= 314.99999 && angle <= 360.0001)
        t -= 0.00000003;
    const double cosA = std::cos(a);
    const double sinA = std::sin(a);

    std::vector<ICLCommand*> commands;
    for (size_t k = 0; k < ports.size(); ++k) {
        if (chosen[k].empty())
            continue;
        const LayoutPort& port = GetPort(ports[k]);
        std::vector<CLPoint> differences = m_spares.TakePoints(chosen[k].size());
        for (int i : chosen[k]) {
            const CLPoint& p = port.GetPoint(i);
            CLPoint d;
            if (grid) {
                d.x = TruncToInt(t * (static_cast<double>(p.y) - centre.y));
                d.y = TruncToInt(t * (static_cast<double>(centre.x) - p.x));
                d.m_normX = d.x / width;
                d.m_normY = d.y / height;
            } else {
                const double u = (p.m_normX - centre.m_normX) * width;
                const double v = (p.m_normY - centre.m_normY) * height;
                d.m_normX = (u * cosA + v * sinA - u) / width;
                d.m_normY = (v * cosA - u * sinA - v) / height;
                // Rounded, not truncated: the angle's small error would
                // otherwise put every lamp of an exact quarter turn one
                // cell short.
                d.x = RoundToInt(width * d.m_normX);
                d.y = RoundToInt(height * d.m_normY);
            }
            if (preview != nullptr) {
                CLPoint moved = p;
                moved.x = p.x + d.x;
                moved.y = p.y + d.y;
                if (!grid) {
                    moved.m_normX += d.m_normX;
                    moved.m_normY += d.m_normY;
                }
                preview->push_back(moved);
            }
            differences.push_back(d);
        }
        if (preview == nullptr) {
            ICLCommand* command = new CMoveCommand3(*this, ports[k], std::move(differences), std::move(chosen[k]));
            command->Redo();
            commands.push_back(command);
        }
    }
    if (preview != nullptr)
        return true;
    RecordStep(std::move(commands));
    m_modified = 1;
    return true;
}

bool CLayoutData::StraightenPointRange(int port, const CPoint& first, const CPoint& second)
{
    if (!IsValidPort(port) || GetPort(port).GetCount() < 3)
        return false;
    const LayoutPort& chain = GetPort(port);
    const int i1 = chain.FindPointIndex(first.x, first.y);
    const int i2 = chain.FindPointIndex(second.x, second.y);
    if (i1 < 0 || i2 < 0 || i1 == i2)
        return false;
    const int lo = std::min(i1, i2);
    const int hi = std::max(i1, i2);
    const int span = hi - lo;
    const CLPoint& a = chain.GetPoint(lo);
    const CLPoint& b = chain.GetPoint(hi);
    const double width = std::max(m_width, 1);
    const double height = std::max(m_height, 1);

    std::vector<int> indexes;
    std::vector<CLPoint> differences;
    for (int t = 0; t < span; ++t) {
        const CLPoint& p = chain.GetPoint(lo + t);
        const int x = TruncToInt(a.x + (static_cast<double>(b.x) - a.x) * t / span);
        const int y = TruncToInt(a.y + (static_cast<double>(b.y) - a.y) * t / span);
        CLPoint d(x - p.x, y - p.y);
        // Normalised offsets in step with the cells, for layouts whose
        // cells follow the normalised positions.
        d.m_normX = d.x / width;
        d.m_normY = d.y / height;
        indexes.push_back(lo + t);
        differences.push_back(d);
    }
    DropRedoTail(m_currentStep);
    ICLCommand* command = new CMoveCommand3(*this, port, std::move(differences), std::move(indexes));
    command->Redo();
    RecordStep({ command });
    m_modified = 1;
    return true;
}
