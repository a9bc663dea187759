// Exports of the screens' exchange-file paths. Each answers in a buffer of
// its own that the next call overwrites in place, so a pointer handed out
// earlier stays readable and shows the latest path.
#include "Corvane.h"
#include "CorvaneLibrary.h"
#include "PixelMapFile.h"

namespace {

constexpr int kPathBufferLength = 1024;

const wchar_t* CopyInto(wchar_t (&buffer)[kPathBufferLength], const CString& path)
{
    const int n = std::min(path.GetLength(), kPathBufferLength - 1);
    wmemcpy(buffer, static_cast<LPCWSTR>(path), static_cast<size_t>(n));
    buffer[n] = L'\0';
    return buffer;
}

wchar_t g_lpxPath[kPathBufferLength];
wchar_t g_pixPath[kPathBufferLength];

} // namespace

CORVANE_API const wchar_t* __stdcall LEDGetLpxFilePath(int screen)
{
    return GuardedExport<const wchar_t*>(
        L"LEDGetLpxFilePath", g_lpxPath, [&] { return CopyInto(g_lpxPath, ScreenLayoutPath(screen)); });
}

CORVANE_API const wchar_t* __stdcall LEDGetPixFilePath(int screen)
{
    return GuardedExport<const wchar_t*>(
        L"LEDGetPixFilePath", g_pixPath, [&] { return CopyInto(g_pixPath, ScreenPixelMapPath(screen)); });
}
