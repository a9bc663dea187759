// The property grid: a window of named rows in groups, each row with a value
// that the user types, picks from a list or browses for, in the shape of the
// framework's CMFCPropertyGridCtrl, CMFCPropertyGridProperty and
// CMFCPropertyGridFileProperty. A committed change is marked against the
// row's original value and reported to the grid's owner with
// AFX_WM_PROPERTY_CHANGED (first parameter the grid's id, second the row).
#pragma once

#include "fw_controls.h"
#include "fw_variant.h"

#include <vector>

class CMFCPropertyGridCtrl;

// Sent to the grid's owner after a row's value was changed by the user.
extern const UINT AFX_WM_PROPERTY_CHANGED;

class CMFCPropertyGridProperty : public CObject {
    DECLARE_DYNAMIC(CMFCPropertyGridProperty)
    friend class CMFCPropertyGridCtrl;

public:
    enum ClickArea { ClickExpandBox, ClickName, ClickValue, ClickDescription };

    // A group row.
    explicit CMFCPropertyGridProperty(const CString& strGroupName, DWORD_PTR dwData = 0, BOOL bIsValueList = FALSE);
    // A value row; the value is also its original value.
    CMFCPropertyGridProperty(const CString& strName, const COleVariant& varValue, LPCTSTR lpszDescr = nullptr,
        DWORD_PTR dwData = 0, LPCTSTR lpszEditMask = nullptr, LPCTSTR lpszEditTemplate = nullptr,
        LPCTSTR lpszValidChars = nullptr);
    // Deletes its sub-rows and its in-place window.
    ~CMFCPropertyGridProperty() override;

    CMFCPropertyGridProperty(const CMFCPropertyGridProperty&) = delete;
    CMFCPropertyGridProperty& operator=(const CMFCPropertyGridProperty&) = delete;

    // Sub-rows (the row owns them).
    BOOL AddSubItem(CMFCPropertyGridProperty* pProp);
    int GetSubItemsCount() const { return static_cast<int>(m_lstSubItems.size()); }
    CMFCPropertyGridProperty* GetSubItem(int nIndex) const;
    CMFCPropertyGridProperty* GetParent() const { return m_pParent; }
    BOOL IsGroup() const { return m_bGroup; }

    // The option list: with it and without free editing the value is picked
    // from a drop-down list.
    BOOL AddOption(LPCTSTR lpszOption, BOOL bInsertUnique = TRUE);
    void RemoveAllOptions() { m_lstOptions.clear(); }
    int GetOptionCount() const { return static_cast<int>(m_lstOptions.size()); }
    LPCTSTR GetOption(int nIndex) const;
    void AllowEdit(BOOL bAllow = TRUE) { m_bAllowEdit = bAllow; }
    BOOL IsAllowEdit() const { return m_bAllowEdit; }

    // Visibility, expansion and enabling; hidden rows take no space.
    void Show(BOOL bShow = TRUE, BOOL bAdjustLayout = TRUE);
    BOOL IsVisible() const { return m_bIsVisible; }
    void Expand(BOOL bExpand = TRUE);
    BOOL IsExpanded() const { return m_bExpanded; }
    BOOL Enable(BOOL bEnable = TRUE);
    BOOL IsEnabled() const { return m_bEnabled; }

    // The value, its original (reference) value and the modified mark.
    virtual void SetValue(const COleVariant& varValue);
    const COleVariant& GetValue() const { return m_varValue; }
    const COleVariant& GetOriginalValue() const { return m_varValueOrig; }
    void SetOriginalValue(const COleVariant& varValue);
    // Puts the value back to the original one.
    void ResetOriginalValue();
    BOOL IsModified() const { return m_bIsModified; }

    DWORD_PTR GetData() const { return m_dwData; }
    void SetData(DWORD_PTR dwData) { m_dwData = dwData; }
    LPCTSTR GetName() const { return m_strName; }
    void SetName(LPCTSTR lpszName, BOOL bRedraw = TRUE);
    const CString& GetDescription() const { return m_strDescr; }
    void SetDescription(const CString& strDescr) { m_strDescr = strDescr; }

    // Rectangle of the row in the grid's client area (empty while hidden).
    CRect GetRect() const { return m_Rect; }
    // The value part of the row.
    CRect GetValueRect() const;
    CMFCPropertyGridCtrl* GetGrid() const { return m_pWndList; }
    BOOL IsInPlaceEditing() const { return m_bInPlaceEdit; }
    CWnd* GetInPlaceWnd() const { return m_pWndInPlace; }
    void Redraw();

    // The value as text.
    virtual CString FormatProperty();
    virtual BOOL HasValueField() const { return !m_bGroup; }
    virtual BOOL HasButton() const { return FALSE; }

    // Drawing of the name and value cells.
    virtual void OnDrawName(CDC* pDC, CRect rect);
    virtual void OnDrawValue(CDC* pDC, CRect rect);
    virtual void OnDrawExpandBox(CDC* pDC, CRect rectExpand);
    virtual void OnDrawButton(CDC* pDC, CRect rectButton);

    // In-place editing: OnEdit creates the editor window (an edit box, or a
    // drop-down list for option rows); OnUpdateValue takes its text as the
    // new value and tells the grid when it changed; OnEndEdit removes it.
    virtual BOOL OnEdit(LPPOINT lptClick);
    virtual BOOL OnUpdateValue();
    virtual BOOL OnEndEdit();
    // A click in the value cell (TRUE when handled), in the button.
    virtual BOOL OnClickValue(UINT uiMsg, CPoint point);
    virtual void OnClickButton(CPoint point);
    virtual BOOL OnDblClk(CPoint point);
    // TRUE when the row set the cursor itself.
    virtual BOOL OnSetCursor() const;

protected:
    // Turns the edited text into a value of the current value's kind.
    BOOL TextToVar(const CString& strText);
    void SetOwnerList(CMFCPropertyGridCtrl* pWndList);

    CString m_strName;
    CString m_strDescr;
    COleVariant m_varValue;
    COleVariant m_varValueOrig;
    DWORD_PTR m_dwData = 0;
    BOOL m_bGroup = FALSE;
    BOOL m_bIsValueList = FALSE;
    BOOL m_bAllowEdit = TRUE;
    BOOL m_bEnabled = TRUE;
    BOOL m_bIsVisible = TRUE;
    BOOL m_bExpanded = TRUE;
    BOOL m_bIsModified = FALSE;
    BOOL m_bInPlaceEdit = FALSE;
    CRect m_Rect;
    CRect m_rectButton;
    CMFCPropertyGridCtrl* m_pWndList = nullptr;
    CMFCPropertyGridProperty* m_pParent = nullptr;
    // The in-place editor; owned by the row while it edits.
    CWnd* m_pWndInPlace = nullptr;
    CComboBox* m_pWndCombo = nullptr;
    std::vector<CString> m_lstOptions;
    std::vector<CMFCPropertyGridProperty*> m_lstSubItems;
};

// A row holding a file path, with a browse button that asks for a file.
class CMFCPropertyGridFileProperty : public CMFCPropertyGridProperty {
    DECLARE_DYNAMIC(CMFCPropertyGridFileProperty)
public:
    CMFCPropertyGridFileProperty(const CString& strName, BOOL bOpenFileDialog, const CString& strFileName,
        LPCTSTR lpszDefExt = nullptr, DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
        LPCTSTR lpszFilter = nullptr, LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0);

    BOOL HasButton() const override { return TRUE; }
    // Shows the file dialog; a chosen path becomes the value.
    void OnClickButton(CPoint point) override;

protected:
    BOOL m_bOpenFileDialog;
    DWORD m_dwFileOpenFlags;
    CString m_strDefExt;
    CString m_strFilter;
};

class CMFCPropertyGridCtrl : public CWnd {
    DECLARE_DYNAMIC(CMFCPropertyGridCtrl)
    friend class CMFCPropertyGridProperty;
    friend class CMFCPropertyGridFileProperty;

public:
    CMFCPropertyGridCtrl();
    // Deletes every row.
    ~CMFCPropertyGridCtrl() override;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Look: column captions, bold marking of modified rows, flat look.
    void EnableHeaderCtrl(
        BOOL bEnable = TRUE, LPCTSTR lpszLeftColumn = L"Property", LPCTSTR lpszRightColumn = L"Value");
    BOOL IsHeaderCtrl() const { return m_bHeaderCtrl; }
    void MarkModifiedProperties(BOOL bMark = TRUE, BOOL bRedraw = TRUE);
    BOOL IsMarkModifiedProperties() const { return m_bMarkModifiedProperties; }
    void SetVSDotNetLook(BOOL bSet = TRUE);
    BOOL IsVSDotNetLook() const { return m_bVSDotNetLook; }

    // Top-level rows (the grid owns them).
    int AddProperty(CMFCPropertyGridProperty* pProp, BOOL bRedraw = TRUE, BOOL bAdjustLayout = TRUE);
    int GetPropertyCount() const { return static_cast<int>(m_lstProps.size()); }
    CMFCPropertyGridProperty* GetProperty(int nIndex) const;
    void RemoveAll();
    CMFCPropertyGridProperty* FindItemByData(DWORD_PTR dwData, BOOL bSearchSubItems = TRUE) const;

    // Selection and editing.
    CMFCPropertyGridProperty* GetCurSel() const { return m_pSel; }
    void SetCurSel(CMFCPropertyGridProperty* pProp, BOOL bRedraw = TRUE);
    virtual BOOL EditItem(CMFCPropertyGridProperty* pProp, LPPOINT lptClick = nullptr);
    virtual BOOL EndEditItem(BOOL bUpdateData = TRUE);
    // Marks the row and sends AFX_WM_PROPERTY_CHANGED to the owner.
    virtual void OnPropertyChanged(CMFCPropertyGridProperty* pProp) const;

    CMFCPropertyGridProperty* HitTest(CPoint pt, CMFCPropertyGridProperty::ClickArea* pnArea = nullptr) const;
    void AdjustLayout();
    int GetRowHeight() const { return m_nRowHeight; }
    int GetLeftColumnWidth() const { return m_nLeftColumnWidth; }
    int GetHeaderHeight() const { return m_bHeaderCtrl ? m_nRowHeight : 0; }
    CFont* GetBoldFont() { return &m_fontBold; }

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

    // Rows in display order (shown rows of expanded groups).
    void CollectVisible(std::vector<CMFCPropertyGridProperty*>& rows) const;
    // Half the width, or more where a name of the rows needs it (at most two
    // thirds), so that the longer names of some languages are not cut.
    int NameColumnWidth(const std::vector<CMFCPropertyGridProperty*>& rows, int width);
    void DrawRow(CDC& dc, CMFCPropertyGridProperty* pProp);
    void Forget(CMFCPropertyGridProperty* pProp);

    std::vector<CMFCPropertyGridProperty*> m_lstProps;
    CMFCPropertyGridProperty* m_pSel = nullptr;
    CMFCPropertyGridProperty* m_pEditing = nullptr;
    BOOL m_bHeaderCtrl = TRUE;
    CString m_strLeftColumn = L"Property";
    CString m_strRightColumn = L"Value";
    BOOL m_bMarkModifiedProperties = FALSE;
    BOOL m_bVSDotNetLook = FALSE;
    BOOL m_bEnding = FALSE;
    int m_nRowHeight = 18;
    int m_nLeftColumnWidth = 100;
    int m_nFirstVisible = 0;
    CFont m_fontRegular;
    CFont m_fontBold;
};
