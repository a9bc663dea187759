// DMX output: a caller's channel values to the ports of a screen, as one
// frame of the screen's row layout, after a 1024-byte DMX parameter block
// (timing, channel count, mode, grey table) to every port whenever the mode
// or the channel count changes.
#pragma once

#include <cstdint>
#include <vector>

#include "LEDScreen.h"

constexpr int kDmxParameterBlockSize = 1024;
constexpr int kEmptyControllerRange = 2101;

// 256 grey levels of `bits` bits for the gamma: entry i is the smaller of
// 2^bits - 1 and (i / 255)^gamma x (2^bits - 1), rounded.
void BuildGrayTable(int bits, double gamma, std::uint16_t table[256]);

// The parameter block for a channel count and mode (2 or 0).
void FillDmxParameterBlock(
    std::uint8_t block[kDmxParameterBlockSize], int channelCount, int mode, double clockMHz, double gamma);

// Sends the block to the ports a..b of the controller table (port field =
// base + index - 1): 0, kEmptyControllerRange, or 1 when no controller
// serves the range.
int SendDmxParameters(LocalSender* sender, const std::uint8_t block[kDmxParameterBlockSize],
    const std::vector<ControllerEntry>& controllers, int first, int last, int base);

// The DMX screen while DMX output is prepared (tests look at it).
CLEDScreen* DmxScreen();
