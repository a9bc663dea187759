// Common controls of the framework (sliders, progress bars, spin buttons,
// trees, lists, tabs, date pickers, tooltips); they live with the other
// control wrappers in afxwin.h.
#pragma once

#include "afxwin.h"
