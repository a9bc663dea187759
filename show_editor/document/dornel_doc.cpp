// The project document: construction and destruction, new, open and save,
// the window title, the panels and their notifications, playback and zoom.
#include "dornel_doc.h"

#include <afxdlgs.h>

#include <algorithm>

#include "program_video.h"
#include "project_file.h"

IMPLEMENT_DYNCREATE(CDornelDoc, CDocument)

BEGIN_MESSAGE_MAP(CDornelDoc, CDocument)
ON_COMMAND(ID_DOC_PLAY, OnPlay)
ON_COMMAND(ID_DOC_PAUSE, OnPause)
ON_COMMAND(ID_DOC_STOP, OnStop)
ON_COMMAND(ID_DOC_PREV_SEGMENT, OnPrevSegment)
ON_COMMAND(ID_DOC_NEXT_SEGMENT, OnNextSegment)
ON_COMMAND(ID_DOC_ZOOM_IN, ZoomIn)
ON_COMMAND(ID_DOC_ZOOM_OUT, ZoomOut)
ON_COMMAND(ID_DOC_ZOOM_RESET, OnZoomReset)
ON_COMMAND_RANGE(ID_DOC_TREE_MOVE_UP, ID_DOC_TREE_DELETE, OnTreeCommand)
ON_COMMAND(ID_DOC_MERGE_SAVE, OnMergeSave)
ON_COMMAND_RANGE(32859, 32864, OnColorEffect)
ON_COMMAND_RANGE(32866, 32866, OnColorEffect)
ON_COMMAND_RANGE(32868, 32869, OnColorEffect)
ON_COMMAND_RANGE(32871, 32873, OnColorEffect)
ON_COMMAND_RANGE(32875, 32882, OnColorEffect)
ON_COMMAND(ID_DOC_ADD_SCAN_LINE, OnScanLine)
ON_COMMAND(ID_DOC_ADD_VIDEO, OnAddVideo)
ON_COMMAND(ID_DOC_ADD_COLORFUL_WORDS, OnAddColorfulWords)
ON_COMMAND(ID_DOC_ADD_IMAGE_SHOW, OnAddImageShow)
ON_COMMAND(ID_DOC_SCREEN_CAPTURE, OnScreenCapture)
ON_COMMAND(ID_DOC_SHOW_MAKER, OnShowMaker)
ON_COMMAND(ID_DOC_ADD_COLOR_PLUS, AddColorPlus)
ON_COMMAND(ID_DOC_BUILT_IN_EFFECTS, OnBuiltInEffects)
ON_COMMAND(ID_DOC_ADD_FLICKER_STAR, OnAddFlickerStar)
ON_COMMAND(ID_DOC_EDIT_MATERIAL, OnEditMaterial)
ON_UPDATE_COMMAND_UI(ID_DOC_EDIT_MATERIAL, OnUpdateEditMaterial)
ON_COMMAND(ID_DOC_MOVE_UP, OnMoveNodeUp)
ON_COMMAND(ID_DOC_MOVE_DOWN, OnMoveNodeDown)
ON_COMMAND(ID_DOC_COPY_NODE, OnCopyNode)
ON_COMMAND(ID_DOC_PASTE_NODE, OnPasteNode)
ON_COMMAND(ID_DOC_DELETE_NODE, OnDeleteNode)
ON_COMMAND(ID_DOC_INSERT_SEGMENT, InsertSegmentAfterCurrent)
ON_COMMAND(ID_DOC_RENAME_NODE, RenameNode)
END_MESSAGE_MAP()

namespace {

// The file-name part of a path for the caption: after its last backslash,
// or the whole path when a backslash occurs only at its start or not at all.
CString CaptionFileName(const CString& path)
{
    int slash = path.ReverseFind(L'\\');
    return slash > 0 ? path.Mid(slash + 1) : path;
}

// Whether one of the class names is in the run-time class chain of object.
bool IsKindOfName(const CObject* object, const char* name)
{
    for (const CRuntimeClass* rc = object->GetRuntimeClass(); rc != nullptr; rc = rc->m_pBaseClass) {
        if (strcmp(rc->m_lpszClassName, name) == 0)
            return true;
    }
    return false;
}

void DeleteBitmaps(BitmapList& list)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        delete list.GetAt(i); // CBitmap deletes its GDI object
    list.RemoveAll();
}

void DeleteTemplates(ColorTemplateList& list)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        delete list.GetAt(i);
    list.RemoveAll();
}

void DeleteFileIfPresent(const CString& path)
{
    if (!path.IsEmpty() && ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES)
        ::DeleteFileW(path);
}

} // namespace

CDornelDoc::CDornelDoc()
    : m_pPixelMap(new PixPortMap)
    , m_pHost(&DefaultDornelDocHost())
{
}

CDornelDoc::~CDornelDoc()
{
    FreeLibraries();
    for (INT_PTR i = 0; i < m_pixels.GetSize(); ++i)
        delete m_pixels.GetAt(i);
    m_pixels.RemoveAll();
    DeleteBitmaps(m_mediaThumbs);
    DeleteBitmaps(m_stripThumbs);
    for (INT_PTR i = 0; i < m_colourStrips.GetSize(); ++i)
        delete m_colourStrips.GetAt(i);
    m_colourStrips.RemoveAll();
    for (INT_PTR i = 0; i < m_animationPreviews.GetSize(); ++i) {
        delete m_animationPreviews.GetAt(i)->m_pThumb;
        delete m_animationPreviews.GetAt(i);
    }
    m_animationPreviews.RemoveAll();
    FreeSegmentList();
    // An editor still open at the end is torn down with the document; its
    // programs live in the preview list, which it owns.
    CEffectEditor** editors[] = { &m_pWordsEditor, &m_pScanLineEditor, &m_pColourEffectEditor, &m_pVideoEditor,
        &m_pImageShowEditor, &m_pColorPlusEditor, &m_pFlickerEditor };
    for (CEffectEditor** slot : editors) {
        if (*slot != nullptr) {
            (*slot)->DestroyEditor();
            delete *slot;
            *slot = nullptr;
        }
    }
    FreePreviewList();
    DeleteFileIfPresent(m_projectSettings.m_layoutFile);
    DeleteFileIfPresent(m_pixPath);
    if (m_pAnimationBrowser != nullptr) {
        m_pAnimationBrowser->DestroyEditor();
        delete m_pAnimationBrowser;
        m_pAnimationBrowser = nullptr;
    }
    FreePixPortMap(*m_pPixelMap);
    delete m_pPixelMap;
}

void CDornelDoc::FreeLibraries()
{
    DeleteBitmaps(m_colourTemplateThumbs);
    DeleteTemplates(m_colourTemplates);
    DeleteTemplates(m_textureTemplates);
    DeleteBitmaps(m_textureTemplateThumbs);
    for (INT_PTR i = 0; i < m_templateFiles.GetSize(); ++i)
        delete m_templateFiles.GetAt(i);
    m_templateFiles.RemoveAll();
}

void CDornelDoc::SetHost(CDornelDocHost* host)
{
    m_pHost = host != nullptr ? host : &DefaultDornelDocHost();
}

CString CDornelDoc::LangText(LPCTSTR section, int key, LPCTSTR fallback)
{
    CString text = Host().GetLangText(section, key);
    if (text.IsEmpty() && fallback != nullptr)
        text = fallback;
    return text;
}

CString CDornelDoc::GetSaveModifiedPrompt(const CString& name)
{
    // Replaced, not formatted: a translation's other '%' signs stay text.
    CString prompt = Host().GetLangText(L"HINT", 72);
    if (prompt.Find(L"%s") < 0)
        return CDocument::GetSaveModifiedPrompt(name);
    prompt.Replace(L"%s", name);
    return prompt;
}

void CDornelDoc::StopPlayback()
{
    if (m_playState == PLAY_PLAYING) {
        m_playState = PLAY_STOPPED;
        Host().StopPlay();
    }
}

// ---------------------------------------------------------------------------
// New, open, save

void CDornelDoc::ResetForNewProject()
{
    ClearLayout();
    m_playState = PLAY_STOPPED;
    m_screen = 0;
    m_controllerCount = 0;
    m_currentSegment = -1;
    m_editedProgramKind = kNoEditedProgram;
    m_editSegment = -1;
    m_editDialogId = 0;
    m_projectPath.Empty();
    m_pSelectedNode = nullptr;
    m_pCurrentViewNode = nullptr;
    m_pSelectedProgram = nullptr;
    m_pCopySourceNode = nullptr;
    m_projectSettings.ResetToNewProject();
    FreeSegmentList();
    for (INT_PTR i = 0; i < m_pixels.GetSize(); ++i)
        delete m_pixels.GetAt(i);
    m_pixels.RemoveAll();
    m_zoomPercent = kDefaultZoom;
}

BOOL CDornelDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    ResetForNewProject();
    if (AllPanelsBound())
        RefreshPanels();
    return TRUE;
}

BOOL CDornelDoc::OnOpenDocument(LPCTSTR lpszPathName)
{
    CString path(lpszPathName);
    // A project named on the command line arrives before the panels exist;
    // BindPanels opens it later.
    if (m_pViewPanel == nullptr) {
        m_projectPath = path;
        return TRUE;
    }
    if (!CDocument::OnOpenDocument(lpszPathName))
        return FALSE;

    // The file is read into a list and settings of its own first: a project
    // that cannot be read leaves the open one (perhaps with unsaved edits)
    // exactly as it was, and the user is told.
    ProjSet loaded;
    loaded.m_layoutMask = m_projectSettings.m_layoutMask;
    SegmentList loadedSegments;
    LegacySegmentList legacy;
    const int version = ReadProjectFile(loadedSegments, path, loaded);
    if (version < 0) {
        CString text;
        text.Format(L"Failed to open document %s.", path.GetString());
        AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (version == 0)
        ReadLegacyProjectFile(legacy, path, loaded);

    // The new project's layout was unpacked over the files of the same name:
    // those are no longer the old project's and must not be deleted with it.
    const CString newPixPath = loaded.m_layoutFile.IsEmpty() ? CString() : PixPathOfLayout(loaded.m_layoutFile);
    if (!loaded.m_layoutFile.IsEmpty() && m_projectSettings.m_layoutFile.CompareNoCase(loaded.m_layoutFile) == 0)
        m_projectSettings.m_layoutFile.Empty();
    if (!newPixPath.IsEmpty() && m_pixPath.CompareNoCase(newPixPath) == 0)
        m_pixPath.Empty();
    ResetForNewProject();
    m_projectPath = path;
    m_opening = 1;
    m_projectSettings.CopyFrom(loaded);
    m_segments.Append(loadedSegments);
    loadedSegments.RemoveAll();
    if (version == 0) {
        m_projectSettings.m_totalFrames = 0;
        m_projectSettings.m_playFrames = 0;
        ConvertLegacySegments(this, legacy);
        FreeLegacySegments(legacy);
    }

    SetCaption(path, TRUE, Host().GetProductTitle());

    Host().SetMainFrameFourColorMode(m_projectSettings.m_colorMode);
    Host().SetFourColor(Host().GetMainFrameScreen(), m_projectSettings.m_colorMode, 0);
    Host().LoadHardwareRecord(m_projectSettings.m_hardwareRecord);

    if (static_cast<unsigned>(m_projectSettings.m_playFrames) > static_cast<unsigned>(m_projectSettings.m_totalFrames))
        m_projectSettings.m_playFrames = m_projectSettings.m_totalFrames;

    if (AllPanelsBound()) {
        RefreshPanels();
        RenderOpenThumbnails();
        if (!m_projectSettings.m_layoutFile.IsEmpty()) {
            Host().ApplyLayoutFile(m_projectSettings.m_layoutFile);
            Host().EnableFileMenuItem(ID_DOC_EXPORT_AVI, TRUE);
        }
        if (m_segments.GetSize() > 0)
            Host().EnableFileMenuItem(ID_DOC_EXPORT_AVI, TRUE);
    }
    return TRUE;
}

void CDornelDoc::RenderOpenThumbnails()
{
    for (INT_PTR s = 0; s < m_segments.GetSize(); ++s) {
        QvSegmentGourp* segment = m_segments.GetAt(s);
        for (INT_PTR v = 0; v < segment->m_views.GetSize(); ++v) {
            ProgramView* view = segment->m_views.GetAt(v);
            for (INT_PTR p = 0; p < view->m_programs.GetSize(); ++p) {
                Program* program = view->m_programs.GetAt(p);
                if (program->m_programType == PROGRAM_TYPE_MEDIA && program->IsKindOf(RUNTIME_CLASS(ProgramVideo)))
                    MediaThumbnailIndex(static_cast<ProgramVideo*>(program)->m_filePath);
            }
        }
    }
}

BOOL CDornelDoc::OnSaveDocument(LPCTSTR lpszPathName)
{
    CString path(lpszPathName);
    StopPlayback();
    Host().SaveHardwareRecord(m_projectSettings.m_hardwareRecord);
    // A failed write leaves the project modified and says so, rather than
    // claiming a save that did not happen.
    if (!WriteProjectFile(m_segments, path, m_projectSettings)) {
        CString text;
        text.Format(L"Failed to save document %s.", path.GetString());
        AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    SetCaption(path, FALSE, L"Vantrel");
    m_projectPath = path;
    return TRUE;
}

void CDornelDoc::OnMergeSave()
{
    CFileDialog dialog(
        FALSE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, L"Vantrel Project (*.LEDX)|*.LEDX||");
    if (dialog.DoModal() != IDOK)
        return;
    CString path = dialog.GetPathName();
    // "show.ledx" already names a project file: the extension is compared
    // without regard to case.
    CString upper = path;
    upper.MakeUpper();
    if (upper.Find(L".LEDX") < 1)
        path += L".LEDX";
    int previous = m_projectSettings.m_withResource;
    m_projectSettings.m_withResource = 1;
    if (!OnSaveDocument(path)) {
        m_projectSettings.m_withResource = previous;
        return;
    }
    SetPathName(path, TRUE);
}

void CDornelDoc::SetCaption(const CString& path, BOOL onlyWhenVisible, const CString& productTitle)
{
    if (onlyWhenVisible && !Host().IsMainWindowVisible())
        return;
    CString caption = CaptionFileName(path);
    if (m_projectSettings.m_withResource != 0)
        caption += L"(" + LangText(L"ITEM_TITLE", 280, L"合并素材") + L")";
    caption += L"-";
    caption += productTitle;
    Host().SetMainWindowCaption(caption);
}

void CDornelDoc::RefreshWindowTitle()
{
    if (m_projectPath.IsEmpty())
        return;
    SetCaption(m_projectPath, TRUE, L"Vantrel");
}

// ---------------------------------------------------------------------------
// Panels

BOOL CDornelDoc::AllPanelsBound() const
{
    return m_pViewPanel != nullptr && m_pTreePanel != nullptr && m_pPropertyPanel != nullptr;
}

LRESULT CDornelDoc::SendPanel(CWnd* panel, UINT message, WPARAM wParam, LPARAM lParam)
{
    DocPanel which = panel == m_pTreePanel ? DOC_PANEL_TREE
        : panel == m_pPropertyPanel        ? DOC_PANEL_PROPERTY
                                           : DOC_PANEL_VIEW;
    return Host().SendPanelMessage(which, panel, message, wParam, lParam);
}

void CDornelDoc::PostPanel(CWnd* panel, UINT message, WPARAM wParam, LPARAM lParam)
{
    DocPanel which = panel == m_pTreePanel ? DOC_PANEL_TREE
        : panel == m_pPropertyPanel        ? DOC_PANEL_PROPERTY
                                           : DOC_PANEL_VIEW;
    Host().PostPanelMessage(which, panel, message, wParam, lParam);
}

void CDornelDoc::BindPanels()
{
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr) {
        CView* view = GetNextView(pos);
        if (IsKindOfName(view, "CViewpanel"))
            m_pViewPanel = view;
        else if (IsKindOfName(view, "CManagerPanel"))
            m_pTreePanel = view;
        else if (IsKindOfName(view, "CPropertypanel"))
            m_pPropertyPanel = view;
    }
    if (m_pViewPanel != nullptr && !m_projectPath.IsEmpty())
        OnOpenDocument(m_projectPath);
}

void CDornelDoc::RefreshPanels()
{
    SendPanel(m_pTreePanel, WM_PROJECT_CHANGED, 0, 0);
    SendPanel(m_pViewPanel, WM_PROJECT_CHANGED, 0, 0);
    WPARAM segment = (m_currentSegment <= 0 && m_editedProgramKind == kNoEditedProgram) ? 0 : m_currentSegment;
    SendPanel(m_pPropertyPanel, WM_PROJECT_CHANGED, segment, 0);
}

void CDornelDoc::NotifyPanel(CWnd* panel)
{
    if (panel != nullptr && panel == m_pPropertyPanel) {
        if (m_editedProgramKind == kNoEditedProgram)
            SendPanel(panel, WM_PROJECT_CHANGED, m_currentSegment > 0 ? m_currentSegment : 0, kNoEditedProgram);
        else
            SendPanel(panel, WM_PROJECT_CHANGED, m_currentSegment, m_editedProgramKind);
        return;
    }
    SendPanel(panel, WM_PROJECT_CHANGED, 0, 0);
}

void CDornelDoc::BroadcastLanguageChanged()
{
    PostPanel(m_pTreePanel, WM_LANGUAGE_CHANGED, 0, 0);
    PostPanel(m_pViewPanel, WM_LANGUAGE_CHANGED, 0, 0);
    PostPanel(m_pPropertyPanel, WM_LANGUAGE_CHANGED, 0, 0);
}

void CDornelDoc::NotifySegmentPlaying(int segmentNumber)
{
    if (m_listSelector == 1)
        PostPanel(m_pTreePanel, WM_SELECT_SEGMENT, segmentNumber, 0);
}

// ---------------------------------------------------------------------------
// Playback and zoom

void CDornelDoc::OnPlay()
{
    ProjSet* settings = GetActiveProjSet();
    if (GetActiveSegments().GetSize() == 0 || settings->m_playFrames == 0)
        return;
    if (m_playState == PLAY_PAUSED || m_playState == PLAY_STOPPED) {
        m_playState = PLAY_PLAYING;
        Host().StartPlay();
    }
}

void CDornelDoc::OnPause()
{
    if (m_playState == PLAY_PLAYING) {
        m_playState = PLAY_PAUSED;
        Host().PausePlay();
    }
}

void CDornelDoc::OnStop()
{
    m_playState = PLAY_STOPPED;
    Host().StopPlay();
}

void CDornelDoc::OnPrevSegment()
{
    if (m_playState == PLAY_PLAYING)
        Host().PrevSegment();
}

void CDornelDoc::OnNextSegment()
{
    if (m_playState == PLAY_PLAYING)
        Host().NextSegment();
}

void CDornelDoc::SetZoomLocked(unsigned zoom, int subCommand)
{
    {
        CSingleLock lock(&m_mutex, TRUE);
        m_zoomPercent = zoom;
    }
    SendPanel(m_pViewPanel, WM_CANVAS_COMMAND, subCommand, zoom);
}

void CDornelDoc::ZoomIn()
{
    unsigned zoom;
    {
        CSingleLock lock(&m_mutex, TRUE);
        if (m_zoomPercent >= kMaxZoom)
            return;
        // A zoom set from the list may lie between the steps: never beyond the top.
        zoom = m_zoomPercent == kMinZoom ? 100 : std::min(m_zoomPercent + 100, kMaxZoom);
        m_zoomPercent = zoom;
    }
    SendPanel(m_pViewPanel, WM_CANVAS_COMMAND, CANVAS_ZOOM_STEP, zoom);
}

void CDornelDoc::ZoomOut()
{
    unsigned zoom;
    {
        CSingleLock lock(&m_mutex, TRUE);
        if (m_zoomPercent <= kMinZoom)
            return;
        zoom = m_zoomPercent == 100 ? kMinZoom : m_zoomPercent - 100;
        m_zoomPercent = zoom;
    }
    SendPanel(m_pViewPanel, WM_CANVAS_COMMAND, CANVAS_ZOOM_STEP, zoom);
}

void CDornelDoc::OnZoomReset()
{
    bool thin = m_projectSettings.m_width < 2 || m_projectSettings.m_height < 2;
    SetZoomLocked(thin ? 1200 : kDefaultZoom, CANVAS_ZOOM_CENTRE);
}

void CDornelDoc::SetZoom(const unsigned* zoomPercent)
{
    if (zoomPercent != nullptr)
        SetZoomLocked(*zoomPercent, CANVAS_ZOOM_CENTRE);
}

void CDornelDoc::OnTreeCommand(UINT) { }
