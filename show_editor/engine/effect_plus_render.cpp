// The Zazez Urad renderer: item lookup, item frame, per-item fade, tiles and
// mirrors, and the dispatch to the style drawings.
#include "effect_plus_render.h"

#include "canvas_flip.h"
#include "drawing_helpers.h"
#include "effect_plus_styles.h"
#include "effect_plus_support.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>

using namespace effectplus;

namespace {

// Fade times are whole seconds counted at this rate, whatever the project's.
constexpr long long kFadeFramesPerSecond = 25;

// Tile size of a canvas side for a stored tile count, used unsigned. A count
// of 0, or one above the side's pixels, would give tiles of no size that the
// tile loop cannot step over: such tiles are one pixel.
int TileSize(int side, int count)
{
    const uint32_t tiles = static_cast<uint32_t>(count);
    const uint32_t size = tiles == 0 ? static_cast<uint32_t>(side) : static_cast<uint32_t>(side) / tiles;
    return std::max(1, static_cast<int>(size));
}

} // namespace

CEffectPlusRender::CEffectPlusRender()
{
    // The colour renderer member has seeded the generator with 510 by now; the
    // table must hold the same values in every run.
    std::srand(1000);
    for (int& value : m_randomTable)
        value = std::rand() % 1000;
}

CEffectPlusRender::~CEffectPlusRender() = default;

ProgramColorEffectPlus* FindColorPlusItem(const ProgramColorEffectPlusArray& program, UINT frame, UINT* pLocalFrame)
{
    // Unsigned 32-bit sums and comparisons, as the engine counts frames: the
    // last frame of one item (S + len) is not handed to the next one.
    uint32_t sum = 0;
    for (INT_PTR i = 0; i < program.m_items.GetSize(); ++i) {
        ProgramColorEffectPlus* item = program.m_items.GetAt(i);
        if (item == nullptr)
            continue;
        const uint32_t length
            = static_cast<uint32_t>(static_cast<long long>(item->m_endFrame) - item->m_startFrame + 1);
        if (sum <= frame && frame <= static_cast<uint32_t>(sum + length)) {
            if (pLocalFrame != nullptr)
                *pLocalFrame = frame - sum;
            return item;
        }
        sum += length;
    }
    return nullptr;
}

UINT ColorPlusItemFrame(const ProgramColorEffectPlus& item, UINT localFrame)
{
    // A repeat count of 0 is never stored by the editor; dividing by it would
    // stop the program, so it counts as one frame per step.
    const long long repeat = item.m_repeatCount == 0 ? 1 : item.m_repeatCount;
    const long long value = static_cast<long long>(localFrame) / repeat * item.m_stepLength;
    return static_cast<UINT>(std::clamp<long long>(value, 0, INT_MAX));
}

int ColorPlusFadeAlpha(const ProgramColorEffectPlus& item, UINT localFrame)
{
    const long long local = localFrame;
    int alpha = 255;
    const long long fadeIn = static_cast<long long>(item.m_fadeInTime) * kFadeFramesPerSecond;
    const long long fadeOut = static_cast<long long>(item.m_fadeOutTime) * kFadeFramesPerSecond;
    if (fadeIn > 0) {
        const long long x = local - item.m_startFrame + 1;
        if (x >= 0 && x <= fadeIn) {
            alpha = static_cast<int>(x * 255 / fadeIn);
            if (local <= item.m_startFrame)
                alpha = 0;
        }
    }
    if (fadeOut > 0) {
        const long long d = item.m_endFrame - local;
        if (d >= 0 && d <= fadeOut) {
            alpha = static_cast<int>(d * 255 / fadeOut);
            if (local >= item.m_endFrame)
                alpha = 0;
        }
    }
    return alpha;
}

void DrawColorPlusStyle(CDC* pDC, ProgramColorEffectPlus& item, UINT frame, const CEffectPlusRender* renderer)
{
    switch (item.m_style) {
    case PLUS_STYLE_CHANGE:
        DrawPlusColorChange(pDC, item, frame);
        break;
    case PLUS_STYLE_FLASH:
        DrawPlusFlash(pDC, item, frame);
        break;
    case PLUS_STYLE_FRAMES_OUT:
        DrawPlusExpandingFrames(pDC, item, frame);
        break;
    case PLUS_STYLE_FRAMES_IN:
        DrawPlusContractingFrames(pDC, item, frame);
        break;
    case PLUS_STYLE_RINGS_OUT:
        DrawPlusExpandingRings(pDC, item, frame);
        break;
    case PLUS_STYLE_RINGS_IN:
        DrawPlusConvergingRings(pDC, item, frame);
        break;
    case PLUS_STYLE_SPIRAL:
    case PLUS_STYLE_SPIRAL_BACK:
        DrawPlusSpiral(pDC, item, frame, item.m_style == PLUS_STYLE_SPIRAL_BACK);
        break;
    case PLUS_STYLE_RANDOM_BLOCKS:
        if (RandomAnimation* blocks = item.GetRandomAnimation())
            DrawPlusRandomBlocks(pDC, item, *blocks);
        break;
    case PLUS_STYLE_SNAKE_LEFT:
    case PLUS_STYLE_SNAKE_RIGHT:
        DrawPlusSnakeColumns(pDC, item, frame, item.m_style == PLUS_STYLE_SNAKE_RIGHT);
        break;
    case PLUS_STYLE_SNAKE_TOP:
    case PLUS_STYLE_SNAKE_BOTTOM:
        DrawPlusSnakeRows(pDC, item, frame, item.m_style == PLUS_STYLE_SNAKE_BOTTOM);
        break;
    case PLUS_STYLE_FIXTURE_SCAN:
        // The style record is the document's pixel map only when the item
        // does not own it (an owned record is a RandomAnimation).
        if (item.GetStyleRecord() != nullptr && item.GetRandomAnimation() == nullptr)
            DrawPlusFixtureScan(pDC, item, frame, static_cast<const PixPortMap*>(item.GetStyleRecord()));
        break;
    default:
        DrawPlusLineStyle(pDC, item, frame, item.m_style, renderer);
        break;
    }
}

void ApplyColorPlusTiles(CDC* pDC, const ProgramColorEffectPlus& item, int alpha)
{
    const CSize size = CanvasSize(pDC);
    const int w = size.cx;
    const int h = size.cy;
    if (w <= 0 || h <= 0)
        return;
    const int tileWidth = TileSize(w, item.m_hTiles);
    const int tileHeight = TileSize(h, item.m_vTiles);
    {
        CPlusSurface image(w, h);
        if (!image.IsValid())
            return;
        // The image starts black, so an alpha below 255 darkens the tiles.
        for (int x = 0; x < w; x += tileWidth)
            for (int y = 0; y < h; y += tileHeight)
                AlphaBlendDC(alpha, pDC, image.DC(), x, y, x + tileWidth, y + tileHeight);
        PutSurface(pDC, image);
    }

    const bool horizontal = static_cast<uint32_t>(item.m_hTiles) > 1;
    const bool vertical = static_cast<uint32_t>(item.m_vTiles) > 1;
    switch (item.m_mirror) {
    case 1:
        if (horizontal)
            MirrorCanvasHorizontal(nullptr, pDC, TRUE);
        break;
    case 2:
        if (vertical)
            MirrorCanvasVertical(nullptr, pDC, FALSE);
        break;
    case 3:
        if (horizontal && vertical) {
            MirrorCanvasHorizontal(nullptr, pDC, TRUE);
            MirrorCanvasVertical(nullptr, pDC, FALSE);
        }
        break;
    default:
        break;
    }
}

void RenderColorPlusFrame(CDC* pDC, ProgramColorEffectPlusArray* program, CEffectPlusRender* renderer, UINT frame)
{
    if (pDC == nullptr || pDC->GetSafeHdc() == nullptr || program == nullptr)
        return;
    UINT local = 0;
    ProgramColorEffectPlus* item = FindColorPlusItem(*program, frame, &local);
    if (item == nullptr)
        return;
    const UINT itemFrame = ColorPlusItemFrame(*item, local);
    const UINT styleFrame = item->m_style == PLUS_STYLE_CHANGE ? (itemFrame > 0 ? itemFrame - 1 : 0) : itemFrame;
    DrawColorPlusStyle(pDC, *item, styleFrame, renderer);
    ApplyColorPlusTiles(pDC, *item, ColorPlusFadeAlpha(*item, local));
}
