// Drawing a display list with GDI+: shapes with solid, gradient and bitmap
// fills and their lines, morph shapes at their ratio, static texts from
// their fonts' glyphs, sprites with their own lists, and clip layers. Paths
// are built once per character and kept for the life of the renderer.
#pragma once

#include "swf_movie.h"
#include "swf_paths.h"
#include "swf_player.h"

#include <map>
#include <memory>

namespace flossar {

class Renderer {
public:
    explicit Renderer(Movie& movie);
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // Draws list into g with stage twips mapped to device pixels by
    // stageToDevice; clipRect bounds everything drawn.
    void Draw(
        Gdiplus::Graphics& g, const DisplayList& list, const Matrix& stageToDevice, const Gdiplus::Rect& clipRect);

private:
    void DrawList(Gdiplus::Graphics& g, const DisplayList& list, const Matrix& m, const ColorTransform& cx,
        const Gdiplus::Region* clip, int nesting);
    void DrawObject(Gdiplus::Graphics& g, const DisplayObject& object, const Matrix& m, const ColorTransform& cx,
        const Gdiplus::Region* clip, int nesting);
    void DrawPrepared(Gdiplus::Graphics& g, const PreparedShape& shape, const Matrix& m, const ColorTransform& cx);
    void Fill(Gdiplus::Graphics& g, const FillStyle& style, const Gdiplus::GraphicsPath& path, const ColorTransform& cx,
        const Matrix& m);
    void FillRadial(Gdiplus::Graphics& g, const FillStyle& style, const Gdiplus::GraphicsPath& path,
        const ColorTransform& cx, const Matrix& m);
    void DrawText(Gdiplus::Graphics& g, const TextData& text, const Matrix& m, const ColorTransform& cx);
    // Adds the outline of object (in device pixels) to region.
    void AddToClip(Gdiplus::Region& region, const DisplayObject& object, const Matrix& m, int nesting);
    void AddPreparedToClip(Gdiplus::Region& region, const PreparedShape& shape, const Matrix& m);
    void ApplyClip(Gdiplus::Graphics& g, const Gdiplus::Region* clip);

    const PreparedShape* Shape(uint16_t id, const ShapeData& data);
    const PreparedShape* Morph(uint16_t id, const MorphData& data, uint16_t ratio);
    const std::vector<std::unique_ptr<PreparedShape>>* Glyphs(uint16_t id, const FontData& font);
    Gdiplus::Bitmap* Image(uint16_t id);

    Movie& m_movie;
    Gdiplus::Rect m_clipRect;
    const Gdiplus::Region* m_appliedClip = nullptr;
    bool m_clipStale = false;
    std::map<uint16_t, std::unique_ptr<PreparedShape>> m_shapes;
    std::map<std::pair<uint16_t, uint16_t>, std::unique_ptr<PreparedShape>> m_morphs;
    std::map<uint16_t, std::vector<std::unique_ptr<PreparedShape>>> m_glyphs;
    std::map<uint16_t, std::unique_ptr<Gdiplus::Bitmap>> m_images;
};

} // namespace flossar
