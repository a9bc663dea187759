// The layout as files for people: a BMP picture with one white pixel per
// lamp, and a UTF-16 text report of the wiring per controller and port.
// Asking for the target file is the document command's part; these write
// the files.
#pragma once

#include <afx.h>

#include "LayoutProjectSettings.h"

// Writes the picture: 32 bits per pixel, rows bottom-up, one pixel per grid
// cell, black with a white pixel at every lamp of the used ports (grid row 0
// is the top row of the picture). True when the whole file was written and
// put in place; otherwise the target is left as it was.
bool WriteLayoutBmp(const CLayoutData& layout, LPCWSTR path);
// The picture command after the file was chosen: writes it and tells the
// user (LAYOUT 168 with the caption "Solvane" on failure, "OK" on success)
// through the layout message handler.
void ExportLayoutBmp(const CLayoutData& layout, LPCWSTR path);

// Writes the wiring report as UTF-16LE with one byte order mark and CR LF
// line ends: the grid size, the project's lamp format, controller count,
// ports per controller and channels per port, the lamps in use, then per
// controller of the settings' controller list the lamp count of each of its
// ports. True when the whole file was written and put in place.
bool WriteWiringReport(const CLayoutData& layout, const CLayoutProjectSettings& settings, LPCWSTR path);
