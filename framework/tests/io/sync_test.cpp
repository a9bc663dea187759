// Synchronisation objects and worker threads.
#include "afxmt.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>

namespace {

// Runs fn on a worker thread and waits for it.
struct Worker {
    explicit Worker(std::function<void()> fn)
        : m_fn(std::move(fn))
    {
        m_thread = AfxBeginThread(&Worker::Proc, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        m_thread->m_bAutoDelete = FALSE;
        m_thread->ResumeThread();
    }
    ~Worker()
    {
        Join();
        delete m_thread;
    }
    void Join() { ::WaitForSingleObject(m_thread->m_hThread, 10000); }
    static UINT __cdecl Proc(LPVOID p)
    {
        static_cast<Worker*>(p)->m_fn();
        return 0;
    }
    std::function<void()> m_fn;
    CWinThread* m_thread;
};

// Polls until cond holds or ms pass.
bool WaitFor(const std::function<bool()>& cond, DWORD ms = 5000)
{
    DWORD start = ::GetTickCount();
    while (!cond()) {
        if (::GetTickCount() - start > ms)
            return false;
        ::Sleep(2);
    }
    return true;
}

} // namespace

TEST(Mutex, OwnerReentersAndOthersTimeOut)
{
    CMutex mutex;
    CSingleLock outer(&mutex, TRUE);
    ASSERT_TRUE(outer.IsLocked());
    {
        CSingleLock inner(&mutex);
        EXPECT_TRUE(inner.Lock(0)); // recursive for the owner
    }

    std::atomic<int> result { -1 };
    DWORD waited = 0;
    {
        Worker w([&] {
            DWORD start = ::GetTickCount();
            CSingleLock lock(&mutex);
            result = lock.Lock(150) ? 1 : 0;
            waited = ::GetTickCount() - start;
        });
    }
    EXPECT_EQ(0, result.load());
    EXPECT_GE(waited, 100u);

    // Still held once (the inner lock was released): release it and the
    // other thread gets it.
    outer.Unlock();
    EXPECT_FALSE(outer.IsLocked());
    {
        Worker w([&] {
            CSingleLock lock(&mutex);
            result = lock.Lock(2000) ? 1 : 0;
        });
    }
    EXPECT_EQ(1, result.load());
}

TEST(Mutex, NamedMutexIsSharedAndInitialOwnershipHolds)
{
    CString name;
    name.Format(L"fwcore_test_mutex_%lu_%lu", ::GetCurrentProcessId(), ::GetTickCount());
    CMutex first(TRUE, name);
    std::atomic<int> result { -1 };
    {
        Worker w([&] {
            CMutex second(FALSE, name);
            result = second.Lock(50) ? 1 : 0;
        });
    }
    EXPECT_EQ(0, result.load());
    first.Unlock();
    {
        Worker w([&] {
            CMutex second(FALSE, name);
            result = second.Lock(1000) ? 1 : 0;
            second.Unlock();
        });
    }
    EXPECT_EQ(1, result.load());
}

TEST(Event, AutoResetReleasesOneWaiterPerSet)
{
    CEvent event; // auto-reset, not signalled
    std::atomic<int> released { 0 };
    auto waiter = [&] {
        CSingleLock lock(&event);
        if (lock.Lock(5000))
            ++released;
    };
    Worker a(waiter), b(waiter);
    ::Sleep(50);
    EXPECT_EQ(0, released.load());
    event.SetEvent();
    EXPECT_TRUE(WaitFor([&] { return released.load() >= 1; }));
    ::Sleep(100);
    EXPECT_EQ(1, released.load());
    event.SetEvent();
    EXPECT_TRUE(WaitFor([&] { return released.load() >= 2; }));
    a.Join();
    b.Join();
    EXPECT_EQ(2, released.load());
    // Released by the waits: nothing left signalled.
    EXPECT_FALSE(event.Lock(0));
}

TEST(Event, ManualResetStaysSignalledUntilReset)
{
    CEvent event(FALSE, TRUE);
    EXPECT_FALSE(event.Lock(0));
    event.SetEvent();
    EXPECT_TRUE(event.Lock(0));
    EXPECT_TRUE(event.Lock(0));
    event.ResetEvent();
    EXPECT_FALSE(event.Lock(0));
    event.PulseEvent();
    EXPECT_FALSE(event.Lock(0));
}

TEST(Semaphore, CountsAcquisitions)
{
    CSemaphore sem(2, 2);
    EXPECT_TRUE(sem.Lock(0));
    EXPECT_TRUE(sem.Lock(0));
    EXPECT_FALSE(sem.Lock(0));
    LONG previous = -1;
    EXPECT_TRUE(sem.Unlock(1, &previous));
    EXPECT_EQ(0, previous);
    EXPECT_TRUE(sem.Lock(0));
    sem.Unlock(2, nullptr);
}

TEST(CriticalSection, TimedLockFailsWhileAnotherThreadHoldsIt)
{
    CCriticalSection cs;
    std::atomic<int> result { -1 };
    {
        CSingleLock lock(&cs, TRUE);
        Worker w([&] {
            CSingleLock other(&cs);
            result = other.Lock(60) ? 1 : 0;
        });
    }
    EXPECT_EQ(0, result.load());
    Worker w([&] {
        CSingleLock other(&cs);
        result = other.Lock(1000) ? 1 : 0;
    });
    w.Join();
    EXPECT_EQ(1, result.load());
}

TEST(WinThread, ExitCodeAndAutoDelete)
{
    auto proc = [](LPVOID p) -> UINT { return *static_cast<UINT*>(p) * 2; };
    UINT value = 21;
    CWinThread* t = AfxBeginThread(proc, &value, THREAD_PRIORITY_BELOW_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, t);
    t->m_bAutoDelete = FALSE;
    EXPECT_EQ(THREAD_PRIORITY_BELOW_NORMAL, t->GetThreadPriority());
    EXPECT_NE(0u, t->m_nThreadID);
    t->ResumeThread();
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(t->m_hThread, 5000));
    DWORD code = 0;
    ::GetExitCodeThread(t->m_hThread, &code);
    EXPECT_EQ(42u, code);
    delete t;

    // An auto-deleting thread cleans up after itself.
    CEvent done(FALSE, TRUE);
    CWinThread* self = AfxBeginThread(
        [](LPVOID p) -> UINT {
            static_cast<CEvent*>(p)->SetEvent();
            return 0;
        },
        &done);
    ASSERT_NE(nullptr, self);
    EXPECT_TRUE(done.Lock(5000));
}
