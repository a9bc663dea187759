// Exports of off-line show recording: LEDRecordingInit opens a show file for
// a screen, LEDRecordingFrame and LEDRecordingFrameDC record one frame each,
// LEDRecordingStop closes the file with the segment's play settings. One
// file is open at a time, for one screen. Results: 0; -1 a bad screen
// number, a bad argument or no open recording; -2 a screen without
// controllers; -3 the file could not be created or written (a failed write
// is never reported as success, and no broken show file is left behind).
#include "ColourProcessing.h"
#include "ControllerTable.h"
#include "Corvane.h"
#include "CorvaneLibrary.h"
#include "OfflineRecorder.h"
#include "PixelMapFile.h"

#include <cstring>
#include <memory>

namespace {

constexpr int kBadScreen = -1;
constexpr int kNoControllers = -2;

struct RecordingSession {
    COfflineRecorder recorder;
    int screenNumber = 0;
    // The sender made for a screen that had none; dropped at the stop.
    std::unique_ptr<LocalSender> temporarySender;
    int savedSyncEnabled = 1;
    std::vector<unsigned char> frameCopy;
};

RecordingSession& Session()
{
    static RecordingSession session;
    return session;
}

// Undoes what the start did to the screen: its sync flag, and the
// temporary sender with its sockets.
void ReleaseScreen(RecordingSession& session)
{
    CLEDScreen* screen = Library().screens.Screen(session.screenNumber);
    if (screen)
        screen->m_syncEnabled = session.savedSyncEnabled;
    if (session.temporarySender) {
        if (screen && screen->m_sender == session.temporarySender.get()) {
            screen->m_sender = nullptr;
            screen->m_ready = 0;
        }
        session.temporarySender.reset(); // closes its sockets and its outside sender
    }
    std::vector<unsigned char>().swap(session.frameCopy);
    session.screenNumber = 0;
}

int StopRecording(const RecordingSettings& settings)
{
    RecordingSession& session = Session();
    if (!session.recorder.IsOpen())
        return kRecordNotOpen;
    int result = kRecordFileFailed;
    try {
        result = session.recorder.Close(settings, ScreenLayoutPath(session.screenNumber));
    } catch (...) {
        session.recorder.Abandon();
        ReleaseScreen(session);
        throw;
    }
    ReleaseScreen(session);
    return result;
}

// A recording still open when the next one starts is closed as the main
// program would close it without a schedule.
int StopWithDefaults()
{
    CStringArray cards;
    cards.Add(L"QV-HN31EPLAY>>>>");
    cards.Add(L"QV-HN31E>>PLAY>>");
    cards.Add(L"QV-HN31EPLAY>>>>");
    cards.Add(L"QV-HN31E>>PLAY>>");
    const std::int32_t weekdays[7] = {};
    RecordingSettings settings {};
    settings.settings0 = 1;
    settings.settings1 = 0;
    settings.playSeconds = 1;
    settings.cardStrings = &cards;
    settings.weekdays = weekdays;
    settings.playAtOnce = 1;
    return StopRecording(settings);
}

void Abandon(RecordingSession& session)
{
    session.recorder.Abandon();
    ReleaseScreen(session);
}

// The screen and sender of the open recording, or null.
CLEDScreen* RecordedScreen()
{
    RecordingSession& session = Session();
    if (!session.recorder.IsOpen())
        return nullptr;
    CLEDScreen* screen = Library().screens.Screen(session.screenNumber);
    return screen && screen->m_sender ? screen : nullptr;
}

int RecordPixels(CLEDScreen& screen, unsigned char* pixels, double* sizeMiB)
{
    CorvaneLibrary& lib = Library();
    return Session().recorder.RecordFrame(
        screen, screen.m_controllers, *screen.m_sender, pixels, lib.bytesPerPixel, lib.securityFlag != 0, sizeMiB);
}

// Scales the source rectangle to the screen's size and takes its pixels,
// rows from the top, into the frame copy (with zero bytes after the last
// pixel). False when the device context cannot be read.
bool CopyFromDC(HDC source, int width, int height, const CLEDScreen& screen, std::vector<unsigned char>& copy)
{
    const int w = screen.m_width;
    const int h = screen.m_height;
    const int bytesPerPixel = Library().bytesPerPixel;
    if (w <= 0 || h <= 0 || std::size_t(w) * std::size_t(h) > 0x4000000u)
        return false;
    HDC memory = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateCompatibleBitmap(source, w, h);
    bool ok = memory && bitmap;
    if (ok) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        const BLENDFUNCTION blend { AC_SRC_OVER, 0, 255, 0 };
        ok = GdiAlphaBlend(memory, 0, 0, w, h, source, 0, 0, width, height, blend) != FALSE;
        SelectObject(memory, old);
    }
    std::vector<unsigned char> rows;
    if (ok) {
        BITMAPINFO info {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        rows.resize(std::size_t(w) * std::size_t(h) * 4);
        ok = GetDIBits(memory, bitmap, 0, UINT(h), rows.data(), &info, DIB_RGB_COLORS) == h;
    }
    if (bitmap)
        DeleteObject(bitmap);
    if (memory)
        DeleteDC(memory);
    if (!ok)
        return false;
    const std::size_t pixels = std::size_t(w) * std::size_t(h);
    copy.assign(pixels * std::size_t(bytesPerPixel) + 10, 0);
    for (std::size_t i = 0; i < pixels; ++i) {
        for (int b = 0; b < bytesPerPixel && b < 4; ++b)
            copy[i * std::size_t(bytesPerPixel) + std::size_t(b)] = rows[i * 4 + std::size_t(b)];
    }
    return true;
}

} // namespace

CORVANE_API int __stdcall LEDRecordingInit(int screen, const wchar_t* path, unsigned int framesPerSecond)
{
    return GuardedExport(L"LEDRecordingInit", kRecordFileFailed, [&] {
        CorvaneLibrary& lib = Library();
        RecordingSession& session = Session();
        const unsigned fps = framesPerSecond & 0xFFFFu;
        if (!lib.screens.Screen(screen) || fps == 0)
            return kBadScreen;
        if (session.recorder.IsOpen())
            StopWithDefaults();
        CLEDScreen& target = *lib.screens.Screen(screen);
        if (target.m_controllers.empty())
            return kNoControllers;
        if (!path || session.recorder.CreateFile(CString(path)) != 0)
            return kRecordFileFailed;
        try {
            session.screenNumber = screen;
            if (!target.m_sender) {
                // Adapter 1 of the table: the screen never chose one.
                const AdapterTable& table = Adapters();
                session.temporarySender = std::make_unique<LocalSender>();
                LocalSender& sender = *session.temporarySender;
                std::uint8_t ip[4] {};
                if (GetAdapterIPv4(table, 1, ip)) {
                    std::uint8_t address[11] {};
                    int length = 0;
                    GetAdapterMac(table, 1, length, address);
                    std::memcpy(sender.mac, address, length > 0 && length < 6 ? std::size_t(length) : 6);
                }
                std::memcpy(&sender.ipv4, ip, 4);
                target.m_sender = &sender;
                InitControllers(target);
            }
            session.savedSyncEnabled = target.m_syncEnabled;
            target.m_syncEnabled = 0;
            lib.recordingIntervalMs = std::uint16_t(1000u / fps);
            PrepareFifthColourBuffer(target);
            if (session.recorder.Begin(
                    target, target.m_controllers, *target.m_sender, fps, lib.syncCode, lib.securityFlag != 0)
                != 0) {
                Abandon(session);
                return kRecordFileFailed;
            }
        } catch (...) {
            Abandon(session);
            throw;
        }
        return 0;
    });
}

CORVANE_API int __stdcall LEDRecordingFrame(unsigned char* pixels, int, double* sizeMiB)
{
    return GuardedExport(L"LEDRecordingFrame", kRecordFileFailed, [&] {
        CLEDScreen* screen = RecordedScreen();
        if (!screen || !pixels)
            return kRecordNotOpen;
        return RecordPixels(*screen, pixels, sizeMiB);
    });
}

CORVANE_API int __stdcall LEDRecordingFrameDC(HDC source, int width, int height, int, double* sizeMiB)
{
    return GuardedExport(L"LEDRecordingFrameDC", kRecordFileFailed, [&] {
        CLEDScreen* screen = RecordedScreen();
        if (!screen || !source || width <= 0 || height <= 0)
            return kRecordNotOpen;
        std::vector<unsigned char>& copy = Session().frameCopy;
        if (!CopyFromDC(source, width, height, *screen, copy))
            return kRecordNotOpen;
        return RecordPixels(*screen, copy.data(), sizeMiB);
    });
}

CORVANE_API int __stdcall LEDRecordingStop(RecordingSettings settings)
{
    return GuardedExport(L"LEDRecordingStop", kRecordFileFailed, [&] { return StopRecording(settings); });
}
