// CDlgVideoChioce: the video and animation import editor. It turns a media
// file of the document's media list (a video, an SWF or a TOL animation)
// into a ProgramVideo: the frames to play, tiling, fades and four crop
// margins. It shows every known media file as a tile, lets the user switch
// files, and previews the result live. Modeless from the document's
// commands and Edit; modal after a screen capture (then it posts no close
// notice: the document cleans up after the modal run itself).
#pragma once

#include "effect_editor_dialog.h"
#include "media_editors_resource.h"

class CMyColorView;
class ProgramVideo;

class CDlgVideoChioce : public CEffectEditorDialog {
    DECLARE_DYNAMIC(CDlgVideoChioce)

public:
    enum { IDD = IDD_VIDEO_IMPORT_EDITOR };

    CDlgVideoChioce();
    ~CDlgVideoChioce() override;

    ProgramVideo* WorkingCopy() const;
    // Reads the controls into the working copy and the preview frames.
    void ApplyControls();
    // Makes entry index of the media list the editor's file.
    void ChooseMedia(int index);

    int m_mediaIndex = -1; // set by the opener
    CString m_path; // the file shown
    int m_totalFrames = 0;
    CMyColorView* m_pTileView = nullptr; // deletes itself with its window

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnClose();
    LRESULT OnTileSelected(WPARAM wParam, LPARAM lParam);
    void OnTilesChanged();
    void OnFrameEdited();
    void OnListChanged();
    void OnCropSelected(UINT nID);
    void OnCropTyped(UINT nID);
    DECLARE_MESSAGE_MAP()

private:
    struct Values {
        int start = 1;
        int end = 0;
        int hTiles = 1;
        int vTiles = 1;
        float startSpeed = 1.0f;
        float endSpeed = 1.0f;
        int fadeIn = 0;
        int fadeOut = 0;
    };
    Values ReadControls() const;
    void FillWorkingCopy(const Values& values);
    void ReadCrops();
    void CreateTileView();
    void Localize();
    void ShowEditedValues();
    void Replay();
    // Ends the editor: hidden with a close notice when modeless, the modal
    // loop ended when modal.
    void Finish(int result);

    CSpinButtonCtrl m_startSpin;
    CSpinButtonCtrl m_endSpin;
    CComboBox m_hTilesBox;
    CComboBox m_vTilesBox;
    CComboBox m_startSpeedBox;
    CComboBox m_endSpeedBox;
    CComboBox m_fadeInBox;
    CComboBox m_fadeOutBox;
};

// Runs the editor modally over owner on entry mediaIndex of the document's
// media list; its OK adds the program. The result of DoModal.
INT_PTR RunVideoImportEditorModal(CDornelDoc& doc, int mediaIndex, CWnd* owner);
