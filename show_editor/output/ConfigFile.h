// The off-line configuration file "CFG_%03d.bfm" (4096 bytes: magic, four
// display lines, the parameter block and the gamma table) and the two
// calculations the chip parameter page shares with it.
#pragma once

#include <afx.h>

#include <cstdint>

class HardwareConfig;

constexpr int kConfigFileSize = 4096;
constexpr int kConfigDisplayOffset = 64;
constexpr int kConfigParamOffset = 256;
constexpr int kConfigGammaOffset = 512;
constexpr int kGammaTableBytes = 512;

// Refresh rate in Hz of a chip driven with OE periods: the serial clock
// divided by the clocks per gray cycle and by the channels of a port.
double CalcRefreshRate(UINT gray, UINT channels, double clockMHz, int oePeriods);

// The 256-entry gamma table of the file: packing 0 is 16-bit little-endian,
// 1 is 8 high bits and 4 low bits, 2 is as 0 with the last entry one lower.
// Entries below `first` stay zero.
void BuildGammaTable(int bits, BYTE packing, double gamma, int first, BYTE out[kGammaTableBytes]);

// The OE period selection that follows a gray choice of `bits` gray bits:
// 7 from 4096 levels up, else bits - 5, never below 0. With no gray
// selection (bits < 0) the current selection stays.
int OePeriodForGrayBits(int bits, int currentSelection);

// Gray bits of a gray-level count: the integer part of log2 (0 for 0).
int GrayBits(UINT gray);

// False when the configuration would divide by zero while forming the file
// (chip channels 0, gray 0, a serial clock that is not positive, or an
// MBI5042 PWM clock that is not positive).
bool ConfigParamsUsable(const HardwareConfig& config);

// Assembles the whole file. The caller has checked ConfigParamsUsable.
void BuildConfigFileImage(const HardwareConfig& config, BYTE out[kConfigFileSize]);

// File name of controller n: "CFG_%03d.bfm".
CString ConfigFileName(int n);
