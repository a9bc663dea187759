// The Zazez Urad editor: opening, frames and live preview, the pictures of
// the drawing thread, OK and Cancel. Items are in dlg_effect_plus_items.cpp,
// colours in dlg_effect_plus_colors.cpp, styles and block settings in
// dlg_effect_plus_styles.cpp.
#include "dlg_effect_plus.h"

#include "show_messages.h"
#include "tile_view.h"

#include <algorithm>
#include <cwchar>

namespace {

constexpr LPCWSTR kFadeNames[] = { L"NONE", L"1S", L"2S", L"3S", L"5S", L"10S" };
constexpr int kFadeSeconds[] = { 0, 1, 2, 3, 5, 10 };
constexpr LPCWSTR kMirrors[] = { L"无", L"水平镜像", L"垂直镜像", L"水平垂直镜像" };
constexpr LPCWSTR kTransitions[] = { L"8", L"16", L"32", L"64", L"128", L"256" };
constexpr LPCWSTR kShapes[] = { L"矩形", L"圆形", L"球形" };
constexpr int kPaletteIds[7] = { IDC_EP_PALETTE0, IDC_EP_PALETTE1, IDC_EP_PALETTE2, IDC_EP_PALETTE3, IDC_EP_PALETTE4,
    IDC_EP_PALETTE5, IDC_EP_PALETTE6 };

void FillNumbers(CWnd& dialog, int id, int last)
{
    HWND combo = ::GetDlgItem(dialog.m_hWnd, id);
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (int i = 1; i <= last; ++i) {
        CString text;
        text.Format(L"%d", i);
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
    }
    ::SendMessageW(combo, CB_SETCURSEL, 0, 0);
}

void FillTexts(CWnd& dialog, int id, std::initializer_list<LPCWSTR> texts)
{
    HWND combo = ::GetDlgItem(dialog.m_hWnd, id);
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    int index = 0;
    for (LPCWSTR text : texts) {
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        ::SendMessageW(combo, CB_SETITEMDATA, index, index);
        ++index;
    }
    ::SendMessageW(combo, CB_SETCURSEL, 0, 0);
}

} // namespace

CString PlusStyleName(const std::function<CString(LPCTSTR, int)>& texts, int code)
{
    CString name = texts ? texts(L"KVMENU", PlusStyleNameKey(code)) : CString();
    return name.IsEmpty() ? CString(L"UNKNOWN") : name;
}

IMPLEMENT_DYNAMIC(CDlgEffectPlus, CEffectEditorDialog)

BEGIN_MESSAGE_MAP(CDlgEffectPlus, CEffectEditorDialog)
ON_MESSAGE(WM_PLUS_STRIP_READY, OnStripReady)
ON_MESSAGE(WM_PLUS_PICTURES_READY, OnPicturesReady)
ON_MESSAGE(WM_SNAPSHOT_PICKED, OnSnapshotPicked)
ON_MESSAGE(WM_TRACKER_MOVED, OnTrackerMoved)
ON_MESSAGE(WM_LBUTTONDOWN, OnBarLButtonDown)
ON_MESSAGE(WM_RBUTTONDOWN, OnBarRButtonDown)
ON_MESSAGE(WM_LBUTTONDBLCLK, OnBarDoubleClick)
ON_MESSAGE(WM_TILE_SELECTED, OnTileSelected)
ON_MESSAGE(WM_TILE_DELETE, OnTileDelete)
ON_WM_MOVE()
ON_EN_KILLFOCUS(IDC_EP_FRAMES, OnFramesKillFocus)
ON_CBN_SELCHANGE(IDC_EP_STEP, OnStepChosen)
ON_CBN_KILLFOCUS(IDC_EP_STEP, OnStepKillFocus)
ON_CBN_SELCHANGE(IDC_EP_REPEAT, OnRepeatChosen)
ON_CBN_KILLFOCUS(IDC_EP_REPEAT, OnRepeatKillFocus)
ON_CBN_SELCHANGE(IDC_EP_HTILES, OnApplyAndRestart)
ON_CBN_SELCHANGE(IDC_EP_VTILES, OnApplyAndRestart)
ON_CBN_SELCHANGE(IDC_EP_FADE_IN, OnApplyAndRestart)
ON_CBN_SELCHANGE(IDC_EP_FADE_OUT, OnApplyAndRestart)
ON_CBN_SELCHANGE(IDC_EP_MIRROR, OnApplyAndRestart)
ON_CBN_SELCHANGE(IDC_EP_BLOCK_SHAPE, OnApplyAndRestart)
ON_CBN_EDITCHANGE(IDC_EP_BLOCK_HEIGHT, OnApplyAndRestart)
ON_CBN_EDITCHANGE(IDC_EP_INTERVAL, OnApplyAndRestart)
ON_CBN_EDITCHANGE(IDC_EP_BLOCK_COUNT, OnApplyAndRestart)
ON_BN_CLICKED(IDC_EP_BREATHING, OnApplyAndRestart)
ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_EP_BLOCK_HEIGHT, IDC_EP_BLOCK_HEIGHT, OnBlockListChosen)
ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_EP_INTERVAL, IDC_EP_INTERVAL, OnBlockListChosen)
ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_EP_BLOCK_COUNT, IDC_EP_BLOCK_COUNT, OnBlockListChosen)
ON_CBN_SELCHANGE(IDC_EP_BLOCK_WIDTH, OnBlockWidthChosen)
ON_CBN_EDITCHANGE(IDC_EP_BLOCK_WIDTH, OnBlockWidthTyped)
ON_CBN_DROPDOWN(IDC_EP_STYLE, OnStyleDropDown)
ON_BN_CLICKED(IDC_EP_ADD_CURRENT, OnAddCurrent)
ON_BN_CLICKED(IDC_EP_REMOVE_ITEM, OnRemoveItem)
ON_BN_CLICKED(IDC_EP_ITEM_LIST, OnItemList)
ON_CONTROL_RANGE(BN_CLICKED, IDC_EP_PALETTE0, IDC_EP_PALETTE6, OnPaletteButton)
ON_BN_CLICKED(IDC_EP_CLEAR, OnClearColors)
ON_BN_CLICKED(IDC_EP_DELETE_COLOR, OnDeleteColor)
ON_BN_CLICKED(IDC_EP_REMOVE_STOP, OnRemoveStop)
ON_BN_CLICKED(IDC_EP_FILL, OnFillMenu)
ON_COMMAND_RANGE(ID_EP_FILL2, ID_EP_FILL4, OnFill)
ON_BN_CLICKED(IDC_EP_TEMPLATE, OnColorTemplate)
ON_CBN_SELCHANGE(IDC_EP_TRANSITION, OnTransitionChosen)
ON_CBN_EDITCHANGE(IDC_EP_TRANSITION, OnTransitionTyped)
ON_BN_CLICKED(IDC_EP_GRADIENT, OnGradientClicked)
ON_BN_CLICKED(IDC_EP_ADD_CUSTOM, OnAddCustom)
ON_BN_CLICKED(IDC_EP_SAVE, OnSave)
ON_COMMAND(ID_EP_IMPORT, OnImport)
ON_COMMAND(ID_EP_EXPORT, OnExport)
END_MESSAGE_MAP()

CDlgEffectPlus::CDlgEffectPlus()
    : CEffectEditorDialog(IDD_EFFECT_PLUS_EDITOR, IDD_EDITOR_COLOR_PLUS)
{
    m_pPreview = new ProgramColorEffectPlusArray;
    m_pCurrent = new ProgramColorEffectPlus;
    m_pCurrent->m_orgFrames = 0;
    m_pCurrent->m_endFrame = 0;
    m_pCurrent->m_bandWidth = 1;
    m_pPreview->m_items.Add(m_pCurrent);
    // The preview plays the current item alone; OK hands over the sequence.
    m_pWorkingCopy = m_pPreview;
    m_shared.sequence = &m_sequence.m_items;
}

CDlgEffectPlus::~CDlgEffectPlus()
{
    // The drawing thread reads this object: it goes first.
    m_worker.Stop();
    ClosePopList();
    if (m_hWnd != nullptr)
        DestroyWindow();
    if (m_styleMenu != nullptr)
        ::DestroyMenu(m_styleMenu);
    for (int p = 0; p < PLUS_PIC_COUNT; ++p) {
        if (m_memDC[p].GetSafeHdc() != nullptr && m_originalBitmap[p] != nullptr)
            ::SelectObject(m_memDC[p].GetSafeHdc(), m_originalBitmap[p]);
        m_shown[p].Reset();
    }
    FreeSnapshots();
}

void CDlgEffectPlus::DoDataExchange(CDataExchange* pDX)
{
    CEffectEditorDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EP_SEQUENCE_BAR, m_sequenceBar);
    DDX_Control(pDX, IDC_EP_COLOR_BAR, m_colorBar);
    DDX_Control(pDX, IDC_EP_PALETTE, m_paletteBar);
    DDX_Control(pDX, IDC_EP_CUSTOM_BAR, m_customBar);
    for (int r = 0; r < 7; ++r)
        DDX_Control(pDX, kPaletteIds[r], m_paletteButtons[r]);
    DDX_Control(pDX, IDC_EP_CURRENT_COLOR, m_currentColor);
    DDX_Control(pDX, IDC_EP_FRAMES_SPIN, m_framesSpin);
    DDX_Check(pDX, IDC_EP_GRADIENT, m_gradient);
}

BOOL CDlgEffectPlus::OnInitDialog()
{
    CEffectEditorDialog::OnInitDialog();
    // 1. The menu bar.
    if (m_menuBar.CreateMenu()) {
        CString import = LangText(L"KVMENU", 67);
        CString exportText = LangText(L"KVMENU", 68);
        ::AppendMenuW(
            m_menuBar.GetSafeHmenu(), MF_STRING, ID_EP_IMPORT, import.IsEmpty() ? L"导入" : import.GetString());
        ::AppendMenuW(
            m_menuBar.GetSafeHmenu(), MF_STRING, ID_EP_EXPORT, exportText.IsEmpty() ? L"导出" : exportText.GetString());
        // The bar takes its height from the client area: the window grows by it.
        CRect before;
        GetClientRect(&before);
        SetMenu(&m_menuBar);
        CRect after, window;
        GetClientRect(&after);
        GetWindowRect(&window);
        SetWindowPos(nullptr, 0, 0, window.Width(), window.Height() + before.Height() - after.Height(),
            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // 2, 3. Drawing contexts, palette and bars.
    CreateDrawingContexts();
    FitPalette();
    m_paletteBar.m_hCursor = ::LoadCursorW(nullptr, IDC_CROSS);
    m_paletteBar.m_bReportDrag = TRUE;
    m_colorBar.m_hCursor = ::LoadCursorW(nullptr, IDC_HAND);
    m_colorBar.m_bReportDrag = TRUE;
    // 4. Block controls hidden.
    ShowBlockControls(false);
    // 5. The custom colour bar's start stops.
    CRect custom;
    m_customBar.GetClientRect(&custom);
    m_customBar.m_hCursor = ::LoadCursorW(nullptr, IDC_CROSS);
    m_customBar.m_bReportDrag = TRUE;
    m_customBar.m_bReportLButtonDown = TRUE;
    m_customBar.m_bReportRButtonDown = TRUE;
    CRect colorBar, sequenceBar, palette;
    m_colorBar.GetClientRect(&colorBar);
    m_sequenceBar.GetClientRect(&sequenceBar);
    m_paletteBar.GetClientRect(&palette);
    {
        PlusGuard guard(m_shared.lock);
        m_shared.stops = StartCustomStops(custom.Width(), custom.Height());
        m_shared.customBarSize = custom.Size();
        m_shared.colorBarSize = colorBar.Size();
        m_shared.sequenceBarSize = sequenceBar.Size();
        m_shared.paletteSize = palette.Size();
        m_shared.gradient = true;
    }
    // 6, 7. Tiles, lists, style menu.
    CreateTileView();
    FillLists();
    BuildPlusStyleMenu();
    // 8. Colours, transition count, frames spin.
    for (int r = 0; r < 7; ++r)
        m_paletteButtons[r].SetColor(kPlusPaletteColors[r]);
    m_currentColor.SetColor(RGB(255, 0, 0));
    m_framesSpin.SetRange32(1, 32767);
    m_framesSpin.SetBuddy(GetDlgItem(IDC_EP_FRAMES));
    SetFramesBox(0);
    // 9. Texts.
    Localize();

    if (m_editMode != 0 && m_pEditedProgram != nullptr
        && m_pEditedProgram->IsKindOf(RUNTIME_CLASS(ProgramColorEffectPlusArray))) {
        PlusGuard guard(m_shared.lock);
        ProgramColorEffectPlusArray::CopyFrom(&m_sequence, static_cast<ProgramColorEffectPlusArray*>(m_pEditedProgram));
    }

    // 10. The drawing thread draws every bar once.
    m_worker.Start(m_hWnd);
    Redraw(PLUS_DRAW_ALL);
    // 11. The preview segment plays the current item; playback waits for colours.
    MakePreviewSegment();
    m_pCurrent->m_startFrame = 1;
    m_pCurrent->m_endFrame = m_pCurrent->m_orgFrames;
    return TRUE;
}

void CDlgEffectPlus::CreateDrawingContexts()
{
    CClientDC dc(this);
    for (int p = 0; p < PLUS_PIC_COUNT; ++p)
        m_memDC[p].CreateCompatibleDC(&dc);
}

void CDlgEffectPlus::FitPalette()
{
    CRect rect;
    m_paletteBar.GetWindowRect(&rect);
    ScreenToClient(&rect);
    const int width = std::max(kPaletteColumns, rect.Width() / kPaletteColumns * kPaletteColumns);
    const int height = std::max(kPaletteRows, rect.Height() / kPaletteRows * kPaletteRows);
    m_paletteBar.SetWindowPos(nullptr, rect.left, rect.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDlgEffectPlus::FillLists()
{
    HWND transition = ::GetDlgItem(m_hWnd, IDC_EP_TRANSITION);
    ::SendMessageW(transition, CB_RESETCONTENT, 0, 0);
    for (LPCWSTR text : kTransitions)
        ::SendMessageW(transition, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    ::SendMessageW(transition, CB_SETCURSEL, 1, 0);
    m_transition = 16;
    for (int id : { IDC_EP_REPEAT, IDC_EP_STEP, IDC_EP_HTILES, IDC_EP_VTILES, IDC_EP_BLOCK_WIDTH, IDC_EP_BLOCK_HEIGHT,
             IDC_EP_INTERVAL, IDC_EP_BLOCK_COUNT })
        FillNumbers(*this, id, 10);
    FillTexts(*this, IDC_EP_MIRROR, { kMirrors[0], kMirrors[1], kMirrors[2], kMirrors[3] });
    for (int id : { IDC_EP_FADE_IN, IDC_EP_FADE_OUT }) {
        FillTexts(
            *this, id, { kFadeNames[0], kFadeNames[1], kFadeNames[2], kFadeNames[3], kFadeNames[4], kFadeNames[5] });
        for (int i = 0; i < 6; ++i)
            SendDlgItemMessageW(m_hWnd, id, CB_SETITEMDATA, i, kFadeSeconds[i]);
    }
    FillTexts(*this, IDC_EP_BLOCK_SHAPE, { kShapes[0], kShapes[1], kShapes[2] });
    CheckDlgButton(IDC_EP_BREATHING, BST_UNCHECKED);
    CheckDlgButton(IDC_EP_GRADIENT, BST_CHECKED);
}

void CDlgEffectPlus::Localize()
{
    const int mirrorKeys[] = { 37, 38, 39, 40 };
    LocalizeComboItems(IDC_EP_MIRROR, L"ITEM_TITLE", mirrorKeys, 4);
    // No fade speaks the user's language, as in the colour-effect editor.
    const int fadeKeys[] = { 37 };
    LocalizeComboItems(IDC_EP_FADE_IN, L"ITEM_TITLE", fadeKeys, 1);
    LocalizeComboItems(IDC_EP_FADE_OUT, L"ITEM_TITLE", fadeKeys, 1);
    static const CtrlLabel labels[] = { { IDOK, L"ITEM_TITLE", 33 }, { IDCANCEL, L"ITEM_TITLE", 34 },
        { IDC_EP_GROUP_COLORS, L"ITEM_TITLE", 163 }, { IDC_EP_FILL, L"KVMENU", 69 }, { IDC_EP_TEMPLATE, L"KVMENU", 70 },
        { IDC_EP_ADD_CURRENT, L"ITEM_TITLE", 164 }, { IDC_EP_CLEAR, L"ITEM_TITLE", 44 },
        { IDC_EP_DELETE_COLOR, L"ITEM_TITLE", 165 }, { IDC_EP_SAVE, L"ITEM_TITLE", 166 },
        { IDC_EP_LABEL_CURRENT, L"ITEM_TITLE", 154 }, { IDC_EP_LABEL_TRANSITION, L"ITEM_TITLE", 157 },
        { IDC_EP_LABEL_REPEAT, L"ITEM_TITLE", 155 }, { IDC_EP_LABEL_STEP, L"ITEM_TITLE", 156 },
        { IDC_EP_LABEL_STYLE, L"ITEM_TITLE", 41 }, { IDC_EP_LABEL_FRAMES, L"ITEM_TITLE", 158 },
        { IDC_EP_LABEL_HTILES, L"ITEM_TITLE", 25 }, { IDC_EP_LABEL_VTILES, L"ITEM_TITLE", 26 },
        { IDC_EP_LABEL_MIRROR, L"ITEM_TITLE", 43 }, { IDC_EP_LABEL_FADE_IN, L"ITEM_TITLE", 35 },
        { IDC_EP_LABEL_FADE_OUT, L"ITEM_TITLE", 36 }, { IDC_EP_GROUP_CUSTOM, L"ITEM_TITLE", 159 },
        { IDC_EP_LABEL_CUSTOM, L"ITEM_TITLE", 160 }, { IDC_EP_GRADIENT, L"ITEM_TITLE", 161 },
        { IDC_EP_ADD_CUSTOM, L"ITEM_TITLE", 162 }, { IDC_EP_LABEL_BLOCK_WIDTH, L"ITEM_TITLE", 120 },
        { IDC_EP_LABEL_BLOCK_HEIGHT, L"ITEM_TITLE", 121 }, { IDC_EP_LABEL_INTERVAL, L"ITEM_TITLE", 271 },
        { IDC_EP_LABEL_BLOCK_COUNT, L"ITEM_TITLE", 272 }, { IDC_EP_LABEL_BLOCK_SHAPE, L"ITEM_TITLE", 264 },
        { IDC_EP_BREATHING, L"ITEM_TITLE", 275 } };
    LocalizeItems(labels);
    // Rectangle, circle and sphere, in the order of the stored shape numbers.
    const int shapeKeys[] = { 268, 267, 274 };
    LocalizeComboItems(IDC_EP_BLOCK_SHAPE, L"ITEM_TITLE", shapeKeys, 3);
    const CString other = LangText(L"ITEM_TITLE", 191);
    for (CSkinColorButton& button : m_paletteButtons)
        button.EnableOtherButton(other);
    m_currentColor.EnableOtherButton(other);
    m_colorBar.m_strMessage = LangText(L"ITEM_TITLE", 201);
    m_sequenceBar.m_strMessage = LangText(L"ITEM_TITLE", 200);
}

CString CDlgEffectPlus::GetPlusStyleName(int code) const
{
    if (m_pDoc == nullptr)
        return L"UNKNOWN";
    return PlusStyleName([this](LPCTSTR section, int key) { return LangText(section, key); }, code);
}

// ---------------------------------------------------------------------------
// Frames and the live preview

int CDlgEffectPlus::ComputeItemFrames(int w)
{
    if (w <= 0)
        return 0;
    PlusFrameBasis basis;
    basis.style = m_style;
    basis.blockWidth = m_pCurrent->m_bandWidth;
    if (m_pDoc != nullptr) {
        CSingleLock lock(&m_pDoc->m_mutex, TRUE);
        m_pCurrent->m_colorCount = w;
        basis.projectWidth = m_pDoc->m_projectSettings.m_width;
        basis.projectHeight = m_pDoc->m_projectSettings.m_height;
        basis.longestPort = m_pDoc->m_maxPixelsPerPort;
    } else {
        m_pCurrent->m_colorCount = w;
    }
    return ComputePlusFrames(w, basis);
}

bool CDlgEffectPlus::ApplyToCurrentItem()
{
    UpdateData(TRUE);
    m_frames = FramesBox();
    if (m_pDoc == nullptr)
        return false;
    CSingleLock lock(&m_pDoc->m_mutex, TRUE);
    ColorStripList strips;
    {
        PlusGuard guard(m_shared.lock);
        if (m_shared.colors.GetSize() == 0)
            return false;
        for (INT_PTR i = 0; i < m_shared.colors.GetSize(); ++i) {
            if (m_shared.colors.GetAt(i)->m_stops.GetSize() > 0)
                strips.Add(ColorTemplateArrayEx::Clone(m_shared.colors.GetAt(i)));
        }
    }
    ProgramColorEffectPlus& item = *m_pCurrent;
    item.m_orgFrames = m_frames;
    item.m_endFrame = m_frames;
    item.m_startFrame = 1;
    item.m_style = m_style;
    item.m_hTiles = std::max(ComboIndex(IDC_EP_HTILES), 0) + 1;
    item.m_vTiles = std::max(ComboIndex(IDC_EP_VTILES), 0) + 1;
    auto fadeSeconds = [this](int id) {
        const int index = ComboIndex(id);
        return index < 0 ? 0 : static_cast<int>(SendDlgItemMessageW(m_hWnd, id, CB_GETITEMDATA, index, 0));
    };
    item.m_fadeInTime = fadeSeconds(IDC_EP_FADE_IN);
    item.m_fadeOutTime = fadeSeconds(IDC_EP_FADE_OUT);
    item.m_mirror = std::max(ComboIndex(IDC_EP_MIRROR), 0);
    item.RemoveAllStrips();
    item.m_strips.Append(strips);
    strips.RemoveAll();
    ReadRandomSettings();
    if (m_style == ProgramColorEffectPlus::STYLE_FIXTURE_SCAN)
        ProgramColorEffectPlus::SetRandomAnimation(&item, m_pDoc->m_pPixelMap);
    else
        ProgramColorEffectPlus::SetRandomAnimation(&item, &m_random);
    m_pPreview->UpdateTotalFrames();
    SetPreviewFrames(m_pPreview->m_orgFrames);
    return m_frames > 0;
}

void CDlgEffectPlus::StopPlayback()
{
    StopPreview();
}

void CDlgEffectPlus::Restart()
{
    RestartPreview();
}

void CDlgEffectPlus::ApplyAndRestart()
{
    if (ApplyToCurrentItem())
        Restart();
}

void CDlgEffectPlus::SetFramesBox(int frames)
{
    SetDlgItemInt(IDC_EP_FRAMES, static_cast<UINT>(std::max(frames, 0)), FALSE);
    m_frames = frames;
}

int CDlgEffectPlus::FramesBox() const
{
    BOOL ok = FALSE;
    const UINT value = ::GetDlgItemInt(m_hWnd, IDC_EP_FRAMES, &ok, FALSE);
    return ok ? static_cast<int>(std::min<UINT>(value, 0x7FFFFFFF)) : 0;
}

int CDlgEffectPlus::ComboNumber(int id) const
{
    wchar_t text[64] = {};
    ::GetDlgItemTextW(m_hWnd, id, text, 63);
    return static_cast<int>(std::wcstol(text, nullptr, 10));
}

int CDlgEffectPlus::ComboIndex(int id) const
{
    return static_cast<int>(::SendDlgItemMessageW(m_hWnd, id, CB_GETCURSEL, 0, 0));
}

LRESULT CDlgEffectPlus::OnStripReady(WPARAM wParam, LPARAM)
{
    TakePictures();
    StopPlayback();
    const int w = static_cast<int>(wParam);
    if (w > 0) {
        SetFramesBox(std::max(FramesBox(), ComputeItemFrames(w)));
        ApplyAndRestart();
    }
    return 0;
}

LRESULT CDlgEffectPlus::OnPicturesReady(WPARAM, LPARAM)
{
    TakePictures();
    return 0;
}

void CDlgEffectPlus::OnFramesKillFocus()
{
    StopPlayback();
    const int frames = FramesBox();
    int width = 0;
    {
        PlusGuard guard(m_shared.lock);
        width = ColorListWidth(m_shared.colors);
    }
    if (width > 0 && frames > 0) {
        if (frames < 7)
            SetFramesBox(7);
        ApplyAndRestart();
    }
}

void CDlgEffectPlus::OnStepChosen()
{
    const int s = std::max(ComboIndex(IDC_EP_STEP), 0) + 1;
    m_pCurrent->m_stepLength = s;
    if (m_pCurrent->m_colorCount != 0) {
        const int repeatIndex = ComboIndex(IDC_EP_REPEAT);
        const int r = repeatIndex >= 0 ? repeatIndex + 1 : std::max(ComboNumber(IDC_EP_REPEAT), 1);
        SetFramesBox(ComputeItemFrames(m_pCurrent->m_colorCount) / s * r);
        ApplyAndRestart();
    }
}

void CDlgEffectPlus::OnStepKillFocus()
{
    const int s = ComboNumber(IDC_EP_STEP);
    if (s >= 1 && m_pCurrent->m_colorCount != 0) {
        m_pCurrent->m_stepLength = s;
        SetFramesBox(std::max(FramesBox(), ComputeItemFrames(m_pCurrent->m_colorCount) * s));
        ApplyAndRestart();
    }
}

void CDlgEffectPlus::OnRepeatChosen()
{
    const int r = std::max(ComboIndex(IDC_EP_REPEAT), 0) + 1;
    if (m_pCurrent->m_colorCount != 0) {
        const int stepIndex = ComboIndex(IDC_EP_STEP);
        const int s = stepIndex >= 0 ? stepIndex + 1 : std::max(ComboNumber(IDC_EP_STEP), 1);
        SetFramesBox(ComputeItemFrames(m_pCurrent->m_colorCount) / s * r);
        m_pCurrent->m_repeatCount = r;
        ApplyAndRestart();
    }
}

void CDlgEffectPlus::OnRepeatKillFocus()
{
    const int r = ComboNumber(IDC_EP_REPEAT);
    if (r >= 1 && m_pCurrent->m_colorCount != 0) {
        m_pCurrent->m_repeatCount = r;
        SetFramesBox(ComputeItemFrames(m_pCurrent->m_colorCount) * r);
        ApplyAndRestart();
    }
}

void CDlgEffectPlus::OnApplyAndRestart()
{
    ApplyAndRestart();
}

// ---------------------------------------------------------------------------
// Pictures from the drawing thread

void CDlgEffectPlus::TakePictures()
{
    PlusPictures pictures = m_worker.TakePictures();
    CColorShowBar* bars[PLUS_PIC_COUNT] = { &m_colorBar, &m_paletteBar, &m_paletteBar, &m_sequenceBar, &m_customBar };
    for (int p = 0; p < PLUS_PIC_COUNT; ++p) {
        if ((pictures.mask & (1u << p)) == 0 || !pictures.pictures[p] || m_memDC[p].GetSafeHdc() == nullptr)
            continue;
        HGDIOBJ previous = ::SelectObject(m_memDC[p].GetSafeHdc(), pictures.pictures[p].Get());
        if (m_originalBitmap[p] == nullptr)
            m_originalBitmap[p] = previous;
        m_shown[p] = std::move(pictures.pictures[p]);
        bars[p]->m_pSrcDC = &m_memDC[p];
        if (p == PLUS_PIC_COLORS || p == PLUS_PIC_SEQUENCE) {
            const int width = p == PLUS_PIC_COLORS ? pictures.colorWidth : pictures.sequenceWidth;
            bars[p]->m_bTooShort = width > 0 ? FALSE : TRUE;
            bars[p]->m_bShowNumber = width > 0 ? TRUE : FALSE;
            bars[p]->m_nNumber = width;
        }
        bars[p]->Invalidate(FALSE);
    }
    if (pictures.snapshotsMade) {
        FreeSnapshots();
        for (PlusSnapshotPicture& made : pictures.snapshots) {
            auto* snap = new S_EffectSnap;
            snap->m_pThumb = new CBitmap;
            snap->m_pThumb->Attach(made.thumb.Release());
            snap->m_style = made.style;
            snap->m_name = GetPlusStyleName(made.style);
            m_snapshots.Add(snap);
            m_snapshotItems.push_back(made.item);
        }
        // An open list shows the new thumbnails, never freed ones.
        if (m_pPopList != nullptr && m_pPopList->TileView() != nullptr) {
            CMyColorView* tiles = m_pPopList->TileView();
            tiles->RemoveAllItems();
            for (INT_PTR i = 0; i < m_snapshots.GetSize(); ++i)
                tiles->AddNamedItem(m_snapshots.GetAt(i)->m_pThumb, m_snapshots.GetAt(i)->m_name, static_cast<int>(i));
            PlacePopList();
        }
    }
}

void CDlgEffectPlus::FreeSnapshots()
{
    for (INT_PTR i = 0; i < m_snapshots.GetSize(); ++i) {
        delete m_snapshots.GetAt(i)->m_pThumb;
        delete m_snapshots.GetAt(i);
    }
    m_snapshots.RemoveAll();
    m_snapshotItems.clear();
}

// ---------------------------------------------------------------------------
// OK, Cancel, tear-down

void CDlgEffectPlus::HandOverSequence()
{
    if (m_pDoc == nullptr)
        return;
    if (m_editMode != 0 && m_pEditedProgram != nullptr)
        m_pDoc->UpdateProgram(&m_sequence, m_pEditedProgram);
    else
        m_pDoc->AddProgram(&m_sequence);
}

void CDlgEffectPlus::OnOK()
{
    if (m_sequence.m_items.GetSize() == 0) {
        // Only added items make the program: say so rather than ignore OK.
        CString text = LangText(L"ITEM_TITLE", 207);
        AfxMessageBox(text.IsEmpty() ? CString(L"请选择素材!") : text);
        return;
    }
    StopPlayback();
    m_sequence.UpdateTotalFrames();
    HandOverSequence();
    EndAndNotify(IDOK);
}

void CDlgEffectPlus::OnCancel()
{
    StopPlayback();
    EndAndNotify(IDCANCEL);
}

void CDlgEffectPlus::DestroyEditor()
{
    m_worker.Stop();
    ClosePopList();
    CEffectEditorDialog::DestroyEditor();
    if (m_styleMenu != nullptr) {
        ::DestroyMenu(m_styleMenu);
        m_styleMenu = nullptr;
    }
}
