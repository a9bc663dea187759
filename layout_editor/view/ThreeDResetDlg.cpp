// The 3-D reset dialog (see ThreeDResetDlg.h).
#include "ThreeDResetDlg.h"

#include "EditorSettings.h"
#include "MainFrm.h"
#include "PannexDoc.h"
#include "DialogLabels.h"
#include "PannexLabels.h"
#include "PannexView.h"
#include "ThreeDReset.h"

namespace {

CMainFrame* Frame()
{
    return dynamic_cast<CMainFrame*>(AfxGetMainWnd());
}

CLayoutData* ActiveModel()
{
    CMainFrame* frame = Frame();
    CPannexDoc* doc = frame != nullptr ? frame->GetPannexDoc() : nullptr;
    return doc != nullptr ? &doc->GetLayout() : nullptr;
}

} // namespace

BEGIN_MESSAGE_MAP(C3DResetDlg, CDialogEx)
ON_COMMAND_RANGE(1056, 1067, OnButton)
ON_COMMAND_RANGE(1075, 1075, OnButton)
ON_COMMAND_RANGE(1077, 1077, OnButton)
END_MESSAGE_MAP()

C3DResetDlg::C3DResetDlg(CWnd* parent)
    : CDialogEx(IDD_3D_RESET, parent)
{
}

void C3DResetDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Text(pDX, 1064, m_nRowFrom);
    DDX_Text(pDX, 1065, m_nRowTo);
    DDX_Text(pDX, 1070, m_nShift);
    DDX_Text(pDX, 1071, m_dStepIncrement);
    DDX_Text(pDX, 1072, m_dStretch);
    DDX_Text(pDX, 1074, m_nAngle);
    DDX_Text(pDX, 1076, m_dStartRatio);
    DDX_Text(pDX, 1078, m_dRatioIncrement);
}

BOOL C3DResetDlg::OnInitDialog()
{
    m_nRowFrom = 1;
    m_nRowTo = LayoutHeight;
    CDialogEx::OnInitDialog();
    ApplyLayoutLabels(*this,
        { { 2681, 2680 }, { 2682, 2681 }, { 2683, 2682 }, { 1056, 2683 }, { 1057, 2683 }, { 1058, 2684 },
            { 1059, 2684 }, { 1060, 2685 }, { 1061, 2685 }, { 1062, 2686 }, { 1063, 2686 }, { 1066, 2687 },
            { 1067, 2687 }, { 1077, 2687 }, { 1075, 2688 }, { 2684, 2689 }, { 2685, 2679 } });
    CString caption;
    caption.Format(L"%s = %d", LangTextOr(L"LAYOUT", 2671, L"高").GetString(), LayoutHeight);
    SetWindowText(caption);
    return TRUE;
}

void C3DResetDlg::OnButton(UINT id)
{
    CLayoutData* model = ActiveModel();
    if (model == nullptr || !UpdateData(TRUE))
        return;
    ThreeDReferenceLists& lists = ThreeDReferences;
    switch (id) {
    case 1056:
        ShiftBand(*model, lists.left1, lists.left2, m_nRowFrom, m_nRowTo, -m_nShift);
        break;
    case 1058:
        ShiftBand(*model, lists.left1, lists.left2, m_nRowFrom, m_nRowTo, m_nShift);
        break;
    case 1057:
        ShiftBand(*model, lists.right1, lists.right2, m_nRowFrom, m_nRowTo, -m_nShift);
        break;
    case 1059:
        ShiftBand(*model, lists.right1, lists.right2, m_nRowFrom, m_nRowTo, m_nShift);
        break;
    case 1060:
    case 1062:
        StretchBand(*model, lists.left1, lists.left2, m_nRowFrom, m_nRowTo, m_dStretch, id == 1062);
        break;
    case 1061:
    case 1063:
        StretchBand(*model, lists.right1, lists.right2, m_nRowFrom, m_nRowTo, m_dStretch, id == 1063);
        break;
    case 1066:
        StepStretchBand(*model, lists.left1, lists.left2, m_nRowFrom, m_nRowTo, m_dStepIncrement);
        break;
    case 1067:
        StepStretchBand(*model, lists.right1, lists.right2, m_nRowFrom, m_nRowTo, m_dStepIncrement);
        break;
    case 1075:
    case 1077: {
        const int height = id == 1075
            ? VerticalProportionalStretch(*model, LayoutWidth, LayoutHeight, m_nRowFrom, m_nRowTo, m_nAngle)
            : VerticalStepStretch(
                *model, LayoutWidth, LayoutHeight, m_nRowFrom, m_nRowTo, m_dStartRatio, m_dRatioIncrement);
        if (height > 0)
            LayoutHeight = height;
        break;
    }
    default:
        return;
    }
    // The corrections change what is saved.
    model->m_modified = 1;
    CMainFrame* frame = Frame();
    if (CPannexView* view = frame != nullptr ? frame->GetPannexView() : nullptr)
        view->Redraw();
}

void C3DResetDlg::ApplyPresetStretch()
{
    CLayoutData* model = ActiveModel();
    if (model == nullptr)
        return;
    m_dStepIncrement = 0.0037;
    m_nRowFrom = 1;
    m_nRowTo = 1028;
    ::ApplyPresetStretch(*model, ThreeDReferences);
    m_nShift = 635;
}
