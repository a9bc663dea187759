// The floating template's dialogs (see TemplateDialogs.h).
#include "TemplateDialogs.h"

#include <climits>
#include <commctrl.h>

#include "DialogLabels.h"
#include "LayoutViewDialogs.h"

// --- CTemplateLocateDlg ----------------------------------------------------------

BEGIN_MESSAGE_MAP(CTemplateLocateDlg, CDialogEx)
ON_WM_PAINT()
ON_NOTIFY(UDN_DELTAPOS, IDC_TEMPLATE_X_SPIN, OnDeltaX)
ON_NOTIFY(UDN_DELTAPOS, IDC_TEMPLATE_Y_SPIN, OnDeltaY)
END_MESSAGE_MAP()

CTemplateLocateDlg::CTemplateLocateDlg(CWnd* parent)
    : CDialogEx(IDD_TEMPLATE_LOCATE, parent)
{
}

BOOL CTemplateLocateDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    ApplyLayoutLabels(*this,
        { { 0, 69 }, { IDC_TEMPLATE_MOVE_GROUP, 103 }, { IDC_TEMPLATE_REF_LABEL, 104 }, { IDOK, 91 },
            { IDCANCEL, 92 } });
    // The nine points sit in a 3 x 3 grid inside the painted frame, whatever
    // the dialog font makes of the resource's units.
    const int cellW = (kFrame.right - kFrame.left) / 3;
    const int cellH = (kFrame.bottom - kFrame.top) / 3;
    for (int r = 0; r < 9; ++r) {
        if (CWnd* radio = GetDlgItem(IDC_TEMPLATE_REF_FIRST + r)) {
            const int x = kFrame.left + (r % 3) * cellW + (cellW - 14) / 2;
            const int y = kFrame.top + (r / 3) * cellH + (cellH - 14) / 2;
            radio->MoveWindow(x, y, 14, 14);
        }
    }
    return TRUE;
}

void CTemplateLocateDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_TEMPLATE_X, m_x);
    DDX_Text(pDX, IDC_TEMPLATE_Y, m_y);
    DDX_Radio(pDX, IDC_TEMPLATE_REF_FIRST, m_reference);
}

void CTemplateLocateDlg::OnPaint()
{
    CPaintDC dc(this);
    HBRUSH black = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    ::FrameRect(dc.GetSafeHdc(), &kFrame, black);
}

void CTemplateLocateDlg::OnDeltaX(NMHDR* pNMHDR, LRESULT* pResult)
{
    StepSpinValue(*this, m_x, pNMHDR, INT_MIN);
    *pResult = 1;
}

void CTemplateLocateDlg::OnDeltaY(NMHDR* pNMHDR, LRESULT* pResult)
{
    StepSpinValue(*this, m_y, pNMHDR, INT_MIN);
    *pResult = 1;
}

// --- CTemplateSizeDlg --------------------------------------------------------------

BEGIN_MESSAGE_MAP(CTemplateSizeDlg, CDialogEx)
ON_NOTIFY(UDN_DELTAPOS, IDC_TEMPLATE_X_SPIN, OnDeltaWidth)
ON_NOTIFY(UDN_DELTAPOS, IDC_TEMPLATE_Y_SPIN, OnDeltaHeight)
END_MESSAGE_MAP()

CTemplateSizeDlg::CTemplateSizeDlg(CWnd* parent)
    : CDialogEx(IDD_TEMPLATE_SIZE, parent)
{
}

BOOL CTemplateSizeDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    ApplyLayoutLabels(*this,
        { { 0, 991 }, { IDC_TEMPLATE_WIDTH_LABEL, 95 }, { IDC_TEMPLATE_HEIGHT_LABEL, 96 }, { IDOK, 91 },
            { IDCANCEL, 92 } });
    return TRUE;
}

void CTemplateSizeDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_TEMPLATE_X, m_width);
    DDX_Text(pDX, IDC_TEMPLATE_Y, m_height);
}

void CTemplateSizeDlg::OnDeltaWidth(NMHDR* pNMHDR, LRESULT* pResult)
{
    StepSpinValue(*this, m_width, pNMHDR, 1);
    *pResult = 1;
}

void CTemplateSizeDlg::OnDeltaHeight(NMHDR* pNMHDR, LRESULT* pResult)
{
    StepSpinValue(*this, m_height, pNMHDR, 1);
    *pResult = 1;
}
