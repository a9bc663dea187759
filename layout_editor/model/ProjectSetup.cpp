// Project set-up steps without windows (see ProjectSetup.h).
#include "ProjectSetup.h"

#include <algorithm>

#include "ControllerType.h"
#include "LayoutLimits.h"

void FillDefaultControllerTypes(CStringArray& types, const CString& portsWord, const CString& channelsWord)
{
    static const int kTypes[][2]
        = { { 8, 512 }, { 8, 1024 }, { 8, 2048 }, { 1, 3072 }, { 2, 3072 }, { 4, 3072 }, { 8, 3072 }, { 16, 3072 } };
    for (const auto& t : kTypes)
        types.Add(FormatControllerType(t[0], portsWord, t[1], channelsWord));
}

int PointsPerPort(int channelsPerPort, const CString& lampFormat, bool allowMax)
{
    int points = channelsPerPort;
    if (!allowMax) {
        int letters = 0;
        for (int i = 0; i < lampFormat.GetLength(); ++i)
            if (::IsCharAlphaW(lampFormat[i]))
                ++letters;
        points /= std::max(letters, 1);
    }
    return std::clamp(points, 1, kMaxPortPoints);
}

int LampFormatIndex(const CStringArray& list, const CString& format)
{
    for (int i = 0; i < list.GetSize(); ++i)
        if (list.GetAt(i) == format)
            return i;
    return 0;
}

bool TakeChosenLampFormat(CStringArray& list, const CString& chosen, BYTE& listStillDefault)
{
    bool known = false;
    for (int i = 0; i < list.GetSize() && !known; ++i)
        known = list.GetAt(i) == chosen;
    if (!known) {
        if (listStillDefault != 0 && list.GetSize() == 1)
            list.RemoveAll();
        list.Add(chosen);
    }
    listStillDefault = 0;
    return !known;
}

int ParsePortDataOffset(const CString& text, const CString& unitWord)
{
    CString rest = text;
    rest.Replace(L"位", L"");
    CString unit = unitWord;
    unit.Trim();
    if (!unit.IsEmpty())
        rest.Replace(unit, L"");
    rest.Remove(L' ');
    long long value = 0;
    bool negative = false;
    int i = 0;
    if (i < rest.GetLength() && (rest[i] == L'-' || rest[i] == L'+'))
        negative = rest[i++] == L'-';
    for (; i < rest.GetLength() && rest[i] >= L'0' && rest[i] <= L'9'; ++i)
        value = std::min<long long>(value * 10 + (rest[i] - L'0'), 0x7FFFFFFF);
    // A port cannot lead with fewer than no bytes.
    return negative ? 0 : static_cast<int>(value);
}

bool SetUpProjectPorts(CLayoutData& model, CLayoutProjectSettings& settings, PortSetup setup, bool fromCommand)
{
    const int ppc = setup.portsPerController;
    if (ppc < 1 || ppc > kMaxPortsPerController || setup.controllersUsed < 1 || setup.pointsPerPort < 1)
        return false;
    if (static_cast<long long>(ppc) * setup.controllersUsed > kMaxLayoutPorts)
        return false;
    if (!fromCommand) {
        if (!model.ResetPorts(ppc * setup.controllersUsed, setup.pointsPerPort, setup.lampFormat, setup.formatIndex))
            return false;
        settings.SetControllers(setup.controllersUsed, ppc);
        return true;
    }
    const int existing = model.GetPortCount();
    int controllers = setup.controllersUsed;
    if (ppc * controllers < existing && controllers == settings.m_controllers.GetSize()) {
        // Only the ports per controller changed: every port stays and the
        // controllers are counted anew. A last controller that would be
        // partly filled gets its missing ports appended below, so the
        // controller list keeps adding up to the port count.
        controllers = (existing + ppc - 1) / ppc;
        if (static_cast<long long>(ppc) * controllers > kMaxLayoutPorts)
            return false;
    }
    const int wanted = ppc * controllers;
    CControllerList counts;
    counts.Copy(settings.m_controllers);
    if (wanted < existing) {
        if (!model.RemovePorts(wanted, existing - wanted, kPortModeRange, counts))
            return false;
    } else if (wanted > existing) {
        if (!model.InsertPorts(existing, wanted - existing, ppc, setup.pointsPerPort, kPortModeRange, counts,
                setup.lampFormat, setup.formatIndex))
            return false;
    }
    settings.SetControllers(controllers, ppc);
    model.SetPortCapacity(setup.pointsPerPort);
    return true;
}

void ReplacePortLampFormat(CLayoutData& model, const CStringArray& list, int replaced, int newIndex)
{
    if (newIndex < 0 || newIndex >= list.GetSize())
        return;
    for (int p = 0; p < model.GetPortCount(); ++p) {
        LayoutPort& port = model.GetPort(p);
        if (replaced < 0 || port.m_lampFormatIndex == replaced) {
            port.m_lampFormatIndex = newIndex;
            port.m_lampFormat = list.GetAt(newIndex);
        }
    }
}
