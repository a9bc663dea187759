// The colourful-text editor.
#include "dlg_color_full_words.h"

#include "colorful_words_render.h"
#include "program_colorful_words.h"
#include "show_messages.h"
#include "words_editor_values.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <iterator>

namespace {

// Posted to itself after a time entry was chosen: the combo box writes the
// entry's own text after the selection notice, so the formatted text goes in
// afterwards.
constexpr UINT WM_APPLY_TIME_TEXT = WM_APP + 0x1A0;

struct ListItem {
    LPCWSTR text; // built in, kept when the language file has none
    DWORD data;
    LPCWSTR section;
    int key;
};

constexpr LPCWSTR kItemTitle = L"ITEM_TITLE";
constexpr LPCWSTR kMenu = L"KVMENU";

constexpr ListItem kEnterLeave[] = {
    { L"无", 0, kItemTitle, 67 },
    { L"左移", 1, kItemTitle, 68 },
    { L"打字", 2, kItemTitle, 69 },
    { L"掉落", 3, kItemTitle, 70 },
    { L"碎片(小)", 4, kItemTitle, 71 },
    { L"碎片(中)", 5, kItemTitle, 72 },
    { L"碎片(大)", 6, kItemTitle, 73 },
};
constexpr ListItem kShow[] = {
    { L"静止", 0, kItemTitle, 74 },
    { L"左移", 1, kItemTitle, 75 },
    { L"闪烁", 2, kItemTitle, 76 },
};
// Vertical text enters and leaves downwards or upwards.
constexpr ListItem kVerticalEnterLeave[] = {
    { L"无", 0, kItemTitle, 67 },
    { L"下移", 7, kMenu, 36 },
    { L"上移", 8, kMenu, 35 },
};
constexpr ListItem kVerticalShow[] = {
    { L"静止", 0, kItemTitle, 74 },
    { L"闪烁", 2, kItemTitle, 76 },
};
constexpr ListItem kStroke[] = {
    { L"无", 0, kItemTitle, 77 },
    { L"描边", 1, kItemTitle, 78 },
    { L"阴影", 2, kItemTitle, 79 },
};
// Colour-effect styles of the texture; 20 draws no texture animation.
constexpr ListItem kTextureAnim[] = {
    { L"无混合效果", 20, kItemTitle, 80 },
    { L"变色", 0, kMenu, 33 },
    { L"上移", 2, kMenu, 35 },
    { L"下移", 3, kMenu, 36 },
    { L"左移", 4, kMenu, 37 },
    { L"右移", 5, kMenu, 38 },
    { L"左上移", 10, kMenu, 43 },
    { L"右上移", 11, kMenu, 44 },
    { L"左下移", 12, kMenu, 45 },
    { L"右下移", 13, kMenu, 46 },
};
constexpr ListItem kDirection[] = {
    { L"水平", 0, kItemTitle, 183 },
    { L"垂直", 1, kItemTitle, 182 },
};
constexpr ListItem kMirror[] = {
    { L"无", 0, kItemTitle, 37 },
    { L"水平", 1, kItemTitle, 183 },
    { L"垂直", 2, kItemTitle, 182 },
};

struct Label {
    int id;
    int key;
};
constexpr Label kLabels[] = {
    { IDC_CW_TEXT_LABEL, 49 },
    { IDC_CW_ENTER_LABEL, 50 },
    { IDC_CW_SHOW_LABEL, 51 },
    { IDC_CW_LEAVE_LABEL, 52 },
    { IDC_CW_STROKE_LABEL, 53 },
    { IDC_CW_STROKE_COLOR_LABEL, 54 },
    { IDC_CW_STROKE_WIDTH_LABEL, 55 },
    { IDC_CW_TEXTURE_ANIM_LABEL, 56 },
    { IDC_CW_TEXTURE_SPEED_LABEL, 57 },
    { IDC_CW_ENTER_TIME_LABEL, 58 },
    { IDC_CW_SHOW_TIME_LABEL, 59 },
    { IDC_CW_LEAVE_TIME_LABEL, 60 },
    { IDC_CW_TEXTURE_STYLE_LABEL, 61 },
    { IDC_CW_BACK_COLOR_LABEL, 62 },
    { IDC_CW_TEXT_COLOR_LABEL, 63 },
    { IDC_CW_FONT_SIZE_LABEL, 64 },
    { IDC_CW_TEXT_WIDTH_LABEL, 65 },
    { IDC_CW_FONT, 66 },
    { IDOK, 33 },
    { IDCANCEL, 34 },
    { IDC_CW_SPACING_LABEL, 152 },
    { IDC_CW_REPEAT_LABEL, 153 },
    { IDC_CW_REVERSE, 179 },
    { IDC_CW_DIRECTION_LABEL, 180 },
    { IDC_CW_MIRROR_LABEL, 181 },
};

constexpr LPCWSTR kStartText = L"请输入文本";
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

CString BoxText(const CWnd& box)
{
    CString text;
    if (box.GetSafeHwnd() != nullptr)
        box.GetWindowText(text);
    return text;
}

int SelectComboText(CComboBox& combo, const CString& text)
{
    for (int i = 0; i < combo.GetCount(); ++i) {
        CString item;
        combo.GetLBText(i, item);
        if (item == text) {
            combo.SetCurSel(i);
            return i;
        }
    }
    return -1;
}

DWORD SelectedData(const CComboBox& combo, DWORD fallback = 0)
{
    const int selection = combo.GetCurSel();
    return selection >= 0 ? static_cast<DWORD>(combo.GetItemData(selection)) : fallback;
}

int Position(const CComboBox& combo)
{
    const int selection = combo.GetCurSel();
    return selection >= 0 ? selection : 0;
}

} // namespace

std::vector<std::pair<CString, int>> WordsEditorTextKeys()
{
    std::vector<std::pair<CString, int>> keys;
    auto add = [&](LPCWSTR section, int key) {
        for (const auto& known : keys)
            if (known.first == section && known.second == key)
                return;
        keys.emplace_back(section, key);
    };
    for (const Label& label : kLabels)
        add(kItemTitle, label.key);
    auto addList = [&](const ListItem* items, size_t count) {
        for (size_t i = 0; i < count; ++i)
            add(items[i].section, items[i].key);
    };
    addList(kEnterLeave, std::size(kEnterLeave));
    addList(kShow, std::size(kShow));
    addList(kStroke, std::size(kStroke));
    addList(kTextureAnim, std::size(kTextureAnim));
    addList(kDirection, std::size(kDirection));
    addList(kMirror, std::size(kMirror));
    addList(kVerticalEnterLeave, std::size(kVerticalEnterLeave));
    addList(kVerticalShow, std::size(kVerticalShow));
    add(kItemTitle, 81); // the start text
    add(kItemTitle, 191); // other colours
    return keys;
}

IMPLEMENT_DYNAMIC(CDlgColorFullWords, CEffectEditorDialog)

BEGIN_MESSAGE_MAP(CDlgColorFullWords, CEffectEditorDialog)
ON_EN_CHANGE(IDC_CW_TEXT, OnChanged)
ON_CBN_SELCHANGE(IDC_CW_ENTER, OnChanged)
ON_CBN_SELCHANGE(IDC_CW_LEAVE, OnChanged)
ON_CBN_SELCHANGE(IDC_CW_STROKE, OnChanged)
ON_CBN_SELCHANGE(IDC_CW_STROKE_WIDTH, OnChanged)
ON_CBN_SELCHANGE(IDC_CW_TEXTURE_SPEED, OnChanged)
ON_CBN_SELCHANGE(IDC_CW_TEXTURE_STYLE, OnChanged)
ON_CBN_SELCHANGE(IDC_CW_TEXT_WIDTH, OnChanged)
ON_CBN_SELCHANGE(IDC_CW_SPACING, OnChanged)
ON_CBN_SELCHANGE(IDC_CW_MIRROR, OnChanged)
ON_BN_CLICKED(IDC_CW_STROKE_COLOR, OnChanged)
ON_BN_CLICKED(IDC_CW_BACK_COLOR, OnChanged)
ON_BN_CLICKED(IDC_CW_REVERSE, OnChanged)
ON_CBN_SELCHANGE(IDC_CW_TEXTURE_ANIM, OnTextureAnimChanged)
ON_BN_CLICKED(IDC_CW_TEXT_COLOR, OnTextColorClicked)
ON_CBN_SELCHANGE(IDC_CW_SHOW, OnShowEffectChanged)
ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_CW_ENTER_TIME, IDC_CW_LEAVE_TIME, OnTimeChosen)
ON_CONTROL_RANGE(CBN_EDITCHANGE, IDC_CW_ENTER_TIME, IDC_CW_LEAVE_TIME, OnTimeTyped)
ON_CONTROL_RANGE(CBN_KILLFOCUS, IDC_CW_ENTER_TIME, IDC_CW_LEAVE_TIME, OnTimeLeft)
ON_EN_CHANGE(IDC_CW_REPEAT, OnRepeatChanged)
ON_CBN_SELCHANGE(IDC_CW_FONT_SIZE, OnFontSizeChosen)
ON_CBN_EDITCHANGE(IDC_CW_FONT_SIZE, OnFontSizeTyped)
ON_BN_CLICKED(IDC_CW_FONT, OnFontButton)
ON_CBN_SELCHANGE(IDC_CW_DIRECTION, OnDirectionChanged)
ON_MESSAGE(WM_APPLY_TIME_TEXT, OnApplyTimeText)
END_MESSAGE_MAP()

CDlgColorFullWords::CDlgColorFullWords()
    : CEffectEditorDialog(IDD_COLORFUL_WORDS_EDITOR, IDD_EDITOR_COLORFUL_WORDS)
{
    auto* words = new ProgramColorFulWords;
    words->m_programType = PROGRAM_TYPE_COLORFUL_WORDS;
    words->m_vTiles = 1;
    words->m_hTiles = 1;
    words->m_startSpeed = 1.0f;
    words->m_endSpeed = 1.0f;
    words->m_orgFrames = 0;
    words->m_wordRepeatCount = 1;
    words->m_useTextColor = 0;
    words->m_orientation = 0;
    words->m_reverse = 0;
    words->m_textureIndex = 0;
    words->m_mirror = 0;
    m_pWorkingCopy = words;
    // The fragment effects draw from the C library's generator.
    std::srand(510);
}

CDlgColorFullWords::~CDlgColorFullWords()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

ProgramColorFulWords* CDlgColorFullWords::WorkingCopy() const
{
    return static_cast<ProgramColorFulWords*>(m_pWorkingCopy);
}

void CDlgColorFullWords::DoDataExchange(CDataExchange* pDX)
{
    CEffectEditorDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CW_TEXT, m_textBox);
    DDX_Control(pDX, IDC_CW_STROKE_COLOR, m_strokeColorButton);
    DDX_Control(pDX, IDC_CW_BACK_COLOR, m_backColorButton);
    DDX_Control(pDX, IDC_CW_TEXT_COLOR, m_textColorButton);
    DDX_Control(pDX, IDC_CW_TEXTURE_STYLE, m_textureBox);
    DDX_Control(pDX, IDC_CW_ENTER, m_enterBox);
    DDX_Control(pDX, IDC_CW_SHOW, m_showBox);
    DDX_Control(pDX, IDC_CW_LEAVE, m_leaveBox);
    DDX_Control(pDX, IDC_CW_ENTER_TIME, m_enterTimeBox);
    DDX_Control(pDX, IDC_CW_SHOW_TIME, m_showTimeBox);
    DDX_Control(pDX, IDC_CW_LEAVE_TIME, m_leaveTimeBox);
    DDX_Control(pDX, IDC_CW_STROKE, m_strokeBox);
    DDX_Control(pDX, IDC_CW_STROKE_WIDTH, m_strokeWidthBox);
    DDX_Control(pDX, IDC_CW_TEXTURE_ANIM, m_textureAnimBox);
    DDX_Control(pDX, IDC_CW_TEXTURE_SPEED, m_textureSpeedBox);
    DDX_Control(pDX, IDC_CW_FONT_SIZE, m_fontSizeBox);
    DDX_Control(pDX, IDC_CW_TEXT_WIDTH, m_textWidthBox);
    DDX_Control(pDX, IDC_CW_SPACING, m_spacingBox);
    DDX_Control(pDX, IDC_CW_DIRECTION, m_directionBox);
    DDX_Control(pDX, IDC_CW_MIRROR, m_mirrorBox);
    DDX_Control(pDX, IDC_CW_REPEAT_SPIN, m_repeatSpin);
}

namespace {

// Refills a list from its items, keeping the selected position.
template <size_t N>
void FillList(CComboBox& box, const ListItem (&items)[N], const CEffectEditorDialog& editor,
    CString (CEffectEditorDialog::*text)(LPCTSTR, int) const)
{
    const int selection = box.GetCurSel();
    box.ResetContent();
    for (const ListItem& item : items) {
        CString label = (editor.*text)(item.section, item.key);
        if (label.IsEmpty())
            label = item.text;
        const int index = box.AddString(label);
        box.SetItemData(index, item.data);
    }
    if (selection >= 0 && selection < static_cast<int>(N))
        box.SetCurSel(selection);
}

void FillNumbers(CComboBox& box, int first, int last, int step, LPCWSTR format)
{
    box.ResetContent();
    for (int value = first; value <= last; value += step) {
        CString text;
        text.Format(format, value);
        box.AddString(text);
    }
}

} // namespace

// LangText is protected in the base; the list filler reaches it through
// this editor.
#define FILL(box, items) FillList(box, items, *this, &CDlgColorFullWords::LangText)

BOOL CDlgColorFullWords::OnInitDialog()
{
    CEffectEditorDialog::OnInitDialog();
    m_loading = true;

    // The start font: 12 points of the song face, as the system makes it.
    {
        CClientDC screen(nullptr);
        m_dotsPerInch = screen.GetDeviceCaps(LOGPIXELSY);
        if (m_dotsPerInch <= 0)
            m_dotsPerInch = 96;
        CFont start;
        start.CreatePointFont(120, L"宋体");
        LOGFONTW font {};
        if (start.GetSafeHandle() != nullptr && ::GetObjectW(start.GetSafeHandle(), sizeof(font), &font) > 0)
            m_font = font;
        else {
            m_font.lfHeight = -::MulDiv(12, m_dotsPerInch, 72);
            m_font.lfCharSet = DEFAULT_CHARSET;
            wcsncpy(m_font.lfFaceName, L"宋体", LF_FACESIZE - 1);
        }
    }

    CString otherColours = LangText(kItemTitle, 191);
    if (otherColours.IsEmpty())
        otherColours = L"其它颜色";
    m_strokeColorButton.SetColor(kWhite);
    m_backColorButton.SetColor(kBlack);
    m_textColorButton.SetColor(kWhite);
    for (CSkinColorButton* button : { &m_strokeColorButton, &m_backColorButton, &m_textColorButton })
        button->EnableOtherButton(otherColours);
    FillTextureBox();

    FillEffectLists();
    m_enterBox.SetCurSel(1);
    m_leaveBox.SetCurSel(1);
    m_showBox.SetCurSel(0);
    m_strokeBox.SetCurSel(0);
    m_textureAnimBox.SetCurSel(7); // up-right
    for (CComboBox* box : { &m_enterTimeBox, &m_showTimeBox, &m_leaveTimeBox })
        FillNumbers(*box, 1, 10, 1, L"%d");
    m_enterTimeBox.SetWindowText(L"1.5S");
    m_showTimeBox.SetWindowText(L"2.0S");
    m_leaveTimeBox.SetWindowText(L"1.5S");
    FillNumbers(m_strokeWidthBox, 1, 20, 1, L"%d");
    m_strokeWidthBox.SetCurSel(0);
    FillNumbers(m_textureSpeedBox, 0, 10, 1, L"%d");
    m_textureSpeedBox.SetCurSel(1);
    m_fontSizeBox.ResetContent();
    for (int height : FontSizeHeights(m_dotsPerInch)) {
        CString text;
        text.Format(L"%d", height);
        m_fontSizeBox.AddString(text);
    }
    ShowFontSize();
    FillNumbers(m_textWidthBox, 10, 300, 10, L"%d%%");
    m_textWidthBox.SetCurSel(9); // 100%
    FillNumbers(m_spacingBox, 0, 10, 1, L"%d");
    m_spacingBox.SetCurSel(0);
    FillDirectionLists();
    CheckDlgButton(IDC_CW_REVERSE, BST_UNCHECKED);
    m_prompt = LangText(kItemTitle, 81);
    if (m_prompt.IsEmpty())
        m_prompt = kStartText;
    m_textBox.ShowPrompt(m_prompt);

    MakePreviewSegment();
    auto* texture = new ProgramColorEffect;
    texture->SetNode(new NodeInfo);
    texture->m_programType = PROGRAM_TYPE_COLOR_EFFECT;
    texture->m_fadeInTime = 0;
    texture->m_fadeOutTime = 0;
    texture->m_mirror = 0;
    WorkingCopy()->SetTexture(texture);

    LocalizeLabels();
    m_repeatSpin.SetRange32(1, 100);
    m_repeatSpin.SetBuddy(GetDlgItem(IDC_CW_REPEAT));
    SetDlgItemText(IDC_CW_REPEAT, L"1");

    if (m_editMode != 0 && m_pEditedProgram != nullptr)
        LoadWordsControls();
    m_loading = false;

    if (BuildWordsProgram())
        RestartPreview();
    return TRUE;
}

void CDlgColorFullWords::FillTextureBox()
{
    m_textureBox.ResetContent();
    if (m_pDoc == nullptr)
        return;
    CSingleLock lock(&m_pDoc->m_mutex, TRUE);
    const BitmapList& thumbs = m_pDoc->m_colourTemplateThumbs;
    for (INT_PTR i = 0; i < m_pDoc->m_colourTemplates.GetSize(); ++i)
        m_textureBox.AddBitmapItem(static_cast<int>(i), i < thumbs.GetSize() ? thumbs.GetAt(i) : nullptr);
    if (m_textureBox.GetCount() > 0)
        m_textureBox.SetCurSel(0);
}

void CDlgColorFullWords::FillEffectLists()
{
    FILL(m_enterBox, kEnterLeave);
    FILL(m_leaveBox, kEnterLeave);
    FILL(m_showBox, kShow);
    FILL(m_strokeBox, kStroke);
    FILL(m_textureAnimBox, kTextureAnim);
}

void CDlgColorFullWords::FillDirectionLists()
{
    m_directionBox.ResetContent();
    m_mirrorBox.ResetContent();
    FILL(m_directionBox, kDirection);
    FILL(m_mirrorBox, kMirror);
    m_directionBox.SetCurSel(0);
    m_mirrorBox.SetCurSel(0);
}

void CDlgColorFullWords::FillVerticalEffectLists()
{
    for (CComboBox* box : { &m_enterBox, &m_leaveBox }) {
        box->ResetContent();
        FILL(*box, kVerticalEnterLeave);
        box->SetCurSel(1); // down
    }
    m_showBox.ResetContent();
    FILL(m_showBox, kVerticalShow);
    m_showBox.SetCurSel(0);
}

void CDlgColorFullWords::LocalizeLabels()
{
    // The caption is the name the project tree gives these programs.
    LocalizeItem(0, kItemTitle, 4);
    for (const Label& label : kLabels)
        LocalizeItem(label.id, kItemTitle, label.key);
}

void CDlgColorFullWords::EnableEnterLeave(BOOL enable)
{
    for (CWnd* box : { static_cast<CWnd*>(&m_enterBox), static_cast<CWnd*>(&m_enterTimeBox),
             static_cast<CWnd*>(&m_leaveTimeBox), static_cast<CWnd*>(&m_leaveBox) })
        box->EnableWindow(enable);
}

void CDlgColorFullWords::ShowFontSize()
{
    CString text;
    text.Format(L"%d", std::abs(static_cast<int>(m_font.lfHeight)));
    if (SelectComboText(m_fontSizeBox, text) < 0) {
        m_fontSizeBox.SetCurSel(-1);
        m_fontSizeBox.SetWindowText(text);
    }
}

int CDlgColorFullWords::CountTextureFrames(int width, int height)
{
    const ProgramColorEffect* texture = WorkingCopy()->m_pTexture;
    return texture != nullptr ? m_render.PassFrameCount(*texture, width, height) : 0;
}

int CDlgColorFullWords::MeasureTextWidth(int height) const
{
    const ProgramColorFulWords* words = WorkingCopy();
    LOGFONTW font = words->m_font;
    font.lfHeight = height;
    return GetWordsTextExtent(font, words->m_text, words->m_strokeWidth).cx;
}

float CDlgColorFullWords::TextureSpeedFactor() const
{
    const ProgramColorFulWords* words = WorkingCopy();
    const ProgramColorEffect* texture = words->m_pTexture;
    if (texture == nullptr)
        return 0.0f;
    const CSize canvas = GetWordsTextExtent(words->m_font, words->m_text, words->m_strokeWidth);
    int width = canvas.cx;
    int height = canvas.cy;
    if (width < 1 || height < 1) {
        width = m_pDoc != nullptr ? m_pDoc->m_projectSettings.m_width : 0;
        height = m_pDoc != nullptr ? m_pDoc->m_projectSettings.m_height : 0;
    }
    float factor = WordsTextureSpeedFactor(words->m_orgFrames, texture->m_templates, texture->m_style, width, height);
    // Large fonts get a texture drawn at the size of a 48-pixel text and
    // stretched: its speed follows that smaller text.
    if (std::abs(static_cast<int>(words->m_font.lfHeight)) >= 97) {
        const int own = MeasureTextWidth(words->m_font.lfHeight);
        if (own > 0)
            factor = factor * static_cast<float>(MeasureTextWidth(-48)) / static_cast<float>(own);
    }
    return factor;
}

BOOL CDlgColorFullWords::BuildWordsProgram()
{
    ProgramColorFulWords* words = WorkingCopy();
    const int projectWidth = m_pDoc != nullptr ? m_pDoc->m_projectSettings.m_width : 0;
    const int projectHeight = m_pDoc != nullptr ? m_pDoc->m_projectSettings.m_height : 0;
    const int frameRate = m_pDoc != nullptr ? m_pDoc->m_projectSettings.m_frameRate : 0;
    BOOL previewable = TRUE;

    // The prompt is no text: the program has none until the user types.
    words->m_text = m_textBox.GetText();
    words->m_backgroundColor = m_backColorButton.GetColor();
    words->m_textColor = m_textColorButton.GetColor();
    words->m_textWidth = _wtoi(BoxText(m_textWidthBox));
    words->m_textSpacing = _wtoi(BoxText(m_spacingBox));
    words->m_font = m_font;
    if (words->m_text.IsEmpty())
        previewable = FALSE;

    words->m_orientation = Position(m_directionBox);
    words->m_mirror = Position(m_mirrorBox);
    words->m_reverse = IsDlgButtonChecked(IDC_CW_REVERSE) == BST_CHECKED ? 1 : 0;
    words->m_textureIndex = Position(m_textureBox);
    words->m_strokeType = static_cast<int>(SelectedData(m_strokeBox));
    words->m_strokeColor = m_strokeColorButton.GetColor();
    words->m_strokeWidth = Position(m_strokeWidthBox) + 1;

    // The texture, sized to the text.
    ProgramColorEffect* texture = words->m_pTexture;
    if (texture == nullptr) {
        texture = new ProgramColorEffect;
        texture->SetNode(new NodeInfo);
        words->SetTexture(texture);
    }
    texture->m_style = static_cast<int>(SelectedData(m_textureAnimBox, 20));
    words->m_textureSpeed = Position(m_textureSpeedBox);
    const float speed = words->m_textureSpeed != 0 ? static_cast<float>(words->m_textureSpeed) : 1.0f;
    texture->m_startSpeed = speed;
    texture->m_endSpeed = speed;
    const CSize extent = GetWordsTextExtent(words->m_font, words->m_text, words->m_strokeWidth);
    int canvasWidth = extent.cx;
    int canvasHeight = extent.cy;
    if (canvasWidth < 1 || canvasHeight < 1) {
        canvasWidth = projectWidth;
        canvasHeight = projectHeight;
    }
    texture->m_zoomFactor = 0.1f;
    texture->m_hTiles = 1;
    texture->m_vTiles = 1;
    texture->RemoveAllTemplates();
    if (m_pDoc != nullptr) {
        CSingleLock lock(&m_pDoc->m_mutex, TRUE);
        const int chosen = m_textureBox.GetCurSel();
        if (chosen >= 0 && chosen < m_pDoc->m_colourTemplates.GetSize())
            texture->m_templates.Add(ColorTemplate::Clone(m_pDoc->m_colourTemplates.GetAt(chosen)));
    }
    // Without a template there is nothing to fill the text with: it is drawn
    // in its colour.
    if (texture->m_templates.GetSize() == 0)
        words->m_useTextColor = 1;
    texture->m_startFrame = 1;
    texture->m_orgFrames = CountTextureFrames(canvasWidth, canvasHeight);
    texture->m_endFrame = texture->m_orgFrames;

    // Effects and their durations.
    words->m_enterEffect = static_cast<int>(SelectedData(m_enterBox));
    words->m_showWordEffect = static_cast<int>(SelectedData(m_showBox));
    words->m_leaveEffect = static_cast<int>(SelectedData(m_leaveBox));
    words->m_enterTime = LeadingNumber(BoxText(m_enterTimeBox));
    words->m_showWordTime = LeadingNumber(BoxText(m_showTimeBox));
    words->m_leaveTime = LeadingNumber(BoxText(m_leaveTimeBox));
    words->m_enterFrames = DurationFrames(words->m_enterTime, frameRate);
    words->m_showWordFrames = DurationFrames(words->m_showWordTime, frameRate);
    words->m_leaveFrames = DurationFrames(words->m_leaveTime, frameRate);
    if (words->m_enterTime + words->m_showWordTime + words->m_leaveTime == 0.0f)
        previewable = FALSE;

    words->m_startFrame = 1;
    words->m_orgFrames = words->m_showWordEffect == 1
        ? words->m_showWordFrames
        : words->m_enterFrames + words->m_showWordFrames + words->m_leaveFrames;

    const float factor = TextureSpeedFactor() * static_cast<float>(words->m_textureSpeed);
    if (factor > 0.0f) {
        texture->m_zoomFactor = factor;
        texture->m_orgFrames = CountTextureFrames(canvasWidth, canvasHeight);
        texture->m_endFrame = texture->m_orgFrames;
    }

    CString repeat;
    GetDlgItemText(IDC_CW_REPEAT, repeat);
    words->m_wordRepeatCount = std::max(1, _wtoi(repeat));
    words->m_endFrame = words->m_wordRepeatCount * words->m_orgFrames;
    SetPreviewFrames(words->m_endFrame);
    return previewable;
}

void CDlgColorFullWords::LoadWordsControls()
{
    const auto* program = dynamic_cast<const ProgramColorFulWords*>(m_pEditedProgram);
    if (program == nullptr)
        return;
    const bool wasLoading = m_loading;
    m_loading = true;
    if (program->m_text.IsEmpty())
        m_textBox.ShowPrompt(m_prompt);
    else
        m_textBox.SetWindowText(program->m_text);
    m_backColorButton.SetColor(program->m_backgroundColor);
    m_textColorButton.SetColor(program->m_textColor);
    CString text;
    text.Format(L"%d%%", program->m_textWidth);
    SelectComboText(m_textWidthBox, text);
    text.Format(L"%d", program->m_textSpacing);
    SelectComboText(m_spacingBox, text);
    m_font = program->m_font;
    ShowFontSize();
    if (program->m_orientation == 0 || program->m_orientation == 1) {
        m_directionBox.SetCurSel(program->m_orientation);
        OnDirectionChanged();
    }
    if (program->m_pTexture != nullptr)
        SelectComboData(m_textureAnimBox, static_cast<DWORD_PTR>(program->m_pTexture->m_style));
    if (program->m_textureSpeed >= 0 && program->m_textureSpeed < m_textureSpeedBox.GetCount())
        m_textureSpeedBox.SetCurSel(program->m_textureSpeed);
    SelectComboData(m_strokeBox, static_cast<DWORD_PTR>(program->m_strokeType));
    m_strokeColorButton.SetColor(program->m_strokeColor);
    if (program->m_strokeWidth >= 1 && program->m_strokeWidth <= m_strokeWidthBox.GetCount())
        m_strokeWidthBox.SetCurSel(program->m_strokeWidth - 1);
    SelectComboData(m_enterBox, static_cast<DWORD_PTR>(program->m_enterEffect));
    SelectComboData(m_showBox, static_cast<DWORD_PTR>(program->m_showWordEffect));
    SelectComboData(m_leaveBox, static_cast<DWORD_PTR>(program->m_leaveEffect));
    m_enterTimeBox.SetWindowText(ChosenTimeText(program->m_enterTime));
    m_showTimeBox.SetWindowText(ChosenTimeText(program->m_showWordTime));
    m_leaveTimeBox.SetWindowText(ChosenTimeText(program->m_leaveTime));
    WorkingCopy()->m_useTextColor = program->m_useTextColor;
    text.Format(L"%d", program->m_wordRepeatCount);
    SetDlgItemText(IDC_CW_REPEAT, text);
    CheckDlgButton(IDC_CW_REVERSE, program->m_reverse != 0 ? BST_CHECKED : BST_UNCHECKED);
    if (program->m_textureIndex >= 0 && program->m_textureIndex < m_textureBox.GetCount())
        m_textureBox.SetCurSel(program->m_textureIndex);
    if (program->m_mirror >= 0 && program->m_mirror < m_mirrorBox.GetCount())
        m_mirrorBox.SetCurSel(program->m_mirror);
    EnableEnterLeave(program->m_showWordEffect != 1);
    m_loading = wasLoading;
}

void CDlgColorFullWords::Rebuild()
{
    if (m_loading)
        return;
    if (BuildWordsProgram())
        RestartPreview();
}

void CDlgColorFullWords::OnChanged()
{
    Rebuild();
}

void CDlgColorFullWords::OnTextureAnimChanged()
{
    WorkingCopy()->m_useTextColor = m_textureAnimBox.GetCurSel() > 0 ? 0 : 1;
    Rebuild();
}

void CDlgColorFullWords::OnTextColorClicked()
{
    m_textureAnimBox.SetCurSel(0);
    WorkingCopy()->m_useTextColor = 1;
    Rebuild();
}

void CDlgColorFullWords::OnShowEffectChanged()
{
    EnableEnterLeave(SelectedData(m_showBox) != 1);
    Rebuild();
}

void CDlgColorFullWords::OnTimeChosen(UINT id)
{
    auto* box = static_cast<CComboBox*>(GetDlgItem(static_cast<int>(id)));
    if (box == nullptr || box->GetCurSel() < 0)
        return;
    CString entry;
    box->GetLBText(box->GetCurSel(), entry);
    PostMessage(WM_APPLY_TIME_TEXT, id, 0);
    m_pendingTimeText[id - IDC_CW_ENTER_TIME] = ChosenTimeText(LeadingNumber(entry));
}

LRESULT CDlgColorFullWords::OnApplyTimeText(WPARAM id, LPARAM)
{
    if (id < IDC_CW_ENTER_TIME || id > IDC_CW_LEAVE_TIME)
        return 0;
    CString& pending = m_pendingTimeText[id - IDC_CW_ENTER_TIME];
    if (pending.IsEmpty())
        return 0;
    SetDlgItemText(static_cast<int>(id), pending);
    pending.Empty();
    m_timeTyped[id - IDC_CW_ENTER_TIME] = false;
    Rebuild();
    return 0;
}

void CDlgColorFullWords::OnTimeTyped(UINT id)
{
    // The typed number counts at once; its text is tidied when the box is
    // left, so the caret is never moved while the user types.
    m_timeTyped[id - IDC_CW_ENTER_TIME] = true;
    Rebuild();
}

void CDlgColorFullWords::OnTimeLeft(UINT id)
{
    if (!m_timeTyped[id - IDC_CW_ENTER_TIME])
        return;
    m_timeTyped[id - IDC_CW_ENTER_TIME] = false;
    CString typed;
    GetDlgItemText(static_cast<int>(id), typed);
    SetDlgItemText(static_cast<int>(id), TypedTimeText(LeadingNumber(typed)));
    Rebuild();
}

void CDlgColorFullWords::OnRepeatChanged()
{
    CString text;
    GetDlgItemText(IDC_CW_REPEAT, text);
    if (text.IsEmpty() || _wtoi(text) < 1) {
        // Setting the text raises this notice again, which then rebuilds.
        SetDlgItemText(IDC_CW_REPEAT, L"1");
        return;
    }
    Rebuild();
}

void CDlgColorFullWords::OnFontSizeChosen()
{
    const int selection = m_fontSizeBox.GetCurSel();
    if (selection < 0)
        return;
    CString entry;
    m_fontSizeBox.GetLBText(selection, entry);
    m_font.lfHeight = -_wtoi(entry);
    Rebuild();
}

void CDlgColorFullWords::OnFontSizeTyped()
{
    const int typed = _wtoi(BoxText(m_fontSizeBox));
    m_font.lfHeight = -(typed < 8 ? 16 : typed);
    Rebuild();
}

void CDlgColorFullWords::OnFontButton()
{
    LOGFONTW font = m_font;
    COLORREF colour = 0;
    if (!AfxGetUiHost().PickFont(m_hWnd, font, colour, CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT))
        return;
    const LONG height = m_font.lfHeight;
    m_font = font;
    // The size box decides the height; an unreadable size keeps the old one.
    const int shown = _wtoi(BoxText(m_fontSizeBox));
    m_font.lfHeight = shown > 0 ? -shown : height;
    Rebuild();
}

void CDlgColorFullWords::OnDirectionChanged()
{
    if (m_directionBox.GetCurSel() == 1) {
        EnableEnterLeave(TRUE);
        FillVerticalEffectLists();
    } else {
        FillEffectLists();
        FillDirectionLists();
        EnableEnterLeave(SelectedData(m_showBox) != 1);
    }
    Rebuild();
}

void CDlgColorFullWords::OnOK()
{
    StopPreview();
    BuildWordsProgram();
    HandOver();
    EndAndNotify(IDOK);
}

void CDlgColorFullWords::OnCancel()
{
    StopPreview();
    EndAndNotify(IDCANCEL);
}
