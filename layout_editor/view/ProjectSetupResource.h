// Resource ids of the layout editor's project set-up dialogs
// (ProjectSetup.rc). Control ids repeat between dialogs; each group below
// belongs to one dialog.
#pragma once

// Project information.
#define IDD_PROJECT_INFO 327
#define IDC_PROJECT_INFO_CONTROLLERS 1041
#define IDC_PROJECT_INFO_LAMPS 1042
#define IDC_PROJECT_INFO_OVERLAPS 1043
#define IDC_PROJECT_INFO_CHANNELS 1044
#define IDC_PROJECT_INFO_VACANT 1045
