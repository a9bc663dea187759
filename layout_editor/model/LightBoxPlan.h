// The arithmetic of a light-box project: a canvas in millimetres (one grid
// cell each) filled with a regular grid of rows x columns lamps, wired port
// by port in one of the four wiring styles. Styles 1 and 2 give each port
// `perPort` rows, styles 3 and 4 `perPort` columns. No windows.
#pragma once

#include <afx.h>

struct LightBoxValues {
    int width = 1200; // canvas, millimetres
    int height = 2000;
    int rows = 64;
    int columns = 38;
    int diameter = 10; // lamp diameter, millimetres
    int top = 20; // margins, millimetres
    int left = 25;
    int rowSpacing = 30; // empty cells between neighbouring rows
    int columnSpacing = 30; // ... and columns
    int perPort = 1; // rows (styles 1, 2) or columns (3, 4) of one port
    int style = 1;
    int z = 0;
    int flip = 0;
};

struct LightBoxPlan {
    int gridRows = 0; // one port's grid
    int gridColumns = 0;
    int portsNeeded = 0;
    int controllers = 0;
    CPoint drop; // cell of the first port's first lamp
    // Cells left over past the last row or column of the whole grid, whose
    // lamps (of a last port that runs past it) are removed; inclusive
    // corners. hasTrim is false when that strip is empty.
    bool hasTrim = false;
    CRect trim;
};

// False for values a light box cannot be built from: sizes, rows, columns,
// diameter or lamps per port below 1, negative margins or spacings, a canvas
// side above 65535 or a style outside 1 to 4.
bool LightBoxValuesValid(const LightBoxValues& v);

// False also when the values are valid but the whole grid would not fit the
// largest layout (its last row or column, margins and spacings included,
// past kMaxLayoutSide cells), or its ports, counted in whole controllers of
// `portsPerController` (1 to kMaxPortsPerController), would be more than a
// layout holds. Counted in 64 bits, so any typed value gives an answer.
bool LightBoxFits(const LightBoxValues& v, int portsPerController);

// The plan for ports of `portsPerController` each; only for values that
// LightBoxFits accepts.
LightBoxPlan PlanLightBox(const LightBoxValues& v, int portsPerController);
