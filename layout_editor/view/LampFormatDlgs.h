// Adding a lamp format to the project: CAddLightBarDlg (dialog 314) takes
// the format as text; its "advanced" button opens CAddLightBarAdvancedDlg
// (dialog 337), which builds a numbered format from a table of segments
// (lamp count and channel letters each) and imports or exports that table.
#pragma once

#include <afxwin.h>

#include <vector>

#include "LampFormatBuild.h"
#include "PannexDialogsResource.h"
#include "SheetCtrl.h"

class CPannexDoc;

class CAddLightBarAdvancedDlg : public CDialogEx {
public:
    enum { IDD = IDD_ADD_LIGHT_BAR_ADV };
    // Most segments the table takes.
    static constexpr int kMaxSegments = 1000;

    explicit CAddLightBarAdvancedDlg(CWnd* parent = nullptr);

    // Checks the table and takes its rows into the arrays: false (after a
    // message) when there is no segment or a row lacks a count or letters.
    bool ReadGrid();

    CString m_strResult; // the built format after OK
    CSheetCtrl m_grid;
    CArray<WORD, WORD> m_arrLampCounts;
    CStringArray m_arrLetters;
    int m_nSegments = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnSegmentsKillFocus();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnImport();
    void OnExport();
    DECLARE_MESSAGE_MAP()

private:
    void Refuse(int key, LPCWSTR fallback);
    // Rows 1..m_nSegments from the arrays.
    void FillRows();
    std::vector<LampSegment> Segments() const;
};

class CAddLightBarDlg : public CDialogEx {
public:
    enum { IDD = IDD_ADD_LIGHT_BAR };

    explicit CAddLightBarDlg(CWnd* parent = nullptr);

    CString m_strFormat; // edit 1023
    CAddLightBarAdvancedDlg m_dlgAdvanced;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnAdvanced();
    DECLARE_MESSAGE_MAP()
};

enum class AddLampFormatResult { Cancelled, Empty, Duplicate, Added };

// Appends a format typed by the user to the project's LampTypeList: an
// empty text is ignored, a duplicate (without case) refused with "已有相同灯具".
// On success the combo box (when given) gets "(%d): %s" and the document
// (when given) is marked modified.
AddLampFormatResult AddLampFormat(const CString& format, CComboBox* lampTypes, CPannexDoc* doc);
// The panel's "add lamp format" button: runs CAddLightBarDlg, then
// AddLampFormat with what was typed.
AddLampFormatResult RunAddLampFormat(CWnd* owner, CComboBox* lampTypes, CPannexDoc* doc);
