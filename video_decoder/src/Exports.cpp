// The exported functions of Reelcore.dll and its entry point. Every export
// catches everything: no C++ exception may leave the library. The library
// loads no resources of its own, so the exports need not switch the
// framework's module state.
#include "ReelcoreApp.h"
#include "FramePlayer.h"

#include "Reelcore.h"

#include <new>
#include <string>

namespace {

template <typename Fn> auto Guarded(int fallback, Fn&& fn) -> int
{
    try {
        return fn();
    } catch (CException* e) {
        e->Delete();
        return fallback;
    } catch (...) {
        return fallback;
    }
}

int Clamp32(int64_t value)
{
    return value > INT32_MAX ? INT32_MAX : value < 0 ? 0 : static_cast<int>(value);
}

} // namespace

extern "C" {

int __stdcall FFmpegFileOpen(
    LPCWSTR path, HDC dc, int x, int y, int width, int height, int cropLeft, int cropTop, int cropRight, int cropBottom)
{
    return Guarded(-1, [&] {
        auto player = std::make_unique<CFramePlayer>();
        const RECT target = { x, y, x + width, y + height };
        if (player->Open(path, dc, target, cropLeft, cropTop, cropRight, cropBottom) == 1)
            return TheReelcoreApp().AddPlayer(std::move(player));
        const bool tooLarge = player->PictureTooLarge();
        player.reset();
        std::wstring line = L"OpenFailed:";
        line += path != nullptr ? path : L"";
        line += L"\n";
        OutputDebugStringW(line.c_str());
        return tooLarge ? REELCORE_PICTURE_TOO_LARGE : REELCORE_OPEN_FAILED;
    });
}

void __stdcall FFmpegFileClose(int handle)
{
    Guarded(0, [&] {
        TheReelcoreApp().RemovePlayer(handle);
        return 0;
    });
}

int __stdcall FFmpegFileForward(int handle)
{
    return Guarded(0, [&] {
        auto player = TheReelcoreApp().FindPlayer(handle);
        if (!player)
            return 0;
        player->Forward();
        return 1;
    });
}

int __stdcall FFmpegFileSeekTo(int handle, int frame, BOOL draw)
{
    return Guarded(0, [&] {
        auto player = TheReelcoreApp().FindPlayer(handle);
        if (!player)
            return 0;
        player->SeekTo(frame, draw != FALSE);
        return 1;
    });
}

int __stdcall FFmpegFileGetWidth(int handle)
{
    return Guarded(0, [&] {
        auto player = TheReelcoreApp().FindPlayer(handle);
        return player ? player->GetWidth() : 0;
    });
}

int __stdcall FFmpegFileGetHeight(int handle)
{
    return Guarded(0, [&] {
        auto player = TheReelcoreApp().FindPlayer(handle);
        return player ? player->GetHeight() : 0;
    });
}

int __stdcall FFmpegFileGetFrames(int handle)
{
    return Guarded(0, [&] {
        auto player = TheReelcoreApp().FindPlayer(handle);
        return player ? Clamp32(player->GetTotalFrames()) : 0;
    });
}

int __stdcall FFmpegFileGetFrame(int handle)
{
    return Guarded(0, [&] {
        auto player = TheReelcoreApp().FindPlayer(handle);
        return player ? Clamp32(player->GetFrameCounter()) : 0;
    });
}

} // extern "C"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH)
        DisableThreadLibraryCalls(instance);
    else if (reason == DLL_PROCESS_DETACH)
        TheReelcoreApp().SetProcessEnding(reserved != nullptr);
    // The framework runs the application's InitInstance at load and its
    // ExitInstance at unload, also when the process is ending.
    return AfxDllMain(instance, reason);
}
