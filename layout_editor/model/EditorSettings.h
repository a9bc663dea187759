// Editor-wide settings of the layout editor that the layout model reads and
// both layout file formats store. The view and the file readers set them.
#pragma once

// Lamps sit on cell centres: a moved lamp takes its normalised position from
// its cell. When 0 the cell follows the normalised position.
extern int AlignToGrid;

// Layout size in cells, kept equal to the model's width and height.
extern int LayoutWidth;
extern int LayoutHeight;

// Wiring flags of the editor, stored in the layout files.
extern int WireSelectedPortDirectly;
extern int ManualTracing;

// Layout lock flag, stored in the current layout format.
extern int LayoutLock;

// Puts every setting back to its start-up value.
void ResetEditorSettings();
