// The UI host: the scripted host's transcript, unexpected prompts, common
// dialogs and shell calls through the host, filter strings.
#include "fw_testing.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using fwtest::CScriptedUiHost;

namespace {
CString TempPath(LPCTSTR name)
{
    TCHAR dir[MAX_PATH] = L"";
    ::GetTempPath(MAX_PATH, dir);
    CString path;
    path.Format(L"%sfwui_%lu_%s", dir, ::GetCurrentProcessId(), name);
    return path;
}

TEST(ScriptedUiHost, AnswersInOrderAndRecordsEveryPrompt)
{
    CString existing = TempPath(L"exists.txt");
    {
        CFile f(existing, CFile::modeCreate | CFile::modeWrite);
    }
    CScriptedUiHost host;
    host.ExpectMessageBox(IDYES, L"Continue");
    host.ExpectFileOpen({ L"C:\\a\\one.txt", L"C:\\a\\two.txt" });
    host.ExpectFileSave(existing);
    host.ExpectMessageBox(IDYES, L"already exists");
    host.ExpectFolder(L"C:\\shows");
    host.ExpectColor(RGB(1, 2, 3));
    host.ExpectShellOpen(TRUE);
    host.ExpectProcess(7);
    host.ExpectCancel(CScriptedUiHost::Kind::FileOpen);

    EXPECT_EQ(AfxMessageBox(L"Continue?", MB_YESNO), IDYES);

    CFileDialog open(TRUE, L"txt", nullptr, OFN_ALLOWMULTISELECT, L"Text (*.txt)|*.txt|All (*.*)|*.*||");
    ASSERT_EQ(open.DoModal(), IDOK);
    std::vector<CString> chosen;
    for (POSITION pos = open.GetStartPosition(); pos != nullptr;)
        chosen.push_back(open.GetNextPathName(pos));
    EXPECT_EQ(chosen, (std::vector<CString> { L"C:\\a\\one.txt", L"C:\\a\\two.txt" }));
    EXPECT_EQ(host.m_lastFileRequest.strDefExt, L"txt");

    CFileDialog save(FALSE, L"txt", L"exists.txt", OFN_OVERWRITEPROMPT, L"Text (*.txt)|*.txt||");
    ASSERT_EQ(save.DoModal(), IDOK);
    EXPECT_EQ(
        save.GetFileName(), L"fwui_" + CString(std::to_wstring(::GetCurrentProcessId()).c_str()) + L"_exists.txt");
    EXPECT_EQ(save.GetFileExt(), L"txt");

    CFolderPickerDialog folder;
    ASSERT_EQ(folder.DoModal(), IDOK);
    EXPECT_EQ(folder.GetPathName(), L"C:\\shows");

    CColorDialog color(RGB(9, 9, 9));
    ASSERT_EQ(color.DoModal(), IDOK);
    EXPECT_EQ(color.GetColor(), RGB(1, 2, 3));

    EXPECT_TRUE(AfxShellOpen(L"C:\\shows"));
    CProcessRequest request;
    request.strFile = L"arp.exe";
    request.strParameters = L"-a";
    request.bWait = TRUE;
    DWORD exitCode = 0;
    EXPECT_TRUE(AfxStartProcess(request, &exitCode));
    EXPECT_EQ(exitCode, 7u);
    EXPECT_TRUE(host.m_lastProcess.bHidden);

    CFileDialog cancelled(TRUE);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);

    std::vector<CString> expected = {
        L"MessageBox: Continue?",
        L"FileOpen: Text (*.txt)|*.txt|All (*.*)|*.*||",
        L"FileSave: exists.txt",
        L"MessageBox: " + CString(::PathFindFileName(existing)) + L" already exists.\nDo you want to replace it?",
        L"Folder",
        L"Color",
        L"ShellOpen: C:\\shows",
        L"Process: arp.exe -a",
        L"FileOpen",
    };
    EXPECT_EQ(host.Transcript(), expected);
    EXPECT_EQ(host.PendingCount(), 0u);
    ::DeleteFile(existing);
}

TEST(ScriptedUiHost, UnexpectedPromptFailsTheTest)
{
    EXPECT_NONFATAL_FAILURE(
        {
            CScriptedUiHost host;
            AfxMessageBox(L"Surprise");
        },
        "unexpected prompt: MessageBox: Surprise");
    EXPECT_NONFATAL_FAILURE(
        {
            CScriptedUiHost host;
            host.ExpectMessageBox(IDOK);
        },
        "expected prompt never came");
}

TEST(ScriptedUiHost, MessageBoxFromStringResourceAndWindow)
{
    CScriptedUiHost host;
    host.ExpectMessageBox(IDOK, L"Skeleton");
    host.ExpectMessageBox(IDCANCEL, L"from a window");
    EXPECT_EQ(AfxMessageBox(AFX_IDS_APP_TITLE), IDOK);
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(wnd.MessageBox(L"from a window", L"Caption", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(host.m_nLastMessageBoxType, static_cast<UINT>(MB_OKCANCEL));
}

TEST(UiHost, SplitsFilterStrings)
{
    struct Case {
        LPCTSTR filter;
        size_t pairs;
        LPCTSTR lastPattern;
    };
    const Case cases[] = {
        { L"Text (*.txt)|*.txt|All (*.*)|*.*||", 2, L"*.*" },
        { L"Shows|*.ledx;*.led||", 1, L"*.ledx;*.led" },
        { L"Only|*.a", 1, L"*.a" },
        { L"Odd|*.a|Dangling", 1, L"*.a" },
        { L"", 0, nullptr },
        { L"||", 0, nullptr },
    };
    for (const Case& c : cases) {
        auto pairs = AfxSplitFilter(c.filter);
        ASSERT_EQ(pairs.size(), c.pairs) << CStringA(c.filter).GetString();
        if (c.lastPattern != nullptr) {
            EXPECT_EQ(pairs.back().second, c.lastPattern);
        }
    }
}
} // namespace
