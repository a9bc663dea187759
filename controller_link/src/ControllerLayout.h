// One port of a screen as the controllers see it: a controller entry of the
// layout file with up to 16 outputs (the file's ports of that controller).
// Outputs exist only for ports with lamps and keep their port index, so an
// empty port leaves a gap in the numbering, not in the output list.
#pragma once

#include <afx.h>

#include <array>
#include <vector>

#include "PortOutput.h"

// Most ports one controller entry of a layout may have.
constexpr int kMaxControllerPorts = 16;
// Most lamps one port may send, after double-sided doubling.
constexpr int kMaxScreenPortLamps = 4096;

struct ControllerLayout {
    // Outputs of the ports with lamps, in port order.
    std::vector<PortOutput> m_outputs;
    // Per port index 0..15: lamp grid positions (after doubling), their
    // count and the port's lamp format text.
    std::array<std::vector<CPoint>, kMaxControllerPorts> m_lampLists;
    std::array<int, kMaxControllerPorts> m_lampCounts {};
    std::array<CString, kMaxControllerPorts> m_lampFormats;
    int m_ports = 0; // ports of this controller in the layout file
    int m_largestLampCount = 0;

    BYTE OutputCount() const { return static_cast<BYTE>(m_outputs.size()); }
    // Deletes the outputs and frees the lamp lists.
    void Clear();
};
