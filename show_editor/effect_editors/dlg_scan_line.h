// CDlgScanLine: the scan-line editor. A scan line is a ProgramColorEffect of
// style 21 to 24 with one two-colour template (background, scan colour) and
// its speed in pixels per frame as the zoom factor.
#pragma once

#include "color_skin_button.h"
#include "effect_editor_dialog.h"
#include "effect_editors_resource.h"

class ProgramColorEffect;

class CDlgScanLine : public CEffectEditorDialog {
    DECLARE_DYNAMIC(CDlgScanLine)

public:
    enum { IDD = IDD_SCAN_LINE_EDITOR };

    CDlgScanLine();
    ~CDlgScanLine() override;

    ProgramColorEffect* WorkingCopy() const;
    // Reads the controls into the working copy and the preview frames.
    void ApplyControls();

    CSkinColorButton m_backButton;
    CSkinColorButton m_scanButton;
    CComboBox m_directionBox;
    CComboBox m_speedBox;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnControlChanged();
    DECLARE_MESSAGE_MAP()
};
