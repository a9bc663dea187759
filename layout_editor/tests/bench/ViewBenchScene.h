// The layout view as the view benchmarks drive it: attached to a model of
// their own without a document, in a 1,280 x 800 client area, repainted
// into an off-screen picture compatible with the screen.
#pragma once

#include <windows.h>

#include <vector>

#include "EditorSettings.h"
#include "PannexView.h"

class CViewBenchScene {
public:
    static constexpr int kClientWidth = 1280;
    static constexpr int kClientHeight = 800;

    // A width x height layout of `ports` empty ports of `capacity` lamps.
    CViewBenchScene(int width, int height, int ports, int capacity)
    {
        AlignToGrid = 1;
        model.m_width = width;
        model.m_height = height;
        model.ResetPorts(ports, capacity, L"RGB", 0);
        screen = ::GetDC(nullptr);
        target = ::CreateCompatibleDC(screen);
        bitmap = ::CreateCompatibleBitmap(screen, kClientWidth, kClientHeight);
        oldBitmap = ::SelectObject(target, bitmap);
    }
    ~CViewBenchScene()
    {
        view.AttachModel(nullptr);
        ::SelectObject(target, oldBitmap);
        ::DeleteDC(target);
        ::DeleteObject(bitmap);
        ::ReleaseDC(nullptr, screen);
    }
    CViewBenchScene(const CViewBenchScene&) = delete;
    CViewBenchScene& operator=(const CViewBenchScene&) = delete;

    // Lamps on these cells, in chain order, with their normalised positions.
    void FillPort(int port, const std::vector<CPoint>& cells)
    {
        std::vector<CLPoint> points;
        points.reserve(cells.size());
        for (const CPoint& cell : cells) {
            CLPoint lamp(cell.x, cell.y);
            lamp.m_normX = (cell.x + 0.5) / model.m_width;
            lamp.m_normY = (cell.y + 0.5) / model.m_height;
            points.push_back(lamp);
        }
        model.GetPort(port).InsertPoints(points.data(), static_cast<int>(points.size()));
        model.GetPort(port).UpdateBounds();
    }
    // Once the ports are filled: the view takes the model, with this many
    // controllers of eight ports, at the fit zoom.
    void Show(int controllers)
    {
        model.RebuildUsedPorts();
        view.AttachModel(&model);
        view.m_settings.SetControllers(controllers, 8);
        view.m_clientWidth = kClientWidth;
        view.m_clientHeight = kClientHeight;
        view.ResizeLayout(model.m_width, model.m_height);
    }
    // Fills the client area's picture with a colour no repaint draws.
    void MarkUnpainted()
    {
        const RECT all = { 0, 0, kClientWidth, kClientHeight };
        HBRUSH brush = ::CreateSolidBrush(kUnpainted);
        ::FillRect(target, &all, brush);
        ::DeleteObject(brush);
    }
    // Pixels of the client area's picture a repaint drew since MarkUnpainted.
    int PaintedPixels() const
    {
        ::GdiFlush();
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = kClientWidth;
        info.bmiHeader.biHeight = -kClientHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        std::vector<DWORD> pixels(static_cast<size_t>(kClientWidth) * kClientHeight);
        if (::GetDIBits(target, bitmap, 0, kClientHeight, pixels.data(), &info, DIB_RGB_COLORS) != kClientHeight)
            return 0;
        // 0x00RRGGBB in the bits, the brush's COLORREF is 0x00BBGGRR.
        const DWORD mark = (GetRValue(kUnpainted) << 16) | (GetGValue(kUnpainted) << 8) | GetBValue(kUnpainted);
        int painted = 0;
        for (DWORD p : pixels)
            painted += (p & 0xFFFFFF) != mark ? 1 : 0;
        return painted;
    }
    // One full repaint, as the window shows it.
    void Repaint()
    {
        CDC dc;
        dc.Attach(target);
        view.DrawLayout(&dc);
        dc.Detach();
    }

    CLayoutData model;
    CPannexView view;
    HDC target = nullptr;

private:
    static constexpr COLORREF kUnpainted = RGB(3, 251, 7);

    HDC screen = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ oldBitmap = nullptr;
};
