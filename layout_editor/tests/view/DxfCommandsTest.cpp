// The layout view's DXF import and export and the document's picture and
// report commands, driven through the real program: the options dialog, the
// progress window, a drawing named on the command line (CMD3), and what a
// refused drawing leaves behind.
#include "PannexTestUtil.h"

#include <afxcmn.h>

#include "../dxf/DxfTestUtil.h"
#include "DialogScript.h"
#include "DxfImportDlg.h"
#include "DxfReader.h"
#include "EditorSettings.h"
#include "ExportDxfDlg.h"
#include "LayoutFile.h"
#include "LayoutLangText.h"
#include "PannexResource.h"
#include "PannexSession.h"
#include "ProgressDlg.h"

using namespace pannextest;

namespace {

// C1P1 with three lamps in a row, C1P2 with two lamps below them.
std::string TwoPortDrawing(const char* second = "C1P2")
{
    DxfDrawing d;
    d.Label(0, 8, "C1P1");
    d.Wire({ { 0, 8 }, { 2, 8 }, { 4, 8 } });
    d.Label(0, 4, second);
    d.Wire({ { 0, 4 }, { 2, 4 } });
    return d.Build();
}

bool IsChecked(CDialog& dlg, int id)
{
    return ::IsDlgButtonChecked(dlg.m_hWnd, id) == BST_CHECKED;
}

void SetCheck(CDialog& dlg, int id, bool on)
{
    ::CheckDlgButton(dlg.m_hWnd, id, on ? BST_CHECKED : BST_UNCHECKED);
}

int ComboSel(CDialog& dlg, int id)
{
    return static_cast<int>(::SendDlgItemMessageW(dlg.m_hWnd, id, CB_GETCURSEL, 0, 0));
}

void ChooseCombo(CDialog& dlg, int id, int index)
{
    ::SendDlgItemMessageW(dlg.m_hWnd, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(
        dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(::GetDlgItem(dlg.m_hWnd, id)));
}

bool Enabled(CDialog& dlg, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, id)) != FALSE;
}

bool VisibleStyle(HWND wnd)
{
    return (::GetWindowLongW(wnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

int LampCount(const CLayoutData& model)
{
    int n = 0;
    for (int p = 0; p < model.GetPortCount(); ++p)
        n += model.GetPort(p).GetCount();
    return n;
}

class PannexDxfTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetCallerWindow(nullptr);
        ResetEditorSettings();
        m_drawing.Write(TwoPortDrawing());
    }
    void TearDown() override { SetCallerWindow(nullptr); }

    ScratchFile m_drawing { L".dxf" };
};

} // namespace

TEST_F(PannexDxfTest, DrawingOnTheCommandLineOpensWithItsLampsColouredAndFitted)
{
    fwtest::CScriptedUiHost host;
    fwtest::CFakeClock clock;
    CCallerWindow caller;
    CDialogScript dialogs;
    // The project settings of the new layout come first.
    dialogs.Expect<CProjSetDlg>([](CProjSetDlg& dlg) { fwtest::ClickButton(dlg, IDOK); });
    dialogs.Expect<CLoadDxfDlg>([](CLoadDxfDlg& dlg) {
        // A first import: the dialog's own defaults and the view's options.
        EXPECT_EQ(fwtest::GetItemText(dlg, IDC_DXF_FACTOR), L"1.00");
        EXPECT_TRUE(IsChecked(dlg, IDC_DXF_ENDPOINT));
        EXPECT_FALSE(Enabled(dlg, IDC_DXF_PRECISION));
        EXPECT_FALSE(Enabled(dlg, IDC_DXF_3D));
        EXPECT_EQ(ComboSel(dlg, IDC_DXF_RADIUS), 2);
        EXPECT_EQ(ComboSel(dlg, IDC_DXF_PRECISION), 0);
        fwtest::ClickButton(dlg, IDOK);
    });
    // The caller's command line: "CMD3-<window>,<drawing>", then the language.
    CPannexSession s(
        { L"CMD3-" + caller.Handle() + L"," + m_drawing.Path() + L",1" }, CPannexSession::kOwnStartDialogs);
    ASSERT_TRUE(s.started);
    EXPECT_EQ(dialogs.Opened(), 2);
    CLayoutData& model = s.Doc()->GetLayout();
    ASSERT_GE(model.GetPortCount(), 2);
    EXPECT_EQ(model.GetPort(0).GetCount(), 3);
    EXPECT_EQ(model.GetPort(1).GetCount(), 2);
    EXPECT_EQ(LampCount(model), 5);
    EXPECT_EQ(model.m_width, 3);
    EXPECT_EQ(model.m_height, 3);
    EXPECT_EQ(LayoutWidth, 3);
    EXPECT_EQ(LayoutHeight, 3);
    EXPECT_EQ(s.app.m_strDxfPath, L""); // imported once
    CPannexView* view = s.View();
    EXPECT_EQ(view->m_settings.m_randomColours, 1);
    EXPECT_GE(view->m_settings.m_controllers.GetSize(), 1);
    for (int p = 0; p < model.GetPortCount(); ++p) {
        const COLORREF c = model.GetPort(p).m_colour;
        for (int channel : { GetRValue(c), GetGValue(c), GetBValue(c) }) {
            EXPECT_GE(channel, 35);
            EXPECT_LE(channel, 254);
        }
    }
    EXPECT_EQ(model.m_modified, 1);

    // The progress window goes at the first tick, its timer at the second.
    CProgressDlg* progress = view->GetProgressDlg();
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(VisibleStyle(progress->GetSafeHwnd()));
    ASSERT_TRUE(clock.HasTimer(progress->GetSafeHwnd(), CProgressDlg::kHideTimer));
    clock.Advance(100);
    EXPECT_FALSE(VisibleStyle(progress->GetSafeHwnd()));
    EXPECT_TRUE(clock.HasTimer(progress->GetSafeHwnd(), CProgressDlg::kHideTimer));
    clock.Advance(100);
    EXPECT_FALSE(clock.HasTimer(progress->GetSafeHwnd(), CProgressDlg::kHideTimer));

    // A new document does not import the drawing again.
    s.Doc()->GetLayout().m_modified = 0;
    dialogs.Expect<CProjSetDlg>([](CProjSetDlg& dlg) { fwtest::ClickButton(dlg, IDOK); });
    fwtest::SendCommand(*s.Frame(), ID_FILE_NEW);
    EXPECT_EQ(dialogs.Opened(), 3);
}

TEST_F(PannexDxfTest, OptionsAreRememberedButEndpointModeAndPrecisionAreNot)
{
    fwtest::CScriptedUiHost host;
    CPannexSession s({});
    ASSERT_TRUE(s.started);
    CPannexView* view = s.View();
    {
        CDialogScript dialogs;
        dialogs.Expect<CLoadDxfDlg>([](CLoadDxfDlg& dlg) {
            ChooseCombo(dlg, IDC_DXF_RADIUS, 0);
            SetCheck(dlg, IDC_DXF_OVERLAP, true);
            fwtest::SetItemText(dlg, IDC_DXF_FACTOR, L"2.5");
            // Switching the endpoint mode off offers the precision.
            SetCheck(dlg, IDC_DXF_ENDPOINT, false);
            fwtest::ClickButton(dlg, IDC_DXF_ENDPOINT);
            EXPECT_TRUE(Enabled(dlg, IDC_DXF_PRECISION));
            ChooseCombo(dlg, IDC_DXF_PRECISION, 1);
            EXPECT_DOUBLE_EQ(dlg.m_precision, kDxfPrecisionHigh);
            fwtest::ClickButton(dlg, IDOK);
        });
        EXPECT_EQ(view->ImportDxf(m_drawing.Path()), 0);
    }
    EXPECT_EQ(view->m_dxfOptions.radiusBasis, 0);
    EXPECT_EQ(view->m_dxfOptions.overlap, 1);
    EXPECT_DOUBLE_EQ(view->m_dxfOptions.factor, 2.5);
    {
        CDialogScript dialogs;
        dialogs.Expect<CLoadDxfDlg>([](CLoadDxfDlg& dlg) {
            EXPECT_EQ(fwtest::GetItemText(dlg, IDC_DXF_FACTOR), L"2.50");
            EXPECT_EQ(ComboSel(dlg, IDC_DXF_RADIUS), 0);
            EXPECT_TRUE(IsChecked(dlg, IDC_DXF_OVERLAP));
            EXPECT_TRUE(IsChecked(dlg, IDC_DXF_ENDPOINT));
            EXPECT_FALSE(Enabled(dlg, IDC_DXF_PRECISION));
            EXPECT_EQ(ComboSel(dlg, IDC_DXF_PRECISION), 0);
            EXPECT_DOUBLE_EQ(dlg.m_precision, kDxfPrecisionDefault);
            fwtest::ClickButton(dlg, IDCANCEL);
        });
        EXPECT_EQ(view->ImportDxf(m_drawing.Path()), -1);
    }
}

TEST_F(PannexDxfTest, CancelLeavesAlignToGridAndTheLayoutAlone)
{
    fwtest::CScriptedUiHost host;
    CPannexSession s({});
    ASSERT_TRUE(s.started);
    AlignToGrid = 1;
    CLayoutData& model = s.Doc()->GetLayout();
    const int ports = model.GetPortCount();
    const int width = model.m_width;
    CDialogScript dialogs;
    dialogs.Expect<CLoadDxfDlg>([](CLoadDxfDlg& dlg) {
        EXPECT_TRUE(IsChecked(dlg, IDC_DXF_ALIGN));
        SetCheck(dlg, IDC_DXF_ALIGN, false);
        fwtest::SetItemText(dlg, IDC_DXF_FACTOR, L"7");
        fwtest::ClickButton(dlg, IDCANCEL);
    });
    EXPECT_EQ(s.View()->ImportDxf(m_drawing.Path()), -1);
    EXPECT_EQ(AlignToGrid, 1);
    EXPECT_DOUBLE_EQ(s.View()->m_dxfOptions.factor, 1.0);
    EXPECT_EQ(model.GetPortCount(), ports);
    EXPECT_EQ(model.m_width, width);
}

TEST_F(PannexDxfTest, RefusedDrawingsTellTheUserAndChangeNothing)
{
    struct Case {
        const char* name;
        std::string drawing;
        LPCWSTR factor;
        LPCWSTR message; // part of the message shown
    };
    const Case cases[] = {
        // A factor that is no number is 0, which gives no lamp size.
        { "factor abc", TwoPortDrawing(), L"abc", L"DXF" },
        // 300 ports on one controller cannot be saved in a layout file.
        { "port 300", TwoPortDrawing("C1P300"), L"1.00", L"255" },
        { "no labels", DxfDrawing().Build(), L"1.00", L"DXF" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fwtest::CScriptedUiHost host;
        CPannexSession s({});
        ASSERT_TRUE(s.started);
        ScratchFile file(L".dxf");
        file.Write(c.drawing);
        CLayoutData& model = s.Doc()->GetLayout();
        const int ports = model.GetPortCount();
        const int width = model.m_width;
        const int colours = s.View()->m_settings.m_randomColours;
        CDialogScript dialogs;
        const CString factor = c.factor;
        dialogs.Expect<CLoadDxfDlg>([factor](CLoadDxfDlg& dlg) {
            fwtest::SetItemText(dlg, IDC_DXF_FACTOR, factor);
            fwtest::ClickButton(dlg, IDOK);
        });
        host.ExpectMessageBox(IDOK, c.message);
        EXPECT_NE(s.View()->ImportDxf(file.Path()), 0);
        EXPECT_EQ(model.GetPortCount(), ports);
        EXPECT_EQ(model.m_width, width);
        EXPECT_EQ(s.View()->m_settings.m_randomColours, colours);
        EXPECT_EQ(host.PendingCount(), 0u);
    }
}

TEST_F(PannexDxfTest, ExportWritesTheDrawingThatImportsBack)
{
    fwtest::CScriptedUiHost host;
    CPannexSession s({});
    ASSERT_TRUE(s.started);
    {
        CDialogScript dialogs;
        dialogs.Expect<CLoadDxfDlg>([](CLoadDxfDlg& dlg) { fwtest::ClickButton(dlg, IDOK); });
        ASSERT_EQ(s.View()->ImportDxf(m_drawing.Path()), 0);
    }
    ScratchFile out(L".dxf");
    {
        CDialogScript dialogs;
        dialogs.Expect<CExportDxfDlg>([&](CExportDxfDlg& dlg) {
            // OK without a path is refused and the dialog stays.
            fwtest::ClickButton(dlg, IDOK);
            EXPECT_TRUE(::IsWindowVisible(dlg.m_hWnd));
            fwtest::ClickButton(dlg, IDC_EXPORT_BROWSE);
            EXPECT_EQ(fwtest::GetItemText(dlg, IDC_EXPORT_PATH), out.Path());
            fwtest::ClickButton(dlg, IDOK);
        });
        host.ExpectMessageBox(IDOK, nullptr);
        host.ExpectFileSave(out.Path());
        // The end of the export says where the drawing went.
        host.ExpectMessageBox(IDOK, out.Path());
        fwtest::SendCommand(*s.Frame(), ID_FILE_EXPORT_DXF);
    }
    ASSERT_EQ(host.Transcript().size(), 3u);
    EXPECT_EQ(host.m_lastFileRequest.strFilter, L"Dized Udavivi Files(*.dxf)|*.dxf||");

    CLayoutData back;
    DxfReader reader;
    CControllerList counts;
    counts.Add(8);
    ASSERT_EQ(reader.Parse(out.Path(), back, counts, DxfReader::kEndpointMode, nullptr), 0);
    EXPECT_EQ(LampCount(back), 5);
}

TEST_F(PannexDxfTest, ExportSaysWhereTheDrawingWasWrittenInEveryLanguage)
{
    fwtest::CScriptedUiHost host;
    CPannexSession s({});
    ASSERT_TRUE(s.started);
    {
        CDialogScript dialogs;
        dialogs.Expect<CLoadDxfDlg>([](CLoadDxfDlg& dlg) { fwtest::ClickButton(dlg, IDOK); });
        ASSERT_EQ(s.View()->ImportDxf(m_drawing.Path()), 0);
    }
    struct Row {
        int language;
        const wchar_t* words; // the message's own words, before the path
        bool chinese;
    };
    const Row rows[] = {
        { 1, L"DXF file written: ", false },
        { 2, L"DXF 文件已导出: ", true },
        { 3, L"DXF 檔案已匯出: ", true },
        { 4, L"Fichier DXF écrit : ", false },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.language);
        SetLangTextLanguage(row.language);
        ScratchFile out(L".dxf");
        {
            CDialogScript dialogs;
            dialogs.Expect<CExportDxfDlg>([&](CExportDxfDlg& dlg) {
                fwtest::SetItemText(dlg, IDC_EXPORT_PATH, out.Path());
                fwtest::ClickButton(dlg, IDOK);
            });
            host.ExpectMessageBox(IDOK);
            fwtest::SendCommand(*s.Frame(), ID_FILE_EXPORT_DXF);
        }
        ASSERT_FALSE(host.Transcript().empty());
        const CString shown = host.Transcript().back();
        EXPECT_EQ(shown, CString(L"MessageBox: ") + row.words + out.Path());
        EXPECT_EQ(host.m_strLastMessageBoxCaption, L"Solvane");
        bool cjk = false;
        for (int i = 0; i < shown.GetLength(); ++i)
            cjk = cjk || (shown[i] >= 0x4E00 && shown[i] <= 0x9FFF);
        EXPECT_EQ(cjk, row.chinese);
        EXPECT_TRUE(::GetFileAttributesW(out.Path()) != INVALID_FILE_ATTRIBUTES);
    }
    SetLangTextLanguage(2);
}

TEST_F(PannexDxfTest, PictureAndReportCommandsWriteTheirFiles)
{
    fwtest::CScriptedUiHost host;
    CPannexSession s({});
    ASSERT_TRUE(s.started);
    {
        CDialogScript dialogs;
        dialogs.Expect<CLoadDxfDlg>([](CLoadDxfDlg& dlg) { fwtest::ClickButton(dlg, IDOK); });
        ASSERT_EQ(s.View()->ImportDxf(m_drawing.Path()), 0);
    }
    ScratchFile bmp(L".bmp");
    host.ExpectFileSave(bmp.Path());
    host.ExpectMessageBox(IDOK, L"OK");
    fwtest::SendCommand(*s.Frame(), ID_FILE_EXPORT_BMP);
    EXPECT_EQ(host.m_lastFileRequest.strFilter, L"*.bmp|*.bmp||");
    CFile picture;
    ASSERT_TRUE(picture.Open(bmp.Path(), CFile::modeRead));
    EXPECT_EQ(picture.GetLength(), 54u + 3 * 3 * 4);
    picture.Close();

    ScratchFile report(L".txt");
    host.ExpectFileSave(report.Path());
    fwtest::SendCommand(*s.Frame(), ID_FILE_EXPORT_WIRING);
    EXPECT_EQ(host.m_lastFileRequest.strFilter, L"*.txt|*.txt||");
    CFile text;
    ASSERT_TRUE(text.Open(report.Path(), CFile::modeRead));
    std::vector<BYTE> bytes(static_cast<size_t>(text.GetLength()));
    ASSERT_GT(bytes.size(), 2u);
    text.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    const CString body(reinterpret_cast<const wchar_t*>(bytes.data() + 2), static_cast<int>((bytes.size() - 2) / 2));
    EXPECT_NE(body.Find(L"工程使用灯数: 5\r\n"), -1);
    EXPECT_NE(body.Find(L"端口1 连接灯具数量: 3\r\n"), -1);
    EXPECT_NE(body.Find(L"端口2 连接灯具数量: 2\r\n"), -1);
    EXPECT_EQ(host.PendingCount(), 0u);
}
