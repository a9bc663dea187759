// The DMX address tool's dialog.
#include "PelloxDlg.h"

#include "DmxAddressFile.h"
#include "afxdlgs.h"

namespace {
// Both up-down controls and the values typed into their edits stay in this range.
constexpr int kValueMin = 0;
constexpr int kValueMax = 9999;
constexpr int kInitialChipType = 2; // "UCS512"
} // namespace

BEGIN_MESSAGE_MAP(CPELLOXDlg, CDialogEx)
ON_BN_CLICKED(IDC_GENERATE, OnGenerate)
END_MESSAGE_MAP()

CPELLOXDlg::CPELLOXDlg(CWnd* pParent)
    : CDialogEx(IDD_PELLOX_DIALOG, pParent)
{
    m_hIcon = AfxGetApp() != nullptr ? AfxGetApp()->LoadIcon(IDR_MAINFRAME)
                                     : ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_MAINFRAME));
}

void CPELLOXDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CHIP_TYPE, m_cbChipType);
    DDX_Control(pDX, IDC_FIXTURE_SPIN, m_spinFixture);
    DDX_Control(pDX, IDC_CHANNELS_SPIN, m_spinChannels);
    DDX_Text(pDX, IDC_FIXTURE_NUMBER, m_nFixtureNumber);
    DDV_MinMaxInt(pDX, m_nFixtureNumber, kValueMin, kValueMax);
    DDX_Text(pDX, IDC_CHANNELS, m_nChannels);
    DDV_MinMaxInt(pDX, m_nChannels, kValueMin, kValueMax);
}

BOOL CPELLOXDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    for (const wchar_t* chip : kDmxChipTypes)
        m_cbChipType.AddString(chip);
    m_cbChipType.SetCurSel(kInitialChipType);

    m_spinFixture.SetBuddy(GetDlgItem(IDC_FIXTURE_NUMBER));
    m_spinFixture.SetRange32(kValueMin, kValueMax);
    m_spinFixture.SetPos32(m_nFixtureNumber);
    m_spinChannels.SetBuddy(GetDlgItem(IDC_CHANNELS));
    m_spinChannels.SetRange32(kValueMin, kValueMax);
    m_spinChannels.SetPos32(m_nChannels);
    UpdateData(FALSE);
    return TRUE;
}

void CPELLOXDlg::OnGenerate()
{
    if (!UpdateData(TRUE))
        return;
    int chipType = m_cbChipType.GetCurSel();

    CFileDialog save(
        FALSE, nullptr, L"QVPELLOX", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, L"Text Files(*.txt)|*.txt||", this);
    if (save.DoModal() != IDOK)
        return;
    CString path = save.GetPathName();
    if (!WriteDmxAddressFile(path, chipType, m_nFixtureNumber, m_nChannels)) {
        AfxMessageBox(L"写入文件失败!");
        return;
    }
    int slash = path.ReverseFind(L'\\');
    if (slash > 0)
        AfxShellOpen(path.Left(slash));
}
