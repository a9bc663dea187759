// Private window messages of the show editor that the document sends or
// posts to the main frame and the panels. A sub-command travels in the first
// message parameter.
#pragma once

#include <windows.h>

constexpr UINT WM_PROJECT_CHANGED = WM_APP + 0x99;
constexpr UINT WM_CANVAS_COMMAND = WM_APP + 0x9A;
constexpr UINT WM_TILE_SELECTED = WM_APP + 0x9B;
constexpr UINT WM_FRAME_SHOWN = WM_APP + 0x9C;
constexpr UINT WM_EXPORT_AVI = WM_APP + 0x9D;
constexpr UINT WM_RECORD_OFFLINE = WM_APP + 0x9E;
constexpr UINT WM_NEXT_FRAME = WM_APP + 0x9F;
constexpr UINT WM_OPEN_TIME_TRIGGER = WM_APP + 0xA0;
constexpr UINT WM_SEEK_FRAME = WM_APP + 0xA1; // to the preview panel
constexpr UINT WM_RECORD_PROGRESS = WM_APP + 0xA1; // to the main frame
constexpr UINT WM_SLIDER_CLICKED = WM_APP + 0xA2;
constexpr UINT WM_CAPTURE_RECT_CHANGED = WM_APP + 0xA3;
constexpr UINT WM_SELECT_SEGMENT = WM_USER + 1000;
constexpr UINT WM_LANGUAGE_CHANGED = WM_USER + 1001;
constexpr UINT WM_EFFECT_DIALOG_CLOSED = WM_USER + 1002;
constexpr UINT WM_TRACKER_DONE = WM_USER + 1003;
constexpr UINT WM_SHOW_PROPERTIES = WM_USER + 1004;
constexpr UINT WM_VIEW_SELECTED = WM_USER + 1005;
constexpr UINT WM_TRACKER_MOVED = WM_USER + 1006;
constexpr UINT WM_OFFLINE_ENCRYPTION = WM_USER + 1009;
constexpr UINT WM_CAPTURE_FRAME_COUNT = WM_USER + 200;
constexpr UINT WM_VIEW_TIMING_CHANGED = 102; // document to property panel

// Sub-commands of WM_CANVAS_COMMAND that the document sends.
enum CanvasCommand {
    CANVAS_SET_WIDTH = 1,
    CANVAS_SET_HEIGHT = 2, // also rebuilds the frame buffers at the new size
    CANVAS_SET_FRAME_RATE = 3,
    CANVAS_SET_DOT_LAYOUT = 5,
    CANVAS_SET_BACKGROUND = 6,
    CANVAS_ZOOM_STEP = 22,
    CANVAS_ZOOM_CENTRE = 23,
    CANVAS_REBUILD_DOT_MASK = 24,
};

// Dialog identifiers of the effect editors, which they post back with
// WM_EFFECT_DIALOG_CLOSED.
enum EffectEditorId {
    IDD_EDITOR_COLOR_EFFECT = 346,
    IDD_EDITOR_VIDEO = 349,
    IDD_EDITOR_COLORFUL_WORDS = 426,
    IDD_EDITOR_SCAN_LINE = 456,
    IDD_EDITOR_IMAGE_SHOW = 457,
    IDD_EDITOR_COLOR_PLUS = 459,
    IDD_EDITOR_ANI_PREVIEW = 465,
    IDD_EDITOR_FLICKER_DOT = 467,
};

// Command identifiers of the document's message map.
enum DocumentCommand {
    ID_DOC_EXPORT_OFFLINE = 32778, // File menu items the document enables
    ID_DOC_EXPORT_AVI = 32779,
    ID_DOC_EDIT_MATERIAL = 32791,
    ID_DOC_MOVE_UP = 32786,
    ID_DOC_MOVE_DOWN = 32787,
    ID_DOC_COPY_NODE = 32788,
    ID_DOC_PASTE_NODE = 32789,
    ID_DOC_DELETE_NODE = 32790,
    ID_DOC_ADD_VIDEO = 32854,
    ID_DOC_ADD_COLORFUL_WORDS = 32856,
    ID_DOC_SCREEN_CAPTURE = 32857,
    ID_DOC_ADD_IMAGE_SHOW = 32858,
    ID_DOC_TREE_MOVE_UP = 32883, // the tree toolbar's own handlers act on these
    ID_DOC_TREE_DELETE = 32887,
    ID_DOC_PREV_SEGMENT = 32888,
    ID_DOC_PLAY = 32889,
    ID_DOC_PAUSE = 32890,
    ID_DOC_STOP = 32891,
    ID_DOC_NEXT_SEGMENT = 32892,
    ID_DOC_ZOOM_IN = 32893,
    ID_DOC_ZOOM_RESET = 32894,
    ID_DOC_ZOOM_OUT = 32895,
    ID_DOC_SHOW_MAKER = 32925,
    ID_DOC_MERGE_SAVE = 32928,
    ID_DOC_ADD_SCAN_LINE = 32946,
    ID_DOC_RENAME_NODE = 32985,
    ID_DOC_INSERT_SEGMENT = 32990,
    ID_DOC_ADD_COLOR_PLUS = 32993,
    ID_DOC_BUILT_IN_EFFECTS = 33009,
    ID_DOC_ADD_FLICKER_STAR = 33014,
};
