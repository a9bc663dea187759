// The overview thumbnail (see LShowStatic.h).
#include "LShowStatic.h"

#include <algorithm>
#include <cmath>

#include "LayoutData.h"
#include "LayoutProjectSettings.h"
#include "ListPanelHost.h"
#include "MainFrm.h"
#include "PannexView.h"

IMPLEMENT_DYNAMIC(CLShowStatic, CStatic)

BEGIN_MESSAGE_MAP(CLShowStatic, CStatic)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {
constexpr COLORREF kSilver = RGB(192, 192, 192);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
} // namespace

OverviewPlacement PlaceOverview(int cw, int ch, int width, int height)
{
    OverviewPlacement p;
    width = std::max(width, 1);
    height = std::max(height, 1);
    p.scale = static_cast<double>(ch) / height;
    const double across = static_cast<double>(cw) / width;
    if (across < p.scale)
        p.scale = across;
    const int w = static_cast<int>(width * p.scale);
    const int h = static_cast<int>(height * p.scale);
    p.drawn.left = (cw - w) / 2;
    p.drawn.top = (ch - h) / 2;
    p.drawn.right = p.drawn.left + w;
    p.drawn.bottom = p.drawn.top + h;
    return p;
}

CPoint OverviewCellAt(CPoint point, const OverviewPlacement& placement)
{
    if (placement.scale <= 0)
        return CPoint(0, 0);
    return CPoint(static_cast<int>((point.x - placement.drawn.left) / placement.scale),
        static_cast<int>((point.y - placement.drawn.top) / placement.scale));
}

CPoint OverviewPixelOf(int x, int y, const OverviewPlacement& placement)
{
    const int o = static_cast<int>(placement.scale) / 2;
    return CPoint(static_cast<int>(placement.drawn.left + o + placement.scale * x),
        static_cast<int>(placement.drawn.top + o + placement.scale * y));
}

CRect OverviewViewFrame(
    int vw, int vh, int tw, int th, const OverviewPlacement& placement, double fitZoom, double zoom, CPoint pan)
{
    if (vw <= 0 || vh <= 0 || tw <= 0 || th <= 0 || zoom <= 0)
        return CRect(0, 0, 0, 0);
    double s = std::min(static_cast<double>(th) / vh, static_cast<double>(tw) / vw);
    int m = static_cast<int>(vw * s);
    int n = static_cast<int>(vh * s);
    const int dw = placement.drawn.Width();
    const int dh = placement.drawn.Height();
    if (m > 0 && m < dw) {
        const double g = static_cast<double>(dw) / m;
        n = static_cast<int>(g * n);
        m = dw;
        s *= g;
    }
    if (n > 0 && n < dh) {
        const double g = static_cast<double>(dh) / n;
        m = static_cast<int>(g * m);
        n = dh;
        s *= g;
    }
    const double l = fitZoom / zoom;
    const int w = static_cast<int>(l * m);
    const int h = static_cast<int>(l * n);
    CRect frame;
    frame.left = static_cast<int>((tw - w) / 2 - s * (l * pan.x));
    frame.top = static_cast<int>((th - h) / 2 - s * (l * pan.y));
    frame.right = frame.left + w;
    frame.bottom = frame.top + h;
    return frame;
}

void DrawOverviewPorts(HDC dc, const CLayoutData& model, const OverviewPlacement& placement)
{
    auto line = [&](const CLPoint& from, const CLPoint& to) {
        const CPoint a = OverviewPixelOf(from.x, from.y, placement);
        const CPoint b = OverviewPixelOf(to.x, to.y, placement);
        ::MoveToEx(dc, a.x, a.y, nullptr);
        ::LineTo(dc, b.x, b.y);
    };
    for (int u = 0; u < model.GetUsedCount(); ++u) {
        const int index = model.GetUsedPort(u);
        if (index < 0 || index >= model.GetPortCount())
            continue;
        const LayoutPort& port = model.GetPort(index);
        const int count = port.GetCount();
        if (count <= 1)
            continue;
        const CLPoint* p = port.GetPoints();
        // A chain is drawn as straight runs: a row or column of lamps is one
        // line from its lowest to its highest lamp.
        int start = 0, low = 0, high = 0;
        int state = 0; // 0 no direction, 1 vertical, 2 horizontal
        auto widen = [&](int m, bool vertical) {
            const int key = vertical ? p[m].y : p[m].x;
            if (key < (vertical ? p[low].y : p[low].x))
                low = m;
            if (key > (vertical ? p[high].y : p[high].x))
                high = m;
        };
        for (int m = 1; m < count; ++m) {
            if (state == 0) {
                if (p[m].x == p[start].x) {
                    state = 1;
                    widen(m, true);
                } else if (p[m].y == p[start].y) {
                    state = 2;
                    widen(m, false);
                } else {
                    line(p[low], p[m]);
                    start = low = high = m;
                }
                continue;
            }
            const bool continues = state == 1 ? p[m].x == p[start].x : p[m].y == p[start].y;
            if (continues) {
                widen(m, state == 1);
                continue;
            }
            line(p[low], p[high]);
            line(p[high], p[m - 1]);
            line(p[m - 1], p[m]);
            state = 0;
            start = low = high = m;
        }
        line(p[low], p[high]);
    }
}

void GetOverviewSignature(const CLayoutData& model, OverviewSignature& out)
{
    out.clear();
    for (int u = 0; u < model.GetUsedCount(); ++u) {
        const int index = model.GetUsedPort(u);
        if (model.IsValidPort(index))
            out.emplace_back(index, model.GetPort(index).GetRevision());
    }
}

CLShowStatic::CLShowStatic()
{
    m_clickedCell.m_normX = kUnsetNormalised;
    m_clickedCell.m_normY = kUnsetNormalised;
}

CLShowStatic::~CLShowStatic()
{
    ReleaseBackBuffer();
}

void CLShowStatic::PreSubclassWindow()
{
    // A static reports the mouse only with this style.
    ModifyStyle(0, SS_NOTIFY);
    CStatic::PreSubclassWindow();
}

CPannexView* CLShowStatic::GetView() const
{
    if (m_pAttachedView != nullptr)
        return m_pAttachedView;
    CWinApp* app = AfxGetApp();
    auto* frame = app != nullptr ? dynamic_cast<CMainFrame*>(app->m_pMainWnd) : nullptr;
    return frame != nullptr ? frame->GetPannexView() : nullptr;
}

CSize CLShowStatic::ClientSize() const
{
    CRect rc;
    if (GetSafeHwnd() != nullptr)
        GetClientRect(&rc);
    return rc.Size();
}

void CLShowStatic::Place()
{
    const CSize size = ClientSize();
    m_placement = PlaceOverview(size.cx, size.cy, m_layoutWidth, m_layoutHeight);
}

void CLShowStatic::SetLayoutSize(int width, int height)
{
    m_layoutWidth = width;
    m_layoutHeight = height;
    Place();
    Redraw();
}

void CLShowStatic::ReleaseBackBuffer()
{
    if (m_backDC != nullptr) {
        ::SelectObject(m_backDC, m_oldBitmap);
        ::DeleteDC(m_backDC);
        m_backDC = nullptr;
    }
    if (m_backBitmap != nullptr) {
        ::DeleteObject(m_backBitmap);
        m_backBitmap = nullptr;
    }
    m_oldBitmap = nullptr;
    m_backSize = CSize(0, 0);
}

void CLShowStatic::CreateBackBuffer()
{
    ReleaseBackBuffer();
    const CSize size = ClientSize();
    if (size.cx <= 0 || size.cy <= 0)
        return;
    HDC screen = ::GetDC(nullptr);
    m_backDC = ::CreateCompatibleDC(screen);
    m_backBitmap = ::CreateCompatibleBitmap(screen, size.cx, size.cy);
    ::ReleaseDC(nullptr, screen);
    if (m_backDC == nullptr || m_backBitmap == nullptr) {
        ReleaseBackBuffer();
        return;
    }
    m_oldBitmap = ::SelectObject(m_backDC, m_backBitmap);
    m_backSize = size;
}

void CLShowStatic::DrawThumbnail(CDC* pDC)
{
    CPannexView* view = GetView();
    CLayoutData* model = view != nullptr ? view->GetModel() : nullptr;
    if (model == nullptr)
        return;
    if (m_backDC == nullptr || m_backSize != ClientSize())
        CreateBackBuffer();
    if (m_backDC == nullptr)
        return;
    const RECT all = { 0, 0, m_backSize.cx, m_backSize.cy };
    ::SetBkColor(m_backDC, kSilver);
    ::ExtTextOutW(m_backDC, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    ::SetBkColor(m_backDC, RGB(0, 0, 0));
    ::ExtTextOutW(m_backDC, 0, 0, ETO_OPAQUE, &m_placement.drawn, nullptr, 0, nullptr);
    HPEN pen = ::CreatePen(PS_SOLID, 1, kYellow);
    HGDIOBJ oldPen = ::SelectObject(m_backDC, pen);
    DrawOverviewPorts(m_backDC, *model, m_placement);
    ::SelectObject(m_backDC, oldPen);
    ::DeleteObject(pen);
    m_paintedModel = model;
    GetOverviewSignature(*model, m_paintedSignature);
    if (pDC != nullptr)
        ::BitBlt(pDC->GetSafeHdc(), 0, 0, m_backSize.cx, m_backSize.cy, m_backDC, 0, 0, SRCCOPY);
}

void CLShowStatic::DrawViewFrame(CDC* pDC)
{
    CPannexView* view = GetView();
    if (view == nullptr || view->GetModel() == nullptr || pDC == nullptr)
        return;
    if (m_backDC == nullptr || m_backSize != ClientSize())
        DrawThumbnail(nullptr);
    if (m_backDC == nullptr)
        return;
    ::BitBlt(pDC->GetSafeHdc(), 0, 0, m_backSize.cx, m_backSize.cy, m_backDC, 0, 0, SRCCOPY);
    const CRect frame = OverviewViewFrame(view->m_clientWidth, view->m_clientHeight, m_backSize.cx, m_backSize.cy,
        m_placement, view->m_fitZoom, view->m_zoom, view->m_pan);
    HBRUSH blue = ::CreateSolidBrush(kBlue);
    ::FrameRect(pDC->GetSafeHdc(), &frame, blue);
    ::DeleteObject(blue);
}

void CLShowStatic::Redraw()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CClientDC dc(this);
    DrawThumbnail(&dc);
    DrawViewFrame(&dc);
}

void CLShowStatic::FollowView(int width, int height)
{
    if (GetSafeHwnd() == nullptr)
        return;
    CPannexView* view = GetView();
    const CLayoutData* model = view != nullptr ? view->GetModel() : nullptr;
    if (model == nullptr)
        return;
    bool stale = m_backDC == nullptr || m_backSize != ClientSize() || model != m_paintedModel;
    if (width != m_layoutWidth || height != m_layoutHeight) {
        m_layoutWidth = width;
        m_layoutHeight = height;
        Place();
        stale = true;
    }
    if (!stale) {
        GetOverviewSignature(*model, m_currentSignature);
        stale = m_currentSignature != m_paintedSignature;
    }
    CClientDC dc(this);
    if (stale)
        DrawThumbnail(nullptr);
    DrawViewFrame(&dc);
}

void CLShowStatic::OnPaint()
{
    CPaintDC dc(this);
    if (GetView() == nullptr || GetView()->GetModel() == nullptr) {
        CRect rc;
        GetClientRect(&rc);
        dc.FillSolidRect(&rc, kSilver);
        return;
    }
    DrawThumbnail(&dc);
    DrawViewFrame(&dc);
}

BOOL CLShowStatic::OnEraseBkgnd(CDC*)
{
    return TRUE; // the back buffer covers the control
}

void CLShowStatic::OnSize(UINT, int, int)
{
    // The buffer follows the control, so a pane that grows shows the whole
    // thumbnail.
    Place();
    CreateBackBuffer();
    Invalidate();
}

void CLShowStatic::PointAt(CPoint point)
{
    const CPoint cell = OverviewCellAt(point, m_placement);
    m_clickedCell.x = cell.x;
    m_clickedCell.y = cell.y;
    if (CPannexView* view = GetView())
        view->PanToPoint(cell, CPoint(view->m_clientWidth / 2, view->m_clientHeight / 2), false);
    Redraw();
}

void CLShowStatic::OnLButtonDown(UINT, CPoint point)
{
    PointAt(point);
    m_dragging = 1;
    SetCapture();
}

void CLShowStatic::OnMouseMove(UINT, CPoint point)
{
    if (m_dragging != 0)
        PointAt(point);
}

void CLShowStatic::OnLButtonUp(UINT, CPoint)
{
    m_dragging = 0;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CLShowStatic::OnDestroy()
{
    ReleaseBackBuffer();
    CStatic::OnDestroy();
}
