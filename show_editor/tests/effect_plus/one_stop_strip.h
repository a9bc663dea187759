// Colour strips for the Zazez Urad tests: one stop of a mode and width.
#pragma once

#include "color_template.h"

#include <initializer_list>

// A new strip the caller owns.
inline ColorTemplateArrayEx* OneStopStrip(int mode, int width, std::initializer_list<COLORREF> colors)
{
    auto* strip = new ColorTemplateArrayEx;
    auto* stop = new ColorTemplateEx;
    stop->m_mode = mode;
    stop->m_width = width;
    for (COLORREF c : colors)
        stop->m_colors.Add(c);
    strip->m_stops.Add(stop);
    return strip;
}
