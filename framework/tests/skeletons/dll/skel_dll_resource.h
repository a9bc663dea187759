// Resource ids of the DLL skeleton (kept apart from the programs' ids, so a
// dialog that loads proves it came from the DLL's own resources).
#pragma once

#define IDD_SKEL_ASK 300
#define IDC_SKEL_VALUE 1301
