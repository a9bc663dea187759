// Flicker stars.
#include "ce_flicker_star.h"

IMPLEMENT_DYNCREATE(CEFlickerStar, Program)

CEFlickerStar::CEFlickerStar()
{
    m_programType = PROGRAM_TYPE_FLICKER_STAR;
}

void CEFlickerStar::CopyValues(const CEFlickerStar& source)
{
    CopyBaseValues(source);
    m_backgroundColor = source.m_backgroundColor;
    m_starColor = source.m_starColor;
    m_speed = source.m_speed;
    m_playTime = source.m_playTime;
    m_starCount = source.m_starCount;
    m_shape = source.m_shape;
    m_size = source.m_size;
    m_randomStartColor = source.m_randomStartColor;
    m_minBrightness = source.m_minBrightness;
    m_maxBrightness = source.m_maxBrightness;
    m_phases.Copy(source.m_phases);
    m_startPoints.Copy(source.m_startPoints);
}

CEFlickerStar* CEFlickerStar::Clone(const CEFlickerStar* source)
{
    if (source == nullptr)
        return nullptr;
    auto* copy = new CEFlickerStar;
    copy->CopyValues(*source);
    copy->m_pNode = NewFreshNode();
    return copy;
}

void CEFlickerStar::CopyFrom(CEFlickerStar* target, const CEFlickerStar* source)
{
    if (target == nullptr || source == nullptr || target == source)
        return;
    target->CopyValues(*source);
}
