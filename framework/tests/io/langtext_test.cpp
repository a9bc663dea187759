// The shared language-text reader: texts found, and every lookup that finds
// nothing recorded once, in memory and in the log file the environment names.
#include <gtest/gtest.h>

#include "fw_langtext.h"
#include "fw_temp_folder.h"

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

// A UTF-16LE language file like the shipped ones.
void WriteUtf16File(const CString& path, const wchar_t* text)
{
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    const wchar_t bom = 0xFEFF;
    file.Write(&bom, sizeof(bom));
    file.Write(text, static_cast<UINT>(wcslen(text) * sizeof(wchar_t)));
}

std::string ReadBytes(const CString& path)
{
    std::ifstream in(path.GetString(), std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

} // namespace

TEST(LangText, FoundTextsAreReturnedAndNotRecorded)
{
    fwtest::CTempFolder folder(L"langtext");
    const CString path = folder.File(L"Eng.ini");
    WriteUtf16File(path, L"[HINT]\r\n3=Done\r\n12=\u6587\u4ef6\r\n");
    AfxClearLangTextMisses();
    EXPECT_EQ(AfxReadLangText(path, L"HINT", 3), L"Done");
    EXPECT_EQ(AfxReadLangText(path, L"HINT", L"12"), L"\u6587\u4ef6");
    EXPECT_TRUE(AfxGetLangTextMisses().empty());
}

TEST(LangText, EveryKindOfMissIsRecordedOnceInOrder)
{
    fwtest::CTempFolder folder(L"langtext");
    const CString path = folder.File(L"Lang\\Eng.ini");
    ::CreateDirectoryW(folder.File(L"Lang"), nullptr);
    WriteUtf16File(path, L"[HINT]\r\n3=Done\r\n4=\r\n");
    AfxClearLangTextMisses();
    struct Case {
        CString path;
        LPCWSTR section;
        LPCWSTR key;
    };
    const Case cases[] = {
        { path, L"HINT", L"5" }, // key missing
        { path, L"HINT", L"4" }, // value empty
        { path, L"SHOW", L"3" }, // section missing
        { folder.File(L"Lang\\Korean.ini"), L"HINT", L"3" }, // file missing
        { path, L"HINT", L"5" }, // the same miss again
    };
    for (const Case& c : cases)
        EXPECT_TRUE(AfxReadLangText(c.path, c.section, c.key).IsEmpty()) << c.section << " " << c.key;
    const auto misses = AfxGetLangTextMisses();
    ASSERT_EQ(misses.size(), 4u);
    EXPECT_EQ(misses[0].strFile, L"Lang\\Eng.ini");
    EXPECT_EQ(misses[0].strSection, L"HINT");
    EXPECT_EQ(misses[0].strKey, L"5");
    EXPECT_EQ(misses[1].strKey, L"4");
    EXPECT_EQ(misses[2].strSection, L"SHOW");
    EXPECT_EQ(misses[3].strFile, L"Lang\\Korean.ini");
    EXPECT_EQ(misses[3].strPath, folder.File(L"Lang\\Korean.ini"));
    AfxClearLangTextMisses();
    EXPECT_TRUE(AfxGetLangTextMisses().empty());
}

TEST(LangText, MissesGoToTheLogTheEnvironmentNames)
{
    fwtest::CTempFolder folder(L"langtext");
    const CString path = folder.File(L"Config\\Chs.ini");
    ::CreateDirectoryW(folder.File(L"Config"), nullptr);
    WriteUtf16File(path, L"[SHOW]\r\n3=x\r\n");
    const CString log = folder.File(L"misses.txt");
    ::SetEnvironmentVariableW(L"LEDSUITE_LANG_MISS_LOG", log);
    AfxClearLangTextMisses();
    AfxReadLangText(path, L"SHOW", 3);
    AfxReadLangText(path, L"SHOW", 49);
    AfxReadLangText(path, L"TITLE", L"118");
    AfxReadLangText(path, L"SHOW", 49);
    ::SetEnvironmentVariableW(L"LEDSUITE_LANG_MISS_LOG", nullptr);
    AfxReadLangText(path, L"SHOW", 50);
    char where[MAX_PATH * 3] = "";
    ::WideCharToMultiByte(CP_UTF8, 0, path, -1, where, sizeof(where), nullptr, nullptr);
    EXPECT_EQ(ReadBytes(log),
        std::string("Config\\Chs.ini\tSHOW\t49\t") + where + "\r\nConfig\\Chs.ini\tTITLE\t118\t" + where + "\r\n");
    AfxClearLangTextMisses();
}

TEST(LangText, NumbersFillTheMarksInOrderAndNothingElse)
{
    EXPECT_EQ(AfxLangTextWithNumbers(L"needs %d, has %d", { 5, 2 }), CString(L"needs 5, has 2"));
    EXPECT_EQ(AfxLangTextWithNumbers(L"%d%d", { -1, 2147483647 }), CString(L"-12147483647"));
    EXPECT_EQ(AfxLangTextWithNumbers(L"only %d", { 1, 2 }), CString(L"only 1")); // more values than marks
    EXPECT_EQ(AfxLangTextWithNumbers(L"%d and %d", { 7 }), CString(L"7 and %d")); // more marks than values
    // Other signs stay text: the text is never a format.
    EXPECT_EQ(AfxLangTextWithNumbers(L"100%% %s %x %d", { 3 }), CString(L"100%% %s %x 3"));
    EXPECT_EQ(AfxLangTextWithNumbers(L"", { 1 }), CString());
    EXPECT_EQ(AfxLangTextWithNumbers(L"%", { 1 }), CString(L"%"));
}
