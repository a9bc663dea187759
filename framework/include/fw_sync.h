// Synchronisation objects: critical sections, mutexes, events, semaphores and
// the scoped CSingleLock that waits on any of them.
#pragma once

#include "afx_core.h"

// Base of every waitable object. m_hObject is the kernel handle (NULL for a
// critical section, which is not a kernel object); the object owns it.
class CSyncObject : public CObject {
    DECLARE_DYNAMIC(CSyncObject)

public:
    explicit CSyncObject(LPCTSTR pstrName);
    ~CSyncObject() override;
    CSyncObject(const CSyncObject&) = delete;
    CSyncObject& operator=(const CSyncObject&) = delete;

    operator HANDLE() const { return m_hObject; }

    // Waits up to dwTimeout milliseconds; TRUE when acquired or signalled.
    virtual BOOL Lock(DWORD dwTimeout = INFINITE);
    virtual BOOL Unlock() = 0;
    virtual BOOL Unlock(LONG lCount, LPLONG lpPrevCount = nullptr);

    HANDLE m_hObject = nullptr;
};

// Process-local lock; recursive for the owning thread like every Win32
// critical section. Lock with a finite time-out polls TryEnterCriticalSection.
class CCriticalSection : public CSyncObject {
    DECLARE_DYNAMIC(CCriticalSection)

public:
    CCriticalSection();
    ~CCriticalSection() override;

    operator CRITICAL_SECTION*() { return &m_sect; }
    BOOL Lock() { return Lock(INFINITE); }
    BOOL Lock(DWORD dwTimeout) override;
    BOOL Unlock() override;

    CRITICAL_SECTION m_sect;
};

// Kernel mutex, named or unnamed; the owner may lock it again (each Lock needs
// its Unlock). A named mutex that already exists is opened, not an error.
class CMutex : public CSyncObject {
    DECLARE_DYNAMIC(CMutex)

public:
    explicit CMutex(
        BOOL bInitiallyOwn = FALSE, LPCTSTR lpszName = nullptr, LPSECURITY_ATTRIBUTES lpsaAttribute = nullptr);
    BOOL Unlock() override;
};

// Kernel event; auto-reset unless bManualReset. An auto-reset event releases
// one waiter per SetEvent.
class CEvent : public CSyncObject {
    DECLARE_DYNAMIC(CEvent)

public:
    explicit CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE, LPCTSTR lpszName = nullptr,
        LPSECURITY_ATTRIBUTES lpsaAttribute = nullptr);
    BOOL SetEvent();
    BOOL PulseEvent();
    BOOL ResetEvent();
    BOOL Unlock() override { return TRUE; }
};

class CSemaphore : public CSyncObject {
    DECLARE_DYNAMIC(CSemaphore)

public:
    explicit CSemaphore(LONG lInitialCount = 1, LONG lMaxCount = 1, LPCTSTR pstrName = nullptr,
        LPSECURITY_ATTRIBUTES lpsaAttributes = nullptr);
    BOOL Unlock() override { return Unlock(1, nullptr); }
    BOOL Unlock(LONG lCount, LPLONG lprevCount) override;
};

// Scoped lock over one synchronisation object; releases it when destroyed.
class CSingleLock {
public:
    explicit CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE);
    ~CSingleLock();
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    BOOL Lock(DWORD dwTimeOut = INFINITE);
    BOOL Unlock();
    BOOL Unlock(LONG lCount, LPLONG lPrevCount = nullptr);
    BOOL IsLocked() const { return m_bAcquired; }

protected:
    CSyncObject* m_pObject;
    HANDLE m_hObject;
    BOOL m_bAcquired = FALSE;
};
