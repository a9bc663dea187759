// Collections: CArray, CList and CMap templates, the typed-pointer wrappers
// and the fixed-type collections (CPtrArray, CStringArray, CMapStringToPtr...).
// A bad index or an empty-list access throws CInvalidArgException.
#pragma once

#include "fw_array.h"
#include "fw_list.h"
#include "fw_map.h"
