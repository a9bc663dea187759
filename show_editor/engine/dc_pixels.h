// Direct access to the pixels of the 32-bit DIB section selected into a
// memory device context, for drawing steps that work pixel by pixel rather
// than through GDI or GDI+ calls.
#pragma once

#include <afx_gdi.h>

struct DcPixels {
    DWORD* bits = nullptr; // null when the context has no 32-bit DIB section
    int width = 0;
    int height = 0;
    bool bottomUp = true;

    // Row y (0 = top) of the bitmap.
    DWORD* Row(int y) const { return bits + static_cast<size_t>(bottomUp ? height - 1 - y : y) * width; }
};

// The pixels of the bitmap selected into pDC, after pending GDI drawing has
// been flushed. Empty (bits null) for a context without a 32-bit DIB section
// or one whose logical coordinates are not its device pixels (a mapping
// mode, a moved origin or a world transform).
DcPixels PixelsOfDC(CDC* pDC);
