// CReelcoreApp: the handle map. Handles come from a counter, so they are
// positive, unique while open, and say nothing about addresses.
#include "ReelcoreApp.h"
#include "FramePlayer.h"

#include <climits>
#include <vector>

namespace {

CReelcoreApp theApp;

// Every player is closed under the loader lock when the library unloads:
// a decoding thread that has left cannot be waited for then (it needs that
// lock to end), so the players rely on the thread's own stopped mark.
class CLoaderLockScope {
public:
    CLoaderLockScope() { CFramePlayer::s_loaderLockHeld = true; }
    ~CLoaderLockScope() { CFramePlayer::s_loaderLockHeld = false; }
    CLoaderLockScope(const CLoaderLockScope&) = delete;
    CLoaderLockScope& operator=(const CLoaderLockScope&) = delete;
};

} // namespace

CReelcoreApp& TheReelcoreApp()
{
    return theApp;
}

CReelcoreApp::CReelcoreApp()
    : CWinApp(L"Reelcore")
    , m_players(new CPlayerMap(10))
{
    m_players->InitHashTable(17);
}

CReelcoreApp::~CReelcoreApp()
{
    delete m_players;
}

BOOL CReelcoreApp::InitInstance()
{
    return CWinApp::InitInstance();
}

int CReelcoreApp::ExitInstance()
{
    if (m_processEnding) {
        // Left behind on purpose: closing would wait for dead threads and
        // locks they may hold.
        m_players = nullptr;
        return CWinApp::ExitInstance();
    }
    try {
        CLoaderLockScope loaderLock;
        std::vector<std::shared_ptr<CFramePlayer>> players;
        {
            CSingleLock lock(&m_mapLock, TRUE);
            if (lock.IsLocked() && m_players != nullptr) {
                for (const CPlayerMap::CPair* pair = m_players->PGetFirstAssoc(); pair != nullptr;
                     pair = m_players->PGetNextAssoc(pair))
                    players.push_back(pair->value);
                m_players->RemoveAll();
            }
        }
        for (auto& player : players)
            player->Close();
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
        // Nothing may leave the library's entry point.
    }
    return CWinApp::ExitInstance();
}

CString CReelcoreApp::KeyOf(int handle)
{
    CString key;
    key.Format(L"%d", handle);
    return key;
}

int CReelcoreApp::AddPlayer(std::unique_ptr<CFramePlayer> player)
{
    std::shared_ptr<CFramePlayer> shared(std::move(player));
    CSingleLock lock(&m_mapLock, TRUE);
    if (!lock.IsLocked() || m_players == nullptr)
        return -1;
    int handle = m_lastHandle;
    CString key;
    do {
        handle = handle == INT_MAX ? 1 : handle + 1;
        key = KeyOf(handle);
    } while (m_players->PLookup(key) != nullptr);
    m_players->SetAt(key, shared);
    m_lastHandle = handle;
    return handle;
}

std::shared_ptr<CFramePlayer> CReelcoreApp::FindPlayer(int handle)
{
    if (handle <= 0)
        return nullptr;
    const CString key = KeyOf(handle);
    std::shared_ptr<CFramePlayer> player;
    CSingleLock lock(&m_mapLock, TRUE);
    if (lock.IsLocked() && m_players != nullptr)
        m_players->Lookup(key, player);
    return player;
}

void CReelcoreApp::RemovePlayer(int handle)
{
    if (handle <= 0)
        return;
    const CString key = KeyOf(handle);
    std::shared_ptr<CFramePlayer> player;
    {
        CSingleLock lock(&m_mapLock, TRUE);
        if (!lock.IsLocked() || m_players == nullptr || !m_players->Lookup(key, player))
            return;
        m_players->RemoveKey(key);
    }
    // Closed outside the map lock: stopping a decoding thread must not hold
    // up the other handles' calls.
    player.reset();
}
