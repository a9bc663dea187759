// The ANSI conversions under the Simplified Chinese code page.
#include <gtest/gtest.h>

#include "AnsiText.h"

namespace {

TEST(AnsiTextGbk, RoundTripsChinese)
{
    ASSERT_EQ(::GetACP(), 936u);
    const CString wide(L"\u4E2D\u6587.bmp"); // two Han characters
    const CStringA narrow = WideToAnsi(wide);
    EXPECT_EQ(narrow, CStringA("\xD6\xD0\xCE\xC4.bmp"));
    EXPECT_EQ(AnsiToWide(narrow), wide);
}

} // namespace
