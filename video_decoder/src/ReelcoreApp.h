// CReelcoreApp: the library's application object. It owns the handle map of
// open players and closes whatever is still open when the library unloads.
#pragma once

#include <afxmt.h>
#include <afxwin.h>

#include <memory>

class CFramePlayer;

class CReelcoreApp : public CWinApp {
public:
    CReelcoreApp();
    ~CReelcoreApp() override;

    BOOL InitInstance() override;
    // Closes every player still open, then the framework's end. When the
    // process is ending it leaves the players alone (see SetProcessEnding).
    int ExitInstance() override;

    // Told by the entry point before the framework ends the application:
    // the whole process is ending, not just this library. The decoding
    // threads are already gone then and may have died holding locks, so
    // nothing may wait for them; the system reclaims everything anyway.
    void SetProcessEnding(bool ending) { m_processEnding = ending; }

    // Stores an opened player and returns its new handle (> 0), or -1.
    int AddPlayer(std::unique_ptr<CFramePlayer> player);
    // The player of a handle, or null; the reference keeps it alive while a
    // call uses it even if another thread closes the handle meanwhile.
    std::shared_ptr<CFramePlayer> FindPlayer(int handle);
    // Removes a handle; the player is closed and freed with its last reference.
    void RemovePlayer(int handle);

private:
    // Keyed by the decimal text of the handle.
    using CPlayerMap = CMap<CString, LPCWSTR, std::shared_ptr<CFramePlayer>, const std::shared_ptr<CFramePlayer>&>;

    static CString KeyOf(int handle);

    // On the heap so that it can be left behind when the process ends: its
    // destructor would close players whose threads are dead.
    CPlayerMap* m_players;
    // Waited for without a time-out and released only by the scoped lock
    // that took it. Every export looks its handle up under this lock, and a
    // kernel mutex costs a round trip to the system each time (about 20 us
    // under Wine against well under 1 us for a critical section).
    CCriticalSection m_mapLock;
    int m_lastHandle = 0;
    bool m_processEnding = false;
};

CReelcoreApp& TheReelcoreApp();
