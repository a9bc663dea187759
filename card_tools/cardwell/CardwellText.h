// The texts the card copying tool builds: drive list entries, the format
// command line, tree and button labels, and the lines of its log.
#pragma once

#include "afx.h"

#include "CardDevices.h"

// "%c:\ %s", then "[%.2fG]" (size / 2^30) when the size is known.
CString FormatDriveEntry(const CRemovableDrive& drive);

// "CMD.exe /C FORMAT %c: /FS:%s" with " /Q" for a quick format and always
// " /Y"; empty when the drive text is empty or names drive "A".
CString BuildFormatCommandLine(const CString& strDriveText, const CString& strFileSystem, BOOL bQuick);

// "ROM_%03d (%d files)" of group nGroup (from 0).
CString GroupLabel(int nGroup, int nFiles);
// "写入[ROM_%03d]" of group nGroup (from 0).
CString ExecuteLabel(int nGroup);

// "%Y-%m-%d %H:%M:%S" of the local time now.
CString LogTimeStamp();
// "%s [ROM_%03d] " with the time stamp and group nGroup (from 0).
CString LogPrefix(const CString& strStamp, int nGroup);
// The line a write starts with: the prefix, 40 "-" and a line break.
CString LogWriteStartLine(const CString& strStamp, int nGroup);
// The line of a file being copied: prefix, file name, "--- 00%" and a line break.
CString LogCopyLine(const CString& strStamp, int nGroup, const CString& strSource);

// Replaces the percentage at the end of the last file line: the log loses as
// many characters at its end as "%02d%%\r\n" has, then gets it, so 45 reads
// "--- 45%" and 100 reads "---100%".
void AppendLogProgress(CString& strLog, int nPercent);

// Whole percent of nCopied of nTotal, truncated; an empty file is 100.
int CopyPercent(ULONGLONG nCopied, ULONGLONG nTotal);
