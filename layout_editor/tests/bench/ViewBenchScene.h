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
    HDC screen = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ oldBitmap = nullptr;
};
