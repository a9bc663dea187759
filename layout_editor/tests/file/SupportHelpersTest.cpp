// The layout editor's support helpers: folders, the language file and its
// texts, folder listings, UTF-16 text files, the registry lookup and the
// settings-file write of the layout section.
#include "LayoutFileTestUtil.h"

#include "AppPaths.h"
#include "IniFile.h"
#include "LayoutFolders.h"
#include "LayoutLangText.h"
#include "MachineRegistry.h"
#include "TextFileW.h"

#include <algorithm>

namespace {

TEST(SupportHelpers, FoldersEndWithABackslash)
{
    const CString app = GetAppFolder();
    ASSERT_FALSE(app.IsEmpty());
    EXPECT_EQ(GetLogoFolder(), app + L"Logo\\");
    EXPECT_EQ(GetTFFolder(), app + L"TF\\");
    EXPECT_EQ(GetConfigFolder(), app + L"Config\\");
}

TEST(SupportHelpers, LanguageFileByLanguageId)
{
    const CString config = GetConfigFolder();
    const std::pair<int, const wchar_t*> rows[] = { { 1, L"Eng.ini" }, { 2, L"Chs.ini" }, { 3, L"Cht.ini" },
        { 4, L"French.ini" }, { 5, L"Eng.ini" }, { 6, L"Eng.ini" }, { -1, L"Eng.ini" } };
    for (const auto& [id, name] : rows)
        EXPECT_EQ(GetLanguageIniPath(id), config + name) << id;
}

TEST(SupportHelpers, LangTextReadsTheCurrentLanguagesFile)
{
    const CString file = GetLanguageIniPath(4);
    if (::GetFileAttributesW(file) != INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "a French language file is installed";
    ASSERT_TRUE(::WritePrivateProfileStringW(L"LAYOUT", L"168", L"Impossible d'ouvrir", file));
    const int previous = GetLangTextLanguage();
    SetLangTextLanguage(4);
    EXPECT_EQ(GetLangText(L"LAYOUT", 168), CString(L"Impossible d'ouvrir"));
    EXPECT_EQ(GetLangTextByKey(L"LAYOUT", L"168"), CString(L"Impossible d'ouvrir"));
    EXPECT_EQ(GetLangText(L"LAYOUT", 169), CString());
    EXPECT_EQ(GetLangText(L"TITLE", 168), CString());
    SetLangTextLanguage(previous);
    ::DeleteFileW(file);
    SetLangTextLanguage(4);
    EXPECT_EQ(GetLangText(L"LAYOUT", 168), CString()); // no file
    SetLangTextLanguage(previous);
}

class SupportFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder.Format(L"%slayoutfile_list_%lu", TempFolder().GetString(), ::GetCurrentProcessId());
        ::CreateDirectoryW(m_folder, nullptr);
        ::CreateDirectoryW(m_folder + L"\\sub", nullptr);
        for (const wchar_t* name : { L"a.lpx", L"b.txt", L"c" })
            WriteFileBytes(m_folder + L"\\" + name, { 1 });
    }
    void TearDown() override
    {
        for (const wchar_t* name : { L"a.lpx", L"b.txt", L"c" })
            ::DeleteFileW(m_folder + L"\\" + name);
        ::RemoveDirectoryW(m_folder + L"\\sub");
        ::RemoveDirectoryW(m_folder);
    }

    static std::vector<CString> Sorted(const CStringArray& names)
    {
        std::vector<CString> sorted(names.GetData(), names.GetData() + names.GetSize());
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    }

    CString m_folder;
};

TEST_F(SupportFolder, ListsFilesWithAndWithoutTheFinalBackslash)
{
    CStringArray plain;
    ListFolderFiles(plain, m_folder);
    CStringArray slashed;
    slashed.Add(L"kept");
    ListFolderFiles(slashed, m_folder + L"\\");
    const std::vector<CString> expected = { L"a.lpx", L"b.txt", L"c" };
    EXPECT_EQ(Sorted(plain), expected);
    ASSERT_EQ(slashed.GetSize(), 4); // appended to what was there
    EXPECT_EQ(slashed[0], CString(L"kept"));
    slashed.RemoveAt(0);
    EXPECT_EQ(Sorted(slashed), expected);

    CStringArray none;
    ListFolderFiles(none, m_folder + L"\\no_such_folder");
    EXPECT_EQ(none.GetSize(), 0);
}

TEST_F(SupportFolder, TextFileWritesTheMarkOnceAndReadsLinesBack)
{
    const CString path = m_folder + L"\\c";
    {
        CTextFileW file;
        ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite | CTextFileW::modeWriteUnicode));
        file.WriteString(L"abc\r\n");
        file.WriteString(L"\x4E2D\x6587 line\r\n");
        file.WriteString(L"no end");
        file.Close();
    }
    const std::vector<BYTE> bytes = FileBytes(path);
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    EXPECT_EQ(bytes[2], 'a');
    EXPECT_EQ(bytes[3], 0);
    EXPECT_EQ(bytes.size(), 2 + 2 * (5 + 9 + 6)); // one mark, no line-end conversion
    EXPECT_TRUE(IsFileUnicode(path));

    CTextFileW file;
    ASSERT_TRUE(file.Open(path, CFile::modeRead | CFile::typeText));
    EXPECT_TRUE(file.IsUnicode());
    EXPECT_NE(file.GetOpenFlags() & CFile::typeBinary, 0u);
    CString line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, CString(L"abc"));
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, CString(L"\x4E2D\x6587 line"));
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, CString(L"no end"));
    EXPECT_FALSE(file.ReadString(line));
}

TEST_F(SupportFolder, AnsiTextFilesReadAndWriteThroughTheCodePage)
{
    const CString path = m_folder + L"\\b.txt";
    {
        CTextFileW file;
        ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeText));
        file.WriteString(L"one\r\r\n");
        file.WriteString(L"two\n");
        file.WriteString(L"three");
    }
    EXPECT_EQ(FileBytes(path).size(), 6u + 4u + 5u); // written as given
    EXPECT_FALSE(IsFileUnicode(path));
    CTextFileW file;
    ASSERT_TRUE(file.Open(path, CFile::modeRead | CFile::typeText));
    EXPECT_FALSE(file.IsUnicode());
    CString line;
    const wchar_t* expected[] = { L"one", L"two", L"three" };
    for (const wchar_t* text : expected) {
        ASSERT_TRUE(file.ReadString(line));
        EXPECT_EQ(line, CString(text));
    }
    EXPECT_FALSE(file.ReadString(line));
    EXPECT_FALSE(IsFileUnicode(m_folder + L"\\missing.txt"));
    CTextFileW missing;
    CFileException error;
    EXPECT_FALSE(missing.Open(m_folder + L"\\missing.txt", CFile::modeRead | CFile::typeText, &error));
}

TEST(SupportHelpers, WideToCodePageUsesTheDefaultCharacter)
{
    ASSERT_EQ(::GetACP(), 1252u);
    char buffer[16] = {};
    EXPECT_EQ(WideToCodePage(-1,
                  L"a\x4E2D"
                  L"b",
                  buffer, sizeof(buffer)),
        3);
    EXPECT_STREQ(buffer, "a#b");
    EXPECT_EQ(WideToCodePage(CP_UTF8, L"\x4E2D", buffer, sizeof(buffer)), 3);
    EXPECT_EQ(WideToCodePage(-1, nullptr, buffer, sizeof(buffer)), 0);
    EXPECT_EQ(WideToCodePage(-1, L"abc", nullptr, 4), 0);
    EXPECT_EQ(WideToCodePage(-1, L"abcdef", buffer, 3), 0); // does not fit
}

TEST(SupportHelpers, MachineRegistryValues)
{
    CString result = L"untouched";
    EXPECT_EQ(ReadMachineRegString(L"SOFTWARE\\No\\Such\\Key\\Here", L"x", result), kRegNoKey);
    EXPECT_EQ(result, CString(L"untouched"));
    EXPECT_EQ(
        ReadMachineRegString(L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", L"NoSuchValue", result), kRegNoValue);
    EXPECT_EQ(result, CString(L"untouched"));
    ASSERT_EQ(ReadMachineRegString(L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", L"CurrentVersion", result),
        kRegValueRead);
    EXPECT_FALSE(result.IsEmpty());
    EXPECT_NE(result, CString(L"untouched"));
}

TEST(SupportHelpers, IniWritesTheLayoutSectionCutAt1023Characters)
{
    CTempPath path(L"ini");
    CINI unbound;
    EXPECT_FALSE(unbound.WriteLayoutString(L"v", L"k"));
    CINI ini;
    ASSERT_TRUE(ini.SetPath(path.Path()));
    EXPECT_TRUE(ini.WriteLayoutString(L"value", L"key"));
    EXPECT_TRUE(ini.WriteLayoutString(CString(L'x', 1500), L"long"));
    WCHAR text[2048] = {};
    ::GetPrivateProfileStringW(L"Layout", L"key", L"", text, 2048, path.Path());
    EXPECT_STREQ(text, L"value");
    EXPECT_EQ(::GetPrivateProfileStringW(L"Layout", L"long", L"", text, 2048, path.Path()), 1023u);
    // A path that does not fit the wrapper is refused, not cut.
    EXPECT_FALSE(ini.SetPath(CString(L'p', CINI::kPathCapacity)));
    EXPECT_FALSE(ini.WriteLayoutString(L"v", L"k"));
}

} // namespace
