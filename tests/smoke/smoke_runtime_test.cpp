// The renderers depend on the C runtime's generator producing the same
// sequence as on the users' machines.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

namespace {

TEST(SmokeRuntime, RandSequenceMatchesTheSharedRuntime)
{
    srand(1);
    EXPECT_EQ(rand(), 41);
    EXPECT_EQ(rand(), 18467);
    EXPECT_EQ(rand(), 6334);

    srand(1000);
    const int expected[] = { 304, 221, 849, 38, 509, 367, 856, 362 };
    for (int want : expected)
        EXPECT_EQ(rand() % 1000, want);
}

TEST(SmokeRuntime, AnsiCodePageIsPinned)
{
    EXPECT_EQ(GetACP(), 1252u);
}

} // namespace
