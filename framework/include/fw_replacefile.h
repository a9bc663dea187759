// Replacing a file all-or-nothing: the new bytes go to a temporary file
// beside the target, and only a complete file (every write and the close
// checked) is moved over the target. On any failure the temporary is
// deleted and the target keeps its old bytes. A read-only target is
// refused before anything is written: Windows refuses to rename over it,
// but Wine does not, and a file the user protected must not be replaced.
//
// Every program of the suite writes its files through these, whatever the
// format: whole buffers through AfxWriteFileReplacing, streams through
// CReplacingFile, and writers that need their own API (an archive, a text
// file class, a media library) write to AfxReplacementTempPath and finish
// with AfxCommitReplacement.
#pragma once

#include "afx.h"

#include <string>
#include <string_view>

// The temporary file a replacing write of lpszTarget uses: beside it (so the
// final move stays on one volume), named after the target and this process.
CString AFXAPI AfxReplacementTempPath(LPCTSTR lpszTarget);

// TRUE when lpszTarget may be replaced: a path is given and no read-only
// file or folder stands there. A missing target may be created. FALSE sets
// the last error (ERROR_ACCESS_DENIED, ERROR_INVALID_NAME).
BOOL AFXAPI AfxCanReplaceFile(LPCTSTR lpszTarget);

// Moves the finished, closed temporary file over lpszTarget. The target is
// checked again first (it may have become read-only meanwhile). On failure
// the temporary is deleted and the target left as it was.
BOOL AFXAPI AfxCommitReplacement(LPCTSTR lpszTemporary, LPCTSTR lpszTarget);

// Replaces lpszPath with nSize bytes. FALSE, with the target untouched and
// no temporary left, when any step fails.
BOOL AFXAPI AfxWriteFileReplacing(LPCTSTR lpszPath, const void* pData, size_t nSize);
inline BOOL AfxWriteFileReplacing(LPCTSTR lpszPath, std::string_view bytes)
{
    return AfxWriteFileReplacing(lpszPath, bytes.data(), bytes.size());
}

// A file written piece by piece that replaces its target on Commit. Writes
// are buffered; the first failed write is remembered and fails the commit;
// a file that is not committed is deleted when the object goes.
class CReplacingFile {
public:
    CReplacingFile() = default;
    ~CReplacingFile();
    CReplacingFile(const CReplacingFile&) = delete;
    CReplacingFile& operator=(const CReplacingFile&) = delete;

    // Creates the temporary file. FALSE for an empty path, a read-only or
    // folder target, or a temporary that cannot be created.
    BOOL Open(LPCTSTR lpszTarget);
    BOOL IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }
    // Writes at the current position; FALSE (and the file failed) when not
    // every byte was written.
    BOOL Write(const void* pData, size_t nSize);
    BOOL Write(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }
    // Writes at a byte offset from the start (header fields filled in last).
    BOOL WriteAt(ULONGLONG nOffset, const void* pData, size_t nSize);
    // Marks the file failed for a reason of the caller's: Commit then fails.
    void SetFailed() { m_bFailed = TRUE; }
    BOOL Failed() const { return m_bFailed; }
    // The open temporary file (buffered bytes written out first), for
    // callers that write through their own API.
    HANDLE GetHandle();
    const CString& GetTemporaryPath() const { return m_strTemporary; }
    // Flushes and closes the file and moves it over the target. TRUE only
    // when every write, the flush, the close and the move succeeded.
    BOOL Commit();
    // Closes and deletes the temporary; the target stays as it was.
    void Abort();

    // Tests simulate a full disk: once `bytes` more bytes were written, a
    // write (Write, WriteAt) that does not fit fails every replacing file of
    // this module with ERROR_DISK_FULL; a negative value lifts the limit.
    static void SetWriteBudgetForTests(long long bytes);

private:
    BOOL FlushBuffer();
    // Takes nSize from the tests' write budget; FALSE (the file failed)
    // when it does not fit.
    BOOL Budget(size_t nSize);
    BOOL WriteOut(const void* pData, size_t nSize);

    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    std::string m_buffer;
    CString m_strTarget;
    CString m_strTemporary;
    BOOL m_bFailed = FALSE;
};
