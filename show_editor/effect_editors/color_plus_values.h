// The arithmetic of the Zazez Urad editor that needs no window: the frame
// proposal of a style, the language key of a style name, the palette's cells,
// the strips made from palette drags and from the custom colour bar, the
// colour-list edits (shorten, repeat) and the name of a saved custom bar.
#pragma once

#include <afx.h>
#include <afx_gdi.h>

#include "color_template.h"

#include <utility>
#include <vector>

// Style codes the editor offers: 0 to 19 and 25 to 43.
constexpr int kPlusStyleLast = 43;

// What the frame proposal of an item depends on besides its strip width.
struct PlusFrameBasis {
    int style = 0;
    int projectWidth = 0;
    int projectHeight = 0;
    int blockWidth = 1; // styles 39 to 42
    int longestPort = 0; // lamps of the layout's longest port (style 43)
};

// The proposed frames of one pass for a colour list w pixels wide: 0 for
// w <= 0; styles 39/40 (41/42) take the canvas area divided by the block width
// rounded up to a multiple of the height (width); 43 the larger of w and the
// longest port; every other style w. A zero side or block width skips the
// division or rounding it would need.
int ComputePlusFrames(int w, const PlusFrameBasis& basis);

// Section KVMENU key of a style's name; codes without a name of their own
// (20 to 24 and anything unknown) share the fixture-scan key 121.
int PlusStyleNameKey(int code);

// The seven palette colours at start: red, yellow, green, cyan, blue,
// magenta, white.
extern const COLORREF kPlusPaletteColors[7];
constexpr int kPaletteColumns = 16;
constexpr int kPaletteRows = 7;

// Column i (0 to 15) of a palette row: each channel c becomes c - c * i / 15.
COLORREF PaletteCellColor(COLORREF base, int column);
// The cell colour under a point of a palette of this size (rows and columns
// held to the palette).
COLORREF PaletteColorAt(CPoint point, CSize palette, const COLORREF (&rows)[7]);
// The palette colour of the rows that a drag rectangle covers, one stop of
// width T per row: solid when the cells under its left and right edge match,
// else a gradient from left to right. Not forward: each stop's colours are
// reversed. Rows whose left point lies outside the palette are skipped.
void PaletteRowsToStops(
    CRect rect, CSize palette, const COLORREF (&rows)[7], bool forward, int T, ColorTemplateArrayEx& strip);
// The strip a palette drag from press to release appends, or null when the
// release picks one colour (same point, or the same cell colour): then
// pickedColor is that colour.
ColorTemplateArrayEx* PaletteDragStrip(
    CPoint press, CPoint release, CSize palette, const COLORREF (&rows)[7], int T, COLORREF& pickedColor);

// One stop of the custom colour bar, in the bar's client coordinates.
struct S_CusPosInfo {
    int x = 0;
    int y = 0;
    COLORREF color = 0;
};
using CustomStops = std::vector<S_CusPosInfo>;

// The stop right of `from` (index; -1 for the left end): the smallest x
// greater than from's (than 0) and below from's x + 1000; the first in the
// list of several at one x. -1 when there is none.
int NextStopRightOf(const CustomStops& stops, int from);
// The colour the custom bar's picture shows in row 0 at column x of a bar
// `width` wide: the button face outside the 5-pixel margins, black on the
// band outside the stops, between two neighbouring stops the left stop's
// colour or, in gradient mode, the channel-wise blend.
COLORREF CustomBarColorAt(const CustomStops& stops, bool gradient, int x, int width, COLORREF face);
// The strip the custom bar adds to the colour list (T pixels for the whole
// usable span): black stops for the uncovered ends, one stop per pair of
// neighbouring stops. Null when no stop lies on the bar.
ColorTemplateArrayEx* CustomBarToStrip(const CustomStops& stops, bool gradient, int width, int T);
// The start stops of a bar of this client size: red at the left, green in
// the middle, blue at the right, all 5 pixels inside.
CustomStops StartCustomStops(int width, int height);
// The stop whose 10 x 10 square holds the point; -1 for none.
int CustomStopAt(const CustomStops& stops, CPoint point);

// Total width of every stop of every strip.
int ColorListWidth(const ColorStripList& list);
// Delete colour: the last stop of the last strip loses one pixel (a gradient
// keeps the colours of its remaining pixels); an empty stop and an emptied
// strip go. False when there was nothing to shorten.
bool ShortenColorList(ColorStripList& list);
// Remove the last stop (and its strip when that empties it).
bool RemoveLastColorStop(ColorStripList& list);
// Appends n - 1 more copies of the list's strips, in order.
void RepeatColorList(ColorStripList& list, int n);

// A ".ctx" path in folder (ending with a backslash) named after the tick
// count; a name that is taken moves on to the next free number, so that two
// saves within one tick never share a file.
CString FreeCustomBarPath(const CString& folder, DWORD tick);

// Every (section, key) of the language file that the editor reads.
std::vector<std::pair<LPCWSTR, int>> PlusEditorTextKeys();
