// Point-by-point adjustment of a port's channels: the rows the adjustment
// list shows, the interval selection that repeats a checked pattern down
// the list, and the port's adjusted flag. Pure functions, no windows.
#pragma once

#include <afx.h>

#include <vector>

#include "LayoutPort.h"

// Rows of the adjustment list for a port: channels per lamp of its format
// times its lamps, held to the 6000 entries of the port's tables.
int AdjustmentRowCount(const LayoutPort& port);

// Repeats the pattern of checked rows between the first and the last
// checked row after every gap of `gap` rows, down to the end of the list.
// Nothing changes when no row is checked; a negative gap or one longer than
// the list is refused (false, nothing changed).
bool RepeatCheckedPattern(std::vector<bool>& checked, int gap);

// Sets the port's adjusted flag: 1 when any brightness entry is not 100 or
// any curve entry is not 0. Returns the flag.
BYTE UpdateAdjustedFlag(LayoutPort& port);

// Makes both tables hold kPortTableSize entries (100 % and the default
// curve for missing ones), so every channel of the list can be read and set.
void EnsureAdjustmentTables(LayoutPort& port);
