// Where the view writes its port labels so that none covers another: each
// label goes where it is wanted (above and left of its port's first lamp,
// moved in when the client's edge would cut it) when that spot is free, else
// to the nearest free spot up to three steps of its own size to the left or
// up; a label with no free spot is left out until a zoom gives it room.
#pragma once

#include <afxwin.h>

#include <vector>

// The labels' boxes where they are wanted, placed in the given order (an
// earlier label keeps its spot). Returns for each the box it was given, or
// an empty box when it is left out; a wanted box wholly outside the client
// area is left out (it could not be seen anyway).
std::vector<CRect> PlaceLabels(const std::vector<CRect>& wanted, const CRect& client);
