// Pictures of windows for the dialog galleries.
#include "fw_window_picture.h"

#include "fw_testing.h"

namespace fwtest {

namespace {

BOOL CALLBACK NoteUnpainted(HWND child, LPARAM unpainted)
{
    if (::IsWindowVisible(child) && ::GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(unpainted) = true;
        return FALSE;
    }
    return TRUE;
}

// The window and every child of it have painted what they show.
bool HasPainted(HWND wnd)
{
    if (!::IsWindowVisible(wnd) || ::GetUpdateRect(wnd, nullptr, FALSE))
        return false;
    bool unpainted = false;
    ::EnumChildWindows(wnd, NoteUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted;
}

} // namespace

BOOL SaveWindowPicture(HWND wnd, const CString& path)
{
    // A modal dialog is asked for its picture from its first message, before
    // its loop has shown and painted it: the picture waits for both.
    ::SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    PumpUntil([wnd] { return HasPainted(wnd); }, 3000);
    // What was painted reaches the screen once the thread has been idle.
    for (int round = 0; round < 3; ++round) {
        ::Sleep(100);
        PumpPending();
    }
    RECT r;
    ::GetWindowRect(wnd, &r);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return FALSE;
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bmp = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    BOOL written = FALSE;
    if (bmp != nullptr && bits != nullptr) {
        HGDIOBJ old = ::SelectObject(mem, bmp);
        ::BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
        ::SelectObject(mem, old);
        const DWORD stride = ((w * 3 + 3) / 4) * 4;
        const DWORD size = stride * h;
        BITMAPFILEHEADER fh = {};
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof(fh) + sizeof(bi.bmiHeader);
        fh.bfSize = fh.bfOffBits + size;
        CFile file;
        if (file.Open(path, CFile::modeCreate | CFile::modeWrite)) {
            file.Write(&fh, sizeof(fh));
            file.Write(&bi.bmiHeader, sizeof(bi.bmiHeader));
            file.Write(bits, size);
            file.Close();
            written = TRUE;
        }
    }
    if (bmp != nullptr)
        ::DeleteObject(bmp);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    return written;
}

} // namespace fwtest
