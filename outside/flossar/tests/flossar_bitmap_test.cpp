// Flossar draws bitmaps as shape fills: lossless bitmaps in the 32-bit and
// palette formats with and without alpha, JPEG with shared tables, whole
// JPEG (also behind the empty-image prefix some writers put first), JPEG
// with an alpha plane, clipped and tiled fills, and colour transforms.
#include "Flossar.h"
#include "JpegEncoder.h"
#include "canvas.h"
#include "swf_writer.h"

#include <gtest/gtest.h>

using namespace swftest;

namespace {

constexpr int kSide = 20; // bitmap pixels

// Top-left red, top-right green, bottom-left blue, bottom-right white.
std::vector<uint32_t> Quadrants(uint32_t bottomAlpha = 0xFF)
{
    std::vector<uint32_t> p;
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            const bool right = x >= kSide / 2;
            const bool bottom = y >= kSide / 2;
            const uint32_t rgb = !bottom ? (right ? 0x00FF00u : 0xFF0000u) : (right ? 0xFFFFFFu : 0x0000FFu);
            p.push_back(((bottom ? bottomAlpha : 0xFFu) << 24) | rgb);
        }
    return p;
}

Bytes QuadrantJpeg()
{
    clipgen::CJpegEncoder encoder;
    clipgen::Picture picture;
    picture.width = kSide;
    picture.height = kSide;
    for (uint32_t p : Quadrants())
        picture.pixels.push_back(p & 0xFFFFFF);
    return encoder.Encode(picture, 95);
}

// A 40 x 40 stage on black with a 40 x 40 px rectangle filled with bitmap 5
// scaled two times (clipped) or at its own size (tiled).
Bytes MovieWith(
    const std::vector<std::pair<int, Bytes>>& bitmapTags, bool tiled = false, const ColorTransform* cx = nullptr)
{
    Movie m(40, 40);
    m.Background(Color { 0, 0, 0 });
    for (const auto& [code, body] : bitmapTags)
        m.Tag(code, body);
    Shape s;
    s.Rect(0, 0, 800, 800, s.BitmapFill(5, tiled ? ScaleAt(20, 20, 0, 0) : ScaleAt(40, 40, 0, 0), tiled ? 0x42 : 0x43));
    m.Shape(1, s);
    Place p;
    p.charId = 1;
    if (cx != nullptr) {
        p.hasColorTransform = true;
        p.colorTransform = *cx;
    }
    m.Place(p);
    m.ShowFrame();
    return m.Fws();
}

Bytes WithId(uint16_t id, const Bytes& data)
{
    BitWriter w;
    w.U16(id);
    w.Append(data);
    return w.Data();
}

Bytes Jpeg3(uint16_t id, const Bytes& jpeg, const Bytes& alpha)
{
    BitWriter w;
    w.U16(id);
    w.U32(static_cast<uint32_t>(jpeg.size()));
    w.Append(jpeg);
    w.Append(Deflate(alpha));
    return w.Data();
}

struct Expect {
    COLORREF topLeft, topRight, bottomLeft, bottomRight;
};

void Check(const wchar_t* name, const Bytes& file, const Expect& e, int tolerance)
{
    Canvas canvas(40, 40);
    const int handle = SWFFileOpen(WriteTemp(name, file).c_str(), canvas.Dc(), 0, 0, 40, 40);
    ASSERT_GE(handle, 0) << name;
    SWFFileForward(handle);
    EXPECT_TRUE(Canvas::Near(e.topLeft, canvas.At(10, 10), tolerance)) << name << std::hex << " " << canvas.At(10, 10);
    EXPECT_TRUE(Canvas::Near(e.topRight, canvas.At(30, 10), tolerance)) << name << std::hex << " " << canvas.At(30, 10);
    EXPECT_TRUE(Canvas::Near(e.bottomLeft, canvas.At(10, 30), tolerance))
        << name << std::hex << " " << canvas.At(10, 30);
    EXPECT_TRUE(Canvas::Near(e.bottomRight, canvas.At(30, 30), tolerance))
        << name << std::hex << " " << canvas.At(30, 30);
    SWFFileClose(handle);
}

const COLORREF kR = RGB(255, 0, 0);
const COLORREF kG = RGB(0, 255, 0);
const COLORREF kB = RGB(0, 0, 255);
const COLORREF kW = RGB(255, 255, 255);
const COLORREF kK = RGB(0, 0, 0);

} // namespace

TEST(FlossarBitmap, LosslessBitmaps)
{
    struct Case {
        const wchar_t* name;
        int code;
        Bytes body;
        Expect expect;
    } cases[] = {
        { L"lossless32.swf", 20, LosslessBody(5, kSide, kSide, Quadrants(), false), { kR, kG, kB, kW } },
        { L"lossless_palette.swf", 20, LosslessPaletteBody(5, kSide, kSide, Quadrants(), false), { kR, kG, kB, kW } },
        { L"lossless15.swf", 20, Lossless15Body(5, kSide, kSide, Quadrants()), { kR, kG, kB, kW } },
        // The bottom half fully transparent: the black stage shows through.
        { L"lossless2_alpha.swf", 36, LosslessBody(5, kSide, kSide, Quadrants(0), true), { kR, kG, kK, kK } },
        { L"lossless2_palette.swf", 36, LosslessPaletteBody(5, kSide, kSide, Quadrants(0), true), { kR, kG, kK, kK } },
        // Half transparent white over black is grey.
        { L"lossless2_half.swf", 36, LosslessBody(5, kSide, kSide, Quadrants(0x80), true),
            { kR, kG, RGB(0, 0, 128), RGB(128, 128, 128) } },
    };
    for (const Case& c : cases)
        Check(c.name, MovieWith({ { c.code, c.body } }), c.expect, 3);
}

TEST(FlossarBitmap, JpegBitmaps)
{
    const Bytes jpeg = QuadrantJpeg();
    ASSERT_FALSE(jpeg.empty());
    Bytes tables;
    Bytes image;
    SplitJpeg(jpeg, tables, image);
    const Bytes prefixed = Bytes { 0xFF, 0xD9, 0xFF, 0xD8 } + jpeg;
    Bytes leftOpaque;
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            leftOpaque.push_back(x < kSide / 2 ? 255 : 0);
    struct Case {
        const wchar_t* name;
        std::vector<std::pair<int, Bytes>> tags;
        Expect expect;
    } cases[] = {
        { L"jpeg_tables.swf", { { 8, tables }, { 6, WithId(5, image) } }, { kR, kG, kB, kW } },
        { L"jpeg2.swf", { { 21, WithId(5, jpeg) } }, { kR, kG, kB, kW } },
        { L"jpeg2_prefixed.swf", { { 21, WithId(5, prefixed) } }, { kR, kG, kB, kW } },
        { L"jpeg3_alpha.swf", { { 35, Jpeg3(5, jpeg, leftOpaque) } }, { kR, kK, kB, kK } },
    };
    for (const Case& c : cases)
        Check(c.name, MovieWith(c.tags), c.expect, 40);
}

TEST(FlossarBitmap, TiledFillAndColourTransform)
{
    const Bytes body = LosslessBody(5, kSide, kSide, Quadrants(), false);
    Canvas canvas(40, 40);
    const int handle
        = SWFFileOpen(WriteTemp(L"tiled.swf", MovieWith({ { 20, body } }, true)).c_str(), canvas.Dc(), 0, 0, 40, 40);
    ASSERT_GE(handle, 0);
    SWFFileForward(handle);
    // The 20 pixel bitmap repeats at its own size.
    for (int y : { 5, 25 })
        for (int x : { 5, 25 }) {
            EXPECT_EQ(kR, canvas.At(x, y)) << x << "," << y;
            EXPECT_EQ(kG, canvas.At(x + 10, y)) << x << "," << y;
            EXPECT_EQ(kB, canvas.At(x, y + 10)) << x << "," << y;
        }
    SWFFileClose(handle);

    // Red and green swapped out by a colour transform: red channel off,
    // blue channel raised.
    ColorTransform cx;
    cx.mr = 0;
    cx.ab = 255;
    Check(L"tinted.swf", MovieWith({ { 20, body } }, false, &cx),
        { RGB(0, 0, 255), RGB(0, 255, 255), RGB(0, 0, 255), RGB(0, 255, 255) }, 3);
}
