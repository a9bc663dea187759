// BMP picture of a layout.
#include "LayoutPicture.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include <fw_replacefile.h>

#include "LayoutLangText.h"
#include "LayoutMessages.h"

namespace {

void PutU16(BYTE* at, uint32_t value)
{
    at[0] = static_cast<BYTE>(value);
    at[1] = static_cast<BYTE>(value >> 8);
}

void PutU32(BYTE* at, uint32_t value)
{
    PutU16(at, value & 0xFFFF);
    PutU16(at + 2, value >> 16);
}

} // namespace

bool WriteLayoutBmp(const CLayoutData& layout, LPCWSTR path)
{
    const long long width = layout.m_width;
    const long long height = layout.m_height;
    // The sizes must fit the 32-bit fields of the headers.
    if (width < 1 || height < 1 || 54 + width * height * 4 > 0xFFFFFFFFLL)
        return false;
    const uint32_t pixelBytes = static_cast<uint32_t>(width * height * 4);

    // Pixel indexes of the lamps, in file order.
    std::vector<uint32_t> white;
    for (int u = 0; u < layout.GetUsedCount(); ++u) {
        const LayoutPort& port = layout.GetPort(layout.GetUsedPort(u));
        for (int i = 0; i < port.GetCount(); ++i) {
            const CLPoint& p = port.GetPoint(i);
            if (p.x < 0 || p.x >= width || p.y < 0 || p.y >= height)
                continue;
            white.push_back(static_cast<uint32_t>((height - p.y - 1) * width + p.x));
        }
    }
    std::sort(white.begin(), white.end());
    white.erase(std::unique(white.begin(), white.end()), white.end());

    BYTE header[54] = {};
    header[0] = 'B';
    header[1] = 'M';
    PutU32(header + 2, 54 + pixelBytes);
    PutU32(header + 10, 54);
    PutU32(header + 14, 40);
    PutU32(header + 18, static_cast<uint32_t>(width));
    PutU32(header + 22, static_cast<uint32_t>(height));
    PutU16(header + 26, 1);
    PutU16(header + 28, 32);
    PutU32(header + 34, pixelBytes);

    CReplacingFile file;
    if (!file.Open(path))
        return false;
    file.Write(header, sizeof header);
    // The pixels go out in chunks: black runs with the lamps' white pixels.
    static const BYTE kWhite[4] = { 255, 255, 255, 0 };
    std::vector<BYTE> black(1 << 16, 0);
    uint64_t next = 0; // next pixel index to write
    auto writeBlack = [&](uint64_t upTo) {
        while (next < upTo && !file.Failed()) {
            const uint64_t run = std::min<uint64_t>(upTo - next, black.size() / 4);
            file.Write(black.data(), static_cast<size_t>(run * 4));
            next += run;
        }
    };
    for (uint32_t index : white) {
        writeBlack(index);
        file.Write(kWhite, sizeof kWhite);
        next = index + 1ULL;
    }
    writeBlack(static_cast<uint64_t>(width) * static_cast<uint64_t>(height));
    return file.Commit();
}

void ExportLayoutBmp(const CLayoutData& layout, LPCWSTR path)
{
    if (!WriteLayoutBmp(layout, path)) {
        ShowLayoutMessage(GetLangText(L"LAYOUT", 168), L"Solvane");
        return;
    }
    ShowLayoutMessage(L"OK", nullptr);
}
