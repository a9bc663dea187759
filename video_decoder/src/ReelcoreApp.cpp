// CReelcoreApp: the handle map. Handles come from a counter, so they are
// positive, unique while open, and say nothing about addresses.
#include "ReelcoreApp.h"
#include "FramePlayer.h"

#include <climits>
#include <cwchar>
#include <vector>

CReelcoreApp& TheReelcoreApp()
{
    // Never destroyed: at process exit the decoding threads are already gone,
    // and players must not be closed then (see DllMain).
    static CReelcoreApp* app = new CReelcoreApp;
    return *app;
}

BOOL CReelcoreApp::InitInstance()
{
    return TRUE;
}

int CReelcoreApp::ExitInstance()
{
    std::map<std::wstring, std::shared_ptr<CFramePlayer>> players;
    {
        std::lock_guard<std::mutex> lock(m_mapLock);
        players.swap(m_players);
    }
    for (auto& entry : players)
        entry.second->Close();
    players.clear();
    return 0;
}

std::wstring CReelcoreApp::KeyOf(int handle)
{
    wchar_t key[16];
    std::swprintf(key, 16, L"%d", handle);
    return key;
}

int CReelcoreApp::AddPlayer(std::unique_ptr<CFramePlayer> player)
{
    std::lock_guard<std::mutex> lock(m_mapLock);
    int handle = m_lastHandle;
    do {
        handle = handle == INT_MAX ? 1 : handle + 1;
    } while (m_players.count(KeyOf(handle)) != 0);
    m_lastHandle = handle;
    m_players.emplace(KeyOf(handle), std::shared_ptr<CFramePlayer>(player.release()));
    return handle;
}

std::shared_ptr<CFramePlayer> CReelcoreApp::FindPlayer(int handle)
{
    if (handle <= 0)
        return nullptr;
    std::lock_guard<std::mutex> lock(m_mapLock);
    auto it = m_players.find(KeyOf(handle));
    return it == m_players.end() ? nullptr : it->second;
}

void CReelcoreApp::RemovePlayer(int handle)
{
    std::shared_ptr<CFramePlayer> player;
    {
        std::lock_guard<std::mutex> lock(m_mapLock);
        auto it = m_players.find(KeyOf(handle));
        if (it == m_players.end())
            return;
        player = std::move(it->second);
        m_players.erase(it);
    }
    // Closed outside the map lock: stopping a decoding thread must not hold
    // up the other handles' calls.
    player.reset();
}
