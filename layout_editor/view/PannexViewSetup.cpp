// The view's project set-up: the project settings dialog at the start of a
// new layout and from the project settings command, the light-box set-up,
// and the project information command.
#include "PannexView.h"

#include "ControllerType.h"
#include "EditorSettings.h"
#include "LampSelectDlgs.h"
#include "LampTypeList.h"
#include "LayoutLangText.h"
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

    ControllerTypeValues type;
    if (!ParseChosenType(m_settings.m_controllerModel, type))
        return false;
    m_settings.m_portsPerController = type.ports;
    m_settings.m_channelsPerPort = type.channels;
    m_settings.m_lampsPerPort = PointsPerPort(type.channels, m_settings.m_lampFormat, m_settings.m_allowMaxLamps != 0);
    PortSetup setup;
    setup.portsPerController = type.ports;
    setup.controllersUsed = m_settings.m_controllerCount;
    setup.pointsPerPort = m_settings.m_lampsPerPort;
    setup.lampFormat = m_settings.m_lampFormat;
    setup.formatIndex = LampFormatIndex(LampTypeList, m_settings.m_lampFormat);
    if (!SetUpProjectPorts(*model, m_settings, setup, fromCommand))
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
    if (!model->IsValidPort(m_currentPort))
        m_currentPort = 0;
    model->RebuildUsedPorts();
    ResizeOverview();
    SetEditMode(0);
    if (m_settings.m_randomColours)
        AssignRandomPortColours(*model);
    // A re-configured layout needs saving; a new one has nothing to save
    // yet, so closing it untouched asks nothing (as after File New).
    model->m_modified = fromCommand ? 1 : 0;
    return true;
}

bool CPannexView::SetupLightBoxProject()
{
    // The light-box canvas needs the grid drop of the floating buffer,
    // which is not built yet: the plain project set-up stands in.
    return SetupProject(false);
}
