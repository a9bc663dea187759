// Making the effect editors for the document.
#include "effect_editor_factory.h"

#include "dlg_ani_preview.h"
#include "dlg_color_chioce.h"
#include "dlg_color_full_words.h"
#include "dlg_image_show.h"
#include "dlg_effect_plus.h"
#include "dlg_scan_line.h"
#include "dlg_video_chioce.h"
#include "program_color_effect.h"
#include "program_colorful_words.h"
#include "program_image_show.h"
#include "program_video.h"

namespace {

template <typename Editor>
CEffectEditor* Finish(Editor* editor, CDornelDoc& doc, const EffectEditorRequest& request, CWnd* owner)
{
    editor->SetDocument(&doc);
    if (request.editMode)
        editor->SetEditTarget(request.target);
    if (!editor->CreateEditor(owner)) {
        delete editor;
        return nullptr;
    }
    return editor;
}

} // namespace

CEffectEditor* CreateEffectEditorWindow(
    CDornelDoc& doc, const EffectEditorRequest& request, CWnd* owner, int templateFileIndex)
{
    switch (request.dialogId) {
    case IDD_EDITOR_COLOR_EFFECT: {
        if (request.editMode
            && (request.target == nullptr || !request.target->IsKindOf(RUNTIME_CLASS(ProgramColorEffect))))
            return nullptr;
        auto* editor = new CDlgColorChioce;
        editor->m_style = request.style;
        editor->m_templateFileIndex = templateFileIndex;
        editor->m_pStartTemplate = request.chosenTemplate;
        return Finish(editor, doc, request, owner);
    }
    case IDD_EDITOR_SCAN_LINE: {
        if (request.editMode
            && (request.target == nullptr || !request.target->IsKindOf(RUNTIME_CLASS(ProgramColorEffect))))
            return nullptr;
        return Finish(new CDlgScanLine, doc, request, owner);
    }
    case IDD_EDITOR_COLORFUL_WORDS: {
        if (request.editMode
            && (request.target == nullptr || !request.target->IsKindOf(RUNTIME_CLASS(ProgramColorFulWords))))
            return nullptr;
        return Finish(new CDlgColorFullWords, doc, request, owner);
    }
    case IDD_EDITOR_VIDEO: {
        if (request.editMode && (request.target == nullptr || !request.target->IsKindOf(RUNTIME_CLASS(ProgramVideo))))
            return nullptr;
        auto* editor = new CDlgVideoChioce;
        editor->m_mediaIndex = request.thumbnailIndex;
        return Finish(editor, doc, request, owner);
    }
    case IDD_EDITOR_ANI_PREVIEW:
        if (request.editMode)
            return nullptr;
        return Finish(new CDlgAniPreview, doc, request, owner);
    case IDD_EDITOR_IMAGE_SHOW: {
        if (request.editMode
            && (request.target == nullptr || !request.target->IsKindOf(RUNTIME_CLASS(ProgramImageShow))))
            return nullptr;
        auto* editor = new CDlgImageShow;
        if (request.imageFiles != nullptr)
            editor->SetImageFiles(*request.imageFiles);
        return Finish(editor, doc, request, owner);
    }
    case IDD_EDITOR_COLOR_PLUS: {
        if (request.editMode
            && (request.target == nullptr || !request.target->IsKindOf(RUNTIME_CLASS(ProgramColorEffectPlusArray))))
            return nullptr;
        return Finish(new CDlgEffectPlus, doc, request, owner);
    }
    default:
        return nullptr;
    }
}
