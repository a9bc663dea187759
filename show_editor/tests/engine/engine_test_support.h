// Shared pieces of the engine tests: GDI+ started for the whole run, a 32-bit
// canvas selected into a memory DC with its pixels read from memory, GDI
// object counting, and test images written with the GDI+ encoders.
#pragma once

#include "drawing_helpers.h"

#include <functional>
#include <vector>
#include <string>

namespace enginetest {

// A width x height 32-bit DIB selected into a memory DC.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(1, 2, 3));
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    CDC* dc() { return &m_dc; }
    void Fill(COLORREF color);
    COLORREF At(int x, int y) const;
    // Raw 32-bit value of a pixel (blue, green, red, fourth byte).
    DWORD Raw(int x, int y) const;
    // Row 0 as colours.
    std::vector<COLORREF> Row(int y = 0) const;

    int width, height;

private:
    CDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    DWORD* m_bits = nullptr;
};

DWORD GdiObjectCount();

// Image formats the tests write.
enum class ImageFormat { Bmp, Png, Jpeg, Gif };

// Writes a width x height image whose pixel (x, y) is color(x, y) to a file in
// the test's temporary folder and returns its path.
std::wstring WriteImage(
    const wchar_t* name, int width, int height, ImageFormat format, const std::function<COLORREF(int, int)>& color);

// Four quadrants split at the middle: red top left, green top right, blue
// bottom left, yellow bottom right.
COLORREF Quadrant(int x, int y, int width, int height);

// Each channel within tolerance.
bool Near(COLORREF a, COLORREF b, int tolerance);

std::string Show(COLORREF c);

} // namespace enginetest
