// Commands of the layout view: undo, redo, delete, preview, lamp numbers,
// connection lines, the background picture, editing a port, finishing a
// mode, the context menu, and how the view reports to the status bar and
// the list panel.
#include "PannexView.h"

#include <algorithm>
#include <gdiplus.h>

#include "EditorSettings.h"
#include "fw_bars.h"
#include "LayoutImageFile.h"
#include "LayoutLangText.h"
#include "LayoutSelection.h"
#include "ListPanelAccess.h"
#include "PannexEditResource.h"
#include "PannexMenus.h"
#include "PannexResource.h"

namespace {

// Most pixels the background picture keeps in each direction.
constexpr int kMaxBackgroundWidth = 1920;
constexpr int kMaxBackgroundHeight = 1080;

} // namespace

// --- Reporting ----------------------------------------------------------------------

void CPannexView::SetStatusText(int pane, const CString& text)
{
    if (pane < 0 || pane > 1)
        return;
    m_statusText[pane] = text;
    if (GetSafeHwnd() == nullptr)
        return;
    HWND frame = ::GetAncestor(m_hWnd, GA_ROOT);
    HWND bar = frame != nullptr ? ::GetDlgItem(frame, AFX_IDW_STATUS_BAR) : nullptr;
    if (bar == nullptr)
        return;
    // The frame's status bar object keeps its panes' texts itself.
    if (auto* status = dynamic_cast<CStatusBar*>(CWnd::FromHandlePermanent(bar)))
        status->SetPaneText(pane, text);
    else
        ::SendMessageW(bar, SB_SETTEXTW, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(text.GetString()));
}

void CPannexView::NotifyTree(bool rebuild)
{
    if (rebuild)
        RebuildListPanelTree();
    SelectPortInListPanel(m_currentPort);
}

void CPannexView::UpdateAfterEdit()
{
    FindOverlapCells();
    Redraw();
    NotifyTree(true);
}

// --- Undo, redo, delete ----------------------------------------------------------------

void CPannexView::OnEditUndo()
{
    CLayoutData* model = GetModel();
    if (model == nullptr)
        return;
    model->ClearSelection();
    model->UndoStep();
    UpdateAfterEdit();
}

void CPannexView::OnEditRedo()
{
    CLayoutData* model = GetModel();
    if (model == nullptr)
        return;
    model->ClearSelection();
    model->RedoStep();
    UpdateAfterEdit();
}

void CPannexView::OnUpdateEditUndo(CCmdUI* pCmdUI)
{
    const CLayoutData* model = GetModel();
    pCmdUI->Enable(model != nullptr && model->m_currentStep > 0);
}

void CPannexView::OnUpdateEditRedo(CCmdUI* pCmdUI)
{
    const CLayoutData* model = GetModel();
    pCmdUI->Enable(model != nullptr && model->m_currentStep < model->GetStepCount());
}

void CPannexView::OnEditDelete()
{
    CLayoutData* model = GetModel();
    if (model == nullptr)
        return;
    if (model->m_selectedPorts.empty()) {
        const CLPoint& c = m_currentCell;
        if (model->DeletePointsInRect(c.x, c.y, c.x + 1, c.y + 1) == 0)
            return;
    } else {
        model->DeleteSelection();
    }
    model->ClearSelection();
    UpdateAfterEdit();
}

// --- View commands --------------------------------------------------------------------

void CPannexView::OnEditPreview()
{
    CLayoutData* model = GetModel();
    if (model == nullptr)
        return;
    ResizeLayout(model->m_width, model->m_height);
    Redraw();
}

void CPannexView::OnLampNumbers()
{
    m_lampNumbers = m_lampNumbers ? 0 : 1;
    m_overlapMarkers = m_lampNumbers;
    if (!m_overlapMarkers)
        m_overlapCells.clear();
    FindOverlapCells();
    Redraw();
}

void CPannexView::OnUpdateLampNumbers(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_lampNumbers ? 1 : 0);
}

void CPannexView::OnConnectionLines()
{
    m_connectionLines = m_connectionLines ? 0 : 1;
    FindOverlapCells();
    Redraw();
}

void CPannexView::OnUpdateConnectionLines(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_connectionLines ? 1 : 0);
}

void CPannexView::OnImportBackground()
{
    CFileDialogRequest request;
    request.bOpen = TRUE;
    request.hWndOwner = GetSafeHwnd();
    request.strFilter = GetLangText(L"OTHER", 2);
    if (request.strFilter.IsEmpty())
        request.strFilter = L"*.bmp;*.jpg;*.jpeg;*.png;*.gif|*.bmp;*.jpg;*.jpeg;*.png;*.gif||";
    request.dwFlags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST;
    if (!AfxGetUiHost().FileDialog(request) || request.results.empty())
        return;
    LoadBackgroundImage(request.results.front());
}

bool CPannexView::LoadBackgroundImage(const CString& path)
{
    ClearBackgroundImage();
    m_backgroundPath = path;
    m_settings.m_backgroundImage = path;
    bool loaded = false;
    {
        Gdiplus::Bitmap picture(path.GetString());
        if (picture.GetLastStatus() == Gdiplus::Ok && picture.GetWidth() > 0 && picture.GetHeight() > 0) {
            // Each side is capped on its own: a larger picture is squeezed.
            const int width = std::min(static_cast<int>(picture.GetWidth()), kMaxBackgroundWidth);
            const int height = std::min(static_cast<int>(picture.GetHeight()), kMaxBackgroundHeight);
            BITMAPINFO info = {};
            info.bmiHeader.biSize = sizeof(info.bmiHeader);
            info.bmiHeader.biWidth = width;
            info.bmiHeader.biHeight = -height;
            info.bmiHeader.biPlanes = 1;
            info.bmiHeader.biBitCount = 32;
            info.bmiHeader.biCompression = BI_RGB;
            void* bits = nullptr;
            HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
            HDC dc = bitmap != nullptr ? ::CreateCompatibleDC(nullptr) : nullptr;
            if (dc != nullptr) {
                m_bkDC = dc;
                m_bkBitmap = bitmap;
                m_bkOldBitmap = ::SelectObject(m_bkDC, m_bkBitmap);
                DrawPictureStretched(picture, m_bkDC, 0, 0, width, height);
                m_bkWidth = width;
                m_bkHeight = height;
                loaded = true;
            } else if (bitmap != nullptr) {
                ::DeleteObject(bitmap);
            }
        }
    }
    Redraw();
    return loaded;
}

void CPannexView::OnDeleteBackground()
{
    m_backgroundPath.Empty();
    m_settings.m_backgroundImage.Empty();
    ClearBackgroundImage();
    Redraw();
}

// --- Edit modes -------------------------------------------------------------------------

void CPannexView::OnEditPort()
{
    int port = 0;
    int lamp = 0;
    if (!LampAtCurrentCell(port, lamp))
        return;
    m_currentPort = port - 1;
    NotifyTree(false);
    SetEditMode(1);
}

void CPannexView::OnFinish()
{
    SetEditMode(0);
}

void CPannexView::OnUpdateNotYetAvailable(CCmdUI* pCmdUI)
{
    // Commands whose dialogs the editor does not have yet stay disabled
    // rather than doing nothing when chosen.
    pCmdUI->Enable(FALSE);
}

// --- Context menu -------------------------------------------------------------------------

void CPannexView::OnContextMenu(CWnd*, CPoint screen)
{
    TrackViewMenu(IDR_EDIT_MENU, LocalizeEditMenu, screen);
}

void CPannexView::TrackViewMenu(UINT menuId, int (*localize)(HMENU, const LayoutTextFn&), CPoint screen)
{
    if (LayoutLock)
        return;
    CMenu menu;
    if (!menu.LoadMenu(menuId))
        return;
    HMENU popup = ::GetSubMenu(menu.GetSafeHmenu(), 0);
    if (popup == nullptr)
        return;
    localize(popup, [](int key) { return GetLangText(L"LAYOUT", key); });
    CMenu* pPopup = CMenu::FromHandle(popup);
    if (m_trackMenu) {
        m_trackMenu(*pPopup, screen);
        return;
    }
    if (GetSafeHwnd() != nullptr)
        pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, this);
}

void CPannexView::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    if (!bSysMenu && pPopupMenu != nullptr)
        UpdateMenuState(*pPopupMenu);
}

void CPannexView::UpdateMenuState(CMenu& menu)
{
    CCmdUI state;
    state.m_pMenu = &menu;
    for (state.m_nIndex = 0; static_cast<int>(state.m_nIndex) < menu.GetMenuItemCount(); ++state.m_nIndex) {
        const UINT id = menu.GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (id == 0 || id == static_cast<UINT>(-1))
            continue;
        state.m_nID = id;
        state.m_pSubMenu = nullptr;
        // A command nobody handles is shown disabled.
        state.DoUpdate(this, TRUE);
    }
}
