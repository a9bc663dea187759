// Relabelling controls from a text source: found texts replace the
// resource's, missing texts and missing controls change nothing.
#include "afxwin.h"
#include "fw_labels.h"
#include "fw_testing.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

namespace {

struct LabelsFixture : ::testing::Test {
    CWnd window;
    CWnd items[3];

    void SetUp() override
    {
        AfxWinInit(::GetModuleHandle(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_HIDE);
        ASSERT_TRUE(window.CreateEx(0, L"STATIC", L"Resource caption", WS_POPUP, CRect(0, 0, 200, 100), nullptr, 0));
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(items[i].Create(
                L"STATIC", L"Resource text", WS_CHILD, CRect(0, 20 * i, 100, 20 * i + 18), &window, 101 + i));
    }
    void TearDown() override
    {
        window.DestroyWindow();
        fwtest::PumpPending();
    }
    CString Text(int nID)
    {
        CString text;
        if (nID == 0)
            window.GetWindowText(text);
        else
            window.GetDlgItemText(nID, text);
        return text;
    }
};

// A language file with some keys; the others are missing (empty).
CString Texts(LPCTSTR section, int key)
{
    static const std::map<std::pair<std::wstring, int>, CString> texts = {
        { { L"TITLE", 1 }, L"Caption" },
        { { L"TITLE", 2 }, L"First" },
        { { L"SHOW", 2 }, L"Other section" },
    };
    auto it = texts.find({ std::wstring(section), key });
    return it != texts.end() ? it->second : CString();
}

TEST_F(LabelsFixture, FoundTextsReplaceAndMissingOnesKeepTheResourceText)
{
    const CtrlLabel labels[] = {
        { 0, L"TITLE", 1 }, // the caption
        { 101, L"TITLE", 2 }, { 102, L"TITLE", 3 }, // no such key
        { 103, L"ITEMS", 2 }, // no such section
        { 999, L"TITLE", 2 }, // no such control
    };
    ApplyLabels(window, Texts, labels);
    EXPECT_EQ(Text(0), CString(L"Caption"));
    EXPECT_EQ(Text(101), CString(L"First"));
    EXPECT_EQ(Text(102), CString(L"Resource text"));
    EXPECT_EQ(Text(103), CString(L"Resource text"));
}

TEST_F(LabelsFixture, WithoutASourceNothingChanges)
{
    const CtrlLabel labels[] = { { 0, L"TITLE", 1 }, { 101, L"TITLE", 2 } };
    ApplyLabels(window, LabelTextSource(), labels);
    EXPECT_EQ(Text(0), CString(L"Resource caption"));
    EXPECT_EQ(Text(101), CString(L"Resource text"));

    EXPECT_FALSE(ApplyLabel(window, 101, CString()));
    EXPECT_FALSE(ApplyLabel(window, 999, L"Nowhere"));
    EXPECT_TRUE(ApplyLabel(window, 102, L"Set"));
    EXPECT_EQ(Text(101), CString(L"Resource text"));
    EXPECT_EQ(Text(102), CString(L"Set"));
}

} // namespace
