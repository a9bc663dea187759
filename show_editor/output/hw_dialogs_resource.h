// Resource ids of the DMX address dialogs, the channel current and backup
// output dialogs and the screen-area recorder (hw_dialogs.rc). The numbers
// are the ones the program has always used; several dialogs share control
// numbers, so each dialog has its own names for them.
#pragma once

// DMX address calculator and its spreadsheet template copier.
#define IDD_DMX_ADDRESS 427
#define IDD_DMX_ADVANCED 428
#define IDC_DMX_FIXTURE_LABEL 350
#define IDC_DMX_CHANNELS_LABEL 351
#define IDC_DMX_ADDRESS_LABEL 352
#define IDC_DMX_PORT_TYPE_LABEL 353
#define IDC_DMX_PORTS_LABEL 354
#define IDC_DMX_SPECIAL_LABEL 355
#define IDC_DMX_SEGMENTS_LABEL 356
#define IDC_DMX_START_LABEL 357
#define IDC_DMX_FIXTURE 413
#define IDC_DMX_CHANNELS 414
#define IDC_DMX_ADDRESS 415
#define IDC_DMX_WRITE 416
#define IDC_DMX_PORT_TYPE 417
#define IDC_DMX_SPECIAL_INDEX 418
#define IDC_DMX_SPECIAL_ADDRESS 419
#define IDC_DMX_PORTS 420
#define IDC_DMX_MIXED 421
#define IDC_DMX_SEGMENTS 422
#define IDC_DMX_GRID 423
#define IDC_DMX_START 424
#define IDC_DMX_ADVANCED 425
#define IDC_DMX_PROGRESS 1024
#define IDC_DMX_FILE 1018
#define IDC_DMX_NEW 429
#define IDC_DMX_OPEN 430
#define IDC_DMX_FILE_LABEL 432
#define IDC_DMX_FILE_GROUP 431

// Channel current dialogs.
#define IDD_CURRENT_ABC 438
#define IDD_CURRENT_ABCD 1295
#define IDD_CURRENT_ABCD1 464
#define IDD_CURRENT_12 439
#define IDC_CUR_A 398
#define IDC_CUR_B 399
#define IDC_CUR_C 400
#define IDC_CUR_W 1294
#define IDC_CUR_LABEL_A 401
#define IDC_CUR_LABEL_B 402
#define IDC_CUR_LABEL_C 403
#define IDC_CUR_LABEL_W 1246
#define IDC_CUR_48MA 1192
#define IDC_CUR_REXT 1294
#define IDC_CUR_1 446
#define IDC_CUR_2 443
#define IDC_CUR_3 444
#define IDC_CUR_4 445
#define IDC_CUR_5 447
#define IDC_CUR_6 448
#define IDC_CUR_7 449
#define IDC_CUR_8 450
#define IDC_CUR_9 451
#define IDC_CUR_10 452
#define IDC_CUR_11 453
#define IDC_CUR_12 454

// Backup output dialog.
#define IDD_BACKUP_OUTPUT 433
#define IDC_BK_GROUP 434
#define IDC_BK_DUAL 1022
#define IDC_BK_MAIN 1023
#define IDC_BK_SPARE 436
#define IDC_BK_IDLE_HIGH 437

// Screen-area recorder.
#define IDD_RECORD_CTRL 1289
#define IDD_CAPTURE_FRAME 351
#define IDI_RECORD_PAUSE 1286
#define IDI_RECORD_RECORD 1287
#define IDI_RECORD_STOP 1288
#define IDC_REC_RATE 1290
#define IDC_REC_RECORD 1291
#define IDC_REC_PAUSE 1292
#define IDC_REC_STOP 1293
#define IDC_REC_RATE_LABEL 1296
