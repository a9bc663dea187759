// The vertical colourful-words effects: the column of cells moving down or up
// into its resting place, standing or flashing, and moving out again.
#include "colorful_words_effects.h"

namespace {

CRect ClipOf(CDC* pDC)
{
    CRect clip(0, 0, 0, 0);
    pDC->GetClipBox(&clip);
    return clip;
}

bool CanDraw(CDC* pView, CDC* pText, const ProgramColorFulWords& program)
{
    return !program.m_text.IsEmpty() && pView != nullptr && pText != nullptr;
}

void StretchCell(CDC* pView, CDC* pText, const CRect& text, const WordsColumnLayout& layout, int i, int x, int y)
{
    pView->StretchBlt(x, y, layout.displayWidth, layout.cellHeight, pText, text.left, text.top + i * layout.cellHeight,
        text.Width(), layout.cellHeight, SRCCOPY);
}

} // namespace

WordsColumnLayout VerticalWordsLayout(const CRect& view, const CRect& text, const ProgramColorFulWords& program)
{
    WordsColumnLayout layout;
    const int n = program.m_text.GetLength();
    if (n == 0)
        return layout;
    layout.cellHeight = text.Height() / n;
    layout.displayWidth = text.Width() * program.m_textWidth / 100;
    layout.x = (view.right - view.left - layout.displayWidth) / 2;
    layout.textHeight = text.Height() + n * program.m_textSpacing;
    const bool fits = layout.textHeight < view.bottom - view.top;
    layout.restBottom = fits ? view.bottom - (view.bottom - view.top - layout.textHeight) / 2 : view.bottom;
    layout.restTop = fits ? view.top + (view.bottom - layout.textHeight - view.top) / 2 : view.top;
    return layout;
}

int DrawWordColumnUp(CDC* pView, CDC* pText, const ProgramColorFulWords& program, int x, int y)
{
    if (!CanDraw(pView, pText, program))
        return 0;
    if (y <= 0)
        return 1;
    const CRect view = ClipOf(pView);
    const CRect text = ClipOf(pText);
    const WordsColumnLayout layout = VerticalWordsLayout(view, text, program);
    for (int i = program.m_text.GetLength() - 1; i >= 0; --i) {
        y -= layout.cellHeight + program.m_textSpacing;
        if (y < view.bottom)
            StretchCell(pView, pText, text, layout, i, x, y);
        if (y < 1)
            break;
    }
    return 1;
}

int DrawWordColumnDown(CDC* pView, CDC* pText, const ProgramColorFulWords& program, int x, int y)
{
    if (!CanDraw(pView, pText, program))
        return 0;
    const CRect view = ClipOf(pView);
    if (y >= view.bottom)
        return 1;
    const CRect text = ClipOf(pText);
    const WordsColumnLayout layout = VerticalWordsLayout(view, text, program);
    const int n = program.m_text.GetLength();
    for (int i = 0; i < n; ++i) {
        if (y < view.bottom && view.top < y + 2 * layout.cellHeight)
            StretchCell(pView, pText, text, layout, i, x, y);
        y += layout.cellHeight + program.m_textSpacing;
        if (y >= view.bottom)
            break;
    }
    return 1;
}

int DrawWordsEnterVertical(CDC* pView, CDC* pText, const ProgramColorFulWords& program, int frame)
{
    if (!CanDraw(pView, pText, program))
        return 0;
    const int ef = program.m_enterFrames;
    if (ef <= 0)
        return 1;
    const CRect view = ClipOf(pView);
    const WordsColumnLayout layout = VerticalWordsLayout(view, ClipOf(pText), program);
    if (program.m_enterEffect == WORDS_EFFECT_MOVE_DOWN)
        DrawWordColumnUp(pView, pText, program, layout.x, frame * layout.restBottom / ef);
    else if (program.m_enterEffect == WORDS_EFFECT_MOVE_UP)
        DrawWordColumnDown(pView, pText, program, layout.x, view.bottom - frame * (view.bottom - layout.restTop) / ef);
    return 1;
}

int DrawWordsShowVertical(CDC* pView, CDC* pText, const ProgramColorFulWords& program, int frame)
{
    if (!CanDraw(pView, pText, program))
        return 0;
    const int effect = program.m_showWordEffect;
    const bool visible
        = effect == WORDS_SHOW_STILL || (effect == WORDS_SHOW_FLASH && (frame - program.m_enterFrames) % 4 == 0);
    if (!visible)
        return 1;
    const WordsColumnLayout layout = VerticalWordsLayout(ClipOf(pView), ClipOf(pText), program);
    // The column rests where its enter effect brought it.
    if (program.m_enterEffect == WORDS_EFFECT_MOVE_DOWN)
        DrawWordColumnUp(pView, pText, program, layout.x, layout.restBottom);
    else
        DrawWordColumnDown(pView, pText, program, layout.x, layout.restTop);
    return 1;
}

int DrawWordsLeaveVertical(CDC* pView, CDC* pText, const ProgramColorFulWords& program, int frame)
{
    if (!CanDraw(pView, pText, program))
        return 0;
    const int lf = program.m_leaveFrames;
    if (lf <= 0)
        return 1;
    const CRect view = ClipOf(pView);
    const WordsColumnLayout layout = VerticalWordsLayout(view, ClipOf(pText), program);
    const int a = frame - program.m_enterFrames - program.m_showWordFrames;
    const int g = layout.restBottom;
    const int d = layout.restTop;
    const int th = layout.textHeight;
    if (program.m_leaveEffect == WORDS_EFFECT_MOVE_DOWN) {
        DrawWordColumnUp(pView, pText, program, layout.x, g + (th + view.bottom - g) * a / lf);
    } else if (program.m_leaveEffect == WORDS_EFFECT_MOVE_UP) {
        const int y = a < lf - 1 ? d - (d + th - view.top) * a / lf : view.top - th;
        DrawWordColumnDown(pView, pText, program, layout.x, y);
    }
    return 1;
}
