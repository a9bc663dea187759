// The main window's caption names the layout as any document program does:
// the editor's word for a layout not yet saved, the file's name after it was
// opened or saved under a new name, and the caller's file when a program
// started the editor.
#include "PannexTestUtil.h"

#include "LayoutFile.h"
#include "LayoutFolders.h"
#include "LayoutLangText.h"
#include "PannexResource.h"
#include "PannexSession.h"

using namespace pannextest;

namespace {

CString Caption(CPannexSession& s)
{
    CString text;
    s.Frame()->GetWindowText(text);
    return text;
}

bool HasChinese(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i)
        if (text[i] >= 0x4E00 && text[i] <= 0x9FFF)
            return true;
    return false;
}

// A small layout file to open.
void WriteLayout(const CString& path)
{
    CLayoutData model;
    model.m_width = 20;
    model.m_height = 10;
    ASSERT_TRUE(model.ResetPorts(2, 8, L"RGB", 0));
    CLayoutProjectSettings settings;
    settings.SetControllers(1, 2);
    ASSERT_EQ(WriteLayoutFile(model, path, settings), LayoutWriteResult::Ok);
}

} // namespace

TEST(PannexFrameCaption, FollowsTheDocumentInEachLanguage)
{
    const CString opened = TempFile(L"pannex caption opened.lpx");
    const CString savedAs = TempFile(L"pannex caption saved.lpx");
    WriteLayout(opened);
    struct Row {
        int language;
        const wchar_t* untitled;
    };
    const Row rows[] = { { 1, L"Untitled" }, { 2, L"无标题" }, { 3, L"未命名" }, { 4, L"Sans titre" } };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.language);
        fwtest::CScriptedUiHost host;
        CString args;
        args.Format(L"CMD1-0,32,16,4,512,%d", row.language);
        CPannexSession s({ args });
        ASSERT_TRUE(s.started);
        fwtest::PumpPending();
        EXPECT_EQ(Caption(s), CString(row.untitled) + L" - Pannex");
        if (row.language == 1 || row.language == 4) {
            EXPECT_FALSE(HasChinese(Caption(s)));
        }

        host.ExpectFileOpen({ opened });
        fwtest::SendCommand(*s.Frame(), ID_FILE_OPEN);
        EXPECT_EQ(Caption(s), L"pannex caption opened.lpx - Pannex");

        s.Doc()->GetLayout().m_modified = 1;
        host.ExpectFileSave(savedAs);
        fwtest::SendCommand(*s.Frame(), ID_FILE_SAVE_AS);
        EXPECT_EQ(Caption(s), L"pannex caption saved.lpx - Pannex");

        // File New: not saved yet again (the project settings are kept).
        {
            CDriveNext ok([](CDialog& live) { fwtest::ClickButton(live, IDOK); });
            fwtest::SendCommand(*s.Frame(), ID_FILE_NEW);
        }
        EXPECT_EQ(Caption(s), CString(row.untitled) + L" - Pannex");
        EXPECT_EQ(host.PendingCount(), 0u);
        ::DeleteFileW(savedAs);
    }
    SetLangTextLanguage(2);
    ::DeleteFileW(opened);
}

TEST(PannexFrameCaption, ACallersLayoutIsNamedByItsFile)
{
    fwtest::CScriptedUiHost host;
    CCallerWindow caller;
    CPannexSession s({ L"CMD1-" + caller.Handle() + L",32,16,4,512,1" });
    ASSERT_TRUE(s.started);
    fwtest::PumpPending(); // the start-up command gives the document its path
    EXPECT_EQ(Caption(s), L"new.lpx - Pannex");
    ::DeleteFileW(GetTFFolder() + L"new.lpx");
    SetCallerWindow(nullptr);
    SetLangTextLanguage(2);
}

// A caller's language that the editor has no file for speaks English, never
// the Chinese default: the show editor passes Korean as 6.
TEST(PannexFrameCaption, ALanguageWithoutAFileStartsInEnglish)
{
    for (int language : { 6, 5, 0 }) {
        SCOPED_TRACE(language);
        fwtest::CScriptedUiHost host;
        CString args;
        args.Format(L"CMD1-0,32,16,4,512,%d", language);
        CPannexSession s({ args });
        ASSERT_TRUE(s.started);
        fwtest::PumpPending();
        EXPECT_EQ(s.Frame()->m_nLanguage, language);
        EXPECT_EQ(Caption(s), L"Untitled - Pannex");
        CMenu* menu = s.Frame()->GetMenu();
        ASSERT_NE(menu, nullptr);
        CString file;
        menu->GetMenuString(0, file, MF_BYPOSITION);
        EXPECT_EQ(file, L"File");
    }
    SetLangTextLanguage(2);
}
