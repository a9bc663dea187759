// Live play exports and the self-paced state machine (see LivePlay.h).
#include "LivePlay.h"

#include "ColourProcessing.h"
#include "CommandProtocol.h"
#include "ControllerTable.h"
#include "Corvane.h"
#include "CorvaneLibrary.h"
#include "RowLayout.h"
#include "ScreenFrame.h"
#include "Send_Udp.h"

#include <algorithm>
#include <cstring>

namespace {

using OutputBuffers = std::array<std::vector<BYTE>, kLiveOutputCount>;

bool g_livePlay = false;

constexpr int kTestFrames = 4;
constexpr int kTestFrameIntervalMs = 100;
constexpr int kTestChannelsPerRow = 6144;
// Frames handed to the byte maps carry zero bytes past their last pixel.
constexpr std::size_t kFramePad = 10;

void SizeBuffers(OutputBuffers& buffers, std::size_t size)
{
    for (auto& buffer : buffers)
        buffer.assign(size, 0);
}

void FreeBuffers(OutputBuffers& buffers)
{
    for (auto& buffer : buffers) {
        buffer.clear();
        buffer.shrink_to_fit();
    }
}

// Maps the outputs of screen port `index` from the frame into the buffers
// and hands them to the packet builder as port `portNumber`.
void SendPortOutputs(CLEDScreen& screen, int index, std::uint16_t portNumber, const char* controllerIp,
    OutputBuffers& buffers, const BYTE* frame, bool colourModes)
{
    if (index < 0 || index >= int(screen.m_ports.size()) || !screen.m_sender || !screen.m_sender->outside)
        return;
    ControllerLayout& port = screen.m_ports[std::size_t(index)];
    if (port.m_outputs.empty())
        return;
    unsigned char* data[kLiveOutputCount] {};
    unsigned short lengths[kLiveOutputCount] {};
    const ScreenColour& colour = screen.m_colour;
    const BYTE* fifth = colour.fifthBuffer.empty() ? nullptr : colour.fifthBuffer.data();
    for (PortOutput& output : port.m_outputs) {
        const int o = output.m_portIndex;
        if (o < 0 || o >= kLiveOutputCount)
            continue;
        const BYTE* mapped = colourModes
            ? output.ExtractOutput(frame, colour.whiteMode, fifth, colour.fifthEnable, screen.m_curves)
            : output.ExtractOutput(frame, 0, nullptr, 0, screen.m_curves);
        if (!mapped)
            continue;
        std::vector<BYTE>& buffer = buffers[std::size_t(o)];
        const std::size_t length = output.m_outputLength;
        // An output longer than the buffers (a layout read after the start)
        // gets a bigger buffer instead of running past it.
        if (buffer.size() < length)
            buffer.resize(length);
        std::memcpy(buffer.data(), mapped, length);
        lengths[o] = static_cast<unsigned short>(length);
    }
    for (int o = 0; o < kLiveOutputCount; ++o)
        data[o] = buffers[std::size_t(o)].empty() ? nullptr : buffers[std::size_t(o)].data();
    LocalSender& sender = *screen.m_sender;
    sender.outside->make_pkt(
        data, lengths, portNumber, controllerIp, ControllerDataPort(), sender.boundText, kControllerDataPort);
}

void StartFrameEveryController(CLEDScreen& screen)
{
    for (ControllerEntry& entry : screen.m_controllers)
        SendFrameStart(*screen.m_sender, entry.ipText, std::uint16_t(entry.firstPort + 1));
}

void SendTestFrames(CLEDScreen& screen)
{
    CLEDScreen rows;
    if (!BuildRowLayout(screen, kTestChannelsPerRow, L"RGB", rows) || rows.m_ready == 0)
        return;
    const std::size_t size
        = std::size_t(rows.m_displayBits / 8) * std::size_t(rows.m_width) * std::size_t(rows.m_height);
    std::vector<BYTE> blank(size + kFramePad, 0);
    SendFrames(rows, kTestFrames, kTestFrameIntervalMs, blank.data());
}

int PlayFrame(int number, unsigned char* pixels, int bytesPerPixel)
{
    if (!g_livePlay)
        return -1;
    CLEDScreen* screen = Library().screens.Screen(number);
    if (!screen)
        return -2;
    if (screen->m_ready == 0 || !screen->m_sender)
        return -3;
    if (!pixels)
        return -1;
    CLEDScreen& s = *screen;
    LivePlayFields& live = s.m_live;
    const std::size_t wanted = LiveOutputBufferSize(s);
    for (auto& buffer : live.outputs)
        if (buffer.size() < wanted)
            buffer.assign(wanted, 0);

    if (s.m_groupMode != 0) {
        StartFrameEveryController(s);
    } else if (s.m_startSyncSender && !s.m_controllers.empty()) {
        SendFrameStart(*s.m_sender, s.m_controllers.front().ipText, live.startPort);
    }

    // The maps read past the last pixel and want 4-byte pixels: they read
    // the screen's own copy, never the caller's buffer.
    const BYTE* frame = PrepareScreenFrame(s, pixels, bytesPerPixel, live.frameBuffer);
    if (!frame)
        return 0;

    if (s.m_groupMode != 0) {
        for (int r = 0; r < s.m_portsPerController; ++r) {
            for (ControllerEntry& entry : s.m_controllers) {
                if (!entry.HasPortAt(r))
                    continue;
                const int index = entry.firstPort + r;
                SendPortOutputs(s, index, std::uint16_t(index + 1), entry.ipText, live.outputs, frame, true);
            }
        }
    } else if (!s.m_controllers.empty()) {
        const char* ip = s.m_controllers.front().ipText;
        for (int i = 0; i < s.m_portCount; ++i)
            SendPortOutputs(s, i, std::uint16_t(s.m_firstPort + i), ip, live.outputs, frame, true);
    }
    return 0;
}

} // namespace

bool LivePlayInitialised()
{
    return g_livePlay;
}

std::size_t LiveOutputBufferSize(const CLEDScreen& screen)
{
    std::size_t size = kLiveOutputBufferSize;
    for (const ControllerLayout& port : screen.m_ports)
        for (const PortOutput& output : port.m_outputs)
            size = std::max<std::size_t>(size, output.m_outputLength);
    return size;
}

void SendFrameStep(CLEDScreen& screen, OutputBuffers& buffers, const BYTE* pixels)
{
    if (screen.m_ready == 0 || !screen.m_sender || screen.m_controllers.empty())
        return;
    LivePlayFields& live = screen.m_live;
    if (screen.m_groupMode != 0) {
        const int p = screen.m_portsPerController;
        const int c = int(screen.m_controllers.size());
        if (live.portPosition < p || live.controllerPosition < c) {
            if (live.controllerPosition >= c)
                live.controllerPosition = 0;
            if (live.startPending) {
                live.startPending = 0;
                StartFrameEveryController(screen);
                live.currentFrame = pixels;
            }
            ControllerEntry& entry = screen.m_controllers[live.controllerPosition];
            if (entry.HasPortAt(live.portPosition)) {
                const int index = entry.firstPort + live.portPosition;
                SendPortOutputs(
                    screen, index, std::uint16_t(index + 1), entry.ipText, buffers, live.currentFrame, false);
            }
            if (++live.controllerPosition >= c)
                ++live.portPosition;
            return;
        }
        live.portPosition = 0;
        live.controllerPosition = 0;
        SendSync(screen);
        ++live.framesSent;
        live.startPending = 1;
        Sleep(screen.m_frameIntervalMs);
        return;
    }

    ControllerEntry& entry = screen.m_controllers.front();
    if (live.portPosition >= screen.m_portCount) {
        live.portPosition = 0;
        if (screen.m_startSyncSender)
            SendSync(screen);
        ++live.framesSent;
        live.startPending = 1;
        Sleep(screen.m_frameIntervalMs);
        return;
    }
    if (live.startPending) {
        live.startPending = 0;
        if (screen.m_startSyncSender)
            SendFrameStart(*screen.m_sender, entry.ipText, live.startPort);
        live.currentFrame = pixels;
    }
    for (; live.portPosition < screen.m_portCount; ++live.portPosition) {
        const int i = live.portPosition;
        SendPortOutputs(
            screen, i, std::uint16_t(screen.m_firstPort + i), entry.ipText, buffers, live.currentFrame, false);
    }
}

void SendFrames(CLEDScreen& screen, int count, int intervalMs, const BYTE* pixels)
{
    LivePlayFields& live = screen.m_live;
    live.startPort = std::uint16_t(screen.m_firstPort);
    screen.m_startSyncSender = 1;
    // Only a ready screen can finish a frame: the loop would not end otherwise.
    if (screen.m_syncEnabled == 0 || screen.m_ready == 0 || screen.m_controllers.empty() || !screen.m_sender)
        return;
    live.portPosition = 0;
    live.controllerPosition = 0;
    live.startPending = 1;
    OutputBuffers buffers;
    SizeBuffers(buffers, LiveOutputBufferSize(screen));
    live.framesSent = 0;
    screen.m_frameIntervalMs = std::uint16_t(intervalMs);
    try {
        while (live.framesSent < count)
            SendFrameStep(screen, buffers, pixels);
    } catch (...) {
        // A failed step ends the run, as a broken frame would.
    }
}

CORVANE_API int __stdcall LEDPlayInit()
{
    return GuardedExport(L"LEDPlayInit", -1, [] {
        if (g_livePlay)
            return 0;
        g_livePlay = true;
        CorvaneLibrary& lib = Library();
        CLEDScreenList& screens = lib.screens;
        for (INT_PTR i = 0; i < screens.GetSize(); ++i)
            SendTestFrames(screens.ElementAt(i));
        for (INT_PTR i = 0; i < screens.GetSize(); ++i) {
            CLEDScreen& s = screens.ElementAt(i);
            s.BuildColourTables();
            s.m_live.startPort = std::uint16_t(s.m_firstPort);
            s.m_startSyncSender = 1;
            for (INT_PTR j = 0; j < i; ++j) {
                const CLEDScreen& earlier = screens.ElementAt(j);
                if (earlier.m_sender && earlier.m_sender == s.m_sender) {
                    s.m_live.startPort = std::uint16_t(earlier.m_firstPort);
                    s.m_startSyncSender = 0;
                    break;
                }
            }
            PrepareFifthColourBuffer(s);
        }
        for (INT_PTR i = 0; i < screens.GetSize(); ++i) {
            CLEDScreen& s = screens.ElementAt(i);
            BindIpMac(s);
            s.m_live.frameSize = s.m_width * s.m_height * lib.bytesPerPixel;
            s.m_live.frameBuffer.assign(std::size_t(std::max(s.m_width * s.m_height, 0)) * 4 + kScreenFramePad, 0);
            SizeBuffers(s.m_live.outputs, LiveOutputBufferSize(s));
        }
        return 0;
    });
}

CORVANE_API int __stdcall LEDPlayFrame(int screen, unsigned char* pixels)
{
    return GuardedExport(L"LEDPlayFrame", -1, [&] { return PlayFrame(screen, pixels, Library().bytesPerPixel); });
}

CORVANE_API int __stdcall LEDPlayFrameDC(int screen, HDC source, int width, int height)
{
    return GuardedExport(L"LEDPlayFrameDC", -1, [&] {
        CorvaneLibrary& lib = Library();
        CLEDScreen* s = lib.screens.Screen(screen);
        if (!g_livePlay || !s)
            return -1;
        if (!source || width <= 0 || height <= 0 || s->m_width <= 0 || s->m_height <= 0)
            return -1;
        BITMAPINFO info {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = s->m_width;
        info.bmiHeader.biHeight = -s->m_height; // top-down rows, as frames are
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!bitmap)
            return -1;
        HDC memory = CreateCompatibleDC(source);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BLENDFUNCTION blend { AC_SRC_OVER, 0, 255, 0 };
        AlphaBlend(memory, 0, 0, s->m_width, s->m_height, source, 0, 0, width, height, blend);
        GdiFlush();
        // The scaled picture has 4-byte pixels whatever the display's depth;
        // its rows have no padding.
        const std::size_t length = std::size_t(s->m_width) * std::size_t(s->m_height) * 4;
        std::vector<BYTE> picture(static_cast<const BYTE*>(bits), static_cast<const BYTE*>(bits) + length);
        SelectObject(memory, old);
        DeleteDC(memory);
        DeleteObject(bitmap);
        s->m_live.frameSize = s->m_width * s->m_height * lib.bytesPerPixel;
        return PlayFrame(screen, picture.data(), 4);
    });
}

CORVANE_API int __stdcall LEDPlayFrameSynchro(int screen)
{
    return GuardedExport(L"LEDPlayFrameSynchro", -1, [&] {
        CLEDScreen* s = Library().screens.Screen(screen);
        if (!s)
            return -1;
        SendSync(*s);
        return 0;
    });
}

CORVANE_API int __stdcall LEDPlayStop()
{
    return GuardedExport(L"LEDPlayStop", -1, [] {
        if (!g_livePlay)
            return -1;
        CLEDScreenList& screens = Library().screens;
        for (INT_PTR i = 0; i < screens.GetSize(); ++i) {
            CLEDScreen& s = screens.ElementAt(i);
            s.m_colour.fifthBuffer.clear();
            s.m_colour.fifthBuffer.shrink_to_fit();
            s.m_live.frameBuffer.clear();
            s.m_live.frameBuffer.shrink_to_fit();
            s.m_live.frameSize = 0;
            FreeBuffers(s.m_live.outputs);
        }
        g_livePlay = false;
        return 0;
    });
}
