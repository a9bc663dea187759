// The property panel: pages per node kind and the checked edits handed to
// the document with their property ids.
#include "panels_fixture.h"

#include "program_colorful_words.h"

namespace panelstest {
namespace {

using PropertyPanelTest = PanelsTest;

TEST_F(PropertyPanelTest, StartsWithTheProjectGroupOnlyAndTheTableValues)
{
    EXPECT_TRUE(m_props->m_projectGroup->IsVisible());
    EXPECT_FALSE(m_props->m_segmentGroup->IsVisible());
    EXPECT_FALSE(m_props->m_viewGroup->IsVisible());
    EXPECT_FALSE(m_props->m_materialGroup->IsVisible());
    EXPECT_TRUE(m_props->m_wiringMask->IsChecked());
    EXPECT_EQ(m_props->m_frameRate->GetOptionCount(), 15);
    EXPECT_EQ(m_props->m_fourColor->GetOptionCount(), 10);
    EXPECT_EQ(m_props->FindRow(PROP_SHOW_TIME)->GetDescription(), L"播放时长");
    EXPECT_EQ(m_props->m_materialGroup->GetData(), static_cast<DWORD_PTR>(PROP_MATERIAL_GROUP));
}

TEST_F(PropertyPanelTest, ProgramPageShowsSegmentViewAndProgramValues)
{
    BuildProject({ { 10 }, { 20, 30, 40 } });
    Prog(2, 1, 3)->m_pNode->m_name.Empty();
    Prog(2, 1, 3)->m_hTiles = 3;
    View(2, 1)->m_transparency = 77;
    m_doc->m_currentSegment = 2;
    m_props->SendMessage(WM_SHOW_PROPERTIES, 0, reinterpret_cast<LPARAM>(Prog(2, 1, 3)->m_pNode));
    EXPECT_TRUE(m_props->m_materialGroup->IsVisible());
    EXPECT_EQ(m_props->m_segmentGroup->GetData(), 2u);
    EXPECT_EQ(Text(m_props->m_segmentName), Seg(2)->m_pNode->m_name);
    EXPECT_EQ(Text(m_props->m_segmentFrames), L"90");
    EXPECT_EQ(Text(m_props->m_transparency), L"77");
    EXPECT_EQ(Text(m_props->m_programName), L"炫彩特效_03");
    EXPECT_EQ(Prog(2, 1, 3)->m_pNode->m_name, L"炫彩特效_03");
    EXPECT_EQ(Text(m_props->m_passFrames), L"40");
    EXPECT_EQ(Text(m_props->m_hTiles), L"3");
    EXPECT_EQ(Text(m_props->m_startSpeed), L"1.00x");
    EXPECT_TRUE(m_props->m_startSpeed->IsVisible());
    EXPECT_EQ(m_doc->m_pSelectedProgram, Prog(2, 1, 3));
    EXPECT_EQ(Text(m_props->m_playCount), L"LOOP");
    EXPECT_TRUE(m_props->m_fullSize->IsChecked());
}

TEST_F(PropertyPanelTest, ColourfulTextEmptiesAndDisablesTheRangeRows)
{
    BuildProject({ { 10 } });
    auto* words = new ProgramColorFulWords;
    words->m_programType = PROGRAM_TYPE_COLORFUL_WORDS;
    words->m_orgFrames = 50;
    words->m_endFrame = 50;
    m_doc->AddProgramToView(View(1, 1)->m_pNode, words);
    m_doc->m_currentSegment = 1;
    m_props->OnShowProperties(words->m_pNode);
    EXPECT_FALSE(m_props->m_hTiles->IsEnabled());
    EXPECT_EQ(Text(m_props->m_startFrame), L"");
    EXPECT_EQ(Text(m_props->m_endSpeed), L"");
}

TEST_F(PropertyPanelTest, ProjectEditsAreCheckedOrPutBack)
{
    m_doc->RefreshPanels();
    const int width = m_doc->m_projectSettings.m_width;
    Edit(m_props->m_width, L"0");
    EXPECT_EQ(Text(m_props->m_width), L"200");
    EXPECT_EQ(m_doc->m_projectSettings.m_width, width);
    Edit(m_props->m_width, L"abc");
    EXPECT_EQ(Text(m_props->m_width), L"200");
    Edit(m_props->m_width, L"320");
    EXPECT_EQ(m_doc->m_projectSettings.m_width, 320);

    m_doc->m_projectSettings.m_totalFrames = 100;
    Edit(m_props->m_playedFrames, L"100");
    EXPECT_EQ(m_doc->m_projectSettings.m_playFrames, 100);
    Edit(m_props->m_playedFrames, L"101");
    EXPECT_EQ(Text(m_props->m_playedFrames), L"0");
    EXPECT_EQ(m_doc->m_projectSettings.m_playFrames, 100);

    // A bare file name passes nothing; a path shows its file name only.
    Edit(m_props->m_background, L"picture.png");
    EXPECT_TRUE(m_doc->m_projectSettings.m_backgroundImage.IsEmpty());
}

TEST_F(PropertyPanelTest, ViewEditsGoToTheDocumentOrArePutBack)
{
    BuildProject({ { 10 } });
    m_doc->m_currentSegment = 1;
    m_doc->SelectNode(View(1, 1)->m_pNode);
    m_props->OnShowProperties(View(1, 1)->m_pNode);
    ProgramView* view = View(1, 1);

    Edit(m_props->m_transparency, L"300");
    EXPECT_EQ(Text(m_props->m_transparency), L"255");
    Edit(m_props->m_transparency, L"x");
    EXPECT_EQ(Text(m_props->m_transparency), L"0");
    EXPECT_EQ(view->m_transparency, 0);

    Edit(m_props->m_brightness, L"150");
    EXPECT_EQ(Text(m_props->m_brightness), L"100");
    EXPECT_EQ(view->m_brightness, 100);
    Edit(m_props->m_brightness, L"40");
    EXPECT_EQ(view->m_brightness, 40);

    Edit(m_props->m_viewWidth, L"100");
    EXPECT_EQ(view->m_projectRect.Width(), 100);
    Edit(m_props->m_viewWidth, L"9999");
    EXPECT_EQ(Text(m_props->m_viewWidth), L"200");
    EXPECT_EQ(view->m_projectRect.Width(), 100);

    Edit(m_props->m_playCount, L"3");
    EXPECT_EQ(view->m_repeatCount, 3);
    EXPECT_EQ(Text(m_props->m_showTime), L"0");

    Edit(m_props->m_viewName, L"");
    EXPECT_EQ(Text(m_props->m_viewName), L"");
    EXPECT_FALSE(view->m_pNode->m_name.IsEmpty());
}

TEST_F(PropertyPanelTest, ClickingTheLockBoxLocksTheViewAndMakesTheRectangleReadOnly)
{
    BuildProject({ { 10 } });
    m_doc->m_currentSegment = 1;
    m_doc->SelectNode(View(1, 1)->m_pNode);
    m_props->MoveWindow(0, 0, 250, 700);
    m_props->OnShowProperties(View(1, 1)->m_pNode);
    CMFCPropertyGridCtrl& grid = m_props->GetGrid();
    CRect cell = m_props->m_lock->GetValueRect();
    ASSERT_FALSE(cell.IsRectEmpty());
    CPoint point = cell.CenterPoint();
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    grid.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    EXPECT_TRUE(m_props->m_lock->IsChecked());
    EXPECT_EQ(View(1, 1)->m_areaLocked, 1);
    EXPECT_FALSE(m_props->m_viewX->IsAllowEdit());
    // No edit box came up for the check row.
    CWnd* inPlace = m_props->m_lock->GetInPlaceWnd();
    EXPECT_TRUE(inPlace == nullptr || !inPlace->IsWindowVisible());
}

TEST_F(PropertyPanelTest, FullSizeOfAViewThatCoversTheProjectStaysChecked)
{
    BuildProject({ { 10 } });
    m_doc->m_currentSegment = 1;
    m_doc->SelectNode(View(1, 1)->m_pNode);
    m_props->OnShowProperties(View(1, 1)->m_pNode);
    ASSERT_TRUE(m_props->m_fullSize->IsChecked());
    m_props->m_fullSize->OnClickValue(WM_LBUTTONDOWN, CPoint());
    EXPECT_TRUE(m_props->m_fullSize->IsChecked());
}

TEST_F(PropertyPanelTest, LastFourColourOptionEnablesTheWhiteRow)
{
    BuildProject({ { 10 } });
    m_doc->m_currentSegment = 1;
    m_doc->SelectNode(Seg(1)->m_pNode);
    m_props->OnShowProperties(Seg(1)->m_pNode);
    EXPECT_FALSE(m_props->m_whiteValue->IsEnabled());
    Edit(m_props->m_fourColor, L"白光固亮模式");
    EXPECT_TRUE(m_props->m_whiteValue->IsEnabled());
    EXPECT_EQ(Seg(1)->m_fourColorMode, 9);
    Edit(m_props->m_fourColor, L"节能模式");
    EXPECT_FALSE(m_props->m_whiteValue->IsEnabled());
    EXPECT_EQ(Seg(1)->m_fourColorMode, 2);
}

TEST_F(PropertyPanelTest, StartFrameAboveThePresentEndFrameIsPutBack)
{
    BuildProject({ { 40 } });
    Prog(1, 1, 1)->m_endFrame = 20;
    m_doc->m_currentSegment = 1;
    m_props->OnShowProperties(Prog(1, 1, 1)->m_pNode);
    Edit(m_props->m_startFrame, L"30");
    EXPECT_EQ(Text(m_props->m_startFrame), L"");
    EXPECT_EQ(Prog(1, 1, 1)->m_startFrame, 1);
}

TEST_F(PropertyPanelTest, LanguageChangeWithASelectionLeavesOnlyTheProjectGroup)
{
    BuildProject({ { 10 } });
    m_doc->m_currentSegment = 1;
    m_doc->SelectNode(View(1, 1)->m_pNode);
    m_props->OnShowProperties(View(1, 1)->m_pNode);
    m_host.m_texts[{ L"ITEM_TITLE", 7 }] = L"Width";
    m_host.m_texts[{ L"ITEM_TITLE", 12 }] = L"Dots";
    m_host.m_texts[{ L"ITEM_TITLE", 13 }] = L"Round";
    m_props->SendMessage(WM_LANGUAGE_CHANGED);
    EXPECT_FALSE(m_props->m_viewGroup->IsVisible());
    EXPECT_FALSE(m_props->m_segmentGroup->IsVisible());
    EXPECT_EQ(CString(m_props->m_width->GetName()), L"Width");
    EXPECT_EQ(m_props->m_width->GetDescription(), L"Width");
    // Missing option keys leave one empty option besides the found one.
    EXPECT_EQ(m_props->m_dotStyle->GetOptionCount(), 2);
    EXPECT_EQ(CString(m_props->m_dotStyle->GetOption(0)), L"Round");
}

} // namespace
} // namespace panelstest
