// The 4096-byte configuration file image: display lines, parameter block,
// per-chip words and the gamma table in each packing. Expected values are
// worked out by hand from the file layout.
#include <gtest/gtest.h>

#include "ConfigFile.h"
#include "HardwareConfig.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Image {
    BYTE bytes[kConfigFileSize];

    int U8(int offset) const { return bytes[offset]; }
    int U16(int offset) const { return bytes[offset] | (bytes[offset + 1] << 8); }
    int Param8(int offset) const { return U8(kConfigParamOffset + offset); }
    int Param16(int offset) const { return U16(kConfigParamOffset + offset); }
    int Gamma(int entry) const { return U16(kConfigGammaOffset + 2 * entry); }
    std::string Text(int offset, int length) const
    {
        return std::string(reinterpret_cast<const char*>(bytes + offset), static_cast<size_t>(length));
    }
};

Image Build(const HardwareConfig& config)
{
    Image image;
    EXPECT_TRUE(ConfigParamsUsable(config));
    BuildConfigFileImage(config, image.bytes);
    return image;
}

bool AllZero(const Image& image, int from, int to)
{
    for (int i = from; i < to; ++i) {
        if (image.bytes[i] != 0)
            return false;
    }
    return true;
}

TEST(ConfigFile, DefaultConfigurationFieldByField)
{
    HardwareConfig config;
    const Image image = Build(config);

    EXPECT_EQ(image.Text(0, 8), std::string("VIZAZIV\0", 8));
    EXPECT_TRUE(AllZero(image, 8, 64));
    EXPECT_EQ(image.Text(64, 16), "--Chip--        ");
    EXPECT_EQ(image.Text(80, 16), "Channels2048    ");
    EXPECT_EQ(image.Text(96, 16), "--Gray--4096    ");
    EXPECT_EQ(image.Text(112, 16), "-Clock- 4.00M50%");
    EXPECT_TRUE(AllZero(image, 128, 256));

    EXPECT_EQ(image.Param8(0), 0); // code
    EXPECT_EQ(image.Param16(1), 18); // T = 75 / 4.00
    EXPECT_EQ(image.Param16(3), 9); // H = 50 % of T
    EXPECT_EQ(image.Param16(5), 2046); // 2048 less 2048 mod 3
    for (int i = 7; i <= 10; ++i)
        EXPECT_EQ(image.Param8(i), 255) << i;
    EXPECT_EQ(image.Param16(11), 0); // W
    EXPECT_EQ(image.Param8(13), 12); // gray bits
    EXPECT_EQ(image.Param8(14), 0); // three colours
    EXPECT_TRUE(AllZero(image, 256 + 15, 256 + 20));
    EXPECT_EQ(image.Param8(20), 0);
    EXPECT_EQ(image.Param16(21), 0);
    EXPECT_EQ(image.Param16(23), 0); // X
    EXPECT_EQ(image.Param16(25), 0); // Y
    EXPECT_TRUE(AllZero(image, 256 + 27, 512));

    EXPECT_EQ(image.Gamma(0), 0);
    EXPECT_EQ(image.Gamma(255), 4095);
    EXPECT_TRUE(AllZero(image, 1024, 4096));
}

TEST(ConfigFile, OtherParameterBytes)
{
    HardwareConfig config;
    config.Code = 0x1234;
    config.Brightness = 50;
    config.BrightnessA = 100;
    config.BrightnessB = 50;
    config.BrightnessC = 0;
    config.BrightnessD = 100;
    config.ColourCount = 4;
    config.DataReverse = 1;
    config.Gray = 1000; // not a power of two: integer part of log2
    const Image image = Build(config);
    EXPECT_EQ(image.Param8(0), 0x34);
    EXPECT_EQ(image.Param8(7), 127); // 1.0 x 0.5 x 255 = 127.5
    EXPECT_EQ(image.Param8(8), 63); // 0.5 x 0.5 x 255 = 63.75
    EXPECT_EQ(image.Param8(9), 0);
    EXPECT_EQ(image.Param8(10), 127);
    EXPECT_EQ(image.Param8(13), 9);
    EXPECT_EQ(image.Param8(14), 1);
    EXPECT_EQ(image.Param8(20), 1);
    EXPECT_EQ(image.Text(96, 16), "--Gray--1000    ");
}

TEST(ConfigFile, DisplayLines)
{
    HardwareConfig config;
    config.ChipName = L"ABCDEFGHIJ"; // only the first 8 bytes show
    config.Channels = 16000;
    config.Clock = 10.0; // "10.00M30%" runs one byte past its line
    config.ClkDuty = 30;
    Image image = Build(config);
    EXPECT_EQ(image.Text(64, 16), "--Chip--ABCDEFGH");
    EXPECT_EQ(image.Text(80, 16), "Channels16000   ");
    EXPECT_EQ(image.Text(112, 16), "-Clock- 10.00M30");
    EXPECT_EQ(image.U8(128), '%');
    EXPECT_TRUE(AllZero(image, 129, 256));

    // The name goes through the ANSI code page (1252 in this test).
    config.ChipName = L"\u00e9\u00e8ABCDEFG";
    config.Clock = 0.8;
    image = Build(config);
    EXPECT_EQ(image.Text(64, 16),
        "--Chip--\xe9\xe8"
        "ABCDEF");
    EXPECT_EQ(image.Text(112, 16), "-Clock- 0.80M30%");

    // A huge clock text never reaches the parameter block.
    config.Clock = 1e300;
    image = Build(config);
    EXPECT_TRUE(image.U8(255) >= '0' && image.U8(255) <= '9');
    EXPECT_EQ(image.Param16(1), 0); // T
}

TEST(ConfigFile, DividersOverTheClockList)
{
    struct Row {
        double clock;
        int t;
        int h50;
    };
    const Row rows[] = {
        { 8.00, 9, 4 },
        { 7.50, 10, 5 },
        { 6.66, 11, 5 },
        { 5.00, 15, 7 },
        { 4.00, 18, 9 },
        { 3.20, 23, 11 },
        { 2.00, 37, 18 },
        { 1.60, 46, 23 },
        { 1.00, 75, 37 },
        { 0.80, 93, 46 },
        { 0.66, 113, 56 },
        { 0.50, 150, 75 },
        { 0.40, 187, 93 },
        { 0.32, 234, 117 },
        { 0.25, 300, 150 },
    };
    for (const Row& row : rows) {
        HardwareConfig config;
        config.Clock = row.clock;
        const Image image = Build(config);
        EXPECT_EQ(image.Param16(1), row.t) << row.clock;
        EXPECT_EQ(image.Param16(3), row.h50) << row.clock;
    }
    // H is the (100 - duty) share of T.
    HardwareConfig config;
    config.ClkDuty = 30;
    EXPECT_EQ(Build(config).Param16(3), 12); // 18 x 70 / 100 = 12.6
    config.ClkDuty = 90;
    EXPECT_EQ(Build(config).Param16(3), 1); // 1.8
}

TEST(ConfigFile, ChannelsAsSent)
{
    struct Row {
        const wchar_t* chip;
        UINT channels;
        UINT chipChannel;
        int c;
    };
    const Row rows[] = {
        { L"", 2048, 3, 2046 },
        { L"MS512", 2048, 3, 2048 }, // DMX chips send every channel
        { L"UCS512C4", 2048, 3, 2048 },
        { L"PC-AB", 2047, 4, 2047 },
        { L"", 2, 3, 3 }, // raised to one chip
        { L"", 3072, 4, 3072 },
    };
    for (const Row& row : rows) {
        HardwareConfig config;
        config.ChipName = row.chip;
        config.Channels = row.channels;
        config.ChipChannel = row.chipChannel;
        EXPECT_EQ(Build(config).Param16(5), row.c) << CStringA(row.chip).GetString();
    }
}

// One row per chip rule, on a base configuration with recognisable values.
TEST(ConfigFile, ChipWordRules)
{
    struct Row {
        const wchar_t* chip;
        int backupMode;
        BOOL ucsHigh;
        BOOL isOE;
        int w, x, y, c;
    };
    const Row rows[] = {
        { L"", 1, 0, 0, 0x0123, 0, 0, 2046 },
        { L"MBI6024", 1, 0, 0, 0x4123, 0, 0, 2046 },
        { L"MBI6023", 1, 0, 0, 0x4123, 0, 0, 2046 },
        { L"MY9221", 1, 0, 0, 0x4123, 0, 0, 2046 },
        { L"mbi6024", 1, 0, 0, 0x0123, 0, 0, 2046 }, // names compare exactly
        { L"TM1829", 1, 0, 0, 21140, 0, 0, 2046 },
        { L"CX808", 1, 0, 0, 21140, 5, 0, 2046 },
        { L"GW6230", 1, 0, 0, 21140, 5, 0, 2046 },
        { L"GW6236", 2, 0, 0, 21140, 6, 0, 2046 },
        { L"UCS9812", 1, 0, 0, 0x1234, 0x5678, 0x9ABC, 2046 },
        { L"DMX512", 1, 0, 0, 0, 0, 0, 2048 },
        { L"KT-DMX", 1, 0, 0, 0, 0, 0, 2048 },
        { L"LTDMX512", 1, 0, 0, 0, 0, 0, 2046 },
        { L"DMX512AP", 1, 0, 0, 1, 0, 0, 2048 },
        { L"YD-V", 1, 0, 0, 1, 0, 0, 2046 },
        { L"PC", 1, 0, 0, 1, 0, 0, 2046 },
        { L"PC-AB", 1, 0, 0, 0x0123, 0, 0, 2048 },
        { L"MS512", 1, 0, 0, 0x0123, 0, 0, 2048 },
        { L"UCS512", 1, 0, 0, 1, 0, 0, 2048 },
        { L"MY7221", 1, 0, 0, 1, 0, 0, 2048 },
        { L"TM1914", 0, 0, 0, 0xFFFF, 0xFF00, 0, 2046 },
        { L"TM1914", 1, 0, 0, 0xFFFF, 0xFA00, 5, 2046 },
        { L"TM1914", 2, 0, 0, 0xFFFF, 0xF500, 10, 2046 },
        { L"TM1914", 3, 0, 0, 0x0123, 0, 0, 2046 },
        { L"MBI5042", 1, 0, 0, 0x0123, 5, 0, 2046 },
        { L"", 1, 0, 1, 0x17, 15, 0, 2046 }, // OE: W from the OE settings, X = C / 2^7
        { L"DMX512-RC", 1, 0, 0, 0x4000, 0, 0, 2046 },
        { L"DMX512-RC", 1, 0, 1, 0x4017, 15, 0, 2046 },
        { L"TM1814", 1, 0, 0, 0x0401, 0x0203, 0, 2046 },
        { L"TM1814", 1, 0, 1, 0x0401, 0x0203, 0, 2046 }, // the current rule comes last
        { L"SM16736", 1, 0, 0, 0x0443, 682, 0, 2046 },
        { L"SM16803P", 1, 0, 0, 0xF123, 0, 0, 2046 },
        { L"SM16804P", 1, 0, 0, 0x1234, 0, 0, 2046 },
        { L"UCS5603", 1, 0, 0, 0x0321, 0, 0, 2046 },
        { L"UCS5603", 1, 1, 0, 0x5321, 0, 0, 2046 },
        // The OE rule overrides every earlier rule, but only the words it sets.
        { L"MBI6024", 1, 0, 1, 0x17, 15, 0, 2046 },
        { L"CX808", 1, 0, 1, 0x17, 15, 0, 2046 },
        { L"UCS9812", 1, 0, 1, 0x17, 15, 0x9ABC, 2046 },
        { L"TM1914", 1, 0, 1, 0x17, 15, 5, 2046 },
        { L"MBI5042", 1, 0, 1, 0x17, 15, 0, 2046 },
        { L"DMX512AP", 1, 0, 1, 0x17, 16, 0, 2048 }, // X from the full channel count
        { L"UCS512", 1, 0, 1, 0x17, 16, 0, 2048 },
        { L"SM16736", 1, 0, 1, 0x0443, 682, 0, 2046 },
    };
    for (const Row& row : rows) {
        HardwareConfig config;
        config.ChipName = row.chip;
        config.Conf_Data = 0x0123;
        config.GclkIndex = 2;
        config.BackupMode = row.backupMode;
        config.BackupIdleHigh = 1;
        config.AddressRouted = 1;
        config.Ucs5603HighCurrent = row.ucsHigh;
        config.IsOE = row.isOE;
        config.OeActiveHigh = 1;
        config.OePeriods = 7;
        for (int i = 0; i < 12; ++i)
            config.Ucs9812Currents[i] = static_cast<BYTE>(i + 1);
        for (int i = 0; i < 4; ++i)
            config.ChipCurrents[i] = static_cast<BYTE>(i + 1);
        const Image image = Build(config);
        const CStringA name(row.chip);
        EXPECT_EQ(image.Param16(11), row.w) << name.GetString() << " mode " << row.backupMode;
        EXPECT_EQ(image.Param16(23), row.x) << name.GetString() << " mode " << row.backupMode;
        EXPECT_EQ(image.Param16(25), row.y) << name.GetString() << " mode " << row.backupMode;
        EXPECT_EQ(image.Param16(5), row.c) << name.GetString();
    }
}

TEST(ConfigFile, AddressRoutingOnlyForItsThreeChips)
{
    struct Row {
        const wchar_t* chip;
        int routed;
        int unrouted;
    };
    const Row rows[] = {
        { L"DMX512AP", 1, 0 }, { L"YD-V", 1, 0 }, { L"PC", 1, 0 }, { L"DMX512", 0, 0 },
        { L"YD-P", 0x0123, 0x0123 }, // neither contains "DMX" nor is YD-V
    };
    for (const Row& row : rows) {
        HardwareConfig config;
        config.ChipName = row.chip;
        config.Conf_Data = 0x0123;
        config.AddressRouted = 1;
        EXPECT_EQ(Build(config).Param16(11), row.routed) << CStringA(row.chip).GetString();
        config.AddressRouted = 0;
        EXPECT_EQ(Build(config).Param16(11), row.unrouted) << CStringA(row.chip).GetString();
    }
}

TEST(ConfigFile, ChipWordFromConfType)
{
    const int expected[] = { 0x0123, 681, 682, 0x0123 };
    for (int type = 0; type < 4; ++type) {
        HardwareConfig config;
        config.Conf_type = type;
        config.Conf_Data = 0x0123;
        EXPECT_EQ(Build(config).Param16(11), expected[type]) << type;
    }
    // A previous divider rule still applies on top of the chip word.
    HardwareConfig config;
    config.ChipName = L"MY9221";
    config.Conf_type = 1;
    config.GclkIndex = 7;
    EXPECT_EQ(Build(config).Param16(11), 681 | (7 << 13));
}

TEST(ConfigFile, OeSecondWordIsAtLeastOne)
{
    HardwareConfig config;
    config.IsOE = 1;
    config.OePeriods = 8;
    EXPECT_EQ(Build(config).Param16(23), 7); // 2046 / 256 = 7.99
    config.Channels = 3;
    EXPECT_EQ(Build(config).Param16(23), 1); // 3 / 256 is below 1
    config.OeActiveHigh = 0;
    config.OePeriods = 3;
    EXPECT_EQ(Build(config).Param16(11), 3);
}

TEST(ConfigFile, Mbi5042PwmDivider)
{
    // Rounded to the nearest divider: 75 / (75/7) is 7.000000000000001.
    const double clocks[] = { 18.75, 15.0, 12.5, 75.0 / 7.0, 9.375, 75.0 / 9.0, 7.5, 3.75 };
    const int expected[] = { 2, 3, 4, 5, 6, 7, 8, 18 };
    for (int i = 0; i < 8; ++i) {
        HardwareConfig config;
        config.ChipName = L"MBI5042";
        config.PwmClock = clocks[i];
        EXPECT_EQ(Build(config).Param16(23), expected[i]) << clocks[i];
    }
}

TEST(ConfigFile, GammaTableInEachPacking)
{
    BYTE table[kGammaTableBytes];
    const auto entry16 = [&](int i) { return table[2 * i] | (table[2 * i + 1] << 8); };

    // Packing 0, 12 bits, gamma 2.2, from entry 1.
    BuildGammaTable(12, 0, 2.2, 1, table);
    const int entries[] = { 0, 1, 2, 5, 6, 10, 16, 20, 64, 128, 200, 254, 255 };
    const int values[] = { 0, 0, 0, 1, 1, 3, 9, 15, 196, 899, 2400, 4060, 4095 };
    for (int k = 0; k < 13; ++k)
        EXPECT_EQ(entry16(entries[k]), values[k]) << entries[k];

    // Packing 1: eight high bits, then the four low bits.
    BuildGammaTable(12, 1, 2.2, 1, table);
    EXPECT_EQ(table[2 * 128], 0x38);
    EXPECT_EQ(table[2 * 128 + 1], 0x03);
    EXPECT_EQ(table[2 * 200], 0x96);
    EXPECT_EQ(table[2 * 200 + 1], 0x00);
    EXPECT_EQ(table[2 * 255], 0xFF);
    EXPECT_EQ(table[2 * 255 + 1], 0x0F);
    EXPECT_EQ(table[2 * 16], 0x00);
    EXPECT_EQ(table[2 * 16 + 1], 0x09);

    // Packing 2: as 0 with the last entry one lower.
    BuildGammaTable(12, 2, 2.2, 1, table);
    EXPECT_EQ(entry16(128), 899);
    EXPECT_EQ(entry16(255), 4094);
    BuildGammaTable(12, 2, 2.2, 256, table); // nothing filled: wraps to 0xFFFF
    EXPECT_EQ(entry16(255), 0xFFFF);
    EXPECT_EQ(entry16(254), 0);

    // 16 and 8 bits.
    BuildGammaTable(16, 0, 2.2, 0, table);
    EXPECT_EQ(entry16(128), 14386);
    EXPECT_EQ(entry16(255), 65535);
    BuildGammaTable(8, 0, 2.2, 0, table);
    EXPECT_EQ(entry16(128), 56);
    EXPECT_EQ(entry16(255), 255);
    BuildGammaTable(12, 0, 1.0, 0, table); // linear: i x 4095 / 255 rounded
    EXPECT_EQ(entry16(1), 16);
    EXPECT_EQ(entry16(127), 2039);
}

TEST(ConfigFile, GammaTableOfTheFileFollowsTheChip)
{
    HardwareConfig config;
    config.ChipName = L"LPD1886";
    Image image = Build(config);
    EXPECT_EQ(image.U8(512 + 2 * 255), 0xFF);
    EXPECT_EQ(image.U8(512 + 2 * 255 + 1), 0x0F);
    EXPECT_EQ(image.U8(512 + 2 * 128), 0x38);

    config.ChipName = L"TM1829";
    image = Build(config);
    EXPECT_EQ(image.Gamma(255), 4094);
    config.ChipName = L"TM1814";
    image = Build(config);
    EXPECT_EQ(image.Gamma(255), 4095);

    config.Gray = 256;
    config.GammaVal = 1.0;
    image = Build(config);
    EXPECT_EQ(image.Gamma(255), 255);
    EXPECT_EQ(image.Gamma(100), 100);
}

TEST(ConfigFile, LowGrayFilter)
{
    HardwareConfig config;
    config.LowGrayFilter = 5;
    const Image image = Build(config);
    for (int i = 0; i <= 5; ++i)
        EXPECT_EQ(image.Gamma(i), 0) << i;
    EXPECT_EQ(image.Gamma(6), 1);
    EXPECT_EQ(image.Gamma(128), 899);

    HardwareConfig unfiltered;
    EXPECT_EQ(Build(unfiltered).Gamma(5), 1);
    // No selection (-1) starts the table at entry 0, which is 0 anyway.
    unfiltered.LowGrayFilter = -1;
    EXPECT_EQ(Build(unfiltered).Gamma(0), 0);
}

TEST(ConfigFile, RefreshRateOfOeChips)
{
    EXPECT_NEAR(CalcRefreshRate(4096, 2046, 4.0, 7), 51.448, 0.001);
    EXPECT_DOUBLE_EQ(CalcRefreshRate(2, 5000, 0.25, 1), 50.0);
    EXPECT_TRUE(std::isinf(CalcRefreshRate(4096, 0, 4.0, 7)));
    // Extreme OE periods from a damaged record stay plain arithmetic.
    EXPECT_EQ(CalcRefreshRate(4096, 2046, 4.0, INT_MIN), 0.0);
    EXPECT_GT(CalcRefreshRate(4096, 2046, 4.0, INT_MAX), 0.0);
}

TEST(ConfigFile, OePeriodFollowingTheGrayChoice)
{
    EXPECT_EQ(OePeriodForGrayBits(16, 3), 7);
    EXPECT_EQ(OePeriodForGrayBits(12, 3), 7);
    EXPECT_EQ(OePeriodForGrayBits(10, 3), 5); // 1024 levels
    EXPECT_EQ(OePeriodForGrayBits(8, 3), 3);
    EXPECT_EQ(OePeriodForGrayBits(5, 3), 0);
    EXPECT_EQ(OePeriodForGrayBits(2, 3), 0); // never negative
    EXPECT_EQ(OePeriodForGrayBits(-1, 3), 3); // no selection: unchanged
}

TEST(ConfigFile, UnusableParametersAreRecognised)
{
    HardwareConfig config;
    EXPECT_TRUE(ConfigParamsUsable(config));
    config.ChipChannel = 0;
    EXPECT_FALSE(ConfigParamsUsable(config));
    config.ChipChannel = 3;
    config.Clock = 0.0;
    EXPECT_FALSE(ConfigParamsUsable(config));
    config.Clock = std::nan("");
    EXPECT_FALSE(ConfigParamsUsable(config));
    config.Clock = 4.0;
    config.Gray = 0;
    EXPECT_FALSE(ConfigParamsUsable(config));
    config.Gray = 4096;
    config.ChipName = L"MBI5042";
    config.PwmClock = 0.0;
    EXPECT_FALSE(ConfigParamsUsable(config));
    config.ChipName = L"TM1814";
    EXPECT_TRUE(ConfigParamsUsable(config));
}

TEST(ConfigFile, FileNames)
{
    EXPECT_EQ(ConfigFileName(1), CString(L"CFG_001.bfm"));
    EXPECT_EQ(ConfigFileName(12), CString(L"CFG_012.bfm"));
    EXPECT_EQ(ConfigFileName(1000), CString(L"CFG_1000.bfm"));
}

} // namespace
