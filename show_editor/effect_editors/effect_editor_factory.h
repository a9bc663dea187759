// Making the effect editors the document asks its host for: the editor of
// a request's dialog identifier, given the document and its start values and
// created modeless, owned by the main window (not yet shown: the document
// shows and centres it).
#pragma once

#include "dornel_doc.h"

// The editor, or null for an identifier this library does not build or a
// window that could not be created. templateFileIndex: the template file
// picked before a new colour effect (-1 for none).
CEffectEditor* CreateEffectEditorWindow(
    CDornelDoc& doc, const EffectEditorRequest& request, CWnd* owner, int templateFileIndex = -1);
