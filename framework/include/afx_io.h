// Files, archives and time.
#pragma once

#include "afx_core.h"
