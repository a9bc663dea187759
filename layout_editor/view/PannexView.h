// CPannexView: the layout editor's only view. Holds the project settings of
// the layout, the view geometry (zoom, pan, client size), the edit mode and
// the state of the user's gestures; turns client pixels into grid cells and
// back, pans, resizes the layout and paints it (LayoutDraw.cpp).
#pragma once

#include <afxwin.h>

#include <functional>
#include <memory>
#include <vector>

#include "DxfImportDlg.h"
#include "LayoutPaintGeometry.h"
#include "LightBarTemplate.h"
#include "PannexMenus.h"
#include "PannexDoc.h"
#include "ProgressDlg.h"
#include "ProjLightBoxDlg.h"
#include "ProjSetDlg.h"
#include "ShowPointDlg.h"

// The list panel's arrangement options that steer a drop of the generated
// grid (CPannexView::DropTemplate).
struct GridDropOptions {
    int style = 1; // 1 down, 2 up, 3 right, 4 left: where the next port's grid goes
    int columnGap = 0;
    int rowGap = 0;
    bool repeat = false; // the following ports of the controller get the grid too
    bool toEnd = false; // ... the following ports up to the last of the layout
};

class CPannexView : public CView, public ILayoutDocView {
    DECLARE_DYNCREATE(CPannexView)
public:
    CPannexView();
    ~CPannexView() override;

    // --- ILayoutDocView ----------------------------------------------------
    CLayoutProjectSettings& GetLayoutSettings() override { return m_settings; }
    void ResizeLayout(int width, int height) override;
    void OnLayoutLoaded() override;

    // The layout model: the document's, or one attached without a document
    // (a view drawn off-screen).
    CLayoutData* GetModel() const;
    void AttachModel(CLayoutData* model) { m_pDetachedModel = model; }
    // The lamp in the current cell: its port (1-based) and index.
    bool LampAtCurrentCell(int& port, int& lamp) const;

    // --- Coordinates -------------------------------------------------------
    // The layout's pixel rectangle for a client size, zoom and pan.
    static CRect LayoutRectInClient(int clientWidth, int clientHeight, double zoom, CPoint pan);
    CRect LayoutRectInClient() const { return LayoutRectInClient(m_clientWidth, m_clientHeight, m_zoom, m_pan); }
    // The cell and normalised position under a client point, snapped to a
    // lamp within half a cell.
    CLPoint PointFromClient(CPoint client) const;
    // The layout's top-left cell that can be seen: the cell under the
    // client's corner, or the layout's own corner where the layout starts
    // further in (a layout smaller than the view lies centred in it).
    CLPoint FirstVisibleCell() const;
    // Pans so that the cell's centre lies under the client point.
    void PanToPoint(const CPoint& cell, CPoint client, bool moveCursor);
    // 1-based controller and port of a global port index.
    void BarToCardPort(int portIndex, int& controller, int& port) const;
    // One zoom step in (delta > 0) or out about a client point, keeping the
    // current cell under it.
    void ZoomAt(short delta, int x, int y);
    // Zoom step at a client point with the cursor marker drawn afterwards
    // whatever the grid alignment (PageUp and PageDown).
    void ZoomWithMarker(short delta, CPoint client);
    void SetEditMode(int mode);
    // The list panel chose a port: it becomes the current port, and in mode
    // 0 its lamps become the selection.
    void SelectBar(int port);
    void ShowTemplate(bool show);
    void Redraw();
    // The selection changed and nothing else: repaints from the pictures the
    // last full paint kept under the selection where it could keep them
    // (small zoom, no gesture under way), else in full.
    void RedrawSelection();

    // --- Drawing -------------------------------------------------------------
    void OnDraw(CDC* pDC) override;
    // Paints the whole client area off-screen and copies it to pDC; nothing
    // without a model.
    void DrawLayout(CDC* pDC);
    // DrawLayout's picture after a change of the selection alone, from the
    // pictures the last full paint kept where they still hold (true), else
    // by a full paint.
    bool DrawSelectionChange(CDC* pDC);
    // Whether full paints keep those pictures (they do unless told not to).
    void SetKeepSelectionBase(bool keep);
    // Where the last full paint wrote a port's label (client pixels);
    // nullptr when it left the label out.
    const CRect* PortLabelBox(int port) const;

    // --- DXF import and export (PannexViewDxf.cpp) -------------------------
    // Asks for the options and reads the drawing into the document's layout:
    // the view fits it, every port gets a random colour. The reader's result
    // (0 on success; -1 also when the options were cancelled).
    int ImportDxf(const CString& path);
    void OnImportDxf();
    void OnExportDxf();
    // Project set-up (PannexViewSetup.cpp).
    void OnProjectInfo();
    // Command 32792: the project settings again (nothing while locked).
    void OnProjectSettings();
    // The project settings dialog and what it sets up: at the view's start
    // (fromCommand false) a new set of empty ports - also on Cancel, then
    // with the settings the dialog was opened with; from the command the
    // ports and their lamps are kept, added or cut to the new controller
    // count. True when the ports were set up.
    bool SetupProject(bool fromCommand);
    // The light-box dialog and the lamp grid it fills the canvas with.
    bool SetupLightBoxProject();
    // Both dialogs live as long as the view: their lamp format rule depends
    // on the first OK of the view's life.
    CProjSetDlg m_projSetDlg;
    CProjLightBoxDlg m_lightBoxDlg;
    CStringArray m_controllerTypes;
    // The progress window, created on first use as a child of the view.
    CProgressDlg* GetProgressDlg();
    DxfImportOptions m_dxfOptions;

    // Releases the background picture.
    void ClearBackgroundImage();
    // Takes a picture (a copy is kept) as the background; false when it
    // cannot be copied.
    bool SetBackgroundImage(HBITMAP bitmap);

    // --- Editing (PannexViewMouse.cpp, PannexViewKeys.cpp) --------------------
    // The mouse and key handlers take the point from the message; tests call
    // them directly on a view without a window.
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnMButtonDown(UINT nFlags, CPoint point) { OnRButtonDown(nFlags, point); }
    void OnMButtonUp(UINT nFlags, CPoint point);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint screen);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnContextMenu(CWnd* pWnd, CPoint screen);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    // Runs the view's update handlers over a popup's items; items that no
    // handler of the view or the document takes are disabled.
    void UpdateMenuState(CMenu& menu);

    // Cells holding more than one lamp, while the overlap markers are shown.
    void FindOverlapCells();
    // After an edit: overlap cells, redraw, the panel's tree rebuilt and its
    // current port selected.
    void UpdateAfterEdit();
    // Asks the list panel to rebuild its tree (rebuild) and select the
    // current port.
    void NotifyTree(bool rebuild);
    // Writes a status bar pane (0: lamps under the press, 1: cursor cell).
    void SetStatusText(int pane, const CString& text);
    // The fast-wiring rectangle at a cell (mode 3). Returns the lamps added.
    int FillFastRectangle(const CLPoint& at);
    // Loads a picture file as the background (squeezed to 1920 x 1080 at
    // most); false when it cannot be read (the background is then empty).
    bool LoadBackgroundImage(const CString& path);
    // Angle in degrees from the centre to a cell, as the rotate tool takes it.
    static double AngleTo(const CLPoint& centre, const CLPoint& cell, bool aligned);
    // The measure tool's message for two cells.
    static CString MeasureText(const CLPoint& from, const CLPoint& to);

    // --- Copy, paste and the floating template (PannexViewClipboard.cpp,
    // PannexViewTemplate.cpp, PannexViewDrop.cpp) ----------------------------
    // Copies the selected lamps into the copy buffer, which then floats over
    // them; with cut the selection is deleted as one undo step.
    void CopySelection(bool cut);
    void OnEditCopy();
    void OnEditCut();
    // Pastes the copy buffer into the ports from `first` on: mode 0
    // overwrites, 1 appends, 2 interleaves (cross). Asks to append
    // controllers when the copy reaches beyond the last port.
    void PasteBars(int first, int mode);
    // Whether every lamp of the copy buffer lands on the model's grid when
    // pasted in the mode (0 overwrite, 1 append, 2 cross).
    bool CopyFitsGrid(const CLayoutData& model, int mode, const CLPoint& offset) const;
    // Saves the selected lamps as a template file.
    void OnSaveAsTemplate();
    // The template menu (322) over the floating template, and its commands.
    void ShowTemplateMenu(CPoint screen);
    void OnTemplateCommand(UINT id);
    // The position dialog's steps: the grid position (from 1) of reference
    // point r (0 to 8, reading order) of the copy, and moving the copy so
    // that this point lies at (X, Y).
    CPoint TemplateReferencePosition(int r) const;
    void PlaceTemplateReference(int r, int X, int Y);
    // Drops the generated grid of the model's floating buffer with its first
    // lamp at the cell, as the list panel's arrangement options say. Empties
    // the undo history. 0 when there is nothing to drop, else 1 (the caller
    // then leaves mode 2).
    int DropTemplate(bool messages, const CPoint& cell);
    int DropTemplate(bool messages, const CPoint& cell, const GridDropOptions& options);
    // The rulers dialog (32885).
    void OnRulers();
    // The coordinate tip (created at the first start when there is a window).
    void UpdateCoordinateTip(CPoint client);
    CShowPointDlg* GetCoordinateTip() { return m_coordinateTip.get(); }

    // Test hook: when set, a context menu is handed to it (with the screen
    // point) instead of being tracked as a popup.
    std::function<void(CMenu& menu, CPoint screen)> m_trackMenu;

    // --- Commands (PannexViewCommands.cpp, PannexViewTools.cpp) -------------
    void OnEditUndo();
    void OnEditRedo();
    void OnUpdateEditUndo(CCmdUI* pCmdUI);
    void OnUpdateEditRedo(CCmdUI* pCmdUI);
    void OnEditDelete();
    void OnEditPreview();
    void OnLampNumbers();
    void OnUpdateLampNumbers(CCmdUI* pCmdUI);
    void OnConnectionLines();
    void OnUpdateConnectionLines(CCmdUI* pCmdUI);
    void OnImportBackground();
    void OnDeleteBackground();
    void OnEditPort();
    void OnFinish();
    void OnUpdateNotYetAvailable(CCmdUI* pCmdUI);
    void OnInsert();
    void OnRotate();
    void OnStraighten();
    void OnMeasure();
    void OnOverlapPoints();
    void OnHideLamps();
    void OnShowLamps();
    void OnLayer();
    void OnReverseLamps();
    void OnChangeLampType();
    void OnUpdateSelectionTool(CCmdUI* pCmdUI);
    // The tools' steps on the model, without dialogs.
    int DuplicateSelectedLamps(int n);
    void SetSelectedMasked(BYTE masked);
    void SetSelectedLayer(int layer);
    void SetSelectedLampType(int typeIndex);
    void ReverseSelectedRuns();

    // --- State
    // -------------------------------------------------------------------------------------------------------------------------------
    CLayoutProjectSettings m_settings;
    BYTE m_wiringDirection = 0;
    BYTE m_wiringAlternation = 1;
    int m_currentPort = 0;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    int m_scaleToPage = 0;
    BYTE m_loadedFile = 0;
    CLightBarTemplate m_copyBuffer;
    BYTE m_templateShown = 0;
    CPoint m_pan { 0, 0 };
    double m_zoom = 1.0;
    double m_fitZoom = 1.0;
    BYTE m_dragRectShown = 0;
    int m_bkWidth = 0;
    int m_bkHeight = 0;
    int m_overlapMarkers = 0;
    std::vector<CPoint> m_overlapCells;
    int m_fastWidth = 50;
    int m_fastHeight = 50;
    CLPoint m_currentCell;
    CLPoint m_pressCell;
    CLPoint m_prevClickCell;
    int m_lampNumbers = 0;
    int m_connectionLines = 1;
    CRect m_dragRect { 0, 0, 0, 0 };
    CRect m_visibleCells { 0, 0, 0, 0 };
    BYTE m_editMode = 0;
    BYTE m_movingLamp = 0;
    BYTE m_insertArmed = 0;
    BYTE m_rotationArmed = 0;
    BYTE m_rotationRunning = 0;
    BYTE m_straightenArmed = 0;
    std::vector<CLPoint> m_rotationPreview;
    BYTE m_cursorMarkerShown = 0;
    BYTE m_rubberLineShown = 0;
    std::vector<CLPoint> m_previewBuffer;
    int m_previewCount = 0;

    // Gesture state.
    BYTE m_leftDown = 0;
    BYTE m_rightDown = 0;
    BYTE m_movedSinceRight = 0;
    CPoint m_lastPan { 0, 0 };
    CPoint m_lastMouse { 0, 0 }; // client point of the last mouse message
    CRect m_prevDragRect { 0, 0, 0, 0 };
    CPoint m_pressOrigin { 0, 0 };
    int m_hitPort = 0; // 1-based, 0 none
    int m_hitLamp = 0;
    BYTE m_templateHit = 0;
    BYTE m_shiftHeld = 0;
    BYTE m_ctrlHeld = 0;
    BYTE m_tabHeld = 0;
    BYTE m_startCorner = 0;
    BYTE m_rangeSelected = 0; // the last click made a Shift range selection
    // The fast-wiring rectangle of mode 3.
    int m_fastStyle = 1;
    int m_fastZOrder = 0;
    int m_fastFlip = 0;
    int m_fastLampsPerPort = 1024;
    // Tools.
    int m_insertPort = 0; // 1-based
    int m_insertLamp = 0;
    CLPoint m_rotationCentre;
    double m_rotationStartAngle = 0;
    CLPoint m_straightenAnchor;
    BYTE m_measureArmed = 0;
    int m_measureClicks = 0;
    CString m_statusText[2];
    CString m_backgroundPath;

protected:
    void OnInitialUpdate() override;
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    // The project set-up's common steps: the chosen controller type parsed
    // into ports and channels (LAYOUT 171 when it cannot be) and the ports
    // set up for that many controllers; then the panel, the edit mode,
    // random colours and the modified flag.
    bool SetUpPortsOfChosenType(CLayoutData& model, int controllers, bool fromCommand);
    void FinishSetup(CLayoutData& model, bool modified);
    // One zoom step; with marker the cursor marker is drawn afterwards.
    void ZoomStep(short delta, int x, int y, bool marker);
    // The XOR cursor marker on the current cell (grid-aligned square).
    void DrawCursorMarker();
    // The click selection of mode 0 at the current cell.
    void ClickSelect();
    // Loads a menu resource, relabels its first popup and shows it at the
    // screen point (or hands it to m_trackMenu); nothing while locked.
    void TrackViewMenu(UINT menuId, int (*localize)(HMENU, const LayoutTextFn&), CPoint screen);
    // The common part of the right and middle releases: which menu is due.
    enum class RightReleaseMenu { None, Context, Template };
    RightReleaseMenu FinishRightRelease(CPoint point);
    // The layout's top-left pixel at zoom z without pan.
    void PaintLayout(CDC& dc, CLayoutData& model);
    // Redraw and RedrawSelection: paints the window now.
    void RepaintNow(bool selectionOnly);
    // Parts of the paint (LayoutDraw.cpp): the geometry without the visible
    // cells, the selected ports' labels and their boxes, the connection
    // lines (of the ports within the cells, when given), and the selection,
    // mode overlays and rulers on top.
    LayoutPaintGeometry PaintGeometry() const;
    void PaintSelectedLabels(HDC dc, const CLayoutData& model) const;
    std::vector<CRect> SelectedLabelBoxes(const CLayoutData& model) const;
    // Where the port labels go in this paint (they must not cover one
    // another), kept for the selected ports' labels drawn over them.
    void PlacePortLabels(HDC dc, const CLayoutData& model, const LayoutPaintGeometry& g);
    void PaintConnectionLines(HDC dc, const CLayoutData& model, const LayoutPaintGeometry& g, const CRect* cells) const;
    void PaintTopLayers(HDC dc, CLayoutData& model, const LayoutPaintGeometry& g);
    // The kept pictures (LayoutDrawSelection.cpp): the layout's own picture,
    // or that with its connection lines, copied from the paint under way;
    // and the selected ports' labels put into a picture made from them.
    bool KeepSelectionBase(CDC& memDC, const CLayoutData& model, const LayoutPaintGeometry& g, bool withLines);
    void PutSelectedLabels(HDC dc, const CLayoutData& model, const LayoutPaintGeometry& g);
    struct SelectionBase;
    struct SelectionBaseDeleter {
        void operator()(SelectionBase* base) const;
    };
    std::unique_ptr<SelectionBase, SelectionBaseDeleter> m_selectionBase;
    bool m_keepSelectionBase = true;
    std::vector<CRect> m_portLabelBoxes; // by port index, from the last full paint

    CLayoutData* m_pDetachedModel = nullptr;
    std::unique_ptr<CProgressDlg> m_progressDlg;
    std::unique_ptr<CShowPointDlg> m_coordinateTip;
    HDC m_bkDC = nullptr;
    HBITMAP m_bkBitmap = nullptr;
    HGDIOBJ m_bkOldBitmap = nullptr;
};

// Gives every port of the model a random colour (each channel 35 to 254).
void AssignRandomPortColours(CLayoutData& model);

// Crops the layout to its lamps: shifts them to the top-left, fits the size
// to the largest cell and refits the view. Not undoable; marks the layout
// modified.
void CropLayoutToLamps(CPannexView& view, CLayoutData& model);
