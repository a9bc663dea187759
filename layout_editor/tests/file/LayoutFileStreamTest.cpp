// The writer streams a layout through a buffer of bounded size: the bytes do
// not depend on where the pieces end, a sink that refuses a piece stops the
// write, and a save that fails midway leaves the previous file in place.
#include "SmallLayout.h"

#include <fw_replacefile.h>

#include <cstdint>

#include "LayoutLangText.h"
#include "LayoutMessages.h"

namespace {

// Large enough for several buffers: 12 ports of up to 3,072 lamps, adjusted
// tables, long texts, four curves and lamps with every kind of position.
void BuildLargeLayout(CLayoutData& model, CLayoutProjectSettings& settings)
{
    BuildSmallLayout(model, settings);
    constexpr int kPorts = 12;
    model.ResetPorts(kPorts, kMaxPortPoints, CString(L"RGB"), 0);
    model.m_width = 3000;
    model.m_height = 2000;
    model.m_templateKind = 1;
    for (int p = 0; p < kPorts; ++p) {
        LayoutPort port;
        port.Allocate(kMaxPortPoints);
        port.m_colour = 0x00102030u * static_cast<COLORREF>(p + 1);
        port.m_lampFormat = CString(L'R', 1 + 83 * p);
        port.m_lampFormatIndex = p % 3;
        port.m_dataReversed = static_cast<BYTE>(p % 2);
        port.m_brightness[static_cast<size_t>(p * 850)] = static_cast<BYTE>(p);
        port.m_gamma[static_cast<size_t>(kPortTableSize - 1 - p)] = 2;
        std::vector<CLPoint> lamps;
        const int count = p == 3 ? 0 : kMaxPortPoints - 211 * p;
        for (int i = 0; i < count; ++i) {
            CLPoint lamp(i % 3000 - p, (i * 7 + p) % 2000);
            switch (i % 5) {
            case 0:
                lamp.m_normX = (lamp.x + 0.5) / 3000;
                lamp.m_normY = (lamp.y + 0.5) / 2000;
                break;
            case 1:
                break; // unset
            case 2:
                lamp.m_normX = -0.000123 * i;
                lamp.m_normY = 214.75; // beyond 32 bits when scaled
                break;
            default:
                lamp.m_normX = i / 10000000.0;
                lamp.m_normY = 1.0 - i / 3072.0;
            }
            lamp.m_lampFormat = static_cast<BYTE>(i % 4);
            lamp.m_masked = static_cast<BYTE>(i % 7 == 0);
            lamp.m_layer = static_cast<BYTE>(i % 251);
            lamps.push_back(lamp);
        }
        port.InsertPoints(lamps.data(), count);
        model.AppendLoadedPort(port);
    }
    settings.SetControllers(1, kPorts);
    settings.m_controllerModel = CString(L'M', 511);
    for (int i = 0; i < 300; ++i)
        settings.m_vRulers.Add(static_cast<WORD>(i * 3));
    for (int i = 0; i < 200; ++i)
        LampTypeList.Add(CString(L'W', i % 40));
    GammaCurveTables.m_count = kMaxUserCurves;
    for (int c = 0; c < kMaxUserCurves; ++c)
        for (int e = 0; e < kCurveEntries; ++e)
            GammaCurveTables.m_curves[c][e] = static_cast<BYTE>(e * (c + 1));
}

// FNV-1a over the bytes.
std::uint64_t Fingerprint(const std::vector<BYTE>& bytes)
{
    std::uint64_t h = 14695981039346656037ull;
    for (BYTE b : bytes) {
        h ^= b;
        h *= 1099511628211ull;
    }
    return h;
}

// The fingerprint of the large layout's file with kSmallKey, as the writer
// that built the whole file in one buffer stored it.
constexpr std::uint64_t kLargeLayoutFingerprint = 0xa27b1ff997cfc12aull;

// Collects the pieces and checks their sizes against the buffer's.
class CPieceSink : public ILayoutByteSink {
public:
    explicit CPieceSink(size_t most, int refuseAt = -1)
        : m_most(most)
        , m_refuseAt(refuseAt)
    {
    }
    bool Begin(size_t size) override
    {
        m_begun = size;
        return true;
    }
    bool Put(const BYTE* data, size_t count) override
    {
        ++m_puts;
        if (count == 0 || count > m_most)
            m_badPieces = true;
        if (m_refused)
            m_putAfterRefusal = true;
        if (m_puts - 1 == m_refuseAt) {
            m_refused = true;
            return false;
        }
        m_bytes.insert(m_bytes.end(), data, data + count);
        return true;
    }

    size_t m_most;
    int m_refuseAt;
    size_t m_begun = 0;
    int m_puts = 0;
    bool m_badPieces = false;
    bool m_refused = false;
    bool m_putAfterRefusal = false;
    std::vector<BYTE> m_bytes;
};

std::uint32_t BigEndian(const BYTE* p)
{
    return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16)
        | (static_cast<std::uint32_t>(p[2]) << 8) | p[3];
}

class LayoutFileStream : public ::testing::Test {
protected:
    void SetUp() override { BuildLargeLayout(m_model, m_settings); }

    CEditorValuesGuard m_guard;
    CLayoutData m_model;
    CLayoutProjectSettings m_settings;
};

TEST_F(LayoutFileStream, ALargeLayoutIsWrittenExactlyAsBefore)
{
    std::vector<BYTE> bytes;
    ASSERT_EQ(BuildLayoutFileBytes(m_model, m_settings, kSmallKey, bytes), LayoutWriteResult::Ok);
    ASSERT_GT(bytes.size(), 2 * kLayoutWriteBufferBytes);
    EXPECT_EQ(Fingerprint(bytes), kLargeLayoutFingerprint) << std::hex << Fingerprint(bytes);

    // Every lamp record, found by walking the blocks, holds its lamp.
    const BYTE key = 0x1F;
    size_t at = kHeaderAt + ((bytes[kHeaderAt] << 8) | (bytes[kHeaderAt + 1] ^ key));
    for (int p = 0; p < m_model.GetPortCount(); ++p) {
        SCOPED_TRACE(p);
        const LayoutPort& port = m_model.GetPort(p);
        ASSERT_LT(at + 6, bytes.size());
        EXPECT_EQ((bytes[at + 4] << 8) | (bytes[at + 5] ^ key), port.GetCount());
        at += (bytes[at] << 8) | (bytes[at + 1] ^ key); // port block
        at += (bytes[at] << 8) | (bytes[at + 1] ^ key); // brightness
        at += (bytes[at] << 8) | (bytes[at + 1] ^ key); // gamma curves
        for (int i = 0; i < port.GetCount(); ++i, at += kLayoutLampRecordSize) {
            const CLPoint& lamp = port.GetPoint(i);
            ASSERT_LE(at + kLayoutLampRecordSize, bytes.size());
            const BYTE* r = bytes.data() + at;
            ASSERT_EQ(r[0], 0);
            ASSERT_EQ(r[1], kLayoutLampRecordSize ^ key);
            ASSERT_EQ(BigEndian(r + 2), static_cast<std::uint32_t>(lamp.x) ^ key) << i;
            ASSERT_EQ(BigEndian(r + 6), static_cast<std::uint32_t>(lamp.y) ^ key) << i;
            ASSERT_EQ(BigEndian(r + 10), static_cast<std::uint32_t>(lamp.y) ^ key) << i;
            ASSERT_EQ(BigEndian(r + 14), static_cast<std::uint32_t>(EncodeNormalised(lamp.m_normX)) ^ key) << i;
            ASSERT_EQ(BigEndian(r + 18), static_cast<std::uint32_t>(EncodeNormalised(lamp.m_normY)) ^ key) << i;
            ASSERT_EQ(BigEndian(r + 22), BigEndian(r + 18)) << i;
            ASSERT_EQ(r[26], lamp.m_lampFormat);
            ASSERT_EQ(r[27], lamp.m_masked);
            ASSERT_EQ(r[28], lamp.m_layer);
        }
    }
    EXPECT_EQ(at + 1 + kMaxUserCurves * kCurveEntries, bytes.size());
}

TEST_F(LayoutFileStream, TheBytesDoNotDependOnTheBufferSize)
{
    std::vector<BYTE> whole;
    ASSERT_EQ(BuildLayoutFileBytes(m_model, m_settings, kSmallKey, whole), LayoutWriteResult::Ok);
    // Pieces ending inside every kind of field: a lamp record (29 bytes),
    // odd sizes, a page, and the writer's own size.
    for (size_t buffer : { size_t(1), size_t(29), size_t(30), size_t(57), size_t(1000), size_t(4096), size_t(65537),
             kLayoutWriteBufferBytes }) {
        SCOPED_TRACE(buffer);
        CPieceSink sink(std::max<size_t>(buffer, kLayoutLampRecordSize));
        ASSERT_EQ(StreamLayoutBytes(EditorLayoutWriteSource(m_model, m_settings), kSmallKey, sink, buffer),
            LayoutWriteResult::Ok);
        EXPECT_EQ(sink.m_begun, whole.size());
        EXPECT_FALSE(sink.m_badPieces);
        EXPECT_TRUE(sink.m_bytes == whole);
    }
}

TEST_F(LayoutFileStream, ASinkThatRefusesAPieceStopsTheWrite)
{
    for (int refuseAt : { 0, 1, 3 }) {
        SCOPED_TRACE(refuseAt);
        CPieceSink sink(kLayoutWriteBufferBytes, refuseAt);
        EXPECT_EQ(StreamLayoutBytes(EditorLayoutWriteSource(m_model, m_settings), kSmallKey, sink),
            LayoutWriteResult::NotCreated);
        EXPECT_TRUE(sink.m_refused);
        EXPECT_FALSE(sink.m_putAfterRefusal);
    }
}

struct RecordedMessage {
    CString text;
};
std::vector<RecordedMessage> g_messages;

void RecordMessage(LPCWSTR text, LPCWSTR)
{
    g_messages.push_back({ text });
}

TEST_F(LayoutFileStream, AWriteThatFailsMidwayKeepsThePreviousFileAndLeavesNoTemporary)
{
    CTempPath path(L"midway");
    const std::vector<BYTE> previous(3000, 0x5A);
    ASSERT_TRUE(WriteFileBytes(path.Path(), previous));
    g_messages.clear();
    const LayoutMessageHandler before = SetLayoutMessageHandler(&RecordMessage);
    // The disk fills after the first piece.
    CReplacingFile::SetWriteBudgetForTests(static_cast<long long>(kLayoutWriteBufferBytes) + 100);
    const LayoutWriteResult result = WriteLayoutFile(m_model, path.Path(), m_settings, kSmallKey);
    CReplacingFile::SetWriteBudgetForTests(-1);
    SetLayoutMessageHandler(before);

    EXPECT_EQ(result, LayoutWriteResult::NotCreated);
    EXPECT_EQ(FileBytes(path.Path()), previous);
    EXPECT_EQ(::GetFileAttributesW(AfxReplacementTempPath(path.Path())), INVALID_FILE_ATTRIBUTES);
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0].text, GetLangText(L"LAYOUT", 168));

    // With room again the same save succeeds.
    std::vector<BYTE> expected;
    ASSERT_EQ(BuildLayoutFileBytes(m_model, m_settings, kSmallKey, expected), LayoutWriteResult::Ok);
    ASSERT_EQ(WriteLayoutFile(m_model, path.Path(), m_settings, kSmallKey), LayoutWriteResult::Ok);
    EXPECT_TRUE(FileBytes(path.Path()) == expected);
}

} // namespace
