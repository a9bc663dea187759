// Byte maps of port outputs and the per-frame mapping (see PortOutput.h).
#include "PortOutput.h"

#include "LampTriples.h"

#include <algorithm>
#include <cstddef>
#include <new>

namespace {

// Offsets into a frame must stay clear of the channel flags, with room for
// the four zero bytes after the last pixel.
bool GridFits(int width, int height, int bytesPerPixel, std::uint32_t& black)
{
    if (width < 1 || height < 1)
        return false;
    const unsigned long long bytes = static_cast<unsigned long long>(width) * static_cast<unsigned long long>(height)
        * static_cast<unsigned long long>(bytesPerPixel);
    if (bytes + 4 > kChannelWhite2)
        return false;
    black = static_cast<std::uint32_t>(bytes);
    return true;
}

// Frame offsets of the lamps; lamps outside the grid read the black position.
template <class Lamp>
void LampOffsets(const Lamp* lamps, int count, int width, int height, int bytesPerPixel, std::uint32_t black,
    std::vector<std::uint32_t>& offsets)
{
    offsets.assign(static_cast<size_t>(count), black);
    for (int i = 0; i < count; ++i) {
        const long x = lamps[i].x;
        const long y = lamps[i].y;
        if (x >= 0 && x < width && y >= 0 && y < height)
            offsets[static_cast<size_t>(i)]
                = static_cast<std::uint32_t>((x + static_cast<long long>(width) * y) * bytesPerPixel);
    }
}

// The map entry of one code for the unit starting at lamp `first`. Lamps
// past the last one (an incomplete unit, a pixel number beyond the port)
// and pixel 0 read the black position.
std::uint32_t MapEntry(
    std::uint32_t code, long long first, const std::vector<std::uint32_t>& offsets, std::uint32_t black, int stride)
{
    auto offsetOf = [&](long long lamp) {
        return lamp >= 0 && lamp < static_cast<long long>(offsets.size()) ? offsets[static_cast<size_t>(lamp)] : black;
    };
    if ((code & kChannelFlagMask) != 0) {
        const std::uint32_t pixel = code & kChannelPixelMask;
        const std::uint32_t flag = code & kChannelFlagMask;
        return (pixel == 0 ? black : offsetOf(first + pixel - 1)) | flag;
    }
    const long long lamp = first + code / static_cast<std::uint32_t>(stride);
    return offsetOf(lamp) + code % static_cast<std::uint32_t>(stride);
}

int StrideOf(int bitsPerPixel)
{
    return bitsPerPixel == 24 ? 3 : bitsPerPixel == 32 ? 4 : 0;
}

// Units of three bytes whose offsets from the unit's first pixel are
// known when compiled: the loop then costs what a plain copy loop does.
template <int A, int B, int C> void CopyTriples(BYTE* o, const BYTE* p, std::ptrdiff_t step, std::uint32_t units)
{
    for (std::uint32_t u = 0; u < units; ++u, o += 3, p += step) {
        o[0] = p[A];
        o[1] = p[B];
        o[2] = p[C];
    }
}

// True when lamps `step` bytes apart from `base` on read 4-byte pixels
// that lie before the black position.
bool PixelsSideBySide(std::uint32_t base, std::ptrdiff_t step, std::uint32_t units, std::uint32_t black)
{
    const long long first = base;
    const long long span = 4LL * units;
    if (step == 4)
        return first + span <= black;
    if (step == -4)
        return first + 4 <= black && first + 4 >= span;
    return false;
}

// The three bytes of a lamp in the common channel orders of a 4-byte
// pixel take a loop of their own, or a byte shuffle for pixels side by
// side; any other unit reads through offsets.
void MapTriples(BYTE* o, const BYTE* frame, const PortOutput::MapRun& run)
{
    const std::uint32_t a = run.offsets[0];
    const std::uint32_t b = run.offsets[1];
    const std::uint32_t c = run.offsets[2];
    const BYTE* p = frame + run.base;
    // Pointers move by the signed step (a row backwards steps down):
    // adding the unsigned one only wraps where pointers are 32 bits.
    const std::ptrdiff_t step = static_cast<std::int32_t>(run.step);
    std::uint32_t units = run.units;
    if (run.sideBySide) {
        const std::uint8_t order[3] = { std::uint8_t(a), std::uint8_t(b), std::uint8_t(c) };
        const std::uint32_t done = MapLampTriplesWide(o, p, int(step), order, units);
        o += 3 * std::size_t(done);
        p += step * std::ptrdiff_t(done);
        units -= done;
    }
    const std::uint32_t order = a * 100 + b * 10 + c;
    switch (order) {
    case 210:
        return CopyTriples<2, 1, 0>(o, p, step, units);
    case 12:
        return CopyTriples<0, 1, 2>(o, p, step, units);
    case 120:
        return CopyTriples<1, 2, 0>(o, p, step, units);
    case 201:
        return CopyTriples<2, 0, 1>(o, p, step, units);
    case 21:
        return CopyTriples<0, 2, 1>(o, p, step, units);
    case 102:
        return CopyTriples<1, 0, 2>(o, p, step, units);
    default:
        break;
    }
    for (std::uint32_t u = 0; u < units; ++u, o += 3, p += step) {
        o[0] = p[a];
        o[1] = p[b];
        o[2] = p[c];
    }
}

} // namespace

bool PortOutput::AllocateMap(long long length)
{
    if (length > kMaxPortOutputLength)
        return false;
    m_mapLength = static_cast<int>(length);
    m_outputLength = static_cast<std::uint16_t>(length);
    m_map.assign(static_cast<size_t>(length) + kPortOutputSlack, 0);
    m_output.assign(static_cast<size_t>(length) + kPortOutputSlack, 0);
    return true;
}

bool PortOutput::ParseChannelOrderArchive(const CString& format, int bitsPerPixel)
{
    const int stride = StrideOf(bitsPerPixel);
    if (stride == 0)
        return false;
    ChannelOrder order;
    ParseChannelCodes(format, stride, order);
    m_codes = std::move(order.codes);
    m_channelCount = order.channelCount;
    m_pixelsPerLamp = order.pixelsPerLamp;
    return true;
}

bool PortOutput::BuildPortOutputMap(const CLPoint* lamps, int count, const std::vector<ChannelOrder>& formats,
    int formatIndex, int dataOffset, int width, int height)
{
    if (lamps == nullptr || count <= 0)
        return false;
    std::uint32_t black = 0;
    if (!GridFits(width, height, 4, black) || dataOffset < 0)
        return false;
    auto formatOf = [&](int lamp) -> const ChannelOrder* {
        const int override = lamps[lamp].m_lampFormat;
        const int index = override != 0 ? override - 1 : formatIndex;
        return index >= 0 && index < static_cast<int>(formats.size()) ? &formats[static_cast<size_t>(index)] : nullptr;
    };

    // Walk the units once for the length, refusing a format the layout
    // does not list.
    long long length = dataOffset;
    for (int o = 0; o < count;) {
        const ChannelOrder* format = formatOf(o);
        if (format == nullptr)
            return false;
        length += static_cast<long long>(format->codes.size());
        if (length > kMaxPortOutputLength)
            return false;
        o += format->pixelsPerLamp;
    }

    std::vector<std::uint32_t> offsets;
    LampOffsets(lamps, count, width, height, 4, black, offsets);
    m_lamps.assign(lamps, lamps + count);
    m_lampCount = count;
    m_dataOffset = dataOffset;
    m_blackPosition = black;
    if (!AllocateMap(length))
        return false;

    size_t at = static_cast<size_t>(dataOffset);
    for (int o = 0; o < count;) {
        const ChannelOrder& format = *formatOf(o);
        const bool masked = lamps[o].m_masked != 0;
        for (std::uint32_t code : format.codes)
            m_map[at++] = masked ? black : MapEntry(code, o, offsets, black, 4);
        o += format.pixelsPerLamp;
    }
    BuildRuns();
    if (formatIndex >= 0 && formatIndex < static_cast<int>(formats.size())) {
        m_channelCount = formats[static_cast<size_t>(formatIndex)].channelCount;
        m_pixelsPerLamp = formats[static_cast<size_t>(formatIndex)].pixelsPerLamp;
    }
    return true;
}

ArchiveMapResult PortOutput::BuildPortOutputMapArchive(
    const CPoint* positions, int count, int bitsPerPixel, int width, int height)
{
    if (positions == nullptr)
        return ArchiveMapResult::NoPositions;
    if (count <= 0)
        return ArchiveMapResult::NoLamps;
    const int stride = StrideOf(bitsPerPixel);
    if (stride == 0)
        return ArchiveMapResult::BadBitsPerPixel;
    std::uint32_t black = 0;
    if (!GridFits(width, height, stride, black) || m_dataOffset < 0)
        return ArchiveMapResult::TooLong;

    const long long pixels = std::max(m_pixelsPerLamp, 1);
    const long long units = (count + pixels - 1) / pixels;
    const long long length = m_dataOffset + units * static_cast<long long>(m_codes.size());
    if (length > kMaxPortOutputLength)
        return ArchiveMapResult::TooLong;

    std::vector<std::uint32_t> offsets;
    LampOffsets(positions, count, width, height, stride, black, offsets);
    m_lamps.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        m_lamps[static_cast<size_t>(i)] = CLPoint(positions[i].x, positions[i].y);
    m_lampCount = count;
    m_blackPosition = black;
    if (!AllocateMap(length))
        return ArchiveMapResult::TooLong;

    // The codes of a unit that runs past the last lamp read the black
    // position, as they do for current-format ports.
    size_t at = static_cast<size_t>(m_dataOffset);
    for (long long g = 0; g < units; ++g)
        for (std::uint32_t code : m_codes)
            m_map[at++] = MapEntry(code, g * pixels, offsets, black, stride);
    BuildRuns();
    return ArchiveMapResult::Ok;
}

void PortOutput::SetPortTables(const BYTE* brightness, const BYTE* gammaCurves)
{
    m_brightness.clear();
    m_gammaCurves.clear();
    const int channels = std::min(m_mapLength - m_dataOffset, kPortOutputTableSize);
    for (int i = 0; i < channels; ++i) {
        const auto position = static_cast<std::uint16_t>(m_dataOffset + i);
        if (brightness != nullptr && brightness[i] != 100)
            m_brightness.emplace_back(position, brightness[i]);
        if (gammaCurves != nullptr && gammaCurves[i] != 0)
            m_gammaCurves.emplace_back(position, static_cast<std::uint16_t>(gammaCurves[i] - 1));
    }
}

void PortOutput::BuildRuns()
{
    m_runs.clear();
    const std::uint32_t* map = m_map.data();
    const int end = m_mapLength;
    // Runs shorter than this many bytes are not worth their bookkeeping.
    constexpr int kShortest = 12;
    constexpr int kLongestPeriod = 8;
    // Bytes of the black position stay out of runs: they are never read.
    const std::uint32_t black = m_blackPosition;
    auto plain = [map, black](int i) { return map[i] < black; };
    int i = m_dataOffset;
    int single = i; // start of the bytes not yet in a run
    auto flushSingles = [&](int to) {
        if (to > single) {
            MapRun run;
            run.start = std::uint32_t(single);
            run.length = std::uint32_t(to - single);
            m_runs.push_back(run);
        }
    };
    while (i < end) {
        int bestLength = 0;
        int bestPeriod = 0;
        for (int period = 1; period <= kLongestPeriod && i + period < end; ++period) {
            bool ok = true;
            for (int k = 0; k < period && ok; ++k)
                ok = plain(i + k);
            if (!ok)
                break; // a longer period would hold the same flagged byte
            const std::uint32_t step = map[i + period] - map[i];
            int j = i + period;
            while (j < end && plain(j) && map[j] - map[j - period] == step)
                ++j;
            if (j - i > bestLength) {
                bestLength = j - i;
                bestPeriod = period;
            }
        }
        if (bestLength < kShortest || bestLength < 2 * bestPeriod) {
            ++i;
            continue;
        }
        flushSingles(i);
        MapRun run;
        run.start = std::uint32_t(i);
        run.length = std::uint32_t(bestLength);
        run.period = std::uint32_t(bestPeriod);
        run.step = map[i + bestPeriod] - map[i];
        run.units = run.length / run.period;
        if (run.period == 3) {
            run.base = std::min({ map[i], map[i + 1], map[i + 2] });
            for (int k = 0; k < 3; ++k)
                run.offsets[k] = map[i + k] - run.base;
            run.sideBySide = run.offsets[0] <= 3 && run.offsets[1] <= 3 && run.offsets[2] <= 3
                && PixelsSideBySide(run.base, static_cast<std::int32_t>(run.step), run.units, black);
        }
        m_runs.push_back(run);
        i += bestLength;
        single = i;
    }
    flushSingles(end);
}

void PortOutput::MapBytes(const BYTE* frame, int from, int to, bool white, const BYTE* fifthColour, bool fifth)
{
    // The black position and what follows it read as the zeros they are.
    BYTE* out = m_output.data();
    const std::uint32_t* map = m_map.data();
    const std::uint32_t black = m_blackPosition;
    for (int i = from; i < to; ++i) {
        const std::uint32_t entry = map[i];
        if (entry < kChannelWhite2) {
            out[i] = entry < black ? frame[entry] : 0;
        } else if ((entry & kChannelFifth) != 0) {
            out[i] = fifth ? fifthColour[entry & kChannelPixelMask] : 0;
        } else {
            const std::uint32_t at = (entry & kChannelPixelMask) + 3;
            out[i] = white && at < black ? frame[at] : 0;
        }
    }
}

const BYTE* PortOutput::ExtractOutput(
    const BYTE* frame, int whiteMode, const BYTE* fifthColour, int fifthEnable, const UserCurveTables& curves)
{
    if (frame == nullptr || m_map.empty())
        return nullptr;
    BYTE* out = m_output.data();
    const std::uint32_t* map = m_map.data();
    const bool white = whiteMode != 0;
    const bool fifth = fifthEnable != 0 && fifthColour != nullptr;
    if (m_runs.empty()) {
        MapBytes(frame, m_dataOffset, m_mapLength, white, fifthColour, fifth);
    } else {
        for (const MapRun& run : m_runs) {
            const int start = int(run.start);
            if (run.period == 0) {
                MapBytes(frame, start, start + int(run.length), white, fifthColour, fifth);
                continue;
            }
            // Lamps side by side: the unit's bytes move on by the same step.
            BYTE* o = out + start;
            const std::uint32_t* first = map + start;
            const std::uint32_t step = run.step;
            const std::ptrdiff_t delta = static_cast<std::int32_t>(step); // see MapTriples
            const std::uint32_t units = run.units;
            if (run.period == 3) {
                MapTriples(o, frame, run);
            } else if (run.period == 4) {
                const BYTE* a = frame + first[0];
                const BYTE* b = frame + first[1];
                const BYTE* c = frame + first[2];
                const BYTE* d = frame + first[3];
                for (std::uint32_t u = 0; u < units; ++u, o += 4, a += delta, b += delta, c += delta, d += delta) {
                    o[0] = *a;
                    o[1] = *b;
                    o[2] = *c;
                    o[3] = *d;
                }
            } else {
                for (std::uint32_t u = 0; u < units; ++u, o += run.period)
                    for (std::uint32_t k = 0; k < run.period; ++k)
                        o[k] = frame[first[k] + u * step];
            }
            // A run may end inside a unit.
            const int tail = start + int(units * run.period);
            MapBytes(frame, tail, start + int(run.length), white, fifthColour, fifth);
        }
    }
    for (const auto& [position, curve] : m_gammaCurves) {
        if (curve > 3)
            break;
        out[position] = curves[curve][out[position]];
    }
    // Above 100 % a channel saturates at 255: wrapping would turn the
    // brightest lamps dark.
    for (const auto& [position, percent] : m_brightness)
        out[position] = static_cast<BYTE>(std::min(out[position] * static_cast<unsigned>(percent) / 100u, 255u));
    return out;
}

void PortOutput::Clear()
{
    m_runs.clear();
    m_map.clear();
    m_map.shrink_to_fit();
    m_output.clear();
    m_output.shrink_to_fit();
    m_lamps.clear();
    m_lamps.shrink_to_fit();
    m_mapLength = 0;
    m_outputLength = 0;
    m_lampCount = 0;
}
