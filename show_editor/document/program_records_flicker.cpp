// The flicker-star element and the stars rebuilt after reading it.
#include "program_records.h"

#include "program_record_values.h"
#include "xml_values.h"

#include <cstdlib>

using tinyxml2::XMLElement;

void WriteFlickerStarProgram(tinyxml2::XMLDocument& doc, XMLElement* parent, CEFlickerStar* program, const CString&)
{
    if (parent == nullptr || program == nullptr)
        return;
    XMLElement* element = doc.NewElement("Program");
    parent->InsertEndChild(element);
    element->SetAttribute("ProgramType", static_cast<int>(PROGRAM_TYPE_FLICKER_STAR));
    SetUnsignedAttribute(element, "CE_FRAMES", program->m_orgFrames);
    element->SetAttribute("FLICKERSTAR_BACKCOLOR", static_cast<unsigned>(program->m_backgroundColor));
    element->SetAttribute("FLICKERSTAR_STARTCOLOR", static_cast<unsigned>(program->m_starColor));
    element->SetAttribute("FLICKERSTAR_SPEED", program->m_speed);
    element->SetAttribute("FLICKERSTAR_PLAYTIME", program->m_playTime);
    SetUnsignedAttribute(element, "FLICKERSTAR_STARNUMS", program->m_starCount);
    element->SetAttribute("FLICKERSTAR_SHAPE", static_cast<int>(program->m_shape));
    element->SetAttribute("FLICKERSTAR_SIZE", static_cast<int>(program->m_size));
    element->SetAttribute("FLICKERSTAR_RAND_START_COLOR", program->m_randomStartColor);
    element->SetAttribute("FLICKERSTAR_MIN_BRIGHT", static_cast<int>(program->m_minBrightness));
    element->SetAttribute("FLICKERSTAR_MAX_BRIGHT", static_cast<int>(program->m_maxBrightness));
}

void ReadFlickerStarProgram(const XMLElement* element, CEFlickerStar* program, const CString&)
{
    if (element == nullptr || program == nullptr)
        return;
    if (ReadIntAttribute(element, "CE_FRAMES", program->m_orgFrames))
        program->m_endFrame = program->m_orgFrames;
    ReadColorAttribute(element, "FLICKERSTAR_BACKCOLOR", program->m_backgroundColor);
    ReadColorAttribute(element, "FLICKERSTAR_STARTCOLOR", program->m_starColor);
    ReadFloatAttribute(element, "FLICKERSTAR_SPEED", program->m_speed);
    ReadFloatAttribute(element, "FLICKERSTAR_PLAYTIME", program->m_playTime);
    ReadIntAttribute(element, "FLICKERSTAR_STARNUMS", program->m_starCount);
    auto byteOr = [element](const char* name, BYTE fallback) {
        BYTE value = fallback;
        ReadByteAttribute(element, name, value);
        return value;
    };
    program->m_shape = byteOr("FLICKERSTAR_SHAPE", 0);
    program->m_size = byteOr("FLICKERSTAR_SIZE", 1);
    if (!ReadIntAttribute(element, "FLICKERSTAR_RAND_START_COLOR", program->m_randomStartColor))
        program->m_randomStartColor = 0;
    program->m_minBrightness = byteOr("FLICKERSTAR_MIN_BRIGHT", 0);
    program->m_maxBrightness = byteOr("FLICKERSTAR_MAX_BRIGHT", 0);
    program->m_starCount = ClampInt(program->m_starCount, 0, kMaxFlickerStars);
    ClampProgramFrames(program);
    RebuildFlickerStars(program);
}

void RebuildFlickerStars(CEFlickerStar* program)
{
    if (program == nullptr)
        return;
    const int count = ClampInt(program->m_starCount, 0, kMaxFlickerStars);
    program->m_phases.RemoveAll();
    program->m_startPoints.RemoveAll();
    program->m_phases.SetSize(0, count);
    program->m_startPoints.SetSize(0, count);

    std::srand(255);
    for (int i = 0; i < count; ++i)
        program->m_phases.Add(static_cast<WORD>(std::rand() % 255));

    std::srand(250);
    for (int i = 0; i < count; ++i) {
        StartPoint point;
        point.m_x = std::rand() % 200;
        point.m_y = std::rand() % 50;
        if (program->m_randomStartColor != 0) {
            const int r1 = std::rand() % 255;
            const int r2 = std::rand() % 255;
            const int r3 = std::rand() % 255;
            point.m_color = static_cast<COLORREF>(r3 + r2 * 256 + r1 * 65536);
        } else {
            point.m_color = program->m_starColor;
        }
        program->m_startPoints.Add(point);
    }
}
