// The Zazez Urad editor's colour list: palette clicks and drags, the colour
// bar, library tiles, colour templates, the custom colour bar, the list
// edits, saved custom bars (".ctx") and the import and export of whole
// programs (".cea").
#include "dlg_effect_plus.h"

#include <afxdlgs.h>

#include "AppPaths.h"
#include "color_strips.h"
#include "show_messages.h"
#include "template_files.h"
#include "tile_view.h"

#include <algorithm>
#include <cwchar>

namespace {

constexpr LPCWSTR kPlusFileFilter = L"Zazez Urad Files(*.cea)|*.cea||";

bool ClientOf(HWND bar, WPARAM sender)
{
    return bar != nullptr && reinterpret_cast<HWND>(sender) == bar;
}

CSize ClientSize(CWnd& bar)
{
    CRect rect;
    bar.GetClientRect(&rect);
    return rect.Size();
}

} // namespace

CString CDlgEffectPlus::ResourceFolder() const
{
    return GetAppFolder() + L"Resource\\";
}

void CDlgEffectPlus::ChangeColors(const std::function<void(ColorStripList&)>& change)
{
    {
        PlusGuard guard(m_shared.lock);
        change(m_shared.colors);
    }
    Redraw(PLUS_DRAW_COLORS);
}

void CDlgEffectPlus::ChangeStops(const std::function<void(PlusEditorShared&)>& change)
{
    {
        PlusGuard guard(m_shared.lock);
        change(m_shared);
    }
    Redraw(PLUS_DRAW_CUSTOM);
}

void CDlgEffectPlus::AppendStrip(ColorTemplateArrayEx* strip)
{
    if (strip == nullptr)
        return;
    PlusGuard guard(m_shared.lock);
    m_shared.colors.Add(strip);
}

// ---------------------------------------------------------------------------
// Palette and colour bar

void CDlgEffectPlus::OnPaletteButton(UINT id)
{
    for (int r = 0; r < 7; ++r) {
        if (m_paletteButtons[r].GetDlgCtrlID() == static_cast<int>(id)) {
            PlusGuard guard(m_shared.lock);
            m_shared.palette[r] = m_paletteButtons[r].GetColor();
        }
    }
    Redraw(PLUS_DRAW_PALETTE);
}

void CDlgEffectPlus::PaletteReleased(CPoint press, CPoint release)
{
    COLORREF rows[7];
    {
        PlusGuard guard(m_shared.lock);
        std::copy(std::begin(m_shared.palette), std::end(m_shared.palette), rows);
    }
    COLORREF picked = 0;
    ColorTemplateArrayEx* strip
        = PaletteDragStrip(press, release, ClientSize(m_paletteBar), rows, m_transition, picked);
    if (strip == nullptr) {
        m_currentColor.SetColor(picked);
        strip = new ColorTemplateArrayEx;
        auto* stop = new ColorTemplateEx;
        stop->m_mode = ColorTemplateEx::MODE_SOLID;
        stop->m_width = 1;
        stop->m_colors.Add(picked);
        strip->m_stops.Add(stop);
    }
    AppendStrip(strip);
    Redraw(PLUS_DRAW_ALL);
}

LRESULT CDlgEffectPlus::OnTrackerMoved(WPARAM wParam, LPARAM lParam)
{
    if (ClientOf(m_paletteBar.GetSafeHwnd(), wParam)) {
        if (lParam == 0) {
            {
                PlusGuard guard(m_shared.lock);
                m_shared.pressPoint = m_paletteBar.m_ptDragStart;
                m_shared.currentPoint = m_paletteBar.m_ptDragEnd;
            }
            Redraw(PLUS_DRAW_PALETTE_DRAG);
        } else {
            PaletteReleased(m_paletteBar.m_ptDragStart, *reinterpret_cast<const POINT*>(lParam));
        }
    } else if (ClientOf(m_colorBar.GetSafeHwnd(), wParam)) {
        if (lParam == 0) {
            Redraw(PLUS_DRAW_COLORS);
            return 0;
        }
        const COLORREF color = m_currentColor.GetColor();
        ChangeColors([color](ColorStripList& list) {
            auto* strip = new ColorTemplateArrayEx;
            auto* stop = new ColorTemplateEx;
            stop->m_mode = ColorTemplateEx::MODE_SOLID;
            stop->m_width = 1;
            stop->m_colors.Add(color);
            strip->m_stops.Add(stop);
            list.Add(strip);
        });
    } else if (ClientOf(m_customBar.GetSafeHwnd(), wParam)) {
        const CSize bar = ClientSize(m_customBar);
        if (lParam != 0) {
            ChangeStops([](PlusEditorShared& shared) { shared.selectedStop = -1; });
            return 0;
        }
        const CPoint current = m_customBar.m_ptDragEnd;
        ChangeStops([&](PlusEditorShared& shared) {
            if (shared.selectedStop < 0 || shared.selectedStop >= static_cast<int>(shared.stops.size()))
                return;
            S_CusPosInfo& stop = shared.stops[shared.selectedStop];
            const int wanted = stop.x + (current.x - m_lastDrag.x);
            stop.x = std::clamp(wanted, 5, std::max(5, static_cast<int>(bar.cx) - 5));
            m_lastDrag = CPoint(stop.x != wanted ? stop.x : current.x, current.y);
        });
    }
    return 0;
}

// ---------------------------------------------------------------------------
// Custom colour bar

LRESULT CDlgEffectPlus::OnBarLButtonDown(WPARAM wParam, LPARAM lParam)
{
    if (!ClientOf(m_customBar.GetSafeHwnd(), wParam) || lParam == 0)
        return Default();
    const CPoint point = *reinterpret_cast<const POINT*>(lParam);
    const CSize bar = ClientSize(m_customBar);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    ChangeStops([&](PlusEditorShared& shared) {
        const int hit = CustomStopAt(shared.stops, point);
        if (point.x >= 5 && point.x < bar.cx - 5 && point.y >= 0 && point.y < bar.cy / 2) {
            S_CusPosInfo added;
            added.x = point.x;
            added.y = bar.cy - 5;
            added.color = CustomBarColorAt(shared.stops, shared.gradient, point.x, bar.cx, face);
            shared.stops.push_back(added);
        } else if (hit >= 0) {
            shared.selectedStop = hit;
            m_lastDrag = point;
        }
    });
    return 0;
}

LRESULT CDlgEffectPlus::OnBarRButtonDown(WPARAM wParam, LPARAM lParam)
{
    if (!ClientOf(m_customBar.GetSafeHwnd(), wParam) || lParam == 0)
        return Default();
    const CPoint point = *reinterpret_cast<const POINT*>(lParam);
    int hit = -1;
    {
        PlusGuard guard(m_shared.lock);
        hit = CustomStopAt(m_shared.stops, point);
    }
    if (hit < 0)
        return 0;
    ChangeStops([hit](PlusEditorShared& shared) {
        shared.stops.erase(shared.stops.begin() + hit);
        // The selection follows its stop, and never points past the list.
        if (shared.selectedStop == hit)
            shared.selectedStop = -1;
        else if (shared.selectedStop > hit)
            --shared.selectedStop;
    });
    return 0;
}

LRESULT CDlgEffectPlus::OnBarDoubleClick(WPARAM wParam, LPARAM lParam)
{
    if (!ClientOf(m_customBar.GetSafeHwnd(), wParam) || lParam == 0)
        return Default();
    const CPoint point = *reinterpret_cast<const POINT*>(lParam);
    int hit = -1;
    COLORREF color = 0;
    {
        PlusGuard guard(m_shared.lock);
        hit = CustomStopAt(m_shared.stops, point);
        if (hit >= 0)
            color = m_shared.stops[hit].color;
    }
    if (hit < 0)
        return 0;
    if (AfxGetUiHost().PickColor(m_hWnd, color, CC_FULLOPEN | CC_RGBINIT)) {
        ChangeStops([hit, color](PlusEditorShared& shared) {
            if (hit < static_cast<int>(shared.stops.size()))
                shared.stops[hit].color = color;
        });
    }
    return 0;
}

void CDlgEffectPlus::OnGradientClicked()
{
    UpdateData(TRUE);
    const bool gradient = m_gradient != FALSE;
    ChangeStops([gradient](PlusEditorShared& shared) { shared.gradient = gradient; });
}

void CDlgEffectPlus::AddCustomBarToList()
{
    const CSize bar = ClientSize(m_customBar);
    const int T = m_transition;
    ChangeColors([&](ColorStripList& list) {
        if (ColorTemplateArrayEx* strip = CustomBarToStrip(m_shared.stops, m_shared.gradient, bar.cx, T))
            list.Add(strip);
    });
}

void CDlgEffectPlus::OnAddCustom()
{
    AddCustomBarToList();
}

// ---------------------------------------------------------------------------
// Library tiles

void CDlgEffectPlus::CreateTileView()
{
    CRect place;
    CWnd* placeholder = GetDlgItem(IDC_EP_TILE_PLACE);
    if (placeholder == nullptr)
        return;
    placeholder->GetWindowRect(&place);
    ScreenToClient(&place);
    m_pTileView = new CMyColorView;
    if (!m_pTileView->Create(
            nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, place, this, IDC_EP_TILE_VIEW, nullptr)) {
        // A view whose window was never made does not delete itself.
        delete m_pTileView;
        m_pTileView = nullptr;
        return;
    }
    m_pTileView->m_nColumns = 3;
    m_pTileView->m_nTileWidth = std::max(20, (place.Width() - 4 * m_pTileView->m_nMarginX - 30) / 3);
    m_pTileView->OnInitialUpdate();
    RefillTiles();
}

void CDlgEffectPlus::RefillTiles()
{
    if (m_pTileView == nullptr || m_pDoc == nullptr)
        return;
    m_pTileView->RemoveAllItems();
    CSingleLock lock(&m_pDoc->m_mutex, TRUE);
    const BitmapList& thumbs = m_pDoc->m_stripThumbs;
    for (INT_PTR i = 0; i < thumbs.GetSize(); ++i)
        m_pTileView->AddItem(thumbs.GetAt(i), static_cast<int>(i));
}

LRESULT CDlgEffectPlus::OnTileSelected(WPARAM wParam, LPARAM lParam)
{
    UpdateData(TRUE);
    if (m_pDoc == nullptr)
        return 0;
    const int t = static_cast<int>(wParam);
    ColorTemplateArrayEx* copy = nullptr;
    {
        CSingleLock lock(&m_pDoc->m_mutex, TRUE);
        if (t < 0 || t >= m_pDoc->m_colourStrips.GetSize())
            return 0;
        const ColorTemplateArrayEx* strip = m_pDoc->m_colourStrips.GetAt(t);
        copy = static_cast<int>(lParam) > 0 ? ColorTemplateArrayEx::CloneReversed(strip)
                                            : ColorTemplateArrayEx::Clone(strip);
    }
    if (copy == nullptr)
        return 0;
    for (INT_PTR i = 0; i < copy->m_stops.GetSize(); ++i)
        copy->m_stops.GetAt(i)->m_width = m_transition;
    ChangeColors([copy](ColorStripList& list) { list.Add(copy); });
    return 0;
}

LRESULT CDlgEffectPlus::OnTileDelete(WPARAM wParam, LPARAM)
{
    DeleteLibraryStrip(static_cast<int>(wParam));
    return 0;
}

void CDlgEffectPlus::DeleteLibraryStrip(int t)
{
    if (m_pDoc == nullptr || t < 0 || t >= m_pDoc->m_colourStrips.GetSize())
        return;
    const CString path = m_pDoc->m_colourStrips.GetAt(t)->m_name;
    if (path.IsEmpty()) {
        AfxMessageBox(L"ERROR!", MB_ICONSTOP);
        return;
    }
    if (::GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES)
        return;
    if (AfxMessageBox(L"Are You Sure!", MB_OKCANCEL) != IDOK)
        return;
    {
        CSingleLock lock(&m_pDoc->m_mutex, TRUE);
        delete m_pDoc->m_colourStrips.GetAt(t);
        m_pDoc->m_colourStrips.RemoveAt(t);
        if (t < m_pDoc->m_stripThumbs.GetSize()) {
            delete m_pDoc->m_stripThumbs.GetAt(t);
            m_pDoc->m_stripThumbs.RemoveAt(t);
        }
    }
    ::DeleteFileW(path);
    RefillTiles();
}

// ---------------------------------------------------------------------------
// Colour-list edits

void CDlgEffectPlus::OnClearColors()
{
    {
        PlusGuard guard(m_shared.lock);
        FreeColorStrips(m_shared.colors);
    }
    SetAddButtonText(false);
    m_pEditedItem = nullptr;
    Redraw(PLUS_DRAW_COLORS);
    StopPlayback();
    for (int id :
        { IDC_EP_HTILES, IDC_EP_VTILES, IDC_EP_MIRROR, IDC_EP_FADE_IN, IDC_EP_FADE_OUT, IDC_EP_STEP, IDC_EP_REPEAT })
        SendDlgItemMessageW(m_hWnd, id, CB_SETCURSEL, 0, 0);
    m_pCurrent->m_repeatCount = 1;
}

void CDlgEffectPlus::OnDeleteColor()
{
    ChangeColors([](ColorStripList& list) { ShortenColorList(list); });
}

void CDlgEffectPlus::OnRemoveStop()
{
    ChangeColors([](ColorStripList& list) { RemoveLastColorStop(list); });
}

void CDlgEffectPlus::OnFillMenu()
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_COLOR_EFFECT_MENU))
        return;
    HMENU fill = ::GetSubMenu(menu.GetSafeHmenu(), 2);
    if (fill == nullptr)
        return;
    const std::pair<UINT, int> texts[]
        = { { ID_EP_FILL2, 71 }, { ID_EP_FILL3, 72 }, { ID_EP_FILL4, 73 }, { ID_EP_FILL5, 74 } };
    for (const auto& [id, key] : texts) {
        const CString text = LangText(L"KVMENU", key);
        if (!text.IsEmpty())
            ::ModifyMenuW(fill, id, MF_BYCOMMAND | MF_STRING, id, text);
    }
    POINT cursor {};
    ::GetCursorPos(&cursor);
    ::TrackPopupMenu(fill, TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, m_hWnd, nullptr);
}

void CDlgEffectPlus::OnFill(UINT id)
{
    switch (id) {
    case ID_EP_FILL2:
        FillRepeat(2);
        break;
    case ID_EP_FILL3:
        FillRepeat(3);
        break;
    case ID_EP_FILL4:
        FillRepeat(4);
        break;
    case ID_EP_FILL5:
        FillRepeat(5);
        break;
    default:
        break;
    }
}

void CDlgEffectPlus::FillRepeat(int n)
{
    ChangeColors([n](ColorStripList& list) { RepeatColorList(list, n); });
}

void CDlgEffectPlus::OnColorTemplate()
{
    StopPlayback();
    if (m_pDoc == nullptr)
        return;
    // The picker opens beside the palette, at its top-right corner.
    CRect palette;
    m_paletteBar.GetWindowRect(&palette);
    const POINT place { palette.right, palette.top };
    const int index = RunColorTemplatePicker(*m_pDoc, this, &place);
    if (index < 0) {
        ApplyAndRestart();
        return;
    }
    ColorStripList made;
    {
        CSingleLock lock(&m_pDoc->m_mutex, TRUE);
        if (index < m_pDoc->m_templateFiles.GetSize()) {
            const ColorTemplateList& templates = m_pDoc->m_templateFiles.GetAt(index)->m_templates;
            for (INT_PTR i = 0; i < templates.GetSize(); ++i) {
                const ColorTemplate& source = *templates.GetAt(i);
                auto* strip = new ColorTemplateArrayEx;
                const ColorList& colors = source.m_colors;
                if (source.m_changeMode == ColorTemplate::CHANGE_SOLID) {
                    for (INT_PTR c = 0; c < colors.GetSize(); ++c) {
                        auto* stop = new ColorTemplateEx;
                        stop->m_mode = ColorTemplateEx::MODE_SOLID;
                        stop->m_width = m_transition;
                        stop->m_colors.Add(colors.GetAt(c));
                        strip->m_stops.Add(stop);
                    }
                } else {
                    for (INT_PTR c = 0; c + 1 < colors.GetSize(); ++c) {
                        auto* stop = new ColorTemplateEx;
                        stop->m_mode = ColorTemplateEx::MODE_GRADIENT;
                        stop->m_width = m_transition;
                        stop->m_colors.Add(colors.GetAt(c));
                        stop->m_colors.Add(colors.GetAt(c + 1));
                        strip->m_stops.Add(stop);
                    }
                }
                made.Add(strip);
            }
        }
    }
    ChangeColors([&made](ColorStripList& list) {
        list.Append(made);
        made.RemoveAll();
    });
}

void CDlgEffectPlus::OnTransitionChosen()
{
    const int index = ComboIndex(IDC_EP_TRANSITION);
    if (index < 0)
        return;
    wchar_t text[32] = {};
    SendDlgItemMessageW(m_hWnd, IDC_EP_TRANSITION, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    m_transition = static_cast<int>(std::wcstol(text, nullptr, 10));
}

void CDlgEffectPlus::OnTransitionTyped()
{
    wchar_t typed[32] = {};
    ::GetDlgItemTextW(m_hWnd, IDC_EP_TRANSITION, typed, 31);
    const int length = static_cast<int>(std::wcslen(typed));
    const long number = std::wcstol(typed, nullptr, 10);
    if (length > 0 && number < 4) {
        HWND combo = ::GetDlgItem(m_hWnd, IDC_EP_TRANSITION);
        const LRESULT found
            = ::SendMessageW(combo, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(typed));
        if (found != CB_ERR) {
            ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
            ::SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(length, -1));
        }
    }
    m_transition = ComboNumber(IDC_EP_TRANSITION);
}

// ---------------------------------------------------------------------------
// Saved custom bars and Zazez Urad files

void CDlgEffectPlus::SaveCustomColourBar()
{
    auto* strip = new ColorTemplateArrayEx;
    {
        PlusGuard guard(m_shared.lock);
        for (INT_PTR i = 0; i < m_shared.colors.GetSize(); ++i) {
            const ColorStopList& stops = m_shared.colors.GetAt(i)->m_stops;
            for (INT_PTR s = 0; s < stops.GetSize(); ++s)
                strip->m_stops.Add(ColorTemplateEx::Clone(stops.GetAt(s)));
        }
    }
    const int width = strip->GetTotalWidth();
    if (strip->m_stops.GetSize() == 0 || width < 1 || m_pDoc == nullptr) {
        delete strip;
        return;
    }
    ColorStripList one;
    one.Add(strip);
    int painted = 0;
    CPlusBitmap picture = DrawPlusColorBar(one, width, painted);
    one.RemoveAll();
    auto* thumb = new CBitmap;
    thumb->Attach(picture.Release());

    const CString folder = ResourceFolder() + L"template_cus\\";
    ::CreateDirectoryW(ResourceFolder(), nullptr);
    ::CreateDirectoryW(folder, nullptr);
    strip->m_name = FreeCustomBarPath(folder, AfxGetTickCount());
    WriteCustomBarFile(strip->m_name, strip);
    {
        CSingleLock lock(&m_pDoc->m_mutex, TRUE);
        const int id = static_cast<int>(m_pDoc->m_stripThumbs.GetSize());
        if (m_pTileView != nullptr)
            m_pTileView->AddItem(thumb, id);
        m_pDoc->m_stripThumbs.Add(thumb);
        m_pDoc->m_colourStrips.Add(strip);
    }
}

void CDlgEffectPlus::OnSave()
{
    SaveCustomColourBar();
}

void CDlgEffectPlus::OnExport()
{
    if (m_sequence.m_items.GetSize() == 0) {
        CString text = LangText(L"ITEM_TITLE", 207);
        AfxMessageBox(text.IsEmpty() ? CString(L"请选择素材!") : text);
        return;
    }
    CFileDialog dialog(FALSE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kPlusFileFilter, this);
    if (dialog.DoModal() != IDOK)
        return;
    WriteColorPlusFile(dialog.GetPathName(), &m_sequence);
}

void CDlgEffectPlus::OnImport()
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kPlusFileFilter, this);
    if (dialog.DoModal() != IDOK)
        return;
    const CString path = dialog.GetPathName();
    if (::GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) {
        AfxMessageBox(L"File Not Exist");
        return;
    }
    {
        PlusGuard guard(m_shared.lock);
        ReadColorPlusFile(path, &m_sequence);
    }
    Redraw(PLUS_DRAW_SEQUENCE);
}
