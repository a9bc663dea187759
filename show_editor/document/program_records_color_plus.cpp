// The Zazez Urad elements: the program with its items, each item's colour
// stops, and the random-block settings of style 36.
#include "program_records.h"

#include "program_record_values.h"
#include "project_file.h"
#include "xml_values.h"

#include <cstring>

using tinyxml2::XMLElement;

void WriteColorPlusProgram(
    tinyxml2::XMLDocument& doc, XMLElement* parent, ProgramColorEffectPlusArray* program, const CString&)
{
    if (parent == nullptr || program == nullptr)
        return;
    XMLElement* element = doc.NewElement("Program");
    parent->InsertEndChild(element);
    element->SetAttribute("ProgramType", static_cast<int>(PROGRAM_TYPE_COLOR_PLUS));
    SetUnsignedAttribute(element, "PROP_PROG_ORGFRAME", program->m_orgFrames);
    // A preset's working copy has no node record.
    SetStringAttribute(element, "PROP_NODE_NAME",
        program->m_pNode != nullptr ? program->m_pNode->m_name : CString(L"ColorEffectPlusArray"));
    SetUnsignedAttribute(element, "PROP_PROG_VTILE", program->m_vTiles);
    SetUnsignedAttribute(element, "PROP_PROG_HTILE", program->m_hTiles);
    SetUnsignedAttribute(element, "PROP_PROG_SFRAME", program->m_startFrame);
    SetUnsignedAttribute(element, "PROP_PROG_EFRAME", program->m_endFrame);
    for (INT_PTR i = 0; i < program->m_items.GetSize(); ++i)
        WriteColorPlusItem(doc, element, program->m_items[i], CString());
}

void ReadColorPlusProgram(const CString&, ProgramColorEffectPlusArray* program, const XMLElement* element)
{
    if (element == nullptr || program == nullptr)
        return;
    const char* type = NonEmptyAttribute(element, "ProgramType");
    if (type == nullptr)
        return;
    program->m_programType = 0; // Zazez Urad programs carry 0 in memory
    if (XmlTextToInt(type) != PROGRAM_TYPE_COLOR_PLUS)
        return;
    ReadIntAttribute(element, "PROP_PROG_ORGFRAME", program->m_orgFrames);
    if (program->m_pNode != nullptr)
        ReadStringAttribute(element, "PROP_NODE_NAME", program->m_pNode->m_name);
    ReadIntAttribute(element, "PROP_PROG_SFRAME", program->m_startFrame);
    ReadIntAttribute(element, "PROP_PROG_EFRAME", program->m_endFrame);
    ReadIntAttribute(element, "PROP_PROG_HTILE", program->m_hTiles);
    ReadIntAttribute(element, "PROP_PROG_VTILE", program->m_vTiles);
    ClampProgramFrames(program);

    // The program's length is the sum of its items' frames: items that would
    // take it past the frame limit are left out, as are items past the count limit.
    long long totalFrames = 0;
    for (INT_PTR i = 0; i < program->m_items.GetSize(); ++i)
        totalFrames += program->m_items[i]->m_orgFrames;
    for (const XMLElement* child = element->FirstChildElement("Program"); child != nullptr;
         child = child->NextSiblingElement("Program")) {
        if (program->m_items.GetSize() >= kMaxColorPlusItems)
            break;
        auto* item = new ProgramColorEffectPlus;
        item->m_programType = 0;
        ReadColorPlusItem(child, item, CString());
        if (totalFrames + item->m_orgFrames > kMaxFrameCount) {
            delete item;
            break;
        }
        totalFrames += item->m_orgFrames;
        program->m_items.Add(item);
    }
}

void WriteColorPlusItem(tinyxml2::XMLDocument& doc, XMLElement* parent, ProgramColorEffectPlus* item, const CString&)
{
    if (parent == nullptr || item == nullptr)
        return;
    XMLElement* element = doc.NewElement("Program");
    parent->InsertEndChild(element);
    element->SetAttribute("ProgramType", static_cast<int>(PROGRAM_TYPE_COLOR_PLUS_ITEM));
    element->SetAttribute("PTYPE_EFFECT", item->m_style);
    SetProgramFrameAttributes(element, item);
    element->SetAttribute("PROP_PROG_FADEIN_TIME", item->m_fadeInTime);
    element->SetAttribute("PROP_PROG_FADEOUT_TIME", item->m_fadeOutTime);
    element->SetAttribute("PROP_PROG_MIRROR", item->m_mirror);
    SetUnsignedAttribute(element, "PROP_COLOR_COUNT", item->m_colorCount);
    element->SetAttribute("PROP_STEP_LEN", item->m_stepLength);
    element->SetAttribute("PROP_REPEATE_COUNT", item->m_repeatCount);
    if (item->m_pNode != nullptr)
        SetStringAttribute(element, "PROP_NODE_NAME", item->m_pNode->m_name);
    // The strips are stored as one run of stops: their boundaries and names are not kept.
    for (INT_PTR s = 0; s < item->m_strips.GetSize(); ++s) {
        const ColorTemplateArrayEx* strip = item->m_strips[s];
        for (INT_PTR i = 0; i < strip->m_stops.GetSize(); ++i) {
            const ColorTemplateEx* stop = strip->m_stops[i];
            XMLElement* content = doc.NewElement("ColorContent");
            element->InsertEndChild(content);
            content->SetAttribute("PROP_COLOR_CHANGEMODE", stop->m_mode);
            content->SetAttribute("PROP_COLOR_COUNT", stop->m_width);
            AppendColorContents(doc, content, stop->m_colors);
        }
    }
    if (item->m_style == ProgramColorEffectPlus::STYLE_RANDOM_BLOCKS)
        WriteRandomAnimation(item->GetRandomAnimation(), element, doc);
}

void ReadColorPlusItem(const XMLElement* element, ProgramColorEffectPlus* item, const CString&)
{
    if (element == nullptr || item == nullptr)
        return;
    ReadIntAttribute(element, "PTYPE_EFFECT", item->m_style);
    ReadProgramFrameAttributes(element, item);
    if (!ReadIntAttribute(element, "PROP_PROG_FADEIN_TIME", item->m_fadeInTime))
        item->m_fadeInTime = 0;
    if (!ReadIntAttribute(element, "PROP_PROG_FADEOUT_TIME", item->m_fadeOutTime))
        item->m_fadeOutTime = 0;
    if (!ReadIntAttribute(element, "PROP_PROG_MIRROR", item->m_mirror))
        item->m_mirror = 0;
    ReadTruncatedAttribute(element, "PROP_COLOR_COUNT", item->m_colorCount);
    ReadTruncatedAttribute(element, "PROP_STEP_LEN", item->m_stepLength);
    ReadTruncatedAttribute(element, "PROP_REPEATE_COUNT", item->m_repeatCount);
    item->m_colorCount = ClampInt(item->m_colorCount, 0, kMaxStripWidth);
    ClampProgramFrames(item);

    auto* strip = new ColorTemplateArrayEx;
    for (const XMLElement* child = element->FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        const char* name = child->Name();
        if (std::strcmp(name, "ColorContent") == 0) {
            auto* stop = new ColorTemplateEx;
            ReadIntAttribute(child, "PROP_COLOR_CHANGEMODE", stop->m_mode);
            ReadIntAttribute(child, "PROP_COLOR_COUNT", stop->m_width);
            stop->m_width = ClampInt(stop->m_width, 0, kMaxStripWidth);
            ReadColorContents(child, stop->m_colors);
            strip->m_stops.Add(stop);
        } else if (std::strcmp(name, "RandomAnimation") == 0
            && item->m_style == ProgramColorEffectPlus::STYLE_RANDOM_BLOCKS) {
            RandomAnimation record;
            ReadRandomAnimation(&record, child);
            ProgramColorEffectPlus::SetRandomAnimation(item, &record);
        }
    }
    // Always one strip, also an empty one.
    item->m_strips.Add(strip);
}

void WriteRandomAnimation(const RandomAnimation* record, XMLElement* parent, tinyxml2::XMLDocument& doc)
{
    if (record == nullptr || parent == nullptr)
        return;
    XMLElement* element = doc.NewElement("RandomAnimation");
    parent->InsertEndChild(element);
    element->SetAttribute("PROP_RANDANI_BLOCKW", record->m_blockWidth);
    element->SetAttribute("PROP_RANDANI_BLOCKH", record->m_blockHeight);
    element->SetAttribute("PROP_RANDANI_LIGTENTYPE", record->m_lightingType);
    element->SetAttribute("PROP_RANDANI_CHANGESPAN", record->m_changeSpan);
    element->SetAttribute("PROP_RANDANI_DOTSHAPE", record->m_dotShape);
    element->SetAttribute("PROP_RANDANI_DOTCNT", record->m_dotCount);
}

void ReadRandomAnimation(RandomAnimation* record, const XMLElement* element)
{
    if (record == nullptr || element == nullptr)
        return;
    // Sizes, span and count must be positive: the renderer divides by them.
    auto positive = [element](const char* name) {
        int value = 1;
        ReadIntAttribute(element, name, value);
        return value > 0 ? value : 1;
    };
    auto orZero = [element](const char* name) {
        int value = 0;
        ReadIntAttribute(element, name, value);
        return value;
    };
    record->m_blockWidth = positive("PROP_RANDANI_BLOCKW");
    record->m_blockHeight = positive("PROP_RANDANI_BLOCKH");
    record->m_lightingType = orZero("PROP_RANDANI_LIGTENTYPE");
    record->m_changeSpan = positive("PROP_RANDANI_CHANGESPAN");
    record->m_dotShape = orZero("PROP_RANDANI_DOTSHAPE");
    record->m_dotCount = ClampInt(positive("PROP_RANDANI_DOTCNT"), 1, kMaxRandomDots);
}
