// A picture the size of (part of) the layout view, drawn off the screen: a
// memory context like the reference one with a compatible bitmap selected,
// both freed with it.
#pragma once

#include <afxwin.h>

class CViewPicture {
public:
    CViewPicture(HDC reference, int width, int height)
        : m_width(width)
        , m_height(height)
    {
        m_dc = ::CreateCompatibleDC(reference);
        m_bitmap = m_dc != nullptr ? ::CreateCompatibleBitmap(reference, width, height) : nullptr;
        if (m_bitmap != nullptr)
            m_old = ::SelectObject(m_dc, m_bitmap);
    }
    ~CViewPicture()
    {
        if (m_bitmap != nullptr) {
            ::SelectObject(m_dc, m_old);
            ::DeleteObject(m_bitmap);
        }
        if (m_dc != nullptr)
            ::DeleteDC(m_dc);
    }
    CViewPicture(const CViewPicture&) = delete;
    CViewPicture& operator=(const CViewPicture&) = delete;

    // False when the context or the bitmap could not be made.
    bool IsReady() const { return m_bitmap != nullptr; }
    bool Fits(int width, int height) const { return IsReady() && m_width == width && m_height == height; }
    HDC Dc() const { return m_dc; }
    // Copies the same area of `source` into the picture, or the picture onto `target`.
    bool CopyFrom(HDC source) const { return ::BitBlt(m_dc, 0, 0, m_width, m_height, source, 0, 0, SRCCOPY) != FALSE; }
    bool CopyTo(HDC target) const { return ::BitBlt(target, 0, 0, m_width, m_height, m_dc, 0, 0, SRCCOPY) != FALSE; }

private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
};
