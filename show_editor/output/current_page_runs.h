// How the chip parameter page runs the channel current and backup output
// dialogs: the page's values go in, and only OK writes the dialog's values
// back. One call per page button, so that the page stays a one-liner and
// the hand-over can be tested without the page.
#pragma once

#include "current_dialogs.h"

// The values of the page that the current dialogs edit (the page's and the
// hardware configuration's fields of the same names).
struct ChipCurrentValues {
    BYTE CurrentA = 10;
    BYTE CurrentB = 10;
    BYTE CurrentC = 10;
    // R, G, B, W; for the SM16803P the three currents and the REXT choice.
    BYTE ChipCurrents[4] = { 27, 27, 27, 27 };
    int Ucs5603HighCurrent = 0;
};

// The dialog kind of a chip for the current button: 0 none, 1 the A/B/C
// dialog, 2 the four-channel dialog (kind in chipKind), 3 the REXT dialog.
int ChipCurrentDialogFor(const CString& chip, BYTE& chipKind);

// The current button: runs the chip's dialog; TRUE when it ended with OK
// and the values were written back.
BOOL RunChipCurrentDialog(CWnd* pParent, const CString& chip, const ConfigTextSource& text, ChipCurrentValues& values);
// The twelve-current button.
BOOL RunTwelveCurrentDialog(CWnd* pParent, const ConfigTextSource& text, BYTE (&currents)[12]);
// The backup output button.
BOOL RunBackupOutputDialog(
    CWnd* pParent, int& backupMode, int& idleHigh, const ConfigTextSource& text = ConfigTextSource());
