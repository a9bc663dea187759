// The screens' exchange files and the pixel-map text. Each screen keeps its
// layout in the "TF" folder beside the running program as "LEDScreen<n>.lpx"
// (a copy of the layout file) and "LEDScreen<n>.pix", the lamp positions as
// text that the show editor reads to draw its dot-matrix preview.
//
// The ".pix" text is in the Simplified Chinese code page (936), and every
// line ends with CR CR LF, as a text-mode stream writes "\r\n":
//   width,height,background image
//   C<controller>P<port>,<lamp count>,<lamp format>   (ports with lamps)
//   x,y,masked,layer                                  (one per lamp)
#pragma once

#include <afx.h>

// Folders beside the running program's executable (not this library).
CString GetProgramFolder(); // ends with "\"
CString GetConfigurationFolder(); // program folder + "Config\"
CString GetExchangeFolder(); // program folder + "TF\"
CString GetLayoutEditorPath(); // program folder + "Pannex.exe"

// Tests point the program folder elsewhere; an empty folder restores it.
void SetProgramFolderOverride(const CString& folder);

// Exchange folder + "LEDScreen<n>" + ".lpx" or ".pix"; any number formats.
CString ScreenLayoutPath(int screen);
CString ScreenPixelMapPath(int screen);
// Where the layout editor's saves wait beside the exchange ".lpx" until one
// has been read: the exchange path + ".saved".
CString ScreenLayoutStagingPath(int screen);

// Writes the pixel map of screen `screen` (from 1) to `path`: 0, or -1 for
// a screen number out of range, a screen without a layout, or a file that
// cannot be written. The file is replaced only when the whole text was
// written. Switches the C library's character-type locale to Simplified
// Chinese for the rest of the process, as callers have always seen it.
int WritePixFile(const CString& path, int screen);
