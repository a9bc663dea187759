// CDornelDoc: the single project document of the show editor. It owns the
// show (the project segment list with its settings, and the preview list
// that an open effect editor fills), the template and thumbnail libraries,
// the layout's pixels, the open effect editor and the mutex that guards what
// the frame engine reads. Panels, editors, the main frame and the libraries
// are reached through its host (dornel_doc_host.h).
//
// The document's code is split by concern: life cycle, playback, zoom,
// layout and project settings (dornel_doc.cpp, dornel_doc_settings.cpp),
// frame counting and freeing (dornel_doc_frames.cpp), the content commands
// and editor hand-over (dornel_doc_content.cpp), the tree operations
// (dornel_doc_tree.cpp, dornel_doc_tree_edit.cpp), the segment, view and
// program properties and rectangles (dornel_doc_properties.cpp) and the
// conversion of older projects (dornel_doc_legacy.cpp).
#pragma once

#include <afxmt.h>
#include <afxwin.h>

#include "color_template.h"
#include "dornel_doc_host.h"
#include "legacy_project_reader.h"
#include "pix_map.h"
#include "proj_set.h"
#include "segment.h"
#include "show_messages.h"

class ProgramColorEffectPlusArray;
struct S_AniPreView;

using PixPointList = CTypedPtrArray<CPtrArray, S_PixPoint*>;
using BitmapList = CTypedPtrArray<CPtrArray, CBitmap*>;
using ColorTemplateArrayExList = CTypedPtrArray<CPtrArray, ColorTemplateArrayEx*>;
using ColorTemplateArrayPtrList = CTypedPtrArray<CPtrArray, ColorTemplateArray*>;
using AniPreviewList = CTypedPtrArray<CPtrArray, S_AniPreView*>;

// One entry of the animation library: its thumbnail and file.
struct S_AniPreView {
    CBitmap* m_pThumb = nullptr; // owned
    CString m_path;
};

// Play states.
enum PlayState {
    PLAY_PLAYING = 0,
    PLAY_PAUSED = 1,
    PLAY_STOPPED = 2,
};

constexpr int kNoEditedProgram = 4; // editedProgramKind when no edit is going on
constexpr unsigned kDefaultZoom = 400;
constexpr unsigned kMinZoom = 50;
constexpr unsigned kMaxZoom = 1900;

class CDornelDoc : public CDocument {
    DECLARE_DYNCREATE(CDornelDoc)

public:
    CDornelDoc();
    ~CDornelDoc() override;

    // The surroundings (null restores the default host).
    void SetHost(CDornelDocHost* host);
    CDornelDocHost& Host() const { return *m_pHost; }

    // Life cycle.
    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    BOOL OnSaveDocument(LPCTSTR lpszPathName) override;
    // The framework's save question in the program's language.
    CString GetSaveModifiedPrompt(const CString& name) override;
    void OnMergeSave();
    void RefreshWindowTitle();

    // Panels and notifications.
    void BindPanels();
    void RefreshPanels();
    void NotifyPanel(CWnd* panel);
    void BroadcastLanguageChanged();
    void NotifySegmentPlaying(int segmentNumber);

    // Playback and zoom commands.
    void OnPlay();
    void OnPause();
    void OnStop();
    void OnPrevSegment();
    void OnNextSegment();
    void ZoomIn();
    void ZoomOut();
    void OnZoomReset();
    void SetZoom(const unsigned* zoomPercent);

    // Layout, output and project settings.
    ProjSet* GetActiveProjSet();
    SegmentList& GetActiveSegments();
    void ClearLayout();
    void SetLayoutFile(const CString& path);
    void LoadLayoutPixels(const CString& pixPath);
    void ExportAvi();
    void StartOfflineRecording();
    void SetOfflineFolder(const CString& folder);
    CString GetOfflineFolder() const { return m_offlineFolder; }
    void SetOfflinePassword(const CString& password, int enabled);
    // value: the text of ids 1 to 27; flag: the boolean of id 77.
    int OnProjectPropertyChanged(int id, const CString& value, BOOL flag = FALSE);
    int SetProjectWidth(int value);
    int SetProjectHeight(int value);

    // Frame counting and freeing.
    void RecountViewFrames(ProgramView* view);
    void RecountSegmentFrames(QvSegmentGourp* segment);
    int DeleteProgram(Program* program);
    void FreeSegmentList();
    void FreePreviewList();

    // Content commands and the editors' hand-over.
    void AddColorEffect(int style, BOOL skipChooser);
    void OnAddVideo();
    void AddVideoFile(const CString& path);
    void OnAddColorfulWords();
    void OnAddImageShow();
    void OnScreenCapture();
    void ImportCapturedVideo(const CString& path);
    void OnShowMaker();
    void AddColorPlus();
    void OnBuiltInEffects();
    void OnAddFlickerStar();
    void OnEditMaterial();
    // The selected program of the current segment, or null.
    Program* SelectedProgram() const;
    void OnUpdateEditMaterial(CCmdUI* pCmdUI);
    bool IsEffectDialogOpen();
    void AddProgram(Program* program);
    void UpdateProgram(Program* workingCopy, Program* target);
    void OnEffectDialogClosed(int dialogId);
    // The media thumbnail index of path, rendering one for a new path.
    int MediaThumbnailIndex(const CString& path);

    // Tree building blocks.
    QvSegmentGourp* GetSegment(int index) const;
    static ProgramView* GetSegmentView(int index, QvSegmentGourp* segment);
    QvSegmentGourp* NewSegment(BOOL addView, BOOL notify);
    ProgramView* NewView(QvSegmentGourp* segment, BOOL notify);
    int AddProgramToView(NodeInfo* viewNode, Program* program);
    void SelectNode(NodeInfo* node);

    // Tree commands.
    void OnMoveNodeUp();
    void OnMoveNodeDown();
    void OnCopyNode();
    void OnPasteNode();
    void OnDeleteNode();
    void InsertSegmentAfterCurrent();
    void RenameNode();
    void SetNodeName(int pageKind, const CString& name);
    void DeleteSegmentAt(int index);
    void DeleteViewAt(QvSegmentGourp* segment, int index, BOOL confirm);
    void DeleteProgramAt(ProgramView* view, int index, BOOL confirm);

    // Segment, view and program properties.
    int OnSegmentPropertyChanged(int id, int value, const CString& text);
    // value: integer ids; realValue: id 95.
    int OnViewPropertyChanged(int id, int value, double realValue = 0.0);
    int SetViewShowTime(QvSegmentGourp* segment, ProgramView* view, double seconds);
    int SetViewTimeBase(QvSegmentGourp* segment, ProgramView* view, BOOL flag);
    void SetViewTransparentMode(int mode);
    void SetViewTransparency(BYTE value);
    void SetViewRepeatCount(int count);
    void SetViewAreaLocked(BYTE value);
    int OnProgramPropertyChanged(int segmentNumber, int id, const CString& value);
    void EditSegmentTimeTrigger(int trigger);
    int ApplyFourColorMode(int index, BYTE segmentWhiteValue);
    // Re-fits the scan lines to a new project width or height.
    void RefitScanLines();

    // Rectangles.
    static void ProjectRectToCanvas(unsigned zoom, const CRect& project, CRect& canvas, int layoutType, int dotGap);
    void RecomputeViewCanvasRects();
    void ApplyTrackedViewRect(const CRect& canvas, int handleCode);
    void ShowTrackedRectText(const CRect& canvas);
    void GetCurrentViewRect(CRect& rect);
    void ReleaseViewBuffers();

    // Older project files.
    static void ConvertLegacySegments(CDornelDoc* doc, LegacySegmentList& legacy);
    static void FreeLegacySegments(LegacySegmentList& legacy);

    // Members (see the document's description for each).
    CWnd* m_pViewPanel = nullptr;
    CWnd* m_pTreePanel = nullptr;
    CWnd* m_pPropertyPanel = nullptr;
    CEffectEditor* m_pWordsEditor = nullptr;
    CEffectEditor* m_pScanLineEditor = nullptr;
    CEffectEditor* m_pColourEffectEditor = nullptr;
    CEffectEditor* m_pVideoEditor = nullptr;
    CEffectEditor* m_pImageShowEditor = nullptr;
    CEffectEditor* m_pColorPlusEditor = nullptr;
    CEffectEditor* m_pAnimationBrowser = nullptr;
    CEffectEditor* m_pFlickerEditor = nullptr;
    int m_playState = PLAY_STOPPED;
    unsigned m_zoomPercent = kDefaultZoom;
    CMutex m_mutex;
    int m_currentSegment = -1;
    int m_editedProgramKind = kNoEditedProgram;
    int m_editSegment = -1;
    // The dialog identifier of the editor that holds the edit under way (0
    // none): editors open side by side, and only this one's close ends it.
    int m_editDialogId = 0;
    int m_screen = 0;
    CString m_offlineFolder;
    int m_opening = 0;
    int m_listSelector = 2;
    CString m_projectPath;
    SegmentList m_segments;
    ProjSet m_projectSettings;
    SegmentList m_previewSegments;
    ProjSet m_previewSettings;
    ColorTemplateList m_colourTemplates;
    BitmapList m_colourTemplateThumbs;
    BitmapList m_mediaThumbs;
    PixPointList m_pixels;
    int m_controllerCount = 0;
    CStringArray m_mediaPaths;
    CString m_pixPath;
    BitmapList m_stripThumbs;
    ColorTemplateArrayExList m_colourStrips;
    AniPreviewList m_animationPreviews;
    PixPortMap* m_pPixelMap;
    int m_maxPixelsPerPort = 0;
    ColorTemplateList m_textureTemplates;
    BitmapList m_textureTemplateThumbs;
    ColorTemplateArrayPtrList m_templateFiles;
    NodeInfo* m_pSelectedNode = nullptr;
    NodeInfo* m_pCurrentViewNode = nullptr;
    Program* m_pSelectedProgram = nullptr;
    int m_dotGap = 0;
    NodeInfo* m_pCopySourceNode = nullptr;
    int m_copySourceSegment = 0;
    int m_aviPerSegment = 0;
    int m_regionEditing = 0;
    int m_filePerSegment = 1;
    int m_offlineEncryption = 0;
    char m_offlinePassword[4] = {};
    int m_fileSizeLimit = 1;
    int m_offlineFileCounter = 0;

protected:
    DECLARE_MESSAGE_MAP()

private:
    void StopPlayback();
    void ResetForNewProject();
    void SetCaption(const CString& path, BOOL onlyWhenVisible, const CString& productTitle);
    CString LangText(LPCTSTR section, int key, LPCTSTR fallback);
    LRESULT SendPanel(CWnd* panel, UINT message, WPARAM wParam, LPARAM lParam);
    void PostPanel(CWnd* panel, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL AllPanelsBound() const;
    void RenderOpenThumbnails();
    void RebindFixtureScanItems();
    void SetZoomLocked(unsigned zoom, int subCommand);
    // Destroys the editor of the dialog id (when open) and drops the
    // preview list, under the mutex.
    void DropEditor(int dialogId);
    void EnsureView();
    // Shows the open editor of the slot, or makes one (first ensuring a view
    // when asked); false, with the project list active again, when none
    // could be made.
    bool OpenModeless(CEffectEditor*& slot, EffectEditorRequest request, bool ensureView);
    void CentreEditor(CEffectEditor* editor);
    bool ProgramIsInProject(const Program* program) const;
    // The view a handed-over program goes into, made when there is none.
    ProgramView* HandOverView(QvSegmentGourp** segment);
    Program* CloneForProject(const Program* program) const;
    void RenumberSegments();
    void MoveNode(int step);
    ProgramView* CurrentView(QvSegmentGourp** segment = nullptr);
    void SetViewStatusText(const CRect& project);
    BOOL ConfirmDelete(const NodeInfo* node);
    void CopyViewInto(QvSegmentGourp* target, ProgramView* source);
    void FreeLibraries();

    // Commands of the message map that carry a fixed argument.
    void OnColorEffect(UINT id);
    void OnScanLine();
    void OnTreeCommand(UINT id);

    CDornelDocHost* m_pHost;
};

// Frees a list's segments as FreeSegmentList does, always releasing the
// views' frame buffers; programs are freed with them unless keepPrograms.
void FreeSegmentsAndBuffers(SegmentList& list, bool releaseBuffers, bool keepPrograms);
