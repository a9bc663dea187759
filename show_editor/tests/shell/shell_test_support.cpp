// Shared pieces of the shell tests.
#include "shell_test_support.h"

#include "AppPaths.h"
#include "lang_service.h"
#include "player_panel.h"
#include "vantrel_doc_host.h"

#include <shlwapi.h>

namespace shelltest {

CTempProgramFolder::CTempProgramFolder()
    : m_folder(L"shelltest")
    , m_path(m_folder.Path() + L"\\")
{
    for (LPCWSTR sub : { L"Lang", L"Config", L"TF" })
        ::CreateDirectoryW(m_path + sub, nullptr);
    SetShellAppFolderForTesting(m_path);
}

CTempProgramFolder::~CTempProgramFolder()
{
    SetShellAppFolderForTesting(nullptr);
}

void CTempProgramFolder::WriteFile(LPCWSTR relative, const CString& text) const
{
    CString path = m_path + relative;
    HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << CStringA(path).GetString();
    const WCHAR bom = 0xFEFF;
    DWORD written = 0;
    ::WriteFile(file, &bom, sizeof(bom), &written, nullptr);
    ::WriteFile(file, text.GetString(), static_cast<DWORD>(text.GetLength() * sizeof(WCHAR)), &written, nullptr);
    ::CloseHandle(file);
}

void CTempProgramFolder::WriteSoftConf(LPCWSTR title, LPCWSTR lang, LPCWSTR version) const
{
    CString text;
    text.Format(L"[Soft]\r\nTitle=%s\r\nLang=%s\r\nVersion=%s\r\n", title, lang, version);
    WriteFile(L"Lang\\SoftConf.ini", text);
}

bool CTempProgramFolder::CopyShippedLanguages() const
{
    for (LPCWSTR file : { L"Eng.ini", L"Chs.ini" }) {
        if (!::CopyFileW(GetAppFolder() + L"Lang\\" + file, m_path + L"Lang\\" + file, FALSE))
            return false;
    }
    return true;
}

bool CTempProgramFolder::CopyShippedLanguageFolders() const
{
    for (LPCWSTR folder : { L"Lang", L"Config" }) {
        WIN32_FIND_DATAW found;
        const CString from = GetAppFolder() + folder + L"\\";
        HANDLE find = ::FindFirstFileW(from + L"*.*", &found);
        if (find == INVALID_HANDLE_VALUE)
            return false;
        bool copied = true;
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
                copied
                    = ::CopyFileW(from + found.cFileName, m_path + folder + L"\\" + found.cFileName, FALSE) && copied;
        } while (::FindNextFileW(find, &found));
        ::FindClose(find);
        if (!copied)
            return false;
    }
    return true;
}

CString LangFileText(std::initializer_list<LangRow> rows)
{
    CString text;
    CString section;
    for (const LangRow& row : rows) {
        if (section != row.section) {
            section = row.section;
            text += L"[" + section + L"]\r\n";
        }
        CString line;
        line.Format(L"%d=%s\r\n", row.key, row.text);
        text += line;
    }
    return text;
}

CFakeServices::CFakeServices()
    : m_previous(SetShellServices(this))
{
}

CFakeServices::~CFakeServices()
{
    SetShellServices(m_previous);
}

bool CFakeServices::Called(LPCWSTR call) const
{
    for (const CString& c : m_calls) {
        if (c == call)
            return true;
    }
    return false;
}

int CFakeServices::CountOf(LPCWSTR prefix) const
{
    int count = 0;
    for (const CString& c : m_calls)
        count += c.Find(prefix) == 0 ? 1 : 0;
    return count;
}

#define FMT(...)                                                                                                       \
    [&] {                                                                                                              \
        CString s;                                                                                                     \
        s.Format(__VA_ARGS__);                                                                                         \
        return s;                                                                                                      \
    }()

int CFakeServices::NewScreen()
{
    Record(L"NewScreen");
    return m_screen;
}
int CFakeServices::SetProtocolVersion(int version)
{
    Record(FMT(L"SetProtocolVersion %d", version));
    return version;
}
int CFakeServices::SetControllerLanguage(int languageId)
{
    Record(FMT(L"SetControllerLanguage %d", languageId));
    return 0;
}
int CFakeServices::SetFourColor(int screen, int mode, int whiteValue)
{
    Record(FMT(L"SetFourColor %d %d %d", screen, mode, whiteValue));
    return 0;
}
int CFakeServices::NewLayout(int screen, int width, int height, int ports, int channels)
{
    Record(FMT(L"NewLayout %d %d %d %d %d", screen, width, height, ports, channels));
    return m_newLayoutResult;
}
int CFakeServices::EditLayout(int screen)
{
    Record(FMT(L"EditLayout %d", screen));
    return 0;
}
int CFakeServices::ClearLayout(int screen)
{
    Record(FMT(L"ClearLayout %d", screen));
    return 0;
}
int CFakeServices::LoadDxfLayout(int screen, const CString& path)
{
    Record(FMT(L"LoadDxfLayout %d %s", screen, path.GetString()));
    return 0;
}
int CFakeServices::SetLayout(int screen, const CString& path)
{
    Record(FMT(L"SetLayout %d %s", screen, path.GetString()));
    return 0;
}
CString CFakeServices::GetPixFilePath(int)
{
    return m_pixPath;
}
CString CFakeServices::GetLpxFilePath(int)
{
    return m_lpxPath;
}
void CFakeServices::SetMovieMakerLanguage(int languageId)
{
    Record(FMT(L"SetMovieMakerLanguage %d", languageId));
}
int CFakeServices::CheckUpdate()
{
    Record(L"CheckUpdate");
    return m_checkUpdate;
}
int CFakeServices::UpdateConfirm()
{
    Record(L"UpdateConfirm");
    return m_confirm;
}
int CFakeServices::DownloadAndInstall()
{
    Record(L"DownloadAndInstall");
    return m_install;
}
void CFakeServices::ShowNoUpdate(int owner)
{
    Record(FMT(L"ShowNoUpdate %d", owner));
}
CHardwareSettingsDialog* CFakeServices::CreateHardwareDialog(HardwareConfig&)
{
    if (!m_makeHardwareDialog)
        return nullptr;
    m_hardwareDialog = new CFakeHardwareDialog;
    return m_hardwareDialog;
}

CShellSession::CShellSession(CFakeServices&)
    : CShellSession()
{
}

CShellSession::CShellSession()
{
    m_app.m_arrArgs = { L"-nologo" };
    AfxWinInit(::GetModuleHandle(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_HIDE);
    EXPECT_TRUE(m_app.CreateDocTemplate());
    EXPECT_TRUE(m_app.ProcessCommandLine());
    m_frame = dynamic_cast<CMainFrame*>(m_app.m_pMainWnd);
    m_hFrame = m_frame != nullptr ? m_frame->m_hWnd : nullptr;
}

CShellSession::~CShellSession()
{
    if (::IsWindow(m_hFrame))
        ::DestroyWindow(m_hFrame);
    m_app.ExitInstance();
    fwtest::PumpPending();
}

bool CShellSession::WaitForLibraryLoader() const
{
    CDornelDoc* doc = Doc();
    auto* player = doc != nullptr ? dynamic_cast<CViewpanel*>(doc->m_pViewPanel) : nullptr;
    if (player == nullptr)
        return false;
    const bool done = fwtest::PumpUntil([&] { return !player->IsTemplateLoaderRunning(); }, 10000);
    fwtest::PumpPending();
    return done;
}

void ProgramFixture::SetUp()
{
    ASSERT_TRUE(folder.CopyShippedLanguages());
    folder.WriteSoftConf(L"Vantrel", Language());
    session = std::make_unique<CShellSession>(services);
    doc = session->Doc();
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(&doc->Host(), static_cast<CDornelDocHost*>(&VantrelDocHost()));
    ASSERT_TRUE(session->WaitForLibraryLoader());
    doc->m_projectSettings.m_frameRate = 25;
    doc->m_projectSettings.m_width = 200;
    doc->m_projectSettings.m_height = 50;
}

} // namespace shelltest
