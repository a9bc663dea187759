// Loads Reelcore.dll by name at run time, binds the exports by their plain
// names and unloads the library with videos still open: the library closes
// them itself and can be loaded again. A helper program ends its process
// with videos playing: the library must not wait for their dead threads.
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace clipgen;

namespace {

using OpenFn = int(__stdcall*)(LPCWSTR, HDC, int, int, int, int, int, int, int, int);
using HandleFn = int(__stdcall*)(int);
using CloseFn = void(__stdcall*)(int);

template <typename Fn> Fn Bind(HMODULE module, const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

struct CLibrary {
    HMODULE module = LoadLibraryW(L"Reelcore.dll");
    OpenFn open = Bind<OpenFn>(module, "FFmpegFileOpen");
    HandleFn forward = Bind<HandleFn>(module, "FFmpegFileForward");
    HandleFn frame = Bind<HandleFn>(module, "FFmpegFileGetFrame");
    CloseFn close = Bind<CloseFn>(module, "FFmpegFileClose");
};

TEST(ReelcoreUnload, UnloadingWithOpenVideosClosesThemAndTheLibraryLoadsAgain)
{
    CTempFolder folder;
    const std::wstring path = folder.File(L"clip.avi");
    ASSERT_TRUE(WriteFileBytes(path, FlatRawAvi(32, 32, 10, 25)));
    CCanvas canvas(32, 32);

    for (int round = 0; round < 3; ++round) {
        CLibrary lib;
        ASSERT_NE(lib.module, nullptr);
        ASSERT_NE(lib.open, nullptr);
        ASSERT_NE(lib.forward, nullptr);
        ASSERT_NE(lib.frame, nullptr);
        ASSERT_NE(lib.close, nullptr);
        const int a = lib.open(path.c_str(), canvas.DC(), 0, 0, 32, 32, 0, 0, 0, 0);
        const int b = lib.open(path.c_str(), canvas.DC(), 0, 0, 32, 32, 0, 0, 0, 0);
        ASSERT_GT(a, 0);
        ASSERT_GT(b, 0);
        lib.forward(a);
        lib.forward(a);
        EXPECT_EQ(lib.frame(a), 2);
        EXPECT_EQ(FrameIndexOf(canvas.At(5, 5)), 1);
        // a stays open, its thread waiting, when the library goes.
        lib.close(b);
        EXPECT_TRUE(FreeLibrary(lib.module));
        EXPECT_EQ(GetModuleHandleW(L"Reelcore.dll"), nullptr) << "round " << round;
    }
}

std::wstring BesideThisProgram(const wchar_t* name)
{
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L'\\') + 1);
    return folder + name;
}

TEST(ReelcoreUnload, ProcessEndingWithVideosPlayingEndsPromptlyWithItsExitCode)
{
    CTempFolder folder;
    const std::wstring clip = folder.File(L"clip.avi");
    ASSERT_TRUE(WriteFileBytes(clip, FlatRawAvi(32, 32, 40, 25)));
    const std::wstring probe = BesideThisProgram(L"reelcore_exit_probe.exe");

    for (int round = 0; round < 3; ++round) {
        std::wstring commandLine = L"\"" + probe + L"\" \"" + clip + L"\"";
        STARTUPINFOW startup {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process {};
        ASSERT_TRUE(CreateProcessW(
            probe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
        const DWORD waited = WaitForSingleObject(process.hProcess, 30000);
        DWORD exitCode = 0;
        GetExitCodeProcess(process.hProcess, &exitCode);
        if (waited != WAIT_OBJECT_0)
            TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        ASSERT_EQ(waited, WAIT_OBJECT_0) << "the process did not end, round " << round;
        EXPECT_EQ(exitCode, 7u) << "round " << round;
    }
}

} // namespace
