// Packing of one port's outputs into frame-data blocks (see PortBlocks.h).
#include "PortBlocks.h"

#include <cstring>

namespace netrove {

namespace {

void PutU16(std::uint8_t* p, unsigned v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}

void PutU32(std::uint8_t* p, std::uint32_t v)
{
    PutU16(p, v & 0xFFFFu);
    PutU16(p + 2, v >> 16);
}

class CBlockWriter {
public:
    CBlockWriter(std::vector<std::uint8_t>& out, unsigned short port)
        : m_out(out)
        , m_port(port)
    {
    }

    void PackOutput(int output, const unsigned char* data, std::size_t length)
    {
        std::uint32_t position = std::uint32_t(output) << 16;
        while (length > 0) {
            if (!m_open)
                OpenBlock();
            ++m_chunks;
            std::size_t room = std::size_t(m_free - 6);
            std::size_t n = length <= room ? length : (room & ~std::size_t(3));
            std::uint8_t* p = Current();
            PutU32(p, position);
            PutU16(p + 4, unsigned(n));
            std::memcpy(p + 6, data, n);
            m_free -= int(6 + n);
            position += std::uint32_t(n);
            data += n;
            length -= n;
            // Fewer than 10 bytes cannot hold another useful chunk.
            if (m_free < 10)
                CloseBlock();
        }
    }

    void Finish()
    {
        if (m_open && m_chunks > 0)
            CloseBlock();
        else if (m_open)
            m_out.resize(m_blockStart); // an opened block that got nothing is not sent
    }

private:
    void OpenBlock()
    {
        m_blockStart = m_out.size();
        m_out.resize(m_blockStart + kBlockSize, 0);
        m_free = kChunkAreaSize;
        m_chunks = 0;
        m_open = true;
    }

    void CloseBlock()
    {
        std::uint8_t* h = m_out.data() + m_blockStart;
        std::memcpy(h, "QVTN", 4);
        PutU16(h + 4, m_port);
        h[6] = std::uint8_t(m_chunks);
        h[7] = 1;
        m_open = false;
    }

    std::uint8_t* Current() { return m_out.data() + m_blockStart + kBlockSize - m_free; }

    std::vector<std::uint8_t>& m_out;
    unsigned short m_port;
    std::size_t m_blockStart = 0;
    int m_free = 0;
    int m_chunks = 0;
    bool m_open = false;
};

} // namespace

void PackPortBlocks(const unsigned char* const data[kOutputCount], const unsigned short lengths[kOutputCount],
    unsigned short port, std::vector<std::uint8_t>& blocks)
{
    CBlockWriter writer(blocks, port);
    for (int j = 0; j < kOutputCount; ++j) {
        if (lengths[j] > 0 && data[j])
            writer.PackOutput(j, data[j], lengths[j]);
    }
    writer.Finish();
}

} // namespace netrove
