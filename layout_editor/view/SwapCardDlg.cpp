// The controller and port swap dialogs (see SwapCardDlg.h).
#include "SwapCardDlg.h"

#include "DialogLabels.h"
#include "PannexLabels.h"
#include "ListPanelAccess.h"
#include "ListPanelResource.h"
#include "MainFrm.h"
#include "PannexDoc.h"
#include "PannexView.h"

namespace {

// The active view with a document, or null.
CPannexView* ActiveLayoutView()
{
    auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    CPannexView* view = frame != nullptr ? frame->GetPannexView() : nullptr;
    return view != nullptr && dynamic_cast<CPannexDoc*>(view->GetDocument()) != nullptr ? view : nullptr;
}

CLayoutData& ModelOf(CPannexView& view)
{
    return static_cast<CPannexDoc*>(view.GetDocument())->GetLayout();
}

} // namespace

void FinishSwap(SwapResult result)
{
    switch (result) {
    case SwapResult::Same:
        return;
    case SwapResult::BadController:
        AfxMessageBox(LangTextOr(L"LAYOUT", 1007, L"卡号设置错误"));
        return;
    case SwapResult::BadPort:
        AfxMessageBox(LangTextOr(L"LAYOUT", 1008, L"端口号设置错误"));
        return;
    case SwapResult::Done:
        break;
    }
    RebuildListPanelTree();
    if (CPannexView* view = ActiveLayoutView())
        view->Redraw();
    AfxMessageBox(LangTextOr(L"LAYOUT", 1009, L"完成"));
}

IMPLEMENT_DYNAMIC(CSwapCardDlg, CDialogEx)

BEGIN_MESSAGE_MAP(CSwapCardDlg, CDialogEx)
ON_BN_CLICKED(IDC_CARD_SWAP, OnSwap)
END_MESSAGE_MAP()

CSwapCardDlg::CSwapCardDlg(CWnd* pParent)
    : CDialogEx(IDD_SWAP_CARD, pParent)
{
}

void CSwapCardDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CARD_FIRST, m_nCardA);
    DDX_Text(pDX, IDC_CARD_SECOND, m_nCardB);
}

BOOL CSwapCardDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    ApplyLayoutLabels(*this, { { 0, 199 }, { IDC_CARD_GROUP, 210 }, { IDC_CARD_LABEL, 210 }, { IDC_CARD_SWAP, 211 } });
    return TRUE;
}

void CSwapCardDlg::OnSwap()
{
    if (!UpdateData(TRUE))
        return;
    CPannexView* view = ActiveLayoutView();
    if (view == nullptr)
        return;
    FinishSwap(SwapControllers(ModelOf(*view), view->m_settings, m_nCardA, m_nCardB));
}

IMPLEMENT_DYNAMIC(CSwapPortDlg, CDialogEx)

BEGIN_MESSAGE_MAP(CSwapPortDlg, CDialogEx)
ON_BN_CLICKED(IDC_CARD_SWAP, OnSwap)
END_MESSAGE_MAP()

CSwapPortDlg::CSwapPortDlg(CWnd* pParent)
    : CDialogEx(IDD_SWAP_PORT, pParent)
{
}

void CSwapPortDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CARD_FIRST, m_nCardA);
    DDX_Text(pDX, IDC_SWAP_PORT_A, m_nPortA);
    DDX_Text(pDX, IDC_CARD_SECOND, m_nCardB);
    DDX_Text(pDX, IDC_SWAP_PORT_B, m_nPortB);
}

BOOL CSwapPortDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    ApplyLayoutLabels(*this,
        { { 0, 200 }, { IDC_CARD_GROUP, 210 }, { IDC_CARD_LABEL, 210 }, { IDC_CARD_LABEL2, 212 },
            { IDC_CARD_LABEL3, 212 }, { IDC_CARD_SWAP, 211 } });
    return TRUE;
}

void CSwapPortDlg::OnSwap()
{
    if (!UpdateData(TRUE))
        return;
    CPannexView* view = ActiveLayoutView();
    if (view == nullptr)
        return;
    FinishSwap(SwapControllerPorts(ModelOf(*view), view->m_settings, m_nCardA, m_nPortA, m_nCardB, m_nPortB));
}
