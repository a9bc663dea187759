// Small builders shared by the colour renderer tests: effects with their
// templates, the hand formula of a gradient pixel, and a few colours whose
// channel steps are easy to follow.
#pragma once

#include "color_animation_render.h"
#include "../engine_test_support.h"

#include <initializer_list>
#include <memory>

namespace colourtest {

const COLORREF kMarker = RGB(1, 2, 3);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF A = RGB(0, 64, 255);
const COLORREF B = RGB(255, 64, 0);
const COLORREF C = RGB(0, 255, 0);
const COLORREF D = RGB(200, 100, 50);

inline ColorTemplate* MakeTemplate(int mode, std::initializer_list<COLORREF> colors)
{
    auto* t = new ColorTemplate;
    t->m_changeMode = mode;
    for (COLORREF c : colors)
        t->m_colors.Add(c);
    return t;
}

// An effect with speeds 1.0, zoom 1.0 and no templates.
inline std::unique_ptr<ProgramColorEffect> MakeEffect(int style, float zoom = 1.0f)
{
    auto effect = std::make_unique<ProgramColorEffect>();
    effect->m_style = style;
    effect->m_zoomFactor = zoom;
    effect->m_startSpeed = 1.0f;
    effect->m_endSpeed = 1.0f;
    return effect;
}

inline void AddTemplate(ProgramColorEffect& effect, int mode, std::initializer_list<COLORREF> colors)
{
    effect.m_templates.Add(MakeTemplate(mode, colors));
}

// The effect most tests use: one gradient template A, B, C (a 512-pixel strip).
inline std::unique_ptr<ProgramColorEffect> MakeAbc(int style, float zoom = 1.0f)
{
    auto effect = MakeEffect(style, zoom);
    AddTemplate(*effect, ColorTemplate::CHANGE_GRADIENT, { A, B, C });
    return effect;
}

// Pixel j (0 .. 255) of a 256-pixel gradient step: per channel
// from + (to - from) * j / 256, truncated toward zero.
inline COLORREF Mix(COLORREF from, COLORREF to, int j)
{
    auto channel = [j](int f, int t) { return f + (t - f) * j / 256; };
    return RGB(channel(GetRValue(from), GetRValue(to)), channel(GetGValue(from), GetGValue(to)),
        channel(GetBValue(from), GetBValue(to)));
}

// Strip pixel x of the A, B, C gradient strip (0 .. 511).
inline COLORREF Abc(int x)
{
    return x < 256 ? Mix(A, B, x) : Mix(B, C, x - 256);
}

// Every pixel of the canvas has the colour.
inline bool AllPixels(const enginetest::Canvas& canvas, COLORREF color)
{
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x)
            if (canvas.At(x, y) != color)
                return false;
    return true;
}

} // namespace colourtest
