// Shared steps of reading layout ports into controller records (see
// LayoutPortLamps.h).
#include "LayoutPortLamps.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "ByteBufferFile.h"
#include "LayoutArchive.h"

bool ControllerPortsFit(const std::vector<WORD>& controllers)
{
    for (WORD ports : controllers)
        if (ports > kMaxControllerPorts)
            return false;
    return true;
}

bool TooManyPortLamps(std::size_t lamps, bool doubleSided)
{
    return lamps > static_cast<std::size_t>(doubleSided ? kMaxScreenPortLamps / 2 : kMaxScreenPortLamps);
}

std::vector<CLPoint> LampsWithMirrors(const std::vector<CLPoint>& lamps, bool doubleSided, int width)
{
    if (!doubleSided)
        return lamps;
    std::vector<CLPoint> pairs;
    pairs.reserve(lamps.size() * 2);
    for (const CLPoint& lamp : lamps) {
        pairs.push_back(lamp);
        CLPoint mirror(lamp);
        // Far outside the grid the mirror stays outside, without overflow.
        const long long x = static_cast<long long>(width) - lamp.x - 1;
        mirror.x = x < INT_MIN || x > INT_MAX ? -1 : static_cast<LONG>(x);
        pairs.push_back(mirror);
    }
    return pairs;
}

std::vector<CLPoint> LampPositionsOnly(const std::vector<CLPoint>& lamps)
{
    std::vector<CLPoint> positions;
    positions.reserve(lamps.size());
    for (const CLPoint& lamp : lamps)
        positions.emplace_back(lamp.x, lamp.y);
    return positions;
}

void StorePortLamps(ControllerLayout& record, int port, const std::vector<CLPoint>& lamps, const CString& format)
{
    auto& list = record.m_lampLists[static_cast<std::size_t>(port)];
    list.clear();
    list.reserve(lamps.size());
    for (const CLPoint& lamp : lamps)
        list.emplace_back(static_cast<int>(lamp.x), static_cast<int>(lamp.y));
    const int count = static_cast<int>(lamps.size());
    record.m_lampCounts[static_cast<std::size_t>(port)] = count;
    record.m_lampFormats[static_cast<std::size_t>(port)] = format;
    record.m_largestLampCount = std::max(record.m_largestLampCount, count);
}

bool ReadLayoutArchiveContents(std::vector<BYTE> bytes, LayoutArchiveContents& contents)
{
    {
        CByteBufferFile file(std::move(bytes));
        CArchive archive(&file, CArchive::load);
        if (ParseLayoutArchive(archive, contents) != LayoutReadResult::Ok)
            return false;
    }
    std::size_t ports = 0;
    for (WORD n : contents.controllers)
        ports += n;
    return ports == contents.ports.size();
}
