// Writing and reading again restores every stored field.
#include <gtest/gtest.h>

#include "project_file.h"
#include "project_file_fixture.h"
#include "show_model.h"

#include <cstring>

namespace {

TEST(ProjectRoundTrip, EveryStoredFieldComesBack)
{
    CTempProjectFolder folder(L"pf_round");
    CTestProject project;
    ProjSet& set = project.settings;
    set.m_width = 640;
    set.m_height = 480;
    set.m_frameRate = 30;
    set.m_totalFrames = 900;
    set.m_playFrames = 600;
    set.m_layoutType = 3;
    set.m_colorMode = 1;
    set.m_whiteValue = 250;
    for (int i = 0; i < ProjSet::kHardwareRecordSize; ++i)
        set.m_hardwareRecord[i] = static_cast<BYTE>(i * 7);

    for (int s = 0; s < 3; ++s) {
        CString name;
        name.Format(L"Segment %d \u00E9", s);
        QvSegmentGourp* segment = AddSegment(project, name);
        segment->m_pSegmentInfo->m_totalFrames = 100 + s;
        segment->m_pSegmentInfo->m_timePlay.m_holidayMask = 0x1234;
        segment->m_pSegmentInfo->m_timePlay.m_holidayEnd[12] = -5;
        segment->m_fourColorMode = s;
        segment->m_whiteValue = static_cast<BYTE>(200 + s);
        for (int v = 0; v < 2; ++v) {
            ProgramView* view = AddView(segment, L"", CRect(v, 2 * v, 50 + v, 60 + v));
            view->m_loopPlay = v == 0 ? 1 : 0;
            view->m_repeatCount = v == 0 ? 0 : 4; // loop off only with a count
            view->m_showTime = 1.0 / 3.0;
            view->m_brightness = 55;
            view->m_transparency = 17;
            ProgramVideo* video = AddVideo(view, L"D:\\m\\v.mp4", L"vid");
            video->m_startSpeed = 0.3f;
            video->m_endSpeed = 1.7f;
            video->m_fadeInTime = 3;
            video->m_marginBottom = -9;
            auto* words = new ProgramColorFulWords;
            view->m_programs.Add(words);
            words->SetNode(new NodeInfo(v + 1, 2, L"w", NODE_PROGRAM));
            words->m_programType = PROGRAM_TYPE_COLORFUL_WORDS;
            words->m_text = L"line1\nline2";
            words->m_font.lfHeight = -20;
            words->m_font.lfWeight = 700;
            std::wcscpy(words->m_font.lfFaceName, L"Tahoma");
            words->m_enterTime = 0.1f;
            words->m_strokeColor = 0xFFFFFFFF;
            words->m_wordRepeatCount = 9;
            words->m_fadeInTime = 4; // not stored
        }
    }

    const CString path = folder.File(L"round.LEDX");
    ASSERT_TRUE(WriteProjectFile(project.segments, path, project.settings));

    CTestProject back;
    ASSERT_EQ(ReadProjectFile(back.segments, path, back.settings), 2);
    EXPECT_EQ(back.settings.m_width, 640);
    EXPECT_EQ(back.settings.m_height, 480);
    EXPECT_EQ(back.settings.m_frameRate, 30);
    EXPECT_EQ(back.settings.m_totalFrames, 900);
    EXPECT_EQ(back.settings.m_playFrames, 600);
    EXPECT_EQ(back.settings.m_layoutType, 3);
    EXPECT_EQ(back.settings.m_colorMode, 1);
    EXPECT_EQ(back.settings.m_whiteValue, 250);
    EXPECT_EQ(std::memcmp(back.settings.m_hardwareRecord, set.m_hardwareRecord, sizeof(set.m_hardwareRecord)), 0);

    ASSERT_EQ(back.segments.GetSize(), 3);
    for (int s = 0; s < 3; ++s) {
        const QvSegmentGourp* a = project.segments[s];
        const QvSegmentGourp* b = back.segments[s];
        EXPECT_EQ(b->m_pNode->m_name, a->m_pNode->m_name);
        EXPECT_EQ(b->m_pSegmentInfo->m_number, s + 1);
        EXPECT_EQ(b->m_pSegmentInfo->m_totalFrames, a->m_pSegmentInfo->m_totalFrames);
        EXPECT_EQ(std::memcmp(&b->m_pSegmentInfo->m_timePlay, &a->m_pSegmentInfo->m_timePlay, 364), 0);
        EXPECT_EQ(b->m_fourColorMode, a->m_fourColorMode);
        EXPECT_EQ(b->m_whiteValue, a->m_whiteValue);
        ASSERT_EQ(b->m_views.GetSize(), 2);
        for (int v = 0; v < 2; ++v) {
            const ProgramView* va = a->m_views[v];
            const ProgramView* vb = b->m_views[v];
            EXPECT_EQ(vb->m_projectRect, va->m_projectRect);
            EXPECT_EQ(vb->m_loopPlay, va->m_loopPlay);
            EXPECT_EQ(vb->m_repeatCount, va->m_repeatCount);
            EXPECT_EQ(vb->m_showTime, va->m_showTime); // "%.17g" keeps every bit
            EXPECT_EQ(vb->m_brightness, 55);
            EXPECT_EQ(vb->m_transparency, 17);
            CString placeName;
            placeName.Format(L"View_%02d", v + 1);
            EXPECT_EQ(vb->m_pNode->m_name, placeName); // stored empty: named after its place
            ASSERT_EQ(vb->m_programs.GetSize(), 2);
            const auto* video = static_cast<ProgramVideo*>(vb->m_programs[0]);
            EXPECT_EQ(video->m_filePath, L"D:\\m\\v.mp4");
            EXPECT_EQ(video->m_startSpeed, 0.3f); // "%.8g" keeps every bit of a float
            EXPECT_EQ(video->m_endSpeed, 1.7f);
            EXPECT_EQ(video->m_fadeInTime, 3);
            EXPECT_EQ(video->m_marginBottom, -9);
            EXPECT_EQ(video->m_pNode->m_name, L"vid");
            const auto* words = static_cast<ProgramColorFulWords*>(vb->m_programs[1]);
            const auto* original = static_cast<ProgramColorFulWords*>(va->m_programs[1]);
            EXPECT_EQ(words->m_text, L"line1\nline2");
            EXPECT_EQ(std::memcmp(&words->m_font, &original->m_font, sizeof(LOGFONTW)), 0);
            EXPECT_EQ(words->m_enterTime, 0.1f);
            EXPECT_EQ(words->m_strokeColor, 0xFFFFFFFFu);
            EXPECT_EQ(words->m_wordRepeatCount, 9);
            EXPECT_EQ(words->m_fadeInTime, 0);
            EXPECT_EQ(words->m_programType, PROGRAM_TYPE_COLORFUL_WORDS);
        }
    }
}

TEST(ProjectRoundTrip, SecondSaveIsIdentical)
{
    CTempProjectFolder folder(L"pf_round2");
    CTestProject project;
    QvSegmentGourp* segment = AddSegment(project, L"S");
    AddVideo(AddView(segment, L"V", CRect(0, 0, 200, 50)), L"E:\\x.avi", L"x");
    const CString first = folder.File(L"a.LEDX");
    const CString second = folder.File(L"b.LEDX");
    ASSERT_TRUE(WriteProjectFile(project.segments, first, project.settings));
    CTestProject back;
    ASSERT_EQ(ReadProjectFile(back.segments, first, back.settings), 2);
    ASSERT_TRUE(WriteProjectFile(back.segments, second, back.settings));
    EXPECT_EQ(ReadBytes(first), ReadBytes(second));
}

} // namespace
