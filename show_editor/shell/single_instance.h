// The mark that one show editor runs: a 4096-byte page-file mapping with a
// fixed name. Nothing is written into it; only its existence counts.
#pragma once

#include <windows.h>

class CSingleInstance {
public:
    enum Result {
        kClaimed, // this process holds the mark now
        kAlreadyRunning, // another process holds it
        kFailed, // the mapping could not be made at all
    };

    CSingleInstance() = default;
    ~CSingleInstance() { Release(); }
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    Result Claim(LPCWSTR name);
    // Closes the mapping: the name is free for the next start.
    void Release();
    bool IsHeld() const { return m_mapping != nullptr; }

private:
    HANDLE m_mapping = nullptr;
};
