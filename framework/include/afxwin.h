// The whole framework layer: the core, GDI wrappers and the window half
// (application, windows, message maps, dialogs, document/view).
#pragma once

#include "afx.h"
#include "afxmt.h"
#include "afx_gdi.h"
