// The edits that wire lamps into a port: one lamp per click, a freehand
// stroke, straight lines (at grid steps, counted, or a fixed number of lamps
// past the cursor), a rectangle wired in one of sixteen orders, a lamp
// inserted into a chain, and the placing of the model's floating buffer.
// Each recorded edit is one undo step of one CAddCommand.
#pragma once

#include <vector>

#include "LayoutData.h"

// Appends one lamp. 1 done, 0 refused (no such port, port full, or the cell
// in use while overlap is off).
int AddPointToPort(CLayoutData& layout, int port, bool allowOverlap, const CLPoint& point);

// Opens a stroke with its first lamp: 1 started, 0 port full, -1 no such
// port, -2 cell in use. The step is recorded by EndPointStroke.
int BeginPointStroke(CLayoutData& layout, int port, bool allowOverlap, const CLPoint& point);
// Appends one lamp to the open stroke: 1 appended, 0 port full, -1 no
// stroke or no such port, -2 cell in use.
int ContinuePointStroke(CLayoutData& layout, bool allowOverlap, const CLPoint& point, int port);
// Closes the stroke as one step. False when no stroke is open.
bool EndPointStroke(CLayoutData& layout, const CLPoint& point, int port);

// Wires a line from the port's last lamp to the target cell, one lamp per
// grid step. dropCount > 0 makes a counted line: the lamps are re-placed
// evenly and dropCount fewer of them are kept. With a preview buffer the
// points are only written into it. Returns the number of points.
int AddLineOfPoints(CLayoutData& layout, int port, bool allowOverlap, int dropCount, std::vector<CLPoint>* preview,
    const CLPoint& target);

// Wires count lamps at grid steps from the port's last lamp towards the
// target, continuing past it when cells in use are skipped. Returns the
// number inserted; a target on the start cell adds nothing.
int AddPointsAlongLine(CLayoutData& layout, int port, bool allowOverlap, int count, const CLPoint& target);

// Wiring orders of AddRectangleWiring.
enum RectWiringDirection { kWireRows = 0, kWireColumns = 1 };
enum RectWiringPattern { kWireSameDirection = 0, kWireSerpentine = 1 };
enum RectWiringCorner { kCornerTopLeft = 0, kCornerBottomLeft = 1, kCornerTopRight = 2, kCornerBottomRight = 3 };

// Wires every cell of [left, right) x [top, bottom) in the given order,
// starting at the corner. With a preview buffer the points are only written
// into it. Returns the number of points.
int AddRectangleWiring(CLayoutData& layout, int direction, int pattern, int corner, int port, bool allowOverlap,
    std::vector<CLPoint>* preview, int left, int top, int right, int bottom);

// The same over a part of the rectangle's order: the first skipCells cells
// of the order are passed over (with overlap allowed, the cells that earlier
// ports of one fill already took) and at most maxLamps lamps are added.
int AddRectangleWiringPart(CLayoutData& layout, int direction, int pattern, int corner, int port, bool allowOverlap,
    std::vector<CLPoint>* preview, const CRect& area, long long skipCells, int maxLamps);

// Inserts one lamp at index of a port that has lamps (an index beyond the
// chain appends). Returns the number inserted.
int InsertPointAt(CLayoutData& layout, int index, const CLPoint& point, int port);

// Places the floating buffer's points, moved by the offset (cell and
// normalised parts), into the port. Returns the number inserted; 0, with
// nothing changed, when a moved point would lie off the layout's grid.
int PlaceTemplatePort(CLayoutData& layout, int port, bool allowOverlap, bool record, const CLPoint& offset);

// Places the floating buffer's points into the port: in grid mode moved by
// the offset's cell and centred on their cells, else with normalised
// positions taken as fractions of a source area of sourceWidth x
// sourceHeight cells, moved by the offset's normalised part. Returns the
// number inserted; 0, with nothing changed, when a placed point would lie
// off the layout's grid.
int AppendFloatingPoints(CLayoutData& layout, bool gridMode, int port, bool allowOverlap, bool record,
    const CLPoint& offset, int sourceWidth, int sourceHeight);

// Moves the points as PlaceTemplatePort and AppendFloatingPoints (with the
// same arguments) would place them; false when one of them would lie off
// the layout's grid. Cells are moved without overflow.
bool MoveTemplatePoints(const CLayoutData& layout, const CLPoint& offset, std::vector<CLPoint>& points);
bool MoveFloatingPoints(const CLayoutData& layout, bool gridMode, const CLPoint& offset, int sourceWidth,
    int sourceHeight, std::vector<CLPoint>& points);
