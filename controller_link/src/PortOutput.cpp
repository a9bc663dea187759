// Byte maps of port outputs and the per-frame mapping (see PortOutput.h).
#include "PortOutput.h"

#include <algorithm>
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

const BYTE* PortOutput::ExtractOutput(
    const BYTE* frame, int whiteMode, const BYTE* fifthColour, int fifthEnable, const UserCurveTables& curves)
{
    if (frame == nullptr || m_map.empty())
        return nullptr;
    BYTE* out = m_output.data();
    const std::uint32_t* map = m_map.data();
    const bool white = whiteMode != 0;
    const bool fifth = fifthEnable != 0 && fifthColour != nullptr;
    for (int i = m_dataOffset; i < m_mapLength; ++i) {
        const std::uint32_t entry = map[i];
        if (entry < kChannelWhite2) {
            out[i] = frame[entry];
        } else if ((entry & kChannelFifth) != 0) {
            out[i] = fifth ? fifthColour[entry & kChannelPixelMask] : 0;
        } else {
            out[i] = white ? frame[(entry & kChannelPixelMask) + 3] : 0;
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
