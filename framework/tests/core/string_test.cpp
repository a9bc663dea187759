// CString and CStringA: formatting with the runtime's rules, clamped slicing,
// searching and editing, tokenizing and conversion in the ANSI code page.
#include <gtest/gtest.h>

#include <vector>

#include "core_test_print.h"

namespace {

TEST(CStringFormatTest, FollowsRuntimePrintfRules)
{
    CStringA narrow("narrow");
    CString wide(L"wide");
    struct Case {
        CString got;
        const wchar_t* expected;
    };
    auto fmt = [](auto... args) {
        CString s;
        s.Format(args...);
        return s;
    };
    std::vector<Case> cases = {
        { fmt(L"[%5d|%-5d|%05d]", 42, 42, -42), L"[   42|42   |-0042]" },
        { fmt(L"%s and %S", L"wide", "narrow"), L"wide and narrow" },
        { fmt(L"%s/%S", wide, narrow), L"wide/narrow" }, // strings pass as their pointers
        { fmt(L"%.8g", 3.14159265358979), L"3.1415927" },
        { fmt(L"%.8g", 0.1), L"0.1" },
        { fmt(L"%.8g", 123456789.0), L"1.2345679e+008" },
        { fmt(L"%06X", 0xBEEFu), L"00BEEF" },
        { fmt(L"%06x|%X", 255u, 0xABCDEFu), L"0000ff|ABCDEF" },
        { fmt(L"%c%C", L'W', 'n'), L"Wn" },
        { fmt(L"%I64d", 1234567890123LL), L"1234567890123" },
        { fmt(L"%.2f%%", 99.5), L"99.50%" },
        { fmt(L"%10.3s|", L"abcdef"), L"       abc|" },
        { fmt(L"no args"), L"no args" },
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.got, c.expected);

    CStringA a;
    a.Format("%s+%S=%d", "n", L"w", 3); // the 8-bit form swaps the meanings
    EXPECT_STREQ(a, "n+w=3");
}

TEST(CStringFormatTest, LongOutputAndAppend)
{
    CString part(L'x', 700);
    CString s;
    s.Format(L"%s|%s|%d", part, part.GetString(), 12345);
    EXPECT_EQ(s.GetLength(), 700 + 1 + 700 + 1 + 5);
    EXPECT_EQ(s.Right(6), L"|12345");
    s.AppendFormat(L"%s", (LPCTSTR)part);
    EXPECT_EQ(s.GetLength(), 2107);
    CString twice(L"ab");
    for (int i = 0; i < 10; ++i)
        twice.AppendFormat(L"%s", twice); // reads itself while growing
    EXPECT_EQ(twice.GetLength(), 2048);
    EXPECT_EQ(twice.Right(4), L"abab");
    // Formatting into itself: the argument is read before the result replaces it.
    s.Format(L"<%s>", s.GetString());
    EXPECT_EQ(s.GetLength(), 2109);
    EXPECT_EQ(s.Left(2), L"<x");

    CString msg;
    msg.FormatMessage(L"%1 has %2!d! items", L"List", 3);
    EXPECT_EQ(msg, L"List has 3 items");
}

TEST(CStringSliceTest, ClampsOutOfRangeArguments)
{
    const CString s(L"abcdef");
    struct Case {
        CString got;
        const wchar_t* expected;
    };
    std::vector<Case> cases = {
        { s.Mid(2), L"cdef" },
        { s.Mid(2, 3), L"cde" },
        { s.Mid(-3, 2), L"ab" },
        { s.Mid(4, 100), L"ef" },
        { s.Mid(6), L"" },
        { s.Mid(10), L"" },
        { s.Mid(10, 2), L"" },
        { s.Mid(2, -1), L"" },
        { s.Left(3), L"abc" },
        { s.Left(-1), L"" },
        { s.Left(100), L"abcdef" },
        { s.Right(2), L"ef" },
        { s.Right(-5), L"" },
        { s.Right(100), L"abcdef" },
        { s.SpanIncluding(L"bac"), L"abc" },
        { s.SpanExcluding(L"dx"), L"abc" },
        { CString().Mid(1, 1), L"" },
    };
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_STREQ(cases[i].got, cases[i].expected) << "case " << i;
}

TEST(CStringSearchTest, FindReverseFindFindOneOf)
{
    const CString s(L"a,b;c,d");
    EXPECT_EQ(s.Find(L','), 1);
    EXPECT_EQ(s.Find(L',', 2), 5);
    EXPECT_EQ(s.Find(L',', 7), -1);
    EXPECT_EQ(s.Find(L',', -1), -1);
    EXPECT_EQ(s.Find(L"c,d"), 4);
    EXPECT_EQ(s.Find(L"c,d", 5), -1);
    EXPECT_EQ(s.Find(L"", 3), 3);
    EXPECT_EQ(s.Find(L"x", 99), -1);
    EXPECT_EQ(s.ReverseFind(L','), 5);
    EXPECT_EQ(s.ReverseFind(L'x'), -1);
    EXPECT_EQ(s.FindOneOf(L";d"), 3);
    EXPECT_EQ(s.FindOneOf(L"xyz"), -1);
}

TEST(CStringEditTest, ReplaceRemoveInsertDelete)
{
    CString s(L"one two one three one");
    EXPECT_EQ(s.Replace(L"one", L"1"), 3);
    EXPECT_EQ(s, L"1 two 1 three 1");
    EXPECT_EQ(s.Replace(L"1", L"111"), 3); // the replacement is not searched again
    EXPECT_EQ(s, L"111 two 111 three 111");
    EXPECT_EQ(s.Replace(L"", L"x"), 0);
    EXPECT_EQ(s.Replace(L"111 ", nullptr), 2);
    EXPECT_EQ(s, L"two three 111");
    EXPECT_EQ(s.Replace(L't', L'T'), 2);
    EXPECT_EQ(s, L"Two Three 111");
    EXPECT_EQ(s.Remove(L'1'), 3);
    EXPECT_EQ(s, L"Two Three ");
    EXPECT_EQ(s.Insert(3, L"-"), 11);
    EXPECT_EQ(s.Insert(-5, L'<'), 12);
    EXPECT_EQ(s.Insert(99, L">"), 13);
    EXPECT_EQ(s, L"<Two- Three >");
    EXPECT_EQ(s.Delete(0), 12);
    EXPECT_EQ(s.Delete(3, 3), 9);
    EXPECT_EQ(s.Delete(7, 100), 7);
    EXPECT_EQ(s.Delete(50, 1), 7);
    EXPECT_EQ(s, L"Twohree");
    EXPECT_EQ(s.MakeUpper(), L"TWOHREE");
    EXPECT_EQ(s.MakeLower(), L"twohree");
    EXPECT_EQ(s.MakeReverse(), L"eerhowt");
}

TEST(CStringEditTest, TrimForms)
{
    struct Case {
        CString got;
        const wchar_t* expected;
    };
    std::vector<Case> cases = {
        { CString(L" \t a b \r\n").Trim(), L"a b" },
        { CString(L"  a ").TrimLeft(), L"a " },
        { CString(L"  a ").TrimRight(), L"  a" },
        { CString(L"xxaxx").Trim(L'x'), L"a" },
        { CString(L"xxaxx").TrimLeft(L'x'), L"axx" },
        { CString(L"xxaxx").TrimRight(L'x'), L"xxa" },
        { CString(L"-+a+-").Trim(L"+-"), L"a" },
        { CString(L"-+a+-").TrimRight(L"+-"), L"-+a" },
        { CString(L"   ").Trim(), L"" },
        { CString(L"abc").Trim(L""), L"abc" },
    };
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_STREQ(cases[i].got, cases[i].expected) << "case " << i;
}

TEST(CStringTokenizeTest, SkipsDelimiterRunsAndEndsWithMinusOne)
{
    const CString s(L",,a,bb;;c,");
    std::vector<CString> tokens;
    int pos = 0;
    CString tok = s.Tokenize(L",;", pos);
    while (pos != -1) {
        tokens.push_back(tok);
        tok = s.Tokenize(L",;", pos);
    }
    ASSERT_EQ(tokens.size(), 3u);
    EXPECT_EQ(tokens[0], L"a");
    EXPECT_EQ(tokens[1], L"bb");
    EXPECT_EQ(tokens[2], L"c");
    EXPECT_TRUE(tok.IsEmpty());

    pos = 0;
    EXPECT_EQ(CString(L"abc").Tokenize(L",", pos), L"abc");
    EXPECT_EQ(pos, 4);
    EXPECT_EQ(CString(L"abc").Tokenize(L",", pos), L"");
    EXPECT_EQ(pos, -1);

    // Without delimiters the rest is one token and the next call ends.
    pos = 1;
    EXPECT_EQ(CString(L"abc").Tokenize(L"", pos), L"bc");
    EXPECT_EQ(CString(L"abc").Tokenize(L"", pos), L"");
    EXPECT_EQ(pos, -1);
}

TEST(CStringCompareTest, OrderAndCase)
{
    CString a(L"apple"), b(L"Banana");
    EXPECT_GT(a.Compare(b), 0); // code-unit order: 'a' > 'B'
    EXPECT_LT(a.CompareNoCase(b), 0);
    EXPECT_EQ(CString(L"HeLLo").CompareNoCase(L"hello"), 0);
    EXPECT_LT(CString(L"_").CompareNoCase(L"a"), 0); // case folds to lower
    EXPECT_TRUE(a == L"apple");
    EXPECT_TRUE(L"apple" == a);
    EXPECT_TRUE(a != b);
    EXPECT_TRUE(b < a);
    EXPECT_TRUE(a >= L"apple");
    EXPECT_TRUE(CString(L"x") == L'x');
    EXPECT_EQ(CString(L"ab") + L"cd" + L'e' + CString(L"f"), L"abcdef");
    CString s = L"x";
    s += "y"; // 8-bit text converts
    s += L'z';
    EXPECT_EQ(s, L"xyz");
}

TEST(CStringBufferTest, GetBufferReleaseBuffer)
{
    CString s(L"abc");
    LPTSTR p = s.GetBuffer(10);
    wcscpy(p, L"0123456789");
    s.ReleaseBuffer();
    EXPECT_EQ(s, L"0123456789");
    p = s.GetBuffer();
    p[2] = 0;
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 2);
    p = s.GetBufferSetLength(4);
    p[2] = L'x';
    p[3] = L'y';
    s.ReleaseBuffer(4);
    EXPECT_EQ(s, L"01xy");
    s.SetAt(0, L'Z');
    EXPECT_EQ(s[0], L'Z');
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_STREQ(s.GetString(), L"");

    CString copy(s);
    CString moved(std::move(copy));
    EXPECT_TRUE(moved.IsEmpty());
    BSTR b = CString(L"bstr").AllocSysString();
    EXPECT_EQ(SysStringLen(b), 4u);
    SysFreeString(b);
}

TEST(CStringConversionTest, AnsiCodePage1252RoundTrip)
{
    ASSERT_EQ(GetACP(), 1252u);
    const char ansi[] = "caf\xE9 \x80"; // é and the euro sign in 1252
    CString wide(ansi);
    EXPECT_EQ(wide, L"caf\u00e9 \u20ac");
    CStringA back(wide);
    EXPECT_STREQ(back, ansi);
    CStringA fromPtr(L"na\u00efve");
    EXPECT_STREQ(fromPtr, "na\xEFve");
    CStringA unmappable(L"\u4e2d");
    EXPECT_STREQ(unmappable, "?"); // no 1252 form: the system's default character
    EXPECT_STREQ(CStringA(CString(L"\u00c9t\u00e9")).MakeLower(), "\xC9t\xE9"); // only ASCII letters fold
    CStringA a("x");
    a += L"\u00e9";
    EXPECT_STREQ(a, "x\xE9");
}

TEST(CStringResourceTest, MissingStringLoadsNothing)
{
    CString s(L"keep");
    EXPECT_FALSE(s.LoadString(65001));
    EXPECT_TRUE(s.IsEmpty());
}

} // namespace
