// The Zazez Urad editor's bar pictures and drawing thread: colour bar,
// palette, sequence with snapshots and custom bar pixels; requests that
// collapse into the last one; and a thread that keeps drawing while the
// colour list changes under the editor lock.
#include "color_plus_drawing.h"

#include "color_strips.h"
#include "one_stop_strip.h"

#include <gtest/gtest.h>

namespace {

struct Items {
    ColorPlusItemList list;
    ~Items()
    {
        for (INT_PTR i = 0; i < list.GetSize(); ++i)
            delete list.GetAt(i);
    }
    ProgramColorEffectPlus* Add(int colorCount, int style, ColorTemplateArrayEx* strip)
    {
        auto* item = new ProgramColorEffectPlus;
        item->m_colorCount = colorCount;
        item->m_style = style;
        if (strip != nullptr)
            item->m_strips.Add(strip);
        list.Add(item);
        return item;
    }
};

} // namespace

TEST(PlusPictures, AnEmptyColourListIsABlackBarOfWidthZero)
{
    ColorStripList none;
    int W = -1;
    CPlusBitmap bar = DrawPlusColorBar(none, 40, W);
    EXPECT_EQ(W, 0);
    ASSERT_TRUE(bar);
    EXPECT_EQ(PlusBitmapSize(bar.Get()), CSize(40, 1));
    for (int x : { 0, 20, 39 })
        EXPECT_EQ(PlusPixel(bar.Get(), x, 0), RGB(0, 0, 0)) << x;

    // Strips without width count for nothing; the others are stretched.
    ColorStripList list;
    list.Add(OneStopStrip(ColorTemplateEx::MODE_SOLID, 2, { RGB(255, 0, 0) }));
    list.Add(OneStopStrip(ColorTemplateEx::MODE_SOLID, 0, { RGB(0, 255, 0) }));
    list.Add(OneStopStrip(ColorTemplateEx::MODE_SOLID, 2, { RGB(0, 0, 255) }));
    bar = DrawPlusColorBar(list, 40, W);
    EXPECT_EQ(W, 4);
    EXPECT_EQ(PlusPixel(bar.Get(), 5, 0), RGB(255, 0, 0));
    EXPECT_EQ(PlusPixel(bar.Get(), 35, 0), RGB(0, 0, 255));
    FreeColorStrips(list);
}

TEST(PlusPictures, ThePaletteHasSixteenDarkeningColumnsWithWhiteLinesBetween)
{
    const CSize size(160, 70);
    CPlusBitmap palette = DrawPlusPalette(size, kPlusPaletteColors);
    ASSERT_TRUE(palette);
    EXPECT_EQ(PlusPixel(palette.Get(), 5 * 10 + 4, 2 * 10 + 4), RGB(0, 170, 0)); // row 2, column 5
    EXPECT_EQ(PlusPixel(palette.Get(), 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(PlusPixel(palette.Get(), 15 * 10 + 3, 6 * 10 + 3), RGB(0, 0, 0));
    EXPECT_EQ(PlusPixel(palette.Get(), 9, 4), RGB(255, 255, 255)); // the line right of a cell
    EXPECT_EQ(PlusPixel(palette.Get(), 4, 9), RGB(255, 255, 255)); // and below it
    // The drag picture outlines the rectangle and keeps the cells inside.
    CPlusBitmap drag = DrawPlusPaletteDrag(size, kPlusPaletteColors, CPoint(60, 40), CPoint(20, 10));
    ASSERT_TRUE(drag);
    EXPECT_EQ(PlusPixel(drag.Get(), 20, 10), RGB(255, 255, 255));
    EXPECT_EQ(PlusPixel(drag.Get(), 32, 24), PaletteCellColor(kPlusPaletteColors[2], 3));
}

TEST(PlusPictures, TheSequenceBarDrawsEveryItemAndSnapshotsTheOnesWithColours)
{
    Items items;
    items.Add(4, 2, OneStopStrip(ColorTemplateEx::MODE_SOLID, 4, { RGB(255, 0, 0) }));
    items.Add(0, 7, OneStopStrip(ColorTemplateEx::MODE_SOLID, 4, { RGB(0, 255, 0) })); // no colour count: no snapshot
    items.Add(4, 36, OneStopStrip(ColorTemplateEx::MODE_GRADIENT, 4, { RGB(0, 0, 0), RGB(0, 0, 255) }));
    int W = 0;
    std::vector<PlusSnapshotPicture> snapshots;
    CPlusBitmap bar = DrawPlusSequence(items.list, 120, W, snapshots);
    EXPECT_EQ(W, 12);
    EXPECT_EQ(PlusPixel(bar.Get(), 5, 0), RGB(255, 0, 0));
    EXPECT_EQ(PlusPixel(bar.Get(), 55, 0), RGB(0, 255, 0));
    ASSERT_EQ(snapshots.size(), 2u);
    EXPECT_EQ(snapshots[0].item, 0);
    EXPECT_EQ(snapshots[1].item, 2);
    EXPECT_EQ(snapshots[1].style, 36);
    EXPECT_EQ(PlusBitmapSize(snapshots[1].thumb.Get()), CSize(4, 1));
    EXPECT_EQ(PlusPixel(snapshots[1].thumb.Get(), 2, 0), InterpolateColor(RGB(0, 0, 0), RGB(0, 0, 255), 2, 4));

    Items empty;
    snapshots.clear();
    bar = DrawPlusSequence(empty.list, 120, W, snapshots);
    EXPECT_EQ(W, 0);
    EXPECT_TRUE(snapshots.empty());
    EXPECT_EQ(PlusPixel(bar.Get(), 60, 0), RGB(0, 0, 0));
}

TEST(PlusPictures, TheCustomBarShowsItsBandSquaresAndTheDraggedPosition)
{
    const CSize size(110, 40);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const CustomStops stops = { { 5, 35, RGB(255, 0, 0) }, { 105, 35, RGB(0, 0, 255) } };
    CPlusBitmap gradient = DrawPlusCustomBar(size, stops, -1, true);
    ASSERT_TRUE(gradient);
    for (int x : { 5, 30, 55, 104 })
        EXPECT_EQ(PlusPixel(gradient.Get(), x, 3), InterpolateColor(RGB(255, 0, 0), RGB(0, 0, 255), x - 5, 100)) << x;
    EXPECT_EQ(PlusPixel(gradient.Get(), 2, 3), face);
    EXPECT_EQ(PlusPixel(gradient.Get(), 107, 3), face);
    EXPECT_EQ(PlusPixel(gradient.Get(), 104, 33), RGB(0, 0, 255)); // the blue stop's square
    EXPECT_EQ(PlusPixel(gradient.Get(), 30, 33), face); // no square there
    // Without gradient mode the band is red up to the blue stop.
    CPlusBitmap solid = DrawPlusCustomBar(size, stops, -1, false);
    EXPECT_EQ(PlusPixel(solid.Get(), 100, 3), RGB(255, 0, 0));
    // A selected stop writes its position in white.
    CPlusBitmap dragged = DrawPlusCustomBar(size, stops, 1, false);
    bool white = false;
    for (int y = 0; y < 20 && !white; ++y) {
        for (int x = 5; x < 40 && !white; ++x)
            white = PlusPixel(dragged.Get(), x, y) == RGB(255, 255, 255);
    }
    EXPECT_TRUE(white);
}

TEST(PlusDrawWorker, RequestsBeforeAWakeUpCollapseIntoTheLastOne)
{
    PlusEditorShared shared;
    shared.colors.Add(OneStopStrip(ColorTemplateEx::MODE_SOLID, 3, { RGB(1, 2, 3) }));
    shared.colorBarSize = CSize(30, 5);
    CPlusDrawWorker worker(shared);
    worker.Request(PLUS_DRAW_PALETTE);
    worker.Request(PLUS_DRAW_COLORS);
    worker.DrawPending();
    EXPECT_EQ(worker.Drawings(PLUS_PIC_COLORS), 1);
    EXPECT_EQ(worker.Drawings(PLUS_PIC_PALETTE), 0);
    PlusPictures taken = worker.TakePictures();
    EXPECT_EQ(taken.mask, 1u << PLUS_PIC_COLORS);
    EXPECT_EQ(taken.colorWidth, 3);
    EXPECT_EQ(worker.TakePictures().mask, 0u);

    // A value not listed draws the colour bar; 35 draws every bar but the drag.
    worker.Request(12345);
    worker.DrawPending();
    EXPECT_EQ(worker.Drawings(PLUS_PIC_COLORS), 2);
    worker.Request(PLUS_DRAW_ALL);
    worker.DrawPending();
    const PlusPictures all = worker.TakePictures();
    EXPECT_EQ(all.mask,
        (1u << PLUS_PIC_COLORS) | (1u << PLUS_PIC_PALETTE) | (1u << PLUS_PIC_SEQUENCE) | (1u << PLUS_PIC_CUSTOM));
    EXPECT_FALSE(all.snapshotsMade); // no sequence: the snapshots stay as they are
}

TEST(PlusDrawWorker, TheThreadDrawsFromCopiesWhileTheListChanges)
{
    PlusEditorShared shared;
    shared.colorBarSize = CSize(200, 5);
    Items sequence;
    sequence.Add(16, 0, OneStopStrip(ColorTemplateEx::MODE_SOLID, 16, { RGB(9, 9, 9) }));
    shared.sequence = &sequence.list;
    CPlusDrawWorker worker(shared);
    worker.Start(nullptr);
    // The user-interface side: changes under the lock, a request after each.
    for (int i = 0; i < 400; ++i) {
        {
            PlusGuard guard(shared.lock);
            if (i % 3 == 2 && shared.colors.GetSize() > 0) {
                delete shared.colors.GetAt(0);
                shared.colors.RemoveAt(0);
            } else {
                shared.colors.Add(OneStopStrip(ColorTemplateEx::MODE_GRADIENT, 4, { RGB(i, 0, 0), RGB(0, i, 0) }));
            }
            shared.stops.push_back({ 5 + i % 100, 15, RGB(0, 0, i) });
        }
        worker.Request(i % 2 == 0 ? PLUS_DRAW_COLORS : (i % 5 == 0 ? PLUS_DRAW_ALL : PLUS_DRAW_CUSTOM));
    }
    int expected = 0;
    {
        PlusGuard guard(shared.lock);
        expected = ColorListWidth(shared.colors);
    }
    worker.Request(PLUS_DRAW_COLORS);
    // The last request is drawn from the list as it is now.
    const DWORD start = ::GetTickCount();
    int drawn = -1;
    while (::GetTickCount() - start < 5000) {
        PlusPictures taken = worker.TakePictures();
        if ((taken.mask & (1u << PLUS_PIC_COLORS)) != 0)
            drawn = taken.colorWidth;
        if (drawn == expected)
            break;
        ::Sleep(2);
    }
    EXPECT_EQ(drawn, expected);
    worker.Stop();
    EXPECT_FALSE(worker.Running());
}
