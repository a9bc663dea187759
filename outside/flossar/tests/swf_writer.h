// A small SWF writer for the tests and the benchmark: bit-packed records,
// tags, shapes with solid, gradient and bitmap fills and line styles, edges,
// placements, sprites and the two file containers (plain and zlib).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace swftest {

using Bytes = std::vector<uint8_t>;

inline Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Color {
    uint8_t r = 0, g = 0, b = 0, a = 255;
};

class BitWriter {
public:
    void UB(uint32_t value, int bits);
    void SB(int32_t value, int bits);
    void Align();
    void U8(uint8_t v);
    void U16(uint16_t v);
    void U32(uint32_t v);
    void Append(const Bytes& b);
    void Rgb(Color c);
    void Rgba(Color c);
    // Bits needed to hold every value as a signed field.
    static int SignedBits(std::initializer_list<int32_t> values);
    static int UnsignedBits(uint32_t value);
    Bytes& Data()
    {
        Align();
        return m_bytes;
    }

private:
    Bytes m_bytes;
    uint32_t m_acc = 0;
    int m_count = 0;
};

struct Matrix {
    double a = 1, b = 0, c = 0, d = 1;
    int tx = 0, ty = 0; // twips
};
Matrix Translate(int tx, int ty);
Matrix ScaleAt(double sx, double sy, int tx, int ty);

struct ColorTransform {
    double mr = 1, mg = 1, mb = 1, ma = 1;
    int ar = 0, ag = 0, ab = 0, aa = 0;
};

void WriteMatrix(BitWriter& w, const Matrix& m);
void WriteRect(BitWriter& w, int xMin, int xMax, int yMin, int yMax);
void WriteColorTransform(BitWriter& w, const ColorTransform& t, bool alpha);

struct Stop {
    uint8_t ratio;
    Color color;
};

// A shape built from styles and pen moves, in twips.
class Shape {
public:
    int Solid(Color c);
    int Linear(const Matrix& m, std::vector<Stop> stops);
    int Radial(const Matrix& m, std::vector<Stop> stops);
    // A radial gradient whose centre colour sits at focal (-1..1) along the
    // gradient's x axis (DefineShape4 only).
    int Focal(const Matrix& m, std::vector<Stop> stops, double focal);
    int BitmapFill(uint16_t bitmapId, const Matrix& m, uint8_t type = 0x41);
    int Line(int widthTwips, Color c);
    // DefineShape4 only: a line coloured by a linear gradient fill, with flat
    // caps.
    int GradientLine(int widthTwips, const Matrix& m, std::vector<Stop> stops);

    // A style change: fill0, fill1, line (-1 keeps), and a move to (x, y).
    void Style(int fill0, int fill1, int line);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void CurveTo(int cx, int cy, int x, int y);
    // A closed rectangle filled on its inside with fill1 = fill.
    void Rect(int x, int y, int w, int h, int fill, int line = 0);
    // A circle made of eight quadratic arcs.
    void Circle(int cx, int cy, int r, int fill, int line = 0);

    // Body of DefineShape<version> with this id (version 1..4); bounds as
    // given.
    Bytes Body(uint16_t id, int version, int xMin, int xMax, int yMin, int yMax) const;
    // Only the edge records (a SHAPE), as fonts and morph shapes hold them;
    // fillBits overrides the width of fill style indices (glyphs have no
    // styles but use index 1).
    void WriteRecords(BitWriter& w, int fillBits = -1) const;
    void WriteStyles(BitWriter& w, int version) const;

private:
    struct Fill {
        uint8_t type;
        Color color;
        Matrix matrix;
        std::vector<Stop> stops;
        uint16_t bitmapId;
        double focal = 0;
    };
    struct LineStyle {
        int width;
        Color color;
        bool gradient = false;
        Matrix matrix;
        std::vector<Stop> stops;
    };
    void WriteFill(BitWriter& w, int version, const Fill& f) const;
    struct Op {
        enum Kind { Style, Move, Line, Curve } kind;
        int a, b, c, d;
    };
    std::vector<Fill> m_fills;
    std::vector<LineStyle> m_lines;
    std::vector<Op> m_ops;
    int m_x = 0;
    int m_y = 0;
};

struct Place {
    uint16_t depth = 1;
    int charId = -1; // -1: none
    bool move = false;
    bool hasMatrix = false;
    Matrix matrix;
    bool hasColorTransform = false;
    ColorTransform colorTransform;
    int ratio = -1;
    int clipDepth = -1;
};
Bytes PlaceObject2(const Place& p);
// The same as PlaceObject3 with a class name before the character.
Bytes PlaceObject3(const Place& p, const char* className);
Bytes RemoveObject2(uint16_t depth);

// A movie: tags appended in order, then written as FWS or CWS.
class Movie {
public:
    Movie(int widthPx, int heightPx, int version = 8);
    void Tag(int code, const Bytes& body);
    void Background(Color c);
    void ShowFrame() { Tag(1, {}); }
    void Shape(uint16_t id, const swftest::Shape& s, int version = 3);
    void Place(const swftest::Place& p) { Tag(26, PlaceObject2(p)); }
    void Remove(uint16_t depth) { Tag(28, RemoveObject2(depth)); }
    // DefineSprite from tags written into another movie's tag stream.
    void Sprite(uint16_t id, uint16_t frames, const Bytes& controlTags);
    const Bytes& Tags() const { return m_tags; }

    Bytes Fws() const;
    Bytes Cws() const;

private:
    int m_width;
    int m_height;
    int m_version;
    Bytes m_tags;
};

// A movie whose whole stage is covered, at depths 1 to layers, by a
// rectangle (shape 2) filled with a bitmapWidth x bitmapHeight lossless
// bitmap (id 1) stretched over it with smoothing; its pixel (x, y) is
// 0xRRGGBB = (x / 8 % 256, y / 4 % 256, (x + y) % 256). The frame is not
// shown yet.
Movie BitmapStage(int widthPx, int heightPx, int bitmapWidth, int bitmapHeight, int layers = 1);

// Body of DefineBitsLossless (alpha false, tag 20) or DefineBitsLossless2
// (alpha true, tag 36) in the 32-bit format from 0xAARRGGBB pixels
// (top-down; for the second, straight alpha that is premultiplied here).
Bytes LosslessBody(uint16_t id, int width, int height, const std::vector<uint32_t>& argb, bool alpha);
// DefineBitsLossless in the 15-bit format (5 bits per channel).
Bytes Lossless15Body(uint16_t id, int width, int height, const std::vector<uint32_t>& argb);
// The same in the palette format (at most 256 distinct colours).
Bytes LosslessPaletteBody(uint16_t id, int width, int height, const std::vector<uint32_t>& argb, bool alpha);
// A JPEG file split into its tables (quantisation and Huffman segments
// between start and end markers) and the rest (the image without tables).
void SplitJpeg(const Bytes& jpeg, Bytes& tables, Bytes& image);
Bytes Deflate(const Bytes& raw);

// DefineMorphShape body: start and end hold the same edges (the end shape's
// styles are ignored); each fill of start is paired with the same fill of
// end (solid colours only).
Bytes MorphBody(uint16_t id, const Shape& start, const Shape& end, const std::vector<std::pair<Color, Color>>& fills);
// DefineFont (version 1), DefineFont2 (2) or DefineFont3 (3) body with
// these glyph outlines (in em units of 1024, or 20480 for version 3).
Bytes FontBody(uint16_t id, int version, const std::vector<Shape>& glyphs);
struct TextRun {
    uint16_t fontId;
    Color color;
    int x, y, height; // twips
    std::vector<std::pair<int, int>> glyphs; // index, advance
};
// DefineText (version 1) or DefineText2 (2) body.
Bytes TextBody(uint16_t id, int version, const Matrix& m, const std::vector<TextRun>& runs);

// A movie whose frame i shows the whole stage in colours[i] (each frame
// places a new full-stage rectangle at the same depth).
Bytes FlatFrames(int widthPx, int heightPx, const std::vector<Color>& colours);

// A movie of one frame on a widthPx x heightPx stage: one solid shape of
// `edges` straight edges zig-zagging round the four corners of a square in
// the middle of the stage (top-left, bottom-right, top-right, bottom-left),
// so that each corner is the start of a quarter of them.
Bytes ZigZagMovie(int widthPx, int heightPx, int edges);

// A tag record (header and body) for nesting in a sprite.
Bytes TagRecord(int code, const Bytes& body);

// Writes bytes to a file in the temporary folder; returns the path.
std::wstring WriteTemp(const std::wstring& name, const Bytes& bytes);

} // namespace swftest
