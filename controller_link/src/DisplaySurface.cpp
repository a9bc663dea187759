// The display surface record (see DisplaySurface.h).
#include "DisplaySurface.h"

int DisplaySurface::RoundBitsPerPixel(int bits)
{
    if (bits <= 1)
        return 1;
    if (bits <= 4)
        return 4;
    if (bits <= 8)
        return 8;
    if (bits < 25)
        return 24;
    return 32;
}

bool DisplaySurface::Create()
{
    Release();
    m_displayDC = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
    if (!m_displayDC)
        return false;
    m_memoryDC[0] = CreateCompatibleDC(m_displayDC);
    m_memoryDC[1] = CreateCompatibleDC(m_displayDC);
    m_bitsPerPixel = RoundBitsPerPixel(GetDeviceCaps(m_displayDC, PLANES) * GetDeviceCaps(m_displayDC, BITSPIXEL));
    return true;
}

void DisplaySurface::Release()
{
    for (HDC& dc : m_memoryDC) {
        if (dc)
            DeleteDC(dc);
        dc = nullptr;
    }
    if (m_displayDC)
        DeleteDC(m_displayDC);
    m_displayDC = nullptr;
    m_buffer.clear();
    m_buffer.shrink_to_fit();
}
