// The layout's pixel map as the document keeps it: controllers, ports and
// unmasked lamp positions, read from the controller library's ".pix" text.
#pragma once

#include <afx.h>

#include <utility>

// One lamp position on the layout grid.
struct S_PixPoint {
    int x = 0;
    int y = 0;
};

// Lamps of one port chain, in chain order; owned.
using PixPort = CTypedPtrArray<CPtrArray, S_PixPoint*>;
// Ports of one controller, in output order; owned.
using PixController = CTypedPtrArray<CPtrArray, PixPort*>;

// Controllers in the order the pixel map lists them. Every level owns the
// level below. Controllers and ports are known by position only.
class PixPortMap {
public:
    PixPortMap() = default;
    ~PixPortMap();

    PixPortMap(const PixPortMap&) = delete;
    PixPortMap& operator=(const PixPortMap&) = delete;

    INT_PTR GetLampCount() const;

    CTypedPtrArray<CPtrArray, PixController*> m_controllers;
};

// Frees every lamp, port and controller and empties the map; the map stays.
void FreePixPortMap(PixPortMap& map);

// A pixel map holds at most this many lamps; further lamp lines are passed
// over so that a hostile file cannot exhaust memory.
constexpr int kMaxPixMapLamps = 4 * 1024 * 1024;

// Reads the ".pix" file into map (emptied by the caller) and returns the
// layout width and height of its first line; (0, 0) and an untouched map
// when the file cannot be opened. CR LF and CR CR LF line ends are accepted.
std::pair<int, int> ReadPointListFile(const CString& path, PixPortMap& map);
