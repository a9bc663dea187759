// Loading of the template libraries on the preview panel's loader thread.
#include "template_loader.h"

#include "ExeFolder.h"
#include "color_strips.h"
#include "media_probe.h"
#include "template_files.h"

#include <algorithm>

namespace {

// A bitmap of width x height compatible with the screen, drawn by draw
// through a memory DC of its own.
template <typename Draw> CBitmap* MakeThumbnail(int width, int height, Draw draw)
{
    HDC screen = ::GetDC(nullptr);
    auto* bitmap = new CBitmap;
    bitmap->Attach(::CreateCompatibleBitmap(screen, std::max(1, width), std::max(1, height)));
    CDC dc;
    dc.Attach(::CreateCompatibleDC(screen));
    ::ReleaseDC(nullptr, screen);
    if (bitmap->GetSafeHandle() != nullptr && dc.GetSafeHdc() != nullptr) {
        CSelectGuard guard(dc, *bitmap);
        draw(dc);
    }
    return bitmap;
}

CBitmap* TemplateThumbnail(const ColorTemplate& colourTemplate)
{
    const int count = static_cast<int>(colourTemplate.m_colors.GetSize());
    const int steps = colourTemplate.m_changeMode == ColorTemplate::CHANGE_SOLID ? count : count - 1;
    return MakeThumbnail(256 * std::max(1, steps), 1, [&](CDC& dc) { DrawTemplateGradient(&dc, colourTemplate); });
}

void DeleteBitmapList(BitmapList& list)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        delete list.GetAt(i);
    list.RemoveAll();
}

template <typename List> void MoveAll(List& from, List& to)
{
    to.Append(from);
    from.RemoveAll();
}

} // namespace

CString ProgramResourceFolder()
{
    return GetExeFolder() + L"\\Resource\\";
}

TemplateLibraries::~TemplateLibraries()
{
    FreeColorTemplates(m_colourTemplates);
    FreeColorTemplates(m_textureTemplates);
    DeleteBitmapList(m_colourTemplateThumbs);
    DeleteBitmapList(m_textureTemplateThumbs);
    for (INT_PTR i = 0; i < m_templateFiles.GetSize(); ++i)
        delete m_templateFiles.GetAt(i);
    m_templateFiles.RemoveAll();
    FreeColorStrips(m_colourStrips);
    DeleteBitmapList(m_stripThumbs);
    for (INT_PTR i = 0; i < m_animationPreviews.GetSize(); ++i) {
        delete m_animationPreviews.GetAt(i)->m_pThumb;
        delete m_animationPreviews.GetAt(i);
    }
    m_animationPreviews.RemoveAll();
}

void TemplateLibraries::Load(const CString& resourceFolder, const std::atomic<bool>& stop)
{
    LoadColorTemplatesFrom(m_colourTemplates, resourceFolder + L"color_template\\");
    LoadColorTemplatesFrom(m_textureTemplates, resourceFolder + L"texturecolor_template\\");
    if (stop)
        return;
    LoadCtTemplatesFrom(m_templateFiles, resourceFolder + L"template\\");

    for (INT_PTR i = 0; i < m_colourTemplates.GetSize() && !stop; ++i)
        m_colourTemplateThumbs.Add(TemplateThumbnail(*m_colourTemplates.GetAt(i)));
    for (INT_PTR i = 0; i < m_textureTemplates.GetSize() && !stop; ++i)
        m_textureTemplateThumbs.Add(TemplateThumbnail(*m_textureTemplates.GetAt(i)));
    if (stop)
        return;

    // The strips of the built-in templates: expanded from a borrowed array,
    // which gives the templates back before it is destroyed.
    {
        ColorTemplateArray borrowed;
        borrowed.m_templates.Append(m_colourTemplates);
        ExpandColorTemplates(borrowed, m_colourStrips);
        borrowed.m_templates.RemoveAll();
    }

    CStringArray paths;
    ListTemplateFiles(resourceFolder + L"template_cus\\", L"*.ctx", paths);
    for (INT_PTR i = 0; i < paths.GetSize() && !stop; ++i) {
        auto* strip = new ColorTemplateArrayEx;
        strip->m_name = paths[i];
        if (ReadCustomBarFile(paths[i], strip))
            m_colourStrips.Add(strip);
        else
            delete strip;
    }
    for (INT_PTR i = 0; i < m_colourStrips.GetSize() && !stop; ++i) {
        const ColorTemplateArrayEx& strip = *m_colourStrips.GetAt(i);
        m_stripThumbs.Add(MakeThumbnail(strip.GetTotalWidth(), 1, [&](CDC& dc) { PaintColorStrip(0, &dc, strip); }));
    }
    if (stop)
        return;

    CFileFind finder;
    BOOL more = finder.FindFile(resourceFolder + L"ani_template\\*.*");
    while (more && !stop) {
        more = finder.FindNextFile();
        if (finder.IsDirectory() || finder.IsDots())
            continue;
        const CString path = finder.GetFilePath();
        const int dot = path.ReverseFind(L'.');
        if (dot < 0 || path.GetLength() - dot - 1 < 3)
            continue;
        CBitmap* thumb = MakeThumbnail(256, 256, [&](CDC& dc) { RenderMediaThumbnail(path, dc.GetSafeHdc()); });
        auto* entry = new S_AniPreView;
        entry->m_pThumb = thumb;
        entry->m_path = path;
        m_animationPreviews.Add(entry);
    }
}

void TemplateLibraries::InstallInto(CDornelDoc& doc)
{
    MoveAll(m_colourTemplates, doc.m_colourTemplates);
    MoveAll(m_colourTemplateThumbs, doc.m_colourTemplateThumbs);
    MoveAll(m_textureTemplates, doc.m_textureTemplates);
    MoveAll(m_textureTemplateThumbs, doc.m_textureTemplateThumbs);
    MoveAll(m_templateFiles, doc.m_templateFiles);
    MoveAll(m_colourStrips, doc.m_colourStrips);
    MoveAll(m_stripThumbs, doc.m_stripThumbs);
    MoveAll(m_animationPreviews, doc.m_animationPreviews);
}
