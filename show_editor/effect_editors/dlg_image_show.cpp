// The image-show editor.
#include "dlg_image_show.h"

#include "color_effect_values.h"
#include "program_image_show.h"
#include "show_messages.h"

#include <afxdlgs.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr LPCWSTR kBackgrounds[] = { L"无", L"颜色", L"图片" };
constexpr LPCWSTR kPlacements[] = { L"居中", L"缩放", L"拉伸", L"平铺" };
constexpr LPCWSTR kEffects[] = { L"无", L"左移", L"右移", L"上移", L"下移" };
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr int kMaxDurationFrames = 1000000;
// The whole program never needs more frames than the engine counts in an int.
constexpr long long kMaxProgramFrames = 1000000000;

struct TimeBox {
    int id;
    LPCWSTR start;
    LPCWSTR fallback; // what a negative typed time becomes
};
constexpr TimeBox kTimeBoxes[] = {
    { IDC_IMS_ENTER_TIME, L"1.50S", L"1.50S" },
    { IDC_IMS_STAY_TIME, L"1.50S", L"1.50S" },
    { IDC_IMS_LEAVE_TIME, L"2.00S", L"1.5S" },
};

CString FileName(const CString& path)
{
    const int slash = path.ReverseFind(L'\\');
    return slash >= 0 ? path.Mid(slash + 1) : path;
}

void FillBox(HWND dialog, int id, const LPCWSTR* items, int count, int selection)
{
    HWND box = ::GetDlgItem(dialog, id);
    ::SendMessageW(box, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < count; ++i)
        ::SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i]));
    ::SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
}

int Selection(HWND dialog, int id)
{
    return std::max(static_cast<int>(::SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0)), 0);
}

void Select(HWND dialog, int id, int index)
{
    ::SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

double LeadingNumber(HWND dialog, int id)
{
    wchar_t text[64] = L"";
    ::GetDlgItemTextW(dialog, id, text, 64);
    const double value = _wtof(text);
    return std::isfinite(value) ? value : 0.0;
}

CString SecondsText(double seconds)
{
    CString text;
    text.Format(L"%.2fS", seconds);
    return text;
}

} // namespace

CString ImageFileNames(const CStringArray& paths)
{
    CString names;
    for (INT_PTR i = 0; i < paths.GetSize() && i < 10; ++i)
        names += FileName(paths.GetAt(i)) + L";";
    return names;
}

int DurationFrames(double seconds, int frameRate)
{
    if (!(seconds > 0.0) || frameRate <= 0)
        return 0;
    const double frames = std::min(seconds * frameRate, static_cast<double>(kMaxDurationFrames));
    return std::max(static_cast<int>(frames), 1);
}

IMPLEMENT_DYNAMIC(CDlgImageShow, CEffectEditorDialog)

BEGIN_MESSAGE_MAP(CDlgImageShow, CEffectEditorDialog)
ON_BN_CLICKED(IDC_IMS_CHOOSE_FILES, OnChooseImages)
ON_BN_CLICKED(IDC_IMS_CHOOSE_BACK_IMAGE, OnChooseBackgroundImage)
ON_BN_CLICKED(IDC_IMS_BACK_COLOR, OnChoiceChanged)
ON_CBN_SELCHANGE(IDC_IMS_BACKGROUND, OnBackgroundKind)
ON_CBN_SELCHANGE(IDC_IMS_BACK_ALIGN, OnChoiceChanged)
ON_CBN_SELCHANGE(IDC_IMS_IMAGE_ALIGN, OnChoiceChanged)
ON_CBN_SELCHANGE(IDC_IMS_ENTER_EFFECT, OnChoiceChanged)
ON_CBN_SELCHANGE(IDC_IMS_LEAVE_EFFECT, OnChoiceChanged)
ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_IMS_STAY_TIME, IDC_IMS_LEAVE_TIME, OnTimeChosen)
ON_CONTROL_RANGE(CBN_EDITCHANGE, IDC_IMS_STAY_TIME, IDC_IMS_LEAVE_TIME, OnTimeTyped)
ON_CONTROL_RANGE(CBN_KILLFOCUS, IDC_IMS_STAY_TIME, IDC_IMS_LEAVE_TIME, OnTimeLeft)
END_MESSAGE_MAP()

CDlgImageShow::CDlgImageShow()
    : CEffectEditorDialog(IDD_IMAGE_SHOW_EDITOR, IDD_EDITOR_IMAGE_SHOW)
{
    auto* show = new ProgramImageShow;
    show->m_programType = PROGRAM_TYPE_IMAGE_SHOW;
    show->m_orgFrames = 0;
    show->m_startFrame = 1;
    show->m_endFrame = 1;
    m_pWorkingCopy = show;
}

CDlgImageShow::~CDlgImageShow()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

void CDlgImageShow::SetImageFiles(const CStringArray& files)
{
    m_files.RemoveAll();
    m_files.Append(files);
}

ProgramImageShow* CDlgImageShow::WorkingCopy() const
{
    return static_cast<ProgramImageShow*>(m_pWorkingCopy);
}

void CDlgImageShow::DoDataExchange(CDataExchange* pDX)
{
    CEffectEditorDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_IMS_BACK_COLOR, m_colorButton);
}

BOOL CDlgImageShow::OnInitDialog()
{
    CEffectEditorDialog::OnInitDialog();
    WorkingCopy()->m_imagePaths.Append(m_files);
    m_fileNames = ImageFileNames(m_files);
    SetDlgItemText(IDC_IMS_FILES, m_fileNames);
    m_colorButton.SetColor(kBlue);
    m_colorButton.EnableOtherButton(L"其它颜色");
    FillLists();
    Localize();
    if (m_editMode != 0 && dynamic_cast<ProgramImageShow*>(m_pEditedProgram) != nullptr)
        ShowEditedValues();
    ShowBackgroundControls();

    MakePreviewSegment();
    if (BuildImageShowProgram() && m_pDoc != nullptr)
        m_pDoc->OnPlay();
    return TRUE;
}

void CDlgImageShow::FillLists()
{
    FillBox(m_hWnd, IDC_IMS_BACKGROUND, kBackgrounds, 3, 1);
    FillBox(m_hWnd, IDC_IMS_BACK_ALIGN, kPlacements, 4, 0);
    FillBox(m_hWnd, IDC_IMS_IMAGE_ALIGN, kPlacements, 4, 0);
    FillBox(m_hWnd, IDC_IMS_ENTER_EFFECT, kEffects, 5, 1);
    FillBox(m_hWnd, IDC_IMS_LEAVE_EFFECT, kEffects, 5, 1);
    for (const TimeBox& box : kTimeBoxes) {
        HWND combo = ::GetDlgItem(m_hWnd, box.id);
        ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        for (int i = 1; i <= 10; ++i) {
            CString text;
            text.Format(L"%d", i);
            ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
        }
        ::SetWindowTextW(combo, box.start);
    }
}

void CDlgImageShow::Localize()
{
    CString caption = LangText(L"KVMENU", 83);
    if (!caption.IsEmpty())
        SetWindowText(caption);
    CString other = LangText(L"ITEM_TITLE", 191);
    if (!other.IsEmpty())
        m_colorButton.EnableOtherButton(other);
    const CtrlLabel labels[] = {
        { IDC_IMS_LABEL_FILES, L"ITEM_TITLE", 192 },
        { IDC_IMS_LABEL_BACKGROUND, L"ITEM_TITLE", 193 },
        { IDC_IMS_LABEL_IMAGE_ALIGN, L"ITEM_TITLE", 194 },
        { IDC_IMS_LABEL_STAY_TIME, L"ITEM_TITLE", 195 },
        { IDC_IMS_LABEL_ENTER_TIME, L"ITEM_TITLE", 58 },
        { IDC_IMS_LABEL_ENTER_EFFECT, L"ITEM_TITLE", 50 },
        { IDC_IMS_LABEL_LEAVE_TIME, L"ITEM_TITLE", 60 },
        { IDC_IMS_LABEL_LEAVE_EFFECT, L"ITEM_TITLE", 52 },
        // The program's other editors show OK and Cancel in the user's language too.
        { IDOK, L"ITEM_TITLE", 33 },
        { IDCANCEL, L"ITEM_TITLE", 34 },
    };
    LocalizeItems(labels);
    // The lists keep a built-in item whose text the language file lacks.
    struct ListTexts {
        int id;
        std::initializer_list<std::pair<LPCWSTR, int>> keys;
        int selection;
    };
    const ListTexts lists[] = {
        { IDC_IMS_BACKGROUND, { { L"ITEM_TITLE", 37 }, { L"ITEM_TITLE", 63 }, { L"KVMENU", 31 } }, 1 },
        { IDC_IMS_BACK_ALIGN,
            { { L"ITEM_TITLE", 196 }, { L"ITEM_TITLE", 197 }, { L"ITEM_TITLE", 198 }, { L"ITEM_TITLE", 199 } }, 0 },
        { IDC_IMS_IMAGE_ALIGN,
            { { L"ITEM_TITLE", 196 }, { L"ITEM_TITLE", 197 }, { L"ITEM_TITLE", 198 }, { L"ITEM_TITLE", 199 } }, 0 },
        { IDC_IMS_ENTER_EFFECT,
            { { L"ITEM_TITLE", 37 }, { L"KVMENU", 37 }, { L"KVMENU", 38 }, { L"KVMENU", 35 }, { L"KVMENU", 36 } }, 1 },
        { IDC_IMS_LEAVE_EFFECT,
            { { L"ITEM_TITLE", 37 }, { L"KVMENU", 37 }, { L"KVMENU", 38 }, { L"KVMENU", 35 }, { L"KVMENU", 36 } }, 1 },
    };
    for (const ListTexts& list : lists) {
        int index = 0;
        HWND combo = ::GetDlgItem(m_hWnd, list.id);
        for (const auto& [section, key] : list.keys) {
            CString text = LangText(section, key);
            if (!text.IsEmpty() && combo != nullptr) {
                ::SendMessageW(combo, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
                ::SendMessageW(
                    combo, CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.GetString()));
            }
            ++index;
        }
        Select(m_hWnd, list.id, list.selection);
    }
}

void CDlgImageShow::ShowEditedValues()
{
    const auto* edited = static_cast<const ProgramImageShow*>(m_pEditedProgram);
    ProgramImageShow* show = WorkingCopy();
    show->m_imagePaths.Append(edited->m_imagePaths);
    m_files.Append(edited->m_imagePaths);
    ShowFileNames();
    show->m_backgroundImage = edited->m_backgroundImage;
    SetDlgItemText(IDC_IMS_BACK_IMAGE, FileName(edited->m_backgroundImage));
    Select(m_hWnd, IDC_IMS_BACKGROUND, std::clamp(edited->m_backgroundKind, 0, 2));
    m_colorButton.SetColor(edited->m_backgroundColor);
    Select(m_hWnd, IDC_IMS_BACK_ALIGN, std::clamp(edited->m_backgroundAlign, 0, 3));
    Select(m_hWnd, IDC_IMS_IMAGE_ALIGN, std::clamp(edited->m_imageAlign, 0, 3));
    Select(m_hWnd, IDC_IMS_ENTER_EFFECT, std::clamp(edited->m_enterEffect, 0, 4));
    Select(m_hWnd, IDC_IMS_LEAVE_EFFECT, std::clamp(edited->m_leaveEffect, 0, 4));
    SetDlgItemText(IDC_IMS_ENTER_TIME, SecondsText(edited->m_enterTime));
    SetDlgItemText(IDC_IMS_STAY_TIME, SecondsText(edited->m_showingTime));
    SetDlgItemText(IDC_IMS_LEAVE_TIME, SecondsText(edited->m_leaveTime));
}

void CDlgImageShow::ShowFileNames()
{
    m_fileNames = ImageFileNames(WorkingCopy()->m_imagePaths);
    SetDlgItemText(IDC_IMS_FILES, m_fileNames);
}

void CDlgImageShow::ShowBackgroundControls()
{
    const int kind = Selection(m_hWnd, IDC_IMS_BACKGROUND);
    const struct {
        int id;
        bool shown;
    } controls[] = {
        { IDC_IMS_BACK_COLOR, kind == 1 },
        { IDC_IMS_BACK_ALIGN, kind == 2 },
        { IDC_IMS_BACK_IMAGE, kind == 2 },
        { IDC_IMS_CHOOSE_BACK_IMAGE, kind == 2 },
    };
    for (const auto& control : controls) {
        if (HWND item = ::GetDlgItem(m_hWnd, control.id))
            ::ShowWindow(item, control.shown ? SW_SHOW : SW_HIDE);
    }
}

bool CDlgImageShow::BuildImageShowProgram()
{
    ProgramImageShow* show = WorkingCopy();
    show->m_programType = PROGRAM_TYPE_IMAGE_SHOW;
    show->m_backgroundKind = Selection(m_hWnd, IDC_IMS_BACKGROUND);
    show->m_backgroundColor = m_colorButton.GetColor();
    show->m_backgroundAlign = Selection(m_hWnd, IDC_IMS_BACK_ALIGN);
    show->m_imageAlign = Selection(m_hWnd, IDC_IMS_IMAGE_ALIGN);
    show->m_enterEffect = Selection(m_hWnd, IDC_IMS_ENTER_EFFECT);
    show->m_leaveEffect = Selection(m_hWnd, IDC_IMS_LEAVE_EFFECT);
    show->m_enterTime = static_cast<float>(LeadingNumber(m_hWnd, IDC_IMS_ENTER_TIME));
    show->m_showingTime = static_cast<float>(LeadingNumber(m_hWnd, IDC_IMS_STAY_TIME));
    show->m_leaveTime = static_cast<float>(LeadingNumber(m_hWnd, IDC_IMS_LEAVE_TIME));
    const int rate = m_pDoc != nullptr ? m_pDoc->m_projectSettings.m_frameRate : 25;
    show->m_enterFrames = DurationFrames(show->m_enterTime, rate);
    show->m_showingFrames = DurationFrames(show->m_showingTime, rate);
    show->m_leaveFrames = DurationFrames(show->m_leaveTime, rate);
    const long long perImage
        = static_cast<long long>(show->m_enterFrames) + show->m_showingFrames + show->m_leaveFrames;
    const long long frames = std::min(perImage * show->m_imagePaths.GetSize(), kMaxProgramFrames);
    show->m_startFrame = 1;
    show->m_orgFrames = static_cast<int>(frames);
    show->m_endFrame = show->m_orgFrames;
    SetPreviewFrames(show->m_orgFrames);
    return show->m_orgFrames != 0;
}

void CDlgImageShow::Rebuild()
{
    if (BuildImageShowProgram())
        RestartPreview();
}

void CDlgImageShow::OnChooseImages()
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
        kImageShowFileFilter, this);
    dialog.m_ofn.nMaxFile = kImageShowNameChars;
    if (dialog.DoModal() != IDOK)
        return;
    m_files.RemoveAll();
    POSITION pos = dialog.GetStartPosition();
    while (pos != nullptr)
        m_files.Add(dialog.GetNextPathName(pos));
    WorkingCopy()->m_imagePaths.RemoveAll();
    WorkingCopy()->m_imagePaths.Append(m_files);
    // Nothing is rebuilt: the preview goes on until the next change, and OK
    // counts the frames of the images chosen.
    ShowFileNames();
}

void CDlgImageShow::OnChooseBackgroundImage()
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kImageShowFileFilter, this);
    if (dialog.DoModal() != IDOK)
        return;
    // Nothing is rebuilt here either: the preview draws the new background
    // from its next frame on.
    WorkingCopy()->m_backgroundImage = dialog.GetPathName();
    SetDlgItemText(IDC_IMS_BACK_IMAGE, FileName(dialog.GetPathName()));
}

void CDlgImageShow::OnBackgroundKind()
{
    ShowBackgroundControls();
    Rebuild();
}

void CDlgImageShow::OnChoiceChanged()
{
    Rebuild();
}

void CDlgImageShow::OnTimeChosen(UINT nID)
{
    HWND box = ::GetDlgItem(m_hWnd, static_cast<int>(nID));
    const LRESULT sel = ::SendMessageW(box, CB_GETCURSEL, 0, 0);
    if (sel >= 0) {
        wchar_t text[64] = L"";
        if (::SendMessageW(box, CB_GETLBTEXTLEN, static_cast<WPARAM>(sel), 0) < 64)
            ::SendMessageW(box, CB_GETLBTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(text));
        ::SetWindowTextW(box, SecondsText(_wtof(text)));
    }
    Rebuild();
}

void CDlgImageShow::OnTimeTyped(UINT)
{
    // The text is left as typed while the user types; a negative time counts
    // as none and is put right when the box is left.
    Rebuild();
}

void CDlgImageShow::OnTimeLeft(UINT nID)
{
    const double seconds = LeadingNumber(m_hWnd, static_cast<int>(nID));
    for (const TimeBox& box : kTimeBoxes) {
        if (box.id == static_cast<int>(nID))
            SetDlgItemText(box.id, seconds < 0.0 ? CString(box.fallback) : SecondsText(seconds));
    }
    Rebuild();
}

void CDlgImageShow::OnOK()
{
    BuildImageShowProgram();
    StopPreview();
    HandOver();
    EndAndNotify(IDOK);
}

void CDlgImageShow::OnCancel()
{
    EndAndNotify(IDCANCEL);
}
