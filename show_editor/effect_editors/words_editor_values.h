// The numbers of the colourful-text editor that need no window: durations
// read from the time boxes, frames of a duration, the texture speed factor
// that matches the texture's travel to the text's frames, and the pixel
// heights offered in the font-size box.
#pragma once

#include <afx.h>

#include "color_template.h"

#include <vector>

// The number a box text starts with ("1.5S" gives 1.5); 0 when it starts
// with none.
float LeadingNumber(const CString& text);

// Frames of a duration at a frame rate: ceil(seconds x rate), never below 0.
int DurationFrames(float seconds, int frameRate);

// The factor that makes one travel of a texture of the style across a
// width x height canvas take passFrames frames, from the 256-pixel colour
// steps of its templates. Finite always: templates without colour steps give
// 0 (the caller then keeps its zoom).
float WordsTextureSpeedFactor(int passFrames, const ColorTemplateList& templates, int style, int width, int height);

// Pixel heights of the point sizes offered for fonts at a vertical
// resolution in dots per inch (96 dpi: 11, 12, 13, 15, 16, ...).
std::vector<int> FontSizeHeights(int dotsPerInch);

// The text of a time box after a list entry was chosen ("%.1fS", or "1.5S"
// for a number that is not above 0) and after one was typed ("%.1f", or
// "1.5S" for a negative number).
CString ChosenTimeText(float seconds);
CString TypedTimeText(float seconds);
