// Files of the layout benchmarks: a path in the temporary folder that no
// other run uses, and the view the layout file reader restores into.
#pragma once

#include <windows.h>

#include <afx.h>

#include "EditorSettings.h"
#include "LayoutFile.h"

// "<temp>\<prefix>_<name>_<process id><ending>".
inline CString BenchTempPath(const wchar_t* prefix, const wchar_t* name, const wchar_t* ending = L"")
{
    WCHAR folder[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, folder);
    CString path;
    path.Format(L"%s%s_%s_%lu%s", folder, prefix, name, ::GetCurrentProcessId(), ending);
    return path;
}

// What the file reader restores besides the model.
class CBenchLayoutView : public ILayoutFileView {
public:
    CLayoutProjectSettings& GetLayoutSettings() override { return m_settings; }
    void ResizeLayout(int width, int height) override
    {
        LayoutWidth = width;
        LayoutHeight = height;
    }
    CLayoutProjectSettings m_settings;
};
