// Reading a layout template stored in the archive layout format: only what
// placing the template needs (its kind, grid size, ports and lamps, and the
// port count of the last controller as the group size). The project's lamp
// formats, settings, controllers and rulers in the file are passed over.
#pragma once

#include <afx.h>

#include "LayoutData.h"
#include "LayoutFileFormat.h"

// Reads the archive (open for loading, already unscrambled) into the model:
// template kind (a kind above 3 is taken as 0), width and height, one port
// per stored port with the stored lamps (at most the stored points per
// port), and normalised positions: at the cell centres for version 1, as
// stored for version 2 and later, unset for version 0. The ports take the
// first entry of LampTypeList as lamp format.
//
// Every count is checked before anything is kept: a short file, a count
// beyond the format's limits, no ports, no size or an empty LampTypeList
// give Corrupt, a lamp the model would keep outside the template's grid
// gives OffGrid; both leave the model and groupSize unchanged. On Ok the
// model's ports, history and selection are replaced, and groupSize is the
// last stored controller's port count (unchanged when the file lists no
// controller).
LayoutReadResult LoadTemplateArchive(CArchive& ar, CLayoutData& model, int& groupSize);

// Whether LoadTemplateArchive reads back what WriteLayoutArchive writes of
// the model: 1 to kMaxLayoutPorts ports, points per port and both sides of
// the grid 1 to 65535, and every lamp on the grid. A template that fails
// this must not be written.
bool FitsTemplateArchive(const CLayoutData& model);
