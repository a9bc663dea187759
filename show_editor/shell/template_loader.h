// The template libraries that the preview panel's loader thread fills at
// start-up: built-in colour and texture templates with their thumbnails,
// template files, colour strips (expanded templates and custom bars) with
// their thumbnails, and the animation library. The thread builds them
// privately and the user-interface thread installs them into the document
// in one step, so a reader there never sees a list in the middle of a change.
#pragma once

#include "dornel_doc.h"
#include "template_library.h"

#include <atomic>

class TemplateLibraries {
public:
    TemplateLibraries() = default;
    // Frees whatever was not handed to a document.
    ~TemplateLibraries();
    TemplateLibraries(const TemplateLibraries&) = delete;
    TemplateLibraries& operator=(const TemplateLibraries&) = delete;

    // Loads everything from the resource folder (ending in a backslash: the
    // program's "Resource\" folder). Stops early, leaving what it has, when
    // stop becomes true. Files that cannot be read are skipped.
    void Load(const CString& resourceFolder, const std::atomic<bool>& stop);
    // Moves every list into the document's (empty) lists.
    void InstallInto(CDornelDoc& doc);

    ColorTemplateList m_colourTemplates;
    BitmapList m_colourTemplateThumbs;
    ColorTemplateList m_textureTemplates;
    BitmapList m_textureTemplateThumbs;
    ColorTemplateArrayList m_templateFiles;
    ColorStripList m_colourStrips;
    BitmapList m_stripThumbs;
    AniPreviewList m_animationPreviews;
};

// The program's resource folder: "Resource\" beside the executable.
CString ProgramResourceFolder();
