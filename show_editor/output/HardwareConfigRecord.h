// The 280-byte stored form of the controller hardware configuration, as the
// project file carries it (Base64 under PROP_PROJ_CHIPSET). Little-endian,
// no header; the reserved areas are never read and are written as zeros.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct HardwareConfigRecord {
    static constexpr int kChipNameUnits = 20; // 40 bytes, at most 19 characters + NUL
    static constexpr int kModelNameUnits = 22; // 44 bytes, at most 21 characters + NUL

    WCHAR chipName[kChipNameUnits];
    int32_t code;
    uint32_t chipChannel;
    int32_t isCurrent;
    int32_t chipBits;
    uint32_t addTime;
    uint32_t gray;
    int32_t grayLock;
    uint8_t reserved68[4];
    double gammaVal;
    int32_t gammaLock;
    uint8_t reserved84[4];
    double clock;
    double pwmClock;
    int32_t clockLock;
    int32_t clkDuty;
    int32_t clkDutyLock;
    uint32_t channels;
    int32_t channelsLock;
    int32_t confType;
    int32_t confData;
    uint8_t reserved132;
    uint8_t currents[3];
    uint8_t chipCurrents[4];
    uint8_t ucs9812Currents[12];
    int32_t backupMode;
    int32_t backupIdleHigh;
    uint8_t reserved160[32];
    double refreshMax;
    double refreshRate;
    uint8_t reserved208[12];
    int32_t oePeriods;
    int32_t oeActiveHigh;
    int32_t isOE;
    uint8_t reserved232[4];
    WCHAR modelName[kModelNameUnits];
};
#pragma pack(pop)

// The layout is a stored format: every offset is fixed.
static_assert(sizeof(HardwareConfigRecord) == 280);
static_assert(sizeof(WCHAR) == 2);
static_assert(offsetof(HardwareConfigRecord, code) == 40);
static_assert(offsetof(HardwareConfigRecord, chipChannel) == 44);
static_assert(offsetof(HardwareConfigRecord, isCurrent) == 48);
static_assert(offsetof(HardwareConfigRecord, chipBits) == 52);
static_assert(offsetof(HardwareConfigRecord, addTime) == 56);
static_assert(offsetof(HardwareConfigRecord, gray) == 60);
static_assert(offsetof(HardwareConfigRecord, grayLock) == 64);
static_assert(offsetof(HardwareConfigRecord, gammaVal) == 72);
static_assert(offsetof(HardwareConfigRecord, gammaLock) == 80);
static_assert(offsetof(HardwareConfigRecord, clock) == 88);
static_assert(offsetof(HardwareConfigRecord, pwmClock) == 96);
static_assert(offsetof(HardwareConfigRecord, clockLock) == 104);
static_assert(offsetof(HardwareConfigRecord, clkDuty) == 108);
static_assert(offsetof(HardwareConfigRecord, clkDutyLock) == 112);
static_assert(offsetof(HardwareConfigRecord, channels) == 116);
static_assert(offsetof(HardwareConfigRecord, channelsLock) == 120);
static_assert(offsetof(HardwareConfigRecord, confType) == 124);
static_assert(offsetof(HardwareConfigRecord, confData) == 128);
static_assert(offsetof(HardwareConfigRecord, currents) == 133);
static_assert(offsetof(HardwareConfigRecord, chipCurrents) == 136);
static_assert(offsetof(HardwareConfigRecord, ucs9812Currents) == 140);
static_assert(offsetof(HardwareConfigRecord, backupMode) == 152);
static_assert(offsetof(HardwareConfigRecord, backupIdleHigh) == 156);
static_assert(offsetof(HardwareConfigRecord, refreshMax) == 192);
static_assert(offsetof(HardwareConfigRecord, refreshRate) == 200);
static_assert(offsetof(HardwareConfigRecord, oePeriods) == 220);
static_assert(offsetof(HardwareConfigRecord, oeActiveHigh) == 224);
static_assert(offsetof(HardwareConfigRecord, isOE) == 228);
static_assert(offsetof(HardwareConfigRecord, modelName) == 236);
