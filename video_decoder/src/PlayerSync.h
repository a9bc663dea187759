// The auto-reset wake event of a player's decoding thread.
#pragma once

#include <condition_variable>
#include <mutex>

class CAutoResetEvent {
public:
    void Set()
    {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_signalled = true;
        }
        m_changed.notify_one();
    }

    // Waits without a time-out and resets the event.
    void Wait()
    {
        std::unique_lock<std::mutex> lock(m_lock);
        m_changed.wait(lock, [this] { return m_signalled; });
        m_signalled = false;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    bool m_signalled = false;
};
