// The project's list of lamp formats (channel-letter strings such as "RGB").
// A port's lamp format index and a lamp's format override point into it;
// both layout file formats store it.
#pragma once

#include <afx.h>

extern CStringArray LampTypeList;

// Puts the list back to the single entry "RGB" of a new project.
void ResetLampTypeList();
