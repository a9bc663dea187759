// Saving and opening layouts in the current format ".lpx".
//
// WriteLayoutFile writes the model with the view's project settings and the
// editor-wide values (LampTypeList, GammaCurveTables, AlignToGrid,
// LayoutLock, WireSelectedPortDirectly, ManualTracing). It writes a
// temporary file beside the target and puts it in place only when the whole
// file was written, so a failed save leaves the previous layout as it was.
//
// ReadLayoutFile reads a file that carries the magic into the model; with a
// view it also restores the view's settings and the editor-wide values,
// without one (a template being previewed) only the template kind, the grid
// size and the ports. A refused file leaves everything unchanged.
#pragma once

#include <afx.h>

#include "LayoutFileFormat.h"

// What a reader with a view restores beyond the model; the layout view
// implements it.
class ILayoutFileView {
public:
    virtual ~ILayoutFileView() = default;
    virtual CLayoutProjectSettings& GetLayoutSettings() = 0;
    // Takes the new grid size (before the model stores it) and keeps the
    // editor-wide LayoutWidth and LayoutHeight equal to it.
    virtual void ResizeLayout(int width, int height) = 0;
};

// Fills five key bytes from a time-seeded generator (differs between calls).
void MakeLayoutKeyBytes(BYTE keyBytes[kLayoutKeyBytes]);

// Writes the layout to `path`; `keyBytes` pins the key (tests), nullptr
// draws fresh ones. Ok only when the file is complete in place. The file is
// streamed through a buffer of bounded size. On failure the user is told
// through ShowLayoutMessage. Unless the layout was refused or memory was
// short (also when the file could not be written), the background image
// path is stored as "strBKImg" in section "Layout" of "Other.ini" in the
// "Config" folder.
LayoutWriteResult WriteLayoutFile(const CLayoutData& model, const CString& path, const CLayoutProjectSettings& settings,
    const BYTE* keyBytes = nullptr);

// The model and the view's settings with the editor-wide values, as
// WriteLayoutFile stores them.
LayoutWriteSource EditorLayoutWriteSource(const CLayoutData& model, const CLayoutProjectSettings& settings);

// The bytes WriteLayoutFile would write, from the editor-wide values.
LayoutWriteResult BuildLayoutFileBytes(const CLayoutData& model, const CLayoutProjectSettings& settings,
    const BYTE keyBytes[kLayoutKeyBytes], std::vector<BYTE>& bytes);

// Reads the file into the model (and, with a view, its settings).
LayoutReadResult ReadLayoutFile(ILayoutFileView* view, const CString& path, CLayoutData& model);
// The same from bytes in memory.
LayoutReadResult ReadLayoutBytes(ILayoutFileView* view, const BYTE* data, size_t size, CLayoutData& model);

// Reads a whole file into memory; false when it cannot be opened or read.
bool ReadWholeFile(const CString& path, std::vector<BYTE>& bytes);
// True when the file starts with the magic "QVTNLAYOUT".
bool FileHasLayoutMagic(const CString& path);
