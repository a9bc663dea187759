// Auto-save of the running editor on the injected clock: the interval in
// minutes (1 waits, 0 and -1 save on every tick), the fall-back to the
// backup file, the document's modified state and path left alone, no reply
// to the caller, a failed write that keeps the last good backup and is not
// entered again while its message is open, and the settings dialog of
// command 32940.
#include "PanelTestSupport.h"

#include "AppPaths.h"
#include "AutoSaveDlg.h"
#include "LayoutFile.h"
#include "LayoutFolders.h"
#include "LayoutLangText.h"
#include "PannexResource.h"
#include "PannexSession.h"

#include <fw_replacefile.h>

using namespace pannextest;

namespace {

bool Exists(const CString& path)
{
    return ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

std::vector<BYTE> Bytes(const CString& path)
{
    std::vector<BYTE> bytes;
    ReadWholeFile(path, bytes);
    return bytes;
}

// A session started by a caller, with one lamp and unsaved changes.
struct AutoSaveSession {
    fwtest::CFakeClock& clock;
    CCallerWindow caller;
    CFileKeeper other { GetConfigFolder() + L"other.ini" };
    CPannexSession s;
    CMainFrame* frame = nullptr;

    explicit AutoSaveSession(fwtest::CFakeClock& c)
        : clock(c)
        , s({ L"CMD1-" + caller.Handle() + L",32,16" })
    {
        frame = s.Frame();
        fwtest::PumpPending(); // the document's path
        AddLamp(*s.Doc(), *s.View(), 3, 2);
        s.Doc()->GetLayout().m_modified = 1;
    }
    ~AutoSaveSession()
    {
        if (::IsWindow(s.hFrame)) {
            s.Doc()->GetLayout().m_modified = 0;
            frame->SendMessage(WM_CLOSE);
        }
        SetCallerWindow(nullptr);
        ::DeleteFileW(GetTFFolder() + L"new.lpx");
    }
    void Tick() { clock.Advance(1000); }
};

// The failure message of an auto-save stays open long enough for the next
// timer tick to arrive: this host delivers one inside the message box.
class CTickInsideMessageHost : public fwtest::CScriptedUiHost {
public:
    CTickInsideMessageHost(fwtest::CFakeClock& clock)
        : m_clock(clock)
    {
    }
    int MessageBox(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type) override
    {
        ++m_boxes;
        if (m_frame != nullptr)
            m_clock.Fire(m_frame, m_timer);
        return fwtest::CScriptedUiHost::MessageBox(owner, text, caption, type);
    }
    void Watch(HWND frame, UINT_PTR timer)
    {
        m_frame = frame;
        m_timer = timer;
    }
    int m_boxes = 0;

private:
    fwtest::CFakeClock& m_clock;
    HWND m_frame = nullptr;
    UINT_PTR m_timer = 0;
};

} // namespace

TEST(PannexAutoSave, IntervalsOfOneZeroAndMinusOneMinute)
{
    struct Row {
        int minutes;
        int ticksBeforeFirstSave; // after the tick that starts the count
    };
    for (const Row row : { Row { 1, 60 }, Row { 0, 0 }, Row { -1, 0 } }) {
        SCOPED_TRACE(row.minutes);
        fwtest::CScriptedUiHost host;
        fwtest::CFakeClock clock;
        AutoSaveSession a(clock);
        ASSERT_NE(a.frame, nullptr);
        const CString target = TempFile(L"pannex_autosave_interval.lpx");
        ::DeleteFileW(target);
        a.frame->m_bAutoSaveEnable = 1;
        a.frame->m_nAutoSaveMinutes = row.minutes;
        a.frame->m_nAutoSaveFlag = 1;
        a.frame->m_strAutoSaveFile = target;
        const CString path = a.s.Doc()->GetPathName();

        a.Tick(); // starts the count (and saves at once when the interval is 0 or less)
        for (int i = 0; i < row.ticksBeforeFirstSave; ++i) {
            EXPECT_FALSE(Exists(target)) << i;
            a.Tick();
        }
        EXPECT_TRUE(Exists(target));
        // Every further tick saves again when the interval is 0 or less.
        ::DeleteFileW(target);
        a.Tick();
        EXPECT_EQ(Exists(target), row.minutes <= 0);
        // The document does not notice, and the caller hears nothing.
        EXPECT_EQ(a.s.Doc()->GetLayout().m_modified, 1);
        EXPECT_EQ(a.s.Doc()->GetPathName(), path);
        EXPECT_TRUE(Replies().empty());
        ::DeleteFileW(target);
    }
}

TEST(PannexAutoSave, AnEmptyChosenFileFallsBackToTheBackupFile)
{
    fwtest::CScriptedUiHost host;
    fwtest::CFakeClock clock;
    AutoSaveSession a(clock);
    const CString backup = GetAppFolder() + L"Files\\Backup.lpx";
    CFileKeeper keep(backup);
    ::DeleteFileW(backup);
    a.frame->m_nAutoSaveMinutes = 0;
    a.frame->m_nAutoSaveFlag = 1;
    a.frame->m_strAutoSaveFile.Empty();
    a.Tick();
    ASSERT_TRUE(Exists(backup));
    CLayoutData back;
    ASSERT_EQ(ReadLayoutFile(nullptr, backup, back), LayoutReadResult::Ok);
    EXPECT_EQ(back.GetPort(0).GetCount(), 1);
    EXPECT_TRUE(Replies().empty());
}

TEST(PannexAutoSave, AFailedWriteKeepsTheLastBackupAndIsNotEnteredAgain)
{
    fwtest::CFakeClock clock;
    CTickInsideMessageHost host(clock);
    AutoSaveSession a(clock);
    const CString target = TempFile(L"pannex_autosave_held.lpx");
    ::DeleteFileW(target);
    a.frame->m_nAutoSaveMinutes = 0;
    a.frame->m_nAutoSaveFlag = 1;
    a.frame->m_strAutoSaveFile = target;
    a.Tick();
    const std::vector<BYTE> good = Bytes(target);
    ASSERT_FALSE(good.empty());

    // The layout changes, but the backup cannot be replaced while another
    // program holds it open.
    AddLamp(*a.s.Doc(), *a.s.View(), 5, 5);
    HANDLE held = ::CreateFileW(target, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    SetLangTextLanguage(2);
    host.ExpectMessageBox(IDOK, GetLangText(L"LAYOUT", 168));
    host.Watch(a.s.hFrame, a.frame->m_nTimerId);
    a.Tick();
    host.Watch(nullptr, 0);
    ::CloseHandle(held);
    // One message: the tick that came while it was open started no second
    // save. The last good backup is whole and no temporary file is left.
    EXPECT_EQ(host.m_boxes, 1);
    EXPECT_EQ(host.PendingCount(), 0u);
    EXPECT_EQ(Bytes(target), good);
    EXPECT_FALSE(Exists(AfxReplacementTempPath(target)));
    // The next tick writes again.
    a.Tick();
    EXPECT_NE(Bytes(target), good);
    ::DeleteFileW(target);
}

TEST(PannexAutoSave, SettingsDialogOfItsCommand)
{
    fwtest::CScriptedUiHost host;
    fwtest::CFakeClock clock;
    AutoSaveSession a(clock);
    a.frame->m_bAutoSaveEnable = 1;
    a.frame->m_nAutoSaveMinutes = 1;
    a.frame->m_nAutoSaveFlag = 0;
    a.frame->m_strAutoSaveFile.Empty();
    {
        // The frame's values arrive in the controls; OK takes the new ones,
        // the file from the picker.
        host.ExpectFileOpen({ L"C:\\backups\\mine.lpx" });
        CDriveNext drive([](CDialog& dlg) {
            EXPECT_EQ(fwtest::GetItemText(dlg, IDC_AUTO_SAVE_MINUTES), L"1");
            EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_AUTO_SAVE_ENABLE), 1u);
            EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_AUTO_SAVE_DEFAULT), 1u);
            fwtest::SetItemText(dlg, IDC_AUTO_SAVE_MINUTES, L"0");
            dlg.CheckDlgButton(IDC_AUTO_SAVE_ENABLE, 0);
            dlg.CheckRadioButton(IDC_AUTO_SAVE_DEFAULT, IDC_AUTO_SAVE_CHOSEN, IDC_AUTO_SAVE_CHOSEN);
            fwtest::ClickButton(dlg, IDC_AUTO_SAVE_BROWSE);
            EXPECT_EQ(fwtest::GetItemText(dlg, IDC_AUTO_SAVE_FILE), L"C:\\backups\\mine.lpx");
            fwtest::ClickButton(dlg, IDOK);
        });
        fwtest::SendCommand(*a.frame, ID_FILE_AUTO_SAVE);
        EXPECT_TRUE(drive.Driven());
    }
    EXPECT_EQ(a.frame->m_nAutoSaveMinutes, 0);
    EXPECT_EQ(a.frame->m_bAutoSaveEnable, 0);
    EXPECT_EQ(a.frame->m_nAutoSaveFlag, 1);
    EXPECT_EQ(a.frame->m_strAutoSaveFile, L"C:\\backups\\mine.lpx");
    {
        // Cancel keeps the frame's values.
        CDriveNext drive([](CDialog& dlg) {
            fwtest::SetItemText(dlg, IDC_AUTO_SAVE_MINUTES, L"9");
            fwtest::ClickButton(dlg, IDCANCEL);
        });
        fwtest::SendCommand(*a.frame, ID_FILE_AUTO_SAVE);
    }
    EXPECT_EQ(a.frame->m_nAutoSaveMinutes, 0);
    // Nothing reaches "other.ini" before the frame closes.
    const CString ini = GetConfigFolder() + L"other.ini";
    EXPECT_NE(::GetPrivateProfileIntW(L"Layout", L"iAutoSaveSpace", -7, ini), 0u);
    a.s.Doc()->GetLayout().m_modified = 0;
    a.frame->SendMessage(WM_CLOSE);
    EXPECT_EQ(::GetPrivateProfileIntW(L"Layout", L"iAutoSaveSpace", -7, ini), 0u);
    EXPECT_EQ(::GetPrivateProfileIntW(L"Layout", L"iAutoSaveFlag", -7, ini), 1u);
}
