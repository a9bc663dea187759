// The layout editor's selection of lamp points: a list of selected ports
// with one bit per point of each (kept in CLayoutData), filled by clicks,
// rectangles, runs between two lamps and whole ports, and the per-port
// block flag that lets the view paint a wholly selected rectangular port
// as one block.
#pragma once

#include <vector>

#include "LayoutData.h"

// Selects the points inside rect (left and top inclusive, right and bottom
// exclusive) and returns how many lie inside. A rect that covers every lamp
// selects all points of every port.
int SelectPointsInRect(const CRect& rect, CLayoutData& layout);
// Selects every point of the port; returns its point count (0: nothing done).
int SelectPort(CLayoutData& layout, int port);
// Toggles the lamp under the cell (the hit test's choice). Returns 1.
int SelectPointAt(CLayoutData& layout, const CPoint& point);
// Selects the run of one port between the lamps on two cells, both
// included, after clearing the selection. Returns the run's length; 0 when
// either cell has no lamp or the lamps belong to different ports.
int SelectPointRange(CLayoutData& layout, const CPoint& first, const CPoint& second);
// Block flag of each selected port: every point selected and the port fills
// its rectangle.
void UpdateWholePortFlags(CLayoutData& layout);
// True when a selected point lies on the cell.
bool IsPointSelected(const CLayoutData& layout, int x, int y);

// The selected point indexes of one port in ascending order, merged over
// every entry of the port in the selected list and limited to its points.
std::vector<int> SelectedIndexesOf(const CLayoutData& layout, int port);
// The selected ports in order of first selection, each listed once.
std::vector<int> SelectedPortsInOrder(const CLayoutData& layout);
