// The lamp format dialogs (see LampFormatDlgs.h).
#include "LampFormatDlgs.h"

#include <afxdlgs.h>
#include <fw_uihost.h>

#include <algorithm>

#include "LampTypeList.h"
#include "PannexDoc.h"
#include "PannexFileText.h"
#include "DialogLabels.h"
#include "PannexLabels.h"

namespace {

constexpr LPCWSTR kTableFilter = L"Config Files(*.txt)|*.txt||";
constexpr UINT kHeaderFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;

CString Number(int value)
{
    CString text;
    text.Format(L"%d", value);
    return text;
}

void SetHeader(CSheetCtrl& grid, int col, const CString& text, int width)
{
    GridItem item;
    item.mask = GVIF_TEXT | GVIF_FORMAT;
    item.row = 0;
    item.col = col;
    item.nFormat = kHeaderFormat;
    item.strText = text;
    grid.SetItem(&item);
    grid.SetColumnWidth(col, width);
}

} // namespace

// --- CAddLightBarAdvancedDlg ---------------------------------------------------

BEGIN_MESSAGE_MAP(CAddLightBarAdvancedDlg, CDialogEx)
ON_EN_KILLFOCUS(IDC_ALBA_SEGMENTS, OnSegmentsKillFocus)
ON_WM_LBUTTONDOWN()
ON_BN_CLICKED(IDC_ALBA_IMPORT, OnImport)
ON_BN_CLICKED(IDC_ALBA_EXPORT, OnExport)
END_MESSAGE_MAP()

CAddLightBarAdvancedDlg::CAddLightBarAdvancedDlg(CWnd* parent)
    : CDialogEx(IDD_ADD_LIGHT_BAR_ADV, parent)
{
}

void CAddLightBarAdvancedDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_GridControl(pDX, IDC_ALBA_GRID, m_grid);
    DDX_Text(pDX, IDC_ALBA_SEGMENTS, m_nSegments);
}

BOOL CAddLightBarAdvancedDlg::OnInitDialog()
{
    m_nSegments = std::clamp(m_nSegments, 0, kMaxSegments);
    CDialogEx::OnInitDialog();
    m_grid.SetFixedRowCount(1);
    m_grid.SetFixedColumnCount(1);
    m_grid.EnableTitleTips(FALSE);
    m_grid.SetRowCount(m_nSegments + 1);
    m_grid.SetColumnCount(3);
    m_grid.SetFont(GetFont());
    m_grid.SetDefCellHeight(20);
    m_grid.EnableSelection(FALSE);
    SetHeader(m_grid, 0, LangTextOr(L"TITLE", 1, L"序号"), 50);
    SetHeader(m_grid, 1, LangTextOr(L"SHOW", 268, L"灯具数"), 80);
    SetHeader(m_grid, 2, LangTextOr(L"LAYOUT", 2649, L"排列"), 80);
    ApplyLayoutLabels(
        *this, { { 0, 2655 }, { IDC_ALBA_IMPORT, 2656 }, { IDC_ALBA_EXPORT, 2657 }, { IDOK, 91 }, { IDCANCEL, 92 } });
    SetDlgItemText(IDC_ALBA_LABEL, LangTextOr(L"SHOW", 267, L"分段数"));
    FillRows();
    return TRUE;
}

void CAddLightBarAdvancedDlg::FillRows()
{
    for (int r = 1; r <= m_nSegments; ++r) {
        m_grid.SetItemText(r, 0, Number(r));
        const bool known = r - 1 < m_arrLampCounts.GetSize() && r - 1 < m_arrLetters.GetSize();
        m_grid.SetItemText(r, 1, known ? Number(m_arrLampCounts[r - 1]) : CString());
        m_grid.SetItemText(r, 2, known ? m_arrLetters[r - 1] : CString());
    }
    m_grid.Invalidate();
}

void CAddLightBarAdvancedDlg::OnSegmentsKillFocus()
{
    if (!UpdateData(TRUE))
        return;
    m_nSegments = std::clamp(m_nSegments, 0, kMaxSegments);
    m_grid.SetRowCount(m_nSegments + 1);
    m_arrLampCounts.SetSize(m_nSegments);
    m_arrLetters.SetSize(m_nSegments);
    for (int r = 1; r <= m_nSegments; ++r)
        m_grid.SetItemText(r, 0, Number(r));
    m_grid.Invalidate();
}

void CAddLightBarAdvancedDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    // A click on the background takes the focus, so the count is read.
    SetFocus();
    CDialogEx::OnLButtonDown(nFlags, point);
}

void CAddLightBarAdvancedDlg::Refuse(int key, LPCWSTR fallback)
{
    AfxGetUiHost().MessageBox(GetSafeHwnd(), LangTextOr(L"LAYOUT", key, fallback), L"", MB_OK);
}

bool CAddLightBarAdvancedDlg::ReadGrid()
{
    if (m_nSegments < 1) {
        Refuse(2645, L"分段数不能为0");
        return false;
    }
    m_arrLampCounts.SetSize(m_nSegments);
    m_arrLetters.SetSize(m_nSegments);
    for (int r = 1; r <= m_nSegments; ++r) {
        const CString count = m_grid.GetItemText(r, 1);
        if (count.IsEmpty()) {
            Refuse(2646, L"灯具数不能为空");
            return false;
        }
        m_arrLampCounts[r - 1] = static_cast<WORD>(std::clamp(_wtoi(count), 0, kMaxFormatLamps));
        const CString letters = m_grid.GetItemText(r, 2);
        if (letters.IsEmpty()) {
            Refuse(2647, L"通道数不能为空");
            return false;
        }
        m_arrLetters[r - 1] = letters;
    }
    return true;
}

std::vector<LampSegment> CAddLightBarAdvancedDlg::Segments() const
{
    std::vector<LampSegment> segments;
    for (int i = 0; i < m_nSegments && i < m_arrLampCounts.GetSize() && i < m_arrLetters.GetSize(); ++i)
        segments.push_back({ m_arrLampCounts[i], m_arrLetters[i] });
    return segments;
}

void CAddLightBarAdvancedDlg::OnOK()
{
    if (!UpdateData(TRUE) || !ReadGrid())
        return;
    std::vector<LampSegment> segments = Segments();
    m_strResult = BuildSegmentFormat(segments);
    for (size_t i = 0; i < segments.size(); ++i)
        m_arrLetters[static_cast<INT_PTR>(i)] = segments[i].letters;
    EndDialog(IDOK);
}

void CAddLightBarAdvancedDlg::OnExport()
{
    CFileDialog save(FALSE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kTableFilter, this);
    if (save.DoModal() != IDOK)
        return;
    // The table is checked first: a refused table leaves no file behind.
    if (!UpdateData(TRUE) || !ReadGrid())
        return;
    if (!WriteAnsiTextFile(save.GetPathName(), FormatSegmentTable(Segments())))
        Refuse(168, L"文件无法打开或写入。");
}

void CAddLightBarAdvancedDlg::OnImport()
{
    CFileDialog open(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kTableFilter, this);
    if (open.DoModal() != IDOK)
        return;
    CString text;
    if (!ReadAnsiTextFile(open.GetPathName(), text))
        return;
    std::vector<LampSegment> segments;
    if (ParseSegmentTable(text, segments) != SegmentTableResult::Ok) {
        // The table stays as it was: the grid and the arrays agree.
        Refuse(2647, L"通道数不能为空");
        return;
    }
    if (segments.size() > static_cast<size_t>(kMaxSegments))
        segments.resize(kMaxSegments);
    m_nSegments = static_cast<int>(segments.size());
    m_arrLampCounts.SetSize(m_nSegments);
    m_arrLetters.SetSize(m_nSegments);
    for (int i = 0; i < m_nSegments; ++i) {
        m_arrLampCounts[i] = segments[static_cast<size_t>(i)].lamps;
        m_arrLetters[i] = segments[static_cast<size_t>(i)].letters;
    }
    m_grid.SetRowCount(m_nSegments + 1);
    FillRows();
    SetDlgItemInt(IDC_ALBA_SEGMENTS, static_cast<UINT>(m_nSegments), FALSE);
}

// --- CAddLightBarDlg -----------------------------------------------------------

BEGIN_MESSAGE_MAP(CAddLightBarDlg, CDialogEx)
ON_BN_CLICKED(IDC_ALB_ADVANCED, OnAdvanced)
END_MESSAGE_MAP()

CAddLightBarDlg::CAddLightBarDlg(CWnd* parent)
    : CDialogEx(IDD_ADD_LIGHT_BAR, parent)
    , m_dlgAdvanced(this)
{
}

void CAddLightBarDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ALB_FORMAT, m_strFormat);
}

BOOL CAddLightBarDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    ApplyLayoutLabels(*this, { { 0, 2658 }, { IDC_ALB_LABEL, 86 }, { IDOK, 91 }, { IDCANCEL, 92 } });
    SetDlgItemText(IDC_ALB_ADVANCED, LangTextOr(L"SHOW", 265, L"高级"));
    return TRUE;
}

void CAddLightBarDlg::OnAdvanced()
{
    m_dlgAdvanced.m_pParentWnd = this;
    if (m_dlgAdvanced.DoModal() != IDOK)
        return;
    m_strFormat = m_dlgAdvanced.m_strResult;
    SetDlgItemText(IDC_ALB_FORMAT, m_strFormat);
}

AddLampFormatResult AddLampFormat(const CString& format, CComboBox* lampTypes, CPannexDoc* doc)
{
    if (format.IsEmpty())
        return AddLampFormatResult::Empty;
    if (IsDuplicateLampFormat(LampTypeList, format)) {
        AfxMessageBox(LangTextOr(L"LAYOUT", 2648, L"已有相同灯具"), MB_OK);
        return AddLampFormatResult::Duplicate;
    }
    LampTypeList.Add(format);
    if (lampTypes != nullptr && lampTypes->GetSafeHwnd() != nullptr) {
        CString entry;
        entry.Format(L"(%d): %s", lampTypes->GetCount() + 1, format.GetString());
        lampTypes->AddString(entry);
    }
    if (doc != nullptr)
        doc->SetModifiedFlag(TRUE);
    return AddLampFormatResult::Added;
}

AddLampFormatResult RunAddLampFormat(CWnd* owner, CComboBox* lampTypes, CPannexDoc* doc)
{
    CAddLightBarDlg dlg(owner);
    if (dlg.DoModal() != IDOK)
        return AddLampFormatResult::Cancelled;
    return AddLampFormat(dlg.m_strFormat, lampTypes, doc);
}
