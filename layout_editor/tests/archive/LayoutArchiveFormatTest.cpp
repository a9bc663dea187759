// The archive layout format byte for byte: the raw header, the key position
// that moves on with every masked field and wraps after 16, the stored
// string form at every length boundary and the normalised positions.
#include "ArchiveTestUtil.h"

using namespace archivetest;

namespace {

// Two ports of one controller on a 16 x 8 grid, one lamp in each.
void BuildSmallLayout(CLayoutData& model, CLayoutProjectSettings& settings)
{
    model.m_width = 16;
    model.m_height = 8;
    model.ResetPorts(2, 4, CString(L"RGB"), 0);
    CLPoint first(3, 2);
    first.m_normX = 0.5;
    first.m_normY = 0.25;
    model.GetPort(0).InsertPoints(&first, 1);
    CLPoint second(15, 7);
    second.m_normX = 0.96875;
    second.m_normY = 0.9375;
    model.GetPort(1).InsertPoints(&second, 1);
    model.RebuildUsedPorts();

    settings.SetControllers(1, 2);
    settings.m_lampFormat = L"RGB";
    settings.m_portsPerController = 2;
    settings.m_channelsPerPort = 12;
    settings.m_lampsPerPort = 4;
    settings.m_showGrid = 1;
    settings.m_allowOverlap = 0;
    settings.m_allowMaxLamps = 1;
    settings.m_controllerModel = L"";
    settings.m_showXY = 1;
    settings.m_randomColours = 0;
    settings.m_swatchColour = 0x00112233;
    settings.m_doubleSided = 1;
    settings.m_dataOffset = 3;
    settings.m_hRulers.Add(5);
    AlignToGrid = 1;
}

std::vector<BYTE> Slice(const std::vector<BYTE>& bytes, size_t at, size_t count)
{
    if (at > bytes.size())
        return {};
    count = std::min(count, bytes.size() - at);
    return std::vector<BYTE>(
        bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(at + count));
}

} // namespace

TEST(LayoutArchiveFormat, SmallLayoutIsWrittenByteForByte)
{
    CEditorValuesGuard guard;
    CLayoutData model;
    CLayoutProjectSettings settings;
    BuildSmallLayout(model, settings);

    std::vector<BYTE> header(384, 0);
    header[0] = 6; // version
    header[3] = 1; // show x,y
    header[5] = 0x33; // swatch colour, little-endian
    header[6] = 0x22;
    header[7] = 0x11;
    header[9] = 1; // double-sided
    header[10] = 15; // largest x
    header[12] = 7; // largest y
    header[14] = 3; // data offset
    header[128] = 1; // one horizontal ruler at 5
    header[129] = 5;
    CArchiveEncoder expected(header);
    expected.Masked(2).Masked(4).Masked(16).Masked(8); // ports, points per port, width, height
    expected.Masked(1).Masked(2); // one controller of two ports
    expected.Masked(1).Text(L"RGB"); // lamp formats
    expected.Text(L"RGB"); // project lamp format
    expected.Masked(2).Masked(12).Masked(4).Masked(1).Masked(0).Masked(1);
    expected.Text(L"");
    expected.Plain(4).Masked(1).Text(L"RGB").Plain(0).Masked(3).Masked(2);
    EXPECT_EQ(expected.KeyPosition(), 0) << "the key wraps after 16 masked fields";
    expected.Plain(4).Masked(1).Text(L"RGB").Plain(0).Masked(15).Masked(7);
    expected.Masked(1); // align to grid
    expected.Masked(5000000).Masked(2500000).Masked(9687500).Masked(9375000);

    const std::vector<BYTE> written = WriteArchive(model, settings);
    EXPECT_EQ(written, expected.Bytes());

    // A few bytes spelled out: 2 ^ 'p', 4 ^ 'i', 16 ^ 'x', 8 ^ 'r'.
    const std::vector<BYTE> start = { 0x72, 0, 0, 0, 0x6D, 0, 0, 0, 0x68, 0, 0, 0, 0x7A, 0, 0, 0 };
    EXPECT_EQ(Slice(written, 384, 16), start);
    // The second port's lamp count is masked with key position 0 again.
    const size_t secondPort = written.size() - 4 * 5 - 4 * 2 - 4 - 10 - 4 - 4;
    EXPECT_EQ(Slice(written, secondPort, 4), (std::vector<BYTE> { 4, 0, 0, 0 }));
    EXPECT_EQ(Slice(written, secondPort + 4, 4), (std::vector<BYTE> { 1 ^ 'p', 0, 0, 0 }));
}

TEST(LayoutArchiveFormat, KeyPositionAfterTheControllerListDependsOnTheControllerCount)
{
    struct Case {
        int controllers;
        int keyOfLampFormatCount;
    };
    const Case cases[] = { { 0, 5 }, { 1, 6 }, { 3, 8 }, { 10, 15 }, { 11, 0 }, { 12, 1 } };
    for (const Case& c : cases) {
        CEditorValuesGuard guard;
        CLayoutData model;
        CLayoutProjectSettings settings;
        model.ResetPorts(std::max(c.controllers, 1), 8, CString(L"RGB"), 0);
        settings.SetControllers(c.controllers, 1);
        LampTypeList.RemoveAll();
        LampTypeList.Add(L"RGB");
        LampTypeList.Add(L"RGBW");
        const std::vector<BYTE> written = WriteArchive(model, settings);
        const size_t at = 384 + 4 * (5 + static_cast<size_t>(c.controllers));
        const BYTE key = static_cast<BYTE>(CArchiveEncoder::kKey[c.keyOfLampFormatCount]);
        EXPECT_EQ(Slice(written, at, 4), (std::vector<BYTE> { static_cast<BYTE>(2 ^ key), 0, 0, 0 }))
            << c.controllers << " controllers";
    }
    EXPECT_EQ(ArchiveKeyAt(8), 'k');
    EXPECT_EQ(ArchiveKeyAt(15), 'n');
    EXPECT_EQ(ArchiveKeyAt(16), 'p');
}

TEST(LayoutArchiveFormat, LayoutWithoutPortsWritesSettingsAndTheAlignFlagOnly)
{
    CEditorValuesGuard guard;
    CLayoutData model;
    model.FreePorts();
    CLayoutProjectSettings settings;
    settings.SetControllers(0, 8);
    settings.m_controllerModel = L"M";
    AlignToGrid = 1;
    LampTypeList.RemoveAll();

    std::vector<BYTE> header(384, 0);
    header[0] = 6;
    CArchiveEncoder expected(header);
    expected.Masked(0).Masked(0).Masked(256).Masked(128).Masked(0).Masked(0);
    expected.Text(L"RGB").Masked(8).Masked(2048).Masked(2048 / 3).Masked(1).Masked(0).Masked(1);
    expected.Text(L"M").Masked(1);
    EXPECT_EQ(WriteArchive(model, settings), expected.Bytes());
}

TEST(LayoutArchiveFormat, StringsTakeEveryLengthFormAndReadBack)
{
    struct Case {
        int length;
        std::vector<BYTE> prefix; // after FF FE FF
    };
    const Case cases[] = {
        { 0, { 0x00 } },
        { 3, { 0x03 } },
        { 254, { 0xFE } },
        { 255, { 0xFF, 0xFF, 0x00 } },
        { 65533, { 0xFF, 0xFD, 0xFF } },
        { 65534, { 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00 } },
        { 65535, { 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00 } },
        { 70000, { 0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00 } },
    };
    for (const Case& c : cases) {
        CEditorValuesGuard guard;
        CLayoutData model;
        model.m_width = 4;
        model.m_height = 4;
        model.ResetPorts(1, 4, CString(L"RGB"), 0);
        CLayoutProjectSettings settings;
        settings.SetControllers(1, 1);
        settings.m_lampFormat = L"";
        LampTypeList.RemoveAll();
        std::wstring text;
        for (int i = 0; i < c.length; ++i)
            text.push_back(i % 7 == 6 ? L'\u706f' : static_cast<wchar_t>(L'A' + i % 26));
        settings.m_controllerModel = CString(text.c_str(), c.length);

        const std::vector<BYTE> written = WriteArchive(model, settings);
        // Ports, points, width, height, controller count, one count, lamp
        // format count, the empty project lamp format, six numbers.
        const size_t at = 384 + 4 * 7 + 4 + 4 * 6;
        std::vector<BYTE> prefix = { 0xFF, 0xFE, 0xFF };
        prefix.insert(prefix.end(), c.prefix.begin(), c.prefix.end());
        EXPECT_EQ(Slice(written, at, prefix.size()), prefix) << c.length;
        const std::vector<BYTE> body = Slice(written, at + prefix.size(), 4);
        if (c.length >= 2) {
            EXPECT_EQ(body, (std::vector<BYTE> { 'A', 0, 'B', 0 })) << c.length;
        }

        CLayoutData loaded;
        CReaderView view;
        ASSERT_EQ(ReadArchive(&view, written, loaded), LayoutReadResult::Ok) << c.length;
        EXPECT_EQ(view.m_settings.m_controllerModel.GetLength(), c.length);
        EXPECT_TRUE(view.m_settings.m_controllerModel == settings.m_controllerModel) << c.length;
        EXPECT_TRUE(view.m_settings.m_lampFormat.IsEmpty());
    }
}

TEST(LayoutArchiveFormat, NormalisedPositionsKeepTheLow32Bits)
{
    struct Case {
        double value;
        DWORD stored;
        double readBack;
    };
    const Case cases[] = {
        { 0.0, 0, 0.0 }, { 0.5, 5000000, 0.5 }, { 0.12345678, 1234567, 0.1234567 }, // truncated toward zero
        { 1.0, 10000000, 1.0 }, { 65536.0, 2524971008u, 252.4971008 }, // the unset marker does not survive
        { -0.5, 4289967296u, 428.9967296 }, // negative values read back unsigned
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeArchiveNormalised(c.value), c.stored) << c.value;
        EXPECT_NEAR(DecodeArchiveNormalised(c.stored), c.readBack, 1e-9) << c.value;
    }
    EXPECT_EQ(EncodeArchiveNormalised(1e300), 0u);
}
