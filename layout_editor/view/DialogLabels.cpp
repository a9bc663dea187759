// Relabelling of layout editor dialogs (see DialogLabels.h).
#include "DialogLabels.h"

#include <fw_labels.h>

#include "LayoutLangText.h"

void ApplyLayoutLabels(CWnd& dialog, std::initializer_list<LayoutLabel> labels)
{
    for (const LayoutLabel& label : labels)
        ApplyLabel(dialog, label.id, GetLangText(L"LAYOUT", label.key));
}
