// A frame of a colourful-words program: the text image (plain glyphs, or the
// texture cut into the glyphs by AND and OR steps, then the outline), the
// phase effect that places it in the view, and the final mirror.
#include "colorful_words_render.h"

#include "canvas_flip.h"
#include "color_animation_render.h"
#include "colorful_words_effects.h"
#include "colorful_words_support.h"

#include <cstdlib>

using namespace wordsrender;

namespace {

// Above this height a texture would be drawn at a needlessly large size: it is
// drawn for a 48-pixel text and stretched instead.
constexpr int kLargeFontHeight = 96;
constexpr int kTextureFontHeight = -48;

CRect ClipOf(CDC* pDC)
{
    CRect clip(0, 0, 0, 0);
    pDC->GetClipBox(&clip);
    return clip;
}

void FillBlack(CDC* pDC, const CRect& rect)
{
    pDC->FillSolidRect(&rect, RGB(0, 0, 0));
}

// The glyph drawings of one orientation.
struct WordsPrimitives {
    int (*plain)(const CString&, const LOGFONTW&, int, COLORREF, BOOL, COLORREF, CDC*);
    int (*mask)(const CString&, const LOGFONTW&, int, BOOL, CDC*);
    int (*stroke)(const CString&, int, int, COLORREF, COLORREF, BOOL, const LOGFONTW&, CDC*);
    CSize (*extent)(const LOGFONTW&, const CString&, int);
};

const WordsPrimitives kHorizontal = { DrawWordsPlain, DrawWordsMask, DrawWordsStroke, GetWordsTextExtent };
const WordsPrimitives kVertical
    = { DrawWordsPlainVertical, DrawWordsMaskVertical, DrawWordsStrokeVertical, GetWordsTextExtentVertical };

// Builds the finished glyphs over the background into the text image, with
// the work image for the raster steps.
void BuildTextImage(CCColorAnimationRender& renderer, const ProgramColorFulWords& program, int frame, int stroke,
    const WordsPrimitives& draw, CWordsImage& text, CWordsImage& work)
{
    const CRect all(0, 0, text.Width(), text.Height());
    const CString& words = program.m_text;
    const LOGFONTW& font = program.m_font;
    const BOOL reverse = program.m_reverse != 0;
    const COLORREF background = program.m_backgroundColor;
    if (program.m_useTextColor != 0) {
        draw.plain(words, font, stroke, program.m_textColor, reverse, background, text.DC());
    } else {
        const int textureFrame = program.m_textureSpeed != 0 ? frame : 1;
        DrawWordsTexture(words, font, stroke, textureFrame, program.m_pTexture, renderer, text.DC());
        // White glyphs over black cut the texture down to the glyphs.
        draw.plain(words, font, stroke, RGB(255, 255, 255), reverse, RGB(0, 0, 0), work.DC());
        text.DC()->BitBlt(0, 0, all.Width(), all.Height(), work.DC(), 0, 0, SRCAND);
        if (stroke == 0 || background == RGB(255, 255, 255))
            work.DC()->FillSolidRect(&all, background);
        draw.mask(words, font, stroke, reverse, work.DC());
        work.DC()->BitBlt(0, 0, all.Width(), all.Height(), text.DC(), 0, 0, SRCPAINT);
        text.DC()->BitBlt(0, 0, all.Width(), all.Height(), work.DC(), 0, 0, SRCCOPY);
    }
    if (stroke > 0) {
        draw.stroke(words, stroke, program.m_strokeType, background, program.m_strokeColor, reverse, font, work.DC());
        draw.mask(words, font, stroke, reverse, work.DC());
        work.DC()->BitBlt(0, 0, all.Width(), all.Height(), text.DC(), 0, 0, SRCPAINT);
        text.DC()->BitBlt(0, 0, all.Width(), all.Height(), work.DC(), 0, 0, SRCCOPY);
    }
}

// Horizontal placement by phase; show effect 1 scrolls on every frame.
void PlaceHorizontal(CDC* pDC, CDC* pText, const ProgramColorFulWords& program, int frame)
{
    if (program.m_showWordEffect == WORDS_SHOW_SCROLL) {
        DrawWordsScroll(pText, pDC, program, frame);
        return;
    }
    const int ef = program.m_enterFrames;
    const int sf = program.m_showWordFrames;
    // A phase of no frames is never entered, so no effect divides by it.
    if (ef > 0 && frame < ef)
        DrawWordsEnter(pDC, pText, program, frame);
    else if (frame >= ef && frame < ef + sf && sf > 0)
        DrawWordsShow(pDC, pText, program, frame);
    else if (frame >= ef + sf && frame < program.m_orgFrames && program.m_leaveFrames > 0)
        DrawWordsLeave(pDC, pText, program, frame);
}

void PlaceVertical(CDC* pDC, CDC* pText, const ProgramColorFulWords& program, int frame)
{
    const int ef = program.m_enterFrames;
    const int sf = program.m_showWordFrames;
    if (ef > 0 && frame < ef)
        DrawWordsEnterVertical(pDC, pText, program, frame);
    else if (frame >= ef && frame < ef + sf && sf > 0)
        DrawWordsShowVertical(pDC, pText, program, frame);
    else if (frame >= ef + sf && frame < program.m_orgFrames && program.m_leaveFrames > 0)
        DrawWordsLeaveVertical(pDC, pText, program, frame);
}

int DrawWords(CCColorAnimationRender& renderer, const ProgramColorFulWords& program, CDC* pDC, int frame, bool vertical)
{
    if (program.m_text.IsEmpty() || pDC == nullptr)
        return 0;
    const WordsPrimitives& draw = vertical ? kVertical : kHorizontal;
    const CRect view = ClipOf(pDC);
    const int stroke = WordsStrokeWidth(program);
    const CSize extent = draw.extent(program.m_font, program.m_text, stroke);
    FillBlack(pDC, view);
    {
        CWordsImage text(extent.cx, extent.cy);
        CWordsImage work(extent.cx, extent.cy);
        const bool built = text.IsValid() && work.IsValid();
        if (built)
            BuildTextImage(renderer, program, frame, stroke, draw, text, work);
        pDC->FillSolidRect(&view, program.m_backgroundColor);
        // A text too large for a bitmap leaves the view in the background.
        if (built) {
            // Cells are stretched pixel for pixel when the width percent is
            // not 100: no blending of glyph edges into the background.
            const int oldMode = pDC->SetStretchBltMode(COLORONCOLOR);
            if (vertical)
                PlaceVertical(pDC, text.DC(), program, frame);
            else
                PlaceHorizontal(pDC, text.DC(), program, frame);
            pDC->SetStretchBltMode(oldMode);
        }
    }
    if (program.m_mirror == 1)
        FlipCanvasHorizontal(pDC);
    else if (program.m_mirror == 2)
        FlipCanvasVertical(pDC);
    return 1;
}

} // namespace

int WordsTextureFrame(int frame, int textureSpeed, int texturePassFrames)
{
    int textureFrame = textureSpeed != 0 ? frame : 1;
    // A texture without a pass cannot be wrapped; it then plays on unwrapped.
    if (texturePassFrames > 0 && textureFrame > texturePassFrames)
        textureFrame %= texturePassFrames;
    return textureFrame;
}

int DrawWordsTexture(const CString& text, const LOGFONTW& font, int stroke, int frame,
    const ProgramColorEffect* texture, CCColorAnimationRender& renderer, CDC* pDC)
{
    if (texture == nullptr || pDC == nullptr)
        return 0;
    int textureFrame = WordsTextureFrame(frame, 1, texture->m_orgFrames);
    // The renderer replays its strip from frame 0: a frame before the start
    // shows the start rather than a replay of billions of frames.
    if (textureFrame < 0)
        textureFrame = 0;
    const UINT nFrame = static_cast<UINT>(textureFrame);
    if (std::abs(font.lfHeight) <= kLargeFontHeight)
        return renderer.RenderColorEffect(pDC, nFrame, *texture);

    LOGFONTW smaller = font;
    smaller.lfHeight = kTextureFontHeight;
    const CSize size = GetWordsTextExtent(smaller, text, stroke);
    CWordsImage small(size.cx, size.cy);
    if (!small.IsValid())
        return 0;
    const int result = renderer.RenderColorEffect(small.DC(), nFrame, *texture);
    const CRect clip = ClipOf(pDC);
    const int oldMode = pDC->SetStretchBltMode(COLORONCOLOR);
    pDC->StretchBlt(clip.left, clip.top, clip.Width(), clip.Height(), small.DC(), 0, 0, size.cx, size.cy, SRCCOPY);
    pDC->SetStretchBltMode(oldMode);
    return result;
}

int DrawWordsHorizontal(CCColorAnimationRender& renderer, const ProgramColorFulWords& program, CDC* pDC, int frame)
{
    return DrawWords(renderer, program, pDC, frame, false);
}

int DrawWordsVertical(CCColorAnimationRender& renderer, const ProgramColorFulWords& program, CDC* pDC, int frame)
{
    return DrawWords(renderer, program, pDC, frame, true);
}
