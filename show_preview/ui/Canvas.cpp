// The preview's picture window and magnifier window (see Canvas.h).
#include "Canvas.h"

#include <algorithm>
#include <cstring>

#include "Magnifier.h"

bool CBackBuffer::Rebuild(HWND window, CSize size)
{
    Release();
    m_screenWindow = GetDesktopWindow();
    m_screenDC = ::GetDC(m_screenWindow);
    if (m_screenDC == nullptr) {
        m_screenWindow = window;
        m_screenDC = ::GetDC(window);
    }
    if (m_screenDC == nullptr)
        return false;
    m_memoryDC = CreateCompatibleDC(m_screenDC);
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = std::max<LONG>(size.cx, 1);
    info.bmiHeader.biHeight = std::max<LONG>(size.cy, 1);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(m_memoryDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (m_memoryDC == nullptr || m_bitmap == nullptr) {
        Release();
        return false;
    }
    m_previous = SelectObject(m_memoryDC, m_bitmap);
    m_pixels = static_cast<BYTE*>(bits);
    m_size = CSize(info.bmiHeader.biWidth, info.bmiHeader.biHeight);
    return true;
}

void CBackBuffer::Release()
{
    if (m_memoryDC != nullptr && m_previous != nullptr)
        SelectObject(m_memoryDC, m_previous);
    if (m_bitmap != nullptr)
        DeleteObject(m_bitmap);
    if (m_memoryDC != nullptr)
        DeleteDC(m_memoryDC);
    if (m_screenDC != nullptr)
        ::ReleaseDC(m_screenWindow, m_screenDC);
    m_memoryDC = nullptr;
    m_screenDC = nullptr;
    m_screenWindow = nullptr;
    m_bitmap = nullptr;
    m_previous = nullptr;
    m_pixels = nullptr;
    m_size = CSize(0, 0);
}

BEGIN_MESSAGE_MAP(CCanvas, CStatic)
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_DESTROY()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CCanvas::RebuildBackBuffer()
{
    CRect client;
    GetClientRect(&client);
    m_buffer.Rebuild(m_hWnd, client.Size());
}

void CCanvas::OnSize(UINT nType, int cx, int cy)
{
    CStatic::OnSize(nType, cx, cy);
    // Only a new size makes a new buffer: the playback thread may be filling
    // the current one while the canvas is dragged about.
    if (!m_buffer.Exists() || m_buffer.Size() != CSize(cx, cy))
        RebuildBackBuffer();
}

bool CCanvas::CopyPicture(const BYTE* pixels, CSize size)
{
    if (!m_buffer.Exists() || pixels == nullptr)
        return false;
    GdiFlush();
    const CSize buffer = m_buffer.Size();
    const int width = std::min(size.cx, buffer.cx);
    const int rows = std::min(size.cy, buffer.cy);
    // Both are bottom-up; the picture's top row meets the buffer's top row.
    for (int y = 0; y < rows; ++y) {
        const int from = size.cy - 1 - y;
        const int to = buffer.cy - 1 - y;
        std::memcpy(m_buffer.Pixels() + static_cast<std::size_t>(to) * buffer.cx * 4,
            pixels + static_cast<std::size_t>(from) * size.cx * 4, static_cast<std::size_t>(width) * 4);
    }
    return true;
}

void CCanvas::OnPaint()
{
    CPaintDC dc(this);
    if (!m_buffer.Exists())
        return;
    CRect client;
    GetClientRect(&client);
    BitBlt(dc.m_hDC, 0, 0, client.Width(), client.Height(), m_buffer.DC(), 0, 0, SRCCOPY);
}

BOOL CCanvas::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CCanvas::OnDestroy()
{
    m_buffer.Release();
    CStatic::OnDestroy();
}

BEGIN_MESSAGE_MAP(CSnapViewer, CStatic)
ON_WM_PAINT()
ON_WM_DESTROY()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CSnapViewer::RebuildBackBuffer()
{
    CRect client;
    GetClientRect(&client);
    if (!m_buffer.Rebuild(m_hWnd, client.Size()))
        return;
    CDC* dc = CDC::FromHandle(m_buffer.DC());
    dc->FillSolidRect(CRect(CPoint(0, 0), m_buffer.Size()), preview::kPreviewGrey);
}

void CSnapViewer::OnPaint()
{
    CPaintDC dc(this);
    if (!m_buffer.Exists())
        return;
    CRect client;
    GetClientRect(&client);
    BitBlt(dc.m_hDC, 0, 0, client.Width(), client.Height(), m_buffer.DC(), 0, 0, SRCCOPY);
}

BOOL CSnapViewer::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CSnapViewer::OnDestroy()
{
    m_buffer.Release();
    CStatic::OnDestroy();
}
