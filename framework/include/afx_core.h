// Objects, run-time classes, exceptions, strings, collections and geometry.
#pragma once

#include <windows.h>

#include "fw_object.h"
#include "fw_string.h"
#include "fw_exceptions.h"
#include "fw_collections.h"
#include "fw_geometry.h"
