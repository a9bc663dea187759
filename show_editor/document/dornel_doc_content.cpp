// The project document's content commands: opening the effect editors (one
// at a time), the file choices before them, the hand-over of finished and
// edited programs, and the end of an editor.
#include "dornel_doc.h"

#include <afxdlgs.h>

#include "TextHelpers.h"
#include "ce_flicker_star.h"
#include "media_probe.h"
#include "program_color_effect.h"
#include "program_color_effect_plus.h"
#include "program_colorful_words.h"
#include "program_image_show.h"
#include "program_video.h"

namespace {

struct StyleCommand {
    UINT id;
    int style;
};

constexpr StyleCommand kStyleCommands[] = {
    { 32859, 0 },
    { 32860, 1 },
    { 32862, 2 },
    { 32863, 3 },
    { 32861, 4 },
    { 32864, 5 },
    { 32876, 6 },
    { 32866, 7 },
    { 32877, 8 },
    { 32868, 9 },
    { 32869, 10 },
    { 32871, 11 },
    { 32872, 12 },
    { 32873, 13 },
    { 32875, 14 },
    { 32878, 15 },
    { 32879, 16 },
    { 32880, 17 },
    { 32881, 18 },
    { 32882, 19 },
};

constexpr LPCWSTR kVideoFilter = L"Video Files|*.AVI;*.SWF;*.DivX;*.Div;*.Xvid;*.MPGE;*.MPG;*.DAT;*.WMV;*.ASF;*.ASX;"
                                 L"\t\t*.RM;*.RMVB;*.MOV;*.QT;*.3GP;*.3G2;*.MP4;*.M4V;*.FLV;*.TOL||";

} // namespace

void CDornelDoc::OnColorEffect(UINT id)
{
    for (const StyleCommand& command : kStyleCommands) {
        if (command.id == id) {
            AddColorEffect(command.style, FALSE);
            return;
        }
    }
}

void CDornelDoc::OnScanLine()
{
    AddColorEffect(21, TRUE);
}

void CDornelDoc::EnsureView()
{
    if (m_pCurrentViewNode != nullptr)
        return;
    // A new view becomes the current one only while the project list is the
    // active one; an editor's preview may already have made it the preview.
    const int selector = m_listSelector;
    m_listSelector = 1;
    NewSegment(TRUE, TRUE);
    m_listSelector = selector;
}

void CDornelDoc::CentreEditor(CEffectEditor* editor)
{
    CRect mainRect;
    if (!Host().GetMainWindowRect(mainRect))
        return;
    CRect rect = editor->GetWindowRect();
    editor->MoveTo(
        mainRect.left + (mainRect.Width() - rect.Width()) / 2, mainRect.top + (mainRect.Height() - rect.Height()) / 2);
}

bool CDornelDoc::OpenModeless(CEffectEditor*& slot, EffectEditorRequest request, bool ensureView)
{
    if (slot != nullptr) {
        m_listSelector = 0;
        slot->Show();
        return true;
    }
    const INT_PTR segments = m_segments.GetSize();
    NodeInfo* currentView = m_pCurrentViewNode;
    NodeInfo* selected = m_pSelectedNode;
    const int currentSegment = m_currentSegment;
    const BOOL modified = IsModified();
    // The view is made only once the command is going to open an editor, so
    // that a refused command leaves no empty segment behind.
    if (ensureView)
        EnsureView();
    m_listSelector = 0;
    slot = Host().CreateEffectEditor(request);
    if (slot != nullptr) {
        slot->Show();
        CentreEditor(slot);
        return true;
    }
    // Nothing opened: the project plays again, no edit stays under way, a
    // segment made for the editor goes again, and the user is told.
    {
        CSingleLock lock(&m_mutex, TRUE);
        FreePreviewList();
        m_listSelector = 1;
        if (request.editMode) {
            m_editSegment = -1;
            m_editDialogId = 0;
        }
        if (m_segments.GetSize() > segments) {
            SegmentList made;
            while (m_segments.GetSize() > segments) {
                made.Add(m_segments.GetAt(segments));
                m_segments.RemoveAt(segments);
            }
            FreeSegmentsAndBuffers(made, true, false);
            m_pCurrentViewNode = currentView;
            m_pSelectedNode = selected;
            m_currentSegment = currentSegment;
            SetModifiedFlag(modified);
        }
    }
    NotifyPanel(m_pTreePanel);
    AfxMessageBox(LangText(L"HINT", 60, L"This editor could not be opened."));
    return false;
}

bool CDornelDoc::IsEffectDialogOpen()
{
    // The image-show editor and the animation browser may stay open beside
    // another editor: they are not counted.
    CEffectEditor* editors[] = { m_pWordsEditor, m_pScanLineEditor, m_pColourEffectEditor, m_pVideoEditor,
        m_pColorPlusEditor, m_pFlickerEditor };
    bool open = false;
    for (CEffectEditor* editor : editors) {
        if (editor != nullptr) {
            CentreEditor(editor);
            open = true;
        }
    }
    return open;
}

void CDornelDoc::AddColorEffect(int style, BOOL skipChooser)
{
    if (IsEffectDialogOpen())
        return;
    ColorTemplate* chosen = nullptr;
    if (!skipChooser && !Host().ChooseColorTemplate(chosen))
        return;
    StopPlayback();
    EffectEditorRequest request;
    request.style = style;
    request.chosenTemplate = chosen;
    if (style == 21) {
        request.dialogId = IDD_EDITOR_SCAN_LINE;
        OpenModeless(m_pScanLineEditor, request, true);
    } else {
        request.dialogId = IDD_EDITOR_COLOR_EFFECT;
        OpenModeless(m_pColourEffectEditor, request, true);
    }
}

void CDornelDoc::OnAddVideo()
{
    if (IsEffectDialogOpen())
        return;
    StopPlayback();
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kVideoFilter);
    if (dialog.DoModal() != IDOK) {
        m_listSelector = 1;
        return;
    }
    AddVideoFile(dialog.GetPathName());
}

int CDornelDoc::MediaThumbnailIndex(const CString& path)
{
    int index = FindStringIndex(path, m_mediaPaths);
    if (index >= 0)
        return index;
    HWND main = Host().GetMainWindow();
    HDC windowDC = ::GetDC(main);
    auto* thumb = new CBitmap;
    HDC memDC = ::CreateCompatibleDC(windowDC);
    HBITMAP bitmap = ::CreateCompatibleBitmap(windowDC, 256, 256);
    if (memDC != nullptr && bitmap != nullptr) {
        HGDIOBJ old = ::SelectObject(memDC, bitmap);
        RenderMediaThumbnail(path, memDC);
        ::SelectObject(memDC, old);
        thumb->Attach(bitmap);
    } else if (bitmap != nullptr) {
        ::DeleteObject(bitmap);
    }
    if (memDC != nullptr)
        ::DeleteDC(memDC);
    ::ReleaseDC(main, windowDC);
    m_mediaPaths.Add(path);
    m_mediaThumbs.Add(thumb);
    return static_cast<int>(m_mediaPaths.GetSize()) - 1;
}

void CDornelDoc::AddVideoFile(const CString& path)
{
    MediaFileKind kind = MediaKindOfPath(path);
    HWND main = Host().GetMainWindow();
    HDC windowDC = ::GetDC(main);
    bool usable = false;
    bool tooLarge = false;
    if (kind == MEDIA_FILE_VIDEO) {
        int handle = GetMediaDecoders().FFmpegFileOpen(path, windowDC, 0, 0, 100, 100, 0, 0, 0, 0);
        if (handle >= 0)
            GetMediaDecoders().FFmpegFileClose(handle);
        usable = handle >= 0;
        tooLarge = handle == kVideoPictureTooLarge;
    } else {
        // An animation its library cannot open would give a program of no
        // frames that never plays: the user hears about it now instead.
        usable = (kind == MEDIA_FILE_SWF ? GetSwfFrameCount(windowDC, path) : GetTolFrameCount(windowDC, path)) > 0;
    }
    ::ReleaseDC(main, windowDC);
    if (!usable) {
        if (tooLarge)
            AfxMessageBox(LangText(L"HINT", 63,
                L"The pictures of this video are too large to play. A video can be at most 16384 pixels wide or "
                L"high, and at most 8192 x 4320 pixels."));
        else
            AfxMessageBox(kind == MEDIA_FILE_VIDEO ? LangText(L"HINT", 18, L"This video file cannot be opened.")
                                                   : LangText(L"HINT", 61, L"This animation file cannot be opened."));
        m_listSelector = 1;
        return;
    }
    int index = MediaThumbnailIndex(path);
    EffectEditorRequest request;
    request.dialogId = IDD_EDITOR_VIDEO;
    request.thumbnailIndex = index;
    OpenModeless(m_pVideoEditor, request, true);
}

void CDornelDoc::OnAddColorfulWords()
{
    if (IsEffectDialogOpen())
        return;
    StopPlayback();
    EffectEditorRequest request;
    request.dialogId = IDD_EDITOR_COLORFUL_WORDS;
    OpenModeless(m_pWordsEditor, request, true);
}

void CDornelDoc::OnAddImageShow()
{
    if (IsEffectDialogOpen())
        return;
    StopPlayback();
    CFileDialog dialog(
        TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kImageShowFileFilter);
    dialog.m_ofn.nMaxFile = kImageShowNameChars;
    if (dialog.DoModal() != IDOK) {
        m_listSelector = 1;
        return;
    }
    CStringArray files;
    POSITION pos = dialog.GetStartPosition();
    while (pos != nullptr)
        files.Add(dialog.GetNextPathName(pos));
    EffectEditorRequest request;
    request.dialogId = IDD_EDITOR_IMAGE_SHOW;
    request.imageFiles = &files;
    OpenModeless(m_pImageShowEditor, request, true);
}

void CDornelDoc::OnScreenCapture()
{
    CFileDialog dialog(FALSE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, L"Video Files(*.AVI)|*.avi||");
    if (dialog.DoModal() != IDOK)
        return;
    CString path = dialog.GetPathName();
    Host().MinimizeMainWindow();
    Host().RunScreenRecorder(path);
    Host().ShowMainWindowMaximized();
    DWORD attributes = ::GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        ImportCapturedVideo(path);
}

void CDornelDoc::ImportCapturedVideo(const CString& path)
{
    EnsureView();
    bool wasPlaying = m_playState == PLAY_PLAYING;
    StopPlayback();
    m_listSelector = 0;
    int index = MediaThumbnailIndex(path);
    Host().RunVideoEditorModal(index);
    StopPlayback();
    FreePreviewList();
    m_listSelector = 1;
    SendPanel(m_pViewPanel, WM_PROJECT_CHANGED, 1, 0);
    if (wasPlaying)
        OnPlay();
}

void CDornelDoc::OnShowMaker()
{
    Host().RunShowMaker();
    m_listSelector = 1;
}

void CDornelDoc::AddColorPlus()
{
    if (IsEffectDialogOpen())
        return;
    EffectEditorRequest request;
    request.dialogId = IDD_EDITOR_COLOR_PLUS;
    OpenModeless(m_pColorPlusEditor, request, true);
}

void CDornelDoc::OnAddFlickerStar()
{
    if (IsEffectDialogOpen())
        return;
    EffectEditorRequest request;
    request.dialogId = IDD_EDITOR_FLICKER_DOT;
    OpenModeless(m_pFlickerEditor, request, true);
}

void CDornelDoc::OnBuiltInEffects()
{
    if (IsEffectDialogOpen())
        return;
    if (m_pAnimationBrowser != nullptr) {
        m_listSelector = 0;
        m_pAnimationBrowser->BuildPreviewSegment();
        m_pAnimationBrowser->Show();
        m_pAnimationBrowser->LocalizeLabels();
        return;
    }
    // The browser adds nothing itself: the video import editor it hands its
    // file to makes the view the program goes into.
    EffectEditorRequest request;
    request.dialogId = IDD_EDITOR_ANI_PREVIEW;
    OpenModeless(m_pAnimationBrowser, request, false);
}

Program* CDornelDoc::SelectedProgram() const
{
    QvSegmentGourp* segment = GetSegment(m_currentSegment - 1);
    const NodeInfo* node = m_pSelectedNode;
    if (segment == nullptr || node == nullptr || node->m_kind != NODE_PROGRAM)
        return nullptr;
    ProgramView* view = GetSegmentView(node->m_parent - 1, segment);
    if (view == nullptr || node->m_index < 1 || node->m_index > view->m_programs.GetSize())
        return nullptr;
    return view->m_programs.GetAt(node->m_index - 1);
}

void CDornelDoc::OnUpdateEditMaterial(CCmdUI* pCmdUI)
{
    // Edit does something only for a selected program.
    pCmdUI->Enable(SelectedProgram() != nullptr);
}

void CDornelDoc::OnEditMaterial()
{
    if (IsEffectDialogOpen() || m_editSegment > 0)
        return;
    Program* program = SelectedProgram();
    if (program == nullptr)
        return;

    EffectEditorRequest request;
    request.editMode = TRUE;
    request.target = program;
    CEffectEditor** slot = nullptr;
    if (program->m_programType == PROGRAM_TYPE_MEDIA) {
        request.dialogId = IDD_EDITOR_VIDEO;
        slot = &m_pVideoEditor;
    } else if (program->IsKindOf(RUNTIME_CLASS(ProgramColorEffect))) {
        int style = static_cast<ProgramColorEffect*>(program)->m_style;
        request.style = style;
        if (style >= 21 && style <= 24) {
            if (IsEffectDialogOpen())
                return;
            request.dialogId = IDD_EDITOR_SCAN_LINE;
            slot = &m_pScanLineEditor;
        } else {
            request.dialogId = IDD_EDITOR_COLOR_EFFECT;
            slot = &m_pColourEffectEditor;
        }
    } else if (program->IsKindOf(RUNTIME_CLASS(ProgramColorEffectPlusArray))) {
        request.dialogId = IDD_EDITOR_COLOR_PLUS;
        slot = &m_pColorPlusEditor;
    } else if (program->m_programType == PROGRAM_TYPE_COLORFUL_WORDS) {
        if (IsEffectDialogOpen())
            return;
        request.dialogId = IDD_EDITOR_COLORFUL_WORDS;
        slot = &m_pWordsEditor;
    } else if (program->m_programType == PROGRAM_TYPE_IMAGE_SHOW) {
        request.dialogId = IDD_EDITOR_IMAGE_SHOW;
        slot = &m_pImageShowEditor;
    } else if (program->m_programType == PROGRAM_TYPE_FLICKER_STAR) {
        request.dialogId = IDD_EDITOR_FLICKER_DOT;
        slot = &m_pFlickerEditor;
    }
    if (slot == nullptr) {
        // Nothing changes for a program no editor makes; the user is told.
        AfxMessageBox(LangText(L"HINT", 62, L"This program kind has no editor."));
        return;
    }
    if (*slot != nullptr) {
        // An editor of that kind open beside (the image-show editor) is only
        // shown: it goes on with its own program, and no edit starts.
        OpenModeless(*slot, request, false);
        return;
    }
    m_editSegment = m_currentSegment;
    m_editDialogId = request.dialogId;
    StopPlayback();
    m_editedProgramKind = program->m_programType;
    OpenModeless(*slot, request, false);
}

void CDornelDoc::AddProgram(Program* program)
{
    if (Program* clone = CloneForProject(program)) {
        QvSegmentGourp* segment = nullptr;
        ProgramView* view = HandOverView(&segment);
        AddProgramToView(view->m_pNode, clone);
        RecountSegmentFrames(segment);
    }
    if (m_segments.GetSize() > 0) {
        Host().EnableFileMenuItem(ID_DOC_EXPORT_AVI, TRUE);
        if (!m_projectSettings.m_layoutFile.IsEmpty())
            Host().EnableFileMenuItem(ID_DOC_EXPORT_OFFLINE, TRUE);
    }
    NotifyPanel(m_pPropertyPanel);
    PostPanel(m_pViewPanel, WM_PROJECT_CHANGED, 1, 0);
    NotifyPanel(m_pTreePanel);
    SetModifiedFlag();
}

ProgramView* CDornelDoc::HandOverView(QvSegmentGourp** segmentOut)
{
    // The program goes into the current view. When there is none any more
    // (the tree lost the selection, or the view was deleted while the editor
    // was open) the user's work is not dropped: it gets a new view, in the
    // current segment when there is one, else in a new segment.
    QvSegmentGourp* segment = nullptr;
    ProgramView* view = CurrentView(&segment);
    if (view == nullptr) {
        segment = GetSegment(m_currentSegment - 1);
        if (segment == nullptr)
            segment = NewSegment(FALSE, FALSE);
        view = NewView(segment, FALSE);
        m_pCurrentViewNode = view->m_pNode;
    }
    *segmentOut = segment;
    return view;
}

bool CDornelDoc::ProgramIsInProject(const Program* program) const
{
    for (INT_PTR s = 0; s < m_segments.GetSize(); ++s) {
        const ProgramViewList& views = m_segments.GetAt(s)->m_views;
        for (INT_PTR v = 0; v < views.GetSize(); ++v) {
            const ProgramList& programs = views.GetAt(v)->m_programs;
            for (INT_PTR p = 0; p < programs.GetSize(); ++p) {
                if (programs.GetAt(p) == program)
                    return true;
            }
        }
    }
    return false;
}

void CDornelDoc::UpdateProgram(Program* workingCopy, Program* target)
{
    if (m_editSegment == -1 || m_editSegment > m_segments.GetSize())
        return;
    // The edited program may have been deleted from the tree while its
    // editor was open; never write into a freed program.
    if (workingCopy == nullptr || target == nullptr || !ProgramIsInProject(target))
        return;
    if (target->m_programType == PROGRAM_TYPE_MEDIA && target->IsKindOf(RUNTIME_CLASS(ProgramVideo))
        && workingCopy->IsKindOf(RUNTIME_CLASS(ProgramVideo))) {
        ProgramVideo::CopyFrom(static_cast<ProgramVideo*>(target), static_cast<ProgramVideo*>(workingCopy));
    } else if (target->IsKindOf(RUNTIME_CLASS(ProgramColorEffect))) {
        if (workingCopy->IsKindOf(RUNTIME_CLASS(ProgramColorEffect)))
            ProgramColorEffect::CopyFrom(
                static_cast<ProgramColorEffect*>(target), static_cast<ProgramColorEffect*>(workingCopy));
    } else if (target->IsKindOf(RUNTIME_CLASS(ProgramColorEffectPlusArray))) {
        if (workingCopy->IsKindOf(RUNTIME_CLASS(ProgramColorEffectPlusArray)))
            ProgramColorEffectPlusArray::CopyFrom(static_cast<ProgramColorEffectPlusArray*>(target),
                static_cast<ProgramColorEffectPlusArray*>(workingCopy));
    } else if (target->m_programType == PROGRAM_TYPE_COLORFUL_WORDS
        && target->IsKindOf(RUNTIME_CLASS(ProgramColorFulWords))
        && workingCopy->IsKindOf(RUNTIME_CLASS(ProgramColorFulWords))) {
        ProgramColorFulWords::CopyFrom(
            static_cast<ProgramColorFulWords*>(target), static_cast<ProgramColorFulWords*>(workingCopy));
    } else if (target->m_programType == PROGRAM_TYPE_IMAGE_SHOW && target->IsKindOf(RUNTIME_CLASS(ProgramImageShow))
        && workingCopy->IsKindOf(RUNTIME_CLASS(ProgramImageShow))) {
        ProgramImageShow::CopyFrom(static_cast<ProgramImageShow*>(target), static_cast<ProgramImageShow*>(workingCopy));
    } else if (target->m_programType == PROGRAM_TYPE_FLICKER_STAR && target->IsKindOf(RUNTIME_CLASS(CEFlickerStar))
        && workingCopy->IsKindOf(RUNTIME_CLASS(CEFlickerStar))) {
        CEFlickerStar::CopyFrom(static_cast<CEFlickerStar*>(target), static_cast<CEFlickerStar*>(workingCopy));
    }
    QvSegmentGourp* segment = GetSegment(m_editSegment - 1);
    ProgramView* view
        = m_pCurrentViewNode != nullptr ? GetSegmentView(m_pCurrentViewNode->m_index - 1, segment) : nullptr;
    if (segment != nullptr && view != nullptr) {
        RecountViewFrames(view);
        RecountSegmentFrames(segment);
        NotifyPanel(m_pPropertyPanel);
        PostPanel(m_pViewPanel, WM_PROJECT_CHANGED, 1, 0);
        SetModifiedFlag();
    }
}

void CDornelDoc::OnEffectDialogClosed(int dialogId)
{
    m_playState = PLAY_STOPPED;
    Host().StopPlay();
    DropEditor(dialogId);
    // The player showed the editor's preview; it counts the project again.
    SendPanel(m_pViewPanel, WM_PROJECT_CHANGED, 1, 0);
}

void CDornelDoc::DropEditor(int dialogId)
{
    CSingleLock lock(&m_mutex, TRUE);
    CEffectEditor** slot = nullptr;
    switch (dialogId) {
    case IDD_EDITOR_COLOR_EFFECT:
        slot = &m_pColourEffectEditor;
        break;
    case IDD_EDITOR_VIDEO:
        slot = &m_pVideoEditor;
        break;
    case IDD_EDITOR_COLORFUL_WORDS:
        slot = &m_pWordsEditor;
        break;
    case IDD_EDITOR_SCAN_LINE:
        slot = &m_pScanLineEditor;
        break;
    case IDD_EDITOR_IMAGE_SHOW:
        slot = &m_pImageShowEditor;
        break;
    case IDD_EDITOR_COLOR_PLUS:
        slot = &m_pColorPlusEditor;
        break;
    case IDD_EDITOR_FLICKER_DOT:
        slot = &m_pFlickerEditor;
        break;
    default:
        break;
    }
    if (slot != nullptr && *slot != nullptr) {
        FreePreviewList();
        // An editor beside the closing one keeps its edit.
        if (m_editDialogId == 0 || m_editDialogId == dialogId) {
            m_editSegment = -1;
            m_editDialogId = 0;
        }
        (*slot)->DestroyEditor();
        delete *slot;
        *slot = nullptr;
        m_listSelector = 1;
    }
    FreePreviewList();
    m_listSelector = 1;
}
