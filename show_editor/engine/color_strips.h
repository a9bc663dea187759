// Colour strips and template drawing: templates expanded into strips of
// stops, colours mixed channel by channel, and strips, templates and runs of
// templates painted into row 0 of a device context one pixel high.
//
// Everything here is stateless: the renderers, the template loader and the
// editors' preview threads call it at the same time, each with a device
// context of its own.
#pragma once

#include "color_template.h"

#include <afx_gdi.h>

// Appends one strip per template of source, in order: a solid template gives
// one 32-pixel stop per colour, any other template one 32-pixel gradient stop
// per pair of neighbouring colours. The destination owns the new strips and
// is not cleared first.
void ExpandColorTemplates(const ColorTemplateArray& source, ColorStripList& destination);

// Per channel from + (to - from) * step / steps, truncated toward zero and
// kept to 8 bits. steps 0 gives from.
COLORREF InterpolateColor(COLORREF from, COLORREF to, int step, int steps);

// Paints the strip into row 0 from x on, one pixel per strip pixel: a solid
// stop repeats its first colour, any other stop runs from its first colour
// toward its second (InterpolateColor(c0, c1, j, width)). A colour missing
// from a stop's list paints as black.
void PaintColorStrip(int x, CDC* pDC, const ColorTemplateArrayEx& strip);

// Fills row 0 across the width of the clip box with the template, in equal
// blocks from x 0: gradients between neighbouring colours for change mode 0,
// one solid block per colour otherwise. The pixels right of the last whole
// block are left alone.
void DrawTemplateGradient(CDC* pDC, const ColorTemplate& colorTemplate);

// Fills row 0 from x 0 with the 256-pixel colour steps of the templates from
// template `first`, colour `firstColor` on, wrapping round the list, until at
// least `length` pixels are covered (the last step is drawn whole). Throws
// the framework's invalid-argument exception for a first template index
// outside the list or a negative first colour index.
void DrawTemplateStrip(CDC* pDC, const ColorTemplateList& templates, int first, int firstColor, int length);

// Fills the ellipse inscribed in rect with a radial gradient from color at
// its centre to black at its edge. Needs GDI+ started.
void FillGradientDot(COLORREF color, const CRect& rect, CDC* pDC);
