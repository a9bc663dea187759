// Reading the archive layout format: round trips, the fields each version
// carries, version-1 positions, and short or garbled files that are refused
// without touching the model, the view or the editor-wide values.
#include "ArchiveTestUtil.h"

#include <cstring>
#include <memory>
#include <random>

using namespace archivetest;

namespace {

// A version-1 file by hand: one controller with one port of two lamps on a
// 256 x 128 grid; the file ends after the lamps.
std::vector<BYTE> VersionOneFile()
{
    std::vector<BYTE> header(384, 0);
    header[0] = 1;
    header[3] = 1; // not read before version 4
    header[9] = 1; // not read before version 6
    CArchiveEncoder file(header);
    file.Masked(1).Masked(4).Masked(256).Masked(128).Masked(1).Masked(1);
    file.Masked(1).Text(L"RGB").Text(L"RGB");
    file.Masked(1).Masked(12).Masked(4).Masked(1).Masked(0).Masked(1).Text(L"V1");
    file.Plain(4).Masked(2).Text(L"GRB").Plain(0).Masked(0).Masked(0).Masked(255).Masked(127);
    return file.Bytes();
}

void ExpectSameLayout(const CLayoutData& a, const CLayoutData& b)
{
    ASSERT_EQ(a.GetPortCount(), b.GetPortCount());
    EXPECT_EQ(a.m_width, b.m_width);
    EXPECT_EQ(a.m_height, b.m_height);
    EXPECT_EQ(a.GetPointsPerPort(), b.GetPointsPerPort());
    for (int p = 0; p < a.GetPortCount(); ++p) {
        const LayoutPort& x = a.GetPort(p);
        const LayoutPort& y = b.GetPort(p);
        EXPECT_EQ(x.GetCapacity(), y.GetCapacity()) << p;
        EXPECT_TRUE(x.m_lampFormat == y.m_lampFormat) << p;
        EXPECT_EQ(x.m_lampFormatIndex, y.m_lampFormatIndex) << p;
        ASSERT_EQ(x.GetCount(), y.GetCount()) << p;
        for (int i = 0; i < x.GetCount(); ++i) {
            EXPECT_EQ(x.GetPoint(i).x, y.GetPoint(i).x);
            EXPECT_EQ(x.GetPoint(i).y, y.GetPoint(i).y);
            EXPECT_NEAR(x.GetPoint(i).m_normX, y.GetPoint(i).m_normX, 1e-7);
            EXPECT_NEAR(x.GetPoint(i).m_normY, y.GetPoint(i).m_normY, 1e-7);
        }
    }
}

} // namespace

TEST(LayoutArchiveRead, RichLayoutRoundTrips)
{
    CEditorValuesGuard guard;
    CLayoutData model;
    CLayoutProjectSettings settings;
    BuildRichLayout(model, settings);
    const std::vector<BYTE> bytes = WriteArchive(model, settings);

    ResetLampTypeList();
    AlignToGrid = 1;
    CLayoutData loaded;
    CReaderView view;
    ASSERT_EQ(ReadArchive(&view, bytes, loaded), LayoutReadResult::Ok);
    ExpectSameLayout(model, loaded);
    EXPECT_EQ(loaded.GetUsedCount(), 6) << "every port of the file is loaded";
    EXPECT_EQ(loaded.GetPort(0).m_colour, 255u) << "no per-port colour in this format";
    EXPECT_EQ(loaded.m_templateKind, 0) << "the template kind is not read";

    const CLayoutProjectSettings& s = view.m_settings;
    ASSERT_EQ(s.m_controllers.GetSize(), 3);
    EXPECT_EQ(s.m_controllers[0], 2);
    EXPECT_EQ(s.m_controllers[2], 3);
    EXPECT_EQ(s.m_controllerCount, 3);
    EXPECT_TRUE(s.m_lampFormat == L"RGBW");
    EXPECT_EQ(s.m_portsPerController, 3);
    EXPECT_EQ(s.m_channelsPerPort, 1024);
    EXPECT_EQ(s.m_lampsPerPort, 256);
    EXPECT_EQ(s.m_doubleSided, 1);
    EXPECT_EQ(s.m_showGrid, 0);
    EXPECT_EQ(s.m_allowOverlap, 1);
    EXPECT_EQ(s.m_allowMaxLamps, 0);
    EXPECT_TRUE(s.m_controllerModel == settings.m_controllerModel);
    EXPECT_EQ(s.m_showXY, 1);
    EXPECT_EQ(s.m_swatchColour, RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(s.m_dataOffset, 7);
    ASSERT_EQ(s.m_hRulers.GetSize(), kMaxRulers);
    ASSERT_EQ(s.m_vRulers.GetSize(), kMaxRulers);
    EXPECT_EQ(s.m_hRulers[59], 59 * 3 + 1);
    EXPECT_EQ(s.m_vRulers[59], 60000 - 59);
    EXPECT_EQ(s.m_loaded, 1);
    EXPECT_EQ(view.m_resizes, 1);
    EXPECT_EQ(LayoutWidth, 64);
    EXPECT_EQ(LayoutHeight, 32);
    EXPECT_EQ(AlignToGrid, 0);
    ASSERT_EQ(LampTypeList.GetSize(), 3);
    EXPECT_TRUE(LampTypeList[1] == L"RGBW");

    // Written again, the loaded layout gives the same bytes (the template
    // kind, which the reader leaves alone, put back).
    loaded.m_templateKind = model.m_templateKind;
    EXPECT_EQ(WriteArchive(loaded, view.m_settings), bytes);
}

TEST(LayoutArchiveRead, HeaderFieldsAreTakenFromTheVersionThatCarriesThem)
{
    CEditorValuesGuard guard;
    CLayoutData model;
    CLayoutProjectSettings settings;
    BuildRichLayout(model, settings);
    settings.m_randomColours = 1;
    const std::vector<BYTE> written = WriteArchive(model, settings);

    for (int version = 2; version <= 7; ++version) {
        std::vector<BYTE> bytes = written;
        bytes[0] = static_cast<BYTE>(version);
        CLayoutData loaded;
        CReaderView view;
        view.m_settings.m_showXY = 5;
        view.m_settings.m_randomColours = 5;
        view.m_settings.m_doubleSided = 5;
        view.m_settings.m_dataOffset = 5;
        view.m_settings.m_swatchColour = 0xABCDEF;
        view.m_settings.m_hRulers.Add(999);
        ASSERT_EQ(ReadArchive(&view, bytes, loaded), LayoutReadResult::Ok) << version;
        const CLayoutProjectSettings& s = view.m_settings;
        EXPECT_EQ(s.m_showXY, version >= 4 ? 1 : 0) << version;
        EXPECT_EQ(s.m_randomColours, version >= 5 ? 1 : 0) << version;
        EXPECT_EQ(s.m_swatchColour, version >= 5 ? RGB(0x12, 0x34, 0x56) : 0xABCDEFu) << version;
        EXPECT_EQ(s.m_doubleSided, version >= 6 ? 1 : 0) << version;
        EXPECT_EQ(s.m_dataOffset, version >= 6 ? 7 : 0) << version;
        EXPECT_EQ(s.m_hRulers.GetSize(), version >= 3 ? kMaxRulers : 1) << version;
        ExpectSameLayout(model, loaded);
        for (int p = 0; p < loaded.GetPortCount(); ++p) {
            const COLORREF colour = loaded.GetPort(p).m_colour;
            if (version < 5) {
                EXPECT_EQ(colour, 255u);
                continue;
            }
            for (int shift = 0; shift < 24; shift += 8) {
                const int part = static_cast<int>((colour >> shift) & 0xFF);
                EXPECT_GE(part, 35);
                EXPECT_LE(part, 254);
            }
            EXPECT_EQ(colour >> 24, 0u);
        }
    }
}

TEST(LayoutArchiveRead, VersionOneLampsSitOnTheirCellCentres)
{
    CEditorValuesGuard guard;
    AlignToGrid = 0;
    CLayoutData loaded;
    CReaderView view;
    view.m_settings.m_showXY = 1;
    ASSERT_EQ(ReadArchive(&view, VersionOneFile(), loaded), LayoutReadResult::Ok);
    ASSERT_EQ(loaded.GetPortCount(), 1);
    const LayoutPort& port = loaded.GetPort(0);
    ASSERT_EQ(port.GetCount(), 2);
    EXPECT_DOUBLE_EQ(port.GetPoint(0).m_normX, 0.001953125);
    EXPECT_DOUBLE_EQ(port.GetPoint(0).m_normY, 0.00390625);
    EXPECT_DOUBLE_EQ(port.GetPoint(1).m_normX, 255.5 / 256);
    EXPECT_DOUBLE_EQ(port.GetPoint(1).m_normY, 127.5 / 128);
    EXPECT_TRUE(port.m_lampFormat == L"GRB");
    EXPECT_EQ(AlignToGrid, 0) << "a version-1 file carries no align flag";
    EXPECT_EQ(view.m_settings.m_showXY, 0);
    EXPECT_EQ(view.m_settings.m_doubleSided, 0);
    EXPECT_TRUE(view.m_settings.m_controllerModel == L"V1");
}

TEST(LayoutArchiveRead, UnsetPositionsReadBackAsTheirLow32Bits)
{
    CEditorValuesGuard guard;
    CLayoutData model;
    CLayoutProjectSettings settings;
    BuildRichLayout(model, settings);
    CLPoint& lamp = model.GetPort(0).EditPoint(0);
    lamp.m_normX = kUnsetNormalised;
    lamp.m_normY = kUnsetNormalised;
    CLayoutData loaded;
    CReaderView view;
    ASSERT_EQ(ReadArchive(&view, WriteArchive(model, settings), loaded), LayoutReadResult::Ok);
    EXPECT_NEAR(loaded.GetPort(0).GetPoint(0).m_normX, 252.4971008, 1e-9);
    EXPECT_NEAR(loaded.GetPort(0).GetPoint(0).m_normY, 252.4971008, 1e-9);
}

TEST(LayoutArchiveRead, WithoutAViewNothingIsRead)
{
    CEditorValuesGuard guard;
    CLayoutData model;
    CLayoutProjectSettings settings;
    BuildRichLayout(model, settings);
    CLayoutData target;
    const int ports = target.GetPortCount();
    CByteBufferFile file(WriteArchive(model, settings));
    CArchive ar(&file, CArchive::load);
    EXPECT_EQ(ReadLayoutArchive(nullptr, ar, target), LayoutReadResult::NotOpened);
    EXPECT_EQ(file.GetPosition(), 0u);
    EXPECT_EQ(target.GetPortCount(), ports);
}

// A reader that refuses must leave the model, the view's settings and the
// editor-wide values exactly as they were.
class LayoutArchiveRefusal : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A different layout to read, written as a good file.
        CLayoutData other;
        other.m_width = 10;
        other.m_height = 10;
        other.ResetPorts(2, 8, CString(L"RGB"), 0);
        CLPoint lamp(1, 1);
        other.GetPort(1).InsertPoints(&lamp, 1);
        CLayoutProjectSettings settings;
        settings.SetControllers(1, 2);
        m_good = WriteArchive(other, settings);
        Prepare();
    }

    // A fresh target layout and view, and the snapshot to compare with.
    void Prepare()
    {
        m_target = std::make_unique<CLayoutData>();
        m_view = std::make_unique<CReaderView>();
        CEditorValuesGuard::Reset();
        BuildRichLayout(*m_target, m_view->m_settings);
        m_target->m_modified = 1;
        LayoutWidth = 64;
        LayoutHeight = 32;
        AlignToGrid = 1;
        LampTypeList.Add(L"XYZ");
        m_before = Snapshot(*m_target, m_view->m_settings);
        m_lampTypes = LampTypeList.GetSize();
    }

    // The bytes read as a good file (then everything is prepared afresh).
    void ExpectGood(const std::vector<BYTE>& bytes)
    {
        EXPECT_EQ(ReadArchive(m_view.get(), bytes, *m_target), LayoutReadResult::Ok);
        Prepare();
    }

    void ExpectRefusedUnchanged(const std::vector<BYTE>& bytes, const char* what)
    {
        EXPECT_NE(ReadArchive(m_view.get(), bytes, *m_target), LayoutReadResult::Ok) << what;
        EXPECT_EQ(Snapshot(*m_target, m_view->m_settings), m_before) << what;
        EXPECT_EQ(LampTypeList.GetSize(), m_lampTypes) << what;
        EXPECT_EQ(AlignToGrid, 1) << what;
        EXPECT_EQ(m_view->m_resizes, 0) << what;
    }

    CEditorValuesGuard m_guard;
    std::unique_ptr<CLayoutData> m_target;
    std::unique_ptr<CReaderView> m_view;
    std::vector<BYTE> m_before;
    INT_PTR m_lampTypes = 0;
    std::vector<BYTE> m_good;
};

TEST_F(LayoutArchiveRefusal, EveryShortFileIsRefused)
{
    ExpectGood(m_good);
    for (size_t length = 0; length < m_good.size(); ++length) {
        const std::vector<BYTE> shortFile(m_good.begin(), m_good.begin() + static_cast<std::ptrdiff_t>(length));
        ExpectRefusedUnchanged(shortFile, std::to_string(length).c_str());
    }
}

TEST_F(LayoutArchiveRefusal, CountsBeyondTheLimitsAreRefused)
{
    const std::vector<BYTE> header = [] {
        std::vector<BYTE> h(384, 0);
        h[0] = 6;
        return h;
    }();
    // Builds a file whose fields can be spoiled one at a time.
    struct Fields {
        int version = 6;
        int rulers = 0;
        long long ports = 1;
        long long points = 4;
        long long width = 8;
        long long height = 8;
        long long controllers = 1;
        long long controllerPorts = 1;
        long long lampTypes = 0;
        long long capacity = 4;
        long long lamps = 1;
        long long formatIndex = 0;
    };
    auto build = [&header](const Fields& f) {
        std::vector<BYTE> h = header;
        h[0] = static_cast<BYTE>(f.version);
        h[kArchiveHRulerOffset] = static_cast<BYTE>(f.rulers);
        CArchiveEncoder file(h);
        file.Masked(f.ports).Masked(f.points).Masked(f.width).Masked(f.height).Masked(f.controllers);
        for (long long i = 0; i < f.controllers && i < 4; ++i)
            file.Masked(f.controllerPorts);
        file.Masked(f.lampTypes);
        file.Text(L"RGB").Masked(1).Masked(12).Masked(4).Masked(1).Masked(0).Masked(1).Text(L"");
        file.Plain(f.capacity).Masked(f.lamps).Text(L"RGB").Plain(f.formatIndex);
        for (long long i = 0; i < f.lamps && i < 8; ++i)
            file.Masked(i).Masked(0);
        file.Masked(1);
        for (long long i = 0; i < f.lamps && i < 8; ++i)
            file.Masked(0).Masked(0);
        return file.Bytes();
    };

    ExpectGood(build(Fields()));

    struct Case {
        const char* what;
        void (*spoil)(Fields&);
    };
    const Case cases[] = {
        { "version 0", [](Fields& f) { f.version = 0; } },
        { "61 rulers", [](Fields& f) { f.rulers = 61; } },
        { "no ports", [](Fields& f) { f.ports = 0, f.controllerPorts = 0; } },
        { "5121 ports", [](Fields& f) { f.ports = 5121, f.controllerPorts = 5121; } },
        { "negative ports", [](Fields& f) { f.ports = -1; } },
        { "no points per port", [](Fields& f) { f.points = 0; } },
        { "zero width", [](Fields& f) { f.width = 0; } },
        { "negative height", [](Fields& f) { f.height = -8; } },
        { "controller ports do not add up", [](Fields& f) { f.controllerPorts = 2; } },
        { "negative controller count", [](Fields& f) { f.controllers = -1; } },
        { "huge controller count", [](Fields& f) { f.controllers = 0x7FFFFFFF; } },
        { "negative lamp format count", [](Fields& f) { f.lampTypes = -1; } },
        { "huge lamp format count", [](Fields& f) { f.lampTypes = 0x10000000; } },
        { "more lamps than capacity", [](Fields& f) { f.lamps = 5; } },
        { "capacity beyond 3072", [](Fields& f) { f.capacity = 3073; } },
        { "negative capacity", [](Fields& f) { f.capacity = -1; } },
        { "negative lamp count", [](Fields& f) { f.lamps = -1; } },
        { "negative format index", [](Fields& f) { f.formatIndex = -1; } },
    };
    for (const Case& c : cases) {
        Fields f;
        c.spoil(f);
        ExpectRefusedUnchanged(build(f), c.what);
    }
}

TEST_F(LayoutArchiveRefusal, UnreadableStringsAreRefused)
{
    // The project lamp format follows the lamp format count at 384 + 4 x 7.
    const size_t at = 384 + 4 * 7;
    ASSERT_EQ(m_good[at], 0xFF);
    struct Case {
        const char* what;
        std::vector<BYTE> bytes;
    };
    const Case cases[] = {
        { "length word FFFE after the marker", { 0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF } },
        { "huge 32-bit length", { 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0x7F } },
        { "64-bit length", { 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 0, 0, 0, 0x10 } },
    };
    for (const Case& c : cases) {
        // The good file up to the format, the case's bytes, then 64 bytes of 'A'.
        std::vector<BYTE> bytes(at + c.bytes.size() + 64, 0x41);
        std::memcpy(bytes.data(), m_good.data(), at);
        std::memcpy(bytes.data() + at, c.bytes.data(), c.bytes.size());
        ExpectRefusedUnchanged(bytes, c.what);
    }
}

TEST_F(LayoutArchiveRefusal, GarbledFilesNeverCrash)
{
    std::mt19937 random(12345);
    for (int round = 0; round < 300; ++round) {
        std::vector<BYTE> bytes = m_good;
        const int flips = 1 + static_cast<int>(random() % 6);
        for (int i = 0; i < flips; ++i) {
            // Mostly the body: the header's zero bytes are not read.
            const size_t at = 384 + random() % (bytes.size() - 384);
            bytes[at] = static_cast<BYTE>(random());
        }
        CLayoutData target;
        CReaderView view;
        const LayoutReadResult result = ReadArchive(&view, bytes, target);
        if (result != LayoutReadResult::Ok)
            continue;
        for (int p = 0; p < target.GetPortCount(); ++p) {
            EXPECT_LE(target.GetPort(p).GetCount(), target.GetPort(p).GetCapacity());
        }
    }
}
