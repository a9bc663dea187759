// The shape colour styles: the gradient stops built from the strip window,
// worked out by hand, and the nested shapes they paint (structural checks:
// the path-gradient blend itself is GDI+'s).
#include "colour_test_util.h"
#include "shape_stops.h"

#include <gtest/gtest.h>

#include <vector>

using namespace colourtest;
using enginetest::Canvas;
using enginetest::Near;
using enginetest::Show;

namespace {

struct Stop {
    COLORREF color;
    float position;
};

void ExpectStops(const std::vector<ShapeStop>& actual, const std::vector<Stop>& expected, const char* what)
{
    ASSERT_EQ(actual.size(), expected.size()) << what;
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(actual[i].color, expected[i].color) << what << " stop " << i << ": " << Show(actual[i].color);
        EXPECT_EQ(actual[i].position, expected[i].position) << what << " stop " << i;
    }
}

void Render(Canvas& canvas, const ProgramColorEffect& effect, UINT frame)
{
    CCColorAnimationRender renderer;
    ASSERT_EQ(renderer.RenderColorEffect(canvas.dc(), frame, effect), 1);
}

} // namespace

TEST(ShapeStops, SolidStepsGiveTwoStopsPerBoundary)
{
    auto one = MakeEffect(COLOR_STYLE_RECTANGLE_EXPAND);
    AddTemplate(*one, ColorTemplate::CHANGE_SOLID, { D });
    ExpectStops(BuildShapeStops(one->m_templates, 0, 1, true), { { D, 0.0f }, { D, 1.0f } }, "one colour");

    auto ab = MakeEffect(COLOR_STYLE_RECTANGLE_EXPAND);
    AddTemplate(*ab, ColorTemplate::CHANGE_SOLID, { A, B });
    ExpectStops(BuildShapeStops(ab->m_templates, 0, 1, true), { { A, 0.0f }, { A, 1.0f } }, "forward at 0");
    ExpectStops(BuildShapeStops(ab->m_templates, 200, 1, true),
        { { A, 0.0f }, { A, 55.0f / 256 }, { B, 56.0f / 256 }, { B, 1.0f } }, "forward at 200");
    ExpectStops(BuildShapeStops(ab->m_templates, 200, 1, false),
        { { B, 0.0f }, { B, 199.0f / 256 }, { A, 200.0f / 256 }, { A, 1.0f } }, "backward at 200");
    // Two steps (a view up to 512 high): the window wraps to A after B.
    ExpectStops(BuildShapeStops(ab->m_templates, 300, 2, true),
        { { B, 0.0f }, { B, 211.0f / 512 }, { A, 212.0f / 512 }, { A, 467.0f / 512 }, { B, 468.0f / 512 },
            { B, 1.0f } },
        "forward, two steps");
    EXPECT_TRUE(BuildShapeStops(ProgramColorEffect().m_templates, 0, 1, true).empty());
}

TEST(ShapeStops, GradientWindowsGiveStopsAtEveryChange)
{
    auto effect = MakeAbc(COLOR_STYLE_RECTANGLE_EXPAND);
    const std::vector<ShapeStop> stops = BuildShapeStops(effect->m_templates, 10, 1, true);
    ASSERT_GE(stops.size(), 4u);
    EXPECT_EQ(stops.front().color, Abc(10));
    EXPECT_EQ(stops.front().position, 0.0f);
    EXPECT_EQ(stops.back().color, Abc(265));
    EXPECT_EQ(stops.back().position, 1.0f);
    for (size_t i = 1; i < stops.size(); ++i)
        EXPECT_LE(stops[i - 1].position, stops[i].position) << i;
    // Window pixel 1 (strip 11) differs from pixel 0: stops at 0/256 and 1/256.
    EXPECT_EQ(stops[1].color, Abc(10));
    EXPECT_EQ(stops[2].color, Abc(11));
    EXPECT_EQ(stops[2].position, 1.0f / 256);
}

TEST(ShapeStyles, OneColourFillsTheWholeView)
{
    for (int style = COLOR_STYLE_RECTANGLE_EXPAND; style <= COLOR_STYLE_DIAMOND_SHRINK; ++style) {
        auto effect = MakeEffect(style);
        AddTemplate(*effect, ColorTemplate::CHANGE_SOLID, { D });
        Canvas canvas(20, 10, kMarker);
        Render(canvas, *effect, 5);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 20; ++x)
                ASSERT_TRUE(Near(canvas.At(x, y), D, 2)) << style << " at " << x << "," << y << Show(canvas.At(x, y));
    }
}

TEST(ShapeStyles, ExpandShowsThePositionAtTheOutlineShrinkAtTheCentre)
{
    // Solid A then B from position 200 on a 40 x 20 view: forward stops turn
    // from A to B about a fifth of the way in from the outline.
    for (int style = COLOR_STYLE_RECTANGLE_EXPAND; style <= COLOR_STYLE_DIAMOND_SHRINK; ++style) {
        auto effect = MakeEffect(style);
        AddTemplate(*effect, ColorTemplate::CHANGE_SOLID, { A, B });
        Canvas canvas(40, 20, kMarker);
        Render(canvas, *effect, 200);
        const bool expand = style % 2 == 0;
        const COLORREF centre = canvas.At(20, 10);
        EXPECT_TRUE(Near(centre, expand ? B : A, 12)) << style << ": " << Show(centre);
        // Symmetric about the centre.
        EXPECT_TRUE(Near(canvas.At(3, 4), canvas.At(36, 15), 12)) << style;
        EXPECT_TRUE(Near(canvas.At(10, 2), canvas.At(29, 17), 12)) << style;
    }
    // Where the outline runs through the view, the outline colour shows there.
    const struct {
        int style;
        POINT edge;
        COLORREF color;
    } edges[] = {
        { COLOR_STYLE_RECTANGLE_EXPAND, { 0, 10 }, A },
        { COLOR_STYLE_RECTANGLE_SHRINK, { 0, 10 }, B },
        { COLOR_STYLE_DIAMOND_EXPAND, { 0, 0 }, A },
        { COLOR_STYLE_DIAMOND_SHRINK, { 39, 19 }, B },
    };
    for (const auto& e : edges) {
        auto effect = MakeEffect(e.style);
        AddTemplate(*effect, ColorTemplate::CHANGE_SOLID, { A, B });
        Canvas canvas(40, 20, kMarker);
        Render(canvas, *effect, 200);
        EXPECT_TRUE(Near(canvas.At(e.edge.x, e.edge.y), e.color, 12))
            << e.style << ": " << Show(canvas.At(e.edge.x, e.edge.y));
    }
}

TEST(ShapeStyles, AsThePositionGrowsTheColoursMove)
{
    // The later colour B takes more of the view as the position grows: from
    // the centre outward when expanding, from the outline inward when shrinking.
    auto countColor = [](const Canvas& canvas, COLORREF color) {
        int n = 0;
        for (int y = 0; y < canvas.height; ++y)
            for (int x = 0; x < canvas.width; ++x)
                n += Near(canvas.At(x, y), color, 12) ? 1 : 0;
        return n;
    };
    for (int style : { COLOR_STYLE_RECTANGLE_EXPAND, COLOR_STYLE_RECTANGLE_SHRINK, COLOR_STYLE_DIAMOND_EXPAND }) {
        auto effect = MakeEffect(style);
        AddTemplate(*effect, ColorTemplate::CHANGE_SOLID, { A, B });
        Canvas early(40, 20, kMarker);
        Canvas late(40, 20, kMarker);
        Render(early, *effect, 100);
        Render(late, *effect, 200);
        EXPECT_GT(countColor(late, B), countColor(early, B)) << style;
    }
}

TEST(ShapeStyles, RectangleGoldenOn8By4)
{
    // Stops A@0, A@55/256, B@56/256, B@1. A pixel's position is
    // 1 - max(|dx| / 4, |dy| / 2) from its centre to the view's middle:
    // only the outer columns stay below 55/256.
    auto effect = MakeEffect(COLOR_STYLE_RECTANGLE_EXPAND);
    AddTemplate(*effect, ColorTemplate::CHANGE_SOLID, { A, B });
    Canvas canvas(8, 4, kMarker);
    Render(canvas, *effect, 200);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(canvas.At(x, y), x == 0 || x == 7 ? A : B) << x << "," << y;

    // Shrinking: B@0, B@199/256, A@200/256, A@1; positions 0.125 (outer
    // columns), 0.25 (rows 0 and 3), 0.375, 0.625 and 0.75 (middle) are all B.
    effect->m_style = COLOR_STYLE_RECTANGLE_SHRINK;
    Render(canvas, *effect, 200);
    EXPECT_TRUE(AllPixels(canvas, B));
}

TEST(ShapeStyles, OutlinesOfA200By100View)
{
    // The gradient A, B, C from position 0: the colour at blend position t is
    // strip pixel t x 256 (expanding) or 255 - t x 256 (shrinking), so the
    // colour at the left middle pixel (0.5, 50.5) tells how far the outline is.
    struct Case {
        int style;
        double t; // blend position of pixel (0, 50)
    };
    const Case cases[] = {
        { COLOR_STYLE_RECTANGLE_EXPAND, 1 - 99.5 / 100 },
        { COLOR_STYLE_RECTANGLE_SHRINK, 1 - 99.5 / 100 },
        { COLOR_STYLE_CIRCLE_EXPAND, 1 - 99.5 / 150 }, // diameter 300 around (100, 50)
        { COLOR_STYLE_CIRCLE_SHRINK, 1 - 99.5 / 145 }, // ellipse 290 x 145 from (-45, -22)
        { COLOR_STYLE_DIAMOND_EXPAND, 1 - 99.5 / 200 }, // left corner (-100, 50)
        { COLOR_STYLE_DIAMOND_SHRINK, 1 - 99.5 / 200 },
    };
    for (const Case& c : cases) {
        auto effect = MakeAbc(c.style);
        Canvas canvas(200, 100, kMarker);
        Render(canvas, *effect, 0);
        const bool expand = c.style % 2 == 0;
        const int pixel = static_cast<int>(c.t * 256);
        const COLORREF expected = Abc(expand ? pixel : 255 - pixel);
        EXPECT_TRUE(Near(canvas.At(0, 50), expected, 3))
            << c.style << ": " << Show(canvas.At(0, 50)) << " expected " << Show(expected);
        // The middle shows the window's other end.
        EXPECT_TRUE(Near(canvas.At(100, 50), Abc(expand ? 255 : 0), 3)) << c.style << ": " << Show(canvas.At(100, 50));
    }
}
