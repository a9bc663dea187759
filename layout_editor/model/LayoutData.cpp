// The layout model: construction, the used-port list, the queries by cell,
// the selection reset, the history's release and the floating buffer.
#include "LayoutData.h"

#include <algorithm>
#include <climits>

namespace {

// Points whose cell index one query may build. A query right after a load
// would otherwise sort every port at once; beyond this it scans the ports
// that have no index yet, and later queries index the rest.
constexpr int kIndexBudgetPerQuery = 32768;

// Lamps the spare buffers may keep however few the layout has.
constexpr size_t kSpareFloorLamps = 65536;

} // namespace

CLayoutData::CLayoutData()
    : m_blockSelected(kMaxLayoutPorts, 0)
{
    ResetPorts(8, 256, CString(L"RGB"), 0);
}

CLayoutData::~CLayoutData()
{
    ClearUndoHistory();
}

bool CLayoutData::IsPortInUse(int port) const
{
    return std::find(m_usedPorts.begin(), m_usedPorts.end(), port) != m_usedPorts.end();
}

bool CLayoutData::MarkPortUsed(int port)
{
    if (!IsValidPort(port))
        return false;
    if (IsPortInUse(port))
        return true;
    if (GetUsedCount() >= kMaxLayoutPorts)
        return false;
    m_usedPorts.push_back(port);
    return true;
}

void CLayoutData::RebuildUsedPorts()
{
    m_usedPorts.clear();
    for (int i = 0; i < GetPortCount(); ++i) {
        LayoutPort& port = m_ports[static_cast<size_t>(i)];
        if (port.GetCount() > 0) {
            m_usedPorts.push_back(i);
            port.UpdateBounds();
        }
    }
}

bool CLayoutData::IsPointUsed(const CPoint& cell) const
{
    int budget = kIndexBudgetPerQuery;
    for (int port : m_usedPorts)
        if (IsValidPort(port) && GetPort(port).HasPointAt(cell.x, cell.y, &budget))
            return true;
    return false;
}

bool CLayoutData::FindPointAt(const CPoint& cell, int& port, int& index)
{
    port = 0;
    index = 0;
    int budget = kIndexBudgetPerQuery;
    if (IsValidPort(m_activePort)) {
        LayoutPort& active = GetPort(m_activePort);
        if (active.HasPointAt(cell.x, cell.y, &budget) && active.m_lastHit < active.GetCount()) {
            const int i = active.FindPointIndex(cell.x, cell.y, active.m_lastHit, &budget);
            if (i >= 0) {
                active.m_lastHit = i;
                port = m_activePort + 1;
                index = i + 1;
                return true;
            }
        }
    }
    for (int p : m_usedPorts) {
        if (!IsValidPort(p))
            continue;
        LayoutPort& candidate = GetPort(p);
        if (!candidate.HasPointAt(cell.x, cell.y, &budget))
            continue;
        const int i = candidate.FindPointIndex(cell.x, cell.y, candidate.m_lastHit, &budget);
        if (i < 0)
            continue;
        m_activePort = p;
        candidate.m_lastHit = i;
        port = p + 1;
        index = i + 1;
        return true;
    }
    return false;
}

void CLayoutData::CollectPortsAtPoint(const CPoint& cell, CDWordArray& out) const
{
    out.RemoveAll();
    std::vector<int> indexes;
    int budget = kIndexBudgetPerQuery;
    for (int p : m_usedPorts) {
        if (!IsValidPort(p))
            continue;
        indexes.clear();
        GetPort(p).CollectIndexesAt(cell.x, cell.y, indexes, &budget);
        for (int i : indexes)
            out.Add((static_cast<DWORD>(p + 1) << 16) | static_cast<DWORD>(i + 1));
    }
}

void CLayoutData::ClearSelection()
{
    m_selectedPorts.clear();
    m_selectionBits.clear();
}

void CLayoutData::FitSparesToLayout()
{
    size_t lamps = 0;
    for (const LayoutPort& port : m_ports)
        lamps += static_cast<size_t>(port.GetCount());
    m_spares.SetLimit(std::max(kSpareFloorLamps, lamps));
}

void CLayoutData::ReserveForEdits()
{
    FitSparesToLayout();
    for (const LayoutPort& port : m_ports) {
        const size_t n = static_cast<size_t>(port.GetCount());
        if (n == 0)
            continue;
        // Made with their elements and emptied again: each page is touched
        // here, during the load, and stays with the buffer.
        std::vector<CLPoint> points(n);
        points.clear();
        m_spares.Give(std::move(points));
        std::vector<int> indexes(n);
        indexes.clear();
        m_spares.Give(std::move(indexes));
    }
}

void CLayoutData::MakeRoom(int port, int n)
{
    if (!IsValidPort(port))
        return;
    LayoutPort& target = GetPort(port);
    const size_t room = target.GetStorageRoom();
    const size_t need = static_cast<size_t>(target.GetCount())
        + static_cast<size_t>(std::clamp(n, 0, std::max(target.GetFreeRoom(), 0)));
    if (need <= room)
        return;
    // Grown by half at least, like a chain left to grow by itself, so that
    // many small insertions do not copy the chain each time.
    const size_t grown
        = std::max(need, std::min(room + room / 2, static_cast<size_t>(std::max(target.GetCapacity(), 0))));
    m_spares.Give(target.ReplaceStorage(m_spares.TakePoints(grown)));
}

void CLayoutData::DropRedoTail(int from)
{
    from = std::max(from, 0);
    if (GetStepCount() > from)
        FitSparesToLayout();
    while (GetStepCount() > from) {
        const int size = m_stepSizes.back();
        for (int k = 0; k < size && !m_commands.empty(); ++k) {
            ICLCommand* command = m_commands.back();
            m_commands.pop_back();
            if (command != nullptr) {
                command->Release();
                delete command;
            }
        }
        m_stepSizes.pop_back();
    }
    // Keep the cursors inside what is left.
    m_currentStep = std::min(m_currentStep, GetStepCount());
    m_commandCursor = std::min(m_commandCursor, GetCommandCount());
}

void CLayoutData::ClearUndoHistory()
{
    DropRedoTail(0);
    // Commands outside any step cannot stay either.
    for (ICLCommand* command : m_commands) {
        if (command != nullptr) {
            command->Release();
            delete command;
        }
    }
    m_commands.clear();
    m_stepSizes.clear();
    m_currentStep = 0;
    m_commandCursor = 0;
    m_spares.Clear();
}

void CLayoutData::SetFloatingPoints(std::vector<CLPoint> points, int count)
{
    count = std::clamp(count, 0, std::min(static_cast<int>(points.size()), 0xFFFF));
    m_floatingPoints = std::move(points);
    m_floatingCount = count;
    m_floatingPortCount = 1;
    m_floatingGroupSizes.assign(1, static_cast<WORD>(count));
}

void CLayoutData::ClearFloatingPoints()
{
    m_floatingPoints.clear();
    m_floatingPoints.shrink_to_fit();
    m_floatingCount = 0;
    m_floatingPortCount = 0;
    m_floatingGroupSizes.clear();
}

CSize CLayoutData::GetLampsExtent() const
{
    long long width = 0, height = 0;
    for (const LayoutPort& port : m_ports) {
        for (int i = 0; i < port.GetCount(); ++i) {
            const CLPoint& lamp = port.GetPoint(i);
            width = std::max(width, static_cast<long long>(lamp.x) + 1);
            height = std::max(height, static_cast<long long>(lamp.y) + 1);
        }
    }
    return CSize(
        static_cast<int>(std::min<long long>(width, INT_MAX)), static_cast<int>(std::min<long long>(height, INT_MAX)));
}
