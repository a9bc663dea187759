// The image-show element: its text, reading it back, the older single-image
// attribute and the copies of merged resources.
#include <gtest/gtest.h>

#include "program_records.h"
#include "records_test_support.h"

namespace {

ProgramImageShow* FillShow(ProgramImageShow& show)
{
    show.SetNode(new NodeInfo(1, 1, L"Photos", NODE_PROGRAM));
    show.m_orgFrames = 150;
    show.m_endFrame = 150;
    show.m_fadeInTime = 2;
    show.m_imagePaths.Add(L"a.png");
    show.m_imagePaths.Add(L"D:\\pics\\b.jpg");
    show.m_backgroundKind = 2;
    show.m_backgroundColor = 0x00FF0000;
    show.m_backgroundImage = L"bk.bmp";
    show.m_backgroundAlign = 3;
    show.m_imageAlign = 1;
    show.m_enterEffect = 2;
    show.m_leaveEffect = 4;
    show.m_enterTime = 0.5f;
    show.m_leaveTime = 1.25f;
    show.m_showingTime = 3.0f;
    show.m_enterFrames = 12;
    show.m_leaveFrames = 31;
    show.m_showingFrames = 75;
    return &show;
}

TEST(ImageShowRecord, WritesTheElementAndReadsItBack)
{
    ProgramImageShow show;
    FillShow(show);
    tinyxml2::XMLDocument doc;
    tinyxml2::XMLElement* parent = doc.NewElement("ProgramView");
    doc.InsertEndChild(parent);
    WriteImageShowProgram(L"C:\\unused\\", false, doc, parent, &show);
    EXPECT_EQ(CompactText(parent->FirstChildElement()),
        "<Program ProgramType=\"5\" PROP_PROG_ORGFRAME=\"150\" PROP_PROG_VTILE=\"1\" PROP_PROG_HTILE=\"1\""
        " PROP_PROG_SFRAME=\"1\" PROP_PROG_EFRAME=\"150\" PROP_PROG_SSPEED=\"1\" PROP_PROG_ESPEED=\"1\""
        " PROP_PROG_FADEIN_TIME=\"2\" PROP_PROG_FADEOUT_TIME=\"0\" PROP_PROG_BKIMG=\"bk.bmp\" PROP_PROG_BKTYPE=\"2\""
        " PROP_PROG_BKCOLOR=\"16711680\" PROP_PROG_BKIMG_ALIGN=\"3\" PROP_PROG_IMG_ALIGN=\"1\""
        " PROP_PROG_ENTER_EFFECT=\"2\" PROP_PROG_LEAVE_EFFECT=\"4\" PROP_PROG_ENTER_TIME=\"0.5\""
        " PROP_PROG_LEAVE_TIME=\"1.25\" PROP_PROG_SHOWING_TIME=\"3\" PROP_PROG_ENTER_FRAMES=\"12\""
        " PROP_PROG_LEAVE_FRAMES=\"31\" PROP_PROG_SHOWING_FRAMES=\"75\" PROP_NODE_NAME=\"Photos\">"
        "<Content>a.png</Content><Content>D:\\pics\\b.jpg</Content></Program>");

    ProgramImageShow read;
    read.SetNode(new NodeInfo(1, 1, CString(), NODE_PROGRAM));
    ReadImageShowProgram(parent->FirstChildElement(), &read, L"C:\\unused\\", false);
    ASSERT_EQ(read.m_imagePaths.GetSize(), 2);
    EXPECT_EQ(read.m_imagePaths[0], L"a.png");
    EXPECT_EQ(read.m_imagePaths[1], L"D:\\pics\\b.jpg");
    EXPECT_EQ(read.m_pNode->m_name, L"Photos");
    EXPECT_EQ(read.m_orgFrames, 150);
    EXPECT_EQ(read.m_fadeInTime, 2);
    EXPECT_EQ(read.m_backgroundKind, 2);
    EXPECT_EQ(read.m_backgroundColor, 0x00FF0000u);
    EXPECT_EQ(read.m_backgroundImage, L"bk.bmp");
    EXPECT_EQ(read.m_backgroundAlign, 3);
    EXPECT_EQ(read.m_imageAlign, 1);
    EXPECT_EQ(read.m_enterEffect, 2);
    EXPECT_EQ(read.m_leaveEffect, 4);
    EXPECT_FLOAT_EQ(read.m_enterTime, 0.5f);
    EXPECT_FLOAT_EQ(read.m_leaveTime, 1.25f);
    EXPECT_FLOAT_EQ(read.m_showingTime, 3.0f);
    EXPECT_EQ(read.m_enterFrames, 12);
    EXPECT_EQ(read.m_leaveFrames, 31);
    EXPECT_EQ(read.m_showingFrames, 75);
}

TEST(ImageShowRecord, MergedResourcesCopyPathsWithAFolderOnly)
{
    CTempFolder folder(L"pr_imgmerge");
    const CString source = folder.File(L"pic.png");
    WriteFileBytes(source, "PNG!");
    const CString resources = folder.File(L"show\\");
    ::CreateDirectoryW(resources, nullptr);

    ProgramImageShow show;
    show.m_imagePaths.Add(source);
    show.m_imagePaths.Add(L"plain.png"); // no backslash: left alone
    show.m_imagePaths.Add(L"\\root.png"); // only backslash first: left alone
    show.m_backgroundImage = source;
    tinyxml2::XMLDocument doc;
    tinyxml2::XMLElement* parent = doc.NewElement("ProgramView");
    doc.InsertEndChild(parent);
    WriteImageShowProgram(resources, true, doc, parent, &show);

    EXPECT_EQ(ReadFileBytes(resources + L"pic.png"), "PNG!");
    EXPECT_EQ(show.m_imagePaths[0], resources + L"pic.png");
    EXPECT_EQ(show.m_imagePaths[1], L"plain.png");
    EXPECT_EQ(show.m_imagePaths[2], L"\\root.png");
    EXPECT_EQ(show.m_backgroundImage, resources + L"pic.png");
    const tinyxml2::XMLElement* element = parent->FirstChildElement();
    EXPECT_STREQ(element->FirstChildElement("Content")->GetText(), CStringA(resources + L"pic.png").GetString());
    EXPECT_STREQ(element->Attribute("PROP_PROG_BKIMG"), CStringA(resources + L"pic.png").GetString());

    // Read back beside another resource folder copy: missing copies drop out.
    ::DeleteFileW(resources + L"pic.png");
    WriteFileBytes(resources + L"plain.png", "x");
    ProgramImageShow read;
    ReadImageShowProgram(element, &read, resources, true);
    ASSERT_EQ(read.m_imagePaths.GetSize(), 1);
    EXPECT_EQ(read.m_imagePaths[0], resources + L"plain.png");
    EXPECT_TRUE(read.m_backgroundImage.IsEmpty());
}

TEST(ImageShowRecord, OlderSingleImageIsKeptWhenItsFileExists)
{
    CTempFolder folder(L"pr_imgsingle");
    const CString image = folder.File(L"one.png");
    WriteFileBytes(image, "1");
    const CString resources = folder.Path() + L"\\";
    struct Case {
        CString stored;
        bool withResource;
        INT_PTR images;
    };
    const Case cases[] = {
        { image, false, 1 }, // stored path exists: kept without merged resources
        { L"C:\\gone\\one.png", true, 1 }, // found in the resource folder
        { L"C:\\gone\\none.png", false, 0 },
        { L"C:\\gone\\none.png", true, 0 },
    };
    for (const Case& c : cases) {
        const CStringA text = "<Program ProgramType=\"5\" PROP_PROG_IMG=\"" + CStringA(c.stored)
            + "\"><Content>x.png</Content></Program>";
        tinyxml2::XMLDocument doc;
        ProgramImageShow show;
        ReadImageShowProgram(ParseElement(doc, text), &show, resources, c.withResource);
        ASSERT_EQ(show.m_imagePaths.GetSize(), c.images) << CStringA(c.stored).GetString();
        if (c.images == 1) {
            EXPECT_EQ(show.m_imagePaths[0], image);
        }
    }
    // Present but empty: no image, and the "Content" children are still not read.
    tinyxml2::XMLDocument doc;
    ProgramImageShow show;
    ReadImageShowProgram(
        ParseElement(doc, "<Program PROP_PROG_IMG=\"\"><Content>x.png</Content></Program>"), &show, resources, false);
    EXPECT_EQ(show.m_imagePaths.GetSize(), 0);
}

TEST(ImageShowRecord, MissingAttributesKeepTheirValues)
{
    ProgramImageShow show;
    FillShow(show);
    show.m_imagePaths.RemoveAll();
    tinyxml2::XMLDocument doc;
    ReadImageShowProgram(
        ParseElement(doc, "<Program PROP_PROG_BKIMG=\"\" PROP_PROG_ENTER_FRAMES=\"-5\"><Content/></Program>"), &show,
        CString(), false);
    EXPECT_EQ(show.m_backgroundImage, L"bk.bmp");
    EXPECT_EQ(show.m_fadeInTime, 2);
    EXPECT_EQ(show.m_leaveFrames, 31);
    EXPECT_EQ(show.m_enterFrames, 0); // a negative frame count is no count
    EXPECT_EQ(show.m_imagePaths.GetSize(), 0); // an empty "Content" adds nothing
}

} // namespace
