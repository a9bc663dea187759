// The undoable edit commands of the layout's history.
#include "LayoutEditCommands.h"

#include <algorithm>

#include "LayoutData.h"

namespace {

// Counts over positions 0..n-1, all present at first, with removal and the
// search for the k-th present position (a binary indexed tree), so that
// positions taken one removal after another map back to the original chain.
class PresentPositions {
public:
    explicit PresentPositions(int n)
        : m_tree(static_cast<size_t>(n) + 1, 0)
    {
        for (size_t i = 1; i < m_tree.size(); ++i)
            m_tree[i] = static_cast<int>(i & (~i + 1));
    }
    void Remove(int pos)
    {
        for (size_t i = static_cast<size_t>(pos) + 1; i < m_tree.size(); i += i & (~i + 1))
            --m_tree[i];
    }
    // The present position with k present positions before it.
    int FindKth(int k) const
    {
        size_t pos = 0;
        size_t step = 1;
        while (step * 2 < m_tree.size())
            step *= 2;
        for (; step > 0; step /= 2) {
            if (pos + step < m_tree.size() && m_tree[pos + step] <= k) {
                pos += step;
                k -= m_tree[pos];
            }
        }
        return static_cast<int>(pos);
    }

private:
    std::vector<int> m_tree;
};

LayoutPort* PortOf(CLayoutData& layout, int port)
{
    return layout.IsValidPort(port) ? &layout.GetPort(port) : nullptr;
}

} // namespace

bool RemovePointsAtPositions(LayoutPort& port, const CLPoint* points, int n, const int* positions)
{
    const int count = port.GetCount();
    if (points == nullptr || positions == nullptr || n < 1 || n > count)
        return false;
    std::vector<char> gone(static_cast<size_t>(count), 0);
    // Ascending positions (how deletions record them) are the original
    // indexes themselves: each point is taken before any point below it.
    bool ascending = true;
    for (int k = 1; k < n && ascending; ++k)
        ascending = positions[k - 1] < positions[k];
    if (ascending && positions[0] >= 0 && positions[n - 1] < count) {
        for (int k = 0; k < n; ++k) {
            if (!port.GetPoint(positions[k]).SameCell(points[k]))
                return false;
        }
        for (int k = 0; k < n; ++k)
            gone[static_cast<size_t>(positions[k])] = 1;
    } else {
        PresentPositions present(count);
        int remaining = count;
        for (int k = n - 1; k >= 0; --k) {
            const int at = positions[k];
            if (at < 0 || at >= remaining)
                return false;
            const int original = present.FindKth(at);
            if (!port.GetPoint(original).SameCell(points[k]))
                return false;
            present.Remove(original);
            gone[static_cast<size_t>(original)] = 1;
            --remaining;
        }
    }
    if (n == count) {
        // Every point goes: nothing to keep or to put back.
        port.ClearPoints();
        return true;
    }
    // The rest closes up in place: no new chain to allocate, none to free.
    port.RemoveFlagged(gone);
    return true;
}

CAddCommand::CAddCommand(CLayoutData& layout, int port, std::vector<CLPoint> points, std::vector<int> indexes)
    : m_layout(layout)
    , m_points(std::move(points))
    , m_indexes(std::move(indexes))
    , m_port(port)
{
    if (m_indexes.size() != m_points.size())
        m_indexes.clear();
}

void CAddCommand::Redo()
{
    m_layout.MakeRoom(m_port, static_cast<int>(m_points.size()));
    if (LayoutPort* port = PortOf(m_layout, m_port))
        port->InsertPoints(
            m_points.data(), static_cast<int>(m_points.size()), m_indexes.empty() ? nullptr : m_indexes.data());
}

void CAddCommand::Undo()
{
    LayoutPort* port = PortOf(m_layout, m_port);
    const int n = static_cast<int>(m_points.size());
    if (port == nullptr || n < 1)
        return;
    // The added points are exactly where Redo put them: at the recorded
    // indexes, or as the last n points. Taking them out by position keeps a
    // lamp that shares a cell with an added one from going in its place.
    std::vector<int> positions = m_indexes;
    if (positions.empty()) {
        const int base = port->GetCount() - n;
        for (int k = 0; k < n; ++k)
            positions.push_back(base + k);
    }
    if (!RemovePointsAtPositions(*port, m_points.data(), n, positions.data()))
        port->RemovePoints(m_points.data(), n, m_indexes.empty() ? nullptr : m_indexes.data());
}

void CAddCommand::Release()
{
    m_layout.Spares().Give(std::move(m_points));
    m_layout.Spares().Give(std::move(m_indexes));
    m_points.clear();
    m_indexes.clear();
}

CDelCommand::CDelCommand(CLayoutData& layout, int port, std::vector<CLPoint> points, std::vector<int> indexes)
    : m_layout(layout)
    , m_points(std::move(points))
    , m_indexes(std::move(indexes))
    , m_port(port)
{
    if (m_indexes.size() != m_points.size())
        m_indexes.assign(m_points.size(), -1);
}

void CDelCommand::Redo()
{
    LayoutPort* port = PortOf(m_layout, m_port);
    if (m_loan) {
        // The points are the port's chain: taken back as they are, or from
        // the copy the port left when it changed them.
        const std::shared_ptr<CChainLoan> loan = std::move(m_loan);
        if (port != nullptr && port->Holds(*loan)) {
            m_points = port->GiveBack();
            return;
        }
        m_points = std::move(loan->copy);
    }
    const int n = static_cast<int>(m_points.size());
    if (port == nullptr || n < 1)
        return;
    if (!RemovePointsAtPositions(*port, m_points.data(), n, m_indexes.data()))
        port->RemovePoints(m_points.data(), n, m_indexes.data());
}

bool CDelCommand::RestoresWholeChain(const LayoutPort& port) const
{
    if (port.GetCount() != 0 || m_points.empty() || m_points.size() > static_cast<size_t>(port.GetCapacity()))
        return false;
    for (size_t k = 0; k < m_indexes.size(); ++k)
        if (m_indexes[k] != static_cast<int>(k))
            return false;
    return true;
}

void CDelCommand::Undo()
{
    LayoutPort* port = PortOf(m_layout, m_port);
    if (port != nullptr && !m_loan && RestoresWholeChain(*port)) {
        m_loan = std::make_shared<CChainLoan>();
        m_layout.Spares().Give(port->Borrow(std::move(m_points), m_loan));
        m_points.clear();
        return;
    }
    m_layout.MakeRoom(m_port, static_cast<int>(m_points.size()));
    if (port != nullptr)
        port->InsertPoints(m_points.data(), static_cast<int>(m_points.size()), m_indexes.data());
}

void CDelCommand::Release()
{
    if (m_loan) {
        // The port keeps the points as its own.
        m_loan->wanted = false;
        m_loan.reset();
    }
    m_layout.Spares().Give(std::move(m_points));
    m_layout.Spares().Give(std::move(m_indexes));
    m_points.clear();
    m_indexes.clear();
}

CMoveCommand::CMoveCommand(CLayoutData& layout, int port, int index, const CLPoint& point)
    : m_layout(layout)
    , m_point(point)
    , m_index(index)
    , m_port(port)
{
}

void CMoveCommand::Redo()
{
    LayoutPort* port = PortOf(m_layout, m_port);
    if (port == nullptr || m_index < 0)
        return;
    CLPoint previous;
    if (port->ExchangePoint(m_point, m_index, previous))
        m_point = previous;
}

void CMoveCommand::Undo()
{
    Redo();
}

void CMoveCommand::Release()
{
    m_index = -1;
}

CMoveCommand2::CMoveCommand2(CLayoutData& layout, int port, const CLPoint& difference, std::vector<int> indexes)
    : m_layout(layout)
    , m_difference(difference)
    , m_indexes(std::move(indexes))
    , m_port(port)
{
}

void CMoveCommand2::Redo()
{
    if (LayoutPort* port = PortOf(m_layout, m_port))
        port->OffsetPoints(m_indexes.data(), static_cast<int>(m_indexes.size()), m_difference);
}

void CMoveCommand2::Undo()
{
    Redo();
}

void CMoveCommand2::Release()
{
    m_layout.Spares().Give(std::move(m_indexes));
    m_indexes.clear();
}

CMoveCommand3::CMoveCommand3(CLayoutData& layout, int port, std::vector<CLPoint> differences, std::vector<int> indexes)
    : m_layout(layout)
    , m_differences(std::move(differences))
    , m_indexes(std::move(indexes))
    , m_port(port)
{
    m_indexes.resize(std::min(m_indexes.size(), m_differences.size()));
}

void CMoveCommand3::Redo()
{
    if (LayoutPort* port = PortOf(m_layout, m_port))
        port->OffsetPointsAndNegate(m_indexes.data(), static_cast<int>(m_indexes.size()), m_differences.data());
}

void CMoveCommand3::Undo()
{
    Redo();
}

void CMoveCommand3::Release()
{
    m_layout.Spares().Give(std::move(m_indexes));
    m_layout.Spares().Give(std::move(m_differences));
    m_indexes.clear();
    m_differences.clear();
}
