// Drawing of a display list (see swf_render.h). Gradients are laid in the
// gradient square of the file (-16384..16384 twips) through the fill's
// matrix and padded with their end colours beyond it.
#include "swf_render.h"

#include "swf_shape_parse.h"

#include <algorithm>
#include <cmath>

namespace flossar {

namespace {

constexpr double kGradientHalf = 16384.0;
constexpr size_t kMaxMorphCache = 64;
constexpr double kPi = 3.14159265358979323846;
constexpr size_t kMaxMasks = 16; // clip layers in force at once, over all nesting

bool Invertible(const Matrix& m)
{
    const double det = m.a * m.d - m.b * m.c;
    return std::isfinite(det) && std::fabs(det) > 1e-12;
}

struct Point {
    double x, y;
};

Point Apply(const Matrix& m, double x, double y)
{
    return { m.a * x + m.c * y + m.tx, m.b * x + m.d * y + m.ty };
}

// The polygon of a circle, enough sides for its size in pixels.
std::vector<double> Circle(double cx, double cy, double r)
{
    const int n = static_cast<int>(std::clamp(std::ceil(r * 3), 8.0, 48.0));
    std::vector<double> xy;
    xy.reserve(static_cast<size_t>(n) * 2);
    for (int i = 0; i < n; ++i) {
        const double a = 2 * kPi * i / n;
        xy.push_back(cx + r * std::cos(a));
        xy.push_back(cy + r * std::sin(a));
    }
    return xy;
}

} // namespace

Renderer::Renderer(Movie& movie)
    : m_movie(movie)
{
}

Renderer::~Renderer() = default;

const PreparedShape* Renderer::Shape(uint16_t id, const ShapeData& data)
{
    auto& slot = m_shapes[id];
    if (!slot)
        slot = PrepareShape(data);
    return slot.get();
}

const PreparedShape* Renderer::Morph(uint16_t id, const MorphData& data, uint16_t ratio)
{
    const auto key = std::make_pair(id, ratio);
    auto it = m_morphs.find(key);
    if (it != m_morphs.end())
        return it->second.get();
    if (m_morphs.size() >= kMaxMorphCache)
        m_morphs.clear();
    auto prepared = PrepareShape(MorphAt(data, ratio / 65535.0));
    return m_morphs.emplace(key, std::move(prepared)).first->second.get();
}

const std::vector<std::unique_ptr<PreparedShape>>* Renderer::Glyphs(uint16_t id, const FontData& font)
{
    auto it = m_glyphs.find(id);
    if (it == m_glyphs.end()) {
        std::vector<std::unique_ptr<PreparedShape>> glyphs;
        for (const ShapeData& g : font.glyphs)
            glyphs.push_back(PrepareShape(g, true));
        it = m_glyphs.emplace(id, std::move(glyphs)).first;
    }
    return &it->second;
}

void Renderer::Draw(PixelTarget& target, const DisplayList& list, const Matrix& stageToDevice, WorkBudget* budget)
{
    m_target = &target;
    m_budget = budget;
    m_raster.SetBudget(budget);
    DrawList(list, stageToDevice, ColorTransform {}, nullptr, 0);
    m_raster.SetBudget(nullptr);
    m_budget = nullptr;
    m_target = nullptr;
}

bool Renderer::Affords(double units)
{
    return m_budget == nullptr || m_budget->Spend(units);
}

bool Renderer::Spent() const
{
    return m_budget != nullptr && m_budget->Spent();
}

void Renderer::DrawList(
    const DisplayList& list, const Matrix& m, const ColorTransform& cx, const uint8_t* mask, int nesting)
{
    // Clip layers in force: each masks the depths up to its clip depth.
    struct Active {
        uint16_t until;
        std::vector<uint8_t> mask;
    };
    std::vector<Active> active;
    const size_t pixels = static_cast<size_t>(m_target->width) * m_target->height;
    for (const auto& [depth, object] : list) {
        if (Spent())
            break; // the frame's work is used up: the rest stays undrawn
        while (!active.empty() && active.back().until < depth) {
            active.pop_back();
            --m_masks;
        }
        const uint8_t* current = active.empty() ? mask : active.back().mask.data();
        if (object.clipDepth > 0) {
            if (m_masks >= kMaxMasks)
                continue; // too many clip layers at once: this one masks nothing
            if (!Affords(static_cast<double>(pixels) * 2))
                break;
            Active layer { object.clipDepth, std::vector<uint8_t>(pixels, 0) };
            AddToMask(layer.mask, object, m * object.matrix, nesting);
            if (current != nullptr)
                for (size_t i = 0; i < pixels; ++i)
                    layer.mask[i] = static_cast<uint8_t>((layer.mask[i] * (current[i] + 1)) >> 8);
            active.push_back(std::move(layer));
            ++m_masks;
            continue;
        }
        DrawObject(object, m, cx, current, nesting);
    }
    m_masks -= active.size();
}

void Renderer::DrawObject(
    const DisplayObject& object, const Matrix& parent, const ColorTransform& parentCx, const uint8_t* mask, int nesting)
{
    const Character* c = m_movie.Find(object.charId);
    if (c == nullptr)
        return;
    const Matrix m = parent * object.matrix;
    const ColorTransform cx = object.colorTransform.Then(parentCx);
    switch (c->kind) {
    case CharKind::Shape:
        DrawPrepared(*Shape(object.charId, *c->shape), m, cx, mask);
        break;
    case CharKind::Morph:
        DrawPrepared(*Morph(object.charId, *c->morph, object.ratio), m, cx, mask);
        break;
    case CharKind::Text:
        DrawText(*c->text, m, cx, mask);
        break;
    case CharKind::Sprite:
        if (object.sprite && nesting < Player::kMaxNesting)
            DrawList(object.sprite->list, m, cx, mask, nesting + 1);
        break;
    default:
        break;
    }
}

void Renderer::Outline(const std::vector<EdgeRun>& contours, const Matrix& m)
{
    for (const EdgeRun& run : contours) {
        if (run.empty())
            continue;
        for (const Edge& e : run) {
            const Point p0 = Apply(m, e.x0, e.y0);
            const Point p1 = Apply(m, e.x1, e.y1);
            if (e.curve) {
                const Point c = Apply(m, e.cx, e.cy);
                m_raster.Quad(p0.x, p0.y, c.x, c.y, p1.x, p1.y);
            } else {
                m_raster.Line(p0.x, p0.y, p1.x, p1.y);
            }
        }
        // An open contour is closed by a straight edge.
        const Edge& first = run.front();
        const Edge& last = run.back();
        if (first.x0 != last.x1 || first.y0 != last.y1) {
            const Point a = Apply(m, last.x1, last.y1);
            const Point b = Apply(m, first.x0, first.y0);
            m_raster.Line(a.x, a.y, b.x, b.y);
        }
    }
}

void Renderer::Stroke(const std::vector<EdgeRun>& runs, const LineStyle& style, const Matrix& m)
{
    const double scale = std::sqrt(std::fabs(m.a * m.d - m.b * m.c)); // device pixels per twip
    // A hairline or a line thinner than a pixel still shows one pixel wide.
    const double r = std::max(0.5, style.width * scale / 2);
    std::vector<double> points;
    std::vector<size_t> corners; // points where one edge meets the next
    for (const EdgeRun& run : runs) {
        if (run.empty())
            continue;
        points.clear();
        corners.clear();
        corners.push_back(0);
        const Point start = Apply(m, run.front().x0, run.front().y0);
        points.push_back(start.x);
        points.push_back(start.y);
        for (const Edge& e : run) {
            const Point p1 = Apply(m, e.x1, e.y1);
            if (e.curve) {
                const Point p0 = Apply(m, e.x0, e.y0);
                const Point c = Apply(m, e.cx, e.cy);
                const double dx = p0.x - 2 * c.x + p1.x;
                const double dy = p0.y - 2 * c.y + p1.y;
                const double deviation = std::sqrt(dx * dx + dy * dy) / 4;
                const int n = std::isfinite(deviation)
                    ? static_cast<int>(std::clamp(std::ceil(std::sqrt(deviation / 0.1)), 1.0, 64.0))
                    : 1;
                for (int i = 1; i < n; ++i) {
                    const double t = static_cast<double>(i) / n;
                    const double s = 1 - t;
                    points.push_back(s * s * p0.x + 2 * s * t * c.x + t * t * p1.x);
                    points.push_back(s * s * p0.y + 2 * s * t * c.y + t * t * p1.y);
                }
            }
            points.push_back(p1.x);
            points.push_back(p1.y);
            corners.push_back(points.size() / 2 - 1);
        }
        const size_t n = points.size() / 2;
        const bool closed = n > 2 && points[0] == points[2 * n - 2] && points[1] == points[2 * n - 1];
        bool havePrevious = false;
        double pnx = 0, pny = 0;
        for (size_t i = 0; i + 1 < n; ++i) {
            const double x0 = points[2 * i], y0 = points[2 * i + 1];
            const double x1 = points[2 * i + 2], y1 = points[2 * i + 3];
            const double len = std::hypot(x1 - x0, y1 - y0);
            if (!(len > 1e-9))
                continue;
            const double nx = -(y1 - y0) / len * r;
            const double ny = (x1 - x0) / len * r;
            m_raster.Polygon({ x0 + nx, y0 + ny, x1 + nx, y1 + ny, x1 - nx, y1 - ny, x0 - nx, y0 - ny });
            if (havePrevious) {
                // The wedges between this piece and the one before, on both
                // sides (one of them lies inside the line and adds nothing).
                m_raster.Polygon({ x0, y0, x0 + pnx, y0 + pny, x0 + nx, y0 + ny });
                m_raster.Polygon({ x0, y0, x0 - pnx, y0 - pny, x0 - nx, y0 - ny });
            }
            havePrevious = true;
            pnx = nx;
            pny = ny;
        }
        // Round joins where edges meet, round caps at open ends; within a
        // curve the pieces turn too little to need them.
        for (size_t i : corners) {
            const bool end = i == 0 || i + 1 == n;
            if (end && !closed && !style.roundCaps)
                continue;
            m_raster.Polygon(Circle(points[2 * i], points[2 * i + 1], r));
        }
    }
}

bool Renderer::MakePaint(const FillStyle& style, const ColorTransform& cx, const Matrix& m, Paint& paint)
{
    switch (style.kind) {
    case FillKind::Solid:
        paint.kind = Paint::Kind::Solid;
        paint.solid = Premultiplied(cx.Apply(style.color));
        return true;
    case FillKind::Linear:
    case FillKind::Radial:
    case FillKind::Focal:
        if (style.stops.empty())
            return false;
        m_table = GradientTable(style.stops, cx);
        if (!paint.SetInverse(m * style.matrix, kGradientHalf)) {
            // A gradient squeezed to nothing shows its last colour.
            paint.kind = Paint::Kind::Solid;
            paint.solid = m_table.back();
            return true;
        }
        paint.kind = style.kind == FillKind::Linear ? Paint::Kind::Linear : Paint::Kind::Radial;
        paint.focal = style.kind == FillKind::Focal ? std::clamp(style.focal, -0.98, 0.98) : 0.0;
        paint.table = m_table.data();
        return true;
    case FillKind::Bitmap: {
        const BitmapData* b = m_movie.DecodedBitmap(style.bitmapId);
        if (b == nullptr || !paint.SetInverse(m * style.matrix, 1.0))
            return false;
        paint.kind = Paint::Kind::Bitmap;
        paint.bitmap = b->pixels.data();
        paint.bitmapWidth = b->width;
        paint.bitmapHeight = b->height;
        paint.repeat = style.repeat;
        paint.smooth = style.smooth;
        if (!cx.IsIdentity()) {
            // A colour-transformed copy of the premultiplied pixels.
            if (!Affords(static_cast<double>(b->pixels.size()) * 4))
                return false;
            m_tinted.resize(b->pixels.size());
            for (size_t i = 0; i < b->pixels.size(); ++i) {
                const uint32_t p = b->pixels[i];
                const uint32_t a = p >> 24;
                Rgba c;
                c.a = static_cast<uint8_t>(a);
                c.r = a ? static_cast<uint8_t>(std::min(255u, ((p >> 16) & 0xFFu) * 255u / a)) : 0;
                c.g = a ? static_cast<uint8_t>(std::min(255u, ((p >> 8) & 0xFFu) * 255u / a)) : 0;
                c.b = a ? static_cast<uint8_t>(std::min(255u, (p & 0xFFu) * 255u / a)) : 0;
                m_tinted[i] = Premultiplied(cx.Apply(c));
            }
            paint.bitmap = m_tinted.data();
        }
        return true;
    }
    }
    return false;
}

void Renderer::DrawPrepared(const PreparedShape& shape, const Matrix& m, const ColorTransform& cx, const uint8_t* mask)
{
    if (!Invertible(m))
        return;
    for (const PreparedGroup& group : shape.groups) {
        for (size_t f = 0; f < group.fillContours.size() && f < group.fills.size(); ++f) {
            if (group.fillContours[f].empty())
                continue;
            Paint paint;
            if (!MakePaint(group.fills[f], cx, m, paint))
                continue;
            m_raster.Begin(0, 0, m_target->width, m_target->height);
            Outline(group.fillContours[f], m);
            m_raster.Fill(*m_target, paint, mask);
        }
        for (size_t l = 0; l < group.lineRuns.size() && l < group.lines.size(); ++l) {
            if (group.lineRuns[l].empty())
                continue;
            m_raster.Begin(0, 0, m_target->width, m_target->height);
            Stroke(group.lineRuns[l], group.lines[l], m);
            Paint paint;
            paint.solid = Premultiplied(cx.Apply(group.lines[l].color));
            m_raster.Fill(*m_target, paint, mask);
        }
    }
}

void Renderer::DrawText(const TextData& text, const Matrix& m, const ColorTransform& cx, const uint8_t* mask)
{
    const Matrix base = m * text.matrix;
    for (const TextRun& run : text.runs) {
        const Character* c = m_movie.Find(run.fontId);
        if (c == nullptr || c->kind != CharKind::Font || run.height <= 0)
            continue;
        const auto* glyphs = Glyphs(run.fontId, *c->font);
        const double scale = run.height / c->font->emSize;
        Paint paint;
        paint.solid = Premultiplied(cx.Apply(run.color));
        m_raster.Begin(0, 0, m_target->width, m_target->height);
        for (const auto& [index, x] : run.glyphs) {
            if (index >= glyphs->size() || !(*glyphs)[index] || (*glyphs)[index]->groups.empty())
                continue;
            const auto& contours = (*glyphs)[index]->groups.front().fillContours;
            if (contours.empty())
                continue;
            const Matrix gm = base * Matrix { scale, 0, 0, scale, x, run.y };
            if (Invertible(gm))
                Outline(contours.front(), gm);
        }
        m_raster.Fill(*m_target, paint, mask);
    }
}

void Renderer::AddPreparedToMask(std::vector<uint8_t>& mask, const PreparedShape& shape, const Matrix& m)
{
    if (!Invertible(m))
        return;
    for (const PreparedGroup& group : shape.groups)
        for (const auto& contours : group.fillContours) {
            if (contours.empty())
                continue;
            m_raster.Begin(0, 0, m_target->width, m_target->height);
            Outline(contours, m);
            m_raster.Cover(mask.data(), m_target->width, m_target->height);
        }
}

void Renderer::AddToMask(std::vector<uint8_t>& mask, const DisplayObject& object, const Matrix& m, int nesting)
{
    const Character* c = m_movie.Find(object.charId);
    if (c == nullptr)
        return;
    switch (c->kind) {
    case CharKind::Shape:
        AddPreparedToMask(mask, *Shape(object.charId, *c->shape), m);
        break;
    case CharKind::Morph:
        AddPreparedToMask(mask, *Morph(object.charId, *c->morph, object.ratio), m);
        break;
    case CharKind::Sprite:
        if (object.sprite && nesting < Player::kMaxNesting)
            for (const auto& [depth, child] : object.sprite->list)
                AddToMask(mask, child, m * child.matrix, nesting + 1);
        break;
    default:
        break;
    }
}

} // namespace flossar
