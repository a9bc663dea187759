// Off-line show file reader for the tests (see ShowFileReader.h).
#include "ShowFileReader.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace corvane_test {

namespace {

constexpr std::size_t kBlock = 1048576;
constexpr std::size_t kSlot = 1536;

std::uint16_t Checksum(const std::uint8_t* p, std::size_t n)
{
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i + 1 < n; i += 2)
        sum += (std::uint32_t(p[i]) << 8) | p[i + 1];
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return std::uint16_t(~sum);
}

StoredSlot ReadSlot(const std::uint8_t* s)
{
    StoredSlot slot;
    std::memcpy(slot.destinationMac.data(), s, 6);
    std::memcpy(slot.sourceMac.data(), s + 6, 6);
    slot.scramble = s[19];
    std::memcpy(&slot.sourceIp, s + 26, 4);
    std::memcpy(&slot.destinationIp, s + 30, 4);
    slot.ipChecksumOk = Checksum(s + 14, 20) == 0;
    slot.payload.assign(s + 42, s + 42 + 1472);
    for (std::uint8_t& b : slot.payload)
        b ^= slot.scramble;
    return slot;
}

} // namespace

std::uint32_t U32(const Bytes& b, std::size_t at)
{
    return b[at] | (std::uint32_t(b[at + 1]) << 8) | (std::uint32_t(b[at + 2]) << 16)
        | (std::uint32_t(b[at + 3]) << 24);
}

unsigned U16(const Bytes& b, std::size_t at)
{
    return b[at] | (unsigned(b[at + 1]) << 8);
}

bool ReadShowFile(const std::wstring& path, ShowFile& show)
{
    const Bytes file = ReadFileBytes(path);
    if (file.size() < 2 * kBlock) {
        ADD_FAILURE() << "show file shorter than its header blocks: " << file.size();
        return false;
    }
    show.blockA.assign(file.begin(), file.begin() + kBlock);
    show.blockB.assign(file.begin() + kBlock, file.begin() + 2 * kBlock);
    show.frameIntervalMs = show.blockA[0];
    show.frameSectors = U16(show.blockA, 2);
    show.frames = U32(show.blockA, 4);
    for (std::size_t at = 512; at + kSlot <= kBlock; at += kSlot) {
        if (show.blockB[at + 12] != 0x08)
            break;
        show.commands.push_back(ReadSlot(show.blockB.data() + at));
    }

    const std::size_t frameSize = std::size_t(show.frameSectors) * 512;
    std::size_t at = 2 * kBlock;
    for (std::uint32_t f = 0; f < show.frames; ++f) {
        if (frameSize < 512 || at + frameSize > file.size()) {
            ADD_FAILURE() << "frame " << f << " runs past the end of the file";
            return false;
        }
        EXPECT_EQ(0, std::memcmp(file.data() + at, "QVTN", 4)) << "frame magic of frame " << f;
        ShowFrame frame;
        for (std::size_t s = at + 512; s < at + frameSize; s += kSlot) {
            StoredSlot slot = ReadSlot(file.data() + s);
            const Bytes& p = slot.payload;
            EXPECT_EQ(0, std::memcmp(p.data(), "QVTN", 4));
            const int port = int(U16(p, 4));
            const int chunks = p[6];
            std::size_t c = 8;
            for (int k = 0; k < chunks && c + 6 <= p.size(); ++k) {
                const std::uint32_t position = U32(p, c);
                const unsigned n = U16(p, c + 4);
                if (c + 6 + n > p.size()) {
                    ADD_FAILURE() << "chunk runs past its block";
                    return false;
                }
                Bytes& out = frame.ports[port][int(position >> 16)];
                const std::size_t offset = position & 0xFFFF;
                if (out.size() < offset + n)
                    out.resize(offset + n);
                std::memcpy(out.data() + offset, p.data() + c + 6, n);
                c += 6 + n;
            }
            frame.slotPorts.push_back(port);
            frame.slots.push_back(std::move(slot));
        }
        show.frameList.push_back(std::move(frame));
        at += frameSize;
    }
    if (at == file.size())
        return true;
    if (file.size() - at < 10) {
        ADD_FAILURE() << "bytes after the frames too short for a trailer";
        return false;
    }
    Bytes trailer(file.end() - 10, file.end());
    for (std::size_t i = 0; i < trailer.size(); ++i)
        trailer[i] ^= (i % 2 == 0) ? 'Q' : 'Z';
    EXPECT_EQ(0, std::memcmp(trailer.data() + 4, "LAYOUT", 6));
    const std::uint32_t length = U32(trailer, 0);
    if (file.size() - at != length + 10u) {
        ADD_FAILURE() << "layout length " << length << " does not match the " << (file.size() - at) << " bytes left";
        return false;
    }
    show.layout.assign(file.begin() + std::ptrdiff_t(at), file.end() - 10);
    for (std::size_t i = 0; i < show.layout.size() && i < 10; ++i)
        show.layout[i] ^= (i % 2 == 0) ? 'Q' : 'Z';
    show.hasLayout = true;
    return true;
}

} // namespace corvane_test
