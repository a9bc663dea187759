// Objects, run-time classes, exceptions, strings, collections and geometry.
#pragma once

#include <windows.h>
