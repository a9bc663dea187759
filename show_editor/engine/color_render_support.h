// Pieces the colour-effect styles share: 32-bit drawing surfaces with their
// pixels in memory, the clip box, solid fills that leave the device context's
// state alone, the strip window painted at a strip position, the halftone
// stretch of a one-pixel row, and saturating float-to-integer conversions.
// Used by the colour-effect renderer's files only.
#pragma once

#include "color_animation_render.h"

#include <memory>
#include <vector>

namespace colorrender {

// A width x height 32-bit DIB selected into a memory DC of its own. Pixels are
// 0x00RRGGBB; rows are kept top-down in memory order via Row().
class CRenderSurface {
public:
    CRenderSurface(int width, int height);
    ~CRenderSurface();
    CRenderSurface(const CRenderSurface&) = delete;
    CRenderSurface& operator=(const CRenderSurface&) = delete;

    bool IsValid() const { return m_bits != nullptr; }
    CDC* DC() { return &m_dc; }
    HBITMAP Bitmap() const { return m_bitmap; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Row y (0 = top) after any pending GDI drawing has been flushed.
    DWORD* Row(int y);

private:
    int m_width = 0;
    int m_height = 0;
    CDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    DWORD* m_bits = nullptr;
};

CRect ClipBoxOf(CDC* pDC);

// Fills the rectangle with a solid brush; the DC's colours and objects stay as they were.
void FillColor(CDC* pDC, const CRect& rect, COLORREF color);

// Windows RGB to and from the 0x00RRGGBB pixels of a DIB.
inline DWORD PixelOf(COLORREF color)
{
    return (static_cast<DWORD>(GetRValue(color)) << 16) | (static_cast<DWORD>(GetGValue(color)) << 8)
        | GetBValue(color);
}
inline COLORREF ColorOfPixel(DWORD pixel)
{
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

// floor and ceil of a float as an int, NaN giving 0 and values beyond the
// int range the nearest int.
int FloorToInt(double value);
int CeilToInt(double value);

// A zoom factor the strip styles can lay out: a positive, finite number.
bool UsableZoom(float zoom);

// Colour steps of a strip window: ceil(extent / (zoom * 256)) with the
// quotient a float, 0 (or less) becoming 1, and capped so that the strip of
// 2k steps stays a size a bitmap can have.
int WindowSteps(double extent, float zoom);

// The strip of an effect at strip position P, `length` pixels long (at least):
// row 0 of a new surface holds strip position P - (P mod 256) + x at x,
// painted by DrawTemplateStrip from the template and colour step that hold P,
// black where the templates hold no colour at all. Invalid when length is 0
// or less or the bitmap cannot be made.
struct PaintedStrip {
    explicit PaintedStrip(const ColorTemplateList& templates, int position, int length);
    CRenderSurface surface;
};

// count pixels of the strip row from x, stretched (halftone) to `width`
// pixels; pixels the source does not reach are black.
// A surface of width x 1 pixels may be handed in to stretch into.
std::vector<DWORD> StretchRow(CRenderSurface& source, int x, int count, int width, CRenderSurface* reuse = nullptr);

// The diagonal styles' window and the turned square it is drawn onto: the
// square's upper-left, upper-right and lower-left corners, and the window's
// size in pixels.
struct DiagonalLayout {
    float corners[3][2];
    int windowWidth;
    int windowHeight;
};
DiagonalLayout LayDiagonal(const CRect& clip);

// Draws the diagonal window, every row of it `line` (layout.windowWidth
// pixels, layout.windowHeight rows), onto the layout's turned square within
// the clip box: pixels outside the square are left alone, those inside get
// the window's colour interpolated bilinearly. Works on the pixels of the
// context's DIB section; returns false, drawing nothing, for a context
// without one.
bool DrawDiagonalWindow(CDC* pDC, const CRect& clip, const DiagonalLayout& layout, const std::vector<DWORD>& line);
// The same picture drawn by GDI+ onto any device context.
void DrawDiagonalWindowGdiplus(CDC* pDC, const DiagonalLayout& layout, const std::vector<DWORD>& line);

// Copies a surface of the clip box's size into the clip box.
void PutToClip(CDC* pDC, const CRect& clip, CRenderSurface& image);

// The picture of a clip box, row by row: written straight into the
// context's DIB section when the clip box is the whole of it, else into a
// surface of the clip box's size that Finish puts in place. The bytes that
// arrive are the same either way.
class ClipPicture {
public:
    ClipPicture(CDC* pDC, const CRect& clip);
    ClipPicture(const ClipPicture&) = delete;
    ClipPicture& operator=(const ClipPicture&) = delete;

    bool IsValid() const { return m_bits != nullptr || (m_surface != nullptr && m_surface->IsValid()); }
    // Row y (0 = the clip box's top), clip.Width() pixels.
    DWORD* Row(int y)
    {
        return m_bits != nullptr ? m_bits + static_cast<size_t>(m_height - 1 - y) * m_width : m_surface->Row(y);
    }
    void Finish();

private:
    CDC* m_dc;
    CRect m_clip;
    DWORD* m_bits = nullptr; // the context's own bottom-up pixels
    int m_width = 0;
    int m_height = 0;
    std::unique_ptr<CRenderSurface> m_surface;
};

} // namespace colorrender
