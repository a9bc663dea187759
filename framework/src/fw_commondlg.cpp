// Common dialogs through the UI host.
#include "afxdlgs.h"

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
    LPCTSTR lpszFilter, CWnd* pParentWnd, DWORD, BOOL)
    : m_bOpen(bOpenFileDialog)
    , m_strDefExt(lpszDefExt != nullptr ? lpszDefExt : L"")
    , m_strFileName(lpszFileName != nullptr ? lpszFileName : L"")
    , m_strFilter(lpszFilter != nullptr ? lpszFilter : L"")
    , m_pParentWnd(pParentWnd)
{
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.Flags = dwFlags;
    m_ofn.nFilterIndex = 1;
}

INT_PTR CFileDialog::DoModal()
{
    CFileDialogRequest request;
    request.bOpen = m_bOpen;
    HWND hOwner = nullptr;
    CWnd::GetSafeOwner(m_pParentWnd, &hOwner);
    request.hWndOwner = hOwner;
    request.strTitle = m_ofn.lpstrTitle != nullptr ? m_ofn.lpstrTitle : L"";
    request.strInitialDir = m_ofn.lpstrInitialDir != nullptr ? m_ofn.lpstrInitialDir : L"";
    request.strFilter = m_strFilter;
    request.strDefExt = m_strDefExt;
    request.strFileName = m_strFileName;
    request.dwFlags = m_ofn.Flags;
    request.nFilterIndex = static_cast<int>(m_ofn.nFilterIndex);
    request.nMaxFile = m_ofn.nMaxFile;
    if (!AfxGetUiHost().FileDialog(request) || request.results.empty())
        return IDCANCEL;
    m_results = request.results;
    m_ofn.nFilterIndex = static_cast<DWORD>(request.nFilterIndex);
    return IDOK;
}

CString CFileDialog::GetPathName() const
{
    return m_results.empty() ? CString() : m_results.front();
}

CString CFileDialog::GetFileName() const
{
    return ::PathFindFileName(GetPathName());
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind(L'.');
    return dot >= 0 ? name.Mid(dot + 1) : CString();
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind(L'.');
    return dot >= 0 ? name.Left(dot) : name;
}

CString CFileDialog::GetFolderPath() const
{
    CString path = GetPathName();
    int slash = path.ReverseFind(L'\\');
    return slash >= 0 ? path.Left(slash) : CString();
}

POSITION CFileDialog::GetStartPosition() const
{
    return m_results.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<UINT_PTR>(1));
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    auto index = reinterpret_cast<UINT_PTR>(pos);
    if (index == 0 || index > m_results.size()) {
        pos = nullptr;
        return CString();
    }
    pos = index < m_results.size() ? reinterpret_cast<POSITION>(index + 1) : nullptr;
    return m_results[index - 1];
}

CFolderPickerDialog::CFolderPickerDialog(LPCTSTR lpszFolder, DWORD, CWnd* pParentWnd, DWORD)
    : m_strFolder(lpszFolder != nullptr ? lpszFolder : L"")
    , m_pParentWnd(pParentWnd)
{
}

INT_PTR CFolderPickerDialog::DoModal()
{
    HWND hOwner = nullptr;
    CWnd::GetSafeOwner(m_pParentWnd, &hOwner);
    CString folder = m_strFolder;
    if (!AfxGetUiHost().PickFolder(hOwner, m_strTitle, folder))
        return IDCANCEL;
    m_strFolder = folder;
    return IDOK;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd)
    : m_color(clrInit)
    , m_pParentWnd(pParentWnd)
{
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.rgbResult = clrInit;
    m_cc.Flags = dwFlags;
}

INT_PTR CColorDialog::DoModal()
{
    HWND hOwner = nullptr;
    CWnd::GetSafeOwner(m_pParentWnd, &hOwner);
    COLORREF color = m_color;
    if (!AfxGetUiHost().PickColor(hOwner, color, m_cc.Flags))
        return IDCANCEL;
    m_color = color;
    m_cc.rgbResult = color;
    return IDOK;
}

CFontDialog::CFontDialog(LPLOGFONT lplfInitial, DWORD dwFlags, CDC*, CWnd* pParentWnd)
    : m_dwFlags(dwFlags)
    , m_pParentWnd(pParentWnd)
{
    if (lplfInitial != nullptr)
        m_lf = *lplfInitial;
    m_cf.lStructSize = sizeof(m_cf);
    m_cf.lpLogFont = &m_lf;
    m_cf.Flags = dwFlags;
}

INT_PTR CFontDialog::DoModal()
{
    HWND hOwner = nullptr;
    CWnd::GetSafeOwner(m_pParentWnd, &hOwner);
    LOGFONT lf = m_lf;
    COLORREF color = m_cf.rgbColors;
    if (!AfxGetUiHost().PickFont(hOwner, lf, color, m_cf.Flags))
        return IDCANCEL;
    m_lf = lf;
    m_color = color;
    m_cf.rgbColors = color;
    return IDOK;
}

int CFontDialog::GetSize() const
{
    // Tenths of a point, from the logical height at the screen's resolution.
    HDC hdc = ::GetDC(nullptr);
    int dpi = ::GetDeviceCaps(hdc, LOGPIXELSY);
    ::ReleaseDC(nullptr, hdc);
    int height = m_lf.lfHeight < 0 ? -m_lf.lfHeight : m_lf.lfHeight;
    return dpi > 0 ? ::MulDiv(height, 720, dpi) : 0;
}
