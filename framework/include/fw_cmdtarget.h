// Command targets and message maps: static tables per class that chain to
// the base class's table, walked for window messages, commands, command UI
// updates and control notifications.
#pragma once

#include "afx.h"

class CCmdTarget;
class CCmdUI;
class CWnd;
class CMenu;

// One dispatched message or command as the handler thunks see it.
struct AFX_MSGCALL {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    UINT nID = 0;
    int nCode = 0;
    void* pExtra = nullptr;
    LRESULT result = 0;
};

// Calls one handler with its parameters cracked from the call; returns FALSE
// when the handler asked for routing to go on (the _EX forms).
using AFX_MSGTHUNK = BOOL (*)(CCmdTarget* target, AFX_MSGCALL& call);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage; // window message, WM_COMMAND, WM_NOTIFY or a reflected one
    UINT nCode; // control notification code or CN_UPDATE_COMMAND_UI
    UINT nID; // first control or command id
    UINT nLastID; // last id of a range
    const UINT* pnRegistered; // registered message id, read at dispatch time
    AFX_MSGTHUNK pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget = nullptr;
    const AFX_MSGMAP_ENTRY* pEntry = nullptr;
};

// What ON_NOTIFY handlers receive through OnCmdMsg.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Command codes of OnCmdMsg. Notifications of WM_NOTIFY travel as
// MAKELONG(code, WM_NOTIFY) so that they never collide with WM_COMMAND codes.
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;
constexpr UINT WM_REFLECT_BASE = 0xBC00;
// All WM_CTLCOLORxxx messages meet in one map entry, told apart by nCtlColor.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    ~CCmdTarget() override = default;

    // Routes a command, update or notification through this target's map;
    // derived classes extend the route (view, document, frame, application).
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // Finds the first entry for a (non-command) message in this class's chain.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message) const;

    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

protected:
    // Walks the map for WM_COMMAND / WM_NOTIFY style entries only.
    BOOL DispatchCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

private:
    HCURSOR m_hPrevCursor = nullptr;
};

// Updates one user-interface item (menu item or dialog control) for a command.
class CCmdUI {
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks the target's route for an update handler; with no handler and
    // bDisableIfNoHndler, an item whose command has no handler is disabled.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    CMenu* m_pMenu = nullptr;
    CMenu* m_pSubMenu = nullptr;
    CWnd* m_pOther = nullptr;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;
    UINT m_nIndexMax = 0;
    CMenu* m_pParentMenu = nullptr;
};

// ---------------------------------------------------------------------------
// Message map macros.

#define DECLARE_MESSAGE_MAP()                                                                                          \
public:                                                                                                                \
    static const AFX_MSGMAP* GetThisMessageMap();                                                                      \
    const AFX_MSGMAP* GetMessageMap() const override;                                                                  \
                                                                                                                       \
private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                         \
    const AFX_MSGMAP* theClass::GetMessageMap() const                                                                  \
    {                                                                                                                  \
        return GetThisMessageMap();                                                                                    \
    }                                                                                                                  \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                                                    \
    {                                                                                                                  \
        using ThisClass [[maybe_unused]] = theClass;                                                                   \
        using TheBaseClass [[maybe_unused]] = baseClass;                                                               \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                                              \
    {                                                                                                                  \
        0, 0, 0, 0, nullptr, nullptr                                                                                   \
    }                                                                                                                  \
    }                                                                                                                  \
    ;                                                                                                                  \
    static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, &_messageEntries[0] };                    \
    return &messageMap;                                                                                                \
    }
