// The display surface record of a screen: a device context for the whole
// display, two memory device contexts compatible with it and the display's
// bits per pixel rounded to 1, 4, 8, 24 or 32. Built on demand; releasing it
// deletes the device contexts and the buffer.
#pragma once

#include <windows.h>

#include <vector>

class DisplaySurface {
public:
    DisplaySurface() = default;
    ~DisplaySurface() { Release(); }
    DisplaySurface(const DisplaySurface&) = delete;
    DisplaySurface& operator=(const DisplaySurface&) = delete;

    // Creates the device contexts and reads the display depth.
    bool Create();
    void Release();

    static int RoundBitsPerPixel(int bits);

    HDC m_displayDC = nullptr;
    HDC m_memoryDC[2] = { nullptr, nullptr };
    int m_bitsPerPixel = 0;
    COLORREF m_colour = 0xFF0000;
    std::vector<unsigned char> m_buffer;
};
