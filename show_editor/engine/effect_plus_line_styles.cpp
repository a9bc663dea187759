// Zazez Urad line and scrolling styles: colour change and flash, straight
// scrolls and the scrolls that part or meet at the centre, diagonal bands with
// their half and quadrant forms, random streaks and interlaced scrolls.
//
// The scroll, diagonal and streak fills lay the colour line down piece by
// piece from the entry edge exactly as the pieces fall, into a memory surface
// that then replaces the canvas; the composite styles put those pictures
// together with stretches, flips and mirrors of the device contexts.
#include "canvas_flip.h"
#include "effect_plus_styles.h"
#include "effect_plus_support.h"

#include <algorithm>
#include <vector>

using namespace effectplus;

namespace {

// The pieces of a scroll along positions [0, length): the entry coordinate,
// the coordinate of the span's far end and the span's length. Pieces that
// fall outside the span but on the canvas are kept, as drawn.
std::vector<DWORD> ScrollPositions(
    const CColorLine& line, UINT frame, long long entry, long long farEnd, long long span, int length)
{
    std::vector<DWORD> positions(static_cast<size_t>(std::max(length, 0)), 0u);
    const long long W = line.Width();
    long long n = frame / W;
    long long t = frame % W;
    if (n * W > span)
        n = CeilDiv(span, W);
    long long x = entry;
    while (x > farEnd) {
        x -= t;
        const long long first = std::max(0LL, -x);
        const long long last = std::min(t, static_cast<long long>(length) - x);
        for (long long j = first; j < last; ++j)
            positions[static_cast<size_t>(x + j)] = line.Pixel(j);
        if (n < 1)
            break;
        --n;
        t = W;
    }
    return positions;
}

void MoveHorizontal(CDC* pDC, const CColorLine& line, UINT frame, bool half)
{
    const CSize size = CanvasSize(pDC);
    CPlusSurface image(size.cx, size.cy);
    if (!image.IsValid())
        return;
    if (!line.IsEmpty()) {
        const int w = size.cx;
        const int span = half ? w / 2 : w;
        const std::vector<DWORD> columns = ScrollPositions(line, frame, w, w - span, span, w);
        for (int y = 0; y < size.cy; ++y)
            std::copy(columns.begin(), columns.end(), image.Row(y));
    }
    PutSurface(pDC, image);
}

void MoveVertical(CDC* pDC, const CColorLine& line, UINT frame, bool half)
{
    const CSize size = CanvasSize(pDC);
    CPlusSurface image(size.cx, size.cy);
    if (!image.IsValid())
        return;
    if (!line.IsEmpty()) {
        const int h = size.cy;
        const int span = half ? h / 2 : h;
        // Drawn as the horizontal fill turned a quarter: positions are rows,
        // counted down from the entry at the bottom of the span.
        const std::vector<DWORD> rows = ScrollPositions(line, frame, span, 0, span, h);
        for (int y = 0; y < h; ++y) {
            DWORD* row = image.Row(y);
            std::fill(row, row + size.cx, rows[static_cast<size_t>(y)]);
        }
    }
    PutSurface(pDC, image);
}

// The piece loop of the diagonal and streak fills: calls draw(x, t) for each
// piece, with the stop rule that lets one more full copy follow a piece that
// ends exactly at x = 1.
template <class Draw> void LayPieces(const CColorLine& line, UINT frame, long long distance, Draw draw)
{
    const long long W = line.Width();
    long long n = frame / W;
    long long t = frame % W;
    if (n * W > distance)
        n = CeilDiv(distance, W);
    long long x = distance;
    for (;;) {
        x -= t;
        draw(x, t);
        if (x != 1 && n < 1)
            break;
        if (n > 0)
            --n;
        if (x < 0)
            break;
        t = W;
    }
}

// Line pixels 0 .. t - 1 at columns start .. start + t - 1 of one row.
void PutRun(DWORD* row, int width, const CColorLine& line, long long start, long long t)
{
    const long long first = std::max(0LL, -start);
    const long long last = std::min(t, static_cast<long long>(width) - start);
    for (long long j = first; j < last; ++j)
        row[start + j] = line.Pixel(j);
}

void Diagonal(CDC* pDC, const CColorLine& line, UINT frame)
{
    const CSize size = CanvasSize(pDC);
    CPlusSurface image(size.cx, size.cy);
    if (!image.IsValid())
        return;
    if (!line.IsEmpty()) {
        const int w = size.cx;
        const int h = size.cy;
        LayPieces(line, frame, static_cast<long long>(w) + h, [&](long long x, long long t) {
            for (int y = 0; y < h; ++y)
                PutRun(image.Row(y), w, line, x - y, t);
        });
    }
    PutSurface(pDC, image);
}

// Offset of streak i: table[i mod 1000] x M / 1000.
long long StreakOffset(const CEffectPlusRender& renderer, int i, int maxStop)
{
    return static_cast<long long>(renderer.RandomValue(i % CEffectPlusRender::kRandomTableSize)) * maxStop / 1000;
}

void Streaks(CDC* pDC, const CColorLine& line, UINT frame, const CEffectPlusRender& renderer, bool vertical)
{
    const CSize size = CanvasSize(pDC);
    CPlusSurface image(size.cx, size.cy);
    if (!image.IsValid())
        return;
    if (!line.IsEmpty()) {
        const int w = size.cx;
        const int h = size.cy;
        const int M = line.MaxStopWidth();
        if (!vertical) {
            LayPieces(line, frame, static_cast<long long>(w) + M, [&](long long x, long long t) {
                for (int i = 0; i < h; i += 3)
                    PutRun(image.Row(i), w, line, x - StreakOffset(renderer, i, M), t);
            });
        } else {
            // The horizontal form turned a quarter: streak i is the column at
            // distance i from the right edge, its positions are rows.
            LayPieces(line, frame, static_cast<long long>(h) + M, [&](long long x, long long t) {
                for (int i = 0; i < w; i += 3) {
                    const int column = w - 1 - i;
                    const long long start = x - StreakOffset(renderer, i, M);
                    const long long first = std::max(0LL, -start);
                    const long long last = std::min(t, static_cast<long long>(h) - start);
                    for (long long j = first; j < last; ++j)
                        image.Row(static_cast<int>(start + j))[column] = line.Pixel(j);
                }
            });
        }
    }
    PutSurface(pDC, image);
}

// The diagonal quadrants: Q (w/2 x h/2) holds the diagonal fill, placed in
// the top-left and top-right quarters, mirrored across and then down.
void Quadrants(CDC* pDC, const CColorLine& line, UINT frame, bool inward)
{
    FillBlack(pDC);
    const CSize size = CanvasSize(pDC);
    const int w = size.cx;
    const int h = size.cy;
    const int w2 = w / 2;
    const int h2 = h / 2;
    CPlusSurface quarter(w2, h2);
    if (!quarter.IsValid())
        return;
    Diagonal(quarter.DC(), line, frame);
    if (inward) {
        FlipCanvasHorizontal(quarter.DC());
        FlipCanvasVertical(quarter.DC());
    }
    StretchCopy(pDC, 0, 0, w2, h2, quarter.DC(), 0, 0, w2, h2);
    StretchCopy(pDC, w2, 0, w - w2, h2, quarter.DC(), 0, 0, w2, h2);
    MirrorCanvasHorizontal(nullptr, pDC, FALSE);
    StretchCopy(pDC, 0, h2, w, h - h2, pDC, 0, 0, w, h2);
    MirrorCanvasVertical(nullptr, pDC, FALSE);
}

// Codes 32 and 33: a w x h/2 diagonal fill on the top half, stretched onto
// the bottom half, which is then flipped.
void FanHorizontal(CDC* pDC, const CColorLine& line, UINT frame, bool fromLeft)
{
    FillBlack(pDC);
    const CSize size = CanvasSize(pDC);
    const int w = size.cx;
    const int h = size.cy;
    const int h2 = h / 2;
    CPlusSurface half(w, h2);
    if (!half.IsValid())
        return;
    Diagonal(half.DC(), line, frame);
    if (fromLeft)
        FlipCanvasHorizontal(half.DC());
    PutSurface(pDC, half);
    StretchCopy(pDC, 0, h2, w, h - h2, half.DC(), 0, 0, w, h2);
    MirrorCanvasVertical(nullptr, pDC, FALSE);
}

// Codes 34 and 35: a w/2 x h diagonal fill on the left half, stretched onto
// the right half, which is then flipped.
void FanVertical(CDC* pDC, const CColorLine& line, UINT frame, bool fromTop)
{
    FillBlack(pDC);
    const CSize size = CanvasSize(pDC);
    const int w = size.cx;
    const int h = size.cy;
    const int w2 = w / 2;
    CPlusSurface half(w2, h);
    if (!half.IsValid())
        return;
    Diagonal(half.DC(), line, frame);
    if (fromTop)
        FlipCanvasVertical(half.DC());
    PutSurface(pDC, half);
    StretchCopy(pDC, w2, 0, w - w2, h, half.DC(), 0, 0, w2, h);
    MirrorCanvasHorizontal(nullptr, pDC, FALSE);
}

// Code 31: the quadrants, and once F passes h/2 the fans from the top and the
// bottom of the centre line laid over them where they are not black.
void QuadrantsWithFans(CDC* pDC, const CColorLine& line, UINT frame)
{
    Quadrants(pDC, line, frame, false);
    const CSize size = CanvasSize(pDC);
    const int w = size.cx;
    const int h = size.cy;
    const int h2 = h / 2;
    if (frame <= static_cast<UINT>(h2))
        return;
    CPlusSurface overlay(w, h);
    CPlusSurface half(w, h2);
    if (!overlay.IsValid() || !half.IsValid())
        return;
    const UINT later = frame - static_cast<UINT>(h2);
    FanVertical(half.DC(), line, later, true);
    ::GdiFlush();
    ::BitBlt(overlay.DC()->GetSafeHdc(), 0, 0, w, h2, half.DC()->GetSafeHdc(), 0, 0, SRCCOPY);
    FanVertical(half.DC(), line, later, false);
    ::GdiFlush();
    ::BitBlt(overlay.DC()->GetSafeHdc(), 0, h2, w, h2, half.DC()->GetSafeHdc(), 0, 0, SRCCOPY);

    CPlusSurface canvas(w, h);
    if (!canvas.IsValid())
        return;
    ::BitBlt(canvas.DC()->GetSafeHdc(), 0, 0, w, h, pDC->GetSafeHdc(), 0, 0, SRCCOPY);
    ::GdiFlush();
    for (int y = 0; y < h; ++y) {
        const DWORD* from = overlay.Row(y);
        DWORD* to = canvas.Row(y);
        for (int x = 0; x < w; ++x)
            if ((from[x] & 0x00FFFFFFu) != 0)
                to[x] = from[x];
    }
    PutSurface(pDC, canvas);
}

// Codes 37 and 38: two opposite scrolls, one on the even and one on the odd
// rows (columns), combined by a bitwise OR after the other lines are blacked.
void Interlaced(CDC* pDC, const CColorLine& line, UINT frame, bool columns)
{
    const CSize size = CanvasSize(pDC);
    const int w = size.cx;
    const int h = size.cy;
    CPlusSurface other(w, h);
    if (!other.IsValid())
        return;
    if (!columns) {
        MoveHorizontal(pDC, line, frame, false);
        FlipCanvasHorizontal(pDC); // code 5 on the canvas
        MoveHorizontal(other.DC(), line, frame, false); // code 4 on the other image
    } else {
        MoveVertical(pDC, line, frame, false);
        FlipCanvasVertical(pDC); // code 3 on the canvas
        MoveVertical(other.DC(), line, frame, false); // code 2 on the other image
    }
    const HBRUSH black = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    const int count = columns ? w : h;
    for (int i = 0; i < count; ++i) {
        const RECT lineRect = columns ? RECT { i, 0, i + 1, h } : RECT { 0, i, w, i + 1 };
        ::FillRect(i % 2 == 1 ? pDC->GetSafeHdc() : other.DC()->GetSafeHdc(), &lineRect, black);
    }
    ::GdiFlush();
    ::BitBlt(pDC->GetSafeHdc(), 0, 0, w, h, other.DC()->GetSafeHdc(), 0, 0, SRCPAINT);
}

void FillColor(CDC* pDC, COLORREF color)
{
    if (pDC == nullptr || pDC->GetSafeHdc() == nullptr)
        return;
    CRect clip(0, 0, 0, 0);
    pDC->GetClipBox(&clip);
    const HBRUSH brush = ::CreateSolidBrush(color);
    if (brush == nullptr)
        return;
    ::FillRect(pDC->GetSafeHdc(), &clip, brush);
    ::DeleteObject(brush);
}

} // namespace

void DrawPlusColorChange(CDC* pDC, const ProgramColorEffectPlus& item, UINT frame)
{
    const CColorLine line(item);
    FillColor(pDC, line.Color(frame));
}

void DrawPlusFlash(CDC* pDC, const ProgramColorEffectPlus& item, UINT frame)
{
    const CColorLine line(item);
    FillColor(pDC, frame % 2 == 1 ? line.Color(frame / 2) : RGB(0, 0, 0));
}

void DrawPlusMoveHorizontal(CDC* pDC, const ProgramColorEffectPlus& item, UINT frame, bool half)
{
    MoveHorizontal(pDC, CColorLine(item), frame, half);
}

void DrawPlusMoveVertical(CDC* pDC, const ProgramColorEffectPlus& item, UINT frame, bool half)
{
    MoveVertical(pDC, CColorLine(item), frame, half);
}

void DrawPlusDiagonal(CDC* pDC, const ProgramColorEffectPlus& item, UINT frame)
{
    Diagonal(pDC, CColorLine(item), frame);
}

void DrawPlusRandomStreaksHorizontal(
    CDC* pDC, const ProgramColorEffectPlus& item, UINT frame, const CEffectPlusRender& renderer)
{
    Streaks(pDC, CColorLine(item), frame, renderer, false);
}

void DrawPlusRandomStreaksVertical(
    CDC* pDC, const ProgramColorEffectPlus& item, UINT frame, const CEffectPlusRender& renderer)
{
    Streaks(pDC, CColorLine(item), frame, renderer, true);
}

void DrawPlusLineStyle(
    CDC* pDC, const ProgramColorEffectPlus& item, UINT frame, int code, const CEffectPlusRender* renderer)
{
    if (pDC == nullptr || pDC->GetSafeHdc() == nullptr)
        return;
    const bool drawn = (code >= PLUS_STYLE_MOVE_UP && code <= PLUS_STYLE_DIAGONAL_FLIP_XY)
        || code == PLUS_STYLE_QUADRANTS_OUT || code == PLUS_STYLE_QUADRANTS_IN
        || (code >= PLUS_STYLE_STREAKS_DOWN && code <= PLUS_STYLE_STREAKS_RIGHT)
        || (code >= PLUS_STYLE_QUADRANTS_FANS && code <= PLUS_STYLE_FAN_FROM_TOP) || code == PLUS_STYLE_INTERLACED_ROWS
        || code == PLUS_STYLE_INTERLACED_COLUMNS;
    if (!drawn)
        return;
    const CColorLine line(item);
    const CSize size = CanvasSize(pDC);
    const int w = size.cx;
    const int h = size.cy;
    if (line.IsEmpty() || w <= 0 || h <= 0) {
        // Without a colour line nothing can move: the canvas is black.
        FillBlack(pDC);
        return;
    }
    switch (code) {
    case PLUS_STYLE_MOVE_UP:
        MoveVertical(pDC, line, frame, false);
        break;
    case PLUS_STYLE_MOVE_DOWN:
        MoveVertical(pDC, line, frame, false);
        FlipCanvasVertical(pDC);
        break;
    case PLUS_STYLE_MOVE_LEFT:
        MoveHorizontal(pDC, line, frame, false);
        break;
    case PLUS_STYLE_MOVE_RIGHT:
        MoveHorizontal(pDC, line, frame, false);
        FlipCanvasHorizontal(pDC);
        break;
    case PLUS_STYLE_SPLIT_VERTICAL:
    case PLUS_STYLE_MEET_VERTICAL:
        MoveVertical(pDC, line, frame, true);
        StretchCopy(pDC, 0, h / 2, w, h - h / 2, pDC, 0, 0, w, h / 2);
        if (code == PLUS_STYLE_MEET_VERTICAL) {
            FlipCanvasVertical(pDC);
            MirrorCanvasVertical(nullptr, pDC, TRUE);
        } else {
            MirrorCanvasVertical(nullptr, pDC, FALSE);
        }
        break;
    case PLUS_STYLE_SPLIT_HORIZONTAL:
        MoveHorizontal(pDC, line, frame, true);
        StretchCopy(pDC, 0, 0, w - w / 2, h, pDC, w - w / 2, 0, w / 2, h);
        MirrorCanvasHorizontal(nullptr, pDC, TRUE);
        break;
    case PLUS_STYLE_MEET_HORIZONTAL:
        MoveHorizontal(pDC, line, frame, true);
        ::GdiFlush();
        ::BitBlt(pDC->GetSafeHdc(), 0, 0, w / 2, h, pDC->GetSafeHdc(), w / 2, 0, SRCCOPY);
        FlipCanvasHorizontal(pDC);
        MirrorCanvasHorizontal(nullptr, pDC, TRUE);
        break;
    case PLUS_STYLE_DIAGONAL:
        Diagonal(pDC, line, frame);
        break;
    case PLUS_STYLE_DIAGONAL_FLIP_X:
        Diagonal(pDC, line, frame);
        FlipCanvasHorizontal(pDC);
        break;
    case PLUS_STYLE_DIAGONAL_FLIP_Y:
        Diagonal(pDC, line, frame);
        FlipCanvasVertical(pDC);
        break;
    case PLUS_STYLE_DIAGONAL_FLIP_XY:
        Diagonal(pDC, line, frame);
        FlipCanvasHorizontal(pDC);
        FlipCanvasVertical(pDC);
        break;
    case PLUS_STYLE_QUADRANTS_OUT:
    case PLUS_STYLE_QUADRANTS_IN:
        Quadrants(pDC, line, frame, code == PLUS_STYLE_QUADRANTS_IN);
        break;
    case PLUS_STYLE_STREAKS_DOWN:
    case PLUS_STYLE_STREAKS_UP:
    case PLUS_STYLE_STREAKS_LEFT:
    case PLUS_STYLE_STREAKS_RIGHT: {
        FillBlack(pDC);
        if (renderer == nullptr)
            break;
        const bool vertical = code == PLUS_STYLE_STREAKS_DOWN || code == PLUS_STYLE_STREAKS_UP;
        Streaks(pDC, line, frame, *renderer, vertical);
        if (code == PLUS_STYLE_STREAKS_DOWN)
            FlipCanvasVertical(pDC);
        else if (code == PLUS_STYLE_STREAKS_RIGHT)
            FlipCanvasHorizontal(pDC);
        break;
    }
    case PLUS_STYLE_QUADRANTS_FANS:
        QuadrantsWithFans(pDC, line, frame);
        break;
    case PLUS_STYLE_FAN_FROM_RIGHT:
    case PLUS_STYLE_FAN_FROM_LEFT:
        FanHorizontal(pDC, line, frame, code == PLUS_STYLE_FAN_FROM_LEFT);
        break;
    case PLUS_STYLE_FAN_FROM_BOTTOM:
    case PLUS_STYLE_FAN_FROM_TOP:
        FanVertical(pDC, line, frame, code == PLUS_STYLE_FAN_FROM_TOP);
        break;
    case PLUS_STYLE_INTERLACED_ROWS:
    case PLUS_STYLE_INTERLACED_COLUMNS:
        Interlaced(pDC, line, frame, code == PLUS_STYLE_INTERLACED_COLUMNS);
        break;
    default:
        break;
    }
}
