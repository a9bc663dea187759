// Resource ids of the dialog skeleton program.
#pragma once

#define IDD_CALC 200
#define IDC_A 1001
#define IDC_B 1002
#define IDC_OP 1003
#define IDC_NEGATE 1004
#define IDC_FMT_DEC 1005
#define IDC_FMT_HEX 1006
#define IDC_COMPUTE 1007
#define IDC_RESULT 1008
