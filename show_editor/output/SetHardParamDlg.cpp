// The chip parameter page.
#include "SetHardParamDlg.h"

#include "AppPaths.h"
#include "ChipPageText.h"
#include "ConfigFile.h"
#include "HardwareConfig.h"
#include "current_page_runs.h"

#include <fw_labels.h>
#include <fw_langtext.h>

#include <cmath>
#include <initializer_list>

namespace {

constexpr int kLevelSliders[] = { IDC_CP_BRIGHTNESS, IDC_CP_BRIGHTNESS_A, IDC_CP_BRIGHTNESS_B, IDC_CP_BRIGHTNESS_C,
    IDC_CP_BRIGHTNESS_D, IDC_CP_GAIN };
constexpr int kLevelLabels[] = { 369, 370, 371, 372, 383, 374 };
constexpr int kGammaLabel = 368;
constexpr int kRefreshLabel = 373;
constexpr int kChannelsMax = 16000;

constexpr int kDmxButton = 394;
constexpr int kGclkLabel = 395;
constexpr int kCurrentButton = 405;
constexpr int kUcs9812Button = 406;
constexpr int kBackupButton = 407;
constexpr int kPwmLabel = 408;
constexpr int kChipSettingsButton = 410;

// Labels of the page, all from the [TITLE] section.
constexpr CtrlLabel kLabels[] = { { 350, L"TITLE", 100 }, { 351, L"TITLE", 101 }, { 352, L"TITLE", 102 },
    { 353, L"TITLE", 124 }, { 354, L"TITLE", 125 }, { 355, L"TITLE", 104 }, { 356, L"TITLE", 105 },
    { 357, L"TITLE", 106 }, { 358, L"TITLE", 107 }, { 359, L"TITLE", 108 }, { 360, L"TITLE", 109 },
    { 361, L"TITLE", 110 }, { 362, L"TITLE", 111 }, { 363, L"TITLE", 112 }, { 364, L"TITLE", 113 },
    { 397, L"TITLE", 297 }, { 405, L"TITLE", 297 }, { 406, L"TITLE", 297 }, { 412, L"TITLE", 123 },
    { 391, L"TITLE", 116 }, { 392, L"TITLE", 126 }, { 393, L"TITLE", 115 }, { 394, L"TITLE", 127 },
    { 404, L"TITLE", 311 }, { kBackupButton, L"TITLE", 330 }, { kChipSettingsButton, L"TITLE", 331 } };

LRESULT SendItem(const CWnd& wnd, int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendDlgItemMessageW(wnd.m_hWnd, id, message, wParam, lParam);
}

bool IsOneOf(const CString& name, std::initializer_list<const wchar_t*> names)
{
    for (const wchar_t* n : names)
        if (name == n)
            return true;
    return false;
}

int Trunc(double value)
{
    if (!(value > -2147483648.0))
        return value != value ? 0 : INT_MIN;
    return value < 2147483647.0 ? static_cast<int>(value) : INT_MAX;
}

} // namespace

BEGIN_MESSAGE_MAP(CSetHardParamDlg, CDialog)
ON_CBN_DROPDOWN(IDC_CP_CHIP, OnChipDropDown)
ON_CBN_SELCHANGE(IDC_CP_CHANNELS, OnChannelsSelected)
ON_CBN_EDITCHANGE(IDC_CP_CHANNELS, OnChannelsEdited)
ON_CBN_SELCHANGE(IDC_CP_GRAY, OnGraySelected)
ON_CBN_SELCHANGE(IDC_CP_OE_PERIODS, OnOePeriodsSelected)
ON_CBN_SELCHANGE(IDC_CP_CLOCK, OnClockSelected)
ON_CBN_EDITCHANGE(IDC_CP_CLOCK, OnClockEdited)
ON_CBN_SELCHANGE(IDC_CP_COLOURS, OnInfoListSelected)
ON_CBN_SELCHANGE(IDC_CP_LOW_GRAY, OnInfoListSelected)
ON_BN_CLICKED(IDC_CP_AUTO_REFRESH, OnAutoRefresh)
ON_BN_CLICKED(kDmxButton, OnResetDmxAddress)
ON_BN_CLICKED(kCurrentButton, OnChannelCurrent)
ON_BN_CLICKED(kUcs9812Button, OnTwelveCurrent)
ON_BN_CLICKED(kBackupButton, OnBackupOutput)
ON_WM_HSCROLL()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CSetHardParamDlg::CSetHardParamDlg()
    : CDialog(IDD_CHIP_PAGE)
{
}

void CSetHardParamDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_CP_AUTO_REFRESH, AutoRefresh);
    DDX_Check(pDX, IDC_CP_DATA_REVERSE, DataReverse);
    DDX_Check(pDX, IDC_CP_OE_HIGH, OeActiveHigh);
    DDX_Check(pDX, IDC_CP_ADDRESS_ROUTED, AddressRouted);
}

CString CSetHardParamDlg::Text(LPCTSTR section, int key) const
{
    return m_text ? m_text(section, key) : CString();
}

CString CSetHardParamDlg::ComboText(int id) const
{
    CString text;
    GetDlgItemTextW(id, text);
    return text;
}

int CSetHardParamDlg::ComboSel(int id) const
{
    return static_cast<int>(SendItem(*this, id, CB_GETCURSEL, 0, 0));
}

int CSetHardParamDlg::SelectionOr(int id, int previous) const
{
    const int selection = ComboSel(id);
    return selection >= 0 ? selection : previous;
}

void CSetHardParamDlg::ShowItem(int id, bool show)
{
    if (CWnd* item = GetDlgItem(id))
        item->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

namespace {

CString SelectedEntry(const CWnd& page, int id)
{
    const int sel = static_cast<int>(SendItem(page, id, CB_GETCURSEL, 0, 0));
    CString text;
    if (sel < 0)
        return text;
    const int length = static_cast<int>(SendItem(page, id, CB_GETLBTEXTLEN, static_cast<WPARAM>(sel), 0));
    if (length <= 0)
        return text;
    wchar_t* buffer = text.GetBuffer(length + 1);
    SendItem(page, id, CB_GETLBTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(buffer));
    text.ReleaseBuffer(length);
    return text;
}

void AddEntry(CWnd& page, int id, const CString& text)
{
    SendItem(page, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
}

void SetSel(CWnd& page, int id, int index)
{
    SendItem(page, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void SetSlider(CWnd& page, int id, int lo, int hi)
{
    SendItem(page, id, TBM_SETRANGEMIN, FALSE, lo);
    SendItem(page, id, TBM_SETRANGEMAX, TRUE, hi);
}

int SliderPos(const CWnd& page, int id)
{
    return static_cast<int>(SendItem(page, id, TBM_GETPOS, 0, 0));
}

void SetSliderPos(CWnd& page, int id, int pos)
{
    SendItem(page, id, TBM_SETPOS, TRUE, pos);
}

} // namespace

void CSetHardParamDlg::FillLists()
{
    const CString channelUnit = Text(L"SHOW", 87);
    for (int channels : { 128, 256, 384, 512, 768, 1024, 1536, 2048, 3072 }) {
        CString text;
        text.Format(L"%d%s", channels, channelUnit.GetString());
        AddEntry(*this, IDC_CP_CHANNELS, text);
    }
    SetSel(*this, IDC_CP_CHANNELS, 5);

    const BOOL oe = m_pConfig != nullptr && m_pConfig->IsOE;
    AddEntry(*this, IDC_CP_CLOCK, oe ? L"7.50MHz" : L"8.00MHz");
    for (const wchar_t* clock : { L"6.66MHz", L"5.00MHz", L"4.00MHz", L"3.20MHz", L"2.00MHz", L"1.60MHz", L"1.00MHz",
             L"0.80MHz", L"0.66MHz", L"0.50MHz", L"0.40MHz", L"0.32MHz", L"0.25MHz" })
        AddEntry(*this, IDC_CP_CLOCK, clock);
    SetSel(*this, IDC_CP_CLOCK, 4);

    for (int duty = 10; duty <= 90; duty += 10) {
        CString text;
        text.Format(L"%d%%", duty);
        AddEntry(*this, IDC_CP_DUTY, text);
    }
    SetSel(*this, IDC_CP_DUTY, 4);

    AddEntry(*this, IDC_CP_LOW_GRAY, Text(L"SHOW", 49));
    for (int i = 1; i <= 63; ++i) {
        CString text;
        text.Format(L"0 ~ %d", i);
        AddEntry(*this, IDC_CP_LOW_GRAY, text);
    }
    SetSel(*this, IDC_CP_LOW_GRAY, 0);

    AddEntry(*this, IDC_CP_COLOURS, Text(L"SHOW", 89));
    AddEntry(*this, IDC_CP_COLOURS, Text(L"SHOW", 90));
    SetSel(*this, IDC_CP_COLOURS, 0);

    for (int id : { IDC_CP_CURRENT_A, IDC_CP_CURRENT_B, IDC_CP_CURRENT_C })
        for (int ma = 10; ma <= 41; ++ma) {
            CString text;
            text.Format(L"%dMA", ma);
            AddEntry(*this, id, text);
        }

    for (double clock : { 18.75, 15.0, 12.5, 75.0 / 7.0, 9.375, 75.0 / 9.0, 7.5, 3.75 }) {
        CString text;
        text.Format(L"%.2fMHz", clock);
        AddEntry(*this, IDC_CP_PWM_CLOCK, text);
    }
    SetSel(*this, IDC_CP_PWM_CLOCK, 3);

    const CString periodUnit = Text(L"SHOW", 150);
    AddEntry(*this, IDC_CP_OE_PERIODS, Text(L"SHOW", 149));
    for (int i = 1; i <= 8; ++i) {
        CString text;
        text.Format(L"%d%s", i, periodUnit.GetString());
        AddEntry(*this, IDC_CP_OE_PERIODS, text);
    }
    SetSel(*this, IDC_CP_OE_PERIODS, 8);

    SetSlider(*this, IDC_CP_GAMMA, 10, 50);
    for (int id : kLevelSliders)
        SetSlider(*this, id, 0, 100);
}

void CSetHardParamDlg::BuildChipMenu()
{
    m_menuModel.clear();
    if (m_chipPath.IsEmpty())
        m_chipPath = GetChipIniPath();
    if (m_database.Open(m_chipPath))
        m_menuModel = m_database.BuildMenu();
    if (m_chipMenu.GetSafeHmenu() != nullptr)
        m_chipMenu.DestroyMenu();
    if (m_menuModel.empty() || !m_chipMenu.CreatePopupMenu())
        return;
    for (const ChipMenuCategory& category : m_menuModel) {
        HMENU sub = ::CreatePopupMenu();
        for (const ChipMenuItem& chip : category.chips)
            ::AppendMenuW(sub, MF_STRING, chip.commandId, chip.name);
        m_chipMenu.AppendMenu(MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), category.name);
    }
}

void CSetHardParamDlg::SetSliderLabel(int labelId, int sliderId, LPCWSTR format)
{
    CString text;
    text.Format(format, SliderPos(*this, sliderId));
    SetDlgItemTextW(labelId, text);
}

void CSetHardParamDlg::SetRefreshSlider(int position)
{
    SetSliderPos(*this, IDC_CP_REFRESH, 0);
    SetSliderPos(*this, IDC_CP_REFRESH, position);
    SetSliderLabel(kRefreshLabel, IDC_CP_REFRESH, L"%dHz");
}

void CSetHardParamDlg::RestoreFromConfiguration()
{
    const HardwareConfig& c = *m_pConfig;
    m_chip.ChipName = c.ChipName;
    m_chip.Gray = c.Gray;
    m_chip.Channels = c.Channels;
    m_chip.Clock = c.Clock;
    m_chip.PwmClock = c.PwmClock;
    m_chip.ClkDuty = c.ClkDuty;
    m_chip.GammaVal = c.GammaVal;
    m_chip.Code = c.Code;
    m_chip.ChipChannel = c.ChipChannel;
    m_chip.IsCurrent = c.IsCurrent;
    m_chip.ChipBits = c.ChipBits;
    m_chip.AddTime = c.AddTime;
    m_chip.GrayLock = c.GrayLock;
    m_chip.GammaLock = c.GammaLock;
    m_chip.ClockLock = c.ClockLock;
    m_chip.ClkDutyLock = c.ClkDutyLock;
    m_chip.ChannelsLock = c.ChannelsLock;
    m_chip.Conf_type = c.Conf_type;
    m_chip.Conf_Data = c.Conf_Data;
    IsOE = c.IsOE;
    SetSel(*this, IDC_CP_OE_PERIODS, c.OePeriods);
    OeActiveHigh = c.OeActiveHigh;
    RefreshMax = c.RefreshMax;
    RefreshRate = c.RefreshRate;
    SetSel(*this, IDC_CP_CURRENT_A, c.CurrentA);
    SetSel(*this, IDC_CP_CURRENT_B, c.CurrentB);
    SetSel(*this, IDC_CP_CURRENT_C, c.CurrentC);
    memcpy(Ucs9812Currents, c.Ucs9812Currents, sizeof(Ucs9812Currents));
    memcpy(ChipCurrents, c.ChipCurrents, sizeof(ChipCurrents));
    BackupMode = c.BackupMode;
    BackupIdleHigh = c.BackupIdleHigh;
    ShowChipParams();
}

BOOL CSetHardParamDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    FillLists();
    BuildChipMenu();

    if (m_pConfig != nullptr) {
        const HardwareConfig& c = *m_pConfig;
        AutoRefresh = c.AutoRefresh;
        DataReverse = c.DataReverse;
        SetSel(*this, IDC_CP_LOW_GRAY, c.LowGrayFilter);
        const int levels[]
            = { static_cast<int>(c.Brightness), static_cast<int>(c.BrightnessA), static_cast<int>(c.BrightnessB),
                  static_cast<int>(c.BrightnessC), static_cast<int>(c.BrightnessD), c.CurrentGain };
        for (int i = 0; i < 6; ++i) {
            SetSliderPos(*this, kLevelSliders[i], levels[i]);
            SetSliderLabel(kLevelLabels[i], kLevelSliders[i], L"%d%%");
        }
        AddressRouted = c.AddressRouted;
        UpdateData(FALSE);
        if (CWnd* refresh = GetDlgItem(IDC_CP_REFRESH))
            refresh->EnableWindow(!AutoRefresh);

        if (!c.ChipName.IsEmpty())
            RestoreFromConfiguration();
        else if (!m_menuModel.empty())
            ApplyChipCommand(kFirstChipCommand);
    }

    UpdateInfoLabels();
    // A text the language file lacks keeps the resource's label.
    ApplyLabels(*this, m_text, kLabels);
    const CString pwm = Text(L"TITLE", 124);
    if (!pwm.IsEmpty())
        ApplyLabel(*this, kPwmLabel, L"PWM " + pwm);

    SetSel(*this, IDC_CP_LOW_GRAY, 0);
    SetSel(*this, IDC_CP_COLOURS, 0);
    return TRUE;
}

BOOL CSetHardParamDlg::ApplyChipCommand(UINT commandId)
{
    CString name;
    if (m_pConfig == nullptr || !CChipDatabase::FindCommand(m_menuModel, commandId, name))
        return FALSE;
    ChipPageValues page;
    page.OePeriodSel = SelectionOr(IDC_CP_OE_PERIODS, m_pConfig->OePeriods);
    if (!ApplyChipToPage(m_database, name, page, *m_pConfig))
        return FALSE;
    m_chip = page.params;
    IsOE = page.IsOE;
    SetSel(*this, IDC_CP_OE_PERIODS, page.OePeriodSel);
    SendItem(*this, IDC_CP_CLOCK, CB_DELETESTRING, 0, 0);
    SendItem(*this, IDC_CP_CLOCK, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(page.FirstClockEntry.GetString()));
    SetSel(*this, IDC_CP_LOW_GRAY, page.LowGrayFilterSel);
    SetSel(*this, IDC_CP_COLOURS, page.ColourCountSel);
    AutoRefresh = page.AutoRefresh;
    RefreshMax = page.RefreshMax;
    RefreshRate = page.RefreshRate;
    memcpy(Ucs9812Currents, page.Ucs9812Currents, sizeof(Ucs9812Currents));
    memcpy(ChipCurrents, page.ChipCurrents, sizeof(ChipCurrents));
    Ucs5603HighCurrent = page.Ucs5603HighCurrent;
    SetSel(*this, IDC_CP_CURRENT_A, m_pConfig->CurrentA);
    SetSel(*this, IDC_CP_CURRENT_B, m_pConfig->CurrentB);
    SetSel(*this, IDC_CP_CURRENT_C, m_pConfig->CurrentC);
    ShowChipParams();
    return TRUE;
}

void CSetHardParamDlg::ShowChipParams()
{
    const CString& chip = m_chip.ChipName;
    SetDlgItemTextW(IDC_CP_CHIP, chip);

    ShowItem(kDmxButton,
        IsOneOf(chip,
            { L"DMX512AP", L"UCS512", L"YD-V", L"PC/RC-S", L"MY7221", L"TM512", L"DMX512-A2", L"SM16512", L"LTDMX512",
                L"BDW512", L"MS512", L"UCS512C", L"QV-SLX15", L"QV-SLX16", L"QV-VTM16", L"DL-DMX01", L"SM16511" }));
    const bool gclk = IsOneOf(chip, { L"MBI6024", L"MBI6023", L"MY9221" });
    ShowItem(kGclkLabel, gclk);
    ShowItem(IDC_CP_GCLK, gclk);
    if (gclk) {
        SendItem(*this, IDC_CP_GCLK, CB_RESETCONTENT, 0, 0);
        if (chip == L"MY9221") {
            for (const wchar_t* e : { L"67K", L"134K", L"268K", L"537K", L"1075K", L"2150k", L"4300k", L"8600k" })
                AddEntry(*this, IDC_CP_GCLK, e);
        } else {
            for (const wchar_t* e : { L"3M-3KHz", L"6M-6KHz", L"12M-12KHz", L"24M-24KHz" })
                AddEntry(*this, IDC_CP_GCLK, e);
        }
        SetSel(*this, IDC_CP_GCLK, m_pConfig != nullptr ? m_pConfig->GclkIndex : 0);
    }
    for (int id = 397; id <= 403; ++id)
        ShowItem(id, false);
    ShowItem(kCurrentButton,
        IsOneOf(chip,
            { L"TM1829", L"TM1814", L"CX808", L"GW6230", L"GW6236", L"UCS5603", L"SM16736", L"SM16803P",
                L"SM16804P" }));
    ShowItem(IDC_CP_ADDRESS_ROUTED, IsOneOf(chip, { L"DMX512AP", L"YD-V", L"PC" }));
    ShowItem(kUcs9812Button, chip == L"UCS9812");
    ShowItem(kBackupButton, IsOneOf(chip, { L"CX808", L"GW6230", L"TM1914", L"GW6236" }));
    ShowItem(kPwmLabel, chip == L"MBI5042");
    ShowItem(IDC_CP_PWM_CLOCK, chip == L"MBI5042");
    ShowItem(kChipSettingsButton, chip == L"KT-DMX");
    for (int id : { IDC_CP_OE_PERIODS, IDC_CP_OE_HIGH })
        if (CWnd* item = GetDlgItem(id))
            item->EnableWindow(IsOE != 0);

    const CString grayUnit = Text(L"SHOW", 88);
    SendItem(*this, IDC_CP_GRAY, CB_RESETCONTENT, 0, 0);
    for (const CString& entry : GrayListEntries(chip, grayUnit))
        AddEntry(*this, IDC_CP_GRAY, entry);
    SetDlgItemTextW(IDC_CP_GRAY, GrayText(ShowsFullGray(chip) ? 65536u : m_chip.Gray, grayUnit));

    CString text;
    text.Format(L"%u", m_chip.Channels);
    SetDlgItemTextW(IDC_CP_CHANNELS, text);
    text.Format(L"%.2fMHz", m_chip.Clock);
    SetDlgItemTextW(IDC_CP_CLOCK, text);
    text.Format(L"%.2fMHz", m_chip.PwmClock);
    SetDlgItemTextW(IDC_CP_PWM_CLOCK, text);
    text.Format(L"%d%%", m_chip.ClkDuty);
    SetDlgItemTextW(IDC_CP_DUTY, text);

    SetSliderPos(*this, IDC_CP_GAMMA, Trunc(m_chip.GammaVal * 10.0));
    text.Format(L"%.1f", m_chip.GammaVal);
    SetDlgItemTextW(kGammaLabel, text);

    const std::pair<int, BOOL> enabled[] = { { IDC_CP_GAIN, m_chip.IsCurrent }, { IDC_CP_GRAY, !m_chip.GrayLock },
        { IDC_CP_GAMMA, !m_chip.GammaLock }, { IDC_CP_CLOCK, !m_chip.ClockLock }, { IDC_CP_DUTY, !m_chip.ClkDutyLock },
        { IDC_CP_CHANNELS, !m_chip.ChannelsLock } };
    for (const auto& [id, on] : enabled)
        if (CWnd* item = GetDlgItem(id))
            item->EnableWindow(on);

    SetSlider(*this, IDC_CP_REFRESH, Trunc(m_refreshMin), Trunc(RefreshMax));
    SetRefreshSlider(Trunc(RefreshRate));
    UpdateData(FALSE);
    // The rate follows the highest one while auto refresh is ticked: the
    // slider is not the user's then.
    if (CWnd* refresh = GetDlgItem(IDC_CP_REFRESH))
        refresh->EnableWindow(!AutoRefresh);
    UpdateInfoLabels();
}

void CSetHardParamDlg::UpdateRefreshRange(UINT grayLevels)
{
    if (grayLevels == 0)
        grayLevels = GrayLevelsFromText(ComboText(IDC_CP_GRAY));
    RefreshMax = PageRefreshMax(IsOE, grayLevels, m_chip.Channels, m_chip.ChipChannel, m_chip.Clock,
        ComboSel(IDC_CP_OE_PERIODS), m_chip.AddTime, m_chip.ChipBits);
    SetSlider(*this, IDC_CP_REFRESH, 1, Trunc(RefreshMax));
    if (AutoRefresh || RefreshMax < RefreshRate)
        RefreshRate = RefreshMax;
    SetRefreshSlider(Trunc(RefreshRate));
}

void CSetHardParamDlg::UpdateInfoLabels(int bits, bool bothLabels)
{
    if (bits < 0)
        bits = GrayBitsFromText(ComboText(IDC_CP_GRAY));
    const int periods = ComboSel(IDC_CP_OE_PERIODS);
    CString first;
    first.Format(L"%s: %.1f%% ", Text(L"TITLE", 118).GetString(), EffectiveBrightness(bits, IsOE, periods));
    const int step
        = FirstVisibleGrayStep(bits, m_chip.ChipName, SliderPos(*this, IDC_CP_GAMMA) / 10.0, ComboSel(IDC_CP_LOW_GRAY));
    m_info1 = first + AfxLangTextWithNumbers(Text(L"SHOW", 85), { step });
    SetDlgItemTextW(IDC_CP_INFO1, m_info1);
    if (!bothLabels)
        return;
    const int colours = ComboSel(IDC_CP_COLOURS) + 3;
    m_info2 = AfxLangTextWithNumbers(
        Text(L"SHOW", 86), { colours > 0 ? static_cast<int>(m_chip.Channels / static_cast<UINT>(colours)) : 0 });
    SetDlgItemTextW(IDC_CP_INFO2, m_info2);
}

void CSetHardParamDlg::OnChipDropDown()
{
    if (m_chipMenu.GetSafeHmenu() == nullptr)
        return;
    POINT at {};
    ::GetCursorPos(&at);
    ::SendDlgItemMessageW(m_hWnd, IDC_CP_CHIP, CB_SHOWDROPDOWN, FALSE, 0);
    ::TrackPopupMenu(m_chipMenu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, m_hWnd, nullptr);
    ::SendDlgItemMessageW(m_hWnd, IDC_CP_CHIP, CB_SETEDITSEL, 0, MAKELPARAM(-1, 0));
}

BOOL CSetHardParamDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (lParam == 0 && id >= kFirstChipCommand) {
        if (ApplyChipCommand(id)) {
            // The chosen chip's name shows unselected and the page, not the
            // combo, has the focus, as after any choice from a menu.
            ::SendDlgItemMessageW(m_hWnd, IDC_CP_CHIP, CB_SETEDITSEL, 0, MAKELPARAM(-1, 0));
            SetFocus();
        }
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CSetHardParamDlg::OnChannelsSelected()
{
    m_chip.Channels = ChannelsFromText(SelectedEntry(*this, IDC_CP_CHANNELS), Text(L"SHOW", 87));
    UpdateRefreshRange();
    UpdateInfoLabels();
}

void CSetHardParamDlg::OnChannelsEdited()
{
    m_chip.Channels = ChannelsFromText(ComboText(IDC_CP_CHANNELS), Text(L"SHOW", 87));
    if (m_chip.Channels > kChannelsMax) {
        m_chip.Channels = kChannelsMax;
        SetDlgItemTextW(IDC_CP_CHANNELS, L"16000");
    }
    UpdateRefreshRange();
    UpdateInfoLabels();
}

void CSetHardParamDlg::OnGraySelected()
{
    // Without a gray entry there are no bits to derive the OE period from.
    if (ComboSel(IDC_CP_GRAY) < 0) {
        UpdateInfoLabels();
        return;
    }
    const int bits = GrayBitsFromText(SelectedEntry(*this, IDC_CP_GRAY));
    const int oe = OePeriodForGrayBits(bits, ComboSel(IDC_CP_OE_PERIODS));
    if (oe >= 0)
        SetSel(*this, IDC_CP_OE_PERIODS, oe);
    UpdateRefreshRange(1u << bits);
    UpdateInfoLabels(bits, false);
}

void CSetHardParamDlg::OnOePeriodsSelected()
{
    UpdateRefreshRange();
    UpdateInfoLabels();
}

void CSetHardParamDlg::OnClockSelected()
{
    m_chip.Clock = ClockFromText(SelectedEntry(*this, IDC_CP_CLOCK));
    UpdateRefreshRange();
}

void CSetHardParamDlg::OnClockEdited()
{
    m_chip.Clock = ClockFromText(ComboText(IDC_CP_CLOCK));
    UpdateRefreshRange();
}

void CSetHardParamDlg::OnInfoListSelected()
{
    UpdateInfoLabels();
}

void CSetHardParamDlg::OnAutoRefresh()
{
    UpdateData(TRUE);
    CWnd* slider = GetDlgItem(IDC_CP_REFRESH);
    if (AutoRefresh) {
        if (slider != nullptr)
            slider->EnableWindow(FALSE);
        RefreshRate = RefreshMax;
        SetRefreshSlider(Trunc(RefreshRate));
    } else if (slider != nullptr) {
        slider->EnableWindow(TRUE);
    }
}

void CSetHardParamDlg::OnHScroll(UINT, UINT, CScrollBar* bar)
{
    const int id = bar != nullptr ? ::GetDlgCtrlID(bar->GetSafeHwnd()) : 0;
    if (id == IDC_CP_GAMMA) {
        CString text;
        text.Format(L"%.1f", SliderPos(*this, IDC_CP_GAMMA) / 10.0);
        SetDlgItemTextW(kGammaLabel, text);
        UpdateInfoLabels();
        return;
    }
    if (id == IDC_CP_REFRESH) {
        RefreshRate = SliderPos(*this, IDC_CP_REFRESH);
        SetSliderLabel(kRefreshLabel, IDC_CP_REFRESH, L"%dHz");
        return;
    }
    for (int i = 0; i < 6; ++i)
        if (id == kLevelSliders[i])
            SetSliderLabel(kLevelLabels[i], kLevelSliders[i], L"%d%%");
}

void CSetHardParamDlg::OnDestroy()
{
    if (m_chipMenu.GetSafeHmenu() != nullptr)
        m_chipMenu.DestroyMenu();
    Default();
}

int CSetHardParamDlg::GrayBitsShown() const
{
    return GrayBitsFromText(ComboText(IDC_CP_GRAY));
}

void CSetHardParamDlg::CollectHardParams()
{
    if (m_pConfig == nullptr || m_hWnd == nullptr)
        return;
    UpdateData(TRUE);
    HardwareConfig& c = *m_pConfig;
    c.ChipName = ComboText(IDC_CP_CHIP);
    if (ShowsFullGray(m_chip.ChipName)) {
        c.Gray = m_chip.Gray;
    } else if (ComboSel(IDC_CP_GRAY) >= 0 || !ComboText(IDC_CP_GRAY).IsEmpty()) {
        m_chip.Gray = 1u << GrayBitsShown();
        c.Gray = m_chip.Gray;
    } // an empty gray list keeps the configuration's value
    c.Channels = ChannelsFromText(ComboText(IDC_CP_CHANNELS), Text(L"SHOW", 87));
    c.Clock = ClockFromText(ComboText(IDC_CP_CLOCK));
    c.PwmClock = ClockFromText(ComboText(IDC_CP_PWM_CLOCK));
    c.ClkDuty = DutyFromText(ComboText(IDC_CP_DUTY));
    // A list without a selection keeps the configuration's value: -1 would
    // reach the configuration file as 0xFFFF.
    c.LowGrayFilter = SelectionOr(IDC_CP_LOW_GRAY, c.LowGrayFilter);
    c.OePeriods = SelectionOr(IDC_CP_OE_PERIODS, c.OePeriods);
    c.ColourCount = SelectionOr(IDC_CP_COLOURS, c.ColourCount - 3) + 3;
    c.GammaVal = SliderPos(*this, IDC_CP_GAMMA) / 10.0;
    c.Brightness = static_cast<UINT>(SliderPos(*this, IDC_CP_BRIGHTNESS));
    c.BrightnessA = static_cast<UINT>(SliderPos(*this, IDC_CP_BRIGHTNESS_A));
    c.BrightnessB = static_cast<UINT>(SliderPos(*this, IDC_CP_BRIGHTNESS_B));
    c.BrightnessC = static_cast<UINT>(SliderPos(*this, IDC_CP_BRIGHTNESS_C));
    c.BrightnessD = static_cast<UINT>(SliderPos(*this, IDC_CP_BRIGHTNESS_D));
    c.CurrentGain = SliderPos(*this, IDC_CP_GAIN);
    c.GclkIndex = static_cast<BYTE>(SelectionOr(IDC_CP_GCLK, c.GclkIndex));
    c.CurrentA = static_cast<BYTE>(SelectionOr(IDC_CP_CURRENT_A, c.CurrentA));
    c.CurrentB = static_cast<BYTE>(SelectionOr(IDC_CP_CURRENT_B, c.CurrentB));
    c.CurrentC = static_cast<BYTE>(SelectionOr(IDC_CP_CURRENT_C, c.CurrentC));
    c.Code = m_chip.Code;
    c.ChipChannel = m_chip.ChipChannel;
    c.IsCurrent = m_chip.IsCurrent;
    c.ChipBits = m_chip.ChipBits;
    c.AddTime = m_chip.AddTime;
    c.GrayLock = m_chip.GrayLock;
    c.GammaLock = m_chip.GammaLock;
    c.ClockLock = m_chip.ClockLock;
    c.ClkDutyLock = m_chip.ClkDutyLock;
    c.ChannelsLock = m_chip.ChannelsLock;
    c.Conf_type = m_chip.Conf_type;
    c.Conf_Data = m_chip.Conf_Data;
    c.IsOE = IsOE;
    c.OeActiveHigh = OeActiveHigh;
    c.RefreshMax = RefreshMax;
    c.RefreshRate = RefreshRate;
    c.AutoRefresh = AutoRefresh;
    c.DataReverse = DataReverse;
    c.AddressRouted = AddressRouted;
    c.BackupMode = BackupMode;
    c.BackupIdleHigh = BackupIdleHigh;
    memcpy(c.Ucs9812Currents, Ucs9812Currents, sizeof(Ucs9812Currents));
    memcpy(c.ChipCurrents, ChipCurrents, sizeof(ChipCurrents));
    c.Ucs5603HighCurrent = Ucs5603HighCurrent;
}

void CSetHardParamDlg::OnResetDmxAddress()
{
    m_dmxDialog.m_pParentWnd = this;
    m_dmxDialog.SetTextSource(m_text);
    m_dmxDialog.DoModal();
}

void CSetHardParamDlg::OnChannelCurrent()
{
    // The three A/B/C currents live in the page's hidden lists.
    ChipCurrentValues values;
    const int lists[] = { IDC_CP_CURRENT_A, IDC_CP_CURRENT_B, IDC_CP_CURRENT_C };
    BYTE* currents[] = { &values.CurrentA, &values.CurrentB, &values.CurrentC };
    for (int i = 0; i < 3; ++i) {
        const int sel = ComboSel(lists[i]);
        if (sel >= 0)
            *currents[i] = static_cast<BYTE>(sel);
    }
    memcpy(values.ChipCurrents, ChipCurrents, sizeof(ChipCurrents));
    values.Ucs5603HighCurrent = Ucs5603HighCurrent;
    if (!RunChipCurrentDialog(this, m_chip.ChipName, m_text, values))
        return;
    for (int i = 0; i < 3; ++i)
        SetSel(*this, lists[i], *currents[i]);
    memcpy(ChipCurrents, values.ChipCurrents, sizeof(ChipCurrents));
    Ucs5603HighCurrent = values.Ucs5603HighCurrent;
}

void CSetHardParamDlg::OnTwelveCurrent()
{
    RunTwelveCurrentDialog(this, m_text, Ucs9812Currents);
}

void CSetHardParamDlg::OnBackupOutput()
{
    RunBackupOutputDialog(this, BackupMode, BackupIdleHigh, m_text);
}
