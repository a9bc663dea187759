// The card write carried out by the worker thread.
#include "CardWriteJob.h"

#include "CardGroup.h"
#include "CardwellText.h"

namespace {

wchar_t DriveOfPath(const CString& path)
{
    return path.GetLength() >= 2 && path[1] == L':' ? static_cast<wchar_t>(::towupper(path[0])) : 0;
}

ULONGLONG SizeOfFile(const CString& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data {};
    if (!::GetFileAttributesEx(path, GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

} // namespace

FormatRefusal CheckFormatTarget(
    wchar_t cTarget, ICardDevices& devices, const std::vector<CString>& sources, const CString& strSourceFolder)
{
    const wchar_t target = static_cast<wchar_t>(::towupper(cTarget));
    for (wchar_t drive : devices.ProtectedDrives()) {
        if (static_cast<wchar_t>(::towupper(drive)) == target)
            return FormatRefusal::ProtectedDrive;
    }
    if (DriveOfPath(strSourceFolder) == target)
        return FormatRefusal::SourceDrive;
    for (const CString& source : sources) {
        if (DriveOfPath(source) == target)
            return FormatRefusal::SourceDrive;
    }
    for (const CRemovableDrive& drive : devices.ListRemovableDrives()) {
        if (static_cast<wchar_t>(::towupper(drive.cLetter)) == target)
            return FormatRefusal::None;
    }
    return FormatRefusal::NotRemovable;
}

CString FirstFileTooLargeForFat(const std::vector<CString>& files)
{
    for (const CString& file : files) {
        if (SizeOfFile(file) > kFat32FileLimit)
            return file;
    }
    return CString();
}

int RunCardWrite(const CCardWriteJob& job, ICardDevices& devices, const CardReportSink& report)
{
    ::Sleep(5);
    int failures = 0;
    CString text;
    if (job.bFormat) {
        text.Format(L"开始格式化 %c:", job.cTarget);
        report(kReportFormatStarted, text, 0);
        DWORD exitCode = 0;
        // Checked again right before the format: the card may have been
        // swapped since the user chose it.
        bool started = CheckFormatTarget(job.cTarget, devices, job.files, job.strSourceFolder) == FormatRefusal::None
            && devices.RunFormat(job.strFormatCommand, exitCode);
        // A card that was not formatted must not be reported as formatted and
        // then written as if it were empty.
        if (started && exitCode == 0) {
            text.Format(L"格式化完成 %c:", job.cTarget);
        } else {
            text.Format(L"格式化失败 %c:", job.cTarget);
            ++failures;
        }
        report(kReportFormatFinished, text, 0);
    }
    if (failures == 0) {
        for (const CString& source : job.files) {
            report(kReportCopyStarted, source, 0);
            int lastPercent = -1;
            bool copied = devices.CopyFileToCard(
                source, job.cTarget, FileNameOfPath(source), [&](ULONGLONG nCopied, ULONGLONG nTotal) {
                    int percent = CopyPercent(nCopied, nTotal);
                    if (percent != lastPercent) {
                        lastPercent = percent;
                        report(kReportCopyProgress, CString(), percent);
                    }
                    return true;
                });
            if (!copied) {
                report(kReportCopyFailed, source, 0);
                ++failures;
            } else if (lastPercent != 100) {
                // An empty file may never call back: it is complete all the same.
                report(kReportCopyProgress, CString(), 100);
            }
        }
    }
    report(kReportWriteFinished, CString(), failures);
    return failures;
}
