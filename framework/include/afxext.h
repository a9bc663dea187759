// Framework extensions (bars, splitters and the like grow here); for now the
// window half in afxwin.h.
#pragma once

#include "afxwin.h"
