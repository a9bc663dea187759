// Pictures for generated test clips: flat frames whose colour encodes the
// frame number (so a pixel drawn by the player tells which frame it was), a
// four-colour frame for crop tests, and a textured frame for benchmarks.
// Pictures are 32-bit BGRX, top-down.
#pragma once

#include <cstdint>
#include <vector>

namespace clipgen {

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
};

// Colour of frame index i (0-based, up to 511): 8 well-separated levels per
// channel, so lossy coding cannot move one frame's colour onto another's.
Rgb FrameColour(int index);
// The frame index whose colour lies within the tolerance of c, else -1.
int FrameIndexOf(Rgb c);

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // 0x00RRGGBB, top-down
};

Picture FlatPicture(int width, int height, Rgb colour);
// Top-left red, top-right green, bottom-left blue, bottom-right white.
Picture QuadrantPicture(int width, int height);
// Busy texture (so JPEG coding costs what real footage costs) with a flat
// 64 x 64 block at the top-left corner in FrameColour(index).
Picture TexturedPicture(int width, int height, int index);

Rgb ColourAt(const Picture& picture, int x, int y);

} // namespace clipgen
