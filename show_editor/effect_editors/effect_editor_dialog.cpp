// The life cycle every modeless effect editor shares with the document.
#include "effect_editor_dialog.h"

#include "show_messages.h"

#include <algorithm>
#include <climits>

IMPLEMENT_DYNAMIC(CEffectEditorDialog, CDialog)

BEGIN_MESSAGE_MAP(CEffectEditorDialog, CDialog)
ON_WM_CLOSE()
END_MESSAGE_MAP()

CEffectEditorDialog::CEffectEditorDialog(UINT nIDTemplate, int dialogId)
    : CDialog(nIDTemplate)
    , m_dialogId(dialogId)
{
}

CEffectEditorDialog::~CEffectEditorDialog()
{
    DetachWorkingCopyFromPreview();
    if (m_hWnd != nullptr)
        DestroyWindow();
    delete m_pWorkingCopy;
}

void CEffectEditorDialog::DetachWorkingCopyFromPreview()
{
    // The document frees the preview list before it deletes an editor; should
    // a preview view still hold the working copy, it must not keep a pointer
    // into freed memory.
    if (m_pDoc == nullptr || m_pWorkingCopy == nullptr)
        return;
    CSingleLock lock(&m_pDoc->m_mutex, TRUE);
    SegmentList& list = m_pDoc->m_previewSegments;
    for (INT_PTR s = 0; s < list.GetSize(); ++s) {
        ProgramViewList& views = list.GetAt(s)->m_views;
        for (INT_PTR v = 0; v < views.GetSize(); ++v) {
            ProgramList& programs = views.GetAt(v)->m_programs;
            for (INT_PTR p = programs.GetSize() - 1; p >= 0; --p) {
                if (programs.GetAt(p) == m_pWorkingCopy)
                    programs.RemoveAt(p);
            }
        }
    }
}

BOOL CEffectEditorDialog::CreateEditor(CWnd* owner)
{
    return Create(m_lpszTemplateName, owner);
}

CRect CEffectEditorDialog::GetWindowRect() const
{
    CRect rect;
    if (m_hWnd != nullptr)
        ::GetWindowRect(m_hWnd, &rect);
    return rect;
}

void CEffectEditorDialog::MoveTo(int left, int top)
{
    if (m_hWnd != nullptr)
        ::SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CEffectEditorDialog::Show()
{
    if (m_hWnd != nullptr)
        ::ShowWindow(m_hWnd, SW_SHOW);
}

void CEffectEditorDialog::DestroyEditor()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

void CEffectEditorDialog::MakePreviewSegment()
{
    if (m_pDoc == nullptr || m_pWorkingCopy == nullptr)
        return;
    CSingleLock lock(&m_pDoc->m_mutex, TRUE);
    // Always the preview pair, which the opener made the active one: an
    // editor never writes into the project's list or settings.
    ProjSet* settings = &m_pDoc->m_previewSettings;
    settings->m_totalFrames = 0;
    settings->m_playFrames = 0;
    m_pWorkingCopy->m_startFrame = 1;
    m_pWorkingCopy->m_endFrame = m_pWorkingCopy->m_orgFrames;
    m_pWorkingCopy->SetNode(new NodeInfo);
    AppendPreviewSegment();
}

void CEffectEditorDialog::AppendPreviewSegment()
{
    auto* segment = new QvSegmentGourp;
    segment->m_pSegmentInfo->m_number = 1;
    segment->m_pSegmentInfo->m_totalFrames = m_pWorkingCopy->m_orgFrames;
    segment->SetNode(new NodeInfo);

    // A preview view never becomes the project's current or selected node.
    NodeInfo* currentView = m_pDoc->m_pCurrentViewNode;
    NodeInfo* selected = m_pDoc->m_pSelectedNode;
    ProgramView* view = m_pDoc->NewView(segment, FALSE);
    m_pDoc->m_pCurrentViewNode = currentView;
    m_pDoc->m_pSelectedNode = selected;
    if (view != nullptr) {
        view->m_programs.Add(m_pWorkingCopy);
        const NodeInfo* current = m_pDoc->m_pCurrentViewNode;
        QvSegmentGourp* projectSegment = current != nullptr ? m_pDoc->GetSegment(current->m_parent - 1) : nullptr;
        ProgramView* projectView
            = projectSegment != nullptr ? CDornelDoc::GetSegmentView(current->m_index - 1, projectSegment) : nullptr;
        if (projectView != nullptr) {
            view->m_projectRect = projectView->m_projectRect;
            CDornelDoc::ProjectRectToCanvas(m_pDoc->m_zoomPercent, view->m_projectRect, view->m_canvasRect,
                m_pDoc->m_projectSettings.m_layoutType, m_pDoc->m_dotGap);
        }
    }
    m_pDoc->m_previewSegments.Add(segment);
    CountPreviewFrames(m_pWorkingCopy->m_orgFrames);
}

QvSegmentGourp* CEffectEditorDialog::OwnPreviewSegment() const
{
    if (m_pDoc == nullptr || m_pWorkingCopy == nullptr)
        return nullptr;
    const SegmentList& list = m_pDoc->m_previewSegments;
    for (INT_PTR s = 0; s < list.GetSize(); ++s) {
        const ProgramViewList& views = list.GetAt(s)->m_views;
        for (INT_PTR v = 0; v < views.GetSize(); ++v) {
            const ProgramList& programs = views.GetAt(v)->m_programs;
            for (INT_PTR p = 0; p < programs.GetSize(); ++p)
                if (programs.GetAt(p) == m_pWorkingCopy)
                    return list.GetAt(s);
        }
    }
    return nullptr;
}

void CEffectEditorDialog::CountPreviewFrames(int ownPlayFrames)
{
    // Editors open side by side play their segments one after another: the
    // preview runs for all of them.
    const QvSegmentGourp* own = OwnPreviewSegment();
    long long total = std::max(ownPlayFrames, 0);
    const SegmentList& list = m_pDoc->m_previewSegments;
    for (INT_PTR s = 0; s < list.GetSize(); ++s)
        if (list.GetAt(s) != own)
            total += std::max(list.GetAt(s)->m_pSegmentInfo->m_totalFrames, 0);
    const int frames = static_cast<int>(std::min<long long>(total, INT_MAX));
    m_pDoc->m_previewSettings.m_totalFrames = frames;
    m_pDoc->m_previewSettings.m_playFrames = frames;
}

bool CEffectEditorDialog::SetPreviewFrames(int frames, int playFrames, bool takeBack)
{
    if (m_pDoc == nullptr)
        return false;
    bool own = false;
    {
        CSingleLock lock(&m_pDoc->m_mutex, TRUE);
        own = OwnPreviewSegment() != nullptr;
    }
    if (!own) {
        // The preview list went while the editor stayed open (another
        // editor's close or the browser dropped it). Only ever the preview:
        // the project's list is never written; an editor takes the preview
        // back with a segment of its own.
        if (!takeBack)
            return false;
        m_pDoc->OnStop();
        CSingleLock lock(&m_pDoc->m_mutex, TRUE);
        m_pDoc->m_listSelector = 0;
        AppendPreviewSegment();
    }
    CSingleLock lock(&m_pDoc->m_mutex, TRUE);
    QvSegmentGourp* segment = OwnPreviewSegment();
    if (segment == nullptr)
        return false;
    segment->m_pSegmentInfo->m_totalFrames = frames;
    CountPreviewFrames(playFrames >= 0 ? playFrames : frames);
    return true;
}

bool CEffectEditorDialog::PreviewIsOwn() const
{
    if (m_pDoc == nullptr)
        return false;
    CSingleLock lock(&m_pDoc->m_mutex, TRUE);
    return m_pDoc->m_listSelector == 0 && OwnPreviewSegment() != nullptr;
}

void CEffectEditorDialog::StopPreview()
{
    if (m_pDoc != nullptr)
        m_pDoc->OnStop();
}

void CEffectEditorDialog::RestartPreview()
{
    if (m_pDoc == nullptr)
        return;
    m_pDoc->OnStop();
    // Never the project: an editor whose preview went plays nothing.
    if (PreviewIsOwn())
        m_pDoc->OnPlay();
}

void CEffectEditorDialog::HandOver()
{
    if (m_pDoc == nullptr || m_pWorkingCopy == nullptr)
        return;
    if (m_editMode != 0 && m_pEditedProgram != nullptr)
        m_pDoc->UpdateProgram(m_pWorkingCopy, m_pEditedProgram);
    else
        m_pDoc->AddProgram(m_pWorkingCopy);
}

void CEffectEditorDialog::EndAndNotify(int result)
{
    EndDialog(result);
    HWND owner = m_hWnd != nullptr ? ::GetWindow(m_hWnd, GW_OWNER) : nullptr;
    if (owner == nullptr) {
        CWnd* main = AfxGetMainWnd();
        owner = main != nullptr ? main->GetSafeHwnd() : nullptr;
    }
    if (owner != nullptr)
        ::PostMessageW(owner, WM_EFFECT_DIALOG_CLOSED, static_cast<WPARAM>(m_dialogId), 0);
}

void CEffectEditorDialog::OnClose()
{
    // The close box ends the editor like Cancel, with one notice.
    EndAndNotify(IDCANCEL);
}

CString CEffectEditorDialog::LangText(LPCTSTR section, int key) const
{
    return m_pDoc != nullptr ? m_pDoc->Host().GetLangText(section, key) : CString();
}

void CEffectEditorDialog::LocalizeItem(int nID, LPCTSTR section, int key)
{
    ApplyLabel(*this, nID, LangText(section, key));
}

void CEffectEditorDialog::LocalizeItems(std::span<const CtrlLabel> labels)
{
    ApplyLabels(
        *this, [this](LPCTSTR section, int key) { return LangText(section, key); }, labels);
}

void CEffectEditorDialog::LocalizeComboItems(int nID, LPCTSTR section, const int* keys, int count)
{
    HWND combo = ::GetDlgItem(m_hWnd, nID);
    if (combo == nullptr)
        return;
    const LRESULT selection = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
    const int items = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count && i < items; ++i) {
        CString text = LangText(section, keys[i]);
        if (text.IsEmpty())
            continue;
        LRESULT data = ::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0);
        ::SendMessageW(combo, CB_DELETESTRING, static_cast<WPARAM>(i), 0);
        ::SendMessageW(combo, CB_INSERTSTRING, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.GetString()));
        ::SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(i), data);
    }
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
}

int SelectComboPrefix(CComboBox& combo, const CString& prefix)
{
    for (int i = 0; i < combo.GetCount(); ++i) {
        CString text;
        combo.GetLBText(i, text);
        if (text.Left(prefix.GetLength()) == prefix) {
            combo.SetCurSel(i);
            return i;
        }
    }
    return -1;
}

int SelectComboData(CComboBox& combo, DWORD_PTR value)
{
    for (int i = 0; i < combo.GetCount(); ++i) {
        if (combo.GetItemData(i) == value) {
            combo.SetCurSel(i);
            return i;
        }
    }
    return -1;
}
