// The colours of the colour-effect benchmarks: a four-colour gradient
// template and a two-colour solid one, as a typical effect holds.
#pragma once

#include "color_template.h"
#include "program_color_effect.h"

inline void AddBenchTemplates(ProgramColorEffect& effect)
{
    auto* gradient = new ColorTemplate;
    for (COLORREF c : { RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0) })
        gradient->m_colors.Add(c);
    effect.m_templates.Add(gradient);
    auto* solid = new ColorTemplate;
    solid->m_changeMode = ColorTemplate::CHANGE_SOLID;
    solid->m_colors.Add(RGB(255, 255, 255));
    solid->m_colors.Add(RGB(0, 128, 255));
    effect.m_templates.Add(solid);
}
