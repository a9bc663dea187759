// Reading the ".LEDX" project file into a fresh model that replaces nothing
// until the whole file has been read.
#include "project_file.h"

#include "AnsiText.h"
#include "Base64.h"
#include "ExeFolder.h"
#include "ce_flicker_star.h"
#include "program_color_effect.h"
#include "program_color_effect_plus.h"
#include "program_image_show.h"
#include "program_records.h"
#include "project_file_elements.h"
#include "project_file_io.h"
#include "project_resources.h"
#include "xml_values.h"

#include <cmath>
#include <cstring>
#include <vector>

using tinyxml2::XMLAttribute;
using tinyxml2::XMLElement;

namespace {

bool NameIs(const char* name, const char* expected)
{
    return std::strcmp(name, expected) == 0;
}

void SetNodeName(NodeInfo* node, const tinyxml2::XMLElement* element)
{
    if (node != nullptr)
        ReadStringAttribute(element, "PROP_NODE_NAME", node->m_name);
}

// Brings what a file says about a program's frames, tiles and speeds into
// ranges the frame counting and the renderers can work with.
void ClampProgramBase(Program* program)
{
    program->m_orgFrames = ClampInt(program->m_orgFrames, 0, kMaxFrameCount);
    program->m_startFrame = ClampInt(program->m_startFrame, 0, kMaxFrameCount);
    program->m_endFrame = ClampInt(program->m_endFrame, 0, kMaxFrameCount);
    program->m_vTiles = ClampInt(program->m_vTiles, 1, kMaxTiles);
    program->m_hTiles = ClampInt(program->m_hTiles, 1, kMaxTiles);
    program->m_fadeInTime = ClampInt(program->m_fadeInTime, 0, kMaxFrameCount);
    program->m_fadeOutTime = ClampInt(program->m_fadeOutTime, 0, kMaxFrameCount);
}

void ReadCommonFrames(const XMLElement* element, Program* program)
{
    ReadIntAttribute(element, "PROP_PROG_ORGFRAME", program->m_orgFrames);
    ReadIntAttribute(element, "PROP_PROG_VTILE", program->m_vTiles);
    ReadIntAttribute(element, "PROP_PROG_HTILE", program->m_hTiles);
    ReadIntAttribute(element, "PROP_PROG_SFRAME", program->m_startFrame);
    ReadIntAttribute(element, "PROP_PROG_EFRAME", program->m_endFrame);
    ReadFloatAttribute(element, "PROP_PROG_SSPEED", program->m_startSpeed);
    ReadFloatAttribute(element, "PROP_PROG_ESPEED", program->m_endSpeed);
}

// A margin that is present but empty reads as 0.
void ReadMargin(const XMLElement* element, const char* name, int& field)
{
    const char* value = element->Attribute(name);
    if (value != nullptr)
        field = ClampInt(XmlTextToInt(value), -kMaxCoordinate, kMaxCoordinate);
}

// A new program of the kind a stored "ProgramType" names, or null.
Program* NewProgramOfType(int type)
{
    switch (type) {
    case PROGRAM_TYPE_COLOR_EFFECT:
        return new ProgramColorEffect;
    case PROGRAM_TYPE_MEDIA:
        return new ProgramVideo;
    case PROGRAM_TYPE_COLORFUL_WORDS:
        return new ProgramColorFulWords;
    case PROGRAM_TYPE_IMAGE_SHOW:
        return new ProgramImageShow;
    case PROGRAM_TYPE_COLOR_PLUS:
        return new ProgramColorEffectPlusArray;
    case PROGRAM_TYPE_FLICKER_STAR:
        return new CEFlickerStar;
    default:
        return nullptr;
    }
}

void CopySettings(ProjSet& target, const ProjSet& source)
{
    target.CopyFrom(source);
}

// The tree's numbering: segment number and node index = position + 1, a
// view's parent is its segment's number, a program's parent its view's index.
void Renumber(SegmentList& segments)
{
    for (INT_PTR s = 0; s < segments.GetSize(); ++s) {
        QvSegmentGourp* segment = segments[s];
        const int number = static_cast<int>(s) + 1;
        segment->m_pSegmentInfo->m_number = number;
        if (segment->m_pNode == nullptr)
            segment->SetNode(new NodeInfo(-1, number, CString(), NODE_SEGMENT));
        segment->m_pNode->m_parent = -1;
        segment->m_pNode->m_index = number;
        segment->m_pNode->m_kind = NODE_SEGMENT;
        for (INT_PTR v = 0; v < segment->m_views.GetSize(); ++v) {
            ProgramView* view = segment->m_views[v];
            const int index = static_cast<int>(v) + 1;
            if (view->m_pNode == nullptr)
                view->SetNode(new NodeInfo(number, index, CString(), NODE_VIEW));
            view->m_pNode->m_parent = number;
            view->m_pNode->m_index = index;
            view->m_pNode->m_kind = NODE_VIEW;
            for (INT_PTR p = 0; p < view->m_programs.GetSize(); ++p) {
                Program* program = view->m_programs[p];
                if (program->m_pNode == nullptr)
                    program->SetNode(new NodeInfo(index, 0, CString(), NODE_PROGRAM));
                program->m_pNode->m_parent = index;
                program->m_pNode->m_index = static_cast<int>(p) + 1;
                program->m_pNode->m_kind = NODE_PROGRAM;
            }
        }
    }
}

// Owns the segments read so far until they are handed to the caller.
struct CReadSegments {
    SegmentList list;
    ~CReadSegments() { FreeSegments(list); }
};

struct CPendingUnpack {
    const XMLElement* element;
    CString layoutPath;
    bool pixelMap;
};

} // namespace

void ReadProjSet(const XMLElement* projectSet, ProjSet& settings, const CString& resourceFolder)
{
    const XMLElement* element = projectSet != nullptr ? projectSet->FirstChildElement("PROP_PROJ_SET") : nullptr;
    if (element == nullptr)
        return;
    CString storedBackground;
    for (const XMLAttribute* a = element->FirstAttribute(); a != nullptr; a = a->Next()) {
        const char* name = a->Name();
        const char* value = a->Value();
        const bool empty = value == nullptr || *value == '\0';
        if (NameIs(name, "PROP_FC_WHITENESS")) {
            settings.m_whiteValue = empty ? 0 : static_cast<BYTE>(XmlTextToInt(value) & 0xFF);
            continue;
        }
        if (empty)
            continue;
        if (NameIs(name, "PROP_PROJ_WIDTH"))
            settings.m_width = XmlTextToInt(value);
        else if (NameIs(name, "PROP_PROJ_HEIGHT"))
            settings.m_height = XmlTextToInt(value);
        else if (NameIs(name, "PROP_PROJ_SPEED"))
            settings.m_frameRate = XmlTextToInt(value);
        else if (NameIs(name, "PROP_PROJ_TFRAME"))
            settings.m_totalFrames = XmlTextToInt(value);
        else if (NameIs(name, "PROP_PROJ_PLAYTFRAME"))
            settings.m_playFrames = XmlTextToInt(value);
        else if (NameIs(name, "PROP_PROJ_LTYPE"))
            settings.m_layoutType = XmlTextToInt(value);
        else if (NameIs(name, "PROP_PROJ_WITHRES"))
            settings.m_withResource = XmlTextToInt(value);
        else if (NameIs(name, "PROP_PROJ_COLORMODE"))
            settings.m_colorMode = XmlTextToInt(value);
        else if (NameIs(name, "PROP_PROJ_BKIMG")) {
            storedBackground = AnsiToWide(value);
            if (FileExistsAt(storedBackground))
                settings.m_backgroundImage = storedBackground;
        } else if (NameIs(name, "PROP_PROJ_LAYOUTFILE")) {
            // The name comes from the file: it must not lead out of "TF".
            CString fileName;
            if (SafeLayoutFileName(AnsiToWide(value), fileName))
                settings.m_layoutFile = GetExeFolder() + L"\\TF\\" + fileName;
        } else if (NameIs(name, "PROP_PROJ_CHIPSET"))
            DecodeBase64Record(value, settings.m_hardwareRecord, sizeof(settings.m_hardwareRecord));
    }
    if (settings.m_withResource != 0 && !storedBackground.IsEmpty()) {
        settings.m_backgroundImage = ResourcePathOf(storedBackground, resourceFolder);
        if (!FileExistsAt(settings.m_backgroundImage))
            settings.m_backgroundImage.Empty();
    }
    settings.m_width = ClampInt(settings.m_width, 1, kMaxProjectSide);
    settings.m_height = ClampInt(settings.m_height, 1, kMaxProjectSide);
    if (settings.m_frameRate <= 0)
        settings.m_frameRate = kDefaultFrameRate;
    settings.m_frameRate = ClampInt(settings.m_frameRate, 1, kMaxFrameRate);
    settings.m_totalFrames = ClampInt(settings.m_totalFrames, 0, kMaxFrameCount);
    settings.m_playFrames = ClampInt(settings.m_playFrames, 0, kMaxFrameCount);
}

void ReadVideoProgram(
    const XMLElement* element, ProgramVideo* program, const CString& resourceFolder, bool withResource)
{
    ReadCommonFrames(element, program);
    ReadIntAttribute(element, "MT", program->m_mediaKind);
    ReadIntAttribute(element, "PROP_PROG_FADEIN_TIME", program->m_fadeInTime);
    ReadIntAttribute(element, "PROP_PROG_FADEOUT_TIME", program->m_fadeOutTime);
    ReadMargin(element, "PROP_PROG_MARGIN_LEFT", program->m_marginLeft);
    ReadMargin(element, "PROP_PROG_MARGIN_TOP", program->m_marginTop);
    ReadMargin(element, "PROP_PROG_MARGIN_RIGHT", program->m_marginRight);
    ReadMargin(element, "PROP_PROG_MARGIN_BOTTOM", program->m_marginBottom);
    SetNodeName(program->m_pNode, element);
    const XMLElement* content = element->FirstChildElement("Content");
    if (content != nullptr && ReadStringAttribute(content, "PTYPE_VIDEO", program->m_filePath) && withResource) {
        program->m_filePath = ResourcePathOf(program->m_filePath, resourceFolder);
        if (!FileExistsAt(program->m_filePath))
            program->m_filePath.Empty();
    }
}

void ReadWordsProgram(const XMLElement* element, ProgramColorFulWords* program)
{
    ReadCommonFrames(element, program);
    ReadStringAttribute(element, "PROP_PROG_CONTENT_TEXT", program->m_text);
    if (const char* font = NonEmptyAttribute(element, "PROP_PROG_LOGFNT")) {
        DecodeBase64Record(font, &program->m_font, sizeof(program->m_font));
        // The face name is used as a C string: it must end inside its field.
        program->m_font.lfFaceName[LF_FACESIZE - 1] = L'\0';
    }
    ReadColorAttribute(element, "PROP_PROG_TEXT_BACKGROUD", program->m_backgroundColor);
    ReadColorAttribute(element, "PROP_PROG_TEXT_COLOR", program->m_textColor);
    ReadIntAttribute(element, "PROP_PROG_TEXT_WIDTH", program->m_textWidth);
    ReadIntAttribute(element, "PROP_PROG_TEXT_SPACE", program->m_textSpacing);
    ReadIntAttribute(element, "PROP_PROG_USE_TEXT_COLOR", program->m_useTextColor);
    ReadIntAttribute(element, "PROP_PROG_TEXTURE_SPEED", program->m_textureSpeed);
    ReadIntAttribute(element, "PROP_PROG_STROKE_TYPE", program->m_strokeType);
    ReadColorAttribute(element, "PROP_PROG_STROKE_COLOR", program->m_strokeColor);
    ReadIntAttribute(element, "PROP_PROG_STROKE_WIDTH", program->m_strokeWidth);
    ReadIntAttribute(element, "PROP_PROG_ENTER_EFFECT", program->m_enterEffect);
    ReadFloatAttribute(element, "PROP_PROG_ENTER_TIME", program->m_enterTime);
    ReadIntAttribute(element, "PROP_PROG_ENTER_FRAMES", program->m_enterFrames);
    ReadIntAttribute(element, "PROP_PROG_SHOWWORD_EFFECT", program->m_showWordEffect);
    ReadFloatAttribute(element, "PROP_PROG_SHOWWORD_TIME", program->m_showWordTime);
    ReadIntAttribute(element, "PROP_PROG_SHOWWORD_FRAMES", program->m_showWordFrames);
    ReadIntAttribute(element, "PROP_PROG_LEAVE_EFFECT", program->m_leaveEffect);
    ReadFloatAttribute(element, "PROP_PROG_LEAVE_TIME", program->m_leaveTime);
    ReadIntAttribute(element, "PROP_PROG_LEAVE_FRAMES", program->m_leaveFrames);
    ReadIntAttribute(element, "PROP_PROG_TEXT_ORIENTATION", program->m_orientation);
    ReadIntAttribute(element, "PROP_PROG_TEXT_TEXTURE_IDX", program->m_textureIndex);
    ReadIntAttribute(element, "PROP_PROG_TEXT_REVERSE", program->m_reverse);
    ReadIntAttribute(element, "PROP_PROG_TEXT_MIRROR", program->m_mirror);
    SetNodeName(program->m_pNode, element);
    if (const char* repeat = element->Attribute("PROP_PROG_WORD_REPEAT_COUNT")) {
        if (*repeat != '\0') {
            program->m_wordRepeatCount = XmlTextToInt(repeat);
        } else {
            // No count stored: as many passes as the program's frames hold.
            const unsigned end = static_cast<unsigned>(program->m_endFrame);
            const unsigned pass = static_cast<unsigned>(program->m_orgFrames);
            const unsigned passes = pass == 0 ? 0 : (end + pass - 1) / pass;
            program->m_wordRepeatCount = passes == 0 ? 1 : static_cast<int>(passes);
        }
        program->m_wordRepeatCount = ClampInt(program->m_wordRepeatCount, 0, kMaxFrameCount);
    }
    if (const XMLElement* content = element->FirstChildElement("Content")) {
        auto* texture = new ProgramColorEffect;
        texture->SetNode(new NodeInfo(-1, 0, CString(), NODE_PROGRAM));
        program->SetTexture(texture);
        ReadColorEffectProgram(content->FirstChildElement(), texture);
    }
    if (program->m_pTexture == nullptr) {
        // The renderer and the writer need a texture: the colour-effect defaults.
        auto* texture = new ProgramColorEffect;
        texture->SetNode(new NodeInfo(-1, 0, CString(), NODE_PROGRAM));
        program->SetTexture(texture);
    }
}

bool ReadProgramView(ProgramView* view, const XMLElement* element, const CString& resourceFolder, bool withResource)
{
    auto intOr = [element](const char* name, int fallback) {
        const char* value = NonEmptyAttribute(element, name);
        return value != nullptr ? XmlTextToInt(value) : fallback;
    };
    view->m_loopPlay = intOr("PROP_VIEW_LOOPPLAY", 1);
    view->m_frames = ClampInt(intOr("PROP_VIEW_FRAMES", 0), 0, kMaxFrameCount);
    const int left = ClampInt(intOr("PROP_VIEW_LEFT", 0), -kMaxCoordinate, kMaxCoordinate);
    const int top = ClampInt(intOr("PROP_VIEW_TOP", 0), -kMaxCoordinate, kMaxCoordinate);
    const int width = ClampInt(intOr("PROP_VIEW_WIDTH", 0), -kMaxCoordinate, kMaxCoordinate);
    const int height = ClampInt(intOr("PROP_VIEW_HEIGHT", 0), -kMaxCoordinate, kMaxCoordinate);
    view->m_projectRect.SetRect(left, top, left + width, top + height);
    // A stored repeat count decides the loop flag: none or less means loop.
    if (const char* repeat = element->Attribute("PROP_REPEATE_COUNT")) {
        view->m_repeatCount = XmlTextToInt(repeat);
        view->m_loopPlay = view->m_repeatCount <= 0 ? 1 : 0;
    } else {
        view->m_repeatCount = 0;
    }
    const int index = view->m_pNode != nullptr ? view->m_pNode->m_index : 0;
    if (view->m_pNode != nullptr && !ReadStringAttribute(element, "PROP_NODE_NAME", view->m_pNode->m_name))
        view->m_pNode->m_name.Format(L"View_%02d", index);
    view->m_transparentMode = intOr("PROP_VIEW_TRANSPARENT", 0);
    view->m_transparency = static_cast<BYTE>(intOr("PROP_VIEW_TRANSPARENCY", 255) & 0xFF);
    view->m_areaLocked = intOr("PROP_VIEW_AREALOCKED", 0);
    view->m_brightness = static_cast<BYTE>(intOr("PROP_VIEW_BRIGHTNESS", 100) & 0xFF);
    const char* showTime = NonEmptyAttribute(element, "PROP_VIEW_SHOW_TIME");
    const double seconds = showTime != nullptr ? XmlTextToDouble(showTime) : 0.0;
    view->m_showTime = seconds < 0.0 ? 0.0 : (seconds > kMaxShowTimeSeconds ? kMaxShowTimeSeconds : seconds);
    view->m_timeBase = intOr("PROP_VIEW_SET_TIME_BASE", 0);

    for (const XMLElement* child = element->FirstChildElement("Program"); child != nullptr;
         child = child->NextSiblingElement("Program")) {
        const char* typeText = NonEmptyAttribute(child, "ProgramType");
        if (typeText == nullptr)
            continue;
        const int type = XmlTextToInt(typeText);
        Program* program = NewProgramOfType(type);
        if (program == nullptr)
            continue; // no kind of that number: skipped
        if (view->m_programs.GetSize() >= kMaxProgramsPerView) {
            delete program;
            return false;
        }
        // Zazez Urad programs carry 0 in memory; the others their stored number.
        program->m_programType = type == PROGRAM_TYPE_COLOR_PLUS ? 0 : type;
        program->SetNode(
            new NodeInfo(index, static_cast<int>(view->m_programs.GetSize()) + 1, CString(), NODE_PROGRAM));
        switch (type) {
        case PROGRAM_TYPE_MEDIA: {
            auto* video = static_cast<ProgramVideo*>(program);
            ReadVideoProgram(child, video, resourceFolder, withResource);
            if (video->m_filePath.IsEmpty()) {
                delete program; // nothing to play
                continue;
            }
            break;
        }
        case PROGRAM_TYPE_COLORFUL_WORDS:
            ReadWordsProgram(child, static_cast<ProgramColorFulWords*>(program));
            break;
        case PROGRAM_TYPE_COLOR_EFFECT:
            ReadColorEffectProgram(child, static_cast<ProgramColorEffect*>(program));
            break;
        case PROGRAM_TYPE_IMAGE_SHOW:
            ReadImageShowProgram(child, static_cast<ProgramImageShow*>(program), resourceFolder, withResource);
            break;
        case PROGRAM_TYPE_COLOR_PLUS: {
            auto* plus = static_cast<ProgramColorEffectPlusArray*>(program);
            ReadColorPlusProgram(resourceFolder, plus, child);
            plus->UpdateTotalFrames();
            break;
        }
        case PROGRAM_TYPE_FLICKER_STAR:
            ReadFlickerStarProgram(child, static_cast<CEFlickerStar*>(program), resourceFolder);
            break;
        default:
            break;
        }
        ClampProgramBase(program);
        view->m_programs.Add(program);
    }
    return true;
}

bool ReadSegment(QvSegmentGourp* segment, const XMLElement* element, const CString& resourceFolder, bool withResource)
{
    SegmentInfo* info = segment->m_pSegmentInfo;
    for (const XMLAttribute* a = element->FirstAttribute(); a != nullptr; a = a->Next()) {
        const char* name = a->Name();
        const char* value = a->Value();
        const bool empty = value == nullptr || *value == '\0';
        if (NameIs(name, "PROP_FC_WHITENESS")) {
            segment->m_whiteValue = empty ? 0 : static_cast<BYTE>(XmlTextToInt(value) & 0xFF);
            continue;
        }
        if (empty)
            continue;
        if (NameIs(name, "PROP_SEG_NAME"))
            info->m_number = XmlTextToInt(value);
        else if (NameIs(name, "PROP_SEG_TFRAME"))
            info->m_totalFrames = ClampInt(XmlTextToInt(value), 0, kMaxFrameCount);
        else if (NameIs(name, "PROP_SEG_FCMODE"))
            segment->m_fourColorMode = XmlTextToInt(value);
        else if (NameIs(name, "PROP_SEG_TIMEPLAY"))
            DecodeBase64Record(value, &info->m_timePlay, sizeof(info->m_timePlay));
        else if (NameIs(name, "PROP_NODE_NAME") && segment->m_pNode != nullptr)
            segment->m_pNode->m_name = AnsiToWide(value);
    }
    for (const XMLElement* child = element->FirstChildElement("ProgramView"); child != nullptr;
         child = child->NextSiblingElement("ProgramView")) {
        if (segment->m_views.GetSize() >= kMaxViewsPerSegment)
            return false;
        auto* view = new ProgramView;
        segment->m_views.Add(view);
        view->SetNode(new NodeInfo(info->m_number, static_cast<int>(segment->m_views.GetSize()), CString(), NODE_VIEW));
        if (!ReadProgramView(view, child, resourceFolder, withResource))
            return false;
    }
    return true;
}

int ReadProjectFile(SegmentList& segments, const CString& path, ProjSet& settings)
{
    tinyxml2::XMLDocument doc;
    {
        std::string bytes;
        if (!ReadWholeFile(path, bytes, kMaxProjectFileBytes))
            return -1;
        if (doc.Parse(bytes.data(), bytes.size()) != tinyxml2::XML_SUCCESS)
            return -1;
    }
    const XMLElement* root = doc.FirstChildElement();
    if (root == nullptr)
        return -1;
    const char* versionText = NonEmptyAttribute(root, "PROP_DOC_VER");
    const int version = versionText != nullptr ? XmlTextToInt(versionText) : 0;
    if (version == 0)
        return 0;
    if (version < 0)
        return -1;

    const CString resourceFolder = ProjectResourceFolder(path);
    ProjSet fresh;
    CopySettings(fresh, settings);
    CReadSegments read;
    std::vector<CPendingUnpack> unpacks;

    for (const XMLElement* child = root->FirstChildElement(); child != nullptr; child = child->NextSiblingElement()) {
        const char* name = child->Name();
        if (NameIs(name, "ProjectSet")) {
            ReadProjSet(child, fresh, resourceFolder);
        } else if (NameIs(name, "Segments")) {
            for (const XMLElement* element = child->FirstChildElement("Segment"); element != nullptr;
                 element = element->NextSiblingElement("Segment")) {
                if (read.list.GetSize() >= kMaxSegments)
                    return -1;
                auto* segment = new QvSegmentGourp;
                read.list.Add(segment);
                segment->m_pNode->m_index = static_cast<int>(read.list.GetSize());
                if (!ReadSegment(segment, element, resourceFolder, fresh.m_withResource != 0))
                    return -1;
            }
        } else if (NameIs(name, "LPX") || NameIs(name, "PIX")) {
            unpacks.push_back({ child, fresh.m_layoutFile, NameIs(name, "PIX") });
        }
    }
    Renumber(read.list);

    // Everything was read: hand it over, then unpack the layout files.
    CopySettings(settings, fresh);
    segments.Append(read.list);
    read.list.RemoveAll();
    for (const CPendingUnpack& unpack : unpacks) {
        if (unpack.layoutPath.IsEmpty())
            continue;
        ::CreateDirectoryW(GetExeFolder() + L"\\TF", nullptr);
        if (unpack.pixelMap)
            UnpackPixFile(unpack.element, unpack.layoutPath);
        else
            UnpackLayoutFile(unpack.element, unpack.layoutPath);
    }
    return version;
}
