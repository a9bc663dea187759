// The project information dialog (see ProjInfoDlg.h).
#include "ProjInfoDlg.h"

#include "DialogLabels.h"
#include "EditorSettings.h"
#include "LampTypeList.h"
#include "LayoutLangText.h"
#include "MainFrm.h"
#include "PannexDoc.h"
#include "PannexLabels.h"
#include "PannexView.h"
#include "ProjectInfo.h"

namespace {

CString Line(int key, LPCWSTR fallback, long long value)
{
    CString line;
    line.Format(L"%s: %lld", LangTextOr(L"LAYOUT", key, fallback).GetString(), value);
    return line;
}

} // namespace

CProjInfoDlg::CProjInfoDlg(CWnd* parent)
    : CDialogEx(IDD_PROJECT_INFO, parent)
{
}

void CProjInfoDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    // Without a layout the resource texts stay.
    if (!m_counted)
        return;
    DDX_Text(pDX, IDC_PROJECT_INFO_CONTROLLERS, m_strControllers);
    DDX_Text(pDX, IDC_PROJECT_INFO_LAMPS, m_strLamps);
    DDX_Text(pDX, IDC_PROJECT_INFO_OVERLAPS, m_strOverlaps);
    DDX_Text(pDX, IDC_PROJECT_INFO_CHANNELS, m_strChannels);
    DDX_Text(pDX, IDC_PROJECT_INFO_VACANT, m_strVacant);
}

BOOL CProjInfoDlg::OnInitDialog()
{
    CMainFrame* frame = GetPannexFrame();
    CPannexView* view = frame != nullptr ? frame->GetPannexView() : nullptr;
    CPannexDoc* doc = frame != nullptr ? frame->GetPannexDoc() : nullptr;
    if (view != nullptr && doc != nullptr) {
        const ProjectInfoCounts counts = CountProjectInfo(
            doc->GetLayout(), view->GetLayoutSettings().m_controllers, LayoutWidth, LayoutHeight, LampTypeList);
        m_strControllers = Line(178, L"工程中使用的有效控制器个数", counts.controllersInUse);
        m_strLamps = Line(179, L"画布区域内,布置灯具的总点数", counts.lampsOnCanvas);
        m_strOverlaps = Line(180, L"画布区域内,坐标重叠的点数", counts.overlappingCells);
        m_strChannels = Line(181, L"工程中,有效总通道数", counts.totalChannels);
        m_strVacant = Line(182, L"工程中,总的空位通道数", counts.vacantChannels);
        m_counted = true;
    }
    CDialogEx::OnInitDialog();
    ApplyLayoutLabels(*this, { { 0, 31 } });
    const CString ok = GetLangText(L"TITLE", 3);
    if (!ok.IsEmpty())
        SetDlgItemText(IDOK, ok);
    return TRUE;
}
