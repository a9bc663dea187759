// The framework's exception classes and the AfxThrow... helpers. Exceptions
// are thrown as pointers to heap objects; the handler catches `CException* e`
// and calls e->Delete() when done with it.
#pragma once

#include "fw_object.h"
#include "fw_string.h"

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    CException();
    explicit CException(BOOL bAutoDelete);
    ~CException() override = default;

    // Frees the exception if it was allocated for throwing (the usual case).
    void Delete();

    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;
    // Reports the error through the handler installed with
    // AfxSetReportErrorHandler (the window layer shows a message box); without
    // one it only writes the text to the debugger output. Returns the
    // handler's answer, or 0.
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0) const;

    BOOL m_bAutoDelete;
};

// Handler used by CException::ReportError: gets the message text and the
// message-box style, returns the button pressed.
typedef int(AFXAPI* AFX_REPORT_ERROR_HANDLER)(LPCTSTR lpszText, UINT nType);
AFX_REPORT_ERROR_HANDLER AFXAPI AfxSetReportErrorHandler(AFX_REPORT_ERROR_HANDLER pfnHandler);

class CSimpleException : public CException {
    DECLARE_DYNAMIC(CSimpleException)
public:
    CSimpleException() = default;
    explicit CSimpleException(BOOL bAutoDelete)
        : CException(bAutoDelete)
    {
    }
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

protected:
    virtual LPCTSTR GetDefaultMessage() const;
};

class CInvalidArgException : public CSimpleException {
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    CInvalidArgException() = default;
    explicit CInvalidArgException(BOOL bAutoDelete)
        : CSimpleException(bAutoDelete)
    {
    }

protected:
    LPCTSTR GetDefaultMessage() const override;
};

class CMemoryException : public CSimpleException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException() = default;
    explicit CMemoryException(BOOL bAutoDelete)
        : CSimpleException(bAutoDelete)
    {
    }

protected:
    LPCTSTR GetDefaultMessage() const override;
};

class CResourceException : public CSimpleException {
    DECLARE_DYNAMIC(CResourceException)
public:
    CResourceException() = default;
    explicit CResourceException(BOOL bAutoDelete)
        : CSimpleException(bAutoDelete)
    {
    }

protected:
    LPCTSTR GetDefaultMessage() const override;
};

class CNotSupportedException : public CSimpleException {
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    CNotSupportedException() = default;
    explicit CNotSupportedException(BOOL bAutoDelete)
        : CSimpleException(bAutoDelete)
    {
    }

protected:
    LPCTSTR GetDefaultMessage() const override;
};

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, LPCTSTR lpszArchiveName = nullptr);

    // Maps a Win32 error code (GetLastError) to a cause above.
    static int PASCAL OsErrorToException(LONG lOsError);
    // Maps a C runtime errno value to a cause above.
    static int PASCAL ErrnoToException(int nErrno);
    [[noreturn]] static void PASCAL ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = nullptr);
    [[noreturn]] static void PASCAL ThrowErrno(int nErrno, LPCTSTR lpszFileName = nullptr);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum { none, genericException, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema, bufferFull };

    explicit CArchiveException(int cause = none, LPCTSTR lpszArchiveName = nullptr);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    int m_cause;
    CString m_strFileName;
};

[[noreturn]] void AFXAPI AfxThrowMemoryException();
[[noreturn]] void AFXAPI AfxThrowResourceException();
[[noreturn]] void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr);
[[noreturn]] void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = nullptr);
