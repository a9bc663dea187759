// The layout editor's visual styles: colour schemes of its own for the
// menu bar, the toolbar, the status bar and the list pane, one per style
// command of the View menu (205 to 219; the menu offers 208 and 215 to 218).
#pragma once

#include <afxwin.h>

struct PannexLook {
    COLORREF bars; // toolbar and status bar face
    COLORREF pane; // list pane face and edge
    COLORREF menuBar; // the frame's menu bar
};

// The scheme of a style command; an id outside 205..219 gets the scheme of
// the 2007 blue style, as an unknown stored look did.
PannexLook PannexLookOf(UINT command);
