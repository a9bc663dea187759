// The hardware settings and off-line output dialog.
#include "DlgHardSet.h"

#include "HardwareConfig.h"
#include "OffPassWordDlg.h"
#include "dornel_doc.h"

#include <fw_labels.h>

const char kHiddenKeySequence[] = "KWPZ";

namespace {

constexpr int kBrightnessSliders[]
    = { IDC_CP_BRIGHTNESS, IDC_CP_BRIGHTNESS_A, IDC_CP_BRIGHTNESS_B, IDC_CP_BRIGHTNESS_C, IDC_CP_BRIGHTNESS_D };
// Controls that a configuration-only run does not use.
constexpr int kRecordingOptions[]
    = { IDC_HS_GPS, IDC_HS_BTS, IDC_HS_SIZE_LIMIT, IDC_HS_BY_SEGMENT, IDC_HS_WRITE_CONFIG, IDC_HS_CARD_TOOL };
constexpr int kModelWithBrightness = 2;

constexpr CtrlLabel kLabels[] = {
    { IDC_HS_GENERATE, L"ITEM_TITLE", 32 },
    { IDOK, L"ITEM_TITLE", 33 },
    { IDCANCEL, L"ITEM_TITLE", 34 },
    { IDC_HS_MODEL_LABEL, L"ITEM_TITLE", 31 },
    { IDC_HS_SYNC_GROUP, L"ITEM_TITLE", 185 },
    { IDC_HS_GPS, L"ITEM_TITLE", 168 },
    { IDC_HS_BTS, L"ITEM_TITLE", 184 },
    { IDC_HS_OUTPUT_GROUP, L"ITEM_TITLE", 186 },
    { IDC_HS_SIZE_LABEL, L"ITEM_TITLE", 190 },
    { IDC_HS_BY_SEGMENT, L"ITEM_TITLE", 187 },
    { IDC_HS_WRITE_CONFIG, L"ITEM_TITLE", 188 },
    { IDC_HS_CARD_TOOL, L"ITEM_TITLE", 189 },
    { IDC_HS_CONFIG_ONLY, L"ITEM_TITLE", 208 },
};

struct SizeLimit {
    const wchar_t* text;
    int data;
};
constexpr SizeLimit kSizeLimits[] = { { L"1G", 1 }, { L"2G", 2 }, { L"No Limit", kSizeLimitNone } };

} // namespace

BEGIN_MESSAGE_MAP(CDlgHardSet, CDialogEx)
ON_BN_CLICKED(IDC_HS_GENERATE, OnGenerateOfflineFiles)
ON_CBN_SELCHANGE(IDC_HS_MODEL, OnControllerModelChanged)
ON_BN_CLICKED(IDC_HS_GPS, OnSyncPlay)
ON_BN_CLICKED(IDC_HS_BTS, OnSyncPlay)
ON_BN_CLICKED(IDC_HS_CARD_TOOL, OnCardTool)
ON_BN_CLICKED(IDC_HS_BY_SEGMENT, OnBySegment)
ON_BN_CLICKED(IDC_HS_CONFIG_ONLY, OnConfigOnly)
ON_MESSAGE(WM_OFFLINE_ENCRYPTION, OnOfflineEncryption)
ON_WM_CLOSE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CDlgHardSet::CDlgHardSet(HardwareConfig& config, CWnd* parent)
    : CDialogEx(IDD_HARD_SET, parent)
    , m_pConfig(&config)
    , m_pHost(&DefaultOfflineOutputHost())
{
}

void CDlgHardSet::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HS_TAB, m_tab);
    DDX_Control(pDX, IDC_HS_PROGRESS, m_progress);
    DDX_Control(pDX, IDC_HS_MODEL, m_model);
    DDX_Control(pDX, IDC_HS_SIZE_LIMIT, m_sizeLimit);
    DDX_Check(pDX, IDC_HS_GPS, m_gpsSync);
    DDX_Check(pDX, IDC_HS_BTS, m_btsSync);
    DDX_Check(pDX, IDC_HS_CARD_TOOL, m_cardTool);
    DDX_Check(pDX, IDC_HS_BY_SEGMENT, m_bySegment);
}

CString CDlgHardSet::LangText(LPCTSTR section, int key) const
{
    return m_pDoc != nullptr ? m_pDoc->Host().GetLangText(section, key) : CString();
}

void CDlgHardSet::SetLabel(int id, LPCTSTR section, int key)
{
    ApplyLabel(*this, id, LangText(section, key));
}

void CDlgHardSet::EnableItem(int id, BOOL enable)
{
    if (CWnd* item = GetDlgItem(id))
        item->EnableWindow(enable);
}

void CDlgHardSet::SetButtonsEnabled(BOOL enable)
{
    EnableItem(IDC_HS_GENERATE, enable);
    EnableItem(IDOK, enable);
    EnableItem(IDCANCEL, enable);
}

BOOL CDlgHardSet::IsGenerating() const
{
    return m_progress.GetSafeHwnd() != nullptr && m_progress.IsWindowVisible();
}

BOOL CDlgHardSet::OnInitDialog()
{
    CDialogEx::OnInitDialog();

    m_tab.InsertItem(0, LangText(L"TITLE", 5));
    m_page.SetConfiguration(m_pConfig);
    if (m_page.Create(IDD_CHIP_PAGE, &m_tab)) {
        CRect area;
        m_tab.GetClientRect(&area);
        area.left += 2;
        area.top += 22;
        area.right -= 4;
        area.bottom -= 4;
        m_page.MoveWindow(&area);
        m_page.ShowWindow(SW_SHOW);
    }
    m_tab.SetCurSel(0);

    m_controllerCount = m_pDoc != nullptr ? m_pDoc->m_controllerCount : 0;

    m_model.ResetContent();
    for (const wchar_t* model : kControllerModels)
        m_model.AddString(model);
    m_model.SetCurSel(0);
    const CString modelName = m_pConfig->GetModelName();
    if (!modelName.IsEmpty()) {
        const int found = m_model.FindString(-1, modelName);
        if (found >= 0)
            m_model.SetCurSel(found);
    }
    CheckDlgButton(IDC_HS_WRITE_CONFIG, BST_CHECKED);
    CheckDlgButton(IDC_HS_CONFIG_ONLY, BST_UNCHECKED);

    ApplyLabel(*this, 0, LangText(L"KVMENU", 53));
    ApplyLabels(
        *this, [this](LPCTSTR section, int key) { return LangText(section, key); }, kLabels);

    if (m_pDoc != nullptr)
        m_bySegment = m_pDoc->m_filePerSegment;
    UpdateData(FALSE);

    for (int id : kBrightnessSliders)
        if (CWnd* slider = m_page.GetDlgItem(id))
            slider->EnableWindow(FALSE);

    m_sizeLimit.ResetContent();
    for (const SizeLimit& limit : kSizeLimits)
        m_sizeLimit.SetItemData(m_sizeLimit.AddString(limit.text), static_cast<DWORD_PTR>(limit.data));
    m_sizeLimit.SetCurSel(0);

    m_progress.ShowWindow(SW_HIDE);
    SetButtonsEnabled(TRUE);
    OnControllerModelChanged();
    return TRUE;
}

void CDlgHardSet::OnControllerModelChanged()
{
    const int model = m_model.GetCurSel();
    if (model == kModelWithoutConfig) {
        CheckDlgButton(IDC_HS_WRITE_CONFIG, BST_UNCHECKED);
        EnableItem(IDC_HS_WRITE_CONFIG, FALSE);
        CWnd* chip = m_page.GetDlgItem(IDC_CP_CHIP);
        if (chip != nullptr && chip->IsWindowEnabled()) {
            m_disabledPageControls.clear();
            for (HWND child = ::GetWindow(m_page.GetSafeHwnd(), GW_CHILD); child != nullptr;
                 child = ::GetWindow(child, GW_HWNDNEXT)) {
                if (!::IsWindowEnabled(child))
                    m_disabledPageControls.push_back(child);
                ::EnableWindow(child, FALSE);
            }
        }
        return;
    }
    CheckDlgButton(IDC_HS_WRITE_CONFIG, BST_CHECKED);
    EnableItem(IDC_HS_WRITE_CONFIG, TRUE);
    if (!m_disabledPageControls.empty()) {
        for (HWND child = ::GetWindow(m_page.GetSafeHwnd(), GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            bool listed = false;
            for (HWND h : m_disabledPageControls)
                listed = listed || h == child;
            if (!listed)
                ::EnableWindow(child, TRUE);
        }
    }
    for (int id : kBrightnessSliders)
        if (CWnd* slider = m_page.GetDlgItem(id))
            slider->EnableWindow(model == kModelWithBrightness);
}

void CDlgHardSet::OnSyncPlay()
{
    UpdateData(TRUE);
    if (m_pDoc == nullptr)
        return;
    const int flag = (m_gpsSync != 0 || m_btsSync != 0) ? 1 : 0;
    for (INT_PTR i = 0; i < m_pDoc->m_segments.GetSize(); ++i) {
        QvSegmentGourp* segment = m_pDoc->m_segments.GetAt(i);
        if (segment != nullptr && segment->m_pSegmentInfo != nullptr)
            segment->m_pSegmentInfo->m_timePlay.m_gpsMode = flag;
    }
}

void CDlgHardSet::OnCardTool()
{
    UpdateData(TRUE);
}

void CDlgHardSet::OnBySegment()
{
    UpdateData(TRUE);
    if (m_pDoc != nullptr)
        m_pDoc->m_filePerSegment = m_bySegment;
}

void CDlgHardSet::OnConfigOnly()
{
    const BOOL configOnly = IsDlgButtonChecked(IDC_HS_CONFIG_ONLY) == BST_CHECKED;
    for (int id : kRecordingOptions)
        EnableItem(id, !configOnly);
    SetLabel(IDC_HS_GENERATE, L"ITEM_TITLE", configOnly ? 188 : 32);
}

void CDlgHardSet::OnGenerateOfflineFiles()
{
    if (m_pDoc == nullptr)
        return;
    m_page.CollectHardParams();

    OfflineGenerationChoice choice;
    choice.configOnly = IsDlgButtonChecked(IDC_HS_CONFIG_ONLY) == BST_CHECKED;
    choice.modelIndex = m_model.GetCurSel();
    m_model.GetWindowTextW(choice.modelName);
    choice.writeConfig = IsDlgButtonChecked(IDC_HS_WRITE_CONFIG) == BST_CHECKED;
    const int sel = m_sizeLimit.GetCurSel();
    choice.sizeLimit = sel >= 0 ? static_cast<int>(m_sizeLimit.GetItemData(sel)) : 0;
    choice.controllerCount = m_controllerCount;

    const OfflineGenerationOutcome outcome = StartOfflineGeneration(*m_pDoc, *m_pConfig, choice, m_hWnd, *m_pHost);
    if (outcome.result != OfflineGenerationResult::kRecording)
        return;
    m_outputFolder = outcome.folder;
    m_totalFrames = outcome.totalFrames;
    m_progressPos = 0;
    m_progress.SetRange32(0, m_totalFrames);
    m_progress.SetPos(0);
    m_progress.ShowWindow(SW_SHOW);
    SetButtonsEnabled(FALSE);
}

void CDlgHardSet::OnOfflineProgress(int framesWritten)
{
    // Only a running generation is reported; a stray count (an earlier run
    // stopped by the user, or none started) must not announce success.
    if (m_hWnd == nullptr || !IsWindowVisible() || !IsGenerating())
        return;
    // The engine reports a failed run with -1 (and has told the user): the
    // generation ends here, without the success text or the card tool.
    if (framesWritten < 0) {
        m_progress.ShowWindow(SW_HIDE);
        SetButtonsEnabled(TRUE);
        return;
    }
    m_progressPos = framesWritten;
    m_progress.SetPos(framesWritten);
    if (framesWritten != m_totalFrames)
        return;
    SetButtonsEnabled(TRUE);
    m_progress.ShowWindow(SW_HIDE);
    // Without a caption the system would title the success "Error".
    AfxGetUiHost().MessageBox(m_hWnd, LangText(L"SHOW", 3), AfxGetAppTitle(), MB_OK | MB_ICONINFORMATION);
    EndDialog(IDOK);
    HandOnOutputFolder(m_outputFolder, m_cardTool, nullptr, *m_pHost);
}

void CDlgHardSet::OnOK()
{
    // Enter reaches OK even while its button is disabled; a running
    // generation ends only through its last frame or the quit question.
    if (IsGenerating())
        return;
    m_page.CollectHardParams();
    m_pConfig->SaveToRecord();
    CString model;
    m_model.GetWindowTextW(model);
    m_pConfig->SetModelName(model);
    EndDialog(IDOK);
}

void CDlgHardSet::OnCancel()
{
    // Escape while a recording runs must not leave the engine recording
    // behind a closed dialog: it asks as closing the window does.
    if (IsGenerating()) {
        OnClose();
        return;
    }
    EndDialog(IDCANCEL);
}

void CDlgHardSet::OnClose()
{
    if (IsGenerating()) {
        if (AfxGetUiHost().MessageBox(m_hWnd, L"Quit?", nullptr, MB_YESNO) != IDYES)
            return;
        if (m_pDoc != nullptr)
            m_pDoc->Host().SendPanelMessage(DOC_PANEL_VIEW, m_pDoc->m_pViewPanel, WM_RECORD_OFFLINE, 1, 0);
        m_progress.ShowWindow(SW_HIDE);
        SetButtonsEnabled(TRUE);
    }
    EndDialog(IDOK);
}

void CDlgHardSet::OnDestroy()
{
    Default();
    // An encryption set in this run applies only to a generation started in it.
    if (m_pDoc != nullptr) {
        m_pDoc->m_offlineEncryption = 0;
        for (char& b : m_pDoc->m_offlinePassword)
            b = 0;
    }
}

BOOL CDlgHardSet::PreTranslateMessage(MSG* pMsg)
{
    HiddenKeyFilter(pMsg);
    return CDialogEx::PreTranslateMessage(pMsg);
}

BOOL CDlgHardSet::HiddenKeyFilter(const MSG* msg)
{
    if (msg == nullptr || msg->message != WM_KEYDOWN)
        return FALSE;
    if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd))
        return FALSE;
    m_keyBuffer += static_cast<char>(msg->wParam & 0xFF);
    const int length = m_keyBuffer.GetLength();
    if (length == 4) {
        m_keyBuffer.MakeUpper();
        const BOOL complete = IsHiddenKeySequence();
        if (complete)
            PostMessage(WM_OFFLINE_ENCRYPTION, 0, 0);
        m_keyBuffer.Empty();
        return complete;
    }
    if (length > 4) {
        m_keyBuffer.Empty();
        return FALSE;
    }
    for (int i = 0; i < length; ++i) {
        if (m_keyBuffer[i] != kHiddenKeySequence[i]) {
            m_keyBuffer.Empty();
            break;
        }
    }
    return FALSE;
}

BOOL CDlgHardSet::IsHiddenKeySequence() const
{
    return m_keyBuffer.GetLength() == 4 && m_keyBuffer == kHiddenKeySequence;
}

LRESULT CDlgHardSet::OnOfflineEncryption(WPARAM, LPARAM)
{
    if (m_pDoc != nullptr)
        RunOfflineEncryption(*m_pDoc, this);
    return 0;
}
