// 32-bit DIB sections and the view buffers built on them.
#include "drawing_helpers.h"

HBITMAP CreateDib32(int width, int height, void** ppBits)
{
    if (ppBits != nullptr)
        *ppBits = nullptr;
    if (width <= 0 || height <= 0)
        return nullptr;
    BITMAPINFO bi {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = height; // positive: rows run bottom-up
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr)
        return nullptr;
    if (ppBits != nullptr)
        *ppBits = bits;
    return bitmap;
}

void CreateDibBuffer(DibBuffer& buffer, int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    ReleaseDibBuffer(buffer);

    const HWND desktop = ::GetDesktopWindow();
    const HDC desktopDC = ::GetDC(desktop);
    if (desktopDC == nullptr)
        return;
    const HDC memDC = ::CreateCompatibleDC(desktopDC);
    void* bits = nullptr;
    const HBITMAP dib = memDC != nullptr ? CreateDib32(width, height, &bits) : nullptr;
    if (dib == nullptr) {
        // Leave the buffer empty rather than half made.
        if (memDC != nullptr)
            ::DeleteDC(memDC);
        ::ReleaseDC(desktop, desktopDC);
        return;
    }
    auto* dc = new CDC;
    dc->Attach(memDC);
    buffer.m_pMemDC = dc;
    buffer.m_hDesktopDC = desktopDC;
    buffer.m_hDib = dib;
    buffer.m_pBits = bits;
    buffer.m_hOldBitmap = ::SelectObject(memDC, dib);
}

void ReleaseDibBuffer(DibBuffer& buffer)
{
    if (buffer.m_pMemDC != nullptr) {
        const HDC memDC = buffer.m_pMemDC->GetSafeHdc();
        if (memDC != nullptr && buffer.m_hOldBitmap != nullptr)
            ::SelectObject(memDC, buffer.m_hOldBitmap);
        delete buffer.m_pMemDC; // deletes the memory DC
    }
    if (buffer.m_hDib != nullptr)
        ::DeleteObject(buffer.m_hDib);
    // The desktop DC goes back to the system as soon as the buffer is done
    // with it: a buffer released without a main window (worker threads,
    // tests, shutdown) would otherwise keep it for good.
    if (buffer.m_hDesktopDC != nullptr)
        ::ReleaseDC(::GetDesktopWindow(), buffer.m_hDesktopDC);
    buffer.m_pMemDC = nullptr;
    buffer.m_hDesktopDC = nullptr;
    buffer.m_hDib = nullptr;
    buffer.m_hOldBitmap = nullptr;
    buffer.m_pBits = nullptr;
}
