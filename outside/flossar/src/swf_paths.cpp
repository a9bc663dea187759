// Edge chaining into GDI+ paths (see swf_paths.h).
#include "swf_paths.h"

#include <cstring>
#include <unordered_map>

namespace flossar {

namespace {

struct PathBuilder {
    std::vector<Gdiplus::PointF> points;
    std::vector<BYTE> types;
    float lastX = 0;
    float lastY = 0;

    void MoveTo(float x, float y)
    {
        points.emplace_back(x, y);
        types.push_back(Gdiplus::PathPointTypeStart);
        lastX = x;
        lastY = y;
    }
    void Add(const Edge& e)
    {
        if (e.curve) {
            // The quadratic's control point raised to cubic ones.
            const float c1x = e.x0 + (e.cx - e.x0) * 2 / 3;
            const float c1y = e.y0 + (e.cy - e.y0) * 2 / 3;
            const float c2x = e.x1 + (e.cx - e.x1) * 2 / 3;
            const float c2y = e.y1 + (e.cy - e.y1) * 2 / 3;
            points.emplace_back(c1x, c1y);
            points.emplace_back(c2x, c2y);
            points.emplace_back(e.x1, e.y1);
            types.insert(types.end(), 3, Gdiplus::PathPointTypeBezier);
        } else {
            points.emplace_back(e.x1, e.y1);
            types.push_back(Gdiplus::PathPointTypeLine);
        }
        lastX = e.x1;
        lastY = e.y1;
    }
    void Close()
    {
        if (!types.empty())
            types.back() |= Gdiplus::PathPointTypeCloseSubpath;
    }
    std::unique_ptr<Gdiplus::GraphicsPath> Make() const
    {
        if (points.size() < 2)
            return nullptr;
        return std::make_unique<Gdiplus::GraphicsPath>(
            points.data(), types.data(), static_cast<INT>(points.size()), Gdiplus::FillModeWinding);
    }
};

uint64_t Key(float x, float y)
{
    uint32_t a = 0;
    uint32_t b = 0;
    std::memcpy(&a, &x, 4);
    std::memcpy(&b, &y, 4);
    return (static_cast<uint64_t>(a) << 32) | b;
}

Edge Reversed(const Edge& e)
{
    Edge r = e;
    r.x0 = e.x1;
    r.y0 = e.y1;
    r.x1 = e.x0;
    r.y1 = e.y0;
    return r;
}

std::unique_ptr<Gdiplus::GraphicsPath> FillPath(const std::vector<Edge>& edges, uint16_t fill, bool glyph)
{
    std::vector<Edge> list;
    for (const Edge& e : edges) {
        bool left = e.fill0 == fill;
        bool right = e.fill1 == fill;
        if (glyph) {
            left = e.fill0 != 0;
            right = e.fill1 != 0;
        }
        if (left == right)
            continue; // not this style, or the same on both sides
        list.push_back(right ? e : Reversed(e));
    }
    if (list.empty())
        return nullptr;
    std::unordered_multimap<uint64_t, size_t> starts;
    starts.reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i)
        starts.emplace(Key(list[i].x0, list[i].y0), i);
    std::vector<bool> used(list.size(), false);
    PathBuilder b;
    for (size_t i = 0; i < list.size(); ++i) {
        if (used[i])
            continue;
        const uint64_t home = Key(list[i].x0, list[i].y0);
        b.MoveTo(list[i].x0, list[i].y0);
        size_t current = i;
        for (;;) {
            used[current] = true;
            b.Add(list[current]);
            const uint64_t end = Key(list[current].x1, list[current].y1);
            if (end == home)
                break;
            size_t next = list.size();
            auto range = starts.equal_range(end);
            for (auto it = range.first; it != range.second; ++it)
                if (!used[it->second]) {
                    next = it->second;
                    break;
                }
            if (next == list.size())
                break; // an open contour: the fill closes it
            current = next;
        }
        b.Close();
    }
    return b.Make();
}

} // namespace

std::unique_ptr<PreparedShape> PrepareShape(const ShapeData& shape, bool glyph)
{
    auto prepared = std::make_unique<PreparedShape>();
    for (const ShapeGroup& g : shape.groups) {
        PreparedGroup& p = prepared->groups.emplace_back();
        p.fills = g.fills;
        p.lines = g.lines;
        if (glyph) {
            p.fillPaths.push_back(FillPath(g.edges, 1, true));
            continue;
        }
        for (size_t f = 0; f < g.fills.size(); ++f)
            p.fillPaths.push_back(FillPath(g.edges, static_cast<uint16_t>(f + 1), false));
        std::vector<PathBuilder> lines(g.lines.size());
        std::vector<bool> open(g.lines.size(), false);
        for (const Edge& e : g.edges) {
            if (e.line == 0 || e.line > g.lines.size())
                continue;
            PathBuilder& b = lines[e.line - 1];
            if (!open[e.line - 1] || b.lastX != e.x0 || b.lastY != e.y0)
                b.MoveTo(e.x0, e.y0);
            open[e.line - 1] = true;
            b.Add(e);
        }
        for (const PathBuilder& b : lines)
            p.linePaths.push_back(b.Make());
    }
    return prepared;
}

} // namespace flossar
