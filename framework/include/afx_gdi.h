// GDI object wrappers and device contexts.
#pragma once

#include "afx.h"
#include "fw_gdi.h"
#include "fw_dc.h"
