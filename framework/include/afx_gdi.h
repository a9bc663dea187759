// GDI object wrappers and device contexts.
#pragma once

#include "afx.h"
