// Stored datagrams and commands of off-line show files (see StoredPackets.h).
#include "StoredPackets.h"

#include "AdapterTable.h"
#include "CommandProtocol.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace stored {

namespace {

void PutBE16(std::uint8_t* p, unsigned v)
{
    p[0] = std::uint8_t(v >> 8);
    p[1] = std::uint8_t(v);
}

std::uint32_t SumWords(const std::uint8_t* bytes, std::size_t length, std::uint32_t sum)
{
    // A one's complement sum does not depend on the order of its additions
    // or of the bytes in its words: four bytes are added at a time in the
    // machine's order into 64 bits (no carry is lost), the carries are
    // brought round when folding, and the folded sum is turned back into
    // big-endian order. The folded sum is the same.
    std::uint64_t wide = 0;
    std::size_t i = 0;
    for (; i + 4 <= length; i += 4) {
        std::uint32_t v = 0;
        std::memcpy(&v, bytes + i, sizeof v);
        wide += v;
    }
    wide = (wide & 0xFFFFFFFFu) + (wide >> 32);
    wide = (wide & 0xFFFFFFFFu) + (wide >> 32);
    wide = (wide & 0xFFFFu) + (wide >> 16);
    wide = (wide & 0xFFFFu) + (wide >> 16);
    sum += std::uint32_t(((wide & 0xFFu) << 8) | (wide >> 8));
    for (; i + 1 < length; i += 2)
        sum += (std::uint32_t(bytes[i]) << 8) | bytes[i + 1];
    if (i < length)
        sum += std::uint32_t(bytes[i]) << 8;
    return sum;
}

std::uint16_t Fold(std::uint32_t sum)
{
    while (sum >> 16)
        sum = (sum & 0xFFFFu) + (sum >> 16);
    return std::uint16_t(~sum & 0xFFFFu);
}

// The IPv4 and UDP headers of a stored datagram at `ip`; `payloadSum` is the
// unfolded sum of the payload's words as they are stored.
void WriteIpUdpHeaders(std::uint8_t* ip, const std::uint8_t source[4], const std::uint8_t destination[4],
    std::uint8_t scrambleByte, std::uint32_t payloadSum)
{
    ip[0] = 0x45;
    ip[1] = 0x00;
    PutBE16(ip + 2, kStoredLengthField);
    ip[4] = kIdentificationHigh;
    ip[5] = scrambleByte;
    ip[6] = ip[7] = 0;
    ip[8] = 64;
    ip[9] = 17;
    ip[10] = ip[11] = 0;
    std::memcpy(ip + 12, source, 4);
    std::memcpy(ip + 16, destination, 4);
    PutBE16(ip + 10, InternetChecksum(ip, 20));

    std::uint8_t* udp = ip + 20;
    PutBE16(udp, kStoredUdpPort);
    PutBE16(udp + 2, kStoredUdpPort);
    PutBE16(udp + 4, kStoredLengthField);
    udp[6] = udp[7] = 0;

    std::uint8_t pseudo[12];
    std::memcpy(pseudo, source, 4);
    std::memcpy(pseudo + 4, destination, 4);
    pseudo[8] = 0;
    pseudo[9] = 17;
    PutBE16(pseudo + 10, kStoredLengthField);
    std::uint32_t sum = SumWords(pseudo, sizeof pseudo, payloadSum);
    sum = SumWords(udp, 6, sum); // ports and length, without the checksum field
    PutBE16(udp + 6, Fold(sum));
}

void Scramble(std::uint8_t* bytes, std::size_t length, std::uint8_t r)
{
    for (std::size_t i = 0; i < length; ++i)
        bytes[i] ^= r;
}

} // namespace

std::uint16_t InternetChecksum(const std::uint8_t* bytes, std::size_t length)
{
    return Fold(SumWords(bytes, length, 0));
}

int DatagramBlockCount(int length)
{
    if (length <= kIpUdpHeaderSize)
        return 0;
    return (length - kIpUdpHeaderSize - 1) / kBlockStride + 1;
}

void WriteEthernetHeader(std::uint8_t* out, const std::uint8_t destinationMac[6], const std::uint8_t sourceMac[6])
{
    std::memcpy(out, destinationMac, 6);
    std::memcpy(out + 6, sourceMac, 6);
    out[12] = 0x08;
    out[13] = 0x00;
}

CPacketAssembler::CPacketAssembler()
    : m_buffer(kPackingBufferSize, 0)
    , m_random(GetTickCount() | 1u)
{
}

int CPacketAssembler::PackPortData(const unsigned char* const data[netrove::kOutputCount],
    const unsigned short lengths[netrove::kOutputCount], std::uint16_t port, const char* controllerIp,
    const char* senderIp)
{
    if (!AnyLength(lengths))
        return -2;
    // Every datagram starts from zeros: the gaps between blocks are summed
    // into the UDP checksum (the packer writes every byte of a block itself).
    ClearUsed();
    const int blocks = netrove::PackPortBlocksInto(data, lengths, port, m_buffer.data() + kIpUdpHeaderSize,
        std::size_t(kMaxDatagramLength - kIpUdpHeaderSize), kBlockStride);
    if (blocks < 0) {
        std::printf("send data length more len %d\n", kMaxDatagramLength);
        m_write = 0;
        m_used = m_buffer.size(); // the blocks that did fit were written
        return -1;
    }
    if (blocks == 0) { // every output with a length had no data
        m_write = 0;
        return -2;
    }
    m_write = std::size_t(kIpUdpHeaderSize + (blocks - 1) * kBlockStride + netrove::kBlockSize);
    return FinishRecordedDatagram(controllerIp, senderIp);
}

int CPacketAssembler::PackPortSlots(const unsigned char* const data[netrove::kOutputCount],
    const unsigned short lengths[netrove::kOutputCount], std::uint16_t port, const SlotAddresses& addresses,
    std::uint8_t* slots, std::size_t slotSize, int maxSlots)
{
    if (!AnyLength(lengths))
        return 0;
    const int most = maxSlots < kMaxDatagramBlocks ? maxSlots : kMaxDatagramBlocks;
    if (most <= 0 || slotSize < std::size_t(kStoredHeaderSize + netrove::kBlockSize))
        return -1;
    std::uint8_t* firstBlock = slots + kStoredHeaderSize;
    const std::size_t capacity = std::size_t(most - 1) * slotSize + netrove::kBlockSize;
    const int blocks = netrove::PackPortBlocksInto(data, lengths, port, firstBlock, capacity, slotSize);
    if (blocks <= 0)
        return blocks;

    const std::uint8_t r = NextScrambleByte();
    std::uint32_t sum = 0;
    for (int i = 0; i < blocks; ++i) {
        std::uint8_t* block = firstBlock + std::size_t(i) * slotSize;
        if (r != 0)
            Scramble(block, netrove::kBlockSize, r);
        sum = SumWords(block, netrove::kBlockSize, sum);
    }
    // The 8 zero bytes after every block but the last, scrambled.
    sum += std::uint32_t(blocks - 1) * 4u * (std::uint32_t(r) * 0x101u);

    std::uint8_t header[kStoredHeaderSize];
    WriteEthernetHeader(header, addresses.controllerMac, addresses.senderMac);
    WriteIpUdpHeaders(header + kEthernetHeaderSize, addresses.senderIp, addresses.controllerIp, r, sum);
    for (int i = 0; i < blocks; ++i)
        std::memcpy(slots + std::size_t(i) * slotSize, header, sizeof header);
    return blocks;
}

bool CPacketAssembler::AnyLength(const unsigned short lengths[netrove::kOutputCount])
{
    for (int j = 0; j < netrove::kOutputCount; ++j) {
        if (lengths[j] != 0)
            return true;
    }
    std::printf("send data is NULL!\n");
    return false;
}

std::uint8_t CPacketAssembler::NextScrambleByte()
{
    return m_scramble ? std::uint8_t(m_random() % 255u) : 0;
}

void CPacketAssembler::ClearUsed()
{
    std::memset(m_buffer.data(), 0, m_used);
    m_used = 0;
}

int CPacketAssembler::FinishRecordedDatagram(const char* controllerIp, const char* senderIp)
{
    const std::size_t length = m_write;
    m_write = 0;
    if (length > m_used)
        m_used = length <= m_buffer.size() ? length : m_buffer.size();
    if (length > std::size_t(kMaxDatagramLength)) {
        std::printf("send data length more len %d\n", kMaxDatagramLength);
        return -1;
    }
    if (m_buffer.empty()) {
        std::printf("no socket have be created!\n");
        return -1;
    }
    std::uint8_t source[4];
    std::uint8_t destination[4];
    ParseIPv4Text(senderIp ? senderIp : "", source);
    ParseIPv4Text(controllerIp ? controllerIp : "", destination);

    const std::uint8_t r = NextScrambleByte();
    std::uint8_t* payload = m_buffer.data() + kIpUdpHeaderSize;
    const std::size_t payloadLength = length > std::size_t(kIpUdpHeaderSize) ? length - kIpUdpHeaderSize : 0;
    if (r != 0)
        Scramble(payload, payloadLength, r);
    WriteIpUdpHeaders(m_buffer.data(), source, destination, r, SumWords(payload, payloadLength, 0));
    return int(length);
}

int CPacketAssembler::BuildRecordedCommand(std::uint32_t value, const std::uint8_t senderMac[6], const char* senderIp,
    const char* controllerIp, const std::uint8_t controllerMac[6], std::uint8_t code, const std::uint8_t* payload,
    std::uint16_t payloadLength, std::uint8_t* storedFrame)
{
    const int packet = kCommandHeaderSize + payloadLength;
    const int padded = packet < kMinCommandLength ? kMinCommandLength : packet;
    if (!storedFrame || kStoredHeaderSize + padded > kStoredFrameCapacity || (payloadLength > 0 && !payload))
        return -1;
    // The command as it is sent live, to all ports with flag 0.
    const std::vector<std::uint8_t> command
        = BuildCommandPacket(kAllPorts, 0, code, value, payloadLength, payload, payloadLength);
    ClearUsed();
    std::memcpy(m_buffer.data() + kIpUdpHeaderSize, command.data(), command.size());
    m_write = std::size_t(kIpUdpHeaderSize + padded);
    const int length = FinishRecordedDatagram(controllerIp, senderIp);
    if (length < 0)
        return -1;
    WriteEthernetHeader(storedFrame, controllerMac, senderMac);
    std::memcpy(storedFrame + kEthernetHeaderSize, m_buffer.data(), std::size_t(length));
    return kEthernetHeaderSize + length;
}

} // namespace stored
