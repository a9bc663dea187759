// How the view, the document and the dialogs reach the list panel: they
// ask it to rebuild its tree, select a port's item or refill the lamp
// format list. Each call does nothing while no panel exists (a hidden run,
// a test without one).
#pragma once

void RebuildListPanelTree();
void SelectPortInListPanel(int port);
void FillListPanelLampTypes();
