// The time-trigger schedule dialog driven through its controls: the record
// it reads and writes, the holiday list from the holiday file, the enabling
// rules and the refusals of OK.
#include "dornel_doc.h"
#include "editors2_resource.h"
#include "fw_testing.h"
#include "segment_info.h"
#include "time_trigger_dialog.h"

#include <afxcmn.h>
#include <gtest/gtest.h>

#include <map>

namespace {

// 2026-06-15 12:00:00 local time.
int64_t FixedNow()
{
    SYSTEMTIME st {};
    st.wYear = 2026;
    st.wMonth = 6;
    st.wDay = 15;
    st.wHour = 12;
    return LocalToSchedule(st);
}

int64_t Local(int y, int m, int d, int h = 0, int mi = 0, int s = 0)
{
    SYSTEMTIME st {};
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(m);
    st.wDay = static_cast<WORD>(d);
    st.wHour = static_cast<WORD>(h);
    st.wMinute = static_cast<WORD>(mi);
    st.wSecond = static_cast<WORD>(s);
    return LocalToSchedule(st);
}

class CTextHost : public CDornelDocHost {
public:
    CString GetLangText(LPCTSTR section, int key) override
    {
        CString k;
        k.Format(L"%s %d", section, key);
        auto it = m_texts.find(k);
        return it != m_texts.end() ? it->second : CString();
    }
    BOOL EditTimeTrigger(SegmentTimePlay& schedule) override
    {
        CDlgTimeTrigerSetting dlg(nullptr, m_pDoc, m_holidayFile);
        dlg.SetTriggerRecord(schedule);
        if (fwtest::RunModal(dlg, m_drive) != IDOK)
            return FALSE;
        schedule = dlg.GetTriggerRecord();
        return TRUE;
    }
    std::map<CString, CString> m_texts;
    CDornelDoc* m_pDoc = nullptr;
    CString m_holidayFile;
    std::function<void(CDialog&)> m_drive;
};

class TimeTriggerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previousClock = SetScheduleClock(FixedNow);
        m_doc.m_bAutoDelete = FALSE;
        m_doc.SetHost(&m_host);
        m_host.m_pDoc = &m_doc;
        wchar_t dir[MAX_PATH] {};
        ::GetTempPathW(MAX_PATH, dir);
        m_file.Format(L"%seditors2_holiday_%lu.txt", dir, ::GetCurrentProcessId());
        WriteHolidays("2025,1.28,1.29,2.12,5.31,10.6\n2026,2.16,2.17,3.3,6.19,9.25\n");
        m_host.m_holidayFile = m_file;
    }
    void TearDown() override
    {
        ::DeleteFileW(m_file);
        SetScheduleClock(m_previousClock);
    }
    void WriteHolidays(const char* text)
    {
        CFile f(m_file, CFile::modeCreate | CFile::modeWrite);
        f.Write(text, static_cast<UINT>(strlen(text)));
    }
    SegmentTimePlay Fresh()
    {
        SegmentTimePlay r;
        InitSegmentTimePlay(&r);
        return r;
    }
    // Runs the dialog on record; returns the result and the record after it.
    INT_PTR Run(SegmentTimePlay& record, const std::function<void(CDialog&)>& drive)
    {
        CDlgTimeTrigerSetting dlg(nullptr, &m_doc, m_file);
        dlg.SetTriggerRecord(record);
        INT_PTR result = fwtest::RunModal(dlg, drive);
        if (result == IDOK)
            record = dlg.GetTriggerRecord();
        return result;
    }

    ScheduleClock m_previousClock = nullptr;
    CTextHost m_host;
    CDornelDoc m_doc;
    CString m_file;
};

// A click on a check box as the user makes it: the box toggles, then its
// owner hears BN_CLICKED (nothing happens on a disabled box).
void Toggle(CDialog& d, int id)
{
    ::SendDlgItemMessage(d.GetSafeHwnd(), id, BM_CLICK, 0, 0);
}
bool Checked(CDialog& d, int id)
{
    return d.IsDlgButtonChecked(id) == BST_CHECKED;
}
bool Enabled(CDialog& d, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(d.GetSafeHwnd(), id)) != FALSE;
}
HWND List(CDialog& d)
{
    return ::GetDlgItem(d.GetSafeHwnd(), IDC_TT_HOLIDAY_LIST);
}

SYSTEMTIME Picker(CDialog& d, int id)
{
    SYSTEMTIME st {};
    ::SendDlgItemMessage(d.GetSafeHwnd(), id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
    return st;
}

void SetPicker(CDialog& d, int id, int64_t value)
{
    SYSTEMTIME st = ScheduleToLocal(value);
    ::SendDlgItemMessage(d.GetSafeHwnd(), id, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

// The user changed a picker: its owner hears DTN_DATETIMECHANGE.
void ChangePicker(CDialog& d, int id, int64_t value)
{
    SetPicker(d, id, value);
    NMDATETIMECHANGE change {};
    change.nmhdr.hwndFrom = ::GetDlgItem(d.GetSafeHwnd(), id);
    change.nmhdr.idFrom = static_cast<UINT_PTR>(id);
    change.nmhdr.code = DTN_DATETIMECHANGE;
    change.dwFlags = GDT_VALID;
    change.st = ScheduleToLocal(value);
    d.SendMessage(WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&change));
}

void SelectRow(CDialog& d, int row)
{
    ListView_SetItemState(List(d), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}
void CheckRow(CDialog& d, int row, bool on)
{
    ListView_SetCheckState(List(d), row, on ? TRUE : FALSE);
}

} // namespace

TEST_F(TimeTriggerTest, AFreshRecordShowsNowAndOkStoresWhatWasShown)
{
    SegmentTimePlay record = Fresh();
    INT_PTR result = Run(record, [&](CDialog& d) {
        SYSTEMTIME duration = Picker(d, IDC_TT_DURATION);
        EXPECT_EQ(duration.wHour * 3600 + duration.wMinute * 60 + duration.wSecond, 1);
        EXPECT_TRUE(Checked(d, IDC_TT_PLAY_AT_ONCE));
        EXPECT_FALSE(Checked(d, IDC_TT_TIMED_PLAY));
        EXPECT_FALSE(Enabled(d, IDC_TT_YEAR));
        EXPECT_FALSE(Enabled(d, IDC_TT_DURATION));
        EXPECT_TRUE(Enabled(d, IDC_TT_HOLIDAY_LIST));
        ASSERT_EQ(ListView_GetItemCount(List(d)), 13);
        for (int row = 0; row < 13; ++row)
            EXPECT_FALSE(ListView_GetCheckState(List(d), row));
        fwtest::ClickButton(d, IDOK);
    });
    ASSERT_EQ(result, IDOK);
    EXPECT_EQ(record.m_startDate, FixedNow());
    EXPECT_EQ(record.m_endDate, FixedNow());
    EXPECT_EQ(record.m_startTime, FixedNow());
    EXPECT_EQ(record.m_endTime, FixedNow());
    EXPECT_EQ(record.m_durationSeconds, 1);
    EXPECT_EQ(record.m_playAtOnce, 1);
    EXPECT_EQ(record.m_timedPlay, 0);
    EXPECT_EQ(record.m_holidayMask, 0);
    // The holiday dates were filled for the current year.
    EXPECT_EQ(record.m_holidayStart[0], Local(2026, 1, 1));
    EXPECT_EQ(record.m_holidayEnd[7], Local(2026, 12, 25, 23, 59, 59));
    EXPECT_EQ(record.m_holidayStart[12], Local(2026, 2, 16));
    EXPECT_EQ(record.m_holidayStart[11], Local(2026, 9, 25));
}

TEST_F(TimeTriggerTest, TimedPlayWithWeekdaysDatesAndDurationIsWrittenField_by_field)
{
    SegmentTimePlay record = Fresh();
    ASSERT_EQ(Run(record,
                  [&](CDialog& d) {
                      Toggle(d, IDC_TT_TIMED_PLAY);
                      EXPECT_TRUE(Enabled(d, IDC_TT_YEAR));
                      EXPECT_TRUE(Enabled(d, IDC_TT_START_DATE));
                      EXPECT_FALSE(Enabled(d, IDC_TT_DURATION));
                      Toggle(d, IDC_TT_WEEKDAYS);
                      EXPECT_TRUE(Enabled(d, IDC_TT_MONDAY));
                      Toggle(d, IDC_TT_MONDAY);
                      Toggle(d, IDC_TT_SUNDAY);
                      Toggle(d, IDC_TT_YEAR);
                      Toggle(d, IDC_TT_TIME);
                      Toggle(d, IDC_TT_FIXED_DURATION);
                      EXPECT_TRUE(Enabled(d, IDC_TT_DURATION));
                      SetPicker(d, IDC_TT_START_DATE, Local(2026, 3, 1, 12));
                      SetPicker(d, IDC_TT_END_DATE, Local(2026, 4, 1, 12));
                      SetPicker(d, IDC_TT_START_TIME, Local(2026, 6, 15, 20, 0, 0));
                      SetPicker(d, IDC_TT_END_TIME, Local(2026, 6, 15, 6, 30, 0));
                      SetPicker(d, IDC_TT_DURATION, Local(2026, 6, 15, 1, 2, 3));
                      fwtest::ClickButton(d, IDOK);
                  }),
        IDOK);
    EXPECT_EQ(record.m_timedPlay, 1);
    EXPECT_EQ(record.m_yearApplies, 1);
    EXPECT_EQ(record.m_monthApplies, 0);
    EXPECT_EQ(record.m_timeWindowApplies, 1);
    EXPECT_EQ(record.m_weekdaysApply, 1);
    const int32_t days[7] = { 1, 0, 0, 0, 0, 0, 1 };
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(record.m_weekdays[i], days[i]) << i;
    EXPECT_EQ(record.m_startDate, Local(2026, 3, 1, 12));
    EXPECT_EQ(record.m_endDate, Local(2026, 4, 1, 12));
    // A time window across midnight is allowed: only dates are compared.
    EXPECT_EQ(record.m_startTime, Local(2026, 6, 15, 20));
    EXPECT_EQ(record.m_endTime, Local(2026, 6, 15, 6, 30));
    EXPECT_EQ(record.m_fixedDuration, 1);
    EXPECT_EQ(record.m_durationSeconds, 3723);

    // Opening it again shows the stored values.
    Run(record, [&](CDialog& d) {
        EXPECT_TRUE(Checked(d, IDC_TT_TIMED_PLAY));
        EXPECT_TRUE(Checked(d, IDC_TT_MONDAY));
        EXPECT_TRUE(Checked(d, IDC_TT_SUNDAY));
        EXPECT_FALSE(Checked(d, IDC_TT_TUESDAY));
        EXPECT_TRUE(Enabled(d, IDC_TT_DURATION));
        SYSTEMTIME duration = Picker(d, IDC_TT_DURATION);
        EXPECT_EQ(duration.wHour, 1);
        EXPECT_EQ(duration.wMinute, 2);
        EXPECT_EQ(duration.wSecond, 3);
        fwtest::ClickButton(d, IDCANCEL);
    });
}

TEST_F(TimeTriggerTest, RefusedOkShowsTheHintAndKeepsTheDialogOpen)
{
    m_host.m_texts[L"HINT 5"] = L"no condition";
    m_host.m_texts[L"HINT 6"] = L"start after end";
    fwtest::CScriptedUiHost ui;
    ui.ExpectMessageBox(IDOK, L"no condition");
    ui.ExpectMessageBox(IDOK, L"start after end");
    SegmentTimePlay record = Fresh();
    SegmentTimePlay before = record;
    INT_PTR result = Run(record, [&](CDialog& d) {
        Toggle(d, IDC_TT_TIMED_PLAY);
        fwtest::ClickButton(d, IDOK);
        EXPECT_TRUE(d.IsWindowVisible());
        Toggle(d, IDC_TT_DAY);
        SetPicker(d, IDC_TT_START_DATE, Local(2026, 5, 2, 12));
        SetPicker(d, IDC_TT_END_DATE, Local(2026, 5, 1, 12));
        fwtest::ClickButton(d, IDOK);
        EXPECT_TRUE(d.IsWindowVisible());
        fwtest::ClickButton(d, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(memcmp(&record, &before, sizeof record), 0);
    EXPECT_EQ(ui.PendingCount(), 0u);
}

TEST_F(TimeTriggerTest, HolidaysOnlyAreAcceptedAndSetTheirSlotBits)
{
    SegmentTimePlay record = Fresh();
    ASSERT_EQ(Run(record,
                  [&](CDialog& d) {
                      Toggle(d, IDC_TT_TIMED_PLAY);
                      CheckRow(d, 8, true); // New Year's Eve
                      CheckRow(d, 9, true); // Spring Festival
                      SelectRow(d, 9);
                      EXPECT_EQ(fwtest::GetItemText(d, IDC_TT_HOLIDAY_LINE), CString(L"春节(2.17)"));
                      Toggle(d, IDC_TT_HOLIDAY_OWN_WINDOW);
                      ChangePicker(d, IDC_TT_HOLIDAY_START, Local(2026, 2, 17, 18));
                      fwtest::ClickButton(d, IDOK);
                  }),
        IDOK);
    EXPECT_EQ(record.m_holidayMask, (1 << 12) | (1 << 8));
    EXPECT_EQ(record.m_timedPlay, 0);
    EXPECT_EQ(record.m_holidayOwnWindow[8], 1);
    EXPECT_EQ(record.m_holidayStart[8], Local(2026, 2, 17, 18));
    EXPECT_EQ(record.m_holidayEnd[8], Local(2026, 2, 17, 23, 59, 59));

    Run(record, [&](CDialog& d) {
        EXPECT_FALSE(Checked(d, IDC_TT_TIMED_PLAY));
        EXPECT_FALSE(Enabled(d, IDC_TT_YEAR));
        EXPECT_TRUE(ListView_GetCheckState(List(d), 8));
        EXPECT_TRUE(ListView_GetCheckState(List(d), 9));
        EXPECT_FALSE(ListView_GetCheckState(List(d), 10));
        EXPECT_EQ(ListView_GetItemCount(List(d)), 13);
        fwtest::ClickButton(d, IDCANCEL);
    });
}

TEST_F(TimeTriggerTest, AHolidayWindowEndingBeforeItsStartIsRefused)
{
    m_host.m_texts[L"HINT 8"] = L"window";
    fwtest::CScriptedUiHost ui;
    ui.ExpectMessageBox(IDOK, L"window");
    SegmentTimePlay record = Fresh();
    ASSERT_EQ(Run(record,
                  [&](CDialog& d) {
                      SelectRow(d, 0);
                      ChangePicker(d, IDC_TT_HOLIDAY_END, Local(2025, 12, 31, 23));
                      fwtest::ClickButton(d, IDOK);
                  }),
        IDOK);
    EXPECT_EQ(record.m_holidayEnd[0], Local(2026, 1, 1, 23, 59, 59));
    EXPECT_EQ(ui.PendingCount(), 0u);
}

TEST_F(TimeTriggerTest, WithoutAUsableYearLineTheLunarSlotsAreKeptUntouched)
{
    WriteHolidays("2026,2.16,2.17,3.3,6.19\n2026,2.16,2.17,3.3,6.19,9.25\n");
    SegmentTimePlay record = Fresh();
    record.m_holidayStart[0] = 5; // dates already filled
    record.m_holidayMask = 1 << 12;
    record.m_holidayOwnWindow[12] = 1;
    record.m_holidayStart[12] = 1000;
    record.m_holidayEnd[12] = 2000;
    ASSERT_EQ(Run(record,
                  [&](CDialog& d) {
                      EXPECT_EQ(ListView_GetItemCount(List(d)), 8);
                      fwtest::ClickButton(d, IDOK);
                  }),
        IDOK);
    EXPECT_EQ(record.m_holidayMask, 1 << 12);
    EXPECT_EQ(record.m_holidayOwnWindow[12], 1);
    EXPECT_EQ(record.m_holidayStart[12], 1000);
    EXPECT_EQ(record.m_holidayEnd[12], 2000);
    EXPECT_EQ(record.m_holidayStart[0], 5);
}

TEST_F(TimeTriggerTest, GpsDisablesTimedAndHolidayControlsUntilTimedPlayIsChecked)
{
    SegmentTimePlay record = Fresh();
    ASSERT_EQ(Run(record,
                  [&](CDialog& d) {
                      Toggle(d, IDC_TT_TIMED_PLAY);
                      Toggle(d, IDC_TT_GPS);
                      EXPECT_FALSE(Checked(d, IDC_TT_TIMED_PLAY));
                      EXPECT_FALSE(Enabled(d, IDC_TT_YEAR));
                      EXPECT_FALSE(Enabled(d, IDC_TT_HOLIDAY_LIST));
                      Toggle(d, IDC_TT_GPS);
                      EXPECT_FALSE(Enabled(d, IDC_TT_YEAR));
                      Toggle(d, IDC_TT_TIMED_PLAY);
                      EXPECT_TRUE(Enabled(d, IDC_TT_YEAR));
                      EXPECT_FALSE(Enabled(d, IDC_TT_HOLIDAY_LIST));
                      Toggle(d, IDC_TT_TIMED_PLAY);
                      Toggle(d, IDC_TT_GPS);
                      fwtest::ClickButton(d, IDOK);
                  }),
        IDOK);
    EXPECT_EQ(record.m_gpsMode, 1);
}

TEST_F(TimeTriggerTest, ClearResetsTheTimedSettingsOnlyInTimedPlay)
{
    SegmentTimePlay record = Fresh();
    record.m_timedPlay = 1;
    record.m_dayApplies = 1;
    record.m_weekdaysApply = 1;
    record.m_weekdays[2] = 1;
    record.m_fixedDuration = 1;
    record.m_durationSeconds = 0;
    record.m_startDate = Local(2026, 1, 1);
    record.m_endDate = Local(2026, 2, 1);
    ASSERT_EQ(Run(record,
                  [&](CDialog& d) {
                      SYSTEMTIME duration = Picker(d, IDC_TT_DURATION);
                      EXPECT_EQ(duration.wHour + duration.wMinute + duration.wSecond, 0);
                      fwtest::ClickButton(d, IDC_TT_CLEAR);
                      EXPECT_FALSE(Checked(d, IDC_TT_DAY));
                      EXPECT_FALSE(Checked(d, IDC_TT_WEDNESDAY));
                      EXPECT_FALSE(Checked(d, IDC_TT_PLAY_AT_ONCE));
                      EXPECT_TRUE(Checked(d, IDC_TT_TIMED_PLAY));
                      CheckRow(d, 0, true);
                      fwtest::ClickButton(d, IDOK);
                  }),
        IDOK);
    EXPECT_EQ(record.m_startDate, FixedNow());
    EXPECT_EQ(record.m_endDate, FixedNow());
    EXPECT_EQ(record.m_dayApplies, 0);
    EXPECT_EQ(record.m_weekdays[2], 0);
    EXPECT_EQ(record.m_playAtOnce, 0);
    EXPECT_EQ(record.m_fixedDuration, 0);
    // A zero duration is stored as one second.
    EXPECT_EQ(record.m_durationSeconds, 1);
}

TEST_F(TimeTriggerTest, LanguageTextsReplaceTheBuiltInOnes)
{
    m_host.m_texts[L"TITLE 10"] = L"Time trigger";
    m_host.m_texts[L"ITEM_TITLE 123"] = L"Timed play";
    m_host.m_texts[L"ITEM_TITLE 219"] = L"Spring Festival";
    m_host.m_texts[L"ITEM_TITLE 210"] = L"New Year";
    SegmentTimePlay record = Fresh();
    Run(record, [&](CDialog& d) {
        CString caption;
        d.GetWindowText(caption);
        EXPECT_EQ(caption, CString(L"Time trigger"));
        EXPECT_EQ(fwtest::GetItemText(d, IDC_TT_TIMED_PLAY), CString(L"Timed play"));
        EXPECT_EQ(fwtest::GetItemText(d, IDC_TT_YEAR), CString(L"指定年"));
        // Without its text, the holiday window box is empty.
        EXPECT_EQ(fwtest::GetItemText(d, IDC_TT_HOLIDAY_OWN_WINDOW), CString());
        wchar_t buffer[64] {};
        ListView_GetItemText(List(d), 0, 0, buffer, 64);
        EXPECT_STREQ(buffer, L"New Year");
        ListView_GetItemText(List(d), 9, 0, buffer, 64);
        EXPECT_STREQ(buffer, L"Spring Festival");
        fwtest::ClickButton(d, IDCANCEL);
    });
}

TEST_F(TimeTriggerTest, TheDocumentCopiesTheScheduleBackOnlyOnOk)
{
    m_doc.NewSegment(TRUE, FALSE);
    m_doc.m_currentSegment = 1;
    SegmentTimePlay& stored = m_doc.GetSegment(0)->m_pSegmentInfo->m_timePlay;
    m_host.m_drive = [](CDialog& d) {
        Toggle(d, IDC_TT_GPS);
        fwtest::ClickButton(d, IDCANCEL);
    };
    m_doc.EditSegmentTimeTrigger(1);
    EXPECT_EQ(stored.m_gpsMode, 0);
    m_host.m_drive = [](CDialog& d) {
        Toggle(d, IDC_TT_GPS);
        fwtest::ClickButton(d, IDOK);
    };
    m_doc.EditSegmentTimeTrigger(1);
    EXPECT_EQ(stored.m_gpsMode, 1);
    EXPECT_EQ(stored.m_holidayStart[0], Local(2026, 1, 1));
}
