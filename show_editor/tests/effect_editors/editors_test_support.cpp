// Test support for the effect editors.
#include "editors_test_support.h"

#include "effect_editor_factory.h"
#include "program_color_effect.h"
#include "show_messages.h"

namespace edtest {

BEGIN_MESSAGE_MAP(CMainStandIn, CWnd)
ON_MESSAGE(WM_EFFECT_DIALOG_CLOSED, OnEffectDialogClosed)
END_MESSAGE_MAP()

BOOL CMainStandIn::CreateMain()
{
    return CreateEx(0, AfxRegisterWndClass(0), L"Main", WS_POPUP, CRect(0, 0, 1000, 740), nullptr, 0);
}

LRESULT CMainStandIn::OnEffectDialogClosed(WPARAM wParam, LPARAM)
{
    m_closedIds.push_back(static_cast<int>(wParam));
    if (m_pDoc != nullptr)
        m_pDoc->OnEffectDialogClosed(static_cast<int>(wParam));
    return 0;
}

CString CEditorHost::GetLangText(LPCTSTR section, int key)
{
    CString name;
    name.Format(L"%s %d", section, key);
    auto found = m_texts.find(name);
    return found != m_texts.end() ? found->second : CString();
}

CEffectEditor* CEditorHost::CreateEffectEditor(const EffectEditorRequest& request)
{
    m_requests.push_back(request);
    return m_pDoc != nullptr ? CreateEffectEditorWindow(*m_pDoc, request, m_pMain, m_templateFileIndex) : nullptr;
}

size_t CEditorHost::Count(LPCWSTR call) const
{
    return static_cast<size_t>(std::count(m_calls.begin(), m_calls.end(), CString(call)));
}

EditorTest::EditorTest()
    : m_doc(std::make_unique<CDornelDoc>())
{
    m_doc->m_bAutoDelete = FALSE;
    m_doc->SetHost(&m_host);
    m_doc->m_listSelector = 1;
    m_host.m_pDoc = m_doc.get();
    m_host.m_pMain = &m_main;
    m_main.m_pDoc = m_doc.get();
    EXPECT_TRUE(m_main.CreateMain());
}

EditorTest::~EditorTest()
{
    // Editors still open go the way the document tears them down.
    for (int id : { IDD_EDITOR_COLOR_EFFECT, IDD_EDITOR_SCAN_LINE })
        m_doc->OnEffectDialogClosed(id);
    fwtest::PumpPending();
    m_main.DestroyWindow();
    m_doc.reset();
}

void EditorTest::AddLibraryTemplate(int mode, std::vector<COLORREF> colors)
{
    auto* t = new ColorTemplate;
    t->m_changeMode = mode;
    for (COLORREF c : colors)
        t->m_colors.Add(c);
    m_doc->m_colourTemplates.Add(t);
    DWORD pixels[4] = { 0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF };
    auto* thumb = new CBitmap;
    thumb->Attach(::CreateBitmap(4, 1, 1, 32, pixels));
    m_doc->m_colourTemplateThumbs.Add(thumb);
}

void EditorTest::AddTemplateFile(const std::vector<std::vector<COLORREF>>& gradients)
{
    auto* file = new ColorTemplateArray;
    for (const auto& colors : gradients) {
        auto* t = new ColorTemplate;
        for (COLORREF c : colors)
            t->m_colors.Add(c);
        file->m_templates.Add(t);
    }
    m_doc->m_templateFiles.Add(file);
}

void EditorTest::AddProjectProgram(Program* program)
{
    QvSegmentGourp* segment = m_doc->NewSegment(TRUE, FALSE);
    ProgramView* view = segment->m_views.GetAt(0);
    m_doc->AddProgramToView(view->m_pNode, program);
    m_doc->RecountViewFrames(view);
    m_doc->RecountSegmentFrames(segment);
    m_doc->m_currentSegment = segment->m_pSegmentInfo->m_number;
    m_doc->m_pCurrentViewNode = view->m_pNode;
    m_doc->m_pSelectedNode = program->m_pNode;
}

CEffectEditor* EditorTest::OpenEditor(int id) const
{
    return id == IDD_EDITOR_SCAN_LINE ? m_doc->m_pScanLineEditor : m_doc->m_pColourEffectEditor;
}

bool EditorTest::WaitClosed(CEffectEditor* const& slot)
{
    return fwtest::PumpUntil([&] { return slot == nullptr; }, 3000);
}

void ChooseComboItem(CWnd& dialog, int nID, int index)
{
    HWND combo = ::GetDlgItem(dialog.m_hWnd, nID);
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

CString ComboText(CWnd& dialog, int nID)
{
    HWND combo = ::GetDlgItem(dialog.m_hWnd, nID);
    const int sel = static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0));
    if (sel < 0)
        return CString();
    wchar_t text[128] = L"";
    ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(text));
    return text;
}

CString TempPath(LPCWSTR name)
{
    wchar_t temp[MAX_PATH] = L"";
    ::GetTempPathW(MAX_PATH, temp);
    CString path;
    path.Format(L"%sedtest_%lu_%s", temp, ::GetCurrentProcessId(), name);
    return path;
}

} // namespace edtest
