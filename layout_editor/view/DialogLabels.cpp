// Relabelling of layout editor dialogs (see DialogLabels.h).
#include "DialogLabels.h"

#include "LayoutLangText.h"

void ApplyLayoutLabels(CWnd& dialog, std::initializer_list<LayoutLabel> labels)
{
    for (const LayoutLabel& label : labels) {
        const CString text = GetLangText(L"LAYOUT", label.key);
        if (text.IsEmpty())
            continue;
        if (label.id == 0)
            dialog.SetWindowText(text);
        else
            dialog.SetDlgItemText(label.id, text);
    }
}
