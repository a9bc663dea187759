// The video and animation import editor.
#include "dlg_video_chioce.h"

#include "color_effect_values.h"
#include "media_probe.h"
#include "program_video.h"
#include "show_messages.h"
#include "tile_view.h"

#include <algorithm>

namespace {

constexpr LPCWSTR kSpeeds[] = { L"0.10x", L"0.20x", L"0.33x", L"0.50x", L"0.75x", L"1.00x", L"2.00x", L"3.00x" };
constexpr LPCWSTR kFades[] = { L"NONE", L"1S", L"2S", L"3S", L"5S", L"10S" };
constexpr int kFadeSeconds[] = { 0, 1, 2, 3, 5, 10 };
constexpr int kTilesPerRow = 4;
constexpr int kMaxFrameNumber = 100000000;
constexpr int kCropBoxes[] = { IDC_VC_CROP_TOP, IDC_VC_CROP_BOTTOM, IDC_VC_CROP_LEFT, IDC_VC_CROP_RIGHT };

int ProbeFrames(HWND window, const CString& path)
{
    HDC dc = ::GetDC(window);
    int frames = 0;
    switch (MediaKindOfPath(path)) {
    case MEDIA_FILE_SWF:
        frames = GetSwfFrameCount(dc, path);
        break;
    case MEDIA_FILE_TOL:
        frames = GetTolFrameCount(dc, path);
        break;
    default:
        frames = GetVideoFrameCount(dc, path);
        break;
    }
    ::ReleaseDC(window, dc);
    return std::max(frames, 0);
}

int ComboData(const CComboBox& box, int fallback)
{
    const int sel = box.GetCurSel();
    return sel >= 0 ? static_cast<int>(box.GetItemData(sel)) : fallback;
}

CString ComboSelectedText(const CComboBox& box)
{
    CString text;
    const int sel = box.GetCurSel();
    if (sel >= 0)
        box.GetLBText(sel, text);
    return text;
}

// A typed or chosen crop margin: the number its text begins with; a margin
// is never negative.
int CropValue(HWND dialog, int nID)
{
    wchar_t text[64] = L"";
    ::GetDlgItemTextW(dialog, nID, text, 64);
    return std::max(_wtoi(text), 0);
}

} // namespace

IMPLEMENT_DYNAMIC(CDlgVideoChioce, CEffectEditorDialog)

BEGIN_MESSAGE_MAP(CDlgVideoChioce, CEffectEditorDialog)
ON_WM_CLOSE()
ON_MESSAGE(WM_TILE_SELECTED, OnTileSelected)
ON_CBN_SELCHANGE(IDC_VC_HTILES, OnTilesChanged)
ON_CBN_SELCHANGE(IDC_VC_VTILES, OnTilesChanged)
ON_EN_CHANGE(IDC_VC_START, OnFrameEdited)
ON_EN_CHANGE(IDC_VC_END, OnFrameEdited)
ON_CBN_SELCHANGE(IDC_VC_FADE_IN, OnListChanged)
ON_CBN_SELCHANGE(IDC_VC_FADE_OUT, OnListChanged)
ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_VC_CROP_TOP, IDC_VC_CROP_RIGHT, OnCropSelected)
ON_CONTROL_RANGE(CBN_EDITCHANGE, IDC_VC_CROP_TOP, IDC_VC_CROP_RIGHT, OnCropTyped)
END_MESSAGE_MAP()

CDlgVideoChioce::CDlgVideoChioce()
    : CEffectEditorDialog(IDD_VIDEO_IMPORT_EDITOR, IDD_EDITOR_VIDEO)
{
    auto* video = new ProgramVideo;
    video->m_programType = PROGRAM_TYPE_MEDIA;
    m_pWorkingCopy = video;
}

CDlgVideoChioce::~CDlgVideoChioce()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

ProgramVideo* CDlgVideoChioce::WorkingCopy() const
{
    return static_cast<ProgramVideo*>(m_pWorkingCopy);
}

void CDlgVideoChioce::DoDataExchange(CDataExchange* pDX)
{
    CEffectEditorDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_VC_START_SPIN, m_startSpin);
    DDX_Control(pDX, IDC_VC_END_SPIN, m_endSpin);
    DDX_Control(pDX, IDC_VC_HTILES, m_hTilesBox);
    DDX_Control(pDX, IDC_VC_VTILES, m_vTilesBox);
    DDX_Control(pDX, IDC_VC_START_SPEED, m_startSpeedBox);
    DDX_Control(pDX, IDC_VC_END_SPEED, m_endSpeedBox);
    DDX_Control(pDX, IDC_VC_FADE_IN, m_fadeInBox);
    DDX_Control(pDX, IDC_VC_FADE_OUT, m_fadeOutBox);
}

BOOL CDlgVideoChioce::OnInitDialog()
{
    CEffectEditorDialog::OnInitDialog();
    m_startSpin.SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(::GetDlgItem(m_hWnd, IDC_VC_START)));
    m_endSpin.SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(::GetDlgItem(m_hWnd, IDC_VC_END)));
    for (CComboBox* box : { &m_hTilesBox, &m_vTilesBox }) {
        for (int i = 1; i <= 10; ++i) {
            CString text;
            text.Format(L"%d", i);
            box->AddString(text);
        }
        box->SetCurSel(0);
    }
    for (CComboBox* box : { &m_startSpeedBox, &m_endSpeedBox }) {
        for (LPCWSTR speed : kSpeeds)
            box->AddString(speed);
        SelectComboPrefix(*box, L"1.00x");
    }
    for (CComboBox* box : { &m_fadeInBox, &m_fadeOutBox }) {
        for (int i = 0; i < 6; ++i)
            box->SetItemData(box->AddString(kFades[i]), static_cast<DWORD_PTR>(kFadeSeconds[i]));
        box->SetCurSel(0);
    }
    for (int id : kCropBoxes) {
        HWND box = ::GetDlgItem(m_hWnd, id);
        for (int i = 0; i <= 10; ++i) {
            CString text;
            text.Format(L"%d", i);
            ::SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
        }
        ::SendMessageW(box, CB_SETCURSEL, 0, 0);
    }
    auto* edited = m_editMode != 0 ? dynamic_cast<ProgramVideo*>(m_pEditedProgram) : nullptr;
    if (edited != nullptr && m_pDoc != nullptr) {
        CSingleLock lock(&m_pDoc->m_mutex, TRUE);
        m_mediaIndex = -1;
        for (INT_PTR i = 0; i < m_pDoc->m_mediaPaths.GetSize(); ++i) {
            if (m_pDoc->m_mediaPaths.GetAt(i) == edited->m_filePath) {
                m_mediaIndex = static_cast<int>(i);
                break;
            }
        }
    }
    CreateTileView();
    ChooseMedia(m_mediaIndex);
    Localize();

    if (edited != nullptr) {
        ShowEditedValues();
    } else {
        SetDlgItemText(IDC_VC_START, L"1");
        SetDlgItemText(IDC_VC_END, L"1");
        m_startSpin.SetRange32(1, 100);
        m_endSpin.SetRange32(1, 100);
        m_startSpin.SetPos32(1);
        m_endSpin.SetPos32(1);
    }
    ChooseMedia(m_mediaIndex);

    MakePreviewSegment();
    ApplyControls();
    if (m_pDoc != nullptr)
        m_pDoc->OnPlay();
    return TRUE;
}

void CDlgVideoChioce::ShowEditedValues()
{
    const auto* edited = static_cast<const ProgramVideo*>(m_pEditedProgram);
    SetDlgItemInt(IDC_VC_START, static_cast<UINT>(edited->m_startFrame), TRUE);
    SetDlgItemInt(IDC_VC_END, static_cast<UINT>(edited->m_endFrame), TRUE);
    CString speed;
    speed.Format(L"%.2fx", static_cast<double>(edited->m_endSpeed));
    SelectComboPrefix(m_endSpeedBox, speed);
    speed.Format(L"%.2fx", static_cast<double>(edited->m_startSpeed));
    SelectComboPrefix(m_startSpeedBox, speed);
    m_vTilesBox.SetCurSel(std::clamp(edited->m_vTiles - 1, 0, 9));
    m_hTilesBox.SetCurSel(std::clamp(edited->m_hTiles - 1, 0, 9));
    SelectComboData(m_fadeInBox, static_cast<DWORD_PTR>(edited->m_fadeInTime));
    SelectComboData(m_fadeOutBox, static_cast<DWORD_PTR>(edited->m_fadeOutTime));
    SetDlgItemInt(IDC_VC_TOTAL, static_cast<UINT>(edited->m_orgFrames), TRUE);
    const struct {
        int id;
        int value;
    } crops[] = { { IDC_VC_CROP_LEFT, edited->m_marginLeft }, { IDC_VC_CROP_RIGHT, edited->m_marginRight },
        { IDC_VC_CROP_TOP, edited->m_marginTop }, { IDC_VC_CROP_BOTTOM, edited->m_marginBottom } };
    for (const auto& crop : crops) {
        CString text;
        text.Format(L"%d", crop.value);
        SetDlgItemText(crop.id, text);
    }
}

void CDlgVideoChioce::CreateTileView()
{
    if (m_pDoc == nullptr)
        return;
    CRect area;
    if (HWND marker = ::GetDlgItem(m_hWnd, IDC_VC_TILE_AREA)) {
        ::GetWindowRect(marker, &area);
        ScreenToClient(&area);
    }
    m_pTileView = new CMyColorView;
    const int side = std::max((area.Width() - kTilesPerRow * m_pTileView->m_nMarginX) / kTilesPerRow, 16);
    m_pTileView->m_nColumns = kTilesPerRow;
    m_pTileView->m_nTileWidth = side;
    m_pTileView->m_nTileHeight = side;
    m_pTileView->m_nRememberedSel = m_mediaIndex;
    if (!m_pTileView->Create(
            nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, area, this, IDC_VC_TILE_VIEW, nullptr)) {
        // A view whose window was never made does not delete itself.
        delete m_pTileView;
        m_pTileView = nullptr;
        return;
    }
    m_pTileView->OnInitialUpdate();
    CSingleLock lock(&m_pDoc->m_mutex, TRUE);
    const BitmapList& thumbs = m_pDoc->m_mediaThumbs;
    for (INT_PTR i = 0; i < thumbs.GetSize(); ++i)
        m_pTileView->AddItem(thumbs.GetAt(i), static_cast<int>(i));
}

void CDlgVideoChioce::Localize()
{
    const CtrlLabel labels[] = {
        { 0, L"ITEM_TITLE", 3 },
        // The file's frame count speaks the user's language like the rest.
        { IDC_VC_LABEL_TOTAL, L"ITEM_TITLE", 10 },
        { IDC_VC_LABEL_START, L"ITEM_TITLE", 27 },
        { IDC_VC_LABEL_END, L"ITEM_TITLE", 28 },
        { IDC_VC_LABEL_HTILES, L"ITEM_TITLE", 25 },
        { IDC_VC_LABEL_VTILES, L"ITEM_TITLE", 26 },
        { IDC_VC_LABEL_FADE_IN, L"ITEM_TITLE", 35 },
        { IDC_VC_LABEL_FADE_OUT, L"ITEM_TITLE", 36 },
        { IDOK, L"ITEM_TITLE", 33 },
        { IDCANCEL, L"ITEM_TITLE", 34 },
        { IDC_VC_LABEL_CROP_TOP, L"ITEM_TITLE", 202 },
        { IDC_VC_LABEL_CROP_BOTTOM, L"ITEM_TITLE", 203 },
        { IDC_VC_LABEL_CROP_LEFT, L"ITEM_TITLE", 204 },
        { IDC_VC_LABEL_CROP_RIGHT, L"ITEM_TITLE", 205 },
    };
    LocalizeItems(labels);
    const int noneKey[] = { 37 };
    LocalizeComboItems(IDC_VC_FADE_IN, L"ITEM_TITLE", noneKey, 1);
    LocalizeComboItems(IDC_VC_FADE_OUT, L"ITEM_TITLE", noneKey, 1);
}

void CDlgVideoChioce::ChooseMedia(int index)
{
    CString path;
    bool known = false;
    if (m_pDoc != nullptr) {
        CSingleLock lock(&m_pDoc->m_mutex, TRUE);
        if (index >= 0 && index < m_pDoc->m_mediaPaths.GetSize()) {
            path = m_pDoc->m_mediaPaths.GetAt(index);
            known = true;
        }
    }
    const auto* edited = m_editMode != 0 ? dynamic_cast<const ProgramVideo*>(m_pEditedProgram) : nullptr;
    if (!known) {
        // An edited program whose file is not in the media list keeps its own file.
        if (edited == nullptr || index >= 0)
            return;
        path = edited->m_filePath;
    }
    m_mediaIndex = known ? index : -1;
    SetDlgItemText(IDC_VC_PATH, path);
    int frames = 0;
    int endValue = 0;
    if (edited == nullptr || path != m_path) {
        frames = ProbeFrames(m_hWnd, path);
        endValue = frames;
    } else {
        frames = edited->m_orgFrames;
        endValue = edited->m_endFrame;
    }
    m_path = path;
    m_totalFrames = frames;
    WorkingCopy()->m_orgFrames = frames;
    m_startSpin.SetRange32(1, frames);
    m_endSpin.SetRange32(1, frames);
    SetDlgItemInt(IDC_VC_END, static_cast<UINT>(endValue), TRUE);
    SetDlgItemInt(IDC_VC_TOTAL, static_cast<UINT>(frames), TRUE);
}

CDlgVideoChioce::Values CDlgVideoChioce::ReadControls() const
{
    Values values;
    // Typed frame numbers are held to a range whose differences fit an int.
    values.start = std::clamp(static_cast<int>(GetDlgItemInt(IDC_VC_START, nullptr, TRUE)), 1, kMaxFrameNumber);
    values.end = std::clamp(static_cast<int>(GetDlgItemInt(IDC_VC_END, nullptr, TRUE)), 0, kMaxFrameNumber);
    values.hTiles = std::max(m_hTilesBox.GetCurSel(), 0) + 1;
    values.vTiles = std::max(m_vTilesBox.GetCurSel(), 0) + 1;
    values.startSpeed = static_cast<float>(NumberBeforeUnit(ComboSelectedText(m_startSpeedBox)));
    values.endSpeed = static_cast<float>(NumberBeforeUnit(ComboSelectedText(m_endSpeedBox)));
    values.fadeIn = ComboData(m_fadeInBox, 0);
    values.fadeOut = ComboData(m_fadeOutBox, 0);
    return values;
}

void CDlgVideoChioce::FillWorkingCopy(const Values& values)
{
    ProgramVideo* video = WorkingCopy();
    video->m_programType = PROGRAM_TYPE_MEDIA;
    video->m_hTiles = values.hTiles;
    video->m_vTiles = values.vTiles;
    video->m_startFrame = values.start;
    video->m_endFrame = values.end;
    video->m_startSpeed = values.startSpeed;
    video->m_endSpeed = values.endSpeed;
    video->m_filePath = m_path;
    video->m_fadeInTime = values.fadeIn;
    video->m_fadeOutTime = values.fadeOut;
    video->m_mediaKind = static_cast<int>(MediaKindOfPath(m_path));
}

void CDlgVideoChioce::ReadCrops()
{
    ProgramVideo* video = WorkingCopy();
    video->m_marginTop = CropValue(m_hWnd, IDC_VC_CROP_TOP);
    video->m_marginRight = CropValue(m_hWnd, IDC_VC_CROP_RIGHT);
    video->m_marginLeft = CropValue(m_hWnd, IDC_VC_CROP_LEFT);
    video->m_marginBottom = CropValue(m_hWnd, IDC_VC_CROP_BOTTOM);
}

void CDlgVideoChioce::ApplyControls()
{
    Values values = ReadControls();
    // While editing, an end before the start plays the start frame alone.
    values.end = std::max(values.end, values.start);
    FillWorkingCopy(values);
    ReadCrops();
    SetPreviewFrames(WorkingCopy()->m_orgFrames, values.end - values.start + 1);
}

void CDlgVideoChioce::Replay()
{
    ApplyControls();
    RestartPreview();
}

LRESULT CDlgVideoChioce::OnTileSelected(WPARAM wParam, LPARAM)
{
    const int index = static_cast<int>(wParam);
    if (index >= 0)
        ChooseMedia(index);
    Replay();
    return 0;
}

void CDlgVideoChioce::OnTilesChanged()
{
    if (IsWindowVisible())
        Replay();
}

void CDlgVideoChioce::OnFrameEdited()
{
    if (IsWindowVisible())
        Replay();
}

void CDlgVideoChioce::OnListChanged()
{
    Replay();
}

void CDlgVideoChioce::OnCropSelected(UINT nID)
{
    // The box's own text follows the chosen entry only after this notice.
    HWND box = ::GetDlgItem(m_hWnd, static_cast<int>(nID));
    const LRESULT sel = ::SendMessageW(box, CB_GETCURSEL, 0, 0);
    if (sel >= 0) {
        wchar_t text[64] = L"";
        if (::SendMessageW(box, CB_GETLBTEXTLEN, static_cast<WPARAM>(sel), 0) < 64) {
            ::SendMessageW(box, CB_GETLBTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(text));
            ::SetWindowTextW(box, text);
        }
    }
    Replay();
}

void CDlgVideoChioce::OnCropTyped(UINT)
{
    Replay();
}

void CDlgVideoChioce::OnOK()
{
    const Values values = ReadControls();
    if (values.end < values.start) {
        CString text = LangText(L"SHOW", 4);
        AfxMessageBox(text.IsEmpty() ? CString(L"The end frame must not come before the start frame.") : text);
        return;
    }
    StopPreview();
    // The crop margins keep the values of the last change.
    FillWorkingCopy(values);
    HandOver();
    Finish(IDOK);
}

void CDlgVideoChioce::OnCancel()
{
    Finish(IDCANCEL);
}

void CDlgVideoChioce::OnClose()
{
    Finish(IDCANCEL);
}

void CDlgVideoChioce::Finish(int result)
{
    if (IsModal())
        EndDialog(result);
    else
        EndAndNotify(result);
}

INT_PTR RunVideoImportEditorModal(CDornelDoc& doc, int mediaIndex, CWnd* owner)
{
    CDlgVideoChioce editor;
    editor.SetDocument(&doc);
    editor.m_mediaIndex = mediaIndex;
    editor.m_pParentWnd = owner;
    return editor.DoModal();
}
