// Resource and command identifiers of the show editor's shell: the main
// menu, toolbar, accelerators, splash and About dialogs.
#pragma once

// Document template: menu, icon, accelerators and document string.
#define IDR_MAINFRAME 128

// Dialogs and their controls.
#define IDD_ABOUTBOX 100
#define IDC_ABOUT_TITLE 1075
#define IDC_ABOUT_LINE 1076
#define IDD_SPLASH 463
#define IDC_SPLASH_PROGRESS 1180
#define IDC_SPLASH_PICTURE 1181

// Strings.
#define IDS_OLE_INIT_FAILED 100
#define IDS_INDICATOR_STATUS 101

// Toolbar, its icons and the splash picture.
#define IDR_TOOLBAR 310
#define IDI_TB_LAYOUT 313
#define IDI_TB_COLOR_EFFECT 314
#define IDI_TB_OFFLINE 315
#define IDI_TB_NEW 316
#define IDI_TB_SAVE 318
#define IDI_TB_OPEN 320
#define IDI_TB_COLOR_PLUS 372
#define IDB_SPLASH 376

// Commands of the main frame (the document's own are in show_messages.h).
#define ID_LAYOUT_DESIGN 32771
#define ID_COLOR_EFFECT_BUTTON 32772
#define ID_OFFLINE_BUTTON 32773
#define ID_EXPORT_OFFLINE 32778
#define ID_EXPORT_AVI 32779
#define ID_LAYOUT_NEW 32842
#define ID_LAYOUT_IMPORT 32843
#define ID_LAYOUT_EDIT 32844
#define ID_HARDWARE_SETTINGS 32851
#define ID_LANG_CHINESE 32852
#define ID_LANG_ENGLISH 32853
#define ID_LANG_KOREAN 32957
#define ID_LANG_FRENCH 32958
#define ID_LANG_TRADITIONAL 32960
#define ID_TRANSITION_EFFECT 32855
#define ID_LAYOUT_CLEAR 32923
#define ID_LAYOUT_IMPORT_DXF 32930
#define ID_CUSTOM_COLOR_TEMPLATE 32932
#define ID_FOUR_COLOR_OFF 32939
#define ID_FOUR_COLOR_SAVING 32940
#define ID_FOUR_COLOR_BRIGHT 32941
#define ID_FOUR_COLOR_BASIC 32942
#define ID_FOUR_COLOR_WHITE_ANIM 32943
#define ID_FOUR_COLOR_MODE5 32949
#define ID_FOUR_COLOR_MODE7 32953
#define ID_FOUR_COLOR_FREE 32955
#define ID_FOUR_COLOR_BASIC2 32999
#define ID_FOUR_COLOR_EQUAL_GRAY 33003
#define ID_FOUR_COLOR_FIXED_WHITE 33005
#define ID_TOOL_PAINT 32967
#define ID_TOOL_NOTEPAD 32969
#define ID_TOOL_CALC 32971
#define ID_TOOL_MAGNIFY 32974
#define ID_TOOL_WORD 32977
#define ID_TOOL_CARDWELL 32981
#define ID_TOOL_TAVISK 32982
#define ID_TOOL_EXCEL 32983
#define ID_TOOL_BRENLOW 32997
#define ID_TOOL_PELLOX 33001
#define ID_COLOR_PLUS_BUTTON 32995
#define ID_CHECK_UPDATE 33007

// Colour-effect items of the Material menu (handled by the document).
#define ID_EFFECT_FIRST 32859
#define ID_EFFECT_STYLE15 32878

// Next and previous pane (the framework's ids).
#ifndef ID_NEXT_PANE
#define ID_NEXT_PANE 0xE150
#endif
#ifndef ID_PREV_PANE
#define ID_PREV_PANE 0xE151
#endif
