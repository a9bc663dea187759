// CDlgColorFullWords: the colourful-text editor. It makes or edits a
// ProgramColorFulWords: a text in a font and colour, optionally outlined or
// shadowed, optionally filled with a moving texture from the document's
// colour-template library, entering, showing and leaving with effects of
// given durations, horizontal or vertical, mirrored or upside down, and
// repeated. Durations become frames at the project's frame rate; the
// texture's speed is matched to the text's frames.
#pragma once

#include "color_animation_render.h"
#include "color_combox.h"
#include "color_skin_button.h"
#include "effect_editor_dialog.h"
#include "prompt_edit.h"
#include "words_editor_resource.h"

#include <utility>
#include <vector>

class ProgramColorFulWords;

// Every (section, key) of the language files the editor reads.
std::vector<std::pair<CString, int>> WordsEditorTextKeys();

class CDlgColorFullWords : public CEffectEditorDialog {
    DECLARE_DYNAMIC(CDlgColorFullWords)

public:
    enum { IDD = IDD_COLORFUL_WORDS_EDITOR };

    CDlgColorFullWords();
    ~CDlgColorFullWords() override;

    ProgramColorFulWords* WorkingCopy() const;
    // Fills the working copy from the controls; TRUE when it can be
    // previewed (a text and some duration).
    BOOL BuildWordsProgram();
    // Fills the controls from the edited program (edit mode).
    void LoadWordsControls();

    LOGFONTW m_font {}; // the font record the text is drawn with
    CPromptEdit m_textBox; // shows the prompt while there is no text
    CSkinColorButton m_strokeColorButton;
    CSkinColorButton m_backColorButton;
    CSkinColorButton m_textColorButton;
    CColorCombox m_textureBox;
    CComboBox m_enterBox;
    CComboBox m_showBox;
    CComboBox m_leaveBox;
    CComboBox m_enterTimeBox;
    CComboBox m_showTimeBox;
    CComboBox m_leaveTimeBox;
    CComboBox m_strokeBox;
    CComboBox m_strokeWidthBox;
    CComboBox m_textureAnimBox;
    CComboBox m_textureSpeedBox;
    CComboBox m_fontSizeBox;
    CComboBox m_textWidthBox;
    CComboBox m_spacingBox;
    CComboBox m_directionBox;
    CComboBox m_mirrorBox;
    CSpinButtonCtrl m_repeatSpin;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    void OnChanged();
    void OnTextureAnimChanged();
    void OnTextColorClicked();
    void OnShowEffectChanged();
    void OnTimeChosen(UINT id);
    void OnTimeTyped(UINT id);
    void OnTimeLeft(UINT id);
    void OnRepeatChanged();
    void OnFontSizeChosen();
    void OnFontSizeTyped();
    void OnFontButton();
    void OnDirectionChanged();
    LRESULT OnApplyTimeText(WPARAM id, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    // Rebuilds the working copy and restarts the preview when it can be
    // previewed.
    void Rebuild();
    // Fills the lists with their items (language texts where the language
    // file has them), keeping the selected positions.
    void FillEffectLists();
    void FillDirectionLists();
    void FillVerticalEffectLists();
    void LocalizeLabels();
    // Enter and leave boxes are off while the show effect moves left.
    void EnableEnterLeave(BOOL enable);
    // The size box shows |height| of the font record.
    void ShowFontSize();
    void FillTextureBox();
    // Frames of one pass of the texture on a canvas.
    int CountTextureFrames(int width, int height);
    // The text width of the working copy's text at a font height.
    int MeasureTextWidth(int height) const;
    float TextureSpeedFactor() const;

    CCColorAnimationRender m_render; // counts the texture's frames only
    int m_dotsPerInch = 96;
    bool m_loading = false; // controls are being filled: no rebuilds
    CString m_prompt; // shown in the text box while there is no text
    // Time boxes (enter, show, leave): the text a chosen entry becomes, and
    // whether the user typed since the text was last tidied.
    CString m_pendingTimeText[3];
    bool m_timeTyped[3] = { false, false, false };
};
