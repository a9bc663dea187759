// CDlgTimeTrigerSetting: the modal dialog that edits a segment's play-time
// schedule (GPS or timed play, date and time windows, weekdays, a fixed
// duration and up to thirteen holidays with their own daily windows).
#pragma once

#include <afxwin.h>

#include "segment_time_play.h"

#include <map>
#include <vector>

class CDornelDoc;

class CDlgTimeTrigerSetting : public CDialog {
public:
    // doc gives the language texts (null: built-in texts only). holidayFile
    // replaces the program's "Config\Holiday.txt" when given.
    explicit CDlgTimeTrigerSetting(CWnd* parent = nullptr, CDornelDoc* doc = nullptr, LPCTSTR holidayFile = nullptr);

    // Takes a copy of the schedule to edit; fills the holiday dates of a
    // schedule that has none yet.
    void SetTriggerRecord(SegmentTimePlay record);
    // The edited schedule, valid after OK.
    const SegmentTimePlay& GetTriggerRecord() const { return m_record; }

    // The holiday names in list order, with their codes and slots.
    const std::vector<CString>& HolidayNames() const { return m_names; }
    int HolidayCode(const CString& name) const;
    int HolidaySlot(const CString& name) const;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

    void OnGps();
    void OnTimedPlay();
    void OnWeekdays();
    void OnFixedDuration();
    void OnDateSwitch();
    void OnTimeSwitch();
    void OnClear();
    void OnHolidayOwnWindow();
    void OnHolidayChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnHolidayStartChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnHolidayEndChanged(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void InitHolidayTable();
    void LoadHolidayFile();
    void FillHolidayDates();
    void ApplyTimedPlayRule();
    void ApplyDateFormats();
    void ApplyTimeFormats();
    void ApplyTexts();
    void ShowHint(int key, LPCTSTR builtIn);
    CString Text(LPCTSTR section, int key) const;
    int SelectedHolidaySlot() const;
    void StoreHolidayWindow(bool start);
    void EnableRange(int first, int last, BOOL enable);
    BOOL Checked(int id) const { return IsDlgButtonChecked(id) == BST_CHECKED; }
    void Check(int id, int value) { CheckDlgButton(id, value != 0 ? BST_CHECKED : BST_UNCHECKED); }

    CDornelDoc* m_pDoc;
    CString m_holidayFile;
    SegmentTimePlay m_record;
    uint16_t m_editedMask = 0;
    std::vector<CString> m_names;
    std::map<CString, int> m_nameToCode;
    std::map<CString, int> m_nameToSlot;
    bool m_filling = false; // the list is being filled: no mask changes
};

// Local time conversions of schedule values (seconds since 1970).
SYSTEMTIME ScheduleToLocal(int64_t seconds);
int64_t LocalToSchedule(const SYSTEMTIME& local);
