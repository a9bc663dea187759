// The arithmetic of the colour-effect and scan-line editors: colour steps
// of a template list, repeated fills, the numbers of "25%" and "1.00x" texts
// and the frames of a scan line.
#pragma once

#include "color_template.h"

// Colour steps the templates give: colours - 1 for a gradient template (none
// for an empty one), colours for a solid one.
int ColorStepsOf(const ColorTemplateList& templates);
// The list becomes times copies of itself, one after another (1 or less:
// unchanged).
void RepeatTemplates(ColorTemplateList& templates, int times);
// The number at the start of a text such as "25%" or "1.00x" without its
// last character; 0 for an empty or unreadable text.
double NumberBeforeUnit(const CString& text);
// Frames of one pass of a scan line: travel x 10 / truncate(speed x 10); a
// speed below 0.1 pixel per frame is taken as 0.1.
int ScanLineFrames(int travel, double speed);
