// The Zazez Urad style drawings, each drawing an item at frame value F over
// the clip box of a device context (origin 0, 0). They keep nothing between
// calls, except the random-blocks style, which advances the blocks kept in the
// item's RandomAnimation. An item whose strips are empty (no colour line)
// draws black. Used by the Zazez Urad renderer.
#pragma once

#include "effect_plus_render.h"
#include "pix_map.h"

// Style codes of Zazez Urad items.
enum ColorPlusStyle {
    PLUS_STYLE_CHANGE = 0,
    PLUS_STYLE_FLASH = 1,
    PLUS_STYLE_MOVE_UP = 2,
    PLUS_STYLE_MOVE_DOWN = 3,
    PLUS_STYLE_MOVE_LEFT = 4,
    PLUS_STYLE_MOVE_RIGHT = 5,
    PLUS_STYLE_SPLIT_VERTICAL = 6,
    PLUS_STYLE_MEET_VERTICAL = 7,
    PLUS_STYLE_SPLIT_HORIZONTAL = 8,
    PLUS_STYLE_MEET_HORIZONTAL = 9,
    PLUS_STYLE_DIAGONAL = 10,
    PLUS_STYLE_DIAGONAL_FLIP_X = 11,
    PLUS_STYLE_DIAGONAL_FLIP_Y = 12,
    PLUS_STYLE_DIAGONAL_FLIP_XY = 13,
    PLUS_STYLE_FRAMES_OUT = 14,
    PLUS_STYLE_FRAMES_IN = 15,
    PLUS_STYLE_RINGS_OUT = 16,
    PLUS_STYLE_RINGS_IN = 17,
    PLUS_STYLE_QUADRANTS_OUT = 18,
    PLUS_STYLE_QUADRANTS_IN = 19,
    PLUS_STYLE_STREAKS_DOWN = 25,
    PLUS_STYLE_STREAKS_UP = 26,
    PLUS_STYLE_STREAKS_LEFT = 27,
    PLUS_STYLE_STREAKS_RIGHT = 28,
    PLUS_STYLE_SPIRAL = 29,
    PLUS_STYLE_SPIRAL_BACK = 30,
    PLUS_STYLE_QUADRANTS_FANS = 31,
    PLUS_STYLE_FAN_FROM_RIGHT = 32,
    PLUS_STYLE_FAN_FROM_LEFT = 33,
    PLUS_STYLE_FAN_FROM_BOTTOM = 34,
    PLUS_STYLE_FAN_FROM_TOP = 35,
    PLUS_STYLE_RANDOM_BLOCKS = 36,
    PLUS_STYLE_INTERLACED_ROWS = 37,
    PLUS_STYLE_INTERLACED_COLUMNS = 38,
    PLUS_STYLE_SNAKE_LEFT = 39,
    PLUS_STYLE_SNAKE_RIGHT = 40,
    PLUS_STYLE_SNAKE_TOP = 41,
    PLUS_STYLE_SNAKE_BOTTOM = 42,
    PLUS_STYLE_FIXTURE_SCAN = 43,
};

// Line and scrolling styles.
void DrawPlusColorChange(CDC* pDC, const ProgramColorEffectPlus& item, UINT frame); // 0
void DrawPlusFlash(CDC* pDC, const ProgramColorEffectPlus& item, UINT frame); // 1
// Colours enter at the right edge and move left; with half, only the right
// w/2 columns make the span.
void DrawPlusMoveHorizontal(CDC* pDC, const ProgramColorEffectPlus& item, UINT frame, bool half);
// Colours enter at the bottom edge and move up; with half, the span is the
// top h/2 rows with its entry just above the middle.
void DrawPlusMoveVertical(CDC* pDC, const ProgramColorEffectPlus& item, UINT frame, bool half);
// Bands along x + y = constant entering at the bottom-right corner.
void DrawPlusDiagonal(CDC* pDC, const ProgramColorEffectPlus& item, UINT frame);
// Every third row carries the colour line moving left from ragged entries.
void DrawPlusRandomStreaksHorizontal(
    CDC* pDC, const ProgramColorEffectPlus& item, UINT frame, const CEffectPlusRender& renderer);
// Every third column (from the right) carries the colour line moving up.
void DrawPlusRandomStreaksVertical(
    CDC* pDC, const ProgramColorEffectPlus& item, UINT frame, const CEffectPlusRender& renderer);
// The line styles 2 to 13, 18, 19, 25 to 28, 31 to 35, 37 and 38; other codes
// draw nothing.
void DrawPlusLineStyle(
    CDC* pDC, const ProgramColorEffectPlus& item, UINT frame, int code, const CEffectPlusRender* renderer);

// Figure styles.
void DrawPlusExpandingFrames(CDC* pDC, const ProgramColorEffectPlus& item, UINT frame); // 14
void DrawPlusContractingFrames(CDC* pDC, const ProgramColorEffectPlus& item, UINT frame); // 15
void DrawPlusExpandingRings(CDC* pDC, const ProgramColorEffectPlus& item, UINT frame); // 16
void DrawPlusConvergingRings(CDC* pDC, const ProgramColorEffectPlus& item, UINT frame); // 17
// 29 turns with the frame, 30 (reverse) the other way.
void DrawPlusSpiral(CDC* pDC, const ProgramColorEffectPlus& item, UINT frame, bool reverse);
// 36: needs the item's RandomAnimation; advances its blocks one step.
void DrawPlusRandomBlocks(CDC* pDC, ProgramColorEffectPlus& item, RandomAnimation& blocks);
// 39 (from the left) and 40 (fromRight).
void DrawPlusSnakeColumns(CDC* pDC, const ProgramColorEffectPlus& item, UINT frame, bool fromRight);
// 41 (from the top) and 42 (fromBottom).
void DrawPlusSnakeRows(CDC* pDC, const ProgramColorEffectPlus& item, UINT frame, bool fromBottom);
// 43: lights the lamps of every port chain of the map; leaves the rest.
void DrawPlusFixtureScan(CDC* pDC, const ProgramColorEffectPlus& item, UINT frame, const PixPortMap* map);
