// An off-screen 32-bit drawing surface of a view. The drawing helpers create
// and release it; the record itself only holds the handles.
#pragma once

#include <windows.h>

class CDC;

struct DibBuffer {
    CDC* m_pMemDC = nullptr; // owned memory device context
    HDC m_hDesktopDC = nullptr; // desktop context it was made compatible with (borrowed)
    HBITMAP m_hDib = nullptr; // owned 32-bit bottom-up DIB section
    HGDIOBJ m_hOldBitmap = nullptr; // selected into the memory context before the DIB
    void* m_pBits = nullptr; // the DIB's pixel memory, 4 bytes per pixel

    bool IsEmpty() const { return m_pMemDC == nullptr && m_hDib == nullptr; }
};
