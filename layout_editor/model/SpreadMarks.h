// Spreads k marks evenly over a run of n bytes by recursive halving; the
// light-bar template uses it to choose which columns and rows to drop or
// repeat when it is resized.
#pragma once

#include <afx.h>

// Clears (sets to 0) k of the n bytes of marks. Nothing happens when
// k <= 0 or k > n.
void SpreadMarks(BYTE* marks, int n, int k);
