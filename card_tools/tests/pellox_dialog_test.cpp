// The DMX address tool's dialog driven through its controls: initial values,
// the file written through the save prompt, the folder opened afterwards, and
// refused input.
#include "DmxAddressFile.h"
#include "PelloxApp.h"
#include "PelloxDlg.h"
#include "fw_testing.h"

#include <gtest/gtest.h>

#include <string>

using fwtest::CScriptedUiHost;

namespace {
std::string ReadAll(const CString& path)
{
    std::string data;
    HANDLE h = ::CreateFile(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return data;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(h, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        data.append(buffer, read);
    ::CloseHandle(h);
    return data;
}

std::string AsBytes(const CStringA& s)
{
    return std::string(s.GetString(), static_cast<size_t>(s.GetLength()));
}

class PelloxDialog : public ::testing::Test {
protected:
    PelloxDialog()
    {
        wchar_t base[MAX_PATH] = {};
        ::GetTempPath(MAX_PATH, base);
        folder.Format(L"%spellox_dlg_%lu_%lu", base, ::GetCurrentProcessId(), ::GetTickCount());
        ::CreateDirectory(folder, nullptr);
        path = folder + L"\\QVPELLOX";
    }
    ~PelloxDialog() override
    {
        ::DeleteFile(path);
        ::RemoveDirectory(folder);
    }

    CString folder, path;
    CPELLOXDlg dlg;
};

TEST_F(PelloxDialog, StartsWithUcs512AndThreeThreeAndWritesThem)
{
    CScriptedUiHost host;
    host.ExpectFileSave(path);
    host.ExpectShellOpen();
    INT_PTR result = fwtest::RunModal(dlg, [&](CDialog& live) {
        EXPECT_EQ(dlg.m_cbChipType.GetCount(), 5);
        EXPECT_EQ(fwtest::GetItemText(live, IDC_CHIP_TYPE), L"UCS512");
        EXPECT_EQ(fwtest::GetItemText(live, IDC_FIXTURE_NUMBER), L"3");
        EXPECT_EQ(fwtest::GetItemText(live, IDC_CHANNELS), L"3");
        int low = -1, high = -1;
        ::SendDlgItemMessage(live.m_hWnd, IDC_FIXTURE_SPIN, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
            reinterpret_cast<LPARAM>(&high));
        EXPECT_EQ(low, 0);
        EXPECT_EQ(high, 9999);
        EXPECT_EQ(dlg.m_spinChannels.GetPos32(), 3);
        EXPECT_EQ(reinterpret_cast<HWND>(::SendDlgItemMessage(live.m_hWnd, IDC_CHANNELS_SPIN, UDM_GETBUDDY, 0, 0)),
            ::GetDlgItem(live.m_hWnd, IDC_CHANNELS));

        fwtest::ClickButton(live, IDC_GENERATE);
        EXPECT_TRUE(live.IsWindowVisible()); // generating does not close the tool
        fwtest::ClickButton(live, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(ReadAll(path), AsBytes(BuildDmxAddressFile(2, 3, 3)));
    ASSERT_EQ(host.Transcript().size(), 2u);
    EXPECT_EQ(host.Transcript()[0], L"FileSave: QVPELLOX");
    EXPECT_EQ(host.Transcript()[1], L"ShellOpen: " + folder);
    EXPECT_EQ(host.m_lastFileRequest.strFilter, L"Text Files(*.txt)|*.txt||");
    EXPECT_TRUE(host.m_lastFileRequest.strDefExt.IsEmpty());
    EXPECT_NE(host.m_lastFileRequest.dwFlags & OFN_OVERWRITEPROMPT, 0u);
}

TEST_F(PelloxDialog, ChosenValuesReplaceAnExistingFile)
{
    HANDLE h = ::CreateFile(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    std::string old(3000, 'z');
    DWORD written = 0;
    ::WriteFile(h, old.data(), static_cast<DWORD>(old.size()), &written, nullptr);
    ::CloseHandle(h);
    CScriptedUiHost host;
    host.ExpectFileSave(path);
    host.ExpectMessageBox(IDYES, L"already exists");
    host.ExpectShellOpen();
    fwtest::RunModal(dlg, [&](CDialog& live) {
        ::SendDlgItemMessage(live.m_hWnd, IDC_CHIP_TYPE, CB_SETCURSEL, 0, 0);
        fwtest::SetItemText(live, IDC_FIXTURE_NUMBER, L"1");
        fwtest::SetItemText(live, IDC_CHANNELS, L"512");
        fwtest::ClickButton(live, IDC_GENERATE);
        live.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(ReadAll(path), AsBytes(BuildDmxAddressFile(0, 1, 512)));
    EXPECT_EQ(dlg.m_nFixtureNumber, 1);
    EXPECT_EQ(dlg.m_nChannels, 512);
}

TEST_F(PelloxDialog, BadInputIsRefusedBeforeAnyFileIsAskedFor)
{
    CScriptedUiHost host;
    host.ExpectMessageBox(IDOK, L"Please enter an integer.");
    host.ExpectMessageBox(IDOK, L"Please enter an integer.");
    host.ExpectMessageBox(IDOK, L"Please enter an integer between 0 and 9999.");
    host.ExpectCancel(CScriptedUiHost::Kind::FileSave);
    fwtest::RunModal(dlg, [&](CDialog& live) {
        fwtest::SetItemText(live, IDC_FIXTURE_NUMBER, L"12x");
        fwtest::ClickButton(live, IDC_GENERATE);
        EXPECT_EQ(::GetFocus(), ::GetDlgItem(live.m_hWnd, IDC_FIXTURE_NUMBER));
        fwtest::SetItemText(live, IDC_FIXTURE_NUMBER, L"7");
        fwtest::SetItemText(live, IDC_CHANNELS, L"");
        fwtest::ClickButton(live, IDC_GENERATE);
        fwtest::SetItemText(live, IDC_CHANNELS, L"10000");
        fwtest::ClickButton(live, IDC_GENERATE);
        // Good values, but the save prompt is cancelled: nothing happens.
        fwtest::SetItemText(live, IDC_CHANNELS, L"9999");
        fwtest::ClickButton(live, IDC_GENERATE);
        live.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(host.PendingCount(), 0u);
    EXPECT_EQ(::GetFileAttributes(path), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(dlg.m_nChannels, 9999);
}

TEST_F(PelloxDialog, AFileThatCannotBeWrittenIsReportedAndNoFolderOpens)
{
    CScriptedUiHost host;
    host.ExpectFileSave(folder + L"\\missing\\QVPELLOX");
    host.ExpectMessageBox(IDOK, L"写入文件失败!");
    fwtest::RunModal(dlg, [&](CDialog& live) {
        fwtest::ClickButton(live, IDC_GENERATE);
        live.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(host.PendingCount(), 0u);
    EXPECT_EQ(host.Transcript().size(), 2u);
}

TEST(PelloxApplication, RunsItsDialog)
{
    CPELLOXApp app;
    AfxWinInit(::GetModuleHandle(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_HIDE);
    bool seen = false;
    AfxSetDialogInitHook([&](CDialog& live) {
        seen = true;
        EXPECT_NE(dynamic_cast<CPELLOXDlg*>(&live), nullptr);
        EXPECT_EQ(AfxGetMainWnd(), &live);
        fwtest::ClickButton(live, IDCANCEL);
    });
    EXPECT_FALSE(app.InitInstance());
    AfxSetDialogInitHook(nullptr);
    EXPECT_TRUE(seen);
}
} // namespace
