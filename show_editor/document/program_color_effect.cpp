// Colour effects and scan lines.
#include "program_color_effect.h"

IMPLEMENT_DYNCREATE(ProgramColorEffect, Program)

ProgramColorEffect::~ProgramColorEffect()
{
    RemoveAllTemplates();
}

void ProgramColorEffect::RemoveAllTemplates()
{
    FreeColorTemplates(m_templates);
}

void ProgramColorEffect::CopyValues(const ProgramColorEffect& source)
{
    CopyBaseValues(source);
    CopyFadeTimes(source);
    m_style = source.m_style;
    m_zoomFactor = source.m_zoomFactor;
    m_mirror = source.m_mirror;
    m_intList.Copy(source.m_intList);
    RemoveAllTemplates();
    AppendColorTemplateCopies(m_templates, source.m_templates);
}

ProgramColorEffect* ProgramColorEffect::Clone(const ProgramColorEffect* source)
{
    if (source == nullptr)
        return nullptr;
    auto* copy = new ProgramColorEffect;
    copy->CopyValues(*source);
    copy->m_pNode = NewFreshNode();
    return copy;
}

void ProgramColorEffect::CopyFrom(ProgramColorEffect* target, const ProgramColorEffect* source)
{
    if (target == nullptr || source == nullptr || target == source)
        return;
    target->CopyValues(*source);
}
