// The editor-wide user gamma curves.
#include "GammaCurveTables.h"

CGammaCurveTables GammaCurveTables;
