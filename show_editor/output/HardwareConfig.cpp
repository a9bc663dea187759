// HardwareConfig: defaults and the 280-byte project record.
#include "HardwareConfig.h"

#include <cstring>

namespace {

// Reads a UTF-16 name from a fixed slot up to its NUL, never past the slot:
// a record from a file may hold a name without a terminator.
CString ReadSlotName(const WCHAR* slot, int units)
{
    int length = 0;
    while (length < units && slot[length] != 0)
        ++length;
    return CString(slot, length);
}

// Copies a name into a fixed slot as a NUL-terminated string with at most
// units - 1 characters; the rest of the slot is zeroed. A surrogate pair is
// never split by the cut.
void WriteSlotName(WCHAR* slot, int units, LPCWSTR name)
{
    int length = 0;
    if (name != nullptr) {
        while (length < units - 1 && name[length] != 0)
            ++length;
        if (length == units - 1 && name[length] != 0 && length > 0 && name[length - 1] >= 0xD800
            && name[length - 1] <= 0xDBFF)
            --length;
    }
    std::memset(slot, 0, sizeof(WCHAR) * units);
    if (length > 0)
        std::memcpy(slot, name, sizeof(WCHAR) * length);
}

} // namespace

HardwareConfig::HardwareConfig()
{
    Clock = 4.0;
    std::memset(&m_record, 0, sizeof(m_record));
}

void HardwareConfig::SaveToRecord()
{
    HardwareConfigRecord& r = m_record;
    WCHAR chipName[HardwareConfigRecord::kChipNameUnits];
    WriteSlotName(chipName, HardwareConfigRecord::kChipNameUnits, ChipName.GetString());
    std::memcpy(r.chipName, chipName, sizeof(chipName));
    r.code = Code;
    r.chipChannel = ChipChannel;
    r.isCurrent = IsCurrent;
    r.chipBits = ChipBits;
    r.addTime = AddTime;
    r.gray = Gray;
    r.grayLock = GrayLock;
    r.gammaVal = GammaVal;
    r.gammaLock = GammaLock;
    r.clock = Clock;
    r.pwmClock = PwmClock;
    r.clockLock = ClockLock;
    r.clkDuty = ClkDuty;
    r.clkDutyLock = ClkDutyLock;
    r.channels = Channels;
    r.channelsLock = ChannelsLock;
    r.confType = Conf_type;
    r.confData = Conf_Data;
    r.currents[0] = CurrentA;
    r.currents[1] = CurrentB;
    r.currents[2] = CurrentC;
    std::memcpy(r.chipCurrents, ChipCurrents, sizeof(r.chipCurrents));
    std::memcpy(r.ucs9812Currents, Ucs9812Currents, sizeof(r.ucs9812Currents));
    r.backupMode = BackupMode;
    r.backupIdleHigh = BackupIdleHigh;
    r.refreshMax = RefreshMax;
    r.refreshRate = RefreshRate;
    r.oePeriods = OePeriods;
    r.oeActiveHigh = OeActiveHigh;
    r.isOE = IsOE;
}

void HardwareConfig::LoadFromRecord(const HardwareConfigRecord& record)
{
    // Copy first: the caller may pass our own record.
    HardwareConfigRecord r;
    std::memcpy(&r, &record, sizeof(r));

    WCHAR chipName[HardwareConfigRecord::kChipNameUnits];
    std::memcpy(chipName, r.chipName, sizeof(chipName));
    ChipName = ReadSlotName(chipName, HardwareConfigRecord::kChipNameUnits);
    Code = r.code;
    ChipChannel = r.chipChannel;
    IsCurrent = r.isCurrent;
    ChipBits = r.chipBits;
    AddTime = r.addTime;
    Gray = r.gray;
    GrayLock = r.grayLock;
    GammaVal = r.gammaVal;
    GammaLock = r.gammaLock;
    Clock = r.clock;
    PwmClock = r.pwmClock;
    ClockLock = r.clockLock;
    ClkDuty = r.clkDuty;
    ClkDutyLock = r.clkDutyLock;
    Channels = r.channels;
    ChannelsLock = r.channelsLock;
    Conf_type = r.confType;
    Conf_Data = r.confData;
    CurrentA = r.currents[0];
    CurrentB = r.currents[1];
    CurrentC = r.currents[2];
    std::memcpy(ChipCurrents, r.chipCurrents, sizeof(ChipCurrents));
    std::memcpy(Ucs9812Currents, r.ucs9812Currents, sizeof(Ucs9812Currents));
    BackupMode = r.backupMode;
    BackupIdleHigh = r.backupIdleHigh;
    RefreshMax = r.refreshMax;
    RefreshRate = r.refreshRate;
    OePeriods = r.oePeriods;
    OeActiveHigh = r.oeActiveHigh;
    IsOE = r.isOE;

    m_record = r;
}

CString HardwareConfig::GetModelName() const
{
    WCHAR model[HardwareConfigRecord::kModelNameUnits];
    std::memcpy(model, m_record.modelName, sizeof(model));
    return ReadSlotName(model, HardwareConfigRecord::kModelNameUnits);
}

void HardwareConfig::SetModelName(LPCWSTR name)
{
    WCHAR model[HardwareConfigRecord::kModelNameUnits];
    WriteSlotName(model, HardwareConfigRecord::kModelNameUnits, name);
    std::memcpy(m_record.modelName, model, sizeof(model));
}
