// Synchronisation objects and worker threads.
#pragma once

#include "afx.h"
