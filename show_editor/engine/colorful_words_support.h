// Small owners the colourful-words renderer builds a frame with: a
// non-antialiased copy of the program's font selected into a device context,
// and a 32-bit image with its own memory device context.
#pragma once

#include <afx_gdi.h>

namespace wordsrender {

// A copy of the font with the quality forced to non-antialiased, so glyphs are
// one-colour masks; selected into the device context for the owner's life.
class CWordsFontSelection {
public:
    CWordsFontSelection(HDC hDC, const LOGFONTW& font);
    ~CWordsFontSelection();
    CWordsFontSelection(const CWordsFontSelection&) = delete;
    CWordsFontSelection& operator=(const CWordsFontSelection&) = delete;

private:
    HDC m_hDC = nullptr;
    HFONT m_font = nullptr;
    HGDIOBJ m_old = nullptr;
};

// A width x height 32-bit DIB section in a memory device context; all black
// at first. Empty (no device context) when the size is 0 or less or the
// bitmap cannot be made.
class CWordsImage {
public:
    CWordsImage(int width, int height);
    ~CWordsImage();
    CWordsImage(const CWordsImage&) = delete;
    CWordsImage& operator=(const CWordsImage&) = delete;

    bool IsValid() const { return m_bitmap != nullptr; }
    CDC* DC() { return &m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    CDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    int m_width = 0;
    int m_height = 0;
};

// The text, or its characters in reverse order.
CString WordsInOrder(const CString& text, BOOL reverse);

// 1 for fonts taller than 20 pixels: their glyphs are drawn one pixel higher.
int WordsYFix(const LOGFONTW& font);

} // namespace wordsrender
