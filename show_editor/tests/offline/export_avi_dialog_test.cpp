// The AVI export options dialog driven through its controls: the document's
// per-segment flag, OK asking for the file and sending it to the engine,
// progress with disabled controls and the counting caption, and the ends by
// Cancel and by closing the window.
#include "DlgExportAvi.h"
#include "offline_test_support.h"

#include <vector>

using fwtest::CScriptedUiHost;
using namespace offtest;

namespace {

// Stands for the frame engine: records WM_EXPORT_AVI and starts the
// progress as the engine does.
class CFakeEngine : public CWnd {
public:
    CDlgExportAvi* m_dialog = nullptr;
    int m_total = 0;
    std::vector<std::pair<WPARAM, CString>> m_requests;

    LRESULT OnExportAvi(WPARAM sizeSource, LPARAM path)
    {
        m_requests.emplace_back(sizeSource, *reinterpret_cast<const CString*>(path));
        if (m_dialog != nullptr)
            m_dialog->BeginProgress(m_total);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFakeEngine, CWnd)
ON_MESSAGE(WM_EXPORT_AVI, OnExportAvi)
END_MESSAGE_MAP()

class ExportAviDialog : public OfflineTest {
protected:
    ExportAviDialog()
    {
        m_engine.CreateEx(0, L"STATIC", L"engine", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0);
        m_dlg = std::make_unique<CDlgExportAvi>(&m_engine, m_doc.get());
        m_engine.m_dialog = m_dlg.get();
        m_engine.m_total = 5;
    }
    ~ExportAviDialog() override { m_engine.DestroyWindow(); }

    static bool Enabled(CWnd& wnd, int id) { return ::IsWindowEnabled(::GetDlgItem(wnd.m_hWnd, id)) != FALSE; }

    CFakeEngine m_engine;
    std::unique_ptr<CDlgExportAvi> m_dlg;
};

TEST_F(ExportAviDialog, OpeningClearsThePerSegmentFlagAndCancelKeepsItCleared)
{
    m_doc->m_aviPerSegment = 1;
    const INT_PTR result = fwtest::RunModal(*m_dlg, [&](CDialog& live) {
        EXPECT_EQ(0, m_doc->m_aviPerSegment);
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(live.m_hWnd, IDC_AVI_PROGRESS)));
        EXPECT_EQ(CString(L"ITEM_TITLE 45"), fwtest::GetItemText(live, IDC_AVI_PROJECT_SIZE));
        EXPECT_EQ(CString(L"ITEM_TITLE 187"), fwtest::GetItemText(live, IDC_AVI_BY_SEGMENT));
        fwtest::ClickButton(live, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(0, m_doc->m_aviPerSegment);
    EXPECT_TRUE(m_engine.m_requests.empty());
}

TEST_F(ExportAviDialog, BySegmentCheckSetsTheDocumentFlag)
{
    fwtest::RunModal(*m_dlg, [&](CDialog& live) {
        ::CheckDlgButton(live.m_hWnd, IDC_AVI_BY_SEGMENT, BST_CHECKED);
        fwtest::ClickButton(live, IDC_AVI_BY_SEGMENT);
        EXPECT_EQ(1, m_doc->m_aviPerSegment);
        live.SendMessage(WM_CLOSE);
    });
    EXPECT_EQ(1, m_dlg->m_bySegment);
}

TEST_F(ExportAviDialog, ClosingBeforeAnExportEndsWithOkAndExportsNothing)
{
    const INT_PTR result = fwtest::RunModal(*m_dlg, [&](CDialog& live) { live.SendMessage(WM_CLOSE); });
    EXPECT_EQ(IDOK, result);
    EXPECT_TRUE(m_engine.m_requests.empty());
}

TEST_F(ExportAviDialog, OkSendsThePathAndTheProgressCountsUp)
{
    // The caption counts in the language's words; a '%' of its own stays.
    m_host.m_texts[{ L"ITEM_TITLE", 260 }] = L"Progress %s: %d/%d";
    const INT_PTR result = fwtest::RunModal(*m_dlg, [&](CDialog& live) {
        // A cancelled save dialog leaves the options open.
        m_ui.ExpectCancel(CScriptedUiHost::Kind::FileSave);
        fwtest::ClickButton(live, IDOK);
        EXPECT_TRUE(m_engine.m_requests.empty());
        EXPECT_TRUE(::IsWindowVisible(live.m_hWnd));

        ::CheckDlgButton(live.m_hWnd, IDC_AVI_PROJECT_SIZE, BST_UNCHECKED);
        ::CheckDlgButton(live.m_hWnd, IDC_AVI_SCREEN_SIZE, BST_CHECKED);
        fwtest::ClickButton(live, IDC_AVI_SCREEN_SIZE);
        m_ui.ExpectFileSave(L"C:\\video\\show.avi");
        fwtest::ClickButton(live, IDOK);
        ASSERT_EQ(1u, m_engine.m_requests.size());
        EXPECT_EQ(1u, m_engine.m_requests[0].first);
        EXPECT_EQ(CString(L"C:\\video\\show.avi"), m_engine.m_requests[0].second);
        EXPECT_EQ(CString(L"Video Files(*.AVI)|*.AVI||"), m_ui.m_lastFileRequest.strFilter);

        EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(live.m_hWnd, IDC_AVI_PROGRESS)));
        for (int id : { IDOK, IDCANCEL, IDC_AVI_PROJECT_SIZE, IDC_AVI_SCREEN_SIZE, IDC_AVI_BY_SEGMENT })
            EXPECT_FALSE(Enabled(live, id)) << id;
        EXPECT_EQ(5, m_dlg->GetTotalFrames());
        EXPECT_EQ(0, m_dlg->GetPosition());

        EXPECT_FALSE(m_dlg->StepProgress(3));
        CString caption;
        live.GetWindowTextW(caption);
        EXPECT_EQ(CString(L"Progress %s: 3/5"), caption);
        EXPECT_EQ(3, ::SendDlgItemMessageW(live.m_hWnd, IDC_AVI_PROGRESS, PBM_GETPOS, 0, 0));
        EXPECT_TRUE(m_dlg->StepProgress(5));
        live.GetWindowTextW(caption);
        EXPECT_EQ(CString(L"Progress %s: 5/5"), caption);
        // Enter asks for no second file while exporting.
        live.SendMessage(WM_COMMAND, IDOK);
        EXPECT_EQ(1u, m_engine.m_requests.size());
        // The engine posts WM_CLOSE at the last frame.
        live.SendMessage(WM_CLOSE);
    });
    EXPECT_EQ(IDOK, result);
}

TEST_F(ExportAviDialog, EscapeDuringAnExportEndsItWithOk)
{
    const INT_PTR result = fwtest::RunModal(*m_dlg, [&](CDialog& live) {
        m_ui.ExpectFileSave(L"C:\\video\\show.avi");
        fwtest::ClickButton(live, IDOK);
        live.SendMessage(WM_COMMAND, IDCANCEL);
    });
    // OK makes the engine finish the file and stop its worker.
    EXPECT_EQ(IDOK, result);
}

TEST_F(ExportAviDialog, FactoryMakesADialogForTheEngine)
{
    CCanvasContainer::ExportDialogFactory factory = MakeAviExportDialogFactory(m_doc.get());
    CAviExportDialog* dialog = factory(nullptr, nullptr);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(nullptr, dialog->GetSafeHwnd());
    delete dialog;
}

} // namespace
