// Templates drawn as gradients and solid blocks, runs of templates in
// 256-pixel steps, the gradient dot, and strips drawn on several threads.
#include "color_strips.h"
#include "engine_test_support.h"

#include <gtest/gtest.h>

#include <thread>

using enginetest::Canvas;
using enginetest::Show;

namespace {

const COLORREF kMarker = RGB(1, 2, 3);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);

ColorTemplate* MakeTemplate(int mode, std::initializer_list<COLORREF> colors)
{
    auto* t = new ColorTemplate;
    t->m_changeMode = mode;
    for (COLORREF c : colors)
        t->m_colors.Add(c);
    return t;
}

struct Templates {
    ~Templates() { FreeColorTemplates(list); }
    ColorTemplateList list;
};

// 255 * j / 256 is j - 1 for j from 1 to 255, and 0 for j = 0.
int Up256(int j)
{
    return j == 0 ? 0 : j - 1;
}

void ExpectRow(const Canvas& canvas, const std::vector<COLORREF>& expected)
{
    const std::vector<COLORREF> row = canvas.Row();
    ASSERT_EQ(row.size(), expected.size());
    int mismatches = 0;
    for (size_t x = 0; x < row.size() && mismatches < 8; ++x)
        if (row[x] != expected[x]) {
            ADD_FAILURE() << "x " << x << ": " << Show(row[x]) << " instead of " << Show(expected[x]);
            ++mismatches;
        }
}

} // namespace

TEST(DrawTemplateGradient, ThreeColoursOnEvenAndOddWidths)
{
    std::unique_ptr<ColorTemplate> tmpl(MakeTemplate(ColorTemplate::CHANGE_GRADIENT, { kBlack, kWhite, kRed }));

    // 512 pixels: two 256-pixel gradients, each ending one step short.
    Canvas even(512, 1, kMarker);
    DrawTemplateGradient(even.dc(), *tmpl);
    std::vector<COLORREF> expected(512);
    for (int j = 0; j < 256; ++j) {
        const int up = Up256(j);
        expected[j] = RGB(up, up, up);
        expected[256 + j] = RGB(255, 255 - up, 255 - up);
    }
    ExpectRow(even, expected);

    // 511 pixels: two 255-pixel gradients that step by exactly one, and the
    // last pixel left alone.
    Canvas odd(511, 1, kMarker);
    DrawTemplateGradient(odd.dc(), *tmpl);
    expected.assign(511, kMarker);
    for (int j = 0; j < 255; ++j) {
        expected[j] = RGB(j, j, j);
        expected[255 + j] = RGB(255, 255 - j, 255 - j);
    }
    ExpectRow(odd, expected);
}

TEST(DrawTemplateGradient, SolidBlocksForEveryOtherMode)
{
    for (int mode : { 1, 5, -1 }) {
        std::unique_ptr<ColorTemplate> tmpl(MakeTemplate(mode, { kRed, kGreen, kBlue }));
        Canvas canvas(301, 1, kMarker);
        DrawTemplateGradient(canvas.dc(), *tmpl);
        std::vector<COLORREF> expected(301, kMarker);
        for (int x = 0; x < 300; ++x)
            expected[x] = x < 100 ? kRed : x < 200 ? kGreen : kBlue;
        ExpectRow(canvas, expected);
    }
}

TEST(DrawTemplateGradient, NothingToDraw)
{
    std::unique_ptr<ColorTemplate> empty(MakeTemplate(0, {}));
    std::unique_ptr<ColorTemplate> single(MakeTemplate(0, { kRed }));
    std::unique_ptr<ColorTemplate> emptySolid(MakeTemplate(1, {}));
    std::unique_ptr<ColorTemplate> tooNarrow(MakeTemplate(1, { kRed, kGreen, kBlue }));
    Canvas canvas(2, 1, kMarker);
    for (const ColorTemplate* t : { empty.get(), single.get(), emptySolid.get(), tooNarrow.get() }) {
        DrawTemplateGradient(canvas.dc(), *t);
        ExpectRow(canvas, { kMarker, kMarker });
    }
    DrawTemplateGradient(nullptr, *single);
}

TEST(DrawTemplateGradient, BlocksStartAtZeroWhateverTheClipBox)
{
    std::unique_ptr<ColorTemplate> tmpl(MakeTemplate(1, { kRed, kGreen }));
    Canvas canvas(300, 1, kMarker);
    canvas.dc()->IntersectClipRect(100, 0, 300, 1);
    // Width 200 from the clip box: blocks 0..99 (hidden) and 100..199.
    DrawTemplateGradient(canvas.dc(), *tmpl);
    std::vector<COLORREF> expected(300, kMarker);
    for (int x = 100; x < 200; ++x)
        expected[x] = kGreen;
    ExpectRow(canvas, expected);
}

TEST(DrawTemplateStrip, RunsOnIntoTheNextTemplateAndCoversMoreThanAsked)
{
    Templates t;
    t.list.Add(MakeTemplate(ColorTemplate::CHANGE_GRADIENT, { kRed, kGreen, kBlue }));
    t.list.Add(MakeTemplate(ColorTemplate::CHANGE_SOLID, { kWhite, kRed }));

    // From colour 1 of the first template, 700 pixels asked: steps at 0
    // (green to blue), 256 (white), 512 (red); 768 pixels drawn.
    Canvas canvas(1024, 1, kMarker);
    DrawTemplateStrip(canvas.dc(), t.list, 0, 1, 700);
    std::vector<COLORREF> expected(1024, kMarker);
    for (int j = 0; j < 256; ++j) {
        expected[j] = RGB(0, 255 - Up256(j), Up256(j));
        expected[256 + j] = kWhite;
        expected[512 + j] = kRed;
    }
    ExpectRow(canvas, expected);
}

TEST(DrawTemplateStrip, WrapsRoundTheTemplateList)
{
    Templates t;
    t.list.Add(MakeTemplate(ColorTemplate::CHANGE_GRADIENT, { kBlack, kWhite }));
    t.list.Add(MakeTemplate(ColorTemplate::CHANGE_SOLID, { kBlue }));
    Canvas canvas(1280, 1, kMarker);
    // From the second template: blue, then the first from its colour 0, ...
    DrawTemplateStrip(canvas.dc(), t.list, 1, 0, 1000);
    std::vector<COLORREF> expected(1280, kMarker);
    for (int j = 0; j < 256; ++j) {
        const int up = Up256(j);
        expected[j] = kBlue;
        expected[256 + j] = RGB(up, up, up);
        expected[512 + j] = kBlue;
        expected[768 + j] = RGB(up, up, up);
    }
    ExpectRow(canvas, expected);
}

TEST(DrawTemplateStrip, AFirstColourPastTheLastStepStartsWithTheNextTemplate)
{
    Templates t;
    t.list.Add(MakeTemplate(ColorTemplate::CHANGE_GRADIENT, { kBlack, kWhite, kRed }));
    // Only template: nothing from colour 2, then the whole template again.
    Canvas canvas(768, 1, kMarker);
    DrawTemplateStrip(canvas.dc(), t.list, 0, 2, 300);
    std::vector<COLORREF> expected(768, kMarker);
    for (int j = 0; j < 256; ++j) {
        const int up = Up256(j);
        expected[j] = RGB(up, up, up);
        expected[256 + j] = RGB(255, 255 - up, 255 - up);
    }
    ExpectRow(canvas, expected);
}

TEST(DrawTemplateStrip, EndsWhenNoTemplateCanAddAStep)
{
    Templates t;
    t.list.Add(MakeTemplate(ColorTemplate::CHANGE_GRADIENT, { kRed }));
    t.list.Add(MakeTemplate(ColorTemplate::CHANGE_SOLID, {}));
    t.list.Add(MakeTemplate(ColorTemplate::CHANGE_GRADIENT, {}));
    Canvas canvas(64, 1, kMarker);
    for (int first = 0; first < 3; ++first)
        DrawTemplateStrip(canvas.dc(), t.list, first, 0, 1000);
    ExpectRow(canvas, std::vector<COLORREF>(64, kMarker));

    ColorTemplateList none;
    DrawTemplateStrip(canvas.dc(), none, 0, 0, 1000); // empty list: nothing, and no index error
    ExpectRow(canvas, std::vector<COLORREF>(64, kMarker));
}

TEST(DrawTemplateStrip, LengthsOfAStepOrLessDrawOneStep)
{
    Templates t;
    t.list.Add(MakeTemplate(ColorTemplate::CHANGE_SOLID, { kRed, kGreen }));
    for (int length : { -5, 0, 1, 256 }) {
        Canvas canvas(600, 1, kMarker);
        DrawTemplateStrip(canvas.dc(), t.list, 0, 0, length);
        std::vector<COLORREF> expected(600, kMarker);
        for (int x = 0; x < 256; ++x)
            expected[x] = kRed;
        ExpectRow(canvas, expected);
    }
}

TEST(DrawTemplateStrip, BadIndexesRaiseTheInvalidArgumentError)
{
    Templates t;
    t.list.Add(MakeTemplate(ColorTemplate::CHANGE_SOLID, { kRed }));
    Canvas canvas(8, 1, kMarker);
    for (auto [first, color] : { std::pair { 1, 0 }, std::pair { -1, 0 }, std::pair { 0, -1 } }) {
        bool raised = false;
        try {
            DrawTemplateStrip(canvas.dc(), t.list, first, color, 100);
        } catch (CInvalidArgException* e) {
            raised = true;
            e->Delete();
        }
        EXPECT_TRUE(raised) << first << ", " << color;
    }
    ExpectRow(canvas, std::vector<COLORREF>(8, kMarker));
}

TEST(FillGradientDot, FadesFromTheColourAtTheCentreToBlackAtTheEdge)
{
    Canvas canvas(40, 40, kWhite);
    FillGradientDot(RGB(0, 200, 100), CRect(10, 10, 31, 31), canvas.dc());
    // The centre carries the colour (GDI+ may round its gamma a little), the
    // rim is close to black.
    const COLORREF centre = canvas.At(20, 20);
    EXPECT_GE(GetGValue(centre), 160) << Show(centre);
    EXPECT_EQ(GetRValue(centre), 0) << Show(centre);
    EXPECT_NEAR(GetBValue(centre) * 2, GetGValue(centre), 4) << Show(centre);
    const COLORREF rim = canvas.At(11, 20);
    EXPECT_LT(GetGValue(rim), 80) << Show(rim);
    EXPECT_EQ(GetRValue(rim), 0);
    // Halfway out it is in between, and brightness falls monotonically.
    EXPECT_GT(GetGValue(canvas.At(15, 20)), GetGValue(rim));
    EXPECT_LT(GetGValue(canvas.At(15, 20)), GetGValue(canvas.At(20, 20)));
    // Outside the ellipse (the rectangle's corner) and outside the rectangle
    // nothing changes.
    EXPECT_EQ(canvas.At(10, 10), kWhite);
    EXPECT_EQ(canvas.At(30, 30), kWhite);
    EXPECT_EQ(canvas.At(5, 20), kWhite);
    EXPECT_EQ(canvas.At(35, 20), kWhite);

    Canvas untouched(20, 20, kWhite);
    FillGradientDot(kRed, CRect(5, 5, 5, 15), untouched.dc()); // zero width
    FillGradientDot(kRed, CRect(5, 5, 15, 5), untouched.dc()); // zero height
    FillGradientDot(kRed, CRect(15, 5, 5, 15), untouched.dc()); // inverted
    FillGradientDot(kRed, CRect(0, 0, 20, 20), nullptr);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(untouched.At(x, y), kWhite) << x << ", " << y;
}

namespace {

// One thread's share of drawing: every strip helper into its own canvases.
std::vector<COLORREF> DrawEverything(const ColorTemplateList& templates, const ColorTemplateArrayEx& strip)
{
    std::vector<COLORREF> all;
    for (int round = 0; round < 20; ++round) {
        Canvas runs(1024, 1, kMarker);
        DrawTemplateStrip(runs.dc(), templates, round % templates.GetSize(), round % 3, 1024 - round * 7);
        Canvas gradient(777 - round, 1, kMarker);
        DrawTemplateGradient(gradient.dc(), *templates[round % templates.GetSize()]);
        Canvas painted(strip.GetTotalWidth() + 20, 1, kMarker);
        PaintColorStrip(round, painted.dc(), strip);
        for (const Canvas* c : { &runs, &gradient, &painted }) {
            const std::vector<COLORREF> row = c->Row();
            all.insert(all.end(), row.begin(), row.end());
        }
    }
    return all;
}

} // namespace

TEST(ColorStripThreads, TwoThreadsDrawTheSamePixelsAsOne)
{
    Templates t;
    t.list.Add(MakeTemplate(0, { kRed, kGreen, kBlue, kWhite, RGB(17, 99, 201) }));
    t.list.Add(MakeTemplate(1, { RGB(5, 6, 7), kBlue, kRed, kWhite, kGreen }));
    t.list.Add(MakeTemplate(0, { kBlack, RGB(250, 128, 3), kBlack, kWhite, kRed }));
    ColorTemplateArray source;
    AppendColorTemplateCopies(source.m_templates, t.list);
    ColorStripList strips;
    ExpandColorTemplates(source, strips);
    ColorTemplateArrayEx strip;
    for (INT_PTR i = 0; i < strips.GetSize(); ++i)
        for (INT_PTR j = 0; j < strips[i]->m_stops.GetSize(); ++j)
            strip.m_stops.Add(ColorTemplateEx::Clone(strips[i]->m_stops[j]));
    FreeColorStrips(strips);

    const std::vector<COLORREF> reference = DrawEverything(t.list, strip);
    std::vector<COLORREF> first, second;
    std::thread a([&] { first = DrawEverything(t.list, strip); });
    std::thread b([&] { second = DrawEverything(t.list, strip); });
    a.join();
    b.join();
    EXPECT_TRUE(first == reference);
    EXPECT_TRUE(second == reference);
}
