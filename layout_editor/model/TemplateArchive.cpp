// The template reader of the archive layout format (see TemplateArchive.h).
#include "TemplateArchive.h"

#include <algorithm>
#include <new>

#include "LampTypeList.h"
#include "LayoutArchiveBodyReader.h"

namespace {

// Widest and tallest template grid, and most points per port, the reader
// takes.
constexpr int kMaxTemplateSide = 0xFFFF;
constexpr int kMaxTemplatePointsPerPort = 0xFFFF;

struct TemplatePort {
    int capacity = 0;
    CString lampFormat;
    int lampFormatIndex = 0;
    std::vector<CLPoint> lamps;
};

struct TemplateContents {
    int version = 0;
    BYTE kind = 0;
    int portCount = 0;
    int pointsPerPort = 0;
    int width = 0;
    int height = 0;
    bool hasController = false;
    int lastController = 0;
    std::vector<TemplatePort> ports;
};

void Parse(CArchive& ar, TemplateContents& c)
{
    BYTE header[kArchiveHeaderSize];
    if (ar.Read(header, kArchiveHeaderSize) != kArchiveHeaderSize)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    c.version = header[0];
    c.kind = header[1] > 3 ? 0 : header[1];

    CArchiveBodyReader in(ar);
    // Counts are kept to their low 16 bits, as they always were.
    c.portCount = static_cast<WORD>(in.Masked());
    c.pointsPerPort = static_cast<WORD>(in.Masked());
    if (c.portCount < 1 || c.portCount > kMaxLayoutPorts || c.pointsPerPort < 1)
        throw CArchiveRefused();
    c.width = in.MaskedIn(1, kMaxTemplateSide);
    c.height = in.MaskedIn(1, kMaxTemplateSide);
    const LONG controllers = in.MaskedIn(0, kMaxLayoutPorts);
    for (LONG i = 0; i < controllers; ++i) {
        c.lastController = in.Masked();
        c.hasController = true;
    }
    const LONG lampTypes = in.MaskedIn(0, kMaxArchiveLampTypes);
    for (LONG i = 0; i < lampTypes; ++i)
        in.Text();
    in.Text(); // project lamp format
    for (int i = 0; i < 6; ++i)
        in.Masked(); // ports, channels, points, grid, overlap, allow maximum
    in.Text(); // controller type

    // A port of the model holds no more lamps than the stored points per
    // port; the stored normalised positions follow that count.
    const int modelCapacity = std::min(c.pointsPerPort, kMaxPortPoints);
    std::vector<LONG> run;
    c.ports.resize(static_cast<size_t>(c.portCount));
    for (TemplatePort& port : c.ports) {
        port.capacity = in.Plain();
        if (port.capacity < 0 || port.capacity > kMaxPortPoints)
            throw CArchiveRefused();
        const LONG count = in.MaskedIn(0, port.capacity);
        port.lampFormat = in.Text();
        port.lampFormatIndex = in.Plain();
        if (port.lampFormatIndex < 0 || port.lampFormatIndex > kMaxArchiveLampTypes)
            throw CArchiveRefused();
        in.MaskedRun(run, static_cast<size_t>(count) * 2);
        port.lamps.resize(static_cast<size_t>(count));
        for (size_t i = 0; i < port.lamps.size(); ++i) {
            port.lamps[i].x = run[2 * i];
            port.lamps[i].y = run[2 * i + 1];
        }
    }

    if (c.version == 1) {
        for (TemplatePort& port : c.ports)
            for (CLPoint& lamp : port.lamps) {
                lamp.m_normX = (lamp.x + 0.5) / c.width;
                lamp.m_normY = (lamp.y + 0.5) / c.height;
            }
    } else if (c.version >= kArchiveVersionNormalised) {
        in.Masked(); // alignment
        for (TemplatePort& port : c.ports) {
            const size_t held = std::min(port.lamps.size(), static_cast<size_t>(modelCapacity));
            in.MaskedRun(run, held * 2);
            for (size_t i = 0; i < held; ++i) {
                port.lamps[i].m_normX = DecodeArchiveNormalised(static_cast<DWORD>(run[2 * i]));
                port.lamps[i].m_normY = DecodeArchiveNormalised(static_cast<DWORD>(run[2 * i + 1]));
            }
        }
    }
}

// Every lamp the model would keep (each port cut to its stored capacity
// and to the template's points per port) lies on the template's grid.
bool KeptLampsOnGrid(const TemplateContents& c)
{
    const int slotCapacity = std::min(c.pointsPerPort, kMaxPortPoints);
    for (const TemplatePort& port : c.ports) {
        const size_t kept = static_cast<size_t>(std::min(port.capacity, slotCapacity));
        for (size_t i = 0; i < port.lamps.size() && i < kept; ++i)
            if (!port.lamps[i].IsOnGrid(c.width, c.height))
                return false;
    }
    return true;
}

bool Apply(const TemplateContents& c, CLayoutData& model)
{
    if (LampTypeList.GetSize() < 1)
        return false;
    if (!model.ResetPorts(c.portCount, c.pointsPerPort, LampTypeList.GetAt(0), 0))
        return false;
    model.m_templateKind = c.kind;
    model.m_width = c.width;
    model.m_height = c.height;
    for (const TemplatePort& stored : c.ports) {
        LayoutPort record;
        record.Allocate(stored.capacity);
        record.m_lampFormat = stored.lampFormat;
        record.m_lampFormatIndex = stored.lampFormatIndex;
        record.InsertPoints(stored.lamps.data(), static_cast<int>(stored.lamps.size()));
        if (!model.AppendLoadedPort(record))
            break;
    }
    for (int p = 0; p < model.GetPortCount(); ++p)
        model.GetPort(p).UpdateBounds();
    return true;
}

} // namespace

LayoutReadResult LoadTemplateArchive(CArchive& ar, CLayoutData& model, int& groupSize)
{
    TemplateContents contents;
    try {
        Parse(ar, contents);
    } catch (const CArchiveRefused&) {
        return LayoutReadResult::Corrupt;
    } catch (const std::bad_alloc&) {
        return LayoutReadResult::NotOpened;
    } catch (CException* e) {
        // A short file or a string the archive cannot read.
        e->Delete();
        return LayoutReadResult::Corrupt;
    }
    if (!KeptLampsOnGrid(contents))
        return LayoutReadResult::OffGrid;
    try {
        if (!Apply(contents, model))
            return LayoutReadResult::Corrupt;
    } catch (const std::bad_alloc&) {
        return LayoutReadResult::NotOpened;
    }
    if (contents.hasController)
        groupSize = contents.lastController;
    return LayoutReadResult::Ok;
}

bool FitsTemplateArchive(const CLayoutData& model)
{
    const int ports = model.GetPortCount();
    if (ports < 1 || ports > kMaxLayoutPorts || model.GetPointsPerPort() < 1
        || model.GetPointsPerPort() > kMaxTemplatePointsPerPort || model.m_width < 1 || model.m_width > kMaxTemplateSide
        || model.m_height < 1 || model.m_height > kMaxTemplateSide)
        return false;
    for (int p = 0; p < ports; ++p) {
        const LayoutPort& port = model.GetPort(p);
        for (int i = 0; i < port.GetCount(); ++i)
            if (!port.GetPoint(i).IsOnGrid(model.m_width, model.m_height))
                return false;
    }
    return true;
}
