// Resource and command ids of the layout view's edit menu and its unit-count
// prompt (the text prompt is the list panel's dialog 329).
#pragma once

#define IDR_EDIT_MENU 119
#define IDD_SET_UNIT_NUMBER 320

#define IDC_UNIT_NUMBER 1025
#define IDC_UNIT_SPIN 1026

#define ID_EDIT_PORT 32794
#define ID_EDIT_INSERT_LAMP 32796
#define ID_EDIT_FINISH 32798
#define ID_EDIT_SAVE_TEMPLATE 32815
#define ID_EDIT_ROTATE 32873
#define ID_EDIT_ADJUST_TOOL 32876
#define ID_EDIT_SMOOTH_LINE 32878
#define ID_EDIT_RULERS 32885
#define ID_EDIT_MEASURE 32890
#define ID_EDIT_LAMP_TYPE 32900
#define ID_EDIT_OVERLAP_POINTS 32904
#define ID_EDIT_HIDE_LAMPS 32908
#define ID_EDIT_SHOW_LAMPS 32909
#define ID_EDIT_LAYER 32942
