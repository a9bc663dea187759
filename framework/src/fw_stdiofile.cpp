// CStdioFile: line-oriented text over CFile with a small read-ahead buffer.
#include "afx.h"

#include <string>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

namespace {

CString FromAnsi(const CStringA& s)
{
    CString out;
    if (s.IsEmpty())
        return out;
    int n = ::MultiByteToWideChar(CP_ACP, 0, s, s.GetLength(), nullptr, 0);
    if (n <= 0)
        return out;
    ::MultiByteToWideChar(CP_ACP, 0, s, s.GetLength(), out.GetBuffer(n), n);
    out.ReleaseBuffer(n);
    return out;
}

std::string ToAnsi(LPCWSTR s)
{
    std::string out;
    int len = lstrlenW(s);
    if (len == 0)
        return out;
    int n = ::WideCharToMultiByte(CP_ACP, 0, s, len, nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return out;
    out.resize(static_cast<size_t>(n));
    ::WideCharToMultiByte(CP_ACP, 0, s, len, out.data(), n, nullptr, nullptr);
    return out;
}

} // namespace

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    m_nBufLen = m_nBufPos = 0;
    m_bText = (nOpenFlags & typeBinary) == 0;
    return CFile::Open(lpszFileName, nOpenFlags & ~(typeText | typeBinary), pError);
}

void CStdioFile::Close()
{
    m_nBufLen = m_nBufPos = 0;
    CFile::Close();
}

void CStdioFile::Abort()
{
    m_nBufLen = m_nBufPos = 0;
    CFile::Abort();
}

int CStdioFile::GetByte()
{
    if (m_nBufPos == m_nBufLen) {
        m_nBufPos = 0;
        m_nBufLen = 0;
        m_nBufLen = CFile::Read(m_buf, sizeof(m_buf));
        if (m_nBufLen == 0)
            return -1;
    }
    return m_buf[m_nBufPos++];
}

void CStdioFile::DropReadAhead()
{
    if (m_nBufPos < m_nBufLen)
        CFile::Seek(-static_cast<LONGLONG>(m_nBufLen - m_nBufPos), current);
    m_nBufLen = m_nBufPos = 0;
}

BOOL CStdioFile::ReadLine(CStringA& line, bool keepNewline, size_t maxBytes)
{
    std::string bytes;
    bool any = false;
    while (bytes.size() < maxBytes) {
        int c = GetByte();
        if (c < 0)
            break;
        any = true;
        if (c == '\r' && m_bText) {
            int next = GetByte();
            if (next == '\n') {
                c = '\n';
            } else if (next >= 0) {
                --m_nBufPos; // GetByte just read it from the buffer: give it back
            }
        }
        if (c == '\n') {
            if (keepNewline)
                bytes.push_back('\n');
            break;
        }
        bytes.push_back(static_cast<char>(c));
    }
    line = CStringA(bytes.data(), static_cast<int>(bytes.size()));
    return any;
}

BOOL CStdioFile::ReadString(CStringA& rString)
{
    return ReadLine(rString, false, static_cast<size_t>(-1));
}

BOOL CStdioFile::ReadString(CString& rString)
{
    CStringA line;
    BOOL ok = ReadLine(line, false, static_cast<size_t>(-1));
    rString = FromAnsi(line);
    return ok;
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax)
{
    if (lpsz == nullptr || nMax == 0)
        AfxThrowInvalidArgException();
    CStringA line;
    if (!ReadLine(line, true, nMax - 1)) {
        *lpsz = 0;
        return nullptr;
    }
    CString wide = FromAnsi(line);
    lstrcpynW(lpsz, wide, static_cast<int>(nMax));
    return lpsz;
}

void CStdioFile::WriteString(LPCSTR lpsz)
{
    if (lpsz == nullptr)
        AfxThrowInvalidArgException();
    std::string out;
    for (const char* p = lpsz; *p != 0; ++p) {
        if (*p == '\n' && m_bText)
            out.push_back('\r');
        out.push_back(*p);
    }
    Write(out.data(), static_cast<UINT>(out.size()));
}

void CStdioFile::WriteString(LPCWSTR lpsz)
{
    if (lpsz == nullptr)
        AfxThrowInvalidArgException();
    WriteString(ToAnsi(lpsz).c_str());
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    DropReadAhead();
    return CFile::Read(lpBuf, nCount);
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    DropReadAhead();
    CFile::Write(lpBuf, nCount);
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom)
{
    DropReadAhead();
    return CFile::Seek(lOff, nFrom);
}

ULONGLONG CStdioFile::GetPosition() const
{
    return CFile::GetPosition() - (m_nBufLen - m_nBufPos);
}

void CStdioFile::SetLength(ULONGLONG dwNewLen)
{
    DropReadAhead();
    CFile::SetLength(dwNewLen);
}

void CStdioFile::Flush()
{
    DropReadAhead();
    CFile::Flush();
}
