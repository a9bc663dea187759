// Reading project files of the older format into legacy segment records.
#include "legacy_project_reader.h"

#include "ExeFolder.h"
#include "program_color_effect.h"
#include "program_colorful_words.h"
#include "program_record_values.h"
#include "program_records.h"
#include "program_video.h"
#include "project_file.h"
#include "project_file_elements.h"
#include "project_file_io.h"
#include "xml_values.h"

#include <cstring>
#include <string>

using tinyxml2::XMLAttribute;
using tinyxml2::XMLElement;

namespace {

bool NameIs(const char* name, const char* expected)
{
    return std::strcmp(name, expected) == 0;
}

int CountSegmentElements(const XMLElement* root)
{
    int count = 0;
    for (const XMLElement* child = root->FirstChildElement("Segments"); child != nullptr;
         child = child->NextSiblingElement("Segments")) {
        for (const XMLElement* segment = child->FirstChildElement("Segment"); segment != nullptr;
             segment = segment->NextSiblingElement("Segment"))
            ++count;
    }
    return count;
}

// A later program of the same role replaces the earlier one.
template <class Slot, class Kind> void PutInSlot(Slot*& slot, Kind* program)
{
    delete slot;
    slot = program;
}

void ReadLegacySegment(SegmentGourp* record, const XMLElement* element, ProjSet& settings, const CString& folder)
{
    SegmentInfo* info = record->m_pSegmentInfo;
    for (const XMLAttribute* a = element->FirstAttribute(); a != nullptr; a = a->Next()) {
        const char* name = a->Name();
        const char* value = a->Value();
        if (value == nullptr || *value == '\0')
            continue;
        if (NameIs(name, "PROP_SEG_NAME"))
            info->m_number = XmlTextToInt(value);
        else if (NameIs(name, "PROP_SEG_TFRAME"))
            info->m_totalFrames = ClampInt(XmlTextToInt(value), 0, kMaxFrameCount);
        else if (NameIs(name, "PROP_SEG_TIMEPLAY")) {
            DecodeBase64Record(value, &info->m_timePlay, sizeof(info->m_timePlay));
            record->m_timePlayRead = true;
        }
    }
    const bool withResource = settings.m_withResource != 0;
    for (const XMLElement* child = element->FirstChildElement("Program"); child != nullptr;
         child = child->NextSiblingElement("Program")) {
        const char* typeText = NonEmptyAttribute(child, "ProgramType");
        if (typeText == nullptr)
            continue;
        switch (XmlTextToInt(typeText)) {
        case PROGRAM_TYPE_MEDIA: {
            auto* video = new ProgramVideo;
            video->m_programType = PROGRAM_TYPE_MEDIA;
            ReadVideoProgram(child, video, folder, withResource);
            ClampProgramFrames(video);
            if (video->m_filePath.IsEmpty()) {
                // Nothing to play: its frames go from the segment and the project.
                info->m_totalFrames = ClampInt(info->m_totalFrames - video->m_orgFrames, 0, kMaxFrameCount);
                settings.m_totalFrames = ClampInt(settings.m_totalFrames - video->m_orgFrames, 0, kMaxFrameCount);
                delete video;
            } else {
                PutInSlot(record->m_pProgram, video);
            }
            break;
        }
        case PROGRAM_TYPE_COLOR_EFFECT: {
            auto* effect = new ProgramColorEffect;
            ReadColorEffectProgram(child, effect);
            PutInSlot(record->m_pProgram, effect);
            break;
        }
        case PROGRAM_TYPE_COLORFUL_WORDS: {
            auto* words = new ProgramColorFulWords;
            words->m_programType = PROGRAM_TYPE_COLORFUL_WORDS;
            ReadWordsProgram(child, words);
            ClampProgramFrames(words);
            PutInSlot(record->m_pWords, words);
            break;
        }
        default:
            break; // no kind of the older format
        }
    }
}

} // namespace

CString LegacyResourceFolder(const CString& projectPath)
{
    const int slash = projectPath.ReverseFind(L'\\');
    CString name = projectPath.Mid(slash + 1);
    const int dot = name.Find(L'.');
    if (dot >= 0)
        name = name.Left(dot);
    return projectPath.Left(slash + 1) + name + L"\\";
}

void ReadLegacyProjectFile(LegacySegmentList& segments, const CString& path, ProjSet& settings)
{
    tinyxml2::XMLDocument doc;
    {
        std::string bytes;
        if (!ReadWholeFile(path, bytes, kMaxProjectFileBytes))
            return;
        if (doc.Parse(bytes.data(), bytes.size()) != tinyxml2::XML_SUCCESS)
            return;
    }
    const XMLElement* root = doc.FirstChildElement();
    if (root == nullptr || CountSegmentElements(root) > kMaxSegments)
        return;
    const CString folder = LegacyResourceFolder(path);

    for (const XMLElement* child = root->FirstChildElement(); child != nullptr; child = child->NextSiblingElement()) {
        const char* name = child->Name();
        if (NameIs(name, "ProjectSet")) {
            ReadProjSet(child, settings, folder);
        } else if (NameIs(name, "Segments")) {
            for (const XMLElement* element = child->FirstChildElement("Segment"); element != nullptr;
                 element = element->NextSiblingElement("Segment")) {
                auto* record = new SegmentGourp;
                segments.Add(record);
                ReadLegacySegment(record, element, settings, folder);
            }
        } else if (NameIs(name, "LPX") || NameIs(name, "PIX")) {
            if (settings.m_layoutFile.IsEmpty())
                continue;
            ::CreateDirectoryW(GetExeFolder() + L"\\TF", nullptr); // an existing folder is fine
            const bool written = NameIs(name, "PIX") ? UnpackPixFile(child, settings.m_layoutFile)
                                                     : UnpackLayoutFile(child, settings.m_layoutFile);
            if (!written)
                return;
        }
    }
}
