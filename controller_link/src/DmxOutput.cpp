// DMX output exports and the parameter block (see DmxOutput.h).
#include "DmxOutput.h"

#include "CommandProtocol.h"
#include "Corvane.h"
#include "CorvaneLibrary.h"
#include "LivePlay.h"
#include "RowLayout.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace {

constexpr int kDmxChannelsPerRow = 512;
constexpr double kDmxClockMHz = 0.25;
constexpr std::size_t kFramePad = 10;

struct DmxState {
    std::unique_ptr<CLEDScreen> screen;
    std::vector<BYTE> frame;
    int rowSize = 0;
    int frameSize = 0;
    int bytesPerPixel = 0;
    int lastMode = -1;
    int lastCount = 0;
};

DmxState& State()
{
    static DmxState state;
    return state;
}

void PutU16(std::uint8_t* p, unsigned v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}

void EndDmx()
{
    DmxState& dmx = State();
    dmx.screen.reset();
    dmx.frame.clear();
    dmx.frame.shrink_to_fit();
    dmx.rowSize = 0;
    dmx.frameSize = 0;
    dmx.lastCount = 0;
    dmx.lastMode = -1;
}

// Fills and sends the block for the DMX screen's ports first..last: 0 or -1.
int BuildDmxParameterBlock(CLEDScreen& screen, int first, int count, int mode, double clockMHz, double gamma, int last)
{
    std::uint8_t block[kDmxParameterBlockSize];
    FillDmxParameterBlock(block, count, mode, clockMHz, gamma);
    if (screen.m_controllers.empty())
        return -1;
    int base = 1;
    if (screen.m_groupMode != 0) {
        if (last > screen.m_controllers.back().lastPort + 1)
            return -1;
    } else {
        if (last > first + screen.m_controllers.front().lastPort)
            return -1;
        base = screen.m_firstPort;
        first = first - screen.m_firstPort + 1;
        last = last - screen.m_firstPort + 1;
    }
    return SendDmxParameters(screen.m_sender, block, screen.m_controllers, first, last, base) == 0 ? 0 : -1;
}

} // namespace

CLEDScreen* DmxScreen()
{
    return State().screen.get();
}

void BuildGrayTable(int bits, double gamma, std::uint16_t table[256])
{
    const double m = std::ldexp(1.0, bits) - 1.0;
    table[0] = 0;
    for (int i = 1; i < 256; ++i) {
        const double level = std::floor(std::pow(i / 255.0, gamma) * m + 0.5);
        table[i] = std::uint16_t(std::min(m, level));
    }
}

void FillDmxParameterBlock(
    std::uint8_t block[kDmxParameterBlockSize], int channelCount, int mode, double clockMHz, double gamma)
{
    std::memset(block, 0, kDmxParameterBlockSize);
    block[0] = 4;
    const int divider = int(75.0 / clockMHz);
    PutU16(block + 1, unsigned(divider));
    PutU16(block + 3, unsigned(divider / 2));
    PutU16(block + 5, unsigned(channelCount));
    std::memset(block + 7, 0xFF, 4);
    PutU16(block + 11, unsigned(mode));
    const int greyBits = 8; // log2 of 256 levels
    block[13] = std::uint8_t(greyBits);
    std::uint16_t table[256];
    BuildGrayTable(greyBits, gamma, table);
    for (int i = 0; i < 256; ++i)
        PutU16(block + 512 + 2 * i, table[i]);
}

int SendDmxParameters(LocalSender* sender, const std::uint8_t block[kDmxParameterBlockSize],
    const std::vector<ControllerEntry>& controllers, int first, int last, int base)
{
    if (controllers.empty() || last < first)
        return kEmptyControllerRange;
    std::vector<ControllerEntry> copies;
    int largest = 0;
    for (const ControllerEntry& entry : controllers) {
        // The entry serves port numbers firstPort + 1 .. lastPort + 1.
        if (entry.lastPort + 1 < first || entry.firstPort + 1 > last)
            continue;
        ControllerEntry copy = entry;
        copy.firstPort = std::max(entry.firstPort, first - 1);
        copy.lastPort = std::min(entry.lastPort, last - 1);
        largest = std::max(largest, copy.PortCount());
        copies.push_back(std::move(copy));
    }
    if (copies.empty() || !sender)
        return 1;
    const int onlineOnly = Library().onlineOnly;
    const std::uint8_t code = std::uint8_t(Library().dmxParameterCode);
    for (int k = 0; k < largest; ++k) {
        for (const ControllerEntry& copy : copies) {
            if (!copy.HasPortAt(k))
                continue;
            const int field = base + copy.firstPort + k - 1;
            // The online list holds port numbers: the port of this field is field + 1.
            if (onlineOnly != 0
                && std::find(copy.online.begin(), copy.online.end(), std::uint16_t(field + 1)) == copy.online.end())
                continue;
            SendCommand(0, *sender, copy.ipText, code, std::uint16_t(field), block, kDmxParameterBlockSize, 0);
        }
    }
    return 0;
}

CORVANE_API int __stdcall LEDDMXInitDataSend(int screen)
{
    return GuardedExport(L"LEDDMXInitDataSend", -1, [&] {
        CLEDScreen* source = Library().screens.Screen(screen);
        if (!source)
            return -1;
        EndDmx();
        auto rows = std::make_unique<CLEDScreen>();
        if (!BuildRowLayout(*source, kDmxChannelsPerRow, L"BGR", *rows))
            return -1;
        DmxState& dmx = State();
        dmx.bytesPerPixel = rows->m_displayBits / 8;
        dmx.rowSize = dmx.bytesPerPixel * rows->m_width;
        dmx.frameSize = dmx.rowSize * rows->m_height;
        dmx.frame.assign(std::size_t(dmx.frameSize) + kFramePad, 0);
        dmx.screen = std::move(rows);
        return 0;
    });
}

CORVANE_API int __stdcall LEDDMXDataSend(int mode, const unsigned char* values, int count)
{
    return GuardedExport(L"LEDDMXDataSend", -1, [&] {
        DmxState& dmx = State();
        if (!dmx.screen || count < 0 || (count > 0 && !values))
            return -1;
        CLEDScreen& screen = *dmx.screen;
        if (mode != dmx.lastMode || count != dmx.lastCount) {
            const int last = screen.m_portCount + screen.m_firstPort - 1;
            if (BuildDmxParameterBlock(screen, screen.m_firstPort, count, mode == 1 ? 2 : 0, kDmxClockMHz, 1.0, last)
                != 0)
                return -1;
            dmx.lastMode = mode;
            dmx.lastCount = count;
        }
        std::fill(dmx.frame.begin(), dmx.frame.end(), BYTE(0));
        // Values beyond the frame are dropped.
        if (dmx.bytesPerPixel == 4) {
            const int pixels = dmx.frameSize / 4;
            for (int i = 0; i < count && i / 3 < pixels; ++i)
                dmx.frame[std::size_t(i / 3 * 4 + i % 3)] = values[i];
        } else {
            std::memcpy(dmx.frame.data(), values, std::size_t(std::min(count, dmx.frameSize)));
        }
        SendFrames(screen, 1, 0, dmx.frame.data());
        return 0;
    });
}

CORVANE_API void __stdcall LEDDMXEndDataSend()
{
    GuardedExport(L"LEDDMXEndDataSend", 0, [] {
        EndDmx();
        return 0;
    });
}
