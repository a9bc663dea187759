// CLEDScreen::ReadLayout: a layout file of either format into a screen.
// The file formats are parsed by the layout editor's own readers; this
// turns their contents into the screen's per-controller records with
// ready byte maps, the white-channel mask and the user gamma curves.
//
// Everything is built aside and handed to the screen only when the whole
// file was good, so a refused file leaves the screen as it was.
#include "LEDScreen.h"

#include <algorithm>
#include <new>
#include <utility>

#include "ControllerTable.h"
#include "FileScrambler.h"
#include "LayoutArchive.h"
#include "LayoutFile.h"
#include "LayoutFileFormat.h"
#include "LayoutPortLamps.h"

namespace {

// What a read hands to the screen.
struct ScreenLayoutBuild {
    int portTotal = 0;
    int channelsPerPort = 0;
    int width = 0;
    int height = 0;
    CString lampFormat;
    bool lampFormatTaken = false; // set by the first port with lamps
    std::vector<ControllerLayout> ports;
    std::vector<std::uint32_t> whiteMask;
    bool hasCurves = false;
    UserCurveTables curves {};
};

// Frames of the grid, with their four trailing zero bytes, must stay
// addressable by byte-map entries (below the channel flags).
bool GridAcceptable(int width, int height)
{
    if (width < 1 || height < 1)
        return false;
    const unsigned long long bytes
        = static_cast<unsigned long long>(width) * static_cast<unsigned long long>(height) * 4;
    return bytes + 4 <= kChannelWhite2;
}

bool StartBuild(int width, int height, const std::vector<WORD>& controllers, ScreenLayoutBuild& build)
{
    if (!GridAcceptable(width, height) || controllers.size() > static_cast<size_t>(kMaxLayoutPorts)
        || !ControllerPortsFit(controllers))
        return false;
    build.width = width;
    build.height = height;
    build.ports.resize(controllers.size());
    for (size_t c = 0; c < controllers.size(); ++c)
        build.ports[c].m_ports = controllers[c];
    build.whiteMask.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    return true;
}

bool HasWhiteChannel(const CString& format)
{
    CString upper(format);
    upper.MakeUpper();
    return upper.Find(L'W') >= 0 || upper.Find(L'N') >= 0;
}

// Stores a port with lamps under its index and marks the white mask.
void RecordPortLamps(ScreenLayoutBuild& build, ControllerLayout& controller, int port,
    const std::vector<CLPoint>& lamps, const CString& format)
{
    if (!build.lampFormatTaken) {
        build.lampFormat = format;
        build.lampFormatTaken = true;
    }
    StorePortLamps(controller, port, lamps, format);
    if (HasWhiteChannel(format)) {
        for (const CLPoint& lamp : lamps)
            if (lamp.x >= 0 && lamp.x < build.width && lamp.y >= 0 && lamp.y < build.height)
                build.whiteMask[static_cast<size_t>(lamp.x) + static_cast<size_t>(build.width) * lamp.y] = 1;
    }
}

bool BuildFromCurrent(const LayoutFileContents& file, ScreenLayoutBuild& build)
{
    if (!StartBuild(file.width, file.height, file.controllers, build))
        return false;
    build.portTotal = file.portCount;
    build.channelsPerPort = file.channelsPerPort;
    build.lampFormat = file.projectLampFormat;

    std::vector<ChannelOrder> formats(file.lampTypes.size());
    for (size_t i = 0; i < formats.size(); ++i)
        ParseChannelOrder(file.lampTypes[i], formats[i]);

    std::vector<BYTE> brightness(kPortOutputTableSize);
    std::vector<BYTE> gamma(kPortOutputTableSize);
    size_t next = 0;
    for (ControllerLayout& controller : build.ports) {
        for (int p = 0; p < controller.m_ports; ++p) {
            const LayoutFilePort& port = file.ports[next++];
            if (port.lamps.empty())
                continue; // no output, but the port index stays taken
            const bool doubleSided = file.doubleSided != 0;
            if (TooManyPortLamps(port.lamps.size(), doubleSided))
                return false;
            // Every lamp format the port names must be listed.
            if (port.lampFormatIndex >= static_cast<int>(formats.size()))
                return false;
            for (const CLPoint& lamp : port.lamps)
                if (lamp.m_lampFormat > formats.size())
                    return false;

            const std::vector<CLPoint> lamps = LampsWithMirrors(port.lamps, doubleSided, file.width);
            RecordPortLamps(build, controller, p, lamps, port.lampFormat);

            std::fill(brightness.begin(), brightness.end(), BYTE(100));
            std::fill(gamma.begin(), gamma.end(), BYTE(0));
            std::copy_n(port.brightness.begin(), std::min<size_t>(port.brightness.size(), brightness.size()),
                brightness.begin());
            std::copy_n(port.gamma.begin(), std::min<size_t>(port.gamma.size(), gamma.size()), gamma.begin());

            PortOutput output;
            output.m_lampFormat = port.lampFormat;
            output.m_portIndex = p;
            if (!output.BuildPortOutputMap(lamps.data(), static_cast<int>(lamps.size()), formats, port.lampFormatIndex,
                    port.dataOffset, file.width, file.height))
                return false;
            output.SetPortTables(brightness.data(), gamma.data());
            controller.m_outputs.push_back(std::move(output));
        }
    }

    build.hasCurves = true;
    for (int i = 0; i < file.curveCount && i < kMaxUserCurves; ++i)
        std::copy_n(file.curves[i], kCurveEntries, build.curves[static_cast<size_t>(i)].begin());
    return true;
}

bool BuildFromArchive(const LayoutArchiveContents& file, int bitsPerPixel, ScreenLayoutBuild& build)
{
    if (!StartBuild(file.width, file.height, file.controllers, build))
        return false;
    build.portTotal = file.portCount;
    build.channelsPerPort = file.channelsPerPort;
    build.lampFormat = file.projectLampFormat;
    const bool doubleSided = file.doubleSided != 0;

    size_t next = 0;
    for (ControllerLayout& controller : build.ports) {
        for (int p = 0; p < controller.m_ports; ++p) {
            const LayoutFilePort& port = file.ports[next++];
            if (port.lamps.empty())
                continue;
            if (TooManyPortLamps(port.lamps.size(), doubleSided))
                return false;
            const std::vector<CLPoint> lamps = LampsWithMirrors(LampPositionsOnly(port.lamps), doubleSided, file.width);
            RecordPortLamps(build, controller, p, lamps, port.lampFormat);

            PortOutput output;
            output.m_lampFormat = port.lampFormat;
            output.m_portIndex = p;
            output.m_dataOffset = file.dataOffset;
            output.ParseChannelOrderArchive(port.lampFormat, bitsPerPixel);
            const auto& cells = controller.m_lampLists[static_cast<size_t>(p)];
            if (output.BuildPortOutputMapArchive(
                    cells.data(), static_cast<int>(cells.size()), bitsPerPixel, file.width, file.height)
                != ArchiveMapResult::Ok)
                return false;
            controller.m_outputs.push_back(std::move(output));
        }
    }
    return true;
}

bool ReadCurrent(const std::vector<BYTE>& bytes, ScreenLayoutBuild& build)
{
    LayoutFileContents contents;
    if (ParseLayoutBytes(bytes.data(), bytes.size(), contents) != LayoutReadResult::Ok)
        return false;
    // The parser guarantees one port record per port of the controller list.
    return BuildFromCurrent(contents, build);
}

// The bytes are unscrambled already.
bool ReadArchive(std::vector<BYTE> bytes, int bitsPerPixel, ScreenLayoutBuild& build)
{
    LayoutArchiveContents contents;
    if (!ReadLayoutArchiveContents(std::move(bytes), contents))
        return false;
    return BuildFromArchive(contents, bitsPerPixel, build);
}

} // namespace

int CLEDScreen::ReadLayout(const CString& path)
{
    ScreenLayoutBuild build;
    bool archive = false;
    bool wasScrambled = false;
    try {
        std::vector<BYTE> bytes;
        if (!ReadWholeFile(path, bytes) || bytes.empty())
            return 0;
        if (HasLayoutMagic(bytes.data(), bytes.size())) {
            if (!ReadCurrent(bytes, build))
                return 0;
        } else {
            archive = true;
            wasScrambled = UnscrambleBytes(bytes);
            if (!ReadArchive(std::move(bytes), m_displayBits, build))
                return 0;
        }
    } catch (const std::bad_alloc&) {
        return 0;
    }

    // Archive layouts are kept scrambled once they have been read.
    if (archive && !wasScrambled)
        ScrambleFileInPlace(path);

    ClearLayout();
    m_layoutPortTotal = static_cast<std::uint16_t>(build.portTotal);
    m_channelsPerPort = build.channelsPerPort;
    m_width = build.width;
    m_height = build.height;
    m_lampFormat = build.lampFormat;
    m_ports = std::move(build.ports);
    m_portCount = static_cast<std::uint16_t>(m_ports.size());
    m_whiteMask = std::move(build.whiteMask);
    if (build.hasCurves)
        m_curves = build.curves; // curves the file does not carry are all 0
    m_groupMode = 0;
    m_layoutPath = path;
    m_mapStride = archive ? m_displayBits / 8 : 4;
    BuildControllerTable(*this);
    return 1;
}

void CLEDScreen::ClearLayout()
{
    m_ports.clear();
    m_portCount = 0;
    m_layoutPath.Empty();
    m_whiteMask.clear();
    ClearControllerOnlineLists(*this);
}
