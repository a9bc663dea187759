// Start-up values of the layout editor's editor-wide settings.
#include "EditorSettings.h"

int AlignToGrid = 1;
int LayoutWidth = 256;
int LayoutHeight = 128;
int WireSelectedPortDirectly = 0;
int ManualTracing = 0;
int LayoutLock = 0;

void ResetEditorSettings()
{
    AlignToGrid = 1;
    LayoutWidth = 256;
    LayoutHeight = 128;
    WireSelectedPortDirectly = 0;
    ManualTracing = 0;
    LayoutLock = 0;
}
