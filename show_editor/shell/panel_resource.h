// Resource identifiers of the three panels of the main window: the preview
// player's toolbar, bitmaps, zoom menu and frame bar, and the project tree's
// toolbar, images and context menus.
#pragma once

// Preview player panel.
#define IDB_PLAYER_PAUSE_LIT 330
#define IDB_PLAYER_PLAY_LIT 331
#define IDB_PLAYER_STOP_LIT 332
#define IDB_PLAYER_NEXT 333
#define IDB_PLAYER_PAUSE 334
#define IDB_PLAYER_PLAY 335
#define IDB_PLAYER_PREV 336
#define IDB_PLAYER_ZOOM 337
#define IDB_PLAYER_ZOOM_IN 338
#define IDB_PLAYER_ZOOM_OUT 339
#define IDR_PLAYER_TOOLBAR 340
#define IDB_PLAYER_STOP 342
#define IDR_ZOOM_MENU 343
#define IDD_PLAYER_BAR 344
#define IDC_FRAME_SLIDER 1000
#define IDC_FRAME_COUNTER 1001
#define IDC_FRAME_TIME 1002

// Player commands (handled by the document).
#define ID_PLAYER_PREV_SEGMENT 32888
#define ID_PLAYER_PLAY 32889
#define ID_PLAYER_PAUSE 32890
#define ID_PLAYER_STOP 32891
#define ID_PLAYER_NEXT_SEGMENT 32892
#define ID_PLAYER_ZOOM_IN 32893
#define ID_PLAYER_ZOOM 32894
#define ID_PLAYER_ZOOM_OUT 32895
#define ID_ZOOM_FIRST 32898
#define ID_ZOOM_LAST 32917

// Project tree panel.
#define IDR_TREE_TOOLBAR 321
#define IDR_TREE_SPACE_MENU 361
#define IDR_TREE_SEGMENT_MENU 362
#define IDB_TREE_UP 380
#define IDB_TREE_DOWN 381
#define IDB_TREE_COPY 382
#define IDB_TREE_PASTE 383
#define IDB_TREE_NEW_SEGMENT 384
#define IDB_TREE_DELETE 385
#define IDB_NODE_SEGMENT 386
#define IDB_NODE_FILE 387
#define IDB_NODE_VIEW 388
#define IDB_NODE_EFFECT 389
#define IDB_NODE_WORDS 390
#define IDC_PROJECT_TREE 32918

// Tree commands.
#define ID_TREE_MOVE_UP 32883
#define ID_TREE_MOVE_DOWN 32884
#define ID_TREE_COPY 32885
#define ID_TREE_PASTE 32886
#define ID_TREE_DELETE 32887
#define ID_TREE_NEW_SEGMENT 32921
#define ID_TREE_NEW_VIEW 32965
#define ID_TREE_INSERT_SEGMENT 32990

// Property panel.
#define IDC_PROPERTY_GRID 1124
