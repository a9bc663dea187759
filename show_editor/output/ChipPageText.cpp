// The chip parameter page's list texts and number reading.
#include "ChipPageText.h"

#include "ConfigFile.h"

#include <cmath>
#include <initializer_list>

namespace {

bool IsOneOf(const CString& name, std::initializer_list<const wchar_t*> names)
{
    for (const wchar_t* n : names)
        if (name == n)
            return true;
    return false;
}

} // namespace

int GrayBitsFromText(const CString& text)
{
    // A typed text without the list's "<levels> <bits>BIT" shape has no bits.
    const int space = text.Find(L' ');
    if (space < 0)
        return 0;
    CString part = text.Mid(space + 1);
    part.MakeUpper();
    part.Remove(L'B');
    part.Remove(L'I');
    part.Remove(L'T');
    const int bits = _wtoi(part);
    return bits < 0 ? 0 : (bits > kMaxGrayBits ? kMaxGrayBits : bits);
}

UINT GrayLevelsFromText(const CString& text)
{
    return 1u << GrayBitsFromText(text);
}

UINT ChannelsFromText(const CString& text, const CString& unitText)
{
    CString digits = text;
    for (int i = 0; i < unitText.GetLength(); ++i)
        digits.Remove(unitText[i]);
    const int value = _wtoi(digits);
    return value < 0 ? 0u : static_cast<UINT>(value);
}

double ClockFromText(const CString& text)
{
    CString value = text;
    value.MakeUpper();
    value.Remove(L'M');
    value.Remove(L'H');
    value.Remove(L'Z');
    return _wtof(value);
}

int DutyFromText(const CString& text)
{
    return _wtoi(text);
}

CString GrayText(UINT gray, const CString& unitText)
{
    CString text;
    text.Format(L"%u%s  %dBIT", gray, unitText.GetString(), GrayBits(gray));
    return text;
}

std::vector<CString> GrayListEntries(const CString& chipName, const CString& unitText)
{
    std::vector<UINT> levels;
    if (chipName == L"MY9221") {
        levels = { 65536, 16384, 4096, 256 };
    } else if (chipName == L"CX808") {
        for (UINT g = 65536; g >= 4; g /= 2)
            levels.push_back(g);
    } else {
        levels = { 4096, 1024, 256 };
    }
    std::vector<CString> entries;
    for (UINT g : levels)
        entries.push_back(GrayText(g, unitText));
    return entries;
}

bool ShowsFullGray(const CString& chipName)
{
    return IsOneOf(chipName,
        { L"QV-SLX15", L"QV-SLX16", L"QV-VTM16", L"UCS512C", L"BDW512", L"SM16803P", L"SM16804P", L"UCS512C4" });
}

double EffectiveBrightness(int bits, BOOL isOE, int oePeriods)
{
    if (!isOE || oePeriods <= 0)
        return 100.0;
    const double cycle = std::pow(2.0, bits - oePeriods);
    return cycle / (cycle + oePeriods - 1) * 100.0;
}

int FirstVisibleGrayStep(int bits, const CString& chipName, double gamma, int lowGraySel)
{
    BYTE table[kGammaTableBytes] = {};
    const BYTE packing = chipName == L"LPD1886" ? 1 : 0;
    BuildGammaTable(bits, packing, gamma, lowGraySel + 1, table);
    // Two bytes per step in both packings.
    for (int i = 0; i < 256; ++i)
        if (table[2 * i] != 0 || table[2 * i + 1] != 0)
            return i;
    return 256;
}

double PageRefreshMax(BOOL isOE, UINT grayLevels, UINT channels, UINT chipChannel, double clockMHz, int oePeriodSel,
    UINT addTime, int chipBits)
{
    if (chipChannel == 0 || clockMHz <= 0.0)
        return 0.0;
    if (isOE)
        return CalcRefreshRate(grayLevels, channels - channels % chipChannel, clockMHz, oePeriodSel);
    const double perFrame
        = addTime / 1000000.0 + (channels / chipChannel) * static_cast<double>(chipBits) / (clockMHz * 1000000.0);
    return perFrame > 0.0 ? 1.0 / perFrame : 0.0;
}
