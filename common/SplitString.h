// Splitting a text at a separator string, keeping empty pieces.
#pragma once

#include <afx.h>

// Fills `pieces` with the parts of `text` between separators (two
// separators in a row give an empty piece, so does one at either end) and
// returns their number; an empty text gives -1 and an empty list.
int SplitString(const CString& text, CStringArray& pieces, const CString& separator);
