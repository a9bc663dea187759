// Lamp formats of single lamps (see PixLightBarDlg.h).
#include "PixLightBarDlg.h"

#include "AdjustDlg.h"
#include "CheckListRows.h"
#include "LampSelectDlgs.h"
#include "LampTypeList.h"
#include "LayoutData.h"
#include "MainFrm.h"
#include "DialogLabels.h"
#include "PannexLabels.h"
#include "PannexView.h"

namespace {

CString Number(int value)
{
    CString text;
    text.Format(L"%d", value);
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CPixLightBarDlg, CDialogEx)
ON_BN_CLICKED(IDC_ADJ_SELECT_ALL, OnSelectAll)
ON_BN_CLICKED(IDC_ADJ_DESELECT, OnDeselectAll)
ON_BN_CLICKED(IDC_ADJ_INTERVAL, OnInterval)
ON_BN_CLICKED(IDC_ADJ_INVERT, OnInvert)
ON_BN_CLICKED(IDC_ADJ_SET_BRIGHTNESS, OnSetLamps)
END_MESSAGE_MAP()

CPixLightBarDlg::CPixLightBarDlg(CWnd* parent)
    : CDialogEx(IDD_PIX_LIGHT_BAR, parent)
{
}

BOOL CPixLightBarDlg::CreateHidden(CWnd* parent)
{
    return Create(IDD_PIX_LIGHT_BAR, parent);
}

void CPixLightBarDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ADJ_LIST, m_list);
    DDX_Text(pDX, IDC_ADJ_GAP, m_nInterval);
}

BOOL CPixLightBarDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    ApplyLayoutLabels(*this,
        { { 0, 2710 }, { IDC_ADJ_SELECT_ALL, 2691 }, { IDC_ADJ_DESELECT, 2692 }, { IDC_ADJ_INTERVAL, 2693 },
            { IDC_ADJ_INVERT, 2694 }, { IDC_ADJ_GAP_LABEL, 2700 }, { IDC_ADJ_SET_BRIGHTNESS, 2711 },
            { IDC_ADJ_PASTE, 2698 }, { IDC_ADJ_COPY, 2697 }, { IDC_ADJ_APPLY_OTHERS, 2699 } });
    m_list.ModifyStyle(LVS_TYPEMASK, LVS_REPORT);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    m_list.InsertColumn(0, LangTextOr(L"LAYOUT", 2712, L"像素"), LVCFMT_LEFT, 100);
    m_list.InsertColumn(1, LangTextOr(L"LAYOUT", 2713, L"灯具(序号)"), LVCFMT_LEFT, 100);
    return TRUE;
}

void CPixLightBarDlg::ShowPort(int port)
{
    CLayoutData* model = ActiveLayoutModel();
    if (model == nullptr || m_list.GetSafeHwnd() == nullptr)
        return;
    m_nPort = port;
    m_list.SendMessage(WM_SETREDRAW, FALSE);
    m_list.DeleteAllItems();
    if (model->IsValidPort(port)) {
        const LayoutPort& shown = model->GetPort(port);
        for (int i = 0; i < shown.GetCount(); ++i) {
            m_list.InsertItem(i, Number(i + 1));
            const int own = shown.GetPoint(i).m_lampFormat;
            m_list.SetItemText(i, 1, Number(own != 0 ? own : shown.m_lampFormatIndex + 1));
        }
    }
    m_list.SendMessage(WM_SETREDRAW, TRUE);
    m_list.Invalidate();
}

void CPixLightBarDlg::SetFormatOfChecked(int format)
{
    CLayoutData* model = ActiveLayoutModel();
    if (model == nullptr || !model->IsValidPort(m_nPort) || format < 0 || format >= LampTypeList.GetSize()
        || format > 254)
        return;
    LayoutPort& port = model->GetPort(m_nPort);
    const int rows = std::min(m_list.GetItemCount(), port.GetCount());
    for (int i = 0; i < rows; ++i) {
        if (!m_list.GetCheck(i))
            continue;
        port.EditPoint(i).m_lampFormat = static_cast<BYTE>(format == port.m_lampFormatIndex ? 0 : format + 1);
        m_list.SetItemText(i, 1, Number(format + 1));
    }
    model->m_modified = 1;
    auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    if (CPannexView* view = frame != nullptr ? frame->GetPannexView() : nullptr)
        view->Redraw();
}

void CPixLightBarDlg::OnSelectAll()
{
    AskCheckAll(*this, m_list, true);
}

void CPixLightBarDlg::OnDeselectAll()
{
    AskCheckAll(*this, m_list, false);
}

void CPixLightBarDlg::OnInterval()
{
    if (!UpdateData(TRUE))
        return;
    AskIntervalSelection(*this, m_list, m_nInterval);
}

void CPixLightBarDlg::OnInvert()
{
    InvertRowChecks(m_list);
}

void CPixLightBarDlg::OnSetLamps()
{
    if (ActiveLayoutModel() == nullptr)
        return;
    CSelectLightBarDlg select(this);
    select.m_nSelected = 0;
    if (select.DoModal() != IDOK)
        return;
    SetFormatOfChecked(select.m_nSelected);
}
