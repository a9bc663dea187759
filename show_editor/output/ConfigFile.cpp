// Forming the off-line configuration file from a hardware configuration:
// display lines, parameter block with the per-chip words, gamma table.
#include "ConfigFile.h"

#include "HardwareConfig.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace {

// Integer part of a real, saturated to the 32-bit range (NaN gives 0), so
// that hostile record values never reach an undefined conversion.
int64_t TruncSat(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= 2147483647.0)
        return 2147483647;
    if (v <= -2147483648.0)
        return -2147483648LL;
    return static_cast<int64_t>(v);
}

uint16_t Low16(int64_t v)
{
    return static_cast<uint16_t>(static_cast<uint64_t>(v) & 0xFFFF);
}

void Put16(BYTE* p, uint16_t v)
{
    p[0] = static_cast<BYTE>(v & 0xFF);
    p[1] = static_cast<BYTE>(v >> 8);
}

bool IsAnyOf(const CString& name, std::initializer_list<LPCWSTR> names)
{
    for (LPCWSTR n : names) {
        if (name == n)
            return true;
    }
    return false;
}

// Chips addressed over DMX send the full channel count.
bool SendsAllChannels(const CString& name)
{
    return IsAnyOf(name,
        { L"DMX512", L"YD-P", L"KT-DMX", L"MS512", L"DMX512AP", L"UCS512", L"MY7221", L"TM512", L"SM16512", L"QV-SLX15",
            L"QV-SLX16", L"QV-VTM16", L"UCS512C", L"BDW512", L"DL-DMX01", L"SM16511", L"PC-AB", L"SM16522",
            L"UCS512C4" });
}

// One display line: an 8-byte label, then the value text copied in full
// (it may run past the 16-byte line). Nothing is written past `limit`.
void PutDisplayLine(BYTE* file, int offset, const char* label, const char* text, size_t textLength, int limit)
{
    std::memset(file + offset, ' ', 16);
    std::memcpy(file + offset, label, 8);
    size_t room = static_cast<size_t>(limit - (offset + 8));
    if (textLength > room)
        textLength = room;
    std::memcpy(file + offset + 8, text, textLength);
}

uint8_t BrightnessByte(UINT channel, UINT overall)
{
    double v = static_cast<double>(channel) / 100.0 * static_cast<double>(overall) / 100.0 * 255.0;
    int64_t b = TruncSat(v);
    return static_cast<uint8_t>(b > 255 ? 255 : (b < 0 ? 0 : b));
}

void BuildParameterBlock(const HardwareConfig& cfg, BYTE* block)
{
    const CString& name = cfg.ChipName;
    const UINT chipChannel = cfg.ChipChannel; // checked non-zero by the caller

    const uint16_t t = Low16(TruncSat(75.0 / cfg.Clock));
    const uint16_t h = Low16(static_cast<int64_t>(t) * (100 - static_cast<int64_t>(cfg.ClkDuty)) / 100);

    uint16_t c = Low16(cfg.Channels - (cfg.Channels % chipChannel));
    if (SendsAllChannels(name))
        c = Low16(cfg.Channels);
    if (c < chipChannel)
        c = Low16(chipChannel);

    uint16_t w;
    switch (cfg.Conf_type) {
    case 1:
        w = Low16(static_cast<int64_t>(cfg.Channels / chipChannel) - 1);
        break;
    case 2:
        w = Low16(cfg.Channels / chipChannel);
        break;
    default: // 0, and any value the file format does not define
        w = Low16(cfg.Conf_Data);
        break;
    }
    uint16_t x = 0;
    uint16_t y = 0;

    // The chip rules, in this order: a later rule overrides an earlier one.
    if (IsAnyOf(name, { L"MBI6024", L"MBI6023", L"MY9221" }))
        w = Low16(w | (static_cast<int64_t>(cfg.GclkIndex) << 13));
    if (IsAnyOf(name, { L"TM1829", L"CX808", L"GW6230", L"GW6236" }))
        w = Low16(((((cfg.CurrentA << 5) | cfg.CurrentB) << 5) | cfg.CurrentC) * 2);
    if (name == L"UCS9812") {
        const BYTE* u = cfg.Ucs9812Currents;
        w = Low16(u[0] << 12 | u[1] << 8 | u[2] << 4 | u[3]);
        x = Low16(u[4] << 12 | u[5] << 8 | u[6] << 4 | u[7]);
        y = Low16(u[8] << 12 | u[9] << 8 | u[10] << 4 | u[11]);
    }
    if (name.Find(L"DMX") >= 0 || name == L"YD-V" || name == L"PC") {
        w = 0;
        if (IsAnyOf(name, { L"DMX512AP", L"YD-V", L"PC" }) && cfg.AddressRouted)
            w = 1;
    }
    if (IsAnyOf(name, { L"UCS512", L"MY7221" }))
        w = 1;
    if (name == L"TM1914") {
        switch (cfg.BackupMode) {
        case 0:
            x = 0xFF00, y = 0, w = 0xFFFF;
            break;
        case 1:
            x = 0xFA00, y = 5, w = 0xFFFF;
            break;
        case 2:
            x = 0xF500, y = 10, w = 0xFFFF;
            break;
        default:
            break;
        }
    }
    if (IsAnyOf(name, { L"CX808", L"GW6230", L"GW6236" }))
        x = Low16((static_cast<int64_t>(cfg.BackupIdleHigh) * 4) | cfg.BackupMode);
    if (name == L"MBI5042") {
        // The PWM clock is divided down from the same 75 MHz base; 75/7 MHz
        // is a divider of 7, sent as 5.
        x = Low16(TruncSat(std::floor(75.0 / cfg.PwmClock + 0.5)) - 2);
    }
    if (cfg.IsOE) {
        w = Low16((static_cast<int64_t>(cfg.OeActiveHigh) << 4) | cfg.OePeriods);
        int64_t q = TruncSat(static_cast<double>(c) / std::pow(2.0, cfg.OePeriods));
        x = Low16(q < 1 ? 1 : q);
    }
    if (name == L"DMX512-RC")
        w = Low16(w | 0x4000);
    const BYTE* b = cfg.ChipCurrents;
    if (name == L"TM1814") {
        w = Low16(b[3] << 8 | b[0]);
        x = Low16(b[1] << 8 | b[2]);
    } else if (name == L"SM16736") {
        w = Low16(((b[0] << 5 | b[1]) << 5) | b[2]);
        x = Low16(c / chipChannel);
    } else if (name == L"SM16803P") {
        w = Low16(((((b[0] | 0xF0) << 4) | b[1]) << 4) | b[2]);
    } else if (name == L"SM16804P") {
        w = Low16(((((b[0] << 4 | b[1]) << 4) | b[2]) << 4) | b[3]);
    } else if (name == L"UCS5603") {
        w = Low16(((((b[2] | (cfg.Ucs5603HighCurrent ? 0x50 : 0)) << 4) | b[1]) << 4) | b[0]);
    }

    block[0] = static_cast<BYTE>(cfg.Code & 0xFF);
    Put16(block + 1, t);
    Put16(block + 3, h);
    Put16(block + 5, c);
    block[7] = BrightnessByte(cfg.BrightnessA, cfg.Brightness);
    block[8] = BrightnessByte(cfg.BrightnessB, cfg.Brightness);
    block[9] = BrightnessByte(cfg.BrightnessC, cfg.Brightness);
    block[10] = BrightnessByte(cfg.BrightnessD, cfg.Brightness);
    Put16(block + 11, w);
    block[13] = static_cast<BYTE>(GrayBits(cfg.Gray));
    block[14] = cfg.ColourCount == 4 ? 1 : 0;
    block[20] = static_cast<BYTE>(cfg.DataReverse & 0xFF);
    Put16(block + 23, x);
    Put16(block + 25, y);
}

BYTE GammaPacking(const CString& chipName)
{
    if (chipName == L"LPD1886")
        return 1;
    if (chipName == L"TM1829")
        return 2;
    return 0;
}

} // namespace

double CalcRefreshRate(UINT gray, UINT channels, double clockMHz, int oePeriods)
{
    const double log2Gray = std::log(static_cast<double>(gray)) / std::log(2.0);
    // In reals: OE periods come unchecked from a project record.
    const double clocksPerCycle = std::pow(2.0, log2Gray - oePeriods) + (oePeriods - 1.0);
    return (clockMHz * 1000.0 * 1000.0) / clocksPerCycle / static_cast<double>(channels);
}

void BuildGammaTable(int bits, BYTE packing, double gamma, int first, BYTE out[kGammaTableBytes])
{
    if (bits < 0)
        bits = 0;
    if (bits > 31)
        bits = 31;
    const int64_t max = (int64_t { 1 } << bits) - 1;
    std::memset(out, 0, kGammaTableBytes);
    if (first < 0)
        first = 0;
    for (int i = first; i <= 255; ++i) {
        const double d = std::pow(i / 255.0, gamma) * static_cast<double>(max) + 0.5;
        // NaN and values past max both give max.
        const int64_t v = (d < static_cast<double>(max)) ? TruncSat(d) : max;
        if (packing == 1) {
            out[2 * i] = static_cast<BYTE>((v >> 4) & 0xFF);
            out[2 * i + 1] = static_cast<BYTE>(v & 0x0F);
        } else {
            Put16(out + 2 * i, Low16(v));
        }
    }
    if (packing == 2) {
        const uint16_t last = static_cast<uint16_t>(out[510] | (out[511] << 8));
        Put16(out + 510, static_cast<uint16_t>(last - 1));
    }
}

int OePeriodForGrayBits(int bits, int currentSelection)
{
    if (bits < 0)
        return currentSelection < 0 ? 0 : currentSelection;
    if (bits >= 12)
        return 7;
    return bits > 5 ? bits - 5 : 0;
}

int GrayBits(UINT gray)
{
    int bits = 0;
    while (gray > 1) {
        gray >>= 1;
        ++bits;
    }
    return bits;
}

bool ConfigParamsUsable(const HardwareConfig& config)
{
    if (config.ChipChannel == 0 || config.Gray == 0 || !(config.Clock > 0.0))
        return false;
    if (config.ChipName == L"MBI5042" && !(config.PwmClock > 0.0))
        return false;
    return true;
}

void BuildConfigFileImage(const HardwareConfig& config, BYTE out[kConfigFileSize])
{
    std::memset(out, 0, kConfigFileSize);
    std::memcpy(out, "VIZAZIV", 8);

    // The display area ends where the parameter block begins: a long value
    // text may run past its line but never into the block.
    const int limit = kConfigParamOffset;
    char name[16] = {};
    int nameBytes = 0;
    if (!config.ChipName.IsEmpty()) {
        char ansi[512];
        nameBytes = WideCharToMultiByte(CP_THREAD_ACP, 0, config.ChipName.GetString(), config.ChipName.GetLength(),
            ansi, sizeof(ansi), nullptr, nullptr);
        if (nameBytes <= 0) // too long for the buffer: take the first part
            nameBytes = WideCharToMultiByte(
                CP_THREAD_ACP, 0, config.ChipName.GetString(), 8, ansi, sizeof(ansi), nullptr, nullptr);
        if (nameBytes < 0)
            nameBytes = 0;
        if (nameBytes > 8)
            nameBytes = 8;
        std::memcpy(name, ansi, static_cast<size_t>(nameBytes));
    }
    PutDisplayLine(out, 64, "--Chip--", name, static_cast<size_t>(nameBytes), limit);

    char text[512];
    int n = std::snprintf(text, sizeof(text), "%u", config.Channels);
    PutDisplayLine(out, 80, "Channels", text, static_cast<size_t>(n), limit);
    n = std::snprintf(text, sizeof(text), "%u", config.Gray);
    PutDisplayLine(out, 96, "--Gray--", text, static_cast<size_t>(n), limit);
    n = std::snprintf(text, sizeof(text), "%.2fM%d%%", config.Clock, config.ClkDuty);
    if (n < 0)
        n = 0;
    if (n >= static_cast<int>(sizeof(text)))
        n = sizeof(text) - 1;
    PutDisplayLine(out, 112, "-Clock- ", text, static_cast<size_t>(n), limit);

    BuildParameterBlock(config, out + kConfigParamOffset);
    BuildGammaTable(GrayBits(config.Gray), GammaPacking(config.ChipName), config.GammaVal, config.LowGrayFilter + 1,
        out + kConfigGammaOffset);
}

CString ConfigFileName(int n)
{
    CString name;
    name.Format(L"CFG_%03d.bfm", n);
    return name;
}
