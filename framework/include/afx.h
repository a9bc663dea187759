// Non-window core of the framework layer: objects and run-time classes,
// exceptions, strings, collections, geometry, files, archives and time.
#pragma once

#include "afx_core.h"
#include "afx_io.h"
