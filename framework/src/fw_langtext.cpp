// The shared language-text reader and its record of misses.
#include "fw_langtext.h"

#include <windows.h>

#include <cstdio>
#include <mutex>

namespace {

constexpr DWORD kTextChars = 2048;

struct MissRecord {
    std::mutex lock;
    std::vector<CLangTextMiss> misses;
};

MissRecord& Record()
{
    static MissRecord record;
    return record;
}

// "Lang\Eng.ini" of "C:\prog\Lang\Eng.ini": enough to tell the files apart
// in a report without the machine's folders.
CString ShortFileName(const CString& path)
{
    const int last = path.ReverseFind(L'\\');
    if (last <= 0)
        return path;
    const int before = path.Left(last).ReverseFind(L'\\');
    return path.Mid(before + 1);
}

void AppendToLog(const CLangTextMiss& miss)
{
    WCHAR log[MAX_PATH] = L"";
    const DWORD n = ::GetEnvironmentVariableW(L"LEDSUITE_LANG_MISS_LOG", log, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return;
    CString line;
    line.Format(L"%s\t%s\t%s\t%s\r\n", miss.strFile.GetString(), miss.strSection.GetString(), miss.strKey.GetString(),
        miss.strPath.GetString());
    // UTF-8, appended with one write so that several processes can share it.
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, line, line.GetLength(), nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return;
    std::vector<char> utf8(static_cast<size_t>(bytes));
    ::WideCharToMultiByte(CP_UTF8, 0, line, line.GetLength(), utf8.data(), bytes, nullptr, nullptr);
    HANDLE file = ::CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    ::WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    ::CloseHandle(file);
}

void NoteMiss(LPCWSTR path, LPCWSTR section, LPCWSTR key)
{
    CLangTextMiss miss;
    miss.strPath = path != nullptr ? path : L"";
    miss.strFile = ShortFileName(miss.strPath);
    miss.strSection = section != nullptr ? section : L"";
    miss.strKey = key != nullptr ? key : L"";
    {
        MissRecord& record = Record();
        std::lock_guard<std::mutex> guard(record.lock);
        for (const CLangTextMiss& known : record.misses) {
            if (known.strPath.CompareNoCase(miss.strPath) == 0 && known.strSection == miss.strSection
                && known.strKey == miss.strKey)
                return;
        }
        record.misses.push_back(miss);
    }
    AppendToLog(miss);
}

} // namespace

CString AFXAPI AfxReadLangText(LPCWSTR lpszPath, LPCWSTR lpszSection, LPCWSTR lpszKey)
{
    if (lpszPath != nullptr && lpszPath[0] != 0 && lpszSection != nullptr && lpszKey != nullptr) {
        WCHAR buffer[kTextChars] = L"";
        const DWORD read = ::GetPrivateProfileStringW(lpszSection, lpszKey, L"", buffer, kTextChars, lpszPath);
        if (read > 0) {
            buffer[kTextChars - 1] = 0;
            return CString(buffer);
        }
    }
    NoteMiss(lpszPath, lpszSection, lpszKey);
    return CString();
}

CString AFXAPI AfxReadLangText(LPCWSTR lpszPath, LPCWSTR lpszSection, int nKey)
{
    CString key;
    key.Format(L"%d", nKey);
    return AfxReadLangText(lpszPath, lpszSection, key);
}

CString AFXAPI AfxLangTextWithNumbers(const CString& text, std::initializer_list<int> values)
{
    CString result;
    int from = 0;
    for (int value : values) {
        const int at = text.Find(L"%d", from);
        if (at < 0)
            break;
        CString number;
        number.Format(L"%d", value);
        result += text.Mid(from, at - from) + number;
        from = at + 2;
    }
    return result + text.Mid(from);
}

std::vector<CLangTextMiss> AFXAPI AfxGetLangTextMisses()
{
    MissRecord& record = Record();
    std::lock_guard<std::mutex> guard(record.lock);
    return record.misses;
}

void AFXAPI AfxClearLangTextMisses()
{
    MissRecord& record = Record();
    std::lock_guard<std::mutex> guard(record.lock);
    record.misses.clear();
}
