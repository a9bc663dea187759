// Reading and writing the colour template files.
#include "template_files.h"

#include "program_record_values.h"
#include "program_records.h"
#include "project_file_io.h"
#include "xml_file_printer.h"
#include "xml_values.h"

#include <tinyxml2.h>

#include <string>

using tinyxml2::XMLElement;

namespace {

bool LoadXmlFile(const CString& path, tinyxml2::XMLDocument& doc)
{
    std::string bytes;
    if (!ReadWholeFile(path, bytes, kMaxTemplateFileBytes))
        return false;
    return doc.Parse(bytes.data(), bytes.size()) == tinyxml2::XML_SUCCESS;
}

// A new document with the declaration and an empty root of the given name.
XMLElement* StartDocument(tinyxml2::XMLDocument& doc, const char* rootName)
{
    doc.InsertEndChild(doc.NewDeclaration());
    XMLElement* root = doc.NewElement(rootName);
    doc.InsertEndChild(root);
    return root;
}

int ElementTextToInt(const XMLElement* element)
{
    return XmlTextToInt(element != nullptr ? element->GetText() : nullptr);
}

} // namespace

int ParseColorTemplateFile(const CString& path, ColorTemplateList& templates)
{
    tinyxml2::XMLDocument doc;
    if (!LoadXmlFile(path, doc))
        return 0;
    const XMLElement* root = doc.FirstChildElement();
    const XMLElement* mode = root != nullptr ? root->FirstChildElement() : nullptr;
    if (mode == nullptr)
        return 0;
    auto* colorTemplate = new ColorTemplate;
    colorTemplate->m_changeMode = ElementTextToInt(mode);
    if (const XMLElement* colors = mode->NextSiblingElement()) {
        for (const XMLElement* color = colors->FirstChildElement(); color != nullptr;
             color = color->NextSiblingElement())
            colorTemplate->m_colors.Add(XmlTextToColor(color->GetText()));
    }
    templates.Add(colorTemplate);
    return 1;
}

void ReadColorTemplateFile(const CString& path, ColorTemplateList& templates)
{
    tinyxml2::XMLDocument doc;
    if (!LoadXmlFile(path, doc))
        return;
    const XMLElement* root = doc.FirstChildElement();
    if (root == nullptr)
        return;
    for (const XMLElement* content = root->FirstChildElement("ColorContent"); content != nullptr;
         content = content->NextSiblingElement("ColorContent")) {
        auto* colorTemplate = new ColorTemplate;
        ReadIntAttribute(content, "PROP_COLOR_CHANGEMODE", colorTemplate->m_changeMode);
        ReadColorContents(content, colorTemplate->m_colors);
        templates.Add(colorTemplate);
    }
}

bool WriteColorTemplateFile(const CString& path, const ColorTemplateList& templates)
{
    if (templates.GetSize() == 0)
        return false;
    tinyxml2::XMLDocument doc;
    XMLElement* root = StartDocument(doc, "ColorTemplate");
    for (INT_PTR i = 0; i < templates.GetSize(); ++i) {
        const ColorTemplate* colorTemplate = templates[i];
        if (colorTemplate == nullptr)
            continue;
        XMLElement* content = doc.NewElement("ColorContent");
        root->InsertEndChild(content);
        content->SetAttribute("PROP_COLOR_CHANGEMODE", colorTemplate->m_changeMode);
        AppendColorContents(doc, content, colorTemplate->m_colors);
    }
    return SaveXmlDocument(doc, path);
}

bool WriteColorPlusFile(const CString& path, ProgramColorEffectPlusArray* program)
{
    if (program == nullptr || program->m_items.GetSize() == 0)
        return false;
    tinyxml2::XMLDocument doc;
    XMLElement* root = StartDocument(doc, "ColorEffectPlusArray");
    WriteColorPlusProgram(doc, root, program, CString());
    return SaveXmlDocument(doc, path);
}

bool ReadColorPlusFile(const CString& path, ProgramColorEffectPlusArray* program)
{
    if (program == nullptr)
        return false;
    tinyxml2::XMLDocument doc;
    if (!LoadXmlFile(path, doc))
        return false;
    const XMLElement* root = doc.FirstChildElement();
    if (root != nullptr)
        ReadColorPlusProgram(CString(), program, root->FirstChildElement());
    return true;
}

bool WriteCustomBarFile(const CString& path, const ColorTemplateArrayEx* strip)
{
    if (strip == nullptr || strip->m_stops.GetSize() == 0)
        return false;
    tinyxml2::XMLDocument doc;
    XMLElement* root = StartDocument(doc, "ColorEffectPlusArray");
    for (INT_PTR i = 0; i < strip->m_stops.GetSize(); ++i) {
        const ColorTemplateEx* stop = strip->m_stops[i];
        if (stop == nullptr)
            continue;
        XMLElement* content = doc.NewElement("ColorContent");
        root->InsertEndChild(content);
        content->SetAttribute("PROP_COLOR_CHANGEMODE", stop->m_mode);
        content->SetAttribute("PROP_COLOR_COUNT", stop->m_width);
        AppendColorContents(doc, content, stop->m_colors);
    }
    return SaveXmlDocument(doc, path);
}

bool ReadCustomBarFile(const CString& path, ColorTemplateArrayEx* strip)
{
    if (strip == nullptr)
        return false;
    tinyxml2::XMLDocument doc;
    if (!LoadXmlFile(path, doc))
        return false;
    const XMLElement* root = doc.FirstChildElement();
    if (root == nullptr)
        return true;
    for (const XMLElement* content = root->FirstChildElement("ColorContent"); content != nullptr;
         content = content->NextSiblingElement("ColorContent")) {
        auto* stop = new ColorTemplateEx;
        ReadIntAttribute(content, "PROP_COLOR_CHANGEMODE", stop->m_mode);
        ReadIntAttribute(content, "PROP_COLOR_COUNT", stop->m_width);
        stop->m_width = ClampInt(stop->m_width, 0, kMaxStripWidth);
        ReadColorContents(content, stop->m_colors);
        strip->m_stops.Add(stop);
    }
    return true;
}
