// The reset-DMX-address calculator and its spreadsheet template copier.
#include "dmx_dialogs.h"

#include "AppPaths.h"
#include "dmx_address.h"

#include <fw_labels.h>

#include <algorithm>

namespace {

constexpr UINT kHeaderFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;

} // namespace

// --- CPelloxAdvancedDlg

BEGIN_MESSAGE_MAP(CPelloxAdvancedDlg, CDialogEx)
ON_BN_CLICKED(IDC_DMX_NEW, OnNew)
ON_BN_CLICKED(IDC_DMX_WRITE, OnNoAction)
ON_BN_CLICKED(IDC_DMX_OPEN, OnNoAction)
END_MESSAGE_MAP()

CPelloxAdvancedDlg::CPelloxAdvancedDlg(CWnd* pParent)
    : CDialogEx(IDD, pParent)
{
}

CString CPelloxAdvancedDlg::TemplatePath() const
{
    return m_templatePath.IsEmpty() ? GetConfigFolder() + L"DMX.xls" : m_templatePath;
}

void CPelloxAdvancedDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_DMX_FILE, m_filePath);
}

BOOL CPelloxAdvancedDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    static const CtrlLabel labels[] = { { 0, L"TITLE", 127 }, { IDC_DMX_NEW, L"TITLE", 6 },
        { IDC_DMX_OPEN, L"TITLE", 7 }, { IDC_DMX_WRITE, L"TITLE", 318 }, { IDCANCEL, L"TITLE", 12 },
        { IDC_DMX_FILE_GROUP, L"SHOW", 273 }, { IDC_DMX_FILE_LABEL, L"SHOW", 274 } };
    ApplyLabels(*this, m_text, labels);
    return TRUE;
}

void CPelloxAdvancedDlg::OnNew()
{
    CFileDialog dlg(
        FALSE, nullptr, nullptr, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, L"Excel Files(*.xls)|*.xls||", this);
    if (dlg.DoModal() != IDOK)
        return;
    const CString target = dlg.GetPathName();
    // Opening the chosen path after a failed copy would show a stale or
    // missing file as if it were the new one: say so and open nothing.
    if (!::CopyFileW(TemplatePath(), target, FALSE)) {
        const CString text = m_text ? m_text(L"SHOW", 270) : CString();
        AfxMessageBox(text.IsEmpty() ? CString(L"DMX.xls 复制失败!") : text, MB_ICONEXCLAMATION);
        return;
    }
    m_filePath = target;
    UpdateData(FALSE);
    AfxShellOpen(m_filePath);
}

// --- CPelloxDlg

BEGIN_MESSAGE_MAP(CPelloxDlg, CDialogEx)
ON_EN_CHANGE(IDC_DMX_FIXTURE, OnFixtureChange)
ON_EN_CHANGE(IDC_DMX_CHANNELS, OnChannelsChange)
ON_BN_CLICKED(IDC_DMX_MIXED, OnMixedClicked)
ON_EN_CHANGE(IDC_DMX_SEGMENTS, OnSegmentsChange)
ON_LBN_SELCHANGE(IDC_DMX_PORTS, OnPortsSelChange)
ON_BN_CLICKED(IDC_DMX_ADVANCED, OnAdvanced)
ON_BN_CLICKED(IDC_DMX_WRITE, OnNoAction)
END_MESSAGE_MAP()

CPelloxDlg::CPelloxDlg(CWnd* pParent)
    : CDialogEx(IDD, pParent)
    , m_advanced(this)
{
}

void CPelloxDlg::SetTextSource(ConfigTextSource source)
{
    m_text = source;
    m_advanced.SetTextSource(std::move(source));
}

CString CPelloxDlg::Text(LPCTSTR section, int key) const
{
    return m_text ? m_text(section, key) : CString();
}

void CPelloxDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_DMX_FIXTURE, m_fixtureNumber);
    DDX_Text(pDX, IDC_DMX_CHANNELS, m_channelsPerFixture);
    DDX_Text(pDX, IDC_DMX_ADDRESS, m_dmxAddress);
    DDX_Control(pDX, IDC_DMX_PORT_TYPE, m_portType);
    DDX_Text(pDX, IDC_DMX_SPECIAL_INDEX, m_specialIndex);
    DDX_Text(pDX, IDC_DMX_SPECIAL_ADDRESS, m_specialAddress);
    DDX_Control(pDX, IDC_DMX_PORTS, m_ports);
    DDX_GridControl(pDX, IDC_DMX_GRID, m_grid);
    DDX_Text(pDX, IDC_DMX_SEGMENTS, m_segmentCount);
    DDX_Check(pDX, IDC_DMX_MIXED, m_mixedFixtures);
    DDX_Text(pDX, IDC_DMX_START, m_startAddress);
    DDX_Control(pDX, IDC_DMX_PROGRESS, m_progress);
}

BOOL CPelloxDlg::OnInitDialog()
{
    m_exchanging = true;
    CDialogEx::OnInitDialog();
    m_exchanging = false;

    static const CtrlLabel labels[] = { { 0, L"TITLE", 127 }, { IDC_DMX_FIXTURE_LABEL, L"TITLE", 257 },
        { IDC_DMX_CHANNELS_LABEL, L"TITLE", 258 }, { IDC_DMX_ADDRESS_LABEL, L"TITLE", 259 },
        { IDC_DMX_PORT_TYPE_LABEL, L"TITLE", 296 }, { IDC_DMX_PORTS_LABEL, L"TITLE", 308 },
        { IDC_DMX_SPECIAL_LABEL, L"TITLE", 309 }, { IDC_DMX_WRITE, L"TITLE", 318 }, { IDCANCEL, L"TITLE", 12 },
        { IDC_DMX_MIXED, L"SHOW", 264 }, { IDC_DMX_ADVANCED, L"SHOW", 265 }, { IDC_DMX_START_LABEL, L"SHOW", 266 },
        { IDC_DMX_SEGMENTS_LABEL, L"SHOW", 267 } };
    ApplyLabels(*this, m_text, labels);

    m_ports.ResetContent();
    m_ports.AddString(Text(L"LAYOUT", 143));
    const CString portUnit = Text(L"SHOW", 263);
    for (int port = 1; port <= 8; ++port) {
        CString item;
        item.Format(L"%d%s", port, portUnit.GetString());
        m_ports.AddString(item);
    }
    for (int i = 0; i < 9; ++i)
        m_ports.SetCheck(i, 1);

    m_portType.ResetContent();
    m_portType.AddString(L"5Pin");
    m_portType.AddString(L"3Pin");
    m_portType.SetCurSel(0);

    SetupGrid();
    FillGrid();
    ApplyMixedState();
    return TRUE;
}

void CPelloxDlg::SetupGrid()
{
    m_segmentCount = std::clamp(m_segmentCount, 0, kMaxSegments);
    m_grid.SetFixedRowCount(1);
    m_grid.SetFixedColumnCount(1);
    m_grid.SetRowCount(m_segmentCount + 1);
    m_grid.SetColumnCount(3);
    m_grid.EnableTitleTips(FALSE);
    m_grid.SetFont(GetFont());
    // After the font, which would otherwise size the rows to its height.
    m_grid.SetDefCellHeight(20);
    m_grid.EnableSelection(FALSE);
    const CString headers[3] = { Text(L"TITLE", 1), Text(L"SHOW", 268), Text(L"SHOW", 269) };
    const int widths[3] = { 50, 80, 80 };
    for (int col = 0; col < 3; ++col) {
        GridItem item;
        item.mask = GVIF_TEXT | GVIF_FORMAT;
        item.row = 0;
        item.col = col;
        item.nFormat = kHeaderFormat;
        item.strText = headers[col];
        m_grid.SetItem(&item);
        m_grid.SetColumnWidth(col, widths[col]);
    }
}

void CPelloxDlg::FillGrid()
{
    m_segmentCount = std::clamp(m_segmentCount, 0, kMaxSegments);
    m_firstValues.resize(m_segmentCount, 0);
    m_secondValues.resize(m_segmentCount, 0);
    for (int row = 1; row <= m_segmentCount; ++row) {
        CString text;
        text.Format(L"%d", row);
        m_grid.SetItemText(row, 0, text);
        text.Format(L"%d", m_firstValues[row - 1]);
        m_grid.SetItemText(row, 1, text);
        text.Format(L"%d", m_secondValues[row - 1]);
        m_grid.SetItemText(row, 2, text);
        for (int col = 0; col < 3; ++col)
            m_grid.SetModified(TRUE, row, col);
    }
    m_exchanging = true;
    UpdateData(FALSE);
    m_exchanging = false;
}

void CPelloxDlg::UpdateAddress()
{
    m_dmxAddress = DmxStartAddress(m_fixtureNumber, m_channelsPerFixture);
    m_exchanging = true;
    UpdateData(FALSE);
    m_exchanging = false;
}

void CPelloxDlg::OnFixtureChange()
{
    if (m_exchanging || !UpdateData(TRUE))
        return;
    m_fixtureNumber = std::max(m_fixtureNumber, 1);
    UpdateAddress();
}

void CPelloxDlg::OnChannelsChange()
{
    if (m_exchanging || !UpdateData(TRUE))
        return;
    m_channelsPerFixture = std::max(m_channelsPerFixture, 1);
    UpdateAddress();
}

void CPelloxDlg::ApplyMixedState()
{
    const BOOL mixed = m_mixedFixtures != 0;
    for (int id : { IDC_DMX_SEGMENTS, IDC_DMX_GRID, IDC_DMX_START, IDC_DMX_ADVANCED })
        ::EnableWindow(::GetDlgItem(m_hWnd, id), mixed);
    for (int id : { IDC_DMX_FIXTURE, IDC_DMX_CHANNELS })
        ::EnableWindow(::GetDlgItem(m_hWnd, id), !mixed);
    if (mixed) {
        m_grid.SetRowCount(m_segmentCount + 1);
        FillGrid();
    } else {
        m_grid.SetRowCount(1);
    }
    m_grid.Invalidate();
}

void CPelloxDlg::OnMixedClicked()
{
    m_mixedFixtures = IsDlgButtonChecked(IDC_DMX_MIXED) != 0 ? 1 : 0;
    ApplyMixedState();
}

void CPelloxDlg::ResizeSegments()
{
    // A negative or huge count typed here would make the grid refuse or
    // allocate without bound; the table has at most one segment per channel.
    const int bounded = std::clamp(m_segmentCount, 0, kMaxSegments);
    const bool changed = bounded != m_segmentCount;
    m_segmentCount = bounded;
    m_grid.SetRowCount(m_segmentCount + 1);
    m_firstValues.resize(m_segmentCount, 0);
    m_secondValues.resize(m_segmentCount, 0);
    for (int row = 1; row <= m_segmentCount; ++row) {
        CString text;
        text.Format(L"%d", row);
        m_grid.SetItemText(row, 0, text);
    }
    if (changed) {
        m_exchanging = true;
        UpdateData(FALSE);
        m_exchanging = false;
    }
    m_grid.Invalidate();
}

void CPelloxDlg::OnSegmentsChange()
{
    if (m_exchanging || !UpdateData(TRUE))
        return;
    ResizeSegments();
}

void CPelloxDlg::OnPortsSelChange()
{
    if (m_ports.GetCurSel() != 0)
        return;
    const int check = m_ports.GetCheck(0);
    for (int i = 1; i < m_ports.GetCount(); ++i)
        m_ports.SetCheck(i, check);
}

void CPelloxDlg::OnAdvanced()
{
    m_advanced.DoModal();
}
