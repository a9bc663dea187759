// The colour-effect element: also the texture of a colourful text and the
// colour effect of an older project's segment.
#include "program_records.h"

#include "program_record_values.h"
#include "xml_values.h"

using tinyxml2::XMLElement;

void WriteColorEffectProgram(tinyxml2::XMLDocument& doc, XMLElement* parent, ProgramColorEffect* program)
{
    if (parent == nullptr || program == nullptr)
        return;
    XMLElement* element = doc.NewElement("Program");
    parent->InsertEndChild(element);
    element->SetAttribute("ProgramType", static_cast<int>(PROGRAM_TYPE_COLOR_EFFECT));
    element->SetAttribute("PTYPE_EFFECT", program->m_style);
    SetFixed2Attribute(element, "PROP_VIEW_FACTOR", program->m_zoomFactor);
    SetProgramFrameAttributes(element, program);
    element->SetAttribute("PROP_PROG_FADEIN_TIME", program->m_fadeInTime);
    element->SetAttribute("PROP_PROG_FADEOUT_TIME", program->m_fadeOutTime);
    element->SetAttribute("PROP_PROG_MIRROR", program->m_mirror);
    SetStringAttribute(element, "PROP_NODE_NAME", NodeNameOf(program->m_pNode));
    for (INT_PTR i = 0; i < program->m_templates.GetSize(); ++i) {
        const ColorTemplate* colorTemplate = program->m_templates[i];
        XMLElement* content = doc.NewElement("ColorContent");
        element->InsertEndChild(content);
        content->SetAttribute("PROP_COLOR_CHANGEMODE", colorTemplate->m_changeMode);
        AppendColorContents(doc, content, colorTemplate->m_colors);
    }
}

void ReadColorEffectProgram(const XMLElement* element, ProgramColorEffect* program)
{
    if (element == nullptr || program == nullptr)
        return;
    const char* type = NonEmptyAttribute(element, "ProgramType");
    if (type == nullptr || XmlTextToInt(type) != PROGRAM_TYPE_COLOR_EFFECT)
        return; // another kind's element: the program stays as it was
    program->m_programType = PROGRAM_TYPE_COLOR_EFFECT;
    ReadIntAttribute(element, "PTYPE_EFFECT", program->m_style);
    ReadFloatAttribute(element, "PROP_VIEW_FACTOR", program->m_zoomFactor);
    ReadProgramFrameAttributes(element, program);
    if (!ReadIntAttribute(element, "PROP_PROG_FADEIN_TIME", program->m_fadeInTime))
        program->m_fadeInTime = 0;
    if (!ReadIntAttribute(element, "PROP_PROG_FADEOUT_TIME", program->m_fadeOutTime))
        program->m_fadeOutTime = 0;
    if (!ReadIntAttribute(element, "PROP_PROG_MIRROR", program->m_mirror))
        program->m_mirror = 0;
    if (program->m_pNode != nullptr)
        ReadStringAttribute(element, "PROP_NODE_NAME", program->m_pNode->m_name);
    ClampProgramFrames(program);

    for (const XMLElement* child = element->FirstChildElement("ColorContent"); child != nullptr;
         child = child->NextSiblingElement("ColorContent")) {
        auto* colorTemplate = new ColorTemplate;
        ReadIntAttribute(child, "PROP_COLOR_CHANGEMODE", colorTemplate->m_changeMode);
        ReadColorContents(child, colorTemplate->m_colors);
        program->m_templates.Add(colorTemplate);
    }
}
