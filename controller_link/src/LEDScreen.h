// One screen of the controller library: an LED installation driven from one
// layout, with its sender, controller grouping and settings. Screens are
// values in the screen list; the sender is shared and owned by the list.
#pragma once

#include <afx.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "ControllerEntry.h"
#include "ControllerLayout.h"
#include "DisplaySurface.h"
#include "LivePlayFields.h"
#include "ScreenColour.h"

struct LocalSender;

class CLEDScreen {
public:
    CLEDScreen() = default;

    std::uint8_t m_displayBits = 24;
    // Bytes per pixel of the frames the port maps read: 4, or for an
    // archive layout the display's 3 or 4 it was read with (ScreenFrame.h).
    int m_mapStride = 4;
    std::uint16_t m_portCount = 0;
    std::uint16_t m_onlinePorts = 0;
    std::uint16_t m_layoutPortTotal = 0;
    CString m_lampFormat;
    int m_width = 256;
    int m_height = 128;
    // Built only for screens that draw through it (shared by copies).
    std::shared_ptr<DisplaySurface> m_surface;
    LocalSender* m_sender = nullptr;
    int m_index = 0;
    int m_groupMode = 0;
    int m_spareGroup = 1;
    int m_portsPerController = 0;
    int m_firstPort = 1;
    int m_ready = 0;
    CString m_layoutPath;
    int m_syncEnabled = 1;
    int m_cardType = 0;
    std::uint8_t m_startSyncSender = 1;
    std::uint16_t m_frameIntervalMs = 40;
    // The controller table (ControllerTable.h) and the live-play state.
    std::vector<ControllerEntry> m_controllers;
    LivePlayFields m_live;

    // The layout read by ReadLayout (ScreenLayoutRead.cpp): one record per
    // controller entry of the file (m_portCount of them), the white-channel
    // mask (one cell per grid cell, 1 under lamps with a white channel) and
    // the user gamma curves.
    std::vector<ControllerLayout> m_ports;
    int m_channelsPerPort = 0;
    std::vector<std::uint32_t> m_whiteMask;
    UserCurveTables m_curves {};
    ScreenColour m_colour;

    // Reads a layout file of either format: 1, or 0 with the screen unchanged.
    int ReadLayout(const CString& path);
    // Drops the layout: ports, mask and path.
    void ClearLayout();
    // Builds the colour tables of the white mode (ColourProcessing.cpp).
    void BuildColourTables();
};
