// The property panel: building the grid and showing the project, segment,
// view and program pages. Edits are checked in property_panel_edit.cpp.
#include "property_panel.h"

#include "dornel_doc.h"
#include "panel_resource.h"
#include "program_color_effect_plus.h"
#include "program_video.h"
#include "show_messages.h"

namespace {

const LPCTSTR kFrameRates[]
    = { L"1", L"5", L"10", L"12", L"15", L"18", L"20", L"25", L"30", L"35", L"40", L"45", L"50", L"55", L"60" };
const LPCTSTR kDotStyles[] = { L"0-圆形", L"1-矩形", L"2-横条", L"3-竖条" };
const LPCTSTR kFourColorModes[] = { L"全局", L"无", L"节能模式", L"高亮度模式", L"基本模式", L"白光动画模式",
    L"任性模式", L"基本模式2", L"等灰同亮模式", L"白光固亮模式" };
const LPCTSTR kViewBackgrounds[] = { L"默认", L"背景透明", L"黑色镂空" };
const LPCTSTR kSpeeds[] = { L"0.10x", L"0.20x", L"0.33x", L"0.50x", L"0.75x", L"1.00x", L"2.00x", L"3.00x" };
const LPCTSTR kImageFilter = L"Image File(*.JPEG;*.PNG;*.BMP;*.JPG)|*.JPEG;*.PNG;*.BMP;*.JPG;)||";

enum class Editing { FreeText, ListOnly, ReadOnly };

CMFCPropertyGridProperty* MakeRow(CMFCPropertyGridProperty* group, LPCTSTR name, LPCTSTR value, int id, Editing editing,
    bool withLabel, std::initializer_list<LPCTSTR> options = {})
{
    auto* row = new CMFCPropertyGridProperty(name, COleVariant(value), withLabel ? name : nullptr, id);
    for (LPCTSTR option : options)
        row->AddOption(option);
    row->AllowEdit(editing == Editing::FreeText);
    group->AddSubItem(row);
    return row;
}

template <size_t N> void AddOptions(CMFCPropertyGridProperty* row, const LPCTSTR (&options)[N])
{
    for (LPCTSTR option : options)
        row->AddOption(option);
}

CString Decimal(int value)
{
    CString text;
    text.Format(L"%d", value);
    return text;
}

void SetText(CMFCPropertyGridProperty* row, const CString& text)
{
    row->SetValue(COleVariant(text));
}

} // namespace

CString RowText(const CMFCPropertyGridProperty* row)
{
    const COleVariant& value = row->GetValue();
    if (value.vt == VT_BSTR)
        return value.bstrVal != nullptr ? CString(value.bstrVal) : CString();
    COleVariant copy(value);
    try {
        copy.ChangeType(VT_BSTR);
    } catch (CException* e) {
        e->Delete();
        return CString();
    }
    return copy.bstrVal != nullptr ? CString(copy.bstrVal) : CString();
}

int OptionIndex(const CMFCPropertyGridProperty* row, const CString& text)
{
    for (int i = 0; i < row->GetOptionCount(); ++i) {
        if (text == row->GetOption(i))
            return i;
    }
    return 0;
}

bool ViewFillsProject(const CRect& rect, const ProjSet& project)
{
    return rect.left == 0 && rect.top == 0 && rect.right == project.m_width && rect.bottom == project.m_height;
}

IMPLEMENT_DYNCREATE(CPropertypanel, CView)

BEGIN_MESSAGE_MAP(CPropertypanel, CView)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_REGISTERED_MESSAGE(AFX_WM_PROPERTY_CHANGED, OnGridPropertyChanged)
ON_MESSAGE(WM_SHOW_PROPERTIES, OnShowPropertiesMessage)
ON_MESSAGE(WM_PROJECT_CHANGED, OnProjectChanged)
ON_MESSAGE(WM_VIEW_TIMING_CHANGED, OnViewTimingChanged)
ON_MESSAGE(WM_LANGUAGE_CHANGED, OnLanguageChanged)
END_MESSAGE_MAP()

CPropertypanel::CPropertypanel() = default;

CPropertypanel::~CPropertypanel() = default;

CDornelDoc* CPropertypanel::GetDornelDoc() const
{
    return PanelDornelDoc(GetDocument());
}

int CPropertypanel::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    return BuildPropertyGrid() ? 0 : -1;
}

BOOL CPropertypanel::BuildPropertyGrid()
{
    if (!m_titleBar.Create(L"参数设置", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, kTitleBarHeight), this, kTitleBarId))
        return FALSE;
    if (!m_grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, kTitleBarHeight, 10, 40), this, IDC_PROPERTY_GRID))
        return FALSE;
    m_grid.EnableHeaderCtrl(FALSE, L"Property", L"Value");
    m_grid.MarkModifiedProperties(TRUE);
    m_grid.SetVSDotNetLook(TRUE);

    m_projectGroup = new CPropGroup(L"项目设置", 0);
    m_width = MakeRow(m_projectGroup, L"项目宽度", L"200", PROP_PROJECT_WIDTH, Editing::FreeText, true);
    m_height = MakeRow(m_projectGroup, L"项目高度", L"50", PROP_PROJECT_HEIGHT, Editing::FreeText, true);
    m_frameRate = MakeRow(m_projectGroup, L"播放帧速率", L"20", PROP_FRAME_RATE, Editing::ListOnly, true);
    AddOptions(m_frameRate, kFrameRates);
    m_totalFrames = MakeRow(m_projectGroup, L"总帧数", L"0", PROP_TOTAL_FRAMES, Editing::ReadOnly, false);
    m_playedFrames = MakeRow(m_projectGroup, L"播放帧数", L"0", PROP_PLAYED_FRAMES, Editing::FreeText, false);
    m_dotStyle = MakeRow(m_projectGroup, L"灯点样式", L"0-圆形", PROP_DOT_STYLE, Editing::ListOnly, true);
    AddOptions(m_dotStyle, kDotStyles);
    m_wiringMask = new QvCheckedProperty(L"布线遮罩", COleVariant(static_cast<short>(0)), nullptr, PROP_WIRING_MASK);
    m_wiringMask->SetChecked(TRUE);
    m_projectGroup->AddSubItem(m_wiringMask);
    m_background = new CMFCPropertyGridFileProperty(
        L"背景图片", TRUE, CString(), nullptr, OFN_HIDEREADONLY, kImageFilter, nullptr, PROP_BACKGROUND_IMAGE);
    m_projectGroup->AddSubItem(m_background);

    m_segmentGroup = new CPropGroup(L"片段设置", 0);
    m_segmentName = MakeRow(m_segmentGroup, L"片段名称", L"", PROP_SEGMENT_NAME, Editing::FreeText, true);
    m_segmentFrames = MakeRow(m_segmentGroup, L"帧数", L"", PROP_SEGMENT_FRAMES, Editing::ReadOnly, true);
    m_timedPlay = new CCTimeTrigerProp(L"定时播放", COleVariant(L""), nullptr, PROP_TIMED_PLAY);
    m_timedPlay->AllowEdit(FALSE);
    m_segmentGroup->AddSubItem(m_timedPlay);
    m_fourColor = MakeRow(m_segmentGroup, L"四色模式", L"", PROP_FOUR_COLOR, Editing::ListOnly, true);
    AddOptions(m_fourColor, kFourColorModes);
    m_whiteValue = MakeRow(m_segmentGroup, L"白光亮度", L"", PROP_WHITE_VALUE, Editing::FreeText, true);
    m_whiteValue->Enable(FALSE);

    m_materialGroup = new CPropGroup(L"素材设置", PROP_MATERIAL_GROUP);
    m_programName = MakeRow(m_materialGroup, L"名称", L"", PROP_PROGRAM_NAME, Editing::FreeText, true);
    m_passFrames = MakeRow(m_materialGroup, L"原始帧数", L"", PROP_PASS_FRAMES, Editing::ReadOnly, true);
    m_hTiles = MakeRow(m_materialGroup, L"水平平铺", L"", PROP_H_TILES, Editing::ListOnly, true,
        { L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9", L"10" });
    m_vTiles = MakeRow(m_materialGroup, L"垂直平铺", L"", PROP_V_TILES, Editing::ListOnly, true,
        { L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9", L"10" });
    m_startFrame = MakeRow(m_materialGroup, L"起始帧", L"", PROP_START_FRAME, Editing::FreeText, true);
    m_endFrame = MakeRow(m_materialGroup, L"结束帧", L"", PROP_END_FRAME, Editing::FreeText, true);
    m_startSpeed = MakeRow(m_materialGroup, L"初始速率", L"", PROP_START_SPEED, Editing::ListOnly, true);
    AddOptions(m_startSpeed, kSpeeds);
    m_endSpeed = MakeRow(m_materialGroup, L"终止速率", L"", PROP_END_SPEED, Editing::ListOnly, true);
    AddOptions(m_endSpeed, kSpeeds);

    m_viewGroup = new CPropGroup(L"视图设置", 0);
    m_viewName = MakeRow(m_viewGroup, L"名称", L"", PROP_VIEW_NAME, Editing::FreeText, true);
    m_viewX = MakeRow(m_viewGroup, L"起点X", L"0", PROP_VIEW_X, Editing::FreeText, true);
    m_viewY = MakeRow(m_viewGroup, L"起点Y", L"0", PROP_VIEW_Y, Editing::FreeText, true);
    m_viewWidth = MakeRow(m_viewGroup, L"宽度", L"200", PROP_VIEW_WIDTH, Editing::FreeText, true);
    m_viewHeight = MakeRow(m_viewGroup, L"高度", L"50", PROP_VIEW_HEIGHT, Editing::FreeText, true);
    m_transparency = MakeRow(m_viewGroup, L"透明度", L"255", PROP_TRANSPARENCY, Editing::ReadOnly, true);
    m_viewBackground = MakeRow(m_viewGroup, L"背景", L"255", PROP_VIEW_BACKGROUND, Editing::ListOnly, true);
    AddOptions(m_viewBackground, kViewBackgrounds);
    m_brightness = MakeRow(m_viewGroup, L"亮度", L"100", PROP_BRIGHTNESS, Editing::FreeText, true);
    m_lock = new QvCheckedProperty(L"锁定", COleVariant(static_cast<short>(0)), nullptr, PROP_LOCK);
    m_viewGroup->AddSubItem(m_lock);
    m_fullSize = new QvCheckedProperty(L"最大化", COleVariant(static_cast<short>(0)), nullptr, PROP_FULL_SIZE);
    m_viewGroup->AddSubItem(m_fullSize);
    m_playCount = MakeRow(m_viewGroup, L"播放次数", L"", PROP_PLAY_COUNT, Editing::FreeText, true,
        { L"LOOP", L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9", L"10" });
    m_showTime = new CMFCPropertyGridProperty(L"播放时长(秒)", COleVariant(L"0"), L"播放时长", PROP_SHOW_TIME);
    m_viewGroup->AddSubItem(m_showTime);
    m_timeBase = new QvCheckedProperty(L"以此为播放基准", COleVariant(static_cast<short>(0)), nullptr, PROP_TIME_BASE);
    m_viewGroup->AddSubItem(m_timeBase);

    m_grid.AddProperty(m_projectGroup);
    m_grid.AddProperty(m_segmentGroup);
    m_grid.AddProperty(m_viewGroup);
    m_grid.AddProperty(m_materialGroup);
    m_segmentGroup->Show(FALSE);
    m_materialGroup->Show(FALSE);
    m_viewGroup->Show(FALSE);
    return TRUE;
}

void CPropertypanel::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    CRect client;
    GetClientRect(client);
    if (m_titleBar.GetSafeHwnd() != nullptr)
        m_titleBar.MoveWindow(client.left, client.top, client.Width(), kTitleBarHeight);
    if (m_grid.GetSafeHwnd() != nullptr)
        m_grid.MoveWindow(client.left, client.top + kTitleBarHeight, client.Width() - 6, client.Height() - 23);
}

BOOL CPropertypanel::OnEraseBkgnd(CDC* pDC)
{
    EraseFramedPanelBackground(pDC);
    return TRUE;
}

CMFCPropertyGridProperty* CPropertypanel::FindRow(int id) const
{
    CMFCPropertyGridProperty* groups[] = { m_projectGroup, m_segmentGroup, m_viewGroup, m_materialGroup };
    for (CMFCPropertyGridProperty* group : groups) {
        for (int i = 0; group != nullptr && i < group->GetSubItemsCount(); ++i) {
            if (group->GetSubItem(i)->GetData() == static_cast<DWORD_PTR>(id))
                return group->GetSubItem(i);
        }
    }
    return nullptr;
}

void CPropertypanel::ShowOption(CMFCPropertyGridProperty* row, int index)
{
    LPCTSTR option = row->GetOption(index);
    SetText(row, option != nullptr ? CString(option) : CString());
}

// ---------------------------------------------------------------------------
// Pages

void CPropertypanel::OnShowProperties(NodeInfo* node)
{
    CDornelDoc* doc = GetDornelDoc();
    if (doc == nullptr)
        return;
    doc->m_pSelectedProgram = nullptr;
    m_shownNode = node;
    if (node == nullptr)
        return;
    switch (node->m_kind) {
    case NODE_SEGMENT:
        m_segmentGroup->Show(TRUE);
        m_segmentGroup->Expand(TRUE);
        m_viewGroup->Show(FALSE);
        m_materialGroup->Show(FALSE);
        ShowSegmentPage(node->m_index);
        break;
    case NODE_VIEW:
        m_segmentGroup->Show(TRUE);
        m_viewGroup->Show(TRUE);
        m_materialGroup->Show(FALSE);
        ShowSegmentPage(node->m_parent);
        ShowViewPage(node->m_parent, node->m_index);
        break;
    case NODE_PROGRAM:
        m_segmentGroup->Show(TRUE);
        m_viewGroup->Show(TRUE);
        m_materialGroup->Show(TRUE);
        ShowProgramPage(node->m_parent, node->m_index);
        break;
    default:
        break;
    }
}

void CPropertypanel::ShowProjectPage()
{
    CDornelDoc* doc = GetDornelDoc();
    if (doc == nullptr)
        return;
    const ProjSet& settings = doc->m_projectSettings;
    SetText(m_width, Decimal(settings.m_width));
    SetText(m_height, Decimal(settings.m_height));
    SetText(m_frameRate, Decimal(settings.m_frameRate));
    SetText(m_totalFrames, Decimal(settings.m_totalFrames));
    SetText(m_playedFrames, Decimal(settings.m_playFrames));
    ShowOption(m_dotStyle, settings.m_layoutType);
    const CString& path = settings.m_backgroundImage;
    if (path.Find(L'\\', 1) > 0)
        SetText(m_background, path.Mid(path.ReverseFind(L'\\') + 1));
    m_projectGroup->Expand(TRUE);
}

void CPropertypanel::ShowSegmentPage(int segmentNumber)
{
    CDornelDoc* doc = GetDornelDoc();
    if (doc == nullptr || segmentNumber < 1 || segmentNumber > doc->m_segments.GetSize())
        return;
    QvSegmentGourp* segment = doc->m_segments.GetAt(segmentNumber - 1);
    m_segmentGroup->SetData(static_cast<DWORD_PTR>(segmentNumber));
    CString name = segment->m_pNode != nullptr ? segment->m_pNode->m_name : CString();
    SetText(m_segmentName, name.IsEmpty() ? DefaultSegmentLabel(doc, segmentNumber) : name);
    SetText(m_segmentFrames, Decimal(segment->m_pSegmentInfo->m_totalFrames));
    m_timedPlay->m_timed = 0;
    m_timedPlay->m_synchronised = 0;
    if (IsSegmentTimed(segment))
        m_timedPlay->m_timed = 1;
    else if (segment->m_pSegmentInfo->m_timePlay.m_gpsMode == 1)
        m_timedPlay->m_synchronised = 1;
    m_timedPlay->Redraw();
    m_timedPlay->SetData(static_cast<DWORD_PTR>(segmentNumber));
    ShowOption(m_fourColor, segment->m_fourColorMode);
    SetText(m_whiteValue, Decimal(segment->m_whiteValue));
    m_whiteValue->Enable(FALSE);
    if (segment->m_fourColorMode == m_fourColor->GetOptionCount() - 1) {
        m_whiteValue->Enable(TRUE);
        SetText(m_whiteValue, Decimal(segment->m_whiteValue));
    }
    m_segmentGroup->Expand(TRUE);
}

void CPropertypanel::ShowViewPage(int segmentNumber, int viewIndex)
{
    CDornelDoc* doc = GetDornelDoc();
    if (doc == nullptr)
        return;
    ProgramView* view = CDornelDoc::GetSegmentView(viewIndex - 1, doc->GetSegment(segmentNumber - 1));
    if (view == nullptr)
        return;
    const CRect& rect = view->m_projectRect;
    SetText(m_viewName, view->m_pNode != nullptr ? view->m_pNode->m_name : CString());
    SetText(m_viewX, Decimal(rect.left));
    SetText(m_viewY, Decimal(rect.top));
    SetText(m_viewWidth, Decimal(rect.right - rect.left));
    SetText(m_viewHeight, Decimal(rect.bottom - rect.top));
    ShowOption(m_viewBackground, view->m_transparentMode);
    m_transparency->AllowEdit(TRUE);
    SetText(m_transparency, Decimal(view->m_transparency));
    SetText(m_brightness, Decimal(view->m_brightness));
    if (view->m_loopPlay == 0 && view->m_repeatCount > 0)
        SetText(m_playCount, Decimal(view->m_repeatCount));
    else
        SetText(m_playCount, L"LOOP");
    m_lock->SetChecked(view->m_areaLocked != 0);
    m_fullSize->SetChecked(ViewFillsProject(rect, doc->m_projectSettings));
    const BOOL editable = view->m_areaLocked == 0;
    m_viewX->AllowEdit(editable);
    m_viewY->AllowEdit(editable);
    m_viewWidth->AllowEdit(editable);
    m_viewHeight->AllowEdit(editable);
    if (view->m_showTime > 0) {
        CString seconds;
        seconds.Format(L"%.2f", view->m_showTime);
        SetText(m_showTime, seconds);
    } else {
        SetText(m_showTime, L"0");
    }
    m_timeBase->SetChecked(view->m_timeBase != 0);
    m_viewGroup->Expand(TRUE);
}

void CPropertypanel::EnableRangeRows()
{
    CMFCPropertyGridProperty* rows[] = { m_hTiles, m_vTiles, m_startFrame, m_endFrame, m_startSpeed, m_endSpeed };
    for (CMFCPropertyGridProperty* row : rows)
        row->Enable(TRUE);
}

void CPropertypanel::DisableRangeRows()
{
    CMFCPropertyGridProperty* rows[] = { m_hTiles, m_vTiles, m_startFrame, m_endFrame, m_startSpeed, m_endSpeed };
    for (CMFCPropertyGridProperty* row : rows) {
        row->Enable(FALSE);
        SetText(row, CString());
    }
}

void CPropertypanel::ShowProgramPage(int viewIndex, int programIndex)
{
    CDornelDoc* doc = GetDornelDoc();
    if (doc == nullptr)
        return;
    const int segmentNumber = doc->m_currentSegment;
    ShowSegmentPage(segmentNumber);
    if (doc->m_segments.GetSize() == 0)
        return;
    ProgramView* view = CDornelDoc::GetSegmentView(viewIndex - 1, doc->GetSegment(segmentNumber - 1));
    if (view == nullptr)
        return;
    ShowViewPage(segmentNumber, viewIndex);
    EnableRangeRows();
    if (programIndex < 1 || programIndex > view->m_programs.GetSize())
        return;
    Program* program = view->m_programs.GetAt(programIndex - 1);
    doc->m_pSelectedProgram = program;
    m_materialGroup->SetData(static_cast<DWORD_PTR>(program->m_programType));

    const CString label = DefaultProgramLabel(doc, program->m_programType, programIndex);
    if (program->m_pNode != nullptr) {
        if (program->m_pNode->m_name.IsEmpty())
            program->m_pNode->m_name = label;
        SetText(m_programName, program->m_pNode->m_name);
    } else {
        SetText(m_programName, label);
    }
    SetText(m_passFrames, Decimal(program->m_orgFrames));
    SetText(m_hTiles, Decimal(program->m_hTiles));
    SetText(m_vTiles, Decimal(program->m_vTiles));
    SetText(m_startFrame, Decimal(program->m_startFrame));
    SetText(m_endFrame, Decimal(program->m_endFrame));
    const bool noSpeed = program->IsKindOf(RUNTIME_CLASS(ProgramColorEffectPlusArray))
        || program->IsKindOf(RUNTIME_CLASS(ProgramVideo));
    m_startSpeed->Show(!noSpeed);
    m_endSpeed->Show(!noSpeed);
    if (!noSpeed) {
        CString speed;
        speed.Format(L"%.2fx", program->m_startSpeed);
        SetText(m_startSpeed, speed);
        speed.Format(L"%.2fx", program->m_endSpeed);
        SetText(m_endSpeed, speed);
    }
    if (program->m_programType == PROGRAM_TYPE_COLORFUL_WORDS)
        DisableRangeRows();
    m_materialGroup->Expand(TRUE);
}

// ---------------------------------------------------------------------------
// Messages

LRESULT CPropertypanel::OnShowPropertiesMessage(WPARAM, LPARAM lParam)
{
    OnShowProperties(reinterpret_cast<NodeInfo*>(lParam));
    return 0;
}

void CPropertypanel::HideNodeGroupsWhenSelected()
{
    CDornelDoc* doc = GetDornelDoc();
    if (doc == nullptr || doc->m_pSelectedNode == nullptr)
        return;
    m_segmentGroup->Show(FALSE);
    m_materialGroup->Show(FALSE);
    m_viewGroup->Show(FALSE);
}

bool CPropertypanel::IsShownNodeSelected() const
{
    CDornelDoc* doc = GetDornelDoc();
    if (doc == nullptr || m_shownNode == nullptr || m_shownNode != doc->m_pSelectedNode)
        return false;
    // Only a node of the project is looked at: a deleted one may be gone.
    for (INT_PTR s = 0; s < doc->m_segments.GetSize(); ++s) {
        const QvSegmentGourp* segment = doc->m_segments.GetAt(s);
        if (segment->m_pNode == m_shownNode)
            return true;
        for (INT_PTR v = 0; v < segment->m_views.GetSize(); ++v) {
            const ProgramView* view = segment->m_views.GetAt(v);
            if (view->m_pNode == m_shownNode)
                return true;
            for (INT_PTR p = 0; p < view->m_programs.GetSize(); ++p)
                if (view->m_programs.GetAt(p)->m_pNode == m_shownNode)
                    return true;
        }
    }
    return false;
}

LRESULT CPropertypanel::OnProjectChanged(WPARAM, LPARAM)
{
    ShowProjectPage();
    // After an edit the user goes on where they were: the groups of the
    // node still selected stay, with its new values, and the grid keeps
    // its row and scroll position.
    if (IsShownNodeSelected())
        OnShowProperties(m_shownNode);
    else
        HideNodeGroupsWhenSelected();
    return 0;
}

LRESULT CPropertypanel::OnViewTimingChanged(WPARAM, LPARAM lParam)
{
    auto* node = reinterpret_cast<NodeInfo*>(lParam);
    if (node == nullptr)
        return 0;
    ShowProjectPage();
    ShowSegmentPage(node->m_parent);
    return 0;
}

LRESULT CPropertypanel::OnLanguageChanged(WPARAM, LPARAM)
{
    CString title = GetDornelDoc() != nullptr ? GetDornelDoc()->Host().GetLangText(L"TITLE", 2) : CString();
    if (!title.IsEmpty())
        m_titleBar.SetWindowText(title);
    LocalizeProperties();
    ShowProjectPage();
    HideNodeGroupsWhenSelected();
    return 0;
}

void CPropertypanel::ChangeOptions(
    CMFCPropertyGridProperty* row, const std::initializer_list<std::pair<LPCTSTR, int>>& keys)
{
    CDornelDoc* doc = GetDornelDoc();
    row->RemoveAllOptions();
    for (const auto& [section, key] : keys)
        row->AddOption(doc->Host().GetLangText(section, key), TRUE);
}

void CPropertypanel::LocalizeProperties()
{
    CDornelDoc* doc = GetDornelDoc();
    if (doc == nullptr)
        return;
    struct Label {
        CMFCPropertyGridProperty* row;
        int key;
    };
    const Label labels[] = { { m_projectGroup, 6 }, { m_width, 7 }, { m_height, 8 }, { m_frameRate, 9 },
        { m_totalFrames, 10 }, { m_playedFrames, 11 }, { m_dotStyle, 12 }, { m_wiringMask, 167 }, { m_background, 17 },
        { m_segmentGroup, 18 }, { m_segmentName, 19 }, { m_segmentFrames, 20 }, { m_timedPlay, 21 },
        { m_fourColor, 169 }, { m_whiteValue, 171 }, { m_viewGroup, 116 }, { m_viewName, 117 }, { m_viewX, 118 },
        { m_viewY, 119 }, { m_viewWidth, 120 }, { m_viewHeight, 121 }, { m_transparency, 149 },
        { m_viewBackground, 150 }, { m_brightness, 115 }, { m_lock, 151 }, { m_fullSize, 175 }, { m_playCount, 176 },
        { m_showTime, 177 }, { m_timeBase, 178 }, { m_materialGroup, 22 }, { m_programName, 23 }, { m_passFrames, 24 },
        { m_hTiles, 25 }, { m_vTiles, 26 }, { m_startFrame, 27 }, { m_endFrame, 28 }, { m_startSpeed, 29 },
        { m_endSpeed, 30 } };
    for (const Label& label : labels) {
        CString text = doc->Host().GetLangText(L"ITEM_TITLE", label.key);
        if (text.IsEmpty())
            continue;
        label.row->SetName(text);
        if (label.row != m_projectGroup)
            label.row->SetDescription(text);
        if (label.row == m_dotStyle)
            ChangeOptions(m_dotStyle,
                { { L"ITEM_TITLE", 13 }, { L"ITEM_TITLE", 14 }, { L"ITEM_TITLE", 15 }, { L"ITEM_TITLE", 16 } });
        else if (label.row == m_viewBackground)
            ChangeOptions(m_viewBackground, { { L"ITEM_TITLE", 172 }, { L"ITEM_TITLE", 173 }, { L"ITEM_TITLE", 174 } });
        else if (label.row == m_fourColor)
            ChangeOptions(m_fourColor,
                { { L"ITEM_TITLE", 170 }, { L"KVMENU", 55 }, { L"KVMENU", 56 }, { L"KVMENU", 57 }, { L"KVMENU", 58 },
                    { L"KVMENU", 59 }, { L"KVMENU", 80 }, { L"KVMENU", 127 }, { L"KVMENU", 128 }, { L"KVMENU", 129 } });
    }
    QvCheckedProperty* checks[] = { m_wiringMask, m_lock, m_fullSize, m_timeBase };
    for (QvCheckedProperty* check : checks)
        check->Redraw();
    ShowOption(m_dotStyle, doc->m_projectSettings.m_layoutType);
}

LRESULT CPropertypanel::OnGridPropertyChanged(WPARAM, LPARAM lParam)
{
    OnPropertyChanged(reinterpret_cast<CMFCPropertyGridProperty*>(lParam));
    return 0;
}
