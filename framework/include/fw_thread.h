// Worker threads: CWinThread and AfxBeginThread.
//
// CWinThread is a plain CObject here. The window half of the framework
// derives its application class from it and supplies the message loop: until
// then InitInstance, Run and ExitInstance are placeholders (Run calls
// ExitInstance and returns its result).
#pragma once

#include "afx_core.h"

class CWnd;

typedef UINT(__cdecl* AFX_THREADPROC)(LPVOID);

class CWinThread : public CObject {
    DECLARE_DYNAMIC(CWinThread)

public:
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    // Starts the thread; dwCreateFlags may hold CREATE_SUSPENDED.
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

    operator HANDLE() const { return m_hThread; }
    int GetThreadPriority() const { return ::GetThreadPriority(m_hThread); }
    BOOL SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    DWORD SuspendThread() { return ::SuspendThread(m_hThread); }

    virtual BOOL InitInstance() { return FALSE; }
    virtual int Run() { return ExitInstance(); }
    virtual int ExitInstance() { return 0; }
    // Called when the thread ends; deletes the object when m_bAutoDelete.
    virtual void Delete();

    // With m_bAutoDelete (the default) the object deletes itself when its
    // thread ends: a caller that waits on m_hThread must create the thread
    // suspended, clear m_bAutoDelete, resume it and delete the object itself.
    BOOL m_bAutoDelete = TRUE;
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    CWnd* m_pMainWnd = nullptr;

    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;

private:
    static unsigned __stdcall ThreadEntry(void* pThis);
};

// Starts a worker thread running pfnThreadProc(pParam); the thread's exit
// code is the procedure's result. Returns nullptr when the thread could not
// be created.
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority = THREAD_PRIORITY_NORMAL,
    UINT nStackSize = 0, DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
