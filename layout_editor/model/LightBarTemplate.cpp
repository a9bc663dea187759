// The floating light-bar template.
#include "LightBarTemplate.h"

#include <algorithm>
#include <climits>

#include "SpreadMarks.h"

namespace {

// Applies fn to every point of the ports, then refreshes their bounds.
template <typename Fn> void ForEachPoint(std::vector<LayoutPort>& ports, Fn fn)
{
    for (LayoutPort& port : ports) {
        for (int i = 0; i < port.GetCount(); ++i)
            fn(port.EditPoint(i));
        port.UpdateBounds();
    }
}

// One transformation of a copy whose size is (w, h); the size is updated.
void TransformCopy(std::vector<LayoutPort>& ports, int kind, int& w, int& h)
{
    const int W = w;
    const int H = h;
    const double invW = W > 0 ? 1.0 / W : 0;
    const double invH = H > 0 ? 1.0 / H : 0;
    ForEachPoint(ports, [&](CLPoint& p) {
        const int x = p.x;
        const int y = p.y;
        const double nx = p.m_normX;
        const double ny = p.m_normY;
        switch (kind) {
        case kTemplateRotateClockwise:
            p.x = H - 1 - y;
            p.y = x;
            p.m_normX = 1 - ny - invH;
            p.m_normY = nx;
            break;
        case kTemplateRotateCounterClockwise:
            p.x = y;
            p.y = W - 1 - x;
            p.m_normX = ny;
            p.m_normY = 1 - nx - invW;
            break;
        case kTemplateRotate180:
            p.x = W - 1 - x;
            p.y = H - 1 - y;
            p.m_normX = 1 - nx - invW;
            p.m_normY = 1 - ny - invH;
            break;
        case kTemplateMirrorLeftRight:
            p.x = W - 1 - x;
            p.m_normX = 1 - nx - invW;
            break;
        case kTemplateMirrorTopBottom:
            p.y = H - 1 - y;
            p.m_normY = 1 - ny - invH;
            break;
        default:
            break;
        }
    });
    if (kind == kTemplateRotateClockwise || kind == kTemplateRotateCounterClockwise)
        std::swap(w, h);
}

} // namespace

void CLightBarTemplate::Clear()
{
    m_templateMode = 0;
    m_ports.clear();
    m_basePorts.clear();
    m_portList.clear();
    m_width = m_height = m_baseWidth = m_baseHeight = 0;
    m_left = m_top = 0;
    m_leastNormX = m_leastNormY = 0;
    m_referencePoint = 0;
}

bool CLightBarTemplate::BuildFromLayout(const CLayoutData& source, int mode)
{
    Clear();
    if (source.GetUsedCount() == 0)
        return false;

    int minX = 65536, minY = 65536, maxX = 0, maxY = 0;
    double minNormX = 65536, minNormY = 65536;
    for (int p = 0; p < source.GetPortCount(); ++p) {
        const LayoutPort& from = source.GetPort(p);
        if (from.GetCount() == 0)
            continue;
        m_portList.push_back(static_cast<WORD>(p));
        LayoutPort copy;
        copy.Allocate(from.GetCapacity());
        copy.InsertPoints(from.GetPoints(), from.GetCount());
        for (int i = 0; i < from.GetCount(); ++i) {
            const CLPoint& pt = from.GetPoint(i);
            minX = std::min<int>(minX, pt.x);
            minY = std::min<int>(minY, pt.y);
            maxX = std::max<int>(maxX, pt.x);
            maxY = std::max<int>(maxY, pt.y);
            minNormX = std::min(minNormX, pt.m_normX);
            minNormY = std::min(minNormY, pt.m_normY);
        }
        m_basePorts.push_back(std::move(copy));
    }
    // Ports listed as used but all empty leave nothing to copy.
    if (m_basePorts.empty() || maxX < minX || maxY < minY) {
        Clear();
        return false;
    }
    // A group wider or taller than a cell coordinate can count is no
    // template: its size and the cells moved to the origin would not fit.
    const long long spanX = static_cast<long long>(maxX) - minX + 1;
    const long long spanY = static_cast<long long>(maxY) - minY + 1;
    if (spanX > INT_MAX || spanY > INT_MAX) {
        Clear();
        return false;
    }

    m_width = m_baseWidth = static_cast<int>(spanX);
    m_height = m_baseHeight = static_cast<int>(spanY);
    m_left = minX;
    m_top = minY;
    m_leastNormX = minNormX;
    m_leastNormY = minNormY;
    // Normalised positions become fractions of the template, measured from
    // its left and top edges.
    const double scaleX = static_cast<double>(source.m_width) / m_width;
    const double scaleY = static_cast<double>(source.m_height) / m_height;
    ForEachPoint(m_basePorts, [&](CLPoint& pt) {
        pt.x -= minX;
        pt.y -= minY;
        pt.m_normX = (pt.m_normX - minNormX) * scaleX;
        pt.m_normY = (pt.m_normY - minNormY) * scaleY;
    });
    m_ports = m_basePorts;

    if (source.m_templateKind == 2)
        m_templateMode = static_cast<WORD>(mode);
    else if (source.m_templateKind == 3)
        m_templateMode = 1;
    else
        m_templateMode = static_cast<WORD>(source.GetPortCount());
    return true;
}

void CLightBarTemplate::Transform(int kind)
{
    if (kind < kTemplateRotateClockwise || kind > kTemplateMirrorTopBottom)
        return;
    TransformCopy(m_ports, kind, m_width, m_height);
    TransformCopy(m_basePorts, kind, m_baseWidth, m_baseHeight);
}

std::vector<int> CLightBarTemplate::MapAxis(int baseSize, int newSize, int& storedSize)
{
    std::vector<int> map(static_cast<size_t>(baseSize));
    storedSize = newSize;
    if (newSize == baseSize) {
        for (int c = 0; c < baseSize; ++c)
            map[static_cast<size_t>(c)] = c;
    } else if (newSize < baseSize) {
        // Shrink: cleared columns merge into the next kept one (a cleared
        // last column into the last kept one).
        std::vector<BYTE> marks(static_cast<size_t>(baseSize), 1);
        SpreadMarks(marks.data(), baseSize, baseSize - newSize);
        int kept = 0;
        for (int c = 0; c < baseSize; ++c) {
            map[static_cast<size_t>(c)] = std::min(kept, newSize - 1);
            if (marks[static_cast<size_t>(c)])
                ++kept;
        }
    } else if (newSize % baseSize == 0) {
        // Whole multiple: every column stretched; the stored size is the
        // span from the first to the last lamp column.
        const int factor = newSize / baseSize;
        for (int c = 0; c < baseSize; ++c)
            map[static_cast<size_t>(c)] = c * factor;
        storedSize = newSize + 1 - factor;
    } else {
        // Spread: empty columns inserted evenly; the first position always stays.
        std::vector<BYTE> marks(static_cast<size_t>(newSize), 1);
        SpreadMarks(marks.data() + 1, newSize - 1, newSize - baseSize);
        int c = 0;
        for (int pos = 0; pos < newSize && c < baseSize; ++pos)
            if (marks[static_cast<size_t>(pos)])
                map[static_cast<size_t>(c++)] = pos;
        for (; c < baseSize; ++c)
            map[static_cast<size_t>(c)] = newSize - 1;
    }
    return map;
}

void CLightBarTemplate::Resize(int newWidth, int newHeight)
{
    if (newWidth < 1 || newHeight < 1 || m_baseWidth < 1 || m_baseHeight < 1)
        return;
    const bool doX = newWidth != m_width;
    const bool doY = newHeight != m_height;
    std::vector<int> mapX;
    std::vector<int> mapY;
    if (doX)
        mapX = MapAxis(m_baseWidth, newWidth, m_width);
    if (doY)
        mapY = MapAxis(m_baseHeight, newHeight, m_height);
    if (!doX && !doY)
        return;
    for (size_t p = 0; p < m_ports.size() && p < m_basePorts.size(); ++p) {
        LayoutPort& work = m_ports[p];
        const LayoutPort& base = m_basePorts[p];
        for (int i = 0; i < work.GetCount() && i < base.GetCount(); ++i) {
            const CLPoint& b = base.GetPoint(i);
            CLPoint& w = work.EditPoint(i);
            if (doX && b.x >= 0 && b.x < m_baseWidth)
                w.x = mapX[static_cast<size_t>(b.x)];
            if (doY && b.y >= 0 && b.y < m_baseHeight)
                w.y = mapY[static_cast<size_t>(b.y)];
        }
        work.UpdateBounds();
    }
}
