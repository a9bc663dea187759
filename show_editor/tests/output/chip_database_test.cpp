// The chip database: categories and command ids of the chip menu, the
// gapless numbering, the search keys, write-back of missing keys, and
// applying a chip to the page values and the configuration.
#include <gtest/gtest.h>

#include "ChipDatabase.h"
#include "ChipSectionIndex.h"
#include "ConfigFile.h"
#include "HardwareConfig.h"
#include "temp_folder.h"

#include <cmath>
#include <string>

namespace {

void WriteText(const CString& path, const char* text)
{
    HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
    ::CloseHandle(file);
}

std::string ReadText(const CString& path)
{
    std::string text;
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return text;
    char buffer[65536];
    DWORD read = 0;
    ::ReadFile(file, buffer, sizeof(buffer), &read, nullptr);
    ::CloseHandle(file);
    return std::string(buffer, read);
}

class ChipDatabaseTest : public ::testing::Test {
protected:
    CTempTestFolder folder { L"chipdb" };
    CString path = folder.File(L"Chip.ini");

    CChipDatabase db;

    void Load(const char* text)
    {
        WriteText(path, text);
        db.Open(path);
    }
};

const char kUcsTm[] = "[CHIPS]\r\n1=UCS\r\n2=TM\r\n"
                      "[UCS_1]\r\nName=UCS9812\r\n"
                      "[TM_1]\r\nName=TM1814\r\n"
                      "[TM_2]\r\nName=TM1829\r\n";

TEST_F(ChipDatabaseTest, MenuOfCategoriesWithCommandsFrom9001)
{
    WriteText(path, kUcsTm);
    ASSERT_TRUE(db.Open(path));
    const std::vector<ChipMenuCategory> menu = db.BuildMenu();
    ASSERT_EQ(menu.size(), 2u);
    EXPECT_EQ(menu[0].name, CString(L"UCS"));
    ASSERT_EQ(menu[0].chips.size(), 1u);
    EXPECT_EQ(menu[0].chips[0].commandId, 0x9001u);
    EXPECT_EQ(menu[0].chips[0].name, CString(L"UCS9812"));
    EXPECT_EQ(menu[1].name, CString(L"TM"));
    ASSERT_EQ(menu[1].chips.size(), 2u);
    EXPECT_EQ(menu[1].chips[0].commandId, 0x9002u);
    EXPECT_EQ(menu[1].chips[0].name, CString(L"TM1814"));
    EXPECT_EQ(menu[1].chips[1].commandId, 0x9003u);
    EXPECT_EQ(menu[1].chips[1].name, CString(L"TM1829"));

    CString name;
    EXPECT_TRUE(CChipDatabase::FindCommand(menu, 0x9003, name));
    EXPECT_EQ(name, CString(L"TM1829"));
    EXPECT_FALSE(CChipDatabase::FindCommand(menu, 0x9004, name));
    EXPECT_FALSE(CChipDatabase::FindCommand(menu, 0x9000, name));
}

TEST_F(ChipDatabaseTest, AGapEndsTheCategory)
{
    Load("[CHIPS]\r\nA=TM\r\nB=DMX\r\n"
         "[TM_1]\r\nName=TM1814\r\n"
         "[TM_3]\r\nName=TM1914\r\n"
         "[DMX_1]\r\nName=DMX512\r\n"
         "[DMX_2]\r\nName=\r\n"
         "[DMX_3]\r\nName=UCS512\r\n");
    const std::vector<ChipMenuCategory> menu = db.BuildMenu();
    ASSERT_EQ(menu.size(), 2u);
    ASSERT_EQ(menu[0].chips.size(), 1u);
    EXPECT_EQ(menu[0].chips[0].name, CString(L"TM1814"));
    ASSERT_EQ(menu[1].chips.size(), 1u); // an empty Name ends the list too
    EXPECT_EQ(menu[1].chips[0].commandId, 0x9002u);

    ChipParams params;
    BOOL isOE = 0;
    EXPECT_FALSE(db.ReadChip(L"TM1914", params, isOE));
}

TEST_F(ChipDatabaseTest, CategoryLinesWithoutEqualsOrValueAreIgnored)
{
    Load("[CHIPS]\r\njunk\r\n1=\r\n2=TM\r\n[TM_1]\r\nName=TM1814\r\n");
    const std::vector<CString> categories = db.ReadCategories();
    ASSERT_EQ(categories.size(), 1u);
    EXPECT_EQ(categories[0], CString(L"TM"));
}

TEST_F(ChipDatabaseTest, NoCategoriesMeansNoMenu)
{
    CChipDatabase missing;
    EXPECT_FALSE(missing.Open(folder.File(L"none.ini")));
    EXPECT_FALSE(missing.IsBound());
    EXPECT_TRUE(missing.BuildMenu().empty());

    WriteText(path, kUcsTm);
    const CString tooLong = path + CString(L'x', CINI::kPathCapacity);
    CChipDatabase refused;
    EXPECT_FALSE(refused.Open(tooLong));
    EXPECT_FALSE(refused.IsBound());
    EXPECT_TRUE(refused.ReadCategories().empty());

    Load("[TM_1]\r\nName=TM1814\r\n");
    EXPECT_FALSE(db.IsBound());
    EXPECT_TRUE(db.BuildMenu().empty());
    ChipParams params;
    BOOL isOE = 0;
    EXPECT_FALSE(db.ReadChip(L"TM1814", params, isOE));
}

TEST_F(ChipDatabaseTest, SearchKeys)
{
    const wchar_t* dmx[] = { L"UCS512", L"PC/RC-S", L"RC-Y", L"MY7221", L"TM512", L"DMX512-A2", L"SM16512", L"BDW512",
        L"MS512", L"UCS512C", L"SM16511", L"QV-SLX15", L"QV-SLX16", L"QV-VTM16", L"UCS512C4" };
    for (const wchar_t* chip : dmx)
        EXPECT_EQ(CChipDatabase::SearchText(chip), CString(L"DMX")) << CStringA(chip).GetString();
    for (const wchar_t* chip : { L"P9813", L"P9823", L"P9883" })
        EXPECT_EQ(CChipDatabase::SearchText(chip), CString(L"DMS"));
    for (const wchar_t* chip : { L"SM16736", L"DMX512AP", L"YD-V", L"ucs512" })
        EXPECT_EQ(CChipDatabase::SearchText(chip), CString(chip));
}

TEST_F(ChipDatabaseTest, ChipsAreSearchedOnlyInMatchingCategories)
{
    Load("[CHIPS]\r\n1=MY\r\n2=DMX\r\n3=SM\r\n4=DMS\r\n"
         "[MY_1]\r\nName=MY7221\r\nCode=11\r\n"
         "[MY_2]\r\nName=MY9221\r\nCode=12\r\n"
         "[DMX_1]\r\nName=MY7221\r\nCode=21\r\n"
         "[SM_1]\r\nName=SM16736\r\nCode=31\r\n"
         "[SM_2]\r\nName=P9813\r\nCode=32\r\n"
         "[DMS_1]\r\nName=P9813\r\nCode=41\r\n");
    ChipParams params;
    BOOL isOE = 0;
    ASSERT_TRUE(db.ReadChip(L"MY7221", params, isOE));
    EXPECT_EQ(params.Code, 21); // "MY" does not occur in "DMX"
    ASSERT_TRUE(db.ReadChip(L"MY9221", params, isOE));
    EXPECT_EQ(params.Code, 12); // a category passes on when it lacks the chip
    ASSERT_TRUE(db.ReadChip(L"SM16736", params, isOE));
    EXPECT_EQ(params.Code, 31);
    ASSERT_TRUE(db.ReadChip(L"P9813", params, isOE));
    EXPECT_EQ(params.Code, 41);
    EXPECT_FALSE(db.ReadChip(L"my9221", params, isOE)); // names compare exactly
}

TEST_F(ChipDatabaseTest, MissingKeysAreWrittenBackWithTheirDefaults)
{
    Load("[CHIPS]\r\n1=TM\r\n[TM_1]\r\nName=TM1814\r\nCode=7\r\nGray=256\r\n");
    ChipParams params;
    BOOL isOE = 1;
    ASSERT_TRUE(db.ReadChip(L"TM1814", params, isOE));
    EXPECT_EQ(params.ChipName, CString(L"TM1814"));
    EXPECT_EQ(params.Code, 7);
    EXPECT_EQ(params.Gray, 256u);
    EXPECT_EQ(params.ChipChannel, 3u);
    EXPECT_EQ(params.Channels, 2048u);
    EXPECT_EQ(params.Clock, 5.0);
    EXPECT_EQ(params.GammaVal, 2.2);
    EXPECT_EQ(params.ClkDuty, 50);
    EXPECT_EQ(params.ChipBits, 24);
    EXPECT_EQ(params.AddTime, 24u);
    EXPECT_EQ(params.GrayLock, 1);
    EXPECT_EQ(params.ChannelsLock, 0);
    EXPECT_EQ(params.PwmClock, 75.0 / 7.0);
    EXPECT_EQ(isOE, 0);

    EXPECT_EQ(::GetPrivateProfileIntW(L"TM_1", L"ChipChannel", -1, path), 3u);
    WCHAR text[64];
    ::GetPrivateProfileStringW(L"TM_1", L"Clock", L"", text, 64, path);
    EXPECT_EQ(CString(text), CString(L"5.000000"));
    ::GetPrivateProfileStringW(L"TM_1", L"GammaVal", L"", text, 64, path);
    EXPECT_EQ(CString(text), CString(L"2.200000"));
    EXPECT_EQ(::GetPrivateProfileIntW(L"TM_1", L"IsOE", -1, path), 0u);

    // Now complete, a second read writes nothing and reads reals as floats.
    const std::string before = ReadText(path);
    ASSERT_TRUE(db.ReadChip(L"TM1814", params, isOE));
    EXPECT_EQ(ReadText(path), before);
    EXPECT_EQ(params.GammaVal, static_cast<double>(2.2f));
}

TEST_F(ChipDatabaseTest, CodeFallsBackToTheName)
{
    Load("[CHIPS]\r\n1=9\r\n[9_1]\r\nName=9813\r\n[9_2]\r\nName=P9\r\nCode=\r\n");
    ChipParams params;
    BOOL isOE = 0;
    ASSERT_TRUE(db.ReadChip(L"9813", params, isOE));
    EXPECT_EQ(params.Code, 9813);
    ASSERT_TRUE(db.ReadChip(L"P9", params, isOE));
    EXPECT_EQ(params.Code, 0); // a name that begins with a letter
}

TEST_F(ChipDatabaseTest, ChipWithoutChannelsIsRefused)
{
    Load("[CHIPS]\r\n1=TM\r\n[TM_1]\r\nName=TM1814\r\nChipChannel=0\r\n");
    ChipParams params;
    params.Code = 99;
    BOOL isOE = 0;
    EXPECT_FALSE(db.ReadChip(L"TM1814", params, isOE));
    EXPECT_EQ(params.Code, 99);
}

TEST_F(ChipDatabaseTest, ApplyingAChip)
{
    Load("[CHIPS]\r\n1=UCS\r\n[UCS_1]\r\nName=UCS5603\r\nChannels=2048\r\nChipChannel=3\r\n"
         "Clock=5\r\nChipBits=24\r\nAddTime=24\r\n");
    ChipPageValues page;
    page.AutoRefresh = 0;
    page.RefreshRate = 10.0;
    page.Ucs5603HighCurrent = 1;
    page.OePeriodSel = 4;
    page.FirstClockEntry = L"7.50MHz";
    page.LowGrayFilterSel = 5;
    page.ColourCountSel = 1;
    HardwareConfig config;
    config.CurrentA = 1;
    config.Ucs9812Currents[3] = 2;
    config.ChipCurrents[0] = 3;
    config.GclkIndex = 1;
    const CString chipNameBefore = config.ChipName;
    ASSERT_TRUE(ApplyChipToPage(db, L"UCS5603", page, config));

    EXPECT_EQ(page.params.ChipName, CString(L"UCS5603"));
    EXPECT_EQ(page.IsOE, 0);
    EXPECT_EQ(page.OePeriodSel, 4); // only an OE chip moves the OE selection
    EXPECT_EQ(page.FirstClockEntry, CString(L"8.00MHz"));
    EXPECT_EQ(page.LowGrayFilterSel, 0);
    EXPECT_EQ(page.ColourCountSel, 0);
    EXPECT_EQ(page.AutoRefresh, 1);
    EXPECT_NEAR(page.RefreshMax, 303.2508, 0.0001); // 1 / (24 us + 682 x 24 bits / 5 MHz)
    EXPECT_EQ(page.RefreshRate, page.RefreshMax);
    EXPECT_EQ(page.Ucs5603HighCurrent, 0);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(page.ChipCurrents[i], 11);
        EXPECT_EQ(config.ChipCurrents[i], 11);
    }
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(page.Ucs9812Currents[i], 14);
        EXPECT_EQ(config.Ucs9812Currents[i], 14);
    }
    EXPECT_EQ(config.CurrentA, 10);
    EXPECT_EQ(config.CurrentB, 10);
    EXPECT_EQ(config.CurrentC, 10);
    EXPECT_EQ(config.GclkIndex, 1); // not a GCLK chip
    EXPECT_EQ(config.ChipName, chipNameBefore); // the fields wait for the page's collect
}

TEST_F(ChipDatabaseTest, ApplyingResetsTheChipSpecificValues)
{
    Load("[CHIPS]\r\n1=SM\r\n2=MBI\r\n3=MY\r\n4=TM\r\n"
         "[SM_1]\r\nName=SM16736\r\n[SM_2]\r\nName=SM16803P\r\n[SM_3]\r\nName=SM16804P\r\n"
         "[MBI_1]\r\nName=MBI6024\r\n[MBI_2]\r\nName=MBI6023\r\n"
         "[MY_1]\r\nName=MY9221\r\n[TM_1]\r\nName=TM1814\r\n");
    struct Row {
        const wchar_t* chip;
        int current;
        int gclk;
    };
    const Row rows[] = {
        { L"SM16736", 29, 0 },
        { L"SM16803P", 15, 0 },
        { L"SM16804P", 15, 0 },
        { L"MBI6024", 27, 2 },
        { L"MBI6023", 27, 2 },
        { L"MY9221", 27, 7 },
        { L"TM1814", 27, 0 },
    };
    for (const Row& row : rows) {
        ChipPageValues page;
        HardwareConfig config;
        config.GclkIndex = 0;
        ASSERT_TRUE(ApplyChipToPage(db, row.chip, page, config)) << CStringA(row.chip).GetString();
        EXPECT_EQ(config.ChipCurrents[2], row.current) << CStringA(row.chip).GetString();
        EXPECT_EQ(page.ChipCurrents[3], row.current);
        EXPECT_EQ(config.GclkIndex, row.gclk) << CStringA(row.chip).GetString();
    }
}

TEST_F(ChipDatabaseTest, ApplyingAnOeChip)
{
    Load("[CHIPS]\r\n1=OE\r\n[OE_1]\r\nName=OE5024\r\nIsOE=1\r\nGray=4096\r\n"
         "Channels=2048\r\nChipChannel=3\r\nClock=4\r\n");
    ChipPageValues page;
    page.OePeriodSel = 2;
    HardwareConfig config;
    ASSERT_TRUE(ApplyChipToPage(db, L"OE5024", page, config));
    EXPECT_EQ(page.IsOE, 1);
    EXPECT_EQ(page.OePeriodSel, 7);
    EXPECT_EQ(page.FirstClockEntry, CString(L"7.50MHz"));
    EXPECT_NEAR(page.RefreshMax, 51.448, 0.001); // 4 MHz / (32 + 6) / 2046
    EXPECT_EQ(page.RefreshRate, page.RefreshMax);
}

TEST_F(ChipDatabaseTest, UnknownChipChangesNothing)
{
    Load(kUcsTm);
    ChipPageValues page;
    page.RefreshMax = 42.0;
    HardwareConfig config;
    config.CurrentA = 3;
    config.ChipCurrents[0] = 5;
    EXPECT_FALSE(ApplyChipToPage(db, L"WS2811", page, config));
    EXPECT_EQ(page.RefreshMax, 42.0);
    EXPECT_EQ(config.CurrentA, 3);
    EXPECT_EQ(config.ChipCurrents[0], 5);
}

} // namespace

namespace {

TEST_F(ChipDatabaseTest, TheOnePassIndexReadsNamesAsTheSystemDoes)
{
    const char* text = "; a comment\r\n"
                       "[CHIPS]\r\n1=UCS\r\n"
                       "[UCS_1]\r\nCode=1\r\nName=UCS9812\r\n"
                       "[ucs_2]\r\n  name  =  TM 1814  \r\n"
                       "[UCS_3]\r\nName=\"Q\"\r\n"
                       "[UCS_4]\r\nName=\r\nName=Later\r\n"
                       "[UCS_5]\r\nName=First\r\n[UCS_5]\r\nName=Second\r\n"
                       "[UCS_6]\r\nNames=Other\r\n"
                       "[ UCS_7 ]\r\nName=Spaced\r\n"
                       "[UCS_8]\r\n;Name=Commented\r\nName=Kept\r\n";
    WriteText(path, text);
    CChipSectionIndex index;
    ASSERT_TRUE(index.Load(path));
    for (int k = 1; k <= 9; ++k) {
        CString section;
        section.Format(L"UCS_%d", k);
        WCHAR expected[256] = {};
        ::GetPrivateProfileStringW(section, L"Name", L"", expected, 256, path);
        const CString* name = index.NameOf(section);
        EXPECT_EQ(name != nullptr ? *name : CString(), CString(expected)) << k;
    }
    EXPECT_FALSE(index.Load(folder.File(L"missing.ini")));
    EXPECT_EQ(index.Size(), 0u);
}

TEST_F(ChipDatabaseTest, ThirtyThousandChipsOfOneCategoryMakeTheMenu)
{
    std::string text = "[CHIPS]\r\n1=C\r\n"; // chips "C<k>" are searched in category "C"
    for (int k = 1; k <= 30000; ++k)
        text += "[C_" + std::to_string(k) + "]\r\nName=C" + std::to_string(k) + "\r\nChipChannel=3\r\n";
    WriteText(path, text.c_str());
    ASSERT_TRUE(db.Open(path));
    const std::vector<ChipMenuCategory> menu = db.BuildMenu();
    ASSERT_EQ(menu.size(), 1u);
    // As many as there are command ids.
    ASSERT_EQ(menu[0].chips.size(), static_cast<size_t>(kLastChipCommand - kFirstChipCommand + 1));
    EXPECT_EQ(menu[0].chips.back().name, L"C28671");
    ChipParams params;
    BOOL isOE = 0;
    EXPECT_TRUE(db.ReadChip(L"C28000", params, isOE));
    EXPECT_EQ(params.ChipChannel, 3u);
}

} // namespace
