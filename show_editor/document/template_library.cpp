// Loading the template libraries from the program's "Resource" folders.
#include "template_library.h"

#include "ExeFolder.h"
#include "template_files.h"

namespace {

CString ExtensionOf(const CString& name)
{
    const int dot = name.ReverseFind(L'.');
    CString extension = dot >= 0 ? name.Mid(dot) : CString();
    extension.MakeLower();
    return extension;
}

} // namespace

void ListTemplateFiles(const CString& folder, const CString& pattern, CStringArray& paths)
{
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW(folder + pattern, &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    // Short 8.3 names can make "*.bct" match "x.bctx": the extension must be the pattern's.
    const CString extension = ExtensionOf(pattern);
    do {
        const CString name(data.cFileName);
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && ExtensionOf(name) == extension)
            paths.Add(folder + name);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
}

int LoadColorTemplatesFrom(ColorTemplateList& templates, const CString& folder)
{
    CStringArray paths;
    ListTemplateFiles(folder, L"*.bct", paths);
    int count = 0;
    for (INT_PTR i = 0; i < paths.GetSize(); ++i)
        count += ParseColorTemplateFile(paths[i], templates);
    return count;
}

int LoadColorTemplates(ColorTemplateList& templates, const CString& kind)
{
    const CString folder
        = GetExeFolder() + (kind == L"TCT" ? L"\\Resource\\texturecolor_template\\" : L"\\Resource\\color_template\\");
    return LoadColorTemplatesFrom(templates, folder);
}

int LoadCtTemplatesFrom(ColorTemplateArrayList& arrays, const CString& folder)
{
    CStringArray paths;
    ListTemplateFiles(folder, L"*.ct", paths);
    for (INT_PTR i = 0; i < paths.GetSize(); ++i) {
        auto* array = new ColorTemplateArray;
        ReadColorTemplateFile(paths[i], array->m_templates);
        arrays.Add(array);
    }
    return static_cast<int>(paths.GetSize());
}

int LoadCtTemplates(ColorTemplateArrayList& arrays)
{
    return LoadCtTemplatesFrom(arrays, GetExeFolder() + L"\\Resource\\template\\");
}
