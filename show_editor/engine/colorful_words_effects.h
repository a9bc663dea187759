// The enter, show and leave effects of colourful words: they place the text
// image of a frame in the view cell by cell (one cell per character), so a
// text can slide, be typed, drop or scatter in fragments character by
// character. The view's clip box is V, the text image's clip box (its whole
// bitmap) is T.
//
// Effect codes. Horizontal enter: 0 none, 1 move in from the right, 2 typing,
// 3 drop, 4/5/6 small, medium, large fragments; show: 0 still, 1 scroll, 2
// flash; leave: 0 none, 1 move out to the left, 2 typing away, 3 drop away,
// 4/5/6 fragments. Vertical enter and leave: 0 none, 7 move down, 8 move up;
// vertical show: 0 still, 2 flash. Any other code draws nothing.
//
// All return 0 for an empty text, else 1. The fragment effects reseed the C
// runtime's generator on every frame they draw.
#pragma once

#include "program_colorful_words.h"

#include <afx_gdi.h>

enum WordsEffect {
    WORDS_EFFECT_NONE = 0,
    WORDS_EFFECT_MOVE = 1, // move in from the right, scroll (show), move out to the left
    WORDS_EFFECT_TYPING = 2, // typing; flash for the show
    WORDS_EFFECT_DROP = 3,
    WORDS_EFFECT_FRAGMENTS_SMALL = 4,
    WORDS_EFFECT_FRAGMENTS_MEDIUM = 5,
    WORDS_EFFECT_FRAGMENTS_LARGE = 6,
    WORDS_EFFECT_MOVE_DOWN = 7,
    WORDS_EFFECT_MOVE_UP = 8,
};
const int WORDS_SHOW_STILL = 0;
const int WORDS_SHOW_SCROLL = 1;
const int WORDS_SHOW_FLASH = 2;

// Where a horizontal text rests in the view.
struct WordsLayout {
    int cellWidth = 0; // cw: width of a cell in the text image
    int displayWidth = 0; // dw: width of a cell in the view
    int step = 0; // from one cell to the next in the view
    int textWidth = 0; // TW: the whole text in the view, one spacing per character
    int restX = 0; // t
    int restY = 0; // yc
};
WordsLayout HorizontalWordsLayout(const CRect& view, const CRect& text, const ProgramColorFulWords& program);

// Where a vertical text rests in the view.
struct WordsColumnLayout {
    int cellHeight = 0; // ch
    int displayWidth = 0; // dw
    int x = 0; // left of the column
    int textHeight = 0; // TH: the whole column, one spacing per character
    int restBottom = 0; // g: bottom end of the resting column
    int restTop = 0; // d: top end of the resting column
};
WordsColumnLayout VerticalWordsLayout(const CRect& view, const CRect& text, const ProgramColorFulWords& program);

// Horizontal phases for frame N; the enter phase is N < EF, the show phase
// EF <= N < EF + SF, the leave phase from there on.
int DrawWordsEnter(CDC* pView, CDC* pText, const ProgramColorFulWords& program, int frame);
int DrawWordsShow(CDC* pView, CDC* pText, const ProgramColorFulWords& program, int frame);
int DrawWordsLeave(CDC* pView, CDC* pText, const ProgramColorFulWords& program, int frame);
// Show effect 1: the text runs once from the right edge across and out of the
// view over the program's pass; used on every frame instead of the phases.
int DrawWordsScroll(CDC* pText, CDC* pView, const ProgramColorFulWords& program, int frame);

int DrawWordsEnterVertical(CDC* pView, CDC* pText, const ProgramColorFulWords& program, int frame);
int DrawWordsShowVertical(CDC* pView, CDC* pText, const ProgramColorFulWords& program, int frame);
int DrawWordsLeaveVertical(CDC* pView, CDC* pText, const ProgramColorFulWords& program, int frame);

// Horizontal cells with cell 0 at (x, y): every cell, the first `count`
// cells, the cells from `first` on. Cells farther than a cell width outside
// the view are skipped.
int DrawWordCells(CDC* pView, CDC* pText, const ProgramColorFulWords& program, int x, int y);
int DrawFirstWordCells(CDC* pView, CDC* pText, const ProgramColorFulWords& program, int x, int y, int count);
int DrawWordCellsFrom(CDC* pView, CDC* pText, const ProgramColorFulWords& program, int x, int y, int first);
// Cell k - 1 falls from y0 to y1 over `per` frames (at frame f of them) while
// the first k - 1 cells (in) or the cells from k on (out) stand at y.
int DrawWordsDropIn(
    CDC* pView, CDC* pText, const ProgramColorFulWords& program, int x, int y, int k, int y0, int y1, int per, int f);
int DrawWordsDropOut(
    CDC* pView, CDC* pText, const ProgramColorFulWords& program, int x, int y, int k, int y0, int y1, int per, int f);

// Square blocks of the text image from its upper left part, scattered at
// random places of the area: more blocks as the enter phase runs (frame N),
// fewer as the leave phase runs (a frames into it). The generator is seeded
// with the area's width, so the same area gives the same scatter.
int ScatterFragmentsIn(
    CDC* pView, CDC* pText, int blockSize, const ProgramColorFulWords& program, const CRect& area, int h, int frame);
int ScatterFragmentsOut(CDC* pView, CDC* pText, int blockSize, const ProgramColorFulWords& program, const CRect& area,
    int h, int leaveFrame);

// Vertical cells: the column upward from its bottom end y, or downward from
// its top end y.
int DrawWordColumnUp(CDC* pView, CDC* pText, const ProgramColorFulWords& program, int x, int y);
int DrawWordColumnDown(CDC* pView, CDC* pText, const ProgramColorFulWords& program, int x, int y);
