// Strip windows painted for earlier frames, and their halftone stretches:
// the window of a strip position changes only when the position passes
// into another colour step, so most frames find theirs here instead of
// painting and stretching it again through GDI surfaces of their own.
#pragma once

#include "color_render_support.h"

#include <memory>
#include <mutex>
#include <vector>

namespace colorrender {

class StripCache {
public:
    StripCache();
    ~StripCache();
    StripCache(const StripCache&) = delete;
    StripCache& operator=(const StripCache&) = delete;

    // Row 0 of PaintedStrip(templates, position, length); empty where that
    // strip is not valid.
    std::vector<DWORD> Painted(const ColorTemplateList& templates, int position, int length);
    // StretchRow(PaintedStrip(templates, position, length).surface, x, count, width).
    std::vector<DWORD> Stretched(
        const ColorTemplateList& templates, int position, int length, int x, int count, int width);
    // Row 0 of a length x 1 surface that DrawTemplateGradient painted the
    // template onto; empty where no such surface can be made.
    std::vector<DWORD> TemplateGradient(const ColorTemplate& colorTemplate, int length);

private:
    struct Entry;
    Entry& Find(std::vector<DWORD>&& key, bool gradientOf, const ColorTemplateList* templates,
        const ColorTemplate* colorTemplate, int position, int length);
    Entry& FindStrip(const ColorTemplateList& templates, int position, int length);

    std::mutex m_lock;
    std::vector<std::unique_ptr<Entry>> m_entries; // the most recently used first
    std::unique_ptr<CRenderSurface> m_target; // the last stretch's row
};

} // namespace colorrender
