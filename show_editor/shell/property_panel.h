// CPropertypanel: the property panel, the lower pane of the main window's
// left column. One property grid with four groups (project, segment, view
// and material) that it fills from the document for the node the project
// tree shows; edited values are checked here and handed to the document's
// setters with the row's property id. The panel never changes the model
// itself, except that it names programs that have no name yet.
#pragma once

#include <afxpropertygridctrl.h>
#include <afxwin.h>

#include "panel_common.h"
#include "property_rows.h"

class CDornelDoc;
class ProjSet;
struct NodeInfo;

// Property ids: the user-data word of each row, passed to the document.
enum PropertyId {
    PROP_PROJECT_WIDTH = 1,
    PROP_PROJECT_HEIGHT = 2,
    PROP_FRAME_RATE = 3,
    PROP_TOTAL_FRAMES = 4,
    PROP_DOT_STYLE = 5,
    PROP_BACKGROUND_IMAGE = 6,
    PROP_SEGMENT_NAME = 9,
    PROP_SEGMENT_FRAMES = 10,
    PROP_TIMED_PLAY = 11,
    PROP_MATERIAL_GROUP = 12,
    PROP_PROGRAM_NAME = 13,
    PROP_PASS_FRAMES = 14,
    PROP_H_TILES = 15,
    PROP_V_TILES = 16,
    PROP_START_FRAME = 17,
    PROP_END_FRAME = 18,
    PROP_START_SPEED = 19,
    PROP_END_SPEED = 20,
    PROP_PLAYED_FRAMES = 27,
    PROP_VIEW_X = 52,
    PROP_VIEW_Y = 53,
    PROP_VIEW_WIDTH = 54,
    PROP_VIEW_HEIGHT = 55,
    PROP_VIEW_NAME = 68,
    PROP_VIEW_BACKGROUND = 69,
    PROP_TRANSPARENCY = 70,
    PROP_LOCK = 71,
    PROP_PLAY_COUNT = 76,
    PROP_WIRING_MASK = 77,
    PROP_FULL_SIZE = 80,
    PROP_FOUR_COLOR = 91,
    PROP_WHITE_VALUE = 92,
    PROP_BRIGHTNESS = 93,
    PROP_TIME_BASE = 94,
    PROP_SHOW_TIME = 95,
};

class CPropertypanel : public CView {
    DECLARE_DYNCREATE(CPropertypanel)

public:
    CPropertypanel();
    ~CPropertypanel() override;

    void OnDraw(CDC*) override { }
    CDornelDoc* GetDornelDoc() const;

    // The pages.
    void OnShowProperties(NodeInfo* node);
    void ShowProjectPage();
    void ShowSegmentPage(int segmentNumber);
    void ShowViewPage(int segmentNumber, int viewIndex);
    void ShowProgramPage(int viewIndex, int programIndex);
    void EnableRangeRows();
    void DisableRangeRows();
    void LocalizeProperties();
    // Checks an edited row and hands it to the document.
    void OnPropertyChanged(CMFCPropertyGridProperty* prop);

    CMFCPropertyGridCtrl& GetGrid() { return m_grid; }
    CPanelTitleBar& GetTitleBar() { return m_titleBar; }
    // The row with the given property id (the first one; groups excluded).
    CMFCPropertyGridProperty* FindRow(int id) const;

    // Groups and rows (owned by the grid).
    CPropGroup* m_projectGroup = nullptr;
    CPropGroup* m_segmentGroup = nullptr;
    CPropGroup* m_viewGroup = nullptr;
    CPropGroup* m_materialGroup = nullptr;
    CMFCPropertyGridProperty* m_width = nullptr;
    CMFCPropertyGridProperty* m_height = nullptr;
    CMFCPropertyGridProperty* m_frameRate = nullptr;
    CMFCPropertyGridProperty* m_totalFrames = nullptr;
    CMFCPropertyGridProperty* m_playedFrames = nullptr;
    CMFCPropertyGridProperty* m_dotStyle = nullptr;
    QvCheckedProperty* m_wiringMask = nullptr;
    CMFCPropertyGridFileProperty* m_background = nullptr;
    CMFCPropertyGridProperty* m_segmentName = nullptr;
    CMFCPropertyGridProperty* m_segmentFrames = nullptr;
    CCTimeTrigerProp* m_timedPlay = nullptr;
    CMFCPropertyGridProperty* m_fourColor = nullptr;
    CMFCPropertyGridProperty* m_whiteValue = nullptr;
    CMFCPropertyGridProperty* m_viewName = nullptr;
    CMFCPropertyGridProperty* m_viewX = nullptr;
    CMFCPropertyGridProperty* m_viewY = nullptr;
    CMFCPropertyGridProperty* m_viewWidth = nullptr;
    CMFCPropertyGridProperty* m_viewHeight = nullptr;
    CMFCPropertyGridProperty* m_transparency = nullptr;
    CMFCPropertyGridProperty* m_viewBackground = nullptr;
    CMFCPropertyGridProperty* m_brightness = nullptr;
    QvCheckedProperty* m_lock = nullptr;
    QvCheckedProperty* m_fullSize = nullptr;
    CMFCPropertyGridProperty* m_playCount = nullptr;
    CMFCPropertyGridProperty* m_showTime = nullptr;
    QvCheckedProperty* m_timeBase = nullptr;
    CMFCPropertyGridProperty* m_programName = nullptr;
    CMFCPropertyGridProperty* m_passFrames = nullptr;
    CMFCPropertyGridProperty* m_hTiles = nullptr;
    CMFCPropertyGridProperty* m_vTiles = nullptr;
    CMFCPropertyGridProperty* m_startFrame = nullptr;
    CMFCPropertyGridProperty* m_endFrame = nullptr;
    CMFCPropertyGridProperty* m_startSpeed = nullptr;
    CMFCPropertyGridProperty* m_endSpeed = nullptr;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT OnGridPropertyChanged(WPARAM, LPARAM lParam);
    LRESULT OnShowPropertiesMessage(WPARAM, LPARAM lParam);
    LRESULT OnProjectChanged(WPARAM, LPARAM);
    LRESULT OnViewTimingChanged(WPARAM, LPARAM lParam);
    LRESULT OnLanguageChanged(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    BOOL BuildPropertyGrid();
    void HideNodeGroupsWhenSelected();
    // The node of the last page shown is still the selected node of the
    // project.
    bool IsShownNodeSelected() const;
    void ShowOption(CMFCPropertyGridProperty* row, int index);
    void ChangeOptions(CMFCPropertyGridProperty* row, const std::initializer_list<std::pair<LPCTSTR, int>>& keys);

    CPanelTitleBar m_titleBar;
    CMFCPropertyGridCtrl m_grid;
    // The node whose pages were shown last (not owned; compared only).
    NodeInfo* m_shownNode = nullptr;
};

// The index of the option equal to text, 0 when none is.
int OptionIndex(const CMFCPropertyGridProperty* row, const CString& text);
// The text of a row's value.
CString RowText(const CMFCPropertyGridProperty* row);
// Whether a view's rectangle fills the project: at (0, 0) with the project's
// width and height. Views belong to the project list, so its settings
// decide, also while an editor's preview list is the active one.
bool ViewFillsProject(const CRect& rect, const ProjSet& project);
