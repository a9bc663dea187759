// Template expansion, colour mixing and strip painting, checked against
// pixel values worked out by hand.
#include "color_strips.h"
#include "engine_test_support.h"

#include <gtest/gtest.h>

#include <memory>

using enginetest::Canvas;
using enginetest::Show;

namespace {

const COLORREF kMarker = RGB(1, 2, 3);

ColorTemplate* MakeTemplate(int mode, std::initializer_list<COLORREF> colors)
{
    auto* t = new ColorTemplate;
    t->m_changeMode = mode;
    for (COLORREF c : colors)
        t->m_colors.Add(c);
    return t;
}

ColorTemplateEx* MakeStop(int mode, int width, std::initializer_list<COLORREF> colors)
{
    auto* s = new ColorTemplateEx;
    s->m_mode = mode;
    s->m_width = width;
    for (COLORREF c : colors)
        s->m_colors.Add(c);
    return s;
}

// A = black, B = (64, 128, 255), C = red: channel steps that are easy to
// follow by hand.
const COLORREF A = RGB(0, 0, 0);
const COLORREF B = RGB(64, 128, 255);
const COLORREF C = RGB(255, 0, 0);

// Pixel j of the stop A->B, 32 wide: red 64j/32, green 128j/32, blue 255j/32.
COLORREF AB(int j)
{
    return RGB(2 * j, 4 * j, 255 * j / 32);
}
// Pixel j of the stop B->C: red 64 + 191j/32, green 128 - 4j, blue 255 - 255j/32.
COLORREF BC(int j)
{
    return RGB(64 + 191 * j / 32, 128 - 4 * j, 255 - 255 * j / 32);
}

} // namespace

TEST(ExpandColorTemplates, GradientAndSolidTemplatesGiveStopsOf32Pixels)
{
    ColorTemplateArray source;
    source.m_templates.Add(MakeTemplate(ColorTemplate::CHANGE_GRADIENT, { A, B, C }));
    source.m_templates.Add(MakeTemplate(ColorTemplate::CHANGE_SOLID, { A, B, C }));
    source.m_templates.Add(MakeTemplate(ColorTemplate::CHANGE_GRADIENT, { A }));
    source.m_templates.Add(MakeTemplate(7, { C, A })); // any mode but 1 is a gradient

    ColorStripList strips;
    strips.Add(new ColorTemplateArrayEx); // the destination is appended to, not cleared
    ExpandColorTemplates(source, strips);
    ASSERT_EQ(strips.GetSize(), 5);

    const ColorTemplateArrayEx* gradient = strips[1];
    ASSERT_EQ(gradient->m_stops.GetSize(), 2);
    EXPECT_EQ(gradient->GetTotalWidth(), 64);
    EXPECT_TRUE(gradient->m_name.IsEmpty());
    const COLORREF gradientPairs[2][2] = { { A, B }, { B, C } };
    for (int i = 0; i < 2; ++i) {
        const ColorTemplateEx* stop = gradient->m_stops[i];
        EXPECT_EQ(stop->m_mode, 0);
        EXPECT_EQ(stop->m_width, 32);
        ASSERT_EQ(stop->m_colors.GetSize(), 2);
        EXPECT_EQ(stop->m_colors[0], gradientPairs[i][0]);
        EXPECT_EQ(stop->m_colors[1], gradientPairs[i][1]);
    }

    const ColorTemplateArrayEx* solid = strips[2];
    ASSERT_EQ(solid->m_stops.GetSize(), 3);
    EXPECT_EQ(solid->GetTotalWidth(), 96);
    const COLORREF solidColors[3] = { A, B, C };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(solid->m_stops[i]->m_mode, 1);
        EXPECT_EQ(solid->m_stops[i]->m_width, 32);
        ASSERT_EQ(solid->m_stops[i]->m_colors.GetSize(), 1);
        EXPECT_EQ(solid->m_stops[i]->m_colors[0], solidColors[i]);
    }

    EXPECT_EQ(strips[3]->m_stops.GetSize(), 0); // one colour: no pair, no stop
    ASSERT_EQ(strips[4]->m_stops.GetSize(), 1);
    EXPECT_EQ(strips[4]->m_stops[0]->m_mode, 0);

    // Painting the empty strip sets no pixel.
    Canvas canvas(40, 1, kMarker);
    PaintColorStrip(0, canvas.dc(), *strips[3]);
    EXPECT_EQ(canvas.Row(), std::vector<COLORREF>(40, kMarker));
    FreeColorStrips(strips);
}

TEST(InterpolateColor, MixesChannelsTruncatingTowardZero)
{
    struct Case {
        COLORREF from, to;
        int step, steps;
        COLORREF expected;
    } cases[] = {
        // 255 + (-255 * 16) / 32 = 255 - 127 = 128; blue 255 * 16 / 32 = 127.
        { RGB(255, 0, 0), RGB(0, 0, 255), 16, 32, RGB(128, 0, 127) },
        { RGB(255, 0, 0), RGB(0, 0, 255), 0, 32, RGB(255, 0, 0) },
        { RGB(255, 0, 0), RGB(0, 0, 255), 32, 32, RGB(0, 0, 255) },
        // 255 - 85 = 170 and 0 + 85 = 85.
        { RGB(255, 0, 10), RGB(0, 255, 10), 1, 3, RGB(170, 85, 10) },
        // Past the end: 255 - 318 = -63 -> 193 and 318 -> 62 in 8 bits.
        { RGB(255, 0, 0), RGB(0, 0, 255), 40, 32, RGB(193, 0, 62) },
        // The high byte of the inputs never reaches the result.
        { 0xFF000000 | RGB(10, 20, 30), RGB(10, 20, 30), 1, 2, RGB(10, 20, 30) },
        // Zero steps cannot divide: the from colour.
        { RGB(9, 8, 7), RGB(200, 200, 200), 5, 0, RGB(9, 8, 7) },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Show(InterpolateColor(c.from, c.to, c.step, c.steps)), Show(c.expected))
            << "step " << c.step << "/" << c.steps;
}

TEST(PaintColorStrip, ExpandedGradientStripFromX10)
{
    ColorTemplateArray source;
    source.m_templates.Add(MakeTemplate(ColorTemplate::CHANGE_GRADIENT, { A, B, C }));
    ColorStripList strips;
    ExpandColorTemplates(source, strips);

    Canvas canvas(100, 1, kMarker);
    PaintColorStrip(10, canvas.dc(), *strips[0]);
    std::vector<COLORREF> expected(100, kMarker);
    for (int j = 0; j < 32; ++j) {
        expected[10 + j] = AB(j);
        expected[42 + j] = BC(j);
    }
    const std::vector<COLORREF> row = canvas.Row();
    for (int x = 0; x < 100; ++x)
        EXPECT_EQ(Show(row[x]), Show(expected[x])) << "x " << x;
    EXPECT_EQ(row[10], A);
    EXPECT_EQ(row[42], B);
    EXPECT_EQ(row[73], RGB(249, 4, 8)); // one 32nd short of C
    FreeColorStrips(strips);
}

TEST(PaintColorStrip, StopsOfEveryShape)
{
    ColorTemplateArrayEx strip;
    strip.m_stops.Add(MakeStop(1, 3, { C, B })); // solid: first colour only
    strip.m_stops.Add(MakeStop(1, 0, { B })); // width 0 paints nothing
    strip.m_stops.Add(MakeStop(0, -4, { B, C })); // nor does a negative width
    strip.m_stops.Add(MakeStop(1, 2, {})); // no colour: black
    strip.m_stops.Add(MakeStop(0, 4, { RGB(200, 100, 40) })); // no second colour: toward black
    strip.m_stops.Add(MakeStop(5, 2, { RGB(0, 0, 0), RGB(100, 100, 100) }));

    Canvas canvas(16, 1, kMarker);
    PaintColorStrip(0, canvas.dc(), strip);
    const std::vector<COLORREF> expected = {
        C,
        C,
        C, // solid
        A,
        A, // black
        RGB(200, 100, 40),
        RGB(150, 75, 30),
        RGB(100, 50, 20),
        RGB(50, 25, 10), // 200 - 200j/4 ...
        RGB(0, 0, 0),
        RGB(50, 50, 50), // mode 5 is a gradient
        kMarker,
        kMarker,
        kMarker,
        kMarker,
        kMarker,
    };
    const std::vector<COLORREF> row = canvas.Row();
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(Show(row[x]), Show(expected[x])) << "x " << x;
}

TEST(PaintColorStrip, ClippedByTheDeviceContext)
{
    ColorTemplateArrayEx strip;
    strip.m_stops.Add(MakeStop(0, 32, { A, B }));
    strip.m_stops.Add(MakeStop(1, 1000000000, { C })); // far past the bitmap

    // Started left of the bitmap: pixel 0 shows strip pixel 16.
    Canvas canvas(40, 1, kMarker);
    PaintColorStrip(-16, canvas.dc(), strip);
    std::vector<COLORREF> row = canvas.Row();
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(Show(row[x]), Show(AB(16 + x))) << "x " << x;
    for (int x = 16; x < 40; ++x)
        EXPECT_EQ(row[x], C) << "x " << x;

    // A clip rectangle keeps everything outside it as it was.
    canvas.Fill(kMarker);
    canvas.dc()->IntersectClipRect(5, 0, 9, 1);
    PaintColorStrip(0, canvas.dc(), strip);
    row = canvas.Row();
    for (int x = 0; x < 40; ++x)
        EXPECT_EQ(Show(row[x]), Show(x >= 5 && x < 9 ? AB(x) : kMarker)) << "x " << x;
}

TEST(PaintColorStrip, FollowsTheLogicalCoordinatesOfTheDC)
{
    ColorTemplateArrayEx strip;
    strip.m_stops.Add(MakeStop(0, 32, { A, B }));

    // A moved viewport origin: logical x 0 is device x 5.
    Canvas moved(40, 1, kMarker);
    ::SetViewportOrgEx(moved.dc()->GetSafeHdc(), 5, 0, nullptr);
    PaintColorStrip(0, moved.dc(), strip);
    // A world transform: pixels are set one by one through it.
    Canvas transformed(40, 1, kMarker);
    const HDC hdc = transformed.dc()->GetSafeHdc();
    ::SetGraphicsMode(hdc, GM_ADVANCED);
    XFORM shift = { 1.0f, 0.0f, 0.0f, 1.0f, 3.0f, 0.0f };
    ::SetWorldTransform(hdc, &shift);
    PaintColorStrip(0, transformed.dc(), strip);

    for (int x = 0; x < 40; ++x) {
        EXPECT_EQ(Show(moved.At(x, 0)), Show(x >= 5 && x < 37 ? AB(x - 5) : kMarker)) << "x " << x;
        EXPECT_EQ(Show(transformed.At(x, 0)), Show(x >= 3 && x < 35 ? AB(x - 3) : kMarker)) << "x " << x;
    }
}

TEST(PaintColorStrip, PaintsOnlyRowZero)
{
    ColorTemplateArrayEx strip;
    strip.m_stops.Add(MakeStop(1, 8, { C }));
    Canvas canvas(8, 3, kMarker);
    PaintColorStrip(0, canvas.dc(), strip);
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(canvas.At(x, 0), C);
        EXPECT_EQ(canvas.At(x, 1), kMarker);
        EXPECT_EQ(canvas.At(x, 2), kMarker);
    }
    PaintColorStrip(0, nullptr, strip); // no DC: nothing to do
}
