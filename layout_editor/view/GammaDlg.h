// CGammaDlg (dialog 339): edits one user gamma curve of the layout (256
// output levels, one per gray level) in a two-column grid, and imports or
// exports it as a small text file. Opened by the adjustment dialog to make
// a new curve (curve number 0) or to edit curve 1 to 4.
#pragma once

#include <afxwin.h>

#include "PannexDialogsResource.h"
#include "SheetCtrl.h"

class CGammaDlg : public CDialogEx {
public:
    enum { IDD = IDD_GAMMA };

    explicit CGammaDlg(CWnd* parent = nullptr);

    CSheetCtrl m_grid;
    int m_curveNumber = 0; // 0: a new curve; n: user curve n

    // The curve slot OK writes: the edited curve, or the next free one for a
    // new curve; -1 when there is none.
    int TargetCurve() const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnImport();
    void OnExport();
    DECLARE_MESSAGE_MAP()
};
