// The project tree panel: the tree built from the document, selection by
// click, context menus, the toolbar's commands and tooltips.
#include "panels_fixture.h"

#include "panel_resource.h"

namespace panelstest {
namespace {

using TreePanelTest = PanelsTest;

TEST_F(TreePanelTest, TreeShowsSegmentsViewsAndNumberedProgramsOfTheProjectList)
{
    BuildProject({ { 10, 20, 30 }, { 5 } });
    // A program without a name gets the numbered default, which becomes its
    // name; a named one keeps its name.
    Prog(1, 1, 3)->m_pNode->m_name.Empty();
    Prog(1, 1, 2)->m_pNode->m_name = L"Mine";
    Seg(2)->m_pSegmentInfo->m_timePlay.m_holidayMask = 4;
    View(2, 1)->m_timeBase = 1;
    m_doc->RefreshPanels();

    const std::vector<CString> expected = { L"片段_01", L"  " + View(1, 1)->m_pNode->m_name,
        L"    " + Prog(1, 1, 1)->m_pNode->m_name, L"    Mine", L"    炫彩特效_03", L"片段_02 <Timed>",
        L"  " + View(2, 1)->m_pNode->m_name + L" <时间基准>", L"    " + Prog(2, 1, 1)->m_pNode->m_name };
    EXPECT_EQ(TreeLabels(), expected);
    EXPECT_EQ(Prog(1, 1, 3)->m_pNode->m_name, L"炫彩特效_03");
    // Every segment passes the insertion step: the last one is current.
    EXPECT_EQ(m_doc->m_currentSegment, 2);
    // Item data are the document's node records.
    HTREEITEM first = m_tree->GetTree().GetRootItem();
    EXPECT_EQ(reinterpret_cast<NodeInfo*>(m_tree->GetTree().GetItemData(first)), Seg(1)->m_pNode);
}

TEST_F(TreePanelTest, LanguageTextsReplaceDefaultLabels)
{
    BuildProject({ { 10 } });
    Prog(1, 1, 1)->m_pNode->m_name.Empty();
    Seg(1)->m_pSegmentInfo->m_timePlay.m_timedPlay = 1;
    View(1, 1)->m_timeBase = 1;
    m_host.m_texts[{ L"ITEM_TITLE", 279 }] = L"time base";
    m_host.m_texts[{ L"ITEM_TITLE", 1 }] = L"Segment";
    m_host.m_texts[{ L"ITEM_TITLE", 2 }] = L"Effect";
    m_host.m_texts[{ L"ITEM_TITLE", 148 }] = L"Clock";
    m_host.m_texts[{ L"TITLE", 1 }] = L"Project";
    m_tree->SendMessage(WM_LANGUAGE_CHANGED);
    Seg(1)->m_pNode->m_name.Empty();
    m_tree->RebuildTree();
    std::vector<CString> labels = TreeLabels();
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_EQ(labels[0], L"Segment_01 <Clock>");
    EXPECT_EQ(labels[1], L"  " + View(1, 1)->m_pNode->m_name + L" <time base>");
    EXPECT_EQ(labels[2], L"    Effect_01");
    CString title;
    m_tree->GetTitleBar().GetWindowText(title);
    EXPECT_EQ(title, L"Project");
}

TEST_F(TreePanelTest, EmptyProjectGivesAnEmptyTree)
{
    m_doc->RefreshPanels();
    EXPECT_EQ(m_tree->GetTree().GetCount(), 0u);
    EXPECT_EQ(m_tree->GetTree().GetSelectedItem(), nullptr);
    EXPECT_EQ(m_tree->GetRememberedItem(), nullptr);
}

TEST_F(TreePanelTest, ClickSelectsTheNodeSetsTheSegmentAndShowsItsProperties)
{
    BuildProject({ { 10 }, { 20, 30 } });
    m_doc->RefreshPanels();
    CTreeCtrl& tree = m_tree->GetTree();
    HTREEITEM segment2 = tree.GetNextSiblingItem(tree.GetRootItem());
    HTREEITEM program = tree.GetNextSiblingItem(tree.GetChildItem(tree.GetChildItem(segment2)));
    HTREEITEM segment1 = tree.GetRootItem();

    ClickItem(segment1);
    EXPECT_EQ(m_doc->m_pSelectedNode, Seg(1)->m_pNode);
    EXPECT_EQ(m_doc->m_currentSegment, 1);
    EXPECT_TRUE(m_props->m_segmentGroup->IsVisible());
    EXPECT_FALSE(m_props->m_viewGroup->IsVisible());

    ClickItem(program);
    EXPECT_EQ(m_doc->m_pSelectedNode, Prog(2, 1, 2)->m_pNode);
    EXPECT_EQ(m_doc->m_currentSegment, 2);
    EXPECT_EQ(m_doc->m_editedProgramKind, kNoEditedProgram);
    EXPECT_EQ(m_doc->m_pSelectedProgram, Prog(2, 1, 2));
    EXPECT_TRUE(m_props->m_materialGroup->IsVisible());
    EXPECT_EQ(Text(m_props->m_passFrames), L"30");

    // A rebuild selects the selected node's item again.
    m_doc->RefreshPanels();
    EXPECT_EQ(tree.GetItemData(m_tree->GetRememberedItem()), reinterpret_cast<DWORD_PTR>(Prog(2, 1, 2)->m_pNode));
    EXPECT_EQ(tree.GetSelectedItem(), m_tree->GetRememberedItem());
}

TEST_F(TreePanelTest, ClickBesideAllItemsChangesNothing)
{
    BuildProject({ { 10 } });
    m_doc->RefreshPanels();
    CPoint outside(5, 330);
    m_tree->GetTree().ClientToScreen(&outside);
    m_tree->m_cursor = outside;
    NMHDR header { m_tree->GetTree().GetSafeHwnd(), static_cast<UINT_PTR>(IDC_PROJECT_TREE),
        static_cast<UINT>(NM_CLICK) };
    m_tree->SendMessage(WM_NOTIFY, IDC_PROJECT_TREE, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(m_doc->m_pSelectedNode, nullptr);
}

TEST_F(TreePanelTest, RightClickShowsTheMenuOfTheNodeKind)
{
    BuildProject({ { 10 } });
    m_doc->RefreshPanels();
    ClickItem(m_tree->GetTree().GetRootItem(), NM_RCLICK);
    ASSERT_EQ(m_tree->m_menus.size(), 1u);
    EXPECT_EQ(m_tree->m_menus[0], (std::vector<UINT> { ID_TREE_INSERT_SEGMENT, ID_TREE_NEW_VIEW }));
    EXPECT_EQ(m_doc->m_pSelectedNode, Seg(1)->m_pNode);

    // On empty space: the new-segment menu.
    CPoint outside(5, 330);
    m_tree->GetTree().ClientToScreen(&outside);
    m_tree->m_cursor = outside;
    NMHDR header { m_tree->GetTree().GetSafeHwnd(), static_cast<UINT_PTR>(IDC_PROJECT_TREE),
        static_cast<UINT>(NM_RCLICK) };
    m_tree->SendMessage(WM_NOTIFY, IDC_PROJECT_TREE, reinterpret_cast<LPARAM>(&header));
    ASSERT_EQ(m_tree->m_menus.size(), 2u);
    EXPECT_EQ(m_tree->m_menus[1], (std::vector<UINT> { ID_TREE_NEW_SEGMENT }));
}

TEST_F(TreePanelTest, DoubleClickOnAProgramAsksForItsEditor)
{
    BuildProject({ { 10 } });
    m_doc->RefreshPanels();
    CTreeCtrl& tree = m_tree->GetTree();
    HTREEITEM program = tree.GetChildItem(tree.GetChildItem(tree.GetRootItem()));
    ClickItem(tree.GetRootItem(), NM_DBLCLK);
    EXPECT_TRUE(m_host.m_editorRequests.empty());
    ClickItem(program, NM_DBLCLK);
    EXPECT_EQ(m_doc->m_pSelectedNode, Prog(1, 1, 1)->m_pNode);
    EXPECT_EQ(m_host.m_editorRequests.size(), 1u);
}

TEST_F(TreePanelTest, CommandsMoveCopyPasteAndAddThroughTheDocument)
{
    BuildProject({ { 10 }, { 20 } });
    m_doc->RefreshPanels();
    NodeInfo* second = Seg(2)->m_pNode;
    QvSegmentGourp* secondSegment = Seg(2);
    ClickItem(m_tree->FindSegmentItem(2));
    fwtest::SendCommand(*m_tree, ID_TREE_MOVE_UP);
    EXPECT_EQ(Seg(1), secondSegment);
    EXPECT_EQ(second->m_index, 1);
    EXPECT_EQ(TreeLabels()[0], secondSegment->m_pNode->m_name);

    // Copy remembers the selected node and the current segment; paste on a
    // segment copies the segment.
    ClickItem(m_tree->FindSegmentItem(1));
    fwtest::SendCommand(*m_tree, ID_TREE_COPY);
    EXPECT_EQ(m_doc->m_pCopySourceNode, Seg(1)->m_pNode);
    EXPECT_EQ(m_doc->m_copySourceSegment, 1);
    fwtest::SendCommand(*m_tree, ID_TREE_PASTE);
    EXPECT_EQ(m_doc->m_segments.GetSize(), 3);

    fwtest::SendCommand(*m_tree, ID_TREE_NEW_SEGMENT);
    EXPECT_EQ(m_doc->m_segments.GetSize(), 4);
    EXPECT_EQ(Seg(4)->m_views.GetSize(), 1);
    EXPECT_EQ(m_tree->GetTree().GetCount(), static_cast<UINT>(TreeLabels().size()));
    EXPECT_EQ(TreeLabels().back(), L"  " + Seg(4)->m_views.GetAt(0)->m_pNode->m_name);

    m_doc->m_currentSegment = 1;
    fwtest::SendCommand(*m_tree, ID_TREE_NEW_VIEW);
    EXPECT_EQ(Seg(1)->m_views.GetSize(), 2);
    m_doc->m_currentSegment = 9; // outside: nothing
    fwtest::SendCommand(*m_tree, ID_TREE_NEW_VIEW);
    EXPECT_EQ(m_ui.PendingCount(), 0u);
}

TEST_F(TreePanelTest, CopyWithoutASelectedNodeSaysSo)
{
    BuildProject({ { 10 } });
    m_doc->RefreshPanels();
    m_tree->GetTree().SelectItem(m_tree->GetTree().GetRootItem()); // keyboard: the tree only
    EXPECT_EQ(m_doc->m_pSelectedNode, nullptr);
    m_ui.ExpectMessageBox(IDOK, L"Please Click A Node!");
    fwtest::SendCommand(*m_tree, ID_TREE_COPY);
    EXPECT_EQ(m_doc->m_pCopySourceNode, nullptr);
}

TEST_F(TreePanelTest, RenameThroughThePropertyPanelRelabelsTheTree)
{
    BuildProject({ { 10 } });
    m_doc->RefreshPanels();
    ClickItem(m_tree->GetTree().GetRootItem());
    Edit(m_props->m_segmentName, L"Intro");
    EXPECT_EQ(Seg(1)->m_pNode->m_name, L"Intro");
    EXPECT_EQ(TreeLabels()[0], L"Intro");
}

TEST_F(TreePanelTest, SelectSegmentMessageMovesOnlyTheHighlight)
{
    BuildProject({ { 10 }, { 10 } });
    m_doc->RefreshPanels();
    m_tree->SendMessage(WM_SELECT_SEGMENT, 1);
    EXPECT_EQ(m_tree->GetTree().GetSelectedItem(), m_tree->FindSegmentItem(1));
    EXPECT_EQ(m_doc->m_pSelectedNode, nullptr);
    m_tree->SendMessage(WM_SELECT_SEGMENT, 7);
    EXPECT_EQ(m_tree->GetTree().GetSelectedItem(), m_tree->FindSegmentItem(1));
}

TEST_F(TreePanelTest, TooltipTextsComeFromTheLanguageAndAreCutTo79Characters)
{
    m_host.m_texts[{ L"KVMENU", 15 }] = CString(L'x', 100);
    m_host.m_texts[{ L"KVMENU", 19 }] = L"Delete";
    EXPECT_EQ(m_tree->GetToolTipText(ID_TREE_NEW_SEGMENT), L"New Segment");
    EXPECT_EQ(m_tree->GetToolTipText(ID_TREE_DELETE), L"Delete");
    EXPECT_EQ(m_tree->GetToolTipText(1234), L"");

    NMTTDISPINFOW wide {};
    wide.hdr.code = TTN_GETDISPINFOW;
    wide.hdr.idFrom = ID_TREE_MOVE_UP;
    m_tree->SendMessage(WM_NOTIFY, ID_TREE_MOVE_UP, reinterpret_cast<LPARAM>(&wide));
    EXPECT_EQ(CString(wide.szText), CString(L'x', 79));

    NMTTDISPINFOA narrow {};
    narrow.hdr.code = TTN_GETDISPINFOA;
    narrow.hdr.idFrom = ID_TREE_DELETE;
    m_tree->SendMessage(WM_NOTIFY, ID_TREE_DELETE, reinterpret_cast<LPARAM>(&narrow));
    EXPECT_STREQ(narrow.szText, "Delete");
}

} // namespace
} // namespace panelstest
