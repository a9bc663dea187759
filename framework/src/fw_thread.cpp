// Worker threads started through the C runtime, so that the runtime's
// per-thread data is set up for them.
#include "afxmt.h"

#include <process.h>

IMPLEMENT_DYNAMIC(CWinThread, CObject)

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc)
    , m_pThreadParams(pParam)
{
}

CWinThread::~CWinThread()
{
    if (m_hThread != nullptr)
        ::CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    unsigned id = 0;
    uintptr_t h = ::_beginthreadex(lpSecurityAttrs, nStackSize, &CWinThread::ThreadEntry, this,
        dwCreateFlags & (CREATE_SUSPENDED | STACK_SIZE_PARAM_IS_A_RESERVATION), &id);
    if (h == 0)
        return FALSE;
    m_hThread = reinterpret_cast<HANDLE>(h);
    m_nThreadID = id;
    return TRUE;
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

unsigned __stdcall CWinThread::ThreadEntry(void* pThis)
{
    auto* thread = static_cast<CWinThread*>(pThis);
    UINT exitCode = 0;
    // An exception must not leave the thread (it would end the process
    // without a word); the thread ends with a failure code instead.
    try {
        if (thread->m_pfnThreadProc != nullptr)
            exitCode = thread->m_pfnThreadProc(thread->m_pThreadParams);
        else if (thread->InitInstance())
            exitCode = static_cast<UINT>(thread->Run());
        else
            exitCode = static_cast<UINT>(thread->ExitInstance());
    } catch (...) {
        exitCode = static_cast<UINT>(-1);
    }
    thread->Delete();
    return exitCode;
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
    DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    auto* thread = new CWinThread(pfnThreadProc, pParam);
    if (!thread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        delete thread;
        return nullptr;
    }
    thread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        thread->ResumeThread();
    return thread;
}
