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

// Blocks at a fixed stride in a caller's buffer of bounded size.
class CBufferBlocks {
public:
    CBufferBlocks(std::uint8_t* buffer, std::size_t capacity, std::size_t stride)
        : m_buffer(buffer)
        , m_capacity(capacity)
        , m_stride(stride)
    {
    }
    std::uint8_t* Open(int index)
    {
        const std::size_t at = std::size_t(index) * m_stride;
        if (!m_buffer || at > m_capacity || m_capacity - at < std::size_t(kBlockSize))
            return nullptr;
        return m_buffer + at;
    }
    void Drop(int) { }

private:
    std::uint8_t* m_buffer;
    std::size_t m_capacity;
    std::size_t m_stride;
};

// Blocks back to back in a growing vector.
class CVectorBlocks {
public:
    explicit CVectorBlocks(std::vector<std::uint8_t>& out)
        : m_out(out)
        , m_base(out.size())
    {
    }
    std::uint8_t* Open(int index)
    {
        const std::size_t at = m_base + std::size_t(index) * kBlockSize;
        m_out.resize(at + kBlockSize, 0);
        return m_out.data() + at;
    }
    void Drop(int index) { m_out.resize(m_base + std::size_t(index) * kBlockSize); }

private:
    std::vector<std::uint8_t>& m_out;
    std::size_t m_base;
};

template <class Blocks> class CBlockWriter {
public:
    CBlockWriter(Blocks& blocks, unsigned short port)
        : m_blocks(blocks)
        , m_port(port)
    {
    }

    // False when a block could not be opened.
    bool PackOutput(int output, const unsigned char* data, std::size_t length)
    {
        std::uint32_t position = std::uint32_t(output) << 16;
        while (length > 0) {
            if (!m_block && !OpenBlock())
                return false;
            ++m_chunks;
            const std::size_t room = std::size_t(m_free - kChunkHeaderSize);
            const std::size_t n = length <= room ? length : (room & ~std::size_t(3));
            std::uint8_t* p = m_block + kBlockSize - m_free;
            PutU32(p, position);
            PutU16(p + 4, unsigned(n));
            std::memcpy(p + kChunkHeaderSize, data, n);
            m_free -= int(kChunkHeaderSize + n);
            position += std::uint32_t(n);
            data += n;
            length -= n;
            // Fewer than 10 bytes cannot hold another useful chunk.
            if (m_free < 10)
                CloseBlock();
        }
        return true;
    }

    // The number of blocks; an opened block that got nothing is dropped.
    int Finish()
    {
        if (m_block && m_chunks > 0)
            CloseBlock();
        else if (m_block)
            m_blocks.Drop(m_closed);
        m_block = nullptr;
        return m_closed;
    }

private:
    bool OpenBlock()
    {
        m_block = m_blocks.Open(m_closed);
        m_free = kChunkAreaSize;
        m_chunks = 0;
        return m_block != nullptr;
    }

    // Every byte of a closed block is written: zeros after its last chunk.
    void CloseBlock()
    {
        std::memset(m_block + kBlockSize - m_free, 0, std::size_t(m_free));
        DataBlockHeader header { { 'Q', 'V', 'T', 'N' }, 0, std::uint8_t(m_chunks), 1 };
        std::memcpy(m_block, &header, sizeof header);
        PutU16(m_block + 4, m_port);
        m_block = nullptr;
        ++m_closed;
    }

    Blocks& m_blocks;
    unsigned short m_port;
    std::uint8_t* m_block = nullptr;
    int m_free = 0;
    int m_chunks = 0;
    int m_closed = 0;
};

template <class Blocks>
int Pack(const unsigned char* const data[kOutputCount], const unsigned short lengths[kOutputCount], unsigned short port,
    Blocks& blocks)
{
    CBlockWriter<Blocks> writer(blocks, port);
    for (int j = 0; j < kOutputCount; ++j) {
        if (lengths[j] > 0 && data[j] && !writer.PackOutput(j, data[j], lengths[j]))
            return -1;
    }
    return writer.Finish();
}

} // namespace

int PackPortBlocksInto(const unsigned char* const data[kOutputCount], const unsigned short lengths[kOutputCount],
    unsigned short port, std::uint8_t* buffer, std::size_t capacity, std::size_t stride)
{
    if (!data || !lengths || stride < std::size_t(kBlockSize))
        return -1;
    CBufferBlocks blocks(buffer, capacity, stride);
    return Pack(data, lengths, port, blocks);
}

void PackPortBlocks(const unsigned char* const data[kOutputCount], const unsigned short lengths[kOutputCount],
    unsigned short port, std::vector<std::uint8_t>& blocks)
{
    CVectorBlocks target(blocks);
    Pack(data, lengths, port, target);
}

} // namespace netrove
