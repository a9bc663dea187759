// The colour-template picker, the pop-up item list and the custom colour
// dialog.
#include "dlg_color_template.h"

#include "color_effect_values.h"
#include "color_strips.h"
#include "dornel_doc.h"
#include "fw_labels.h"
#include "show_messages.h"
#include "tile_view.h"

namespace {

constexpr int kThumbStep = 32; // thumbnail pixels of one colour step

// The templates of one file end to end, one pixel high.
CBitmap* TemplateFileThumbnail(const ColorTemplateArray& file)
{
    const int steps = ColorStepsOf(file.m_templates);
    const int width = steps > 0 ? steps * kThumbStep : 1;
    HDC screen = ::GetDC(nullptr);
    auto* bitmap = new CBitmap;
    bitmap->Attach(::CreateCompatibleBitmap(screen, width, 1));
    HDC memDC = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    if (memDC != nullptr && bitmap->GetSafeHandle() != nullptr) {
        HGDIOBJ old = ::SelectObject(memDC, bitmap->GetSafeHandle());
        ::PatBlt(memDC, 0, 0, width, 1, BLACKNESS);
        int x = 0;
        for (INT_PTR i = 0; i < file.m_templates.GetSize(); ++i) {
            ColorTemplateList one;
            one.Add(file.m_templates.GetAt(i));
            const int share = ColorStepsOf(one) * kThumbStep;
            one.RemoveAll();
            if (share <= 0)
                continue;
            HDC partDC = ::CreateCompatibleDC(memDC);
            HBITMAP part = ::CreateCompatibleBitmap(memDC, share, 1);
            if (partDC != nullptr && part != nullptr) {
                HGDIOBJ oldPart = ::SelectObject(partDC, part);
                CDC dc;
                dc.Attach(partDC);
                DrawTemplateGradient(&dc, *file.m_templates.GetAt(i));
                dc.Detach();
                ::BitBlt(memDC, x, 0, share, 1, partDC, 0, 0, SRCCOPY);
                ::SelectObject(partDC, oldPart);
            }
            if (part != nullptr)
                ::DeleteObject(part);
            if (partDC != nullptr)
                ::DeleteDC(partDC);
            x += share;
        }
        ::SelectObject(memDC, old);
    }
    if (memDC != nullptr)
        ::DeleteDC(memDC);
    return bitmap;
}

CMyColorView* CreateTiles(CWnd* parent, const CRect& rect, int columns, int tileWidth)
{
    auto* view = new CMyColorView;
    view->m_nColumns = columns;
    if (tileWidth > 0)
        view->m_nTileWidth = tileWidth;
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, rect, parent, 1, nullptr)) {
        delete view;
        return nullptr;
    }
    view->OnInitialUpdate();
    return view;
}

} // namespace

// ---------------------------------------------------------------------------
// CDlgColorTemplate

BEGIN_MESSAGE_MAP(CDlgColorTemplate, CDialog)
ON_MESSAGE(WM_TILE_SELECTED, OnTileSelected)
END_MESSAGE_MAP()

CDlgColorTemplate::CDlgColorTemplate(CWnd* parent)
    : CDialog(IDD_COLOR_TEMPLATE_PICKER, parent)
{
}

CDlgColorTemplate::~CDlgColorTemplate()
{
    // The tiles point at the thumbnails: the window goes first.
    if (m_hWnd != nullptr)
        DestroyWindow();
    for (INT_PTR i = 0; i < m_thumbs.GetSize(); ++i)
        delete m_thumbs.GetAt(i);
    m_thumbs.RemoveAll();
}

BOOL CDlgColorTemplate::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_hasPlace)
        SetWindowPos(nullptr, m_place.x, m_place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_pDoc == nullptr)
        return TRUE;
    CString caption = m_pDoc->Host().GetLangText(L"TITLE", 7);
    if (!caption.IsEmpty())
        SetWindowText(caption);
    CSingleLock lock(&m_pDoc->m_mutex, TRUE);
    CRect client;
    GetClientRect(&client);
    m_pTileView = CreateTiles(this, CRect(1, 1, client.Width() - 2, client.Height() - 2), 2, (client.Width() - 22) / 2);
    if (m_pTileView == nullptr)
        return TRUE;
    const ColorTemplateArrayPtrList& files = m_pDoc->m_templateFiles;
    for (INT_PTR i = 0; i < files.GetSize(); ++i) {
        m_thumbs.Add(TemplateFileThumbnail(*files.GetAt(i)));
        m_pTileView->AddItem(m_thumbs.GetAt(i), static_cast<int>(i));
    }
    return TRUE;
}

LRESULT CDlgColorTemplate::OnTileSelected(WPARAM wParam, LPARAM)
{
    m_pickedIndex = static_cast<int>(wParam);
    EndDialog(IDOK);
    return 0;
}

int RunColorTemplatePicker(CDornelDoc& doc, CWnd* parent, const POINT* place)
{
    CDlgColorTemplate picker(parent);
    picker.m_pDoc = &doc;
    if (place != nullptr) {
        picker.m_hasPlace = true;
        picker.m_place = *place;
    }
    if (picker.DoModal() != IDOK)
        return -1;
    CSingleLock lock(&doc.m_mutex, TRUE);
    return picker.m_pickedIndex >= 0 && picker.m_pickedIndex < doc.m_templateFiles.GetSize() ? picker.m_pickedIndex
                                                                                             : -1;
}

// ---------------------------------------------------------------------------
// CDlgPopView

BEGIN_MESSAGE_MAP(CDlgPopView, CDialog)
ON_MESSAGE(WM_TILE_SELECTED, OnTileSelected)
ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CDlgPopView::CreatePopup(CWnd* owner)
{
    return Create(IDD_POP_VIEW, owner);
}

BOOL CDlgPopView::OnInitDialog()
{
    CDialog::OnInitDialog();
    CRect client;
    GetClientRect(&client);
    m_pTileView = CreateTiles(this, client, 2, 0);
    if (m_pTileView != nullptr && m_pSnapshots != nullptr) {
        for (INT_PTR i = 0; i < m_pSnapshots->GetSize(); ++i) {
            const S_EffectSnap* snap = m_pSnapshots->GetAt(i);
            m_pTileView->AddNamedItem(snap->m_pThumb, snap->m_name, static_cast<int>(i));
        }
    }
    return TRUE;
}

LRESULT CDlgPopView::OnTileSelected(WPARAM wParam, LPARAM)
{
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner != nullptr)
        ::PostMessageW(owner, WM_SNAPSHOT_PICKED, wParam, 0);
    return 0;
}

void CDlgPopView::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (m_pTileView != nullptr && m_pTileView->GetSafeHwnd() != nullptr) {
        CRect client;
        GetClientRect(&client);
        m_pTileView->MoveWindow(&client);
    }
}

// ---------------------------------------------------------------------------
// CDlgCustomColorTemplate

BEGIN_MESSAGE_MAP(CDlgCustomColorTemplate, CDialog)
ON_MESSAGE(WM_TILE_SELECTED, OnTileSelected)
END_MESSAGE_MAP()

CDlgCustomColorTemplate::CDlgCustomColorTemplate(CWnd* parent)
    : CDialog(IDD_CUSTOM_COLOR_TEMPLATE, parent)
{
}

void CDlgCustomColorTemplate::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CT_STRIP, m_strip);
    DDX_Control(pDX, IDC_CT_SLIDER, m_slider);
}

BOOL CDlgCustomColorTemplate::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_pDoc != nullptr) {
        static constexpr CtrlLabel kLabels[] = {
            { 0, L"ITEM_TITLE", 220 },
            { IDC_CT_GRADIENT, L"ITEM_TITLE", 221 },
            { IDC_CT_SOLID, L"ITEM_TITLE", 222 },
            { IDOK, L"ITEM_TITLE", 33 },
            { IDCANCEL, L"ITEM_TITLE", 34 },
        };
        ApplyLabels(
            *this, [this](LPCTSTR section, int key) { return m_pDoc->Host().GetLangText(section, key); }, kLabels);
    }
    m_strip.ModifyStyle(0, SS_NOTIFY);
    // Without a texture thumbnail the bar stays empty.
    if (m_pDoc != nullptr && m_pDoc->m_textureTemplateThumbs.GetSize() > 0)
        m_strip.m_pBitmap = m_pDoc->m_textureTemplateThumbs.GetAt(0);
    m_strip.Invalidate();
    CRect bar;
    m_strip.GetClientRect(&bar);
    m_slider.SetRange(0, bar.Width(), TRUE);
    return TRUE;
}

LRESULT CDlgCustomColorTemplate::OnTileSelected(WPARAM wParam, LPARAM)
{
    m_slider.SetPos(static_cast<int>(wParam));
    return 0;
}
