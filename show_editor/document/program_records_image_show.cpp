// The image-show element, with the copies of its images under merged resources.
#include "program_records.h"

#include "AnsiText.h"
#include "program_record_values.h"
#include "project_file.h"
#include "project_file_io.h"
#include "project_resources.h"
#include "xml_values.h"

using tinyxml2::XMLElement;

void WriteImageShowProgram(const CString& resourceFolder, bool withResource, tinyxml2::XMLDocument& doc,
    XMLElement* parent, ProgramImageShow* program)
{
    if (parent == nullptr || program == nullptr)
        return;
    if (withResource) {
        // A failed copy keeps the original path; the project writer's merger
        // reports it to the caller of the save.
        for (INT_PTR i = 0; i < program->m_imagePaths.GetSize(); ++i)
            MergeMediaPath(program->m_imagePaths[i], resourceFolder);
        if (!program->m_backgroundImage.IsEmpty())
            MergeMediaPath(program->m_backgroundImage, resourceFolder);
    }
    XMLElement* element = doc.NewElement("Program");
    parent->InsertEndChild(element);
    element->SetAttribute("ProgramType", static_cast<int>(PROGRAM_TYPE_IMAGE_SHOW));
    SetProgramFrameAttributes(element, program);
    element->SetAttribute("PROP_PROG_FADEIN_TIME", program->m_fadeInTime);
    element->SetAttribute("PROP_PROG_FADEOUT_TIME", program->m_fadeOutTime);
    SetStringAttribute(element, "PROP_PROG_BKIMG", program->m_backgroundImage);
    element->SetAttribute("PROP_PROG_BKTYPE", program->m_backgroundKind);
    element->SetAttribute("PROP_PROG_BKCOLOR", static_cast<unsigned>(program->m_backgroundColor));
    element->SetAttribute("PROP_PROG_BKIMG_ALIGN", program->m_backgroundAlign);
    element->SetAttribute("PROP_PROG_IMG_ALIGN", program->m_imageAlign);
    element->SetAttribute("PROP_PROG_ENTER_EFFECT", program->m_enterEffect);
    element->SetAttribute("PROP_PROG_LEAVE_EFFECT", program->m_leaveEffect);
    element->SetAttribute("PROP_PROG_ENTER_TIME", program->m_enterTime);
    element->SetAttribute("PROP_PROG_LEAVE_TIME", program->m_leaveTime);
    element->SetAttribute("PROP_PROG_SHOWING_TIME", program->m_showingTime);
    element->SetAttribute("PROP_PROG_ENTER_FRAMES", program->m_enterFrames);
    element->SetAttribute("PROP_PROG_LEAVE_FRAMES", program->m_leaveFrames);
    element->SetAttribute("PROP_PROG_SHOWING_FRAMES", program->m_showingFrames);
    SetStringAttribute(element, "PROP_NODE_NAME", NodeNameOf(program->m_pNode));
    for (INT_PTR i = 0; i < program->m_imagePaths.GetSize(); ++i) {
        XMLElement* content = doc.NewElement("Content");
        element->InsertEndChild(content);
        content->SetText(WideToAnsi(program->m_imagePaths[i]).GetString());
    }
}

void ReadImageShowProgram(
    const XMLElement* element, ProgramImageShow* program, const CString& resourceFolder, bool withResource)
{
    if (element == nullptr || program == nullptr)
        return;
    ReadProgramFrameAttributes(element, program);
    ReadIntAttribute(element, "PROP_PROG_FADEIN_TIME", program->m_fadeInTime);
    ReadIntAttribute(element, "PROP_PROG_FADEOUT_TIME", program->m_fadeOutTime);
    if (program->m_pNode != nullptr)
        ReadStringAttribute(element, "PROP_NODE_NAME", program->m_pNode->m_name);

    // Files of older versions hold one image in an attribute instead of
    // "Content" children. Its image is kept when the file is there, also
    // without merged resources.
    const bool singleImage = element->Attribute("PROP_PROG_IMG") != nullptr;
    CString image;
    if (ReadStringAttribute(element, "PROP_PROG_IMG", image)) {
        if (withResource)
            image = ResourcePathOf(image, resourceFolder);
        if (FileExistsAt(image))
            program->m_imagePaths.Add(image);
    }

    CString background;
    if (ReadStringAttribute(element, "PROP_PROG_BKIMG", background)) {
        if (withResource) {
            background = ResourcePathOf(background, resourceFolder);
            if (!FileExistsAt(background))
                background.Empty();
        }
        program->m_backgroundImage = background;
    }
    ReadIntAttribute(element, "PROP_PROG_BKTYPE", program->m_backgroundKind);
    ReadColorAttribute(element, "PROP_PROG_BKCOLOR", program->m_backgroundColor);
    ReadIntAttribute(element, "PROP_PROG_BKIMG_ALIGN", program->m_backgroundAlign);
    ReadIntAttribute(element, "PROP_PROG_IMG_ALIGN", program->m_imageAlign);
    ReadIntAttribute(element, "PROP_PROG_ENTER_EFFECT", program->m_enterEffect);
    ReadIntAttribute(element, "PROP_PROG_LEAVE_EFFECT", program->m_leaveEffect);
    ReadFloatAttribute(element, "PROP_PROG_ENTER_TIME", program->m_enterTime);
    ReadFloatAttribute(element, "PROP_PROG_LEAVE_TIME", program->m_leaveTime);
    ReadFloatAttribute(element, "PROP_PROG_SHOWING_TIME", program->m_showingTime);
    ReadIntAttribute(element, "PROP_PROG_ENTER_FRAMES", program->m_enterFrames);
    ReadIntAttribute(element, "PROP_PROG_LEAVE_FRAMES", program->m_leaveFrames);
    ReadIntAttribute(element, "PROP_PROG_SHOWING_FRAMES", program->m_showingFrames);
    program->m_enterFrames = ClampInt(program->m_enterFrames, 0, kMaxFrameCount);
    program->m_leaveFrames = ClampInt(program->m_leaveFrames, 0, kMaxFrameCount);
    program->m_showingFrames = ClampInt(program->m_showingFrames, 0, kMaxFrameCount);
    ClampProgramFrames(program);

    if (singleImage)
        return;
    for (const XMLElement* content = element->FirstChildElement("Content"); content != nullptr;
         content = content->NextSiblingElement("Content")) {
        const char* text = content->GetText();
        CString path = text != nullptr ? AnsiToWide(text) : CString();
        if (withResource && !path.IsEmpty()) {
            path = ResourcePathOf(path, resourceFolder);
            if (!FileExistsAt(path))
                path.Empty();
        }
        if (!path.IsEmpty())
            program->m_imagePaths.Add(path);
    }
}
