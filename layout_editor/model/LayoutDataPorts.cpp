// The layout model's port set: reset, capacity, insertion, removal and
// exchange of ports, the file readers' sink and thinning out.
#include "LayoutData.h"

#include <algorithm>

namespace {

LayoutPort NewPort(int capacity, const CString& lampFormat, int formatIndex)
{
    LayoutPort port;
    port.Allocate(capacity);
    port.m_lampFormat = lampFormat;
    port.m_lampFormatIndex = formatIndex;
    return port;
}

// Moves what travels with a port's contents when ports shift inside the
// array: the points (with count, capacity and last hit), the colour and both
// tables. Lamp format, format index and the flags stay with the slot.
void SwapContents(LayoutPort& a, LayoutPort& b)
{
    a.SwapPoints(b);
    std::swap(a.m_colour, b.m_colour);
    a.m_brightness.swap(b.m_brightness);
    a.m_gamma.swap(b.m_gamma);
}

// Gives `to` an empty point array with the capacity, colour and tables of `from`.
void EmptyLike(LayoutPort& to, const LayoutPort& from)
{
    to.Allocate(from.GetCapacity());
    to.m_colour = from.m_colour;
    to.m_brightness = from.m_brightness;
    to.m_gamma = from.m_gamma;
}

} // namespace

bool CLayoutData::ResetPorts(int n, int pointsPerPort, const CString& lampFormat, int formatIndex)
{
    if (n < 1 || pointsPerPort < 1 || n > kMaxLayoutPorts)
        return false;
    ClearUndoHistory();
    FreePorts();
    ClearSelection();
    const int capacity = std::min(pointsPerPort, kMaxPortPoints);
    m_ports.assign(static_cast<size_t>(n), NewPort(capacity, lampFormat, formatIndex));
    m_pointsPerPort = pointsPerPort;
    return true;
}

void CLayoutData::FreePorts()
{
    m_ports.clear();
    m_ports.shrink_to_fit();
    m_pointsPerPort = 0;
    m_usedPorts.clear();
    m_activePort = -1;
}

void CLayoutData::SetPortCapacity(int n)
{
    if (n < 1)
        return;
    n = std::min(n, kMaxPortPoints);
    bool grew = false;
    for (LayoutPort& port : m_ports)
        grew = port.GrowCapacity(n) || grew;
    if (grew)
        m_pointsPerPort = n;
}

long long CLayoutData::SumControllers(const CControllerList& controllers, int first, int count)
{
    if (first < 0 || count < 0 || static_cast<long long>(first) + count > controllers.GetSize())
        return -1;
    long long sum = 0;
    for (int i = first; i < first + count; ++i)
        sum += controllers.GetAt(i);
    return sum;
}

void CLayoutData::PortsRestructured()
{
    // Port numbers have moved: a selection or hit state that names ports
    // would now point at other ports (or past the array).
    ClearSelection();
    std::fill(m_blockSelected.begin(), m_blockSelected.end(), 0);
    RebuildUsedPorts();
    m_activePort = -1;
    m_modified = 1;
}

bool CLayoutData::InsertPorts(int at, int number, int portsPerController, int capacity, int mode,
    CControllerList& controllers, const CString& lampFormat, int formatIndex)
{
    if (at < 0)
        return false;
    capacity = std::clamp(capacity, 0, kMaxPortPoints);
    const long long portCount = GetPortCount();

    if (mode == kPortModeShiftOne) {
        if (at >= portCount)
            return false;
        ClearUndoHistory();
        // Every port from at on takes the contents of the one below it; the
        // last port's contents end up in slot at and are dropped there.
        for (long long p = portCount - 1; p > at; --p)
            SwapContents(m_ports[static_cast<size_t>(p)], m_ports[static_cast<size_t>(p - 1)]);
        LayoutPort& slot = m_ports[static_cast<size_t>(at)];
        if (at + 1 < portCount) {
            const LayoutPort& above = m_ports[static_cast<size_t>(at) + 1];
            slot.m_colour = above.m_colour;
            slot.m_brightness = above.m_brightness;
            slot.m_gamma = above.m_gamma;
        }
        slot.Allocate(capacity);
        PortsRestructured();
        return true;
    }

    long long first = 0;
    long long added = 0;
    if (mode == kPortModeControllers) {
        if (number < 1 || portsPerController < 0 || portsPerController > 0xFFFF)
            return false;
        first = SumControllers(controllers, 0, at);
        added = static_cast<long long>(number) * portsPerController;
        if (first < 0 || first > portCount)
            return false;
    } else if (mode == kPortModeRange) {
        if (number < 1 || at > portCount)
            return false;
        first = at;
        added = number;
    } else {
        return false;
    }
    if (!FitsPortLimit(portCount + added))
        return false;

    ClearUndoHistory();
    const LayoutPort fresh
        = mode == kPortModeRange ? NewPort(capacity, lampFormat, formatIndex) : NewPort(capacity, CString(L"RGB"), 0);
    m_ports.insert(m_ports.begin() + static_cast<std::ptrdiff_t>(first), static_cast<size_t>(added), fresh);
    if (mode == kPortModeControllers)
        controllers.InsertAt(at, static_cast<WORD>(portsPerController), number);
    PortsRestructured();
    return true;
}

bool CLayoutData::RemovePorts(int at, int number, int mode, CControllerList& controllers)
{
    if (at < 0)
        return false;
    const long long portCount = GetPortCount();

    if (mode == kPortModeShiftOne) {
        if (at >= portCount)
            return false;
        ClearUndoHistory();
        // Ports after at move down one place; at's contents bubble to the
        // last slot, which is left empty with the capacity, colour and tables
        // that moved down from it.
        for (long long p = at; p + 1 < portCount; ++p)
            SwapContents(m_ports[static_cast<size_t>(p)], m_ports[static_cast<size_t>(p) + 1]);
        LayoutPort& last = m_ports[static_cast<size_t>(portCount - 1)];
        if (portCount >= 2 && at < portCount - 1)
            EmptyLike(last, m_ports[static_cast<size_t>(portCount - 2)]);
        else
            last.ClearPoints();
        PortsRestructured();
        return true;
    }

    long long first = 0;
    long long removed = 0;
    if (mode == kPortModeControllers) {
        if (number < 1)
            return false;
        first = SumControllers(controllers, 0, at);
        removed = SumControllers(controllers, at, number);
        if (first < 0 || removed < 0 || first + removed > portCount)
            return false;
    } else if (mode == kPortModeRange) {
        if (number < 1 || static_cast<long long>(at) + number > portCount)
            return false;
        first = at;
        removed = number;
    } else {
        return false;
    }

    ClearUndoHistory();
    m_ports.erase(m_ports.begin() + static_cast<std::ptrdiff_t>(first),
        m_ports.begin() + static_cast<std::ptrdiff_t>(first + removed));
    if (mode == kPortModeControllers)
        controllers.RemoveAt(at, number);
    PortsRestructured();
    return true;
}

bool CLayoutData::SwapPorts(int i, int j)
{
    if (!IsValidPort(i) || !IsValidPort(j))
        return false;
    LayoutPort& a = GetPort(i);
    LayoutPort& b = GetPort(j);
    a.SwapPoints(b);
    std::swap(a.m_colour, b.m_colour);
    std::swap(a.m_lampFormat, b.m_lampFormat);
    std::swap(a.m_lampFormatIndex, b.m_lampFormatIndex);
    std::swap(a.m_wiringMark, b.m_wiringMark);

    auto ai = std::find(m_usedPorts.begin(), m_usedPorts.end(), i);
    auto aj = std::find(m_usedPorts.begin(), m_usedPorts.end(), j);
    if (ai != m_usedPorts.end())
        *ai = j;
    if (aj != m_usedPorts.end())
        *aj = i;
    // The selection names ports by number; it would now select the other port's points.
    ClearSelection();
    return true;
}

bool CLayoutData::AppendLoadedPort(const LayoutPort& record)
{
    const int slotNumber = GetUsedCount();
    if (slotNumber >= GetPortCount() || slotNumber >= kMaxLayoutPorts)
        return false;
    LayoutPort& slot = GetPort(slotNumber);
    slot.ClearPoints();
    slot.m_lampFormat = record.m_lampFormat;
    slot.m_lampFormatIndex = record.m_lampFormatIndex;
    slot.m_colour = record.m_colour;
    slot.m_dataReversed = record.m_dataReversed;
    slot.m_brightness = record.m_brightness;
    slot.m_gamma = record.m_gamma;
    slot.m_brightness.resize(kPortTableSize, 100);
    slot.m_gamma.resize(kPortTableSize, 0);
    slot.m_adjusted = record.m_adjusted;
    if (!IsPortInUse(slotNumber))
        m_usedPorts.push_back(slotNumber);
    slot.InsertPoints(record.GetPoints(), record.GetCount());
    return true;
}

void CLayoutData::ThinOutAllPorts(int n)
{
    for (LayoutPort& port : m_ports)
        port.ThinOut(n);
    m_modified = 1;
}
