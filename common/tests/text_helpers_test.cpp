// Text helpers: token splitting, string lookup, comma-separated integers,
// the wide atoi rule, the program folder and the ANSI conversions under the
// Western code page.
#include <gtest/gtest.h>

#include "AnsiText.h"
#include "ExeFolder.h"
#include "TextHelpers.h"

#include <vector>

namespace {

std::vector<CString> Tokens(const CString& text, const CString& separators)
{
    CStringArray array;
    SplitTokens(text, separators, array);
    std::vector<CString> out;
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        out.push_back(array[i]);
    return out;
}

TEST(SplitTokens, Cases)
{
    struct Row {
        const wchar_t* text;
        const wchar_t* separators;
        std::vector<CString> tokens;
    };
    const Row rows[] = {
        { L"a,,b", L",", { L"a", L"", L"b" } },
        { L"a,b,", L",", { L"a", L"b" } },
        { L"", L",", {} },
        { L",a", L",", { L"", L"a" } },
        { L"a;b,c", L",;", { L"a", L"b", L"c" } },
        { L"abc", L",", { L"abc" } },
        { L",", L",", { L"" } },
    };
    for (const Row& row : rows)
        EXPECT_EQ(Tokens(row.text, row.separators), row.tokens) << CStringA(row.text).GetString();
}

TEST(SplitTokens, AppendsToWhatTheArrayHolds)
{
    CStringArray array;
    array.Add(L"x");
    SplitTokens(L"a,b", L",", array);
    ASSERT_EQ(array.GetSize(), 3);
    EXPECT_EQ(array[0], L"x");
    EXPECT_EQ(array[2], L"b");
}

TEST(FindStringIndex, ExactAndCaseSensitive)
{
    CStringArray list;
    list.Add(L"D:\\media\\a.mp4");
    list.Add(L"D:\\media\\b.mp4");
    list.Add(L"D:\\media\\b.mp4");
    EXPECT_EQ(FindStringIndex(L"D:\\media\\b.mp4", list), 1);
    EXPECT_EQ(FindStringIndex(L"d:\\MEDIA\\a.mp4", list), -1);
    EXPECT_EQ(FindStringIndex(L"", list), -1);
    CStringArray empty;
    EXPECT_EQ(FindStringIndex(L"a", empty), -1);
}

TEST(WideTextToInt, FollowsTheAtoiRule)
{
    struct Row {
        const wchar_t* text;
        int value;
    };
    const Row rows[] = {
        { L"42", 42 },
        { L"  -17x", -17 },
        { L"+8", 8 },
        { L"abc", 0 },
        { L"", 0 },
        { L"\t\r\n5", 5 },
        { L"- 5", 0 },
        { L"4294967295", -1 }, // wraps rather than overflowing
        { L"2147483647", 2147483647 },
    };
    for (const Row& row : rows)
        EXPECT_EQ(WideTextToInt(row.text), row.value) << CStringA(row.text).GetString();
    EXPECT_EQ(WideTextToInt(nullptr), 0);
}

TEST(ParseTwoInts, Cases)
{
    int a = -9, b = -9;
    ParseTwoInts(L"200,50,back.bmp", a, b);
    EXPECT_EQ(a, 200);
    EXPECT_EQ(b, 50);
    ParseTwoInts(L"75", a, b);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 75);
    ParseTwoInts(L",9", a, b);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 9);
    ParseTwoInts(L"12,\r", a, b); // a line read with a stray CR
    EXPECT_EQ(a, 12);
    EXPECT_EQ(b, 0);
}

TEST(ParseFourInts, FillsOnlyAsManyAsThereAreTokens)
{
    int a = -1, b = -1, c = -1, d = -1;
    ParseFourInts(L"5,7,1,0", a, b, c, d);
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 7);
    EXPECT_EQ(c, 1);
    EXPECT_EQ(d, 0);
    a = b = c = d = -1;
    ParseFourInts(L"5,7", a, b, c, d);
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 7);
    EXPECT_EQ(c, -1);
    EXPECT_EQ(d, -1);
    ParseFourInts(L"1,2,3,4,5,6", a, b, c, d);
    EXPECT_EQ(d, 4);
}

TEST(ExeFolder, CutsBeforeTheLastBackslash)
{
    EXPECT_EQ(FolderOfModulePath(L"D:\\tools\\show.exe"), L"D:\\tools");
    EXPECT_EQ(FolderOfModulePath(L"show.exe"), L"show.exe");

    WCHAR path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString expected(path);
    expected = expected.Left(expected.ReverseFind(L'\\'));
    EXPECT_EQ(GetExeFolder(), expected);
    EXPECT_NE(GetExeFolder().Right(1), L"\\");
}

TEST(AnsiText, WesternCodePage)
{
    ASSERT_EQ(::GetACP(), 1252u);
    EXPECT_EQ(AnsiToWide("caf\xE9"), CString(L"caf\u00E9"));
    EXPECT_EQ(WideToAnsi(L"caf\u00E9"), CStringA("caf\xE9"));
    // Stops at the first NUL; empty and null give empty strings.
    EXPECT_EQ(AnsiToWide("ab\0cd"), CString(L"ab"));
    EXPECT_EQ(AnsiToWide(nullptr), CString());
    EXPECT_EQ(WideToAnsi(L""), CStringA());
    // A character the code page cannot hold becomes its default character.
    EXPECT_EQ(WideToAnsi(L"a\u4E2Db"), CStringA("a?b"));
}

} // namespace
