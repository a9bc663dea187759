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

void ProjSet::CopyFrom(const ProjSet& source)
{
    if (&source == this)
        return;
    m_width = source.m_width;
    m_height = source.m_height;
    m_frameRate = source.m_frameRate;
    m_totalFrames = source.m_totalFrames;
    m_playFrames = source.m_playFrames;
    m_layoutType = source.m_layoutType;
    m_backgroundImage = source.m_backgroundImage;
    m_layoutFile = source.m_layoutFile;
    m_withResource = source.m_withResource;
    m_layoutMask = source.m_layoutMask;
    m_colorMode = source.m_colorMode;
    m_whiteValue = source.m_whiteValue;
    std::memcpy(m_hardwareRecord, source.m_hardwareRecord, sizeof(m_hardwareRecord));
}
