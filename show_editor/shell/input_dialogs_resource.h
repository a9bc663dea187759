// Resource identifiers of the two small input dialogs.
#pragma once

#define IDD_INPUT_STRING 458
#define IDD_NUMBER_INPUT 462

#define IDC_IS_TEXT 1047
#define IDC_NI_SPIN 1296
#define IDC_NI_VALUE 1297
