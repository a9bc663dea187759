// HardwareConfig::WriteConfigFiles: the refresh checks, then CFG_001.bfm and
// its numbered copies, each replacing its file only when written whole.
#include "HardwareConfig.h"

#include <fw_langtext.h>
#include <fw_replacefile.h>

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

void ReportFailure(const ConfigWriteTexts& texts, const CString& path)
{
    ShowOutputMessage(texts.writeFailed + L"\n" + path, kCaption, MB_OK | MB_ICONERROR);
}

} // namespace

ConfigWriteResult HardwareConfig::WriteConfigFiles(
    const CString& folder, int count, const ConfigWriteTexts& texts) const
{
    // A damaged chip entry (no chip channels, no clock) would divide by zero.
    if (!ConfigParamsUsable(*this)) {
        ShowOutputMessage(texts.invalidParams, kCaption, MB_OK);
        return ConfigWriteResult::kInvalidParams;
    }

    if (IsOE) {
        const double rate = CalcRefreshRate(Gray, Channels - (Channels % ChipChannel), Clock, OePeriods);
        if (rate < 10.0) {
            ShowOutputMessage(texts.refreshTooLow, kCaption, MB_OK);
            return ConfigWriteResult::kRefreshTooLow;
        }
        if (rate < 50.0) {
            const CString question = AfxLangTextWithNumbers(texts.flickerQuestion, { 50 });
            if (ShowOutputMessage(ChipName + question, kCaption, MB_YESNO) != IDYES)
                return ConfigWriteResult::kDeclined;
        }
    }

    if (folder.IsEmpty())
        return ConfigWriteResult::kNoFolder;

    BYTE image[kConfigFileSize];
    BuildConfigFileImage(*this, image);

    const CString first = JoinPath(folder, ConfigFileName(1));
    if (!AfxWriteFileReplacing(first, image, sizeof(image))) {
        ReportFailure(texts, first);
        return ConfigWriteResult::kWriteFailed;
    }
    for (int i = 2; i <= count; ++i) {
        const CString copy = JoinPath(folder, ConfigFileName(i));
        if (!AfxWriteFileReplacing(copy, image, sizeof(image))) {
            ReportFailure(texts, copy);
            return ConfigWriteResult::kCopyFailed;
        }
    }
    return ConfigWriteResult::kWritten;
}
