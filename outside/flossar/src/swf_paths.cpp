// Edge chaining into contours (see swf_paths.h). Both steps take time in
// proportion to the edges (and a sort): a shape of many edges that share a
// few points, or of many fill styles, must not cost their square.
#include "swf_paths.h"

#include <algorithm>
#include <cstring>

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

// Which style an edge gives its two sides: glyphs know only filled (1) or
// not; a style past the group's list is none.
void SidesOf(const Edge& e, size_t fills, bool glyph, size_t& left, size_t& right)
{
    if (glyph) {
        left = e.fill0 != 0 ? 1 : 0;
        right = e.fill1 != 0 ? 1 : 0;
    } else {
        left = e.fill0 <= fills ? e.fill0 : 0;
        right = e.fill1 <= fills ? e.fill1 : 0;
    }
}

// Per fill style (or the one glyph style), the edges that have it on one
// side only, turned so that it lies on their right, in file order.
std::vector<std::vector<Edge>> EdgesByFill(const std::vector<Edge>& edges, size_t fills, bool glyph)
{
    const size_t styles = glyph ? 1 : fills;
    std::vector<size_t> counts(styles + 1, 0);
    for (const Edge& e : edges) {
        size_t left = 0, right = 0;
        SidesOf(e, fills, glyph, left, right);
        if (left != right) {
            ++counts[left];
            ++counts[right];
        }
    }
    std::vector<std::vector<Edge>> byFill(styles);
    for (size_t f = 0; f < styles; ++f)
        byFill[f].reserve(counts[f + 1]);
    for (const Edge& e : edges) {
        size_t left = 0, right = 0;
        SidesOf(e, fills, glyph, left, right);
        if (left == right)
            continue; // the same style on both sides
        if (left != 0)
            byFill[left - 1].push_back(Reversed(e));
        if (right != 0)
            byFill[right - 1].push_back(e);
    }
    return byFill;
}

// Chains the edges end to start. Where several unused edges start at the
// point reached, the one latest in the list goes on.
std::vector<EdgeRun> Contours(const std::vector<Edge>& list)
{
    std::vector<EdgeRun> contours;
    if (list.empty())
        return contours;
    // The edges sorted by start point, in list order within one point; for
    // the first entry of each point, the end of its entries still unused
    // (used ones are dropped from the end as they are met, so each entry is
    // passed over once).
    struct Start {
        uint64_t key;
        size_t edge;
    };
    std::vector<Start> starts(list.size());
    for (size_t i = 0; i < list.size(); ++i)
        starts[i] = { Key(list[i].x0, list[i].y0), i };
    std::sort(starts.begin(), starts.end(),
        [](const Start& a, const Start& b) { return a.key != b.key ? a.key < b.key : a.edge < b.edge; });
    std::vector<size_t> unusedEnd(starts.size(), 0);
    for (size_t i = 0; i < starts.size();) {
        size_t j = i + 1;
        while (j < starts.size() && starts[j].key == starts[i].key)
            ++j;
        unusedEnd[i] = j;
        i = j;
    }
    std::vector<bool> used(list.size(), false);
    auto nextFrom = [&](uint64_t point) {
        const auto first = std::lower_bound(
            starts.begin(), starts.end(), point, [](const Start& s, uint64_t key) { return s.key < key; });
        if (first == starts.end() || first->key != point)
            return list.size();
        const size_t group = static_cast<size_t>(first - starts.begin());
        size_t& end = unusedEnd[group];
        while (end > group && used[starts[end - 1].edge])
            --end;
        return end > group ? starts[end - 1].edge : list.size();
    };

    // Each contour is chained into one list of edge numbers first, so that
    // its run is made at its size at once.
    std::vector<size_t> chain;
    for (size_t i = 0; i < list.size(); ++i) {
        if (used[i])
            continue;
        chain.clear();
        const uint64_t home = Key(list[i].x0, list[i].y0);
        size_t current = i;
        for (;;) {
            used[current] = true;
            chain.push_back(current);
            const uint64_t end = Key(list[current].x1, list[current].y1);
            if (end == home)
                break;
            const size_t next = nextFrom(end);
            if (next == list.size())
                break; // an open contour: the filler closes it
            current = next;
        }
        EdgeRun& run = contours.emplace_back();
        run.reserve(chain.size());
        for (size_t edge : chain)
            run.push_back(list[edge]);
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
        for (const std::vector<Edge>& edges : EdgesByFill(g.edges, g.fills.size(), glyph))
            p.fillContours.push_back(Contours(edges));
        if (glyph)
            continue;
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
