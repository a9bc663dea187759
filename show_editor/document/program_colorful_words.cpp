// Colourful text.
#include "program_colorful_words.h"

#include <cstring>

IMPLEMENT_DYNCREATE(ProgramColorFulWords, Program)

ProgramColorFulWords::ProgramColorFulWords()
{
    std::memset(&m_font, 0, sizeof(m_font));
}

ProgramColorFulWords::~ProgramColorFulWords()
{
    delete m_pTexture;
}

void ProgramColorFulWords::SetTexture(ProgramColorEffect* texture)
{
    if (texture == m_pTexture)
        return;
    delete m_pTexture;
    m_pTexture = texture;
}

// Everything but the texture effect, the fade times and the node record.
void ProgramColorFulWords::CopyValues(const ProgramColorFulWords& source)
{
    CopyBaseValues(source);
    m_text = source.m_text;
    m_font = source.m_font;
    m_backgroundColor = source.m_backgroundColor;
    m_textColor = source.m_textColor;
    m_textWidth = source.m_textWidth;
    m_textSpacing = source.m_textSpacing;
    m_useTextColor = source.m_useTextColor;
    m_textureSpeed = source.m_textureSpeed;
    m_strokeType = source.m_strokeType;
    m_strokeColor = source.m_strokeColor;
    m_strokeWidth = source.m_strokeWidth;
    m_enterEffect = source.m_enterEffect;
    m_leaveEffect = source.m_leaveEffect;
    m_showWordEffect = source.m_showWordEffect;
    m_enterTime = source.m_enterTime;
    m_leaveTime = source.m_leaveTime;
    m_showWordTime = source.m_showWordTime;
    m_enterFrames = source.m_enterFrames;
    m_showWordFrames = source.m_showWordFrames;
    m_leaveFrames = source.m_leaveFrames;
    m_wordRepeatCount = source.m_wordRepeatCount;
    m_orientation = source.m_orientation;
    m_reverse = source.m_reverse;
    m_textureIndex = source.m_textureIndex;
    m_mirror = source.m_mirror;
}

ProgramColorFulWords* ProgramColorFulWords::Clone(const ProgramColorFulWords* source)
{
    if (source == nullptr)
        return nullptr;
    auto* copy = new ProgramColorFulWords;
    copy->CopyValues(*source);
    copy->m_pTexture = ProgramColorEffect::Clone(source->m_pTexture);
    copy->m_pNode = NewNodeAtSamePlace(*source);
    return copy;
}

void ProgramColorFulWords::CopyFrom(ProgramColorFulWords* target, const ProgramColorFulWords* source)
{
    if (target == nullptr || source == nullptr || target == source)
        return;
    target->CopyValues(*source);
    // The target's own texture takes the values; a target without one gets a
    // clone, and a source without one leaves the target without one too.
    if (source->m_pTexture == nullptr)
        target->SetTexture(nullptr);
    else if (target->m_pTexture == nullptr)
        target->m_pTexture = ProgramColorEffect::Clone(source->m_pTexture);
    else
        ProgramColorEffect::CopyFrom(target->m_pTexture, source->m_pTexture);
}
