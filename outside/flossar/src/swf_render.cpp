// GDI+ drawing of a display list (see swf_render.h). Gradients are laid in
// the gradient square of the file (-16384..16384 twips) through the fill's
// matrix; pad spreading is had by stretching the brush far beyond that square
// and keeping the end colours out there.
#include "swf_render.h"

#include "swf_shape_parse.h"

#include <algorithm>
#include <cmath>

namespace flossar {

namespace {

constexpr double kGradientHalf = 16384.0;
constexpr double kPadFactor = 64.0;
constexpr size_t kMaxMorphCache = 64;

Gdiplus::Matrix ToGdi(const Matrix& m)
{
    return Gdiplus::Matrix(static_cast<Gdiplus::REAL>(m.a), static_cast<Gdiplus::REAL>(m.b),
        static_cast<Gdiplus::REAL>(m.c), static_cast<Gdiplus::REAL>(m.d), static_cast<Gdiplus::REAL>(m.tx),
        static_cast<Gdiplus::REAL>(m.ty));
}

Gdiplus::Color ToGdi(Rgba c)
{
    return Gdiplus::Color(c.a, c.r, c.g, c.b);
}

bool Invertible(const Matrix& m)
{
    const double det = m.a * m.d - m.b * m.c;
    return std::isfinite(det) && std::fabs(det) > 1e-12;
}

// Stops as GDI+ wants them: sorted, from position 0 to 1, with the end colours
// held out to the pad area around the gradient square.
void PaddedStops(const std::vector<GradientStop>& stops, const ColorTransform& cx, double padFactor, bool reversed,
    std::vector<Gdiplus::Color>& colors, std::vector<Gdiplus::REAL>& positions)
{
    std::vector<GradientStop> s = stops;
    std::stable_sort(
        s.begin(), s.end(), [](const GradientStop& a, const GradientStop& b) { return a.ratio < b.ratio; });
    const double inner = 1.0 / padFactor;
    const double offset = (1.0 - inner) / 2.0;
    std::vector<std::pair<double, Gdiplus::Color>> out;
    out.emplace_back(0.0, ToGdi(cx.Apply(s.front().color)));
    for (const GradientStop& stop : s) {
        double p = stop.ratio / 255.0;
        p = padFactor > 1 ? offset + p * inner : p;
        out.emplace_back(p, ToGdi(cx.Apply(stop.color)));
    }
    out.emplace_back(1.0, ToGdi(cx.Apply(s.back().color)));
    if (reversed) {
        std::reverse(out.begin(), out.end());
        for (auto& [p, c] : out)
            p = 1.0 - p;
    }
    for (auto& [p, c] : out) {
        // GDI+ wants strictly increasing positions.
        double v = p;
        if (!positions.empty() && v <= positions.back())
            v = std::min(1.0, static_cast<double>(positions.back()) + 1e-6);
        positions.push_back(static_cast<Gdiplus::REAL>(v));
        colors.push_back(c);
    }
    positions.front() = 0;
    positions.back() = 1;
}

// 256 premultiplied colours along the stops, for ratio 0 to 255.
std::vector<uint32_t> GradientTable(const std::vector<GradientStop>& stops, const ColorTransform& cx)
{
    std::vector<GradientStop> s = stops;
    std::stable_sort(
        s.begin(), s.end(), [](const GradientStop& a, const GradientStop& b) { return a.ratio < b.ratio; });
    std::vector<uint32_t> table(256);
    size_t k = 0;
    for (int i = 0; i < 256; ++i) {
        while (k + 1 < s.size() && s[k + 1].ratio <= i)
            ++k;
        Rgba c = s[k].color;
        if (i > s[k].ratio && k + 1 < s.size()) {
            const double t = static_cast<double>(i - s[k].ratio) / (s[k + 1].ratio - s[k].ratio);
            const Rgba& n = s[k + 1].color;
            auto mix = [t](uint8_t a, uint8_t b) { return static_cast<uint8_t>(a + (b - a) * t + 0.5); };
            c = { mix(c.r, n.r), mix(c.g, n.g), mix(c.b, n.b), mix(c.a, n.a) };
        } else if (i < s[k].ratio) {
            c = s.front().color;
        }
        c = cx.Apply(c);
        table[static_cast<size_t>(i)] = (static_cast<uint32_t>(c.a) << 24) | ((c.r * c.a / 255) << 16)
            | ((c.g * c.a / 255) << 8) | (c.b * c.a / 255);
    }
    return table;
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

Gdiplus::Bitmap* Renderer::Image(uint16_t id)
{
    auto it = m_images.find(id);
    if (it != m_images.end())
        return it->second.get();
    std::unique_ptr<Gdiplus::Bitmap> image;
    const BitmapData* b = m_movie.DecodedBitmap(id);
    if (b != nullptr) {
        image = std::make_unique<Gdiplus::Bitmap>(b->width, b->height, b->width * 4, PixelFormat32bppPARGB,
            reinterpret_cast<BYTE*>(const_cast<uint32_t*>(b->pixels.data())));
        if (image->GetLastStatus() != Gdiplus::Ok)
            image.reset();
    }
    return m_images.emplace(id, std::move(image)).first->second.get();
}

void Renderer::Draw(
    Gdiplus::Graphics& g, const DisplayList& list, const Matrix& stageToDevice, const Gdiplus::Rect& clipRect)
{
    m_clipRect = clipRect;
    m_appliedClip = nullptr;
    m_clipStale = false;
    g.ResetTransform();
    g.SetClip(clipRect);
    DrawList(g, list, stageToDevice, ColorTransform {}, nullptr, 0);
    g.ResetTransform();
    g.ResetClip();
}

void Renderer::ApplyClip(Gdiplus::Graphics& g, const Gdiplus::Region* clip)
{
    if (clip == m_appliedClip && !m_clipStale)
        return;
    m_clipStale = false;
    g.ResetTransform();
    g.SetClip(m_clipRect);
    if (clip != nullptr)
        g.SetClip(clip, Gdiplus::CombineModeIntersect);
    m_appliedClip = clip;
}

void Renderer::DrawList(Gdiplus::Graphics& g, const DisplayList& list, const Matrix& m, const ColorTransform& cx,
    const Gdiplus::Region* clip, int nesting)
{
    // Clip layers in force: each masks the depths up to its clip depth.
    struct Active {
        uint16_t until;
        std::unique_ptr<Gdiplus::Region> region;
    };
    std::vector<Active> active;
    for (const auto& [depth, object] : list) {
        while (!active.empty() && active.back().until < depth) {
            if (m_appliedClip == active.back().region.get())
                m_clipStale = true; // the address may come back for another region
            active.pop_back();
        }
        const Gdiplus::Region* current = active.empty() ? clip : active.back().region.get();
        if (object.clipDepth > 0) {
            auto region = std::make_unique<Gdiplus::Region>();
            region->MakeEmpty();
            AddToClip(*region, object, m * object.matrix, nesting);
            if (current != nullptr)
                region->Intersect(current);
            active.push_back({ object.clipDepth, std::move(region) });
            continue;
        }
        ApplyClip(g, current);
        DrawObject(g, object, m, cx, current, nesting);
    }
    ApplyClip(g, clip);
}

void Renderer::DrawObject(Gdiplus::Graphics& g, const DisplayObject& object, const Matrix& parent,
    const ColorTransform& parentCx, const Gdiplus::Region* clip, int nesting)
{
    const Character* c = m_movie.Find(object.charId);
    if (c == nullptr)
        return;
    const Matrix m = parent * object.matrix;
    const ColorTransform cx = object.colorTransform.Then(parentCx);
    switch (c->kind) {
    case CharKind::Shape:
        DrawPrepared(g, *Shape(object.charId, *c->shape), m, cx);
        break;
    case CharKind::Morph:
        DrawPrepared(g, *Morph(object.charId, *c->morph, object.ratio), m, cx);
        break;
    case CharKind::Text:
        DrawText(g, *c->text, m, cx);
        break;
    case CharKind::Sprite:
        if (object.sprite && nesting < Player::kMaxNesting)
            DrawList(g, object.sprite->list, m, cx, clip, nesting + 1);
        break;
    default:
        break;
    }
}

void Renderer::DrawPrepared(Gdiplus::Graphics& g, const PreparedShape& shape, const Matrix& m, const ColorTransform& cx)
{
    if (!Invertible(m))
        return;
    Gdiplus::Matrix gm = ToGdi(m);
    g.SetTransform(&gm);
    const double scale = std::sqrt(std::fabs(m.a * m.d - m.b * m.c)); // device pixels per twip
    for (const PreparedGroup& group : shape.groups) {
        for (size_t f = 0; f < group.fillPaths.size() && f < group.fills.size(); ++f)
            if (group.fillPaths[f])
                Fill(g, group.fills[f], *group.fillPaths[f], cx, m);
        for (size_t l = 0; l < group.linePaths.size() && l < group.lines.size(); ++l) {
            if (!group.linePaths[l])
                continue;
            const LineStyle& style = group.lines[l];
            // A hairline or a line thinner than a pixel still shows one pixel wide.
            const double width = std::max(style.width, 1.0 / scale);
            Gdiplus::Pen pen(ToGdi(cx.Apply(style.color)), static_cast<Gdiplus::REAL>(width));
            const Gdiplus::LineCap cap = style.roundCaps ? Gdiplus::LineCapRound : Gdiplus::LineCapFlat;
            pen.SetLineCap(cap, cap, Gdiplus::DashCapRound);
            pen.SetLineJoin(Gdiplus::LineJoinRound);
            g.DrawPath(&pen, group.linePaths[l].get());
        }
    }
}

void Renderer::Fill(Gdiplus::Graphics& g, const FillStyle& style, const Gdiplus::GraphicsPath& path,
    const ColorTransform& cx, const Matrix& m)
{
    switch (style.kind) {
    case FillKind::Solid: {
        Gdiplus::SolidBrush brush(ToGdi(cx.Apply(style.color)));
        g.FillPath(&brush, &path);
        return;
    }
    case FillKind::Linear: {
        if (style.stops.empty())
            return;
        const Matrix& gm = style.matrix;
        if (!Invertible(gm)) {
            Gdiplus::SolidBrush brush(ToGdi(cx.Apply(style.stops.back().color)));
            g.FillPath(&brush, &path);
            return;
        }
        // The gradient runs along the file's x axis; across the shape it
        // changes along the gradient of that coordinate, whatever the skew.
        const double det = gm.a * gm.d - gm.b * gm.c;
        const double gx = gm.d / det; // d(u)/dx
        const double gy = -gm.c / det; // d(u)/dy
        const double len2 = gx * gx + gy * gy;
        const double half = kGradientHalf * kPadFactor;
        const Gdiplus::PointF p1(
            static_cast<Gdiplus::REAL>(gm.tx - half * gx / len2), static_cast<Gdiplus::REAL>(gm.ty - half * gy / len2));
        const Gdiplus::PointF p2(
            static_cast<Gdiplus::REAL>(gm.tx + half * gx / len2), static_cast<Gdiplus::REAL>(gm.ty + half * gy / len2));
        std::vector<Gdiplus::Color> colors;
        std::vector<Gdiplus::REAL> positions;
        PaddedStops(style.stops, cx, kPadFactor, false, colors, positions);
        Gdiplus::LinearGradientBrush brush(p1, p2, colors.front(), colors.back());
        brush.SetInterpolationColors(colors.data(), positions.data(), static_cast<INT>(colors.size()));
        brush.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
        g.FillPath(&brush, &path);
        return;
    }
    case FillKind::Radial:
    case FillKind::Focal:
        FillRadial(g, style, path, cx, m);
        return;
    case FillKind::Bitmap: {
        Gdiplus::Bitmap* image = Image(style.bitmapId);
        if (image == nullptr || !Invertible(style.matrix))
            return;
        std::unique_ptr<Gdiplus::Bitmap> tinted;
        if (!cx.IsIdentity()) {
            // Colour-transformed copy of the premultiplied pixels.
            const BitmapData* b = m_movie.DecodedBitmap(style.bitmapId);
            tinted = std::make_unique<Gdiplus::Bitmap>(b->width, b->height, PixelFormat32bppPARGB);
            Gdiplus::BitmapData data {};
            Gdiplus::Rect rect(0, 0, b->width, b->height);
            if (tinted->LockBits(&rect, Gdiplus::ImageLockModeWrite, PixelFormat32bppPARGB, &data) == Gdiplus::Ok) {
                for (int y = 0; y < b->height; ++y) {
                    auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(data.Scan0) + y * data.Stride);
                    for (int x = 0; x < b->width; ++x) {
                        const uint32_t p = b->pixels[static_cast<size_t>(y) * b->width + x];
                        const uint8_t a = static_cast<uint8_t>(p >> 24);
                        Rgba c;
                        c.a = a;
                        c.r = a ? static_cast<uint8_t>(std::min(255u, ((p >> 16) & 0xFFu) * 255u / a)) : 0;
                        c.g = a ? static_cast<uint8_t>(std::min(255u, ((p >> 8) & 0xFFu) * 255u / a)) : 0;
                        c.b = a ? static_cast<uint8_t>(std::min(255u, (p & 0xFFu) * 255u / a)) : 0;
                        c = cx.Apply(c);
                        row[x] = (static_cast<uint32_t>(c.a) << 24) | ((c.r * c.a / 255) << 16)
                            | ((c.g * c.a / 255) << 8) | (c.b * c.a / 255);
                    }
                }
                tinted->UnlockBits(&data);
                image = tinted.get();
            }
        }
        Gdiplus::TextureBrush brush(image, style.repeat ? Gdiplus::WrapModeTile : Gdiplus::WrapModeClamp);
        Gdiplus::Matrix bm = ToGdi(style.matrix);
        brush.SetTransform(&bm);
        g.SetInterpolationMode(
            style.smooth ? Gdiplus::InterpolationModeBilinear : Gdiplus::InterpolationModeNearestNeighbor);
        g.FillPath(&brush, &path);
        return;
    }
    }
}

void Renderer::FillRadial(Gdiplus::Graphics& g, const FillStyle& style, const Gdiplus::GraphicsPath& path,
    const ColorTransform& cx, const Matrix& m)
{
    if (style.stops.empty())
        return;
    const Matrix full = m * style.matrix; // gradient square to device pixels
    if (!Invertible(full)) {
        Gdiplus::SolidBrush brush(ToGdi(cx.Apply(style.stops.back().color)));
        g.FillPath(&brush, &path);
        return;
    }
    // The colours are worked out per device pixel over the part of the
    // shape's bounds that can show, then laid in as a texture.
    std::unique_ptr<Gdiplus::GraphicsPath> device(path.Clone());
    Gdiplus::Matrix gm = ToGdi(m);
    device->Transform(&gm);
    Gdiplus::RectF bounds;
    device->GetBounds(&bounds);
    const int x0 = std::max(m_clipRect.X, static_cast<int>(std::floor(bounds.X)) - 1);
    const int y0 = std::max(m_clipRect.Y, static_cast<int>(std::floor(bounds.Y)) - 1);
    const int x1 = std::min(m_clipRect.X + m_clipRect.Width, static_cast<int>(std::ceil(bounds.X + bounds.Width)) + 1);
    const int y1
        = std::min(m_clipRect.Y + m_clipRect.Height, static_cast<int>(std::ceil(bounds.Y + bounds.Height)) + 1);
    if (x1 <= x0 || y1 <= y0)
        return;
    const std::vector<uint32_t> table = GradientTable(style.stops, cx);
    const int w = x1 - x0;
    const int h = y1 - y0;
    Gdiplus::Bitmap texture(w, h, PixelFormat32bppPARGB);
    Gdiplus::BitmapData data {};
    Gdiplus::Rect rect(0, 0, w, h);
    if (texture.LockBits(&rect, Gdiplus::ImageLockModeWrite, PixelFormat32bppPARGB, &data) != Gdiplus::Ok)
        return;
    // Inverse of the device mapping, into gradient-square units of 1.
    const double det = full.a * full.d - full.b * full.c;
    const double ia = full.d / det / kGradientHalf;
    const double ib = -full.b / det / kGradientHalf;
    const double ic = -full.c / det / kGradientHalf;
    const double id = full.a / det / kGradientHalf;
    const double focal = style.kind == FillKind::Focal ? std::clamp(style.focal, -0.98, 0.98) : 0.0;
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(data.Scan0) + y * data.Stride);
        const double dy = y0 + y + 0.5 - full.ty;
        for (int x = 0; x < w; ++x) {
            const double dx = x0 + x + 0.5 - full.tx;
            const double u = ia * dx + ic * dy;
            const double v = ib * dx + id * dy;
            double t;
            if (focal == 0) {
                t = std::sqrt(u * u + v * v);
            } else {
                // Where the ray from the focal point through (u, v) meets the
                // circle: t is the share of that way covered.
                const double du = u - focal;
                const double dd = du * du + v * v;
                const double fd = focal * du;
                const double root = std::sqrt(fd * fd - dd * (focal * focal - 1));
                t = dd > 0 ? dd / (root - fd) : 0;
            }
            const int index = static_cast<int>(std::min(255.0, std::max(0.0, t * 255.0 + 0.5)));
            row[x] = table[static_cast<size_t>(index)];
        }
    }
    texture.UnlockBits(&data);
    Gdiplus::TextureBrush brush(&texture, Gdiplus::WrapModeClamp);
    brush.TranslateTransform(static_cast<Gdiplus::REAL>(x0), static_cast<Gdiplus::REAL>(y0));
    Gdiplus::Matrix saved;
    g.GetTransform(&saved);
    g.ResetTransform();
    g.FillPath(&brush, device.get());
    g.SetTransform(&saved);
}

void Renderer::DrawText(Gdiplus::Graphics& g, const TextData& text, const Matrix& m, const ColorTransform& cx)
{
    const Matrix base = m * text.matrix;
    for (const TextRun& run : text.runs) {
        const Character* c = m_movie.Find(run.fontId);
        if (c == nullptr || c->kind != CharKind::Font || run.height <= 0)
            continue;
        const auto* glyphs = Glyphs(run.fontId, *c->font);
        const double scale = run.height / c->font->emSize;
        Gdiplus::SolidBrush brush(ToGdi(cx.Apply(run.color)));
        for (const auto& [index, x] : run.glyphs) {
            if (index >= glyphs->size() || !(*glyphs)[index] || (*glyphs)[index]->groups.empty())
                continue;
            const auto& path = (*glyphs)[index]->groups.front().fillPaths;
            if (path.empty() || !path.front())
                continue;
            const Matrix gm = base * Matrix { scale, 0, 0, scale, x, run.y };
            if (!Invertible(gm))
                continue;
            Gdiplus::Matrix t = ToGdi(gm);
            g.SetTransform(&t);
            g.FillPath(&brush, path.front().get());
        }
    }
}

void Renderer::AddPreparedToClip(Gdiplus::Region& region, const PreparedShape& shape, const Matrix& m)
{
    if (!Invertible(m))
        return;
    Gdiplus::Matrix gm = ToGdi(m);
    for (const PreparedGroup& group : shape.groups)
        for (const auto& path : group.fillPaths)
            if (path) {
                std::unique_ptr<Gdiplus::GraphicsPath> copy(path->Clone());
                copy->Transform(&gm);
                region.Union(copy.get());
            }
}

void Renderer::AddToClip(Gdiplus::Region& region, const DisplayObject& object, const Matrix& m, int nesting)
{
    const Character* c = m_movie.Find(object.charId);
    if (c == nullptr)
        return;
    switch (c->kind) {
    case CharKind::Shape:
        AddPreparedToClip(region, *Shape(object.charId, *c->shape), m);
        break;
    case CharKind::Morph:
        AddPreparedToClip(region, *Morph(object.charId, *c->morph, object.ratio), m);
        break;
    case CharKind::Sprite:
        if (object.sprite && nesting < Player::kMaxNesting)
            for (const auto& [depth, child] : object.sprite->list)
                AddToClip(region, child, m * child.matrix, nesting + 1);
        break;
    default:
        break;
    }
}

} // namespace flossar
