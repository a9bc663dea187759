// Project statistics (see ProjectInfo.h).
#include "ProjectInfo.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

bool IsChannelLetter(wchar_t c)
{
    return c == L'R' || c == L'G' || c == L'B' || c == L'W' || c == L'N' || c == L'Y';
}

// A lamp number larger than any port can hold says nothing more; capping it
// keeps long digit runs from overflowing.
constexpr int kMaxUnitLamps = kMaxPortPoints;

} // namespace

LampFormatUnit DescribeLampFormat(const CString& format)
{
    CString upper = format;
    upper.MakeUpper();
    LampFormatUnit unit;
    const int length = upper.GetLength();
    int i = 0;
    while (i < length) {
        const wchar_t c = upper[i++];
        if (!IsChannelLetter(c))
            continue;
        ++unit.channels;
        if (c == L'N' || c == L'W')
            ++unit.vacant;
        int number = 0;
        bool hasNumber = false;
        while (i < length && upper[i] >= L'0' && upper[i] <= L'9') {
            number = std::min(number * 10 + (upper[i] - L'0'), kMaxUnitLamps);
            hasNumber = true;
            ++i;
        }
        if (hasNumber)
            unit.lamps = std::max(unit.lamps, number);
    }
    return unit;
}

ProjectInfoCounts CountProjectInfo(
    const CLayoutData& layout, const CControllerList& controllers, int width, int height, const CStringArray& lampTypes)
{
    ProjectInfoCounts counts;
    const int portCount = layout.GetPortCount();

    int port = 0;
    for (INT_PTR c = 0; c < controllers.GetSize(); ++c) {
        const int ports = controllers.GetAt(c);
        bool used = false;
        for (int k = 0; k < ports && port + k < portCount; ++k)
            used = used || layout.GetPort(port + k).GetCount() > 0;
        if (used)
            ++counts.controllersInUse;
        port += ports;
    }

    std::vector<LampFormatUnit> units;
    units.reserve(static_cast<size_t>(lampTypes.GetSize()));
    for (INT_PTR k = 0; k < lampTypes.GetSize(); ++k)
        units.push_back(DescribeLampFormat(lampTypes.GetAt(k)));

    // The cells on the canvas, one entry per lamp; sorted afterwards to find
    // the cells that hold more than one. Unlike a counter per grid cell this
    // needs no memory for empty canvas, however large the layout.
    std::vector<std::uint64_t> cells;
    const auto onCanvas = [&](const CLPoint& p) { return p.x >= 0 && p.x < width && p.y >= 0 && p.y < height; };
    for (int p = portCount - 1; p >= 0; --p) {
        const LayoutPort& lp = layout.GetPort(p);
        const int n = lp.GetCount();
        for (int i = 0; i < n; ++i) {
            const CLPoint& point = lp.GetPoint(i);
            if (onCanvas(point))
                cells.push_back((static_cast<std::uint64_t>(static_cast<std::uint32_t>(point.y)) << 32)
                    | static_cast<std::uint32_t>(point.x));
        }
        const int index = lp.m_lampFormatIndex;
        const LampFormatUnit unit = index >= 0 && index < static_cast<int>(units.size())
            ? units[static_cast<size_t>(index)]
            : DescribeLampFormat(lp.m_lampFormat);
        for (int i = 0; i < n; i += unit.lamps) {
            if (!onCanvas(lp.GetPoint(i)))
                counts.vacantChannels += unit.channels;
            counts.totalChannels += unit.channels;
            counts.vacantChannels += unit.vacant;
        }
    }
    counts.lampsOnCanvas = static_cast<int>(cells.size());

    std::sort(cells.begin(), cells.end());
    for (size_t i = 0; i < cells.size();) {
        size_t j = i + 1;
        while (j < cells.size() && cells[j] == cells[i])
            ++j;
        if (j - i > 1)
            ++counts.overlappingCells;
        i = j;
    }
    return counts;
}
