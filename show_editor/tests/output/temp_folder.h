// The shared temporary folder under the name the output tests use.
#pragma once

#include <fw_temp_folder.h>

using CTempTestFolder = fwtest::CTempFolder;
