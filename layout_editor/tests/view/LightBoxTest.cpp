// A light-box project (command line mode 5): the light-box dialog's canvas
// filled with a lamp grid wired port by port, the strip past the grid
// trimmed, no undo history, and each cell made one lamp diameter.
#include "DialogScript.h"
#include "PannexTestUtil.h"

#include "EditorSettings.h"
#include "LampTypeList.h"
#include "LayoutLangText.h"
#include "ProjLightBoxDlg.h"

using namespace pannextest;

namespace {

struct LightBoxRun {
    std::function<void(CProjLightBoxDlg&)> fill;
    CDialogScript script;
    std::unique_ptr<CPannexSession> session;

    explicit LightBoxRun(std::function<void(CProjLightBoxDlg&)> f)
        : fill(std::move(f))
    {
        script.Expect<CProjLightBoxDlg>([this](CProjLightBoxDlg& dlg) { fill(dlg); });
        session = std::make_unique<CPannexSession>(
            std::vector<CString> { L"CMD5-0,64,32,8,512,1" }, CPannexSession::kOwnStartDialogs);
    }
    ~LightBoxRun()
    {
        session.reset();
        LightBoxMode = 0;
        ResetLampTypeList();
    }
    CLayoutData& Model() { return session->Doc()->GetLayout(); }
    CPannexView& View() { return *session->View(); }
};

void Type(CProjLightBoxDlg& dlg, int id, LPCWSTR text)
{
    fwtest::SetItemText(dlg, id, text);
}

void ClickPicture(CDialog& dlg, int id)
{
    ::SendMessageW(
        dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(id, STN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dlg.m_hWnd, id)));
}

// A small light box typed into the dialog: a 10 x 10 mm canvas of 1 mm
// lamps, rows of 3 without margins or spacings, style 1.
void TypeSmallBox(CProjLightBoxDlg& dlg, LPCWSTR rows = L"2", LPCWSTR rowsPerPort = L"1")
{
    Type(dlg, IDC_LB_WIDTH, L"10");
    Type(dlg, IDC_LB_HEIGHT, L"10");
    Type(dlg, IDC_LB_ROWS, rows);
    Type(dlg, IDC_LB_COLUMNS, L"3");
    Type(dlg, IDC_LB_DIAMETER, L"1");
    for (int id : { IDC_LB_TOP, IDC_LB_LEFT, IDC_LB_ROW_SPACING, IDC_LB_COLUMN_SPACING })
        Type(dlg, id, L"0");
    Type(dlg, IDC_LB_PER_PORT, rowsPerPort);
    ClickPicture(dlg, IDC_STYLE_PICTURE1);
}

TEST(PannexLightBox, ThirtyEightColumnsOneAPortMakeFiveControllers)
{
    LightBoxRun run([](CProjLightBoxDlg& dlg) {
        // The dialog's own canvas: 1200 x 2000 mm, 64 rows, 38 columns,
        // 10 mm lamps, margins 20 / 25, spacings 30.
        EXPECT_EQ(fwtest::GetItemText(dlg, IDC_LB_COLUMNS), L"38");
        EXPECT_EQ(fwtest::GetItemText(dlg, IDC_LB_TYPE), L"8 ports 512 channels");
        ClickPicture(dlg, IDC_STYLE_PICTURE3);
        fwtest::ClickButton(dlg, IDOK);
    });
    ASSERT_TRUE(run.session->started);
    CLayoutData& model = run.Model();
    EXPECT_EQ(model.GetPortCount(), 40);
    EXPECT_EQ(run.View().m_settings.m_controllers.GetSize(), 5);
    for (int p = 0; p < 38; ++p)
        EXPECT_EQ(model.GetPort(p).GetCount(), 64) << p;
    EXPECT_EQ(model.GetPort(38).GetCount(), 0);
    EXPECT_EQ(model.GetPort(39).GetCount(), 0);
    EXPECT_EQ(model.GetStepCount(), 0);
    // One cell a lamp diameter: 1200 / 10 x 2000 / 10.
    EXPECT_EQ(LayoutWidth, 120);
    EXPECT_EQ(LayoutHeight, 200);
    EXPECT_EQ(model.m_width, 120);
    EXPECT_EQ(run.View().m_scaleToPage, 1);
    // Style 3 starts bottom left: the first lamp was at (25, 1973) mm.
    const CLPoint& first = model.GetPort(0).GetPoint(0);
    EXPECT_EQ(first.x, 2);
    EXPECT_EQ(first.y, 197);
    // The second port is the next column, 31 mm on.
    EXPECT_EQ(model.GetPort(1).GetPoint(0).x, static_cast<int>(120 * (56.5 / 1200)));
    EXPECT_EQ(model.m_modified, 1);
}

TEST(PannexLightBox, APortPastTheLastRowIsTrimmedAndSparePortsStayEmpty)
{
    // 5 rows of 3, two rows a port, no margins or spacings, 10 x 10 mm.
    LightBoxRun run([](CProjLightBoxDlg& dlg) {
        TypeSmallBox(dlg, L"5", L"2");
        fwtest::ClickButton(dlg, IDOK);
    });
    CLayoutData& model = run.Model();
    ASSERT_EQ(model.GetPortCount(), 8);
    EXPECT_EQ(model.GetPort(0).GetCount(), 6);
    EXPECT_EQ(model.GetPort(1).GetCount(), 6);
    EXPECT_EQ(model.GetPort(2).GetCount(), 3); // row 5 was past the grid
    for (int p = 3; p < 8; ++p)
        EXPECT_EQ(model.GetPort(p).GetCount(), 0) << p;
    // Serpentine rows: the second row of port 0 runs back.
    EXPECT_EQ(model.GetPort(0).GetPoint(3).x, 2);
    EXPECT_EQ(model.GetPort(0).GetPoint(3).y, 1);
}

TEST(PannexLightBox, ValuesWithoutALightBoxAreRefusedAndCancelStillGivesControllers)
{
    fwtest::CScriptedUiHost host;
    host.ExpectMessageBox(IDOK, GetLangText(L"LAYOUT", 952));
    bool stayed = false;
    LightBoxRun run([&stayed](CProjLightBoxDlg& dlg) {
        Type(dlg, IDC_LB_DIAMETER, L"0");
        fwtest::ClickButton(dlg, IDOK);
        stayed = ::IsWindowVisible(dlg.m_hWnd) != FALSE;
        fwtest::ClickButton(dlg, IDCANCEL);
    });
    EXPECT_TRUE(stayed);
    EXPECT_EQ(run.Model().GetPortCount(), 8);
    EXPECT_EQ(run.View().m_settings.m_controllers.GetSize(), 1);
    EXPECT_EQ(run.Model().GetPort(0).GetCount(), 0);
}

TEST(PannexLightBox, GridsPastTheLargestLayoutOrPortCountAreRefusedBeforeAnythingIsPlanned)
{
    struct Case {
        const char* name;
        std::vector<std::pair<int, const wchar_t*>> typed;
        int message; // 0: taken
    };
    const Case cases[] = {
        { "two rows, row spacing 2147483647", { { IDC_LB_ROW_SPACING, L"2147483647" } }, 952 },
        { "2147483647 rows", { { IDC_LB_ROWS, L"2147483647" } }, 952 },
        { "2147483647 columns", { { IDC_LB_COLUMNS, L"2147483647" } }, 952 },
        { "top margin 2147483647", { { IDC_LB_TOP, L"2147483647" } }, 952 },
        { "a controller of 2147483647 ports", { { IDC_LB_TYPE, L"2147483647 ports 512 channels" } }, 952 },
        { "a controller of 99999999999 ports", { { IDC_LB_TYPE, L"99999999999 ports 512 channels" } }, 952 },
        { "a controller of 256 ports", { { IDC_LB_TYPE, L"256 ports 512 channels" } }, 952 },
        // 5121 rows a port each: one port more than a layout holds.
        { "5121 ports", { { IDC_LB_ROWS, L"5121" } }, 952 },
        { "second row one cell past the largest side", { { IDC_LB_ROW_SPACING, L"65534" } }, 952 },
        { "a controller type without its channels", { { IDC_LB_TYPE, L"8 ports" } }, 171 },
        { "a controller type without its ports word", { { IDC_LB_TYPE, L"8 outputs 512 channels" } }, 171 },
        // The limits themselves: the second row on the largest layout's
        // last cell, 5120 ports in controllers of 255 ... 21 of 255 are
        // too many, so 5100 ports in 20.
        { "second row on the largest side's last cell", { { IDC_LB_ROW_SPACING, L"65533" } }, 0 },
        { "5100 ports in controllers of 255", { { IDC_LB_ROWS, L"5100" }, { IDC_LB_TYPE, L"255 ports 512 channels" } },
            0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fwtest::CScriptedUiHost host;
        if (c.message != 0)
            host.ExpectMessageBox(IDOK, GetLangText(L"LAYOUT", c.message));
        bool stayed = false;
        LightBoxRun run([&](CProjLightBoxDlg& dlg) {
            TypeSmallBox(dlg);
            for (const auto& [id, text] : c.typed)
                Type(dlg, id, text);
            fwtest::ClickButton(dlg, IDOK);
            stayed = ::IsWindow(dlg.m_hWnd) && ::IsWindowVisible(dlg.m_hWnd);
            if (stayed)
                fwtest::ClickButton(dlg, IDCANCEL);
        });
        ASSERT_TRUE(run.session->started);
        EXPECT_EQ(host.PendingCount(), 0u);
        EXPECT_EQ(stayed, c.message != 0);
        CLayoutData& model = run.Model();
        // Every port belongs to a controller, refused or not.
        int listed = 0;
        for (int i = 0; i < run.View().m_settings.m_controllers.GetSize(); ++i)
            listed += run.View().m_settings.m_controllers[i];
        EXPECT_EQ(listed, model.GetPortCount());
        if (c.message != 0) {
            // Cancel after the refusal: one controller of the start's type.
            EXPECT_EQ(model.GetPortCount(), 8);
            EXPECT_EQ(run.View().m_settings.m_controllers.GetSize(), 1);
            continue;
        }
        // Taken: the first row's three lamps are all there; nothing of the
        // grid went to the trim.
        EXPECT_EQ(model.GetPort(0).GetCount(), 3);
        EXPECT_EQ(model.GetPort(0).GetPoint(0).y, 0);
    }
}

TEST(PannexLightBox, ACanvasPictureGivesTheCanvasItsSize)
{
    // An 80 x 60 picture: the canvas becomes 80 x 60 mm.
    const CString path = TempFile(L"pannex light box.bmp");
    {
        BITMAPINFOHEADER bih = {};
        bih.biSize = sizeof(bih);
        bih.biWidth = 80;
        bih.biHeight = 60;
        bih.biPlanes = 1;
        bih.biBitCount = 24;
        const DWORD stride = 80 * 3;
        std::vector<BYTE> pixels(stride * 60, 0x40);
        BITMAPFILEHEADER bfh = {};
        bfh.bfType = 0x4D42;
        bfh.bfOffBits = sizeof(bfh) + sizeof(bih);
        bfh.bfSize = bfh.bfOffBits + static_cast<DWORD>(pixels.size());
        CFile file;
        ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite));
        file.Write(&bfh, sizeof(bfh));
        file.Write(&bih, sizeof(bih));
        file.Write(pixels.data(), static_cast<UINT>(pixels.size()));
    }
    fwtest::CScriptedUiHost host;
    host.ExpectFileOpen({ path });
    LightBoxRun run([](CProjLightBoxDlg& dlg) {
        fwtest::ClickButton(dlg, IDC_LB_PICTURE_BUTTON);
        EXPECT_EQ(fwtest::GetItemText(dlg, IDC_LB_WIDTH), L"80");
        EXPECT_EQ(fwtest::GetItemText(dlg, IDC_LB_HEIGHT), L"60");
        fwtest::ClickButton(dlg, IDCANCEL);
    });
    ::DeleteFileW(path);
}

TEST(PannexLightBox, PortLabelsAreReadableAtEveryZoom)
{
    // 38 ports, one a column 31 mm apart, each starting on the bottom row:
    // at the fitted zoom their labels C1P1 to C5P6 would lie on top of one
    // another; the light box draws them through the view's label placement.
    LightBoxRun run([](CProjLightBoxDlg& dlg) {
        ClickPicture(dlg, IDC_STYLE_PICTURE3);
        fwtest::ClickButton(dlg, IDOK);
    });
    ASSERT_TRUE(run.session->started);
    CMainFrame& frame = *run.session->Frame();
    frame.ShowWindow(SW_SHOW);
    frame.MoveWindow(0, 0, 1000, 700);
    fwtest::PumpPending();
    CPannexView& view = run.View();
    CLayoutData& model = run.Model();
    ASSERT_EQ(model.GetPortCount(), 40);
    const CRect client(0, 0, view.m_clientWidth, view.m_clientHeight);
    ASSERT_GT(client.Width(), 300);

    struct Row {
        const char* name;
        double zoom; // 0: as fitted
        bool everyVisibleLabel; // room enough for a label at each port
    };
    const Row rows[] = { { "fitted", 0, false }, { "zoomed in on the first ports", 15, true } };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.zoom > 0) {
            // The layout's bottom-left corner at the client's.
            view.m_zoom = row.zoom;
            const CRect centred
                = CPannexView::LayoutRectInClient(client.Width(), client.Height(), row.zoom, CPoint(0, 0));
            view.m_pan = CPoint(-centred.left, client.Height() - centred.bottom);
        }
        ::RedrawWindow(view.GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        const CRect L = view.LayoutRectInClient();
        std::vector<CRect> shown;
        int visiblePorts = 0;
        for (int p = 0; p < 38; ++p) {
            const CLPoint& first = model.GetPort(p).GetPoint(0);
            const CPoint at(static_cast<int>(L.left + first.m_normX * L.Width()),
                static_cast<int>(L.top + first.m_normY * L.Height()));
            const bool visible = client.PtInRect(at) != FALSE;
            visiblePorts += visible ? 1 : 0;
            const CRect* box = view.PortLabelBox(p);
            if (box == nullptr) {
                EXPECT_FALSE(row.everyVisibleLabel && visible) << "port " << p << " has no label";
                continue;
            }
            shown.push_back(*box);
            // Near its own port: at most three label sizes left of or above it.
            EXPECT_LE(box->left, at.x) << p;
            EXPECT_GE(box->left, at.x - 33 - 4 * box->Width()) << p;
            EXPECT_LE(box->top, at.y) << p;
            EXPECT_GE(box->top, at.y - 18 - 4 * box->Height()) << p;
        }
        EXPECT_GT(visiblePorts, 3);
        EXPECT_GT(shown.size(), 3u);
        for (size_t i = 0; i < shown.size(); ++i)
            for (size_t j = i + 1; j < shown.size(); ++j) {
                CRect both;
                EXPECT_FALSE(both.IntersectRect(&shown[i], &shown[j])) << "labels " << i << " and " << j;
            }
    }
}

} // namespace
