// The layout editor's gamma, lamp format, lamp selection and adjustment
// dialogs driven live: their controls, buttons and what they leave in the
// model.
#include "PannexTestUtil.h"

#include <afxcmn.h>

#include "../dxf/DxfTestUtil.h"
#include "AdjustDlg.h"
#include "ChannelAdjust.h"
#include "DialogScript.h"
#include "GammaCurveFile.h"
#include "GammaCurveTables.h"
#include "GammaDlg.h"
#include "LampFormatDlgs.h"
#include "LampSelectDlgs.h"
#include "LampTypeList.h"
#include "LayoutLangText.h"
#include "PannexSession.h"
#include "PixLightBarDlg.h"
#include "ShowPointDlg.h"
#include "ThreeDResetDlg.h"

using namespace pannextest;

namespace {

CString GridText(CGammaDlg& dlg, int row, int col)
{
    return dlg.m_grid.GetItemText(row, col);
}

// A layout of one controller with ports of the given lamp counts (lamp
// format "RGB").
void MakePorts(CPannexSession& s, std::initializer_list<int> lamps)
{
    CLayoutData& model = s.Doc()->GetLayout();
    ASSERT_TRUE(model.ResetPorts(static_cast<int>(lamps.size()), 64, L"RGB", 0));
    s.View()->GetLayoutSettings().SetControllers(1, static_cast<int>(lamps.size()));
    int p = 0;
    for (int n : lamps) {
        std::vector<CLPoint> points;
        for (int i = 0; i < n; ++i)
            points.emplace_back(i, p);
        model.GetPort(p).InsertPoints(points.data(), n);
        ++p;
    }
    model.RebuildUsedPorts();
    model.m_modified = 0;
}

std::vector<int> CheckedRows(CListCtrl& list)
{
    std::vector<int> out;
    for (int i = 0; i < list.GetItemCount(); ++i) {
        if (list.GetCheck(i))
            out.push_back(i);
    }
    return out;
}

class LayoutDialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetCallerWindow(nullptr);
        GammaCurveTables.Reset();
        ResetLampTypeList();
    }
    void TearDown() override
    {
        GammaCurveTables.Reset();
        ResetLampTypeList();
    }
};

} // namespace

TEST_F(LayoutDialogsTest, GammaShowsIdentityForANewCurveAndOkClampsIntoTheNextSlot)
{
    fwtest::CScriptedUiHost host;
    CPannexSession s({});
    GammaCurveTables.m_count = 1;
    CGammaDlg dlg(s.Frame());
    dlg.m_curveNumber = 0;
    const INT_PTR result = fwtest::RunModal(dlg, [&](CDialog&) {
        EXPECT_EQ(dlg.m_grid.GetRowCount(), 257);
        EXPECT_EQ(dlg.m_grid.GetColumnCount(), 2);
        EXPECT_EQ(GridText(dlg, 1, 0), L"0");
        EXPECT_EQ(GridText(dlg, 1, 1), L"0");
        EXPECT_EQ(GridText(dlg, 256, 0), L"255");
        EXPECT_EQ(GridText(dlg, 256, 1), L"255");
        dlg.m_grid.SetItemText(1, 1, L"300");
        dlg.m_grid.SetItemText(2, 1, L"-5");
        dlg.m_grid.SetItemText(3, 1, L"abc");
        fwtest::ClickButton(dlg, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    // The new curve takes slot 1 (the count is the caller's to raise).
    EXPECT_EQ(GammaCurveTables.m_count, 1);
    EXPECT_EQ(GammaCurveTables.m_curves[1][0], 255);
    EXPECT_EQ(GammaCurveTables.m_curves[1][1], 0);
    EXPECT_EQ(GammaCurveTables.m_curves[1][2], 0);
    EXPECT_EQ(GammaCurveTables.m_curves[1][200], 200);
    EXPECT_EQ(GammaCurveTables.m_curves[0][0], 0);
}

TEST_F(LayoutDialogsTest, GammaExportThenImportRoundTripsAndCancelKeepsTheCurve)
{
    fwtest::CScriptedUiHost host;
    CPannexSession s({});
    GammaCurveTables.m_count = 2;
    for (int i = 0; i < kCurveEntries; ++i)
        GammaCurveTables.m_curves[1][i] = static_cast<BYTE>(255 - i);
    ScratchFile file(L".ini");
    {
        CGammaDlg dlg(s.Frame());
        dlg.m_curveNumber = 2;
        host.ExpectFileSave(file.Path());
        fwtest::RunModal(dlg, [&](CDialog&) {
            EXPECT_EQ(GridText(dlg, 1, 1), L"255");
            fwtest::ClickButton(dlg, IDC_GAMMA_EXPORT);
            fwtest::ClickButton(dlg, IDCANCEL);
        });
        EXPECT_EQ(host.m_lastFileRequest.strFilter, L"Gamma (*.ini)|*.ini|All Flie (*.*)|*.*||");
    }
    {
        // Into curve 1 (identity): import changes the grid, Cancel the curve not.
        CGammaDlg dlg(s.Frame());
        dlg.m_curveNumber = 1;
        host.ExpectFileOpen({ file.Path() });
        fwtest::RunModal(dlg, [&](CDialog&) {
            fwtest::ClickButton(dlg, IDC_GAMMA_IMPORT);
            EXPECT_EQ(GridText(dlg, 1, 1), L"255");
            EXPECT_EQ(GridText(dlg, 256, 1), L"0");
            fwtest::ClickButton(dlg, IDCANCEL);
        });
        EXPECT_EQ(GammaCurveTables.m_curves[0][0], 0);
    }
    {
        // A value of 256 stops the import with the message; rows before it stay.
        int values[kCurveEntries];
        for (int i = 0; i < kCurveEntries; ++i)
            values[i] = i < 4 ? 7 : (i == 4 ? 256 : i);
        const CStringA text = FormatGammaCurveFile(values);
        file.Write(text.GetString());
        CGammaDlg dlg(s.Frame());
        dlg.m_curveNumber = 1;
        host.ExpectFileOpen({ file.Path() });
        host.ExpectMessageBox(IDOK, nullptr);
        fwtest::RunModal(dlg, [&](CDialog&) {
            fwtest::ClickButton(dlg, IDC_GAMMA_IMPORT);
            EXPECT_EQ(GridText(dlg, 4, 1), L"7");
            EXPECT_EQ(GridText(dlg, 5, 1), L"4");
            fwtest::ClickButton(dlg, IDOK);
        });
        EXPECT_EQ(GammaCurveTables.m_curves[0][3], 7);
        EXPECT_EQ(GammaCurveTables.m_curves[0][4], 4);
    }
    EXPECT_EQ(host.PendingCount(), 0u);
}

TEST_F(LayoutDialogsTest, AdvancedFormatBuilderRefusesEmptyTablesAndBuildsTheFormat)
{
    fwtest::CScriptedUiHost host;
    CPannexSession s({});
    CAddLightBarDlg dlg(s.Frame());
    CDialogScript dialogs;
    dialogs.Expect<CAddLightBarDlg>([&](CAddLightBarDlg& live) {
        fwtest::ClickButton(live, IDC_ALB_ADVANCED);
        EXPECT_EQ(fwtest::GetItemText(live, IDC_ALB_FORMAT), L"R1G1R2G2R3G3B4B5");
        fwtest::ClickButton(live, IDOK);
    });
    dialogs.Expect<CAddLightBarAdvancedDlg>([&](CAddLightBarAdvancedDlg& adv) {
        host.ExpectMessageBox(IDOK, nullptr); // 0 segments
        fwtest::ClickButton(adv, IDOK);
        EXPECT_TRUE(::IsWindowVisible(adv.m_hWnd));
        fwtest::SetItemText(adv, IDC_ALBA_SEGMENTS, L"2");
        ::SendMessageW(adv.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_ALBA_SEGMENTS, EN_KILLFOCUS),
            reinterpret_cast<LPARAM>(::GetDlgItem(adv.m_hWnd, IDC_ALBA_SEGMENTS)));
        EXPECT_EQ(adv.m_grid.GetRowCount(), 3);
        EXPECT_EQ(adv.m_grid.GetItemText(2, 0), L"2");
        adv.m_grid.SetItemText(1, 1, L"3");
        adv.m_grid.SetItemText(1, 2, L"rg");
        adv.m_grid.SetItemText(2, 1, L"2");
        host.ExpectMessageBox(IDOK, nullptr); // letters of row 2 missing
        fwtest::ClickButton(adv, IDOK);
        EXPECT_TRUE(::IsWindowVisible(adv.m_hWnd));
        adv.m_grid.SetItemText(2, 2, L"B");
        fwtest::ClickButton(adv, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strFormat, L"R1G1R2G2R3G3B4B5");
    EXPECT_EQ(dlg.m_dlgAdvanced.m_arrLetters[0], L"RG");
    EXPECT_EQ(host.Transcript().size(), 2u);
}

TEST_F(LayoutDialogsTest, SegmentTableExportAndImportThroughTheDialog)
{
    fwtest::CScriptedUiHost host;
    CPannexSession s({});
    ScratchFile file(L".txt");
    CAddLightBarAdvancedDlg adv(s.Frame());
    adv.m_nSegments = 2;
    adv.m_arrLampCounts.Add(2);
    adv.m_arrLampCounts.Add(1);
    adv.m_arrLetters.Add(L"RGB");
    adv.m_arrLetters.Add(L"W");
    host.ExpectFileSave(file.Path());
    fwtest::RunModal(adv, [&](CDialog&) {
        fwtest::ClickButton(adv, IDC_ALBA_EXPORT);
        fwtest::ClickButton(adv, IDCANCEL);
    });
    CAddLightBarAdvancedDlg back(s.Frame());
    host.ExpectFileOpen({ file.Path() });
    fwtest::RunModal(back, [&](CDialog&) {
        fwtest::ClickButton(back, IDC_ALBA_IMPORT);
        EXPECT_EQ(fwtest::GetItemText(back, IDC_ALBA_SEGMENTS), L"2");
        EXPECT_EQ(back.m_grid.GetItemText(1, 2), L"RGB");
        EXPECT_EQ(back.m_grid.GetItemText(2, 1), L"1");
        fwtest::ClickButton(back, IDOK);
    });
    EXPECT_EQ(back.m_strResult, L"R1G1B1R2G2B2W3");

    // A line without a comma: a message, and the table stays as it was.
    file.Write("2,RGB\r\n5\r\n");
    CAddLightBarAdvancedDlg bad(s.Frame());
    host.ExpectFileOpen({ file.Path() });
    host.ExpectMessageBox(IDOK, nullptr);
    fwtest::RunModal(bad, [&](CDialog&) {
        fwtest::ClickButton(bad, IDC_ALBA_IMPORT);
        EXPECT_EQ(bad.m_grid.GetRowCount(), 1);
        EXPECT_EQ(bad.m_nSegments, 0);
        fwtest::ClickButton(bad, IDCANCEL);
    });
    EXPECT_EQ(host.PendingCount(), 0u);
}

TEST_F(LayoutDialogsTest, AddingAFormatRefusesDuplicatesWithoutCase)
{
    fwtest::CScriptedUiHost host;
    CPannexSession s({});
    CComboBox combo;
    ASSERT_TRUE(combo.Create(CBS_DROPDOWNLIST | WS_CHILD, CRect(0, 0, 100, 100), s.Frame(), 4001));
    combo.AddString(L"(1): RGB");
    host.ExpectMessageBox(IDOK, nullptr);
    EXPECT_EQ(AddLampFormat(L"rgb", &combo, s.Doc()), AddLampFormatResult::Duplicate);
    EXPECT_EQ(LampTypeList.GetSize(), 1);
    EXPECT_EQ(AddLampFormat(L"", &combo, s.Doc()), AddLampFormatResult::Empty);
    s.Doc()->GetLayout().m_modified = 0;
    EXPECT_EQ(AddLampFormat(L"RGBW", &combo, s.Doc()), AddLampFormatResult::Added);
    ASSERT_EQ(LampTypeList.GetSize(), 2);
    EXPECT_EQ(LampTypeList[1], L"RGBW");
    CString entry;
    combo.GetLBText(1, entry);
    EXPECT_EQ(entry, L"(2): RGBW");
    EXPECT_EQ(s.Doc()->GetLayout().m_modified, 1);
    combo.DestroyWindow();
}

TEST_F(LayoutDialogsTest, AdjustmentListSetsValuesAndTheAdjustedFlag)
{
    fwtest::CScriptedUiHost host;
    CPannexSession s({});
    MakePorts(s, { 2, 4 });
    CAdjustDlg dlg;
    ASSERT_TRUE(dlg.CreateHidden(s.Frame()));
    std::vector<int> changed;
    dlg.m_onPortChanged = [&](int port) { changed.push_back(port); };
    dlg.ShowWindow(SW_SHOW);
    dlg.LoadPort(0);
    ASSERT_EQ(dlg.GetRowCount(), 6);
    EXPECT_EQ(dlg.m_listChannels.GetItemText(5, 0), L"6");
    EXPECT_EQ(dlg.m_listChannels.GetItemText(0, 1), L"100");
    EXPECT_EQ(dlg.m_cbCurve.GetCount(), 1);

    // Interval selection: rows 0 and 1 with gap 2 on 6 rows gives 0, 1, 4, 5.
    dlg.m_listChannels.SetCheck(0);
    dlg.m_listChannels.SetCheck(1);
    fwtest::SetItemText(dlg, IDC_ADJ_GAP, L"2");
    host.ExpectMessageBox(IDYES, nullptr);
    fwtest::ClickButton(dlg, IDC_ADJ_INTERVAL);
    EXPECT_EQ(CheckedRows(dlg.m_listChannels), (std::vector<int> { 0, 1, 4, 5 }));
    // A negative gap is refused with a message.
    fwtest::SetItemText(dlg, IDC_ADJ_GAP, L"-1");
    host.ExpectMessageBox(IDYES, nullptr);
    host.ExpectMessageBox(IDOK, nullptr);
    fwtest::ClickButton(dlg, IDC_ADJ_INTERVAL);
    EXPECT_EQ(CheckedRows(dlg.m_listChannels), (std::vector<int> { 0, 1, 4, 5 }));

    fwtest::SetItemText(dlg, IDC_ADJ_COEFFICIENT, L"300");
    fwtest::ClickButton(dlg, IDC_ADJ_SET_BRIGHTNESS);
    const LayoutPort& port = s.Doc()->GetLayout().GetPort(0);
    EXPECT_EQ(port.m_brightness[4], 255); // held to a byte, not cut
    EXPECT_EQ(port.m_brightness[2], 100);
    EXPECT_EQ(port.m_adjusted, 1);
    EXPECT_EQ(dlg.m_listChannels.GetItemText(4, 1), L"255");
    EXPECT_EQ(changed, (std::vector<int> { 0 }));
    EXPECT_EQ(s.Doc()->GetLayout().m_modified, 1);

    // Select set channels: brightness other than 100 only.
    host.ExpectMessageBox(IDYES, nullptr);
    fwtest::ClickButton(dlg, IDC_ADJ_DESELECT);
    s.Doc()->GetLayout().GetPort(0).m_gamma[3] = 1;
    fwtest::ClickButton(dlg, IDC_ADJ_SELECT_SET);
    EXPECT_EQ(CheckedRows(dlg.m_listChannels), (std::vector<int> { 0, 1, 4, 5 }));

    // 100 everywhere with a curve left keeps the flag; without it clears it.
    host.ExpectMessageBox(IDYES, nullptr);
    fwtest::ClickButton(dlg, IDC_ADJ_SELECT_ALL);
    fwtest::SetItemText(dlg, IDC_ADJ_COEFFICIENT, L"100");
    fwtest::ClickButton(dlg, IDC_ADJ_SET_BRIGHTNESS);
    EXPECT_EQ(port.m_adjusted, 1);
    fwtest::ClickButton(dlg, IDC_ADJ_SET_CURVE); // curve "default" on all
    EXPECT_EQ(port.m_adjusted, 0);
    EXPECT_EQ(host.PendingCount(), 0u);
    dlg.DestroyWindow();
}

TEST_F(LayoutDialogsTest, IntervalsTheListCannotHoldAreRefusedInBothLists)
{
    // Six rows in each list (two RGB lamps of channels, six lamps), rows 0
    // and 1 checked. A gap past the list is refused with the message and
    // leaves the checks; the list's own length is the longest gap taken.
    struct Case {
        const wchar_t* gap;
        bool refused;
        std::vector<int> checked;
    };
    const Case cases[] = {
        { L"2147483647", true, { 0, 1 } },
        { L"-2147483648", true, { 0, 1 } },
        { L"7", true, { 0, 1 } },
        { L"6", false, { 0, 1 } },
        { L"0", false, { 0, 1, 2, 3, 4, 5 } },
    };
    fwtest::CScriptedUiHost host;
    CPannexSession s({});
    MakePorts(s, { 2, 6 });
    CAdjustDlg adjust;
    ASSERT_TRUE(adjust.CreateHidden(s.Frame()));
    adjust.ShowWindow(SW_SHOW);
    adjust.LoadPort(0);
    CPixLightBarDlg lamps;
    ASSERT_TRUE(lamps.CreateHidden(s.Frame()));
    lamps.ShowPort(1);
    struct List {
        const char* name;
        CDialog& dlg;
        CListCtrl& list;
    } lists[] = { { "channels", adjust, adjust.m_listChannels }, { "lamps", lamps, lamps.m_list } };
    for (const List& l : lists) {
        ASSERT_EQ(l.list.GetItemCount(), 6) << l.name;
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(l.name) + " " + CStringA(c.gap).GetString());
            for (int i = 0; i < 6; ++i)
                l.list.SetCheck(i, i < 2);
            fwtest::SetItemText(l.dlg, IDC_ADJ_GAP, c.gap);
            host.ExpectMessageBox(IDYES, GetLangText(L"LAYOUT", 2667));
            if (c.refused)
                host.ExpectMessageBox(IDOK, GetLangText(L"LAYOUT", 2668));
            fwtest::ClickButton(l.dlg, IDC_ADJ_INTERVAL);
            EXPECT_EQ(host.PendingCount(), 0u);
            EXPECT_EQ(CheckedRows(l.list), c.checked);
        }
    }
    lamps.DestroyWindow();
    adjust.DestroyWindow();
}

TEST_F(LayoutDialogsTest, AdjustmentKeepsPortIndexesAcrossRestructuredLayouts)
{
    fwtest::CScriptedUiHost host;
    CPannexSession s({});
    MakePorts(s, { 2, 1 });
    CAdjustDlg dlg;
    ASSERT_TRUE(dlg.CreateHidden(s.Frame()));
    dlg.ShowWindow(SW_SHOW);
    dlg.LoadPort(1);
    s.Doc()->GetLayout().GetPort(1).m_brightness[0] = 40;
    dlg.CopyPort();
    dlg.LoadPort(0);
    // The layout is rebuilt with a single port: the copied port is gone.
    ASSERT_TRUE(s.Doc()->GetLayout().ResetPorts(1, 8, L"RGB", 0));
    dlg.OnPortsRestructured();
    EXPECT_EQ(dlg.GetPortIndex(), 0);
    EXPECT_EQ(dlg.GetCopyPortIndex(), -1);
    EXPECT_EQ(dlg.GetRowCount(), 0); // the new port has no lamps
    EXPECT_FALSE(dlg.PastePort());
    dlg.LoadPort(5); // no such port: an empty list, nothing written
    EXPECT_EQ(dlg.GetRowCount(), 0);
    dlg.SetBrightnessOfChecked(10);
    EXPECT_EQ(host.PendingCount(), 0u);
    dlg.DestroyWindow();
}

TEST_F(LayoutDialogsTest, AdjustmentPasteAndCurvesAndQuickEdit)
{
    fwtest::CScriptedUiHost host;
    CPannexSession s({});
    MakePorts(s, { 10, 10 });
    CAdjustDlg dlg;
    ASSERT_TRUE(dlg.CreateHidden(s.Frame()));
    dlg.ShowWindow(SW_SHOW);
    dlg.LoadPort(0);
    CLayoutData& model = s.Doc()->GetLayout();
    model.GetPort(0).m_brightness[7] = 20;
    fwtest::ClickButton(dlg, IDC_ADJ_COPY);
    fwtest::ClickButton(dlg, IDC_ADJ_PASTE); // onto itself: nothing
    dlg.LoadPort(1);
    host.ExpectMessageBox(IDYES, nullptr);
    fwtest::ClickButton(dlg, IDC_ADJ_PASTE);
    EXPECT_EQ(model.GetPort(1).m_brightness[7], 20);
    EXPECT_EQ(model.GetPort(1).m_adjusted, 1);
    EXPECT_EQ(dlg.m_listChannels.GetItemText(7, 1), L"20");

    // Quick edit 0 to 999 on 30 rows checks them all.
    fwtest::ClickButton(dlg, IDC_ADJ_QUICK_EDIT);
    EXPECT_TRUE(::IsWindowVisible(dlg.m_dlgQuickEdit.m_hWnd));
    fwtest::SetItemText(dlg.m_dlgQuickEdit, IDC_FT_START, L"0");
    fwtest::SetItemText(dlg.m_dlgQuickEdit, IDC_FT_END, L"999");
    fwtest::ClickButton(dlg.m_dlgQuickEdit, IDC_FT_SET);
    EXPECT_EQ(CheckedRows(dlg.m_listChannels).size(), 30u);
    dlg.ShowWindow(SW_HIDE);
    EXPECT_FALSE(::IsWindowVisible(dlg.m_dlgQuickEdit.m_hWnd));

    // Add curves up to four; a fifth does nothing.
    dlg.ShowWindow(SW_SHOW);
    for (int i = 0; i < 5; ++i) {
        if (i < 4) {
            CDialogScript gamma;
            gamma.Expect<CGammaDlg>([](CGammaDlg& g) {
                EXPECT_EQ(g.m_curveNumber, 0);
                fwtest::ClickButton(g, IDOK);
            });
            fwtest::ClickButton(dlg, IDC_ADJ_ADD_CURVE);
        } else {
            CDialogScript none;
            fwtest::ClickButton(dlg, IDC_ADJ_ADD_CURVE);
            EXPECT_EQ(none.Opened(), 0);
        }
    }
    EXPECT_EQ(GammaCurveTables.m_count, 4);
    EXPECT_EQ(dlg.m_cbCurve.GetCount(), 5);
    EXPECT_EQ(dlg.m_cbCurve.GetCurSel(), 4);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, IDC_ADJ_EDIT_CURVE)));
    fwtest::ClickButton(dlg, IDC_ADJ_SET_CURVE);
    EXPECT_EQ(model.GetPort(1).m_gamma[0], 4);
    EXPECT_EQ(dlg.m_listChannels.GetItemText(0, 2), L"4");
    EXPECT_EQ(host.PendingCount(), 0u);
    dlg.DestroyWindow();
}

TEST_F(LayoutDialogsTest, LampFormatsPerLamp)
{
    fwtest::CScriptedUiHost host;
    CPannexSession s({});
    MakePorts(s, { 3 });
    LampTypeList.Add(L"RGBW");
    CPixLightBarDlg dlg;
    ASSERT_TRUE(dlg.CreateHidden(s.Frame()));
    dlg.ShowPort(0);
    ASSERT_EQ(dlg.m_list.GetItemCount(), 3);
    EXPECT_EQ(dlg.m_list.GetItemText(2, 0), L"3");
    EXPECT_EQ(dlg.m_list.GetItemText(2, 1), L"1");
    dlg.m_list.SetCheck(0);
    dlg.m_list.SetCheck(2);
    {
        CDialogScript dialogs;
        dialogs.Expect<CSelectLightBarDlg>([](CSelectLightBarDlg& sel) {
            EXPECT_EQ(sel.m_list.GetCount(), 2);
            sel.m_list.SetCurSel(1);
            ::SendMessageW(sel.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_SLB_LIST, LBN_SELCHANGE),
                reinterpret_cast<LPARAM>(sel.m_list.GetSafeHwnd()));
            fwtest::ClickButton(sel, IDOK);
        });
        fwtest::ClickButton(dlg, IDC_ADJ_SET_BRIGHTNESS);
    }
    const LayoutPort& port = s.Doc()->GetLayout().GetPort(0);
    EXPECT_EQ(port.GetPoint(0).m_lampFormat, 2);
    EXPECT_EQ(port.GetPoint(1).m_lampFormat, 0);
    EXPECT_EQ(port.GetPoint(2).m_lampFormat, 2);
    EXPECT_EQ(dlg.m_list.GetItemText(0, 1), L"2");
    // The port's own format stores 0 though the list shows its number.
    dlg.SetFormatOfChecked(0);
    EXPECT_EQ(port.GetPoint(0).m_lampFormat, 0);
    EXPECT_EQ(dlg.m_list.GetItemText(0, 1), L"1");
    EXPECT_EQ(s.Doc()->GetLayout().m_modified, 1);
    dlg.DestroyWindow();
}

TEST_F(LayoutDialogsTest, SmallChoosers)
{
    fwtest::CScriptedUiHost host;
    CPannexSession s({});
    LampTypeList.Add(L"R1G1B1R2G2B2W3");
    {
        // Double-clicking an empty part opens nothing; an entry opens it in full.
        CSelectLightBarDlg sel(s.Frame());
        sel.m_nSelected = 1;
        CDialogScript dialogs;
        dialogs.Expect<CSelectLightBarDlg>([&](CSelectLightBarDlg& live) {
            EXPECT_EQ(live.m_list.GetCurSel(), 1);
            ::SendMessageW(live.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_SLB_LIST, LBN_DBLCLK),
                reinterpret_cast<LPARAM>(live.m_list.GetSafeHwnd()));
            live.m_list.SetCurSel(-1);
            ::SendMessageW(live.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_SLB_LIST, LBN_DBLCLK),
                reinterpret_cast<LPARAM>(live.m_list.GetSafeHwnd()));
            fwtest::ClickButton(live, IDCANCEL);
        });
        dialogs.Expect<CShowLightBarDlg>([](CShowLightBarDlg& show) {
            EXPECT_EQ(fwtest::GetItemText(show, IDC_SHLB_TEXT), L"R1G1B1R2G2B2W3");
            fwtest::ClickButton(show, IDOK);
        });
        EXPECT_EQ(sel.DoModal(), IDCANCEL);
    }
    {
        CFromToDlg range(s.Frame());
        range.m_nFrom = 1;
        range.m_nTo = 5;
        fwtest::RunModal(range, [&](CDialog&) {
            NMUPDOWN up = {};
            up.hdr.hwndFrom = ::GetDlgItem(range.m_hWnd, IDC_FT_START_SPIN);
            up.hdr.idFrom = IDC_FT_START_SPIN;
            up.hdr.code = UDN_DELTAPOS;
            up.iDelta = 1; // lowers, never below 0
            ::SendMessageW(range.m_hWnd, WM_NOTIFY, IDC_FT_START_SPIN, reinterpret_cast<LPARAM>(&up));
            ::SendMessageW(range.m_hWnd, WM_NOTIFY, IDC_FT_START_SPIN, reinterpret_cast<LPARAM>(&up));
            EXPECT_EQ(fwtest::GetItemText(range, IDC_FT_START), L"0");
            up.hdr.hwndFrom = ::GetDlgItem(range.m_hWnd, IDC_FT_END_SPIN);
            up.hdr.idFrom = IDC_FT_END_SPIN;
            up.iDelta = -1; // raises
            ::SendMessageW(range.m_hWnd, WM_NOTIFY, IDC_FT_END_SPIN, reinterpret_cast<LPARAM>(&up));
            fwtest::ClickButton(range, IDOK);
        });
        EXPECT_EQ(range.m_nFrom, 0);
        EXPECT_EQ(range.m_nTo, 6);
    }
}

TEST_F(LayoutDialogsTest, ThreeDResetWithEmptyListsLeavesTheLayout)
{
    fwtest::CScriptedUiHost host;
    CPannexSession s({});
    MakePorts(s, { 3 });
    C3DResetDlg dlg(s.Frame());
    fwtest::RunModal(dlg, [&](CDialog&) {
        EXPECT_EQ(fwtest::GetItemText(dlg, 1064), L"1");
        for (int id : { 1056, 1057, 1058, 1059, 1060, 1061, 1062, 1063, 1066, 1067 })
            fwtest::ClickButton(dlg, id);
        fwtest::ClickButton(dlg, IDCANCEL);
    });
    const LayoutPort& port = s.Doc()->GetLayout().GetPort(0);
    EXPECT_EQ(port.GetPoint(2).x, 2);
    dlg.ApplyPresetStretch();
    EXPECT_EQ(dlg.m_nRowTo, 1028);
    EXPECT_EQ(dlg.m_nShift, 635);
    EXPECT_EQ(port.GetPoint(2).x, 2);
}

TEST_F(LayoutDialogsTest, CoordinateTipPaintsBlueTextOnTheTransparentKey)
{
    fwtest::CScriptedUiHost host;
    CPannexSession s({});
    CShowPointDlg tip;
    ASSERT_TRUE(tip.CreateIn(s.View()));
    EXPECT_NE(::GetWindowLongW(tip.m_hWnd, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    tip.ShowText(L"X=8\r\nY=1");
    EXPECT_EQ(tip.GetText(), L"X=8\r\nY=1");

    CRect client;
    tip.GetClientRect(&client);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = client.Width();
    bi.bmiHeader.biHeight = -client.Height();
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc.GetSafeHdc(), dib);
    tip.PaintText(dc);
    ::GdiFlush();
    const auto* px = static_cast<const DWORD*>(bits);
    int text = 0;
    for (int i = 0; i < client.Width() * client.Height(); ++i) {
        if ((px[i] & 0xFFFFFF) == 0x0032FF) // blue 0xFF, green 0x32, red 0 in BGRA
            ++text;
    }
    EXPECT_GT(text, 10);
    EXPECT_EQ(px[client.Width() * client.Height() - 1] & 0xFFFFFF, 0u); // far corner stays black
    ::SelectObject(dc.GetSafeHdc(), old);
    ::DeleteObject(dib);
    tip.DestroyWindow();
}
