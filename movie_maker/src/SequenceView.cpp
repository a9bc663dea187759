// The movie maker's sequence view and its labels.
#include "SequenceView.h"
#include "NumberInputDlg.h"
#include "QuorraResource.h"

namespace quorra {

IMPLEMENT_DYNAMIC(CLabel, CStatic)
IMPLEMENT_DYNAMIC(CSequenceLabel, CStatic)
IMPLEMENT_DYNAMIC(CMyColorView, CFormView)

namespace {
// A cell is the cell width plus the horizontal margin wide, and a row the
// row height plus the vertical margin high.
constexpr int kCellPitch = 85;
constexpr int kRowPitch = 72;
} // namespace

// ---------------------------------------------------------------------------

BOOL CLabel::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= SS_OWNERDRAW;
    return CStatic::PreCreateWindow(cs);
}

BOOL CLabel::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        if (pResult != nullptr)
            *pResult = TRUE;
        return TRUE;
    }
    return CStatic::OnChildNotify(message, wParam, lParam, pResult);
}

void CLabel::DrawItem(LPDRAWITEMSTRUCT)
{
    HWND hWnd = GetSafeHwnd();
    HDC hdc = ::GetWindowDC(hWnd);
    if (hdc == nullptr)
        return;
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    rc.OffsetRect(-rc.left, -rc.top);
    CString text;
    GetWindowText(text);
    int oldBk = ::SetBkMode(hdc, TRANSPARENT);
    COLORREF oldColor = ::SetTextColor(hdc, RGB(255, 0, 0));
    HGDIOBJ oldFont
        = ::SelectObject(hdc, reinterpret_cast<HGDIOBJ>(::SendMessageW(::GetParent(hWnd), WM_GETFONT, 0, 0)));
    ::DrawTextW(hdc, text.GetString(), text.GetLength(), &rc, DT_CENTER);
    if (oldFont != nullptr)
        ::SelectObject(hdc, oldFont);
    ::SetTextColor(hdc, oldColor);
    ::SetBkMode(hdc, oldBk);
    ::ReleaseDC(hWnd, hdc);
}

// ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CSequenceLabel, CStatic)
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

BOOL CSequenceLabel::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= SS_OWNERDRAW;
    return CStatic::PreCreateWindow(cs);
}

BOOL CSequenceLabel::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        if (pResult != nullptr)
            *pResult = TRUE;
        return TRUE;
    }
    return CStatic::OnChildNotify(message, wParam, lParam, pResult);
}

void CSequenceLabel::Paint(CDC* pDC, const CRect& rc) const
{
    HDC hdc = pDC->GetSafeHdc();
    ::FillRect(hdc, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
    int oldBk = ::SetBkMode(hdc, TRANSPARENT);
    CRect upper(rc.left, rc.top, rc.right, rc.top + rc.Height() / 2);
    CRect lower(rc.left, upper.bottom, rc.right, rc.bottom);
    LPCWSTR mark = m_bFade ? L">>" : L">";
    ::DrawTextW(hdc, mark, -1, &upper, DT_CENTER);
    CString duration;
    duration.Format(L"%d", m_nDuration);
    ::DrawTextW(hdc, duration.GetString(), duration.GetLength(), &lower, DT_CENTER);
    ::SetBkMode(hdc, oldBk);
    if (m_bHover) {
        CRect frame = rc;
        frame.DeflateRect(2, 2);
        HBRUSH brush = ::CreateSolidBrush(RGB(255, 127, 80));
        for (int i = 0; i < 2; ++i) {
            ::FrameRect(hdc, &frame, brush);
            frame.DeflateRect(1, 1);
        }
        ::DeleteObject(brush);
    }
}

void CSequenceLabel::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct == nullptr)
        return;
    Paint(CDC::FromHandle(lpDrawItemStruct->hDC), CRect(lpDrawItemStruct->rcItem));
}

void CSequenceLabel::OnMouseMove(UINT, CPoint)
{
    if (!m_bHover) {
        m_bHover = 1;
        TRACKMOUSEEVENT tme { sizeof(tme), TME_LEAVE, GetSafeHwnd(), 0 };
        ::TrackMouseEvent(&tme);
        Invalidate();
    }
}

void CSequenceLabel::OnMouseLeave()
{
    m_bHover = 0;
    Invalidate();
}

void CSequenceLabel::OnLButtonDown(UINT, CPoint)
{
    m_bFade = m_bFade ? 0 : 1;
    Invalidate();
}

void CSequenceLabel::OnRButtonDown(UINT, CPoint)
{
    CNumberInputDlg dlg(this);
    dlg.m_nValue = m_nDuration;
    if (dlg.DoModal() == IDOK) {
        m_nDuration = dlg.m_nValue;
        Invalidate();
    }
}

// ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CMyColorView, CFormView)
ON_WM_LBUTTONDOWN()
ON_MESSAGE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
ON_MESSAGE(WM_MOUSEACTIVATE, OnDefaultHandling)
ON_MESSAGE(WM_ACTIVATE, OnDefaultHandling)
END_MESSAGE_MAP()

CMyColorView::CMyColorView()
    : CFormView(IDD_SEQUENCE_VIEW)
{
}

CMyColorView::~CMyColorView()
{
    RemoveAll();
}

void CMyColorView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
}

void CMyColorView::FreeElement(S_Element* pElement)
{
    CWnd* windows[] = { pElement->pNumber, pElement->pSequence, pElement->pButton };
    for (CWnd* pWnd : windows) {
        if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
            pWnd->DestroyWindow();
    }
    delete pElement->pNumber;
    delete pElement->pSequence;
    delete pElement->pButton;
    delete pElement;
}

void CMyColorView::AddElement(COLORREF color)
{
    AddElement(color, 25);
}

void CMyColorView::AddElement(COLORREF color, int nDuration)
{
    int n = GetCount();
    if (n == 0)
        SetScrollSizes(MM_TEXT, CSize(300, kRowPitch + m_nMarginY));
    int c = n % m_nPerRow;
    int r = n / m_nPerRow;
    // Placed by content position (the grid), shifted by the scrolling, so a
    // scrolled view places new elements as an unscrolled one does.
    CPoint scroll = GetSafeHwnd() != nullptr ? GetScrollPosition() : CPoint(0, 0);
    int x = c * kCellPitch - scroll.x;
    int y = r * kRowPitch - scroll.y;
    CRect button(x + m_nMarginX, y + m_nMarginY, x + m_nMarginX + 50, y + m_nMarginY + 50);

    auto* pElement = new S_Element;
    pElement->pButton = new CSkinColorButton;
    pElement->pButton->SetColor(color);
    pElement->pButton->EnableOtherButton(L"Other Color");
    pElement->pButton->Create(L"", WS_CHILD | WS_VISIBLE, button, this, 0);

    CString number;
    number.Format(L"%d", n + 1);
    pElement->pNumber = new CLabel;
    pElement->pNumber->Create(
        number, WS_CHILD | WS_VISIBLE, CRect(button.left, button.bottom, button.right, button.bottom + 20), this);

    pElement->pSequence = new CSequenceLabel;
    pElement->pSequence->m_nDuration = nDuration;
    pElement->pSequence->Create(L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY,
        CRect(button.right, button.top, button.right + 30, button.bottom), this);

    m_elements.Add(pElement);
    int height = m_nMarginY + kRowPitch * (r + 1);
    SetScrollSizes(MM_TEXT, CSize(300, height), CSize(300, height), CSize(300, kRowPitch));
}

void CMyColorView::RemoveLast(int n)
{
    for (int i = 0; i < n && GetCount() > 0; ++i) {
        INT_PTR last = m_elements.GetSize() - 1;
        S_Element* pElement = m_elements[last];
        m_elements.RemoveAt(last);
        FreeElement(pElement);
    }
}

void CMyColorView::RemoveAll()
{
    for (INT_PTR i = 0; i < m_elements.GetSize(); ++i)
        FreeElement(m_elements[i]);
    m_elements.RemoveAll();
}

Sequence CMyColorView::GetSequence() const
{
    Sequence sequence;
    sequence.reserve(static_cast<size_t>(GetCount()));
    for (INT_PTR i = 0; i < m_elements.GetSize(); ++i) {
        const S_Element* e = m_elements[i];
        SequenceElement element;
        element.color = e->pButton->GetColor();
        element.duration = e->pSequence->m_nDuration;
        element.fade = e->pSequence->m_bFade != 0;
        sequence.push_back(element);
    }
    return sequence;
}

void CMyColorView::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    CFormView::OnLButtonDown(nFlags, point);
}

LRESULT CMyColorView::OnNcLButtonDown(WPARAM, LPARAM)
{
    SetFocus();
    return Default();
}

} // namespace quorra
