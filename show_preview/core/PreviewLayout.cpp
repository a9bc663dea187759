// Reading layout files for the preview (see PreviewLayout.h).
#include "PreviewLayout.h"

#include <algorithm>
#include <new>
#include <utility>

#include "FileScrambler.h"
#include "LayoutArchive.h"
#include "LayoutFile.h"
#include "LayoutFileFormat.h"
#include "LayoutPortLamps.h"

namespace preview {

namespace {

bool StartRecords(int width, int height, const std::vector<WORD>& controllers, PreviewLayout& build)
{
    if (width < 1 || height < 1 || static_cast<long long>(width) * height > kMaxLayoutPixels)
        return false;
    if (!ControllerPortsFit(controllers))
        return false; // more ports than a record has group places
    build.width = width;
    build.height = height;
    build.records.resize(controllers.size());
    for (std::size_t c = 0; c < controllers.size(); ++c)
        build.records[c].m_ports = controllers[c];
    return true;
}

void KeepLamps(PreviewLayout& build, ControllerLayout& record, int port, const std::vector<CLPoint>& lamps,
    const CString& format, bool& typeTaken)
{
    if (!typeTaken) {
        build.typeText = format;
        typeTaken = true;
    }
    StorePortLamps(record, port, lamps, format);
}

// Brightness (rest 100) and gamma (rest 0) tables of the preview's size.
std::vector<BYTE> PortTable(const std::vector<BYTE>& stored, BYTE rest)
{
    std::vector<BYTE> table(kPortOutputTableSize, rest);
    std::copy_n(stored.begin(), std::min<std::size_t>(stored.size(), kPreviewTableEntries), table.begin());
    return table;
}

bool BuildFromCurrent(const LayoutFileContents& file, PreviewLayout& build)
{
    if (!StartRecords(file.width, file.height, file.controllers, build))
        return false;
    build.portCount = file.portCount;
    build.channelsPerPort = file.channelsPerPort;
    build.typeText = file.projectLampFormat;
    bool typeTaken = false;
    const bool doubleSided = file.doubleSided != 0;

    std::vector<ChannelOrder> types(file.lampTypes.size());
    for (std::size_t i = 0; i < types.size(); ++i)
        ParseChannelOrder(file.lampTypes[i], types[i]);

    std::size_t next = 0;
    for (ControllerLayout& record : build.records) {
        for (int p = 0; p < record.m_ports; ++p) {
            const LayoutFilePort& port = file.ports[next++];
            if (port.lamps.empty())
                continue; // the output number stays missing from the record
            if (TooManyPortLamps(port.lamps.size(), doubleSided))
                return false;
            const std::vector<CLPoint> lamps = LampsWithMirrors(port.lamps, doubleSided, file.width);
            KeepLamps(build, record, p, lamps, port.lampFormat, typeTaken);

            PortOutput group;
            group.m_lampFormat = port.lampFormat;
            group.m_portIndex = p;
            if (!group.BuildPortOutputMap(lamps.data(), static_cast<int>(lamps.size()), types, port.lampFormatIndex,
                    port.dataOffset, file.width, file.height))
                return false;
            // The drawing takes the colour order of the port's own lamp type.
            if (!group.ParseChannelOrderArchive(port.lampFormat, build.bitsPerPixel))
                return false;
            group.SetPortTables(PortTable(port.brightness, 100).data(), PortTable(port.gamma, 0).data());
            record.m_outputs.push_back(std::move(group));
        }
    }
    return true;
}

bool BuildFromArchive(const LayoutArchiveContents& file, PreviewLayout& build)
{
    if (!StartRecords(file.width, file.height, file.controllers, build))
        return false;
    build.portCount = file.portCount;
    build.channelsPerPort = file.channelsPerPort;
    build.typeText = file.projectLampFormat;
    bool typeTaken = false;
    const bool doubleSided = file.doubleSided != 0;

    std::size_t next = 0;
    for (ControllerLayout& record : build.records) {
        for (int p = 0; p < record.m_ports; ++p) {
            const LayoutFilePort& port = file.ports[next++];
            if (port.lamps.empty())
                continue;
            if (TooManyPortLamps(port.lamps.size(), doubleSided))
                return false;
            const std::vector<CLPoint> lamps = LampsWithMirrors(LampPositionsOnly(port.lamps), doubleSided, file.width);
            KeepLamps(build, record, p, lamps, port.lampFormat, typeTaken);

            PortOutput group;
            group.m_lampFormat = port.lampFormat;
            group.m_portIndex = p;
            group.m_dataOffset = file.dataOffset;
            if (!group.ParseChannelOrderArchive(port.lampFormat, build.bitsPerPixel))
                return false;
            const auto& cells = record.m_lampLists[static_cast<std::size_t>(p)];
            if (group.BuildPortOutputMapArchive(
                    cells.data(), static_cast<int>(cells.size()), build.bitsPerPixel, file.width, file.height)
                != ArchiveMapResult::Ok)
                return false;
            record.m_outputs.push_back(std::move(group));
        }
    }
    return true;
}

bool ReadArchive(std::vector<BYTE> bytes, PreviewLayout& build)
{
    LayoutArchiveContents contents;
    if (!ReadLayoutArchiveContents(std::move(bytes), contents))
        return false;
    return BuildFromArchive(contents, build);
}

} // namespace

bool ReadPreviewLayoutBytes(std::vector<BYTE> bytes, PreviewLayout& layout, bool* wasPlainArchive)
{
    if (wasPlainArchive != nullptr)
        *wasPlainArchive = false;
    if (bytes.empty())
        return false;
    PreviewLayout build;
    try {
        if (HasLayoutMagic(bytes.data(), bytes.size())) {
            LayoutFileContents contents;
            if (ParseLayoutBytes(bytes.data(), bytes.size(), contents) != LayoutReadResult::Ok)
                return false;
            if (!BuildFromCurrent(contents, build))
                return false;
        } else {
            const bool scrambled = UnscrambleBytes(bytes);
            if (!ReadArchive(std::move(bytes), build))
                return false;
            if (wasPlainArchive != nullptr)
                *wasPlainArchive = !scrambled;
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    layout = std::move(build);
    return true;
}

bool ReadPreviewLayout(const CString& path, PreviewLayout& layout)
{
    std::vector<BYTE> bytes;
    try {
        if (!ReadWholeFile(path, bytes) || bytes.empty())
            return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    // Unscrambled in memory only: a preview never writes the user's file.
    return ReadPreviewLayoutBytes(std::move(bytes), layout, nullptr);
}

} // namespace preview
