// Zazez Urad styles of blocks, paths and lamps: the random blocks that live
// in the item's RandomAnimation, the snake paths through column and row bands
// and the fixture scan along the pixel map's port chains.
#include "color_strips.h"
#include "effect_plus_styles.h"
#include "effect_plus_support.h"
#include "pix_map.h"
#include "program_records.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace effectplus;

namespace {

// rand() mod m; a modulus of 0 (a change span the editor never stores) gives
// 0 rather than a division by zero. rand() is still called, so the generator
// advances the same way whatever the span.
uint32_t RandomBelow(uint32_t m)
{
    const uint32_t value = static_cast<uint32_t>(std::rand());
    return m == 0 ? 0 : value % m;
}

void FillBlock(HDC hDC, const RECT& rect, COLORREF color, int shape, CDC* pDC)
{
    switch (shape) {
    case 0: {
        const HBRUSH brush = ::CreateSolidBrush(color);
        if (brush != nullptr) {
            ::FillRect(hDC, &rect, brush);
            ::DeleteObject(brush);
        }
        break;
    }
    case 1: {
        const HBRUSH brush = ::CreateSolidBrush(color);
        const HPEN pen = ::CreatePen(PS_SOLID, 1, color);
        if (brush != nullptr && pen != nullptr) {
            const HGDIOBJ oldBrush = ::SelectObject(hDC, brush);
            const HGDIOBJ oldPen = ::SelectObject(hDC, pen);
            ::Ellipse(hDC, rect.left, rect.top, rect.right, rect.bottom);
            ::SelectObject(hDC, oldPen);
            ::SelectObject(hDC, oldBrush);
        }
        if (brush != nullptr)
            ::DeleteObject(brush);
        if (pen != nullptr)
            ::DeleteObject(pen);
        break;
    }
    case 2:
        FillGradientDot(color, CRect(rect), pDC);
        break;
    default:
        break;
    }
}

void IncrementPhase(RandomElement& block)
{
    block.m_phase = static_cast<int>(static_cast<uint32_t>(block.m_phase) + 1);
}

// Whether the path has reached cell p (counted from 0) after F cells.
inline bool SnakeLit(long long cell, UINT frame)
{
    return cell < static_cast<long long>(frame);
}

} // namespace

void DrawPlusRandomBlocks(CDC* pDC, ProgramColorEffectPlus& item, RandomAnimation& blocks)
{
    FillBlack(pDC);
    const CColorLine line(item);
    const CSize size = CanvasSize(pDC);
    const uint32_t w = static_cast<uint32_t>(size.cx);
    const uint32_t h = static_cast<uint32_t>(size.cy);
    // Blocks are placed by rand() mod w and mod h, and coloured from the
    // line: with no canvas or no colours there is nothing to place.
    if (line.IsEmpty() || w == 0 || h == 0)
        return;
    const uint32_t W = static_cast<uint32_t>(line.Width());
    const uint32_t changeSpan = static_cast<uint32_t>(blocks.m_changeSpan);
    const uint32_t span = std::max(W, changeSpan);
    const int type = blocks.m_lightingType;

    const INT_PTR wanted = std::min(blocks.m_dotCount, kMaxRandomDots);
    while (blocks.m_blocks.GetSize() < wanted) {
        RandomElement block;
        block.m_x = static_cast<int>(RandomBelow(w));
        block.m_y = static_cast<int>(RandomBelow(h));
        block.m_phase = static_cast<int>(RandomBelow(type == 0 ? changeSpan : span));
        blocks.m_blocks.Add(block);
    }

    const HDC hDC = pDC->GetSafeHdc();
    const bool knownShape = blocks.m_dotShape >= 0 && blocks.m_dotShape <= 2;
    for (INT_PTR i = 0; i < blocks.m_blocks.GetSize(); ++i) {
        RandomElement& block = blocks.m_blocks.ElementAt(i);
        // The block draws where it stood at the start of this step; a new
        // place shows from the next call on.
        const RECT rect { block.m_x, block.m_y,
            static_cast<LONG>(static_cast<long long>(block.m_x) + blocks.m_blockWidth),
            static_cast<LONG>(static_cast<long long>(block.m_y) + blocks.m_blockHeight) };
        if (type != 0 && type != 1)
            continue;
        const uint32_t limit = type == 0 ? changeSpan : span;
        if (static_cast<uint32_t>(block.m_phase) >= limit) {
            block.m_phase = 0;
            block.m_x = static_cast<int>(RandomBelow(w));
            block.m_y = static_cast<int>(RandomBelow(h));
        }
        if (!knownShape)
            continue;
        const COLORREF color = line.Color(block.m_phase);
        if (type == 0 || (static_cast<uint32_t>(block.m_phase) < W && color != RGB(0, 0, 0)))
            FillBlock(hDC, rect, color, blocks.m_dotShape, pDC);
        IncrementPhase(block);
    }
}

void DrawPlusSnakeColumns(CDC* pDC, const ProgramColorEffectPlus& item, UINT frame, bool fromRight)
{
    PaintPlusSurface(pDC, item, [&](const CColorLine& line, CPlusSurface& image) {
        const int w = image.Width();
        const int h = image.Height();
        const int band = item.m_bandWidth > 0 ? item.m_bandWidth : 1;
        for (int y = 0; y < h; ++y) {
            DWORD* row = image.Row(y);
            for (int x = 0; x < w; ++x) {
                const long long k = (fromRight ? w - 1 - x : x) / band;
                // Down the even bands, up the odd ones.
                const long long cell = k * h + (k % 2 == 0 ? y : h - 1 - y);
                if (SnakeLit(cell, frame))
                    row[x] = line.Pixel(static_cast<long long>(frame) - 1 - cell);
            }
        }
    });
}

void DrawPlusSnakeRows(CDC* pDC, const ProgramColorEffectPlus& item, UINT frame, bool fromBottom)
{
    PaintPlusSurface(pDC, item, [&](const CColorLine& line, CPlusSurface& image) {
        const int w = image.Width();
        const int h = image.Height();
        const int band = item.m_bandWidth > 0 ? item.m_bandWidth : 1;
        for (int y = 0; y < h; ++y) {
            DWORD* row = image.Row(y);
            const long long k = (fromBottom ? h - 1 - y : y) / band;
            for (int x = 0; x < w; ++x) {
                // Rightward along the even bands, leftward along the odd ones.
                const long long cell = k * w + (k % 2 == 0 ? x : w - 1 - x);
                if (SnakeLit(cell, frame))
                    row[x] = line.Pixel(static_cast<long long>(frame) - 1 - cell);
            }
        }
    });
}

void DrawPlusFixtureScan(CDC* pDC, const ProgramColorEffectPlus& item, UINT frame, const PixPortMap* map)
{
    if (pDC == nullptr || pDC->GetSafeHdc() == nullptr || map == nullptr)
        return;
    const CColorLine line(item);
    if (line.IsEmpty())
        return;
    const HDC hDC = pDC->GetSafeHdc();
    const long long head = frame > 0 ? static_cast<long long>(frame) - 1 : 0;
    for (INT_PTR c = 0; c < map->m_controllers.GetSize(); ++c) {
        const PixController* controller = map->m_controllers.GetAt(c);
        if (controller == nullptr)
            continue;
        for (INT_PTR p = 0; p < controller->GetSize(); ++p) {
            const PixPort* port = controller->GetAt(p);
            if (port == nullptr || port->GetSize() <= 0)
                continue;
            const long long k = head % port->GetSize();
            for (long long j = 0; j <= k; ++j) {
                const S_PixPoint* lamp = port->GetAt(static_cast<INT_PTR>(j));
                if (lamp != nullptr)
                    ::SetPixelV(hDC, lamp->x, lamp->y, line.Color(k - j));
            }
        }
    }
}
