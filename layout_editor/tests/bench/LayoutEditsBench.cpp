#include "bench.h"
