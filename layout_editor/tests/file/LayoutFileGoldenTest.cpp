// The small layout against its hand-worked file, both ways, in the current
// version and every older one.
#include "SmallLayout.h"

#include <random>

namespace {

class LayoutFileGolden : public ::testing::Test {
protected:
    CEditorValuesGuard m_guard;
};

TEST_F(LayoutFileGolden, WriterProducesTheHandWorkedBytes)
{
    CLayoutData model;
    CLayoutProjectSettings settings;
    BuildSmallLayout(model, settings);
    std::vector<BYTE> bytes;
    ASSERT_EQ(BuildLayoutFileBytes(model, settings, kSmallKey, bytes), LayoutWriteResult::Ok);
    const std::vector<BYTE> golden = SmallLayoutBytes();
    ASSERT_EQ(golden.size(), kSmallFileSize);
    EXPECT_EQ(bytes, golden);

    // The same through the file.
    CTempPath path(L"golden");
    ASSERT_EQ(WriteLayoutFile(model, path.Path(), settings, kSmallKey), LayoutWriteResult::Ok);
    EXPECT_EQ(FileBytes(path.Path()), golden);
}

// What a reader with a view of `version` restores from the small layout.
void ExpectSmallLayout(const CLayoutData& model, const CTestLayoutView& view, int version)
{
    EXPECT_EQ(model.m_width, 16);
    EXPECT_EQ(model.m_height, 8);
    EXPECT_EQ(view.m_resizes, 1);
    EXPECT_EQ(LayoutWidth, 16);
    EXPECT_EQ(LayoutHeight, 8);
    ASSERT_EQ(model.GetPortCount(), 2);
    EXPECT_EQ(model.GetPointsPerPort(), 4);
    ASSERT_EQ(model.GetUsedCount(), 2);
    EXPECT_EQ(model.GetUsedPort(0), 0);
    EXPECT_EQ(model.GetUsedPort(1), 1);

    const LayoutPort& first = model.GetPort(0);
    EXPECT_EQ(first.GetCapacity(), 4);
    ASSERT_EQ(first.GetCount(), 2);
    EXPECT_EQ(first.m_lampFormat, CString(L"RGB"));
    EXPECT_EQ(first.m_lampFormatIndex, 0);
    EXPECT_EQ(first.m_colour, 0x000000FFu);
    EXPECT_EQ(first.m_dataReversed, version >= 6 ? 1 : 0);
    EXPECT_EQ(first.m_adjusted, 1);
    EXPECT_EQ(first.m_brightness.size(), static_cast<size_t>(kPortTableSize));
    EXPECT_EQ(first.m_brightness[0], 100);
    EXPECT_EQ(first.m_brightness[1], 50);
    EXPECT_EQ(first.m_brightness[2], 100);
    EXPECT_EQ(first.m_brightness[5999], 100);
    EXPECT_EQ(first.m_gamma, std::vector<BYTE>(kPortTableSize, 0));
    const CLPoint& a = first.GetPoint(0);
    EXPECT_EQ(a.x, 1);
    EXPECT_EQ(a.y, 2);
    EXPECT_EQ(a.m_normX, 0.125);
    EXPECT_EQ(a.m_normY, 0.25);
    EXPECT_EQ(a.m_lampFormat, 0);
    EXPECT_EQ(a.m_masked, 0);
    EXPECT_EQ(a.m_layer, 0);
    const CLPoint& b = first.GetPoint(1);
    EXPECT_EQ(b.x, 3);
    EXPECT_EQ(b.y, 2);
    // Stored as 0x80000000: still unset, not -214.7483648.
    EXPECT_EQ(b.m_normX, kUnsetNormalised);
    EXPECT_EQ(b.m_normY, kUnsetNormalised);
    EXPECT_EQ(b.m_lampFormat, 1);
    EXPECT_EQ(b.m_masked, 1);
    EXPECT_EQ(b.m_layer, version >= 5 ? 2 : 0);

    const LayoutPort& second = model.GetPort(1);
    EXPECT_EQ(second.GetCount(), 0);
    EXPECT_EQ(second.m_lampFormat, CString(L"GRB"));
    EXPECT_EQ(second.m_lampFormatIndex, 1);
    EXPECT_EQ(second.m_colour, 0x0000FF00u);
    EXPECT_EQ(second.m_adjusted, 0);
    EXPECT_EQ(second.m_brightness, std::vector<BYTE>(kPortTableSize, 100));

    const CLayoutProjectSettings& s = view.m_settings;
    ASSERT_EQ(s.m_controllers.GetSize(), 1);
    EXPECT_EQ(s.m_controllers[0], 2);
    EXPECT_EQ(s.m_controllerCount, 1);
    ASSERT_EQ(LampTypeList.GetSize(), 2);
    EXPECT_EQ(LampTypeList[0], CString(L"RGB"));
    EXPECT_EQ(LampTypeList[1], CString(L"GRB"));
    EXPECT_EQ(s.m_lampFormat, CString(L"RGB"));
    EXPECT_EQ(s.m_portsPerController, 2);
    EXPECT_EQ(s.m_channelsPerPort, 12);
    EXPECT_EQ(s.m_lampsPerPort, 4);
    EXPECT_EQ(s.m_doubleSided, 0);
    EXPECT_EQ(s.m_showGrid, 1);
    EXPECT_EQ(s.m_allowOverlap, 0);
    EXPECT_EQ(s.m_allowMaxLamps, 1);
    EXPECT_EQ(s.m_controllerModel, CString(L"A"));
    EXPECT_EQ(AlignToGrid, 1);
    EXPECT_EQ(s.m_showXY, 1);
    EXPECT_EQ(s.m_randomColours, 0);
    EXPECT_EQ(s.m_swatchColour, 0x00123456u);
    ASSERT_EQ(s.m_hRulers.GetSize(), 1);
    EXPECT_EQ(s.m_hRulers[0], 5);
    EXPECT_EQ(s.m_vRulers.GetSize(), 0);
    EXPECT_EQ(LayoutLock, version >= 2 ? 1 : 0);
    EXPECT_EQ(WireSelectedPortDirectly, 0);
    EXPECT_EQ(ManualTracing, version >= 4 ? 1 : 0);
    EXPECT_EQ(s.m_dataOffset, 3);
    EXPECT_EQ(s.m_loaded, 1);
    EXPECT_EQ(GammaCurveTables.m_count, 1);
    EXPECT_EQ(GammaCurveTables.m_curves[0][0], 7);
    EXPECT_EQ(GammaCurveTables.m_curves[0][1], 1);
    EXPECT_EQ(GammaCurveTables.m_curves[0][255], 255);
}

// Settings a reader must overwrite, so that a field it skips shows.
void Scramble(CTestLayoutView& view)
{
    CLayoutProjectSettings& s = view.m_settings;
    s.SetControllers(3, 9);
    s.m_lampFormat = L"X";
    s.m_portsPerController = 99;
    s.m_channelsPerPort = 99;
    s.m_lampsPerPort = 99;
    s.m_doubleSided = 7;
    s.m_showGrid = 7;
    s.m_allowOverlap = 7;
    s.m_allowMaxLamps = 7;
    s.m_controllerModel = L"old";
    s.m_showXY = 7;
    s.m_randomColours = 7;
    s.m_swatchColour = 7;
    s.m_hRulers.Add(1);
    s.m_hRulers.Add(2);
    s.m_vRulers.Add(3);
    s.m_dataOffset = 77;
    LampTypeList.Add(L"BGR");
    AlignToGrid = 7;
    LayoutLock = 7;
    WireSelectedPortDirectly = 7;
    ManualTracing = 7;
    GammaCurveTables.m_count = 3;
    GammaCurveTables.m_curves[0][0] = 99;
}

TEST_F(LayoutFileGolden, ReaderRestoresEveryFieldOfEveryVersion)
{
    for (int version = 1; version <= 6; ++version) {
        SCOPED_TRACE(version);
        CTempPath path(L"golden_read");
        ASSERT_TRUE(WriteFileBytes(path.Path(), SmallLayoutBytes(version)));
        CLayoutData model;
        CTestLayoutView view;
        Scramble(view);
        ASSERT_EQ(ReadLayoutFile(&view, path.Path(), model), LayoutReadResult::Ok);
        ExpectSmallLayout(model, view, version);
        // A version-6 reading writes back to the very same bytes.
        if (version == 6) {
            std::vector<BYTE> again;
            ASSERT_EQ(BuildLayoutFileBytes(model, view.m_settings, kSmallKey, again), LayoutWriteResult::Ok);
            EXPECT_EQ(again, SmallLayoutBytes());
        }
    }
}

TEST_F(LayoutFileGolden, WithoutAViewOnlyTheKindSizeAndPortsChange)
{
    std::vector<BYTE> bytes = SmallLayoutBytes();
    bytes[11] = 2; // template kind
    CLayoutData model;
    model.m_templateKind = 0;
    LampTypeList.RemoveAll();
    LampTypeList.Add(L"ZZZ");
    LayoutLock = 5;
    GammaCurveTables.m_curves[0][0] = 42;
    ASSERT_EQ(ReadGuarded(nullptr, bytes, model), LayoutReadResult::Ok);
    EXPECT_EQ(model.m_templateKind, 2);
    EXPECT_EQ(model.m_width, 16);
    EXPECT_EQ(model.m_height, 8);
    ASSERT_EQ(model.GetPortCount(), 2);
    EXPECT_EQ(model.GetPort(0).GetCount(), 2);
    EXPECT_EQ(model.GetPort(1).m_lampFormat, CString(L"GRB"));
    // The editor-wide values stay.
    EXPECT_EQ(LayoutWidth, 256);
    EXPECT_EQ(LayoutHeight, 128);
    ASSERT_EQ(LampTypeList.GetSize(), 1);
    EXPECT_EQ(LampTypeList[0], CString(L"ZZZ"));
    EXPECT_EQ(LayoutLock, 5);
    EXPECT_EQ(GammaCurveTables.m_curves[0][0], 42);
}

TEST_F(LayoutFileGolden, AViewKeepsTheModelsTemplateKind)
{
    std::vector<BYTE> bytes = SmallLayoutBytes();
    bytes[11] = 3;
    CLayoutData model;
    model.m_templateKind = 1;
    CTestLayoutView view;
    ASSERT_EQ(ReadGuarded(&view, bytes, model), LayoutReadResult::Ok);
    EXPECT_EQ(model.m_templateKind, 1);
}

TEST_F(LayoutFileGolden, EmptyPortsAndDefaultTablesWriteShortBlocks)
{
    CLayoutData model; // eight empty ports of 256
    CLayoutProjectSettings settings;
    settings.SetControllers(1, 8);
    LampTypeList.RemoveAll();
    std::vector<BYTE> bytes;
    ASSERT_EQ(BuildLayoutFileBytes(model, settings, kSmallKey, bytes), LayoutWriteResult::Ok);
    // Largest x and y are 0 (masked), at header offsets 14 and 18.
    const std::vector<BYTE> largest(bytes.begin() + kHeaderAt + 14, bytes.begin() + kHeaderAt + 22);
    EXPECT_EQ(largest, std::vector<BYTE>({ 0, 0, 0, 0x1F, 0, 0, 0, 0x1F }));
    // Each port: a 19-byte port block, then tables of length 4 with n = 0.
    const size_t headerLength = (bytes[kHeaderAt] << 8) | (bytes[kHeaderAt + 1] ^ 0x1F);
    size_t at = kHeaderAt + headerLength;
    for (int p = 0; p < 8; ++p) {
        EXPECT_EQ(bytes[at + 1] ^ 0x1F, 19);
        at += 19;
        for (int table = 0; table < 2; ++table) {
            EXPECT_EQ(std::vector<BYTE>(bytes.begin() + at, bytes.begin() + at + 4),
                std::vector<BYTE>({ 0x00, 0x04 ^ 0x1F, 0x00, 0x00 }));
            at += 4;
        }
    }
    EXPECT_EQ(bytes.size(), at + 1); // the curve count, 0
    EXPECT_EQ(bytes.back(), 0);

    CLayoutData read;
    CTestLayoutView view;
    ASSERT_EQ(ReadGuarded(&view, bytes, read), LayoutReadResult::Ok);
    EXPECT_EQ(read.GetPortCount(), 8);
    EXPECT_EQ(read.GetPort(3).m_adjusted, 0);
    EXPECT_EQ(read.GetPort(3).m_brightness, std::vector<BYTE>(kPortTableSize, 100));
}

TEST_F(LayoutFileGolden, OnlyTheLastTableEntryChangedStoresAllEntries)
{
    CLayoutData model;
    CLayoutProjectSettings settings;
    BuildSmallLayout(model, settings);
    model.GetPort(1).m_gamma[5999] = 2;
    std::vector<BYTE> bytes;
    ASSERT_EQ(BuildLayoutFileBytes(model, settings, kSmallKey, bytes), LayoutWriteResult::Ok);
    // Port 1's gamma block: length 6004, n 6000.
    EXPECT_EQ(bytes[kPort1GammaAt], 6004 >> 8);
    EXPECT_EQ(bytes[kPort1GammaAt + 1], (6004 & 0xFF) ^ 0x1F);
    EXPECT_EQ(bytes[kPort1GammaAt + 2], 6000 >> 8);
    EXPECT_EQ(bytes[kPort1GammaAt + 3], 6000 & 0xFF);
    CLayoutData read;
    CTestLayoutView view;
    ASSERT_EQ(ReadGuarded(&view, bytes, read), LayoutReadResult::Ok);
    EXPECT_EQ(read.GetPort(1).m_gamma[5999], 2);
    EXPECT_EQ(read.GetPort(1).m_gamma[5998], 0);
    EXPECT_EQ(read.GetPort(1).m_adjusted, 1);
}

TEST_F(LayoutFileGolden, NormalisedPositionsEncodeByTruncation)
{
    EXPECT_EQ(EncodeNormalised(0.125), 1250000);
    EXPECT_EQ(EncodeNormalised(-0.00000019), -1); // toward zero
    EXPECT_EQ(EncodeNormalised(214.0), 2140000000);
    EXPECT_EQ(EncodeNormalised(300.0), LONG_MIN);
    EXPECT_EQ(EncodeNormalised(kUnsetNormalised), LONG_MIN);
    EXPECT_EQ(EncodeNormalised(-1e300), LONG_MIN);
    EXPECT_EQ(DecodeNormalised(LONG_MIN), kUnsetNormalised);
    EXPECT_EQ(DecodeNormalised(-2147483647), -214.7483647);
    EXPECT_EQ(DecodeNormalised(5000000), 0.5);
}

TEST_F(LayoutFileGolden, AStoredPositionStoresTheSameIntegerAgain)
{
    // n / 10,000,000 often scales back to just below n; truncating that
    // would move a lamp on every open and save.
    std::mt19937 random(5);
    std::uniform_int_distribution<LONG> stored(LONG_MIN + 1, LONG_MAX);
    for (int i = 0; i < 200000; ++i) {
        const LONG n = stored(random);
        ASSERT_EQ(EncodeNormalised(DecodeNormalised(n)), n) << n;
    }
    EXPECT_EQ(EncodeNormalised(1.6367299), 16367299);
    EXPECT_EQ(EncodeNormalised(1.63672999), 16367299); // a real fraction is still cut
}

} // namespace

namespace {

// What the controller library and the preview program take: the parsed
// contents, lamps decoded at once or later from the file's bytes.
TEST(LayoutFileContentsTest, ParsedContentsOfTheSmallLayout)
{
    const std::vector<BYTE> bytes = SmallLayoutBytes();
    LayoutFileContents c;
    ASSERT_EQ(ParseLayoutBytes(bytes.data(), bytes.size(), c), LayoutReadResult::Ok);
    EXPECT_EQ(c.version, 6);
    EXPECT_EQ(c.key, 0x1F);
    EXPECT_EQ(c.largestX, 3u);
    EXPECT_EQ(c.largestY, 2u);
    ASSERT_EQ(c.ports.size(), 2u);
    EXPECT_EQ(c.ports[0].capacity, 4);
    EXPECT_EQ(c.ports[0].lampCount, 2);
    EXPECT_EQ(c.ports[0].dataOffset, 3);
    EXPECT_EQ(c.ports[0].brightness, std::vector<BYTE>({ 100, 50 }));
    EXPECT_TRUE(c.ports[0].gamma.empty());
    EXPECT_EQ(c.ports[0].lampRecordsAt, kLampAAt);
    ASSERT_EQ(c.ports[0].lamps.size(), 2u);
    EXPECT_EQ(c.ports[0].lamps[1].x, 3);
    EXPECT_EQ(c.ports[0].lamps[1].m_layer, 2);

    LayoutFileContents later;
    ASSERT_EQ(ParseLayoutBytes(bytes.data(), bytes.size(), later, false), LayoutReadResult::Ok);
    EXPECT_TRUE(later.ports[0].lamps.empty());
    CLPoint lamps[2];
    DecodeLayoutLamps(bytes.data(), later, later.ports[0].lampRecordsAt, 2, lamps);
    EXPECT_EQ(lamps[0].x, 1);
    EXPECT_EQ(lamps[0].m_normX, 0.125);
    EXPECT_EQ(lamps[1].m_normY, kUnsetNormalised);
    EXPECT_EQ(lamps[1].m_masked, 1);
}

} // namespace
