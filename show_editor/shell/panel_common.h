// What the three panels of the main window share: their title bar, their
// document, the language texts they read through the document's host, the
// framed background of the two left panels and the label of a segment.
#pragma once

#include <afxwin.h>

#include "my_title_bar.h"

class CDornelDoc;
class QvSegmentGourp;

// The title bar of a panel: the owner-drawn bar with the panel's title.
using CPanelTitleBar = CMyTitleBar;

constexpr UINT kTitleBarId = 0xFFFF;
constexpr int kTitleBarHeight = 20;

// The panel's document when it is the program's own document, else nullptr.
CDornelDoc* PanelDornelDoc(CDocument* doc);

// The language text of section and key, or fallback when it is empty.
CString PanelLangText(CDornelDoc* doc, LPCTSTR section, int key, LPCTSTR fallback);

// Fills the clip box with RGB(220, 220, 220) and frames the region from one
// pixel left of the clip box to its right and bottom edges with a 3-pixel
// RGB(85, 85, 85) frame.
void EraseFramedPanelBackground(CDC* pDC);

// The segment word ("片段" or ITEM_TITLE 1) followed by number as "_%02d".
CString DefaultSegmentLabel(CDornelDoc* doc, int number);

// The name a program of this kind is shown with while it has none of its
// own: the kind's word from the language file (built-in Chinese when the file
// has none) followed by number as "_%02d"; empty for kinds without one.
CString DefaultProgramLabel(CDornelDoc* doc, int programType, int number);

// Timed play switched on or any holiday chosen.
bool IsSegmentTimed(const QvSegmentGourp* segment);
