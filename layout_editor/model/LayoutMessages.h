// How the layout file code tells the user about a failed save. The code
// itself opens no windows: the editor installs a handler that shows a
// message box; without one nothing is shown (tests install a recorder).
#pragma once

#include <afx.h>

// caption nullptr: the application's own message box (its title as caption).
using LayoutMessageHandler = void (*)(LPCWSTR text, LPCWSTR caption);

// Installs the handler (nullptr: none); returns the previous one.
LayoutMessageHandler SetLayoutMessageHandler(LayoutMessageHandler handler);
// Hands the message to the installed handler, if any.
void ShowLayoutMessage(LPCWSTR text, LPCWSTR caption);
