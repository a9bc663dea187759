// CScaleSetDlg (dialog 333): edits the layout's horizontal and vertical
// ruler lists (positions in grid cells, at most 60 each). The view copies
// its lists in before the dialog runs and takes them back after OK.
#pragma once

#include <afxwin.h>

#include "PannexEditResource.h"

class CScaleSetDlg : public CDialogEx {
public:
    enum { IDD = IDD_SCALE_SET };
    explicit CScaleSetDlg(CWnd* parent = nullptr);

    CArray<WORD, WORD> m_hRulers;
    CArray<WORD, WORD> m_vRulers;

    // Most rulers a list holds.
    static constexpr int kMaxRulerCount = 60;

    // Adds a typed position to one list (as the Add buttons do after the
    // prompt): nothing for a text that reads as 0; a position already in
    // the list is refused with a message; the text is shown as typed.
    void AddTypedPosition(bool horizontal, const CString& text);

protected:
    BOOL OnInitDialog() override;
    void OnAddHorizontal();
    void OnAddVertical();
    void OnDeleteHorizontal();
    void OnDeleteVertical();
    DECLARE_MESSAGE_MAP()

private:
    void Add(bool horizontal);
    void Delete(bool horizontal);
};
