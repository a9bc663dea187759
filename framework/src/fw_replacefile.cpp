// All-or-nothing file replacement through a temporary file beside the target.
#include "fw_replacefile.h"

#include <algorithm>

namespace {
constexpr size_t kBufferBytes = 1 << 18;
constexpr DWORD kLargestWrite = 1u << 24;
long long g_writeBudget = -1;
} // namespace

void CReplacingFile::SetWriteBudgetForTests(long long bytes)
{
    g_writeBudget = bytes;
}

BOOL CReplacingFile::Budget(size_t nSize)
{
    if (g_writeBudget < 0)
        return TRUE;
    if (nSize > static_cast<unsigned long long>(g_writeBudget)) {
        g_writeBudget = 0;
        m_bFailed = TRUE;
        ::SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
    g_writeBudget -= static_cast<long long>(nSize);
    return TRUE;
}

CString AFXAPI AfxReplacementTempPath(LPCTSTR lpszTarget)
{
    CString path;
    path.Format(L"%s.%lu.saving", lpszTarget != nullptr ? lpszTarget : L"", ::GetCurrentProcessId());
    return path;
}

BOOL AFXAPI AfxCanReplaceFile(LPCTSTR lpszTarget)
{
    if (lpszTarget == nullptr || lpszTarget[0] == 0) {
        ::SetLastError(ERROR_INVALID_NAME);
        return FALSE;
    }
    const DWORD attributes = ::GetFileAttributesW(lpszTarget);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return TRUE; // nothing there yet (a bad folder fails when the temporary is made)
    if ((attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}

BOOL AFXAPI AfxCommitReplacement(LPCTSTR lpszTemporary, LPCTSTR lpszTarget)
{
    if (lpszTemporary == nullptr || lpszTemporary[0] == 0)
        return FALSE;
    if (AfxCanReplaceFile(lpszTarget)
        && ::MoveFileExW(lpszTemporary, lpszTarget, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return TRUE;
    const DWORD error = ::GetLastError();
    ::DeleteFileW(lpszTemporary);
    ::SetLastError(error);
    return FALSE;
}

BOOL AFXAPI AfxWriteFileReplacing(LPCTSTR lpszPath, const void* pData, size_t nSize)
{
    CReplacingFile file;
    return file.Open(lpszPath) && file.Write(pData, nSize) && file.Commit();
}

CReplacingFile::~CReplacingFile()
{
    Abort();
}

BOOL CReplacingFile::Open(LPCTSTR lpszTarget)
{
    Abort();
    m_bFailed = FALSE;
    if (!AfxCanReplaceFile(lpszTarget))
        return FALSE;
    m_strTarget = lpszTarget;
    const CString temporary = AfxReplacementTempPath(lpszTarget);
    m_hFile = ::CreateFileW(
        temporary, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    m_strTemporary = temporary;
    m_buffer.reserve(kBufferBytes);
    return TRUE;
}

BOOL CReplacingFile::WriteOut(const void* pData, size_t nSize)
{
    const auto* bytes = static_cast<const char*>(pData);
    while (!m_bFailed && nSize > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(nSize, kLargestWrite));
        DWORD written = 0;
        if (!::WriteFile(m_hFile, bytes, chunk, &written, nullptr) || written != chunk)
            m_bFailed = TRUE;
        bytes += chunk;
        nSize -= chunk;
    }
    return !m_bFailed;
}

BOOL CReplacingFile::FlushBuffer()
{
    if (m_buffer.empty())
        return !m_bFailed;
    const BOOL ok = WriteOut(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
    return ok;
}

BOOL CReplacingFile::Write(const void* pData, size_t nSize)
{
    if (m_hFile == INVALID_HANDLE_VALUE || (pData == nullptr && nSize > 0))
        m_bFailed = TRUE;
    if (m_bFailed || !Budget(nSize))
        return FALSE;
    if (nSize >= kBufferBytes) {
        // Large blocks go straight to the file.
        return FlushBuffer() && WriteOut(pData, nSize);
    }
    m_buffer.append(static_cast<const char*>(pData), nSize);
    return m_buffer.size() < kBufferBytes || FlushBuffer();
}

BOOL CReplacingFile::WriteAt(ULONGLONG nOffset, const void* pData, size_t nSize)
{
    if (m_hFile == INVALID_HANDLE_VALUE || !FlushBuffer() || !Budget(nSize)) {
        m_bFailed = TRUE;
        return FALSE;
    }
    LARGE_INTEGER at {};
    at.QuadPart = static_cast<LONGLONG>(nOffset);
    LARGE_INTEGER was {};
    const LARGE_INTEGER here {};
    if (!::SetFilePointerEx(m_hFile, here, &was, FILE_CURRENT)
        || !::SetFilePointerEx(m_hFile, at, nullptr, FILE_BEGIN)) {
        m_bFailed = TRUE;
        return FALSE;
    }
    WriteOut(pData, nSize);
    // Later plain writes carry on where they left off.
    if (!::SetFilePointerEx(m_hFile, was, nullptr, FILE_BEGIN))
        m_bFailed = TRUE;
    return !m_bFailed;
}

HANDLE CReplacingFile::GetHandle()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        FlushBuffer();
    return m_hFile;
}

BOOL CReplacingFile::Commit()
{
    if (m_hFile == INVALID_HANDLE_VALUE) {
        Abort();
        return FALSE;
    }
    FlushBuffer();
    // The bytes reach the disk before the name moves over to them.
    const BOOL flushed = ::FlushFileBuffers(m_hFile);
    const BOOL closed = ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    const CString temporary = m_strTemporary;
    m_strTemporary.Empty();
    if (m_bFailed || !flushed || !closed) {
        ::DeleteFileW(temporary);
        return FALSE;
    }
    return AfxCommitReplacement(temporary, m_strTarget);
}

void CReplacingFile::Abort()
{
    if (m_hFile != INVALID_HANDLE_VALUE) {
        ::CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
    }
    if (!m_strTemporary.IsEmpty()) {
        ::DeleteFileW(m_strTemporary);
        m_strTemporary.Empty();
    }
    m_buffer.clear();
}
