// The time-trigger schedule dialog: its holiday table, opening, enabling
// rules, holiday list handling, Clear and the checks of OK.
#include "time_trigger_dialog.h"

#include <afxcmn.h>

#include "AppPaths.h"
#include "dornel_doc.h"
#include "editors2_resource.h"
#include "time_trigger_holidays.h"

#include <time.h>

namespace {

// Record weekday order (Monday first) to the day boxes.
const int kDayBoxes[7] = { IDC_TT_MONDAY, IDC_TT_TUESDAY, IDC_TT_WEDNESDAY, IDC_TT_THURSDAY, IDC_TT_FRIDAY,
    IDC_TT_SATURDAY, IDC_TT_SUNDAY };

int64_t Now()
{
    // The schedule clock, so that schedules and this dialog agree on "now".
    SegmentTimePlay probe;
    InitSegmentTimePlay(&probe);
    return probe.m_startDate;
}

int CurrentYear()
{
    __time64_t now = Now();
    struct tm local { };
    if (_localtime64_s(&local, &now) != 0)
        return 0;
    return local.tm_year + 1900;
}

SYSTEMTIME GetPicker(const CWnd& dlg, int id)
{
    SYSTEMTIME st {};
    ::SendDlgItemMessage(dlg.GetSafeHwnd(), id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
    return st;
}

void SetPicker(CWnd& dlg, int id, const SYSTEMTIME& st)
{
    ::SendDlgItemMessage(dlg.GetSafeHwnd(), id, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

void SetPickerFormat(CWnd& dlg, int id, LPCTSTR format)
{
    ::SendDlgItemMessage(dlg.GetSafeHwnd(), id, DTM_SETFORMAT, 0, reinterpret_cast<LPARAM>(format));
}

// Today at the given time of day.
SYSTEMTIME TodayAt(int hour, int minute, int second)
{
    SYSTEMTIME st = ScheduleToLocal(Now());
    st.wHour = static_cast<WORD>(hour);
    st.wMinute = static_cast<WORD>(minute);
    st.wSecond = static_cast<WORD>(second);
    st.wMilliseconds = 0;
    return st;
}

} // namespace

SYSTEMTIME ScheduleToLocal(int64_t seconds)
{
    SYSTEMTIME st {};
    __time64_t t = seconds;
    struct tm local { };
    if (_localtime64_s(&local, &t) != 0)
        return st;
    st.wYear = static_cast<WORD>(local.tm_year + 1900);
    st.wMonth = static_cast<WORD>(local.tm_mon + 1);
    st.wDay = static_cast<WORD>(local.tm_mday);
    st.wDayOfWeek = static_cast<WORD>(local.tm_wday);
    st.wHour = static_cast<WORD>(local.tm_hour);
    st.wMinute = static_cast<WORD>(local.tm_min);
    st.wSecond = static_cast<WORD>(local.tm_sec);
    return st;
}

int64_t LocalToSchedule(const SYSTEMTIME& local)
{
    struct tm t { };
    t.tm_year = local.wYear - 1900;
    t.tm_mon = local.wMonth - 1;
    t.tm_mday = local.wDay;
    t.tm_hour = local.wHour;
    t.tm_min = local.wMinute;
    t.tm_sec = local.wSecond;
    t.tm_isdst = -1;
    __time64_t value = _mktime64(&t);
    return value < 0 ? 0 : static_cast<int64_t>(value);
}

BEGIN_MESSAGE_MAP(CDlgTimeTrigerSetting, CDialog)
ON_BN_CLICKED(IDC_TT_GPS, OnGps)
ON_BN_CLICKED(IDC_TT_TIMED_PLAY, OnTimedPlay)
ON_BN_CLICKED(IDC_TT_WEEKDAYS, OnWeekdays)
ON_BN_CLICKED(IDC_TT_FIXED_DURATION, OnFixedDuration)
ON_BN_CLICKED(IDC_TT_YEAR, OnDateSwitch)
ON_BN_CLICKED(IDC_TT_MONTH, OnDateSwitch)
ON_BN_CLICKED(IDC_TT_DAY, OnDateSwitch)
ON_BN_CLICKED(IDC_TT_TIME, OnTimeSwitch)
ON_BN_CLICKED(IDC_TT_CLEAR, OnClear)
ON_BN_CLICKED(IDC_TT_HOLIDAY_OWN_WINDOW, OnHolidayOwnWindow)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_TT_HOLIDAY_LIST, OnHolidayChanged)
ON_NOTIFY(DTN_DATETIMECHANGE, IDC_TT_HOLIDAY_START, OnHolidayStartChanged)
ON_NOTIFY(DTN_DATETIMECHANGE, IDC_TT_HOLIDAY_END, OnHolidayEndChanged)
END_MESSAGE_MAP()

CDlgTimeTrigerSetting::CDlgTimeTrigerSetting(CWnd* parent, CDornelDoc* doc, LPCTSTR holidayFile)
    : CDialog(IDD_TIME_TRIGGER, parent)
    , m_pDoc(doc)
    , m_holidayFile(holidayFile != nullptr ? CString(holidayFile) : GetConfigFolder() + L"Holiday.txt")
{
    InitSegmentTimePlay(&m_record);
    InitHolidayTable();
}

CString CDlgTimeTrigerSetting::Text(LPCTSTR section, int key) const
{
    return m_pDoc != nullptr ? m_pDoc->Host().GetLangText(section, key) : CString();
}

int CDlgTimeTrigerSetting::HolidayCode(const CString& name) const
{
    auto it = m_nameToCode.find(name);
    return it != m_nameToCode.end() ? it->second : -1;
}

int CDlgTimeTrigerSetting::HolidaySlot(const CString& name) const
{
    auto it = m_nameToSlot.find(name);
    return it != m_nameToSlot.end() ? it->second : -1;
}

void CDlgTimeTrigerSetting::InitHolidayTable()
{
    int count = 0;
    const HolidayEntry* fixed = FixedHolidays(count);
    for (int i = 0; i < count; ++i) {
        CString name = Text(L"ITEM_TITLE", fixed[i].nameKey);
        if (name.IsEmpty())
            name = fixed[i].builtInName;
        m_nameToCode[name] = fixed[i].code;
        m_names.push_back(name);
        m_nameToSlot[name] = fixed[i].slot;
    }
    LoadHolidayFile();
}

void CDlgTimeTrigerSetting::LoadHolidayFile()
{
    int count = 0;
    const HolidayEntry* lunar = LunarHolidays(count);
    std::vector<int> codes = ReadHolidayFile(m_holidayFile, CurrentYear());
    if (static_cast<int>(codes.size()) != count)
        return;
    for (int i = 0; i < count; ++i) {
        CString name = Text(L"ITEM_TITLE", lunar[i].nameKey);
        if (name.IsEmpty())
            name = lunar[i].builtInName;
        m_nameToCode[name] = codes[static_cast<size_t>(i)];
        m_names.push_back(name);
        m_nameToSlot[name] = lunar[i].slot;
    }
}

void CDlgTimeTrigerSetting::SetTriggerRecord(SegmentTimePlay record)
{
    m_record = record;
    m_editedMask = record.m_holidayMask;
    if (m_record.m_holidayStart[0] == 0)
        FillHolidayDates();
}

void CDlgTimeTrigerSetting::FillHolidayDates()
{
    int year = CurrentYear();
    for (const CString& name : m_names) {
        int code = HolidayCode(name);
        int slot = HolidaySlot(name);
        if (slot < 0 || slot >= SegmentTimePlay::kHolidaySlots)
            continue;
        SYSTEMTIME st {};
        st.wYear = static_cast<WORD>(year);
        st.wMonth = static_cast<WORD>(code / 100);
        st.wDay = static_cast<WORD>(code % 100);
        // mktime runs a day past the month's end on into the next month.
        m_record.m_holidayStart[slot] = LocalToSchedule(st);
        st.wHour = 23;
        st.wMinute = 59;
        st.wSecond = 59;
        m_record.m_holidayEnd[slot] = LocalToSchedule(st);
    }
}

BOOL CDlgTimeTrigerSetting::OnInitDialog()
{
    CDialog::OnInitDialog();

    int64_t now = Now();
    for (int64_t* value : { &m_record.m_startDate, &m_record.m_endDate, &m_record.m_startTime, &m_record.m_endTime })
        if (*value == 0)
            *value = now;

    Check(IDC_TT_GPS, m_record.m_gpsMode);
    Check(IDC_TT_FIXED_DURATION, m_record.m_fixedDuration);
    Check(IDC_TT_TIMED_PLAY, m_record.m_timedPlay);
    Check(IDC_TT_YEAR, m_record.m_yearApplies);
    Check(IDC_TT_MONTH, m_record.m_monthApplies);
    Check(IDC_TT_DAY, m_record.m_dayApplies);
    Check(IDC_TT_TIME, m_record.m_timeWindowApplies);
    Check(IDC_TT_WEEKDAYS, m_record.m_weekdaysApply);
    Check(IDC_TT_PLAY_AT_ONCE, m_record.m_playAtOnce);
    for (int i = 0; i < 7; ++i)
        Check(kDayBoxes[i], m_record.m_weekdays[i]);
    SetPicker(*this, IDC_TT_START_DATE, ScheduleToLocal(m_record.m_startDate));
    SetPicker(*this, IDC_TT_END_DATE, ScheduleToLocal(m_record.m_endDate));
    SetPicker(*this, IDC_TT_START_TIME, ScheduleToLocal(m_record.m_startTime));
    SetPicker(*this, IDC_TT_END_TIME, ScheduleToLocal(m_record.m_endTime));
    // The picker holds less than a day: longer stored durations show as the
    // last second of the day.
    int seconds = m_record.m_durationSeconds;
    if (seconds < 0)
        seconds = 0;
    if (seconds > 86399)
        seconds = 86399;
    SetPicker(*this, IDC_TT_DURATION, TodayAt(seconds / 3600, (seconds % 3600) / 60, seconds % 60));

    if (m_record.m_gpsMode != 0)
        OnGps();
    else
        ApplyTimedPlayRule();

    ApplyDateFormats();
    ApplyTimeFormats();
    SetPickerFormat(*this, IDC_TT_DURATION, L"HH:mm:ss");

    HWND list = ::GetDlgItem(m_hWnd, IDC_TT_HOLIDAY_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    LVCOLUMN column {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 150;
    column.pszText = const_cast<LPWSTR>(L"节假日");
    ListView_InsertColumn(list, 0, &column);
    m_filling = true;
    for (size_t i = 0; i < m_names.size(); ++i) {
        LVITEM item {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(m_names[i]));
        item.lParam = HolidayCode(m_names[i]);
        ListView_InsertItem(list, &item);
    }
    SYSTEMTIME midnight = TodayAt(0, 0, 0);
    SetPicker(*this, IDC_TT_HOLIDAY_START, midnight);
    SetPicker(*this, IDC_TT_HOLIDAY_END, midnight);
    for (size_t i = 0; i < m_names.size(); ++i) {
        int slot = HolidaySlot(m_names[i]);
        if (slot >= 0 && (m_editedMask & (1u << slot)) != 0)
            ListView_SetCheckState(list, static_cast<int>(i), TRUE);
    }
    m_filling = false;

    ApplyTexts();
    return TRUE;
}

void CDlgTimeTrigerSetting::ApplyTexts()
{
    struct Item {
        int id;
        LPCTSTR section;
        int key;
    };
    CString caption = Text(L"TITLE", 10);
    if (!caption.IsEmpty())
        SetWindowText(caption);
    static const Item kItems[] = {
        { IDC_TT_GROUP_SYNC, L"ITEM_TITLE", 122 },
        { IDC_TT_TIMED_PLAY, L"ITEM_TITLE", 123 },
        { IDC_TT_GROUP_TIMED, L"ITEM_TITLE", 124 },
        { IDC_TT_YEAR, L"ITEM_TITLE", 125 },
        { IDC_TT_MONTH, L"ITEM_TITLE", 126 },
        { IDC_TT_DAY, L"ITEM_TITLE", 127 },
        { IDC_TT_TIME, L"ITEM_TITLE", 128 },
        { IDC_TT_LABEL_START_DATE, L"ITEM_TITLE", 129 },
        { IDC_TT_LABEL_START_TIME, L"ITEM_TITLE", 130 },
        { IDC_TT_LABEL_END_DATE, L"ITEM_TITLE", 131 },
        { IDC_TT_LABEL_END_TIME, L"ITEM_TITLE", 132 },
        { IDC_TT_SUNDAY, L"ITEM_TITLE", 133 },
        { IDC_TT_MONDAY, L"ITEM_TITLE", 134 },
        { IDC_TT_TUESDAY, L"ITEM_TITLE", 135 },
        { IDC_TT_WEDNESDAY, L"ITEM_TITLE", 136 },
        { IDC_TT_THURSDAY, L"ITEM_TITLE", 137 },
        { IDC_TT_FRIDAY, L"ITEM_TITLE", 138 },
        { IDC_TT_SATURDAY, L"ITEM_TITLE", 139 },
        { IDC_TT_PLAY_AT_ONCE, L"ITEM_TITLE", 140 },
        { IDC_TT_FIXED_DURATION, L"ITEM_TITLE", 141 },
        { IDC_TT_LABEL_DURATION, L"ITEM_TITLE", 142 },
        { IDOK, L"ITEM_TITLE", 143 },
        { IDC_TT_CLEAR, L"ITEM_TITLE", 144 },
        { IDCANCEL, L"ITEM_TITLE", 145 },
    };
    for (const Item& item : kItems) {
        CString text = Text(item.section, item.key);
        if (!text.IsEmpty())
            SetDlgItemText(item.id, text);
    }
    SetDlgItemText(IDC_TT_HOLIDAY_OWN_WINDOW, Text(L"ITEM_TITLE", 209));
}

void CDlgTimeTrigerSetting::EnableRange(int first, int last, BOOL enable)
{
    for (int id = first; id <= last; ++id) {
        HWND item = ::GetDlgItem(m_hWnd, id);
        if (item != nullptr)
            ::EnableWindow(item, enable);
    }
}

void CDlgTimeTrigerSetting::OnGps()
{
    if (Checked(IDC_TT_GPS)) {
        EnableRange(IDC_TT_YEAR, IDC_TT_DURATION, FALSE);
        for (int id : { IDC_TT_GROUP_HOLIDAY, IDC_TT_HOLIDAY_LIST, IDC_TT_HOLIDAY_OWN_WINDOW, IDC_TT_HOLIDAY_START,
                 IDC_TT_HOLIDAY_END })
            EnableRange(id, id, FALSE);
    }
    Check(IDC_TT_TIMED_PLAY, 0);
}

void CDlgTimeTrigerSetting::OnTimedPlay()
{
    ApplyTimedPlayRule();
}

void CDlgTimeTrigerSetting::ApplyTimedPlayRule()
{
    if (Checked(IDC_TT_TIMED_PLAY)) {
        EnableRange(IDC_TT_YEAR, IDC_TT_WEEKDAYS, TRUE);
        EnableRange(IDC_TT_PLAY_AT_ONCE, IDC_TT_DURATION, TRUE);
        Check(IDC_TT_GPS, 0);
    } else {
        EnableRange(IDC_TT_YEAR, IDC_TT_DURATION, FALSE);
        for (int id :
            { IDC_TT_YEAR, IDC_TT_MONTH, IDC_TT_DAY, IDC_TT_TIME, IDC_TT_FIXED_DURATION, IDC_TT_WEEKDAYS, IDC_TT_GPS })
            Check(id, 0);
    }
    OnFixedDuration();
}

void CDlgTimeTrigerSetting::OnWeekdays()
{
    BOOL enable = Checked(IDC_TT_WEEKDAYS);
    for (int id : kDayBoxes)
        EnableRange(id, id, enable);
    EnableRange(IDC_TT_YEAR, IDC_TT_YEAR, enable);
}

void CDlgTimeTrigerSetting::OnFixedDuration()
{
    EnableRange(IDC_TT_DURATION, IDC_TT_DURATION, Checked(IDC_TT_FIXED_DURATION));
}

void CDlgTimeTrigerSetting::OnDateSwitch()
{
    ApplyDateFormats();
}

void CDlgTimeTrigerSetting::OnTimeSwitch()
{
    ApplyTimeFormats();
}

void CDlgTimeTrigerSetting::ApplyDateFormats()
{
    CString format;
    format += Checked(IDC_TT_YEAR) ? L"yyyy" : L"****";
    format += L"/";
    format += Checked(IDC_TT_MONTH) ? L"MM" : L"**";
    format += L"/";
    format += Checked(IDC_TT_DAY) ? L"dd" : L"**";
    SetPickerFormat(*this, IDC_TT_START_DATE, format);
    SetPickerFormat(*this, IDC_TT_END_DATE, format);
}

void CDlgTimeTrigerSetting::ApplyTimeFormats()
{
    LPCTSTR format = Checked(IDC_TT_TIME) ? L"HH:mm:ss" : L"**:**:**";
    SetPickerFormat(*this, IDC_TT_START_TIME, format);
    SetPickerFormat(*this, IDC_TT_END_TIME, format);
}

int CDlgTimeTrigerSetting::SelectedHolidaySlot() const
{
    HWND list = ::GetDlgItem(m_hWnd, IDC_TT_HOLIDAY_LIST);
    int row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    if (row < 0 || row >= static_cast<int>(m_names.size()))
        return -1;
    return HolidaySlot(m_names[static_cast<size_t>(row)]);
}

void CDlgTimeTrigerSetting::OnHolidayChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    auto* change = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    if (m_filling || change->iItem < 0 || change->iItem >= static_cast<int>(m_names.size()))
        return;
    const CString& name = m_names[static_cast<size_t>(change->iItem)];
    int slot = HolidaySlot(name);
    if (slot < 0 || slot >= SegmentTimePlay::kHolidaySlots)
        return;
    HWND list = ::GetDlgItem(m_hWnd, IDC_TT_HOLIDAY_LIST);
    bool becameSelected = (change->uNewState & LVIS_SELECTED) != 0 && (change->uOldState & LVIS_SELECTED) == 0;
    if (becameSelected) {
        int code = HolidayCode(name);
        CString line;
        line.Format(L"%s(%d.%d)", static_cast<LPCTSTR>(name), code / 100, code % 100);
        SetDlgItemText(IDC_TT_HOLIDAY_LINE, line);
        SetPicker(*this, IDC_TT_HOLIDAY_START, ScheduleToLocal(m_record.m_holidayStart[slot]));
        SetPicker(*this, IDC_TT_HOLIDAY_END, ScheduleToLocal(m_record.m_holidayEnd[slot]));
        Check(IDC_TT_HOLIDAY_OWN_WINDOW, m_record.m_holidayOwnWindow[slot]);
    }
    if (ListView_GetCheckState(list, change->iItem))
        m_editedMask = static_cast<uint16_t>(m_editedMask | (1u << slot));
    else
        m_editedMask = static_cast<uint16_t>(m_editedMask & ~(1u << slot));
}

void CDlgTimeTrigerSetting::OnHolidayOwnWindow()
{
    int slot = SelectedHolidaySlot();
    if (slot < 0)
        return;
    m_record.m_holidayOwnWindow[slot] = Checked(IDC_TT_HOLIDAY_OWN_WINDOW) ? 1 : 0;
}

void CDlgTimeTrigerSetting::StoreHolidayWindow(bool start)
{
    int slot = SelectedHolidaySlot();
    if (slot < 0)
        return;
    int64_t from = LocalToSchedule(GetPicker(*this, IDC_TT_HOLIDAY_START));
    int64_t to = LocalToSchedule(GetPicker(*this, IDC_TT_HOLIDAY_END));
    if (to < from) {
        ShowHint(8, L"节日结束时间不能早于开始时间");
        return;
    }
    if (start)
        m_record.m_holidayStart[slot] = from;
    else
        m_record.m_holidayEnd[slot] = to;
}

void CDlgTimeTrigerSetting::OnHolidayStartChanged(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    StoreHolidayWindow(true);
}

void CDlgTimeTrigerSetting::OnHolidayEndChanged(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    StoreHolidayWindow(false);
}

void CDlgTimeTrigerSetting::OnClear()
{
    if (!Checked(IDC_TT_TIMED_PLAY))
        return;
    SYSTEMTIME now = ScheduleToLocal(Now());
    for (int id : { IDC_TT_START_DATE, IDC_TT_END_DATE, IDC_TT_START_TIME, IDC_TT_END_TIME })
        SetPicker(*this, id, now);
    for (int id : { IDC_TT_YEAR, IDC_TT_MONTH, IDC_TT_DAY, IDC_TT_TIME, IDC_TT_WEEKDAYS, IDC_TT_PLAY_AT_ONCE,
             IDC_TT_FIXED_DURATION })
        Check(id, 0);
    for (int id : kDayBoxes)
        Check(id, 0);
    SetPicker(*this, IDC_TT_DURATION, TodayAt(0, 0, 0));
}

void CDlgTimeTrigerSetting::ShowHint(int key, LPCTSTR builtIn)
{
    CString text = Text(L"HINT", key);
    if (text.IsEmpty())
        text = builtIn;
    AfxMessageBox(text, MB_OK);
}

void CDlgTimeTrigerSetting::OnOK()
{
    SegmentTimePlay record = m_record;
    record.m_startDate = LocalToSchedule(GetPicker(*this, IDC_TT_START_DATE));
    record.m_endDate = LocalToSchedule(GetPicker(*this, IDC_TT_END_DATE));
    record.m_startTime = LocalToSchedule(GetPicker(*this, IDC_TT_START_TIME));
    record.m_endTime = LocalToSchedule(GetPicker(*this, IDC_TT_END_TIME));
    record.m_yearApplies = Checked(IDC_TT_YEAR) ? 1 : 0;
    record.m_monthApplies = Checked(IDC_TT_MONTH) ? 1 : 0;
    record.m_dayApplies = Checked(IDC_TT_DAY) ? 1 : 0;
    record.m_timeWindowApplies = Checked(IDC_TT_TIME) ? 1 : 0;
    record.m_gpsMode = Checked(IDC_TT_GPS) ? 1 : 0;
    record.m_holidayMask = m_editedMask;
    int weekdays = Checked(IDC_TT_WEEKDAYS) ? 1 : 0;
    int fixed = Checked(IDC_TT_FIXED_DURATION) ? 1 : 0;
    record.m_timedPlay = (record.m_yearApplies | record.m_monthApplies | record.m_dayApplies
                             | record.m_timeWindowApplies | weekdays | fixed)
        != 0;

    // A refused OK leaves the working record as it was.
    if (!record.m_gpsMode && Checked(IDC_TT_TIMED_PLAY) && record.m_timedPlay == 0 && record.m_holidayMask == 0) {
        ShowHint(5, L"请至少选择一个定时条件");
        return;
    }
    if (record.m_timedPlay != 0 && record.m_startDate > record.m_endDate) {
        ShowHint(6, L"开始日期不能晚于终止日期");
        return;
    }
    record.m_fixedDuration = fixed;
    record.m_playAtOnce = Checked(IDC_TT_PLAY_AT_ONCE) ? 1 : 0;
    SYSTEMTIME duration = GetPicker(*this, IDC_TT_DURATION);
    int seconds = duration.wHour * 3600 + duration.wMinute * 60 + duration.wSecond;
    record.m_durationSeconds = seconds != 0 ? seconds : 1;
    record.m_weekdaysApply = weekdays;
    for (int i = 0; i < 7; ++i)
        record.m_weekdays[i] = Checked(kDayBoxes[i]) ? 1 : 0;
    m_record = record;
    CDialog::OnOK();
}
