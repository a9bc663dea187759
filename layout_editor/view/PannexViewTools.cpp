// Lamp tools of the layout view on the selection: insert, rotate,
// straighten, measure, overlap points, hide and show, layer, lamp type and
// reverse. The tools that wait for clicks are finished by the mouse
// handlers (PannexViewMouse.cpp).
#include "PannexView.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "EditorSettings.h"
#include "LayoutAddPoints.h"
#include "LayoutLangText.h"
#include "LayoutSelection.h"
#include "LampSelectDlgs.h"
#include "LayoutViewDialogs.h"

namespace {

bool HasSelection(const CLayoutData* model)
{
    return model != nullptr && !model->m_selectedPorts.empty();
}

// Calls f(lamp) for every selected lamp; returns how many changed.
template <class F> int ForEachSelectedLamp(CLayoutData& model, F f)
{
    int changed = 0;
    for (int port : SelectedPortsInOrder(model)) {
        LayoutPort& p = model.GetPort(port);
        for (int i : SelectedIndexesOf(model, port))
            changed += f(p.EditPoint(i)) ? 1 : 0;
    }
    return changed;
}

} // namespace

double CPannexView::AngleTo(const CLPoint& centre, const CLPoint& cell, bool aligned)
{
    constexpr double kPi = 3.1415926;
    double dx = 0;
    double dy = 0;
    if (aligned) {
        if (cell.y == centre.y)
            return cell.x < centre.x ? 180.0 : 0.0;
        if (cell.x == centre.x)
            return cell.y < centre.y ? 90.0 : 270.0;
        dx = static_cast<double>(cell.x) - centre.x;
        dy = static_cast<double>(cell.y) - centre.y;
    } else {
        dx = cell.m_normX - centre.m_normX;
        dy = cell.m_normY - centre.m_normY;
    }
    const double a = std::atan2(dx, dy) * 180.0 / kPi;
    return dx > 0 && dy < 0 ? a - 90.0 : a + 270.0;
}

CString CPannexView::MeasureText(const CLPoint& from, const CLPoint& to)
{
    CString text;
    text.Format(L"%s: X=%d Y=%d", GetLangText(L"LAYOUT", 203).GetString(), std::abs(to.x - from.x) + 1,
        std::abs(to.y - from.y) + 1);
    return text;
}

void CPannexView::OnInsert()
{
    int port = 0;
    int lamp = 0;
    if (!LampAtCurrentCell(port, lamp))
        return;
    m_currentPort = port - 1;
    SetEditMode(1);
    m_insertPort = port;
    m_insertLamp = lamp;
    m_insertArmed = 1;
}

void CPannexView::OnRotate()
{
    CLayoutData* model = GetModel();
    if (!HasSelection(model))
        return;
    m_rotationArmed = 1;
    m_rotationRunning = 0;
    m_rotationCentre = m_currentCell;
    m_rotationPreview.clear();
    m_rotationPreview.reserve(static_cast<size_t>(kMaxPortPoints) * SelectedPortsInOrder(*model).size());
}

void CPannexView::OnStraighten()
{
    if (!HasSelection(GetModel()))
        return;
    m_straightenArmed = 1;
    m_straightenAnchor = m_currentCell;
}

void CPannexView::OnMeasure()
{
    if (GetModel() == nullptr)
        return;
    m_measureArmed = 1;
    m_measureClicks = 0;
    // The selection stays: the mode changes without SetEditMode.
    m_editMode = 0;
    Redraw();
}

int CPannexView::DuplicateSelectedLamps(int n)
{
    CLayoutData* model = GetModel();
    if (model == nullptr || n < 1)
        return 0;
    int added = 0;
    for (int port : SelectedPortsInOrder(*model)) {
        const std::vector<int> lamps = SelectedIndexesOf(*model, port);
        // From the last lamp to the first, so the earlier indexes stay put;
        // never more copies than the port has room for.
        for (auto it = lamps.rbegin(); it != lamps.rend(); ++it) {
            const int copies = std::min(n, model->GetPort(port).GetFreeRoom());
            for (int k = 0; k < copies; ++k) {
                const CLPoint copy = model->GetPort(port).GetPoint(*it);
                added += InsertPointAt(*model, *it, copy, port);
            }
        }
    }
    return added;
}

void CPannexView::OnOverlapPoints()
{
    CLayoutData* model = GetModel();
    if (!HasSelection(model))
        return;
    CString text = L"1";
    if (!AskText(this, L"\u91CD\u53E0\u70B9\u6570", text))
        return;
    DuplicateSelectedLamps(_wtoi(text));
    model->ClearSelection();
    FindOverlapCells();
    Redraw();
    NotifyTree(true);
}

void CPannexView::SetSelectedMasked(BYTE masked)
{
    CLayoutData* model = GetModel();
    if (!HasSelection(model))
        return;
    const int changed = ForEachSelectedLamp(*model, [masked](CLPoint& lamp) {
        const bool differs = lamp.m_masked != masked;
        lamp.m_masked = masked;
        return differs;
    });
    // Hidden lamps are stored with the layout: closing asks to save.
    if (changed > 0)
        model->m_modified = 1;
}

void CPannexView::OnHideLamps()
{
    SetSelectedMasked(1);
    Redraw();
}

void CPannexView::OnShowLamps()
{
    SetSelectedMasked(0);
    Redraw();
}

void CPannexView::SetSelectedLayer(int layer)
{
    CLayoutData* model = GetModel();
    if (!HasSelection(model) || layer < 0)
        return;
    const BYTE value = static_cast<BYTE>(layer & 0xFF);
    if (ForEachSelectedLamp(*model,
            [value](CLPoint& lamp) {
                const bool differs = lamp.m_layer != value;
                lamp.m_layer = value;
                return differs;
            })
        > 0)
        model->m_modified = 1;
}

void CPannexView::OnLayer()
{
    if (!HasSelection(GetModel()))
        return;
    CString text = L"0";
    if (!AskText(this, L"\u8BBE\u7F6E\u56FE\u5C42(0\u4E3A\u6700\u9876\u5C42)", text))
        return;
    SetSelectedLayer(_wtoi(text));
    Redraw();
}

void CPannexView::SetSelectedLampType(int typeIndex)
{
    CLayoutData* model = GetModel();
    if (!HasSelection(model) || typeIndex < 0)
        return;
    int changed = 0;
    for (int port : SelectedPortsInOrder(*model)) {
        LayoutPort& p = model->GetPort(port);
        // The port's own type is stored as 0.
        const BYTE value = typeIndex == p.m_lampFormatIndex ? 0 : static_cast<BYTE>(std::min(typeIndex + 1, 255));
        for (int i : SelectedIndexesOf(*model, port)) {
            CLPoint& lamp = p.EditPoint(i);
            changed += lamp.m_lampFormat != value ? 1 : 0;
            lamp.m_lampFormat = value;
        }
    }
    if (changed > 0)
        model->m_modified = 1;
}

void CPannexView::OnChangeLampType()
{
    if (!HasSelection(GetModel()))
        return;
    CSelectLightBarDlg dlg(this);
    dlg.m_nSelected = 0;
    if (dlg.DoModal() != IDOK)
        return;
    SetSelectedLampType(dlg.m_nSelected);
    Redraw();
}

void CPannexView::ReverseSelectedRuns()
{
    CLayoutData* model = GetModel();
    if (!HasSelection(model))
        return;
    bool changed = false;
    for (int port : SelectedPortsInOrder(*model)) {
        const std::vector<int> lamps = SelectedIndexesOf(*model, port);
        size_t start = 0;
        while (start < lamps.size()) {
            size_t end = start;
            while (end + 1 < lamps.size() && lamps[end + 1] == lamps[end] + 1)
                ++end;
            if (end > start) {
                // 1-based first and last lamp of the run.
                ReversePointRange(lamps[start] + 1, lamps[end] + 1, model->GetPort(port));
                changed = true;
            }
            start = end + 1;
        }
    }
    if (changed)
        model->m_modified = 1;
}

void CPannexView::OnReverseLamps()
{
    ReverseSelectedRuns();
    Redraw();
}

void CPannexView::OnUpdateSelectionTool(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasSelection(GetModel()));
}
