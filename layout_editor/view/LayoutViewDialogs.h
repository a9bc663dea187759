// The small prompts of the layout view's gestures and tools: the unit count
// of a counted line (CSetUnitNumberDlg, dialog 320) and a text prompt run
// through the shared input dialog (CInputDlg, dialog 329).
#pragma once

#include <afxwin.h>

#include "PannexEditResource.h"

// The number of units of a run of lamps; the arrows step it by one, never
// below 1.
class CSetUnitNumberDlg : public CDialogEx {
public:
    enum { IDD = IDD_SET_UNIT_NUMBER };
    explicit CSetUnitNumberDlg(CWnd* parent = nullptr);

    int m_limit = 1; // set by the caller; the dialog does not use it
    int m_unitCount = 1;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnDeltaPos(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};

// One arrow click of an up-down control on a value exchanged with the
// dialog: the up arrow (-1 in the control's default range) raises it by
// one, the down arrow lowers it, never below the floor. The typed text is
// read first and the value shown afterwards.
void StepSpinValue(CDialog& dialog, int& value, const NMHDR* header, int floor);

// Runs the unit-count prompt with the value; true on OK (value updated).
bool AskUnitNumber(CWnd* owner, int limit, int& value);
// Runs the text prompt; true on OK (value updated).
bool AskText(CWnd* owner, const CString& prompt, CString& value);
