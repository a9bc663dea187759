// Image shows.
#include "program_image_show.h"

IMPLEMENT_DYNCREATE(ProgramImageShow, Program)

void ProgramImageShow::CopyValues(const ProgramImageShow& source)
{
    CopyBaseValues(source);
    m_imagePaths.Copy(source.m_imagePaths);
    m_backgroundKind = source.m_backgroundKind;
    m_backgroundColor = source.m_backgroundColor;
    m_backgroundImage = source.m_backgroundImage;
    m_backgroundAlign = source.m_backgroundAlign;
    m_imageAlign = source.m_imageAlign;
    m_enterEffect = source.m_enterEffect;
    m_leaveEffect = source.m_leaveEffect;
    m_enterTime = source.m_enterTime;
    m_leaveTime = source.m_leaveTime;
    m_showingTime = source.m_showingTime;
    m_enterFrames = source.m_enterFrames;
    m_showingFrames = source.m_showingFrames;
    m_leaveFrames = source.m_leaveFrames;
}

ProgramImageShow* ProgramImageShow::Clone(const ProgramImageShow* source)
{
    if (source == nullptr)
        return nullptr;
    auto* copy = new ProgramImageShow;
    copy->CopyValues(*source);
    copy->m_pNode = NewFreshNode();
    return copy;
}

void ProgramImageShow::CopyFrom(ProgramImageShow* target, const ProgramImageShow* source)
{
    if (target == nullptr || source == nullptr || target == source)
        return;
    target->CopyValues(*source);
}
