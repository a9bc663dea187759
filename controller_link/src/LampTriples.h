// Lamps of three channel bytes taken from side-by-side 4-byte pixels, four
// lamps at a time by one 16-byte byte shuffle where the processor has one
// (checked when first asked: 32-bit builds may run where it is missing).
#pragma once

#include <cstddef>
#include <cstdint>

// Maps whole groups of four of `units` lamps: lamp u takes the bytes
// pixel[step x u + order[k]], k = 0..2 (order[k] <= 3), into out[3 u + k].
// `step` is 4 or -4; the 4-byte pixels of all `units` lamps must be
// readable. Writes 4 zero bytes past the last group's 12. Returns the number
// of lamps mapped: a multiple of 4, 0 without the shuffle.
std::uint32_t MapLampTriplesWide(
    std::uint8_t* out, const std::uint8_t* pixel, int step, const std::uint8_t order[3], std::uint32_t units);
