// CBatchCardDlg: the modeless batch controller dialog of the list panel. It
// lists the layout's controllers with check boxes and changes the lamp
// format, clears the wiring, sets the colour or deletes every checked
// controller at once, always from the last entry to the first so that
// deleting does not shift controllers still to be handled.
#pragma once

#include <afxwin.h>

#include <vector>

class CBarDlg;

class CBatchCardDlg : public CDialogEx {
    DECLARE_DYNAMIC(CBatchCardDlg)
public:
    CBatchCardDlg();

    BOOL OnInitDialog() override;
    void OnOK() override { }
    void OnCancel() override { ShowWindow(SW_HIDE); }

    // Relabels the dialog and, when the number of controllers changed,
    // refills the list with one unchecked entry per controller.
    void RefreshForShow();
    // Refills the list with one unchecked entry per controller.
    void FillControllers();
    // Checked controllers (from 0), last first.
    std::vector<int> CheckedFromLast() const;

    CCheckListBox m_lbControllers;
    CBarDlg* m_pPanel = nullptr;

protected:
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnCheckAll();
    void OnCheckNone();
    void OnCheckInvert();
    void OnClearWiring();
    void OnChangeLampType();
    void OnSetColour();
    void OnDeleteControllers();
    DECLARE_MESSAGE_MAP()

private:
    void SetAllChecks(int mode);
};
