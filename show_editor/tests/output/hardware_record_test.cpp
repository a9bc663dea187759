// The 280-byte project record of the hardware configuration: default bytes,
// round trip, zero record, names without terminator, fields kept aside.
#include <gtest/gtest.h>

#include "HardwareConfig.h"

#include <cstring>
#include <vector>

namespace {

std::vector<BYTE> Bytes(const HardwareConfigRecord& r)
{
    const BYTE* p = reinterpret_cast<const BYTE*>(&r);
    return std::vector<BYTE>(p, p + sizeof(r));
}

void Put(std::vector<BYTE>& v, size_t offset, std::initializer_list<int> bytes)
{
    for (int b : bytes)
        v[offset++] = static_cast<BYTE>(b);
}

HardwareConfigRecord RecordOf(const std::vector<BYTE>& v)
{
    HardwareConfigRecord r;
    std::memcpy(&r, v.data(), sizeof(r));
    return r;
}

TEST(HardwareRecord, DefaultConfigurationStartsWithAZeroRecord)
{
    HardwareConfig config;
    EXPECT_EQ(Bytes(config.GetRecord()), std::vector<BYTE>(280, 0));
}

TEST(HardwareRecord, DefaultBytesAtTheirOffsets)
{
    HardwareConfig config;
    config.SaveToRecord();

    std::vector<BYTE> expected(280, 0);
    Put(expected, 44, { 3 }); // ChipChannel
    Put(expected, 52, { 24 }); // ChipBits
    Put(expected, 56, { 24 }); // AddTime
    Put(expected, 60, { 0x00, 0x10 }); // Gray 4096
    Put(expected, 64, { 1 }); // GrayLock
    Put(expected, 72, { 0x9a, 0x99, 0x99, 0x99, 0x99, 0x99, 0x01, 0x40 }); // GammaVal 2.2
    Put(expected, 80, { 1 }); // GammaLock
    Put(expected, 88, { 0, 0, 0, 0, 0, 0, 0x10, 0x40 }); // Clock 4.0
    Put(expected, 96, { 0xdb, 0xb6, 0x6d, 0xdb, 0xb6, 0x6d, 0x25, 0x40 }); // PwmClock 75/7
    Put(expected, 104, { 1 }); // ClockLock
    Put(expected, 108, { 50 }); // ClkDuty
    Put(expected, 112, { 1 }); // ClkDutyLock
    Put(expected, 116, { 0x00, 0x08 }); // Channels 2048
    Put(expected, 133, { 10, 10, 10 }); // CurrentA..C
    Put(expected, 136, { 27, 27, 27, 27 });
    Put(expected, 140, { 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14 });
    Put(expected, 152, { 1 }); // BackupMode
    Put(expected, 192, { 0, 0, 0, 0, 0, 0, 0x4e, 0x40 }); // RefreshMax 60
    Put(expected, 200, { 0, 0, 0, 0, 0, 0, 0x4e, 0x40 }); // RefreshRate 60
    Put(expected, 220, { 7 }); // OePeriods
    EXPECT_EQ(Bytes(config.GetRecord()), expected);
}

TEST(HardwareRecord, EveryRecordedFieldRoundTrips)
{
    HardwareConfig a;
    a.ChipName = L"UCS9812";
    a.Code = -5;
    a.ChipChannel = 4;
    a.IsCurrent = 1;
    a.ChipBits = 32;
    a.AddTime = 300;
    a.Gray = 65536;
    a.GrayLock = 0;
    a.GammaVal = 2.8;
    a.GammaLock = 0;
    a.Clock = 0.8;
    a.PwmClock = 12.5;
    a.ClockLock = 0;
    a.ClkDuty = 30;
    a.ClkDutyLock = 0;
    a.Channels = 3072;
    a.ChannelsLock = 1;
    a.Conf_type = 2;
    a.Conf_Data = 0x1234;
    a.CurrentA = 1;
    a.CurrentB = 2;
    a.CurrentC = 3;
    const BYTE chip[4] = { 4, 5, 6, 7 };
    std::memcpy(a.ChipCurrents, chip, 4);
    for (int i = 0; i < 12; ++i)
        a.Ucs9812Currents[i] = static_cast<BYTE>(i);
    a.BackupMode = 2;
    a.BackupIdleHigh = 1;
    a.RefreshMax = 123.5;
    a.RefreshRate = 99.25;
    a.OePeriods = 3;
    a.OeActiveHigh = 1;
    a.IsOE = 1;
    a.SetModelName(L"QV-T8000");
    a.SaveToRecord();

    const std::vector<BYTE> bytes = Bytes(a.GetRecord());
    EXPECT_EQ(bytes[124], 2); // Conf_type and Conf_Data stay separate
    EXPECT_EQ(bytes[128], 0x34);
    EXPECT_EQ(bytes[129], 0x12);
    EXPECT_EQ(bytes[0], 'U');
    EXPECT_EQ(bytes[14], 0); // terminator after 7 characters

    HardwareConfig b;
    b.LoadFromRecord(a.GetRecord());
    EXPECT_EQ(b.ChipName, a.ChipName);
    EXPECT_EQ(b.Code, a.Code);
    EXPECT_EQ(b.ChipChannel, a.ChipChannel);
    EXPECT_EQ(b.IsCurrent, a.IsCurrent);
    EXPECT_EQ(b.ChipBits, a.ChipBits);
    EXPECT_EQ(b.AddTime, a.AddTime);
    EXPECT_EQ(b.Gray, a.Gray);
    EXPECT_EQ(b.GrayLock, a.GrayLock);
    EXPECT_EQ(b.GammaVal, a.GammaVal);
    EXPECT_EQ(b.GammaLock, a.GammaLock);
    EXPECT_EQ(b.Clock, a.Clock);
    EXPECT_EQ(b.PwmClock, a.PwmClock);
    EXPECT_EQ(b.ClockLock, a.ClockLock);
    EXPECT_EQ(b.ClkDuty, a.ClkDuty);
    EXPECT_EQ(b.ClkDutyLock, a.ClkDutyLock);
    EXPECT_EQ(b.Channels, a.Channels);
    EXPECT_EQ(b.ChannelsLock, a.ChannelsLock);
    EXPECT_EQ(b.Conf_type, a.Conf_type);
    EXPECT_EQ(b.Conf_Data, a.Conf_Data);
    EXPECT_EQ(b.CurrentA, 1);
    EXPECT_EQ(b.CurrentB, 2);
    EXPECT_EQ(b.CurrentC, 3);
    EXPECT_EQ(0, std::memcmp(b.ChipCurrents, chip, 4));
    EXPECT_EQ(0, std::memcmp(b.Ucs9812Currents, a.Ucs9812Currents, 12));
    EXPECT_EQ(b.BackupMode, 2);
    EXPECT_EQ(b.BackupIdleHigh, 1);
    EXPECT_EQ(b.RefreshMax, 123.5);
    EXPECT_EQ(b.RefreshRate, 99.25);
    EXPECT_EQ(b.OePeriods, 3);
    EXPECT_EQ(b.OeActiveHigh, 1);
    EXPECT_EQ(b.IsOE, 1);
    EXPECT_EQ(b.GetModelName(), CString(L"QV-T8000"));

    // Saving the loaded configuration gives the same bytes again.
    b.SaveToRecord();
    EXPECT_EQ(Bytes(b.GetRecord()), bytes);
}

TEST(HardwareRecord, ZeroRecordLoadsAsEmptyChipAndZeros)
{
    HardwareConfig config;
    HardwareConfigRecord zero;
    std::memset(&zero, 0, sizeof(zero));
    config.LoadFromRecord(zero);
    EXPECT_TRUE(config.ChipName.IsEmpty());
    EXPECT_EQ(config.ChipChannel, 0u);
    EXPECT_EQ(config.Gray, 0u);
    EXPECT_EQ(config.Clock, 0.0);
    EXPECT_EQ(config.Channels, 0u);
    EXPECT_EQ(config.OePeriods, 0);
    EXPECT_EQ(config.CurrentA, 0);
    EXPECT_TRUE(config.GetModelName().IsEmpty());
}

TEST(HardwareRecord, FieldsOutsideTheRecordAreUntouchedByALoad)
{
    HardwareConfig config;
    config.GclkIndex = 5;
    config.Ucs5603HighCurrent = 1;
    config.ColourCount = 4;
    config.LowGrayFilter = 9;
    config.Brightness = 11;
    config.BrightnessA = 12;
    config.BrightnessB = 13;
    config.BrightnessC = 14;
    config.BrightnessD = 15;
    config.CurrentGain = 16;
    config.AutoRefresh = 0;
    config.DataReverse = 1;
    config.AddressRouted = 0;
    HardwareConfigRecord zero;
    std::memset(&zero, 0, sizeof(zero));
    config.LoadFromRecord(zero);
    EXPECT_EQ(config.GclkIndex, 5);
    EXPECT_EQ(config.Ucs5603HighCurrent, 1);
    EXPECT_EQ(config.ColourCount, 4);
    EXPECT_EQ(config.LowGrayFilter, 9);
    EXPECT_EQ(config.Brightness, 11u);
    EXPECT_EQ(config.BrightnessA, 12u);
    EXPECT_EQ(config.BrightnessB, 13u);
    EXPECT_EQ(config.BrightnessC, 14u);
    EXPECT_EQ(config.BrightnessD, 15u);
    EXPECT_EQ(config.CurrentGain, 16);
    EXPECT_EQ(config.AutoRefresh, 0);
    EXPECT_EQ(config.DataReverse, 1);
    EXPECT_EQ(config.AddressRouted, 0);
}

TEST(HardwareRecord, ReservedBytesAreNeverRead)
{
    HardwareConfig plain;
    plain.SaveToRecord();
    std::vector<BYTE> noisy = Bytes(plain.GetRecord());
    const size_t reserved[] = { 68, 69, 70, 71, 84, 85, 86, 87, 132, 160, 175, 191, 208, 219, 232, 235 };
    for (size_t offset : reserved)
        noisy[offset] = 0xA5;

    HardwareConfig loaded;
    loaded.ColourCount = 3;
    loaded.LoadFromRecord(RecordOf(noisy));
    loaded.SaveToRecord();
    // Fields refreshed from the loaded values match; the reserved bytes are
    // those of the loaded record, kept as they came.
    EXPECT_EQ(Bytes(loaded.GetRecord()), noisy);
    EXPECT_EQ(loaded.GrayLock, 1);
    EXPECT_EQ(loaded.GammaVal, 2.2);
    EXPECT_EQ(loaded.CurrentA, 10);
}

TEST(HardwareRecord, LoadKeepsTheLoadedRecordWhole)
{
    // A project opened after another one must be saved with its own record,
    // not with what the previous save left in the configuration.
    HardwareConfig first;
    first.ChipName = L"TM1814";
    first.Code = 77;
    first.SetModelName(L"Model-A");
    first.SaveToRecord();

    HardwareConfig second;
    second.ChipName = L"UCS5603";
    second.Code = 12;
    second.SetModelName(L"Model-B");
    second.SaveToRecord();

    HardwareConfig frame;
    frame.LoadFromRecord(first.GetRecord());
    frame.LoadFromRecord(second.GetRecord());
    EXPECT_EQ(Bytes(frame.GetRecord()), Bytes(second.GetRecord()));
    EXPECT_EQ(frame.GetModelName(), CString(L"Model-B"));
    EXPECT_EQ(frame.ChipName, CString(L"UCS5603"));
}

TEST(HardwareRecord, NamesWithoutTerminatorAreBounded)
{
    std::vector<BYTE> bytes(280, 0);
    // 20 chip-name units and 22 model units, none of them NUL.
    for (int i = 0; i < 20; ++i)
        Put(bytes, 2 * i, { 'a' + i, 0 });
    Put(bytes, 40, { 0x44, 0x33, 0x22, 0x11 }); // Code right behind the name
    for (int i = 0; i < 22; ++i)
        Put(bytes, 236 + 2 * i, { 'A' + i, 0 });

    HardwareConfig config;
    config.LoadFromRecord(RecordOf(bytes));
    EXPECT_EQ(config.ChipName, CString(L"abcdefghijklmnopqrst"));
    EXPECT_EQ(config.Code, 0x11223344);
    EXPECT_EQ(config.GetModelName(), CString(L"ABCDEFGHIJKLMNOPQRSTUV"));
}

TEST(HardwareRecord, LongNamesAreCutToTheirSlots)
{
    HardwareConfig config;
    config.ChipName = L"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    config.SetModelName(L"abcdefghijklmnopqrstuvwxyz");
    config.SaveToRecord();
    const std::vector<BYTE> bytes = Bytes(config.GetRecord());
    EXPECT_EQ(bytes[36], 'S'); // 19th character
    EXPECT_EQ(bytes[38], 0); // terminator in the last unit
    EXPECT_EQ(bytes[39], 0);
    EXPECT_EQ(bytes[236 + 40], 'u'); // 21st character
    EXPECT_EQ(bytes[278], 0);
    EXPECT_EQ(config.GetModelName(), CString(L"abcdefghijklmnopqrstu"));

    // A shorter name leaves no trace of the longer one.
    config.ChipName = L"AB";
    config.SaveToRecord();
    EXPECT_EQ(Bytes(config.GetRecord())[6], 0);
}

TEST(HardwareRecord, SaveLeavesTheModelNameSlotAlone)
{
    HardwareConfig config;
    config.SetModelName(L"QV-T8000");
    config.SaveToRecord();
    config.ChipName = L"X";
    config.SaveToRecord();
    EXPECT_EQ(config.GetModelName(), CString(L"QV-T8000"));
}

} // namespace
