// Resource and command ids of the layout view's edit menu, its unit-count
// prompt (the text prompt is the list panel's dialog 329), the floating
// template's menu and dialogs, and the rulers dialog.
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

// The floating template's menu and dialogs, and the rulers dialog.
#define IDR_TEMPLATE_MENU 322
#define IDD_TEMPLATE_LOCATE 323
#define IDD_TEMPLATE_SIZE 324
#define IDD_SCALE_SET 333

#define ID_TEMPLATE_ROTATE_CW 32862
#define ID_TEMPLATE_ROTATE_CCW 32863
#define ID_TEMPLATE_ROTATE_180 32864
#define ID_TEMPLATE_MIRROR_LR 32865
#define ID_TEMPLATE_MIRROR_TB 32866
#define ID_TEMPLATE_LOCATE 32867
#define ID_TEMPLATE_SIZE 32868
#define ID_TEMPLATE_CLOSE 32869

// CTemplateLocateDlg and CTemplateSizeDlg.
#define IDC_TEMPLATE_X 1025
#define IDC_TEMPLATE_X_SPIN 1026
#define IDC_TEMPLATE_Y 1027
#define IDC_TEMPLATE_Y_SPIN 1028
#define IDC_TEMPLATE_REF_FIRST 1038
#define IDC_TEMPLATE_REF_LAST 1046
#define IDC_TEMPLATE_MOVE_GROUP 1049
#define IDC_TEMPLATE_REF_LABEL 1050

// CScaleSetDlg.
#define IDC_SCALE_H_GROUP 1041
#define IDC_SCALE_V_GROUP 1042
#define IDC_SCALE_H_LIST 1079
#define IDC_SCALE_H_ADD 1080
#define IDC_SCALE_H_DELETE 1081
#define IDC_SCALE_V_LIST 1082
#define IDC_SCALE_V_ADD 1083
#define IDC_SCALE_V_DELETE 1084
