// The strip cache: entries keyed by everything their pixels depend on (the
// templates' modes and colours, where the window starts, its length), the
// most recently used kept.
#include "color_strip_cache.h"

#include "color_strips.h"

#include <algorithm>

namespace colorrender {

namespace {

// Enough for every colour view of a show segment to keep its window, and
// a few stretches of each.
constexpr size_t kMaxEntries = 64;
constexpr size_t kMaxStretches = 4;

void AppendTemplate(std::vector<DWORD>& key, const ColorTemplate* colorTemplate)
{
    if (colorTemplate == nullptr) {
        key.push_back(0xFFFFFFFFu);
        return;
    }
    key.push_back(static_cast<DWORD>(colorTemplate->m_changeMode));
    key.push_back(static_cast<DWORD>(colorTemplate->m_colors.GetSize()));
    for (INT_PTR i = 0; i < colorTemplate->m_colors.GetSize(); ++i)
        key.push_back(colorTemplate->m_colors.GetAt(i));
}

} // namespace

struct StripCache::Entry {
    struct Stretch {
        int x, count, width;
        std::vector<DWORD> row;
    };
    std::vector<DWORD> key;
    std::unique_ptr<PaintedStrip> strip;
    std::unique_ptr<CRenderSurface> gradient;
    CRenderSurface* surface = nullptr; // the painted strip or template
    std::vector<DWORD> row; // its row 0; empty when the surface is not valid
    std::vector<Stretch> stretches; // the most recent first
};

StripCache::StripCache() = default;
StripCache::~StripCache() = default;

StripCache::Entry& StripCache::Find(std::vector<DWORD>&& key, bool gradientOf, const ColorTemplateList* templates,
    const ColorTemplate* colorTemplate, int position, int length)
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i]->key == key) {
            std::rotate(m_entries.begin(), m_entries.begin() + static_cast<std::ptrdiff_t>(i),
                m_entries.begin() + static_cast<std::ptrdiff_t>(i) + 1);
            return *m_entries.front();
        }
    }
    auto entry = std::make_unique<Entry>();
    entry->key = std::move(key);
    if (gradientOf) {
        entry->gradient = std::make_unique<CRenderSurface>(length, 1);
        entry->surface = entry->gradient.get();
        if (entry->surface->IsValid())
            DrawTemplateGradient(entry->surface->DC(), *colorTemplate);
    } else {
        entry->strip = std::make_unique<PaintedStrip>(*templates, position, length);
        entry->surface = &entry->strip->surface;
    }
    if (entry->surface->IsValid()) {
        const DWORD* row = entry->surface->Row(0);
        entry->row.assign(row, row + entry->surface->Width());
    }
    if (m_entries.size() >= kMaxEntries)
        m_entries.pop_back();
    m_entries.insert(m_entries.begin(), std::move(entry));
    return *m_entries.front();
}

std::vector<DWORD> StripCache::Painted(const ColorTemplateList& templates, int position, int length)
{
    std::lock_guard<std::mutex> hold(m_lock);
    return FindStrip(templates, position, length).row;
}

std::vector<DWORD> StripCache::Stretched(
    const ColorTemplateList& templates, int position, int length, int x, int count, int width)
{
    std::lock_guard<std::mutex> hold(m_lock);
    Entry& entry = FindStrip(templates, position, length);
    auto& stretches = entry.stretches;
    for (size_t i = 0; i < stretches.size(); ++i) {
        if (stretches[i].x == x && stretches[i].count == count && stretches[i].width == width) {
            std::rotate(stretches.begin(), stretches.begin() + static_cast<std::ptrdiff_t>(i),
                stretches.begin() + static_cast<std::ptrdiff_t>(i) + 1);
            return stretches.front().row;
        }
    }
    if (stretches.size() >= kMaxStretches)
        stretches.pop_back();
    if (m_target == nullptr || m_target->Width() != width)
        m_target = std::make_unique<CRenderSurface>(width, 1);
    stretches.insert(
        stretches.begin(), { x, count, width, StretchRow(*entry.surface, x, count, width, m_target.get()) });
    return stretches.front().row;
}

std::vector<DWORD> StripCache::TemplateGradient(const ColorTemplate& colorTemplate, int length)
{
    std::vector<DWORD> key { 1u, static_cast<DWORD>(length) };
    AppendTemplate(key, &colorTemplate);
    std::lock_guard<std::mutex> hold(m_lock);
    return Find(std::move(key), true, nullptr, &colorTemplate, 0, length).row;
}

StripCache::Entry& StripCache::FindStrip(const ColorTemplateList& templates, int position, int length)
{
    // The painted strip depends on the template and colour step that hold
    // the position, not on where inside the step it lies.
    const StripLocation at = CCColorAnimationRender::LocatePosition(templates, position);
    std::vector<DWORD> key { 0u, static_cast<DWORD>(length), static_cast<DWORD>(at.index),
        static_cast<DWORD>(at.index >= 0 ? at.offset / 256 : 0), static_cast<DWORD>(templates.GetSize()) };
    for (INT_PTR i = 0; i < templates.GetSize(); ++i)
        AppendTemplate(key, templates.GetAt(i));
    return Find(std::move(key), false, &templates, nullptr, position, length);
}

} // namespace colorrender
