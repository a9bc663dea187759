// The layout view's project settings: what both layout file formats write
// and read beside the model, and what the wiring report reads. The view
// holds one of these; the readers and writers take it by reference, so they
// need no window.
#pragma once

#include <afx.h>

#include "LayoutData.h"

// Most entries of each ruler list.
constexpr int kMaxRulers = 60;

struct CLayoutProjectSettings {
    CLayoutProjectSettings();

    // Port counts per controller, in controller order; their sum equals the
    // model's port count.
    CControllerList m_controllers;
    int m_controllerCount = 0; // a copy of the controller list's length
    CString m_lampFormat; // project lamp format, "RGB"
    int m_portsPerController = 8;
    int m_channelsPerPort = 2048;
    int m_lampsPerPort = 2048 / 3; // channels per port / channels per lamp of "RGB"
    int m_doubleSided = 0;
    int m_showGrid = 1;
    int m_allowOverlap = 0; // lamps may overlap
    int m_allowMaxLamps = 1; // ports may take the maximum lamp count
    CString m_controllerModel;
    int m_showXY = 0;
    int m_randomColours = 0; // random port colours
    COLORREF m_swatchColour = 0; // colour swatch of the project settings
    CArray<WORD, WORD> m_hRulers; // horizontal ruler positions, at most kMaxRulers
    CArray<WORD, WORD> m_vRulers; // vertical ruler positions, at most kMaxRulers
    int m_dataOffset = 0; // leading bytes of every port's output
    CString m_backgroundImage; // background image path
    int m_loaded = 0; // set by a reader after loading a layout

    // Sets every controller to `portsPerController` ports (count entries)
    // and keeps the controller count in step.
    void SetControllers(int count, int portsPerController);
    // Appends a ruler position; refused when the list is full.
    static bool AddRuler(CArray<WORD, WORD>& rulers, WORD position);
};
