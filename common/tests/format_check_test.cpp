// Format texts from language files checked against their arguments.
#include <gtest/gtest.h>

#include "FormatCheck.h"

TEST(FormatCheck, ConversionsMustMatchTheArguments)
{
    struct Row {
        const wchar_t* text;
        const char* kinds;
        bool ok;
    };
    const Row rows[] = {
        { L"Controller %d", "d", true },
        { L"[%d] Port %d (%d)", "ddd", true },
        { L"100%% of %d", "d", true },
        { L"%5d|%-3.2d|%ld|%I64d|%hd", "ddddd", true },
        { L"%s_offset:%d)", "sd", true },
        { L"%.1f", "f", true },
        { L"No number", "", true },
        { L"No number", "d", false }, // too few
        { L"%d %d", "d", false }, // too many
        { L"%s", "d", false }, // a string read from an integer
        { L"%d", "s", false },
        { L"%n", "d", false },
        { L"%p", "d", false },
        { L"%*d", "dd", false },
        { L"%1$d", "d", false },
        { L"ends with %", "", false },
        { L"%l", "d", false },
    };
    for (const Row& row : rows)
        EXPECT_EQ(FormatConversionsAre(row.text, row.kinds), row.ok) << CStringA(row.text).GetString();
}

TEST(FormatCheck, ABadTextFallsBackToTheBuiltInOne)
{
    EXPECT_EQ(FormatCheckedText(L"C%d", L"Controller %d", "d", 3), L"C3");
    EXPECT_EQ(FormatCheckedText(L"C%s", L"Controller %d", "d", 3), L"Controller 3");
    EXPECT_EQ(FormatCheckedText(L"", L"Controller %d", "d", 3), L"Controller 3");
}
