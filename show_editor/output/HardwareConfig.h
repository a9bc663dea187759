// The controller hardware configuration that the off-line output is made
// for: driver chip and its parameters, gray levels, gamma, clocks, channels,
// brightness and refresh settings, and the controller model. The main frame
// owns one for its life; the project carries it as a 280-byte record.
#pragma once

#include <afx.h>

#include "ChipParams.h"
#include "HardwareConfigRecord.h"

// What a configuration-file write ended with. Only kWritten is success;
// every other result has written nothing or left the set incomplete.
enum class ConfigWriteResult {
    kWritten,
    kNoFolder, // empty folder: nothing written, nothing reported
    kInvalidParams, // a divisor of the file's words is zero (damaged chip data)
    kRefreshTooLow, // refused: refresh rate below 10 Hz
    kDeclined, // the user answered No to the flicker question
    kWriteFailed, // CFG_001.bfm could not be created or written
    kCopyFailed, // one of the numbered copies could not be made
};

// The messages of a configuration-file write, in the user's language. The
// defaults are the program's own Chinese texts, for callers without a
// language file. flickerQuestion follows the chip name directly and has one
// "%d" for the lowest refresh rate without flicker.
struct ConfigWriteTexts {
    CString invalidParams = L"芯片参数无效, 不能写入!";
    CString refreshTooLow = L"刷新频率太低, 不能写入!";
    CString flickerQuestion = L"芯片的刷新频率小于%dHz时会有闪烁, 是否继续?";
    CString writeFailed = L"配置文件写入失败!"; // the path follows on the next line
};

class HardwareConfig : public ChipParams {
public:
    // The chip parameters start as ChipParams does, but at a 4 MHz clock.
    HardwareConfig();

    // Copies the recorded fields into the embedded record (the model name
    // slot is left as it is).
    void SaveToRecord();
    // Takes the fields from a record read from a project. The given record is
    // kept whole, so saving the project again writes back what was loaded.
    void LoadFromRecord(const HardwareConfigRecord& record);

    const HardwareConfigRecord& GetRecord() const { return m_record; }
    CString GetModelName() const;
    // Stores the controller model; cut to the slot's 21 characters.
    void SetModelName(LPCWSTR name);

    // Writes CFG_001.bfm into the folder and copies it as CFG_002.bfm ..
    // CFG_<count>.bfm. Shows its own messages (refresh checks, failures)
    // with the given texts.
    ConfigWriteResult WriteConfigFiles(
        const CString& folder, int count, const ConfigWriteTexts& texts = ConfigWriteTexts()) const;

    BYTE GclkIndex = 2;
    BYTE CurrentA = 10;
    BYTE CurrentB = 10;
    BYTE CurrentC = 10;
    BYTE ChipCurrents[4] = { 27, 27, 27, 27 };
    BOOL Ucs5603HighCurrent = 0;
    BYTE Ucs9812Currents[12] = { 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14 };
    int BackupMode = 1;
    BOOL BackupIdleHigh = 0;
    int ColourCount = 3;
    int LowGrayFilter = 0;
    UINT Brightness = 100;
    UINT BrightnessA = 100;
    UINT BrightnessB = 100;
    UINT BrightnessC = 100;
    UINT BrightnessD = 100;
    double RefreshMax = 60.0;
    double RefreshRate = 60.0;
    int CurrentGain = 100;
    BOOL AutoRefresh = 1;
    BOOL DataReverse = 0;
    int OePeriods = 7;
    BOOL OeActiveHigh = 0;
    BOOL IsOE = 0;
    BOOL AddressRouted = 1;

private:
    HardwareConfigRecord m_record;
};
