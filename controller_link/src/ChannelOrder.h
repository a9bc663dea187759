// A parsed lamp format ("RGB", "GRB", "R1G1B1R2G2B2W3", ...): the channel
// codes a lamp unit sends, in sending order. The recorder, live play and DMX
// output all reach the frame through byte maps built from these codes.
//
// A code below kChannelFlagMask is a byte offset into the unit's pixels
// (blue 0, green 1, red 2, plus the pixel stride for each further pixel);
// a code with one of the flags set names a pixel (1-based, low bits) whose
// white or fifth-colour value is sent.
#pragma once

#include <afx.h>

#include <cstdint>
#include <vector>

constexpr std::uint32_t kChannelWhite = 0x20000000; // W
constexpr std::uint32_t kChannelWhite2 = 0x10000000; // N, white of the second kind
constexpr std::uint32_t kChannelFifth = 0x40000000; // Y, the fifth colour
constexpr std::uint32_t kChannelFlagMask = kChannelWhite | kChannelWhite2 | kChannelFifth;
constexpr std::uint32_t kChannelPixelMask = 0x0FFFFFFF;

// Largest pixel number a format may name; larger numbers are cut to it.
// Such a unit reaches far past any port's lamps, whose bytes read as black.
constexpr int kMaxChannelPixel = 65535;

struct ChannelOrder {
    std::uint16_t pixelsPerLamp = 1; // grid points one lamp unit spans
    std::uint16_t channelCount = 0;
    std::vector<std::uint32_t> codes;
};

// Parses with a stride of 4 bytes per pixel (32-bit frames). Always true.
bool ParseChannelOrder(const CString& format, ChannelOrder& order);

// Parses with the given stride (bytes per pixel of the frames the codes
// address).
void ParseChannelCodes(const CString& format, int stride, ChannelOrder& order);
