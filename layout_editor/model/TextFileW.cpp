// CTextFileW and its conversions.
#include "TextFileW.h"

#include <cwchar>
#include <string>
#include <vector>

namespace {

// Whether the flags open the file for writing or create it.
bool OpensForWriting(UINT flags)
{
    return (flags & (CFile::modeWrite | CFile::modeReadWrite | CFile::modeCreate)) != 0;
}

void StripLineEnd(CString& line)
{
    const int n = line.GetLength();
    if (n >= 2 && line[n - 2] == L'\r' && line[n - 1] == L'\n')
        line.Truncate(n - 2);
    else if (n >= 1 && (line[n - 1] == L'\r' || line[n - 1] == L'\n'))
        line.Truncate(n - 1);
}

} // namespace

bool IsFileUnicode(LPCWSTR path)
{
    if (path == nullptr)
        return false;
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    BYTE mark[2] = {};
    DWORD read = 0;
    const BOOL ok = ::ReadFile(file, mark, 2, &read, nullptr);
    ::CloseHandle(file);
    return ok && read == 2 && mark[0] == 0xFF && mark[1] == 0xFE;
}

int WideToCodePage(int codePage, LPCWSTR text, char* buffer, int bufferSize)
{
    if (text == nullptr || buffer == nullptr || bufferSize <= 0)
        return 0;
    const UINT page = codePage == -1 ? CP_ACP : static_cast<UINT>(codePage);
    const int length = static_cast<int>(std::wcslen(text));
    if (length == 0) {
        buffer[0] = 0;
        return 0;
    }
    // UTF-7 and UTF-8 take neither flags nor a default character.
    const bool utf = page == CP_UTF8 || page == CP_UTF7;
    const int written = ::WideCharToMultiByte(
        page, utf ? 0 : WC_COMPOSITECHECK, text, length, buffer, bufferSize, utf ? nullptr : "#", nullptr);
    if (written > 0 && written < bufferSize)
        buffer[written] = 0;
    return written;
}

CTextFileW::~CTextFileW() = default;

BOOL CTextFileW::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    m_unicode = 0;
    const bool textMode = (nOpenFlags & typeBinary) == 0;
    if (textMode && !OpensForWriting(nOpenFlags) && IsFileUnicode(lpszFileName)) {
        m_unicode = 1;
        nOpenFlags = (nOpenFlags & ~static_cast<UINT>(typeText)) | typeBinary;
    }
    m_openFlags = nOpenFlags;
    return CStdioFile::Open(lpszFileName, nOpenFlags & ~modeWriteUnicode, pError);
}

void CTextFileW::WriteString(LPCWSTR lpsz)
{
    if (lpsz == nullptr)
        AfxThrowInvalidArgException();
    const int length = static_cast<int>(std::wcslen(lpsz));
    if ((m_openFlags & modeWriteUnicode) != 0) {
        if (GetPosition() == 0) {
            static const BYTE kMark[2] = { 0xFF, 0xFE };
            Write(kMark, 2);
        }
        if (length > 0)
            Write(lpsz, static_cast<UINT>(length) * sizeof(WCHAR));
        return;
    }
    if (length == 0)
        return;
    // A code page character takes at most four bytes here.
    std::vector<char> bytes(static_cast<size_t>(length) * 4 + 1);
    const int written = WideToCodePage(-1, lpsz, bytes.data(), static_cast<int>(bytes.size()));
    if (written > 0)
        Write(bytes.data(), static_cast<UINT>(written));
}

BOOL CTextFileW::ReadString(CString& rString)
{
    BOOL read = FALSE;
    if (m_unicode) {
        if (GetPosition() == 0)
            Seek(2, begin); // the byte-order mark
        read = ReadWideLine(rString);
    } else {
        read = CStdioFile::ReadString(rString);
    }
    if (read)
        StripLineEnd(rString);
    return read;
}

// Reads UTF-16LE code units up to and including the next line feed; what was
// read beyond it is given back, so the file position stays at the next line.
BOOL CTextFileW::ReadWideLine(CString& line)
{
    line.Empty();
    std::wstring text;
    bool any = false;
    WCHAR chunk[256];
    for (;;) {
        const UINT bytes = Read(chunk, sizeof(chunk));
        const UINT units = bytes / sizeof(WCHAR);
        if (units == 0)
            break; // end of file (an odd last byte is no character)
        any = true;
        UINT end = 0;
        while (end < units && chunk[end] != L'\n')
            ++end;
        if (end < units) {
            text.append(chunk, end + 1);
            const LONGLONG unread = static_cast<LONGLONG>(bytes) - static_cast<LONGLONG>(end + 1) * sizeof(WCHAR);
            if (unread > 0)
                Seek(-unread, current);
            break;
        }
        text.append(chunk, units);
        if (bytes < sizeof(chunk))
            break;
    }
    line = CString(text.c_str(), static_cast<int>(text.size()));
    return any ? TRUE : FALSE;
}
