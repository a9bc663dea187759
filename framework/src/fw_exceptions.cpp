// The framework's exception classes, their messages and the AfxThrow...
// helpers.
#include "fw_exceptions.h"

#include <cerrno>
#include <cwchar>

namespace {
AFX_REPORT_ERROR_HANDLER g_pfnReportError = nullptr;

// Copies text into a caller's buffer, always terminated; FALSE if no room.
BOOL CopyMessage(LPCTSTR lpszText, LPTSTR lpszError, UINT nMaxError)
{
    if (lpszError == nullptr || nMaxError == 0)
        return FALSE;
    lstrcpynW(lpszError, lpszText, static_cast<int>(nMaxError));
    return TRUE;
}

LPCTSTR FileCauseText(int cause)
{
    switch (cause) {
    case CFileException::none:
        return L"No error occurred.";
    case CFileException::fileNotFound:
        return L"%s was not found.";
    case CFileException::badPath:
        return L"%s contains an invalid path.";
    case CFileException::tooManyOpenFiles:
        return L"%s could not be opened because there are too many open files.";
    case CFileException::accessDenied:
        return L"Access to %s was denied.";
    case CFileException::invalidFile:
        return L"An invalid file handle was associated with %s.";
    case CFileException::removeCurrentDir:
        return L"%s could not be removed because it is the current directory.";
    case CFileException::directoryFull:
        return L"%s could not be created because the directory is full.";
    case CFileException::badSeek:
        return L"Seek failed on %s.";
    case CFileException::hardIO:
        return L"A hardware I/O error was reported while accessing %s.";
    case CFileException::sharingViolation:
        return L"A sharing violation occurred while accessing %s.";
    case CFileException::lockViolation:
        return L"A locking violation occurred while accessing %s.";
    case CFileException::diskFull:
        return L"Disk full while accessing %s.";
    case CFileException::endOfFile:
        return L"An attempt was made to access %s past its end.";
    default:
        return L"An unexpected error occurred while accessing %s.";
    }
}

LPCTSTR ArchiveCauseText(int cause)
{
    switch (cause) {
    case CArchiveException::none:
        return L"No error occurred.";
    case CArchiveException::readOnly:
        return L"Tried to write to an archive opened for loading: %s.";
    case CArchiveException::endOfFile:
        return L"Unexpected end of file while reading %s.";
    case CArchiveException::writeOnly:
        return L"Tried to read from an archive opened for storing: %s.";
    case CArchiveException::badIndex:
        return L"%s has an invalid format.";
    case CArchiveException::badClass:
        return L"%s contains an unexpected object.";
    case CArchiveException::badSchema:
        return L"%s contains an incorrect schema.";
    case CArchiveException::bufferFull:
        return L"The archive buffer of %s is full.";
    default:
        return L"An unexpected error occurred while reading or writing %s.";
    }
}

CString WithFileName(LPCTSTR lpszTemplate, const CString& strFileName)
{
    CString text;
    text.Format(lpszTemplate, strFileName.IsEmpty() ? L"an unnamed file" : strFileName.GetString());
    return text;
}
} // namespace

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

CException::CException()
    : m_bAutoDelete(TRUE)
{
}

CException::CException(BOOL bAutoDelete)
    : m_bAutoDelete(bAutoDelete)
{
}

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (lpszError != nullptr && nMaxError > 0)
        *lpszError = 0;
    return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID) const
{
    wchar_t buf[512];
    CString text;
    if (GetErrorMessage(buf, _countof(buf)))
        text = buf;
    else if (nMessageID != 0)
        text.LoadString(nMessageID);
    if (text.IsEmpty())
        text = L"An unsupported operation was attempted.";
    if (g_pfnReportError != nullptr)
        return g_pfnReportError(text, nType);
    OutputDebugStringW(text);
    OutputDebugStringW(L"\n");
    return 0;
}

AFX_REPORT_ERROR_HANDLER AFXAPI AfxSetReportErrorHandler(AFX_REPORT_ERROR_HANDLER pfnHandler)
{
    AFX_REPORT_ERROR_HANDLER old = g_pfnReportError;
    g_pfnReportError = pfnHandler;
    return old;
}

BOOL CSimpleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    return CopyMessage(GetDefaultMessage(), lpszError, nMaxError);
}

LPCTSTR CSimpleException::GetDefaultMessage() const
{
    return L"An unknown error has occurred.";
}
LPCTSTR CInvalidArgException::GetDefaultMessage() const
{
    return L"Encountered an improper argument.";
}
LPCTSTR CMemoryException::GetDefaultMessage() const
{
    return L"Out of memory.";
}
LPCTSTR CResourceException::GetDefaultMessage() const
{
    return L"A required resource was unavailable.";
}
LPCTSTR CNotSupportedException::GetDefaultMessage() const
{
    return L"An unsupported operation was attempted.";
}

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszArchiveName)
    : m_cause(cause)
    , m_lOsError(lOsError)
    , m_strFileName(lpszArchiveName)
{
}

int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError) {
    case NO_ERROR:
        return none;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
        return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BAD_NETPATH:
    case ERROR_DIRECTORY:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
    case ERROR_SHARING_BUFFER_EXCEEDED:
        return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return accessDenied;
    case ERROR_INVALID_HANDLE:
    case ERROR_INVALID_ACCESS:
        return invalidFile;
    case ERROR_CURRENT_DIRECTORY:
        return removeCurrentDir;
    case ERROR_CANNOT_MAKE:
        return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK_ON_DEVICE:
        return badSeek;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_NOT_READY:
    case ERROR_IO_DEVICE:
        return hardIO;
    case ERROR_SHARING_VIOLATION:
        return sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_DRIVE_LOCKED:
    case ERROR_LOCK_FAILED:
        return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF:
        return endOfFile;
    default:
        return genericException;
    }
}

int PASCAL CFileException::ErrnoToException(int nErrno)
{
    switch (nErrno) {
    case 0:
        return none;
    case ENOENT:
        return fileNotFound;
    case EMFILE:
        return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EEXIST:
        return accessDenied;
    case EBADF:
        return invalidFile;
    case EINVAL:
        return badSeek;
    case ENOSPC:
        return diskFull;
    case EIO:
        return hardIO;
    default:
        return genericException;
    }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void PASCAL CFileException::ThrowErrno(int nErrno, LPCTSTR lpszFileName)
{
    AfxThrowFileException(ErrnoToException(nErrno), nErrno, lpszFileName);
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    return CopyMessage(WithFileName(FileCauseText(m_cause), m_strFileName), lpszError, nMaxError);
}

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause)
    , m_strFileName(lpszArchiveName)
{
}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    return CopyMessage(WithFileName(ArchiveCauseText(m_cause), m_strFileName), lpszError, nMaxError);
}

void AFXAPI AfxThrowInvalidArgException()
{
    throw new CInvalidArgException();
}
void AFXAPI AfxThrowMemoryException()
{
    // Out of memory: throw a preallocated object that Delete() leaves alone.
    static CMemoryException s_memoryException(FALSE);
    throw &s_memoryException;
}
void AFXAPI AfxThrowResourceException()
{
    throw new CResourceException();
}
void AFXAPI AfxThrowNotSupportedException()
{
    throw new CNotSupportedException();
}

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}
