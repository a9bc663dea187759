// Shape, morph, font and text tag readers. Positions are accumulated in 64
// bits so that a hostile run of edges cannot overflow; every loop stops as
// soon as the reader has run past its tag.
#include "swf_shape_parse.h"

#include "swf_bits.h"

#include <algorithm>

namespace flossar {

namespace {

Rgba ReadColor(BitReader& r, bool alpha)
{
    return alpha ? r.RgbaColor() : r.Rgb();
}

bool ReadGradient(BitReader& r, bool alpha, FillStyle& f)
{
    const uint8_t head = r.U8();
    const unsigned n = head & 0x0F;
    for (unsigned i = 0; i < n && !r.Failed(); ++i) {
        GradientStop s;
        s.ratio = r.U8();
        s.color = ReadColor(r, alpha);
        f.stops.push_back(s);
    }
    return !r.Failed();
}

bool ReadFillStyle(BitReader& r, int version, FillStyle& f)
{
    const bool alpha = version >= 3;
    const uint8_t type = r.U8();
    switch (type) {
    case 0x00:
        f.kind = FillKind::Solid;
        f.color = ReadColor(r, alpha);
        break;
    case 0x10:
    case 0x12:
    case 0x13:
        f.kind = type == 0x10 ? FillKind::Linear : type == 0x12 ? FillKind::Radial : FillKind::Focal;
        f.matrix = r.ReadMatrix();
        if (!ReadGradient(r, alpha, f))
            return false;
        if (type == 0x13)
            f.focal = std::clamp(r.S16() / 256.0, -1.0, 1.0);
        break;
    case 0x40:
    case 0x41:
    case 0x42:
    case 0x43:
        f.kind = FillKind::Bitmap;
        f.bitmapId = r.U16();
        f.matrix = r.ReadMatrix();
        f.repeat = type == 0x40 || type == 0x42;
        f.smooth = type < 0x42;
        break;
    default:
        return false; // an unknown fill: the rest of the tag cannot be read
    }
    return !r.Failed();
}

// The colour a line is drawn with when its style carries a fill.
Rgba LineColourOfFill(const FillStyle& f)
{
    if (f.kind == FillKind::Solid)
        return f.color;
    if (!f.stops.empty())
        return f.stops.front().color;
    return Rgba { 0, 0, 0, 255 };
}

bool ReadLineStyle(BitReader& r, int version, LineStyle& l)
{
    l.width = r.U16();
    if (version < 4) {
        l.color = ReadColor(r, version >= 3);
        return !r.Failed();
    }
    const unsigned startCap = r.UB(2);
    const unsigned join = r.UB(2);
    const bool hasFill = r.UB(1) != 0;
    r.UB(3); // no horizontal / vertical scale, pixel hinting
    r.UB(5);
    l.noClose = r.UB(1) != 0;
    r.UB(2); // end cap: drawn like the start cap
    l.roundCaps = startCap == 0;
    if (join == 2)
        r.U16();
    if (hasFill) {
        FillStyle f;
        if (!ReadFillStyle(r, version, f))
            return false;
        l.color = LineColourOfFill(f);
    } else {
        l.color = r.RgbaColor();
    }
    return !r.Failed();
}

unsigned ReadCount(BitReader& r, bool extended)
{
    unsigned n = r.U8();
    if (n == 0xFF && extended)
        n = r.U16();
    return n;
}

bool ReadStyles(BitReader& r, int version, Movie& movie, ShapeGroup& g)
{
    const unsigned fills = ReadCount(r, version >= 2);
    for (unsigned i = 0; i < fills; ++i) {
        FillStyle f;
        if (r.Failed() || !movie.Spend(1) || !ReadFillStyle(r, version, f))
            return false;
        g.fills.push_back(std::move(f));
    }
    const unsigned lines = ReadCount(r, true);
    for (unsigned i = 0; i < lines; ++i) {
        LineStyle l;
        if (r.Failed() || !movie.Spend(1) || !ReadLineStyle(r, version, l))
            return false;
        g.lines.push_back(l);
    }
    return !r.Failed();
}

// The edge records of a SHAPE, appended to out's last group; style changes
// that bring new styles open a new group.
bool ReadShapeRecords(BitReader& r, int version, Movie& movie, ShapeData& out)
{
    if (out.groups.empty())
        out.groups.emplace_back();
    r.Align();
    unsigned fillBits = r.UB(4);
    unsigned lineBits = r.UB(4);
    int64_t x = 0;
    int64_t y = 0;
    uint16_t fill0 = 0;
    uint16_t fill1 = 0;
    uint16_t line = 0;
    for (;;) {
        if (r.Failed())
            return false;
        if (r.UB(1) == 0) {
            const unsigned flags = r.UB(5);
            if (flags == 0)
                break;
            if (flags & 0x01) {
                const unsigned n = r.UB(5);
                x = r.SB(n);
                y = r.SB(n);
            }
            if (flags & 0x02)
                fill0 = static_cast<uint16_t>(r.UB(fillBits));
            if (flags & 0x04)
                fill1 = static_cast<uint16_t>(r.UB(fillBits));
            if (flags & 0x08)
                line = static_cast<uint16_t>(r.UB(lineBits));
            if (flags & 0x10) {
                out.groups.emplace_back();
                if (!ReadStyles(r, version, movie, out.groups.back()))
                    return false;
                fillBits = r.UB(4);
                lineBits = r.UB(4);
            }
            continue;
        }
        Edge e;
        e.x0 = static_cast<float>(x);
        e.y0 = static_cast<float>(y);
        e.fill0 = fill0;
        e.fill1 = fill1;
        e.line = line;
        const bool straight = r.UB(1) != 0;
        const unsigned n = r.UB(4) + 2;
        if (straight) {
            if (r.UB(1) != 0) {
                x += r.SB(n);
                y += r.SB(n);
            } else if (r.UB(1) != 0) {
                y += r.SB(n);
            } else {
                x += r.SB(n);
            }
        } else {
            e.curve = true;
            x += r.SB(n);
            y += r.SB(n);
            e.cx = static_cast<float>(x);
            e.cy = static_cast<float>(y);
            x += r.SB(n);
            y += r.SB(n);
        }
        e.x1 = static_cast<float>(x);
        e.y1 = static_cast<float>(y);
        if (r.Failed() || !movie.Spend(1))
            return false;
        out.groups.back().edges.push_back(e);
    }
    return !r.Failed();
}

uint8_t LerpByte(uint8_t a, uint8_t b, double t)
{
    return static_cast<uint8_t>(std::clamp(a + (b - a) * t + 0.5, 0.0, 255.0));
}

Rgba LerpColor(Rgba a, Rgba b, double t)
{
    return { LerpByte(a.r, b.r, t), LerpByte(a.g, b.g, t), LerpByte(a.b, b.b, t), LerpByte(a.a, b.a, t) };
}

float LerpF(float a, float b, double t)
{
    return static_cast<float>(a + (b - a) * t);
}

// A straight edge as a quadratic one, so that it can be paired with a curve.
Edge AsCurve(Edge e)
{
    if (!e.curve) {
        e.curve = true;
        e.cx = (e.x0 + e.x1) / 2;
        e.cy = (e.y0 + e.y1) / 2;
    }
    return e;
}

bool ReadMorphFill(BitReader& r, FillStyle& f0, FillStyle& f1)
{
    const uint8_t type = r.U8();
    switch (type) {
    case 0x00:
        f0.kind = f1.kind = FillKind::Solid;
        f0.color = r.RgbaColor();
        f1.color = r.RgbaColor();
        break;
    case 0x10:
    case 0x12:
    case 0x13: {
        f0.kind = f1.kind = type == 0x10 ? FillKind::Linear : FillKind::Radial;
        f0.matrix = r.ReadMatrix();
        f1.matrix = r.ReadMatrix();
        const unsigned n = r.U8() & 0x0F;
        for (unsigned i = 0; i < n && !r.Failed(); ++i) {
            GradientStop s0, s1;
            s0.ratio = r.U8();
            s0.color = r.RgbaColor();
            s1.ratio = r.U8();
            s1.color = r.RgbaColor();
            f0.stops.push_back(s0);
            f1.stops.push_back(s1);
        }
        if (type == 0x13) {
            r.S16();
            r.S16();
        }
        break;
    }
    case 0x40:
    case 0x41:
    case 0x42:
    case 0x43:
        f0.kind = f1.kind = FillKind::Bitmap;
        f0.bitmapId = f1.bitmapId = r.U16();
        f0.matrix = r.ReadMatrix();
        f1.matrix = r.ReadMatrix();
        f0.repeat = f1.repeat = type == 0x40 || type == 0x42;
        f0.smooth = f1.smooth = type < 0x42;
        break;
    default:
        return false;
    }
    return !r.Failed();
}

bool ReadMorphLine(BitReader& r, int version, LineStyle& l0, LineStyle& l1)
{
    l0.width = r.U16();
    l1.width = r.U16();
    if (version == 1) {
        l0.color = r.RgbaColor();
        l1.color = r.RgbaColor();
        return !r.Failed();
    }
    const unsigned startCap = r.UB(2);
    const unsigned join = r.UB(2);
    const bool hasFill = r.UB(1) != 0;
    r.UB(3);
    r.UB(5);
    l0.noClose = l1.noClose = r.UB(1) != 0;
    r.UB(2);
    l0.roundCaps = l1.roundCaps = startCap == 0;
    if (join == 2)
        r.U16();
    if (hasFill) {
        FillStyle f0, f1;
        if (!ReadMorphFill(r, f0, f1))
            return false;
        l0.color = LineColourOfFill(f0);
        l1.color = LineColourOfFill(f1);
    } else {
        l0.color = r.RgbaColor();
        l1.color = r.RgbaColor();
    }
    return !r.Failed();
}

} // namespace

bool ParseShapeTag(const uint8_t* body, size_t size, int version, Movie& movie, uint16_t& id, ShapeData& out)
{
    BitReader r(body, size);
    id = r.U16();
    out.bounds = r.Rect();
    if (version >= 4) {
        r.Rect(); // edge bounds
        r.U8(); // winding rule and stroke hints
    }
    out.groups.emplace_back();
    if (!ReadStyles(r, version, movie, out.groups.back()))
        return false;
    return ReadShapeRecords(r, version, movie, out);
}

bool ParseMorphTag(const uint8_t* body, size_t size, int version, Movie& movie, uint16_t& id, MorphData& out)
{
    BitReader r(body, size);
    id = r.U16();
    r.Rect();
    r.Rect();
    if (version >= 2) {
        r.Rect();
        r.Rect();
        r.U8();
    }
    const uint32_t offset = r.U32();
    const size_t endAt = r.Position() + offset;
    if (r.Failed() || offset > size || endAt > size)
        return false;
    const unsigned fills = ReadCount(r, true);
    for (unsigned i = 0; i < fills; ++i) {
        FillStyle f0, f1;
        if (r.Failed() || !movie.Spend(2) || !ReadMorphFill(r, f0, f1))
            return false;
        out.fills0.push_back(std::move(f0));
        out.fills1.push_back(std::move(f1));
    }
    const unsigned lines = ReadCount(r, true);
    for (unsigned i = 0; i < lines; ++i) {
        LineStyle l0, l1;
        if (r.Failed() || !movie.Spend(2) || !ReadMorphLine(r, version, l0, l1))
            return false;
        out.lines0.push_back(l0);
        out.lines1.push_back(l1);
    }
    ShapeData start;
    if (!ReadShapeRecords(r, 3, movie, start))
        return false;
    BitReader endReader(body + endAt, size - endAt);
    ShapeData end;
    if (!ReadShapeRecords(endReader, 3, movie, end))
        return false;
    // The end shape repeats the start's edges one for one, without styles.
    for (const ShapeGroup& g : start.groups)
        out.edges0.insert(out.edges0.end(), g.edges.begin(), g.edges.end());
    for (const ShapeGroup& g : end.groups)
        out.edges1.insert(out.edges1.end(), g.edges.begin(), g.edges.end());
    const size_t n = std::min(out.edges0.size(), out.edges1.size());
    out.edges0.resize(n);
    out.edges1.resize(n);
    return true;
}

ShapeData MorphAt(const MorphData& morph, double t)
{
    ShapeData s;
    ShapeGroup& g = s.groups.emplace_back();
    for (size_t i = 0; i < morph.fills0.size(); ++i) {
        FillStyle f = morph.fills0[i];
        const FillStyle& e = morph.fills1[i];
        f.color = LerpColor(f.color, e.color, t);
        f.matrix = Lerp(f.matrix, e.matrix, t);
        for (size_t k = 0; k < f.stops.size() && k < e.stops.size(); ++k) {
            f.stops[k].ratio = LerpByte(f.stops[k].ratio, e.stops[k].ratio, t);
            f.stops[k].color = LerpColor(f.stops[k].color, e.stops[k].color, t);
        }
        g.fills.push_back(std::move(f));
    }
    for (size_t i = 0; i < morph.lines0.size(); ++i) {
        LineStyle l = morph.lines0[i];
        l.width = l.width + (morph.lines1[i].width - l.width) * t;
        l.color = LerpColor(l.color, morph.lines1[i].color, t);
        g.lines.push_back(l);
    }
    g.edges.reserve(morph.edges0.size());
    for (size_t i = 0; i < morph.edges0.size(); ++i) {
        Edge a = morph.edges0[i];
        Edge b = morph.edges1[i];
        if (a.curve != b.curve) {
            a = AsCurve(a);
            b = AsCurve(b);
        }
        Edge e = a;
        e.x0 = LerpF(a.x0, b.x0, t);
        e.y0 = LerpF(a.y0, b.y0, t);
        e.cx = LerpF(a.cx, b.cx, t);
        e.cy = LerpF(a.cy, b.cy, t);
        e.x1 = LerpF(a.x1, b.x1, t);
        e.y1 = LerpF(a.y1, b.y1, t);
        g.edges.push_back(e);
    }
    return s;
}

bool ParseFontTag(const uint8_t* body, size_t size, int version, Movie& movie, uint16_t& id, FontData& out)
{
    BitReader r(body, size);
    id = r.U16();
    size_t tableAt = 0;
    std::vector<uint32_t> offsets;
    if (version == 1) {
        tableAt = r.Position();
        const uint16_t first = r.U16();
        const unsigned count = first / 2;
        if (count > 0)
            offsets.push_back(first);
        for (unsigned i = 1; i < count && !r.Failed(); ++i)
            offsets.push_back(r.U16());
    } else {
        const uint8_t flags = r.U8();
        r.U8(); // language
        const uint8_t nameLength = r.U8();
        r.Skip(nameLength);
        const unsigned count = r.U16();
        const bool wide = (flags & 0x08) != 0;
        tableAt = r.Position();
        for (unsigned i = 0; i < count && !r.Failed(); ++i)
            offsets.push_back(wide ? r.U32() : r.U16());
        out.emSize = version == 3 ? 20480 : 1024;
    }
    if (r.Failed())
        return false;
    for (uint32_t offset : offsets) {
        if (!movie.Spend(1))
            return false;
        ShapeData glyph;
        glyph.groups.emplace_back();
        if (offset < size - tableAt) {
            BitReader g(body + tableAt + offset, size - tableAt - offset);
            if (!ReadShapeRecords(g, 1, movie, glyph))
                glyph.groups.assign(1, ShapeGroup {}); // a broken glyph draws as a space
        }
        out.glyphs.push_back(std::move(glyph));
    }
    return true;
}

bool ParseTextTag(const uint8_t* body, size_t size, int version, Movie& movie, uint16_t& id, TextData& out)
{
    BitReader r(body, size);
    id = r.U16();
    r.Rect();
    out.matrix = r.ReadMatrix();
    const unsigned glyphBits = r.U8();
    const unsigned advanceBits = r.U8();
    if (glyphBits > 32 || advanceBits > 32)
        return false;
    TextRun style;
    double x = 0;
    for (;;) {
        const uint8_t flags = r.U8();
        if (r.Failed() || flags == 0)
            break;
        if (flags & 0x08)
            style.fontId = r.U16();
        if (flags & 0x04)
            style.color = version >= 2 ? r.RgbaColor() : r.Rgb();
        if (flags & 0x01)
            x = r.S16();
        if (flags & 0x02)
            style.y = r.S16();
        if (flags & 0x08)
            style.height = r.U16();
        const unsigned count = r.U8();
        TextRun run = style;
        run.glyphs.clear();
        for (unsigned i = 0; i < count && !r.Failed(); ++i) {
            const uint16_t index = static_cast<uint16_t>(r.UB(glyphBits));
            const int32_t advance = r.SB(advanceBits);
            run.glyphs.emplace_back(index, x);
            x += advance;
        }
        r.Align();
        if (r.Failed() || !movie.Spend(1 + count))
            return false;
        out.runs.push_back(std::move(run));
    }
    return true;
}

} // namespace flossar
