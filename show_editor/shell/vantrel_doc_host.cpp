// The document host of the running program.
#include "vantrel_doc_host.h"

#include "lang_service.h"
#include "color_animation_render.h"
#include "program_color_effect.h"
#include "dlg_color_template.h"
#include "dlg_video_chioce.h"
#include "dornel_doc.h"
#include "effect_editor_factory.h"
#include "flicker_dot_editor.h"
#include "input_dialogs.h"
#include "main_frame.h"
#include "player_panel.h"
#include "screen_recorder_dlg.h"
#include "shell_services.h"
#include "show_messages.h"
#include "time_trigger_dialog.h"

#include <cstring>
#include <utility>

CMainFrame* CVantrelDocHost::Frame()
{
    return dynamic_cast<CMainFrame*>(AfxGetMainWnd());
}

void CVantrelDocHost::SetStatusText(const CString& text)
{
    if (CMainFrame* frame = Frame())
        frame->SetStatusText(text, TRUE);
}

int CVantrelDocHost::GetMainFrameScreen()
{
    CMainFrame* frame = Frame();
    return frame != nullptr ? frame->GetScreen() : 0;
}

void CVantrelDocHost::SetMainFrameFourColorMode(int mode)
{
    if (CMainFrame* frame = Frame())
        frame->FourColorMode = mode;
}

void CVantrelDocHost::LoadHardwareRecord(const BYTE* record)
{
    CMainFrame* frame = Frame();
    if (frame == nullptr || record == nullptr)
        return;
    HardwareConfigRecord copy {};
    std::memcpy(&copy, record, sizeof(copy));
    frame->m_hardwareConfig.LoadFromRecord(copy);
}

void CVantrelDocHost::SaveHardwareRecord(BYTE* record)
{
    CMainFrame* frame = Frame();
    if (frame == nullptr || record == nullptr)
        return;
    frame->m_hardwareConfig.SaveToRecord();
    std::memcpy(record, &frame->m_hardwareConfig.GetRecord(), sizeof(HardwareConfigRecord));
}

void CVantrelDocHost::ApplyLayoutFile(const CString& layoutPath)
{
    if (CMainFrame* frame = Frame())
        frame->ApplyLayoutFile(layoutPath);
}

CString CVantrelDocHost::GetProductTitle()
{
    return ReadSoftConf(L"Soft", L"Title");
}

CString CVantrelDocHost::GetLangText(LPCTSTR section, int key)
{
    CMainFrame* frame = Frame();
    return frame != nullptr ? frame->GetLangText(section, key)
                            : ReadLanguageText(GetLanguageFilePath(kDefaultLanguageId), section, key);
}

void CVantrelDocHost::LoadUserDirs(CStringArray& dirs)
{
    ::LoadUserDirs(dirs);
}

void CVantrelDocHost::SaveUserDirs(const CStringArray& dirs)
{
    ::SaveUserDirs(dirs);
}

int CVantrelDocHost::SetFourColor(int screen, int mode, BYTE whiteValue)
{
    return ShellServices().SetFourColor(screen, mode, whiteValue);
}

int CVantrelDocHost::PassFrameCount(Program* colourEffect, int width, int height)
{
    auto* effect = dynamic_cast<ProgramColorEffect*>(colourEffect);
    if (effect == nullptr)
        return colourEffect != nullptr ? colourEffect->m_orgFrames : 0;
    CCColorAnimationRender renderer;
    return renderer.PassFrameCount(*effect, width, height);
}

CViewpanel* CVantrelDocHost::Player()
{
    CMainFrame* frame = Frame();
    CDornelDoc* doc = frame != nullptr ? frame->GetActiveDornelDoc() : nullptr;
    return doc != nullptr ? dynamic_cast<CViewpanel*>(doc->m_pViewPanel) : nullptr;
}

void CVantrelDocHost::StartPlay()
{
    if (CViewpanel* player = Player())
        player->StartPlay();
}

void CVantrelDocHost::PausePlay()
{
    if (CViewpanel* player = Player())
        player->PausePlay();
}

void CVantrelDocHost::StopPlay()
{
    if (CViewpanel* player = Player())
        player->StopPlay();
}

void CVantrelDocHost::PrevSegment()
{
    if (CViewpanel* player = Player())
        player->GetEngine().PrevSegment();
}

void CVantrelDocHost::NextSegment()
{
    if (CViewpanel* player = Player())
        player->GetEngine().NextSegment();
}

CEffectEditor* CVantrelDocHost::CreateEffectEditor(const EffectEditorRequest& request)
{
    // The picked file belongs to this one request, whatever comes of it.
    const int templateFileIndex = m_templateFileIndex;
    m_templateFileIndex = -1;
    CMainFrame* frame = Frame();
    CDornelDoc* doc = frame != nullptr ? frame->GetActiveDornelDoc() : nullptr;
    if (doc == nullptr)
        return nullptr;
    if (CEffectEditor* editor = CreateEffectEditorWindow(*doc, request, frame, templateFileIndex))
        return editor;
    if (request.dialogId != IDD_EDITOR_FLICKER_DOT)
        return nullptr;
    // The flicker-star editor is not made by the factory.
    auto* flicker = new CDlgFlickerDot;
    flicker->SetDocument(doc);
    flicker->SetEditTarget(request.editMode ? request.target : nullptr);
    if (!flicker->CreateEditor(frame)) {
        delete flicker;
        return nullptr;
    }
    return flicker;
}

BOOL CVantrelDocHost::EditTimeTrigger(SegmentTimePlay& schedule)
{
    CMainFrame* frame = Frame();
    CDlgTimeTrigerSetting dialog(frame, frame != nullptr ? frame->GetActiveDornelDoc() : nullptr);
    dialog.SetTriggerRecord(schedule);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    schedule = dialog.GetTriggerRecord();
    return TRUE;
}

BOOL CVantrelDocHost::ChooseColorTemplate(ColorTemplate*& chosen)
{
    chosen = nullptr;
    m_templateFileIndex = -1;
    CMainFrame* frame = Frame();
    CDornelDoc* doc = frame != nullptr ? frame->GetActiveDornelDoc() : nullptr;
    if (doc == nullptr)
        return FALSE;
    m_templateFileIndex = RunColorTemplatePicker(*doc, frame);
    return m_templateFileIndex >= 0;
}

void CVantrelDocHost::RunScreenRecorder(const CString& path)
{
    CDlgRecordCtrl recorder(Frame());
    recorder.m_outputPath = path;
    for (const auto& [text, key] :
        { std::pair { &recorder.m_createFailedText, 104 }, std::pair { &recorder.m_writeFailedText, 105 } }) {
        const CString translated = GetLangText(L"HINT", key);
        if (!translated.IsEmpty())
            *text = translated;
    }
    recorder.DoModal();
}

void CVantrelDocHost::RunVideoEditorModal(int thumbnailIndex)
{
    CMainFrame* frame = Frame();
    CDornelDoc* doc = frame != nullptr ? frame->GetActiveDornelDoc() : nullptr;
    if (doc != nullptr && RunVideoImportEditorModal(*doc, thumbnailIndex, frame) == -1)
        AfxMessageBox(GetLangText(L"HINT", 60));
}

BOOL CVantrelDocHost::InputString(CString& text)
{
    // Renaming from the project tree: the caption and the refusal of an
    // empty name come from the language file.
    CString caption = GetLangText(L"ITEM_TITLE", 281);
    if (caption.IsEmpty())
        caption = CDlgInputString().m_caption;
    return RunInputString(text, caption, GetLangText(L"ITEM_TITLE", 282));
}

BOOL CVantrelDocHost::InputStringWithCaption(CString& text, const CString& caption)
{
    return RunInputString(text, caption, CString());
}

BOOL CVantrelDocHost::RunInputString(CString& text, const CString& caption, const CString& refusal)
{
    CDlgInputString dialog(Frame());
    dialog.m_text = text;
    dialog.m_caption = caption;
    dialog.m_okText = GetLangText(L"ITEM_TITLE", 33);
    dialog.m_cancelText = GetLangText(L"ITEM_TITLE", 34);
    if (!refusal.IsEmpty())
        dialog.m_emptyText = refusal;
    if (dialog.DoModal() != IDOK)
        return FALSE;
    text = dialog.m_text;
    return TRUE;
}

CVantrelDocHost& VantrelDocHost()
{
    static CVantrelDocHost host;
    return host;
}
