// The library's exports and language texts: in-process through the static
// core, and once through the built DLL loaded by name.
#include "MakerLang.h"
#include "Quorra.h"
#include "QuorraApp.h"

#include <gtest/gtest.h>

namespace {

template <class F> F Proc(HMODULE dll, const char* name)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(dll, name)));
}

TEST(QuorraExports, StoreWhatTheyAreGivenAndReturnIt)
{
    HWND fake = reinterpret_cast<HWND>(0x1234);
    EXPECT_EQ(SetMsgHandleWnd(fake), fake);
    EXPECT_EQ(TheQuorraApp().m_hMsgWnd, fake);
    SetMsgHandleWnd(nullptr);
    CDC dc;
    EXPECT_EQ(SetColorOutDC(&dc), &dc);
    EXPECT_EQ(TheQuorraApp().m_pColorOutDC, &dc);
    SetColorOutDC(nullptr);
    EXPECT_EQ(FennixSetLanguage(6), 6);
    EXPECT_EQ(TheQuorraApp().m_nLanguage, 6);
    FennixSetLanguage(2);
}

TEST(QuorraExports, OutputListAppendsBehindWhatTheArrayHeld)
{
    TheQuorraApp().m_outputFiles.RemoveAll();
    CStringArray list;
    list.Add(L"kept");
    EXPECT_EQ(GetOutPutFileList(&list), 0);
    EXPECT_EQ(list.GetSize(), 1);
    TheQuorraApp().m_outputFiles.Add(L"C:\\a.avi");
    TheQuorraApp().m_outputFiles.Add(L"C:\\b.avi");
    EXPECT_EQ(GetOutPutFileList(&list), 2);
    ASSERT_EQ(list.GetSize(), 3);
    EXPECT_EQ(list[0], L"kept");
    EXPECT_EQ(list[1], L"C:\\a.avi");
    EXPECT_EQ(list[2], L"C:\\b.avi");
    // A null list gets nothing and does not crash.
    EXPECT_EQ(GetOutPutFileList(nullptr), 2);
    TheQuorraApp().m_outputFiles.RemoveAll();
}

TEST(MakerLanguage, FilesByLanguageBesideTheProgram)
{
    CString folder = GetModuleFolder();
    EXPECT_NE(folder.Right(1), L"\\");
    struct Case {
        int language;
        LPCWSTR file;
    };
    const Case cases[] = { { 1, L"Eng.ini" }, { 2, L"Chs.ini" }, { 3, L"Cht.ini" }, { 4, L"French.ini" },
        { 6, L"Eng.ini" }, { 0, L"Eng.ini" } };
    for (const Case& c : cases)
        EXPECT_EQ(GetMakerLanguagePath(c.language), folder + L"\\Lang\\" + c.file) << c.language;
}

TEST(MakerLanguage, TextsComeFromTheLanguageFilesAndMissingOnesAreEmpty)
{
    EXPECT_EQ(GetMakerLangText(1, L"ITEM_TITLE", 101), L"Add");
    EXPECT_EQ(GetMakerLangText(6, L"ITEM_TITLE", 113), L"Stop Preview");
    EXPECT_EQ(GetMakerLangText(2, L"ITEM_TITLE", 108), L"预览");
    EXPECT_EQ(GetMakerLangText(3, L"SHOW", 5), L"至少添加兩種顏色");
    EXPECT_EQ(GetMakerLangText(4, L"ITEM_TITLE", 109), L"Exporter");
    EXPECT_TRUE(GetMakerLangText(1, L"ITEM_TITLE", 99999).IsEmpty());
    EXPECT_TRUE(GetMakerLangText(1, L"NO_SUCH_SECTION", 5).IsEmpty());
    FennixSetLanguage(1);
    EXPECT_EQ(GetMakerLangText(L"SHOW", 5), L"Add at least two colours");
    FennixSetLanguage(2);
}

TEST(QuorraDll, ExportsTheFiveCallsUndecorated)
{
    HMODULE dll = ::LoadLibraryW(L"Quorra.dll");
    ASSERT_NE(dll, nullptr);
    using SetLanguage = int(__stdcall*)(int);
    using GetList = int(__stdcall*)(CStringArray*);
    using SetWnd = HWND(__stdcall*)(HWND);
    auto setLanguage = Proc<SetLanguage>(dll, "FennixSetLanguage");
    auto getList = Proc<GetList>(dll, "GetOutPutFileList");
    auto setWnd = Proc<SetWnd>(dll, "SetMsgHandleWnd");
    EXPECT_NE(::GetProcAddress(dll, "SetColorOutDC"), nullptr);
    EXPECT_NE(::GetProcAddress(dll, "ShowMaker"), nullptr);
    ASSERT_NE(setLanguage, nullptr);
    ASSERT_NE(getList, nullptr);
    ASSERT_NE(setWnd, nullptr);
    EXPECT_EQ(setLanguage(3), 3);
    HWND fake = reinterpret_cast<HWND>(0x88);
    EXPECT_EQ(setWnd(fake), fake);
    CStringArray list;
    EXPECT_EQ(getList(&list), 0);
    EXPECT_EQ(list.GetSize(), 0);
    ::FreeLibrary(dll);
}

// Closes the maker's dialog by its caption once it is up; *p becomes 1.
DWORD WINAPI CloseMakerWhenUp(LPVOID p)
{
    for (int i = 0; i < 500; ++i) {
        if (HWND dlg = ::FindWindowW(nullptr, L"Fennix")) {
            ::InterlockedExchange(static_cast<volatile LONG*>(p), 1);
            ::PostMessageW(dlg, WM_CLOSE, 0, 0);
            return 0;
        }
        ::Sleep(10);
    }
    return 1;
}

TEST(QuorraDll, ShowMakerFindsItsDialogInTheLibraryAndReturnsWhenClosed)
{
    HMODULE dll = ::LoadLibraryW(L"Quorra.dll");
    ASSERT_NE(dll, nullptr);
    using Show = void(__stdcall*)();
    using GetList = int(__stdcall*)(CStringArray*);
    auto show = Proc<Show>(dll, "ShowMaker");
    auto getList = Proc<GetList>(dll, "GetOutPutFileList");
    ASSERT_NE(show, nullptr);
    // The library's dialog is outside the test's dialog hook: a watcher
    // thread closes it.
    volatile LONG seen = 0;
    HANDLE watcher = ::CreateThread(nullptr, 0, &CloseMakerWhenUp, const_cast<LONG*>(&seen), 0, nullptr);
    ASSERT_NE(watcher, nullptr);
    show();
    ::WaitForSingleObject(watcher, 10000);
    ::CloseHandle(watcher);
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(getList(nullptr), 0);
    ::FreeLibrary(dll);
}

} // namespace
