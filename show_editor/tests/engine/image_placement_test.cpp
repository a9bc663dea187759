// Image files drawn in each placement (images made here with the GDI+
// encoders, larger and smaller than the target), the fitted rectangle, the
// constant-alpha blend and the text-size estimate.
#include "drawing_helpers.h"
#include "engine_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>

using enginetest::Canvas;
using enginetest::ImageFormat;
using enginetest::Near;
using enginetest::Quadrant;
using enginetest::Show;

namespace {

const COLORREF kMarker = RGB(1, 2, 3);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kYellow = RGB(255, 255, 0);

CString QuadrantImage(const wchar_t* name, int w, int h, ImageFormat format = ImageFormat::Png)
{
    return CString(
        enginetest::WriteImage(name, w, h, format, [w, h](int x, int y) { return Quadrant(x, y, w, h); }).c_str());
}

std::string Rect(const CRect& r)
{
    char text[64];
    std::snprintf(text, sizeof text, "(%ld, %ld, %ld, %ld)", r.left, r.top, r.right, r.bottom);
    return text;
}

// Expected colours at points of the canvas.
struct Probe {
    int x, y;
    COLORREF color;
};

void ExpectProbes(const Canvas& canvas, std::initializer_list<Probe> probes, int tolerance = 0)
{
    for (const Probe& p : probes)
        EXPECT_TRUE(Near(canvas.At(p.x, p.y), p.color, tolerance))
            << "(" << p.x << ", " << p.y << ") is " << Show(canvas.At(p.x, p.y)) << ", expected " << Show(p.color);
}

} // namespace

TEST(FitRectToImage, LargestRectangleOfTheImagesShape)
{
    struct Case {
        CRect rect;
        int iw, ih;
        CRect expected;
    } cases[] = {
        { CRect(0, 0, 200, 200), 400, 100, CRect(0, 75, 200, 125) }, // wider
        { CRect(0, 0, 200, 200), 100, 400, CRect(75, 0, 125, 200) }, // taller
        { CRect(0, 0, 200, 200), 200, 200, CRect(0, 0, 200, 200) }, // same shape
        { CRect(0, 0, 200, 100), 3, 1, CRect(0, 17, 200, 83) }, // g = 1 * (200 / 3) = 66
        { CRect(0, 0, 201, 100), 1, 1, CRect(50, 0, 150, 100) },
        // The filled axis starts at 0 whatever the origin; equal shapes keep it.
        { CRect(10, 10, 210, 210), 400, 100, CRect(0, 75, 200, 125) },
        { CRect(10, 10, 210, 210), 50, 50, CRect(10, 10, 210, 210) },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Rect(FitRectToImage(c.rect, c.iw, c.ih)), Rect(c.expected)) << c.iw << " x " << c.ih;
}

TEST(DrawImageInRect, CentredAtNaturalSize)
{
    // Larger than the target: 400 x 100 in 200 x 200 sits at x -100, y 50.
    const CString wide = QuadrantImage(L"wide.png", 400, 100);
    Canvas canvas(200, 200, kMarker);
    EXPECT_EQ(Rect(DrawImageInRect(canvas.dc(), IMAGE_CENTERED, wide)), Rect(CRect(0, 50, 200, 150)));
    ExpectProbes(canvas,
        {
            { 0, 50, kRed }, // image pixel (100, 0)
            { 99, 99, kRed }, // image (199, 49)
            { 100, 50, kGreen }, // image (200, 0)
            { 0, 100, kBlue }, // image (100, 50)
            { 199, 149, kYellow }, // image (299, 99)
            { 100, 49, kMarker },
            { 100, 150, kMarker },
        });

    // Smaller: 60 x 40 at (70, 80).
    const CString small = QuadrantImage(L"small.png", 60, 40);
    canvas.Fill(kMarker);
    EXPECT_EQ(Rect(DrawImageInRect(canvas.dc(), IMAGE_CENTERED, small)), Rect(CRect(70, 80, 130, 120)));
    ExpectProbes(canvas,
        {
            { 70, 80, kRed },
            { 99, 99, kRed },
            { 100, 80, kGreen },
            { 70, 100, kBlue },
            { 129, 119, kYellow },
            { 69, 100, kMarker },
            { 130, 100, kMarker },
            { 100, 79, kMarker },
            { 100, 120, kMarker },
        });
}

TEST(DrawImageInRect, FittedKeepsTheAspectRatio)
{
    const CString wide = QuadrantImage(L"fit_wide.png", 400, 100);
    Canvas canvas(200, 200, kMarker);
    EXPECT_EQ(Rect(DrawImageInRect(canvas.dc(), IMAGE_FITTED, wide)), Rect(CRect(0, 75, 200, 125)));
    ExpectProbes(canvas,
        {
            { 10, 80, kRed },
            { 190, 80, kGreen },
            { 10, 120, kBlue },
            { 190, 120, kYellow },
            { 100, 70, kMarker },
            { 100, 130, kMarker },
        });

    // Smaller and taller: 10 x 40 grows to 50 x 200 at x 75.
    const CString tall = QuadrantImage(L"fit_tall.png", 10, 40);
    canvas.Fill(kMarker);
    EXPECT_EQ(Rect(DrawImageInRect(canvas.dc(), IMAGE_FITTED, tall)), Rect(CRect(75, 0, 125, 200)));
    ExpectProbes(canvas,
        {
            { 80, 10, kRed },
            { 120, 10, kGreen },
            { 80, 190, kBlue },
            { 120, 190, kYellow },
            { 70, 100, kMarker },
            { 130, 100, kMarker },
        });

    const CString square = QuadrantImage(L"fit_square.png", 20, 20);
    canvas.Fill(kMarker);
    EXPECT_EQ(Rect(DrawImageInRect(canvas.dc(), IMAGE_FITTED, square)), Rect(CRect(0, 0, 200, 200)));
    // (Ten times enlarged: the outer pixels blend with the image's border.)
    ExpectProbes(canvas, { { 15, 15, kRed }, { 185, 185, kYellow }, { 185, 15, kGreen } });
}

TEST(DrawImageInRect, StretchedAndTiled)
{
    const CString small = QuadrantImage(L"stretch.png", 60, 40);
    Canvas canvas(200, 100, kMarker);
    EXPECT_EQ(Rect(DrawImageInRect(canvas.dc(), IMAGE_STRETCHED, small)), Rect(CRect(0, 0, 200, 100)));
    ExpectProbes(canvas, { { 5, 5, kRed }, { 194, 5, kGreen }, { 5, 94, kBlue }, { 194, 94, kYellow } });

    const CString large = QuadrantImage(L"shrink.png", 400, 300);
    canvas.Fill(kMarker);
    DrawImageInRect(canvas.dc(), IMAGE_STRETCHED, large);
    ExpectProbes(canvas, { { 5, 5, kRed }, { 194, 5, kGreen }, { 5, 94, kBlue }, { 194, 94, kYellow } });

    // Tiled from (0, 0): pixel (x, y) shows image pixel (x mod 60, y mod 40).
    canvas.Fill(kMarker);
    EXPECT_EQ(Rect(DrawImageInRect(canvas.dc(), IMAGE_TILED, small)), Rect(CRect(0, 0, 200, 100)));
    ExpectProbes(canvas,
        {
            { 65, 45, kRed }, // (5, 5)
            { 95, 65, kYellow }, // (35, 25)
            { 185, 5, kRed }, // (5, 5) of the fourth tile
            { 150, 90, kGreen }, // (30, 10)
            { 130, 70, kBlue }, // (10, 30)
        });
}

TEST(DrawImageInRect, EmptyMissingAndUnknown)
{
    Canvas canvas(50, 40, kMarker);
    EXPECT_TRUE(DrawImageInRect(canvas.dc(), IMAGE_CENTERED, L"").IsRectEmpty());
    ExpectProbes(canvas, { { 0, 0, RGB(0, 0, 0) }, { 49, 39, RGB(0, 0, 0) } });

    canvas.Fill(kMarker);
    EXPECT_EQ(Rect(DrawImageInRect(canvas.dc(), IMAGE_FITTED, L"C:\\no\\such\\image.png")), Rect(CRect(0, 0, 50, 40)));
    const CString image = QuadrantImage(L"unknown_mode.png", 10, 10);
    EXPECT_EQ(Rect(DrawImageInRect(canvas.dc(), 7, image)), Rect(CRect(0, 0, 50, 40)));
    ExpectProbes(canvas, { { 0, 0, kMarker }, { 25, 20, kMarker }, { 49, 39, kMarker } });
}

TEST(DrawImageFileToDC, EveryFormatStretchedOverTheClipBox)
{
    struct Format {
        ImageFormat format;
        const wchar_t* name;
        int tolerance;
    } formats[] = {
        { ImageFormat::Bmp, L"quad.bmp", 0 },
        { ImageFormat::Png, L"quad.png", 0 },
        { ImageFormat::Jpeg, L"quad.jpg", 40 },
        { ImageFormat::Gif, L"quad.gif", 8 },
    };
    for (const Format& f : formats) {
        SCOPED_TRACE(testing::Message() << CStringA(f.name).GetString());
        const CString path = QuadrantImage(f.name, 64, 48, f.format);
        Canvas canvas(128, 96, kMarker);
        DrawImageFileToDC(canvas.dc(), path);
        ExpectProbes(
            canvas, { { 20, 20, kRed }, { 108, 20, kGreen }, { 20, 76, kBlue }, { 108, 76, kYellow } }, f.tolerance);
        // Drawn through DrawImageInRect too, centred at natural size.
        canvas.Fill(kMarker);
        EXPECT_EQ(Rect(DrawImageInRect(canvas.dc(), IMAGE_CENTERED, path)), Rect(CRect(32, 24, 96, 72)));
        ExpectProbes(canvas, { { 40, 30, kRed }, { 88, 66, kYellow }, { 20, 20, kMarker } }, f.tolerance);
    }

    Canvas canvas(30, 20, kMarker);
    DrawImageFileToDC(canvas.dc(), L"C:\\no\\such\\image.bmp");
    ExpectProbes(canvas, { { 0, 0, kMarker }, { 29, 19, kMarker } });
    DrawImageFileToDC(canvas.dc(), L"");
    ExpectProbes(canvas, { { 0, 0, RGB(0, 0, 0) }, { 29, 19, RGB(0, 0, 0) } });
}

TEST(AlphaBlendDC, ConstantAlphaScaledOntoTheTarget)
{
    Canvas source(10, 10, RGB(200, 100, 0));
    for (auto [alpha, expected] : { std::pair { 255, RGB(200, 100, 0) }, std::pair { 0, RGB(0, 0, 200) },
             std::pair { 128, RGB(100, 50, 100) } }) {
        Canvas target(40, 40, RGB(0, 0, 200));
        AlphaBlendDC(alpha, source.dc(), target.dc(), 5, 5, 25, 25); // 10 x 10 scaled to 20 x 20
        ExpectProbes(target,
            { { 5, 5, expected }, { 24, 24, expected }, { 4, 4, RGB(0, 0, 200) }, { 25, 25, RGB(0, 0, 200) } }, 2);
    }
}

TEST(GetTextExtentForFont, OneWideCharacterPerCharacterPlusMargins)
{
    EXPECT_EQ(GetTextExtentForFont(L"", 5, LOGFONTW {}), CSize(10, 10));

    LOGFONTW font {};
    font.lfHeight = -20;
    wcscpy(font.lfFaceName, L"Tahoma");
    // The expected glyph size, measured the same way in a memory DC.
    LOGFONTW plain = font;
    plain.lfQuality = NONANTIALIASED_QUALITY;
    const HFONT hFont = ::CreateFontIndirectW(&plain);
    const HDC dc = ::CreateCompatibleDC(nullptr);
    const HGDIOBJ old = ::SelectObject(dc, hFont);
    SIZE glyph {};
    const wchar_t wide = 0x4F60;
    ::GetTextExtentPoint32W(dc, &wide, 1, &glyph);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(hFont);
    ASSERT_GT(glyph.cy, 0);

    const CSize expected((glyph.cx + 4) * 3, glyph.cy + 4);
    EXPECT_EQ(GetTextExtentForFont(L"abc", 2, font), expected);
    EXPECT_EQ(GetTextExtentForFont(L"iii", 2, font), expected); // the text's own glyphs are not measured
    EXPECT_EQ(GetTextExtentForFont(L"x", 0, font), CSize(glyph.cx, glyph.cy));
}
