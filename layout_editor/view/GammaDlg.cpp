// The gamma curve dialog (see GammaDlg.h).
#include "GammaDlg.h"

#include <afxdlgs.h>
#include <fw_uihost.h>

#include "GammaCurveFile.h"
#include "GammaCurveTables.h"
#include "PannexFileText.h"
#include "DialogLabels.h"
#include "PannexLabels.h"

namespace {

// Centred both ways, no prefix processing.
constexpr UINT kCellFormat = DT_CENTER | DT_VCENTER | DT_NOPREFIX;
constexpr LPCWSTR kFilter = L"Gamma (*.ini)|*.ini|All Flie (*.*)|*.*||";

void SetCell(CSheetCtrl& grid, int row, int col, const CString& text)
{
    GridItem item;
    item.mask = GVIF_TEXT | GVIF_FORMAT;
    item.row = row;
    item.col = col;
    item.nFormat = kCellFormat;
    item.strText = text;
    grid.SetItem(&item);
}

CString Number(int value)
{
    CString text;
    text.Format(L"%d", value);
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CGammaDlg, CDialogEx)
ON_BN_CLICKED(IDC_GAMMA_IMPORT, OnImport)
ON_BN_CLICKED(IDC_GAMMA_EXPORT, OnExport)
END_MESSAGE_MAP()

CGammaDlg::CGammaDlg(CWnd* parent)
    : CDialogEx(IDD_GAMMA, parent)
{
}

void CGammaDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_GridControl(pDX, IDC_GAMMA_GRID, m_grid);
}

int CGammaDlg::TargetCurve() const
{
    const int target = m_curveNumber != 0 ? m_curveNumber - 1 : GammaCurveTables.m_count;
    return target >= 0 && target < kMaxUserCurves ? target : -1;
}

BOOL CGammaDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_grid.SetFixedRowCount(1);
    m_grid.SetFixedColumnCount(1);
    m_grid.EnableTitleTips(FALSE);
    m_grid.SetRowCount(kCurveEntries + 1);
    m_grid.SetColumnCount(2);
    m_grid.SetFont(GetFont());
    // After the font, which would otherwise size the rows to its height.
    m_grid.SetDefCellHeight(20);
    m_grid.EnableSelection(FALSE);
    SetCell(m_grid, 0, 0, LangTextOr(L"LAYOUT", 2640, L"灰度"));
    m_grid.SetColumnWidth(0, 50);
    SetCell(m_grid, 0, 1, LangTextOr(L"LAYOUT", 2641, L"亮度"));
    m_grid.SetColumnWidth(1, 80);
    ApplyLayoutLabels(
        *this, { { IDC_GAMMA_IMPORT, 2642 }, { IDC_GAMMA_EXPORT, 2643 }, { IDOK, 91 }, { IDCANCEL, 92 } });

    const int curve = m_curveNumber != 0 ? TargetCurve() : -1;
    for (int level = 0; level < kCurveEntries; ++level) {
        SetCell(m_grid, level + 1, 0, Number(level));
        SetCell(m_grid, level + 1, 1, Number(curve >= 0 ? GammaCurveTables.m_curves[curve][level] : level));
    }
    return TRUE;
}

void CGammaDlg::OnOK()
{
    const int target = TargetCurve();
    if (target < 0) {
        // Four curves exist already: there is no slot for another.
        EndDialog(IDCANCEL);
        return;
    }
    for (int level = 0; level < kCurveEntries; ++level)
        GammaCurveTables.m_curves[target][level] = ClampCurveLevel(_wtoi(m_grid.GetItemText(level + 1, 1)));
    EndDialog(IDOK);
}

void CGammaDlg::OnImport()
{
    CFileDialog open(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kFilter, this);
    if (open.DoModal() != IDOK)
        return;
    CString text;
    if (!ReadAnsiTextFile(open.GetPathName(), text)) {
        AfxGetUiHost().MessageBox(
            GetSafeHwnd(), LangTextOr(L"LAYOUT", 168, L"文件无法打开或写入。"), L"Solvane", MB_OK);
        return;
    }
    if (text.IsEmpty())
        return;
    CString values[kCurveEntries];
    int taken = 0;
    const GammaFileResult result = ParseGammaCurveFile(text, values, taken);
    for (int i = 0; i < taken; ++i)
        SetCell(m_grid, i + 1, 1, values[i]);
    m_grid.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    if (result == GammaFileResult::ValueTooLarge)
        AfxMessageBox(LangTextOr(L"LAYOUT", 2644, L"只支持256级亮度曲线"), MB_OK);
}

void CGammaDlg::OnExport()
{
    CFileDialog save(FALSE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kFilter, this);
    if (save.DoModal() != IDOK)
        return;
    int values[kCurveEntries];
    for (int level = 0; level < kCurveEntries; ++level)
        values[level] = _wtoi(m_grid.GetItemText(level + 1, 1));
    if (!WriteAnsiTextFile(save.GetPathName(), FormatGammaCurveFile(values)))
        AfxGetUiHost().MessageBox(
            GetSafeHwnd(), LangTextOr(L"LAYOUT", 168, L"文件无法打开或写入。"), L"Solvane", MB_OK);
}
