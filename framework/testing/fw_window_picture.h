// Pictures of windows for a person to look at: a dialog gallery brings the
// window to the front, lets it paint and saves what the screen shows of it.
#pragma once

#include <afxwin.h>

namespace fwtest {

// Brings wnd to the front, repaints it and saves its screen rectangle as a
// 24-bit BMP file; FALSE when the file could not be written.
BOOL SaveWindowPicture(HWND wnd, const CString& path);

} // namespace fwtest
