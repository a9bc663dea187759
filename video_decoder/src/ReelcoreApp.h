// CReelcoreApp: the library's application object. It owns the handle map of
// open players and closes whatever is still open when the library unloads.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>

class CFramePlayer;

class CReelcoreApp {
public:
    BOOL InitInstance();
    int ExitInstance();

    // Stores an opened player and returns its new handle (> 0).
    int AddPlayer(std::unique_ptr<CFramePlayer> player);
    // The player of a handle, or null; the reference keeps it alive while a
    // call uses it even if another thread closes the handle meanwhile.
    std::shared_ptr<CFramePlayer> FindPlayer(int handle);
    // Removes a handle; the player is closed and freed with its last reference.
    void RemovePlayer(int handle);

private:
    static std::wstring KeyOf(int handle);

    // Keyed by the decimal text of the handle.
    std::map<std::wstring, std::shared_ptr<CFramePlayer>> m_players;
    std::mutex m_mapLock;
    int m_lastHandle = 0;
};

CReelcoreApp& TheReelcoreApp();
