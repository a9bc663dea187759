// The batch controller dialog (see BatchCardDlg.h).
#include "BatchCardDlg.h"

#include <fw_uihost.h>

#include "BarDlg.h"
#include "ControllerEdits.h"
#include "LampSelectDlgs.h"
#include "LayoutLangText.h"
#include "ListPanelLabels.h"
#include "ListPanelResource.h"
#include "PannexDoc.h"
#include "PannexView.h"

IMPLEMENT_DYNAMIC(CBatchCardDlg, CDialogEx)

BEGIN_MESSAGE_MAP(CBatchCardDlg, CDialogEx)
ON_WM_SHOWWINDOW()
ON_BN_CLICKED(IDC_BATCH_ALL, OnCheckAll)
ON_BN_CLICKED(IDC_BATCH_NONE, OnCheckNone)
ON_BN_CLICKED(IDC_BATCH_INVERT, OnCheckInvert)
ON_BN_CLICKED(IDC_BATCH_CLEAR, OnClearWiring)
ON_BN_CLICKED(IDC_BATCH_LAMP_TYPE, OnChangeLampType)
ON_BN_CLICKED(IDC_BATCH_COLOUR, OnSetColour)
ON_BN_CLICKED(IDC_BATCH_DELETE, OnDeleteControllers)
END_MESSAGE_MAP()

CBatchCardDlg::CBatchCardDlg()
    : CDialogEx(IDD_BATCH_CARD)
{
}

BOOL CBatchCardDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_lbControllers.SubclassDlgItem(IDC_BATCH_LIST, this);
    m_lbControllers.SetCheckStyle(BS_AUTOCHECKBOX);
    return TRUE;
}

void CBatchCardDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialogEx::OnShowWindow(bShow, nStatus);
    if (bShow)
        RefreshForShow();
}

void CBatchCardDlg::RefreshForShow()
{
    CPannexView* view = m_pPanel != nullptr ? m_pPanel->GetView() : nullptr;
    if (view == nullptr || m_pPanel->GetDoc() == nullptr)
        return;
    const struct {
        int id;
        int key;
    } labels[]
        = { { IDC_CARD_GROUP, 55 }, { IDC_BATCH_LAMP_TYPE, 204 }, { IDC_BATCH_COLOUR, 205 }, { IDC_BATCH_CLEAR, 206 },
              { IDC_BATCH_DELETE, 35 }, { IDC_BATCH_ALL, 207 }, { IDC_BATCH_NONE, 208 }, { IDC_BATCH_INVERT, 209 } };
    for (const auto& label : labels) {
        const CString text = GetLangText(L"LAYOUT", label.key);
        if (!text.IsEmpty())
            SetDlgItemText(label.id, text);
    }
    const CString title = GetLangText(L"LAYOUT", 198);
    if (!title.IsEmpty())
        SetWindowText(title);
    if (m_lbControllers.GetCount() != ControllerCount(view->m_settings))
        FillControllers();
}

void CBatchCardDlg::FillControllers()
{
    CPannexView* view = m_pPanel != nullptr ? m_pPanel->GetView() : nullptr;
    if (view == nullptr)
        return;
    m_lbControllers.ResetContent();
    const CTreeLabelTexts texts = LoadTreeLabelTexts();
    for (int c = 0; c < ControllerCount(view->m_settings); ++c)
        m_lbControllers.AddString(ControllerLabel(texts, c + 1));
}

std::vector<int> CBatchCardDlg::CheckedFromLast() const
{
    std::vector<int> checked;
    for (int i = m_lbControllers.GetCount() - 1; i >= 0; --i) {
        if (m_lbControllers.GetCheck(i) == BST_CHECKED)
            checked.push_back(i);
    }
    return checked;
}

void CBatchCardDlg::SetAllChecks(int mode)
{
    for (int i = 0; i < m_lbControllers.GetCount(); ++i) {
        const int now = m_lbControllers.GetCheck(i);
        const int next = mode == 2 ? (now == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED) : mode;
        m_lbControllers.SetCheck(i, next);
    }
}

void CBatchCardDlg::OnCheckAll()
{
    SetAllChecks(BST_CHECKED);
}

void CBatchCardDlg::OnCheckNone()
{
    SetAllChecks(BST_UNCHECKED);
}

void CBatchCardDlg::OnCheckInvert()
{
    SetAllChecks(2);
}

void CBatchCardDlg::OnClearWiring()
{
    CPannexView* view = m_pPanel != nullptr ? m_pPanel->GetView() : nullptr;
    CPannexDoc* doc = m_pPanel != nullptr ? m_pPanel->GetDoc() : nullptr;
    if (view == nullptr || doc == nullptr)
        return;
    if (AfxGetUiHost().MessageBox(GetSafeHwnd(), GetLangText(L"LAYOUT", 164), GetLangText(L"LAYOUT", 162), MB_YESNO)
        != IDYES)
        return;
    for (int c : CheckedFromLast())
        DeleteControllerWiring(doc->GetLayout(), view->m_settings, c);
    m_pPanel->BuildCardTree();
    view->SetEditMode(0);
}

void CBatchCardDlg::OnChangeLampType()
{
    CPannexView* view = m_pPanel != nullptr ? m_pPanel->GetView() : nullptr;
    CPannexDoc* doc = m_pPanel != nullptr ? m_pPanel->GetDoc() : nullptr;
    if (view == nullptr || doc == nullptr)
        return;
    CSelectLightBarDlg dlg(this);
    dlg.m_nSelected = 0;
    if (dlg.DoModal() != IDOK)
        return;
    for (int c : CheckedFromLast())
        SetControllerLampType(doc->GetLayout(), view->m_settings, c, dlg.m_nSelected);
    m_pPanel->BuildCardTree();
    view->SetEditMode(0);
}

void CBatchCardDlg::OnSetColour()
{
    CPannexView* view = m_pPanel != nullptr ? m_pPanel->GetView() : nullptr;
    CPannexDoc* doc = m_pPanel != nullptr ? m_pPanel->GetDoc() : nullptr;
    if (view == nullptr || doc == nullptr)
        return;
    COLORREF colour = 0;
    if (!AfxGetUiHost().PickColor(GetSafeHwnd(), colour, CC_RGBINIT | CC_FULLOPEN))
        return;
    for (int c : CheckedFromLast())
        SetControllerColour(doc->GetLayout(), view->m_settings, c, colour);
    doc->GetLayout().m_modified = 1;
    view->Redraw();
}

void CBatchCardDlg::OnDeleteControllers()
{
    CPannexView* view = m_pPanel != nullptr ? m_pPanel->GetView() : nullptr;
    CPannexDoc* doc = m_pPanel != nullptr ? m_pPanel->GetDoc() : nullptr;
    if (view == nullptr || doc == nullptr)
        return;
    if (AfxGetUiHost().MessageBox(GetSafeHwnd(), GetLangText(L"LAYOUT", 165), GetLangText(L"LAYOUT", 162), MB_YESNO)
        != IDYES)
        return;
    for (int c : CheckedFromLast())
        DeleteController(doc->GetLayout(), view->m_settings, c);
    m_pPanel->AfterStructureChange();
    FillControllers();
}
