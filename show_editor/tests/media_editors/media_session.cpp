// The running program for the media editor tests.
#include "media_session.h"

#include "AppPaths.h"
#include "ClipWriters.h"
#include "tree_panel.h"
#include "vantrel_doc_host.h"

namespace mediatest {

void MediaSession::TearDown()
{
    if (doc != nullptr) {
        for (CEffectEditor** slot : { &doc->m_pVideoEditor, &doc->m_pImageShowEditor }) {
            if (*slot != nullptr)
                CloseWith(*slot, IDCANCEL);
        }
    }
    session.reset();
}

CString MediaSession::WriteClip(LPCWSTR name, int frames) const
{
    clipgen::AviStream stream;
    stream.width = 8;
    stream.height = 8;
    for (int i = 0; i < frames; ++i)
        stream.chunks.push_back(clipgen::DibRows24(clipgen::FlatPicture(8, 8, clipgen::FrameColour(i % 7))));
    CString path = folder.Path() + name;
    EXPECT_TRUE(clipgen::WriteFileBytes(path.GetString(), clipgen::BuildAvi({ stream }, 25)));
    return path;
}

CString MediaSession::WriteJunk(LPCWSTR name) const
{
    CString path = folder.Path() + name;
    EXPECT_TRUE(clipgen::WriteFileBytes(path.GetString(), { 'n', 'o', 't', ' ', 'a', ' ', 'c', 'l', 'i', 'p' }));
    return path;
}

void MediaSession::Command(UINT id) const
{
    fwtest::SendCommand(*session->m_frame, id);
}

bool MediaSession::CloseWith(CEffectEditor*& slot, int button) const
{
    auto* dialog = dynamic_cast<CDialog*>(slot);
    if (dialog == nullptr)
        return false;
    fwtest::ClickButton(*dialog, button);
    return fwtest::PumpUntil([&] { return slot == nullptr; }, 3000);
}

Program* MediaSession::ProjectProgram(int segment, int view, int index) const
{
    QvSegmentGourp* s = doc->GetSegment(segment - 1);
    ProgramView* v = s != nullptr ? CDornelDoc::GetSegmentView(view - 1, s) : nullptr;
    if (v == nullptr || index < 1 || index > v->m_programs.GetSize())
        return nullptr;
    return v->m_programs.GetAt(index - 1);
}

namespace {

bool TreeHasLabel(HWND tree, HTREEITEM item, const CString& label)
{
    for (; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
        wchar_t text[MAX_PATH] = L"";
        TVITEMW data {};
        data.mask = TVIF_TEXT;
        data.hItem = item;
        data.pszText = text;
        data.cchTextMax = MAX_PATH;
        TreeView_GetItem(tree, &data);
        if (label == text || TreeHasLabel(tree, TreeView_GetChild(tree, item), label))
            return true;
    }
    return false;
}

} // namespace

bool MediaSession::TreeShows(const Program* program) const
{
    auto* panel = dynamic_cast<CManagerPanel*>(doc->m_pTreePanel);
    if (panel == nullptr || program == nullptr || program->m_pNode == nullptr)
        return false;
    fwtest::PumpPending();
    HWND tree = panel->GetTree().GetSafeHwnd();
    return TreeHasLabel(tree, TreeView_GetRoot(tree), program->m_pNode->m_name);
}

void MediaSession::SelectProgram(int index) const
{
    Program* program = ProjectProgram(1, 1, index);
    ASSERT_NE(program, nullptr);
    doc->m_currentSegment = 1;
    doc->m_pCurrentViewNode = doc->GetSegment(0)->m_views.GetAt(0)->m_pNode;
    doc->m_pSelectedNode = program->m_pNode;
}

void Choose(CWnd& dialog, int id, int index)
{
    HWND combo = ::GetDlgItem(dialog.m_hWnd, id);
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void Type(CWnd& dialog, int id, LPCWSTR text, UINT notice)
{
    HWND box = ::GetDlgItem(dialog.m_hWnd, id);
    ::SetWindowTextW(box, text);
    // An edit box tells its parent by itself; a combo box's edit does not.
    if (notice != EN_CHANGE)
        ::SendMessageW(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(id, notice), reinterpret_cast<LPARAM>(box));
}

int ItemInt(CWnd& dialog, int id)
{
    return _wtoi(fwtest::GetItemText(dialog, id));
}

} // namespace mediatest
