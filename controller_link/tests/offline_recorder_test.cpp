// The off-line show file of a tiny screen (two controllers, five lamps),
// byte for byte against a file laid out by hand: block A with a schedule and
// a password, block B's sync and start commands, three frames of packet
// slots, the masked layout copy and its trailer. Then the defaults of a
// file without frames, schedule or password.
#include "OfflineRecorder.h"
#include "RecorderFixture.h"

#include <cstring>
#include <ctime>

#include <fw_replacefile.h>

namespace {

using namespace corvane_test;

void Put16(Bytes& b, std::size_t at, unsigned v)
{
    b[at] = std::uint8_t(v);
    b[at + 1] = std::uint8_t(v >> 8);
}
void Put32(Bytes& b, std::size_t at, std::uint32_t v)
{
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}
void PutBytes(Bytes& b, std::size_t at, const Bytes& v)
{
    std::copy(v.begin(), v.end(), b.begin() + std::ptrdiff_t(at));
}

std::uint16_t Folded(std::uint32_t sum)
{
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return std::uint16_t(sum);
}

const Bytes kSenderMac { 0x02, 0x11, 0x22, 0x33, 0x44, 0x55 };
Bytes ControllerMac(int k)
{
    return { 0x00, 'Q', 'V', 'T', 'N', std::uint8_t(k + 1) };
}

// One slot: Ethernet header, the IPv4 header (its checksum worked out by
// hand for 127.0.0.1 to 192.168.0.101 and .102), the UDP header with its
// checksum over the 1472 payload bytes, then the payload.
Bytes Slot(int controller, const Bytes& payload1472)
{
    Bytes s(1536, 0);
    PutBytes(s, 0, ControllerMac(controller));
    PutBytes(s, 6, kSenderMac);
    PutBytes(s, 12, { 0x08, 0x00 });
    const std::uint8_t last = std::uint8_t(101 + controller);
    const std::uint16_t ipSum = controller == 0 ? 0x5402 : 0x5401;
    PutBytes(s, 14,
        { 0x45, 0x00, 0x05, 0xDC, 0xE1, 0x00, 0x00, 0x00, 0x40, 0x11, std::uint8_t(ipSum >> 8), std::uint8_t(ipSum),
            127, 0, 0, 1, 192, 168, 0, last });
    // UDP: pseudo-header, ports and length 1500, then the payload words.
    std::uint32_t sum = 0x7F00 + 0x0001 + 0xC0A8 + (0x0000 | last) + 17 + 1500;
    sum += 12345 + 12345 + 1500;
    for (std::size_t i = 0; i < payload1472.size(); i += 2)
        sum += (std::uint32_t(payload1472[i]) << 8) | (i + 1 < payload1472.size() ? payload1472[i + 1] : 0);
    const std::uint16_t udpSum = std::uint16_t(~Folded(sum));
    PutBytes(s, 34, { 0x30, 0x39, 0x30, 0x39, 0x05, 0xDC, std::uint8_t(udpSum >> 8), std::uint8_t(udpSum) });
    PutBytes(s, 42, payload1472);
    return s;
}

Bytes Rgb(const Bytes& frame, int x, int y)
{
    const std::size_t at = std::size_t(x + 4 * y) * 4;
    return { frame[at + 2], frame[at + 1], frame[at] };
}

Bytes Cat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

// The 1472-byte block of one port: magic, port number, chunk count, 1, chunks.
Bytes Block(unsigned port, const std::vector<std::pair<std::uint32_t, Bytes>>& chunks)
{
    Bytes b(1472, 0);
    PutBytes(b, 0, { 'Q', 'V', 'T', 'N' });
    Put16(b, 4, port);
    b[6] = std::uint8_t(chunks.size());
    b[7] = 1;
    std::size_t at = 8;
    for (const auto& [position, data] : chunks) {
        Put32(b, at, position);
        Put16(b, at + 4, unsigned(data.size()));
        PutBytes(b, at + 6, data);
        at += 6 + data.size();
    }
    return b;
}

Bytes Command(std::uint8_t code, std::uint32_t value, const Bytes& payload)
{
    Bytes c(1472, 0);
    PutBytes(c, 0, { 'Q', 'V', 'T', 'N', 0xFF, 0xFF, 0, code });
    Put32(c, 8, value);
    Put16(c, 12, unsigned(payload.size()));
    PutBytes(c, 14, payload);
    return c;
}

// A command slot holds the 60-byte stored frame and zeros: the UDP checksum
// covers the 18 command bytes only.
Bytes CommandSlot(int controller, const Bytes& command)
{
    Bytes s = Slot(controller, Bytes(command.begin(), command.begin() + 18));
    std::fill(s.begin() + 60, s.end(), 0);
    return s;
}

__int64 LocalTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm t {};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return _mktime64(&t);
}

void ExpectSameBytes(const Bytes& actual, const Bytes& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    const auto diff = std::mismatch(actual.begin(), actual.end(), expected.begin());
    EXPECT_TRUE(diff.first == actual.end()) << "first difference at offset " << (diff.first - actual.begin()) << ": "
                                            << int(*diff.first) << " instead of " << int(*diff.second);
}

class OfflineFile : public CRecorderTest { };

TEST_F(OfflineFile, TinyScreenThreeFramesByteForByte)
{
    LoadLayout(TinyLayout());
    const std::wstring path = Path(L"OFF001.arm");
    ASSERT_EQ(LEDRecordingInit(1, path.c_str(), 25), 0);
    std::vector<Bytes> frames;
    double size = 0;
    for (int f = 0; f < 3; ++f) {
        frames.push_back(TinyFrame(f));
        Bytes pixels = frames.back();
        ASSERT_EQ(LEDRecordingFrame(pixels.data(), 1, &size), 0);
        if (f == 0) {
            EXPECT_DOUBLE_EQ(size, (2097152.0 + 3584.0) / 1048576.0);
        }
    }
    EXPECT_DOUBLE_EQ(size, (2097152.0 + 3 * 3584.0) / 1048576.0);

    CStringArray cards;
    cards.Add(L"CARD-A");
    cards.Add(L"0123456789ABCDEFGH"); // cut at 16 bytes
    cards.Add(L"C");
    cards.Add(L"");
    const std::int32_t weekdays[7] = { 1, 0, 1, 0, 1, 0, 1 };
    const std::int32_t slotEnabled[13] = { 1, 0, 0 };
    std::int64_t starts[13] = {};
    std::int64_t ends[13] = {};
    starts[0] = LocalTime(2024, 5, 6, 8, 30, 15);
    ends[0] = LocalTime(2024, 5, 6, 17, 45, 0);
    const std::uint8_t password[4] = { 1, 2, 3, 4 };
    RecordingSettings s {};
    s.settings0 = 1;
    s.settings1 = 0;
    s.playSeconds = 3600;
    s.cardStrings = &cards;
    s.playWindowEnabled = 1;
    s.yearLimit = 1;
    s.monthLimit = 0;
    s.dayLimit = 1;
    s.startDate = LocalTime(2024, 3, 9, 12, 0, 0);
    s.endDate = LocalTime(2025, 11, 28, 12, 0, 0);
    s.timeLimit = 1;
    s.startTime = LocalTime(2024, 1, 1, 7, 5, 9);
    s.endTime = LocalTime(2024, 1, 1, 22, 40, 1);
    s.weekdayLimit = 1;
    s.weekdays = weekdays;
    s.playAtOnce = 1;
    s.slotMask = 0x0005; // slots 0 and 2
    s.slotEnabled = slotEnabled;
    s.slotStarts = starts;
    s.slotEnds = ends;
    s.slotCount = 13;
    s.password = password;
    ASSERT_EQ(LEDRecordingStop(s), 0);

    // Block A.
    Bytes a(1048576, 0);
    PutBytes(a, 0, { 40, 1, 7, 0, 3, 0, 0, 0, 1, 0 });
    PutBytes(a, 12, { 1 ^ 'Q', 2 ^ 'V', 3 ^ 'T', 4 ^ 'N' });
    a[18] = 1;
    PutBytes(a, 512, Bytes(64, ' '));
    PutBytes(a, 512, { 'C', 'A', 'R', 'D', '-', 'A' });
    PutBytes(a, 528, { '0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'A', 'B', 'C', 'D', 'E', 'F' });
    a[544] = 'C';
    PutBytes(a, 1024, Bytes(24, ' '));
    PutBytes(a, 1024, { 'P', 'l', 'a', 'y', '1' });
    PutBytes(a, 1048, { 3, 0, 0, 0, 1, 1, 1 });
    PutBytes(a, 1056,
        { 0xE8, 0x07, 1, 9, 7, 5, 9, 1, 0, 1, 0, 1, 0, 1, 0, 0, //
            0xE9, 0x07, 12, 28, 22, 40, 1, 0x10, 0x0E, 0, 0, 0, 1, 0 });
    PutBytes(a, 65536, { 5, 0 });
    Put32(a, 65552, (8 * 60 + 30) * 60 + 15);
    Put32(a, 65556, (17 * 60 + 45) * 60);
    Put32(a, 65568, 0);
    Put32(a, 65572, 86399);

    // Block B: 6 x 2 + 1 sectors, syncs (code 60) then starts (code 14,
    // value 4096, first port index + 1).
    Bytes b(1048576, 0);
    Put16(b, 0, 13);
    PutBytes(b, 512, CommandSlot(0, Command(60, 0, {})));
    PutBytes(b, 512 + 1536, CommandSlot(1, Command(60, 0, {})));
    PutBytes(b, 512 + 2 * 1536, CommandSlot(0, Command(14, 4096, { 1, 0 })));
    PutBytes(b, 512 + 3 * 1536, CommandSlot(1, Command(14, 4096, { 2, 0 })));

    Bytes expected = Cat({ a, b });
    for (const Bytes& f : frames) {
        Bytes frame(512, 0);
        PutBytes(frame, 0, { 'Q', 'V', 'T', 'N' });
        const Bytes port1 = Block(1, { { 0, Cat({ Rgb(f, 0, 0), Rgb(f, 1, 0) }) }, { 1u << 16, Rgb(f, 2, 0) } });
        const Bytes port2 = Block(2, { { 0, Cat({ Rgb(f, 0, 1), Rgb(f, 3, 1) }) } });
        expected = Cat({ expected, frame, Slot(0, port1), Slot(1, port2) });
    }
    Bytes layout = LayoutBytes();
    ASSERT_GE(layout.size(), 10u);
    for (int i = 0; i < 10; ++i)
        layout[std::size_t(i)] ^= (i % 2 == 0) ? 'Q' : 'Z';
    Bytes trailer(10, 0);
    Put32(trailer, 0, std::uint32_t(layout.size()));
    PutBytes(trailer, 4, { 'L', 'A', 'Y', 'O', 'U', 'T' });
    for (int i = 0; i < 10; ++i)
        trailer[std::size_t(i)] ^= (i % 2 == 0) ? 'Q' : 'Z';
    expected = Cat({ expected, layout, trailer });

    ExpectSameBytes(ReadFileBytes(path), expected);

    // And a player reads it back.
    ShowFile show;
    ASSERT_TRUE(ReadShowFile(path, show));
    EXPECT_EQ(show.frames, 3u);
    ASSERT_EQ(show.frameList.size(), 3u);
    EXPECT_EQ(show.frameList[2].slotPorts, (std::vector<int> { 1, 2 }));
    EXPECT_EQ(show.frameList[2].ports[2][0], Cat({ Rgb(frames[2], 0, 1), Rgb(frames[2], 3, 1) }));
    EXPECT_EQ(show.commands.size(), 4u);
    EXPECT_EQ(show.layout, LayoutBytes());
    EXPECT_FALSE(GetFileAttributesW(AfxReplacementTempPath(path.c_str())) != INVALID_FILE_ATTRIBUTES);
}

TEST_F(OfflineFile, NoFramesNoScheduleNoPasswordAndNoLayoutCopy)
{
    LoadLayout(TinyLayout(), false); // one multicast controller
    const std::wstring path = Path(L"OFF002.arm");
    ASSERT_EQ(LEDRecordingInit(1, path.c_str(), 30), 0);
    CStringArray cards;
    RecordingSettings s = PlainSettings(cards);
    s.playSeconds = 0x01020304;
    s.playAtOnce = 1; // ignored with the play window off
    s.slotMask = 0x30000; // only the low 16 bits count
    ASSERT_EQ(LEDRecordingStop(s), 0);

    ShowFile show;
    ASSERT_TRUE(ReadShowFile(path, show));
    const Bytes& a = show.blockA;
    EXPECT_EQ(a[0], 33); // 1000 / 30
    EXPECT_EQ(U32(a, 4), 0u);
    EXPECT_EQ(Bytes(a.begin() + 12, a.begin() + 16), (Bytes { 'Q', 'V', 'T', 'N' }));
    EXPECT_EQ(a[18], 0);
    EXPECT_EQ(Bytes(a.begin() + 512, a.begin() + 576), Bytes(64, ' '));
    EXPECT_EQ(a[1053], 0);
    EXPECT_EQ(a[1054], 0);
    Bytes record(32, 0);
    PutBytes(record, 23, { 4, 3, 2, 1 });
    EXPECT_EQ(Bytes(a.begin() + 1056, a.begin() + 1088), record);
    EXPECT_EQ(U16(a, 65536), 0u);
    // Not grouped: 7 sectors, one sync and one start to 224.1.1.1 with the
    // screen's first port.
    EXPECT_EQ(U16(show.blockB, 0), 7u);
    ASSERT_EQ(show.commands.size(), 2u);
    EXPECT_EQ(show.commands[1].payload[7], 14);
    EXPECT_EQ(U16(show.commands[1].payload, 14), 1u);
    const std::uint8_t group[4] = { 224, 1, 1, 1 };
    EXPECT_EQ(0, std::memcmp(&show.commands[0].destinationIp, group, 4));
    // The layout follows block B directly.
    EXPECT_TRUE(show.hasLayout);
    EXPECT_EQ(ReadFileBytes(path).size(), 2097152u + LayoutBytes().size() + 10);

    // Without the layout copy the file ends after block B.
    DeleteFileW(m_layoutPath.c_str());
    ASSERT_EQ(LEDRecordingInit(1, path.c_str(), 30), 0);
    ASSERT_EQ(LEDRecordingStop(s), 0);
    EXPECT_EQ(ReadFileBytes(path).size(), 2097152u);
}

TEST_F(OfflineFile, AFrameNeedingMoreThan6400SlotsFailsTheRecording)
{
    // 80 controllers of two outputs, each output 60,003 bytes (a data
    // offset of 60,000 before its one lamp): about 82 slots a port, more
    // than 6,400 a frame.
    TestLayout layout;
    layout.width = 4;
    layout.height = 2;
    layout.dataOffset = 60000;
    for (int c = 0; c < 80; ++c) {
        TestPort first;
        first.lamps = { Lamp(0, 0) };
        TestPort second;
        second.lamps = { Lamp(1, 0) };
        layout.controllers.push_back({ first, second });
    }
    LoadLayout(layout, false);
    const std::wstring path = Path(L"OFF003.arm");
    ASSERT_EQ(LEDRecordingInit(1, path.c_str(), 25), 0);
    Bytes frame = TinyFrame(0);
    double size = 0;
    // Refused whole rather than stored cut short, and the recording fails.
    EXPECT_EQ(LEDRecordingFrame(frame.data(), 0, &size), kRecordFileFailed);
    CStringArray cards;
    EXPECT_EQ(LEDRecordingStop(PlainSettings(cards)), kRecordFileFailed);
    EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
