// The shared test helpers themselves: the temporary folder goes with all it
// holds, the dialog driver drives the next dialog or every dialog.
#include "calc_dlg.h"
#include "fw_dialog_driver.h"
#include "fw_temp_folder.h"
#include "fw_testing.h"

#include <gtest/gtest.h>

namespace {

bool Exists(const CString& path)
{
    return ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

void Touch(const CString& path)
{
    HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ::CloseHandle(file);
}

TEST(TestingSupport, TempFolderGoesWithSubFoldersAndReadOnlyFiles)
{
    CString kept;
    {
        fwtest::CTempFolder folder(L"fwsupport");
        fwtest::CTempFolder other(L"fwsupport");
        EXPECT_NE(folder.Path(), other.Path());
        kept = folder.Path();
        EXPECT_TRUE(::GetFileAttributesW(kept) & FILE_ATTRIBUTE_DIRECTORY);
        EXPECT_EQ(folder.File(L"a.txt"), kept + L"\\a.txt");
        ASSERT_TRUE(::CreateDirectoryW(folder.File(L"sub"), nullptr));
        Touch(folder.File(L"sub\\inner.bin"));
        Touch(folder.File(L"locked.txt"));
        ::SetFileAttributesW(folder.File(L"locked.txt"), FILE_ATTRIBUTE_READONLY);
    }
    EXPECT_FALSE(Exists(kept));
}

TEST(TestingSupport, DriverTakesTheNextDialogOrEveryDialog)
{
    AfxWinInit(::GetModuleHandle(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_HIDE);
    {
        fwtest::CDialogDriver driver([](CDialog& live) {
            EXPECT_TRUE(live.IsWindowVisible()); // shown like a modal dialog
            live.EndDialog(IDCANCEL);
        });
        CCalcDlg first;
        EXPECT_EQ(first.DoModal(), IDCANCEL);
        EXPECT_EQ(driver.Count(), 1);
    }
    {
        int seen = 0;
        fwtest::CDialogDriver driver(
            [&](CDialog& live) {
                ++seen;
                live.EndDialog(IDOK + seen);
            },
            fwtest::CDialogDriver::Mode::Every);
        CCalcDlg a;
        CCalcDlg b;
        EXPECT_EQ(a.DoModal(), IDOK + 1);
        EXPECT_EQ(b.DoModal(), IDOK + 2);
        EXPECT_EQ(driver.Count(), 2);
    }
}

} // namespace
