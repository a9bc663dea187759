// The text pieces of the colourful-words renderer with a real font
// (WenQuanYi Micro Hei, non-antialiased: its CJK glyph sizes the cells and its
// Latin glyphs fit in them): the extent, and the plain, mask and outline glyph
// drawings. Glyph shapes are the platform's, so the checks are structural:
// which pixels are lit, in which colours, in which cell, and how the drawings
// relate to each other (a mask is the plain glyphs moved, an outline is the
// union of shifted glyphs).
#include "words_test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

using enginetest::Canvas;
using namespace wordstest;

namespace {

const COLORREF kInk = RGB(255, 255, 0);
const COLORREF kRing = RGB(0, 200, 0);
const COLORREF kPrefill = RGB(1, 2, 3);

// Extent of U+4F60 in the font, measured the way the renderer must.
CSize Glyph(const LOGFONTW& font)
{
    LOGFONTW copy = font;
    copy.lfQuality = NONANTIALIASED_QUALITY;
    const HFONT hFont = ::CreateFontIndirectW(&copy);
    const HDC screen = ::GetDC(nullptr);
    const HGDIOBJ old = ::SelectObject(screen, hFont);
    SIZE size {};
    const wchar_t wide = 0x4F60;
    ::GetTextExtentPoint32W(screen, &wide, 1, &size);
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(hFont);
    return CSize(size.cx, size.cy);
}

// Width of one character in the font.
int OwnWidth(const LOGFONTW& font, wchar_t ch)
{
    LOGFONTW copy = font;
    copy.lfQuality = NONANTIALIASED_QUALITY;
    const HFONT hFont = ::CreateFontIndirectW(&copy);
    const HDC dc = ::CreateCompatibleDC(nullptr);
    const HGDIOBJ old = ::SelectObject(dc, hFont);
    SIZE size {};
    ::GetTextExtentPoint32W(dc, &ch, 1, &size);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(hFont);
    return size.cx;
}

// The plain glyphs of the text in an image of its extent.
std::unique_ptr<Canvas> Plain(
    const wchar_t* text, const LOGFONTW& font, int stroke, bool vertical = false, BOOL reverse = FALSE)
{
    const CSize size
        = vertical ? GetWordsTextExtentVertical(font, text, stroke) : GetWordsTextExtent(font, text, stroke);
    auto canvas = std::make_unique<Canvas>(size.cx, size.cy);
    if (vertical)
        DrawWordsPlainVertical(text, font, stroke, kInk, reverse, kBackground, canvas->dc());
    else
        DrawWordsPlain(text, font, stroke, kInk, reverse, kBackground, canvas->dc());
    return canvas;
}

class WordsText : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(HasFace(L"WenQuanYi Micro Hei")) << "the test font is not installed"; }
};

TEST_F(WordsText, ExtentCountsOneWideCellPerCharacterPlusTheStroke)
{
    const LOGFONTW font = Font(-24);
    const CSize g = Glyph(font);
    ASSERT_GT(g.cx, 0);
    ASSERT_GT(g.cy, 0);
    EXPECT_EQ(GetWordsTextExtent(font, L"ABC", 0), CSize(3 * g.cx, g.cy));
    EXPECT_EQ(GetWordsTextExtent(font, L"iii", 2), CSize(3 * (g.cx + 4), g.cy + 4));
    EXPECT_EQ(GetWordsTextExtentVertical(font, L"ABC", 2), CSize(g.cx + 4, 3 * (g.cy + 4)));
    EXPECT_EQ(GetWordsTextExtent(font, L"", 2), CSize(10, 10));
    EXPECT_EQ(GetWordsTextExtentVertical(font, L"", 0), CSize(10, 10));
}

TEST_F(WordsText, StrokeWidthCountsOnlyWithAnOutline)
{
    auto words = MakeWords(L"ABC");
    struct Case {
        int type, width, stroke;
    };
    const Case cases[] = { { 0, 2, 0 }, { 1, 2, 2 }, { 2, 3, 3 }, { 1, 0, 0 } };
    for (const Case& c : cases) {
        words->m_strokeType = c.type;
        words->m_strokeWidth = c.width;
        EXPECT_EQ(WordsStrokeWidth(*words), c.stroke) << c.type << " " << c.width;
    }
}

TEST_F(WordsText, PlainGlyphsAreOneColourAndSitInTheirCells)
{
    const int heights[] = { -16, -24 };
    for (int height : heights) {
        const LOGFONTW font = Font(height);
        const auto image = Plain(L"AAA", font, 2);
        const int cell = image->width / 3;
        // Exactly two colours: no antialiased edge pixels.
        const PixelSet ink = PixelsOf(*image, kInk);
        ASSERT_FALSE(ink.empty());
        EXPECT_EQ(ink.size() + PixelsOf(*image, kBackground).size(), static_cast<size_t>(image->width * image->height));
        // Every character in its own cell, the same glyph one cell further on.
        std::array<PixelSet, 3> cells;
        for (const auto& p : ink)
            cells[static_cast<size_t>(p.first / cell)].insert(p);
        EXPECT_EQ(Shifted(cells[0], cell, 0), cells[1]) << height;
        EXPECT_EQ(Shifted(cells[0], 2 * cell, 0), cells[2]) << height;
        EXPECT_GE(BoundsOf(cells[0]).left, 2) << height; // drawn from the stroke inset
    }
}

TEST_F(WordsText, TallFontsAreDrawnOnePixelHigher)
{
    // A text drawn at y = s - 1 for fonts above 20 pixels: compare with the
    // glyphs a plain TextOut puts at y = s.
    const LOGFONTW font = Font(-24);
    const auto image = Plain(L"H", font, 3);
    Canvas reference(image->width, image->height, kBackground);
    LOGFONTW copy = font;
    copy.lfQuality = NONANTIALIASED_QUALITY;
    const HFONT hFont = ::CreateFontIndirectW(&copy);
    const HGDIOBJ old = reference.dc()->SelectObject(hFont);
    reference.dc()->SetBkMode(TRANSPARENT);
    reference.dc()->SetTextColor(kInk);
    reference.dc()->TextOut(3, 3, CString(L"H"));
    reference.dc()->SelectObject(old);
    ::DeleteObject(hFont);
    EXPECT_EQ(PixelsOf(*image, kInk), Shifted(PixelsOf(reference, kInk), 0, -1));
}

TEST_F(WordsText, ReverseDrawsTheCharactersBackwards)
{
    const LOGFONTW font = Font(-16);
    EXPECT_TRUE(SamePixels(*Plain(L"ABC", font, 1, false, TRUE), *Plain(L"CBA", font, 1)));
    EXPECT_TRUE(SamePixels(*Plain(L"ABC", font, 1, true, TRUE), *Plain(L"CBA", font, 1, true)));
    EXPECT_FALSE(SamePixels(*Plain(L"ABC", font, 1), *Plain(L"CBA", font, 1)));
}

TEST_F(WordsText, WhiteBackgroundIsNotFilledUnderAnOutline)
{
    const LOGFONTW font = Font(-16);
    const CSize size = GetWordsTextExtent(font, L"AB", 1);
    Canvas canvas(size.cx, size.cy, kPrefill);
    DrawWordsPlain(L"AB", font, 1, kInk, FALSE, kWhite, canvas.dc());
    EXPECT_TRUE(PixelsOf(canvas, kWhite).empty());
    EXPECT_FALSE(PixelsOf(canvas, kInk).empty());
    // Without an outline the white background is filled.
    DrawWordsPlain(L"AB", font, 0, kInk, FALSE, kWhite, canvas.dc());
    EXPECT_TRUE(PixelsOf(canvas, kPrefill).empty());
}

TEST_F(WordsText, MaskIsThePlainGlyphsInBlackOnePixelLeftUnderAStroke)
{
    const LOGFONTW font = Font(-16);
    for (int stroke : { 0, 2 }) {
        const auto plain = Plain(L"AgW", font, stroke);
        Canvas mask(plain->width, plain->height, kPrefill);
        EXPECT_EQ(DrawWordsMask(L"AgW", font, stroke, FALSE, mask.dc()), 1);
        // Nothing but black glyphs is drawn.
        EXPECT_EQ(PixelsOf(mask, kBlack).size() + PixelsOf(mask, kPrefill).size(),
            static_cast<size_t>(mask.width * mask.height));
        EXPECT_EQ(PixelsOf(mask, kBlack), Shifted(PixelsOf(*plain, kInk), stroke > 0 ? -1 : 0, 0)) << stroke;
    }
    // The vertical mask has no such shift.
    const auto plain = Plain(L"AgW", font, 2, true);
    Canvas mask(plain->width, plain->height, kPrefill);
    DrawWordsMaskVertical(L"AgW", font, 2, FALSE, mask.dc());
    EXPECT_EQ(PixelsOf(mask, kBlack), PixelsOf(*plain, kInk));
}

// The one-pixel outline, then the thickening: the union of the picture
// shifted 1 .. s - 1 pixels along each direction used, on a black start.
std::vector<COLORREF> ModelStroke(
    const PixelSet& glyph, int width, int height, int stroke, int type, COLORREF background)
{
    const int offsets[8][2] = { { 1, 0 }, { 1, 1 }, { 0, 1 }, { -1, 1 }, { -1, 0 }, { -1, -1 }, { 0, -1 }, { 1, -1 } };
    const int used = type == 2 ? 2 : 8;
    std::vector<COLORREF> picture(static_cast<size_t>(width * height), background);
    for (int o = 0; o < used; ++o)
        for (const auto& [x, y] : glyph) {
            const int px = x + offsets[o][0];
            const int py = y + offsets[o][1];
            if (px >= 0 && py >= 0 && px < width && py < height)
                picture[static_cast<size_t>(py * width + px)] = kRing;
        }
    if (stroke <= 1)
        return picture;
    std::vector<COLORREF> thick(picture.size(), kBlack);
    for (int o = 0; o < used; ++o)
        for (int k = 1; k < stroke; ++k)
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    const int tx = x + k * offsets[o][0];
                    const int ty = y + k * offsets[o][1];
                    if (tx >= 0 && ty >= 0 && tx < width && ty < height)
                        thick[static_cast<size_t>(ty * width + tx)] |= picture[static_cast<size_t>(y * width + x)];
                }
    return thick;
}

TEST_F(WordsText, OutlineIsTheUnionOfTheGlyphsShiftedAllRoundOrForAShadow)
{
    struct Case {
        int stroke, type;
        COLORREF background;
    };
    const Case cases[] = { { 1, 1, kBlack }, { 1, 2, kBackground }, { 3, 1, kBlack }, { 3, 2, RGB(128, 0, 0) },
        { 2, 1, kBackground } };
    for (const Case& c : cases) {
        for (int height : { -16, -24 }) {
            const LOGFONTW font = Font(height);
            const auto plain = Plain(L"Ox", font, c.stroke);
            Canvas stroke(plain->width, plain->height, kPrefill);
            DrawWordsStroke(L"Ox", c.stroke, c.type, c.background, kRing, FALSE, font, stroke.dc());
            const std::vector<COLORREF> expected
                = ModelStroke(PixelsOf(*plain, kInk), plain->width, plain->height, c.stroke, c.type, c.background);
            int differences = 0;
            for (int y = 0; y < stroke.height; ++y)
                for (int x = 0; x < stroke.width; ++x)
                    differences += stroke.At(x, y) != expected[static_cast<size_t>(y * stroke.width + x)];
            EXPECT_EQ(differences, 0) << c.stroke << " " << c.type << " " << height;
        }
    }
}

TEST_F(WordsText, VerticalCharactersStackDownTheColumn)
{
    // ASCII characters centred in the column, others at the stroke's inset;
    // each in its own row of cells (fonts up to 20 pixels have no y shift).
    const LOGFONTW font = Font(-16);
    const int stroke = 2;
    const wchar_t* column = L"Iw\x4F60";
    const auto image = Plain(column, font, stroke, true);
    const int cellHeight = image->height / 3;
    for (int i = 0; i < 3; ++i) {
        const wchar_t ch = column[i];
        const wchar_t single[2] = { ch, 0 };
        const auto alone = Plain(single, font, stroke); // at (s, s)
        const int x = ch < 128 ? (image->width - OwnWidth(font, ch)) / 2 : stroke;
        PixelSet inCell;
        for (const auto& p : PixelsOf(*image, kInk))
            if (p.second >= i * cellHeight && p.second < (i + 1) * cellHeight)
                inCell.insert(p);
        EXPECT_EQ(inCell, Shifted(PixelsOf(*alone, kInk), x - stroke, i * cellHeight)) << i;
    }
}

TEST_F(WordsText, EmptyTextsDrawNothing)
{
    const LOGFONTW font = Font(-16);
    Canvas canvas(20, 20, kPrefill);
    EXPECT_EQ(DrawWordsPlain(L"", font, 0, kInk, FALSE, kBackground, canvas.dc()), 0);
    EXPECT_EQ(DrawWordsPlainVertical(L"", font, 0, kInk, FALSE, kBackground, canvas.dc()), 0);
    EXPECT_EQ(DrawWordsMask(L"", font, 0, FALSE, canvas.dc()), 0);
    EXPECT_EQ(DrawWordsStroke(L"", 2, 1, kBackground, kRing, FALSE, font, canvas.dc()), 0);
    EXPECT_EQ(DrawWordsStrokeVertical(L"", 2, 1, kBackground, kRing, FALSE, font, canvas.dc()), 0);
    EXPECT_EQ(PixelsOf(canvas, kPrefill).size(), 400u);
}

} // namespace
