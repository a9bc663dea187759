// Test support for the off-line output dialogs.
#include "offline_test_support.h"

#include <string>

#include <commctrl.h>

namespace offtest {

namespace {
// The dialogs use tab, progress and slider controls; the program registers
// them at start-up, the test does it here.
const bool g_controlsRegistered = [] {
    INITCOMMONCONTROLSEX controls { sizeof(controls),
        ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES };
    return ::InitCommonControlsEx(&controls) != FALSE;
}();
} // namespace

CString CDocHost::GetLangText(LPCTSTR section, int key)
{
    const auto given = m_texts.find({ std::wstring(section), key });
    if (given != m_texts.end())
        return given->second;
    CString text;
    text.Format(L"%s %d", section, key);
    return text;
}

bool FileExists(const CString& path)
{
    return ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadBytes(const CString& path)
{
    std::string data;
    HANDLE h = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return data;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(h, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        data.append(buffer, read);
    ::CloseHandle(h);
    return data;
}

OfflineTest::OfflineTest()
    : m_doc(std::make_unique<CDornelDoc>())
{
    m_doc->m_bAutoDelete = FALSE;
    m_doc->SetHost(&m_host);
    m_doc->m_pViewPanel = &m_viewPanel;
}

OfflineTest::~OfflineTest()
{
    m_doc.reset();
}

void OfflineTest::MakeRecordable(int segments, int totalFrames, int playFrames)
{
    m_doc->m_listSelector = 2;
    for (int i = 0; i < segments; ++i)
        m_doc->NewSegment(FALSE, FALSE);
    m_doc->m_projectSettings.m_totalFrames = totalFrames;
    m_doc->m_projectSettings.m_playFrames = playFrames;
    m_doc->m_projectSettings.m_layoutFile = L"show.lpx";
    m_doc->m_controllerCount = 3;
}

std::vector<PanelCall> OfflineTest::PanelCalls(UINT message) const
{
    std::vector<PanelCall> out;
    for (const PanelCall& call : m_host.m_panelCalls)
        if (call.message == message)
            out.push_back(call);
    return out;
}

} // namespace offtest
