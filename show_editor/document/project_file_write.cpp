// Writing the ".LEDX" project file.
#include "project_file.h"

#include "ce_flicker_star.h"
#include "program_color_effect.h"
#include "program_color_effect_plus.h"
#include "program_image_show.h"
#include "program_records.h"
#include "program_trans_effect.h"
#include "project_file_elements.h"
#include "project_file_io.h"
#include "project_resources.h"
#include "xml_file_printer.h"
#include "xml_values.h"

using tinyxml2::XMLElement;

namespace {

void WriteProjectSettings(
    tinyxml2::XMLDocument& doc, XMLElement* root, ProjSet& settings, CResourceMerger* merger, bool& copiesOk)
{
    XMLElement* projectSet = doc.NewElement("ProjectSet");
    root->InsertEndChild(projectSet);
    XMLElement* element = doc.NewElement("PROP_PROJ_SET");
    projectSet->InsertEndChild(element);
    SetUnsignedAttribute(element, "PROP_PROJ_WIDTH", settings.m_width);
    SetUnsignedAttribute(element, "PROP_PROJ_HEIGHT", settings.m_height);
    SetUnsignedAttribute(element, "PROP_PROJ_SPEED", settings.m_frameRate);
    SetUnsignedAttribute(element, "PROP_PROJ_TFRAME", settings.m_totalFrames);
    SetUnsignedAttribute(element, "PROP_PROJ_PLAYTFRAME", settings.m_playFrames);
    element->SetAttribute("PROP_PROJ_LTYPE", settings.m_layoutType);
    element->SetAttribute("PROP_PROJ_WITHRES", settings.m_withResource);
    element->SetAttribute("PROP_PROJ_COLORMODE", settings.m_colorMode);
    element->SetAttribute("PROP_FC_WHITENESS", static_cast<int>(settings.m_whiteValue));
    SetBase64Attribute(element, "PROP_PROJ_CHIPSET", settings.m_hardwareRecord, sizeof(settings.m_hardwareRecord));

    if (!settings.m_backgroundImage.IsEmpty()) {
        if (merger != nullptr && !merger->Merge(settings.m_backgroundImage))
            copiesOk = false;
        SetStringAttribute(element, "PROP_PROJ_BKIMG", settings.m_backgroundImage);
    }
    if (!settings.m_layoutFile.IsEmpty()) {
        // Only the name travels; the file itself is embedded as "LPX".
        const int slash = settings.m_layoutFile.ReverseFind(L'\\');
        SetStringAttribute(
            element, "PROP_PROJ_LAYOUTFILE", slash >= 1 ? settings.m_layoutFile.Mid(slash + 1) : settings.m_layoutFile);
    }
}

// Claims the names of media that already lie in the resource folder (a
// project saved before with merged resources), so that no other file's copy
// replaces them during this save.
void ReserveMergedMedia(CResourceMerger& merger, const SegmentList& segments, const ProjSet& settings)
{
    merger.Reserve(settings.m_backgroundImage);
    for (INT_PTR s = 0; s < segments.GetSize(); ++s) {
        const QvSegmentGourp* segment = segments[s];
        for (INT_PTR v = 0; v < segment->m_views.GetSize(); ++v) {
            const ProgramView* view = segment->m_views[v];
            for (INT_PTR p = 0; p < view->m_programs.GetSize(); ++p) {
                Program* program = view->m_programs[p];
                if (program->IsKindOf(RUNTIME_CLASS(ProgramVideo))) {
                    merger.Reserve(static_cast<ProgramVideo*>(program)->m_filePath);
                } else if (program->IsKindOf(RUNTIME_CLASS(ProgramImageShow))) {
                    const auto* show = static_cast<ProgramImageShow*>(program);
                    for (INT_PTR i = 0; i < show->m_imagePaths.GetSize(); ++i)
                        merger.Reserve(show->m_imagePaths[i]);
                    merger.Reserve(show->m_backgroundImage);
                }
            }
        }
    }
}

CString NodeName(const NodeInfo* node)
{
    return node != nullptr ? node->m_name : CString();
}

void SetCommonFrames(XMLElement* element, const Program* program)
{
    SetUnsignedAttribute(element, "PROP_PROG_ORGFRAME", program->m_orgFrames);
    SetUnsignedAttribute(element, "PROP_PROG_VTILE", program->m_vTiles);
    SetUnsignedAttribute(element, "PROP_PROG_HTILE", program->m_hTiles);
    SetUnsignedAttribute(element, "PROP_PROG_SFRAME", program->m_startFrame);
    SetUnsignedAttribute(element, "PROP_PROG_EFRAME", program->m_endFrame);
    element->SetAttribute("PROP_PROG_SSPEED", program->m_startSpeed);
    element->SetAttribute("PROP_PROG_ESPEED", program->m_endSpeed);
}

} // namespace

void WriteShowTimeAttribute(XMLElement* view, double showTime)
{
    view->SetAttribute("PROP_VIEW_SHOW_TIME", showTime);
}

void WriteVideoProgram(tinyxml2::XMLDocument& doc, ProgramVideo* program, XMLElement* view,
    const CString& resourceFolder, bool withResource)
{
    XMLElement* element = doc.NewElement("Program");
    view->InsertEndChild(element);
    element->SetAttribute("ProgramType", static_cast<int>(PROGRAM_TYPE_MEDIA));
    SetCommonFrames(element, program);
    element->SetAttribute("PROP_PROG_FADEIN_TIME", program->m_fadeInTime);
    element->SetAttribute("PROP_PROG_FADEOUT_TIME", program->m_fadeOutTime);
    element->SetAttribute("MT", program->m_mediaKind);
    element->SetAttribute("PROP_PROG_MARGIN_LEFT", program->m_marginLeft);
    element->SetAttribute("PROP_PROG_MARGIN_TOP", program->m_marginTop);
    element->SetAttribute("PROP_PROG_MARGIN_RIGHT", program->m_marginRight);
    element->SetAttribute("PROP_PROG_MARGIN_BOTTOM", program->m_marginBottom);
    SetStringAttribute(element, "PROP_NODE_NAME", NodeName(program->m_pNode));
    if (withResource)
        MergeMediaPath(program->m_filePath, resourceFolder);
    XMLElement* content = doc.NewElement("Content");
    element->InsertEndChild(content);
    SetStringAttribute(content, "PTYPE_VIDEO", program->m_filePath);
}

void WriteWordsProgram(tinyxml2::XMLDocument& doc, XMLElement* view, ProgramColorFulWords* program)
{
    XMLElement* element = doc.NewElement("Program");
    view->InsertEndChild(element);
    element->SetAttribute("ProgramType", static_cast<int>(PROGRAM_TYPE_COLORFUL_WORDS));
    SetCommonFrames(element, program);
    SetStringAttribute(element, "PROP_PROG_CONTENT_TEXT", program->m_text);
    SetBase64Attribute(element, "PROP_PROG_LOGFNT", &program->m_font, sizeof(program->m_font));
    element->SetAttribute("PROP_PROG_TEXT_BACKGROUD", static_cast<unsigned>(program->m_backgroundColor));
    element->SetAttribute("PROP_PROG_TEXT_COLOR", static_cast<unsigned>(program->m_textColor));
    element->SetAttribute("PROP_PROG_TEXT_WIDTH", program->m_textWidth);
    element->SetAttribute("PROP_PROG_TEXT_SPACE", program->m_textSpacing);
    element->SetAttribute("PROP_PROG_USE_TEXT_COLOR", program->m_useTextColor);
    element->SetAttribute("PROP_PROG_TEXTURE_SPEED", program->m_textureSpeed);
    element->SetAttribute("PROP_PROG_STROKE_TYPE", program->m_strokeType);
    element->SetAttribute("PROP_PROG_STROKE_COLOR", static_cast<unsigned>(program->m_strokeColor));
    element->SetAttribute("PROP_PROG_STROKE_WIDTH", program->m_strokeWidth);
    element->SetAttribute("PROP_PROG_ENTER_EFFECT", program->m_enterEffect);
    element->SetAttribute("PROP_PROG_ENTER_TIME", program->m_enterTime);
    element->SetAttribute("PROP_PROG_ENTER_FRAMES", program->m_enterFrames);
    element->SetAttribute("PROP_PROG_SHOWWORD_EFFECT", program->m_showWordEffect);
    element->SetAttribute("PROP_PROG_SHOWWORD_TIME", program->m_showWordTime);
    element->SetAttribute("PROP_PROG_SHOWWORD_FRAMES", program->m_showWordFrames);
    element->SetAttribute("PROP_PROG_LEAVE_EFFECT", program->m_leaveEffect);
    element->SetAttribute("PROP_PROG_LEAVE_TIME", program->m_leaveTime);
    element->SetAttribute("PROP_PROG_LEAVE_FRAMES", program->m_leaveFrames);
    element->SetAttribute("PROP_PROG_TEXT_ORIENTATION", program->m_orientation);
    element->SetAttribute("PROP_PROG_TEXT_TEXTURE_IDX", program->m_textureIndex);
    element->SetAttribute("PROP_PROG_TEXT_REVERSE", program->m_reverse);
    element->SetAttribute("PROP_PROG_TEXT_MIRROR", program->m_mirror);
    SetStringAttribute(element, "PROP_NODE_NAME", NodeName(program->m_pNode));
    SetUnsignedAttribute(element, "PROP_PROG_WORD_REPEAT_COUNT", program->m_wordRepeatCount);
    XMLElement* content = doc.NewElement("Content");
    element->InsertEndChild(content);
    if (program->m_pTexture != nullptr)
        WriteColorEffectProgram(doc, content, program->m_pTexture);
}

void WriteProgramView(tinyxml2::XMLDocument& doc, ProgramView* view, XMLElement* segment, const CString& resourceFolder,
    bool withResource)
{
    XMLElement* element = doc.NewElement("ProgramView");
    segment->InsertEndChild(element);
    element->SetAttribute("PROP_VIEW_LOOPPLAY", view->m_loopPlay);
    element->SetAttribute("PROP_VIEW_FRAMES", view->m_frames);
    element->SetAttribute("PROP_VIEW_LEFT", static_cast<int>(view->m_projectRect.left));
    element->SetAttribute("PROP_VIEW_TOP", static_cast<int>(view->m_projectRect.top));
    element->SetAttribute("PROP_VIEW_WIDTH", static_cast<int>(view->m_projectRect.right - view->m_projectRect.left));
    element->SetAttribute("PROP_VIEW_HEIGHT", static_cast<int>(view->m_projectRect.bottom - view->m_projectRect.top));
    element->SetAttribute("PROP_REPEATE_COUNT", view->m_repeatCount);
    SetStringAttribute(element, "PROP_NODE_NAME", NodeName(view->m_pNode));
    element->SetAttribute("PROP_VIEW_TRANSPARENT", view->m_transparentMode);
    element->SetAttribute("PROP_VIEW_TRANSPARENCY", static_cast<int>(view->m_transparency));
    element->SetAttribute("PROP_VIEW_AREALOCKED", view->m_areaLocked);
    element->SetAttribute("PROP_VIEW_BRIGHTNESS", static_cast<int>(view->m_brightness));
    WriteShowTimeAttribute(element, view->m_showTime);
    element->SetAttribute("PROP_VIEW_SET_TIME_BASE", view->m_timeBase);

    for (INT_PTR i = 0; i < view->m_programs.GetSize(); ++i) {
        Program* program = view->m_programs[i];
        // Transitions are never stored; neither is any kind without an element.
        if (program->IsKindOf(RUNTIME_CLASS(ProgramColorEffect)))
            WriteColorEffectProgram(doc, element, static_cast<ProgramColorEffect*>(program));
        else if (program->IsKindOf(RUNTIME_CLASS(ProgramVideo)))
            WriteVideoProgram(doc, static_cast<ProgramVideo*>(program), element, resourceFolder, withResource);
        else if (program->IsKindOf(RUNTIME_CLASS(ProgramColorFulWords)))
            WriteWordsProgram(doc, element, static_cast<ProgramColorFulWords*>(program));
        else if (program->IsKindOf(RUNTIME_CLASS(ProgramImageShow)))
            WriteImageShowProgram(resourceFolder, withResource, doc, element, static_cast<ProgramImageShow*>(program));
        else if (program->IsKindOf(RUNTIME_CLASS(ProgramColorEffectPlusArray)))
            WriteColorPlusProgram(doc, element, static_cast<ProgramColorEffectPlusArray*>(program), resourceFolder);
        else if (program->IsKindOf(RUNTIME_CLASS(CEFlickerStar)))
            WriteFlickerStarProgram(doc, element, static_cast<CEFlickerStar*>(program), resourceFolder);
    }
}

void WriteSegment(tinyxml2::XMLDocument& doc, XMLElement* segments, QvSegmentGourp* segment,
    const CString& resourceFolder, bool withResource)
{
    XMLElement* element = doc.NewElement("Segment");
    segments->InsertEndChild(element);
    const SegmentInfo* info = segment->m_pSegmentInfo;
    const SegmentTimePlay schedule = info != nullptr ? info->m_timePlay : SegmentTimePlay();
    SetUnsignedAttribute(element, "PROP_SEG_NAME", info != nullptr ? info->m_number : 0);
    SetUnsignedAttribute(element, "PROP_SEG_TFRAME", info != nullptr ? info->m_totalFrames : 0);
    SetBase64Attribute(element, "PROP_SEG_TIMEPLAY", &schedule, sizeof(schedule));
    SetStringAttribute(element, "PROP_NODE_NAME", NodeName(segment->m_pNode));
    element->SetAttribute("PROP_SEG_FCMODE", segment->m_fourColorMode);
    element->SetAttribute("PROP_FC_WHITENESS", static_cast<int>(segment->m_whiteValue));
    for (INT_PTR i = 0; i < segment->m_views.GetSize(); ++i)
        WriteProgramView(doc, segment->m_views[i], element, resourceFolder, withResource);
}

bool WriteProjectFile(SegmentList& segments, const CString& path, ProjSet& settings)
{
    const CString resourceFolder = ProjectResourceFolder(path);
    const bool withResource = settings.m_withResource != 0;

    tinyxml2::XMLDocument doc;
    doc.InsertEndChild(doc.NewDeclaration());
    XMLElement* root = doc.NewElement("Dornel");
    doc.InsertEndChild(root);
    root->SetAttribute("PROP_DOC_VER", kProjectFileVersion);

    CResourceMerger merger(resourceFolder);
    if (withResource) {
        ::CreateDirectoryW(resourceFolder, nullptr); // an existing folder is fine
        merger.Activate();
        ReserveMergedMedia(merger, segments, settings);
    }
    bool copiesOk = true;
    WriteProjectSettings(doc, root, settings, withResource ? &merger : nullptr, copiesOk);

    XMLElement* segmentsElement = doc.NewElement("Segments");
    root->InsertEndChild(segmentsElement);

    if (!settings.m_layoutFile.IsEmpty())
        WriteLayoutBlobs(settings.m_layoutFile, root);

    // The segments are made into elements and printed one at a time, so the
    // whole project is never held as elements: the memory of one segment's
    // elements serves the next.
    XMLElement* holder = doc.NewElement("Segments");
    const bool saved = SaveXmlDocument(doc, path, segmentsElement, [&](tinyxml2::XMLPrinter& printer) {
        for (INT_PTR i = 0; i < segments.GetSize(); ++i) {
            WriteSegment(doc, holder, segments[i], resourceFolder, withResource);
            if (const XMLElement* element = holder->FirstChildElement())
                element->Accept(&printer);
            holder->DeleteChildren();
        }
    });
    return saved && copiesOk && merger.AllCopiesSucceeded();
}
