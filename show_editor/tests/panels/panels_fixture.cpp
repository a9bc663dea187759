// Test support for the panels.
#include "panels_fixture.h"

#include "panel_resource.h"
#include "program_color_effect.h"

namespace panelstest {

CString CPanelTestHost::GetLangText(LPCTSTR section, int key)
{
    auto it = m_texts.find({ std::wstring(section), key });
    return it != m_texts.end() ? it->second : CString();
}

static CViewpanel* PlayerOf(CDornelDoc* doc)
{
    return doc != nullptr ? dynamic_cast<CViewpanel*>(doc->m_pViewPanel) : nullptr;
}

void CPanelTestHost::StartPlay()
{
    m_calls.push_back(L"StartPlay");
    if (CViewpanel* player = PlayerOf(m_doc))
        player->StartPlay();
}

void CPanelTestHost::PausePlay()
{
    m_calls.push_back(L"PausePlay");
    if (CViewpanel* player = PlayerOf(m_doc))
        player->PausePlay();
}

void CPanelTestHost::StopPlay()
{
    m_calls.push_back(L"StopPlay");
    if (CViewpanel* player = PlayerOf(m_doc))
        player->StopPlay();
}

void CTestTreePanel::TrackContextMenu(CMenu* popup, CPoint)
{
    std::vector<UINT> ids;
    for (int i = 0; i < popup->GetMenuItemCount(); ++i)
        ids.push_back(popup->GetMenuItemID(i));
    m_menus.push_back(ids);
}

Program* NewEffect(int length)
{
    auto* effect = new ProgramColorEffect;
    effect->m_orgFrames = length;
    effect->m_startFrame = 1;
    effect->m_endFrame = length;
    return effect;
}

PanelsTest::PanelsTest()
{
    m_doc = std::make_unique<CDornelDoc>();
    m_doc->m_bAutoDelete = FALSE; // the fixture owns it, not its views
    m_doc->SetHost(&m_host);
    m_host.m_doc = m_doc.get();
    EXPECT_TRUE(m_frame.CreateEx(0, AfxRegisterWndClass(0), L"panels", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
        1000, 700, nullptr, nullptr));
    CCreateContext context;
    context.m_pCurrentDoc = m_doc.get();
    m_player = new CViewpanel;
    m_tree = new CTestTreePanel;
    m_props = new CPropertypanel;
    EXPECT_TRUE(m_player->Create(nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(250, 0, 1000, 700), &m_frame, 1, &context));
    EXPECT_TRUE(m_tree->Create(nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 250, 350), &m_frame, 2, &context));
    EXPECT_TRUE(m_props->Create(nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(0, 350, 250, 700), &m_frame, 3, &context));
    m_doc->BindPanels();
}

PanelsTest::~PanelsTest()
{
    m_player->StopTemplateLoader();
    // The document's panel pointers go first, so that nothing reaches a
    // panel while the windows go.
    m_doc->m_pViewPanel = nullptr;
    m_doc->m_pTreePanel = nullptr;
    m_doc->m_pPropertyPanel = nullptr;
    m_frame.DestroyWindow();
    fwtest::PumpPending();
    m_doc.reset();
}

void PanelsTest::BuildProject(const std::vector<std::vector<int>>& programLengths)
{
    for (const std::vector<int>& lengths : programLengths) {
        QvSegmentGourp* segment = m_doc->NewSegment(TRUE, FALSE);
        ProgramView* view = segment->m_views.GetAt(0);
        for (int length : lengths)
            m_doc->AddProgramToView(view->m_pNode, NewEffect(length));
        m_doc->RecountViewFrames(view);
        m_doc->RecountSegmentFrames(segment);
    }
    // Building selects nodes on the way; a test starts without a selection.
    m_doc->m_pSelectedNode = nullptr;
    m_doc->m_pCurrentViewNode = nullptr;
}

void PanelsTest::ClickItem(HTREEITEM item, UINT code)
{
    CTreeCtrl& tree = m_tree->GetTree();
    tree.EnsureVisible(item);
    CRect rect;
    ASSERT_TRUE(tree.GetItemRect(item, rect, TRUE));
    CPoint point = rect.CenterPoint();
    tree.ClientToScreen(&point);
    m_tree->m_cursor = point;
    NMHDR header { tree.GetSafeHwnd(), static_cast<UINT_PTR>(IDC_PROJECT_TREE), code };
    m_tree->SendMessage(WM_NOTIFY, IDC_PROJECT_TREE, reinterpret_cast<LPARAM>(&header));
}

static void Collect(CTreeCtrl& tree, HTREEITEM first, const CString& indent, std::vector<CString>& out)
{
    for (HTREEITEM item = first; item != nullptr; item = tree.GetNextSiblingItem(item)) {
        out.push_back(indent + tree.GetItemText(item));
        Collect(tree, tree.GetChildItem(item), indent + L"  ", out);
    }
}

std::vector<CString> PanelsTest::TreeLabels()
{
    std::vector<CString> labels;
    Collect(m_tree->GetTree(), m_tree->GetTree().GetRootItem(), CString(), labels);
    return labels;
}

void PanelsTest::Edit(CMFCPropertyGridProperty* row, LPCTSTR text)
{
    row->SetValue(COleVariant(text));
    m_props->GetGrid().OnPropertyChanged(row);
}

} // namespace panelstest
