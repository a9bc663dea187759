// Closing the editor's main window, as a table: hidden mode never asks;
// Cancel keeps the window and the auto-save timer; Yes followed by a failed
// or cancelled save keeps them too (the changes are not lost); a successful
// save sends the save record and then "EXIT" to the caller, in that order.
#include "PannexTestUtil.h"

#include "AppPaths.h"
#include "LayoutFolders.h"
#include "LayoutLangText.h"
#include "PannexSession.h"

using namespace pannextest;

namespace {

enum class SaveTo { CallerFile, MissingFolder, NoPathCancelled };

struct CloseRow {
    const char* name;
    bool hidden;
    int answer; // 0: no question expected
    SaveTo save;
    bool windowStays;
    std::vector<CString> replies;
};

CString NewLayoutPath()
{
    return GetTFFolder() + L"new.lpx";
}

} // namespace

TEST(PannexCloseFlow, EveryAnswerAndSaveOutcome)
{
    const CString failMessage = [] {
        SetLangTextLanguage(2);
        return GetLangText(L"LAYOUT", 168);
    }();
    const CloseRow rows[] = {
        { "hidden mode never asks", true, 0, SaveTo::CallerFile, false, { L"EXIT" } },
        { "cancel keeps everything", false, IDCANCEL, SaveTo::CallerFile, true, {} },
        { "no closes without saving", false, IDNO, SaveTo::CallerFile, false, { L"EXIT" } },
        { "yes saves, then exit", false, IDYES, SaveTo::CallerFile, false, { NewLayoutPath(), L"EXIT" } },
        { "yes with a failed save stays", false, IDYES, SaveTo::MissingFolder, true, {} },
        { "yes with a cancelled save stays", false, IDYES, SaveTo::NoPathCancelled, true, {} },
    };
    CFileKeeper other(GetConfigFolder() + L"other.ini");
    for (const CloseRow& row : rows) {
        SCOPED_TRACE(row.name);
        SetCallerWindow(nullptr);
        ::DeleteFileW(NewLayoutPath());
        fwtest::CScriptedUiHost host;
        fwtest::CFakeClock clock;
        CCallerWindow caller;
        std::vector<CString> args;
        if (row.save != SaveTo::NoPathCancelled)
            args.push_back(L"CMD1-" + caller.Handle() + L",32,16");
        CPannexSession s(args);
        ASSERT_TRUE(s.started);
        fwtest::PumpPending(); // the start-up command gives the document its path
        AddLamp(*s.Doc(), *s.View(), 2, 2);
        s.Doc()->GetLayout().m_modified = 1;
        if (row.save == SaveTo::MissingFolder)
            s.Doc()->SetPathName(GetTFFolder() + L"no_such_folder\\x.lpx", FALSE);
        s.app.m_bHidden = row.hidden ? 1 : 0;
        CMainFrame* frame = s.Frame();
        const UINT_PTR timer = frame->m_nTimerId;

        if (row.answer != 0)
            host.ExpectMessageBox(row.answer, GetLangText(L"LAYOUT", 177));
        if (row.answer == IDYES && row.save == SaveTo::MissingFolder)
            host.ExpectMessageBox(IDOK, failMessage);
        if (row.answer == IDYES && row.save == SaveTo::NoPathCancelled)
            host.ExpectCancel(fwtest::CScriptedUiHost::Kind::FileSave);
        frame->SendMessage(WM_CLOSE);

        EXPECT_EQ(host.PendingCount(), 0u);
        EXPECT_EQ(::IsWindow(s.hFrame) != FALSE, row.windowStays);
        if (row.windowStays) {
            EXPECT_TRUE(clock.HasTimer(s.hFrame, timer));
            EXPECT_EQ(frame->m_nTimerId, timer);
            EXPECT_NE(s.Doc()->GetLayout().m_modified, 0);
        }
        ASSERT_EQ(Replies().size(), row.replies.size());
        for (size_t i = 0; i < row.replies.size(); ++i)
            EXPECT_EQ(Replies()[i].bytes, TextRecord(row.replies[i])) << i;
        if (::IsWindow(s.hFrame)) {
            // Leave without a question.
            s.Doc()->GetLayout().m_modified = 0;
            frame->SendMessage(WM_CLOSE);
        }
    }
    SetCallerWindow(nullptr);
    ::DeleteFileW(NewLayoutPath());
}

// File > New over a changed layout asks the editor's own question in the
// editor's language; Cancel keeps the layout.
TEST(PannexCloseFlow, NewOverAChangedLayoutAsksInTheEditorsLanguage)
{
    for (int language : { 1, 2 }) {
        SCOPED_TRACE(language);
        fwtest::CScriptedUiHost host;
        CPannexSession s({});
        ASSERT_TRUE(s.started);
        s.Frame()->m_nLanguage = language;
        SetLangTextLanguage(language);
        AddLamp(*s.Doc(), *s.View(), 2, 2);
        s.Doc()->GetLayout().m_modified = 1;
        const CString question = GetLangText(L"LAYOUT", 177);
        ASSERT_FALSE(question.IsEmpty());
        host.ExpectMessageBox(IDCANCEL, question);
        fwtest::SendCommand(*s.Frame(), ID_FILE_NEW);
        EXPECT_EQ(host.PendingCount(), 0u);
        EXPECT_NE(s.Doc()->GetLayout().m_modified, 0);
        s.Doc()->GetLayout().m_modified = 0;
        s.Frame()->SendMessage(WM_CLOSE);
    }
    SetLangTextLanguage(2);
}
