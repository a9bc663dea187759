// The flicker-dot editor: its lists, the reading of the controls into the
// flicker-star program with its phases and start points, and the preview.
#include "flicker_dot_editor.h"

#include "ce_flicker_star.h"
#include "flicker_star_render.h"
#include "show_messages.h"

#include <cstdlib>

namespace {

const wchar_t* const kSpeeds[]
    = { L"0.10x", L"0.20x", L"0.33x", L"0.50x", L"0.75x", L"1.00x", L"2.00x", L"3.00x", L"4.00x", L"5.00x" };
constexpr COLORREF kStartStarColor = 0x00FFFF;

double LeadingNumber(const CString& text)
{
    return _wtof(text);
}

// Fills a combo box with the numbers first..last ("%d" or "%03d").
void FillNumbers(CComboBox& box, int first, int last, int step, LPCTSTR format)
{
    box.ResetContent();
    for (int n = first; n <= last; n += step) {
        CString text;
        text.Format(format, n);
        box.AddString(text);
    }
}

void SelectText(CComboBox& box, LPCTSTR text)
{
    int index = box.FindStringExact(-1, text);
    box.SetCurSel(index);
    if (index < 0)
        box.SetWindowText(text);
}

} // namespace

IMPLEMENT_DYNAMIC(CDlgFlickerDot, CEffectEditorDialog)

BEGIN_MESSAGE_MAP(CDlgFlickerDot, CEffectEditorDialog)
ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_FD_PLAY_TIME, IDC_FD_SPEED, OnEntryChosen)
ON_CONTROL_RANGE(CBN_KILLFOCUS, IDC_FD_PLAY_TIME, IDC_FD_BRIGHT_TO, OnBoxLeft)
ON_STN_CLICKED(IDC_FD_BACK_COLOR, OnBackColor)
ON_STN_CLICKED(IDC_FD_STAR_COLOR, OnStarColor)
ON_BN_CLICKED(IDC_FD_RANDOM, OnRandom)
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CDlgFlickerDot::CDlgFlickerDot()
    : CEffectEditorDialog(IDD_FLICKER_DOT_EDITOR, IDD_EDITOR_FLICKER_DOT)
{
    auto* star = new CEFlickerStar;
    star->m_programType = PROGRAM_TYPE_FLICKER_STAR;
    m_pWorkingCopy = star;
}

CDlgFlickerDot::~CDlgFlickerDot()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

CEFlickerStar* CDlgFlickerDot::WorkingCopy() const
{
    return static_cast<CEFlickerStar*>(m_pWorkingCopy);
}

void CDlgFlickerDot::DoDataExchange(CDataExchange* pDX)
{
    CEffectEditorDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FD_BACK_COLOR, m_backSwatch);
    DDX_Control(pDX, IDC_FD_STAR_COLOR, m_starSwatch);
    DDX_Control(pDX, IDC_FD_SPEED, m_speedBox);
    DDX_Control(pDX, IDC_FD_PLAY_TIME, m_playTimeBox);
    DDX_Control(pDX, IDC_FD_STAR_COUNT, m_starCountBox);
    DDX_Control(pDX, IDC_FD_SHAPE, m_shapeBox);
    DDX_Control(pDX, IDC_FD_SIZE, m_sizeBox);
    DDX_Control(pDX, IDC_FD_BRIGHT_FROM, m_brightFromBox);
    DDX_Control(pDX, IDC_FD_BRIGHT_TO, m_brightToBox);
    DDX_Check(pDX, IDC_FD_RANDOM, m_random);
}

BOOL CDlgFlickerDot::OnInitDialog()
{
    CEffectEditorDialog::OnInitDialog();
    m_backSwatch.m_color = RGB(0, 0, 0);
    m_starSwatch.m_color = kStartStarColor;
    m_backSwatch.Invalidate();
    m_starSwatch.Invalidate();
    m_speedBox.ResetContent();
    for (LPCWSTR speed : kSpeeds)
        m_speedBox.AddString(speed);
    m_speedBox.SetCurSel(5);
    FillNumbers(m_starCountBox, 10, 100, 10, L"%d");
    SelectText(m_starCountBox, L"50");
    m_shapeBox.ResetContent();
    m_shapeBox.AddString(L"圆形");
    m_shapeBox.AddString(L"矩形");
    m_shapeBox.SetCurSel(0);
    Localize();
    FillNumbers(m_sizeBox, 1, 10, 1, L"%d");
    SelectText(m_sizeBox, L"8");
    FillNumbers(m_playTimeBox, 1, 10, 1, L"%d");
    m_playTimeBox.SetWindowText(L"3.5S");
    FillNumbers(m_brightFromBox, 0, 255, 1, L"%03d");
    FillNumbers(m_brightToBox, 0, 255, 1, L"%03d");
    SelectText(m_brightFromBox, L"000");
    SelectText(m_brightToBox, L"255");

    MakePreviewSegment();
    if (m_editMode != 0 && m_pEditedProgram != nullptr)
        LoadProgram();
    if (ApplyToWorkingCopy() && m_pDoc != nullptr)
        m_pDoc->OnPlay();
    return TRUE;
}

void CDlgFlickerDot::Localize()
{
    LocalizeItem(0, L"KVMENU", 123);
    static const CtrlLabel labels[] = { { IDC_FD_LABEL_BACK, L"ITEM_TITLE", 84 },
        { IDC_FD_LABEL_STAR, L"ITEM_TITLE", 261 }, { IDC_FD_RANDOM, L"ITEM_TITLE", 262 },
        { IDC_FD_LABEL_SPEED, L"ITEM_TITLE", 87 }, { IDC_FD_LABEL_COUNT, L"ITEM_TITLE", 263 },
        { IDC_FD_LABEL_SHAPE, L"ITEM_TITLE", 264 }, { IDC_FD_LABEL_SIZE, L"ITEM_TITLE", 265 },
        { IDC_FD_LABEL_TIME, L"ITEM_TITLE", 266 }, { IDC_FD_LABEL_BRIGHT, L"ITEM_TITLE", 115 },
        { IDOK, L"ITEM_TITLE", 33 }, { IDCANCEL, L"ITEM_TITLE", 34 } };
    LocalizeItems(labels);
    // Circle and rectangle, in the order of the stored shape numbers.
    const int shapeKeys[] = { 267, 268 };
    LocalizeComboItems(IDC_FD_SHAPE, L"ITEM_TITLE", shapeKeys, 2);
}

void CDlgFlickerDot::LoadProgram()
{
    const auto* program = static_cast<const CEFlickerStar*>(m_pEditedProgram);
    m_backSwatch.m_color = program->m_backgroundColor;
    m_starSwatch.m_color = program->m_starColor;
    m_backSwatch.Invalidate();
    m_starSwatch.Invalidate();
    CString text;
    text.Format(L"%.2fx", static_cast<double>(program->m_speed));
    SelectComboPrefix(m_speedBox, text);
    text.Format(L"%d", program->m_starCount);
    SelectText(m_starCountBox, text);
    text.Format(L"%.2f", static_cast<double>(program->m_playTime));
    SelectText(m_playTimeBox, text);
    if (program->m_shape < m_shapeBox.GetCount())
        m_shapeBox.SetCurSel(program->m_shape);
    text.Format(L"%d", program->m_size);
    SelectText(m_sizeBox, text);
    text.Format(L"%d", program->m_minBrightness);
    SelectText(m_brightFromBox, text);
    text.Format(L"%d", program->m_maxBrightness);
    SelectText(m_brightToBox, text);
    m_random = program->m_randomStartColor;
    UpdateData(FALSE);
    m_starSwatch.EnableWindow(m_random == 0);
}

bool CDlgFlickerDot::ApplyToWorkingCopy()
{
    CEFlickerStar* star = WorkingCopy();
    UpdateData(TRUE);
    CString text;
    star->m_backgroundColor = m_backSwatch.m_color;
    star->m_starColor = m_starSwatch.m_color;
    m_speedBox.GetWindowText(text);
    star->m_speed = static_cast<float>(LeadingNumber(text));
    m_starCountBox.GetWindowText(text);
    // A negative or absurd count would make the lists below unbounded.
    int count = _wtoi(text);
    star->m_starCount = count < 0 ? 0 : (count > 100000 ? 100000 : count);
    m_playTimeBox.GetWindowText(text);
    star->m_playTime = static_cast<float>(LeadingNumber(text));
    star->m_shape = static_cast<BYTE>(m_shapeBox.GetCurSel() > 0 ? m_shapeBox.GetCurSel() : 0);
    m_sizeBox.GetWindowText(text);
    // Kept in 8 bits first, so that no value ends as a zero size.
    BYTE size = static_cast<BYTE>(_wtoi(text));
    star->m_size = size == 0 ? 1 : size;
    star->m_randomStartColor = m_random;
    m_brightFromBox.GetWindowText(text);
    star->m_minBrightness = static_cast<BYTE>(_wtoi(text));
    m_brightToBox.GetWindowText(text);
    star->m_maxBrightness = static_cast<BYTE>(_wtoi(text));

    const int rate = m_pDoc != nullptr ? m_pDoc->m_projectSettings.m_frameRate : 25;
    double frames = rate * static_cast<double>(star->m_playTime);
    star->m_orgFrames = frames > 0 && frames < 2.0e9 ? static_cast<int>(frames) : 0;
    star->m_endFrame = star->m_orgFrames;

    // The program's pseudo-random generator is the C runtime's, with fixed
    // seeds, so the same settings give the same stars. Phases lie within the
    // renderer's cycle, so each star starts somewhere in it.
    std::srand(510);
    star->m_phases.RemoveAll();
    for (int i = 0; i < star->m_starCount; ++i)
        star->m_phases.Add(static_cast<WORD>(std::rand() % kFlickerPhaseCycle));

    star->m_startPoints.RemoveAll();
    CRect view(0, 0, 200, 50);
    if (m_pDoc != nullptr)
        m_pDoc->GetCurrentViewRect(view);
    const int width = view.Width();
    const int height = view.Height();
    std::srand(255);
    for (int i = 0; i < star->m_starCount; ++i) {
        StartPoint point;
        // An empty view puts every star at its corner instead of dividing by zero.
        unsigned x = static_cast<unsigned>(std::rand());
        unsigned y = static_cast<unsigned>(std::rand());
        point.m_x = width > 0 ? static_cast<int>(x % static_cast<unsigned>(width)) : 0;
        point.m_y = height > 0 ? static_cast<int>(y % static_cast<unsigned>(height)) : 0;
        if (star->m_randomStartColor != 0) {
            int b = std::rand() % 255;
            int g = std::rand() % 255;
            int r = std::rand() % 255;
            point.m_color = RGB(r, g, b);
        } else {
            point.m_color = star->m_starColor;
        }
        star->m_startPoints.Add(point);
    }

    return SetPreviewFrames(star->m_orgFrames) && star->m_orgFrames > 0;
}

void CDlgFlickerDot::StopApplyRestart()
{
    StopPreview();
    if (ApplyToWorkingCopy() && m_pDoc != nullptr)
        m_pDoc->OnPlay();
}

void CDlgFlickerDot::StopApplyPlay()
{
    StopApplyRestart();
}

void CDlgFlickerDot::OnEntryChosen(UINT nID)
{
    // A chosen entry is not yet the box's text when the change is told.
    auto* combo = static_cast<CComboBox*>(GetDlgItem(static_cast<int>(nID)));
    if (combo != nullptr) {
        int index = static_cast<int>(combo->SendMessage(CB_GETCURSEL));
        int length = index >= 0 ? static_cast<int>(combo->SendMessage(CB_GETLBTEXTLEN, index)) : 0;
        if (length > 0 && length < 256) {
            CString text;
            combo->SendMessage(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.GetBuffer(length + 1)));
            text.ReleaseBuffer();
            combo->SetWindowText(text);
        }
    }
    StopApplyRestart();
}

void CDlgFlickerDot::OnBoxLeft(UINT)
{
    StopApplyRestart();
}

void CDlgFlickerDot::PickSwatchColor(CColorSelCtrl& swatch)
{
    COLORREF color = RGB(0, 0, 0);
    if (AfxGetUiHost().PickColor(m_hWnd, color, CC_FULLOPEN)) {
        swatch.m_color = color;
        swatch.Invalidate();
    }
    StopApplyPlay();
}

void CDlgFlickerDot::OnBackColor()
{
    PickSwatchColor(m_backSwatch);
}

void CDlgFlickerDot::OnStarColor()
{
    PickSwatchColor(m_starSwatch);
}

void CDlgFlickerDot::OnRandom()
{
    UpdateData(TRUE);
    m_starSwatch.EnableWindow(m_random == 0);
    StopApplyPlay();
}

void CDlgFlickerDot::OnLButtonDown(UINT nFlags, CPoint point)
{
    CWnd* ok = GetDlgItem(IDOK);
    if (ok != nullptr)
        ok->SetFocus();
    CEffectEditorDialog::OnLButtonDown(nFlags, point);
}

void CDlgFlickerDot::OnOK()
{
    ApplyToWorkingCopy();
    CEFlickerStar* star = WorkingCopy();
    star->m_startFrame = 1;
    star->m_endFrame = star->m_orgFrames;
    HandOver();
    EndAndNotify(IDOK);
}

void CDlgFlickerDot::OnCancel()
{
    // The dialog stays until the document tears it down.
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner == nullptr) {
        CWnd* main = AfxGetMainWnd();
        owner = main != nullptr ? main->GetSafeHwnd() : nullptr;
    }
    if (owner != nullptr)
        ::PostMessageW(owner, WM_EFFECT_DIALOG_CLOSED, static_cast<WPARAM>(m_dialogId), 0);
}
