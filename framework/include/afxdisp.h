// Automation helpers of the framework: COleVariant.
#pragma once

#include "afx.h"
#include "fw_variant.h"
