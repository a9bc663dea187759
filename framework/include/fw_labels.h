// Our addition: relabelling a window's controls from the language files.
// A dialog names its labels in one table (control id, section, key) and
// hands it, with the source of its texts, to ApplyLabels. A text the source
// does not have (empty) keeps the text the control got from its resource,
// so a language file that lacks a key never blanks a label.
#pragma once

#include "afxwin.h"

#include <functional>
#include <span>

// One control to relabel: nID 0 is the window's own caption.
struct CtrlLabel {
    int nID;
    LPCTSTR lpszSection;
    int nKey;
};

// Text of a key in a section of the language file; empty when missing.
using LabelTextSource = std::function<CString(LPCTSTR lpszSection, int nKey)>;

// Sets the text of every listed control that exists and has a text in the
// source; the others keep theirs. Nothing happens without a source.
void AFXAPI ApplyLabels(CWnd& wnd, const LabelTextSource& text, std::span<const CtrlLabel> labels);

// Sets one control's text (nID 0: the caption) unless text is empty.
// TRUE when the text was set.
BOOL AFXAPI ApplyLabel(CWnd& wnd, int nID, const CString& text);
