// Point-by-point adjustment helpers (see ChannelAdjust.h).
#include "ChannelAdjust.h"

#include <algorithm>

#include "LampFormatBuild.h"
#include "LayoutLimits.h"

int AdjustmentRowCount(const LayoutPort& port)
{
    const long long rows = static_cast<long long>(ChannelsPerLamp(port.m_lampFormat)) * port.GetCount();
    return static_cast<int>(std::min<long long>(rows, kPortTableSize));
}

bool RepeatCheckedPattern(std::vector<bool>& checked, int gap)
{
    // A gap longer than the list could never be followed by a copy; a huge
    // one would also overflow the row arithmetic below.
    const long long rows = static_cast<long long>(checked.size());
    if (gap < 0 || gap > rows)
        return false;
    std::vector<long long> marks;
    for (size_t i = 0; i < checked.size(); ++i) {
        if (checked[i])
            marks.push_back(static_cast<long long>(i));
    }
    if (marks.empty())
        return true;
    const long long first = marks.front();
    const long long period = marks.back() - first + gap + 1;
    for (long long start = marks.back() + gap + 1; start < rows; start += period) {
        for (long long mark : marks) {
            const long long row = mark - first + start;
            if (row >= rows)
                break;
            checked[static_cast<size_t>(row)] = true;
        }
    }
    return true;
}

BYTE UpdateAdjustedFlag(LayoutPort& port)
{
    const bool bright
        = std::any_of(port.m_brightness.begin(), port.m_brightness.end(), [](BYTE b) { return b != 100; });
    const bool curve = std::any_of(port.m_gamma.begin(), port.m_gamma.end(), [](BYTE g) { return g != 0; });
    port.m_adjusted = (bright || curve) ? 1 : 0;
    return port.m_adjusted;
}

void EnsureAdjustmentTables(LayoutPort& port)
{
    if (port.m_brightness.size() < static_cast<size_t>(kPortTableSize))
        port.m_brightness.resize(kPortTableSize, 100);
    if (port.m_gamma.size() < static_cast<size_t>(kPortTableSize))
        port.m_gamma.resize(kPortTableSize, 0);
}
