// The AVI export options dialog.
#include "DlgExportAvi.h"

#include "dornel_doc.h"

#include <afxdlgs.h>
#include <fw_labels.h>
#include <fw_langtext.h>

namespace {

// The caption while exporting: "%d/%d" of the frames written and the total.
constexpr int kProgressKey = 260;

} // namespace

BEGIN_MESSAGE_MAP(CDlgExportAvi, CDialogEx)
ON_BN_CLICKED(IDC_AVI_BY_SEGMENT, OnBySegment)
ON_BN_CLICKED(IDC_AVI_PROJECT_SIZE, OnSizeSource)
ON_BN_CLICKED(IDC_AVI_SCREEN_SIZE, OnSizeSource)
ON_WM_CLOSE()
END_MESSAGE_MAP()

CDlgExportAvi::CDlgExportAvi(CWnd* engine, CDornelDoc* doc, CWnd* parent)
    : CDialogEx(IDD_EXPORT_AVI, parent)
    , m_pEngine(engine)
    , m_pDoc(doc)
{
}

void CDlgExportAvi::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_AVI_PROJECT_SIZE, m_sizeSource);
    DDX_Control(pDX, IDC_AVI_PROGRESS, m_progress);
    DDX_Check(pDX, IDC_AVI_BY_SEGMENT, m_bySegment);
}

void CDlgExportAvi::StoreBySegment()
{
    if (m_pDoc == nullptr)
        return;
    // The frame engine reads the flag under the same mutex.
    CSingleLock lock(&m_pDoc->m_mutex, TRUE);
    m_pDoc->m_aviPerSegment = m_bySegment;
}

BOOL CDlgExportAvi::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    if (m_pDoc != nullptr) {
        // The per-segment check says what the off-line output's check says.
        static const CtrlLabel labels[] = { { 0, L"TITLE", 8 }, { IDC_AVI_PROJECT_SIZE, L"ITEM_TITLE", 45 },
            { IDC_AVI_SCREEN_SIZE, L"ITEM_TITLE", 46 }, { IDC_AVI_BY_SEGMENT, L"ITEM_TITLE", 187 },
            { IDOK, L"ITEM_TITLE", 33 }, { IDCANCEL, L"ITEM_TITLE", 34 } };
        ApplyLabels(
            *this, [this](LPCTSTR section, int key) { return m_pDoc->Host().GetLangText(section, key); }, labels);
    }
    m_progress.ShowWindow(SW_HIDE);
    UpdateData(TRUE);
    StoreBySegment();
    return TRUE;
}

void CDlgExportAvi::OnBySegment()
{
    UpdateData(TRUE);
    StoreBySegment();
}

void CDlgExportAvi::OnSizeSource()
{
    UpdateData(TRUE);
}

void CDlgExportAvi::OnOK()
{
    // Enter reaches OK even while its button is disabled: one export at a time.
    if (m_exporting)
        return;
    if (!UpdateData(TRUE))
        return;
    CFileDialog save(
        FALSE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, L"Video Files(*.AVI)|*.AVI||", this);
    if (save.DoModal() != IDOK)
        return;
    const CString path = save.GetPathName();
    if (m_pEngine == nullptr || m_pEngine->GetSafeHwnd() == nullptr)
        return;
    m_progress.ShowWindow(SW_SHOW);
    // The engine copies the path during the call.
    m_pEngine->SendMessage(WM_EXPORT_AVI, static_cast<WPARAM>(m_sizeSource), reinterpret_cast<LPARAM>(&path));
}

void CDlgExportAvi::OnCancel()
{
    // Escape during an export ends it as closing the window does, so that
    // the engine finishes the file instead of leaving it open and unfinished.
    EndDialog(m_exporting ? IDOK : IDCANCEL);
}

void CDlgExportAvi::OnClose()
{
    EndDialog(IDOK);
}

void CDlgExportAvi::BeginProgress(int totalFrames)
{
    m_totalFrames = totalFrames;
    m_position = 0;
    m_exporting = true;
    // Read once: the caption changes with every frame.
    m_progressFormat = m_pDoc != nullptr ? m_pDoc->Host().GetLangText(L"ITEM_TITLE", kProgressKey) : CString();
    if (m_progressFormat.IsEmpty())
        m_progressFormat = L"进度:%d/%d";
    if (m_hWnd == nullptr)
        return;
    m_progress.SetRange32(0, totalFrames);
    m_progress.SetPos(0);
    for (int id : { IDOK, IDCANCEL, IDC_AVI_PROJECT_SIZE, IDC_AVI_SCREEN_SIZE, IDC_AVI_BY_SEGMENT })
        if (CWnd* item = GetDlgItem(id))
            item->EnableWindow(FALSE);
}

BOOL CDlgExportAvi::StepProgress(int frame)
{
    m_position = frame;
    if (m_hWnd != nullptr) {
        m_progress.SetPos(frame);
        SetWindowTextW(AfxLangTextWithNumbers(m_progressFormat, { frame, m_totalFrames }));
    }
    return frame == m_totalFrames;
}

CCanvasContainer::ExportDialogFactory MakeAviExportDialogFactory(CDornelDoc* doc)
{
    return [doc](CCanvasContainer* engine, CEngineDocument*) -> CAviExportDialog* {
        return new CDlgExportAvi(engine, doc);
    };
}
