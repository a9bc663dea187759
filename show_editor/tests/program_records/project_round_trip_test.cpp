// Every kind of this module's elements through a whole project file: written
// by the project writer and read back by the project reader.
#include <gtest/gtest.h>

#include "project_file.h"
#include "records_test_support.h"
#include "show_model.h"

namespace {

struct CProject {
    SegmentList segments;
    ProjSet settings;
    ~CProject() { FreeSegments(segments); }
};

ProgramView* AddSegmentWithView(CProject& project)
{
    auto* segment = new QvSegmentGourp;
    project.segments.Add(segment);
    segment->m_pSegmentInfo->m_number = 1;
    segment->SetNode(new NodeInfo(-1, 1, L"S", NODE_SEGMENT));
    auto* view = new ProgramView;
    segment->m_views.Add(view);
    view->SetNode(new NodeInfo(1, 1, L"V", NODE_VIEW));
    view->m_projectRect.SetRect(0, 0, 200, 50);
    return view;
}

template <class Kind> Kind* AddProgram(ProgramView* view, Kind* program, const CString& name)
{
    view->m_programs.Add(program);
    program->SetNode(new NodeInfo(1, static_cast<int>(view->m_programs.GetSize()), name, NODE_PROGRAM));
    return program;
}

TEST(ProgramRecordsInProject, AllKindsRoundTrip)
{
    CTempFolder folder(L"pr_project");
    CProject project;
    ProgramView* view = AddSegmentWithView(project);

    auto* effect = AddProgram(view, new ProgramColorEffect, L"Effect");
    effect->m_style = 3;
    effect->m_orgFrames = effect->m_endFrame = 50;
    auto* colorTemplate = new ColorTemplate;
    colorTemplate->m_colors.Add(0x123456);
    effect->m_templates.Add(colorTemplate);

    auto* show = AddProgram(view, new ProgramImageShow, L"Show");
    show->m_programType = PROGRAM_TYPE_IMAGE_SHOW;
    show->m_imagePaths.Add(L"x.png");
    show->m_showingFrames = 25;

    auto* plus = AddProgram(view, new ProgramColorEffectPlusArray, L"Plus");
    for (int frames : { 10, 20 }) {
        auto* item = new ProgramColorEffectPlus;
        item->m_orgFrames = frames;
        item->m_strips.Add(new ColorTemplateArrayEx);
        plus->m_items.Add(item);
    }
    plus->UpdateTotalFrames();

    auto* stars = AddProgram(view, new CEFlickerStar, CString());
    stars->m_orgFrames = stars->m_endFrame = 80;
    stars->m_starCount = 4;

    auto* words = AddProgram(view, new ProgramColorFulWords, L"Words");
    words->m_programType = PROGRAM_TYPE_COLORFUL_WORDS;
    words->m_text = L"Hi";
    auto* texture = new ProgramColorEffect;
    texture->m_style = 8;
    auto* textureColors = new ColorTemplate;
    textureColors->m_changeMode = 1;
    textureColors->m_colors.Add(0xFF);
    texture->m_templates.Add(textureColors);
    words->SetTexture(texture);

    const CString path = folder.File(L"all.LEDX");
    ASSERT_TRUE(WriteProjectFile(project.segments, path, project.settings));

    CProject read;
    ASSERT_GT(ReadProjectFile(read.segments, path, read.settings), 0);
    ASSERT_EQ(read.segments.GetSize(), 1);
    const ProgramView* readView = read.segments[0]->m_views[0];
    ASSERT_EQ(readView->m_programs.GetSize(), 5);

    ASSERT_TRUE(readView->m_programs[0]->IsKindOf(RUNTIME_CLASS(ProgramColorEffect)));
    const auto* readEffect = static_cast<ProgramColorEffect*>(readView->m_programs[0]);
    EXPECT_EQ(readEffect->m_style, 3);
    EXPECT_EQ(readEffect->m_pNode->m_name, L"Effect");
    ASSERT_EQ(readEffect->m_templates.GetSize(), 1);
    EXPECT_EQ(readEffect->m_templates[0]->m_colors[0], 0x123456u);

    ASSERT_TRUE(readView->m_programs[1]->IsKindOf(RUNTIME_CLASS(ProgramImageShow)));
    const auto* readShow = static_cast<ProgramImageShow*>(readView->m_programs[1]);
    ASSERT_EQ(readShow->m_imagePaths.GetSize(), 1);
    EXPECT_EQ(readShow->m_imagePaths[0], L"x.png");
    EXPECT_EQ(readShow->m_showingFrames, 25);

    ASSERT_TRUE(readView->m_programs[2]->IsKindOf(RUNTIME_CLASS(ProgramColorEffectPlusArray)));
    const auto* readPlus = static_cast<ProgramColorEffectPlusArray*>(readView->m_programs[2]);
    EXPECT_EQ(readPlus->m_items.GetSize(), 2);
    EXPECT_EQ(readPlus->m_orgFrames, 30);
    EXPECT_EQ(readPlus->m_endFrame, 30);
    EXPECT_EQ(readPlus->m_pNode->m_name, L"Plus");

    ASSERT_TRUE(readView->m_programs[3]->IsKindOf(RUNTIME_CLASS(CEFlickerStar)));
    const auto* readStars = static_cast<CEFlickerStar*>(readView->m_programs[3]);
    EXPECT_EQ(readStars->m_orgFrames, 80);
    EXPECT_EQ(readStars->m_startPoints.GetSize(), 4);

    ASSERT_TRUE(readView->m_programs[4]->IsKindOf(RUNTIME_CLASS(ProgramColorFulWords)));
    const auto* readWords = static_cast<ProgramColorFulWords*>(readView->m_programs[4]);
    ASSERT_NE(readWords->m_pTexture, nullptr);
    EXPECT_EQ(readWords->m_pTexture->m_style, 8);
    ASSERT_EQ(readWords->m_pTexture->m_templates.GetSize(), 1);
    EXPECT_EQ(readWords->m_pTexture->m_templates[0]->m_changeMode, 1);
    EXPECT_EQ(readWords->m_pTexture->m_templates[0]->m_colors[0], 0xFFu);

    // What was read writes the same file again.
    const CString again = folder.File(L"again.LEDX");
    ASSERT_TRUE(WriteProjectFile(read.segments, again, read.settings));
    EXPECT_EQ(ReadFileBytes(again), ReadFileBytes(path));
}

} // namespace
