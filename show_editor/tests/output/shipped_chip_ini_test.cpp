// The chip database shipped in the program's Config folder: every chip the
// program treats specially can be found through its search key, and the
// file is complete (reading every chip writes nothing back).
#include <gtest/gtest.h>

#include "AppPaths.h"
#include "ChipDatabase.h"
#include "ConfigFile.h"
#include "HardwareConfig.h"
#include "temp_folder.h"

#include <string>

namespace {

std::string ReadAll(const CString& path)
{
    std::string text;
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return text;
    text.resize(1 << 20);
    DWORD read = 0;
    ::ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
    ::CloseHandle(file);
    text.resize(read);
    return text;
}

TEST(ShippedChipIni, EveryNamedChipIsFoundAndComplete)
{
    // Work on a copy: reading completes missing keys in place.
    CTempTestFolder folder(L"chipini");
    const CString copy = folder.File(L"Chip.ini");
    ASSERT_TRUE(::CopyFileW(GetChipIniPath(), copy, FALSE)) << CStringA(GetChipIniPath()).GetString();
    const std::string before = ReadAll(copy);

    CChipDatabase db;
    ASSERT_TRUE(db.Open(copy));
    const std::vector<ChipMenuCategory> menu = db.BuildMenu();
    ASSERT_FALSE(menu.empty());
    ASSERT_FALSE(menu[0].chips.empty());
    EXPECT_EQ(menu[0].chips[0].commandId, kFirstChipCommand);

    const wchar_t* chips[] = { L"MBI6024", L"MBI6023", L"MY9221", L"TM1829", L"CX808", L"GW6230", L"GW6236", L"UCS9812",
        L"TM1914", L"MBI5042", L"DMX512-RC", L"TM1814", L"SM16736", L"SM16803P", L"SM16804P", L"UCS5603", L"LPD1886",
        L"DMX512", L"YD-P", L"KT-DMX", L"MS512", L"DMX512AP", L"UCS512", L"MY7221", L"TM512", L"SM16512", L"QV-SLX15",
        L"QV-SLX16", L"QV-VTM16", L"UCS512C", L"BDW512", L"DL-DMX01", L"SM16511", L"PC-AB", L"SM16522", L"UCS512C4",
        L"YD-V", L"PC", L"PC/RC-S", L"RC-Y", L"DMX512-A2", L"LTDMX512", L"P9813", L"P9823", L"P9883" };
    UINT expectedCommand = kFirstChipCommand;
    size_t chipCount = 0;
    for (const ChipMenuCategory& category : menu) {
        for (const ChipMenuItem& item : category.chips) {
            EXPECT_EQ(item.commandId, expectedCommand++);
            ++chipCount;
        }
    }
    EXPECT_EQ(chipCount, std::size(chips));

    for (const wchar_t* chip : chips) {
        const CStringA name(chip);
        ChipParams params;
        BOOL isOE = 0;
        ASSERT_TRUE(db.ReadChip(chip, params, isOE)) << name.GetString();
        // Every chip yields a configuration file that can be written.
        HardwareConfig config;
        config.ChipName = params.ChipName;
        config.ChipChannel = params.ChipChannel;
        config.Gray = params.Gray;
        config.Clock = params.Clock;
        config.PwmClock = params.PwmClock;
        config.Channels = params.Channels;
        EXPECT_TRUE(ConfigParamsUsable(config)) << name.GetString();
        EXPECT_GT(ChipRefreshRate(params, isOE, 7), 20.0) << name.GetString();
    }
    EXPECT_EQ(ReadAll(copy), before);
}

} // namespace
