// The horizontal colourful-words effects: cell drawing, moving in and out,
// typing, dropping, scrolling, flashing and the scattered fragments.
#include "colorful_words_effects.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

CRect ClipOf(CDC* pDC)
{
    CRect clip(0, 0, 0, 0);
    pDC->GetClipBox(&clip);
    return clip;
}

int CeilQuotient(int numerator, int denominator)
{
    return static_cast<int>(std::ceil(static_cast<float>(numerator) / static_cast<float>(denominator)));
}

// Block side of the fragment effects: a tenth of the text height, rounded up.
int FragmentUnit(const CRect& text)
{
    return CeilQuotient(text.Height(), 10);
}

// Stretches cell i of the text image to (x, y), dw wide.
void StretchCell(CDC* pView, CDC* pText, const CRect& text, const WordsLayout& layout, int i, int x, int y)
{
    pView->StretchBlt(x, y, layout.displayWidth, text.Height(), pText, text.left + i * layout.cellWidth, text.top,
        layout.cellWidth, text.Height(), SRCCOPY);
}

// Cells [from, to) with cell 0 at (x, y), skipping those far outside the view.
int DrawCellRange(CDC* pView, CDC* pText, const ProgramColorFulWords& program, int x, int y, int from, int to)
{
    const int n = program.m_text.GetLength();
    if (n == 0 || pView == nullptr || pText == nullptr)
        return 0;
    const CRect view = ClipOf(pView);
    const CRect text = ClipOf(pText);
    const WordsLayout layout = HorizontalWordsLayout(view, text, program);
    for (int i = std::max(from, 0); i < std::min(to, n); ++i) {
        const int xi = x + i * layout.step;
        if (xi >= view.left - layout.cellWidth && xi <= view.right + layout.cellWidth)
            StretchCell(pView, pText, text, layout, i, xi, y);
    }
    return 1;
}

// Cell k - 1 at its column, somewhere between y0 and y1.
void DrawFallingCell(
    CDC* pView, CDC* pText, const ProgramColorFulWords& program, int x, int k, int y0, int y1, int per, int f)
{
    const int n = program.m_text.GetLength();
    // Only an existing cell can fall, and only over a fall of some frames.
    if (k < 1 || k > n || per <= 0)
        return;
    const CRect view = ClipOf(pView);
    const CRect text = ClipOf(pText);
    const WordsLayout layout = HorizontalWordsLayout(view, text, program);
    const int i = k - 1;
    StretchCell(pView, pText, text, layout, i, x + i * layout.step, y0 + (y1 - y0) * f / per);
}

int ClampToInt(double value)
{
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(value);
}

// Copies block columns [0, cols) and rows [0, rows) of the text image to
// random places of the area, the generator seeded with the area's width.
void Scatter(CDC* pView, CDC* pText, int size, CRect area, int cols, int rows)
{
    const CRect view = ClipOf(pView);
    const CRect text = ClipOf(pText);
    if (area.IsRectEmpty())
        return;
    CRect meet;
    if (!meet.IntersectRect(&area, &view))
        return;
    if (view.Width() < text.Width())
        area.right = view.right;
    if (view.Height() < text.Height())
        area.bottom = view.bottom;
    if (area.Width() <= 0 || area.Height() <= 0)
        return;
    std::srand(static_cast<unsigned>(area.right - area.left));
    for (int x = text.left; x < text.left + cols; x += size) {
        const int rx = std::rand() % area.Width();
        for (int y = text.top; y < text.top + rows; y += size)
            pView->BitBlt(area.left + rx, area.top + std::rand() % area.Height(), size, size, pText, x, y, SRCCOPY);
    }
}

} // namespace

WordsLayout HorizontalWordsLayout(const CRect& view, const CRect& text, const ProgramColorFulWords& program)
{
    WordsLayout layout;
    const int n = program.m_text.GetLength();
    if (n == 0)
        return layout;
    const int width = program.m_textWidth;
    const int space = program.m_textSpacing;
    layout.cellWidth = text.Width() / n;
    layout.displayWidth = layout.cellWidth * width / 100;
    layout.step = layout.displayWidth + space;
    layout.textWidth = text.Width() * width / 100 + n * space;
    layout.restX
        = layout.textWidth < view.right - view.left ? (view.right - layout.textWidth - view.left) / 2 : view.left;
    layout.restY = (text.top + view.bottom - text.bottom - view.top) / 2;
    return layout;
}

int DrawWordCells(CDC* pView, CDC* pText, const ProgramColorFulWords& program, int x, int y)
{
    return DrawCellRange(pView, pText, program, x, y, 0, INT_MAX);
}

int DrawFirstWordCells(CDC* pView, CDC* pText, const ProgramColorFulWords& program, int x, int y, int count)
{
    return DrawCellRange(pView, pText, program, x, y, 0, count);
}

int DrawWordCellsFrom(CDC* pView, CDC* pText, const ProgramColorFulWords& program, int x, int y, int first)
{
    return DrawCellRange(pView, pText, program, x, y, first, INT_MAX);
}

int DrawWordsDropIn(
    CDC* pView, CDC* pText, const ProgramColorFulWords& program, int x, int y, int k, int y0, int y1, int per, int f)
{
    if (DrawFirstWordCells(pView, pText, program, x, y, k - 1) == 0)
        return 0;
    DrawFallingCell(pView, pText, program, x, k, y0, y1, per, f);
    return 1;
}

int DrawWordsDropOut(
    CDC* pView, CDC* pText, const ProgramColorFulWords& program, int x, int y, int k, int y0, int y1, int per, int f)
{
    if (DrawWordCellsFrom(pView, pText, program, x, y, k) == 0)
        return 0;
    DrawFallingCell(pView, pText, program, x, k, y0, y1, per, f);
    return 1;
}

int ScatterFragmentsIn(
    CDC* pView, CDC* pText, int blockSize, const ProgramColorFulWords& program, const CRect& area, int h, int frame)
{
    if (program.m_text.IsEmpty() || pView == nullptr || pText == nullptr)
        return 0;
    const int ef = program.m_enterFrames;
    if (blockSize <= 0 || ef <= 0)
        return 1;
    const CRect text = ClipOf(pText);
    const int cols = blockSize * (frame * (h / blockSize) / ef);
    const int rows = blockSize * (frame * (text.Height() / blockSize) / ef);
    Scatter(pView, pText, blockSize, area, cols, rows);
    return 1;
}

int ScatterFragmentsOut(CDC* pView, CDC* pText, int blockSize, const ProgramColorFulWords& program, const CRect& area,
    int h, int leaveFrame)
{
    if (program.m_text.IsEmpty() || pView == nullptr || pText == nullptr)
        return 0;
    const int lf = program.m_leaveFrames;
    if (blockSize <= 0 || lf <= 0)
        return 1;
    const CRect text = ClipOf(pText);
    const int cols = blockSize * ((h / blockSize) * (lf - leaveFrame) / lf);
    const int rows = blockSize * ((text.Height() / blockSize) * (lf - leaveFrame) / lf);
    Scatter(pView, pText, blockSize, area, cols, rows);
    return 1;
}

int DrawWordsEnter(CDC* pView, CDC* pText, const ProgramColorFulWords& program, int frame)
{
    const int n = program.m_text.GetLength();
    if (n == 0 || pView == nullptr || pText == nullptr)
        return 0;
    const int ef = program.m_enterFrames;
    if (ef <= 0)
        return 1;
    const CRect view = ClipOf(pView);
    const CRect text = ClipOf(pText);
    const WordsLayout layout = HorizontalWordsLayout(view, text, program);
    const int t = layout.restX;
    const int yc = layout.restY;
    switch (program.m_enterEffect) {
    case WORDS_EFFECT_MOVE:
        DrawWordCells(pView, pText, program, view.right - frame * (view.right - view.left - t) / ef - view.left, yc);
        break;
    case WORDS_EFFECT_TYPING: {
        const int per = CeilQuotient(ef, n);
        DrawFirstWordCells(pView, pText, program, t, yc, CeilQuotient(frame, per));
        break;
    }
    case WORDS_EFFECT_DROP: {
        const int per = CeilQuotient(ef, n);
        const int k = CeilQuotient(frame, per);
        if (k != 0)
            DrawWordsDropIn(pView, pText, program, t, yc, k, text.top + view.top - text.bottom, yc, per, frame % per);
        break;
    }
    case WORDS_EFFECT_FRAGMENTS_SMALL:
    case WORDS_EFFECT_FRAGMENTS_MEDIUM:
    case WORDS_EFFECT_FRAGMENTS_LARGE: {
        const int effect = program.m_enterEffect;
        const int size = FragmentUnit(text) * (effect == 4 ? 1 : effect == 5 ? 2 : 4);
        int g = effect == 6 ? (text.top + view.bottom - text.bottom - view.top) / 3 - view.top : yc - view.top;
        g = std::max(g, 0);
        const int dx = frame * std::max<int>(t - view.left, 0) / ef;
        const int dy = frame * g / ef;
        const CRect area(view.left + dx, view.top + dy, view.right - dx, view.bottom - dy);
        const int h = text.Width() < view.right - t - view.left ? text.Width() : view.right - view.left;
        if (!area.IsRectEmpty())
            ScatterFragmentsIn(pView, pText, size, program, area, h, frame);
        break;
    }
    default:
        break;
    }
    return 1;
}

int DrawWordsShow(CDC* pView, CDC* pText, const ProgramColorFulWords& program, int frame)
{
    if (program.m_text.IsEmpty() || pView == nullptr || pText == nullptr)
        return 0;
    const WordsLayout layout = HorizontalWordsLayout(ClipOf(pView), ClipOf(pText), program);
    const int effect = program.m_showWordEffect;
    if (effect == WORDS_SHOW_STILL || (effect == WORDS_SHOW_FLASH && (frame - program.m_enterFrames) % 4 == 0))
        DrawWordCells(pView, pText, program, layout.restX, layout.restY);
    return 1;
}

int DrawWordsScroll(CDC* pText, CDC* pView, const ProgramColorFulWords& program, int frame)
{
    const int n = program.m_text.GetLength();
    if (n == 0 || pView == nullptr || pText == nullptr)
        return 0;
    // A program without a pass has nowhere to scroll to.
    if (program.m_orgFrames == 0)
        return 1;
    const CRect view = ClipOf(pView);
    const CRect text = ClipOf(pText);
    const WordsLayout layout = HorizontalWordsLayout(view, text, program);
    const int travel = text.Width() * program.m_textWidth / 100 + (text.Width() / n) / 2 + n * program.m_textSpacing
        - view.left + view.right;
    const float distance = static_cast<float>(travel) * static_cast<float>(static_cast<unsigned>(frame))
        / static_cast<float>(static_cast<unsigned>(program.m_orgFrames));
    const double x = static_cast<double>(view.right) - std::ceil(static_cast<double>(distance)) - view.left;
    DrawWordCells(pView, pText, program, ClampToInt(x), layout.restY);
    return 1;
}

int DrawWordsLeave(CDC* pView, CDC* pText, const ProgramColorFulWords& program, int frame)
{
    const int n = program.m_text.GetLength();
    if (n == 0 || pView == nullptr || pText == nullptr)
        return 0;
    const int lf = program.m_leaveFrames;
    if (lf <= 0)
        return 1;
    const CRect view = ClipOf(pView);
    const CRect text = ClipOf(pText);
    const WordsLayout layout = HorizontalWordsLayout(view, text, program);
    const int t = layout.restX;
    const int yc = layout.restY;
    const int a = frame - program.m_enterFrames - program.m_showWordFrames;
    switch (program.m_leaveEffect) {
    case WORDS_EFFECT_MOVE:
        DrawWordCells(pView, pText, program, t - (layout.textWidth + t) * a / lf, yc);
        break;
    case WORDS_EFFECT_TYPING: {
        const int per = CeilQuotient(lf, n);
        DrawWordCellsFrom(pView, pText, program, t, yc, CeilQuotient(a, per));
        break;
    }
    case WORDS_EFFECT_DROP: {
        const int per = CeilQuotient(lf, n);
        DrawWordsDropOut(pView, pText, program, t, yc, CeilQuotient(a + 1, per), yc, view.bottom, per, a % per);
        break;
    }
    case WORDS_EFFECT_FRAGMENTS_SMALL:
    case WORDS_EFFECT_FRAGMENTS_MEDIUM:
    case WORDS_EFFECT_FRAGMENTS_LARGE: {
        const int effect = program.m_leaveEffect;
        const int size = FragmentUnit(text) * (effect - 3);
        const int mx = std::max<int>(t - view.left, 0);
        const int my = std::max<int>(yc - view.top, 0);
        const int dx = mx * a / lf;
        const int dy = my * a / lf;
        const CRect area(view.left - dx, view.top - dy, view.right + dx, view.bottom + dy);
        const int h = text.Width() < view.right - t - view.left ? text.Width() : view.right - view.left;
        if (!area.IsRectEmpty())
            ScatterFragmentsOut(pView, pText, size, program, area, h, a);
        break;
    }
    default:
        break;
    }
    return 1;
}
