// The message boxes of the hardware and output code go through this one
// function and from it through the framework's UI host, so that tests
// answer them with a scripted host.
#pragma once

#include <windows.h>

// Shows a message box with the text, caption and MessageBox flags, owned by
// the active top-level window; returns the button pressed (IDOK, IDYES, ...).
int ShowOutputMessage(LPCWSTR text, LPCWSTR caption, UINT type);
