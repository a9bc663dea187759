// One card write as the worker thread carries it out: optional format of the
// card, then the group's files copied into its root folder, each step
// reported to the dialog.
#pragma once

#include "afx.h"

#include "CardDevices.h"

#include <functional>
#include <vector>

// Report codes of a write (the first parameter of WM_COPY_REPORT).
enum CardReport : int {
    kReportFormatStarted = 17, // text "开始格式化 %c:"
    kReportFormatFinished = 18, // text "格式化完成 %c:", or "格式化失败 %c:" when it failed
    kReportCopyStarted = 19, // text: the source path
    kReportCopyProgress = 20, // number: whole percent
    kReportWriteFinished = 21, // number: 0 when everything was written, else the count of failures
    kReportCopyFailed = 22, // text: the source path of a file that could not be copied
};

// Everything the worker needs, copied when the write starts so that it never
// reads the dialog's state while the user works with the dialog.
struct CCardWriteJob {
    wchar_t cTarget = 0;
    int nGroup = -1; // index of the group written (from 0)
    BOOL bFormat = FALSE;
    CString strFormatCommand;
    CString strSourceFolder; // the folder the files come from
    std::vector<CString> files; // sources in copy order, configuration file first
};

// Receives each report: the code and either a text (17, 18, 19, 22) or a
// number (20, 21).
using CardReportSink = std::function<void(int nCode, const CString& strText, int nNumber)>;

// Why a drive must not be formatted now. The list of removable drives is
// asked again, so a card pulled and replaced by a fixed disk of the same
// letter is not formatted; the system's and the tool's drives and the drive
// of any source file or of the source folder never are.
enum class FormatRefusal { None, NotRemovable, ProtectedDrive, SourceDrive };
FormatRefusal CheckFormatTarget(
    wchar_t cTarget, ICardDevices& devices, const std::vector<CString>& sources, const CString& strSourceFolder);

// FAT and FAT32 hold no file of 4 GiB or more.
constexpr ULONGLONG kFat32FileLimit = 0xFFFFFFFFull;
// The first of the files too large for FAT32, or an empty text.
CString FirstFileTooLargeForFat(const std::vector<CString>& files);

// Carries out the write: the format (when asked, and only when
// CheckFormatTarget still allows it) and the copies. A format that is refused,
// cannot start or ends with an error stops the write before anything is
// copied; a failed copy is reported and the next file follows. Returns the
// count of failures, also reported with code 21.
int RunCardWrite(const CCardWriteJob& job, ICardDevices& devices, const CardReportSink& report);
