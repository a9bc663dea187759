// The list panel's port dialogs through the real panel: the adjustment
// (32898) follows the tree and keeps its checks while it changes a port,
// the per-lamp formats (32902) show the chosen port, and button 1004 adds
// a lamp format.
#include "PanelTestSupport.h"

#include "DialogScript.h"
#include "LampFormatDlgs.h"
#include "ListPanelResource.h"

using namespace pannextest;

TEST_F(ListPanelTest, PortMenuOpensTheAdjustmentWhichFollowsTheTree)
{
    fwtest::CScriptedUiHost host;
    Build({ 2 }, { 2, 3 });
    Tree().SelectItem(PortItem(1));
    fwtest::SendCommand(m_panel, ID_PORT_ADJUST);
    CAdjustDlg& adjust = m_panel.m_dlgAdjust;
    ASSERT_TRUE(::IsWindowVisible(adjust.m_hWnd));
    EXPECT_EQ(adjust.GetPortIndex(), 1);
    EXPECT_EQ(adjust.GetRowCount(), 9);

    Tree().SelectItem(PortItem(0));
    EXPECT_EQ(adjust.GetPortIndex(), 0);
    ASSERT_EQ(adjust.GetRowCount(), 6);
    adjust.m_listChannels.SetCheck(2);
    adjust.SetBrightnessOfChecked(50);
    // The tree was rebuilt for the adjusted label; the list kept its checks.
    EXPECT_EQ(Doc().GetLayout().GetPort(0).m_adjusted, 1);
    EXPECT_TRUE(adjust.m_listChannels.GetCheck(2));
    EXPECT_EQ(adjust.m_listChannels.GetItemText(2, 1), L"50");

    // A rebuilt layout without the port empties the list.
    Build({ 1 }, {});
    EXPECT_EQ(adjust.GetRowCount(), 0);
    adjust.ShowWindow(SW_HIDE);
}

TEST_F(ListPanelTest, PortMenuShowsTheLampFormatsOfThePort)
{
    fwtest::CScriptedUiHost host;
    Build({ 2 }, { 1, 4 });
    Tree().SelectItem(PortItem(1));
    fwtest::SendCommand(m_panel, ID_PORT_LAMPS_PER_POINT);
    ASSERT_TRUE(::IsWindowVisible(m_panel.m_dlgPixLightBar.m_hWnd));
    EXPECT_EQ(m_panel.m_dlgPixLightBar.GetPortIndex(), 1);
    EXPECT_EQ(m_panel.m_dlgPixLightBar.m_list.GetItemCount(), 4);
    m_panel.m_dlgPixLightBar.ShowWindow(SW_HIDE);
}

TEST_F(ListPanelTest, AddLampFormatButtonAppendsTheTypedFormat)
{
    fwtest::CScriptedUiHost host;
    Build({ 1 }, { 1 });
    ASSERT_TRUE(::IsWindowEnabled(::GetDlgItem(m_panel.m_hWnd, IDC_PANEL_ADD_LAMP_TYPE)));
    const int before = m_panel.m_cbLampType.GetCount();
    CDialogScript dialogs;
    dialogs.Expect<CAddLightBarDlg>([](CAddLightBarDlg& dlg) {
        fwtest::SetItemText(dlg, IDC_ALB_FORMAT, L"RGBW");
        fwtest::ClickButton(dlg, IDOK);
    });
    fwtest::ClickButton(m_panel, IDC_PANEL_ADD_LAMP_TYPE);
    EXPECT_EQ(LampTypeList.GetSize(), 2);
    EXPECT_EQ(m_panel.m_cbLampType.GetCount(), before + 1);
    EXPECT_EQ(Doc().GetLayout().m_modified, 1);
}
