// The Zazez Urad editor's window-free arithmetic: frame proposals by style,
// style name keys, palette cells and drags, the custom colour bar's strip
// and picture colours, the colour-list edits and the names of saved bars.
#include "color_plus_values.h"

#include "color_strips.h"
#include "fw_temp_folder.h"
#include "one_stop_strip.h"

#include <gtest/gtest.h>

namespace {

struct StripList {
    ColorStripList list;
    ~StripList() { FreeColorStrips(list); }
};

const ColorTemplateEx& StopOf(const ColorTemplateArrayEx& strip, int i)
{
    return *strip.m_stops.GetAt(i);
}

int Diff(COLORREF a, COLORREF b)
{
    int d = 0;
    for (int shift : { 0, 8, 16 })
        d = std::max(d, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    return d;
}

} // namespace

TEST(PlusFrames, StylesProposeFramesFromTheCanvasTheBlockWidthOrTheLongestPort)
{
    const struct {
        int style;
        int width;
        int height;
        int block;
        int longest;
        int w;
        int frames;
    } cases[] = {
        { 39, 200, 50, 3, 0, 64, 3350 }, // 10000 / 3 = 3333 rounded up to a multiple of 50
        { 40, 200, 50, 3, 0, 64, 3350 }, { 41, 200, 50, 3, 0, 64, 3400 }, // rounded up to a multiple of 200
        { 42, 200, 50, 3, 0, 64, 3400 }, { 39, 200, 50, 1, 0, 64, 10000 }, { 41, 200, 50, 1, 0, 64, 10000 },
        { 39, 200, 50, 0, 0, 64, 10000 }, // no block width: no division
        { 43, 200, 50, 1, 300, 64, 300 }, // the longest port
        { 43, 200, 50, 1, 300, 500, 500 }, { 0, 200, 50, 3, 300, 64, 64 }, { 36, 200, 50, 3, 300, 64, 64 },
        { 0, 200, 50, 1, 0, 0, 0 }, // no colours, no frames
        { 39, 200, 50, 1, 0, -5, 0 }, { 39, 200, 0, 3, 0, 64, 0 }, // a zero side never divides
        { 41, 0, 50, 3, 0, 64, 0 }, { 39, 65535, 65535, 1, 0, 64, 1 }, // no overflow into negatives (checked below)
    };
    for (const auto& c : cases) {
        PlusFrameBasis basis { c.style, c.width, c.height, c.block, c.longest };
        const int frames = ComputePlusFrames(c.w, basis);
        if (c.width == 65535)
            EXPECT_GT(frames, 0);
        else
            EXPECT_EQ(frames, c.frames) << c.style << " " << c.width << "x" << c.height << " block " << c.block;
    }
}

TEST(PlusFrames, StyleNamesHaveTheirKeysAndStrayCodesShareTheLastOne)
{
    const std::pair<int, int> keys[] = { { 0, 33 }, { 1, 34 }, { 19, 52 }, { 20, 121 }, { 22, 121 }, { 24, 121 },
        { 25, 94 }, { 31, 100 }, { 35, 104 }, { 36, 112 }, { 37, 114 }, { 38, 115 }, { 39, 117 }, { 42, 120 },
        { 43, 121 }, { -1, 121 }, { 99, 121 } };
    for (const auto& [code, key] : keys)
        EXPECT_EQ(PlusStyleNameKey(code), key) << code;
}

TEST(PlusPalette, CellsDarkenTowardsTheRightAndPointsOutsideTakeTheEdgeCells)
{
    // 160 x 70: cells of 10 x 10.
    const CSize palette(160, 70);
    EXPECT_EQ(PaletteCellColor(RGB(0, 255, 0), 5), RGB(0, 170, 0));
    EXPECT_EQ(PaletteCellColor(RGB(255, 255, 255), 0), RGB(255, 255, 255));
    EXPECT_EQ(PaletteCellColor(RGB(255, 255, 255), 15), RGB(0, 0, 0));
    EXPECT_EQ(PaletteColorAt(CPoint(55, 25), palette, kPlusPaletteColors), RGB(0, 170, 0)); // row 2, column 5
    EXPECT_EQ(PaletteColorAt(CPoint(500, 5), palette, kPlusPaletteColors), RGB(0, 0, 0)); // column 15
    EXPECT_EQ(PaletteColorAt(CPoint(-3, -3), palette, kPlusPaletteColors), RGB(255, 0, 0));
    EXPECT_EQ(PaletteColorAt(CPoint(5, 900), palette, kPlusPaletteColors), RGB(255, 255, 255)); // row 6

    COLORREF picked = 0;
    ColorTemplateArrayEx* none
        = PaletteDragStrip(CPoint(55, 25), CPoint(55, 25), palette, kPlusPaletteColors, 16, picked);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(picked, RGB(0, 170, 0));
    // Released in another pixel of the same cell: still one colour.
    none = PaletteDragStrip(CPoint(51, 21), CPoint(58, 28), palette, kPlusPaletteColors, 16, picked);
    EXPECT_EQ(none, nullptr);
}

TEST(PlusPalette, ThreeRowDragsGiveOneStopPerRowInDragOrder)
{
    const CSize palette(160, 70);
    const COLORREF(&rows)[7] = kPlusPaletteColors;
    COLORREF picked = 0;
    // Top-left to bottom-right over rows 0 to 2, columns 0 to 9.
    std::unique_ptr<ColorTemplateArrayEx> forward(
        PaletteDragStrip(CPoint(2, 2), CPoint(95, 29), palette, rows, 16, picked));
    ASSERT_NE(forward, nullptr);
    ASSERT_EQ(forward->m_stops.GetSize(), 3);
    for (int r = 0; r < 3; ++r) {
        const ColorTemplateEx& stop = StopOf(*forward, r);
        EXPECT_EQ(stop.m_width, 16);
        EXPECT_EQ(stop.m_mode, ColorTemplateEx::MODE_GRADIENT);
        ASSERT_EQ(stop.m_colors.GetSize(), 2);
        EXPECT_EQ(stop.m_colors[0], rows[r]) << r;
        EXPECT_EQ(stop.m_colors[1], PaletteCellColor(rows[r], 9)) << r;
    }
    // The same drag backwards: rows in reverse order, each stop's colours reversed.
    std::unique_ptr<ColorTemplateArrayEx> backward(
        PaletteDragStrip(CPoint(95, 29), CPoint(2, 2), palette, rows, 16, picked));
    ASSERT_NE(backward, nullptr);
    ASSERT_EQ(backward->m_stops.GetSize(), 3);
    for (int i = 0; i < 3; ++i) {
        const int r = 2 - i;
        const ColorTemplateEx& stop = StopOf(*backward, i);
        ASSERT_EQ(stop.m_colors.GetSize(), 2);
        EXPECT_EQ(stop.m_colors[0], PaletteCellColor(rows[r], 9)) << i;
        EXPECT_EQ(stop.m_colors[1], rows[r]) << i;
    }
    // A release beyond the right edge takes column 15; a one-column drag is solid.
    std::unique_ptr<ColorTemplateArrayEx> wide(
        PaletteDragStrip(CPoint(2, 2), CPoint(900, 12), palette, rows, 16, picked));
    ASSERT_NE(wide, nullptr);
    ASSERT_EQ(wide->m_stops.GetSize(), 1);
    EXPECT_EQ(StopOf(*wide, 0).m_colors[1], RGB(0, 0, 0));
    std::unique_ptr<ColorTemplateArrayEx> column(
        PaletteDragStrip(CPoint(2, 2), CPoint(4, 25), palette, rows, 8, picked));
    ASSERT_NE(column, nullptr);
    ASSERT_EQ(column->m_stops.GetSize(), 3);
    EXPECT_EQ(StopOf(*column, 1).m_mode, ColorTemplateEx::MODE_SOLID);
    EXPECT_EQ(StopOf(*column, 1).m_width, 8);
    EXPECT_EQ(StopOf(*column, 1).m_colors.GetSize(), 1);
}

TEST(PlusCustomBar, TheStartBarAddsTwoEightPixelGradientsAndUncoveredEndsTurnBlack)
{
    // A bar of 210 x 30: usable span 5 to 205 (U = 200).
    const CustomStops start = StartCustomStops(210, 30);
    ASSERT_EQ(start.size(), 3u);
    EXPECT_EQ(start[0].x, 5);
    EXPECT_EQ(start[1].x, 105);
    EXPECT_EQ(start[2].x, 205);
    EXPECT_EQ(start[1].y, 25);

    std::unique_ptr<ColorTemplateArrayEx> gradient(CustomBarToStrip(start, true, 210, 16));
    ASSERT_NE(gradient, nullptr);
    ASSERT_EQ(gradient->m_stops.GetSize(), 2);
    EXPECT_EQ(StopOf(*gradient, 0).m_width, 8);
    EXPECT_EQ(StopOf(*gradient, 1).m_width, 8);
    EXPECT_EQ(StopOf(*gradient, 0).m_mode, ColorTemplateEx::MODE_GRADIENT);
    EXPECT_EQ(StopOf(*gradient, 0).m_colors[1], RGB(0, 255, 0));
    EXPECT_EQ(StopOf(*gradient, 1).m_colors[1], RGB(0, 0, 255));

    std::unique_ptr<ColorTemplateArrayEx> solid(CustomBarToStrip(start, false, 210, 16));
    ASSERT_NE(solid, nullptr);
    EXPECT_EQ(StopOf(*solid, 0).m_mode, ColorTemplateEx::MODE_SOLID);
    EXPECT_EQ(StopOf(*solid, 1).m_colors[0], RGB(0, 255, 0));

    // Stops listed right to left are visited left to right; the ends are black.
    const CustomStops inner = { { 155, 25, RGB(0, 0, 255) }, { 55, 25, RGB(255, 0, 0) } };
    std::unique_ptr<ColorTemplateArrayEx> ends(CustomBarToStrip(inner, true, 210, 16));
    ASSERT_NE(ends, nullptr);
    ASSERT_EQ(ends->m_stops.GetSize(), 3);
    EXPECT_EQ(StopOf(*ends, 0).m_width, 4);
    EXPECT_EQ(StopOf(*ends, 0).m_colors[0], RGB(0, 0, 0));
    EXPECT_EQ(StopOf(*ends, 1).m_width, 8);
    EXPECT_EQ(StopOf(*ends, 1).m_colors[0], RGB(255, 0, 0));
    EXPECT_EQ(StopOf(*ends, 2).m_width, 4);

    EXPECT_EQ(CustomBarToStrip({}, true, 210, 16), nullptr);
    // A transition count of 0 gives stops without width.
    std::unique_ptr<ColorTemplateArrayEx> empty(CustomBarToStrip(start, true, 210, 0));
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->GetTotalWidth(), 0);
}

TEST(PlusCustomBar, StopsAreVisitedLeftToRightOncePerPlaceAndWithinReach)
{
    const CustomStops stops = { { 50, 0, 1 }, { 20, 0, 2 }, { 50, 0, 3 }, { 1500, 0, 4 }, { 900, 0, 5 }, { 0, 0, 6 } };
    EXPECT_EQ(NextStopRightOf(stops, -1), 1); // x 20 (x 0 is never right of the start)
    EXPECT_EQ(NextStopRightOf(stops, 1), 0); // x 50: the first of the two
    EXPECT_EQ(NextStopRightOf(stops, 0), 4); // x 900
    EXPECT_EQ(NextStopRightOf(stops, 4), 3); // x 1500 is within 1000 of 900
    EXPECT_EQ(NextStopRightOf(stops, 3), -1);
    EXPECT_EQ(NextStopRightOf({ { 5, 0, 1 }, { 1200, 0, 2 } }, 0), -1); // out of reach
    EXPECT_EQ(CustomStopAt(stops, CPoint(24, 4)), 1);
    EXPECT_EQ(CustomStopAt(stops, CPoint(26, 0)), -1);
}

TEST(PlusCustomBar, ThePictureColourFollowsTheStopsAndTheGradientMode)
{
    const int B = 110;
    const COLORREF face = RGB(1, 2, 3);
    const CustomStops stops = { { 5, 25, RGB(255, 0, 0) }, { B - 5, 25, RGB(0, 0, 255) } };
    for (int x : { 5, 30, 55, 104 }) {
        EXPECT_EQ(
            CustomBarColorAt(stops, true, x, B, face), InterpolateColor(RGB(255, 0, 0), RGB(0, 0, 255), x - 5, 100))
            << x;
        EXPECT_EQ(CustomBarColorAt(stops, false, x, B, face), RGB(255, 0, 0)) << x;
    }
    EXPECT_EQ(CustomBarColorAt(stops, true, 4, B, face), face);
    EXPECT_EQ(CustomBarColorAt(stops, true, B - 5, B, face), face);
    const CustomStops inner = { { 40, 25, RGB(0, 255, 0) }, { 60, 25, RGB(0, 0, 255) } };
    EXPECT_EQ(CustomBarColorAt(inner, true, 20, B, face), RGB(0, 0, 0)); // band left of the stops
    EXPECT_EQ(CustomBarColorAt(inner, true, 80, B, face), RGB(0, 0, 0)); // and right of them
}

TEST(PlusColorList, DeleteColourShortensAGradientKeepingItsPixels)
{
    StripList colors;
    colors.list.Add(OneStopStrip(ColorTemplateEx::MODE_GRADIENT, 16, { RGB(0, 0, 0), RGB(255, 255, 255) }));
    ASSERT_TRUE(ShortenColorList(colors.list));
    const ColorTemplateEx& stop = StopOf(*colors.list.GetAt(0), 0);
    EXPECT_EQ(stop.m_width, 15);
    EXPECT_EQ(stop.m_colors[1], RGB(239, 239, 239));
    for (int j = 0; j < 15; ++j)
        EXPECT_LE(Diff(InterpolateColor(RGB(0, 0, 0), RGB(255, 255, 255), j, 16),
                      InterpolateColor(stop.m_colors[0], stop.m_colors[1], j, 15)),
            1)
            << j;
    for (int press = 2; press <= 16; ++press)
        EXPECT_TRUE(ShortenColorList(colors.list)) << press;
    EXPECT_EQ(colors.list.GetSize(), 0);
    EXPECT_FALSE(ShortenColorList(colors.list));

    // A one-pixel solid stop goes with its strip; the strip before stays.
    colors.list.Add(OneStopStrip(ColorTemplateEx::MODE_SOLID, 3, { RGB(1, 2, 3) }));
    colors.list.Add(OneStopStrip(ColorTemplateEx::MODE_SOLID, 1, { RGB(4, 5, 6) }));
    ASSERT_TRUE(ShortenColorList(colors.list));
    ASSERT_EQ(colors.list.GetSize(), 1);
    EXPECT_EQ(ColorListWidth(colors.list), 3);
    ASSERT_TRUE(RemoveLastColorStop(colors.list));
    EXPECT_EQ(colors.list.GetSize(), 0);
    EXPECT_FALSE(RemoveLastColorStop(colors.list));
}

TEST(PlusColorList, FillRepeatsTheWholeListInOrder)
{
    StripList colors;
    colors.list.Add(OneStopStrip(ColorTemplateEx::MODE_SOLID, 1, { RGB(1, 0, 0) }));
    colors.list.Add(OneStopStrip(ColorTemplateEx::MODE_SOLID, 2, { RGB(2, 0, 0) }));
    RepeatColorList(colors.list, 3);
    ASSERT_EQ(colors.list.GetSize(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(StopOf(*colors.list.GetAt(i), 0).m_colors[0], RGB(i % 2 + 1, 0, 0)) << i;
    EXPECT_EQ(ColorListWidth(colors.list), 9);
    StripList empty;
    RepeatColorList(empty.list, 5);
    EXPECT_EQ(empty.list.GetSize(), 0);
}

TEST(PlusSavedBars, TwoSavesInOneTickGetTwoNames)
{
    fwtest::CTempFolder folder(L"ctx");
    const CString dir = folder.Path() + L"\\";
    const CString first = FreeCustomBarPath(dir, 1234);
    EXPECT_EQ(first, dir + L"1234.ctx");
    HANDLE file = ::CreateFileW(first, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ::CloseHandle(file);
    EXPECT_EQ(FreeCustomBarPath(dir, 1234), dir + L"1235.ctx");
    ::DeleteFileW(first);
}
