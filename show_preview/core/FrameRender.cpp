// Drawing frames of show files into pictures (see FrameRender.h).
#include "FrameRender.h"

#include <algorithm>
#include <cstring>

namespace preview {

namespace {

// Parses one output into `output` (kOutputBufferSize bytes), cleared first so
// that bytes the output does not carry read as 0.
void ParseOutput(const std::vector<BYTE>& gathered, int slots, int number, std::vector<BYTE>& output)
{
    std::fill(output.begin(), output.end(), BYTE(0));
    ParseOutputChunks(gathered.data(), slots, number, output.data());
}

void DrawRawPort(const std::vector<BYTE>& gathered, int slots, int portIndex, const ShowGeometry& geometry, CSize size,
    std::vector<BYTE>& output, BYTE* pixels)
{
    for (int o = 0; o < geometry.largestOutputCount; ++o) {
        ParseOutput(gathered, slots, o, output);
        const long long row = static_cast<long long>(geometry.largestOutputCount) * portIndex + o;
        if (row >= size.cy)
            break;
        BYTE* line = pixels + static_cast<std::size_t>(row) * static_cast<std::size_t>(size.cx) * 4;
        for (int n = 0; n < size.cx; ++n) {
            const std::size_t at = static_cast<std::size_t>(n) * 3;
            const BYTE red = at < output.size() ? output[at] : 0;
            const BYTE green = at + 1 < output.size() ? output[at + 1] : 0;
            const BYTE blue = at + 2 < output.size() ? output[at + 2] : 0;
            line[n * 4 + 0] = blue;
            line[n * 4 + 1] = green;
            line[n * 4 + 2] = red;
        }
    }
}

void DrawLayoutPort(const std::vector<BYTE>& gathered, int slots, const ControllerLayout& record, CSize size,
    std::vector<BYTE>& output, BYTE* pixels)
{
    for (const PortOutput& group : record.m_outputs) {
        ParseOutput(gathered, slots, group.m_portIndex, output);
        const std::size_t channels = std::min<std::size_t>(group.m_codes.size(), 3);
        const std::size_t step = static_cast<std::size_t>(std::max(group.m_channelCount, 0));
        std::size_t p = 0;
        for (const CLPoint& lamp : group.m_lamps) {
            const long x = lamp.x;
            const long y = lamp.y;
            if (x >= 0 && x < size.cx && y >= 0 && y < size.cy) {
                const std::size_t row = static_cast<std::size_t>(size.cy - y - 1);
                BYTE* pixel = pixels + (row * static_cast<std::size_t>(size.cx) + static_cast<std::size_t>(x)) * 4;
                // Value 2 is red, 1 green, 0 blue (their places in the pixel).
                for (std::size_t j = 0; j < channels; ++j) {
                    const std::size_t from = p + j;
                    pixel[group.m_codes[j] % 3] = from < output.size() ? output[from] : 0;
                }
            }
            p += step;
        }
    }
}

} // namespace

CSize PictureSize(const ShowGeometry& geometry, const PreviewLayout* layout)
{
    if (layout != nullptr)
        return CSize(layout->width, layout->height);
    const int length = std::min(std::max(geometry.largestOutputLength, 0), kOutputBufferSize);
    return CSize((length + 2) / 3, geometry.largestOutputCount * geometry.portCount);
}

void RenderPicture(const BYTE* frame, const ShowGeometry& geometry, const PreviewLayout* layout, CSize size,
    std::vector<BYTE>& picture)
{
    const std::size_t width = static_cast<std::size_t>(std::max<LONG>(size.cx, 0));
    const std::size_t height = static_cast<std::size_t>(std::max<LONG>(size.cy, 0));
    picture.assign(width * height * 4, 0);
    if (picture.empty())
        return;
    std::vector<BYTE> gathered(geometry.FrameBytes());
    std::vector<BYTE> output(kOutputBufferSize);
    for (int i = 0; i < geometry.portCount; ++i) {
        const int port = geometry.firstPort + i;
        int bytes = 0;
        GatherPortSlots(geometry.sectors, frame, port, port, gathered.data(), bytes);
        const int slots = bytes / static_cast<int>(kSlotSize);
        if (layout == nullptr) {
            DrawRawPort(gathered, slots, i, geometry, size, output, picture.data());
        } else {
            // Record port - 1 serves the port; more ports than controllers
            // leave the rest undrawn.
            const long long record = static_cast<long long>(port) - 1;
            if (record < 0 || record >= static_cast<long long>(layout->records.size()))
                continue;
            DrawLayoutPort(
                gathered, slots, layout->records[static_cast<std::size_t>(record)], size, output, picture.data());
        }
    }
}

BITMAPINFOHEADER PictureHeader(CSize size)
{
    BITMAPINFOHEADER header {};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = size.cx;
    header.biHeight = size.cy;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(size.cx) * static_cast<DWORD>(size.cy) * 4;
    header.biXPelsPerMeter = 3780;
    header.biYPelsPerMeter = 3780;
    return header;
}

} // namespace preview
