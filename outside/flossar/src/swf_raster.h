// Our anti-aliased scan converter and painter. Outlines are given as line
// segments in device pixels; each segment adds its exact signed area to the
// pixel cells it crosses, and a sweep along every row sums them into the
// share of each pixel that lies inside (non-zero winding, clamped to one).
// That share blends a solid colour, a gradient or a bitmap into a 32-bit
// premultiplied picture, optionally scaled by a mask of clip layers. With a
// work budget, an outline whose work exceeds what is left is not drawn.
#pragma once

#include "swf_budget.h"
#include "swf_paint.h"
#include "swf_types.h"

#include <cstdint>
#include <vector>

namespace flossar {

// A top-down 32-bit picture of premultiplied 0xAARRGGBB words.
struct PixelTarget {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
};

class Rasterizer {
public:
    // Segments one outline may hold; the rest of a larger one is dropped.
    static constexpr size_t kMaxSegments = 1u << 21;

    // Starts an outline drawn within the box (device pixels).
    void Begin(int x0, int y0, int x1, int y1);
    void Line(double x0, double y0, double x1, double y1);
    // A quadratic curve, split into lines fine enough for the pixel grid.
    void Quad(double x0, double y0, double cx, double cy, double x1, double y1);
    // A closed polygon, turned so that every polygon of a stroke winds the
    // same way and overlaps add up rather than cancel.
    void Polygon(const std::vector<double>& xy);
    bool Empty() const { return m_segments.empty(); }
    // The budget later outlines draw within (null: no bound).
    void SetBudget(WorkBudget* budget) { m_budget = budget; }

    // Paints the covered pixels; mask (target size, or null) scales the cover.
    void Fill(PixelTarget& target, const Paint& paint, const uint8_t* mask);
    // Adds the cover into mask (target size) as the larger of both.
    void Cover(uint8_t* mask, int maskWidth, int maskHeight);

private:
    struct Segment {
        double x0, y0, x1, y1;
    };
    // Sums the segments into m_cells over the box that holds them; false
    // when nothing of them lies in the drawing box or the budget cannot pay
    // for the summing and for perCell units of each cell of the box.
    bool Accumulate(int& left, int& top, int& width, int& height, double perCell);
    void AddSegment(double x0, double y0, double x1, double y1, int width, int height);
    void AddPiece(double xa, double ya, double xb, double yb, double dir, int width, int height);
    void AddCell(float* row, double xs, double xe, double d, int width);

    int m_bx0 = 0, m_by0 = 0, m_bx1 = 0, m_by1 = 0;
    std::vector<Segment> m_segments;
    std::vector<float> m_cells;
    WorkBudget* m_budget = nullptr;
};

} // namespace flossar
