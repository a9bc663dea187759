// Drawing a display list with our own anti-aliased scan converter: shapes
// with solid, gradient and bitmap fills and their lines, morph shapes at
// their ratio, static texts from their fonts' glyphs, sprites with their own
// lists, and clip layers as coverage masks. Outlines are prepared once per
// character and kept for the life of the renderer.
#pragma once

#include "swf_movie.h"
#include "swf_paths.h"
#include "swf_player.h"
#include "swf_raster.h"

#include <map>
#include <memory>

namespace flossar {

class Renderer {
public:
    explicit Renderer(Movie& movie);
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // Draws list into target with stage twips mapped to device pixels by
    // stageToDevice; with a budget, only as much as it pays for, in depth
    // order (see swf_budget.h).
    void Draw(PixelTarget& target, const DisplayList& list, const Matrix& stageToDevice, WorkBudget* budget = nullptr);

private:
    void DrawList(const DisplayList& list, const Matrix& m, const ColorTransform& cx, const uint8_t* mask, int nesting);
    void DrawObject(
        const DisplayObject& object, const Matrix& m, const ColorTransform& cx, const uint8_t* mask, int nesting);
    void DrawPrepared(const PreparedShape& shape, const Matrix& m, const ColorTransform& cx, const uint8_t* mask);
    void DrawText(const TextData& text, const Matrix& m, const ColorTransform& cx, const uint8_t* mask);
    // Outline of contours under m into the rasterizer.
    void Outline(const std::vector<EdgeRun>& contours, const Matrix& m);
    void Stroke(const std::vector<EdgeRun>& runs, const LineStyle& style, const Matrix& m);
    bool MakePaint(const FillStyle& style, const ColorTransform& cx, const Matrix& m, Paint& paint);
    // Adds the outline of object to mask (device pixels).
    void AddToMask(std::vector<uint8_t>& mask, const DisplayObject& object, const Matrix& m, int nesting);
    void AddPreparedToMask(std::vector<uint8_t>& mask, const PreparedShape& shape, const Matrix& m);

    // Takes units of the frame's budget; false (and nothing more drawn) when
    // it cannot pay.
    bool Affords(double units);
    bool Spent() const;

    const PreparedShape* Shape(uint16_t id, const ShapeData& data);
    const PreparedShape* Morph(uint16_t id, const MorphData& data, uint16_t ratio);
    const std::vector<std::unique_ptr<PreparedShape>>* Glyphs(uint16_t id, const FontData& font);

    Movie& m_movie;
    PixelTarget* m_target = nullptr;
    WorkBudget* m_budget = nullptr;
    size_t m_masks = 0; // clip masks alive
    Rasterizer m_raster;
    std::vector<uint32_t> m_table;
    std::vector<uint32_t> m_tinted;
    std::map<uint16_t, std::unique_ptr<PreparedShape>> m_shapes;
    std::map<std::pair<uint16_t, uint16_t>, std::unique_ptr<PreparedShape>> m_morphs;
    std::map<uint16_t, std::vector<std::unique_ptr<PreparedShape>>> m_glyphs;
};

} // namespace flossar
