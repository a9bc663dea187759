// Relabels controls of a layout editor dialog from LAYOUT texts of the
// language file through the framework's ApplyLabel (fw_labels.h); a missing
// text keeps the resource text.
#pragma once

#include <afxwin.h>

#include <initializer_list>

struct LayoutLabel {
    int id; // control id, or 0 for the dialog's caption
    int key; // LAYOUT key
};

void ApplyLayoutLabels(CWnd& dialog, std::initializer_list<LayoutLabel> labels);
