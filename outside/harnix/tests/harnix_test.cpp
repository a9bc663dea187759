// The tool library stand-in: CardwellOpen starts the card copying tool from
// the program folder on the output folder, watched through the UI host's
// process start; nothing is started for a folder that is not there.
#include "CardwellLaunch.h"
#include "Harnix.h"
#include "fw_testing.h"

#include <gtest/gtest.h>

namespace {

CString ExeFolder()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString folder(path);
    return folder.Left(folder.ReverseFind(L'\\') + 1);
}

// A fresh folder with a space in its name, removed afterwards.
class CShowFolder {
public:
    CShowFolder()
    {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        m_path.Format(L"%sharnix out %lu", temp, ::GetCurrentProcessId());
        ::CreateDirectoryW(m_path, nullptr);
    }
    ~CShowFolder() { ::RemoveDirectoryW(m_path); }
    const CString& Path() const { return m_path; }

private:
    CString m_path;
};

TEST(Harnix, CardwellStartsFromTheProgramFolderOnTheOutputFolder)
{
    CShowFolder out;
    fwtest::CScriptedUiHost host;
    host.ExpectProcess(0);
    EXPECT_TRUE(StartCardwell(out.Path()));
    EXPECT_EQ(host.PendingCount(), 0u);
    const CProcessRequest& started = host.m_lastProcess;
    EXPECT_EQ(started.strFile, ExeFolder() + L"Cardwell.exe");
    EXPECT_EQ(started.strFile, CardwellPath());
    EXPECT_EQ(started.strParameters, L"\"" + out.Path() + L"\"");
    EXPECT_FALSE(started.bHidden);
    EXPECT_FALSE(started.bWait);

    // A trailing backslash would escape the closing quote.
    host.ExpectProcess(0);
    EXPECT_TRUE(StartCardwell(out.Path() + L"\\"));
    EXPECT_EQ(host.m_lastProcess.strParameters, L"\"" + out.Path() + L"\"");

    // A tool that does not start is reported.
    host.ExpectProcess(0, FALSE);
    EXPECT_FALSE(StartCardwell(out.Path()));
    EXPECT_EQ(host.PendingCount(), 0u);
}

TEST(Harnix, NothingStartsWithoutAFolder)
{
    fwtest::CScriptedUiHost host;
    EXPECT_FALSE(StartCardwell(CString()));
    EXPECT_FALSE(StartCardwell(L"Z:\\no such folder"));
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    EXPECT_FALSE(StartCardwell(self)) << "a file is not a folder";
    EXPECT_TRUE(host.Transcript().empty());

    // The library's export, as the show editor binds it by name.
    HMODULE library = ::LoadLibraryW(L"Harnix.dll");
    ASSERT_NE(library, nullptr);
    using Fn = int(__stdcall*)(LPCWSTR);
    auto open = reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(library, "CardwellOpen")));
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open(nullptr), 0);
    EXPECT_EQ(open(L"Z:\\no such folder"), 0);
    ::FreeLibrary(library);
}

} // namespace
