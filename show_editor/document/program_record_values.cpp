// Shared pieces of the program elements and template files.
#include "program_record_values.h"

#include "project_file.h"
#include "xml_values.h"

#include <cmath>
#include <cstdio>

void SetProgramFrameAttributes(tinyxml2::XMLElement* element, const Program* program)
{
    SetUnsignedAttribute(element, "PROP_PROG_ORGFRAME", program->m_orgFrames);
    SetUnsignedAttribute(element, "PROP_PROG_VTILE", program->m_vTiles);
    SetUnsignedAttribute(element, "PROP_PROG_HTILE", program->m_hTiles);
    SetUnsignedAttribute(element, "PROP_PROG_SFRAME", program->m_startFrame);
    SetUnsignedAttribute(element, "PROP_PROG_EFRAME", program->m_endFrame);
    element->SetAttribute("PROP_PROG_SSPEED", program->m_startSpeed);
    element->SetAttribute("PROP_PROG_ESPEED", program->m_endSpeed);
}

void ReadProgramFrameAttributes(const tinyxml2::XMLElement* element, Program* program)
{
    ReadIntAttribute(element, "PROP_PROG_ORGFRAME", program->m_orgFrames);
    ReadIntAttribute(element, "PROP_PROG_VTILE", program->m_vTiles);
    ReadIntAttribute(element, "PROP_PROG_HTILE", program->m_hTiles);
    ReadIntAttribute(element, "PROP_PROG_SFRAME", program->m_startFrame);
    ReadIntAttribute(element, "PROP_PROG_EFRAME", program->m_endFrame);
    ReadFloatAttribute(element, "PROP_PROG_SSPEED", program->m_startSpeed);
    ReadFloatAttribute(element, "PROP_PROG_ESPEED", program->m_endSpeed);
}

void ClampProgramFrames(Program* program)
{
    program->m_orgFrames = ClampInt(program->m_orgFrames, 0, kMaxFrameCount);
    program->m_startFrame = ClampInt(program->m_startFrame, 0, kMaxFrameCount);
    program->m_endFrame = ClampInt(program->m_endFrame, 0, kMaxFrameCount);
    program->m_vTiles = ClampInt(program->m_vTiles, 1, kMaxTiles);
    program->m_hTiles = ClampInt(program->m_hTiles, 1, kMaxTiles);
    program->m_fadeInTime = ClampInt(program->m_fadeInTime, 0, kMaxFrameCount);
    program->m_fadeOutTime = ClampInt(program->m_fadeOutTime, 0, kMaxFrameCount);
}

CString NodeNameOf(const NodeInfo* node)
{
    return node != nullptr ? node->m_name : CString();
}

void SetFixed2Attribute(tinyxml2::XMLElement* element, const char* name, float value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof(buffer), "%.2f", static_cast<double>(value));
    element->SetAttribute(name, buffer);
}

void AppendColorContents(tinyxml2::XMLDocument& doc, tinyxml2::XMLElement* parent, const ColorList& colors)
{
    for (INT_PTR i = 0; i < colors.GetSize(); ++i) {
        tinyxml2::XMLElement* content = doc.NewElement("Content");
        parent->InsertEndChild(content);
        content->SetText(XmlColorText(colors[i]).GetString());
    }
}

void ReadColorContents(const tinyxml2::XMLElement* parent, ColorList& colors)
{
    for (const tinyxml2::XMLElement* content = parent->FirstChildElement("Content"); content != nullptr;
         content = content->NextSiblingElement("Content"))
        colors.Add(XmlTextToColor(content->GetText()));
}

bool ReadTruncatedAttribute(const tinyxml2::XMLElement* element, const char* name, int& field)
{
    const char* value = NonEmptyAttribute(element, name);
    if (value == nullptr)
        return false;
    const double number = std::trunc(XmlTextToDouble(value));
    field = number >= 2147483647.0 ? 2147483647 : (number <= -2147483648.0 ? (-2147483647 - 1) : int(number));
    return true;
}
