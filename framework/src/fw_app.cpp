// CWinApp: start-up, message loop, profile, recent files, command line;
// module globals and the DLL entry helper.
#include "afxwin.h"

#include <shellapi.h>

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

namespace {
CWinApp* g_pApp = nullptr;

HINSTANCE ThisModule()
{
    HMODULE h = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&ThisModule), &h);
    return h;
}
} // namespace

CWinApp* AFXAPI AfxGetApp()
{
    return g_pApp;
}

CWnd* AFXAPI AfxGetMainWnd()
{
    return g_pApp != nullptr ? g_pApp->GetMainWnd() : nullptr;
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    if (g_pApp != nullptr && g_pApp->m_hInstance != nullptr)
        return g_pApp->m_hInstance;
    return ThisModule();
}

LPCTSTR AFXAPI AfxGetAppName()
{
    return g_pApp != nullptr ? g_pApp->m_pszAppName : nullptr;
}

CString AFXAPI AfxGetAppTitle()
{
    if (g_pApp != nullptr && g_pApp->m_pszAppName != nullptr)
        return g_pApp->m_pszAppName;
    TCHAR path[MAX_PATH] = L"";
    ::GetModuleFileName(nullptr, path, MAX_PATH);
    CString name = ::PathFindFileName(path);
    int dot = name.ReverseFind(L'.');
    return dot > 0 ? name.Left(dot) : name;
}

void AFXAPI AfxPostQuitMessage(int nExitCode)
{
    ::PostQuitMessage(nExitCode);
}

AFX_MODULE_STATE* AFXAPI AfxGetStaticModuleState()
{
    static AFX_MODULE_STATE state;
    if (state.m_hCurrentInstanceHandle == nullptr) {
        state.m_hCurrentInstanceHandle = ThisModule();
        state.m_hCurrentResourceHandle = state.m_hCurrentInstanceHandle;
    }
    return &state;
}

AFX_MODULE_STATE* AFXAPI AfxGetModuleState()
{
    return AfxGetStaticModuleState();
}

AFX_MAINTAIN_STATE2::AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pModuleState)
    : m_hPrevResource(AfxGetResourceHandle())
{
    if (pModuleState != nullptr && pModuleState->m_hCurrentResourceHandle != nullptr)
        AfxSetResourceHandle(pModuleState->m_hCurrentResourceHandle);
}

AFX_MAINTAIN_STATE2::~AFX_MAINTAIN_STATE2()
{
    AfxSetResourceHandle(m_hPrevResource);
}

// ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
// File > Exit closes the main window the way its close box does, with the
// questions about unsaved work; a frame with a handler of its own wins.
ON_COMMAND(ID_APP_EXIT, OnAppExit)
ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    if (lpszAppName != nullptr) {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName;
    }
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    delete m_pRecentFileList;
    for (CDocTemplate* p : m_templates)
        delete p;
    if (g_pApp == this)
        g_pApp = nullptr;
}

void CWinApp::SetModuleNames()
{
    TCHAR path[MAX_PATH] = L"";
    ::GetModuleFileName(m_hInstance, path, MAX_PATH);
    CString name = ::PathFindFileName(path);
    int dot = name.ReverseFind(L'.');
    m_strExeName = dot > 0 ? name.Left(dot) : name;
    m_pszExeName = m_strExeName;
    if (m_pszAppName == nullptr) {
        CString title;
        if (title.LoadString(AFX_IDS_APP_TITLE) && !title.IsEmpty())
            m_strAppName = title;
        else
            m_strAppName = m_strExeName;
        m_pszAppName = m_strAppName;
    }
    if (m_pszProfileName == nullptr) {
        // Without a registry key the profile is an INI file beside the program.
        CString ini(path);
        int slash = ini.ReverseFind(L'\\');
        m_strProfileName = ini.Left(slash + 1) + m_strExeName + L".INI";
        m_pszProfileName = m_strProfileName;
    }
}

int CWinApp::ExitInstance()
{
    SaveStdProfileSettings();
    return 0;
}

BOOL CWinApp::PumpMessage()
{
    MSG msg;
    if (!::GetMessage(&msg, nullptr, 0, 0))
        return FALSE;
    if (!PreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    return TRUE;
}

BOOL CWinApp::IsIdleMessage(MSG* pMsg)
{
    // Mouse moves and caret blinks would keep the idle work running forever.
    return pMsg->message != WM_MOUSEMOVE && pMsg->message != WM_NCMOUSEMOVE && pMsg->message != WM_TIMER
        && pMsg->message != 0x0118 /* WM_SYSTIMER */;
}

int CWinApp::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    MSG msg;
    for (;;) {
        while (bIdle && !::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do {
            if (!::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE))
                break;
            if (msg.message == WM_QUIT) {
                ::GetMessage(&msg, nullptr, 0, 0);
                int code = ExitInstance();
                return code != 0 ? code : static_cast<int>(msg.wParam);
            }
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&msg)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
        if (!bIdle)
            ::WaitMessage();
    }
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg)
{
    CWnd* pMain = GetMainWnd();
    return CWnd::WalkPreTranslateTree(pMain != nullptr ? pMain->m_hWnd : nullptr, pMsg);
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    if (lCount == 0) {
        CWnd* pMain = GetMainWnd();
        if (pMain != nullptr && pMain->m_hWnd != nullptr && pMain->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            static_cast<CFrameWnd*>(pMain)->OnIdleUpdateCmdUI();
        return TRUE;
    }
    CWnd::DeleteTempMap();
    CMenu::DeleteTempMap();
    return FALSE;
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    HWND hOwner = nullptr;
    CWnd::GetSafeOwner(nullptr, &hOwner);
    CString caption = AfxGetAppTitle();
    return AfxGetUiHost().MessageBox(hOwner, lpszPrompt, caption, nType);
}

// --- profile ---------------------------------------------------------------

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey;
    m_pszRegistryKey = m_strRegistryKey;
    m_strProfileName = m_pszAppName != nullptr ? m_pszAppName : L"";
    m_pszProfileName = m_strProfileName;
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString key;
    key.LoadString(nIDRegistryKey);
    SetRegistryKey(key);
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (m_pszRegistryKey == nullptr || m_pszProfileName == nullptr)
        return nullptr;
    CString path;
    path.Format(L"Software\\%s\\%s", m_pszRegistryKey, m_pszProfileName);
    HKEY hKey = nullptr;
    if (::RegCreateKeyEx(
            HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &hKey, nullptr)
        != ERROR_SUCCESS)
        return nullptr;
    return hKey;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    HKEY hApp = GetAppRegistryKey();
    if (hApp == nullptr)
        return nullptr;
    HKEY hSection = nullptr;
    ::RegCreateKeyEx(
        hApp, lpszSection, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &hSection, nullptr);
    ::RegCloseKey(hApp);
    return hSection;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (m_pszRegistryKey == nullptr)
        return ::GetPrivateProfileInt(lpszSection, lpszEntry, nDefault, m_pszProfileName);
    HKEY hKey = GetSectionKey(lpszSection);
    if (hKey == nullptr)
        return static_cast<UINT>(nDefault);
    DWORD value = 0, type = 0, size = sizeof(value);
    LONG r = ::RegQueryValueEx(hKey, lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size);
    ::RegCloseKey(hKey);
    return r == ERROR_SUCCESS && type == REG_DWORD ? value : static_cast<UINT>(nDefault);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    if (m_pszRegistryKey == nullptr) {
        CString s;
        s.Format(L"%d", nValue);
        return ::WritePrivateProfileString(lpszSection, lpszEntry, s, m_pszProfileName);
    }
    HKEY hKey = GetSectionKey(lpszSection);
    if (hKey == nullptr)
        return FALSE;
    DWORD value = static_cast<DWORD>(nValue);
    LONG r = ::RegSetValueEx(hKey, lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    ::RegCloseKey(hKey);
    return r == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    CString def = lpszDefault != nullptr ? lpszDefault : L"";
    if (m_pszRegistryKey == nullptr) {
        TCHAR buf[4096];
        ::GetPrivateProfileString(lpszSection, lpszEntry, def, buf, 4096, m_pszProfileName);
        return buf;
    }
    HKEY hKey = GetSectionKey(lpszSection);
    if (hKey == nullptr)
        return def;
    DWORD type = 0, size = 0;
    CString result = def;
    if (::RegQueryValueEx(hKey, lpszEntry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ
        && size < 1024 * 1024) {
        CString value;
        LPTSTR buf = value.GetBufferSetLength(static_cast<int>(size / sizeof(TCHAR)) + 1);
        DWORD cb = size;
        if (::RegQueryValueEx(hKey, lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(buf), &cb) == ERROR_SUCCESS) {
            buf[cb / sizeof(TCHAR)] = 0;
            value.ReleaseBuffer();
            result = value;
        } else {
            value.ReleaseBuffer(0);
        }
    }
    ::RegCloseKey(hKey);
    return result;
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (m_pszRegistryKey == nullptr)
        return ::WritePrivateProfileString(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
    if (lpszEntry == nullptr) {
        HKEY hApp = GetAppRegistryKey();
        if (hApp == nullptr)
            return FALSE;
        LONG r = ::RegDeleteTree(hApp, lpszSection);
        ::RegCloseKey(hApp);
        return r == ERROR_SUCCESS;
    }
    HKEY hKey = GetSectionKey(lpszSection);
    if (hKey == nullptr)
        return FALSE;
    LONG r;
    if (lpszValue == nullptr) {
        r = ::RegDeleteValue(hKey, lpszEntry);
    } else {
        r = ::RegSetValueEx(hKey, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
            static_cast<DWORD>((wcslen(lpszValue) + 1) * sizeof(TCHAR)));
    }
    ::RegCloseKey(hKey);
    return r == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    *ppData = nullptr;
    *pBytes = 0;
    HKEY hKey = m_pszRegistryKey != nullptr ? GetSectionKey(lpszSection) : nullptr;
    if (hKey == nullptr)
        return FALSE;
    DWORD type = 0, size = 0;
    BOOL ok = FALSE;
    if (::RegQueryValueEx(hKey, lpszEntry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_BINARY
        && size <= 16 * 1024 * 1024) {
        auto* data = new BYTE[size > 0 ? size : 1];
        if (::RegQueryValueEx(hKey, lpszEntry, nullptr, &type, data, &size) == ERROR_SUCCESS) {
            *ppData = data;
            *pBytes = size;
            ok = TRUE;
        } else {
            delete[] data;
        }
    }
    ::RegCloseKey(hKey);
    return ok;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    HKEY hKey = m_pszRegistryKey != nullptr ? GetSectionKey(lpszSection) : nullptr;
    if (hKey == nullptr)
        return FALSE;
    LONG r = ::RegSetValueEx(hKey, lpszEntry, 0, REG_BINARY, pData, nBytes);
    ::RegCloseKey(hKey);
    return r == ERROR_SUCCESS;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    if (nMaxMRU > 16)
        nMaxMRU = 16;
    if (nMaxMRU > 0 && m_pRecentFileList == nullptr) {
        m_pRecentFileList
            = new CRecentFileList(ID_FILE_MRU_FILE1, L"Recent File List", L"File%d", static_cast<int>(nMaxMRU));
        m_pRecentFileList->ReadList();
    }
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList != nullptr)
        m_pRecentFileList->WriteList();
}

// --- documents -------------------------------------------------------------

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    pTemplate->LoadTemplate();
    m_templates.push_back(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_templates.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<UINT_PTR>(1));
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    auto index = reinterpret_cast<UINT_PTR>(pos);
    CDocTemplate* p = m_templates[index - 1];
    pos = index < m_templates.size() ? reinterpret_cast<POSITION>(index + 1) : nullptr;
    return p;
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    if (m_templates.empty())
        return nullptr;
    return m_templates.front()->OpenDocumentFile(lpszFileName, TRUE);
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
    if (m_pRecentFileList != nullptr)
        m_pRecentFileList->Add(lpszPathName);
}

BOOL CWinApp::SaveAllModified()
{
    for (CDocTemplate* p : m_templates) {
        if (!p->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    for (CDocTemplate* p : m_templates)
        p->CloseAllDocuments(bEndSession);
}

BOOL CWinApp::DoPromptFileName(
    CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog, CDocTemplate* pTemplate)
{
    CFileDialogRequest request;
    request.bOpen = bOpenFileDialog;
    HWND hOwner = nullptr;
    CWnd::GetSafeOwner(nullptr, &hOwner);
    request.hWndOwner = hOwner;
    if (nIDSTitle != 0)
        request.strTitle.LoadString(nIDSTitle);
    if (request.strTitle.IsEmpty())
        request.strTitle = bOpenFileDialog ? L"Open" : L"Save As";
    request.dwFlags = lFlags | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | (bOpenFileDialog ? 0 : OFN_OVERWRITEPROMPT);
    request.strFileName = fileName;
    CString filter;
    auto addTemplate = [&](CDocTemplate* t) {
        CString name, ext;
        if (t->GetDocString(name, CDocTemplate::filterName) && t->GetDocString(ext, CDocTemplate::filterExt)
            && !name.IsEmpty() && !ext.IsEmpty()) {
            filter += name + L"|*" + ext + L"|";
            if (request.strDefExt.IsEmpty())
                request.strDefExt = ext.Mid(ext[0] == L'.' ? 1 : 0);
        }
    };
    if (pTemplate != nullptr) {
        addTemplate(pTemplate);
    } else {
        for (CDocTemplate* t : m_templates)
            addTemplate(t);
    }
    filter += L"All Files (*.*)|*.*||";
    request.strFilter = filter;
    if (!AfxGetUiHost().FileDialog(request) || request.results.empty())
        return FALSE;
    fileName = request.results.front();
    return TRUE;
}

void CWinApp::OnFileNew()
{
    if (!m_templates.empty())
        m_templates.front()->OpenDocumentFile(nullptr, TRUE);
}

void CWinApp::OnFileOpen()
{
    CString newName;
    if (!DoPromptFileName(newName, 0, OFN_FILEMUSTEXIST, TRUE, nullptr))
        return;
    OpenDocumentFile(newName);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    if (m_pRecentFileList == nullptr)
        return FALSE;
    int index = static_cast<int>(nID - ID_FILE_MRU_FILE1);
    if (index < 0 || index >= m_pRecentFileList->GetCount())
        return FALSE;
    CString path = (*m_pRecentFileList)[index];
    if (OpenDocumentFile(path) == nullptr)
        m_pRecentFileList->Remove(index);
    return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (m_pRecentFileList == nullptr)
        pCmdUI->Enable(FALSE);
    else
        m_pRecentFileList->UpdateMenu(pCmdUI);
}

// --- command line ----------------------------------------------------------

void CCommandLineInfo::ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL)
{
    if (bFlag) {
        CString flag(pszParam);
        if (flag.CompareNoCase(L"nologo") == 0)
            m_bShowSplash = FALSE;
        else if (flag.CompareNoCase(L"p") == 0)
            m_nShellCommand = FilePrint;
        else if (flag.CompareNoCase(L"pt") == 0)
            m_nShellCommand = FilePrintTo;
        else if (flag.CompareNoCase(L"dde") == 0)
            m_nShellCommand = FileDDE;
        else if (flag.CompareNoCase(L"Embedding") == 0)
            m_bRunEmbedded = TRUE;
        else if (flag.CompareNoCase(L"Automation") == 0)
            m_bRunAutomated = TRUE;
        else if (flag.CompareNoCase(L"Register") == 0 || flag.CompareNoCase(L"Regserver") == 0)
            m_nShellCommand = AppRegister;
        else if (flag.CompareNoCase(L"Unregister") == 0 || flag.CompareNoCase(L"Unregserver") == 0)
            m_nShellCommand = AppUnregister;
        return;
    }
    if (m_strFileName.IsEmpty()) {
        m_strFileName = pszParam;
        if (m_nShellCommand == FileNew)
            m_nShellCommand = FileOpen;
    }
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    std::vector<CString> args = m_arrArgs;
    if (args.empty()) {
        int argc = 0;
        LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
        for (int i = 1; argv != nullptr && i < argc; ++i)
            args.emplace_back(argv[i]);
        if (argv != nullptr)
            ::LocalFree(argv);
    }
    for (size_t i = 0; i < args.size(); ++i) {
        const CString& a = args[i];
        BOOL bFlag = !a.IsEmpty() && (a[0] == L'-' || a[0] == L'/');
        rCmdInfo.ParseParam(bFlag ? a.GetString() + 1 : a.GetString(), bFlag, i + 1 == args.size());
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, 0, nullptr, nullptr))
            OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    default:
        return TRUE;
    }
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
}

// --- recent files ----------------------------------------------------------

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize)
    : m_nStart(nStart)
    , m_strSectionName(lpszSection)
    , m_strEntryFormat(lpszEntryFormat)
    , m_nSize(nSize)
{
}

void CRecentFileList::Add(LPCTSTR lpszPathName)
{
    if (lpszPathName == nullptr || *lpszPathName == 0)
        return;
    CString path(lpszPathName);
    for (size_t i = 0; i < m_arrNames.size(); ++i) {
        if (m_arrNames[i].CompareNoCase(path) == 0) {
            m_arrNames.erase(m_arrNames.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
    m_arrNames.insert(m_arrNames.begin(), path);
    if (static_cast<int>(m_arrNames.size()) > m_nSize)
        m_arrNames.resize(static_cast<size_t>(m_nSize));
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex >= 0 && nIndex < GetCount())
        m_arrNames.erase(m_arrNames.begin() + nIndex);
}

void CRecentFileList::ReadList()
{
    CWinApp* pApp = AfxGetApp();
    m_arrNames.clear();
    for (int i = 0; i < m_nSize && pApp != nullptr; ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        CString name = pApp->GetProfileString(m_strSectionName, entry);
        if (!name.IsEmpty())
            m_arrNames.push_back(name);
    }
}

void CRecentFileList::WriteList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    for (int i = 0; i < m_nSize; ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        if (i < GetCount())
            pApp->WriteProfileString(m_strSectionName, entry, m_arrNames[static_cast<size_t>(i)]);
        else
            pApp->WriteProfileString(m_strSectionName, entry, nullptr);
    }
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    CMenu* pMenu = pCmdUI->m_pMenu;
    if (pMenu == nullptr) {
        pCmdUI->Enable(GetCount() > 0);
        return;
    }
    for (int i = 0; i < m_nSize; ++i)
        pMenu->DeleteMenu(m_nStart + static_cast<UINT>(i), MF_BYCOMMAND);
    if (m_arrNames.empty()) {
        pMenu->InsertMenu(pCmdUI->m_nIndex, MF_BYPOSITION | MF_STRING | MF_GRAYED, m_nStart, L"Recent File");
        pCmdUI->m_bEnableChanged = TRUE;
        return;
    }
    for (int i = 0; i < GetCount(); ++i) {
        CString text;
        text.Format(L"&%d %s", i + 1, ::PathFindFileName(m_arrNames[static_cast<size_t>(i)]));
        pMenu->InsertMenu(
            pCmdUI->m_nIndex + static_cast<UINT>(i), MF_BYPOSITION | MF_STRING, m_nStart + static_cast<UINT>(i), text);
    }
    pCmdUI->m_nIndex += static_cast<UINT>(GetCount() - 1);
    pCmdUI->m_bEnableChanged = TRUE;
}

// --- entry points ----------------------------------------------------------

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow)
{
    INITCOMMONCONTROLSEX icc { sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES };
    ::InitCommonControlsEx(&icc);
    AfxSetResourceHandle(hInstance);
    AFX_MODULE_STATE* state = AfxGetStaticModuleState();
    state->m_hCurrentInstanceHandle = hInstance;
    state->m_hCurrentResourceHandle = hInstance;
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr) {
        pApp->m_hInstance = hInstance;
        pApp->m_lpCmdLine = lpCmdLine;
        pApp->m_nCmdShow = nCmdShow;
        pApp->m_hThread = ::GetCurrentThread();
        pApp->m_nThreadID = ::GetCurrentThreadId();
        pApp->SetModuleNames();
    }
    return TRUE;
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow))
        return -1;
    if (!pApp->InitApplication() || !pApp->InitInstance()) {
        if (pApp->m_pMainWnd != nullptr && pApp->m_pMainWnd->m_hWnd != nullptr)
            pApp->m_pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}

BOOL AFXAPI AfxDllMain(HINSTANCE hInstance, DWORD dwReason)
{
    CWinApp* pApp = AfxGetApp();
    if (dwReason == DLL_PROCESS_ATTACH) {
        AfxWinInit(hInstance, nullptr, nullptr, SW_SHOWNORMAL);
        if (pApp != nullptr && !pApp->InitInstance()) {
            pApp->ExitInstance();
            return FALSE;
        }
    } else if (dwReason == DLL_PROCESS_DETACH) {
        if (pApp != nullptr)
            pApp->ExitInstance();
    }
    return TRUE;
}
