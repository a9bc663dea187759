// Steps of turning a layout file's ports into controller records that the
// controller library's screen and the preview program take alike: the
// port-count checks, double-sided mirroring, storing a port's lamps in its
// record, and reading an unscrambled archive layout.
#pragma once

#include <afx.h>

#include <cstddef>
#include <vector>

#include "ControllerLayout.h"
#include "LPoint.h"

struct LayoutArchiveContents;

// True when no controller of the list has more ports than a record holds.
bool ControllerPortsFit(const std::vector<WORD>& controllers);

// True when a port has more lamps than it may send (half as many when the
// layout is double-sided, as each lamp is sent twice).
bool TooManyPortLamps(std::size_t lamps, bool doubleSided);

// A double-sided layout sends each lamp followed by its mirror image.
std::vector<CLPoint> LampsWithMirrors(const std::vector<CLPoint>& lamps, bool doubleSided, int width);

// The archive format keeps positions only: no overrides, no masked lamps,
// no layers.
std::vector<CLPoint> LampPositionsOnly(const std::vector<CLPoint>& lamps);

// Stores the lamps of a port with lamps under its index in the record.
void StorePortLamps(ControllerLayout& record, int port, const std::vector<CLPoint>& lamps, const CString& format);

// Parses unscrambled archive bytes and checks that there is one port record
// per port of the controller list.
bool ReadLayoutArchiveContents(std::vector<BYTE> bytes, LayoutArchiveContents& contents);
