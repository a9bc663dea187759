#include "SheetCtrl.h"
#include <gtest/gtest.h>
TEST(Placeholder, Builds)
{
    CSheetCtrl grid;
    EXPECT_EQ(grid.GetRowCount(), 0);
}
