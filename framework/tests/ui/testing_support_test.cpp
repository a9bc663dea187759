// The shared test helpers themselves: the temporary folder goes with all it
// holds, the dialog driver drives the next dialog or every dialog, the
// label-fit check finds the combo box texts that the box hides.
#include "calc_dlg.h"
#include "fw_dialog_driver.h"
#include "fw_label_fit.h"
#include "fw_temp_folder.h"
#include "fw_testing.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

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

// A combo box item that would not fit the box when chosen, and an edit text
// wider than the edit box, are cut; short ones and hidden boxes are not.
TEST(TestingSupport, CutLabelsNameComboItemsAndEditTextsWiderThanTheBox)
{
    AfxWinInit(::GetModuleHandle(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_HIDE);
    const CString wide(L'W', 40);
    struct Combo {
        UINT id;
        LONG style;
        LPCWSTR text; // typed in the edit box
        std::vector<LPCWSTR> items;
    };
    const Combo combos[] = {
        { 101, CBS_DROPDOWNLIST | WS_VISIBLE, L"", { L"Short", wide } },
        { 102, CBS_DROPDOWN | WS_VISIBLE, wide, { L"Short" } },
        { 103, CBS_DROPDOWN | WS_VISIBLE, L"Short", { L"Short", L"Other" } },
        { 104, CBS_SIMPLE | WS_VISIBLE, wide, {} }, { 105, CBS_DROPDOWNLIST, L"", { wide } }, // hidden
    };
    HWND window = ::CreateWindowExW(
        0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 400, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    auto font = reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT));
    int y = 0;
    for (const Combo& combo : combos) {
        HWND box = ::CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | combo.style, 0, y, 120, 100, window,
            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(combo.id)), ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(box, nullptr) << combo.id;
        ::SendMessageW(box, WM_SETFONT, font, FALSE);
        for (LPCWSTR item : combo.items)
            ::SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        ::SetWindowTextW(box, combo.text);
        y += 60;
    }
    const std::vector<fwtest::CCutLabel> cut = fwtest::FindCutLabels(window);
    std::vector<std::tuple<UINT, fwtest::CutPart, CString>> found;
    for (const fwtest::CCutLabel& label : cut) {
        found.emplace_back(label.nID, label.part, label.strText);
        EXPECT_GT(label.sizeNeeded.cx, label.sizeRoom.cx) << label.nID;
    }
    const std::vector<std::tuple<UINT, fwtest::CutPart, CString>> expected = {
        { 101, fwtest::CutPart::Item, wide },
        { 102, fwtest::CutPart::EditText, wide },
        { 104, fwtest::CutPart::EditText, wide },
    };
    EXPECT_EQ(found, expected) << fwtest::DescribeCutLabels(cut);
    ASSERT_FALSE(cut.empty());
    EXPECT_EQ(fwtest::DescribeCutLabel(cut.front()).Left(18), CString(L"control 101 item \""));
    ::DestroyWindow(window);
}

} // namespace
