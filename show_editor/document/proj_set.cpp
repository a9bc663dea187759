// The project settings.
#include "proj_set.h"

#include <cstring>

IMPLEMENT_DYNCREATE(ProjSet, CObject)

ProjSet::ProjSet()
{
    ResetToNewProject();
}

void ProjSet::ResetToNewProject()
{
    m_width = 200;
    m_height = 50;
    m_frameRate = 25;
    m_totalFrames = 0;
    m_playFrames = 0;
    m_layoutType = 1;
    m_backgroundImage.Empty();
    m_layoutFile.Empty();
    m_withResource = 0;
    m_colorMode = 0;
    m_whiteValue = 0;
    std::memset(m_hardwareRecord, 0, sizeof(m_hardwareRecord));
}
