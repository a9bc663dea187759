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
#include <vector>

namespace {

using namespace flossar;

constexpr int kMaxTargetSide = 8192;
constexpr long long kMaxTargetPixels = 16ll << 20;
// The work of one frame (see swf_budget.h): the largest target painted
// over with a bitmap three times, or solid some fifteen times; well under a
// second. A frame beyond it shows what was drawn within it, so the preview
// and an export keep moving.
constexpr uint64_t kFrameWork = 1ull << 29;

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

// The off-screen picture a handle draws into, in ordinary memory: pages of a
// DIB section may be watched by the system for writes, which makes drawing
// into one pixel by pixel many times slower.
class Surface {
public:
    bool Create(int width, int height)
    {
        m_pixels.assign(static_cast<size_t>(width) * height, 0);
        m_target = { m_pixels.data(), width, height };
        m_info.bmiHeader.biSize = sizeof(m_info.bmiHeader);
        m_info.bmiHeader.biWidth = width;
        m_info.bmiHeader.biHeight = -height; // top-down rows
        m_info.bmiHeader.biPlanes = 1;
        m_info.bmiHeader.biBitCount = 32;
        m_info.bmiHeader.biCompression = BI_RGB;
        return true;
    }
    PixelTarget& Target() { return m_target; }
    void CopyTo(HDC dc, int x, int y) const
    {
        ::SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(m_target.width), static_cast<DWORD>(m_target.height), 0, 0, 0,
            static_cast<UINT>(m_target.height), m_pixels.data(), &m_info, DIB_RGB_COLORS);
    }

private:
    std::vector<uint32_t> m_pixels;
    PixelTarget m_target;
    BITMAPINFO m_info {};
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
        std::fill(target.pixels, target.pixels + static_cast<size_t>(target.width) * target.height, fill);
        const TwipRect& stage = movie.Stage();
        const double sx = static_cast<double>(width) / (static_cast<double>(stage.xMax) - stage.xMin);
        const double sy = static_cast<double>(height) / (static_cast<double>(stage.yMax) - stage.yMin);
        const Matrix toDevice { sx, 0, 0, sy, -stage.xMin * sx, -stage.yMin * sy };
        WorkBudget budget(kFrameWork);
        renderer->Draw(target, player->List(), toDevice, &budget);
        surface->CopyTo(targetDc, x, y);
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
