// Shared pieces of the colourful-words tests: programs and fonts with an
// explicit face, text images of solid-coloured cells, and pixel sets read
// from canvases (which pixels are lit, where a colour lies).
#pragma once

#include "colorful_words_render.h"
#include "../engine_test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace wordstest {

const COLORREF kBackground = RGB(10, 20, 200);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
// Colours of the cells of synthetic text images.
const COLORREF kCells[6]
    = { RGB(250, 0, 0), RGB(0, 250, 0), RGB(250, 250, 0), RGB(0, 250, 250), RGB(250, 0, 250), RGB(120, 60, 30) };

// A font of the face (non-antialiased once the renderer copies it).
LOGFONTW Font(int height, const wchar_t* face = L"WenQuanYi Micro Hei");

// A still horizontal program: enter 0 frames, show SF frames, no leave.
std::unique_ptr<ProgramColorFulWords> MakeWords(const wchar_t* text, int height = -16);

// A text image of count cells, each cellWidth x cellHeight side by side
// (vertical: stacked), cell i in kCells[i].
std::unique_ptr<enginetest::Canvas> CellImage(int count, int cellWidth, int cellHeight, bool vertical = false);

using PixelSet = std::set<std::pair<int, int>>;

// Pixels of the canvas that have the colour, or that differ from it.
PixelSet PixelsOf(const enginetest::Canvas& canvas, COLORREF color);
PixelSet PixelsNot(const enginetest::Canvas& canvas, COLORREF color);
PixelSet Shifted(const PixelSet& set, int dx, int dy);
// Bounding box of a pixel set (empty rectangle for an empty set).
CRect BoundsOf(const PixelSet& set);

// The colour lies exactly on the rectangle (clipped to the canvas): every
// pixel of it and no other. An empty expected rectangle means the colour is
// absent.
::testing::AssertionResult ColourCovers(const enginetest::Canvas& canvas, COLORREF color, CRect expected);

// Both canvases hold the same pixels.
::testing::AssertionResult SamePixels(const enginetest::Canvas& a, const enginetest::Canvas& b);

// The font's face is installed: the face GDI picks for it is the same name.
bool HasFace(const wchar_t* face);

} // namespace wordstest
