// Text image pieces of the colourful-words renderer: the text extent, and the
// plain, mask and outline glyph drawings, horizontal and vertical.
#include "colorful_words_render.h"

#include "colorful_words_support.h"
#include "drawing_helpers.h"

#include <cstdlib>
#include <vector>

namespace wordsrender {

CWordsFontSelection::CWordsFontSelection(HDC hDC, const LOGFONTW& font)
    : m_hDC(hDC)
{
    LOGFONTW description = font;
    description.lfQuality = NONANTIALIASED_QUALITY;
    m_font = ::CreateFontIndirectW(&description);
    if (m_hDC != nullptr && m_font != nullptr)
        m_old = ::SelectObject(m_hDC, m_font);
}

CWordsFontSelection::~CWordsFontSelection()
{
    if (m_old != nullptr)
        ::SelectObject(m_hDC, m_old);
    if (m_font != nullptr)
        ::DeleteObject(m_font);
}

CWordsImage::CWordsImage(int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    if (!m_dc.CreateCompatibleDC(nullptr))
        return;
    m_bitmap = CreateDib32(width, height);
    if (m_bitmap == nullptr) {
        m_dc.DeleteDC();
        return;
    }
    m_old = ::SelectObject(m_dc, m_bitmap);
    m_width = width;
    m_height = height;
}

CWordsImage::~CWordsImage()
{
    if (m_bitmap == nullptr)
        return;
    ::SelectObject(m_dc, m_old);
    m_dc.DeleteDC();
    ::DeleteObject(m_bitmap);
}

CString WordsInOrder(const CString& text, BOOL reverse)
{
    if (!reverse)
        return text;
    CString reversed = text;
    reversed.MakeReverse();
    return reversed;
}

int WordsYFix(const LOGFONTW& font)
{
    return std::abs(font.lfHeight) > 20 ? 1 : 0;
}

} // namespace wordsrender

using namespace wordsrender;

namespace {

// The eight neighbours an outline is drawn at; a shadow uses the first two.
const POINT kStrokeOffsets[8]
    = { { 1, 0 }, { 1, 1 }, { 0, 1 }, { -1, 1 }, { -1, 0 }, { -1, -1 }, { 0, -1 }, { 1, -1 } };

int StrokeOffsetCount(int strokeType)
{
    return strokeType == 2 ? 2 : 8;
}

CRect ClipOf(CDC* pDC)
{
    CRect clip(0, 0, 0, 0);
    pDC->GetClipBox(&clip);
    return clip;
}

// The whole string in one call, every character advanced by one cell width.
void TextRow(CDC* pDC, int x, int y, const CString& text, int cellWidth)
{
    std::vector<INT> advances(static_cast<size_t>(text.GetLength()), cellWidth);
    // No rectangle is given, so nothing is filled behind the glyphs.
    ::ExtTextOutW(
        pDC->GetSafeHdc(), x, y, 0, nullptr, text.GetString(), static_cast<UINT>(text.GetLength()), advances.data());
}

// One character per cell down the column: ASCII characters centred in the
// column, every other character at the stroke's inset.
void TextColumn(CDC* pDC, const CRect& clip, int stroke, int dx, int dy, const CString& text)
{
    const int n = text.GetLength();
    const int cellHeight = clip.Height() / n;
    for (int i = 0; i < n; ++i) {
        const wchar_t ch = text[i];
        int x = stroke;
        if (ch < 128) {
            SIZE own {};
            ::GetTextExtentPoint32W(pDC->GetSafeHdc(), &ch, 1, &own);
            x = (clip.Width() - own.cx) / 2;
        }
        ::TextOutW(pDC->GetSafeHdc(), x + dx, stroke + i * cellHeight + dy, &ch, 1);
    }
}

// The plain glyphs, horizontal or vertical.
int DrawPlain(const CString& text, const LOGFONTW& font, int stroke, COLORREF textColor, BOOL reverse,
    COLORREF background, CDC* pDC, bool vertical)
{
    if (text.IsEmpty() || pDC == nullptr)
        return 0;
    const CString order = WordsInOrder(text, reverse);
    const CRect clip = ClipOf(pDC);
    if (!(background == RGB(255, 255, 255) && stroke != 0))
        pDC->FillSolidRect(&clip, background);
    const CWordsFontSelection selection(pDC->GetSafeHdc(), font);
    pDC->SetTextColor(textColor);
    pDC->SetBkMode(TRANSPARENT);
    if (vertical)
        TextColumn(pDC, clip, stroke, 0, 0, order);
    else
        TextRow(pDC, stroke, stroke - WordsYFix(font), order, clip.Width() / order.GetLength());
    return 1;
}

int DrawMask(const CString& text, const LOGFONTW& font, int stroke, BOOL reverse, CDC* pDC, bool vertical)
{
    if (text.IsEmpty() || pDC == nullptr)
        return 0;
    const CString order = WordsInOrder(text, reverse);
    const CRect clip = ClipOf(pDC);
    const CWordsFontSelection selection(pDC->GetSafeHdc(), font);
    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->SetBkMode(TRANSPARENT);
    if (vertical)
        TextColumn(pDC, clip, stroke, 0, 0, order);
    else
        TextRow(
            pDC, stroke > 0 ? stroke - 1 : stroke, stroke - WordsYFix(font), order, clip.Width() / order.GetLength());
    return 1;
}

// Widens the one-pixel outline to the stroke: the union of the picture
// shifted 1 .. stroke - 1 pixels along every outline direction. The picture
// itself is not part of the union, so where no shifted copy reaches the
// result is black.
void ThickenStroke(CDC* pDC, const CRect& clip, int stroke, int offsets)
{
    CWordsImage thick(clip.Width(), clip.Height());
    if (!thick.IsValid())
        return;
    for (int o = 0; o < offsets; ++o)
        for (int k = 1; k <= stroke - 1; ++k)
            thick.DC()->BitBlt(k * kStrokeOffsets[o].x, k * kStrokeOffsets[o].y, clip.Width(), clip.Height(), pDC,
                clip.left, clip.top, SRCPAINT);
    pDC->BitBlt(clip.left, clip.top, clip.Width(), clip.Height(), thick.DC(), 0, 0, SRCCOPY);
}

int DrawStroke(const CString& text, int stroke, int strokeType, COLORREF background, COLORREF strokeColor, BOOL reverse,
    const LOGFONTW& font, CDC* pDC, bool vertical)
{
    if (text.IsEmpty() || pDC == nullptr)
        return 0;
    const CString order = WordsInOrder(text, reverse);
    const CRect clip = ClipOf(pDC);
    pDC->FillSolidRect(&clip, background);
    const int offsets = StrokeOffsetCount(strokeType);
    {
        const CWordsFontSelection selection(pDC->GetSafeHdc(), font);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(strokeColor);
        const int yfix = WordsYFix(font);
        for (int o = 0; o < offsets; ++o) {
            const int dx = kStrokeOffsets[o].x;
            const int dy = kStrokeOffsets[o].y;
            if (vertical)
                TextColumn(pDC, clip, stroke, dx, dy, order);
            else
                TextRow(pDC, stroke + dx, stroke + dy - yfix, order, clip.Width() / order.GetLength());
        }
    }
    if (stroke > 1)
        ThickenStroke(pDC, clip, stroke, offsets);
    return 1;
}

// The extent of the glyph U+4F60 in the font, on a screen device context.
CSize CellGlyphExtent(const LOGFONTW& font)
{
    SIZE glyph {};
    const HDC screen = ::GetDC(nullptr);
    if (screen == nullptr)
        return CSize(0, 0);
    {
        const CWordsFontSelection selection(screen, font);
        const wchar_t wide = 0x4F60;
        ::GetTextExtentPoint32W(screen, &wide, 1, &glyph);
    }
    ::ReleaseDC(nullptr, screen);
    return CSize(glyph.cx, glyph.cy);
}

} // namespace

int WordsStrokeWidth(const ProgramColorFulWords& program)
{
    return program.m_strokeType != 0 ? program.m_strokeWidth : 0;
}

CSize GetWordsTextExtent(const LOGFONTW& font, const CString& text, int stroke)
{
    if (text.IsEmpty())
        return CSize(10, 10);
    const CSize g = CellGlyphExtent(font);
    return CSize((g.cx + 2 * stroke) * text.GetLength(), g.cy + 2 * stroke);
}

CSize GetWordsTextExtentVertical(const LOGFONTW& font, const CString& text, int stroke)
{
    if (text.IsEmpty())
        return CSize(10, 10);
    const CSize g = CellGlyphExtent(font);
    return CSize(g.cx + 2 * stroke, (g.cy + 2 * stroke) * text.GetLength());
}

int DrawWordsPlain(const CString& text, const LOGFONTW& font, int stroke, COLORREF textColor, BOOL reverse,
    COLORREF background, CDC* pDC)
{
    return DrawPlain(text, font, stroke, textColor, reverse, background, pDC, false);
}

int DrawWordsPlainVertical(const CString& text, const LOGFONTW& font, int stroke, COLORREF textColor, BOOL reverse,
    COLORREF background, CDC* pDC)
{
    return DrawPlain(text, font, stroke, textColor, reverse, background, pDC, true);
}

int DrawWordsMask(const CString& text, const LOGFONTW& font, int stroke, BOOL reverse, CDC* pDC)
{
    return DrawMask(text, font, stroke, reverse, pDC, false);
}

int DrawWordsMaskVertical(const CString& text, const LOGFONTW& font, int stroke, BOOL reverse, CDC* pDC)
{
    return DrawMask(text, font, stroke, reverse, pDC, true);
}

int DrawWordsStroke(const CString& text, int stroke, int strokeType, COLORREF background, COLORREF strokeColor,
    BOOL reverse, const LOGFONTW& font, CDC* pDC)
{
    return DrawStroke(text, stroke, strokeType, background, strokeColor, reverse, font, pDC, false);
}

int DrawWordsStrokeVertical(const CString& text, int stroke, int strokeType, COLORREF background, COLORREF strokeColor,
    BOOL reverse, const LOGFONTW& font, CDC* pDC)
{
    return DrawStroke(text, stroke, strokeType, background, strokeColor, reverse, font, pDC, true);
}
