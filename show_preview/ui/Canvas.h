// CCanvas: the child window that shows the preview's picture at one window
// pixel per picture pixel, from a 32-bit back buffer of its client size that
// the playback thread fills. CSnapViewer, the magnifier window, keeps the
// same kind of back buffer.
#pragma once

#include <afxwin.h>

// A 32-bit bottom-up DIB section selected into a memory DC.
class CBackBuffer {
public:
    CBackBuffer() = default;
    ~CBackBuffer() { Release(); }
    CBackBuffer(const CBackBuffer&) = delete;
    CBackBuffer& operator=(const CBackBuffer&) = delete;

    // Makes a buffer of `size` compatible with the desktop's DC (the
    // window's own when that fails); the pixels are not cleared.
    bool Rebuild(HWND window, CSize size);
    void Release();
    bool Exists() const { return m_memoryDC != nullptr; }
    HDC DC() const { return m_memoryDC; }
    BYTE* Pixels() const { return m_pixels; }
    CSize Size() const { return m_size; }

private:
    HDC m_memoryDC = nullptr;
    HDC m_screenDC = nullptr;
    HWND m_screenWindow = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    BYTE* m_pixels = nullptr;
    CSize m_size { 0, 0 };
};

class CCanvas : public CStatic {
public:
    CCanvas() = default;

    // Copies a bottom-up 32-bit picture into the back buffer at (0, 0),
    // clipped to the buffer; false without a back buffer.
    bool CopyPicture(const BYTE* pixels, CSize size);
    CBackBuffer& BackBuffer() { return m_buffer; }
    void RebuildBackBuffer();

protected:
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    void OnDestroy();
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    CBackBuffer m_buffer;
};

class CSnapViewer : public CStatic {
public:
    CSnapViewer() = default;
    CBackBuffer& BackBuffer() { return m_buffer; }
    // Rebuilds the back buffer at the client size and clears it to grey.
    void RebuildBackBuffer();

protected:
    void OnPaint();
    void OnDestroy();
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    CBackBuffer m_buffer;
};
