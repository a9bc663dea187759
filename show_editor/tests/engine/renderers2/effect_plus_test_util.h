// Builders shared by the Zazez Urad renderer tests: items whose colour line
// is a few solid one-pixel stops (so line pixel j is easy to name), programs
// of such items, and helpers to compare a canvas with a per-pixel rule.
#pragma once

#include "effect_plus_render.h"
#include "effect_plus_styles.h"
#include "../engine_test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>

namespace plustest {

const COLORREF kMarker = RGB(1, 2, 3);
const COLORREF kBlack = RGB(0, 0, 0);
// The four colours of the standard line, W = 4.
const COLORREF L0 = RGB(255, 0, 0);
const COLORREF L1 = RGB(0, 255, 0);
const COLORREF L2 = RGB(0, 0, 255);
const COLORREF L3 = RGB(255, 255, 0);
const COLORREF kLine[4] = { L0, L1, L2, L3 };

// Line pixel j of the standard line, j taken modulo 4.
inline COLORREF Lp(long long j)
{
    return kLine[((j % 4) + 4) % 4];
}

inline ColorTemplateEx* SolidStop(COLORREF color, int width)
{
    auto* stop = new ColorTemplateEx;
    stop->m_mode = ColorTemplateEx::MODE_SOLID;
    stop->m_width = width;
    stop->m_colors.Add(color);
    return stop;
}

struct StopSpec {
    COLORREF color;
    int width;
};

// An item of one strip with the given solid stops.
inline std::unique_ptr<ProgramColorEffectPlus> MakeItem(int style, std::initializer_list<StopSpec> stops)
{
    auto item = std::make_unique<ProgramColorEffectPlus>();
    item->m_style = style;
    item->m_startFrame = 1;
    item->m_endFrame = 100;
    auto* strip = new ColorTemplateArrayEx;
    for (const StopSpec& s : stops)
        strip->m_stops.Add(SolidStop(s.color, s.width));
    item->m_strips.Add(strip);
    return item;
}

// An item whose line is L0, L1, L2, L3 (W = 4, M = 1).
inline std::unique_ptr<ProgramColorEffectPlus> MakeLineItem(int style)
{
    return MakeItem(style, { { L0, 1 }, { L1, 1 }, { L2, 1 }, { L3, 1 } });
}

// A program owning items of the given lengths (start 1, end = length), each
// with the standard line and the style.
inline std::unique_ptr<ProgramColorEffectPlusArray> MakeProgram(int style, std::initializer_list<int> lengths)
{
    auto program = std::make_unique<ProgramColorEffectPlusArray>();
    for (int length : lengths) {
        auto item = MakeLineItem(style);
        item->m_endFrame = length;
        program->m_items.Add(item.release());
    }
    return program;
}

// Colour rule: the expected colour at (x, y).
using Rule = std::function<COLORREF(int x, int y)>;

inline ::testing::AssertionResult Matches(const enginetest::Canvas& canvas, const Rule& rule)
{
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x)
            if (canvas.At(x, y) != rule(x, y))
                return ::testing::AssertionFailure()
                    << "at (" << x << ", " << y << "): " << enginetest::Show(canvas.At(x, y)) << " expected "
                    << enginetest::Show(rule(x, y));
    return ::testing::AssertionSuccess();
}

// The colour a position at depth D from the entry shows at frame F: line
// pixel F - 1 - D once the line has reached it, black before.
inline COLORREF AtDepth(long long depth, long long frame)
{
    return depth < frame ? Lp(frame - 1 - depth) : kBlack;
}

inline bool AllPixels(const enginetest::Canvas& canvas, COLORREF color)
{
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x)
            if (canvas.At(x, y) != color)
                return false;
    return true;
}

} // namespace plustest
