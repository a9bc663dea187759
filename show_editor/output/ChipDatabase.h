// The chip database "Chip.ini" in the program's Config folder: chip
// categories (section "CHIPS"), one section per chip ("<category>_<n>",
// numbered without gaps), the chip menu model built from them, and applying
// a chip's section to the chip parameter page and the configuration.
#pragma once

#include <afx.h>

#include "ChipParams.h"
#include "IniFile.h"

#include <vector>

class HardwareConfig;

// Chip menu commands: 0x9000 + k for the k-th chip item counted from 1
// across all categories; command ids are 16-bit.
constexpr UINT kFirstChipCommand = 0x9001;
constexpr UINT kLastChipCommand = 0xFFFF;

struct ChipMenuItem {
    UINT commandId = 0;
    CString name;
};

struct ChipMenuCategory {
    CString name;
    std::vector<ChipMenuItem> chips;
};

class CChipDatabase {
public:
    // Reads the categories of the file; when there is at least one, the
    // reader is bound to the file and TRUE comes back.
    BOOL Open(LPCWSTR path);
    BOOL IsBound() const { return m_ini.HasPath(); }

    // The categories of section "CHIPS" in order (read from the file).
    std::vector<CString> ReadCategories() const;
    // The popup menu's model: one submenu per category, its chips in section
    // order with their command ids. Empty when the reader is not bound.
    std::vector<ChipMenuCategory> BuildMenu();
    // The chip name of a menu command, from a model built by BuildMenu.
    static BOOL FindCommand(const std::vector<ChipMenuCategory>& menu, UINT commandId, CString& name);

    // The text whose categories are searched for a chip: most chips search
    // their own name; DMX-addressed chips search "DMX", P98x3 chips "DMS".
    static CString SearchText(const CString& chipName);

    // Finds the chip's section (categories re-read, searched in order) and
    // reads it into `params` and `isOE`, completing missing keys in the file.
    // FALSE when no section has the name, or its chip channel count is 0.
    BOOL ReadChip(const CString& chipName, ChipParams& params, BOOL& isOE);

private:
    CString m_path;
    CINI m_ini;
};

// The page values that applying a chip sets.
struct ChipPageValues {
    ChipParams params;
    BOOL IsOE = 0;
    int OePeriodSel = 7; // selection of the OE period list
    // First entry of the clock list: an OE chip's fastest clock is 7.50 MHz.
    CString FirstClockEntry = L"8.00MHz";
    int LowGrayFilterSel = 0; // selection of the low-gray filter list
    int ColourCountSel = 0; // selection of the colour count list (index + 3 colours)
    BOOL AutoRefresh = 0;
    double RefreshMax = 60.0;
    double RefreshRate = 60.0;
    BYTE Ucs9812Currents[12] = { 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14 };
    BYTE ChipCurrents[4] = { 27, 27, 27, 27 };
    BOOL Ucs5603HighCurrent = 0;
};

// Highest refresh rate of a chip: with OE periods from CalcRefreshRate,
// otherwise from the bits sent per pixel and the time added per frame.
double ChipRefreshRate(const ChipParams& params, BOOL isOE, int oePeriods);

// Applies the chip's database section: the page values are set, and the
// chip-specific GCLK index and current settings are reset directly in the
// configuration. FALSE, and nothing changed, when the chip is not found.
BOOL ApplyChipToPage(CChipDatabase& database, const CString& chipName, ChipPageValues& page, HardwareConfig& config);
