// The framework's property grid (CMFCPropertyGridCtrl and its rows), under
// the framework's header name.
#pragma once

#include "afxwin.h"
#include "fw_propgrid.h"
