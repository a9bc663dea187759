// A job on a thread of its own (see BackgroundJob.h).
#include "BackgroundJob.h"

CBackgroundJob::~CBackgroundJob()
{
    Stop();
}

void CBackgroundJob::Start(std::function<void()> job)
{
    std::unique_lock<std::mutex> lock(m_lock);
    m_changed.wait(lock, [this] { return !m_busy; });
    m_job = std::move(job);
    m_busy = true;
    if (!m_thread.joinable()) {
        m_stopping = false;
        m_thread = std::thread([this] { Run(); });
    }
    lock.unlock();
    m_changed.notify_all();
}

void CBackgroundJob::Wait()
{
    std::unique_lock<std::mutex> lock(m_lock);
    m_changed.wait(lock, [this] { return !m_busy; });
}

void CBackgroundJob::Stop()
{
    if (!m_thread.joinable())
        return;
    {
        std::unique_lock<std::mutex> lock(m_lock);
        m_changed.wait(lock, [this] { return !m_busy; });
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void CBackgroundJob::Run()
{
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;) {
        m_changed.wait(lock, [this] { return m_busy || m_stopping; });
        if (!m_busy)
            return;
        std::function<void()> job = std::move(m_job);
        lock.unlock();
        job();
        lock.lock();
        m_busy = false;
        m_changed.notify_all();
    }
}
