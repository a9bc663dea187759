// Drawing and clicks of the property panel's special rows.
#include "property_rows.h"

#include "show_messages.h"

namespace {

// Fills the cell white from one pixel below its top and draws the framed
// box; returns the box.
CRect DrawBox(CDC* pDC, const CRect& cell)
{
    CRect fill = cell;
    fill.top += 1;
    pDC->FillSolidRect(fill, RGB(255, 255, 255));
    CRect box = CheckBoxRect(cell);
    CBrush black(RGB(0, 0, 0));
    CRgn region;
    region.CreateRectRgnIndirect(box);
    pDC->FrameRgn(&region, &black, 2, 2);
    return box;
}

} // namespace

CRect CheckBoxRect(const CRect& valueCell)
{
    const int top = valueCell.top + 2;
    const int side = std::max(0, static_cast<int>(valueCell.bottom - 1 - top));
    const int left = valueCell.left + 6;
    return CRect(left, top, left + side, top + side);
}

QvCheckedProperty::QvCheckedProperty(
    const CString& strName, const COleVariant& varValue, LPCTSTR lpszDescr, DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName, varValue, lpszDescr, dwData)
{
}

void QvCheckedProperty::SetChecked(BOOL checked)
{
    const int state = checked ? 1 : 0;
    if (state == m_checked)
        return;
    m_checked = state;
    Redraw();
}

void QvCheckedProperty::OnDrawValue(CDC* pDC, CRect rect)
{
    CRect box = DrawBox(pDC, rect);
    if (m_checked != 0) {
        box.DeflateRect(4, 4);
        pDC->FillSolidRect(box, RGB(0, 0, 255));
    }
}

BOOL QvCheckedProperty::OnEdit(LPPOINT)
{
    if (HasValueField() && m_pWndInPlace == nullptr && m_pWndList != nullptr) {
        auto* placeholder = new CStatic;
        if (placeholder->Create(L"", WS_CHILD, GetValueRect(), m_pWndList, 0xFFFF)) {
            m_pWndInPlace = placeholder;
            m_bInPlaceEdit = TRUE;
        } else {
            delete placeholder;
        }
    }
    return TRUE;
}

BOOL QvCheckedProperty::OnClickValue(UINT, CPoint)
{
    m_checked = m_checked != 0 ? 0 : 1;
    m_varValue = COleVariant(static_cast<short>(m_checked));
    if (m_pWndList != nullptr)
        m_pWndList->OnPropertyChanged(this);
    Redraw();
    return TRUE;
}

BOOL QvCheckedProperty::OnSetCursor() const
{
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    return TRUE;
}

CCTimeTrigerProp::CCTimeTrigerProp(
    const CString& strName, const COleVariant& varValue, LPCTSTR lpszDescr, DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName, varValue, lpszDescr, dwData)
{
}

void CCTimeTrigerProp::OnDrawValue(CDC* pDC, CRect rect)
{
    // The timed row draws into the clip box the grid set for the cell.
    CRect cell;
    pDC->GetClipBox(cell);
    cell.IntersectRect(cell, rect);
    CRect box = DrawBox(pDC, cell.IsRectEmpty() ? rect : cell);
    box.DeflateRect(4, 4);
    if (m_timed != 0)
        pDC->FillSolidRect(box, RGB(0, 0, 0));
    else if (m_synchronised != 0)
        pDC->FillSolidRect(box, RGB(0, 0, 255));
}

BOOL CCTimeTrigerProp::OnClickValue(UINT, CPoint)
{
    CWnd* main = AfxGetMainWnd();
    if (main != nullptr && main->GetSafeHwnd() != nullptr)
        main->PostMessage(WM_OPEN_TIME_TRIGGER, static_cast<WPARAM>(GetData()), 0);
    return TRUE;
}

CPropGroup::CPropGroup(const CString& strGroupName, DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strGroupName, dwData)
{
}

void CPropGroup::OnDrawName(CDC* pDC, CRect rect)
{
    TEXTMETRIC tm {};
    pDC->GetTextMetrics(&tm);
    const int y = rect.top + (rect.Height() - static_cast<int>(tm.tmHeight)) / 2;
    pDC->SetBkMode(TRANSPARENT);
    pDC->TextOut(rect.left, y, CString(GetName()));
}
