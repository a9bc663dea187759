// Test support for the project document.
#include "doc_test_support.h"

#include "program_color_effect.h"
#include "program_video.h"
#include "segment_time_play.h"

// Fake panels: views of the run-time classes the document binds by name.
class CViewpanel : public CView {
    DECLARE_DYNAMIC(CViewpanel)
public:
    void OnDraw(CDC*) override { }
};
IMPLEMENT_DYNAMIC(CViewpanel, CView)

class CManagerPanel : public CView {
    DECLARE_DYNAMIC(CManagerPanel)
public:
    void OnDraw(CDC*) override { }
};
IMPLEMENT_DYNAMIC(CManagerPanel, CView)

class CPropertypanel : public CView {
    DECLARE_DYNAMIC(CPropertypanel)
public:
    void OnDraw(CDC*) override { }
};
IMPLEMENT_DYNAMIC(CPropertypanel, CView)

namespace doctest {

CString CRecordingHost::GetLangText(LPCTSTR section, int key)
{
    const auto given = m_texts.find({ std::wstring(section), key });
    if (given != m_texts.end())
        return given->second;
    if (!m_langTexts)
        return CString();
    CString text;
    text.Format(L"%s %d", section, key);
    return text;
}

CEffectEditor* CRecordingHost::CreateEffectEditor(const EffectEditorRequest& request)
{
    m_requests.push_back(request);
    auto* editor = new CFakeEditor(*this, request.dialogId);
    m_editors.push_back(editor);
    return editor;
}

CFakeEditor::~CFakeEditor()
{
    auto& list = m_host.m_editors;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void CRecordingHost::RunScreenRecorder(const CString& path)
{
    m_calls.push_back(L"Recorder");
    if (m_recorderWrites)
        WriteText(path, "RIFF");
}

void CRecordingHost::RunVideoEditorModal(int index)
{
    m_calls.push_back(L"VideoModal");
    m_requests.push_back(EffectEditorRequest { IDD_EDITOR_VIDEO, 0, nullptr, index });
    if (m_doc != nullptr) {
        m_wasPlayingAtModal = m_doc->m_playState == PLAY_PLAYING;
        if (m_modalProgram != nullptr)
            m_doc->AddProgram(m_modalProgram);
    }
}

BOOL CRecordingHost::EditTimeTrigger(SegmentTimePlay& schedule)
{
    m_calls.push_back(L"TimeTrigger");
    if (m_triggerOk)
        schedule.m_durationSeconds = m_triggerDuration;
    return m_triggerOk;
}

std::vector<PanelMessage> CRecordingHost::MessagesTo(DocPanel panel, UINT message) const
{
    std::vector<PanelMessage> found;
    for (const PanelMessage& m : m_messages) {
        if (m.panel == panel && m.message == message)
            found.push_back(m);
    }
    return found;
}

size_t CRecordingHost::CountCalls(LPCWSTR call) const
{
    return static_cast<size_t>(std::count(m_calls.begin(), m_calls.end(), CString(call)));
}

bool FileExists(const CString& path)
{
    return ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

void WriteText(const CString& path, const char* text)
{
    HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
    ::CloseHandle(file);
}

static int64_t FixedClock()
{
    return 1700000000;
}

DocTest::DocTest()
    : m_doc(std::make_unique<CDornelDoc>())
{
    SetScheduleClock(&FixedClock);
    m_doc->m_bAutoDelete = FALSE;
    m_doc->SetHost(&m_host);
    m_host.m_doc = m_doc.get();
}

DocTest::~DocTest()
{
    m_panels.clear();
    m_doc.reset();
    SetScheduleClock(nullptr);
}

void DocTest::BindFakePanels()
{
    m_panels.emplace_back(new CViewpanel);
    m_panels.emplace_back(new CManagerPanel);
    m_panels.emplace_back(new CPropertypanel);
    for (auto& panel : m_panels)
        m_doc->AddView(panel.get());
    m_doc->BindPanels();
}

Program* NewEffect(int length, int style)
{
    auto* effect = new ProgramColorEffect;
    effect->m_style = style;
    effect->m_orgFrames = length;
    effect->m_startFrame = 1;
    effect->m_endFrame = length;
    return effect;
}

void DocTest::BuildProject(const std::vector<std::vector<int>>& programLengths)
{
    for (const std::vector<int>& lengths : programLengths) {
        QvSegmentGourp* segment = m_doc->NewSegment(TRUE, FALSE);
        ProgramView* view = segment->m_views.GetAt(0);
        for (int length : lengths)
            m_doc->AddProgramToView(view->m_pNode, NewEffect(length));
        m_doc->RecountViewFrames(view);
        m_doc->RecountSegmentFrames(segment);
    }
}

void DocTest::ExpectTreeNumbering() const
{
    int total = 0;
    for (INT_PTR s = 0; s < m_doc->m_segments.GetSize(); ++s) {
        QvSegmentGourp* segment = m_doc->m_segments.GetAt(s);
        EXPECT_EQ(segment->m_pSegmentInfo->m_number, s + 1);
        EXPECT_EQ(segment->m_pNode->m_index, s + 1);
        EXPECT_EQ(segment->m_pNode->m_parent, -1);
        EXPECT_EQ(segment->m_pNode->m_kind, NODE_SEGMENT);
        total += segment->m_pSegmentInfo->m_totalFrames;
        for (INT_PTR v = 0; v < segment->m_views.GetSize(); ++v) {
            ProgramView* view = segment->m_views.GetAt(v);
            EXPECT_EQ(view->m_pNode->m_parent, s + 1);
            EXPECT_EQ(view->m_pNode->m_index, v + 1);
            EXPECT_EQ(view->m_pNode->m_kind, NODE_VIEW);
            for (INT_PTR p = 0; p < view->m_programs.GetSize(); ++p) {
                NodeInfo* node = view->m_programs.GetAt(p)->m_pNode;
                ASSERT_NE(node, nullptr);
                EXPECT_EQ(node->m_parent, v + 1);
                EXPECT_EQ(node->m_index, p + 1);
                EXPECT_EQ(node->m_kind, NODE_PROGRAM);
            }
        }
    }
    EXPECT_EQ(m_doc->m_projectSettings.m_totalFrames, total);
}

} // namespace doctest
