// Exports whose work is not built yet. Each answers "wrong state" (-1).
#include "Corvane.h"
#include "CorvaneLibrary.h"
