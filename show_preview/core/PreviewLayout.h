// The layout as the preview draws it: the grid size and, for every
// controller of a layout file, a port record whose lamp groups say which
// grid cells the lamps of each output light and in which colour order their
// bytes come. The records are the controller library's own (ControllerLayout
// with one PortOutput per port that has lamps), built with its helpers from
// either layout format as the layout editor's readers parse it.
//
// A layout is read aside and handed over only when the whole file was good:
// a refused file leaves the previous layout as it was.
#pragma once

#include <afx.h>

#include <vector>

#include "ControllerLayout.h"

namespace preview {

// Most pixels of a layout's grid: the picture of a frame is this big.
constexpr long long kMaxLayoutPixels = 16LL * 1024 * 1024;
constexpr int kLayoutBitsPerPixel = 32;
// Entries of a port's brightness and gamma tables the preview takes.
constexpr int kPreviewTableEntries = 5000;

struct PreviewLayout {
    int width = 0;
    int height = 0;
    // One record per controller of the file; record r serves the show
    // file's port r + 1.
    std::vector<ControllerLayout> records;
    int portCount = 0; // the layout's port count (kept, not drawn)
    int channelsPerPort = 0; // kept, not drawn
    CString typeText; // the project type, then the first port's lamp type
    BYTE bitsPerPixel = kLayoutBitsPerPixel;
};

// Reads a layout file of either format. False when it cannot be opened, is
// empty or is refused; `layout` is then unchanged. The file is only read:
// a scrambled archive is unscrambled in memory.
bool ReadPreviewLayout(const CString& path, PreviewLayout& layout);

// The same from bytes in memory (a scrambled archive is unscrambled first);
// `wasPlainArchive` tells whether they were an unscrambled archive.
bool ReadPreviewLayoutBytes(std::vector<BYTE> bytes, PreviewLayout& layout, bool* wasPlainArchive = nullptr);

} // namespace preview
