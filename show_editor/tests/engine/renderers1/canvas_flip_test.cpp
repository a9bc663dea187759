// Canvas flips and half mirrors, pixel for pixel on small canvases whose
// pixels all differ.
#include "canvas_flip.h"
#include "../engine_test_support.h"

#include <gtest/gtest.h>

#include <vector>

using enginetest::Canvas;

namespace {

// Pixel (x, y) gets a colour of its own.
COLORREF Tag(int x, int y)
{
    return RGB(10 + 20 * x, 7 + 30 * y, 99);
}

void Paint(Canvas& canvas)
{
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x)
            canvas.dc()->SetPixelV(x, y, Tag(x, y));
}

// Which original column (row) each column (row) of the canvas shows; -1 when
// the pixel is no original one.
std::vector<int> Columns(const Canvas& canvas, int y)
{
    std::vector<int> result;
    for (int x = 0; x < canvas.width; ++x) {
        int found = -1;
        for (int c = 0; c < canvas.width; ++c)
            if (canvas.At(x, y) == Tag(c, y))
                found = c;
        result.push_back(found);
    }
    return result;
}

std::vector<int> Rows(const Canvas& canvas, int x)
{
    std::vector<int> result;
    for (int y = 0; y < canvas.height; ++y) {
        int found = -1;
        for (int r = 0; r < canvas.height; ++r)
            if (canvas.At(x, y) == Tag(x, r))
                found = r;
        result.push_back(found);
    }
    return result;
}

} // namespace

TEST(FlipCanvas, HorizontalAndVerticalMirrorThePicture)
{
    Canvas row(3, 1);
    Paint(row);
    EXPECT_EQ(FlipCanvasHorizontal(row.dc()), 1);
    EXPECT_EQ(Columns(row, 0), (std::vector<int> { 2, 1, 0 }));

    Canvas canvas(5, 4);
    Paint(canvas);
    FlipCanvasVertical(canvas.dc());
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(Rows(canvas, x), (std::vector<int> { 3, 2, 1, 0 })) << x;
    FlipCanvasHorizontal(canvas.dc());
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            ASSERT_EQ(canvas.At(x, y), Tag(4 - x, 3 - y)) << x << "," << y;

    Canvas single(1, 1);
    Paint(single);
    FlipCanvasHorizontal(single.dc());
    FlipCanvasVertical(single.dc());
    EXPECT_EQ(single.At(0, 0), Tag(0, 0));
    EXPECT_EQ(FlipCanvasHorizontal(nullptr), 1);
}

TEST(MirrorCanvas, HorizontalFlipsTheRightHalf)
{
    struct Case {
        int width;
        BOOL keepMiddle;
        std::vector<int> columns;
    };
    const Case cases[] = {
        { 5, TRUE, { 0, 1, 2, 4, 3 } },
        { 5, FALSE, { 0, 1, 4, 3, 2 } },
        { 4, TRUE, { 0, 1, 3, 2 } },
        { 4, FALSE, { 0, 1, 3, 2 } },
        { 1, TRUE, { 0 } },
        { 1, FALSE, { 0 } },
    };
    for (const Case& c : cases) {
        Canvas canvas(c.width, 3);
        Paint(canvas);
        EXPECT_EQ(MirrorCanvasHorizontal(nullptr, canvas.dc(), c.keepMiddle), 1);
        for (int y = 0; y < 3; ++y)
            EXPECT_EQ(Columns(canvas, y), c.columns) << c.width << " keep " << c.keepMiddle << " row " << y;
    }
}

TEST(MirrorCanvas, VerticalFlipsTheBottomHalf)
{
    struct Case {
        int height;
        BOOL keepMiddle;
        std::vector<int> rows;
    };
    const Case cases[] = {
        { 5, TRUE, { 0, 1, 2, 4, 3 } },
        { 5, FALSE, { 0, 1, 4, 3, 2 } },
        { 6, FALSE, { 0, 1, 2, 5, 4, 3 } },
    };
    for (const Case& c : cases) {
        Canvas canvas(2, c.height);
        Paint(canvas);
        EXPECT_EQ(MirrorCanvasVertical(nullptr, canvas.dc(), c.keepMiddle), 1);
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(Rows(canvas, x), c.rows) << c.height << " keep " << c.keepMiddle << " column " << x;
    }
}

TEST(MirrorCanvas, GivenRectangleOnlyAndEmptyMeansClipBox)
{
    Canvas canvas(8, 2);
    Paint(canvas);
    const CRect part(2, 0, 7, 2); // 5 wide: columns 2 .. 6
    MirrorCanvasHorizontal(&part, canvas.dc(), FALSE);
    EXPECT_EQ(Columns(canvas, 1), (std::vector<int> { 0, 1, 2, 3, 6, 5, 4, 7 }));

    Canvas whole(4, 2);
    Paint(whole);
    const CRect empty(3, 0, 3, 2);
    MirrorCanvasHorizontal(&empty, whole.dc(), TRUE);
    EXPECT_EQ(Columns(whole, 0), (std::vector<int> { 0, 1, 3, 2 }));
}

TEST(MirrorCanvas, ReleasesItsTemporaryObjects)
{
    Canvas canvas(9, 7);
    Paint(canvas);
    MirrorCanvasHorizontal(nullptr, canvas.dc(), TRUE);
    const DWORD before = enginetest::GdiObjectCount();
    for (int i = 0; i < 5; ++i) {
        MirrorCanvasHorizontal(nullptr, canvas.dc(), TRUE);
        MirrorCanvasVertical(nullptr, canvas.dc(), FALSE);
        FlipCanvasHorizontal(canvas.dc());
    }
    EXPECT_EQ(enginetest::GdiObjectCount(), before);
}
