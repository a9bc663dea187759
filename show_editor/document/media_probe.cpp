// Media file probing through the video library and the animation libraries.
#include "media_probe.h"

#include "AppPaths.h"

namespace {

constexpr int kThumbSide = 256;

// One library beside the program, loaded on first use and kept.
class CLateLibrary {
public:
    explicit CLateLibrary(LPCWSTR name)
        : m_name(name)
    {
    }
    template <class Fn> Fn Get(LPCSTR export_name)
    {
        if (!m_tried) {
            m_tried = true;
            m_module = ::GetModuleHandleW(m_name);
            if (m_module == nullptr)
                m_module = ::LoadLibraryW(GetAppFolder() + m_name);
        }
        return m_module != nullptr
            ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(m_module, export_name)))
            : nullptr;
    }

private:
    LPCWSTR m_name;
    bool m_tried = false;
    HMODULE m_module = nullptr;
};

CLateLibrary& VideoLibrary()
{
    static CLateLibrary library(L"Reelcore.dll");
    return library;
}
CLateLibrary& SwfLibrary()
{
    static CLateLibrary library(L"Flossar.dll");
    return library;
}
CLateLibrary& TolLibrary()
{
    static CLateLibrary library(L"Kobrin.dll");
    return library;
}

using OpenVideoFn = int(__stdcall*)(LPCWSTR, HDC, int, int, int, int, int, int, int, int);
using OpenAnimationFn = int(__stdcall*)(LPCWSTR, HDC, int, int, int, int);
using HandleFn = int(__stdcall*)(int);
using SeekFn = int(__stdcall*)(int, int);
using SeekDrawFn = int(__stdcall*)(int, int, BOOL);

template <class Fn, class... Args> int CallOr(int fallback, Fn fn, Args... args)
{
    return fn != nullptr ? fn(args...) : fallback;
}

CMediaDecoders& LibraryDecoders()
{
    static CMediaDecoders libraries;
    return libraries;
}

CMediaDecoders*& CurrentDecoders()
{
    static CMediaDecoders* current = &LibraryDecoders();
    return current;
}

bool FileExists(const CString& path)
{
    DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The calls of one animation library: SWF and TOL files take the same steps.
struct AnimationCalls {
    int (CMediaDecoders::*open)(LPCWSTR, HDC, int, int, int, int);
    int (CMediaDecoders::*getFrames)(int);
    void (CMediaDecoders::*seekTo)(int, int);
    void (CMediaDecoders::*forward)(int);
    void (CMediaDecoders::*close)(int);
    // A negative count from the SWF library still shows a frame; from the TOL
    // library it means there is nothing to show.
    bool negativeCountIsEmpty;
};

constexpr AnimationCalls kSwfCalls = { &CMediaDecoders::SWFFileOpen, &CMediaDecoders::SWFFileGetFrames,
    &CMediaDecoders::SWFFileSeekTo, &CMediaDecoders::SWFFileForward, &CMediaDecoders::SWFFileClose, false };
constexpr AnimationCalls kTolCalls = { &CMediaDecoders::TOLFileOpen, &CMediaDecoders::TOLFileGetFrames,
    &CMediaDecoders::TOLFileSeekTo, &CMediaDecoders::TOLFileForward, &CMediaDecoders::TOLFileClose, true };

// Draws the middle frame of an animation; 0 when it does not open or has no
// frames.
int RenderAnimationThumbnail(CMediaDecoders& decoders, const AnimationCalls& calls, const CString& path, HDC dc)
{
    int handle = (decoders.*calls.open)(path, dc, 0, 0, kThumbSide, kThumbSide);
    if (handle < 0)
        return 0;
    int frames = (decoders.*calls.getFrames)(handle);
    if (frames == 0 || (frames < 0 && calls.negativeCountIsEmpty)) {
        (decoders.*calls.close)(handle);
        return 0;
    }
    (decoders.*calls.seekTo)(handle, frames / 2);
    (decoders.*calls.forward)(handle);
    (decoders.*calls.close)(handle);
    return 1;
}

int AnimationFrameCount(const AnimationCalls& calls, HDC dc, const CString& path)
{
    CMediaDecoders& decoders = GetMediaDecoders();
    int handle = (decoders.*calls.open)(path, dc, 0, 0, kThumbSide, kThumbSide);
    if (handle < 0)
        return 0;
    int frames = (decoders.*calls.getFrames)(handle);
    (decoders.*calls.close)(handle);
    return frames;
}

} // namespace

int CMediaDecoders::FFmpegFileOpen(
    LPCWSTR path, HDC dc, int x, int y, int width, int height, int cropLeft, int cropTop, int cropRight, int cropBottom)
{
    return CallOr(-1, VideoLibrary().Get<OpenVideoFn>("FFmpegFileOpen"), path, dc, x, y, width, height, cropLeft,
        cropTop, cropRight, cropBottom);
}
void CMediaDecoders::FFmpegFileForward(int handle)
{
    CallOr(0, VideoLibrary().Get<HandleFn>("FFmpegFileForward"), handle);
}
int CMediaDecoders::FFmpegFileGetFrames(int handle)
{
    return CallOr(0, VideoLibrary().Get<HandleFn>("FFmpegFileGetFrames"), handle);
}
void CMediaDecoders::FFmpegFileClose(int handle)
{
    using CloseFn = void(__stdcall*)(int);
    CloseFn fn = VideoLibrary().Get<CloseFn>("FFmpegFileClose");
    if (fn != nullptr)
        fn(handle);
}
int CMediaDecoders::SWFFileOpen(LPCWSTR path, HDC dc, int x, int y, int width, int height)
{
    return CallOr(-1, SwfLibrary().Get<OpenAnimationFn>("SWFFileOpen"), path, dc, x, y, width, height);
}
int CMediaDecoders::SWFFileGetFrames(int handle)
{
    return CallOr(0, SwfLibrary().Get<HandleFn>("SWFFileGetFrames"), handle);
}
void CMediaDecoders::SWFFileSeekTo(int handle, int frame)
{
    CallOr(0, SwfLibrary().Get<SeekFn>("SWFFileSeekTo"), handle, frame);
}
void CMediaDecoders::SWFFileForward(int handle)
{
    CallOr(0, SwfLibrary().Get<HandleFn>("SWFFileForward"), handle);
}
void CMediaDecoders::SWFFileClose(int handle)
{
    CallOr(0, SwfLibrary().Get<HandleFn>("SWFFileClose"), handle);
}
int CMediaDecoders::TOLFileOpen(LPCWSTR path, HDC dc, int x, int y, int width, int height)
{
    return CallOr(-1, TolLibrary().Get<OpenAnimationFn>("TOLFileOpen"), path, dc, x, y, width, height);
}
int CMediaDecoders::TOLFileGetFrames(int handle)
{
    return CallOr(0, TolLibrary().Get<HandleFn>("TOLFileGetFrames"), handle);
}
void CMediaDecoders::TOLFileSeekTo(int handle, int frame)
{
    CallOr(0, TolLibrary().Get<SeekFn>("TOLFileSeekTo"), handle, frame);
}
void CMediaDecoders::TOLFileForward(int handle)
{
    CallOr(0, TolLibrary().Get<HandleFn>("TOLFileForward"), handle);
}
void CMediaDecoders::TOLFileClose(int handle)
{
    CallOr(0, TolLibrary().Get<HandleFn>("TOLFileClose"), handle);
}

CMediaDecoders& GetMediaDecoders()
{
    return *CurrentDecoders();
}

CMediaDecoders* SetMediaDecoders(CMediaDecoders* decoders)
{
    CMediaDecoders* previous = CurrentDecoders();
    CurrentDecoders() = decoders != nullptr ? decoders : &LibraryDecoders();
    return previous;
}

MediaFileKind MediaKindOfPath(const CString& path)
{
    int dot = path.ReverseFind(L'.');
    CString extension = dot >= 0 ? path.Mid(dot + 1) : CString();
    extension.MakeUpper();
    if (extension == L"SWF")
        return MEDIA_FILE_SWF;
    if (extension == L"TOL")
        return MEDIA_FILE_TOL;
    return MEDIA_FILE_VIDEO;
}

int RenderMediaThumbnail(const CString& path, HDC dc)
{
    if (!FileExists(path))
        return 0;
    CMediaDecoders& decoders = GetMediaDecoders();
    switch (MediaKindOfPath(path)) {
    case MEDIA_FILE_SWF:
        return RenderAnimationThumbnail(decoders, kSwfCalls, path, dc);
    case MEDIA_FILE_TOL:
        return RenderAnimationThumbnail(decoders, kTolCalls, path, dc);
    default: {
        int handle = decoders.FFmpegFileOpen(path, dc, 0, 0, kThumbSide, kThumbSide, 0, 0, 0, 0);
        if (handle < 0)
            return 0;
        // The decoder thread needs a moment for the first frame.
        ::Sleep(5);
        decoders.FFmpegFileForward(handle);
        decoders.FFmpegFileClose(handle);
        return 1;
    }
    }
}

int GetVideoFrameCount(HDC dc, const CString& path)
{
    CMediaDecoders& decoders = GetMediaDecoders();
    int handle = decoders.FFmpegFileOpen(path, dc, 0, 0, kThumbSide, kThumbSide, 0, 0, 0, 0);
    if (handle < 0)
        return 0;
    int frames = decoders.FFmpegFileGetFrames(handle);
    decoders.FFmpegFileClose(handle);
    return frames;
}

int GetSwfFrameCount(HDC dc, const CString& path)
{
    return AnimationFrameCount(kSwfCalls, dc, path);
}

int GetTolFrameCount(HDC dc, const CString& path)
{
    return AnimationFrameCount(kTolCalls, dc, path);
}
