// CINI: reads with write-back of defaults, single-precision reals, strings,
// writes, and refusal of a path that does not fit.
#include <gtest/gtest.h>

#include "IniFile.h"

#include <string>

namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WCHAR temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        path.Format(L"%sini_test_%lu_%lu.ini", temp, ::GetCurrentProcessId(), ::GetTickCount());
        WriteFile("[S]\r\nInt=42\r\nNeg=-7\r\nReal=0.1\r\nText=hello world\r\nEmpty=\r\nJunk=12abc\r\n");
        ASSERT_TRUE(ini.SetPath(path));
    }
    void TearDown() override { ::DeleteFileW(path); }

    void WriteFile(const char* text)
    {
        HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        ::WriteFile(file, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
        ::CloseHandle(file);
    }
    CString Raw(LPCWSTR key)
    {
        WCHAR text[256] = {};
        ::GetPrivateProfileStringW(L"S", key, L"<none>", text, 256, path);
        return text;
    }

    CString path;
    CINI ini;
};

TEST_F(IniFileTest, GetIntReadsOrWritesTheDefaultBack)
{
    EXPECT_EQ(ini.GetInt(L"S", L"Int", 5), 42);
    EXPECT_EQ(ini.GetInt(L"S", L"Neg", 5), -7);
    EXPECT_EQ(ini.GetInt(L"S", L"Junk", 5), 12);
    EXPECT_EQ(Raw(L"Missing"), CString(L"<none>"));
    EXPECT_EQ(ini.GetInt(L"S", L"Missing", 9), 9);
    EXPECT_EQ(Raw(L"Missing"), CString(L"9"));
    EXPECT_EQ(ini.GetInt(L"S", L"Missing", 1), 9); // a second read finds it
    EXPECT_EQ(ini.GetInt(L"S", L"Empty", -3), -3);
    EXPECT_EQ(Raw(L"Empty"), CString(L"-3"));
}

TEST_F(IniFileTest, GetDoubleRoundsToSinglePrecision)
{
    EXPECT_EQ(ini.GetDouble(L"S", L"Real", 1.0), static_cast<double>(0.1f));
    EXPECT_NE(ini.GetDouble(L"S", L"Real", 1.0), 0.1);
    EXPECT_EQ(ini.GetDouble(L"S", L"Int", 1.0), 42.0);
    // A missing key: the default is written with six decimals and returned as given.
    EXPECT_EQ(ini.GetDouble(L"S", L"Gamma", 2.2), 2.2);
    EXPECT_EQ(Raw(L"Gamma"), CString(L"2.200000"));
    EXPECT_EQ(ini.GetDouble(L"S", L"Gamma", 9.0), static_cast<double>(2.2f));
}

TEST_F(IniFileTest, GetStringLeavesTheOutputAloneWhenMissingOrEmpty)
{
    CString value = L"keep";
    EXPECT_TRUE(ini.GetString(L"S", L"Text", value));
    EXPECT_EQ(value, CString(L"hello world"));
    value = L"keep";
    EXPECT_FALSE(ini.GetString(L"S", L"Empty", value));
    EXPECT_FALSE(ini.GetString(L"S", L"Missing", value));
    EXPECT_FALSE(ini.GetString(L"Nope", L"Text", value));
    EXPECT_EQ(value, CString(L"keep"));
    EXPECT_EQ(Raw(L"Missing"), CString(L"<none>")); // strings are never written back
}

TEST_F(IniFileTest, LongTextsAreCutTo2047Characters)
{
    const std::string longText(3000, 'q');
    WriteFile(("[S]\r\nLong=" + longText + "\r\n").c_str());
    CString value;
    ASSERT_TRUE(ini.GetString(L"S", L"Long", value));
    EXPECT_EQ(value.GetLength(), 2047);
    EXPECT_EQ(value, CString(L'q', 2047));
}

TEST_F(IniFileTest, Writes)
{
    EXPECT_TRUE(ini.WriteInt(L"S", L"W", -12));
    EXPECT_EQ(Raw(L"W"), CString(L"-12"));
    EXPECT_TRUE(ini.WriteDouble(L"S", L"D", 0.5));
    EXPECT_EQ(Raw(L"D"), CString(L"0.500000"));
    EXPECT_TRUE(ini.WriteDouble(L"S", L"Big", 1e300)); // a long "%f" text still fits
    EXPECT_EQ(Raw(L"Big").Left(4), CString(L"1000"));
}

TEST_F(IniFileTest, WithoutAPathNothingIsReadOrWritten)
{
    CINI unbound;
    EXPECT_FALSE(unbound.HasPath());
    CString value = L"keep";
    EXPECT_FALSE(unbound.GetString(L"S", L"Text", value));
    EXPECT_EQ(unbound.GetInt(L"S", L"Int", 5), 5);
    EXPECT_EQ(unbound.GetDouble(L"S", L"Real", 1.5), 1.5);
    EXPECT_FALSE(unbound.WriteInt(L"S", L"Int", 1));
    EXPECT_FALSE(unbound.WriteDouble(L"S", L"Real", 1.0));
}

TEST_F(IniFileTest, APathThatDoesNotFitIsRefused)
{
    std::wstring longest(CINI::kPathCapacity - 1, L'x');
    CINI fits;
    EXPECT_TRUE(fits.SetPath(longest.c_str()));
    EXPECT_EQ(std::wstring(fits.GetPath()), longest);

    CINI oneTooMany;
    EXPECT_FALSE(oneTooMany.SetPath((longest + L"x").c_str()));
    EXPECT_FALSE(oneTooMany.HasPath());

    const std::wstring tooLong = path.GetString() + std::wstring(CINI::kPathCapacity, L'y');
    EXPECT_FALSE(ini.SetPath(tooLong.c_str()));
    EXPECT_FALSE(ini.HasPath());
    // The refused wrapper touches no file, not even a cut-off one.
    EXPECT_EQ(ini.GetInt(L"S", L"Int", 5), 5);
    EXPECT_FALSE(ini.SetPath(nullptr));
    EXPECT_TRUE(ini.SetPath(path));
    EXPECT_EQ(ini.GetInt(L"S", L"Int", 5), 42);
}

} // namespace
