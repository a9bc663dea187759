// Collections; kept for code that includes it by the framework's name.
#pragma once

#include "afx.h"
