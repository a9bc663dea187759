// Random-blocks settings.
#include "random_animation.h"

void RandomAnimation::CopySettings(const RandomAnimation& source)
{
    m_blockWidth = source.m_blockWidth;
    m_blockHeight = source.m_blockHeight;
    m_changeSpan = source.m_changeSpan;
    m_lightingType = source.m_lightingType;
    m_dotShape = source.m_dotShape;
    m_dotCount = source.m_dotCount;
}
