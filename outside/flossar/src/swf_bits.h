// A bounded little-endian byte and bit reader over one tag body. Reading past
// the end never touches memory outside the body: it yields zeros and sets
// Failed(), which every parser checks before it trusts what it read.
#pragma once

#include "swf_types.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace flossar {

class BitReader {
public:
    BitReader(const uint8_t* data, size_t size)
        : m_data(data)
        , m_size(size)
    {
    }

    bool Failed() const { return m_failed; }
    size_t Position() const { return m_pos; }
    size_t Remaining() const { return m_pos < m_size ? m_size - m_pos : 0; }
    const uint8_t* Here() const { return m_data + (m_pos < m_size ? m_pos : m_size); }

    void Align() { m_bitCount = 0; }

    uint8_t U8()
    {
        Align();
        if (m_pos >= m_size) {
            m_failed = true;
            return 0;
        }
        return m_data[m_pos++];
    }
    uint16_t U16()
    {
        const uint16_t lo = U8();
        return static_cast<uint16_t>(lo | (U8() << 8));
    }
    int16_t S16() { return static_cast<int16_t>(U16()); }
    uint32_t U32()
    {
        const uint32_t lo = U16();
        return lo | (static_cast<uint32_t>(U16()) << 16);
    }
    // Skips n bytes; false (and failed) when fewer remain.
    bool Skip(size_t n)
    {
        Align();
        if (n > Remaining()) {
            m_pos = m_size;
            m_failed = true;
            return false;
        }
        m_pos += n;
        return true;
    }
    // A zero-terminated string; the terminator is consumed.
    std::string String()
    {
        Align();
        std::string s;
        while (!m_failed) {
            const uint8_t c = U8();
            if (c == 0)
                break;
            s.push_back(static_cast<char>(c));
        }
        return s;
    }

    uint32_t UB(unsigned n)
    {
        uint32_t v = 0;
        for (unsigned i = 0; i < n; ++i) {
            if (m_bitCount == 0) {
                if (m_pos >= m_size) {
                    m_failed = true;
                    return 0;
                }
                m_bitBuffer = m_data[m_pos++];
                m_bitCount = 8;
            }
            --m_bitCount;
            v = (v << 1) | ((m_bitBuffer >> m_bitCount) & 1u);
        }
        return v;
    }
    int32_t SB(unsigned n)
    {
        if (n == 0)
            return 0;
        const uint32_t v = UB(n);
        if (n < 32 && (v & (1u << (n - 1))) != 0)
            return static_cast<int32_t>(v | ~((1u << n) - 1u));
        return static_cast<int32_t>(v);
    }
    // 16.16 fixed point in n bits.
    double FB(unsigned n) { return SB(n) / 65536.0; }

    TwipRect Rect()
    {
        Align();
        const unsigned n = UB(5);
        TwipRect r;
        r.xMin = SB(n);
        r.xMax = SB(n);
        r.yMin = SB(n);
        r.yMax = SB(n);
        Align();
        return r;
    }

    Matrix ReadMatrix()
    {
        Align();
        Matrix m;
        if (UB(1) != 0) {
            const unsigned n = UB(5);
            m.a = FB(n);
            m.d = FB(n);
        }
        if (UB(1) != 0) {
            const unsigned n = UB(5);
            m.b = FB(n);
            m.c = FB(n);
        }
        const unsigned n = UB(5);
        m.tx = SB(n);
        m.ty = SB(n);
        Align();
        return m;
    }

    ColorTransform ReadColorTransform(bool withAlpha)
    {
        Align();
        ColorTransform t;
        const bool add = UB(1) != 0;
        const bool mult = UB(1) != 0;
        const unsigned n = UB(4);
        if (mult) {
            t.mr = SB(n) / 256.0;
            t.mg = SB(n) / 256.0;
            t.mb = SB(n) / 256.0;
            if (withAlpha)
                t.ma = SB(n) / 256.0;
        }
        if (add) {
            t.ar = SB(n);
            t.ag = SB(n);
            t.ab = SB(n);
            if (withAlpha)
                t.aa = SB(n);
        }
        Align();
        return t;
    }

    Rgba Rgb()
    {
        Rgba c;
        c.r = U8();
        c.g = U8();
        c.b = U8();
        return c;
    }
    Rgba RgbaColor()
    {
        Rgba c = Rgb();
        c.a = U8();
        return c;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
    uint32_t m_bitBuffer = 0;
    unsigned m_bitCount = 0;
    bool m_failed = false;
};

} // namespace flossar
