// SplitString: pieces between separators, empty pieces kept.
#include <gtest/gtest.h>

#include "SplitString.h"

#include <vector>

namespace {

std::vector<CString> Pieces(const CStringArray& array)
{
    std::vector<CString> pieces;
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        pieces.push_back(array[i]);
    return pieces;
}

TEST(SplitString, Cases)
{
    struct Row {
        const wchar_t* text;
        const wchar_t* separator;
        int count;
        std::vector<CString> pieces;
    };
    const Row rows[] = {
        { L"a,b,c", L",", 3, { L"a", L"b", L"c" } },
        { L",a", L",", 2, { L"", L"a" } },
        { L"a,", L",", 2, { L"a", L"" } },
        { L"a,,b", L",", 3, { L"a", L"", L"b" } },
        { L"abc", L",", 1, { L"abc" } },
        { L"1=UCS", L"=", 2, { L"1", L"UCS" } },
        { L"x<>y<>z", L"<>", 3, { L"x", L"y", L"z" } },
        { L"aaa", L"aa", 3, { L"", L"", L"" } }, // overlapping separators leave nothing between
        { L"abc", L"", 1, { L"abc" } },
    };
    for (const Row& row : rows) {
        CStringArray array;
        EXPECT_EQ(SplitString(row.text, array, row.separator), row.count) << CStringA(row.text).GetString();
        EXPECT_EQ(Pieces(array), row.pieces) << CStringA(row.text).GetString();
    }
}

TEST(SplitString, EmptyTextEmptiesTheList)
{
    CStringArray array;
    array.Add(L"old");
    EXPECT_EQ(SplitString(CString(), array, L","), -1);
    EXPECT_EQ(array.GetSize(), 0);
}

} // namespace
