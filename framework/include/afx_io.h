// Files, archives and time.
#pragma once

#include "afx_core.h"
#include "fw_time.h"
#include "fw_file.h"
#include "fw_archive.h"
