// The scan-line editor.
#include "dlg_scan_line.h"

#include "color_effect_values.h"
#include "program_color_effect.h"
#include "show_messages.h"

namespace {

constexpr LPCWSTR kDirections[] = { L"水平向右扫描", L"垂直向下扫描", L"水平向左扫描", L"垂直向上扫描" };
constexpr LPCWSTR kSpeeds[] = { L"0.10x", L"0.20x", L"0.50x", L"1.00x" };
constexpr COLORREF kBackground = RGB(0, 0, 0);
constexpr COLORREF kScanColor = RGB(255, 0, 0);

} // namespace

IMPLEMENT_DYNAMIC(CDlgScanLine, CEffectEditorDialog)

BEGIN_MESSAGE_MAP(CDlgScanLine, CEffectEditorDialog)
ON_BN_CLICKED(IDC_SL_BACK_COLOR, OnControlChanged)
ON_BN_CLICKED(IDC_SL_SCAN_COLOR, OnControlChanged)
ON_CBN_SELCHANGE(IDC_SL_DIRECTION, OnControlChanged)
ON_CBN_SELCHANGE(IDC_SL_SPEED, OnControlChanged)
END_MESSAGE_MAP()

CDlgScanLine::CDlgScanLine()
    : CEffectEditorDialog(IDD_SCAN_LINE_EDITOR, IDD_EDITOR_SCAN_LINE)
{
    auto* effect = new ProgramColorEffect;
    effect->m_programType = PROGRAM_TYPE_COLOR_EFFECT;
    effect->m_style = 21;
    effect->m_vTiles = 1;
    effect->m_hTiles = 1;
    effect->m_startSpeed = 1.0f;
    effect->m_endSpeed = 1.0f;
    effect->m_zoomFactor = 1.0f;
    effect->m_fadeInTime = 0;
    effect->m_fadeOutTime = 0;
    effect->m_mirror = 0;
    auto* colors = new ColorTemplate;
    colors->m_changeMode = ColorTemplate::CHANGE_GRADIENT;
    colors->m_colors.Add(kBackground);
    colors->m_colors.Add(kScanColor);
    effect->m_templates.Add(colors);
    m_pWorkingCopy = effect;
}

CDlgScanLine::~CDlgScanLine()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

ProgramColorEffect* CDlgScanLine::WorkingCopy() const
{
    return static_cast<ProgramColorEffect*>(m_pWorkingCopy);
}

void CDlgScanLine::DoDataExchange(CDataExchange* pDX)
{
    CEffectEditorDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SL_BACK_COLOR, m_backButton);
    DDX_Control(pDX, IDC_SL_SCAN_COLOR, m_scanButton);
    DDX_Control(pDX, IDC_SL_DIRECTION, m_directionBox);
    DDX_Control(pDX, IDC_SL_SPEED, m_speedBox);
}

BOOL CDlgScanLine::OnInitDialog()
{
    CEffectEditorDialog::OnInitDialog();
    CString otherColours = LangText(L"ITEM_TITLE", 191);
    if (otherColours.IsEmpty())
        otherColours = L"OtherColor";
    m_backButton.SetColor(kBackground);
    m_backButton.EnableOtherButton(otherColours);
    m_scanButton.SetColor(kScanColor);
    m_scanButton.EnableOtherButton(otherColours);
    m_speedBox.ResetContent();
    for (LPCWSTR speed : kSpeeds)
        m_speedBox.AddString(speed);
    m_speedBox.SetCurSel(3);
    m_directionBox.ResetContent();
    for (LPCWSTR direction : kDirections)
        m_directionBox.AddString(direction);
    m_directionBox.SetCurSel(0);

    const int directionKeys[] = { 82, 83, 88, 89 };
    LocalizeComboItems(IDC_SL_DIRECTION, L"ITEM_TITLE", directionKeys, 4);
    LocalizeItem(IDC_SL_LABEL_BACK, L"ITEM_TITLE", 84);
    LocalizeItem(IDC_SL_LABEL_SCAN, L"ITEM_TITLE", 85);
    LocalizeItem(IDC_SL_LABEL_DIRECTION, L"ITEM_TITLE", 86);
    LocalizeItem(IDC_SL_LABEL_SPEED, L"ITEM_TITLE", 87);
    LocalizeItem(IDC_SL_GROUP_COLORS, L"ITEM_TITLE", 90);
    LocalizeItem(IDC_SL_GROUP_MOTION, L"ITEM_TITLE", 91);
    // The caption and the buttons speak the user's language like the labels.
    LocalizeItem(0, L"KVMENU", 75);
    LocalizeItem(IDOK, L"ITEM_TITLE", 33);
    LocalizeItem(IDCANCEL, L"ITEM_TITLE", 34);

    if (m_editMode != 0 && m_pEditedProgram != nullptr) {
        const auto* program = static_cast<const ProgramColorEffect*>(m_pEditedProgram);
        // A program without a two-colour first template keeps the defaults
        // for the colours it lacks.
        if (program->m_templates.GetSize() > 0) {
            const ColorList& colors = program->m_templates.GetAt(0)->m_colors;
            if (colors.GetSize() > 0)
                m_backButton.SetColor(colors.GetAt(0));
            if (colors.GetSize() > 1)
                m_scanButton.SetColor(colors.GetAt(1));
        }
        if (program->m_style >= 21 && program->m_style <= 24)
            m_directionBox.SetCurSel(program->m_style - 21);
        CString speed;
        speed.Format(L"%.2fx", static_cast<double>(program->m_zoomFactor));
        SelectComboPrefix(m_speedBox, speed);
    }

    MakePreviewSegment();
    ApplyControls();
    if (m_pDoc != nullptr)
        m_pDoc->OnPlay();
    return TRUE;
}

void CDlgScanLine::ApplyControls()
{
    ProgramColorEffect* effect = WorkingCopy();
    if (effect->m_templates.GetSize() == 0)
        effect->m_templates.Add(new ColorTemplate);
    ColorList& colors = effect->m_templates.GetAt(0)->m_colors;
    colors.SetSize(2);
    colors.SetAt(0, m_backButton.GetColor());
    colors.SetAt(1, m_scanButton.GetColor());

    CString speedText;
    const int speedIndex = m_speedBox.GetCurSel();
    if (speedIndex >= 0)
        m_speedBox.GetLBText(speedIndex, speedText);
    const double speed = NumberBeforeUnit(speedText);
    effect->m_zoomFactor = static_cast<float>(speed);

    const int direction = m_directionBox.GetCurSel() >= 0 ? m_directionBox.GetCurSel() : 0;
    const int width = m_pDoc != nullptr ? m_pDoc->m_projectSettings.m_width : 200;
    const int height = m_pDoc != nullptr ? m_pDoc->m_projectSettings.m_height : 50;
    effect->m_style = 21 + direction;
    const int travel = direction % 2 == 0 ? width : height;
    effect->m_orgFrames = ScanLineFrames(travel, speed);
    effect->m_startFrame = 1;
    effect->m_endFrame = effect->m_orgFrames;
    SetPreviewFrames(effect->m_orgFrames);
}

void CDlgScanLine::OnControlChanged()
{
    ApplyControls();
    RestartPreview();
}

void CDlgScanLine::OnOK()
{
    StopPreview();
    ApplyControls();
    HandOver();
    EndAndNotify(IDOK);
}

void CDlgScanLine::OnCancel()
{
    StopPreview();
    EndAndNotify(IDCANCEL);
}
