// The layout view's DXF commands: import (menu command 32779, and a DXF
// file named on the command line) and export (32781). The options are
// asked for, remembered between imports, and the drawing is read with the
// progress window showing.
#include "PannexView.h"

#include <afxdlgs.h>
#include <fw_uihost.h>

#include <cstdlib>

#include "DxfExporter.h"
#include "DxfImportDlg.h"
#include "DxfReader.h"
#include "EditorSettings.h"
#include "ExportDxfDlg.h"
#include "FormatCheck.h"
#include "LayoutLangText.h"
#include "MainFrm.h"
#include "PannexLabels.h"
#include "ProgressDlg.h"

namespace {

// One channel of a random port colour: 35 to 254, never too dark to see.
int RandomChannel()
{
    return std::rand() % 220 + 35;
}

void ShowViewMessage(CWnd* view, const CString& text)
{
    AfxGetUiHost().MessageBox(view != nullptr ? view->GetSafeHwnd() : nullptr, text, L"Solvane", MB_OK);
}

bool HasUsedLamps(const CLayoutData& model)
{
    for (int i = 0; i < model.GetUsedCount(); ++i) {
        const int port = model.GetUsedPort(i);
        if (model.IsValidPort(port) && model.GetPort(port).GetCount() > 0)
            return true;
    }
    return false;
}

} // namespace

void AssignRandomPortColours(CLayoutData& model)
{
    for (int p = 0; p < model.GetPortCount(); ++p) {
        // Drawn blue first, then green, then red.
        const int blue = RandomChannel();
        const int green = RandomChannel();
        const int red = RandomChannel();
        model.GetPort(p).m_colour = RGB(red, green, blue);
    }
}

CProgressDlg* CPannexView::GetProgressDlg()
{
    if (m_progressDlg == nullptr && GetSafeHwnd() != nullptr) {
        auto dlg = std::make_unique<CProgressDlg>();
        if (dlg->CreateIn(this))
            m_progressDlg = std::move(dlg);
    }
    return m_progressDlg.get();
}

void CPannexView::OnImportDxf()
{
    CFileDialog open(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, L"Dized Udavivi Files(*.dxf)|*.dxf||", this);
    if (open.DoModal() != IDOK)
        return;
    ImportDxf(open.GetPathName());
}

int CPannexView::ImportDxf(const CString& path)
{
    CLoadDxfDlg dlg(this);
    dlg.SetOptions(m_dxfOptions, AlignToGrid);
    if (dlg.DoModal() != IDOK)
        return -1;
    dlg.GetOptions(m_dxfOptions, AlignToGrid);
    auto* doc = dynamic_cast<CPannexDoc*>(GetDocument());
    if (doc == nullptr)
        return -1;
    CLayoutData& model = doc->GetLayout();

    CProgressDlg* progress = GetProgressDlg();
    if (progress != nullptr)
        progress->ShowAndReset();

    DxfReader reader;
    reader.m_radiusBasis = m_dxfOptions.radiusBasis;
    reader.m_overlapMode = m_dxfOptions.overlap;
    reader.m_precision = dlg.m_precision;
    // A controller of more ports than the layout file can store would make
    // every later save fail: such a drawing is refused here instead.
    reader.m_maxPortsPerController = kMaxPortsPerController;
    // The reader takes the ports per controller from the first entry; a
    // project without controllers yet offers its ports-per-controller value.
    CControllerList counts;
    counts.Copy(m_settings.m_controllers);
    if (counts.GetSize() == 0)
        counts.Add(static_cast<WORD>(std::clamp(m_settings.m_portsPerController, 1, kMaxPortsPerController)));
    const int mode = dlg.m_endpointMode != 0 ? DxfReader::kEndpointMode : DxfReader::kCircleMode;
    const int result = reader.Parse(
        path, model, counts, mode, progress != nullptr ? progress->GetBar() : nullptr, m_dxfOptions.factor);

    if (result == 0 && counts.GetSize() > 0) {
        m_settings.m_controllers.Copy(counts);
        m_settings.m_controllerCount = static_cast<int>(counts.GetSize());
        m_settings.m_portsPerController = counts[0];
        ResizeLayout(model.m_width, model.m_height);
        SetEditMode(0);
        // The panel's tree and the overview show the new ports and size.
        if (CMainFrame* frame = GetPannexFrame())
            frame->OnLayoutLoaded();
        m_settings.m_randomColours = 1;
        AssignRandomPortColours(model);
        // The imported drawing is not saved anywhere yet.
        model.m_modified = 1;
        Redraw();
    }
    if (progress != nullptr)
        progress->HideSoon();
    if (result == DxfReader::kTooManyPorts)
        ShowViewMessage(
            this, LangTextOr(L"LAYOUT", 2602, L"此图纸的一个控制器超过255个端口, 布局文件无法保存, 未导入。"));
    else if (result != 0)
        ShowViewMessage(this, LangTextOr(L"LAYOUT", 2601, L"无法导入此DXF文件: 未找到带端口标签的灯具。"));
    return result;
}

void CPannexView::OnExportDxf()
{
    if (!ExportDxfEnabled)
        return;
    CExportDxfDlg dlg(this);
    if (dlg.DoModal() != IDOK)
        return;
    auto* doc = dynamic_cast<CPannexDoc*>(GetDocument());
    if (doc == nullptr)
        return;
    CProgressDlg* progress = GetProgressDlg();
    if (progress != nullptr)
        progress->ShowAndReset();
    // The exporter tells the user itself when the file cannot be written.
    const CLayoutData& model = doc->GetLayout();
    const int written = ExportDxf(dlg.m_strPath, model, m_settings.m_controllers, dlg.m_lampNumbers != 0,
        progress != nullptr ? progress->GetBar() : nullptr);
    if (progress != nullptr)
        progress->HideSoon();
    if (written == 0 && !HasUsedLamps(model))
        ShowViewMessage(this, LangTextOr(L"LAYOUT", 2603, L"布局中没有灯具, 未输出DXF文件。"));
    else if (written != 0)
        ShowViewMessage(this,
            FormatCheckedText(GetLangText(L"LAYOUT", 2761), L"DXF file written: %s", "s", dlg.m_strPath.GetString()));
}
