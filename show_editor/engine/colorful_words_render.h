// The colourful-words renderer: builds the text image of a colourful-words
// program for one frame (glyphs in a colour or filled with a texture colour
// effect, with an optional outline or shadow), fills the view with the
// background, lets the enter, show or leave effect place the image, and
// mirrors the finished view. Every frame is built from the program alone.
//
// Text is drawn with GDI from non-antialiased copies of the program's font,
// so the AND and OR raster steps that cut the texture into the glyphs stay
// exact. User-interface thread only; the mirror and the texture need GDI+
// started.
#pragma once

#include "program_colorful_words.h"

#include <afx_gdi.h>

class CCColorAnimationRender;

// Draw frame N of the program over the clip box of the device context,
// horizontally or vertically laid out. Return 0 for an empty text (nothing
// drawn), else 1. The renderer paints the texture effect.
int DrawWordsHorizontal(CCColorAnimationRender& renderer, const ProgramColorFulWords& program, CDC* pDC, int frame);
int DrawWordsVertical(CCColorAnimationRender& renderer, const ProgramColorFulWords& program, CDC* pDC, int frame);

// The outline width when the program draws an outline or a shadow, else 0.
int WordsStrokeWidth(const ProgramColorFulWords& program);

// Size of the text image: every character cell is sized from the glyph
// U+4F60 of the font (non-antialiased) plus the stroke on each side; cells
// side by side (horizontal) or stacked (vertical). 10 x 10 for an empty text.
CSize GetWordsTextExtent(const LOGFONTW& font, const CString& text, int stroke);
CSize GetWordsTextExtentVertical(const LOGFONTW& font, const CString& text, int stroke);

// Text primitives. Each draws into the clip box of the device context, puts
// every character in its own cell, draws the characters in reverse order when
// reverse is set, and returns 0 without drawing for an empty text, else 1.
//
// Glyphs in the text colour, over the background (the background is not
// filled when it is white and the stroke is not 0).
int DrawWordsPlain(const CString& text, const LOGFONTW& font, int stroke, COLORREF textColor, BOOL reverse,
    COLORREF background, CDC* pDC);
int DrawWordsPlainVertical(const CString& text, const LOGFONTW& font, int stroke, COLORREF textColor, BOOL reverse,
    COLORREF background, CDC* pDC);
// Black glyphs and nothing else. The horizontal mask sits one pixel left of
// the plain glyphs when the stroke is positive.
int DrawWordsMask(const CString& text, const LOGFONTW& font, int stroke, BOOL reverse, CDC* pDC);
int DrawWordsMaskVertical(const CString& text, const LOGFONTW& font, int stroke, BOOL reverse, CDC* pDC);
// The outline (type 1, all round) or shadow (type 2, right and lower right)
// in the outline colour over the background, thickened to the stroke width.
int DrawWordsStroke(const CString& text, int stroke, int strokeType, COLORREF background, COLORREF strokeColor,
    BOOL reverse, const LOGFONTW& font, CDC* pDC);
int DrawWordsStrokeVertical(const CString& text, int stroke, int strokeType, COLORREF background, COLORREF strokeColor,
    BOOL reverse, const LOGFONTW& font, CDC* pDC);

// Paints frame `frame` of the texture effect over the whole clip box (wrapped
// into the effect's pass when it runs past it). Fonts taller than 96 pixels
// get a texture drawn at the size of a 48-pixel text and stretched. Returns
// what the renderer returns, 0 without a texture.
int DrawWordsTexture(const CString& text, const LOGFONTW& font, int stroke, int frame,
    const ProgramColorEffect* texture, CCColorAnimationRender& renderer, CDC* pDC);

// The frame of the texture effect that program frame N shows: N while the
// texture runs (speed not 0), 1 when it stands still; wrapped into the
// texture's pass when it exceeds it.
int WordsTextureFrame(int frame, int textureSpeed, int texturePassFrames);
