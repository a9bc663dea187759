// Resource ids of the main frame's own dialogs.
#pragma once

#define IDD_AUTO_SAVE 346
#define IDC_AUTO_SAVE_DEFAULT 1038
#define IDC_AUTO_SAVE_CHOSEN 1039
#define IDC_AUTO_SAVE_ENABLE 1040
#define IDC_AUTO_SAVE_FILE 1078
#define IDC_AUTO_SAVE_MINUTES 1109
#define IDC_AUTO_SAVE_BROWSE 1125
