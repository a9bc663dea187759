// CDlgImageShow: the image-show editor. A ProgramImageShow is a list of
// images shown one after another, each entering with an effect, staying and
// leaving with an effect, placed with an alignment over a background of
// nothing, a colour or another image. The three durations become frames at
// the project's frame rate; the working copy previews live.
#pragma once

#include "color_skin_button.h"
#include "effect_editor_dialog.h"
#include "media_editors_resource.h"

class ProgramImageShow;

class CDlgImageShow : public CEffectEditorDialog {
    DECLARE_DYNAMIC(CDlgImageShow)

public:
    enum { IDD = IDD_IMAGE_SHOW_EDITOR };

    CDlgImageShow();
    ~CDlgImageShow() override;

    // The images chosen before the editor opens (copied).
    void SetImageFiles(const CStringArray& files);
    ProgramImageShow* WorkingCopy() const;
    // Fills the working copy from the controls and the preview frames; true
    // when the program has frames to preview.
    bool BuildImageShowProgram();

    CSkinColorButton m_colorButton;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnChooseImages();
    void OnChooseBackgroundImage();
    void OnBackgroundKind();
    void OnChoiceChanged();
    void OnTimeChosen(UINT nID);
    void OnTimeTyped(UINT nID);
    void OnTimeLeft(UINT nID);
    DECLARE_MESSAGE_MAP()

private:
    void FillLists();
    void Localize();
    void ShowEditedValues();
    void ShowFileNames();
    void ShowBackgroundControls();
    void Rebuild();

    CStringArray m_files;
    CString m_fileNames; // the text of the file box
};

// The names of the first ten paths (the part after the last "\"), each
// followed by ";".
CString ImageFileNames(const CStringArray& paths);
// Frames of a duration at a frame rate: truncated towards zero, but 1 for a
// positive duration shorter than one frame; 0 for none, a negative or an
// unreadable one; at most one million.
int DurationFrames(double seconds, int frameRate);
