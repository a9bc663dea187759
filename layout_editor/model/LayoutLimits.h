// Fixed limits of the layout model, shared by the model, its file formats and
// the editor's dialogs.
#pragma once

// Most ports a layout can hold: the used-port list and the block-selected
// flags have this many entries.
constexpr int kMaxLayoutPorts = 5120;

// Widest and tallest grid a layout can have, in cells.
constexpr int kMaxLayoutSide = 65535;

// Most channels one port can carry (one brightness and gamma entry each).
constexpr int kMaxPortChannels = 6000;

// Most ports one controller can have: the layout file stores each
// controller's port count in one byte.
constexpr int kMaxPortsPerController = 255;

// Most lamps one port can hold.
constexpr int kMaxPortPoints = 3072;

// Entries of a port's brightness and gamma tables (one per output channel).
constexpr int kPortTableSize = 6000;

// Normalised coordinate that marks a lamp position as unset.
constexpr double kUnsetNormalised = 65536.0;
