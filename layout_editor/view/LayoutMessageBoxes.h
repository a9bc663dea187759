// Shows the layout file code's messages (a save that failed, memory that ran
// out) in message boxes on the editor's main window, through the UI host.
#pragma once

// Installs the message-box handler unless another handler is installed
// already (a test's recorder, say).
void InstallLayoutMessageBoxes();

// Shows a language or fixed text with a caption on the main window; with no
// caption, the application's own message box (its title as caption).
void ShowLayoutMessageBox(LPCWSTR text, LPCWSTR caption);
