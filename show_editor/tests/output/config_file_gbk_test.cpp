// Display line 1 under a double-byte ANSI code page (936): the chip name
// shows its first 8 bytes, not its first 8 characters.
#include <gtest/gtest.h>

#include "ConfigFile.h"
#include "HardwareConfig.h"

#include <string>

namespace {

std::string ChipLine(const wchar_t* chipName)
{
    HardwareConfig config;
    config.ChipName = chipName;
    BYTE image[kConfigFileSize];
    BuildConfigFileImage(config, image);
    return std::string(reinterpret_cast<const char*>(image + 64), 16);
}

TEST(ConfigFileGbk, ChipNameIsCutAfterEightBytes)
{
    ASSERT_EQ(::GetACP(), 936u);
    // Four characters of two bytes each fill the eight bytes: the X is cut.
    EXPECT_EQ(ChipLine(L"\u82af\u7247\u540d\u79f0X"), "--Chip--\xd0\xbe\xc6\xac\xc3\xfb\xb3\xc6");
    // Two letters and three characters fill the eight bytes exactly.
    EXPECT_EQ(ChipLine(L"AB\u82af\u7247\u540d"), "--Chip--AB\xd0\xbe\xc6\xac\xc3\xfb");
    // A double-byte character across the limit leaves its lead byte only.
    EXPECT_EQ(ChipLine(L"ABC\u82af\u7247\u540d"), "--Chip--ABC\xd0\xbe\xc6\xac\xc3");
    // Short names are padded with spaces.
    EXPECT_EQ(ChipLine(L"\u82af"), "--Chip--\xd0\xbe      ");
}

} // namespace
