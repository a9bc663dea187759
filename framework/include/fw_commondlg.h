// Common dialogs over the UI host: CFileDialog (open, save, multi-select,
// "a|b||" filters, overwrite prompt), CFolderPickerDialog, CColorDialog and
// CFontDialog. DoModal returns IDOK or IDCANCEL.
#pragma once

#include "fw_uihost.h"
#include "fw_wnd.h"

class CFileDialog : public CObject {
public:
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
        DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
        CWnd* pParentWnd = nullptr, DWORD dwSize = 0, BOOL bVistaStyle = TRUE);

    virtual INT_PTR DoModal();

    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    CString GetFolderPath() const;
    // Multi-select: iterate the chosen paths.
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

    // Callers may set lpstrTitle, lpstrInitialDir, nFilterIndex, Flags and
    // nMaxFile (the characters of names the dialog takes; the dialog keeps
    // the buffer) before DoModal; nFilterIndex is updated after it.
    OPENFILENAME m_ofn {};

private:
    BOOL m_bOpen;
    CString m_strDefExt, m_strFileName, m_strFilter;
    CWnd* m_pParentWnd;
    std::vector<CString> m_results;
};

class CFolderPickerDialog : public CObject {
public:
    explicit CFolderPickerDialog(
        LPCTSTR lpszFolder = nullptr, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr, DWORD dwSize = 0);
    virtual INT_PTR DoModal();
    CString GetPathName() const { return m_strFolder; }
    CString GetFolderPath() const { return m_strFolder; }
    CString m_strTitle;

private:
    CString m_strFolder;
    CWnd* m_pParentWnd;
};

class CColorDialog : public CObject {
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);
    virtual INT_PTR DoModal();
    COLORREF GetColor() const { return m_color; }
    void SetCurrentColor(COLORREF clr) { m_color = clr; }
    CHOOSECOLOR m_cc {};

private:
    COLORREF m_color;
    CWnd* m_pParentWnd;
};

class CFontDialog : public CObject {
public:
    explicit CFontDialog(LPLOGFONT lplfInitial = nullptr, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
        CDC* pdcPrinter = nullptr, CWnd* pParentWnd = nullptr);
    virtual INT_PTR DoModal();
    void GetCurrentFont(LPLOGFONT lplf) const { *lplf = m_lf; }
    CString GetFaceName() const { return m_lf.lfFaceName; }
    int GetSize() const;
    COLORREF GetColor() const { return m_color; }
    BOOL IsBold() const { return m_lf.lfWeight >= FW_SEMIBOLD; }
    BOOL IsItalic() const { return m_lf.lfItalic; }
    LOGFONT m_lf {};
    CHOOSEFONT m_cf {};

private:
    COLORREF m_color = 0;
    DWORD m_dwFlags;
    CWnd* m_pParentWnd;
};
