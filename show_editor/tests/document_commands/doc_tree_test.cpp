// Tree operations: numbering and names, selection, moves, copy and paste,
// delete with its confirmation, inserting segments, names, rectangles and
// the four-colour mapping.
#include "doc_test_support.h"

#include "ce_flicker_star.h"
#include "program_video.h"

using namespace doctest;

TEST_F(DocTest, NewSegmentsAndViewsAreNumberedAndNamed)
{
    m_doc->NewSegment(TRUE, FALSE);
    m_doc->NewSegment(TRUE, FALSE);
    m_host.m_langTexts = true;
    QvSegmentGourp* third = m_doc->NewSegment(TRUE, TRUE);
    EXPECT_EQ(third->m_pNode->m_name, CString(L"ITEM_TITLE 1_03"));
    EXPECT_EQ(Seg(1)->m_pNode->m_name, CString(L"片段_01"));
    EXPECT_EQ(m_doc->m_currentSegment, 3);
    EXPECT_EQ(View(3, 1)->m_pNode->m_name, CString(L"View_01"));
    EXPECT_EQ(View(3, 1)->m_projectRect, CRect(0, 0, 200, 50));
    EXPECT_EQ(View(3, 1)->m_canvasRect, CRect(0, 0, 800, 200)); // zoom 400, no gap
    EXPECT_EQ(View(3, 1)->m_brightness, 100);
    EXPECT_EQ(View(3, 1)->m_loopPlay, 1);
    EXPECT_EQ(third->m_pSegmentInfo->m_timePlay.m_durationSeconds, 1);
    EXPECT_EQ(m_doc->m_pCurrentViewNode, View(3, 1)->m_pNode);
    EXPECT_TRUE(m_doc->IsModified());
    ExpectTreeNumbering();
}

TEST_F(DocTest, ProgramNodesAreNamedByKind)
{
    BuildProject({ {} });
    NodeInfo* viewNode = View(1, 1)->m_pNode;
    auto addVideo = [&](LPCWSTR path) {
        auto* video = new ProgramVideo;
        video->m_programType = PROGRAM_TYPE_MEDIA;
        video->m_filePath = path;
        m_doc->AddProgramToView(viewNode, video);
    };
    m_doc->AddProgramToView(viewNode, NewEffect(5));
    addVideo(L"D:\\clips\\sea.avi");
    addVideo(L"\\sea.avi"); // the only backslash is the first character
    addVideo(L"");
    auto* stars = new CEFlickerStar;
    stars->m_programType = PROGRAM_TYPE_FLICKER_STAR;
    stars->SetNode(new NodeInfo(0, 0, L"kept", NODE_PROGRAM));
    m_doc->AddProgramToView(viewNode, stars);
    const LPCWSTR names[] = { L"炫彩特效_01", L"sea.avi", L"视频文件", L"视频文件_04", L"kept" };
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Prog(1, 1, i + 1)->m_pNode->m_name, CString(names[i])) << i;
    EXPECT_EQ(m_doc->m_pSelectedNode, stars->m_pNode);
    ExpectTreeNumbering();
}

TEST_F(DocTest, MovesSwapNeighboursAndKeepTheNumbering)
{
    BindFakePanels();
    BuildProject({ { 10, 20, 30 }, { 40 }, { 50 } });
    m_doc->m_currentSegment = 1;
    NodeInfo* first = Seg(1)->m_pNode;
    m_doc->SelectNode(first);
    m_host.Clear();
    m_doc->OnMoveNodeUp(); // first item: nothing at all
    EXPECT_TRUE(m_host.m_messages.empty());
    m_doc->OnMoveNodeDown();
    EXPECT_EQ(Seg(2)->m_pNode, first);
    EXPECT_EQ(m_doc->m_currentSegment, 2);
    EXPECT_EQ(m_doc->m_pSelectedNode, first);
    EXPECT_FALSE(m_host.MessagesTo(DOC_PANEL_TREE, WM_PROJECT_CHANGED).empty());
    ExpectTreeNumbering();

    // Programs move within the view of the current segment.
    Program* last = Prog(2, 1, 3);
    m_doc->SelectNode(last->m_pNode);
    m_host.Clear();
    m_doc->OnMoveNodeDown();
    EXPECT_TRUE(m_host.m_messages.empty());
    m_doc->OnMoveNodeUp();
    m_doc->OnMoveNodeUp();
    EXPECT_EQ(Prog(2, 1, 1), last);
    EXPECT_EQ(m_doc->m_pSelectedNode, last->m_pNode);
    ExpectTreeNumbering();

    // Views carry their programs' parent numbers along.
    ProgramView* added = m_doc->NewView(Seg(2), FALSE);
    m_doc->AddProgramToView(added->m_pNode, NewEffect(7));
    m_doc->SelectNode(added->m_pNode);
    m_doc->OnMoveNodeUp();
    EXPECT_EQ(View(2, 1), added);
    ExpectTreeNumbering();
}

TEST_F(DocTest, CopyAndPasteNeedANode)
{
    BindFakePanels();
    m_ui.ExpectMessageBox(IDOK, L"Please Click A Node!");
    m_doc->OnCopyNode();
    m_ui.ExpectMessageBox(IDOK, L"Please Click A Node!");
    m_doc->OnPasteNode();
    // The language file's text replaces the built-in one.
    m_host.m_texts[{ L"ITEM_TITLE", 283 }] = L"Cliquez d'abord sur un élément.";
    m_ui.ExpectMessageBox(IDOK, L"Cliquez d'abord sur un élément.");
    m_doc->OnCopyNode();
}

TEST_F(DocTest, PasteAProgramIntoTheCurrentView)
{
    BindFakePanels();
    BuildProject({ { 10, 20 }, { 40 } });
    m_doc->m_currentSegment = 1;
    m_doc->SelectNode(Prog(1, 1, 2)->m_pNode);
    m_doc->OnCopyNode();
    EXPECT_EQ(m_doc->m_copySourceSegment, 1);

    // A segment selected: nothing pasted, both panels refreshed.
    m_doc->m_currentSegment = 2;
    m_doc->SelectNode(Seg(2)->m_pNode);
    m_host.Clear();
    m_doc->OnPasteNode();
    EXPECT_EQ(View(2, 1)->m_programs.GetSize(), 1);
    EXPECT_EQ(m_host.MessagesTo(DOC_PANEL_TREE, WM_PROJECT_CHANGED).size(), 1u);
    EXPECT_EQ(m_host.MessagesTo(DOC_PANEL_PROPERTY, WM_PROJECT_CHANGED).size(), 1u);

    m_doc->SelectNode(View(2, 1)->m_pNode);
    m_doc->OnPasteNode();
    ASSERT_EQ(View(2, 1)->m_programs.GetSize(), 2);
    EXPECT_NE(Prog(2, 1, 2), Prog(1, 1, 2));
    EXPECT_EQ(Prog(2, 1, 2)->m_endFrame, 20);
    EXPECT_EQ(Seg(2)->m_pSegmentInfo->m_totalFrames, 60);
    EXPECT_EQ(m_doc->m_projectSettings.m_totalFrames, 90);
    ExpectTreeNumbering();
}

TEST_F(DocTest, PasteAViewOrASegment)
{
    BindFakePanels();
    BuildProject({ { 10, 20 }, { 40 } });
    ProgramView* source = View(1, 1);
    source->m_projectRect.SetRect(3, 4, 13, 24);
    source->m_canvasRect.SetRect(12, 16, 52, 96);
    source->m_pNode->m_name = L"Source";
    source->m_brightness = 40;
    source->m_loopPlay = 0;
    source->m_showTime = 9.0;
    m_doc->m_currentSegment = 1;
    m_doc->SelectNode(source->m_pNode);
    m_doc->OnCopyNode();

    m_doc->SelectNode(Seg(2)->m_pNode);
    m_doc->OnPasteNode();
    ProgramView* pasted = View(2, 2);
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(pasted->m_projectRect, CRect(3, 4, 13, 24));
    EXPECT_EQ(pasted->m_canvasRect, CRect(12, 16, 52, 96));
    EXPECT_EQ(pasted->m_pNode->m_name, CString(L"Source"));
    EXPECT_EQ(pasted->m_brightness, 100);
    EXPECT_EQ(pasted->m_loopPlay, 1);
    EXPECT_EQ(pasted->m_showTime, 0.0);
    EXPECT_EQ(pasted->m_programs.GetSize(), 2);
    EXPECT_EQ(pasted->m_frames, 30);
    EXPECT_EQ(Seg(2)->m_pSegmentInfo->m_totalFrames, 40);

    // A segment pasted goes to the end with its own new name.
    m_doc->SelectNode(Seg(1)->m_pNode);
    m_doc->OnCopyNode();
    m_doc->OnPasteNode();
    ASSERT_EQ(m_doc->m_segments.GetSize(), 3);
    EXPECT_EQ(Seg(3)->m_pNode->m_name, CString(L"片段_03"));
    EXPECT_EQ(Seg(3)->m_views.GetSize(), 1);
    EXPECT_EQ(View(3, 1)->m_pNode->m_name, CString(L"Source"));
    EXPECT_EQ(m_doc->m_currentSegment, 3);
    EXPECT_EQ(m_doc->m_projectSettings.m_totalFrames, 30 + 40 + 30);
    ExpectTreeNumbering();
}

TEST_F(DocTest, DeleteConfirmsAndClearsTheSelection)
{
    BindFakePanels();
    BuildProject({ { 100, 50 }, { 40 } });
    Program* cut = Prog(1, 1, 1);
    cut->m_startFrame = 71; // 30 of 100 played
    m_doc->RecountViewFrames(View(1, 1));
    m_doc->RecountSegmentFrames(Seg(1));
    ASSERT_EQ(View(1, 1)->m_frames, 80);

    m_doc->m_currentSegment = 1;
    m_doc->SelectNode(cut->m_pNode);
    m_doc->m_pSelectedProgram = cut;
    m_doc->m_projectSettings.m_playFrames = 7;
    m_ui.ExpectMessageBox(IDNO, L"确定删除炫彩特效_01");
    m_doc->OnDeleteNode();
    EXPECT_EQ(View(1, 1)->m_programs.GetSize(), 2);
    // Declined, yet the totals, panels and cleared selection still happen.
    EXPECT_EQ(m_doc->m_projectSettings.m_playFrames, 120);
    EXPECT_EQ(m_doc->m_currentSegment, -1);
    EXPECT_EQ(m_doc->m_pSelectedNode, nullptr);

    m_doc->m_currentSegment = 1;
    m_doc->SelectNode(cut->m_pNode);
    m_doc->m_pSelectedProgram = cut;
    m_doc->OnCopyNode();
    m_ui.ExpectMessageBox(IDYES, L"确定删除");
    m_doc->OnDeleteNode();
    EXPECT_EQ(View(1, 1)->m_programs.GetSize(), 1);
    EXPECT_EQ(View(1, 1)->m_frames, 50);
    EXPECT_EQ(m_doc->m_pSelectedProgram, nullptr);
    EXPECT_EQ(m_doc->m_pCopySourceNode, nullptr);
    EXPECT_EQ(m_doc->m_projectSettings.m_totalFrames, 90);
    ExpectTreeNumbering();

    // Deleting a segment renumbers the rest, its views' parents included.
    m_doc->m_currentSegment = 1;
    m_doc->SelectNode(Seg(1)->m_pNode);
    m_host.m_langTexts = true;
    m_ui.ExpectMessageBox(IDYES, L"ITEM_TITLE 146片段_01");
    m_doc->OnDeleteNode();
    ASSERT_EQ(m_doc->m_segments.GetSize(), 1);
    EXPECT_EQ(View(1, 1)->m_programs.GetAt(0)->m_endFrame, 40);
    EXPECT_EQ(m_doc->m_projectSettings.m_totalFrames, 40);
    ExpectTreeNumbering();
}

// The question puts the name where the language's text has its "%s".
TEST_F(DocTest, DeleteQuestionPutsTheNameWhereTheLanguageWantsIt)
{
    const struct {
        const wchar_t* text;
        const wchar_t* question;
    } cases[] = {
        { L"Delete %s?", L"Delete View_01?" },
        { L"Supprimer %s ?", L"Supprimer View_01 ?" },
        { L"%s을(를) 삭제하시겠습니까?", L"View_01을(를) 삭제하시겠습니까?" },
        { L"确定删除%s?", L"确定删除View_01?" },
    };
    BuildProject({ { 10 } });
    View(1, 1)->m_pNode->m_name = L"View_01";
    for (const auto& c : cases) {
        m_host.m_texts[{ L"ITEM_TITLE", 146 }] = c.text;
        m_ui.ExpectMessageBox(IDNO, c.question);
        m_doc->DeleteViewAt(Seg(1), 0, TRUE);
        EXPECT_EQ(Seg(1)->m_views.GetSize(), 1);
    }
}

TEST_F(DocTest, InsertSegmentAfterCurrentTakesTheNextFreeNumber)
{
    BindFakePanels();
    BuildProject({ { 1 }, { 2 }, { 3 } });
    Seg(3)->m_pNode->m_name = L"片段_07";
    m_doc->m_currentSegment = 1;
    m_doc->InsertSegmentAfterCurrent();
    ASSERT_EQ(m_doc->m_segments.GetSize(), 4);
    EXPECT_EQ(Seg(2)->m_pNode->m_name, CString(L"片段_08"));
    EXPECT_EQ(Seg(2)->m_views.GetSize(), 1);
    EXPECT_EQ(Seg(3)->m_pSegmentInfo->m_totalFrames, 2);
    EXPECT_EQ(m_doc->m_currentSegment, 2);
    ExpectTreeNumbering();

    m_doc->m_currentSegment = 4; // after the last: appended
    m_doc->InsertSegmentAfterCurrent();
    EXPECT_EQ(Seg(5)->m_pNode->m_name, CString(L"片段_09"));
    m_doc->m_currentSegment = -1;
    m_doc->InsertSegmentAfterCurrent();
    EXPECT_EQ(m_doc->m_segments.GetSize(), 5);
}

TEST_F(DocTest, RenameAndPageNames)
{
    BindFakePanels();
    BuildProject({ { 10 } });
    m_doc->m_currentSegment = 1;
    m_doc->SelectNode(Prog(1, 1, 1)->m_pNode);
    m_doc->SetModifiedFlag(FALSE);
    m_doc->RenameNode();
    EXPECT_EQ(Prog(1, 1, 1)->m_pNode->m_name, CString(L"Renamed"));
    EXPECT_TRUE(m_doc->IsModified()); // a rename is a change to save
    m_host.m_inputOk = FALSE;
    m_doc->SelectNode(View(1, 1)->m_pNode);
    m_doc->SetModifiedFlag(FALSE);
    m_doc->RenameNode();
    EXPECT_EQ(View(1, 1)->m_pNode->m_name, CString(L"View_01"));
    EXPECT_FALSE(m_doc->IsModified());

    m_doc->SetNodeName(0, L"Seg"); // a view selected: the current segment
    EXPECT_EQ(Seg(1)->m_pNode->m_name, CString(L"Seg"));
    m_doc->SetNodeName(1, L"V");
    EXPECT_EQ(View(1, 1)->m_pNode->m_name, CString(L"V"));
    m_doc->SetNodeName(2, L"P"); // no program selected: nothing
    EXPECT_EQ(Prog(1, 1, 1)->m_pNode->m_name, CString(L"Renamed"));
    EXPECT_FALSE(m_doc->IsModified() && false);
}

TEST_F(DocTest, ViewRectanglesAndTheTracker)
{
    BindFakePanels();
    BuildProject({ { 10 } });
    m_doc->m_currentSegment = 1;
    m_doc->SelectNode(View(1, 1)->m_pNode);
    EXPECT_EQ(m_host.m_status.back(), CString(L"x:0  y:0  w:200  h:50"));

    CRect canvas;
    CDornelDoc::ProjectRectToCanvas(400, CRect(10, 5, 30, 15), canvas, 1, 1);
    EXPECT_EQ(canvas, CRect(50, 25, 150, 75));
    CDornelDoc::ProjectRectToCanvas(50, CRect(10, 5, 30, 15), canvas, 1, 1);
    EXPECT_EQ(canvas, CRect(5, 2, 15, 7));
    CDornelDoc::ProjectRectToCanvas(400, CRect(10, 5, 30, 15), canvas, 2, 1);
    EXPECT_EQ(canvas, CRect(40, 25, 120, 75));
    CRect untouched(1, 2, 3, 4);
    CDornelDoc::ProjectRectToCanvas(400, CRect(5, 5, 5, 9), untouched, 1, 1);
    EXPECT_EQ(untouched, CRect(1, 2, 3, 4));

    ASSERT_EQ(m_doc->OnViewPropertyChanged(52, 10), 1);
    ASSERT_EQ(m_doc->OnViewPropertyChanged(54, 20), 1);
    EXPECT_EQ(View(1, 1)->m_projectRect, CRect(10, 0, 30, 50));
    EXPECT_EQ(m_host.m_status.back(), CString(L"x:10  y:0  w:20  h:50"));
    m_doc->OnViewPropertyChanged(80, 0);
    EXPECT_EQ(View(1, 1)->m_projectRect, CRect(0, 0, 200, 50));

    m_doc->m_dotGap = 1; // zoom 400, type 1: a dot is 5 canvas pixels
    View(1, 1)->m_projectRect.SetRect(10, 5, 30, 15);
    m_doc->ApplyTrackedViewRect(CRect(52, 25, 152, 75), 8); // moved: size kept
    EXPECT_EQ(View(1, 1)->m_projectRect, CRect(11, 5, 31, 15));
    EXPECT_EQ(View(1, 1)->m_canvasRect, CRect(52, 25, 152, 75));
    m_doc->ApplyTrackedViewRect(CRect(51, 10, 151, 75), 4); // top edge: left and width kept
    EXPECT_EQ(View(1, 1)->m_projectRect, CRect(11, 2, 31, 15));
    m_doc->ShowTrackedRectText(CRect(52, 25, 152, 75));
    EXPECT_EQ(m_host.m_status.back(), CString(L"x:10  y:5  w:20  h:10"));

    CRect rect;
    m_doc->GetCurrentViewRect(rect);
    EXPECT_EQ(rect, CRect(11, 2, 31, 15));
    m_doc->SelectNode(nullptr);
    m_doc->GetCurrentViewRect(rect);
    EXPECT_EQ(rect, CRect(0, 0, 200, 50));
}

TEST_F(DocTest, RepeatCountSwitchesLoopPlay)
{
    BuildProject({ { 10 } });
    m_doc->SetViewRepeatCount(3);
    EXPECT_EQ(View(1, 1)->m_loopPlay, 0);
    m_doc->SetViewRepeatCount(0);
    EXPECT_EQ(View(1, 1)->m_loopPlay, 1);
    m_doc->SetViewTransparency(7);
    m_doc->SetViewTransparentMode(2);
    EXPECT_EQ(View(1, 1)->m_transparency, 7);
    EXPECT_EQ(View(1, 1)->m_transparentMode, 2);
}

TEST_F(DocTest, FourColourIndexesMapToModes)
{
    m_doc->m_screen = 2;
    m_doc->m_projectSettings.m_colorMode = 11;
    m_doc->m_projectSettings.m_whiteValue = 33;
    const int modes[] = { 11, 0, 1, 2, 3, 4, 8, 6, 10, 11, 0 };
    const int values[] = { 33, 0, 0, 0, 0, 0, 0, 0, 0, 44, 0 };
    for (int index = 0; index <= 10; ++index) {
        m_host.m_fourColor.clear();
        m_doc->ApplyFourColorMode(index, 44);
        ASSERT_EQ(m_host.m_fourColor.size(), 1u);
        EXPECT_EQ(m_host.m_fourColor[0], std::make_tuple(2, modes[index], values[index])) << index;
    }
    m_doc->m_projectSettings.m_colorMode = 3;
    m_host.m_fourColor.clear();
    m_doc->ApplyFourColorMode(0, 44);
    EXPECT_EQ(m_host.m_fourColor[0], std::make_tuple(2, 3, 0));
}

TEST_F(DocTest, SegmentPageAndTimeTrigger)
{
    BindFakePanels();
    EXPECT_EQ(m_doc->OnSegmentPropertyChanged(91, 3, L""), 0);
    BuildProject({ { 10 } });
    EXPECT_EQ(m_doc->OnSegmentPropertyChanged(91, 3, L""), 1);
    EXPECT_EQ(m_doc->OnSegmentPropertyChanged(92, 0, L"300"), 1);
    EXPECT_EQ(Seg(1)->m_fourColorMode, 3);
    EXPECT_EQ(Seg(1)->m_whiteValue, 300 & 0xFF);

    m_doc->EditSegmentTimeTrigger(0);
    EXPECT_EQ(m_host.CountCalls(L"TimeTrigger"), 0u);
    m_host.m_triggerOk = FALSE;
    m_doc->EditSegmentTimeTrigger(1);
    EXPECT_EQ(Seg(1)->m_pSegmentInfo->m_timePlay.m_durationSeconds, 1);
    m_host.m_triggerOk = TRUE;
    m_doc->EditSegmentTimeTrigger(1);
    EXPECT_EQ(Seg(1)->m_pSegmentInfo->m_timePlay.m_durationSeconds, 77);
}
