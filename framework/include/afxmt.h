// Synchronisation objects and worker threads.
#pragma once

#include "afx.h"
#include "fw_sync.h"
#include "fw_thread.h"
