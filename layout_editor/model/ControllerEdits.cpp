// Structural edits of a layout by controller and port (see ControllerEdits.h).
#include "ControllerEdits.h"

#include <algorithm>
#include <cstdlib>

#include "LampTypeList.h"
#include "LayoutSelection.h"

namespace {

const CString kNewPortFormat(L"RGB");

void KeepCountInStep(CLayoutProjectSettings& settings)
{
    settings.m_controllerCount = static_cast<int>(settings.m_controllers.GetSize());
}

void ColourPorts(CLayoutData& model, int first, int count)
{
    for (int p = first; p < first + count && p < model.GetPortCount(); ++p)
        model.GetPort(p).m_colour = RandomPortColour();
}

// Ports [first, first + count) of controller c, or of the whole layout for
// c < 0; false when c names no controller whose ports exist.
bool PortRange(const CLayoutData& model, const CLayoutProjectSettings& settings, int c, int& first, int& count)
{
    if (c < 0) {
        first = 0;
        count = model.GetPortCount();
        return true;
    }
    first = FirstPortOfController(settings, c);
    count = PortsOfController(settings, c);
    return first >= 0 && first + count <= model.GetPortCount();
}

void DropHistory(CLayoutData& model)
{
    model.DropRedoTail(0);
    model.ClearUndoHistory();
}

} // namespace

COLORREF RandomPortColour()
{
    const int r = std::rand() % 220 + 35;
    const int g = std::rand() % 220 + 35;
    const int b = std::rand() % 220 + 35;
    return RGB(r, g, b);
}

int ControllerCount(const CLayoutProjectSettings& settings)
{
    return static_cast<int>(settings.m_controllers.GetSize());
}

int FirstPortOfController(const CLayoutProjectSettings& settings, int c)
{
    if (c < 0 || c >= ControllerCount(settings))
        return -1;
    int first = 0;
    for (int i = 0; i < c; ++i)
        first += settings.m_controllers.GetAt(i);
    return first;
}

int PortsOfController(const CLayoutProjectSettings& settings, int c)
{
    if (c < 0 || c >= ControllerCount(settings))
        return 0;
    return settings.m_controllers.GetAt(c);
}

bool ControllersMatchModel(const CLayoutProjectSettings& settings, const CLayoutData& model)
{
    long long sum = 0;
    for (int i = 0; i < ControllerCount(settings); ++i)
        sum += settings.m_controllers.GetAt(i);
    return sum == model.GetPortCount();
}

int InsertControllers(CLayoutData& model, CLayoutProjectSettings& settings, int c, int count)
{
    if (count < 1 || c < 0 || c > ControllerCount(settings) || !ControllersMatchModel(settings, model))
        return -1;
    const int first = c == ControllerCount(settings) ? model.GetPortCount() : FirstPortOfController(settings, c);
    const int perController = settings.m_portsPerController;
    if (!model.InsertPorts(c, count, perController, settings.m_lampsPerPort, kPortModeControllers,
            settings.m_controllers, kNewPortFormat, 0))
        return -1;
    KeepCountInStep(settings);
    if (settings.m_randomColours)
        ColourPorts(model, first, count * perController);
    return first;
}

int AppendControllers(CLayoutData& model, CLayoutProjectSettings& settings, int count)
{
    return InsertControllers(model, settings, ControllerCount(settings), count);
}

bool DeleteController(CLayoutData& model, CLayoutProjectSettings& settings, int c)
{
    if (c < 0 || c >= ControllerCount(settings) || !ControllersMatchModel(settings, model))
        return false;
    if (!model.RemovePorts(c, 1, kPortModeControllers, settings.m_controllers))
        return false;
    KeepCountInStep(settings);
    return true;
}

bool SetControllerCount(CLayoutData& model, CLayoutProjectSettings& settings, int n)
{
    const int old = ControllerCount(settings);
    if (n < 0 || !ControllersMatchModel(settings, model))
        return false;
    bool done = true;
    if (n > old)
        done = AppendControllers(model, settings, n - old) >= 0;
    else if (n < old)
        done = model.RemovePorts(n, old - n, kPortModeControllers, settings.m_controllers);
    KeepCountInStep(settings);
    return done;
}

bool InsertPortAt(CLayoutData& model, CLayoutProjectSettings& settings, int p)
{
    if (!model.IsValidPort(p))
        return false;
    const int last = model.GetPortCount() - 1;
    if (model.GetPort(last).GetCount() > 0) {
        // The last port's lamps would be pushed out of the layout: give them
        // a controller to move into first.
        if (AppendControllers(model, settings, 1) < 0)
            return false;
    }
    if (!model.InsertPorts(p, 1, settings.m_portsPerController, model.GetPort(p).GetCapacity(), kPortModeShiftOne,
            settings.m_controllers, kNewPortFormat, 0))
        return false;
    if (settings.m_randomColours)
        model.GetPort(p).m_colour = RandomPortColour();
    KeepCountInStep(settings);
    return true;
}

bool DeletePortAt(CLayoutData& model, CLayoutProjectSettings& settings, int p)
{
    if (!model.IsValidPort(p))
        return false;
    if (!model.RemovePorts(p, 1, kPortModeShiftOne, settings.m_controllers))
        return false;
    KeepCountInStep(settings);
    return true;
}

bool ThinOutItem(CLayoutData& model, const CLayoutProjectSettings& settings, DWORD itemData, int n)
{
    if (n < 1)
        return false;
    int first = 0;
    int count = 0;
    if (IsPortItem(itemData)) {
        first = ItemIndex(itemData);
        count = 1;
        if (!model.IsValidPort(first))
            return false;
    } else if (IsControllerItem(itemData)) {
        if (!PortRange(model, settings, ItemIndex(itemData), first, count))
            return false;
    } else {
        count = model.GetPortCount();
    }
    DropHistory(model);
    int removed = 0;
    for (int p = first; p < first + count; ++p) {
        LayoutPort& port = model.GetPort(p);
        removed += port.ThinOut(n);
        port.UpdateBounds();
    }
    model.ClearSelection();
    if (removed > 0)
        model.m_modified = 1;
    return true;
}

void ClearAllPorts(CLayoutData& model)
{
    for (int p = 0; p < model.GetPortCount(); ++p)
        model.ClearPortPoints(p);
}

bool ClearControllerPorts(CLayoutData& model, const CLayoutProjectSettings& settings, int c)
{
    int first = 0;
    int count = 0;
    if (c < 0 || !PortRange(model, settings, c, first, count))
        return false;
    model.ClearSelection();
    for (int p = first; p < first + count; ++p)
        model.ClearPortPoints(p);
    return true;
}

bool ClearControllerRange(CLayoutData& model, const CLayoutProjectSettings& settings, int first, int last)
{
    if (first < 1 || first > last || last > ControllerCount(settings) || !ControllersMatchModel(settings, model))
        return false;
    DropHistory(model);
    model.ClearSelection();
    const int from = FirstPortOfController(settings, first - 1);
    const int to = FirstPortOfController(settings, last - 1) + PortsOfController(settings, last - 1);
    bool cleared = false;
    for (int p = from; p < to; ++p) {
        LayoutPort& port = model.GetPort(p);
        cleared = cleared || port.GetCount() > 0;
        port.ClearPoints();
        port.UpdateBounds();
    }
    model.RebuildUsedPorts();
    if (cleared)
        model.m_modified = 1;
    return true;
}

bool DeleteControllerWiring(CLayoutData& model, const CLayoutProjectSettings& settings, int c)
{
    int first = 0;
    int count = 0;
    if (c < 0 || !PortRange(model, settings, c, first, count))
        return false;
    model.ClearSelection();
    for (int p = first; p < first + count; ++p)
        SelectPort(model, p);
    model.DeleteSelection();
    model.ClearSelection();
    return true;
}

SwapResult SwapControllers(CLayoutData& model, const CLayoutProjectSettings& settings, int a, int b)
{
    if (a == b)
        return SwapResult::Same;
    const int n = ControllerCount(settings);
    if (a < 1 || b < 1 || a > n || b > n || !ControllersMatchModel(settings, model))
        return SwapResult::BadController;
    const int firstA = FirstPortOfController(settings, a - 1);
    const int firstB = FirstPortOfController(settings, b - 1);
    const int pairs = std::min(PortsOfController(settings, a - 1), PortsOfController(settings, b - 1));
    for (int k = 0; k < pairs; ++k)
        model.SwapPorts(firstA + k, firstB + k);
    model.m_modified = 1;
    return SwapResult::Done;
}

SwapResult SwapControllerPorts(
    CLayoutData& model, const CLayoutProjectSettings& settings, int ca, int pa, int cb, int pb)
{
    const int n = ControllerCount(settings);
    if (ca < 1 || cb < 1 || ca > n || cb > n || !ControllersMatchModel(settings, model))
        return SwapResult::BadController;
    constexpr int kMostPortNumber = 8;
    auto badPort = [&](int c, int p) { return p < 1 || p > kMostPortNumber || p > PortsOfController(settings, c - 1); };
    if (badPort(ca, pa) || badPort(cb, pb))
        return SwapResult::BadPort;
    const int i = FirstPortOfController(settings, ca - 1) + pa - 1;
    const int j = FirstPortOfController(settings, cb - 1) + pb - 1;
    if (i != j) {
        model.SwapPorts(i, j);
        model.m_modified = 1;
    }
    return SwapResult::Done;
}

bool SetControllerColour(CLayoutData& model, const CLayoutProjectSettings& settings, int c, COLORREF colour)
{
    int first = 0;
    int count = 0;
    if (!PortRange(model, settings, c, first, count))
        return false;
    for (int p = first; p < first + count; ++p)
        model.GetPort(p).m_colour = colour;
    model.m_modified = 1;
    return true;
}

bool SetPortLampType(CLayoutData& model, int p, int index)
{
    if (!model.IsValidPort(p) || index < 0 || index >= LampTypeList.GetSize())
        return false;
    LayoutPort& port = model.GetPort(p);
    port.m_lampFormatIndex = index;
    port.m_lampFormat = LampTypeList.GetAt(index);
    model.m_modified = 1;
    return true;
}

bool SetControllerLampType(CLayoutData& model, const CLayoutProjectSettings& settings, int c, int index)
{
    int first = 0;
    int count = 0;
    if (index < 0 || index >= LampTypeList.GetSize() || !PortRange(model, settings, c, first, count))
        return false;
    for (int p = first; p < first + count; ++p)
        SetPortLampType(model, p, index);
    return true;
}

bool ReverseControllerPorts(CLayoutData& model, const CLayoutProjectSettings& settings, int c)
{
    int first = 0;
    int count = 0;
    if (c < 0 || !PortRange(model, settings, c, first, count))
        return false;
    bool changed = false;
    for (int p = first; p < first + count; ++p) {
        LayoutPort& port = model.GetPort(p);
        changed = changed || port.GetCount() > 1;
        ReversePointRange(1, port.GetCount(), port);
    }
    if (changed)
        model.m_modified = 1;
    return true;
}

void ReverseUsedPorts(CLayoutData& model)
{
    bool changed = false;
    for (int i = 0; i < model.GetUsedCount(); ++i) {
        const int p = model.GetUsedPort(i);
        if (!model.IsValidPort(p))
            continue;
        LayoutPort& port = model.GetPort(p);
        changed = changed || port.GetCount() > 1;
        ReversePointRange(1, port.GetCount(), port);
    }
    if (changed)
        model.m_modified = 1;
}

int MaskPortLamps(CLayoutData& model, int p, int first, int last, bool mask)
{
    if (!model.IsValidPort(p))
        return 0;
    LayoutPort& port = model.GetPort(p);
    first = std::max(first, 1);
    last = std::min(last, port.GetCount());
    int n = 0;
    for (int i = first; i <= last; ++i) {
        CLPoint& lamp = port.EditPoint(i - 1);
        const BYTE flag = mask ? 1 : 0;
        if (lamp.m_masked != flag) {
            lamp.m_masked = flag;
            ++n;
        }
    }
    if (n > 0)
        model.m_modified = 1;
    return n;
}
