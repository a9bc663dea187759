// Copy, cut and paste of lamps through the view's copy buffer, and saving
// the selection as a template file.
#include "PannexView.h"

#include <algorithm>

#include "BarDlg.h"
#include "ControllerEdits.h"
#include "EditorSettings.h"
#include "FormatCheck.h"
#include "LayoutAddPoints.h"
#include "LayoutLangText.h"
#include "LayoutSelection.h"
#include "MainFrm.h"
#include "TemplateFiles.h"

namespace {

std::vector<CLPoint> PortLamps(const LayoutPort& port)
{
    return std::vector<CLPoint>(port.GetPoints(), port.GetPoints() + port.GetCount());
}

// The main frame's window, the owner of the view's questions.
HWND QuestionOwner(const CWnd& view)
{
    if (CWnd* main = AfxGetMainWnd())
        return main->GetSafeHwnd();
    return view.GetSafeHwnd();
}

} // namespace

void CPannexView::CopySelection(bool cut)
{
    CLayoutData* model = GetModel();
    if (model == nullptr || model->m_selectedPorts.empty())
        return;
    CLayoutData copy;
    if (!BuildPortTemplate(*model, SelectedPortsInOrder(*model), { 1, true, false, 0 }, copy))
        return;
    // The copy floats exactly over the copied lamps.
    m_copyBuffer.BuildFromLayout(copy, 0);
    if (cut) {
        model->DeleteSelection();
        model->ClearSelection();
        UpdateAfterEdit();
    }
    m_templateShown = 1;
    SetEditMode(0);
}

void CPannexView::OnEditCopy()
{
    CopySelection(false);
}

void CPannexView::OnEditCut()
{
    CopySelection(true);
}

void CPannexView::PasteBars(int first, int mode)
{
    CLayoutData* model = GetModel();
    if (model == nullptr || m_copyBuffer.m_ports.empty() || first < 0)
        return;
    // Each copied port goes to the port as far from `first` as it was from
    // the first copied port, so gaps between copied ports are kept.
    const size_t count = std::min(m_copyBuffer.m_ports.size(), m_copyBuffer.m_portList.size());
    if (count == 0)
        return;
    const int base = m_copyBuffer.m_portList[0];
    const int span = m_copyBuffer.m_portList[count - 1] - base + 1;
    CLPoint offset(m_copyBuffer.m_left, m_copyBuffer.m_top);
    offset.m_normX = m_copyBuffer.m_leastNormX;
    offset.m_normY = m_copyBuffer.m_leastNormY;
    // Nothing is pasted, and nothing asked, when a lamp would land off the
    // layout's grid.
    if (!CopyFitsGrid(*model, mode, offset)) {
        AfxGetUiHost().MessageBox(GetSafeHwnd(), GetLangText(L"LAYOUT", 982), L"Solvane", MB_OK);
        return;
    }
    int n = model->GetPortCount();
    if (n - first < span) {
        if (AfxGetUiHost().MessageBox(QuestionOwner(*this), GetLangText(L"LAYOUT", 173), L"Solvane", MB_YESNO)
            == IDYES) {
            const int perController = std::max(m_settings.m_portsPerController, 1);
            const int needed = span - std::max(n - first, 0);
            AppendControllers(*model, m_settings, (needed + perController - 1) / perController);
            m_settings.m_controllerCount = static_cast<int>(m_settings.m_controllers.GetSize());
            n = model->GetPortCount();
        }
    }
    if (first >= n)
        return;
    if (mode == 0) {
        for (int t = first; t < std::min(first + span, n); ++t)
            model->ClearPortPoints(t);
    }
    for (size_t i = 0; i < count; ++i) {
        const int t = first + m_copyBuffer.m_portList[i] - base;
        if (t >= n)
            break;
        const LayoutPort& copied = m_copyBuffer.m_ports[i];
        if (mode == 2) {
            LayoutPort& target = model->GetPort(t);
            if (target.GetCapacity() < target.GetCount() + copied.GetCount()) {
                AfxGetUiHost().MessageBox(
                    GetSafeHwnd(), L"\u8D85\u8FC7\u6700\u5927\u5E03\u70B9\u6570", L"Error", MB_OK);
                // The ports pasted before stay pasted and are shown so.
                UpdateAfterEdit();
                return;
            }
            // Existing and copied lamps take turns; the longer run ends it.
            std::vector<CLPoint> woven;
            woven.reserve(static_cast<size_t>(target.GetCount() + copied.GetCount()));
            for (int k = 0; k < std::max(target.GetCount(), copied.GetCount()); ++k) {
                if (k < target.GetCount())
                    woven.push_back(target.GetPoint(k));
                if (k < copied.GetCount()) {
                    CLPoint lamp = copied.GetPoint(k);
                    lamp.x += m_copyBuffer.m_left;
                    lamp.y += m_copyBuffer.m_top;
                    woven.push_back(lamp);
                }
            }
            const int wovenCount = static_cast<int>(woven.size());
            model->SetFloatingPoints(std::move(woven), wovenCount);
            model->ClearPortPoints(t);
            AppendFloatingPoints(
                *model, true, t, true, true, CLPoint(0, 0), m_copyBuffer.m_width, m_copyBuffer.m_height);
        } else {
            model->SetFloatingPoints(PortLamps(copied), copied.GetCount());
            AppendFloatingPoints(
                *model, AlignToGrid != 0, t, true, true, offset, m_copyBuffer.m_width, m_copyBuffer.m_height);
        }
    }
    UpdateAfterEdit();
}

bool CPannexView::CopyFitsGrid(const CLayoutData& model, int mode, const CLPoint& offset) const
{
    for (const LayoutPort& copied : m_copyBuffer.m_ports) {
        std::vector<CLPoint> lamps = PortLamps(copied);
        // A cross paste moves the copied lamps by whole cells.
        const bool fits = mode == 2
            ? MoveTemplatePoints(model, CLPoint(m_copyBuffer.m_left, m_copyBuffer.m_top), lamps)
            : MoveFloatingPoints(model, AlignToGrid != 0, offset, m_copyBuffer.m_width, m_copyBuffer.m_height, lamps);
        if (!fits)
            return false;
    }
    return true;
}

void CPannexView::OnSaveAsTemplate()
{
    CLayoutData* model = GetModel();
    if (model == nullptr || model->m_selectedPorts.empty())
        return;
    const std::vector<int> ports = SelectedPortsInOrder(*model);
    if (ports.size() >= 2) {
        const CString question = FormatCheckedText(GetLangText(L"LAYOUT", 176),
            L"%d ports are selected. Save them as one template?", "d", static_cast<int>(ports.size()));
        if (AfxGetUiHost().MessageBox(GetSafeHwnd(), question, GetLangText(L"LAYOUT", 162), MB_YESNO) != IDYES)
            return;
    }
    CString path;
    if (!AskTemplateSavePath(this, path))
        return;
    CLayoutData copy;
    if (!BuildPortTemplate(*model, ports, { 1, true, true, 0 }, copy))
        return;
    // The file lists its ports as one controller, so that it also opens as
    // a layout of its own; the view's controllers are back before anything
    // else runs.
    LayoutWriteResult written = LayoutWriteResult::NotCreated;
    {
        CControllerList saved;
        saved.Copy(m_settings.m_controllers);
        const int savedCount = m_settings.m_controllerCount;
        m_settings.SetControllers(1, copy.GetPortCount());
        written = WriteTemplateFile(copy, m_settings, path);
        m_settings.m_controllers.Copy(saved);
        m_settings.m_controllerCount = savedCount;
    }
    if (written != LayoutWriteResult::Ok) {
        ShowTemplateWriteFailure(this, written);
        return;
    }
    if (CBarDlg* panel = GetListPanel())
        panel->AddTemplateFile(path);
}
