// Labels that a window cuts: for the language sweeps, every static text,
// push button, check box, radio button and group box caption of a dialog,
// and every item and edit text of a combo box, is measured with the font the
// control draws with, against the room the control gives its text, the way
// the controls lay out their labels.
#pragma once

#include <afxwin.h>

#include <string>
#include <vector>

namespace fwtest {

// Which text of the control is cut.
enum class CutPart {
    Label, // the control's own text
    Item, // an item of a combo box's list
    EditText, // the text in a combo box's edit box
};

struct CCutLabel {
    UINT nID = 0; // control id
    CutPart part = CutPart::Label;
    CString strText; // the label
    CSize sizeNeeded; // what the text takes
    CSize sizeRoom; // what the control gives it
};

// The labels among wnd's shown child controls (hidden ones and empty texts
// are left out) whose text does not fit the control: wider than a
// single-line label's room, or, for a label that wraps, needing more lines
// than its height holds or a word wider than the control; a combo box's list
// item wider than the box it shows in when chosen, or the text of its edit
// box wider than the edit box.
std::vector<CCutLabel> FindCutLabels(HWND wnd);

// "control 1012 \"text\" needs 120 x 26, has 100 x 13" ("control 1012 item
// \"text\" ...", "control 1012 edit text \"text\" ..." for a combo box).
CString DescribeCutLabel(const CCutLabel& label);

// DescribeCutLabel of each, one indented line each, UTF-8.
std::string DescribeCutLabels(const std::vector<CCutLabel>& cut);

} // namespace fwtest
