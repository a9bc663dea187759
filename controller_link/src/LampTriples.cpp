// Four lamps per byte shuffle (see LampTriples.h).
#include "LampTriples.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#include <tmmintrin.h>
#define LAMP_TRIPLES_SHUFFLE 1
#endif

#ifdef LAMP_TRIPLES_SHUFFLE

namespace {

bool HasByteShuffle()
{
    static const bool has = [] {
        unsigned a = 0, b = 0, c = 0, d = 0;
        return __get_cpuid(1, &a, &b, &c, &d) != 0 && (c & bit_SSSE3) != 0;
    }();
    return has;
}

__attribute__((target("ssse3"))) void ShuffleGroups(
    std::uint8_t* out, const std::uint8_t* pixel, int step, const std::uint8_t order[3], std::uint32_t groups)
{
    // Output byte 3 j + k of a group is byte order[k] of its lamp j; a
    // group read backwards starts 12 bytes lower. The last 4 bytes are 0.
    alignas(16) std::int8_t mask[16];
    for (int j = 0; j < 4; ++j)
        for (int k = 0; k < 3; ++k)
            mask[3 * j + k] = static_cast<std::int8_t>((step > 0 ? 4 * j : 12 - 4 * j) + order[k]);
    for (int i = 12; i < 16; ++i)
        mask[i] = -128;
    const __m128i shuffle = _mm_load_si128(reinterpret_cast<const __m128i*>(mask));
    const std::uint8_t* p = step > 0 ? pixel : pixel - 12;
    const std::ptrdiff_t move = step > 0 ? 16 : -16;
    for (std::uint32_t g = 0; g < groups; ++g, p += move, out += 12) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_shuffle_epi8(pixels, shuffle));
    }
}

} // namespace

std::uint32_t MapLampTriplesWide(
    std::uint8_t* out, const std::uint8_t* pixel, int step, const std::uint8_t order[3], std::uint32_t units)
{
    if ((step != 4 && step != -4) || order[0] > 3 || order[1] > 3 || order[2] > 3 || !HasByteShuffle())
        return 0;
    const std::uint32_t groups = units / 4;
    if (groups > 0)
        ShuffleGroups(out, pixel, step, order, groups);
    return groups * 4;
}

#else

std::uint32_t MapLampTriplesWide(std::uint8_t*, const std::uint8_t*, int, const std::uint8_t[3], std::uint32_t)
{
    return 0;
}

#endif
