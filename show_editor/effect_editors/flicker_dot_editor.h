// CDlgFlickerDot: the flicker-dot editor. Makes and edits a flicker-star
// program (stars at random places flickering between two brightnesses over a
// background colour) and previews it live.
#pragma once

#include "color_sel_ctrl.h"
#include "editors2_resource.h"
#include "effect_editor_dialog.h"

class CEFlickerStar;

class CDlgFlickerDot : public CEffectEditorDialog {
    DECLARE_DYNAMIC(CDlgFlickerDot)

public:
    enum { IDD = IDD_FLICKER_DOT_EDITOR };

    CDlgFlickerDot();
    ~CDlgFlickerDot() override;

    CEFlickerStar* WorkingCopy() const;
    // Reads the controls into the working copy and the preview; true when
    // the preview can play.
    bool ApplyToWorkingCopy();

    CColorSelCtrl m_backSwatch;
    CColorSelCtrl m_starSwatch;
    CComboBox m_speedBox;
    CComboBox m_playTimeBox;
    CComboBox m_starCountBox;
    CComboBox m_shapeBox;
    CComboBox m_sizeBox;
    CComboBox m_brightFromBox;
    CComboBox m_brightToBox;
    int m_random = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnEntryChosen(UINT nID);
    void OnBoxLeft(UINT nID);
    void OnBackColor();
    void OnStarColor();
    void OnRandom();
    void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    // Caption, labels and the shape list from the language file.
    void Localize();
    void LoadProgram();
    void PickSwatchColor(CColorSelCtrl& swatch);
    void StopApplyRestart();
    void StopApplyPlay();
};
