// Media programs.
#include "program_video.h"

IMPLEMENT_DYNCREATE(ProgramVideo, Program)

void ProgramVideo::CopyValues(const ProgramVideo& source)
{
    CopyBaseValues(source);
    CopyFadeTimes(source);
    m_mediaKind = source.m_mediaKind;
    m_filePath = source.m_filePath;
    m_marginLeft = source.m_marginLeft;
    m_marginTop = source.m_marginTop;
    m_marginRight = source.m_marginRight;
    m_marginBottom = source.m_marginBottom;
}

ProgramVideo* ProgramVideo::Clone(const ProgramVideo* source)
{
    if (source == nullptr)
        return nullptr;
    auto* copy = new ProgramVideo;
    copy->CopyValues(*source);
    copy->m_pNode = NewNodeAtSamePlace(*source);
    copy->m_decoderHandle = -1; // a decoder belongs to the program that opened it
    return copy;
}

void ProgramVideo::CopyFrom(ProgramVideo* target, const ProgramVideo* source)
{
    if (target == nullptr || source == nullptr || target == source)
        return;
    target->CopyValues(*source);
}
