// Progress of the DXF import and export, sent to a progress-bar control
// that may be null.
#pragma once

#include <afx.h>

#include <commctrl.h>

inline void DxfSetProgressRange(HWND bar, int lower, int upper)
{
    if (bar != nullptr)
        ::SendMessageW(bar, PBM_SETRANGE32, static_cast<WPARAM>(lower), static_cast<LPARAM>(upper));
}

inline void DxfSetProgressPos(HWND bar, int pos)
{
    if (bar != nullptr)
        ::SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(pos), 0);
}
