// CFileFind over FindFirstFile/FindNextFile, one entry ahead.
#include "afx.h"

IMPLEMENT_DYNAMIC(CFileFind, CObject)

CFileFind::~CFileFind()
{
    Close();
}

void CFileFind::Close()
{
    if (m_hFind != INVALID_HANDLE_VALUE)
        ::FindClose(m_hFind);
    m_hFind = INVALID_HANDLE_VALUE;
    m_bHaveFound = m_bHaveNext = false;
    m_strRoot.Empty();
}

BOOL CFileFind::FindFile(LPCTSTR pstrName, DWORD)
{
    Close();
    if (pstrName == nullptr || *pstrName == 0)
        pstrName = L"*.*";
    m_hFind = ::FindFirstFileW(pstrName, &m_next);
    if (m_hFind == INVALID_HANDLE_VALUE)
        return FALSE;
    m_bHaveNext = true;

    // The root is the folder of the pattern, as a full path.
    wchar_t full[MAX_PATH * 2];
    LPWSTR namePart = nullptr;
    DWORD n = ::GetFullPathNameW(pstrName, MAX_PATH * 2, full, &namePart);
    if (n > 0 && n < MAX_PATH * 2) {
        if (namePart != nullptr)
            *namePart = 0;
        m_strRoot = full;
        int len = m_strRoot.GetLength();
        // Keep "C:\" whole; drop the separator after any other folder.
        if (len > 3 && (m_strRoot[len - 1] == L'\\' || m_strRoot[len - 1] == L'/'))
            m_strRoot = m_strRoot.Left(len - 1);
    }
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_bHaveNext)
        return FALSE;
    m_found = m_next;
    m_bHaveFound = true;
    m_bHaveNext = ::FindNextFileW(m_hFind, &m_next) != FALSE;
    return m_bHaveNext;
}

ULONGLONG CFileFind::GetLength() const
{
    if (!m_bHaveFound)
        return 0;
    return (static_cast<ULONGLONG>(m_found.nFileSizeHigh) << 32) | m_found.nFileSizeLow;
}

CString CFileFind::GetFileName() const
{
    return m_bHaveFound ? CString(m_found.cFileName) : CString();
}

CString CFileFind::GetFilePath() const
{
    if (!m_bHaveFound)
        return CString();
    CString path = m_strRoot;
    if (!path.IsEmpty() && path[path.GetLength() - 1] != L'\\' && path[path.GetLength() - 1] != L'/')
        path += L'\\';
    path += m_found.cFileName;
    return path;
}

CString CFileFind::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind(L'.');
    return dot > 0 ? name.Left(dot) : name;
}

BOOL CFileFind::GetLastWriteTime(FILETIME* pTimeStamp) const
{
    if (!m_bHaveFound || pTimeStamp == nullptr)
        return FALSE;
    *pTimeStamp = m_found.ftLastWriteTime;
    return TRUE;
}

BOOL CFileFind::GetLastWriteTime(CTime& refTime) const
{
    if (!m_bHaveFound)
        return FALSE;
    refTime = CTime(m_found.ftLastWriteTime);
    return TRUE;
}

BOOL CFileFind::GetCreationTime(CTime& refTime) const
{
    if (!m_bHaveFound)
        return FALSE;
    refTime = CTime(m_found.ftCreationTime);
    return TRUE;
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const
{
    return m_bHaveFound && (m_found.dwFileAttributes & dwMask) != 0;
}

BOOL CFileFind::IsDots() const
{
    if (!m_bHaveFound || !IsDirectory())
        return FALSE;
    const wchar_t* n = m_found.cFileName;
    return (n[0] == L'.' && n[1] == 0) || (n[0] == L'.' && n[1] == L'.' && n[2] == 0);
}
