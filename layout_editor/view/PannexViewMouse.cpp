// Mouse editing in the layout view: pointer tracking, selecting, dragging
// lamps, wiring by clicks, rectangles, lines and strokes, the fast-wiring
// rectangle, panning and the right-button prompts. Every change of the
// layout is one model operation (one undo step), then the view updates.
#include "PannexView.h"

#include <algorithm>

#include "EditorSettings.h"
#include "LampTypeList.h"
#include "LayoutAddPoints.h"
#include "LayoutLangText.h"
#include "LayoutSelection.h"
#include "LayoutViewDialogs.h"

namespace {

constexpr COLORREF kMarkerRed = RGB(255, 0, 0);
constexpr COLORREF kMarkerYellow = RGB(255, 255, 0);

// An XOR painter on the view's client area; does nothing without a window.
class CXorPainter {
public:
    CXorPainter(CWnd& wnd, COLORREF colour)
        : m_hWnd(wnd.GetSafeHwnd())
    {
        if (m_hWnd == nullptr)
            return;
        m_dc = ::GetDC(m_hWnd);
        m_pen = ::CreatePen(PS_SOLID, 1, colour);
        m_oldPen = ::SelectObject(m_dc, m_pen);
        m_oldBrush = ::SelectObject(m_dc, ::GetStockObject(BLACK_BRUSH));
        m_oldRop = ::SetROP2(m_dc, R2_XORPEN);
    }
    ~CXorPainter()
    {
        if (m_dc == nullptr)
            return;
        ::SetROP2(m_dc, m_oldRop);
        ::SelectObject(m_dc, m_oldBrush);
        ::SelectObject(m_dc, m_oldPen);
        ::DeleteObject(m_pen);
        ::ReleaseDC(m_hWnd, m_dc);
    }
    CXorPainter(const CXorPainter&) = delete;
    CXorPainter& operator=(const CXorPainter&) = delete;

    void Ellipse(const CRect& r) const
    {
        if (m_dc != nullptr)
            ::Ellipse(m_dc, r.left, r.top, r.right, r.bottom);
    }
    void Line(CPoint a, CPoint b) const
    {
        if (m_dc == nullptr)
            return;
        ::MoveToEx(m_dc, a.x, a.y, nullptr);
        ::LineTo(m_dc, b.x, b.y);
    }
    void Frame(const CRect& r) const
    {
        if (m_dc == nullptr || r.IsRectEmpty())
            return;
        HGDIOBJ old = ::SelectObject(m_dc, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(m_dc, r.left, r.top, r.right, r.bottom);
        ::SelectObject(m_dc, old);
    }

private:
    HWND m_hWnd = nullptr;
    HDC m_dc = nullptr;
    HPEN m_pen = nullptr;
    HGDIOBJ m_oldPen = nullptr;
    HGDIOBJ m_oldBrush = nullptr;
    int m_oldRop = 0;
};

CRect NormalRect(CPoint a, CPoint b)
{
    return CRect(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y));
}

// Cells [min, max + 1) of the two cells in both axes.
CRect CellSpan(const CPoint& a, const CPoint& b)
{
    return CRect(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1);
}

bool HasSelection(const CLayoutData& model)
{
    return !model.m_selectedPorts.empty();
}

} // namespace

// --- Geometry of the gesture feedback -----------------------------------------

namespace {

// The pixel square of a cell (grid-aligned form, or centred on the lamp's
// normalised position when not aligned).
CRect CellSquare(const CPannexView& view, const CLPoint& cell, bool aligned)
{
    const CRect L = view.LayoutRectInClient();
    const double z = view.m_zoom;
    int left = 0;
    int top = 0;
    if (aligned) {
        left = static_cast<int>(L.left + cell.x * z);
        top = static_cast<int>(L.top + cell.y * z);
    } else {
        left = static_cast<int>(L.Width() * cell.m_normX + L.left - z / 2);
        top = static_cast<int>(L.Height() * cell.m_normY + L.top - z / 2);
    }
    const int side = std::max(static_cast<int>(z), 1);
    return CRect(left, top, left + side, top + side);
}

CPoint CellCentre(const CPannexView& view, const CLPoint& cell)
{
    return CellSquare(view, cell, AlignToGrid != 0).CenterPoint();
}

} // namespace

// --- Pointer tracking ------------------------------------------------------------

void CPannexView::OnMouseMove(UINT, CPoint point)
{
    if (GetSafeHwnd() != nullptr && ::GetFocus() != m_hWnd)
        SetFocus();
    m_lastMouse = point;
    m_movedSinceRight = 1;
    const CLPoint previous = m_currentCell;
    m_currentCell = PointFromClient(point);
    const bool newCell = !m_currentCell.SameCell(previous);
    CLayoutData* model = GetModel();
    if (model == nullptr)
        return;
    const bool portValid = model->IsValidPort(m_currentPort);

    // Status: the 1-based cell, in mode 1 also the offset from the port's
    // last lamp, and the lamp's own type when it has one.
    CString status;
    if (m_editMode == 1 && portValid && model->GetPort(m_currentPort).GetCount() > 0) {
        const LayoutPort& port = model->GetPort(m_currentPort);
        const CLPoint& last = port.GetPoint(port.GetCount() - 1);
        status.Format(L"X:%d   Y:%d    Offset(X:%d   Y:%d)", m_currentCell.x + 1, m_currentCell.y + 1,
            m_currentCell.x - last.x, m_currentCell.y - last.y);
    } else {
        status.Format(L"X:%d   Y:%d", m_currentCell.x + 1, m_currentCell.y + 1);
    }
    const int type = m_currentCell.m_lampFormat;
    if (type > 0 && type <= LampTypeList.GetSize())
        status += L"    " + LampTypeList.GetAt(type - 1);
    SetStatusText(1, status);

    auto pan = [&] {
        if (point != m_lastPan) {
            m_pan.x += point.x - m_lastPan.x;
            m_pan.y += point.y - m_lastPan.y;
            m_lastPan = point;
            Redraw();
        }
    };

    if (m_editMode == 2 || m_editMode == 3) {
        if (m_rightDown)
            pan();
        else
            Redraw(); // the floating grid or the fast rectangle follows the cursor
    } else if (m_leftDown) {
        if (m_templateHit) {
            const double z = m_zoom;
            const CRect L = LayoutRectInClient();
            CRect outline;
            if (AlignToGrid) {
                outline.left = static_cast<int>(L.left + (m_copyBuffer.m_left + m_currentCell.x - m_pressCell.x) * z);
                outline.top = static_cast<int>(L.top + (m_copyBuffer.m_top + m_currentCell.y - m_pressCell.y) * z);
            } else {
                outline.left = static_cast<int>(
                    (m_copyBuffer.m_leastNormX + m_currentCell.m_normX - m_pressCell.m_normX) * L.Width() + L.left
                    - z / 2);
                outline.top = static_cast<int>(
                    (m_copyBuffer.m_leastNormY + m_currentCell.m_normY - m_pressCell.m_normY) * L.Height() + L.top
                    - z / 2);
            }
            outline.right = outline.left + static_cast<int>(m_copyBuffer.m_width * z);
            outline.bottom = outline.top + static_cast<int>(m_copyBuffer.m_height * z);
            CXorPainter xor_(*this, RGB(255, 255, 255));
            if (m_dragRectShown)
                xor_.Frame(m_prevDragRect);
            xor_.Frame(outline);
            m_prevDragRect = outline;
            m_dragRectShown = 1;
        } else {
            // The band from the pressed cell to the current one; the drag
            // direction, measured against the pressed cell's top-left pixel,
            // picks the corner the wiring starts from.
            const CRect here = CellSquare(*this, m_currentCell, true);
            const CRect pressed = CellSquare(*this, m_pressCell, true);
            CRect band = m_dragRect;
            if (point.x > m_pressOrigin.x && point.y > m_pressOrigin.y) {
                m_startCorner = kCornerTopLeft;
                band = NormalRect(pressed.TopLeft(), here.BottomRight());
            } else if (point.x < m_pressOrigin.x && point.y < m_pressOrigin.y) {
                m_startCorner = kCornerBottomRight;
                band = NormalRect(pressed.BottomRight(), here.TopLeft());
            } else if (point.x < m_pressOrigin.x && point.y > m_pressOrigin.y) {
                m_startCorner = kCornerTopRight;
                band = NormalRect(CPoint(pressed.right, pressed.top), CPoint(here.left, here.bottom));
            } else if (point.x > m_pressOrigin.x && point.y < m_pressOrigin.y) {
                m_startCorner = kCornerBottomLeft;
                band = NormalRect(CPoint(pressed.left, pressed.bottom), CPoint(here.right, here.top));
            }
            m_dragRect = band;
            auto drawBand = [&](bool erase) {
                CXorPainter xor_(*this, RGB(255, 255, 255));
                if (erase && m_dragRectShown)
                    xor_.Frame(m_prevDragRect);
                xor_.Frame(band);
                m_prevDragRect = band;
                m_dragRectShown = 1;
            };
            if ((m_editMode == 0 && !m_movingLamp) || m_shiftHeld) {
                drawBand(true);
            } else if (m_editMode == 1 && !m_movingLamp && newCell) {
                if (ManualTracing) {
                    if (ContinuePointStroke(*model, m_settings.m_allowOverlap != 0, m_currentCell, m_currentPort) > 0)
                        Redraw();
                } else {
                    const CRect span = CellSpan(m_pressCell, m_currentCell);
                    m_previewCount = AddRectangleWiring(*model, m_wiringDirection, m_wiringAlternation, m_startCorner,
                        m_currentPort, m_settings.m_allowOverlap != 0, &m_previewBuffer, span.left, span.top,
                        span.right, span.bottom);
                    // Two lamps in a column switch later rectangles to
                    // columns; two in a row switch them back to rows.
                    if (m_previewCount == 2)
                        m_wiringDirection = m_previewBuffer[0].y != m_previewBuffer[1].y ? 1 : 0;
                    if (m_previewCount > 0) {
                        Redraw();
                        m_dragRectShown = 0;
                        drawBand(false);
                    } else {
                        drawBand(true);
                    }
                }
            }
        }
    } else if (m_rightDown) {
        pan();
    } else if ((m_shiftHeld || m_tabHeld) && m_editMode == 1) {
        m_previewCount = AddLineOfPoints(
            *model, m_currentPort, m_settings.m_allowOverlap != 0, 0, &m_previewBuffer, m_currentCell);
        if (m_previewCount > 0)
            Redraw();
    } else if (m_rotationRunning) {
        const double angle = AngleTo(m_rotationCentre, m_currentCell, AlignToGrid != 0) - m_rotationStartAngle;
        model->RotateSelection(&m_rotationPreview, angle, m_rotationCentre);
        Redraw();
    }

    // Cursor feedback: the marker on the current cell, and the line from
    // the wired port's last lamp to the cursor.
    if (!m_rightDown && !m_shiftHeld) {
        if (m_editMode == 0 && m_movingLamp && !m_currentCell.SameCell(m_pressCell) && HasSelection(*model))
            Redraw(); // shows the selection at its new place
        const bool yellow = m_movingLamp || m_insertArmed;
        CXorPainter xor_(*this, yellow ? kMarkerYellow : kMarkerRed);
        if (m_cursorMarkerShown)
            xor_.Ellipse(CellSquare(*this, previous, AlignToGrid != 0));
        xor_.Ellipse(CellSquare(*this, m_currentCell, AlignToGrid != 0));
        m_cursorMarkerShown = 1;
        if (m_editMode == 1 && !m_leftDown && !m_insertArmed && portValid
            && model->GetPort(m_currentPort).GetCount() > 0) {
            const LayoutPort& port = model->GetPort(m_currentPort);
            const CPoint last = CellCentre(*this, port.GetPoint(port.GetCount() - 1));
            CXorPainter line(*this, port.m_colour);
            if (m_rubberLineShown)
                line.Line(CellCentre(*this, previous), last);
            line.Line(CellCentre(*this, m_currentCell), last);
            m_rubberLineShown = 1;
        }
        if (m_insertArmed && model->IsValidPort(m_insertPort - 1)) {
            // The new lamp between its neighbours-to-be.
            const LayoutPort& port = model->GetPort(m_insertPort - 1);
            CXorPainter line(*this, kMarkerYellow);
            auto draw = [&](const CLPoint& at) {
                if (m_insertLamp - 1 >= 0 && m_insertLamp - 1 < port.GetCount())
                    line.Line(CellCentre(*this, at), CellCentre(*this, port.GetPoint(m_insertLamp - 1)));
                if (m_insertLamp >= 2 && m_insertLamp - 2 < port.GetCount())
                    line.Line(CellCentre(*this, at), CellCentre(*this, port.GetPoint(m_insertLamp - 2)));
            };
            if (m_rubberLineShown)
                draw(previous);
            draw(m_currentCell);
            m_rubberLineShown = 1;
        }
        if (m_measureArmed && m_measureClicks == 1) {
            CXorPainter line(*this, kMarkerRed);
            if (m_rubberLineShown)
                line.Line(CellCentre(*this, previous), CellCentre(*this, m_pressCell));
            line.Line(CellCentre(*this, m_currentCell), CellCentre(*this, m_pressCell));
            m_rubberLineShown = 1;
        }
    }
    UpdateCoordinateTip(point);
}

// --- Left button -----------------------------------------------------------------

void CPannexView::OnLButtonDown(UINT, CPoint point)
{
    // A click in the view gives it the keys (shortcuts, Delete, Esc) even
    // when the pointer came from elsewhere without a move over the view.
    if (GetSafeHwnd() != nullptr && ::GetFocus() != m_hWnd)
        SetFocus();
    if (LayoutLock)
        return;
    m_lastMouse = point;
    m_currentCell = PointFromClient(point);
    const CRect pressed = CellSquare(*this, m_currentCell, true);
    m_dragRect = pressed;
    m_prevDragRect = pressed;
    m_pressOrigin = pressed.TopLeft();
    m_dragRectShown = 0;
    CLayoutData* model = GetModel();
    if (model == nullptr)
        return;

    if (m_measureArmed) {
        ++m_measureClicks;
        if (m_measureClicks == 1) {
            m_pressCell = m_currentCell;
            m_rubberLineShown = 0;
            return;
        }
        const CString text = MeasureText(m_pressCell, m_currentCell);
        m_measureArmed = 0;
        m_measureClicks = 0;
        AfxGetUiHost().MessageBox(GetSafeHwnd(), text, GetLangText(L"LAYOUT", 162), MB_OK);
        Redraw();
        return;
    }

    m_pressCell = m_currentCell;
    m_templateHit = 0;
    if (m_editMode == 0 || m_editMode == 1) {
        m_leftDown = 1;
        const CRect templ(m_copyBuffer.m_left, m_copyBuffer.m_top, m_copyBuffer.m_left + m_copyBuffer.m_width,
            m_copyBuffer.m_top + m_copyBuffer.m_height);
        if (m_templateShown && templ.PtInRect(m_pressCell)) {
            m_templateHit = 1;
        } else if (!m_insertArmed) {
            int port = 0;
            int lamp = 0;
            model->FindPointAt(m_pressCell, port, lamp);
            m_hitPort = port;
            m_hitLamp = lamp;
            if (port == 0) {
                m_movingLamp = 0;
                if (m_editMode == 1 && ManualTracing && !m_shiftHeld
                    && BeginPointStroke(*model, m_currentPort, m_settings.m_allowOverlap != 0, m_pressCell) == 1)
                    UpdateAfterEdit();
            } else {
                m_movingLamp = (m_rotationRunning || m_straightenArmed) ? 0 : 1;
            }
        }
        if (GetSafeHwnd() != nullptr)
            SetCapture();
    }

    // Every lamp on the pressed cell as [controller, port, lamp].
    CDWordArray hits;
    model->CollectPortsAtPoint(m_pressCell, hits);
    CString list;
    for (INT_PTR i = 0; i < hits.GetSize(); ++i) {
        const DWORD entry = hits.GetAt(i);
        int controller = 0;
        int portInController = 0;
        BarToCardPort(static_cast<int>(HIWORD(entry)) - 1, controller, portInController);
        CString item;
        item.Format(L"[%d, %d, %d]    ", controller, portInController, static_cast<int>(LOWORD(entry)));
        list += item;
    }
    SetStatusText(0, list);
}

void CPannexView::OnLButtonUp(UINT, CPoint point)
{
    m_lastMouse = point;
    m_currentCell = PointFromClient(point);
    m_previewCount = 0;
    CLayoutData* model = GetModel();
    if (model == nullptr)
        return;
    const bool overlap = m_settings.m_allowOverlap != 0;
    m_rangeSelected = 0;

    if (m_editMode == 2) {
        // A locked layout takes no lamps, whichever button event comes.
        if (!LayoutLock && DropTemplate(true, m_currentCell) != 0) {
            SetEditMode(0);
            UpdateAfterEdit();
        }
    } else if (m_editMode == 3) {
        if (!LayoutLock)
            FillFastRectangle(m_currentCell);
    } else if ((m_editMode == 0 || m_editMode == 1) && m_leftDown) {
        if (GetSafeHwnd() != nullptr && ::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        m_leftDown = 0;
        bool later = false;
        if (m_templateHit) {
            if (m_dragRectShown) {
                CXorPainter xor_(*this, RGB(255, 255, 255));
                xor_.Frame(m_prevDragRect);
                m_dragRectShown = 0;
            }
            m_copyBuffer.m_left += m_currentCell.x - m_pressCell.x;
            m_copyBuffer.m_top += m_currentCell.y - m_pressCell.y;
            m_copyBuffer.m_leastNormX += m_currentCell.m_normX - m_pressCell.m_normX;
            m_copyBuffer.m_leastNormY += m_currentCell.m_normY - m_pressCell.m_normY;
            Redraw();
        } else if (m_insertArmed) {
            if (InsertPointAt(*model, m_insertLamp - 1, m_currentCell, m_insertPort - 1) > 0)
                UpdateAfterEdit();
            else
                Redraw();
        } else if (m_movingLamp || m_rotationRunning || m_straightenArmed) {
            if (m_rotationRunning) {
                if (HasSelection(*model)) {
                    const double angle
                        = AngleTo(m_rotationCentre, m_currentCell, AlignToGrid != 0) - m_rotationStartAngle;
                    model->RotateSelection(nullptr, angle, m_rotationCentre);
                    FindOverlapCells();
                }
                m_rotationPreview.clear();
                m_rotationArmed = 0;
                m_rotationRunning = 0;
            } else if (!m_currentCell.SameCell(m_pressCell)) {
                if (!HasSelection(*model)) {
                    CLPoint moved = m_currentCell;
                    moved.m_lampFormat = m_pressCell.m_lampFormat;
                    moved.m_masked = m_pressCell.m_masked;
                    if (model->IsValidPort(m_hitPort - 1)) {
                        const CLPoint& old = model->GetPort(m_hitPort - 1).GetPoint(m_hitLamp - 1);
                        moved.m_layer = old.m_layer;
                    }
                    model->MovePoint(m_hitPort - 1, m_hitLamp - 1, moved);
                } else {
                    model->MoveSelectedPoints(m_pressCell, m_currentCell);
                    m_movingLamp = 0;
                }
                FindOverlapCells();
            } else {
                if (m_editMode == 0)
                    ClickSelect();
                m_movingLamp = 0;
                if (m_rotationArmed) {
                    m_rotationStartAngle = AngleTo(m_rotationCentre, m_currentCell, AlignToGrid != 0);
                    m_rotationArmed = 0;
                    m_rotationRunning = 1;
                } else if (m_straightenArmed) {
                    m_straightenArmed = 0;
                    if (HasSelection(*model))
                        model->StraightenPointRange(m_currentPort, m_straightenAnchor, m_currentCell);
                    FindOverlapCells();
                }
            }
            Redraw();
            later = true;
        } else {
            if (m_dragRectShown) {
                CXorPainter xor_(*this, RGB(255, 255, 255));
                xor_.Frame(m_prevDragRect);
                m_dragRectShown = 0;
            }
            if (m_editMode == 0) {
                const bool hadSelection = HasSelection(*model);
                if (!m_ctrlHeld)
                    model->ClearSelection();
                const int n = SelectPointsInRect(CellSpan(m_pressCell, m_currentCell), *model);
                if (n > 0 || hadSelection)
                    Redraw();
            }
            later = true;
        }

        if (later && m_editMode == 1 && !m_movingLamp) {
            int added = 0;
            if (!m_shiftHeld) {
                if (!ManualTracing) {
                    const CRect span = CellSpan(m_pressCell, m_currentCell);
                    if (span.Width() == 1 && span.Height() == 1 && !AlignToGrid)
                        added = AddPointToPort(*model, m_currentPort, overlap, m_currentCell);
                    else
                        added = AddRectangleWiring(*model, m_wiringDirection, m_wiringAlternation, m_startCorner,
                            m_currentPort, overlap, nullptr, span.left, span.top, span.right, span.bottom);
                } else {
                    added = EndPointStroke(*model, m_currentCell, m_currentPort) ? 1 : 0;
                }
            } else {
                added = AddLineOfPoints(*model, m_currentPort, overlap, 0, nullptr, m_currentCell);
            }
            if (added > 0)
                UpdateAfterEdit();
            m_rubberLineShown = 0;
        }
    }

    m_movingLamp = 0;
    m_insertArmed = 0;
    m_templateHit = 0;
    if (!m_rangeSelected)
        m_prevClickCell = m_currentCell;
}

void CPannexView::ClickSelect()
{
    CLayoutData* model = GetModel();
    if (model == nullptr)
        return;
    if (m_ctrlHeld) {
        SelectPointAt(*model, m_currentCell);
    } else if (m_shiftHeld) {
        if (SelectPointRange(*model, m_prevClickCell, m_currentCell) > 0)
            m_rangeSelected = 1;
        else
            SelectPointAt(*model, m_currentCell);
    } else if (!IsPointSelected(*model, m_currentCell.x, m_currentCell.y)) {
        model->ClearSelection();
        SelectPointAt(*model, m_currentCell);
    }
    Redraw();
}

void CPannexView::OnLButtonDblClk(UINT, CPoint point)
{
    m_currentCell = PointFromClient(point);
    if (m_templateShown) {
        m_templateShown = 0;
        Redraw();
    }
    CLayoutData* model = GetModel();
    if (model == nullptr || m_editMode != 0)
        return;
    int port = 0;
    int lamp = 0;
    if (model->FindPointAt(m_currentCell, port, lamp)) {
        m_currentPort = port - 1;
        NotifyTree(false);
        SelectPort(*model, m_currentPort);
        Redraw();
    }
}

// --- Right and middle buttons ------------------------------------------------------

void CPannexView::OnRButtonDown(UINT, CPoint point)
{
    m_rightDown = 1;
    m_movedSinceRight = 0;
    if (GetSafeHwnd() != nullptr)
        SetCapture();
    m_lastPan = point;
}

CPannexView::RightReleaseMenu CPannexView::FinishRightRelease(CPoint point)
{
    m_rightDown = 0;
    if (GetSafeHwnd() != nullptr && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    CLayoutData* model = GetModel();
    if (model == nullptr)
        return RightReleaseMenu::None;
    const CRect templ(m_copyBuffer.m_left, m_copyBuffer.m_top, m_copyBuffer.m_left + m_copyBuffer.m_width,
        m_copyBuffer.m_top + m_copyBuffer.m_height);
    if (m_templateShown && templ.PtInRect(m_currentCell)) {
        m_templateHit = 0;
        if (m_movedSinceRight) {
            m_rubberLineShown = 0;
            return RightReleaseMenu::None;
        }
        return LayoutLock ? RightReleaseMenu::None : RightReleaseMenu::Template;
    }
    const bool overlap = m_settings.m_allowOverlap != 0;
    const int n = m_previewCount;
    if (m_shiftHeld && m_editMode == 1 && n >= 1) {
        int v = n;
        if (AskUnitNumber(this, n, v) && v > 0) {
            if (AddLineOfPoints(*model, m_currentPort, overlap, std::max(0, n - v), nullptr, m_currentCell) > 0)
                UpdateAfterEdit();
        }
        m_shiftHeld = 0;
        m_previewCount = 0;
        Redraw();
        return RightReleaseMenu::None;
    }
    if (m_tabHeld && m_editMode == 1 && n >= 1) {
        int v = n;
        if (AskUnitNumber(this, 16777215, v)) {
            if (AddPointsAlongLine(*model, m_currentPort, overlap, v, m_currentCell) > 0)
                UpdateAfterEdit();
        }
        m_tabHeld = 0;
        m_previewCount = 0;
        Redraw();
        return RightReleaseMenu::None;
    }
    (void)point;
    if (m_movedSinceRight) {
        m_rubberLineShown = 0;
        return RightReleaseMenu::None;
    }
    return RightReleaseMenu::Context;
}

void CPannexView::OnRButtonUp(UINT, CPoint point)
{
    const RightReleaseMenu menu = FinishRightRelease(point);
    if (menu == RightReleaseMenu::None)
        return;
    CPoint screen = point;
    if (GetSafeHwnd() != nullptr)
        ::ClientToScreen(m_hWnd, &screen);
    if (menu == RightReleaseMenu::Template)
        ShowTemplateMenu(screen);
    else
        OnContextMenu(this, screen);
}

void CPannexView::OnMButtonUp(UINT, CPoint point)
{
    // The middle button pans like the right one but never opens a menu.
    FinishRightRelease(point);
}

// --- The fast-wiring rectangle (mode 3) -------------------------------------------

int CPannexView::FillFastRectangle(const CLPoint& at)
{
    CLayoutData* model = GetModel();
    if (model == nullptr)
        return 0;
    const CRect area(at.x, at.y, at.x + std::max(m_fastWidth, 0), at.y + std::max(m_fastHeight, 0));
    const int s = m_fastStyle;
    const int direction = (s == 1 || s == 2) ? kWireRows : kWireColumns;
    const int alternation = m_fastZOrder == 0 ? kWireSerpentine : kWireSameDirection;
    int corner = kCornerTopLeft;
    switch (s) {
    case 1:
        corner = m_fastFlip ? kCornerTopRight : kCornerTopLeft;
        break;
    case 2:
        corner = m_fastFlip ? kCornerBottomRight : kCornerBottomLeft;
        break;
    case 3:
        corner = m_fastFlip ? kCornerTopLeft : kCornerBottomLeft;
        break;
    default:
        corner = m_fastFlip ? kCornerTopRight : kCornerBottomRight;
        break;
    }
    const bool overlap = m_settings.m_allowOverlap != 0;
    const long long cells = static_cast<long long>(area.Width()) * area.Height();
    long long wired = 0;
    int total = 0;
    while (model->IsValidPort(m_currentPort) && cells > 0) {
        LayoutPort& port = model->GetPort(m_currentPort);
        if (port.GetCapacity() < m_fastLampsPerPort) {
            AfxMessageBox(L"\u8D85\u51FA\u7AEF\u53E3\u6700\u5927\u70B9\u6570!", MB_OK);
            break;
        }
        const int room = std::max(m_fastLampsPerPort - port.GetCount(), 0);
        // With overlap allowed no cell is ever skipped as used, so each port
        // starts where the previous one ended and the fill ends once every
        // cell of the rectangle was wired once.
        const int n = room > 0 ? AddRectangleWiringPart(*model, direction, alternation, corner, m_currentPort, overlap,
                          nullptr, area, overlap ? wired : 0, room)
                               : 0;
        total += n;
        wired += n;
        if ((n == 0 && room > 0) || (n > 0 && n < room) || (overlap && wired >= cells))
            break;
        if (model->IsValidPort(m_currentPort + 1)) {
            ++m_currentPort;
            continue;
        }
        // No port left: a controller is appended and the fill goes on in it.
        CControllerList& controllers = m_settings.m_controllers;
        const int perController = std::clamp(m_settings.m_portsPerController, 1, 0xFFFF);
        long long listed = 0;
        for (INT_PTR c = 0; c < controllers.GetSize(); ++c)
            listed += controllers.GetAt(c);
        // The new ports always go after the last one, even when the
        // controller list and the ports disagree.
        if (listed == model->GetPortCount()) {
            if (!model->InsertPorts(static_cast<int>(controllers.GetSize()), 1, perController,
                    std::max(m_settings.m_lampsPerPort, 1), kPortModeControllers, controllers, L"RGB", 0))
                break;
        } else {
            if (!model->InsertPorts(model->GetPortCount(), perController, perController,
                    std::max(m_settings.m_lampsPerPort, 1), kPortModeRange, controllers, L"RGB", 0))
                break;
            controllers.Add(static_cast<WORD>(perController));
        }
        m_settings.m_controllerCount = static_cast<int>(controllers.GetSize());
        ++m_currentPort;
        if (m_settings.m_randomColours) {
            for (int p = m_currentPort; p < model->GetPortCount(); ++p)
                model->GetPort(p).m_colour = RGB(rand() % 220 + 35, rand() % 220 + 35, rand() % 220 + 35);
        }
    }
    SetEditMode(0);
    if (total > 0)
        UpdateAfterEdit();
    return total;
}
