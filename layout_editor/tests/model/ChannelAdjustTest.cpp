// Point-by-point adjustment rules (interval selection, adjusted flag, row
// count) and the gamma curve file.
#include <gtest/gtest.h>

#include "ChannelAdjust.h"
#include "GammaCurveFile.h"
#include "LayoutLimits.h"

namespace {

std::vector<bool> Rows(int count, std::initializer_list<int> checked)
{
    std::vector<bool> rows(static_cast<size_t>(count), false);
    for (int r : checked)
        rows[static_cast<size_t>(r)] = true;
    return rows;
}

std::vector<int> Checked(const std::vector<bool>& rows)
{
    std::vector<int> out;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i])
            out.push_back(static_cast<int>(i));
    }
    return out;
}

CString IdentityFile(bool finalLineEnd, int lines = kCurveEntries)
{
    CString text;
    for (int i = 0; i < lines; ++i) {
        CString line;
        line.Format(i + 1 < lines || finalLineEnd ? L"%d\t%d\r\n" : L"%d\t%d", i, i);
        text += line;
    }
    return text;
}

} // namespace

TEST(ChannelAdjustTest, IntervalSelectionRepeatsTheCheckedPattern)
{
    struct Case {
        const char* name;
        int rows;
        std::initializer_list<int> checked;
        int gap;
        std::vector<int> expected;
    };
    const Case cases[] = {
        { "rows 0 and 1, gap 2", 12, { 0, 1 }, 2, { 0, 1, 4, 5, 8, 9 } },
        { "only the last row", 12, { 11 }, 2, { 11 } },
        { "none checked", 6, {}, 1, {} },
        { "gap 0 fills the rest", 5, { 1 }, 0, { 1, 2, 3, 4 } },
        { "pattern cut at the end", 7, { 0, 2 }, 1, { 0, 2, 4, 6 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<bool> rows = Rows(c.rows, c.checked);
        EXPECT_TRUE(RepeatCheckedPattern(rows, c.gap));
        EXPECT_EQ(Checked(rows), c.expected);
    }
}

TEST(ChannelAdjustTest, NegativeGapIsRefused)
{
    std::vector<bool> rows = Rows(12, { 0, 1 });
    EXPECT_FALSE(RepeatCheckedPattern(rows, -1));
    EXPECT_FALSE(RepeatCheckedPattern(rows, -100));
    EXPECT_EQ(Checked(rows), (std::vector<int> { 0, 1 }));
}

TEST(ChannelAdjustTest, GapsTheListCannotHoldAreRefusedAndChangeNothing)
{
    // Rows 0 and 5 of 12 checked: the pattern spans 6 rows, so the row
    // arithmetic of a huge gap would run past the int range.
    struct Case {
        int gap;
        bool taken;
        std::vector<int> expected;
    };
    const Case cases[] = {
        { 12, true, { 0, 5 } }, // as long as the list: taken, nothing follows
        { 13, false, { 0, 5 } }, { 0x7FFFFFFF, false, { 0, 5 } }, { -0x7FFFFFFF - 1, false, { 0, 5 } },
        { 1, true, { 0, 5, 7 } }, // next copy at 7, its row 12 is past the end
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gap);
        std::vector<bool> rows = Rows(12, { 0, 5 });
        EXPECT_EQ(RepeatCheckedPattern(rows, c.gap), c.taken);
        EXPECT_EQ(Checked(rows), c.expected);
    }
    // An empty list holds no gap but 0.
    std::vector<bool> none;
    EXPECT_TRUE(RepeatCheckedPattern(none, 0));
    EXPECT_FALSE(RepeatCheckedPattern(none, 1));
}

TEST(ChannelAdjustTest, AdjustedFlagFollowsBothTables)
{
    LayoutPort port;
    EXPECT_EQ(UpdateAdjustedFlag(port), 0);
    port.m_brightness[5] = 50;
    EXPECT_EQ(UpdateAdjustedFlag(port), 1);
    port.m_gamma[5999] = 2;
    port.m_brightness[5] = 100;
    EXPECT_EQ(UpdateAdjustedFlag(port), 1); // a curve alone keeps it
    port.m_gamma[5999] = 0;
    EXPECT_EQ(UpdateAdjustedFlag(port), 0);
}

TEST(ChannelAdjustTest, RowsAreChannelsPerLampTimesLampsUpTo6000)
{
    LayoutPort port;
    port.Allocate(kMaxPortPoints);
    std::vector<CLPoint> lamps(2);
    port.InsertPoints(lamps.data(), 2);
    port.m_lampFormat = L"RGB";
    EXPECT_EQ(AdjustmentRowCount(port), 6);
    port.m_lampFormat = L"R1G1B1R2G2B2W3";
    EXPECT_EQ(AdjustmentRowCount(port), 14);
    std::vector<CLPoint> many(3070);
    port.InsertPoints(many.data(), 3070);
    port.m_lampFormat = L"RGBW";
    EXPECT_EQ(AdjustmentRowCount(port), kPortTableSize);
}

TEST(GammaCurveFileTest, ExportThenImportRoundTrips)
{
    int values[kCurveEntries];
    for (int i = 0; i < kCurveEntries; ++i)
        values[i] = 255 - i;
    const CStringA text = FormatGammaCurveFile(values);
    EXPECT_EQ(text.Left(9), "0\t255\r\n1\t");
    CString back[kCurveEntries];
    int taken = 0;
    ASSERT_EQ(ParseGammaCurveFile(CString(text), back, taken), GammaFileResult::Ok);
    EXPECT_EQ(taken, kCurveEntries);
    for (int i = 0; i < kCurveEntries; ++i)
        EXPECT_EQ(_wtoi(back[i]), values[i]);
}

TEST(GammaCurveFileTest, ImportRules)
{
    CString tooLarge = IdentityFile(true);
    tooLarge.Replace(L"\r\n9\t9\r\n", L"\r\n9\t256\r\n");
    CString space = IdentityFile(true);
    space.Replace(L"\r\n3\t3\r\n", L"\r\n3 3\r\n");
    struct Case {
        const char* name;
        CString text;
        GammaFileResult result;
        int taken;
    };
    const Case cases[] = {
        { "255 lines", IdentityFile(true, 255), GammaFileResult::TooFewLines, 0 },
        { "256 lines, no final line end", IdentityFile(false), GammaFileResult::Ok, 256 },
        { "trailing CR LF", IdentityFile(true), GammaFileResult::Ok, 256 },
        { "value 256", tooLarge, GammaFileResult::ValueTooLarge, 9 },
        { "space instead of tab", space, GammaFileResult::BadLine, 3 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CString values[kCurveEntries];
        int taken = -1;
        EXPECT_EQ(ParseGammaCurveFile(c.text, values, taken), c.result);
        EXPECT_EQ(taken, c.taken);
    }
}

TEST(GammaCurveFileTest, LevelsAreClampedNotCut)
{
    EXPECT_EQ(ClampCurveLevel(300), 255);
    EXPECT_EQ(ClampCurveLevel(-1), 0);
    EXPECT_EQ(ClampCurveLevel(-5), 0);
    EXPECT_EQ(ClampCurveLevel(128), 128);
}
