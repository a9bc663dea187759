// The colour-effect editor: controls, template list, preview and hand-over.
#include "dlg_color_chioce.h"

#include <afxdlgs.h>
#include <fw_langtext.h>

#include "color_effect_values.h"
#include "color_strips.h"
#include "dlg_color_template.h"
#include "program_color_effect.h"
#include "show_messages.h"
#include "template_files.h"
#include "tile_view.h"

#include <climits>
#include <cmath>

namespace {

constexpr LPCWSTR kStyleNames[] = { L"变色", L"闪烁", L"上移", L"下移", L"左移", L"右移", L"垂直扩展", L"垂直收缩",
    L"水平扩展", L"水平收缩", L"左上移", L"右上移", L"左下移", L"右下移", L"矩形扩展", L"矩形收缩", L"圆形扩展",
    L"圆形收缩", L"菱形扩展", L"菱形收缩" };
constexpr LPCWSTR kZooms[] = { L"5%", L"10%", L"15%", L"25%", L"33%", L"50%", L"66%", L"100%", L"150%", L"200%" };
constexpr LPCWSTR kSpeeds[]
    = { L"0.10x", L"0.20x", L"0.33x", L"0.50x", L"0.75x", L"1.00x", L"2.00x", L"3.00x", L"4.00x", L"5.00x" };
constexpr LPCWSTR kFadeNames[] = { L"NONE", L"1S", L"2S", L"3S", L"5S", L"10S" };
constexpr int kFadeSeconds[] = { 0, 1, 2, 3, 5, 10 };
constexpr LPCWSTR kMirrors[] = { L"无", L"水平镜像", L"垂直镜像", L"水平垂直镜像" };
constexpr int kStripStep = 256; // strip pixels of one colour step
constexpr LPCWSTR kTemplateFilter = L"Video Files(*.ct)|*.ct||";

void FillCombo(CComboBox& box, const LPCWSTR* texts, int count)
{
    box.ResetContent();
    for (int i = 0; i < count; ++i)
        box.AddString(texts[i]);
}

int ComboData(const CComboBox& box, int fallback)
{
    const int sel = box.GetCurSel();
    return sel >= 0 ? static_cast<int>(box.GetItemData(sel)) : fallback;
}

} // namespace

LRESULT CStripShowBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT && m_pLock != nullptr) {
        std::lock_guard<std::mutex> guard(*m_pLock);
        return CColorShowBar::WindowProc(message, wParam, lParam);
    }
    return CColorShowBar::WindowProc(message, wParam, lParam);
}

IMPLEMENT_DYNAMIC(CDlgColorChioce, CEffectEditorDialog)

BEGIN_MESSAGE_MAP(CDlgColorChioce, CEffectEditorDialog)
ON_CBN_SELCHANGE(IDC_CE_STYLE, OnStyleOrZoomChanged)
ON_CBN_SELCHANGE(IDC_CE_ZOOM, OnStyleOrZoomChanged)
ON_CBN_SELCHANGE(IDC_CE_HTILES, OnOtherComboChanged)
ON_CBN_SELCHANGE(IDC_CE_VTILES, OnOtherComboChanged)
ON_CBN_SELCHANGE(IDC_CE_START_SPEED, OnOtherComboChanged)
ON_CBN_SELCHANGE(IDC_CE_END_SPEED, OnOtherComboChanged)
ON_CBN_SELCHANGE(IDC_CE_FADE_IN, OnOtherComboChanged)
ON_CBN_SELCHANGE(IDC_CE_FADE_OUT, OnOtherComboChanged)
ON_CBN_SELCHANGE(IDC_CE_MIRROR, OnOtherComboChanged)
ON_MESSAGE(WM_TILE_SELECTED, OnTileSelected)
ON_BN_CLICKED(IDC_CE_REMOVE_LAST, OnRemoveLast)
ON_BN_CLICKED(IDC_CE_CLEAR, OnClear)
ON_COMMAND_RANGE(ID_CE_FILL2, ID_CE_FILL4, OnFill)
ON_COMMAND(ID_CE_TEMPLATE_PICKER, OnTemplatePicker)
ON_COMMAND(ID_CE_IMPORT, OnImport)
ON_COMMAND(ID_CE_EXPORT, OnExport)
END_MESSAGE_MAP()

CDlgColorChioce::CDlgColorChioce()
    : CEffectEditorDialog(IDD_COLOR_EFFECT_EDITOR, IDD_EDITOR_COLOR_EFFECT)
{
    auto* effect = new ProgramColorEffect;
    effect->m_programType = PROGRAM_TYPE_COLOR_EFFECT;
    effect->m_orgFrames = 0;
    m_pWorkingCopy = effect;
    m_strip.m_pLock = &m_stripMutex;
}

CDlgColorChioce::~CDlgColorChioce()
{
    // The strip thread draws into this object: it goes first.
    StopStripThread();
    if (m_hWnd != nullptr)
        DestroyWindow();
    if (m_memDC.GetSafeHdc() != nullptr) {
        if (m_originalBitmap != nullptr)
            ::SelectObject(m_memDC.GetSafeHdc(), m_originalBitmap);
        m_memDC.DeleteDC();
    }
    if (m_stripBitmap != nullptr)
        ::DeleteObject(m_stripBitmap);
    FreeColorTemplates(m_chosen);
}

ProgramColorEffect* CDlgColorChioce::WorkingCopy() const
{
    return static_cast<ProgramColorEffect*>(m_pWorkingCopy);
}

void CDlgColorChioce::DoDataExchange(CDataExchange* pDX)
{
    CEffectEditorDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CE_STYLE, m_styleBox);
    DDX_Control(pDX, IDC_CE_ZOOM, m_zoomBox);
    DDX_Control(pDX, IDC_CE_HTILES, m_hTileBox);
    DDX_Control(pDX, IDC_CE_VTILES, m_vTileBox);
    DDX_Control(pDX, IDC_CE_START_SPEED, m_startSpeedBox);
    DDX_Control(pDX, IDC_CE_END_SPEED, m_endSpeedBox);
    DDX_Control(pDX, IDC_CE_FADE_IN, m_fadeInBox);
    DDX_Control(pDX, IDC_CE_FADE_OUT, m_fadeOutBox);
    DDX_Control(pDX, IDC_CE_MIRROR, m_mirrorBox);
    DDX_Control(pDX, IDC_CE_STRIP, m_strip);
    DDX_CBIndex(pDX, IDC_CE_STYLE, m_styleIndex);
    DDX_CBString(pDX, IDC_CE_ZOOM, m_zoomText);
    DDX_CBIndex(pDX, IDC_CE_HTILES, m_hTileIndex);
    DDX_CBIndex(pDX, IDC_CE_VTILES, m_vTileIndex);
    DDX_CBString(pDX, IDC_CE_START_SPEED, m_startSpeedText);
    DDX_CBString(pDX, IDC_CE_END_SPEED, m_endSpeedText);
}

BOOL CDlgColorChioce::OnInitDialog()
{
    // Bind the controls; the lists are filled below, so no values go out yet.
    {
        CDataExchange dx(this, TRUE);
        DDX_Control(&dx, IDC_CE_STYLE, m_styleBox);
        DDX_Control(&dx, IDC_CE_ZOOM, m_zoomBox);
        DDX_Control(&dx, IDC_CE_HTILES, m_hTileBox);
        DDX_Control(&dx, IDC_CE_VTILES, m_vTileBox);
        DDX_Control(&dx, IDC_CE_START_SPEED, m_startSpeedBox);
        DDX_Control(&dx, IDC_CE_END_SPEED, m_endSpeedBox);
        DDX_Control(&dx, IDC_CE_FADE_IN, m_fadeInBox);
        DDX_Control(&dx, IDC_CE_FADE_OUT, m_fadeOutBox);
        DDX_Control(&dx, IDC_CE_MIRROR, m_mirrorBox);
        DDX_Control(&dx, IDC_CE_STRIP, m_strip);
    }
    {
        CClientDC dc(this);
        m_memDC.CreateCompatibleDC(&dc);
    }
    if (m_menu.LoadMenu(IDR_COLOR_EFFECT_MENU))
        SetMenu(&m_menu);
    FillLists();
    CreateTileView();
    Localize();
    if (m_pDoc != nullptr) {
        m_projectWidth = m_pDoc->m_projectSettings.m_width;
        m_projectHeight = m_pDoc->m_projectSettings.m_height;
    }
    if (m_editMode != 0 && m_pEditedProgram != nullptr)
        SelectProgramValues();
    else {
        SelectComboData(m_styleBox, static_cast<DWORD_PTR>(m_style));
        std::lock_guard<std::mutex> guard(m_stripMutex);
        if (m_pStartTemplate != nullptr)
            m_chosen.Add(ColorTemplate::Clone(m_pStartTemplate));
    }
    if (m_editMode == 0)
        AppendTemplateFile(m_templateFileIndex);

    StartStripThread();
    MakePreviewSegment();
    if (UpdateWorkingCopy() && m_pDoc != nullptr)
        m_pDoc->OnPlay();
    if (m_pTileView != nullptr)
        m_pTileView->SetFocus();
    return FALSE;
}

void CDlgColorChioce::FillLists()
{
    m_styleBox.ResetContent();
    for (int i = 0; i < 20; ++i) {
        int at = m_styleBox.AddString(kStyleNames[i]);
        m_styleBox.SetItemData(at, static_cast<DWORD_PTR>(i));
    }
    FillCombo(m_zoomBox, kZooms, 10);
    m_zoomBox.SetCurSel(3);
    for (CComboBox* box : { &m_hTileBox, &m_vTileBox }) {
        box->ResetContent();
        for (int i = 1; i <= 10; ++i) {
            CString text;
            text.Format(L"%d", i);
            box->AddString(text);
        }
        box->SetCurSel(0);
    }
    for (CComboBox* box : { &m_startSpeedBox, &m_endSpeedBox }) {
        FillCombo(*box, kSpeeds, 10);
        box->SetCurSel(5);
    }
    for (CComboBox* box : { &m_fadeInBox, &m_fadeOutBox }) {
        FillCombo(*box, kFadeNames, 6);
        for (int i = 0; i < 6; ++i)
            box->SetItemData(i, static_cast<DWORD_PTR>(kFadeSeconds[i]));
        box->SetCurSel(0);
    }
    FillCombo(m_mirrorBox, kMirrors, 4);
    m_mirrorBox.SetCurSel(0);
    SelectComboData(m_styleBox, static_cast<DWORD_PTR>(m_style));
}

void CDlgColorChioce::CreateTileView()
{
    if (m_pDoc == nullptr)
        return;
    CSingleLock lock(&m_pDoc->m_mutex, TRUE);
    m_pTileView = new CMyColorView;
    if (!m_pTileView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, CRect(5, 42, 330, 360),
            this, IDC_CE_TILE_VIEW, nullptr)) {
        // A view whose window was never made does not delete itself.
        delete m_pTileView;
        m_pTileView = nullptr;
        return;
    }
    m_pTileView->OnInitialUpdate();
    const BitmapList& thumbs = m_pDoc->m_colourTemplateThumbs;
    for (INT_PTR i = 0; i < m_pDoc->m_colourTemplates.GetSize(); ++i)
        m_pTileView->AddItem(i < thumbs.GetSize() ? thumbs.GetAt(i) : nullptr, static_cast<int>(i));
}

void CDlgColorChioce::Localize()
{
    CString caption = LangText(L"ITEM_TITLE", 2);
    if (!caption.IsEmpty())
        SetWindowText(caption);
    if (m_menu.GetSafeHmenu() != nullptr) {
        struct MenuText {
            UINT id;
            int key;
        };
        const MenuText items[] = { { ID_CE_IMPORT, 67 }, { ID_CE_EXPORT, 68 }, { ID_CE_TEMPLATE_PICKER, 70 },
            { ID_CE_FILL2, 71 }, { ID_CE_FILL3, 72 }, { ID_CE_FILL4, 73 }, { ID_CE_FILL5, 74 } };
        HMENU menu = m_menu.GetSafeHmenu();
        for (const MenuText& item : items) {
            CString text = LangText(L"KVMENU", item.key);
            if (!text.IsEmpty())
                ::ModifyMenuW(menu, item.id, MF_BYCOMMAND | MF_STRING, item.id, text);
        }
        CString fill = LangText(L"KVMENU", 69);
        if (!fill.IsEmpty()) {
            // The fill pop-up is the third item of the bar.
            HMENU popup = ::GetSubMenu(menu, 2);
            ::ModifyMenuW(menu, 2, MF_BYPOSITION | MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(popup), fill);
        }
        DrawMenuBar();
    }
    int styleKeys[20];
    for (int i = 0; i < 20; ++i)
        styleKeys[i] = 33 + i;
    LocalizeComboItems(IDC_CE_STYLE, L"KVMENU", styleKeys, 20);
    const int mirrorKeys[] = { 37, 38, 39, 40 };
    LocalizeComboItems(IDC_CE_MIRROR, L"ITEM_TITLE", mirrorKeys, 4);
    const int fadeKeys[] = { 37 };
    LocalizeComboItems(IDC_CE_FADE_IN, L"ITEM_TITLE", fadeKeys, 1);
    LocalizeComboItems(IDC_CE_FADE_OUT, L"ITEM_TITLE", fadeKeys, 1);
    static const CtrlLabel labels[] = { { IDC_CE_LABEL_STYLE, L"ITEM_TITLE", 41 },
        { IDC_CE_LABEL_ZOOM, L"ITEM_TITLE", 42 }, { IDC_CE_LABEL_HTILES, L"ITEM_TITLE", 25 },
        { IDC_CE_LABEL_VTILES, L"ITEM_TITLE", 26 }, { IDC_CE_LABEL_MIRROR, L"ITEM_TITLE", 43 },
        { IDC_CE_LABEL_START_SPEED, L"ITEM_TITLE", 29 }, { IDC_CE_LABEL_END_SPEED, L"ITEM_TITLE", 30 },
        { IDC_CE_LABEL_FADE_IN, L"ITEM_TITLE", 35 }, { IDC_CE_LABEL_FADE_OUT, L"ITEM_TITLE", 36 },
        { IDC_CE_CLEAR, L"ITEM_TITLE", 44 }, { IDOK, L"ITEM_TITLE", 33 }, { IDCANCEL, L"ITEM_TITLE", 34 } };
    LocalizeItems(labels);
    CString warning = LangText(L"ITEM_TITLE", 201);
    if (!warning.IsEmpty())
        m_strip.m_strMessage = warning;
    // The strip thread, started after this, fills in the counts.
    m_countedWarning = LangText(L"ITEM_TITLE", 230);
}

CString CDlgColorChioce::TooFewColoursText(int needed, int have) const
{
    // No count is worth telling when no number of steps would do (a zoom
    // that is no positive number).
    const CString counted = needed < INT_MAX ? LangText(L"HINT", 80) : CString();
    if (!counted.IsEmpty())
        return AfxLangTextWithNumbers(counted, { needed, have });
    const CString text = LangText(L"HINT", 2);
    return text.IsEmpty() ? CString(L"Not enough colours!") : text;
}

void CDlgColorChioce::SelectProgramValues()
{
    const auto* program = static_cast<const ProgramColorEffect*>(m_pEditedProgram);
    SelectComboData(m_styleBox, static_cast<DWORD_PTR>(program->m_style));
    CString text;
    text.Format(L"%d%%", static_cast<int>(program->m_zoomFactor * 100.0f));
    SelectComboPrefix(m_zoomBox, text);
    text.Format(L"%.2fx", static_cast<double>(program->m_startSpeed));
    SelectComboPrefix(m_startSpeedBox, text);
    text.Format(L"%.2fx", static_cast<double>(program->m_endSpeed));
    SelectComboPrefix(m_endSpeedBox, text);
    m_vTileBox.SetCurSel(program->m_vTiles - 1);
    m_hTileBox.SetCurSel(program->m_hTiles - 1);
    SelectComboData(m_fadeInBox, static_cast<DWORD_PTR>(program->m_fadeInTime));
    SelectComboData(m_fadeOutBox, static_cast<DWORD_PTR>(program->m_fadeOutTime));
    m_mirrorBox.SetCurSel(program->m_mirror);
    std::lock_guard<std::mutex> guard(m_stripMutex);
    AppendColorTemplateCopies(m_chosen, program->m_templates);
}

void CDlgColorChioce::AppendTemplateFile(int index)
{
    if (m_pDoc == nullptr)
        return;
    CSingleLock lock(&m_pDoc->m_mutex, TRUE);
    if (index < 0 || index >= m_pDoc->m_templateFiles.GetSize())
        return;
    std::lock_guard<std::mutex> guard(m_stripMutex);
    AppendColorTemplateCopies(m_chosen, m_pDoc->m_templateFiles.GetAt(index)->m_templates);
}

bool CDlgColorChioce::UpdateWorkingCopy()
{
    UpdateData(TRUE);
    ProgramColorEffect* effect = WorkingCopy();
    const double zoom = NumberBeforeUnit(m_zoomText) / 100.0;
    const int style = ComboData(m_styleBox, m_style);
    const float startSpeed = static_cast<float>(NumberBeforeUnit(m_startSpeedText));
    const float endSpeed = static_cast<float>(NumberBeforeUnit(m_endSpeedText));
    const int needed
        = CCColorAnimationRender::RequiredColorSteps(style, static_cast<float>(zoom), m_projectWidth, m_projectHeight);
    int have = 0;
    {
        std::lock_guard<std::mutex> guard(m_stripMutex);
        have = ColorStepsOf(m_chosen);
        m_stripStyle = style;
        m_stripZoom = zoom;
        effect->RemoveAllTemplates();
        AppendColorTemplateCopies(effect->m_templates, m_chosen);
    }
    effect->m_programType = PROGRAM_TYPE_COLOR_EFFECT;
    effect->m_style = style;
    effect->m_hTiles = m_hTileIndex + 1;
    effect->m_vTiles = m_vTileIndex + 1;
    effect->m_startSpeed = startSpeed;
    effect->m_endSpeed = endSpeed;
    effect->m_zoomFactor = static_cast<float>(zoom);
    effect->m_fadeInTime = ComboData(m_fadeInBox, 0);
    effect->m_fadeOutTime = ComboData(m_fadeOutBox, 0);
    effect->m_mirror = m_mirrorBox.GetCurSel() >= 0 ? m_mirrorBox.GetCurSel() : 0;
    const bool usable = have >= needed;
    if (usable) {
        effect->m_orgFrames = m_render.PassFrameCount(*effect, m_projectWidth, m_projectHeight);
        effect->m_startFrame = 1;
        effect->m_endFrame = effect->m_orgFrames;
    }
    SetPreviewFrames(effect->m_orgFrames);
    return usable;
}

void CDlgColorChioce::RestartWhenUsable(bool usable)
{
    if (usable)
        RestartPreview();
}

void CDlgColorChioce::OnStyleOrZoomChanged()
{
    bool usable = UpdateWorkingCopy();
    StopPreview();
    if (usable && m_pDoc != nullptr)
        m_pDoc->OnPlay();
    WakeStrip();
}

void CDlgColorChioce::OnOtherComboChanged()
{
    RestartWhenUsable(UpdateWorkingCopy());
}

LRESULT CDlgColorChioce::OnTileSelected(WPARAM wParam, LPARAM lParam)
{
    const int tile = static_cast<int>(wParam);
    if (m_pDoc != nullptr) {
        CSingleLock lock(&m_pDoc->m_mutex, TRUE);
        const ColorTemplateList& library = m_pDoc->m_colourTemplates;
        if (tile >= 0 && tile < library.GetSize()) {
            std::lock_guard<std::mutex> guard(m_stripMutex);
            const ColorTemplate* source = library.GetAt(tile);
            m_chosen.Add(lParam == 1 ? ColorTemplate::CloneReversed(source) : ColorTemplate::Clone(source));
        }
    }
    WakeStrip();
    RestartWhenUsable(UpdateWorkingCopy());
    return 0;
}

void CDlgColorChioce::OnRemoveLast()
{
    {
        std::unique_lock<std::mutex> guard(m_stripMutex);
        if (m_chosen.GetSize() == 0)
            return;
        if (m_chosen.GetSize() == 1) {
            guard.unlock();
            StopPreview();
            guard.lock();
        }
        const INT_PTR last = m_chosen.GetSize() - 1;
        delete m_chosen.GetAt(last);
        m_chosen.RemoveAt(last);
    }
    WakeStrip();
    if (UpdateWorkingCopy())
        RestartPreview();
    else
        StopPreview();
}

void CDlgColorChioce::OnClear()
{
    {
        std::lock_guard<std::mutex> guard(m_stripMutex);
        FreeColorTemplates(m_chosen);
    }
    WakeStrip();
    StopPreview();
}

void CDlgColorChioce::OnFill(UINT id)
{
    int times = 2;
    if (id == ID_CE_FILL3)
        times = 3;
    else if (id == ID_CE_FILL4)
        times = 4;
    else if (id == ID_CE_FILL5)
        times = 5;
    {
        std::lock_guard<std::mutex> guard(m_stripMutex);
        RepeatTemplates(m_chosen, times);
    }
    WakeStrip();
    RestartWhenUsable(UpdateWorkingCopy());
}

void CDlgColorChioce::OnTemplatePicker()
{
    StopPreview();
    if (m_pDoc != nullptr) {
        CDlgColorTemplate picker(this);
        picker.m_pDoc = m_pDoc;
        if (picker.DoModal() == IDOK) {
            AppendTemplateFile(picker.m_pickedIndex);
            WakeStrip();
        }
    }
    RestartWhenUsable(UpdateWorkingCopy());
}

void CDlgColorChioce::OnImport()
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kTemplateFilter, this);
    if (dialog.DoModal() != IDOK)
        return;
    const CString path = dialog.GetPathName();
    if (::GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) {
        AfxMessageBox(L"File Not Exist!");
        return;
    }
    {
        // Read first, so that the lock is not held over file work twice.
        ColorTemplateList read;
        ReadColorTemplateFile(path, read);
        std::lock_guard<std::mutex> guard(m_stripMutex);
        FreeColorTemplates(m_chosen);
        m_chosen.Append(read);
        read.RemoveAll();
    }
    WakeStrip();
    RestartWhenUsable(UpdateWorkingCopy());
}

void CDlgColorChioce::OnExport()
{
    ColorTemplateList copy;
    {
        std::lock_guard<std::mutex> guard(m_stripMutex);
        AppendColorTemplateCopies(copy, m_chosen);
    }
    if (copy.GetSize() == 0) {
        CString text = LangText(L"ITEM_TITLE", 207);
        AfxMessageBox(text.IsEmpty() ? CString(L"请选择素材!") : text);
        return;
    }
    CFileDialog dialog(FALSE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kTemplateFilter, this);
    if (dialog.DoModal() == IDOK)
        WriteColorTemplateFile(dialog.GetPathName(), copy);
    FreeColorTemplates(copy);
}

void CDlgColorChioce::OnOK()
{
    UpdateData(TRUE);
    const double zoom = NumberBeforeUnit(m_zoomText) / 100.0;
    const int style = ComboData(m_styleBox, m_style);
    const int needed
        = CCColorAnimationRender::RequiredColorSteps(style, static_cast<float>(zoom), m_projectWidth, m_projectHeight);
    int have = 0;
    {
        std::lock_guard<std::mutex> guard(m_stripMutex);
        have = ColorStepsOf(m_chosen);
    }
    if (have < needed) {
        AfxMessageBox(TooFewColoursText(needed, have));
        return;
    }
    UpdateWorkingCopy();
    ProgramColorEffect* effect = WorkingCopy();
    effect->m_orgFrames = m_render.PassFrameCount(*effect, m_projectWidth, m_projectHeight);
    effect->m_startFrame = 1;
    effect->m_endFrame = effect->m_orgFrames;
    HandOver();
    EndAndNotify(IDOK);
}

void CDlgColorChioce::OnCancel()
{
    EndAndNotify(IDCANCEL);
}

// ---------------------------------------------------------------------------
// The strip thread

void CDlgColorChioce::StartStripThread()
{
    if (m_thread.joinable())
        return;
    m_run = 1;
    m_exited = 0;
    m_thread = std::thread([this] { StripThread(); });
    WakeStrip();
}

void CDlgColorChioce::StopStripThread()
{
    if (!m_thread.joinable())
        return;
    m_run = 0;
    // The event is auto-reset: set it until the thread has seen the flag.
    while (m_exited == 0) {
        m_wake.SetEvent();
        ::Sleep(1);
    }
    m_thread.join();
}

void CDlgColorChioce::WakeStrip()
{
    m_wake.SetEvent();
}

void CDlgColorChioce::StripThread()
{
    for (;;) {
        ::WaitForSingleObject(m_wake.m_hObject, INFINITE);
        if (m_exited != 0 || m_run == 0)
            break;
        RebuildStrip();
        HWND bar = m_strip.GetSafeHwnd();
        // Only invalidate: a synchronous repaint from here would wait for the
        // user-interface thread, which may be waiting for this thread.
        if (bar != nullptr)
            ::InvalidateRect(bar, nullptr, FALSE);
        ++m_stripBuilds;
    }
    m_run = 0;
    m_exited = 1;
}

void CDlgColorChioce::RebuildStrip()
{
    std::lock_guard<std::mutex> guard(m_stripMutex);
    const int steps = ColorStepsOf(m_chosen);
    const int width = steps > 0 ? steps * kStripStep : 1;
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, 1);
    ::ReleaseDC(nullptr, screen);
    HDC memDC = m_memDC.GetSafeHdc();
    if (bitmap == nullptr || memDC == nullptr) {
        if (bitmap != nullptr)
            ::DeleteObject(bitmap);
        return;
    }
    HGDIOBJ previous = ::SelectObject(memDC, bitmap);
    if (m_originalBitmap == nullptr)
        m_originalBitmap = previous;
    if (m_stripBitmap != nullptr)
        ::DeleteObject(m_stripBitmap);
    m_stripBitmap = bitmap;
    ::PatBlt(memDC, 0, 0, width, 1, BLACKNESS);

    int x = 0;
    for (INT_PTR i = 0; i < m_chosen.GetSize(); ++i) {
        ColorTemplateList one;
        one.Add(m_chosen.GetAt(i));
        const int share = ColorStepsOf(one) * kStripStep;
        one.RemoveAll();
        if (share <= 0)
            continue;
        BITMAPINFO info {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = share;
        info.bmiHeader.biHeight = 1;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP part = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HDC partDC = ::CreateCompatibleDC(memDC);
        if (part != nullptr && partDC != nullptr) {
            HGDIOBJ old = ::SelectObject(partDC, part);
            CDC dc;
            dc.Attach(partDC);
            DrawTemplateGradient(&dc, *m_chosen.GetAt(i));
            dc.Detach();
            ::BitBlt(memDC, x, 0, share, 1, partDC, 0, 0, SRCCOPY);
            ::SelectObject(partDC, old);
        }
        if (partDC != nullptr)
            ::DeleteDC(partDC);
        if (part != nullptr)
            ::DeleteObject(part);
        x += share;
    }

    const double zoom = m_stripZoom == 0.0 ? 0.5 : m_stripZoom;
    const int needed = CCColorAnimationRender::RequiredColorSteps(
        m_stripStyle, static_cast<float>(zoom), m_projectWidth, m_projectHeight);
    m_strip.m_pSrcDC = &m_memDC;
    m_strip.m_bTooShort = steps < needed;
    if (m_strip.m_bTooShort && needed < INT_MAX && !m_countedWarning.IsEmpty())
        m_strip.m_strMessage = AfxLangTextWithNumbers(m_countedWarning, { steps, needed });
}
