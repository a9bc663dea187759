// Helper program of test_reelcore_unload: opens videos through Reelcore.dll
// and ends its process while threads of its own play them, so that they are
// inside the library (and its locks) when the process ends. The test expects
// the process to end promptly with exit code kProbeExitCode.
#include "Reelcore.h"

#include <windows.h>

#include <thread>

namespace {

constexpr int kProbeExitCode = 7;
constexpr int kTargetWidth = 1920;
constexpr int kTargetHeight = 1080;

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return 2;
    // Large targets, one DC per video: enlarging each picture onto them keeps
    // the threads drawing, inside the players' locks, most of the time.
    int handles[3] = {};
    for (int& handle : handles) {
        HDC dc = CreateCompatibleDC(nullptr);
        BITMAPINFO info {};
        info.bmiHeader = { sizeof(BITMAPINFOHEADER), kTargetWidth, -kTargetHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
        void* bits = nullptr;
        SelectObject(dc, CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        handle = FFmpegFileOpen(argv[1], dc, 0, 0, kTargetWidth, kTargetHeight, 0, 0, 0, 0);
        if (handle <= 0)
            return 3;
    }
    for (const int handle : handles) {
        std::thread([handle] {
            for (int frame = 1;; frame = frame % 10 + 1) {
                FFmpegFileSeekTo(handle, frame, TRUE);
                FFmpegFileForward(handle);
                FFmpegFileGetFrame(handle);
            }
        }).detach();
    }
    Sleep(100);
    return kProbeExitCode;
}
