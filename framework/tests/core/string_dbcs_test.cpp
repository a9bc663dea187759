// CStringA in a double-byte ANSI code page (936): searching, editing and case
// mapping step over whole characters, so a trail byte that equals an ASCII
// character ('\\' or 'a') is never matched or changed. Runs only when the
// process code page is 936 (ctest runs it again as test_framework_core_gbk).
#include <gtest/gtest.h>

#include "core_test_print.h"

namespace {

// U+4E57 is 81 5C in GBK (trail byte '\\'), U+4E64 is 81 61 (trail byte 'a').
const char kBackslashTrail[] = "\x81\x5C";
const char kLowerATrail[] = "\x81\x61";

TEST(CStringDbcsTest, TrailBytesAreNotCharacters)
{
    if (GetACP() != 936)
        GTEST_SKIP() << "needs the 936 code page";
    CStringA path = CStringA("C:\\") + kBackslashTrail + "\\x";
    EXPECT_EQ(path, CStringA(CString(L"C:\\\u4e57\\x")));
    EXPECT_EQ(path.Find('\\'), 2);
    EXPECT_EQ(path.Find('\\', 3), 5);
    EXPECT_EQ(path.ReverseFind('\\'), 5);
    EXPECT_EQ(path.FindOneOf("\\"), 2);
    CStringA copy = path;
    EXPECT_EQ(copy.Replace('\\', '/'), 2);
    EXPECT_EQ(copy, CStringA("C:/") + kBackslashTrail + "/x");
    copy = path;
    EXPECT_EQ(copy.Remove('\\'), 2);
    EXPECT_EQ(copy.GetLength(), 5);

    CStringA word = CStringA("a") + kLowerATrail + "b";
    word.MakeUpper();
    EXPECT_EQ(word, CStringA("A") + kLowerATrail + "B");
    word.MakeReverse();
    EXPECT_EQ(word, CStringA("B") + kLowerATrail + "A");

    CStringA padded = CStringA(kBackslashTrail) + "\\\\";
    padded.TrimRight('\\');
    EXPECT_EQ(padded, CStringA(kBackslashTrail));
    int pos = 0;
    CStringA list = CStringA(kBackslashTrail) + "\\b";
    EXPECT_EQ(list.Tokenize("\\", pos), CStringA(kBackslashTrail));
    EXPECT_EQ(list.Tokenize("\\", pos), CStringA("b"));
}

} // namespace
