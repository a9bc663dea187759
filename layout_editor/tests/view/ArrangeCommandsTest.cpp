// The wiring commands of the port menu: automatic arrangement (32804) fills
// the floating buffer with a generated grid and starts mode 2, fast wiring
// (32936) takes the rectangle settings and starts mode 3; their dialogs'
// arrows, style pictures and the pictures' drawing.
#include "PanelTestSupport.h"

#include <commctrl.h>

#include "ActionDlgs.h"
#include "LayoutLangText.h"
#include "ListPanelResource.h"

using namespace pannextest;

namespace {

std::vector<std::pair<int, int>> FloatingCells(const CLayoutData& model)
{
    std::vector<std::pair<int, int>> cells;
    for (int i = 0; i < model.GetFloatingCount(); ++i)
        cells.emplace_back(model.GetFloatingPoints()[i].x, model.GetFloatingPoints()[i].y);
    return cells;
}

void ClickPicture(CDialog& dlg, int id)
{
    ::SendMessageW(
        dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(id, STN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dlg.m_hWnd, id)));
}

TEST_F(ListPanelTest, ArrangementFillsTheFloatingBufferAndStartsTheGridMode)
{
    Build({ 8 });
    Doc().GetLayout().SetPortCapacity(3072);
    {
        CDriveNext drive([](CDialog& live) {
            auto& dlg = dynamic_cast<CActionAutoDlg&>(live);
            // The first proposal: one row of 682 lamps.
            EXPECT_EQ(fwtest::GetItemText(dlg, IDC_AA_WIDTH), L"682");
            EXPECT_EQ(fwtest::GetItemText(dlg, IDC_AA_HEIGHT), L"1");
            fwtest::SetItemText(dlg, IDC_AA_WIDTH, L"2");
            fwtest::SetItemText(dlg, IDC_AA_HEIGHT, L"2");
            fwtest::SetItemText(dlg, IDC_AA_COLUMN_GAP, L"1");
            ClickPicture(dlg, IDC_STYLE_PICTURE3);
            EXPECT_EQ(dlg.m_nStyle, 3);
            EXPECT_EQ(dlg.Pictures().Picture(2).m_bSelected, 1);
            EXPECT_EQ(dlg.Pictures().Picture(0).m_bSelected, 0);
            fwtest::ClickButton(dlg, IDOK);
        });
        Command(PortItem(2), ID_PORT_ARRANGE);
        EXPECT_TRUE(drive.Driven());
    }
    // Style 3, serpentine, 2 x 2, column gap 1.
    EXPECT_EQ(FloatingCells(Doc().GetLayout()),
        (std::vector<std::pair<int, int>> { { 0, 1 }, { 0, 0 }, { 2, 0 }, { 2, 1 } }));
    EXPECT_EQ(View().m_editMode, 2);
    EXPECT_EQ(View().m_currentPort, 2);
    EXPECT_EQ(m_panel.m_nArrangeStyle, 3);
    EXPECT_EQ(m_panel.m_nArrangeColumnGap, 1);

    // A later arrangement proposes what was used last; 10 x 10 into a port
    // of 64 lamps keeps the first 64.
    Doc().GetLayout().GetPort(5).Allocate(64);
    CDriveNext again([](CDialog& live) {
        EXPECT_EQ(fwtest::GetItemText(live, IDC_AA_WIDTH), L"2");
        fwtest::SetItemText(live, IDC_AA_WIDTH, L"10");
        fwtest::SetItemText(live, IDC_AA_HEIGHT, L"10");
        fwtest::ClickButton(live, IDOK);
    });
    Command(PortItem(5), ID_PORT_ARRANGE);
    EXPECT_EQ(Doc().GetLayout().GetFloatingCount(), 64);
    EXPECT_EQ(View().m_currentPort, 5);
}

TEST_F(ListPanelTest, AnArrangementWithoutRowsPlacesNothingAndSaysSo)
{
    Build({ 8 });
    View().SetEditMode(0);
    m_ui.ExpectMessageBox(IDOK, GetLangText(L"LAYOUT", 953));
    CDriveNext drive([](CDialog& live) {
        fwtest::SetItemText(live, IDC_AA_HEIGHT, L"0");
        fwtest::ClickButton(live, IDOK);
    });
    Command(PortItem(1), ID_PORT_ARRANGE);
    EXPECT_EQ(View().m_editMode, 0);
    EXPECT_EQ(m_panel.m_nArrangeRows, 0); // remembered all the same
}

TEST_F(ListPanelTest, ArrangementArrowsKeepTheirFloors)
{
    struct Case {
        int spin;
        int edit;
        const wchar_t* before;
        int delta;
        const wchar_t* after;
    } cases[] = {
        { IDC_AA_WIDTH_SPIN, IDC_AA_WIDTH, L"1", +1, L"1" }, { IDC_AA_WIDTH_SPIN, IDC_AA_WIDTH, L"5", -1, L"6" },
        { IDC_AA_HEIGHT_SPIN, IDC_AA_HEIGHT, L"2", +1, L"1" }, { IDC_AA_ROW_GAP_SPIN, IDC_AA_ROW_GAP, L"0", +1, L"0" },
        { IDC_AA_COLUMN_GAP_SPIN, IDC_AA_COLUMN_GAP, L"0", -1, L"1" },
        { IDC_AA_WIDTH_SPIN, IDC_AA_WIDTH, L"-4", +1, L"-4" }, // typed below the floor: left alone
    };
    CActionAutoDlg dlg(&m_panel);
    dlg.m_nStyle = 7; // shown and returned as 1
    fwtest::RunModal(dlg, [&](CDialog&) {
        for (const Case& c : cases) {
            fwtest::SetItemText(dlg, c.edit, c.before);
            NMUPDOWN change = {};
            change.hdr.hwndFrom = ::GetDlgItem(dlg.m_hWnd, c.spin);
            change.hdr.idFrom = static_cast<UINT_PTR>(c.spin);
            change.hdr.code = UDN_DELTAPOS;
            change.iDelta = c.delta;
            ::SendMessageW(dlg.m_hWnd, WM_NOTIFY, static_cast<WPARAM>(c.spin), reinterpret_cast<LPARAM>(&change));
            EXPECT_EQ(fwtest::GetItemText(dlg, c.edit), c.after) << c.spin << " " << CStringA(c.before).GetString();
        }
        EXPECT_EQ(dlg.Pictures().Picture(0).m_bSelected, 1);
        fwtest::ClickButton(dlg, IDOK);
    });
    EXPECT_EQ(dlg.m_nStyle, 1);
}

TEST_F(ListPanelTest, FastWiringTakesItsRectangleAndStartsTheRectangleMode)
{
    Build({ 8 });
    struct Case {
        const wchar_t* width;
        const wchar_t* height;
        int mode;
    } cases[] = { { L"0", L"10", 0 }, { L"12", L"-1", 0 }, { L"20", L"10", 3 } };
    for (const Case& c : cases) {
        View().SetEditMode(0);
        CDriveNext drive([&c](CDialog& live) {
            auto& dlg = dynamic_cast<CActionFastDlg&>(live);
            EXPECT_EQ(dlg.m_nMaxLamps, 1024);
            fwtest::SetItemText(dlg, IDC_AF_WIDTH, c.width);
            fwtest::SetItemText(dlg, IDC_AF_HEIGHT, c.height);
            ::CheckDlgButton(dlg.m_hWnd, IDC_STYLE_Z, BST_CHECKED);
            fwtest::ClickButton(dlg, IDC_STYLE_Z);
            EXPECT_EQ(dlg.Pictures().Picture(1).m_nZOrder, 1);
            ClickPicture(dlg, IDC_STYLE_PICTURE4);
            fwtest::ClickButton(dlg, IDOK);
        });
        Command(PortItem(3), ID_PORT_FAST_WIRING);
        EXPECT_EQ(View().m_fastWidth, _wtoi(c.width));
        EXPECT_EQ(View().m_fastHeight, _wtoi(c.height));
        EXPECT_EQ(View().m_fastStyle, 4);
        EXPECT_EQ(View().m_fastZOrder, 1);
        EXPECT_EQ(View().m_editMode, c.mode) << CStringA(c.width).GetString();
    }
    EXPECT_EQ(View().m_currentPort, 3);
    // Cancel writes nothing back.
    CDriveNext cancel([](CDialog& live) {
        fwtest::SetItemText(live, IDC_AF_WIDTH, L"99");
        fwtest::ClickButton(live, IDCANCEL);
    });
    Command(PortItem(3), ID_PORT_FAST_WIRING);
    EXPECT_EQ(View().m_fastWidth, 20);
}

TEST(LineModePictureTest, SelectedGreyFirstLampYellowAndTheWiringLine)
{
    // Style 1 on a 70 x 70 picture: cells of 11 from (3, 16).
    CLineModeStatic picture;
    CCanvas canvas(70, 70);
    for (BYTE selected : { 0, 1 }) {
        picture.m_bSelected = selected;
        picture.DrawPicture(canvas.Dc()->GetSafeHdc(), 70, 70);
        EXPECT_EQ(canvas.At(1, 1), selected ? RGB(0x64, 0x64, 0x64) : RGB(0, 0, 0));
        EXPECT_EQ(canvas.At(3 + 3, 16 + 2), RGB(255, 255, 0)); // inside the first lamp, off its centre
        EXPECT_EQ(canvas.At(3 + 11 + 3, 16 + 2), RGB(0xC8, 0xC8, 0xC8)); // the second
        EXPECT_EQ(canvas.At(3 + 5 + 3, 16 + 5), RGB(0, 0, 255)); // the line from the first to the second
    }
}

} // namespace
