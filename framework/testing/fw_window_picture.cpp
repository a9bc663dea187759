// Pictures of windows for the dialog galleries.
#include "fw_window_picture.h"

#include "fw_testing.h"

namespace fwtest {

BOOL SaveWindowPicture(HWND wnd, const CString& path)
{
    ::SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    PumpPending();
    ::Sleep(100);
    PumpPending();
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
