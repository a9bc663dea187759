// The card write carried out by the worker thread.
#include "CardWriteJob.h"

#include "CardGroup.h"
#include "CardwellText.h"

int RunCardWrite(const CCardWriteJob& job, ICardDevices& devices, const CardReportSink& report)
{
    ::Sleep(5);
    int failures = 0;
    CString text;
    if (job.bFormat) {
        text.Format(L"开始格式化 %c:", job.cTarget);
        report(kReportFormatStarted, text, 0);
        DWORD exitCode = 0;
        bool started = devices.RunFormat(job.strFormatCommand, exitCode);
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
