// CWinApp: the application object (start-up, message loop with idle-time
// command UI updates, profile settings, recent files, document templates,
// command line) and the module globals (AfxGetApp, AfxGetMainWnd, ...).
//
// CWinApp derives from CCmdTarget so that commands route to it; the thread
// members (m_hThread, m_nThreadID, m_pMainWnd) live here directly because the
// core layer's CWinThread is a plain CObject.
#pragma once

#include "fw_wnd.h"

#include <vector>

class CDocTemplate;
class CDocument;

class CCommandLineInfo : public CObject {
public:
    CCommandLineInfo() = default;
    ~CCommandLineInfo() override = default;

    // Called for each argument; bFlag when it started with '/' or '-'
    // (then without that character).
    virtual void ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast);

    enum {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppRegister,
        AppUnregister,
        FileNothing = -1
    } m_nShellCommand
        = FileNew;
    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    CString m_strFileName;
};

// The most-recently-used file list kept in the profile section "Recent File List".
class CRecentFileList {
public:
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize);

    int GetSize() const { return m_nSize; }
    int GetCount() const { return static_cast<int>(m_arrNames.size()); }
    const CString& operator[](int nIndex) const { return m_arrNames[static_cast<size_t>(nIndex)]; }
    void Add(LPCTSTR lpszPathName);
    void Remove(int nIndex);
    void ReadList();
    void WriteList();
    // Puts the names into a menu at the position of the first MRU command.
    void UpdateMenu(CCmdUI* pCmdUI);

    UINT m_nStart;
    CString m_strSectionName;
    CString m_strEntryFormat;

private:
    int m_nSize;
    std::vector<CString> m_arrNames;
};

class CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitApplication() { return TRUE; }
    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance();
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL PumpMessage();
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual CWnd* GetMainWnd() { return m_pMainWnd; }
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    // Registry profile: HKCU\Software\<key>\<application>\<section>. Without a
    // registry key the profile is an INI file named after the program.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCTSTR lpszSection);
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // *ppData is allocated with new[]; the caller deletes it.
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();

    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);
    BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    // Asks for a file name through the UI host with the templates' filters.
    BOOL DoPromptFileName(
        CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog, CDocTemplate* pTemplate);

    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursor(nullptr, lpszCursorName); }
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const { return ::LoadIcon(nullptr, lpszIconName); }

    void OnFileNew();
    void OnFileOpen();
    void OnAppExit();
    BOOL OnOpenRecentFile(UINT nID);
    void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);

    // Thread part.
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    CWnd* m_pMainWnd = nullptr;

    HINSTANCE m_hInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszRegistryKey = nullptr;
    LPCTSTR m_pszProfileName = nullptr;
    LPCTSTR m_pszExeName = nullptr;
    CRecentFileList* m_pRecentFileList = nullptr;
    // Argument vector as ParseCommandLine sees it (tests may set it).
    std::vector<CString> m_arrArgs;

    // Fills the program, application and profile names from the module.
    void SetModuleNames();

protected:
    DECLARE_MESSAGE_MAP()

private:
    std::vector<CDocTemplate*> m_templates;
    CString m_strAppName, m_strRegistryKey, m_strProfileName, m_strExeName;
};

using CWinAppEx = CWinApp;

CWinApp* AFXAPI AfxGetApp();
CWnd* AFXAPI AfxGetMainWnd();
HINSTANCE AFXAPI AfxGetInstanceHandle();
LPCTSTR AFXAPI AfxGetAppName();
// The title used for message boxes: the application's name, else the program file's.
CString AFXAPI AfxGetAppTitle();
void AFXAPI AfxPostQuitMessage(int nExitCode);

// Sets up the module and the application object without running it (tests
// call this, then InitInstance).
BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
// Program start: InitApplication, InitInstance, Run. A program's wWinMain
// calls this.
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
// A DLL's DllMain calls this: at load it makes the DLL's resources current
// and runs the DLL application's InitInstance; at unload its ExitInstance.
BOOL AFXAPI AfxDllMain(HINSTANCE hInstance, DWORD dwReason);

// Module state of this module (program or DLL). Exported functions of a DLL
// start with AFX_MANAGE_STATE(AfxGetStaticModuleState()) so that resources
// load from the DLL for the duration of the call.
struct AFX_MODULE_STATE {
    HINSTANCE m_hCurrentInstanceHandle = nullptr;
    HINSTANCE m_hCurrentResourceHandle = nullptr;
};
AFX_MODULE_STATE* AFXAPI AfxGetStaticModuleState();
AFX_MODULE_STATE* AFXAPI AfxGetModuleState();

class AFX_MAINTAIN_STATE2 {
public:
    explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pModuleState);
    ~AFX_MAINTAIN_STATE2();
    AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
    AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;

private:
    HINSTANCE m_hPrevResource;
};
#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE2 _ctlState(p)
