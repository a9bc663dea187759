// One job at a time on a thread of its own, so that the caller can go on
// with work of its own while the job runs (the recorder maps the next frame
// while the system copies the last one into the file). The thread starts
// with the first job and ends with Stop.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class CBackgroundJob {
public:
    CBackgroundJob() = default;
    ~CBackgroundJob();
    CBackgroundJob(const CBackgroundJob&) = delete;
    CBackgroundJob& operator=(const CBackgroundJob&) = delete;

    // Waits for the job before, then starts this one.
    void Start(std::function<void()> job);
    // Returns once no job runs.
    void Wait();
    // Waits for the job and ends the thread.
    void Stop();

private:
    void Run();

    std::thread m_thread;
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::function<void()> m_job;
    bool m_busy = false;
    bool m_stopping = false;
};
