// The special rows of the property panel's grid: a drawn check box
// (QvCheckedProperty), the timed-play row that opens the segment's time
// trigger (CCTimeTrigerProp) and a group row drawn with a plain name
// (CPropGroup).
#pragma once

#include <afxpropertygridctrl.h>

class QvCheckedProperty : public CMFCPropertyGridProperty {
public:
    QvCheckedProperty(
        const CString& strName, const COleVariant& varValue, LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0);

    // Sets the check state and redraws the row when it changed.
    void SetChecked(BOOL checked);
    BOOL IsChecked() const { return m_checked != 0; }

    void OnDrawValue(CDC* pDC, CRect rect) override;
    // Puts an invisible window in place so that no edit box ever shows.
    BOOL OnEdit(LPPOINT lptClick) override;
    // Toggles the check, stores it as the value (0 or 1) and reports it.
    BOOL OnClickValue(UINT uiMsg, CPoint point) override;
    BOOL OnSetCursor() const override;

private:
    int m_checked = 0;
};

class CCTimeTrigerProp : public CMFCPropertyGridProperty {
public:
    CCTimeTrigerProp(
        const CString& strName, const COleVariant& varValue, LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0);

    void OnDrawValue(CDC* pDC, CRect rect) override;
    // Posts WM_OPEN_TIME_TRIGGER(row id, 0) to the main window.
    BOOL OnClickValue(UINT uiMsg, CPoint point) override;

    int m_timed = 0;
    int m_synchronised = 0;
};

class CPropGroup : public CMFCPropertyGridProperty {
public:
    explicit CPropGroup(const CString& strGroupName, DWORD_PTR dwData = 0);
    void OnDrawName(CDC* pDC, CRect rect) override;
};

// The check box of a row's value cell: 6 pixels in from the left, from 2
// below the top to 1 above the bottom, square. Used for drawing and tests.
CRect CheckBoxRect(const CRect& valueCell);
