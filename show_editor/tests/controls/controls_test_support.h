// A top-level host window for the small controls' tests: it records the
// messages the controls post to their parent.
#pragma once

#include <afxwin.h>

#include <vector>

struct CRecordedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class CControlHostWnd : public CWnd {
public:
    explicit CControlHostWnd(std::vector<UINT> watched)
        : m_watched(std::move(watched))
    {
        CreateEx(0, nullptr, L"host", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr);
    }
    ~CControlHostWnd() override
    {
        if (GetSafeHwnd() != nullptr)
            DestroyWindow();
    }
    std::vector<CRecordedMessage> m_seen;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        for (UINT w : m_watched)
            if (w == message) {
                m_seen.push_back({ message, wParam, lParam });
                return 0;
            }
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    std::vector<UINT> m_watched;
};

// A 32-bit memory bitmap in its own DC, for pixel checks.
class CPixelCanvas {
public:
    CPixelCanvas(int cx, int cy, COLORREF fill = RGB(0, 0, 0))
    {
        m_dc.CreateCompatibleDC(nullptr);
        BITMAPINFO bi {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = cx;
        bi.bmiHeader.biHeight = -cy;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_bitmap = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_old = ::SelectObject(m_dc.GetSafeHdc(), m_bitmap);
        m_dc.FillSolidRect(0, 0, cx, cy, fill);
        DefaultColours();
    }
    ~CPixelCanvas()
    {
        ::SelectObject(m_dc.GetSafeHdc(), m_old);
        ::DeleteObject(m_bitmap);
    }
    CPixelCanvas(const CPixelCanvas&) = delete;
    CPixelCanvas& operator=(const CPixelCanvas&) = delete;
    CDC& Dc() { return m_dc; }
    // Leaves the DC with the default text colours, as a paint DC has them.
    void DefaultColours()
    {
        m_dc.SetBkColor(RGB(255, 255, 255));
        m_dc.SetTextColor(RGB(0, 0, 0));
    }
    COLORREF At(int x, int y) { return m_dc.GetPixel(x, y); }
    HBITMAP Bitmap() const { return m_bitmap; }

private:
    CDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};

// A 32-bit picture of one colour, selected into no DC (so a control can).
inline HBITMAP MakeSolidBitmap(int cx, int cy, COLORREF colour)
{
    BITMAPINFO bi {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = -cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<DWORD*>(bits);
    DWORD bgr = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    for (int i = 0; i < cx * cy; ++i)
        pixels[i] = bgr;
    return bitmap;
}
