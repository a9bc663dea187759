// Folder functions: the program folder with a trailing backslash, and the
// Config folder and chip database beside it.
#include <gtest/gtest.h>

#include "AppPaths.h"

TEST(AppPaths, FoldersOfTheRunningProgram)
{
    WCHAR module[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, module, MAX_PATH);
    CString expected(module);
    expected = expected.Left(expected.ReverseFind(L'\\') + 1);

    const CString app = GetAppFolder();
    EXPECT_EQ(app, expected);
    EXPECT_EQ(app[app.GetLength() - 1], L'\\');
    EXPECT_EQ(GetConfigFolder(), app + L"Config\\");
    EXPECT_EQ(GetChipIniPath(), app + L"Config\\Chip.ini");
    // The build lays out the program folder with its Config folder.
    EXPECT_NE(::GetFileAttributesW(GetConfigFolder()), INVALID_FILE_ATTRIBUTES);
}
