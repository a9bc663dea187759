// State of one run of the layout editor that the document, the main frame
// and the start-up code share: the window of the program that started the
// editor (the replies go there) and the flag that the start-up code loads a
// file named on the command line itself.
#pragma once

#include <afx.h>

// The caller's window from the command line; nullptr when the editor was
// started on its own.
void SetCallerWindow(HWND hWnd);
HWND GetCallerWindow();

// While set, the framework's open of the command-line file is skipped.
void SetStartupFilePending(bool pending);
bool IsStartupFilePending();

// Sends the caller WM_COPYDATA with first parameter 0 and the record
// {0, (length + 1) x 2, the text as UTF-16 with its terminating zero},
// synchronously. Nothing is sent without a caller window; true when sent.
bool SendTextToCaller(LPCWSTR text);
// Lets the caller's process bring its window to the front once the editor
// has gone (the editor holds the foreground until then); nothing without a
// caller window.
void HandCallerTheForeground();
