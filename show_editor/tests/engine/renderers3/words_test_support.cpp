// Shared pieces of the colourful-words tests.
#include "words_test_support.h"

#include <algorithm>
#include <climits>
#include <cwchar>

using enginetest::Canvas;

namespace wordstest {

LOGFONTW Font(int height, const wchar_t* face)
{
    LOGFONTW font {};
    font.lfHeight = height;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = ANTIALIASED_QUALITY; // the renderer must override it
    std::wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return font;
}

std::unique_ptr<ProgramColorFulWords> MakeWords(const wchar_t* text, int height)
{
    auto words = std::make_unique<ProgramColorFulWords>();
    words->m_text = text;
    words->m_font = Font(height);
    words->m_backgroundColor = kBackground;
    words->m_textColor = RGB(255, 255, 0);
    words->m_useTextColor = 1;
    words->m_enterFrames = 0;
    words->m_showWordFrames = 100;
    words->m_leaveFrames = 0;
    words->m_orgFrames = 100;
    return words;
}

std::unique_ptr<Canvas> CellImage(int count, int cellWidth, int cellHeight, bool vertical)
{
    auto image = std::make_unique<Canvas>(
        vertical ? cellWidth : cellWidth * count, vertical ? cellHeight * count : cellHeight, kBlack);
    for (int i = 0; i < count; ++i) {
        if (vertical)
            image->dc()->FillSolidRect(0, i * cellHeight, cellWidth, cellHeight, kCells[i]);
        else
            image->dc()->FillSolidRect(i * cellWidth, 0, cellWidth, cellHeight, kCells[i]);
    }
    return image;
}

PixelSet PixelsOf(const Canvas& canvas, COLORREF color)
{
    PixelSet set;
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x)
            if (canvas.At(x, y) == color)
                set.insert({ x, y });
    return set;
}

PixelSet PixelsNot(const Canvas& canvas, COLORREF color)
{
    PixelSet set;
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x)
            if (canvas.At(x, y) != color)
                set.insert({ x, y });
    return set;
}

PixelSet Shifted(const PixelSet& set, int dx, int dy)
{
    PixelSet result;
    for (const auto& [x, y] : set)
        result.insert({ x + dx, y + dy });
    return result;
}

CRect BoundsOf(const PixelSet& set)
{
    if (set.empty())
        return CRect(0, 0, 0, 0);
    CRect box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (const auto& [x, y] : set) {
        box.left = std::min<int>(box.left, x);
        box.top = std::min<int>(box.top, y);
        box.right = std::max<int>(box.right, x + 1);
        box.bottom = std::max<int>(box.bottom, y + 1);
    }
    return box;
}

::testing::AssertionResult ColourCovers(const Canvas& canvas, COLORREF color, CRect expected)
{
    expected.IntersectRect(&expected, CRect(0, 0, canvas.width, canvas.height));
    const PixelSet set = PixelsOf(canvas, color);
    const CRect box = BoundsOf(set);
    const long long area = expected.IsRectEmpty() ? 0 : static_cast<long long>(expected.Width()) * expected.Height();
    if (static_cast<long long>(set.size()) == area && (area == 0 || box == expected))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << enginetest::Show(color) << " covers " << set.size() << " pixels in ("
                                         << box.left << ", " << box.top << ", " << box.right << ", " << box.bottom
                                         << "), expected (" << expected.left << ", " << expected.top << ", "
                                         << expected.right << ", " << expected.bottom << ")";
}

::testing::AssertionResult SamePixels(const Canvas& a, const Canvas& b)
{
    if (a.width != b.width || a.height != b.height)
        return ::testing::AssertionFailure() << "sizes differ";
    int differences = 0;
    int firstX = -1;
    int firstY = -1;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (a.At(x, y) != b.At(x, y)) {
                if (differences++ == 0) {
                    firstX = x;
                    firstY = y;
                }
            }
    if (differences == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differences << " pixels differ, first at (" << firstX << ", " << firstY
                                         << "): " << enginetest::Show(a.At(firstX, firstY)) << " against "
                                         << enginetest::Show(b.At(firstX, firstY));
}

bool HasFace(const wchar_t* face)
{
    const LOGFONTW font = Font(-16, face);
    const HFONT hFont = ::CreateFontIndirectW(&font);
    const HDC dc = ::CreateCompatibleDC(nullptr);
    const HGDIOBJ old = ::SelectObject(dc, hFont);
    wchar_t picked[LF_FACESIZE] = {};
    ::GetTextFaceW(dc, LF_FACESIZE, picked);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(hFont);
    return std::wcscmp(picked, face) == 0;
}

} // namespace wordstest
