// The list panel fills the docked pane: its wide controls follow the
// panel's width and the tree its height, and the overview draws at its new
// size.
#include "PanelTestSupport.h"

#include "LampFormatDlgs.h"
#include "LayoutLangText.h"
#include "ListPanelResource.h"
#include "fw_label_fit.h"

using namespace pannextest;

namespace {

CRect ChildRect(CWnd& parent, int id)
{
    CRect r;
    ::GetWindowRect(::GetDlgItem(parent.m_hWnd, id), &r);
    ::MapWindowPoints(nullptr, parent.m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST_F(ListPanelTest, TheControlsFollowThePanelsSize)
{
    for (CSize size : { CSize(300, 700), CSize(420, 560) }) {
        m_panel.MoveWindow(0, 0, size.cx, size.cy);
        CRect client;
        m_panel.GetClientRect(&client);
        EXPECT_EQ(ChildRect(m_panel, IDC_PANEL_TREE).Width(), client.Width() - 4) << size.cx;
        EXPECT_EQ(ChildRect(m_panel, IDC_PANEL_TREE).bottom, client.Height() - 158);
        EXPECT_EQ(ChildRect(m_panel, IDC_PANEL_PREVIEW).Width(), client.Width() - 4);
        EXPECT_EQ(ChildRect(m_panel, IDC_PANEL_TEMPLATES).Width(), client.Width() - 4);
        EXPECT_EQ(ChildRect(m_panel, IDC_PANEL_ADD_LAMP_TYPE).right, client.Width() - 10);
        // The lamp combo ends before the add button.
        EXPECT_LT(ChildRect(m_panel, IDC_PANEL_LAMP_TYPES).right, ChildRect(m_panel, IDC_PANEL_ADD_LAMP_TYPE).left);
        CRect preview;
        m_panel.m_wndPreview.GetClientRect(&preview);
        EXPECT_EQ(m_panel.m_wndPreview.GetPlacement().drawn.right <= preview.right, true);
    }
}

TEST_F(ListPanelTest, TheLampFormatListOpensAsTallAsItsFormats)
{
    Build({ 1 }, { 1 });
    CComboBox& combo = m_panel.m_cbLampType;
    const int item = combo.GetItemHeight(0);
    ASSERT_GT(item, 0);
    // The rows the open list shows, from its inside height.
    auto shownRows = [&]() {
        combo.ShowDropDown(TRUE);
        COMBOBOXINFO info = {};
        info.cbSize = sizeof(info);
        EXPECT_TRUE(::GetComboBoxInfo(combo.m_hWnd, &info));
        CRect list;
        ::GetClientRect(info.hwndList, &list);
        const bool open = combo.GetDroppedState() != FALSE;
        combo.ShowDropDown(FALSE);
        EXPECT_TRUE(open);
        return static_cast<double>(list.Height()) / item;
    };
    struct Row {
        const char* name;
        int formats;
        int rows;
    };
    const Row rows[]
        = { { "the default format", 1, 1 }, { "three formats", 3, 3 }, { "twenty, twelve shown", 20, 12 } };
    for (const Row& row : rows) {
        ResetLampTypeList();
        for (int i = 1; i < row.formats; ++i) {
            CString format(L'R', i);
            LampTypeList.Add(format + L"GB");
        }
        m_panel.FillLampTypeCombo();
        ASSERT_EQ(combo.GetCount(), row.formats) << row.name;
        EXPECT_NEAR(shownRows(), row.rows, 0.5) << row.name;
    }
    // A format added with the panel's Add button is shown the next time.
    ResetLampTypeList();
    m_panel.FillLampTypeCombo();
    ASSERT_EQ(AddLampFormat(L"RGBW", &combo, nullptr), AddLampFormatResult::Added);
    EXPECT_NEAR(shownRows(), 2, 0.5);
    ResetLampTypeList();
}

// The panel's labels and buttons speak each language and are not cut: a
// button whose words need more room than its usual width gets it, and the
// template buttons stay in one row after their label.
TEST_F(ListPanelTest, TheLabelsAndButtonsSpeakEachLanguageAndFit)
{
    const struct {
        int id;
        int key;
    } labels[] = { { IDC_PANEL_LAMP_LABEL, 74 }, { IDC_PANEL_TREE_LABEL, 55 }, { IDC_PANEL_TEMPLATE_LABEL, 75 },
        { IDC_PANEL_ADD_LAMP_TYPE, 985 }, { IDC_PANEL_ADD_TEMPLATE, 986 }, { IDC_PANEL_OPEN_TEMPLATE, 987 },
        { IDC_PANEL_REFRESH_TEMPLATES, 988 } };
    m_panel.MoveWindow(0, 0, 224, 700);
    for (int language : { 1, 2, 3, 4 }) {
        SetLangTextLanguage(language);
        m_panel.LocalizeLabels();
        for (const auto& label : labels) {
            CString text;
            m_panel.GetDlgItemText(label.id, text);
            EXPECT_FALSE(text.IsEmpty()) << language << " " << label.id;
            EXPECT_EQ(text, GetLangText(L"LAYOUT", label.key)) << language << " " << label.id;
        }
        const auto cut = fwtest::FindCutLabels(m_panel.m_hWnd);
        EXPECT_TRUE(cut.empty()) << "language " << language << ":" << fwtest::DescribeCutLabels(cut);
        const CRect label = ChildRect(m_panel, IDC_PANEL_TEMPLATE_LABEL);
        const CRect add = ChildRect(m_panel, IDC_PANEL_ADD_TEMPLATE);
        const CRect open = ChildRect(m_panel, IDC_PANEL_OPEN_TEMPLATE);
        const CRect refresh = ChildRect(m_panel, IDC_PANEL_REFRESH_TEMPLATES);
        EXPECT_LT(label.right, add.left) << language;
        EXPECT_LT(add.right, open.left) << language;
        EXPECT_LT(open.right, refresh.left) << language;
        EXPECT_EQ(add.top, refresh.top) << language;
        CRect client;
        m_panel.GetClientRect(&client);
        EXPECT_LE(refresh.right, client.right) << language;
        EXPECT_LT(ChildRect(m_panel, IDC_PANEL_LAMP_TYPES).right, ChildRect(m_panel, IDC_PANEL_ADD_LAMP_TYPE).left);
    }
    SetLangTextLanguage(2);
}

TEST(ListPanelPane, ThePanelFillsTheFramesPane)
{
    CPannexSession s({});
    ASSERT_TRUE(s.started);
    s.Frame()->ShowWindow(SW_SHOW);
    s.Frame()->MoveWindow(0, 0, 1000, 700);
    fwtest::PumpPending();
    CWnd* panel = s.Frame()->GetListPanel() != nullptr ? s.Frame()->GetListPanel()->GetPanelWnd() : nullptr;
    ASSERT_NE(panel, nullptr);
    CRect pane;
    ::GetClientRect(::GetParent(panel->m_hWnd), &pane);
    CRect client;
    panel->GetClientRect(&client);
    EXPECT_EQ(client.Height(), pane.Height());
    EXPECT_GE(client.Width(), pane.Width() - 8);
    EXPECT_EQ(ChildRect(*panel, IDC_PANEL_TREE).Width(), client.Width() - 4);
}

} // namespace
