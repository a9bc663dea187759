// Flossar.dll: plays SWF animations into a caller's device context. Each open
// file gets a handle from a counter; a handle owns its movie, its display
// list, its prepared outlines and an off-screen picture of the target size
// that is drawn with anti-aliasing and then copied to the target in one
// blit. GDI+ decodes the JPEG, PNG and GIF bitmaps. Calls on different
// handles may come from different threads.
#include "Flossar.h"

#include "swf_movie.h"
#include "swf_player.h"
#include "swf_render.h"

#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <climits>
#include <map>
#include <memory>
#include <mutex>

namespace {

using namespace flossar;

constexpr int kMaxTargetSide = 8192;
constexpr long long kMaxTargetPixels = 16ll << 20;

// GDI+ is started on first use and left running: a DLL may not shut it down
// while it is being unloaded.
bool StartGdiplus()
{
    static std::once_flag once;
    static bool started = false;
    std::call_once(once, [] {
        Gdiplus::GdiplusStartupInput input;
        ULONG_PTR token = 0;
        started = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    });
    return started;
}

// The off-screen picture a handle draws into: a DIB section that GDI can
// blit and whose pixels the renderer writes.
class Surface {
public:
    bool Create(int width, int height)
    {
        BITMAPINFO bi {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        m_dc = ::CreateCompatibleDC(nullptr);
        if (m_dc == nullptr)
            return false;
        void* bits = nullptr;
        m_dib = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (m_dib == nullptr || bits == nullptr)
            return false;
        m_old = ::SelectObject(m_dc, m_dib);
        m_target.pixels = static_cast<uint32_t*>(bits);
        m_target.width = width;
        m_target.height = height;
        return true;
    }
    ~Surface()
    {
        if (m_dc != nullptr) {
            if (m_old != nullptr)
                ::SelectObject(m_dc, m_old);
            ::DeleteDC(m_dc);
        }
        if (m_dib != nullptr)
            ::DeleteObject(m_dib);
    }
    PixelTarget& Target() { return m_target; }
    HDC Dc() const { return m_dc; }

private:
    HDC m_dc = nullptr;
    HBITMAP m_dib = nullptr;
    HGDIOBJ m_old = nullptr;
    PixelTarget m_target;
};

struct PlayingFile {
    std::mutex lock; // one call at a time per handle
    Movie movie;
    std::unique_ptr<Player> player;
    std::unique_ptr<Renderer> renderer;
    std::unique_ptr<Surface> surface;
    HDC targetDc = nullptr;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    void DrawCurrent()
    {
        if (!surface)
            return;
        PixelTarget& target = surface->Target();
        const Rgba bg = movie.Background();
        const uint32_t fill = 0xFF000000u | (bg.r << 16) | (bg.g << 8) | bg.b;
        ::GdiFlush();
        std::fill(target.pixels, target.pixels + static_cast<size_t>(target.width) * target.height, fill);
        const TwipRect& stage = movie.Stage();
        const double sx = static_cast<double>(width) / (stage.xMax - stage.xMin);
        const double sy = static_cast<double>(height) / (stage.yMax - stage.yMin);
        const Matrix toDevice { sx, 0, 0, sy, -stage.xMin * sx, -stage.yMin * sy };
        renderer->Draw(target, player->List(), toDevice);
        ::BitBlt(targetDc, x, y, width, height, surface->Dc(), 0, 0, SRCCOPY);
    }
};

std::mutex g_tableLock;
std::map<int, std::shared_ptr<PlayingFile>> g_files;
int g_nextHandle = 1;

std::shared_ptr<PlayingFile> Find(int handle)
{
    std::lock_guard<std::mutex> guard(g_tableLock);
    auto it = g_files.find(handle);
    return it == g_files.end() ? nullptr : it->second;
}

int Register(std::shared_ptr<PlayingFile> file)
{
    std::lock_guard<std::mutex> guard(g_tableLock);
    for (;;) {
        const int handle = g_nextHandle;
        g_nextHandle = g_nextHandle == INT_MAX ? 1 : g_nextHandle + 1;
        if (g_files.emplace(handle, file).second)
            return handle;
    }
}

} // namespace

FLOSSAR_API int __stdcall SWFFileOpen(LPCWSTR path, HDC dc, int x, int y, int width, int height)
{
    try {
        if (path == nullptr || !StartGdiplus())
            return -1;
        if (width > kMaxTargetSide || height > kMaxTargetSide
            || static_cast<long long>(width) * height > kMaxTargetPixels)
            return -1;
        auto file = std::make_shared<PlayingFile>();
        if (!file->movie.Load(path))
            return -1;
        file->player = std::make_unique<Player>(file->movie);
        file->renderer = std::make_unique<Renderer>(file->movie);
        file->targetDc = dc;
        file->x = x;
        file->y = y;
        file->width = width;
        file->height = height;
        if (width > 0 && height > 0) {
            file->surface = std::make_unique<Surface>();
            if (!file->surface->Create(width, height))
                return -1;
        }
        return Register(std::move(file));
    } catch (...) {
        return -1;
    }
}

FLOSSAR_API int __stdcall SWFFileSeekTo(int handle, int frame)
{
    try {
        auto file = Find(handle);
        if (!file)
            return -1;
        std::lock_guard<std::mutex> guard(file->lock);
        file->player->GoTo(frame);
        file->DrawCurrent();
        return file->player->Current();
    } catch (...) {
        return -1;
    }
}

FLOSSAR_API int __stdcall SWFFileForward(int handle)
{
    try {
        auto file = Find(handle);
        if (!file)
            return -1;
        std::lock_guard<std::mutex> guard(file->lock);
        file->player->Next();
        file->DrawCurrent();
        return file->player->Current();
    } catch (...) {
        return -1;
    }
}

FLOSSAR_API int __stdcall SWFFileGetFrames(int handle)
{
    try {
        auto file = Find(handle);
        return file ? file->movie.FrameCount() : 0;
    } catch (...) {
        return 0;
    }
}

FLOSSAR_API int __stdcall SWFFileClose(int handle)
{
    try {
        std::shared_ptr<PlayingFile> file;
        {
            std::lock_guard<std::mutex> guard(g_tableLock);
            auto it = g_files.find(handle);
            if (it == g_files.end())
                return -1;
            file = std::move(it->second);
            g_files.erase(it);
        }
        std::lock_guard<std::mutex> guard(file->lock); // a call still drawing finishes first
        return 0;
    } catch (...) {
        return -1;
    }
}

FLOSSAR_API int __stdcall SWFClearEnv()
{
    // Every piece of state belongs to a handle; there is nothing shared to
    // clear beyond what closing the handles released.
    return 0;
}
