// The Zazez Urad editor's sequence: adding the current item, removing the
// last one, the pop-up item list and loading a picked item for editing.
#include "dlg_effect_plus.h"

#include "tile_view.h"

#include <algorithm>

// ---------------------------------------------------------------------------
// The sequence

void CDlgEffectPlus::SetAddButtonText(bool editing)
{
    CString text = LangText(L"ITEM_TITLE", editing ? 206 : 164);
    if (text.IsEmpty())
        text = editing ? L"保存修改" : L"添加当前";
    SetDlgItemText(IDC_EP_ADD_CURRENT, text);
}

void CDlgEffectPlus::OnAddCurrent()
{
    bool added = false;
    {
        PlusGuard guard(m_shared.lock);
        if (m_shared.colors.GetSize() > 0) {
            if (m_pEditedItem != nullptr)
                ProgramColorEffectPlus::CopyFrom(m_pEditedItem, m_pCurrent);
            else
                m_sequence.m_items.Add(ProgramColorEffectPlus::Clone(m_pCurrent));
            m_sequence.UpdateTotalFrames();
            added = true;
        }
    }
    if (!added) {
        AfxMessageBox(L"Please Add Color !");
        return;
    }
    Redraw(PLUS_DRAW_SEQUENCE);
}

void CDlgEffectPlus::OnRemoveItem()
{
    ClosePopList();
    {
        PlusGuard guard(m_shared.lock);
        const INT_PTR count = m_sequence.m_items.GetSize();
        if (count == 0)
            return;
        ProgramColorEffectPlus* last = m_sequence.m_items.GetAt(count - 1);
        m_sequence.m_items.RemoveAt(count - 1);
        // The item being edited is gone: add-current appends again rather
        // than writing into freed memory.
        if (last == m_pEditedItem)
            m_pEditedItem = nullptr;
        delete last;
        m_sequence.UpdateTotalFrames();
    }
    if (m_pEditedItem == nullptr)
        SetAddButtonText(false);
    Redraw(PLUS_DRAW_SEQUENCE);
}

void CDlgEffectPlus::OnItemList()
{
    if (m_pPopList != nullptr) {
        ClosePopList();
        return;
    }
    if (m_sequence.m_items.GetSize() == 0 || m_snapshots.GetSize() == 0)
        return;
    for (INT_PTR i = 0; i < m_snapshots.GetSize(); ++i)
        m_snapshots.GetAt(i)->m_name = GetPlusStyleName(m_snapshots.GetAt(i)->m_style);
    m_pPopList = new CDlgPopView;
    m_pPopList->m_pSnapshots = &m_snapshots;
    if (!m_pPopList->CreatePopup(this)) {
        delete m_pPopList;
        m_pPopList = nullptr;
        return;
    }
    PlacePopList();
    m_pPopList->ShowWindow(SW_SHOW);
    SetDlgItemText(IDC_EP_ITEM_LIST, L"^");
}

void CDlgEffectPlus::PlacePopList()
{
    if (m_pPopList == nullptr || m_pPopList->GetSafeHwnd() == nullptr)
        return;
    CRect button;
    ::GetWindowRect(::GetDlgItem(m_hWnd, IDC_EP_ITEM_LIST), &button);
    const int rows = std::min<int>(5, static_cast<int>((m_snapshots.GetSize() + 1) / 2));
    const int height = std::max(36, 36 * rows);
    const int left = button.left - (button.left - button.right + 325) / 2;
    m_pPopList->SetWindowPos(nullptr, left, button.bottom, 325, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDlgEffectPlus::ClosePopList()
{
    if (m_pPopList == nullptr)
        return;
    if (m_hWnd != nullptr)
        SetDlgItemText(IDC_EP_ITEM_LIST, L"V");
    if (m_pPopList->GetSafeHwnd() != nullptr)
        m_pPopList->DestroyWindow();
    delete m_pPopList;
    m_pPopList = nullptr;
}

void CDlgEffectPlus::OnMove(int x, int y)
{
    CEffectEditorDialog::OnMove(x, y);
    PlacePopList();
}

LRESULT CDlgEffectPlus::OnSnapshotPicked(WPARAM wParam, LPARAM)
{
    const int t = static_cast<int>(wParam);
    if (m_sequence.m_items.GetSize() == 0 || t < 0 || t >= static_cast<int>(m_snapshotItems.size()))
        return 0;
    const int index = m_snapshotItems[t];
    if (index < 0 || index >= m_sequence.m_items.GetSize())
        return 0;
    ClosePopList();
    m_pEditedItem = m_sequence.m_items.GetAt(index);
    SetAddButtonText(true);
    LoadItem(*m_pEditedItem);
    return 0;
}

void CDlgEffectPlus::LoadItem(const ProgramColorEffectPlus& item)
{
    SetDlgItemText(IDC_EP_STYLE, GetPlusStyleName(item.m_style));
    m_style = item.m_style;
    if (m_style == ProgramColorEffectPlus::STYLE_RANDOM_BLOCKS) {
        ShowBlockControls(true);
        if (const RandomAnimation* record = item.GetRandomAnimation()) {
            m_random.CopySettings(*record);
            LoadRandomSettings();
        }
    } else {
        ShowBlockControls(false);
        if (m_style >= 39 && m_style <= 42) {
            // The S-shape styles keep their block width box, as choosing them does.
            for (int id : { IDC_EP_LABEL_BLOCK_WIDTH, IDC_EP_BLOCK_WIDTH })
                ::ShowWindow(::GetDlgItem(m_hWnd, id), SW_SHOW);
            SetDlgItemInt(IDC_EP_BLOCK_WIDTH, static_cast<UINT>(std::max(item.m_bandWidth, 1)), FALSE);
        }
    }
    {
        PlusGuard guard(m_shared.lock);
        FreeColorStrips(m_shared.colors);
        for (INT_PTR i = 0; i < item.m_strips.GetSize(); ++i)
            m_shared.colors.Add(ColorTemplateArrayEx::Clone(item.m_strips.GetAt(i)));
    }
    if (m_pDoc != nullptr) {
        CSingleLock lock(&m_pDoc->m_mutex, TRUE);
        ProgramColorEffectPlus::CopyFrom(m_pCurrent, &item);
    } else {
        ProgramColorEffectPlus::CopyFrom(m_pCurrent, &item);
    }
    SetFramesBox(item.m_orgFrames);
    SendDlgItemMessageW(m_hWnd, IDC_EP_HTILES, CB_SETCURSEL, std::clamp(item.m_hTiles - 1, 0, 9), 0);
    SendDlgItemMessageW(m_hWnd, IDC_EP_VTILES, CB_SETCURSEL, std::clamp(item.m_vTiles - 1, 0, 9), 0);
    SendDlgItemMessageW(m_hWnd, IDC_EP_MIRROR, CB_SETCURSEL, std::clamp(item.m_mirror, 0, 3), 0);
    for (auto [id, seconds] :
        { std::pair { IDC_EP_FADE_IN, item.m_fadeInTime }, { IDC_EP_FADE_OUT, item.m_fadeOutTime } }) {
        HWND combo = ::GetDlgItem(m_hWnd, id);
        const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            if (static_cast<int>(::SendMessageW(combo, CB_GETITEMDATA, i, 0)) == seconds) {
                ::SendMessageW(combo, CB_SETCURSEL, i, 0);
                break;
            }
        }
    }
    SendDlgItemMessageW(m_hWnd, IDC_EP_STEP, CB_SETCURSEL,
        item.m_stepLength >= 1 && item.m_stepLength <= 10 ? item.m_stepLength - 1 : -1, 0);
    SetDlgItemInt(IDC_EP_REPEAT, static_cast<UINT>(std::max(item.m_repeatCount, 0)), FALSE);
    Redraw(PLUS_DRAW_COLORS);
    StopPlayback();
}
