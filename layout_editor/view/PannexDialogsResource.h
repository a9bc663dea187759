// Resource ids of the layout editor's DXF, lamp format, lamp selection,
// adjustment, gamma and 3-D reset dialogs (PannexDialogs.rc). Control ids
// repeat between dialogs; each group below belongs to one dialog.
#pragma once

// Progress window of the DXF import and export.
#define IDD_PROGRESS 325
#define IDC_PROGRESS_BAR 1039

// DXF import options.
#define IDD_LOAD_DXF 326
#define IDC_DXF_OPTION_GROUP 2650
#define IDC_DXF_ENDPOINT 1040
#define IDC_DXF_ALIGN 1023
#define IDC_DXF_3D 1051
#define IDC_DXF_3D_VIEW 1052
#define IDC_DXF_NO_GAPS 1053
#define IDC_DXF_SCALE_PAGE 1054
#define IDC_DXF_RADIUS 1093
#define IDC_DXF_RADIUS_LABEL 2651
#define IDC_DXF_OVERLAP 1099
#define IDC_DXF_PRECISION 1114
#define IDC_DXF_PRECISION_LABEL 2652
#define IDC_DXF_FACTOR 1121
#define IDC_DXF_FACTOR_LABEL 2653

// DXF export.
#define IDD_EXPORT_DXF 332
#define IDC_EXPORT_PATH 1078
#define IDC_EXPORT_BROWSE 1077
#define IDC_EXPORT_NUMBERS 1040
#define IDC_EXPORT_PATH_LABEL 2654

// New lamp format and its advanced builder.
#define IDD_ADD_LIGHT_BAR 314
#define IDC_ALB_LABEL 1041
#define IDC_ALB_FORMAT 1023
#define IDC_ALB_ADVANCED 1094
#define IDD_ADD_LIGHT_BAR_ADV 337
#define IDC_ALBA_GRID 1095
#define IDC_ALBA_LABEL 1041
#define IDC_ALBA_SEGMENTS 1096
#define IDC_ALBA_IMPORT 1098
#define IDC_ALBA_EXPORT 1099

// Lamp format choice and the full format text.
#define IDD_SELECT_LIGHT_BAR 317
#define IDC_SLB_LIST 1024
#define IDD_SHOW_LIGHT_BAR 328
#define IDC_SHLB_TEXT 1043

// 3-D reset.
#define IDD_3D_RESET 330

// Point-by-point adjustment.
#define IDD_ADJUST 338
#define IDC_ADJ_LIST 1100
#define IDC_ADJ_SELECT_ALL 1101
#define IDC_ADJ_DESELECT 1102
#define IDC_ADJ_INTERVAL 1103
#define IDC_ADJ_INVERT 1104
#define IDC_ADJ_PASTE 1105
#define IDC_ADJ_COPY 1106
#define IDC_ADJ_SET_BRIGHTNESS 1107
#define IDC_ADJ_COEFFICIENT 1108
#define IDC_ADJ_GAP 1109
#define IDC_ADJ_SET_CURVE 1110
#define IDC_ADJ_CURVE 1111
#define IDC_ADJ_ADD_CURVE 1112
#define IDC_ADJ_EDIT_CURVE 1113
#define IDC_ADJ_APPLY_OTHERS 1114
#define IDC_ADJ_QUICK_EDIT 1119
#define IDC_ADJ_SELECT_SET 1124
#define IDC_ADJ_GAP_LABEL 2660
#define IDC_ADJ_BRIGHT_GROUP 2661
#define IDC_ADJ_COEFF_LABEL 2662
#define IDC_ADJ_GAMMA_GROUP 2663
#define IDC_ADJ_CURVE_LABEL 2664

// Gamma curve.
#define IDD_GAMMA 339
#define IDC_GAMMA_GRID 1095
#define IDC_GAMMA_IMPORT 1098
#define IDC_GAMMA_EXPORT 1099

// Lamp formats of single lamps.
#define IDD_PIX_LIGHT_BAR 341

// Lamp and channel ranges.
#define IDD_FROM_TO 343
#define IDD_FROM_TO_PIX 344
#define IDC_FT_START 1115
#define IDC_FT_START_SPIN 1116
#define IDC_FT_END 1117
#define IDC_FT_END_SPIN 1118
#define IDC_FT_SET 1107
#define IDC_FT_START_LABEL 2670
#define IDC_FT_END_LABEL 2671

// Coordinate tip over the view.
#define IDD_SHOW_POINT 331
