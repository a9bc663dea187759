// HardwareConfig::WriteConfigFiles: the refresh checks, then CFG_001.bfm and
// its numbered copies, each written to a temporary file and moved into place.
#include "HardwareConfig.h"

#include "ConfigFile.h"
#include "OutputMessage.h"

namespace {

const wchar_t kCaption[] = L"Vantrel";

CString JoinPath(const CString& folder, const CString& name)
{
    CString path = folder;
    const wchar_t last = path[path.GetLength() - 1];
    if (last != L'\\' && last != L'/')
        path += L'\\';
    return path + name;
}

// Writes the bytes to path + ".tmp" and replaces the target only when the
// whole write succeeded.
bool WriteWholeFile(const CString& path, const BYTE* data, DWORD size)
{
    const CString temp = path + L".tmp";
    HANDLE file = ::CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, data, size, &written, nullptr);
    const BOOL closed = ::CloseHandle(file);
    if (!ok || !closed || written != size
        || !::MoveFileExW(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileW(temp);
        return false;
    }
    return true;
}

void ReportFailure(const CString& path)
{
    CString text;
    text.Format(L"配置文件写入失败!\n%s", path.GetString());
    ShowOutputMessage(text, kCaption, MB_OK | MB_ICONERROR);
}

} // namespace

ConfigWriteResult HardwareConfig::WriteConfigFiles(const CString& folder, int count) const
{
    // A damaged chip entry (no chip channels, no clock) would divide by zero.
    if (!ConfigParamsUsable(*this)) {
        ShowOutputMessage(L"芯片参数无效, 不能写入!", kCaption, MB_OK);
        return ConfigWriteResult::kInvalidParams;
    }

    if (IsOE) {
        const double rate = CalcRefreshRate(Gray, Channels - (Channels % ChipChannel), Clock, OePeriods);
        if (rate < 10.0) {
            ShowOutputMessage(L"刷新频率太低, 不能写入!", kCaption, MB_OK);
            return ConfigWriteResult::kRefreshTooLow;
        }
        if (rate < 50.0) {
            CString question;
            question.Format(L"芯片的刷新频率小于%dHz时会有闪烁, 是否继续?", 50);
            if (ShowOutputMessage(ChipName + question, kCaption, MB_YESNO) != IDYES)
                return ConfigWriteResult::kDeclined;
        }
    }

    if (folder.IsEmpty())
        return ConfigWriteResult::kNoFolder;

    BYTE image[kConfigFileSize];
    BuildConfigFileImage(*this, image);

    const CString first = JoinPath(folder, ConfigFileName(1));
    if (!WriteWholeFile(first, image, sizeof(image))) {
        ReportFailure(first);
        return ConfigWriteResult::kWriteFailed;
    }
    for (int i = 2; i <= count; ++i) {
        const CString copy = JoinPath(folder, ConfigFileName(i));
        if (!WriteWholeFile(copy, image, sizeof(image))) {
            ReportFailure(copy);
            return ConfigWriteResult::kCopyFailed;
        }
    }
    return ConfigWriteResult::kWritten;
}
