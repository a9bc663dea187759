// Plain value types of an SWF movie as the decoder keeps it: twip geometry,
// the 2x3 placement matrix, colour transforms, fill and line styles and the
// edges of a shape. Nothing here touches GDI+.
#pragma once

#include <cstdint>
#include <vector>

namespace flossar {

constexpr double kTwips = 20.0;

struct Rgba {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    uint8_t a = 255;
};

struct TwipRect {
    int32_t xMin = 0;
    int32_t xMax = 0;
    int32_t yMin = 0;
    int32_t yMax = 0;
};

// x' = a*x + c*y + tx, y' = b*x + d*y + ty (the file's ScaleX, RotateSkew0,
// RotateSkew1, ScaleY and translation, in twips).
struct Matrix {
    double a = 1;
    double b = 0;
    double c = 0;
    double d = 1;
    double tx = 0;
    double ty = 0;

    // This matrix applied after inner: (this * inner)(p) = this(inner(p)).
    Matrix operator*(const Matrix& inner) const
    {
        return { a * inner.a + c * inner.b, b * inner.a + d * inner.b, a * inner.c + c * inner.d,
            b * inner.c + d * inner.d, a * inner.tx + c * inner.ty + tx, b * inner.tx + d * inner.ty + ty };
    }
};

Matrix Lerp(const Matrix& m0, const Matrix& m1, double t);

// c' = c * mult + add per channel, clamped to 0..255.
struct ColorTransform {
    double mr = 1, mg = 1, mb = 1, ma = 1;
    double ar = 0, ag = 0, ab = 0, aa = 0;

    bool IsIdentity() const
    {
        return mr == 1 && mg == 1 && mb == 1 && ma == 1 && ar == 0 && ag == 0 && ab == 0 && aa == 0;
    }
    Rgba Apply(Rgba c) const;
    // outer(inner(c)): the parent's transform applied after the child's.
    ColorTransform Then(const ColorTransform& outer) const;
};

struct GradientStop {
    uint8_t ratio = 0;
    Rgba color;
};

enum class FillKind : uint8_t { Solid, Linear, Radial, Focal, Bitmap };

struct FillStyle {
    FillKind kind = FillKind::Solid;
    Rgba color;
    Matrix matrix; // gradient square or bitmap pixels to shape twips
    std::vector<GradientStop> stops;
    double focal = 0; // -1..1 along the gradient's x axis
    uint16_t bitmapId = 0;
    bool repeat = true; // bitmap tiles rather than clamps
    bool smooth = true;
};

struct LineStyle {
    double width = 20; // twips
    Rgba color;
    bool roundCaps = true;
    bool noClose = false;
};

// One straight (curve == false) or quadratic edge, in twips, with the fill
// styles on its left (fill0) and right (fill1) and its line style (1-based,
// 0 for none).
struct Edge {
    float x0 = 0, y0 = 0;
    float cx = 0, cy = 0;
    float x1 = 0, y1 = 0;
    bool curve = false;
    uint16_t fill0 = 0;
    uint16_t fill1 = 0;
    uint16_t line = 0;
};

// Edges drawn with one set of styles; a shape that brings new styles starts
// a new group drawn above the previous ones.
struct ShapeGroup {
    std::vector<FillStyle> fills;
    std::vector<LineStyle> lines;
    std::vector<Edge> edges;
};

struct ShapeData {
    TwipRect bounds;
    std::vector<ShapeGroup> groups;
};

} // namespace flossar
