// A driver chip's parameters: as the chip database gives them for a chip,
// and as the hardware configuration keeps them for the chip it is made for.
#pragma once

#include <afx.h>

// The chip's parameters as the database gives them (or as restored from the
// configuration).
struct ChipParams {
    CString ChipName;
    int Code = 0;
    UINT ChipChannel = 3;
    BOOL IsCurrent = 0;
    int ChipBits = 24;
    UINT AddTime = 24;
    UINT Gray = 4096;
    BOOL GrayLock = 1;
    double GammaVal = 2.2;
    BOOL GammaLock = 1;
    double Clock = 5.0;
    double PwmClock = 75.0 / 7.0;
    BOOL ClockLock = 1;
    int ClkDuty = 50;
    BOOL ClkDutyLock = 1;
    UINT Channels = 2048;
    BOOL ChannelsLock = 0;
    int Conf_type = 0;
    int Conf_Data = 0;
};
