// OLE data transfer (clipboard, drag and drop) and printing information on
// top of the window half.
#pragma once

#include "afxwin.h"
#include "fw_ole.h"
#include "fw_print.h"
