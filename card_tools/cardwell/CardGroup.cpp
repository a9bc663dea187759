// Card groups of a generation folder.
#include "CardGroup.h"

#include <algorithm>

int CQvTreeNodeItem::GetFileCount() const
{
    return (m_strConfigFile.IsEmpty() ? 0 : 1) + static_cast<int>(m_arrShowFiles.GetSize());
}

std::vector<CString> CQvTreeNodeItem::GetCopyOrder() const
{
    std::vector<CString> files;
    if (!m_strConfigFile.IsEmpty())
        files.push_back(m_strConfigFile);
    for (INT_PTR i = 0; i < m_arrShowFiles.GetSize(); ++i)
        files.push_back(m_arrShowFiles[i]);
    return files;
}

BOOL ListFolderFiles(LPCTSTR lpszFolder, CStringArray& paths)
{
    paths.RemoveAll();
    CString folder(lpszFolder);
    DWORD attributes = ::GetFileAttributes(folder);
    if (folder.IsEmpty() || attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return FALSE;
    if (folder.Right(1) != L"\\")
        folder += L"\\";

    std::vector<CString> names;
    WIN32_FIND_DATA data {};
    HANDLE hFind = ::FindFirstFile(folder + L"*.*", &data);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            // Only regular files: subfolders (and "." and "..") and devices
            // are never show or configuration files, whatever their names say.
            if ((data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0)
                names.emplace_back(data.cFileName);
        } while (::FindNextFile(hFind, &data));
        ::FindClose(hFind);
    }
    std::sort(names.begin(), names.end(), [](const CString& a, const CString& b) {
        int c = ::CompareStringOrdinal(a, -1, b, -1, TRUE);
        return c == CSTR_LESS_THAN;
    });
    for (const CString& name : names)
        paths.Add(folder + name);
    return TRUE;
}

void BuildCardGroups(const CStringArray& paths, CQvTreeNodeArray& groups)
{
    std::vector<CString> configs;
    std::vector<CString> shows;
    for (INT_PTR i = 0; i < paths.GetSize(); ++i) {
        // Only the name's own extension decides: a folder called "shows.arm"
        // does not make every file in it a show file, nor is "x.arm.bak" one.
        switch (KindOfCardFile(FileNameOfPath(paths[i]))) {
        case CardFileKind::Config:
            configs.push_back(paths[i]);
            break;
        case CardFileKind::Show:
            shows.push_back(paths[i]);
            break;
        case CardFileKind::Other:
            break;
        }
    }
    if (shows.empty())
        return;
    if (configs.empty())
        configs.emplace_back();
    for (const CString& config : configs) {
        auto* group = new CQvTreeNodeItem;
        group->m_strConfigFile = config;
        for (const CString& show : shows)
            group->m_arrShowFiles.Add(show);
        groups.Add(group);
    }
}

CardFileKind KindOfCardFile(const CString& name)
{
    const int dot = name.ReverseFind(L'.');
    if (dot <= 0)
        return CardFileKind::Other;
    const CString extension = name.Mid(dot);
    if (extension.CompareNoCase(L".bfm") == 0)
        return CardFileKind::Config;
    if (extension.CompareNoCase(L".arm") == 0)
        return CardFileKind::Show;
    return CardFileKind::Other;
}

void FreeCardGroups(CQvTreeNodeArray& groups)
{
    for (INT_PTR i = 0; i < groups.GetSize(); ++i)
        delete groups[i];
    groups.RemoveAll();
}

CString FileNameOfPath(const CString& path)
{
    int slash = path.ReverseFind(L'\\');
    return slash < 0 ? path : path.Mid(slash + 1);
}
