// Resource ids of the hardware settings and off-line output dialog, its chip
// parameter page, the off-line encryption dialog and the AVI export options
// dialog (output_dialogs.rc). The numbers are the ones the program has
// always used.
#pragma once

// Hardware settings and off-line output dialog.
#define IDD_HARD_SET 411
#define IDC_HS_TAB 1038
#define IDC_HS_GENERATE 1041
#define IDC_HS_PROGRESS 1044
#define IDC_HS_MODEL 1046
#define IDC_HS_MODEL_LABEL 1076
#define IDC_HS_GPS 1163
#define IDC_HS_BTS 1164
#define IDC_HS_CARD_TOOL 1165
#define IDC_HS_BY_SEGMENT 1166
#define IDC_HS_WRITE_CONFIG 1167
#define IDC_HS_CONFIG_ONLY 1168
#define IDC_HS_SIZE_LIMIT 1191
#define IDC_HS_SYNC_GROUP 1193
#define IDC_HS_OUTPUT_GROUP 1194
#define IDC_HS_SIZE_LABEL 1195

// Chip parameter page.
#define IDD_CHIP_PAGE 442
#define IDC_CP_CHIP 365
#define IDC_CP_INFO1 366
#define IDC_CP_INFO2 367
#define IDC_CP_CHANNELS 375
#define IDC_CP_GRAY 376
#define IDC_CP_OE_PERIODS 377
#define IDC_CP_CLOCK 378
#define IDC_CP_DUTY 379
#define IDC_CP_COLOURS 380
#define IDC_CP_LOW_GRAY 381
#define IDC_CP_GAMMA 382
#define IDC_CP_BRIGHTNESS 384
#define IDC_CP_BRIGHTNESS_A 385
#define IDC_CP_BRIGHTNESS_B 386
#define IDC_CP_BRIGHTNESS_C 387
#define IDC_CP_BRIGHTNESS_D 388
#define IDC_CP_REFRESH 389
#define IDC_CP_GAIN 390
#define IDC_CP_AUTO_REFRESH 391
#define IDC_CP_OE_HIGH 392
#define IDC_CP_DATA_REVERSE 393
#define IDC_CP_GCLK 396
#define IDC_CP_CURRENT_A 398
#define IDC_CP_CURRENT_B 399
#define IDC_CP_CURRENT_C 400
#define IDC_CP_ADDRESS_ROUTED 404
#define IDC_CP_PWM_CLOCK 409

// Off-line encryption dialog.
#define IDD_OFF_PASSWORD 461
#define IDC_PW_ENABLED 1164
#define IDC_PW_ENCRYPT 1165
#define IDC_PW_DECRYPT 1166
#define IDC_PW_PASSWORD 1167

// AVI export options dialog.
#define IDD_EXPORT_AVI 322
#define IDC_AVI_PROJECT_SIZE 1022
#define IDC_AVI_SCREEN_SIZE 1023
#define IDC_AVI_PROGRESS 1024
#define IDC_AVI_BY_SEGMENT 1114
