// Test-clip pictures: see ClipFrames.h.
#include "ClipFrames.h"

#include <cstdlib>

namespace clipgen {

namespace {
constexpr int kLevel = 32;
constexpr int kLevelOffset = 16;

uint32_t Pack(Rgb c)
{
    return uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | uint32_t(c.b);
}
} // namespace

Rgb FrameColour(int index)
{
    return { (index % 8) * kLevel + kLevelOffset, ((index / 8) % 8) * kLevel + kLevelOffset,
        ((index / 64) % 8) * kLevel + kLevelOffset };
}

int FrameIndexOf(Rgb c)
{
    auto level = [](int v) {
        const int l = (v - kLevelOffset + kLevel / 2) / kLevel;
        if (l < 0 || l > 7 || std::abs(v - (l * kLevel + kLevelOffset)) > kLevel / 2 - 4)
            return -1;
        return l;
    };
    const int r = level(c.r);
    const int g = level(c.g);
    const int b = level(c.b);
    if (r < 0 || g < 0 || b < 0)
        return -1;
    return r + g * 8 + b * 64;
}

Picture FlatPicture(int width, int height, Rgb colour)
{
    Picture p { width, height, std::vector<uint32_t>(size_t(width) * size_t(height), Pack(colour)) };
    return p;
}

Picture QuadrantPicture(int width, int height)
{
    Picture p { width, height, std::vector<uint32_t>(size_t(width) * size_t(height)) };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2;
            const bool bottom = y >= height / 2;
            Rgb c = !bottom ? (right ? Rgb { 0, 255, 0 } : Rgb { 255, 0, 0 })
                            : (right ? Rgb { 255, 255, 255 } : Rgb { 0, 0, 255 });
            p.pixels[size_t(y) * size_t(width) + size_t(x)] = Pack(c);
        }
    }
    return p;
}

Picture TexturedPicture(int width, int height, int index)
{
    Picture p { width, height, std::vector<uint32_t>(size_t(width) * size_t(height)) };
    uint32_t seed = 0x9E3779B9u ^ uint32_t(index) * 2654435761u;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = int(seed >> 27); // 0..31
            const int r = (x + index * 4) & 0xFF;
            const int g = (y * 2 + noise) & 0xFF;
            const int b = ((x ^ y) + noise * 3) & 0xFF;
            p.pixels[size_t(y) * size_t(width) + size_t(x)] = Pack({ r, g, b });
        }
    }
    const uint32_t mark = Pack(FrameColour(index));
    for (int y = 0; y < 64 && y < height; ++y)
        for (int x = 0; x < 64 && x < width; ++x)
            p.pixels[size_t(y) * size_t(width) + size_t(x)] = mark;
    return p;
}

Rgb ColourAt(const Picture& picture, int x, int y)
{
    const uint32_t v = picture.pixels[size_t(y) * size_t(picture.width) + size_t(x)];
    return { int(v >> 16 & 0xFF), int(v >> 8 & 0xFF), int(v & 0xFF) };
}

} // namespace clipgen
