// The chip database: categories, the chip menu model, finding and reading a
// chip's section, and applying it to the page values and the configuration.
#include "ChipDatabase.h"

#include "ChipSectionIndex.h"

#include "ConfigFile.h"
#include "HardwareConfig.h"
#include "SplitString.h"

#include <cstdlib>
#include <initializer_list>

namespace {

constexpr DWORD kChipsSectionChars = 4096;
// A category can never hold more chips than there are command ids.
constexpr int kMaxChips = static_cast<int>(kLastChipCommand - kFirstChipCommand + 1);

CString SectionName(const CString& category, int index)
{
    CString section;
    section.Format(L"%s_%d", category.GetString(), index);
    return section;
}

bool IsAnyOf(const CString& name, std::initializer_list<LPCWSTR> names)
{
    for (LPCWSTR n : names) {
        if (name == n)
            return true;
    }
    return false;
}

} // namespace

BOOL CChipDatabase::Open(LPCWSTR path)
{
    m_ini.SetPath(nullptr);
    m_path = path != nullptr ? path : L"";
    if (m_path.GetLength() >= CINI::kPathCapacity) {
        m_path.Empty(); // refused like the reader refuses it
        return FALSE;
    }
    if (ReadCategories().empty())
        return FALSE;
    return m_ini.SetPath(m_path);
}

std::vector<CString> CChipDatabase::ReadCategories() const
{
    std::vector<CString> categories;
    if (m_path.IsEmpty())
        return categories;
    // The whole section as one block of NUL-separated lines.
    WCHAR block[kChipsSectionChars] = {};
    const DWORD length = ::GetPrivateProfileSectionW(L"CHIPS", block, kChipsSectionChars, m_path);
    DWORD pos = 0;
    while (pos < length && block[pos] != 0) {
        const CString line(block + pos);
        pos += static_cast<DWORD>(line.GetLength()) + 1;
        CStringArray parts;
        if (SplitString(line, parts, L"=") > 1 && !parts[1].IsEmpty())
            categories.push_back(parts[1]);
    }
    return categories;
}

std::vector<ChipMenuCategory> CChipDatabase::BuildMenu()
{
    std::vector<ChipMenuCategory> menu;
    if (!IsBound())
        return menu;
    CChipSectionIndex index;
    index.Load(m_path);
    UINT command = kFirstChipCommand;
    for (const CString& category : ReadCategories()) {
        ChipMenuCategory sub;
        sub.name = category;
        for (int k = 1; k <= kMaxChips && command <= kLastChipCommand; ++k) {
            const CString* name = index.NameOf(SectionName(category, k));
            if (name == nullptr)
                break; // the numbering ends at the first gap
            sub.chips.push_back({ command++, *name });
        }
        menu.push_back(std::move(sub));
    }
    return menu;
}

BOOL CChipDatabase::FindCommand(const std::vector<ChipMenuCategory>& menu, UINT commandId, CString& name)
{
    for (const ChipMenuCategory& category : menu) {
        for (const ChipMenuItem& item : category.chips) {
            if (item.commandId == commandId) {
                name = item.name;
                return TRUE;
            }
        }
    }
    return FALSE;
}

CString CChipDatabase::SearchText(const CString& chipName)
{
    if (IsAnyOf(chipName,
            { L"UCS512", L"PC/RC-S", L"RC-Y", L"MY7221", L"TM512", L"DMX512-A2", L"SM16512", L"BDW512", L"MS512",
                L"UCS512C", L"SM16511", L"QV-SLX15", L"QV-SLX16", L"QV-VTM16", L"UCS512C4" }))
        return L"DMX";
    if (IsAnyOf(chipName, { L"P9813", L"P9823", L"P9883" }))
        return L"DMS";
    return chipName;
}

BOOL CChipDatabase::ReadChip(const CString& chipName, ChipParams& params, BOOL& isOE)
{
    const std::vector<CString> categories = ReadCategories();
    if (!IsBound())
        return FALSE;
    const CString search = SearchText(chipName);
    CChipSectionIndex index;
    index.Load(m_path);
    for (const CString& category : categories) {
        if (search.Find(category) < 0)
            continue;
        for (int k = 1; k <= kMaxChips; ++k) {
            const CString section = SectionName(category, k);
            const CString* found = index.NameOf(section);
            if (found == nullptr)
                break;
            if (*found != chipName)
                continue;
            const CString name = *found;

            ChipParams p;
            p.ChipName = chipName;
            CString code;
            p.Code = _wtoi(m_ini.GetString(section, L"Code", code) ? code.GetString() : name.GetString());
            p.ChipChannel = static_cast<UINT>(m_ini.GetInt(section, L"ChipChannel", 3));
            p.Gray = static_cast<UINT>(m_ini.GetInt(section, L"Gray", 4096));
            p.Channels = static_cast<UINT>(m_ini.GetInt(section, L"Channels", 2048));
            p.Clock = m_ini.GetDouble(section, L"Clock", 5.0);
            p.ClkDuty = m_ini.GetInt(section, L"ClkDuty", 50);
            p.GammaVal = m_ini.GetDouble(section, L"GammaVal", 2.2);
            p.IsCurrent = m_ini.GetInt(section, L"IsCurrent", 0);
            p.ChipBits = m_ini.GetInt(section, L"ChipBits", 24);
            p.AddTime = static_cast<UINT>(m_ini.GetInt(section, L"AddTime", 24));
            p.GrayLock = m_ini.GetInt(section, L"GrayLock", 1);
            p.GammaLock = m_ini.GetInt(section, L"GammaLock", 1);
            p.ClockLock = m_ini.GetInt(section, L"ClockLock", 1);
            p.ClkDutyLock = m_ini.GetInt(section, L"ClkDutyLock", 1);
            p.ChannelsLock = m_ini.GetInt(section, L"ChannelsLock", 0);
            p.Conf_type = m_ini.GetInt(section, L"Conf_type", 0);
            p.Conf_Data = m_ini.GetInt(section, L"Conf_Data", 0);
            const BOOL oe = m_ini.GetInt(section, L"IsOE", 0);
            p.PwmClock = 75.0 / 7.0;
            // A chip without channels would divide every per-pixel figure by 0.
            if (p.ChipChannel == 0)
                return FALSE;
            params = p;
            isOE = oe;
            return TRUE;
        }
    }
    return FALSE;
}

double ChipRefreshRate(const ChipParams& params, BOOL isOE, int oePeriods)
{
    const UINT chipChannel = params.ChipChannel != 0 ? params.ChipChannel : 1;
    if (isOE)
        return CalcRefreshRate(params.Gray, params.Channels - (params.Channels % chipChannel), params.Clock, oePeriods);
    const double bitsPerPort = static_cast<double>(params.Channels / chipChannel) * params.ChipBits;
    return 1.0 / (params.AddTime / 1000000.0 + bitsPerPort / (params.Clock * 1000000.0));
}

BOOL ApplyChipToPage(CChipDatabase& database, const CString& chipName, ChipPageValues& page, HardwareConfig& config)
{
    ChipParams params;
    BOOL isOE = 0;
    if (!database.ReadChip(chipName, params, isOE))
        return FALSE;

    page.params = params;
    page.IsOE = isOE;
    if (isOE)
        page.OePeriodSel = 7;
    page.FirstClockEntry = isOE ? L"7.50MHz" : L"8.00MHz";
    page.AutoRefresh = 1;
    page.RefreshMax = ChipRefreshRate(params, isOE, page.OePeriodSel);
    page.RefreshRate = page.RefreshMax;

    if (IsAnyOf(chipName, { L"MBI6024", L"MBI6023" }))
        config.GclkIndex = 2;
    else if (chipName == L"MY9221")
        config.GclkIndex = 7;
    config.CurrentA = config.CurrentB = config.CurrentC = 10;
    for (int i = 0; i < 12; ++i)
        page.Ucs9812Currents[i] = config.Ucs9812Currents[i] = 14;

    BYTE current = 27;
    if (chipName == L"UCS5603") {
        current = 11;
        page.Ucs5603HighCurrent = 0;
    } else if (chipName == L"SM16736") {
        current = 29;
    } else if (IsAnyOf(chipName, { L"SM16803P", L"SM16804P" })) {
        current = 15;
    }
    for (int i = 0; i < 4; ++i)
        page.ChipCurrents[i] = config.ChipCurrents[i] = current;
    page.LowGrayFilterSel = 0;
    page.ColourCountSel = 0;
    return TRUE;
}
