// The check boxes of a report list (the adjustment dialog's channels, the
// per-lamp format list): reading and writing them as a whole, and the
// select-all, deselect, interval and invert buttons both dialogs share.
#pragma once

#include <afxcmn.h>

#include <vector>

std::vector<bool> GetRowChecks(const CListCtrl& list);
void SetRowChecks(CListCtrl& list, const std::vector<bool>& checks);
// Checks rows first..last (counted from 1; held to the list).
void CheckRowRange(CListCtrl& list, int first, int last);

// The shared buttons. The questions go to the user through the UI host
// (caption "Tip", Yes and No); No changes nothing.
void AskCheckAll(CWnd& owner, CListCtrl& list, bool check);
// Repeats the checked pattern every `gap` rows after asking; a negative gap
// or one longer than the list is refused with a message.
void AskIntervalSelection(CWnd& owner, CListCtrl& list, int gap);
void InvertRowChecks(CListCtrl& list);
