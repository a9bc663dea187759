// DXF import, first half: reading the drawing, numbering the labels,
// re-creating the ports, snapping the labels onto their leader lines and
// working out the grid. The port builders are in DxfPortBuilders.cpp.
#include "DxfReader.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <new>

#include "DxfLineSource.h"
#include "DxfPointIndex.h"
#include "DxfProgress.h"
#include "LampTypeList.h"

namespace {

constexpr double kEmptyMin = 16777215.0;
constexpr double kEmptyMax = -16777215.0;
constexpr double kExactSnap = 0.0001;
// Longest label the two-dimensional reading keeps (bytes of the line).
constexpr size_t kMaxLabelBytes = 29;
// Longest text the three-dimensional reading keeps (the text field less
// its terminator).
constexpr int kMaxTextChars = 49;

bool Equals(std::string_view line, const char* word)
{
    return line == word;
}

// The 8-bit text in the ANSI code page as wide characters; false when it
// does not fit `capacity` characters (terminator excluded).
bool ToWide(std::string_view text, WCHAR* out, int capacity)
{
    out[0] = 0;
    if (text.empty())
        return true;
    const int needed = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (needed <= 0 || needed > capacity)
        return false;
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out, needed);
    out[needed] = 0;
    return true;
}

// The integer at the start of [from, to) by the C library's rules.
int WideToInt(const WCHAR* from, const WCHAR* to)
{
    while (from < to && (*from == L' ' || (*from >= L'\t' && *from <= L'\r')))
        ++from;
    bool negative = false;
    if (from < to && (*from == L'+' || *from == L'-')) {
        negative = *from == L'-';
        ++from;
    }
    long long value = 0;
    while (from < to && *from >= L'0' && *from <= L'9') {
        value = std::min<long long>(value * 10 + (*from - L'0'), static_cast<long long>(INT_MAX) + 1);
        ++from;
    }
    if (negative)
        value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

bool Contains(const WCHAR* text, WCHAR c)
{
    return wcschr(text, c) != nullptr;
}

} // namespace

DxfReader::DxfReader() = default;

DxfReader::~DxfReader() = default;

void DxfReader::Reset()
{
    m_texts.clear();
    m_lines.clear();
    m_circles.clear();
    m_radius = 1.0;
    m_labelKind = 0;
    m_highestController = 1;
    m_highestPort = 1;
    m_minX = m_minY = m_minZ = kEmptyMin;
    m_maxX = m_maxY = m_maxZ = kEmptyMax;
    m_columns = 1;
    m_rows = 1;
    m_freeCircles = 0;
    m_lineIndex.reset();
    m_circleIndex.reset();
}

int DxfReader::Parse(
    LPCWSTR path, CLayoutData& layout, CControllerList& controllers, int mode, HWND progress, double factor)
{
    return ParseChecked(path, layout, controllers, mode, 0, progress, factor, false);
}

int DxfReader::Parse3D(LPCWSTR path, CLayoutData& layout, CControllerList& controllers, int view, HWND progress)
{
    return ParseChecked(path, layout, controllers, kEndpointMode, view, progress, 1.0, true);
}

int DxfReader::ParseChecked(LPCWSTR path, CLayoutData& layout, CControllerList& controllers, int mode, int view,
    HWND progress, double factor, bool threeD)
{
    try {
        return ParseDrawing(path, layout, controllers, mode, view, progress, factor, threeD);
    } catch (const std::bad_alloc&) {
        // Out of memory on a huge drawing: the records go, the import fails.
        Reset();
        return -1;
    }
}

int DxfReader::ParseDrawing(LPCWSTR path, CLayoutData& layout, CControllerList& controllers, int mode, int view,
    HWND progress, double factor, bool threeD)
{
    Reset();
    // A caller's list without a usable first entry, or a factor that would
    // make the cells vanish or turn negative, cannot give a grid.
    if (controllers.GetSize() < 1 || controllers[0] < 1)
        return -1;
    if (!threeD && !(factor > 0.0 && std::isfinite(factor)))
        return -1;

    CDxfLineSource source;
    if (!source.Open(path))
        return -1;
    DxfSetProgressRange(progress, 0, 100);
    DxfSetProgressPos(progress, 0);

    // Circles before the entities (block definitions) give the first radius.
    m_radius = -1.0;
    std::string_view line;
    bool foundEntities = false;
    while (source.Next(line)) {
        if (Equals(line, "ENTITIES")) {
            foundEntities = true;
            break;
        }
        if (Equals(line, "CIRCLE") || Equals(line, "ELLIPSE")) {
            DxfCircle circle;
            double candidate = 0;
            if (ReadCircle(source, threeD, view, circle, candidate))
                TakeRadius(candidate, threeD, false);
        }
    }
    if (!foundEntities)
        return -1;
    if (!ReadEntities(source, progress, threeD, view))
        return -1;
    source.Close();
    if (m_texts.empty())
        return -1;
    // No circle at all (or only empty ones) gives no lamp size.
    if (!(m_radius > 0.0) || !std::isfinite(m_radius))
        return -1;

    // The first text read decides the kind of the labels, even when the
    // clean-up removes it.
    WCHAR first[50];
    wcscpy_s(first, m_texts.front().text);
    if (!threeD) {
        for (WCHAR* c = first; *c; ++c) {
            if (*c >= L'a' && *c <= L'z')
                *c = static_cast<WCHAR>(*c - L'a' + L'A');
        }
        CleanLabels();
    }
    WCHAR separator = 0;
    if (threeD) {
        if (Contains(first, L'c')) {
            m_labelKind = 1;
            separator = L'p';
        } else if (Contains(first, L'C')) {
            m_labelKind = 1;
            separator = L'P';
        } else if (Contains(first, L'p')) {
            m_labelKind = 2;
            separator = L'p';
        } else if (Contains(first, L'P')) {
            m_labelKind = 2;
            separator = L'P';
        }
    } else {
        separator = L'P';
        if (Contains(first, L'C'))
            m_labelKind = 1;
        else if (Contains(first, L'P'))
            m_labelKind = 2;
    }
    if (m_labelKind == 0)
        return -1;
    m_separator = separator;
    if (!NumberLabels(threeD, separator))
        return -1;
    const int firstEntry = controllers[0];
    int controllerCount = 0;
    if (m_labelKind == 1) {
        m_portsPerController = std::max(firstEntry, m_highestPort);
        controllerCount = m_highestController;
    } else {
        m_portsPerController = firstEntry;
        controllerCount = (m_highestPort + m_portsPerController - 1) / m_portsPerController;
    }
    if (m_maxPortsPerController > 0 && m_portsPerController > m_maxPortsPerController)
        return kTooManyPorts;
    const long long ports = static_cast<long long>(controllerCount) * m_portsPerController;
    if (ports < 1 || ports > kMaxLayoutPorts)
        return -1;

    // Scale and tolerances. Coordinates are not scaled: the factor changes
    // the cell and so the resolution of the grid.
    if (!threeD)
        m_radius *= factor;
    if (!(m_radius > 0.0) || !std::isfinite(m_radius))
        return -1;
    m_cell = 2.0 * m_radius;
    m_snapTolerance = 0.5 * m_radius;
    const double precision = std::isfinite(m_precision) ? m_precision : 0.6;
    m_sampleTolerance = m_radius * precision;

    BuildIndexes();
    SnapLabels(threeD);
    for (const DxfLine& l : m_lines) {
        if (l.used)
            continue;
        m_minX = std::min({ m_minX, l.x1, l.x2 });
        m_maxX = std::max({ m_maxX, l.x1, l.x2 });
        m_minY = std::min({ m_minY, l.y1, l.y2 });
        m_maxY = std::max({ m_maxY, l.y1, l.y2 });
        if (threeD) {
            m_minZ = std::min({ m_minZ, l.z1, l.z2 });
            m_maxZ = std::max({ m_maxZ, l.z1, l.z2 });
        }
    }
    const double columns = std::trunc((m_maxX - m_minX) / m_cell + 1.5);
    const double rows = std::trunc((m_maxY - m_minY) / m_cell + 1.5);
    if (!(columns <= kMaxGridCells) || !(rows <= kMaxGridCells))
        return -1;
    // An empty box (no label snapped, no free line) keeps a 1 x 1 grid.
    m_columns = std::max(1, static_cast<int>(columns));
    m_rows = std::max(1, static_cast<int>(rows));
    m_originX = m_minX - m_radius;
    m_referenceY = m_minY + m_radius;
    m_spanX = (m_maxX - m_minX) + m_cell;
    m_spanY = (m_maxY - m_minY) + m_cell;
    m_height = m_maxY - m_minY;

    // Everything is checked: now the layout changes.
    int pointsPerPort = 0;
    if (layout.GetPortCount() > 0)
        pointsPerPort = layout.GetPort(0).GetCapacity();
    if (pointsPerPort < 1)
        pointsPerPort = kMaxPortPoints;
    const CString lampFormat = LampTypeList.GetSize() > 0 ? LampTypeList[0] : CString(L"RGB");
    if (!layout.ResetPorts(static_cast<int>(ports), pointsPerPort, lampFormat, 0))
        return -1;
    controllers.SetSize(controllerCount);
    for (int i = 0; i < controllerCount; ++i)
        controllers[i] = static_cast<WORD>(m_portsPerController);

    DxfSetProgressPos(progress, 100);
    if (threeD)
        return 0;
    if (mode == kEndpointMode)
        return m_overlapMode ? BuildPortsFromLineEndsNoRepeat(layout, controllers, progress)
                             : BuildPortsFromLineEnds(layout, controllers, progress);
    return BuildPortsFromCircles(layout, controllers, progress);
}

bool DxfReader::ReadCircle(CDxfLineSource& source, bool threeD, int view, DxfCircle& circle, double& candidate)
{
    std::string_view line;
    if (!source.SkipTo("10") || !source.Next(line))
        return false;
    circle.x = DxfToDouble(line);
    if (!source.Skip(1) || !source.Next(line))
        return false;
    const double second = DxfToDouble(line);
    double third = 0;
    if (threeD) {
        if (!source.Skip(1) || !source.Next(line))
            return false;
        third = DxfToDouble(line);
        if (!source.Next(line)) // the group-code line after the centre
            return false;
    } else {
        if (!source.Skip(2) || !source.Next(line))
            return false;
    }
    circle.y = (threeD && view == 1) ? third : second;
    circle.z = threeD ? ((view == 1) ? second : third) : 0.0;
    if (DxfIsGroupCode(line, "40")) {
        if (!source.Next(line))
            return false;
        candidate = DxfToDouble(line);
    } else if (DxfIsGroupCode(line, "11")) {
        // An ellipse: the group 21 value of its major axis.
        if (!source.Skip(2) || !source.Next(line))
            return false;
        candidate = DxfToDouble(line);
    } else {
        candidate = DxfToDouble(line);
    }
    return true;
}

void DxfReader::TakeRadius(double candidate, bool threeD, bool entity)
{
    if (threeD) {
        // Only the first circle sets the size.
        if (m_radius < 0)
            m_radius = candidate;
        return;
    }
    if (!entity) {
        if (m_radius <= 1e-6)
            m_radius = candidate;
        return;
    }
    if (m_radius < 0)
        m_radius = candidate;
    if (m_radiusBasis == 1 && candidate < m_radius)
        m_radius = candidate;
    else if (m_radiusBasis == 2 && candidate > m_radius)
        m_radius = candidate;
}

bool DxfReader::ReadEntities(CDxfLineSource& source, HWND progress, bool threeD, int view)
{
    const ULONGLONG divisor = std::max<ULONGLONG>(1, source.GetLength() / 256);
    int circleCount = 0;
    int lastPos = -1;
    std::string_view line;
    while (source.Next(line)) {
        if (Equals(line, "TEXT")) {
            DxfText text;
            if (!source.SkipTo("10") || !source.Next(line))
                break;
            text.x = DxfToDouble(line);
            if (!source.Skip(1) || !source.Next(line))
                break;
            const double second = DxfToDouble(line);
            double third = 0;
            if (threeD) {
                if (!source.Skip(1) || !source.Next(line))
                    break;
                third = DxfToDouble(line);
            }
            text.y = (threeD && view == 1) ? third : second;
            text.z = threeD ? ((view == 1) ? second : third) : 0.0;
            if (!source.SkipTo("1") || !source.Next(line))
                break;
            if (line.find_first_of("pP") == std::string_view::npos)
                continue;
            if (!threeD && line.size() > kMaxLabelBytes)
                continue;
            if (!ToWide(line, text.text, threeD ? kMaxTextChars : static_cast<int>(kMaxLabelBytes)))
                continue;
            if (m_texts.size() >= kMaxTexts)
                return false;
            m_texts.push_back(text);
        } else if (Equals(line, "LINE")) {
            DxfLine l;
            if (!source.SkipTo("10") || !source.Next(line))
                break;
            l.x1 = DxfToDouble(line);
            double a = 0;
            double b = 0;
            if (!source.Skip(1) || !source.Next(line))
                break;
            a = DxfToDouble(line);
            if (threeD) {
                if (!source.Skip(1) || !source.Next(line))
                    break;
                b = DxfToDouble(line);
            }
            l.y1 = (threeD && view == 1) ? b : a;
            l.z1 = threeD ? ((view == 1) ? a : b) : 0.0;
            if (!source.Skip(threeD ? 1 : 3) || !source.Next(line))
                break;
            l.x2 = DxfToDouble(line);
            if (!source.Skip(1) || !source.Next(line))
                break;
            a = DxfToDouble(line);
            if (threeD) {
                if (!source.Skip(1) || !source.Next(line))
                    break;
                b = DxfToDouble(line);
            }
            l.y2 = (threeD && view == 1) ? b : a;
            l.z2 = threeD ? ((view == 1) ? a : b) : 0.0;
            if (m_lines.size() >= kMaxLines)
                return false;
            m_lines.push_back(l);
        } else if (Equals(line, "CIRCLE") || Equals(line, "ELLIPSE")) {
            DxfCircle circle;
            double candidate = 0;
            if (!ReadCircle(source, threeD, view, circle, candidate))
                break;
            TakeRadius(candidate, threeD, true);
            if (m_circles.size() >= kMaxCircles)
                return false;
            m_circles.push_back(circle);
            const double share = static_cast<double>(circleCount) / static_cast<double>(divisor) * 100.0;
            const int pos = static_cast<int>(std::min(100.0, share));
            if (pos != lastPos) {
                DxfSetProgressPos(progress, pos);
                lastPos = pos;
            }
            ++circleCount;
        }
    }
    return true;
}

void DxfReader::CleanLabels()
{
    for (DxfText& t : m_texts) {
        for (WCHAR* c = t.text; *c; ++c) {
            if (*c >= L'a' && *c <= L'z')
                *c = static_cast<WCHAR>(*c - L'a' + L'A');
        }
    }
    for (size_t i = m_texts.size(); i-- > 0;) {
        const WCHAR* t = m_texts[i].text;
        const bool keep = wcslen(t) >= 2 && (t[0] == L'C' || t[0] == L'P') && t[1] >= L'1' && t[1] <= L'9';
        if (!keep)
            m_texts.erase(m_texts.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

bool DxfReader::NumberLabels(bool threeD, WCHAR separator)
{
    (void)threeD;
    for (DxfText& t : m_texts) {
        const WCHAR* end = t.text + wcslen(t.text);
        if (m_labelKind == 1) {
            const WCHAR* sep = wcschr(t.text, separator);
            if (sep == nullptr)
                continue;
            t.port = WideToInt(sep + 1, end);
            // The controller number runs from the second character up to the
            // separator.
            t.controller = sep > t.text ? WideToInt(t.text + 1, sep) : 0;
        } else {
            t.port = end > t.text ? WideToInt(t.text + 1, end) : 0;
            t.controller = 0;
        }
        // A label naming port or controller 0 (or below) names no port and
        // counts for nothing.
        if (t.port < 1 || (m_labelKind == 1 && t.controller < 1))
            continue;
        m_highestPort = std::max(m_highestPort, t.port);
        if (m_labelKind == 1)
            m_highestController = std::max(m_highestController, t.controller);
    }
    // Bounds the count before it is multiplied out.
    if (m_highestPort > kMaxLayoutPorts || m_highestController > kMaxLayoutPorts)
        return false;
    // The caller made sure the first entry is at least 1.
    return true;
}

void DxfReader::SnapLabels(bool threeD)
{
    for (DxfText& t : m_texts) {
        int end = 0;
        int id = FindLine(t.x, t.y, t.z, kExactSnap, 0, threeD, end);
        if (id < 0)
            id = FindLine(t.x, t.y, t.z, m_snapTolerance, 0, threeD, end);
        if (id < 0)
            continue;
        DxfLine& l = m_lines[static_cast<size_t>(id)];
        if (end == 0) {
            t.x = l.x2;
            t.y = l.y2;
            t.z = l.z2;
        } else {
            t.x = l.x1;
            t.y = l.y1;
            t.z = l.z1;
        }
        t.snapped = 1;
        l.used = 1;
        m_minX = std::min(m_minX, t.x);
        m_maxX = std::max(m_maxX, t.x);
        m_minY = std::min(m_minY, t.y);
        m_maxY = std::max(m_maxY, t.y);
        if (threeD) {
            m_minZ = std::min(m_minZ, t.z);
            m_maxZ = std::max(m_maxZ, t.z);
        }
    }
}

void DxfReader::BuildIndexes()
{
    const double bucket = 2.0 * std::max({ kExactSnap, m_snapTolerance, m_sampleTolerance });
    std::vector<double> xs;
    std::vector<double> ys;
    std::vector<int> ids;
    std::vector<int> ends;
    xs.reserve(m_lines.size() * 2);
    ys.reserve(m_lines.size() * 2);
    ids.reserve(m_lines.size() * 2);
    ends.reserve(m_lines.size() * 2);
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const DxfLine& l = m_lines[i];
        xs.push_back(l.x1);
        ys.push_back(l.y1);
        ids.push_back(static_cast<int>(i));
        ends.push_back(0);
        xs.push_back(l.x2);
        ys.push_back(l.y2);
        ids.push_back(static_cast<int>(i));
        ends.push_back(1);
    }
    m_lineIndex = std::make_unique<CDxfPointIndex>();
    m_lineIndex->Build(xs, ys, ids, ends, bucket);

    xs.clear();
    ys.clear();
    ids.clear();
    ends.clear();
    for (size_t i = 0; i < m_circles.size(); ++i) {
        xs.push_back(m_circles[i].x);
        ys.push_back(m_circles[i].y);
        ids.push_back(static_cast<int>(i));
        ends.push_back(0);
    }
    m_circleIndex = std::make_unique<CDxfPointIndex>();
    m_circleIndex->Build(xs, ys, ids, ends, bucket);
    m_freeCircles = static_cast<int>(m_circles.size());
}

int DxfReader::FindLine(double x, double y, double z, double tolerance, int minId, bool useZ, int& end) const
{
    auto within = [&](double px, double py, double pz) {
        return std::fabs(px - x) < tolerance && std::fabs(py - y) < tolerance
            && (!useZ || std::fabs(pz - z) < tolerance);
    };
    int best = INT_MAX;
    if (tolerance > 0 && m_lineIndex) {
        m_lineIndex->ForEachNear(x, y, minId, [&](const CDxfPointIndex::Entry& e) {
            if (e.id >= best)
                return false;
            const DxfLine& l = m_lines[static_cast<size_t>(e.id)];
            if (l.used)
                return true;
            const bool hit = e.end == 0 ? within(l.x1, l.y1, l.z1) : within(l.x2, l.y2, l.z2);
            if (!hit)
                return true;
            best = e.id;
            return false;
        });
    }
    if (best == INT_MAX)
        return -1;
    const DxfLine& l = m_lines[static_cast<size_t>(best)];
    end = within(l.x1, l.y1, l.z1) ? 0 : 1;
    return best;
}
