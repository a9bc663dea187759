// Preparing a caller's frame for the port maps (see ScreenFrame.h).
#include "ScreenFrame.h"

#include "ColourProcessing.h"

#include <cstring>

namespace {

void DeriveColours(CLEDScreen& screen, BYTE* frame, std::size_t frameLength)
{
    if (screen.m_colour.whiteMode != 0)
        ApplyWhiteChannel(screen.m_colour.whiteMode, frame, screen, frameLength);
    if (screen.m_colour.fifthEnable != 0)
        ApplyFiveColour(frameLength, frame, screen, PrepareFifthColourBuffer(screen));
}

bool Readable(const CLEDScreen& screen, const BYTE* pixels, int bytesPerPixel)
{
    const int stride = screen.m_mapStride;
    return pixels != nullptr && screen.m_width > 0 && screen.m_height > 0 && (bytesPerPixel == 3 || bytesPerPixel == 4)
        && (stride == 3 || stride == 4);
}

std::size_t FrameLength(const CLEDScreen& screen)
{
    return std::size_t(screen.m_width) * std::size_t(screen.m_height) * std::size_t(screen.m_mapStride);
}

} // namespace

const BYTE* PrepareScreenFrame(CLEDScreen& screen, BYTE* pixels, int bytesPerPixel, std::vector<BYTE>& buffer)
{
    if (!Readable(screen, pixels, bytesPerPixel))
        return nullptr;
    const int stride = screen.m_mapStride;
    const std::size_t count = std::size_t(screen.m_width) * std::size_t(screen.m_height);
    const std::size_t length = FrameLength(screen);
    if (buffer.size() != length + kScreenFramePad)
        buffer.assign(length + kScreenFramePad, 0);
    else
        std::memset(buffer.data() + length, 0, kScreenFramePad);

    if (bytesPerPixel == stride) {
        if (stride == 4)
            DeriveColours(screen, pixels, length);
        std::memcpy(buffer.data(), pixels, length);
        return buffer.data();
    }
    BYTE* out = buffer.data();
    const BYTE* in = pixels;
    for (std::size_t i = 0; i < count; ++i, out += stride, in += bytesPerPixel) {
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
        if (stride == 4)
            out[3] = 0;
    }
    if (stride == 4)
        DeriveColours(screen, buffer.data(), length);
    return buffer.data();
}

const BYTE* ScreenFrameForMaps(CLEDScreen& screen, BYTE* pixels, int bytesPerPixel, std::vector<BYTE>& buffer)
{
    if (!Readable(screen, pixels, bytesPerPixel) || bytesPerPixel != screen.m_mapStride)
        return PrepareScreenFrame(screen, pixels, bytesPerPixel, buffer);
    if (bytesPerPixel == 4)
        DeriveColours(screen, pixels, FrameLength(screen));
    return pixels;
}
