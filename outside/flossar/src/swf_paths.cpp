// Edge chaining into contours (see swf_paths.h).
#include "swf_paths.h"

#include <cstring>
#include <unordered_map>

namespace flossar {

namespace {

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

std::vector<EdgeRun> Contours(const std::vector<Edge>& edges, uint16_t fill, bool glyph)
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
    std::vector<EdgeRun> contours;
    if (list.empty())
        return contours;
    std::unordered_multimap<uint64_t, size_t> starts;
    starts.reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i)
        starts.emplace(Key(list[i].x0, list[i].y0), i);
    std::vector<bool> used(list.size(), false);
    for (size_t i = 0; i < list.size(); ++i) {
        if (used[i])
            continue;
        EdgeRun& run = contours.emplace_back();
        const uint64_t home = Key(list[i].x0, list[i].y0);
        size_t current = i;
        for (;;) {
            used[current] = true;
            run.push_back(list[current]);
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
                break; // an open contour: the filler closes it
            current = next;
        }
    }
    return contours;
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
            p.fillContours.push_back(Contours(g.edges, 1, true));
            continue;
        }
        for (size_t f = 0; f < g.fills.size(); ++f)
            p.fillContours.push_back(Contours(g.edges, static_cast<uint16_t>(f + 1), false));
        p.lineRuns.resize(g.lines.size());
        for (const Edge& e : g.edges) {
            if (e.line == 0 || e.line > g.lines.size())
                continue;
            std::vector<EdgeRun>& runs = p.lineRuns[e.line - 1];
            if (runs.empty() || runs.back().back().x1 != e.x0 || runs.back().back().y1 != e.y0)
                runs.emplace_back();
            runs.back().push_back(e);
        }
    }
    return prepared;
}

} // namespace flossar
