// Reading the archive layout format: the whole file is parsed into
// LayoutArchiveContents first and handed to the model and the view only
// when every part of it was good.
#include "LayoutArchive.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <new>

#include "EditorSettings.h"
#include "LayoutArchiveBodyReader.h"
#include "LampTypeList.h"

namespace {

WORD GetWord(const BYTE* at)
{
    return static_cast<WORD>(at[0] | (at[1] << 8));
}

void GetRulers(const BYTE* header, int offset, std::vector<WORD>& rulers)
{
    const int count = header[offset];
    if (count > kMaxRulers)
        throw CArchiveRefused();
    rulers.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        rulers[static_cast<size_t>(i)] = GetWord(header + offset + 1 + 2 * i);
}

void ParseHeader(const BYTE* header, LayoutArchiveContents& c)
{
    c.version = header[0];
    if (c.version < 1)
        throw CArchiveRefused();
    c.templateKind = header[1];
    c.largestX = GetWord(header + 10);
    c.largestY = GetWord(header + 12);
    if (c.version >= kArchiveVersionShowXY)
        c.showXY = header[3];
    if (c.version >= kArchiveVersionColours) {
        c.randomColours = header[4];
        c.swatchColour = static_cast<COLORREF>(header[5] | (header[6] << 8) | (header[7] << 16))
            | (static_cast<COLORREF>(header[8]) << 24);
    }
    if (c.version >= kArchiveVersionDoubleSided) {
        c.doubleSided = header[9];
        c.dataOffset = header[14];
    }
    if (c.version >= kArchiveVersionRulers) {
        GetRulers(header, kArchiveHRulerOffset, c.hRulers);
        GetRulers(header, kArchiveVRulerOffset, c.vRulers);
    }
}

void ParseBody(CArchive& ar, LayoutArchiveContents& c)
{
    CArchiveBodyReader in(ar);
    c.portCount = in.MaskedIn(1, kMaxLayoutPorts);
    c.pointsPerPort = in.MaskedIn(1, LONG_MAX);
    c.width = in.MaskedIn(1, LONG_MAX);
    c.height = in.MaskedIn(1, LONG_MAX);

    // The ports are walked controller by controller: the counts must add up
    // to the port count.
    const LONG controllers = in.MaskedIn(0, kMaxLayoutPorts);
    c.controllers.resize(static_cast<size_t>(controllers));
    long long sum = 0;
    for (WORD& count : c.controllers) {
        count = static_cast<WORD>(in.MaskedIn(0, 0xFFFF));
        sum += count;
    }
    if (sum != c.portCount)
        throw CArchiveRefused();

    const LONG lampTypes = in.MaskedIn(0, kMaxArchiveLampTypes);
    c.lampTypes.resize(static_cast<size_t>(lampTypes));
    for (CString& type : c.lampTypes)
        type = in.Text();
    c.projectLampFormat = in.Text();
    c.portsPerController = in.Masked();
    c.channelsPerPort = in.Masked();
    c.lampsPerPort = in.Masked();
    c.showGrid = in.Masked();
    c.allowOverlap = in.Masked();
    c.allowMaxLamps = in.Masked();
    c.controllerModel = in.Text();

    std::vector<LONG> run; // the masked fields of one port's lamps
    c.ports.resize(static_cast<size_t>(c.portCount));
    for (LayoutFilePort& port : c.ports) {
        port.capacity = in.Plain();
        if (port.capacity < 0 || port.capacity > kMaxPortPoints)
            throw CArchiveRefused();
        port.lampCount = in.MaskedIn(0, port.capacity);
        port.lampFormat = in.Text();
        port.lampFormatIndex = in.Plain();
        if (port.lampFormatIndex < 0 || port.lampFormatIndex > kMaxArchiveLampTypes)
            throw CArchiveRefused();
        port.lamps.resize(static_cast<size_t>(port.lampCount));
        in.MaskedRun(run, port.lamps.size() * 2);
        for (size_t i = 0; i < port.lamps.size(); ++i) {
            port.lamps[i].x = run[2 * i];
            port.lamps[i].y = run[2 * i + 1];
        }
    }

    if (c.version < kArchiveVersionNormalised) {
        // A version-1 file ends here: every lamp sits on its cell centre.
        for (LayoutFilePort& port : c.ports)
            for (CLPoint& lamp : port.lamps) {
                lamp.m_normX = (lamp.x + 0.5) / c.width;
                lamp.m_normY = (lamp.y + 0.5) / c.height;
            }
        return;
    }
    c.alignToGrid = in.Masked();
    for (LayoutFilePort& port : c.ports) {
        in.MaskedRun(run, port.lamps.size() * 2);
        for (size_t i = 0; i < port.lamps.size(); ++i) {
            port.lamps[i].m_normX = DecodeArchiveNormalised(static_cast<DWORD>(run[2 * i]));
            port.lamps[i].m_normY = DecodeArchiveNormalised(static_cast<DWORD>(run[2 * i + 1]));
        }
    }
}

void ApplyContents(const LayoutArchiveContents& c, ILayoutFileView& view, CLayoutData& model)
{
    CLayoutProjectSettings& settings = view.GetLayoutSettings();
    settings.m_doubleSided = c.doubleSided;
    settings.m_dataOffset = c.dataOffset;
    settings.m_showXY = c.showXY;
    settings.m_randomColours = c.randomColours;
    if (c.version >= kArchiveVersionColours)
        settings.m_swatchColour = c.swatchColour;
    if (c.version >= kArchiveVersionRulers) {
        settings.m_hRulers.RemoveAll();
        for (WORD ruler : c.hRulers)
            settings.m_hRulers.Add(ruler);
        settings.m_vRulers.RemoveAll();
        for (WORD ruler : c.vRulers)
            settings.m_vRulers.Add(ruler);
    }

    view.ResizeLayout(c.width, c.height);
    model.m_width = c.width;
    model.m_height = c.height;
    model.ResetPorts(c.portCount, c.pointsPerPort, CString(L"RGB"), 0);

    settings.m_controllers.SetSize(static_cast<INT_PTR>(c.controllers.size()));
    for (size_t i = 0; i < c.controllers.size(); ++i)
        settings.m_controllers.SetAt(static_cast<INT_PTR>(i), c.controllers[i]);
    settings.m_controllerCount = static_cast<int>(c.controllers.size());
    LampTypeList.RemoveAll();
    for (const CString& type : c.lampTypes)
        LampTypeList.Add(type);
    settings.m_lampFormat = c.projectLampFormat;
    settings.m_portsPerController = c.portsPerController;
    settings.m_channelsPerPort = c.channelsPerPort;
    settings.m_lampsPerPort = c.lampsPerPort;
    settings.m_showGrid = c.showGrid;
    settings.m_allowOverlap = c.allowOverlap;
    settings.m_allowMaxLamps = c.allowMaxLamps;
    settings.m_controllerModel = c.controllerModel;

    for (const LayoutFilePort& stored : c.ports) {
        LayoutPort record;
        record.m_lampFormat = stored.lampFormat;
        record.m_lampFormatIndex = stored.lampFormatIndex;
        // The lamps go straight into the slot the record fills; the layout's
        // capacity cuts them when the file's port is larger.
        const int slot = model.GetUsedCount();
        if (!model.AppendLoadedPort(record))
            break;
        model.GetPort(slot).InsertPoints(stored.lamps.data(), static_cast<int>(stored.lamps.size()));
    }
    model.ReserveForEdits();
    if (c.version >= kArchiveVersionNormalised)
        AlignToGrid = c.alignToGrid;

    if (settings.m_randomColours != 0) {
        for (int p = 0; p < model.GetPortCount(); ++p) {
            // The first number drawn is the highest byte.
            const DWORD high = static_cast<DWORD>(std::rand() % 220 + 35);
            const DWORD middle = static_cast<DWORD>(std::rand() % 220 + 35);
            const DWORD low = static_cast<DWORD>(std::rand() % 220 + 35);
            model.GetPort(p).m_colour = (high << 16) | (middle << 8) | low;
        }
    }
    settings.m_loaded = 1;
}

// Every lamp the model would keep (the ports cut to the layout's capacity)
// lies on the file's grid.
bool KeptLampsOnGrid(const LayoutArchiveContents& c)
{
    const size_t slotCapacity = static_cast<size_t>(std::min(c.pointsPerPort, kMaxPortPoints));
    for (const LayoutFilePort& port : c.ports) {
        const size_t kept = std::min(port.lamps.size(), slotCapacity);
        for (size_t i = 0; i < kept; ++i)
            if (!port.lamps[i].IsOnGrid(c.width, c.height))
                return false;
    }
    return true;
}

} // namespace

LayoutReadResult ParseLayoutArchive(CArchive& ar, LayoutArchiveContents& contents)
{
    contents = LayoutArchiveContents();
    try {
        BYTE header[kArchiveHeaderSize];
        if (ar.Read(header, kArchiveHeaderSize) != kArchiveHeaderSize)
            return LayoutReadResult::Corrupt;
        ParseHeader(header, contents);
        ParseBody(ar, contents);
        return LayoutReadResult::Ok;
    } catch (const CArchiveRefused&) {
        return LayoutReadResult::Corrupt;
    } catch (CMemoryException* e) {
        e->Delete();
        return LayoutReadResult::NotOpened;
    } catch (CException* e) {
        // A short file or a string the archive cannot read.
        e->Delete();
        return LayoutReadResult::Corrupt;
    } catch (const std::bad_alloc&) {
        return LayoutReadResult::NotOpened;
    }
}

LayoutReadResult ReadLayoutArchive(ILayoutFileView* view, CArchive& ar, CLayoutData& model)
{
    if (view == nullptr)
        return LayoutReadResult::NotOpened;
    LayoutArchiveContents contents;
    const LayoutReadResult result = ParseLayoutArchive(ar, contents);
    if (result != LayoutReadResult::Ok)
        return result;
    if (!KeptLampsOnGrid(contents))
        return LayoutReadResult::OffGrid;
    try {
        ApplyContents(contents, *view, model);
    } catch (const std::bad_alloc&) {
        return LayoutReadResult::NotOpened;
    } catch (CException* e) {
        e->Delete();
        return LayoutReadResult::NotOpened;
    }
    return LayoutReadResult::Ok;
}
