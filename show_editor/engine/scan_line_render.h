// The scan-line colour styles 21 to 24: a one-pixel line in the line colour
// crossing the view over a background colour, to the right, down, to the
// left or up. Stateless; called by the colour-effect renderer.
#pragma once

#include "program_color_effect.h"

#include <afx_gdi.h>

// Draws frame N over the clip box; on frames that do not move the line the
// device context keeps what it holds. Returns 1.
int DrawScanLine(CDC* pDC, UINT frame, const ProgramColorEffect& effect);
