// The message boxes of the hardware and output code go through this one
// function, so that tests can answer them instead of a person.
#pragma once

#include <windows.h>

// Shows a message box with the text, caption and MessageBox flags; returns
// the button pressed (IDOK, IDYES, IDNO, ...).
int ShowOutputMessage(LPCWSTR text, LPCWSTR caption, UINT type);

using OutputMessageHandler = int (*)(LPCWSTR text, LPCWSTR caption, UINT type);
// Replaces the message box with a handler (nullptr restores the box);
// returns the previous handler.
OutputMessageHandler SetOutputMessageHandler(OutputMessageHandler handler);
