// The layout view's state and coordinates (see PannexView.h).
#include "PannexView.h"

#include <algorithm>
#include <cmath>

#include "ControllerType.h"
#include "EditorSettings.h"
#include "LampTypeList.h"
#include "LayoutLangText.h"
#include "LayoutSelection.h"
#include "MainFrm.h"
#include "PannexApp.h"
#include "PannexEditResource.h"
#include "PannexResource.h"

IMPLEMENT_DYNCREATE(CPannexView, CView)

BEGIN_MESSAGE_MAP(CPannexView, CView)
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_RBUTTONUP()
ON_WM_MBUTTONDOWN()
ON_WM_MBUTTONUP()
ON_WM_MOUSEWHEEL()
ON_WM_KEYDOWN()
ON_WM_KEYUP()
ON_WM_CONTEXTMENU()
ON_WM_INITMENUPOPUP()
ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, OnUpdateEditRedo)
ON_COMMAND(ID_EDIT_CLEAR, OnEditDelete)
ON_COMMAND(ID_EDIT_PREVIEW, OnEditPreview)
ON_COMMAND(ID_EDIT_LAMP_NUMBERS, OnLampNumbers)
ON_UPDATE_COMMAND_UI(ID_EDIT_LAMP_NUMBERS, OnUpdateLampNumbers)
ON_COMMAND(ID_EDIT_CONNECTION_LINES, OnConnectionLines)
ON_UPDATE_COMMAND_UI(ID_EDIT_CONNECTION_LINES, OnUpdateConnectionLines)
ON_COMMAND(ID_EDIT_BACKGROUND, OnImportBackground)
ON_COMMAND(ID_EDIT_DELETE_BACKGROUND, OnDeleteBackground)
ON_COMMAND(ID_EDIT_PORT, OnEditPort)
ON_COMMAND(ID_EDIT_FINISH, OnFinish)
ON_COMMAND(ID_EDIT_INSERT_LAMP, OnInsert)
ON_COMMAND(ID_EDIT_ROTATE, OnRotate)
ON_UPDATE_COMMAND_UI(ID_EDIT_ROTATE, OnUpdateSelectionTool)
ON_COMMAND(ID_EDIT_SMOOTH_LINE, OnStraighten)
ON_UPDATE_COMMAND_UI(ID_EDIT_SMOOTH_LINE, OnUpdateSelectionTool)
ON_COMMAND(ID_EDIT_MEASURE, OnMeasure)
ON_COMMAND(ID_EDIT_OVERLAP_POINTS, OnOverlapPoints)
ON_UPDATE_COMMAND_UI(ID_EDIT_OVERLAP_POINTS, OnUpdateSelectionTool)
ON_COMMAND(ID_EDIT_HIDE_LAMPS, OnHideLamps)
ON_UPDATE_COMMAND_UI(ID_EDIT_HIDE_LAMPS, OnUpdateSelectionTool)
ON_COMMAND(ID_EDIT_SHOW_LAMPS, OnShowLamps)
ON_UPDATE_COMMAND_UI(ID_EDIT_SHOW_LAMPS, OnUpdateSelectionTool)
ON_COMMAND(ID_EDIT_LAYER, OnLayer)
ON_UPDATE_COMMAND_UI(ID_EDIT_LAYER, OnUpdateSelectionTool)
ON_COMMAND(ID_EDIT_REVERSE_LAMPS, OnReverseLamps)
ON_UPDATE_COMMAND_UI(ID_EDIT_REVERSE_LAMPS, OnUpdateSelectionTool)
ON_UPDATE_COMMAND_UI(ID_EDIT_ADJUST_TOOL, OnUpdateNotYetAvailable)
ON_COMMAND(ID_EDIT_LAMP_TYPE, OnChangeLampType)
ON_UPDATE_COMMAND_UI(ID_EDIT_LAMP_TYPE, OnUpdateSelectionTool)
ON_COMMAND(ID_FILE_IMPORT_DXF, OnImportDxf)
ON_COMMAND(ID_FILE_EXPORT_DXF, OnExportDxf)
ON_COMMAND(ID_HELP_PROJECT_INFO, OnProjectInfo)
ON_COMMAND(ID_FILE_PROJECT_SETTINGS, OnProjectSettings)
ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateSelectionTool)
ON_COMMAND(ID_EDIT_CUT, OnEditCut)
ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateSelectionTool)
ON_COMMAND(ID_EDIT_SAVE_TEMPLATE, OnSaveAsTemplate)
ON_UPDATE_COMMAND_UI(ID_EDIT_SAVE_TEMPLATE, OnUpdateSelectionTool)
ON_COMMAND_RANGE(ID_TEMPLATE_ROTATE_CW, ID_TEMPLATE_CLOSE, OnTemplateCommand)
ON_COMMAND(ID_EDIT_RULERS, OnRulers)
END_MESSAGE_MAP()

CPannexView::CPannexView()
    : m_previewBuffer(kMaxPortPoints)
{
    // The grid dots' colour.
    m_settings.m_swatchColour = RGB(0, 0, 255);
}

CPannexView::~CPannexView()
{
    ClearBackgroundImage();
}

CLayoutData* CPannexView::GetModel() const
{
    if (auto* doc = dynamic_cast<CPannexDoc*>(GetDocument()))
        return &doc->GetLayout();
    return m_pDetachedModel;
}

bool CPannexView::LampAtCurrentCell(int& port, int& lamp) const
{
    CLayoutData* model = GetModel();
    return model != nullptr && model->FindPointAt(m_currentCell, port, lamp);
}

CRect CPannexView::LayoutRectInClient(int clientWidth, int clientHeight, double zoom, CPoint pan)
{
    const int wp = static_cast<int>(zoom * LayoutWidth);
    const int hp = static_cast<int>(zoom * LayoutHeight);
    const int left = pan.x + (clientWidth - wp) / 2;
    const int top = pan.y + (clientHeight - hp) / 2;
    return CRect(left, top, left + wp, top + hp);
}

CLPoint CPannexView::PointFromClient(CPoint client) const
{
    const CRect rect = LayoutRectInClient();
    const int dx = client.x - rect.left;
    const int dy = client.y - rect.top;
    const double z = m_zoom;
    const double wp = rect.Width();
    const double hp = rect.Height();
    CLPoint result;
    result.x = static_cast<int>(dx / z) - (dx < 0 ? 1 : 0);
    result.y = static_cast<int>(dy / z) - (dy < 0 ? 1 : 0);
    result.m_normX = wp > 0 ? dx / wp : 0.0;
    result.m_normY = hp > 0 ? dy / hp : 0.0;
    const CLayoutData* model = GetModel();
    if (model == nullptr || wp <= 0 || hp <= 0)
        return result;
    const double tx = 0.5 * z / wp;
    const double ty = 0.5 * z / hp;
    for (int p = 0; p < model->GetPortCount(); ++p) {
        const LayoutPort& port = model->GetPort(p);
        // A lamp within half a cell lies in a neighbouring cell at most, so
        // a port whose cells are all further away is passed over.
        const CRect& b = port.GetBounds();
        if (port.GetCount() == 0 || result.x < b.left - 2 || result.x > b.right + 2 || result.y < b.top - 2
            || result.y > b.bottom + 2)
            continue;
        for (int i = 0; i < port.GetCount(); ++i) {
            const CLPoint& lamp = port.GetPoint(i);
            if (std::fabs(lamp.m_normX - result.m_normX) < tx && std::fabs(lamp.m_normY - result.m_normY) < ty)
                return lamp;
        }
    }
    return result;
}

CLPoint CPannexView::FirstVisibleCell() const
{
    const CRect rect = LayoutRectInClient();
    CLPoint cell = PointFromClient(CPoint(std::max(0L, rect.left), std::max(0L, rect.top)));
    // A layout panned wholly out of sight: its nearest cell.
    const int lastX = std::max(LayoutWidth - 1, 0);
    const int lastY = std::max(LayoutHeight - 1, 0);
    if (cell.x < 0 || cell.x > lastX) {
        cell.x = std::clamp(static_cast<int>(cell.x), 0, lastX);
        cell.m_normX = LayoutWidth > 0 ? (cell.x + 0.5) / LayoutWidth : 0.0;
    }
    if (cell.y < 0 || cell.y > lastY) {
        cell.y = std::clamp(static_cast<int>(cell.y), 0, lastY);
        cell.m_normY = LayoutHeight > 0 ? (cell.y + 0.5) / LayoutHeight : 0.0;
    }
    return cell;
}

void CPannexView::PanToPoint(const CPoint& cell, CPoint client, bool moveCursor)
{
    const double z = m_zoom;
    const int wp = static_cast<int>(z * LayoutWidth);
    const int hp = static_cast<int>(z * LayoutHeight);
    const int ox = (m_clientWidth - wp) / 2;
    const int oy = (m_clientHeight - hp) / 2;
    m_pan.x = client.x - static_cast<int>(cell.x * z + ox);
    m_pan.y = client.y - static_cast<int>(cell.y * z + oy);
    const CLPoint under = PointFromClient(client);
    if (under.x > cell.x)
        m_pan.x = static_cast<int>(m_pan.x + z);
    if (under.y > cell.y)
        m_pan.y = static_cast<int>(m_pan.y + z);
    m_pan.x = static_cast<int>(m_pan.x - z / 2);
    m_pan.y = static_cast<int>(m_pan.y - z / 2);
    Redraw();
    if (moveCursor && GetSafeHwnd() != nullptr) {
        POINT screen = client;
        ::ClientToScreen(m_hWnd, &screen);
        ::SetCursorPos(screen.x, screen.y);
    }
}

void CPannexView::BarToCardPort(int portIndex, int& controller, int& port) const
{
    const CControllerList& counts = m_settings.m_controllers;
    const int n = static_cast<int>(counts.GetSize());
    int remaining = portIndex;
    int passed = 0;
    // An index beyond the last controller is counted from the last
    // controller's first port.
    while (passed < n && remaining >= counts.GetAt(passed)) {
        if (passed == n - 1) {
            ++passed;
            break;
        }
        remaining -= counts.GetAt(passed);
        ++passed;
    }
    controller = passed + 1;
    port = remaining + 1;
}

void CPannexView::ResizeLayout(int width, int height)
{
    CLayoutData* model = GetModel();
    if (model == nullptr)
        return;
    width = static_cast<WORD>(width);
    height = static_cast<WORD>(height);
    // A layout without width or height has no fit zoom.
    if (width < 1 || height < 1)
        return;
    LayoutWidth = width;
    LayoutHeight = height;
    const int oldWidth = model->m_width;
    const int oldHeight = model->m_height;
    for (int p = 0; p < model->GetPortCount(); ++p) {
        LayoutPort& port = model->GetPort(p);
        bool moved = false;
        for (int i = 0; i < port.GetCount(); ++i) {
            CLPoint& lamp = port.EditPoint(i);
            if (width != oldWidth) {
                if (m_scaleToPage) {
                    lamp.x = static_cast<int>(width * lamp.m_normX);
                    moved = true;
                } else if (width > 0) {
                    lamp.m_normX = lamp.m_normX * oldWidth / width;
                }
            }
            if (height != oldHeight) {
                if (m_scaleToPage) {
                    lamp.y = static_cast<int>(height * lamp.m_normY);
                    moved = true;
                } else if (height > 0) {
                    lamp.m_normY = lamp.m_normY * oldHeight / height;
                }
            }
        }
        if (moved)
            port.UpdateBounds();
    }
    const double zx = static_cast<double>(m_clientWidth) / width;
    const double zy = static_cast<double>(m_clientHeight) / height;
    m_zoom = std::min(zy, zx);
    if (m_zoom <= 0)
        m_zoom = 1.0; // no client area yet
    m_fitZoom = m_zoom;
    m_pan = CPoint(0, 0);
}

void CPannexView::OnLayoutLoaded()
{
    m_loadedFile = 1;
    SetEditMode(0);
    // The list panel and the overview show the new layout.
    if (CMainFrame* frame = GetPannexFrame())
        frame->OnLayoutLoaded();
}

void CPannexView::ZoomAt(short delta, int x, int y)
{
    ZoomStep(delta, x, y, AlignToGrid != 0);
}

void CPannexView::ZoomStep(short delta, int x, int y, bool marker)
{
    const double z = m_zoom;
    double next = z;
    if (delta > 0) {
        if (z >= 151)
            return;
        next = z >= 1 ? z + 1 : z + 0.1;
        if (next > m_fitZoom && next > 1) {
            const int t = static_cast<int>(next);
            next = (t % 2 != 0) ? t : t + 1;
        }
    } else {
        if (z <= 0.2)
            return;
        next = z > 1.9 ? z - 1 : z - 0.1;
        if (z > m_fitZoom && next < m_fitZoom)
            next = m_fitZoom;
    }
    m_zoom = next;
    const CRect origin = LayoutRectInClient(m_clientWidth, m_clientHeight, next, CPoint(0, 0));
    const CLPoint cell = m_currentCell;
    m_pan.x = x - static_cast<int>(cell.x * next + origin.left);
    m_pan.y = y - static_cast<int>(cell.y * next + origin.top);
    const CLPoint under = PointFromClient(CPoint(x, y));
    if (under.x > cell.x)
        m_pan.x = static_cast<int>(m_pan.x + next);
    if (under.y > cell.y)
        m_pan.y = static_cast<int>(m_pan.y + next);
    m_pan.x = static_cast<int>(m_pan.x - next / 2);
    m_pan.y = static_cast<int>(m_pan.y - next / 2);
    Redraw();
    if (marker)
        DrawCursorMarker();
}

void CPannexView::DrawCursorMarker()
{
    m_cursorMarkerShown = 1;
    if (GetSafeHwnd() == nullptr)
        return;
    const CRect L = LayoutRectInClient();
    const int left = static_cast<int>(L.left + m_currentCell.x * m_zoom);
    const int top = static_cast<int>(L.top + m_currentCell.y * m_zoom);
    const int side = std::max(static_cast<int>(m_zoom), 1);
    CClientDC dc(this);
    HDC h = dc.GetSafeHdc();
    HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HGDIOBJ oldPen = ::SelectObject(h, pen);
    HGDIOBJ oldBrush = ::SelectObject(h, ::GetStockObject(BLACK_BRUSH));
    const int oldRop = ::SetROP2(h, R2_XORPEN);
    ::Ellipse(h, left, top, left + side, top + side);
    ::SetROP2(h, oldRop);
    ::SelectObject(h, oldBrush);
    ::SelectObject(h, oldPen);
    ::DeleteObject(pen);
}

void CPannexView::SetEditMode(int mode)
{
    m_editMode = static_cast<BYTE>(mode);
    CLayoutData* model = GetModel();
    if (mode == 0 || mode == 1) {
        if (model != nullptr) {
            for (int p = 0; p < model->GetPortCount(); ++p)
                model->GetPort(p).m_wiringMark = 0;
            if (mode == 1 && model->IsValidPort(m_currentPort))
                model->GetPort(m_currentPort).m_wiringMark = 1;
        }
        if (mode == 0) {
            m_rotationArmed = 0;
            m_rotationRunning = 0;
            m_rotationPreview.clear();
            m_straightenArmed = 0;
        }
    } else if (mode == 2 || mode == 3) {
        m_templateShown = 0;
    }
    if (model != nullptr)
        model->ClearSelection();
    m_movingLamp = 0;
    m_insertArmed = 0;
    Redraw();
}

void CPannexView::SelectBar(int port)
{
    CLayoutData* model = GetModel();
    if (model == nullptr || GetDocument() == nullptr)
        return;
    m_currentPort = port;
    if (m_editMode != 0 || !model->IsValidPort(port))
        return;
    model->ClearSelection();
    SelectPort(*model, port);
    model->m_activePort = port;
    RedrawSelection();
}

void CPannexView::ShowTemplate(bool show)
{
    m_templateShown = show ? 1 : 0;
    if (show)
        SetEditMode(0);
    else
        Redraw();
}

void CPannexView::Redraw()
{
    RepaintNow(false);
}

void CPannexView::RedrawSelection()
{
    RepaintNow(true);
}

void CPannexView::RepaintNow(bool selectionOnly)
{
    if (GetSafeHwnd() != nullptr) {
        CClientDC dc(this);
        if (selectionOnly)
            DrawSelectionChange(&dc);
        else
            DrawLayout(&dc);
        if (CMainFrame* frame = GetPannexFrame())
            frame->OnViewRedrawn();
    }
    // The paint covered the cursor marker and the rubber line.
    m_cursorMarkerShown = 0;
    m_rubberLineShown = 0;
}

void CPannexView::OnDraw(CDC* pDC)
{
    if (GetModel() == nullptr)
        return;
    DrawLayout(pDC);
    if (CMainFrame* frame = GetPannexFrame())
        frame->OnViewRedrawn();
}

BOOL CPannexView::OnEraseBkgnd(CDC*)
{
    // The drawing covers the whole client area.
    return TRUE;
}

void CPannexView::OnSize(UINT, int cx, int cy)
{
    m_clientWidth = cx;
    m_clientHeight = cy;
    CLayoutData* model = GetModel();
    // The first size of the window fits the layout into it.
    if (model != nullptr && m_zoom == 1.0 && m_fitZoom == 1.0 && cx > 0 && cy > 0)
        ResizeLayout(model->m_width, model->m_height);
}

void CPannexView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    CLayoutData* model = GetModel();
    CPannexApp* app = GetPannexApp();
    if (model == nullptr || app == nullptr)
        return;
    if (app->m_bHidden) {
        // The generated-grid run: the project comes from the command line,
        // the display and wiring options from the settings dialog's defaults.
        const CProjSetDlg& defaults = m_projSetDlg;
        m_scaleToPage = defaults.m_bScaleToPage;
        AlignToGrid = defaults.m_bAlignToGrid;
        m_settings.m_showGrid = defaults.m_bShowGrid;
        m_settings.m_allowOverlap = defaults.m_bOverlap;
        m_settings.m_allowMaxLamps = defaults.m_bAllowMax;
        m_settings.m_randomColours = defaults.m_bRandomColours;
        m_settings.m_swatchColour = defaults.m_crColour;
        m_settings.m_doubleSided = defaults.m_bDoubleSided;
        m_settings.m_dataOffset = defaults.m_nDataOffset;
        const int width = app->m_nWidth;
        const int height = app->m_nHeight;
        ResizeLayout(width, height);
        LampTypeList.RemoveAll();
        LampTypeList.Add(L"RGB");
        m_settings.m_lampFormat = L"RGB";
        model->m_width = width;
        model->m_height = height;
        const int ports = std::max(app->m_nPortsPerController, 1);
        m_settings.m_portsPerController = ports;
        m_settings.m_channelsPerPort = app->m_nChannelsPerPort;
        m_settings.m_lampsPerPort = app->m_nChannelsPerPort;
        int controllers = (height + ports - 1) / ports;
        controllers = std::min(controllers, app->m_nControllerCap);
        controllers = std::max(controllers, 1);
        CString type;
        type.Format(L"%d%s %d%s", ports, GetLangText(L"LAYOUT", 169).GetString(), app->m_nChannelsPerPort,
            GetLangText(L"LAYOUT", 170).GetString());
        m_settings.m_controllerModel = type;
        m_controllerTypes.Add(type);
        if (model->ResetPorts(controllers * ports, std::max(m_settings.m_lampsPerPort, 1), L"RGB", 0))
            m_settings.SetControllers(controllers, ports);
        return;
    }
    if (!m_coordinateTip && GetSafeHwnd() != nullptr) {
        // The coordinate tip lives as long as the view; mouse moves show it
        // while the project asks for it.
        auto tip = std::make_unique<CShowPointDlg>();
        if (tip->CreateIn(this)) {
            POINT centre = { m_clientWidth / 2, m_clientHeight / 2 };
            ::ClientToScreen(m_hWnd, &centre);
            tip->SetWindowPos(nullptr, centre.x, centre.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            m_coordinateTip = std::move(tip);
        }
    }
    if (!m_loadedFile && !app->m_bFileNamed) {
        // The command line's size applies to the first start only.
        if (app->m_nWidth != 0 && app->m_nHeight != 0) {
            LayoutWidth = app->m_nWidth;
            LayoutHeight = app->m_nHeight;
            app->m_nWidth = 0;
            app->m_nHeight = 0;
        }
        m_settings.m_controllerModel = FormatControllerType(app->m_nPortsPerController, GetLangText(L"LAYOUT", 169),
            app->m_nChannelsPerPort, GetLangText(L"LAYOUT", 170));
        m_currentPort = 0;
        if (LightBoxMode)
            SetupLightBoxProject();
        else
            SetupProject(false);
    }
    if (!m_loadedFile && !app->m_bFileNamed && !app->m_strDxfPath.IsEmpty()) {
        // A drawing named on the command line is imported once.
        const CString dxf = app->m_strDxfPath;
        app->m_strDxfPath.Empty();
        ImportDxf(dxf);
    }
    m_loadedFile = 0;
}

void CPannexView::ClearBackgroundImage()
{
    if (m_bkDC != nullptr) {
        ::SelectObject(m_bkDC, m_bkOldBitmap);
        ::DeleteDC(m_bkDC);
        m_bkDC = nullptr;
    }
    if (m_bkBitmap != nullptr) {
        ::DeleteObject(m_bkBitmap);
        m_bkBitmap = nullptr;
    }
    m_bkWidth = m_bkHeight = 0;
}

bool CPannexView::SetBackgroundImage(HBITMAP bitmap)
{
    ClearBackgroundImage();
    BITMAP info = {};
    if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof(info), &info) == 0)
        return false;
    auto copy = static_cast<HBITMAP>(::CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (copy == nullptr)
        return false;
    m_bkDC = ::CreateCompatibleDC(nullptr);
    if (m_bkDC == nullptr) {
        ::DeleteObject(copy);
        return false;
    }
    m_bkBitmap = copy;
    m_bkOldBitmap = ::SelectObject(m_bkDC, m_bkBitmap);
    m_bkWidth = info.bmWidth;
    m_bkHeight = std::abs(info.bmHeight);
    return true;
}

void CropLayoutToLamps(CPannexView& view, CLayoutData& model)
{
    const int w = LayoutWidth;
    const int h = LayoutHeight;
    double minX = 100000.0;
    double minY = 100000.0;
    for (int p = 0; p < model.GetPortCount(); ++p) {
        const LayoutPort& port = model.GetPort(p);
        for (int i = 0; i < port.GetCount(); ++i) {
            minX = std::min(minX, port.GetPoint(i).m_normX);
            minY = std::min(minY, port.GetPoint(i).m_normY);
        }
    }
    int maxX = 0;
    int maxY = 0;
    for (int p = 0; p < model.GetPortCount(); ++p) {
        LayoutPort& port = model.GetPort(p);
        for (int i = 0; i < port.GetCount(); ++i) {
            CLPoint& lamp = port.EditPoint(i);
            lamp.m_normX = lamp.m_normX - minX + 0.5 / w;
            lamp.m_normY = lamp.m_normY - minY + 0.5 / h;
            lamp.x = static_cast<int>(lamp.m_normX * w);
            lamp.y = static_cast<int>(lamp.m_normY * h);
            maxX = std::max<int>(maxX, lamp.x);
            maxY = std::max<int>(maxY, lamp.y);
        }
        port.UpdateBounds();
    }
    view.m_scaleToPage = 0;
    view.ResizeLayout(maxX + 1, maxY + 1);
    model.m_width = maxX + 1;
    model.m_height = maxY + 1;
    // The lamps moved and the size changed: the layout needs saving.
    model.m_modified = 1;
    view.Redraw();
}
