// Texts of the card copying tool.
#include "CardwellText.h"

#include "CardGroup.h"

CString FormatDriveEntry(const CRemovableDrive& drive)
{
    CString text;
    text.Format(L"%c:\\ %s", drive.cLetter, drive.strProduct.GetString());
    if (drive.bSizeKnown) {
        CString size;
        size.Format(L"[%.2fG]", static_cast<double>(drive.nTotalBytes) / 1073741824.0);
        text += size;
    }
    return text;
}

CString BuildFormatCommandLine(const CString& strDriveText, const CString& strFileSystem, BOOL bQuick)
{
    CString command;
    if (strDriveText.IsEmpty() || strDriveText[0] == L'A')
        return command;
    command.Format(L"CMD.exe /C FORMAT %c: /FS:%s", strDriveText[0], strFileSystem.GetString());
    if (bQuick)
        command += L" /Q";
    command += L" /Y";
    return command;
}

CString GroupLabel(int nGroup, int nFiles)
{
    CString text;
    text.Format(L"ROM_%03d (%d files)", nGroup + 1, nFiles);
    return text;
}

CString ExecuteLabel(int nGroup)
{
    CString text;
    text.Format(L"写入[ROM_%03d]", nGroup + 1);
    return text;
}

CString LogTimeStamp()
{
    SYSTEMTIME now {};
    ::GetLocalTime(&now);
    CString text;
    text.Format(L"%04d-%02d-%02d %02d:%02d:%02d", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
    return text;
}

CString LogPrefix(const CString& strStamp, int nGroup)
{
    CString text;
    text.Format(L"%s [ROM_%03d] ", strStamp.GetString(), nGroup + 1);
    return text;
}

CString LogWriteStartLine(const CString& strStamp, int nGroup)
{
    return LogPrefix(strStamp, nGroup) + CString(L'-', 40) + L"\r\n";
}

CString LogCopyLine(const CString& strStamp, int nGroup, const CString& strSource)
{
    return LogPrefix(strStamp, nGroup) + FileNameOfPath(strSource) + L"--- 00%\r\n";
}

void AppendLogProgress(CString& strLog, int nPercent)
{
    CString text;
    text.Format(L"%02d%%\r\n", nPercent);
    int keep = strLog.GetLength() - text.GetLength();
    strLog = strLog.Left(keep < 0 ? 0 : keep) + text;
}

int CopyPercent(ULONGLONG nCopied, ULONGLONG nTotal)
{
    if (nTotal == 0)
        return 100;
    if (nCopied >= nTotal)
        return 100;
    return static_cast<int>(nCopied * 100 / nTotal);
}
