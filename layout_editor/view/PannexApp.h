// CPannexApp: the layout editor's application object. It reads the start-up
// settings and the command line, makes the single document, frame and view,
// loads a layout named on the command line and carries the caller's values
// (caller window, layout size, ports, channels, language, hidden mode) to
// the main frame and the view.
#pragma once

#include <afxole.h>
#include <afxwin.h>
#include <fw_ctxmenu.h>

#include "PannexStartup.h"

// Set by a light-box command line (mode 5): the view's start sets up a
// light-box project instead of asking for the project settings.
extern int LightBoxMode;

class CPannexApp : public CWinAppEx {
public:
    CPannexApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    void OnAppAbout();
    // The framework's workspace hooks: the context menus are registered
    // before the main window exists, the menus relabelled after it.
    void PreLoadState();
    void LoadCustomState();

    // The context menus registered at start-up (the view's edit menu 119
    // and the list panel's menus 174, 315, 316 and 322, where present).
    CContextMenuManager* GetContextMenuManager() { return &m_contextMenus; }

    // The command line's values; defaults until InitInstance reads them.
    BYTE m_bFileNamed = 0;
    HWND m_hCallerWnd = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nPortsPerController = 8;
    int m_nChannelsPerPort = 3072;
    CString m_strDxfPath;
    int m_nControllerCap = 5;
    int m_nLanguage = 2;
    BYTE m_bHidden = 0;
    ULONG_PTR m_gdiplusToken = 0;
    int m_nAppLook = 208;
    bool m_bHiColorIcons = true;

    // Takes the values of a parsed command line into the members above (and
    // the caller window into the session that the document's replies use).
    void ApplyStartValues(const PannexStartValues& values);
    // Loads the file named on the command line into the document of the
    // main frame's active view; false when it cannot be read (the user was
    // told).
    BOOL LoadNamedFile(const CString& path);

    // Set when InitInstance ended because of a command line without the
    // fields its mode needs (tests read it).
    bool m_bBadCommandLine = false;

protected:
    DECLARE_MESSAGE_MAP()

private:
    bool m_bOleStarted = false;
    CContextMenuManager m_contextMenus;
};

// The running application as CPannexApp, or nullptr.
CPannexApp* GetPannexApp();
