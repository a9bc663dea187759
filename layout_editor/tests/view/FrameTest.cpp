// The layout editor's main frame: auto-save timing by the fake clock (never
// reported to the caller), the replies to the caller (the path after each
// save, "EXIT" at close), the close question, the hidden grid run and the
// start-up with a file or a bad command line.
#include "PannexTestUtil.h"

#include "AppPaths.h"
#include "EditorSettings.h"
#include "LayoutFile.h"
#include "LayoutFolders.h"
#include "LShowStatic.h"
#include "LayoutLangText.h"
#include "PannexSession.h"

using namespace pannextest;

namespace {

bool Exists(const CString& path)
{
    return ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

class PannexFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetCallerWindow(nullptr);
        ::DeleteFileW(NewLayoutPath());
    }
    void TearDown() override
    {
        SetCallerWindow(nullptr);
        ::DeleteFileW(NewLayoutPath());
    }
    static CString NewLayoutPath() { return GetTFFolder() + L"new.lpx"; }

    CFileKeeper m_other { GetConfigFolder() + L"other.ini" };
};

} // namespace

TEST_F(PannexFrameTest, AutoSaveWaitsForTheIntervalAndIsNotReported)
{
    fwtest::CScriptedUiHost host;
    fwtest::CFakeClock clock;
    CCallerWindow caller;
    CPannexSession s({ L"CMD1-" + caller.Handle() + L",32,16" });
    ASSERT_TRUE(s.started);
    CMainFrame* frame = s.Frame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(clock.HasTimer(frame->GetSafeHwnd(), frame->m_nTimerId));
    fwtest::PumpPending(); // the start-up command gives the document its path
    AddLamp(*s.Doc(), *s.View(), 3, 2);
    s.Doc()->GetLayout().m_modified = 1;

    const CString target = TempFile(L"pannex_autosave.lpx");
    ::DeleteFileW(target);
    frame->m_bAutoSaveEnable = 1;
    frame->m_nAutoSaveMinutes = 1;
    frame->m_nAutoSaveFlag = 1;
    frame->m_strAutoSaveFile = target;

    // The first tick starts the count; a minute later the layout is written.
    clock.Advance(60 * 1000);
    EXPECT_FALSE(Exists(target));
    clock.Advance(1000);
    EXPECT_TRUE(Exists(target));
    EXPECT_EQ(s.Doc()->GetLayout().m_modified, 1);
    EXPECT_EQ(s.Doc()->GetPathName().CompareNoCase(NewLayoutPath()), 0);
    EXPECT_TRUE(Replies().empty());

    CLayoutData back;
    ASSERT_EQ(ReadLayoutFile(nullptr, target, back), LayoutReadResult::Ok);
    ASSERT_GE(back.GetPortCount(), 1);
    EXPECT_EQ(back.GetPort(0).GetCount(), 1);

    // Next save one interval later, not before.
    ::DeleteFileW(target);
    clock.Advance(59 * 1000);
    EXPECT_FALSE(Exists(target));
    clock.Advance(1000);
    EXPECT_TRUE(Exists(target));

    // An interval of 0 saves on every tick; a disabled auto-save never.
    frame->m_nAutoSaveMinutes = 0;
    ::DeleteFileW(target);
    clock.Advance(1000);
    EXPECT_TRUE(Exists(target));
    frame->m_bAutoSaveEnable = 0;
    ::DeleteFileW(target);
    clock.Advance(5 * 60 * 1000);
    EXPECT_FALSE(Exists(target));
    EXPECT_TRUE(Replies().empty());
    ::DeleteFileW(target);
}

TEST_F(PannexFrameTest, AutoSaveTargetFallsBackToTheBackupFile)
{
    fwtest::CScriptedUiHost host;
    CPannexSession s({});
    ASSERT_TRUE(s.started);
    CMainFrame* frame = s.Frame();
    const CString backup = GetAppFolder() + L"Files\\Backup.lpx";
    frame->m_nAutoSaveFlag = 1;
    frame->m_strAutoSaveFile.Empty();
    EXPECT_EQ(frame->AutoSaveTarget(), backup);
    frame->m_nAutoSaveFlag = 0;
    frame->m_strAutoSaveFile = L"C:\\elsewhere.lpx";
    EXPECT_EQ(frame->AutoSaveTarget(), backup);
    frame->m_nAutoSaveFlag = 1;
    EXPECT_EQ(frame->AutoSaveTarget(), L"C:\\elsewhere.lpx");
}

TEST_F(PannexFrameTest, SavesReplyWithThePathAndCloseRepliesExit)
{
    fwtest::CScriptedUiHost host;
    CCallerWindow caller;
    CPannexSession s({ L"CMD1-" + caller.Handle() + L",32,16,4,512,1" });
    ASSERT_TRUE(s.started);
    EXPECT_EQ(s.app.m_hCallerWnd, caller.Get());
    EXPECT_EQ(s.app.m_nPortsPerController, 4);
    EXPECT_EQ(s.app.m_nChannelsPerPort, 512);
    EXPECT_EQ(s.Frame()->m_nLanguage, 1);
    fwtest::PumpPending();
    AddLamp(*s.Doc(), *s.View(), 1, 1);

    fwtest::SendCommand(*s.Frame(), ID_FILE_SAVE);
    ASSERT_EQ(Replies().size(), 1u);
    const CString path = s.Doc()->GetPathName();
    EXPECT_EQ(path.CompareNoCase(NewLayoutPath()), 0);
    EXPECT_EQ(Replies()[0].wParam, 0u);
    EXPECT_EQ(Replies()[0].data, 0u);
    EXPECT_EQ(Replies()[0].bytes, TextRecord(path));

    // A second save replies again.
    s.Doc()->GetLayout().m_modified = 1;
    fwtest::SendCommand(*s.Frame(), ID_FILE_SAVE);
    ASSERT_EQ(Replies().size(), 2u);

    // Closing an unchanged layout asks nothing and says "EXIT".
    s.Frame()->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(s.hFrame));
    ASSERT_EQ(Replies().size(), 3u);
    EXPECT_EQ(Replies()[2].wParam, 0u);
    EXPECT_EQ(Replies()[2].data, 0u);
    EXPECT_EQ(Replies()[2].size, 10u);
    EXPECT_EQ(Replies()[2].bytes, TextRecord(L"EXIT"));
}

TEST_F(PannexFrameTest, CloseWithChangesAsksAndCancelKeepsTheWindow)
{
    fwtest::CScriptedUiHost host;
    fwtest::CFakeClock clock;
    CCallerWindow caller;
    CPannexSession s({ L"CMD1-" + caller.Handle() + L",32,16" });
    ASSERT_TRUE(s.started);
    fwtest::PumpPending();
    AddLamp(*s.Doc(), *s.View(), 2, 2);
    s.Doc()->GetLayout().m_modified = 1;
    CMainFrame* frame = s.Frame();
    const UINT_PTR timer = frame->m_nTimerId;

    host.ExpectMessageBox(IDCANCEL, GetLangText(L"LAYOUT", 177));
    frame->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(s.hFrame));
    EXPECT_TRUE(clock.HasTimer(s.hFrame, timer));
    EXPECT_TRUE(Replies().empty());

    // No: nothing is saved, the caller hears "EXIT" only.
    host.ExpectMessageBox(IDNO);
    frame->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(s.hFrame));
    ASSERT_EQ(Replies().size(), 1u);
    EXPECT_EQ(Replies()[0].bytes, TextRecord(L"EXIT"));
    EXPECT_FALSE(Exists(NewLayoutPath()));
}

TEST_F(PannexFrameTest, CloseWithChangesAndYesSavesThenSaysExit)
{
    fwtest::CScriptedUiHost host;
    CCallerWindow caller;
    CPannexSession s({ L"CMD1-" + caller.Handle() + L",32,16" });
    ASSERT_TRUE(s.started);
    fwtest::PumpPending();
    AddLamp(*s.Doc(), *s.View(), 2, 2);
    s.Doc()->GetLayout().m_modified = 1;
    host.ExpectMessageBox(IDYES);
    s.Frame()->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(s.hFrame));
    ASSERT_EQ(Replies().size(), 2u);
    EXPECT_EQ(Replies()[0].bytes, TextRecord(NewLayoutPath()));
    EXPECT_EQ(Replies()[1].bytes, TextRecord(L"EXIT"));
    EXPECT_TRUE(Exists(NewLayoutPath()));
}

TEST_F(PannexFrameTest, CloseWithoutCallerSendsNothingAndStoresTheAutoSaveSettings)
{
    fwtest::CScriptedUiHost host;
    CCallerWindow bystander;
    CPannexSession s({});
    ASSERT_TRUE(s.started);
    EXPECT_EQ(s.app.m_hCallerWnd, nullptr);
    s.Frame()->m_nAutoSaveMinutes = 7;
    s.Frame()->m_strAutoSaveFile = L"C:\\auto.lpx";
    s.Frame()->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(s.hFrame));
    EXPECT_TRUE(Replies().empty());
    const CString ini = GetConfigFolder() + L"other.ini";
    EXPECT_EQ(::GetPrivateProfileIntW(L"Layout", L"iAutoSaveSpace", -1, ini), 7u);
    WCHAR file[64] = {};
    ::GetPrivateProfileStringW(L"Layout", L"strAutoSaveFile", L"", file, 64, ini);
    EXPECT_STREQ(file, L"C:\\auto.lpx");
}

TEST_F(PannexFrameTest, StartupCommandOtherThanOneDoesNothing)
{
    fwtest::CScriptedUiHost host;
    CCallerWindow caller;
    CPannexSession s({ L"CMD1-" + caller.Handle() + L",32,16" });
    ASSERT_TRUE(s.started);
    // The posted command may already have run in the project settings
    // dialog's message loop; start from a document without a path.
    s.Doc()->ClearPathName();
    s.Frame()->SendMessage(WM_STARTUP_COMMAND, 2);
    EXPECT_TRUE(s.Doc()->GetPathName().IsEmpty());
    s.Frame()->SendMessage(WM_STARTUP_COMMAND, 1);
    EXPECT_EQ(s.Doc()->GetPathName().CompareNoCase(NewLayoutPath()), 0);
}

TEST_F(PannexFrameTest, HiddenRunGeneratesTheGridSavesAndExits)
{
    fwtest::CScriptedUiHost host;
    CCallerWindow caller;
    // 6 x 4 cells, 2 ports per controller: ceil(4 / 2) = 2 controllers.
    CPannexSession s({ L"CMD4-" + caller.Handle() + L",6,4,2,512,3,1" });
    ASSERT_TRUE(s.started);
    EXPECT_TRUE(s.app.m_bHidden);
    EXPECT_FALSE(::IsWindowVisible(s.hFrame));
    fwtest::PumpUntil([&] { return !::IsWindow(s.hFrame); }, 5000);
    EXPECT_FALSE(::IsWindow(s.hFrame));
    ASSERT_EQ(Replies().size(), 2u);
    EXPECT_EQ(Replies()[0].bytes, TextRecord(NewLayoutPath()));
    EXPECT_EQ(Replies()[1].bytes, TextRecord(L"EXIT"));

    // The options are the project settings dialog's defaults (the maximum
    // lamp count off, the grid shown).
    struct CReadBack : ILayoutFileView {
        CLayoutProjectSettings settings;
        CLayoutProjectSettings& GetLayoutSettings() override { return settings; }
        void ResizeLayout(int width, int height) override
        {
            LayoutWidth = width;
            LayoutHeight = height;
        }
    } view;
    CLayoutData back;
    ASSERT_EQ(ReadLayoutFile(&view, NewLayoutPath(), back), LayoutReadResult::Ok);
    EXPECT_EQ(view.settings.m_allowMaxLamps, 0);
    EXPECT_EQ(view.settings.m_showGrid, 1);
    EXPECT_EQ(back.m_width, 6);
    EXPECT_EQ(back.m_height, 4);
    ASSERT_EQ(back.GetPortCount(), 4);
    for (int i = 0; i < 4; ++i) {
        const LayoutPort& port = back.GetPort(i);
        ASSERT_EQ(port.GetCount(), 6) << i;
        EXPECT_EQ(port.GetPoint(5).x, 5);
        EXPECT_EQ(port.GetPoint(5).y, i);
        EXPECT_NEAR(port.GetPoint(5).m_normX, 5.5 / 6, 1e-6);
        EXPECT_NEAR(port.GetPoint(5).m_normY, (i + 0.5) / 4, 1e-6);
    }
}

TEST_F(PannexFrameTest, NamedLayoutFileIsLoadedAtStart)
{
    // A layout written to disk, then named on the command line.
    const CString path = TempFile(L"pannex start layout.lpx");
    {
        CLayoutData model;
        model.m_width = 20;
        model.m_height = 10;
        ASSERT_TRUE(model.ResetPorts(2, 8, L"RGB", 0));
        CLPoint lamp(4, 5);
        lamp.m_normX = 4.5 / 20;
        lamp.m_normY = 5.5 / 10;
        model.GetPort(1).InsertPoints(&lamp, 1);
        model.RebuildUsedPorts();
        CLayoutProjectSettings settings;
        settings.SetControllers(1, 2);
        ASSERT_EQ(WriteLayoutFile(model, path, settings), LayoutWriteResult::Ok);
    }
    fwtest::CScriptedUiHost host;
    CCallerWindow caller;
    CPannexSession s({ L"CMD2-" + caller.Handle() + L"," + path + L",3" });
    ASSERT_TRUE(s.started);
    EXPECT_EQ(s.app.m_bFileNamed, 0);
    EXPECT_EQ(s.Frame()->m_nLanguage, 3);
    CLayoutData& model = s.Doc()->GetLayout();
    EXPECT_EQ(model.m_width, 20);
    ASSERT_EQ(model.GetPortCount(), 2);
    EXPECT_EQ(model.GetPort(1).GetCount(), 1);
    EXPECT_EQ(LayoutWidth, 20);
    EXPECT_EQ(s.View()->m_editMode, 0);
    // The list panel's overview took the layout's size.
    ASSERT_NE(s.Frame()->GetListPanel(), nullptr);
    CLShowStatic* overview = s.Frame()->GetListPanel()->GetOverview();
    ASSERT_NE(overview, nullptr);
    EXPECT_EQ(overview->GetLayoutWidth(), 20);
    EXPECT_EQ(overview->GetLayoutHeight(), 10);
    ::DeleteFileW(path);
}

TEST_F(PannexFrameTest, UnreadableNamedFileOrShortLineEndsTheStartUp)
{
    fwtest::CScriptedUiHost host;
    SetLangTextLanguage(2);
    host.ExpectMessageBox(IDOK, GetLangText(L"LAYOUT", 168));
    {
        CPannexSession s({ L"CMD2-0,C:\\no such folder\\x.lpx,2" });
        EXPECT_FALSE(s.started);
    }
    {
        CPannexSession s({ L"CMD1-0,64" });
        EXPECT_FALSE(s.started);
        EXPECT_TRUE(s.app.m_bBadCommandLine);
        EXPECT_EQ(s.app.m_pMainWnd, nullptr);
    }
}

TEST_F(PannexFrameTest, SizesBeyondTheModelEndTheStartUpWithAMessage)
{
    fwtest::CScriptedUiHost host;
    for (const wchar_t* line : { L"CMD5-1,-1,-1,-8,-3072,5", L"CMD1-0,70000,16,8,3072,1", L"CMD4-0,40,20,0,1024,3,4",
             // More ports a controller than the project set-up takes.
             L"CMD1-0,64,38,512,1", L"CMD5-0,64,38,256,512,1", L"CMD5-0,64,38,2147483647,512,1",
             L"CMD4-0,40,65535,255,512,21,1" }) {
        SCOPED_TRACE(CStringA(line).GetString());
        LightBoxMode = 0;
        SetLangTextLanguage(2);
        host.ExpectMessageBox(IDOK, GetLangText(L"LAYOUT", 902));
        CPannexSession s({ line });
        EXPECT_FALSE(s.started);
        EXPECT_TRUE(s.app.m_bBadCommandLine);
        EXPECT_EQ(s.app.m_pMainWnd, nullptr);
        EXPECT_EQ(s.app.m_nWidth, 0);
        EXPECT_EQ(s.app.m_bHidden, 0);
        EXPECT_EQ(LightBoxMode, 0);
        EXPECT_EQ(host.PendingCount(), 0u);
    }
}
