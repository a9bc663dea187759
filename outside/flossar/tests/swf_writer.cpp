// The test-side SWF writer (see swf_writer.h).
#include "swf_writer.h"

#include <windows.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>

namespace swftest {

void BitWriter::UB(uint32_t value, int bits)
{
    for (int i = bits - 1; i >= 0; --i) {
        m_acc = (m_acc << 1) | ((value >> i) & 1u);
        if (++m_count == 8) {
            m_bytes.push_back(static_cast<uint8_t>(m_acc));
            m_acc = 0;
            m_count = 0;
        }
    }
}

void BitWriter::SB(int32_t value, int bits)
{
    UB(static_cast<uint32_t>(value), bits);
}

void BitWriter::Align()
{
    if (m_count > 0)
        UB(0, 8 - m_count);
}

void BitWriter::U8(uint8_t v)
{
    Align();
    m_bytes.push_back(v);
}

void BitWriter::U16(uint16_t v)
{
    U8(static_cast<uint8_t>(v));
    U8(static_cast<uint8_t>(v >> 8));
}

void BitWriter::U32(uint32_t v)
{
    U16(static_cast<uint16_t>(v));
    U16(static_cast<uint16_t>(v >> 16));
}

void BitWriter::Append(const Bytes& b)
{
    Align();
    m_bytes.insert(m_bytes.end(), b.begin(), b.end());
}

void BitWriter::Rgb(Color c)
{
    U8(c.r);
    U8(c.g);
    U8(c.b);
}

void BitWriter::Rgba(Color c)
{
    Rgb(c);
    U8(c.a);
}

int BitWriter::SignedBits(std::initializer_list<int32_t> values)
{
    int bits = 1;
    for (int32_t v : values) {
        int n = 1;
        while (n < 32 && (v < -(1 << (n - 1)) || v >= (1 << (n - 1))))
            ++n;
        bits = std::max(bits, n);
    }
    return bits;
}

int BitWriter::UnsignedBits(uint32_t value)
{
    int n = 0;
    while (n < 32 && (value >> n) != 0)
        ++n;
    return n;
}

Matrix Translate(int tx, int ty)
{
    Matrix m;
    m.tx = tx;
    m.ty = ty;
    return m;
}

Matrix ScaleAt(double sx, double sy, int tx, int ty)
{
    Matrix m;
    m.a = sx;
    m.d = sy;
    m.tx = tx;
    m.ty = ty;
    return m;
}

namespace {
int32_t Fixed(double v)
{
    return static_cast<int32_t>(std::lround(v * 65536.0));
}
} // namespace

void WriteMatrix(BitWriter& w, const Matrix& m)
{
    w.Align();
    const bool scale = m.a != 1 || m.d != 1;
    w.UB(scale, 1);
    if (scale) {
        const int n = BitWriter::SignedBits({ Fixed(m.a), Fixed(m.d) });
        w.UB(n, 5);
        w.SB(Fixed(m.a), n);
        w.SB(Fixed(m.d), n);
    }
    const bool rotate = m.b != 0 || m.c != 0;
    w.UB(rotate, 1);
    if (rotate) {
        const int n = BitWriter::SignedBits({ Fixed(m.b), Fixed(m.c) });
        w.UB(n, 5);
        w.SB(Fixed(m.b), n);
        w.SB(Fixed(m.c), n);
    }
    const int n = (m.tx == 0 && m.ty == 0) ? 0 : BitWriter::SignedBits({ m.tx, m.ty });
    w.UB(n, 5);
    w.SB(m.tx, n);
    w.SB(m.ty, n);
    w.Align();
}

void WriteRect(BitWriter& w, int xMin, int xMax, int yMin, int yMax)
{
    w.Align();
    const int n = BitWriter::SignedBits({ xMin, xMax, yMin, yMax });
    w.UB(n, 5);
    w.SB(xMin, n);
    w.SB(xMax, n);
    w.SB(yMin, n);
    w.SB(yMax, n);
    w.Align();
}

void WriteColorTransform(BitWriter& w, const ColorTransform& t, bool alpha)
{
    w.Align();
    auto f = [](double v) { return static_cast<int32_t>(std::lround(v * 256)); };
    const int n = BitWriter::SignedBits({ f(t.mr), f(t.mg), f(t.mb), f(t.ma), t.ar, t.ag, t.ab, t.aa });
    w.UB(1, 1);
    w.UB(1, 1);
    w.UB(n, 4);
    w.SB(f(t.mr), n);
    w.SB(f(t.mg), n);
    w.SB(f(t.mb), n);
    if (alpha)
        w.SB(f(t.ma), n);
    w.SB(t.ar, n);
    w.SB(t.ag, n);
    w.SB(t.ab, n);
    if (alpha)
        w.SB(t.aa, n);
    w.Align();
}

int Shape::Solid(Color c)
{
    m_fills.push_back({ 0x00, c, {}, {}, 0 });
    return static_cast<int>(m_fills.size());
}

int Shape::Linear(const Matrix& m, std::vector<Stop> stops)
{
    m_fills.push_back({ 0x10, {}, m, std::move(stops), 0 });
    return static_cast<int>(m_fills.size());
}

int Shape::Radial(const Matrix& m, std::vector<Stop> stops)
{
    m_fills.push_back({ 0x12, {}, m, std::move(stops), 0 });
    return static_cast<int>(m_fills.size());
}

int Shape::Focal(const Matrix& m, std::vector<Stop> stops, double focal)
{
    m_fills.push_back({ 0x13, {}, m, std::move(stops), 0, focal });
    return static_cast<int>(m_fills.size());
}

int Shape::GradientLine(int widthTwips, const Matrix& m, std::vector<Stop> stops)
{
    m_lines.push_back({ widthTwips, {}, true, m, std::move(stops) });
    return static_cast<int>(m_lines.size());
}

int Shape::BitmapFill(uint16_t bitmapId, const Matrix& m, uint8_t type)
{
    m_fills.push_back({ type, {}, m, {}, bitmapId });
    return static_cast<int>(m_fills.size());
}

int Shape::Line(int widthTwips, Color c)
{
    m_lines.push_back({ widthTwips, c, false, {}, {} });
    return static_cast<int>(m_lines.size());
}

void Shape::Style(int fill0, int fill1, int line)
{
    m_ops.push_back({ Op::Style, fill0, fill1, line, 0 });
}

void Shape::MoveTo(int x, int y)
{
    m_ops.push_back({ Op::Move, x, y, 0, 0 });
    m_x = x;
    m_y = y;
}

void Shape::LineTo(int x, int y)
{
    m_ops.push_back({ Op::Line, x - m_x, y - m_y, 0, 0 });
    m_x = x;
    m_y = y;
}

void Shape::CurveTo(int cx, int cy, int x, int y)
{
    m_ops.push_back({ Op::Curve, cx - m_x, cy - m_y, x - cx, y - cy });
    m_x = x;
    m_y = y;
}

void Shape::Rect(int x, int y, int w, int h, int fill, int line)
{
    Style(0, fill, line);
    MoveTo(x, y);
    LineTo(x + w, y);
    LineTo(x + w, y + h);
    LineTo(x, y + h);
    LineTo(x, y);
}

void Shape::Circle(int cx, int cy, int r, int fill, int line)
{
    Style(0, fill, line);
    MoveTo(cx + r, cy);
    for (int i = 0; i < 8; ++i) {
        const double a0 = i * 3.14159265358979323846 / 4;
        const double a1 = (i + 1) * 3.14159265358979323846 / 4;
        const double am = (a0 + a1) / 2;
        const double rc = r / std::cos(3.14159265358979323846 / 8);
        CurveTo(cx + static_cast<int>(std::lround(rc * std::cos(am))),
            cy + static_cast<int>(std::lround(rc * std::sin(am))), cx + static_cast<int>(std::lround(r * std::cos(a1))),
            cy + static_cast<int>(std::lround(r * std::sin(a1))));
    }
}

void Shape::WriteFill(BitWriter& w, int version, const Fill& f) const
{
    const bool alpha = version >= 3;
    w.U8(f.type);
    if (f.type == 0x00) {
        alpha ? w.Rgba(f.color) : w.Rgb(f.color);
    } else if (f.type == 0x10 || f.type == 0x12 || f.type == 0x13) {
        WriteMatrix(w, f.matrix);
        w.U8(static_cast<uint8_t>(f.stops.size()));
        for (const Stop& s : f.stops) {
            w.U8(s.ratio);
            alpha ? w.Rgba(s.color) : w.Rgb(s.color);
        }
        if (f.type == 0x13)
            w.U16(static_cast<uint16_t>(static_cast<int16_t>(std::lround(f.focal * 256))));
    } else {
        w.U16(f.bitmapId);
        WriteMatrix(w, f.matrix);
    }
}

void Shape::WriteStyles(BitWriter& w, int version) const
{
    const bool alpha = version >= 3;
    w.U8(static_cast<uint8_t>(m_fills.size()));
    for (const Fill& f : m_fills)
        WriteFill(w, version, f);
    w.U8(static_cast<uint8_t>(m_lines.size()));
    for (const LineStyle& l : m_lines) {
        w.U16(static_cast<uint16_t>(l.width));
        if (version < 4) {
            alpha ? w.Rgba(l.color) : w.Rgb(l.color);
            continue;
        }
        // Caps (round, or flat for a gradient line), round joins, the fill
        // flag, no scaling hints, then the end cap.
        w.UB(l.gradient ? 1 : 0, 2);
        w.UB(0, 2);
        w.UB(l.gradient ? 1 : 0, 1);
        w.UB(0, 3);
        w.UB(0, 5);
        w.UB(0, 1);
        w.UB(l.gradient ? 1 : 0, 2);
        if (l.gradient)
            WriteFill(w, version, Fill { 0x10, {}, l.matrix, l.stops, 0, 0 });
        else
            w.Rgba(l.color);
    }
}

void Shape::WriteRecords(BitWriter& w, int forcedFillBits) const
{
    const int fillBits
        = forcedFillBits >= 0 ? forcedFillBits : BitWriter::UnsignedBits(static_cast<uint32_t>(m_fills.size()));
    const int lineBits = BitWriter::UnsignedBits(static_cast<uint32_t>(m_lines.size()));
    w.Align();
    w.UB(fillBits, 4);
    w.UB(lineBits, 4);
    for (size_t i = 0; i < m_ops.size(); ++i) {
        const Op& op = m_ops[i];
        if (op.kind == Op::Style || op.kind == Op::Move) {
            // A style change followed by a move folds into one record.
            const Op* style = op.kind == Op::Style ? &op : nullptr;
            const Op* move = op.kind == Op::Move ? &op : nullptr;
            if (style != nullptr && i + 1 < m_ops.size() && m_ops[i + 1].kind == Op::Move)
                move = &m_ops[++i];
            w.UB(0, 1);
            w.UB(0, 1); // new styles
            const bool line = style != nullptr && style->c >= 0;
            const bool fill1 = style != nullptr && style->b >= 0;
            const bool fill0 = style != nullptr && style->a >= 0;
            w.UB(line, 1);
            w.UB(fill1, 1);
            w.UB(fill0, 1);
            w.UB(move != nullptr, 1);
            if (move != nullptr) {
                const int n = BitWriter::SignedBits({ move->a, move->b });
                w.UB(n, 5);
                w.SB(move->a, n);
                w.SB(move->b, n);
            }
            if (fill0)
                w.UB(style->a, fillBits);
            if (fill1)
                w.UB(style->b, fillBits);
            if (line)
                w.UB(style->c, lineBits);
        } else if (op.kind == Op::Line) {
            const int n = std::max(2, BitWriter::SignedBits({ op.a, op.b }));
            w.UB(1, 1);
            w.UB(1, 1);
            w.UB(n - 2, 4);
            w.UB(1, 1); // general line
            w.SB(op.a, n);
            w.SB(op.b, n);
        } else {
            const int n = std::max(2, BitWriter::SignedBits({ op.a, op.b, op.c, op.d }));
            w.UB(1, 1);
            w.UB(0, 1);
            w.UB(n - 2, 4);
            w.SB(op.a, n);
            w.SB(op.b, n);
            w.SB(op.c, n);
            w.SB(op.d, n);
        }
    }
    w.UB(0, 6); // end of shape
    w.Align();
}

Bytes Shape::Body(uint16_t id, int version, int xMin, int xMax, int yMin, int yMax) const
{
    BitWriter w;
    w.U16(id);
    WriteRect(w, xMin, xMax, yMin, yMax);
    if (version == 4) {
        WriteRect(w, xMin, xMax, yMin, yMax);
        w.U8(0);
    }
    WriteStyles(w, version);
    WriteRecords(w);
    return w.Data();
}

Bytes PlaceObject2(const Place& p)
{
    BitWriter w;
    uint8_t flags = 0;
    if (p.move)
        flags |= 0x01;
    if (p.charId >= 0)
        flags |= 0x02;
    if (p.hasMatrix)
        flags |= 0x04;
    if (p.hasColorTransform)
        flags |= 0x08;
    if (p.ratio >= 0)
        flags |= 0x10;
    if (p.clipDepth >= 0)
        flags |= 0x40;
    w.U8(flags);
    w.U16(p.depth);
    if (p.charId >= 0)
        w.U16(static_cast<uint16_t>(p.charId));
    if (p.hasMatrix)
        WriteMatrix(w, p.matrix);
    if (p.hasColorTransform)
        WriteColorTransform(w, p.colorTransform, true);
    if (p.ratio >= 0)
        w.U16(static_cast<uint16_t>(p.ratio));
    if (p.clipDepth >= 0)
        w.U16(static_cast<uint16_t>(p.clipDepth));
    return w.Data();
}

Bytes PlaceObject3(const Place& p, const char* className)
{
    const Bytes two = PlaceObject2(p);
    BitWriter w;
    w.U8(two[0]);
    w.U8(0x08); // has class name
    w.U8(two[1]);
    w.U8(two[2]);
    for (const char* c = className; *c != 0; ++c)
        w.U8(static_cast<uint8_t>(*c));
    w.U8(0);
    for (size_t i = 3; i < two.size(); ++i)
        w.U8(two[i]);
    return w.Data();
}

Bytes RemoveObject2(uint16_t depth)
{
    BitWriter w;
    w.U16(depth);
    return w.Data();
}

Bytes TagRecord(int code, const Bytes& body)
{
    BitWriter w;
    if (body.size() < 0x3F && code != 6 && code != 20 && code != 21 && code != 35 && code != 36) {
        w.U16(static_cast<uint16_t>((code << 6) | body.size()));
    } else {
        w.U16(static_cast<uint16_t>((code << 6) | 0x3F));
        w.U32(static_cast<uint32_t>(body.size()));
    }
    w.Append(body);
    return w.Data();
}

Movie::Movie(int widthPx, int heightPx, int version)
    : m_width(widthPx)
    , m_height(heightPx)
    , m_version(version)
{
}

void Movie::Tag(int code, const Bytes& body)
{
    const Bytes record = TagRecord(code, body);
    m_tags.insert(m_tags.end(), record.begin(), record.end());
}

void Movie::Background(Color c)
{
    BitWriter w;
    w.Rgb(c);
    Tag(9, w.Data());
}

void Movie::Shape(uint16_t id, const swftest::Shape& s, int version)
{
    const int code = version == 1 ? 2 : version == 2 ? 22 : version == 3 ? 32 : 83;
    Tag(code, s.Body(id, version, 0, m_width * 20, 0, m_height * 20));
}

void Movie::Sprite(uint16_t id, uint16_t frames, const Bytes& controlTags)
{
    BitWriter w;
    w.U16(id);
    w.U16(frames);
    w.Append(controlTags);
    w.Append(TagRecord(0, {}));
    Tag(39, w.Data());
}

Bytes Movie::Fws() const
{
    BitWriter body;
    WriteRect(body, 0, m_width * 20, 0, m_height * 20);
    body.U16(24 << 8);
    int frames = 0;
    // Count the ShowFrame tags of the main timeline for the header.
    for (size_t i = 0; i + 1 < m_tags.size();) {
        const int head = m_tags[i] | (m_tags[i + 1] << 8);
        size_t length = head & 0x3F;
        size_t at = i + 2;
        if (length == 0x3F) {
            length = m_tags[at] | (m_tags[at + 1] << 8) | (m_tags[at + 2] << 16)
                | (static_cast<size_t>(m_tags[at + 3]) << 24);
            at += 4;
        }
        if ((head >> 6) == 1)
            ++frames;
        i = at + length;
    }
    body.U16(static_cast<uint16_t>(frames));
    body.Append(m_tags);
    body.Append(TagRecord(0, {}));
    const Bytes& b = body.Data();
    Bytes file { 'F', 'W', 'S', static_cast<uint8_t>(m_version) };
    const uint32_t length = static_cast<uint32_t>(b.size() + 8);
    for (int i = 0; i < 4; ++i)
        file.push_back(static_cast<uint8_t>(length >> (8 * i)));
    file.insert(file.end(), b.begin(), b.end());
    return file;
}

Bytes Movie::Cws() const
{
    Bytes plain = Fws();
    uLongf size = compressBound(static_cast<uLong>(plain.size() - 8));
    Bytes packed(size);
    compress(packed.data(), &size, plain.data() + 8, static_cast<uLong>(plain.size() - 8));
    packed.resize(size);
    // The same header, the body packed behind it.
    plain.resize(8);
    plain[0] = 'C';
    for (uint8_t b : packed)
        plain.push_back(b);
    return plain;
}

Bytes Deflate(const Bytes& raw)
{
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes packed(size);
    compress(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()));
    packed.resize(size);
    return packed;
}

namespace {
uint32_t Premultiplied(uint32_t p)
{
    const uint32_t a = p >> 24;
    auto c = [a](uint32_t v) { return (v * a + 127) / 255; };
    return (a << 24) | (c((p >> 16) & 0xFF) << 16) | (c((p >> 8) & 0xFF) << 8) | c(p & 0xFF);
}
} // namespace

Bytes LosslessBody(uint16_t id, int width, int height, const std::vector<uint32_t>& argb, bool alpha)
{
    BitWriter w;
    w.U16(id);
    w.U8(5);
    w.U16(static_cast<uint16_t>(width));
    w.U16(static_cast<uint16_t>(height));
    Bytes raw;
    for (uint32_t p : argb) {
        const uint32_t q = alpha ? Premultiplied(p) : p;
        raw.push_back(alpha ? static_cast<uint8_t>(q >> 24) : 0);
        raw.push_back(static_cast<uint8_t>(q >> 16));
        raw.push_back(static_cast<uint8_t>(q >> 8));
        raw.push_back(static_cast<uint8_t>(q));
    }
    w.Append(Deflate(raw));
    return w.Data();
}

Bytes Lossless15Body(uint16_t id, int width, int height, const std::vector<uint32_t>& argb)
{
    BitWriter w;
    w.U16(id);
    w.U8(4);
    w.U16(static_cast<uint16_t>(width));
    w.U16(static_cast<uint16_t>(height));
    Bytes raw;
    const int stride = (width * 2 + 3) & ~3;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t p = argb[static_cast<size_t>(y * width + x)];
            const uint32_t v = (((p >> 19) & 31) << 10) | (((p >> 11) & 31) << 5) | ((p >> 3) & 31);
            raw.push_back(static_cast<uint8_t>(v >> 8));
            raw.push_back(static_cast<uint8_t>(v));
        }
        raw.insert(raw.end(), static_cast<size_t>(stride - width * 2), 0);
    }
    w.Append(Deflate(raw));
    return w.Data();
}

Bytes LosslessPaletteBody(uint16_t id, int width, int height, const std::vector<uint32_t>& argb, bool alpha)
{
    std::vector<uint32_t> palette;
    Bytes indices;
    const int stride = (width + 3) & ~3;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t p = argb[static_cast<size_t>(y * width + x)];
            auto it = std::find(palette.begin(), palette.end(), p);
            if (it == palette.end())
                it = palette.insert(palette.end(), p);
            indices.push_back(static_cast<uint8_t>(it - palette.begin()));
        }
        indices.insert(indices.end(), static_cast<size_t>(stride - width), 0);
    }
    BitWriter w;
    w.U16(id);
    w.U8(3);
    w.U16(static_cast<uint16_t>(width));
    w.U16(static_cast<uint16_t>(height));
    w.U8(static_cast<uint8_t>(palette.size() - 1));
    Bytes raw;
    for (uint32_t p : palette) {
        raw.push_back(static_cast<uint8_t>(p >> 16));
        raw.push_back(static_cast<uint8_t>(p >> 8));
        raw.push_back(static_cast<uint8_t>(p));
        if (alpha)
            raw.push_back(static_cast<uint8_t>(p >> 24));
    }
    raw.insert(raw.end(), indices.begin(), indices.end());
    w.Append(Deflate(raw));
    return w.Data();
}

void SplitJpeg(const Bytes& jpeg, Bytes& tables, Bytes& image)
{
    tables = { 0xFF, 0xD8 };
    image = { 0xFF, 0xD8 };
    size_t i = 2;
    while (i + 4 <= jpeg.size() && jpeg[i] == 0xFF) {
        const uint8_t marker = jpeg[i + 1];
        const size_t length = (jpeg[i + 2] << 8) | jpeg[i + 3];
        Bytes& to = (marker == 0xDB || marker == 0xC4) ? tables : image;
        if (marker == 0xDA) {
            image.insert(image.end(), jpeg.begin() + static_cast<std::ptrdiff_t>(i), jpeg.end());
            break;
        }
        to.insert(to.end(), jpeg.begin() + static_cast<std::ptrdiff_t>(i),
            jpeg.begin() + static_cast<std::ptrdiff_t>(i + 2 + length));
        i += 2 + length;
    }
    tables.push_back(0xFF);
    tables.push_back(0xD9);
}

Bytes MorphBody(uint16_t id, const Shape& start, const Shape& end, const std::vector<std::pair<Color, Color>>& fills)
{
    BitWriter styles;
    styles.U8(static_cast<uint8_t>(fills.size()));
    for (const auto& [from, to] : fills) {
        styles.U8(0);
        styles.Rgba(from);
        styles.Rgba(to);
    }
    styles.U8(0); // no line styles
    start.WriteRecords(styles, BitWriter::UnsignedBits(static_cast<uint32_t>(fills.size())));
    BitWriter endEdges;
    end.WriteRecords(endEdges, 0);
    BitWriter w;
    w.U16(id);
    WriteRect(w, 0, 4000, 0, 4000);
    WriteRect(w, 0, 4000, 0, 4000);
    w.U32(static_cast<uint32_t>(styles.Data().size()));
    w.Append(styles.Data());
    w.Append(endEdges.Data());
    return w.Data();
}

Bytes FontBody(uint16_t id, int version, const std::vector<Shape>& glyphs)
{
    std::vector<Bytes> shapes;
    for (const Shape& g : glyphs) {
        BitWriter s;
        g.WriteRecords(s, 1);
        shapes.push_back(s.Data());
    }
    BitWriter w;
    w.U16(id);
    if (version > 1) {
        w.U8(0); // narrow offsets and codes
        w.U8(0);
        w.U8(1);
        w.U8('F');
        w.U16(static_cast<uint16_t>(glyphs.size()));
    }
    // Offsets count from the start of the offset table; fonts after the
    // first also carry the offset of the code table.
    const size_t tableSize = glyphs.size() * 2 + (version > 1 ? 2 : 0);
    size_t at = tableSize;
    for (const Bytes& s : shapes) {
        w.U16(static_cast<uint16_t>(at));
        at += s.size();
    }
    if (version > 1)
        w.U16(static_cast<uint16_t>(at));
    for (const Bytes& s : shapes)
        w.Append(s);
    if (version > 1)
        for (size_t i = 0; i < glyphs.size(); ++i)
            w.U8(static_cast<uint8_t>('A' + i));
    return w.Data();
}

Bytes TextBody(uint16_t id, int version, const Matrix& m, const std::vector<TextRun>& runs)
{
    BitWriter w;
    w.U16(id);
    WriteRect(w, 0, 4000, 0, 4000);
    WriteMatrix(w, m);
    const int glyphBits = 8;
    const int advanceBits = 16;
    w.U8(glyphBits);
    w.U8(advanceBits);
    for (const TextRun& r : runs) {
        w.U8(0x80 | 0x08 | 0x04 | 0x02 | 0x01);
        w.U16(r.fontId);
        version >= 2 ? w.Rgba(r.color) : w.Rgb(r.color);
        w.U16(static_cast<uint16_t>(r.x));
        w.U16(static_cast<uint16_t>(r.y));
        w.U16(static_cast<uint16_t>(r.height));
        w.U8(static_cast<uint8_t>(r.glyphs.size()));
        for (const auto& [index, advance] : r.glyphs) {
            w.UB(static_cast<uint32_t>(index), glyphBits);
            w.SB(advance, advanceBits);
        }
        w.Align();
    }
    w.U8(0);
    return w.Data();
}

Bytes FlatFrames(int widthPx, int heightPx, const std::vector<Color>& colours)
{
    Movie m(widthPx, heightPx);
    m.Background(Color { 0, 0, 0 });
    for (size_t i = 0; i < colours.size(); ++i) {
        Shape s;
        s.Rect(0, 0, widthPx * 20, heightPx * 20, s.Solid(colours[i]));
        m.Shape(static_cast<uint16_t>(i + 1), s);
        Place p;
        p.charId = static_cast<int>(i + 1);
        m.Place(p);
        m.ShowFrame();
    }
    return m.Fws();
}

Bytes ZigZagMovie(int widthPx, int heightPx, int edges)
{
    Movie m(widthPx, heightPx);
    m.Background(Color { 0, 0, 0 });
    const int side = std::min(widthPx, heightPx) / 2 * 20;
    const int left = widthPx * 10 - side / 2;
    const int top = heightPx * 10 - side / 2;
    const int xs[4] = { left, left + side, left + side, left };
    const int ys[4] = { top, top + side, top, top + side };
    Shape s;
    s.Style(0, s.Solid(Color { 255, 255, 0 }), 0);
    s.MoveTo(xs[0], ys[0]);
    for (int i = 1; i <= edges; ++i)
        s.LineTo(xs[i % 4], ys[i % 4]);
    m.Shape(1, s);
    Place p;
    p.charId = 1;
    m.Place(p);
    m.ShowFrame();
    return m.Cws();
}

Movie BitmapStage(int widthPx, int heightPx, int bitmapWidth, int bitmapHeight, int layers)
{
    Movie m(widthPx, heightPx);
    m.Background(Color { 0, 0, 0 });
    std::vector<uint32_t> pixels(static_cast<size_t>(bitmapWidth) * bitmapHeight);
    for (int y = 0; y < bitmapHeight; ++y)
        for (int x = 0; x < bitmapWidth; ++x)
            pixels[static_cast<size_t>(y) * bitmapWidth + x]
                = 0xFF000000u | ((x / 8 & 0xFFu) << 16) | ((y / 4 & 0xFFu) << 8) | ((x + y) & 0xFFu);
    m.Tag(20, LosslessBody(1, bitmapWidth, bitmapHeight, pixels, false));
    Shape s;
    const double sx = widthPx * 20.0 / bitmapWidth;
    const double sy = heightPx * 20.0 / bitmapHeight;
    s.Rect(0, 0, widthPx * 20, heightPx * 20, s.BitmapFill(1, ScaleAt(sx, sy, 0, 0), 0x41));
    m.Shape(2, s);
    for (int depth = 1; depth <= layers; ++depth) {
        Place p;
        p.depth = static_cast<uint16_t>(depth);
        p.charId = 2;
        m.Place(p);
    }
    return m;
}

std::wstring WriteTemp(const std::wstring& name, const Bytes& bytes)
{
    wchar_t folder[MAX_PATH] {};
    ::GetTempPathW(MAX_PATH, folder);
    const std::wstring path
        = std::wstring(folder) + L"flossar_" + std::to_wstring(::GetCurrentProcessId()) + L"_" + name;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        ::CloseHandle(file);
    }
    return path;
}

} // namespace swftest
