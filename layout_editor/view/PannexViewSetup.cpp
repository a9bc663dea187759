// The view's project set-up: the project settings dialog at the start of a
// new layout and from the project settings command, the light-box set-up,
// and the project information command.
#include "PannexView.h"

#include "ArrangePointGrid.h"
#include "BarDlg.h"
#include "ControllerType.h"
#include "EditorSettings.h"
#include "LampSelectDlgs.h"
#include "LampTypeList.h"
#include "LayoutLangText.h"
#include "LayoutSelection.h"
#include "MainFrm.h"
#include "ProjInfoDlg.h"
#include "ProjectSetup.h"

void CPannexView::OnProjectInfo()
{
    CProjInfoDlg dlg(this);
    dlg.DoModal();
}

void CPannexView::OnProjectSettings()
{
    if (LayoutLock)
        return;
    SetupProject(true);
}

namespace {

// The ports and channels of a controller type; LAYOUT 171 when it names no
// ports.
bool ParseChosenType(const CString& type, ControllerTypeValues& values)
{
    values = ParseControllerType(type, GetLangText(L"LAYOUT", 169), GetLangText(L"LAYOUT", 170));
    if (!values.ok)
        ShowSolvaneMessage(171);
    return values.ok;
}

void ResizeOverview()
{
    if (CMainFrame* frame = GetPannexFrame())
        frame->OnLayoutLoaded();
}

} // namespace

bool CPannexView::SetupProject(bool fromCommand)
{
    CLayoutData* model = GetModel();
    if (model == nullptr)
        return false;
    if (m_controllerTypes.IsEmpty())
        FillDefaultControllerTypes(m_controllerTypes, GetLangText(L"LAYOUT", 169), GetLangText(L"LAYOUT", 170));
    CProjSetDlg& dlg = m_projSetDlg;
    dlg.m_nWidth = LayoutWidth;
    dlg.m_nHeight = LayoutHeight;
    dlg.m_bShowGrid = m_settings.m_showGrid;
    dlg.m_bOverlap = m_settings.m_allowOverlap;
    dlg.m_bAllowMax = m_settings.m_allowMaxLamps;
    dlg.m_bAlignToGrid = AlignToGrid;
    dlg.m_controllerTypes.Copy(m_controllerTypes);
    dlg.m_strControllerType = m_settings.m_controllerModel;
    dlg.m_lampFormats.Copy(LampTypeList);
    dlg.m_strLampFormat = m_settings.m_lampFormat;
    dlg.m_nControllers = std::max(m_settings.m_controllerCount, 1);
    dlg.m_bShowXY = m_settings.m_showXY;
    dlg.m_bRandomColours = m_settings.m_randomColours;
    dlg.m_crColour = m_settings.m_swatchColour;
    dlg.m_bDoubleSided = m_settings.m_doubleSided;
    dlg.m_nDataOffset = m_settings.m_dataOffset;
    dlg.m_bWireDirectly = WireSelectedPortDirectly;
    dlg.m_bManualTracing = ManualTracing;
    dlg.m_bScaleToPage = 0;
    dlg.m_bNewLampFormat = false;
    dlg.m_bNeedReadableType = !fromCommand;
    dlg.m_lampsExtent = model->GetLampsExtent();

    bool newFormat = false;
    if (dlg.DoModal() == IDOK) {
        m_scaleToPage = dlg.m_bScaleToPage;
        ResizeLayout(dlg.m_nWidth, dlg.m_nHeight);
        AlignToGrid = dlg.m_bAlignToGrid;
        m_settings.m_showGrid = dlg.m_bShowGrid;
        m_settings.m_allowOverlap = dlg.m_bOverlap;
        m_settings.m_allowMaxLamps = dlg.m_bAllowMax;
        m_settings.m_controllerModel = dlg.m_strControllerType;
        LampTypeList.Copy(dlg.m_lampFormats);
        m_settings.m_lampFormat = dlg.m_strLampFormat;
        m_settings.m_controllerCount = dlg.m_nControllers;
        m_settings.m_showXY = dlg.m_bShowXY;
        m_settings.m_randomColours = dlg.m_bRandomColours;
        m_settings.m_swatchColour = dlg.m_crColour;
        m_settings.m_doubleSided = dlg.m_bDoubleSided;
        m_settings.m_dataOffset = dlg.m_nDataOffset;
        WireSelectedPortDirectly = dlg.m_bWireDirectly;
        ManualTracing = dlg.m_bManualTracing;
        model->m_width = dlg.m_nWidth;
        model->m_height = dlg.m_nHeight;
        newFormat = dlg.m_bNewLampFormat;
    } else if (fromCommand) {
        ResizeOverview();
        return false;
    } else {
        // A new layout cannot stay without controllers: Cancel at the start
        // sets it up with the settings the dialog was opened with.
        m_settings.m_controllerCount = dlg.m_nControllers;
        model->m_width = LayoutWidth;
        model->m_height = LayoutHeight;
    }

    if (!SetUpPortsOfChosenType(*model, m_settings.m_controllerCount, fromCommand))
        return false;
    if (fromCommand) {
        FindOverlapCells();
        if (newFormat && LampTypeList.GetSize() == 2) {
            ReplacePortLampFormat(*model, LampTypeList, -1, 1);
        } else if (newFormat) {
            ShowSolvaneMessage(172);
            CSelectLightBarDlg select(this);
            select.m_nSelected = 0;
            if (select.DoModal() == IDOK)
                ReplacePortLampFormat(
                    *model, LampTypeList, select.m_nSelected, static_cast<int>(LampTypeList.GetSize()) - 1);
        }
    }
    // A re-configured layout needs saving; a new one has nothing to save
    // yet, so closing it untouched asks nothing (as after File New).
    FinishSetup(*model, fromCommand);
    return true;
}

bool CPannexView::SetUpPortsOfChosenType(CLayoutData& model, int controllers, bool fromCommand)
{
    ControllerTypeValues type;
    if (!ParseChosenType(m_settings.m_controllerModel, type))
        return false;
    m_settings.m_portsPerController = type.ports;
    m_settings.m_channelsPerPort = type.channels;
    m_settings.m_lampsPerPort = PointsPerPort(type.channels, m_settings.m_lampFormat, m_settings.m_allowMaxLamps != 0);
    PortSetup setup;
    setup.portsPerController = type.ports;
    setup.controllersUsed = controllers;
    setup.pointsPerPort = m_settings.m_lampsPerPort;
    setup.lampFormat = m_settings.m_lampFormat;
    setup.formatIndex = LampFormatIndex(LampTypeList, m_settings.m_lampFormat);
    return SetUpProjectPorts(model, m_settings, setup, fromCommand);
}

void CPannexView::FinishSetup(CLayoutData& model, bool modified)
{
    if (!model.IsValidPort(m_currentPort))
        m_currentPort = 0;
    model.RebuildUsedPorts();
    ResizeOverview();
    SetEditMode(0);
    if (m_settings.m_randomColours)
        AssignRandomPortColours(model);
    // The coordinate tip goes when the project no longer asks for it (mouse
    // moves show it again when it does).
    if (!m_settings.m_showXY)
        UpdateCoordinateTip(CPoint(0, 0));
    model.m_modified = modified ? 1 : 0;
}

bool CPannexView::SetupLightBoxProject()
{
    CLayoutData* model = GetModel();
    if (model == nullptr)
        return false;
    if (m_controllerTypes.IsEmpty())
        FillDefaultControllerTypes(m_controllerTypes, GetLangText(L"LAYOUT", 169), GetLangText(L"LAYOUT", 170));
    CProjLightBoxDlg& dlg = m_lightBoxDlg;
    dlg.m_controllerTypes.Copy(m_controllerTypes);
    dlg.m_strControllerType = m_settings.m_controllerModel;
    dlg.m_lampFormats.Copy(LampTypeList);
    dlg.m_strLampFormat = m_settings.m_lampFormat;
    if (dlg.DoModal() != IDOK) {
        // Started in light-box mode, the layout still needs its
        // controllers: one of the chosen type, as a new layout gets them.
        model->m_width = LayoutWidth;
        model->m_height = LayoutHeight;
        if (!SetUpPortsOfChosenType(*model, 1, false))
            return false;
        FinishSetup(*model, false);
        return false;
    }
    m_settings.m_controllerModel = dlg.m_strControllerType;
    LampTypeList.Copy(dlg.m_lampFormats);
    m_settings.m_lampFormat = dlg.m_strLampFormat;
    ControllerTypeValues type;
    if (!ParseChosenType(m_settings.m_controllerModel, type))
        return false;
    const LightBoxValues& v = dlg.m_values;
    const LightBoxPlan plan = PlanLightBox(v, type.ports);

    // One grid cell a millimetre of the canvas.
    m_scaleToPage = 0;
    ResizeLayout(v.width, v.height);
    model->m_width = v.width;
    model->m_height = v.height;
    if (!SetUpPortsOfChosenType(*model, plan.controllers, false))
        return false;

    // One port's grid, dropped port after port in the style's direction.
    if (CBarDlg* panel = GetListPanel()) {
        panel->m_nArrangeStyle = v.style;
        panel->m_bArrangeZ = v.z;
        panel->m_bArrangeFlip = v.flip;
        panel->m_nArrangeRows = plan.gridRows;
        panel->m_nArrangeColumns = plan.gridColumns;
        panel->m_nArrangeColumnGap = v.columnSpacing;
        panel->m_nArrangeRowGap = v.rowSpacing;
        panel->m_bArrangeNextPorts = 1;
        panel->m_bArrangeNextControllers = 1;
    }
    m_currentPort = 0;
    if (ArrangePointGrid(
            *model, plan.gridRows, 0, v.style, v.z, v.flip, plan.gridColumns, v.columnSpacing, v.rowSpacing)) {
        GridDropOptions options;
        options.style = v.style;
        options.columnGap = v.columnSpacing;
        options.rowGap = v.rowSpacing;
        options.repeat = true;
        options.toEnd = true;
        DropTemplate(false, plan.drop, options);
    }
    model->ClearFloatingPoints();
    // Lamps past the grid's last row or column go: those of a last port
    // that runs past it, and any that ports beyond the needed ones got.
    if (plan.hasTrim) {
        model->ClearSelection();
        const CRect& r = plan.trim;
        if (SelectPointsInRect(CRect(r.left, r.top, r.right + 1, r.bottom + 1), *model) > 0)
            model->DeleteSelection();
    }
    for (int p = plan.portsNeeded; p < model->GetPortCount(); ++p)
        model->GetPort(p).ClearPoints();
    model->ClearSelection();
    model->ClearUndoHistory();

    // Each cell becomes one lamp diameter; the lamps keep their places.
    m_scaleToPage = 1;
    const int width = std::max(v.width / v.diameter, 1);
    const int height = std::max(v.height / v.diameter, 1);
    ResizeLayout(width, height);
    model->m_width = width;
    model->m_height = height;
    FinishSetup(*model, true);
    if (!dlg.m_strPicturePath.IsEmpty())
        LoadBackgroundImage(dlg.m_strPicturePath);
    return true;
}
