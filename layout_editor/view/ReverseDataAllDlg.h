// CReverseDataAllDlg: the data-reversed flag of every port as a tree of
// check boxes (dialog 348): project, controllers, ports. Checking an item
// checks everything below it; OK sets each port's flag from its own item.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

class CReverseDataAllDlg : public CDialogEx {
    DECLARE_DYNAMIC(CReverseDataAllDlg)
public:
    explicit CReverseDataAllDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

    // Gives every descendant of the item the check state, recursively.
    void CheckDescendants(HTREEITEM item, BOOL checked);

    CTreeCtrl m_tree;

protected:
    // Where the mouse is, in screen coordinates (tests replace it).
    virtual CPoint GetCursorScreenPos() const;

    void DoDataExchange(CDataExchange* pDX) override;
    void OnTreeClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
