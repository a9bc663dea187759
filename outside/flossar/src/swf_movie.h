// An SWF movie read into memory: the stage, the dictionary of characters and
// the main timeline as lists of display-list commands per frame. Reading is
// bounded throughout: the file, its inflated body, the number of frames,
// commands, edges and styles all have ceilings, and a tag that breaks one or
// runs past its end is skipped. Scripts are never kept.
#pragma once

#include "swf_types.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace flossar {

// One PlaceObject or RemoveObject of a timeline.
struct PlaceCommand {
    bool remove = false;
    bool move = false;
    bool hasChar = false;
    bool hasMatrix = false;
    bool hasColorTransform = false;
    bool hasRatio = false;
    bool hasClipDepth = false;
    uint16_t depth = 0;
    uint16_t charId = 0;
    uint16_t ratio = 0;
    uint16_t clipDepth = 0;
    Matrix matrix;
    ColorTransform colorTransform;
};

struct Timeline {
    std::vector<std::vector<PlaceCommand>> frames;
};

// A morph shape: start and end styles and edges paired one to one.
struct MorphData {
    std::vector<FillStyle> fills0, fills1;
    std::vector<LineStyle> lines0, lines1;
    std::vector<Edge> edges0, edges1;
};

struct FontData {
    std::vector<ShapeData> glyphs; // glyph outlines, fill style 1 is the text colour
    double emSize = 1024; // glyph units per text height
};

struct TextRun {
    uint16_t fontId = 0;
    Rgba color;
    double height = 0; // twips
    double y = 0;
    std::vector<std::pair<uint16_t, double>> glyphs; // glyph index, x of its origin
};

struct TextData {
    Matrix matrix;
    std::vector<TextRun> runs;
};

// A bitmap as stored; decoded to premultiplied BGRA on first use.
struct BitmapData {
    enum class Kind { Lossless, Encoded } kind = Kind::Lossless;
    // Lossless: format 3 (palette), 4 (15-bit) or 5 (32-bit), zlib data.
    int format = 0;
    int width = 0;
    int height = 0;
    int paletteSize = 0;
    bool withAlpha = false;
    std::vector<uint8_t> data; // zlib (lossless) or JPEG/PNG/GIF bytes
    std::vector<uint8_t> alpha; // zlib alpha plane of a JPEG with alpha

    // Decoding state.
    bool tried = false;
    std::vector<uint32_t> pixels; // premultiplied 0xAARRGGBB, top-down rows
};

enum class CharKind { Shape, Morph, Sprite, Bitmap, Font, Text };

struct Character {
    CharKind kind = CharKind::Shape;
    std::shared_ptr<ShapeData> shape;
    std::shared_ptr<MorphData> morph;
    std::shared_ptr<Timeline> sprite;
    std::shared_ptr<BitmapData> bitmap;
    std::shared_ptr<FontData> font;
    std::shared_ptr<TextData> text;
};

// Ceilings of what one movie may hold.
struct Limits {
    static constexpr size_t kMaxFileBytes = 64u << 20;
    static constexpr size_t kMaxBodyBytes = 64u << 20;
    static constexpr size_t kMaxFrames = 1u << 20;
    static constexpr size_t kMaxItems = 1500000; // edges, styles, commands, glyph records
    static constexpr int kMaxBitmapSide = 8192;
    static constexpr int64_t kMaxBitmapPixels = 8ll << 20;
    static constexpr int64_t kMaxDecodedPixels = 24ll << 20;
};

class Movie {
public:
    // Reads the file; false when it is not a usable SWF file (missing,
    // unreadable, too short, LZMA-compressed, bad header or empty stage).
    bool Load(const std::wstring& path);
    // Reads from bytes already in memory (the whole file).
    bool LoadBytes(std::vector<uint8_t> file);

    int Version() const { return m_version; }
    const TwipRect& Stage() const { return m_stage; }
    Rgba Background() const { return m_background; }
    const Timeline& Root() const { return m_root; }
    int FrameCount() const { return static_cast<int>(m_root.frames.size()); }
    const Character* Find(uint16_t id) const;
    // Pixels of a bitmap character, decoded on first call; null when the
    // bitmap cannot be decoded.
    const BitmapData* DecodedBitmap(uint16_t id);

    // Budget shared by every parser of this movie: false once exhausted.
    bool Spend(size_t items);

private:
    void ReadTags(const uint8_t* data, size_t size);
    void ReadSprite(const uint8_t* data, size_t size);
    bool ReadControlTag(int code, const uint8_t* body, size_t length, std::vector<PlaceCommand>& frame);
    void Define(uint16_t id, Character c);

    int m_version = 0;
    TwipRect m_stage;
    Rgba m_background { 255, 255, 255, 255 };
    Timeline m_root;
    std::map<uint16_t, Character> m_dictionary;
    std::vector<uint8_t> m_jpegTables;
    size_t m_items = 0;
    size_t m_frames = 0;
    int64_t m_decodedPixels = 0;
};

} // namespace flossar
