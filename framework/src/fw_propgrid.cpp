// The property grid: rows, in-place editing, drawing and the change report.
#include "afxpropertygridctrl.h"

#include "afxdlgs.h"

#include <algorithm>

const UINT AFX_WM_PROPERTY_CHANGED = ::RegisterWindowMessageW(L"AFX_WM_PROPERTY_CHANGED");

namespace {

constexpr UINT kInPlaceId = 3; // control id of the in-place editors
constexpr int kExpandBoxWidth = 14; // the margin in front of every name
constexpr COLORREF kGroupColour = RGB(224, 224, 224);
constexpr COLORREF kLineColour = RGB(200, 200, 200);
constexpr COLORREF kSelectionColour = RGB(198, 218, 240);

// An edit box that commits on Enter and cancels on Escape.
class CPropInPlaceEdit : public CEdit {
public:
    explicit CPropInPlaceEdit(CMFCPropertyGridCtrl* grid)
        : m_grid(grid)
    {
    }

protected:
    UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        if (nChar == VK_RETURN) {
            m_grid->EndEditItem(TRUE);
            return;
        }
        if (nChar == VK_ESCAPE) {
            m_grid->EndEditItem(FALSE);
            return;
        }
        DefWindowProc(WM_KEYDOWN, nChar, MAKELPARAM(nRepCnt, nFlags));
    }
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        if (nChar == VK_RETURN || nChar == VK_ESCAPE)
            return; // no beep
        DefWindowProc(WM_CHAR, nChar, MAKELPARAM(nRepCnt, nFlags));
    }
    DECLARE_MESSAGE_MAP()

private:
    CMFCPropertyGridCtrl* m_grid;
};

BEGIN_MESSAGE_MAP(CPropInPlaceEdit, CEdit)
ON_WM_GETDLGCODE()
ON_WM_KEYDOWN()
ON_WM_CHAR()
END_MESSAGE_MAP()

CString VariantText(const COleVariant& value)
{
    CString text;
    switch (value.vt) {
    case VT_BSTR:
        text = value.bstrVal != nullptr ? value.bstrVal : L"";
        break;
    case VT_I2:
        text.Format(L"%d", value.iVal);
        break;
    case VT_I4:
        text.Format(L"%ld", value.lVal);
        break;
    case VT_UI1:
        text.Format(L"%u", value.bVal);
        break;
    case VT_R4:
        text.Format(L"%f", value.fltVal);
        break;
    case VT_R8:
        text.Format(L"%lf", value.dblVal);
        break;
    case VT_BOOL:
        text = value.boolVal != VARIANT_FALSE ? L"True" : L"False";
        break;
    default:
        break;
    }
    return text;
}

} // namespace

// ---------------------------------------------------------------------------
// Rows

IMPLEMENT_DYNAMIC(CMFCPropertyGridProperty, CObject)

CMFCPropertyGridProperty::CMFCPropertyGridProperty(const CString& strGroupName, DWORD_PTR dwData, BOOL bIsValueList)
    : m_strName(strGroupName)
    , m_dwData(dwData)
    , m_bGroup(TRUE)
    , m_bIsValueList(bIsValueList)
{
}

CMFCPropertyGridProperty::CMFCPropertyGridProperty(
    const CString& strName, const COleVariant& varValue, LPCTSTR lpszDescr, DWORD_PTR dwData, LPCTSTR, LPCTSTR, LPCTSTR)
    : m_strName(strName)
    , m_strDescr(lpszDescr != nullptr ? lpszDescr : L"")
    , m_varValue(varValue)
    , m_varValueOrig(varValue)
    , m_dwData(dwData)
{
}

CMFCPropertyGridProperty::~CMFCPropertyGridProperty()
{
    if (m_pWndList != nullptr)
        m_pWndList->Forget(this);
    if (m_pWndInPlace != nullptr) {
        m_pWndInPlace->DestroyWindow();
        delete m_pWndInPlace;
        m_pWndInPlace = nullptr;
    }
    for (CMFCPropertyGridProperty* sub : m_lstSubItems)
        delete sub;
}

void CMFCPropertyGridProperty::SetOwnerList(CMFCPropertyGridCtrl* pWndList)
{
    m_pWndList = pWndList;
    for (CMFCPropertyGridProperty* sub : m_lstSubItems)
        sub->SetOwnerList(pWndList);
}

BOOL CMFCPropertyGridProperty::AddSubItem(CMFCPropertyGridProperty* pProp)
{
    if (pProp == nullptr || pProp == this || pProp->m_pParent != nullptr)
        return FALSE;
    pProp->m_pParent = this;
    pProp->SetOwnerList(m_pWndList);
    m_lstSubItems.push_back(pProp);
    if (m_pWndList != nullptr)
        m_pWndList->AdjustLayout();
    return TRUE;
}

CMFCPropertyGridProperty* CMFCPropertyGridProperty::GetSubItem(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetSubItemsCount())
        return nullptr;
    return m_lstSubItems[static_cast<size_t>(nIndex)];
}

BOOL CMFCPropertyGridProperty::AddOption(LPCTSTR lpszOption, BOOL bInsertUnique)
{
    CString option(lpszOption != nullptr ? lpszOption : L"");
    if (bInsertUnique && std::find(m_lstOptions.begin(), m_lstOptions.end(), option) != m_lstOptions.end())
        return FALSE;
    m_lstOptions.push_back(option);
    return TRUE;
}

LPCTSTR CMFCPropertyGridProperty::GetOption(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetOptionCount())
        return nullptr;
    return m_lstOptions[static_cast<size_t>(nIndex)].GetString();
}

void CMFCPropertyGridProperty::Show(BOOL bShow, BOOL bAdjustLayout)
{
    if (m_bIsVisible == bShow)
        return;
    m_bIsVisible = bShow;
    if (!bShow && m_pWndList != nullptr && m_pWndList->m_pEditing != nullptr)
        m_pWndList->EndEditItem(FALSE);
    if (bAdjustLayout && m_pWndList != nullptr)
        m_pWndList->AdjustLayout();
}

void CMFCPropertyGridProperty::Expand(BOOL bExpand)
{
    if (m_bExpanded == bExpand)
        return;
    m_bExpanded = bExpand;
    if (m_pWndList != nullptr)
        m_pWndList->AdjustLayout();
}

BOOL CMFCPropertyGridProperty::Enable(BOOL bEnable)
{
    BOOL previous = m_bEnabled;
    m_bEnabled = bEnable;
    if (previous != bEnable)
        Redraw();
    return previous;
}

void CMFCPropertyGridProperty::SetValue(const COleVariant& varValue)
{
    m_varValue = varValue;
    m_bIsModified = !(m_varValue == m_varValueOrig);
    Redraw();
}

void CMFCPropertyGridProperty::SetOriginalValue(const COleVariant& varValue)
{
    m_varValueOrig = varValue;
    m_bIsModified = !(m_varValue == m_varValueOrig);
}

void CMFCPropertyGridProperty::ResetOriginalValue()
{
    m_varValue = m_varValueOrig;
    m_bIsModified = FALSE;
    Redraw();
}

void CMFCPropertyGridProperty::SetName(LPCTSTR lpszName, BOOL bRedraw)
{
    m_strName = lpszName != nullptr ? lpszName : L"";
    if (bRedraw)
        Redraw();
}

CRect CMFCPropertyGridProperty::GetValueRect() const
{
    CRect rect = m_Rect;
    if (m_pWndList != nullptr && !m_bGroup)
        rect.left = m_pWndList->GetLeftColumnWidth();
    return rect;
}

void CMFCPropertyGridProperty::Redraw()
{
    if (m_pWndList != nullptr && m_pWndList->GetSafeHwnd() != nullptr && !m_Rect.IsRectEmpty())
        m_pWndList->InvalidateRect(m_Rect);
}

CString CMFCPropertyGridProperty::FormatProperty()
{
    return VariantText(m_varValue);
}

void CMFCPropertyGridProperty::OnDrawName(CDC* pDC, CRect rect)
{
    rect.DeflateRect(3, 0);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(m_bEnabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    CFont* old = nullptr;
    if (m_bGroup && m_pWndList != nullptr)
        old = pDC->SelectObject(m_pWndList->GetBoldFont());
    pDC->DrawText(m_strName, rect, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (old != nullptr)
        pDC->SelectObject(old);
}

void CMFCPropertyGridProperty::OnDrawValue(CDC* pDC, CRect rect)
{
    rect.DeflateRect(3, 0);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(m_bEnabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    CFont* old = nullptr;
    if (m_bIsModified && m_pWndList != nullptr && m_pWndList->IsMarkModifiedProperties())
        old = pDC->SelectObject(m_pWndList->GetBoldFont());
    pDC->DrawText(FormatProperty(), rect, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (old != nullptr)
        pDC->SelectObject(old);
}

void CMFCPropertyGridProperty::OnDrawExpandBox(CDC* pDC, CRect rectExpand)
{
    CRect box(CPoint(rectExpand.CenterPoint().x - 4, rectExpand.CenterPoint().y - 4), CSize(9, 9));
    pDC->FillSolidRect(box, RGB(255, 255, 255));
    pDC->FrameRect(box, CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH))));
    CPoint c = box.CenterPoint();
    pDC->MoveTo(box.left + 2, c.y);
    pDC->LineTo(box.right - 2, c.y);
    if (!m_bExpanded) {
        pDC->MoveTo(c.x, box.top + 2);
        pDC->LineTo(c.x, box.bottom - 2);
    }
}

void CMFCPropertyGridProperty::OnDrawButton(CDC* pDC, CRect rectButton)
{
    ::DrawFrameControl(pDC->m_hDC, rectButton, DFC_BUTTON, DFCS_BUTTONPUSH);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    pDC->DrawText(CString(L"..."), rectButton, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
}

BOOL CMFCPropertyGridProperty::OnEdit(LPPOINT)
{
    if (m_pWndList == nullptr || !HasValueField() || m_pWndInPlace != nullptr)
        return FALSE;
    const bool list = !m_lstOptions.empty();
    if (!list && !m_bAllowEdit)
        return FALSE;
    CRect rect = GetValueRect();
    if (HasButton())
        rect.right = m_rectButton.left;
    const CString text = FormatProperty();
    if (list) {
        auto* combo = new CComboBox;
        DWORD style
            = WS_CHILD | WS_VISIBLE | WS_VSCROLL | (m_bAllowEdit ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST);
        CRect drop(rect.left, rect.top, rect.right, rect.top + 200);
        if (!combo->Create(style, drop, m_pWndList, kInPlaceId)) {
            delete combo;
            return FALSE;
        }
        combo->SetFont(m_pWndList->GetFont());
        for (const CString& option : m_lstOptions)
            combo->AddString(option);
        int index = static_cast<int>(combo->SendMessage(
            CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.GetString())));
        if (index >= 0)
            combo->SetCurSel(index);
        else if (m_bAllowEdit)
            combo->SetWindowText(text);
        m_pWndCombo = combo;
        m_pWndInPlace = combo;
    } else {
        auto* edit = new CPropInPlaceEdit(m_pWndList);
        if (!edit->CreateControl(WC_EDIT, text, WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, rect, m_pWndList, kInPlaceId)) {
            delete edit;
            return FALSE;
        }
        edit->SetFont(m_pWndList->GetFont());
        edit->SetSel(0, -1);
        m_pWndInPlace = edit;
    }
    m_bInPlaceEdit = TRUE;
    m_pWndInPlace->SetFocus();
    return TRUE;
}

BOOL CMFCPropertyGridProperty::TextToVar(const CString& strText)
{
    COleVariant value;
    switch (m_varValue.vt) {
    case VT_I2:
        value = static_cast<short>(_wtoi(strText));
        break;
    case VT_I4:
        value = static_cast<long>(_wtol(strText));
        break;
    case VT_R4:
        value = static_cast<float>(_wtof(strText));
        break;
    case VT_R8:
        value = _wtof(strText);
        break;
    default:
        value = strText;
        break;
    }
    m_varValue = value;
    return TRUE;
}

BOOL CMFCPropertyGridProperty::OnUpdateValue()
{
    // Only the editors this class makes carry text; a row that put its own
    // window in place keeps its value to itself.
    if (m_pWndInPlace == nullptr || m_pWndList == nullptr)
        return TRUE;
    const bool ownEditor = m_pWndInPlace == m_pWndCombo || m_pWndInPlace->IsKindOf(RUNTIME_CLASS(CEdit));
    if (!ownEditor)
        return TRUE;
    CString text;
    m_pWndInPlace->GetWindowText(text);
    if (text == FormatProperty())
        return TRUE;
    TextToVar(text);
    m_bIsModified = !(m_varValue == m_varValueOrig);
    m_pWndList->OnPropertyChanged(this);
    return TRUE;
}

BOOL CMFCPropertyGridProperty::OnEndEdit()
{
    m_bInPlaceEdit = FALSE;
    m_pWndCombo = nullptr;
    if (m_pWndInPlace != nullptr) {
        CWnd* window = m_pWndInPlace;
        m_pWndInPlace = nullptr;
        window->DestroyWindow();
        delete window;
    }
    Redraw();
    return TRUE;
}

BOOL CMFCPropertyGridProperty::OnClickValue(UINT, CPoint)
{
    return FALSE;
}

void CMFCPropertyGridProperty::OnClickButton(CPoint) { }

BOOL CMFCPropertyGridProperty::OnDblClk(CPoint)
{
    return FALSE;
}

BOOL CMFCPropertyGridProperty::OnSetCursor() const
{
    return FALSE;
}

// ---------------------------------------------------------------------------
// File row

IMPLEMENT_DYNAMIC(CMFCPropertyGridFileProperty, CMFCPropertyGridProperty)

CMFCPropertyGridFileProperty::CMFCPropertyGridFileProperty(const CString& strName, BOOL bOpenFileDialog,
    const CString& strFileName, LPCTSTR lpszDefExt, DWORD dwFlags, LPCTSTR lpszFilter, LPCTSTR lpszDescr,
    DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName, COleVariant(strFileName), lpszDescr, dwData)
    , m_bOpenFileDialog(bOpenFileDialog)
    , m_dwFileOpenFlags(dwFlags)
    , m_strDefExt(lpszDefExt != nullptr ? lpszDefExt : L"")
    , m_strFilter(lpszFilter != nullptr ? lpszFilter : L"")
{
}

void CMFCPropertyGridFileProperty::OnClickButton(CPoint)
{
    if (m_pWndList == nullptr)
        return;
    CString current = FormatProperty();
    CFileDialog dialog(m_bOpenFileDialog, m_strDefExt.IsEmpty() ? nullptr : m_strDefExt.GetString(),
        current.GetString(), m_dwFileOpenFlags, m_strFilter.IsEmpty() ? nullptr : m_strFilter.GetString(), m_pWndList);
    if (dialog.DoModal() != IDOK)
        return;
    CString path = dialog.GetPathName();
    if (m_pWndList->m_pEditing == this)
        m_pWndList->EndEditItem(FALSE);
    if (path == current)
        return;
    m_varValue = path;
    m_bIsModified = !(m_varValue == m_varValueOrig);
    Redraw();
    m_pWndList->OnPropertyChanged(this);
}

// ---------------------------------------------------------------------------
// The grid window

IMPLEMENT_DYNAMIC(CMFCPropertyGridCtrl, CWnd)

BEGIN_MESSAGE_MAP(CMFCPropertyGridCtrl, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_VSCROLL()
ON_WM_MOUSEWHEEL()
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CMFCPropertyGridCtrl::CMFCPropertyGridCtrl() = default;

CMFCPropertyGridCtrl::~CMFCPropertyGridCtrl()
{
    RemoveAll();
}

BOOL CMFCPropertyGridCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    LPCTSTR className = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr);
    return CWnd::CreateEx(0, className, L"", dwStyle | WS_CHILD | WS_VSCROLL | WS_CLIPCHILDREN, rect, pParentWnd, nID);
}

int CMFCPropertyGridCtrl::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    LOGFONT lf {};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    m_fontRegular.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fontBold.CreateFontIndirect(&lf);
    SetFont(&m_fontRegular, FALSE);
    CClientDC dc(this);
    CSelectGuard guard(dc, m_fontRegular);
    TEXTMETRIC tm {};
    dc.GetTextMetrics(&tm);
    m_nRowHeight = std::max(16, static_cast<int>(tm.tmHeight) + 4);
    AdjustLayout();
    return 0;
}

void CMFCPropertyGridCtrl::OnDestroy()
{
    EndEditItem(FALSE);
    CWnd::OnDestroy();
}

void CMFCPropertyGridCtrl::EnableHeaderCtrl(BOOL bEnable, LPCTSTR lpszLeftColumn, LPCTSTR lpszRightColumn)
{
    m_bHeaderCtrl = bEnable;
    m_strLeftColumn = lpszLeftColumn != nullptr ? lpszLeftColumn : L"";
    m_strRightColumn = lpszRightColumn != nullptr ? lpszRightColumn : L"";
    AdjustLayout();
}

void CMFCPropertyGridCtrl::MarkModifiedProperties(BOOL bMark, BOOL bRedraw)
{
    m_bMarkModifiedProperties = bMark;
    if (bRedraw && GetSafeHwnd() != nullptr)
        Invalidate();
}

void CMFCPropertyGridCtrl::SetVSDotNetLook(BOOL bSet)
{
    m_bVSDotNetLook = bSet;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

int CMFCPropertyGridCtrl::AddProperty(CMFCPropertyGridProperty* pProp, BOOL bRedraw, BOOL bAdjustLayout)
{
    if (pProp == nullptr || pProp->m_pParent != nullptr)
        return -1;
    if (std::find(m_lstProps.begin(), m_lstProps.end(), pProp) != m_lstProps.end())
        return -1;
    pProp->SetOwnerList(this);
    m_lstProps.push_back(pProp);
    if (bAdjustLayout)
        AdjustLayout();
    else if (bRedraw && GetSafeHwnd() != nullptr)
        Invalidate();
    return static_cast<int>(m_lstProps.size()) - 1;
}

CMFCPropertyGridProperty* CMFCPropertyGridCtrl::GetProperty(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetPropertyCount())
        return nullptr;
    return m_lstProps[static_cast<size_t>(nIndex)];
}

void CMFCPropertyGridCtrl::RemoveAll()
{
    EndEditItem(FALSE);
    m_pSel = nullptr;
    std::vector<CMFCPropertyGridProperty*> props;
    props.swap(m_lstProps);
    for (CMFCPropertyGridProperty* prop : props) {
        prop->SetOwnerList(nullptr);
        delete prop;
    }
    if (GetSafeHwnd() != nullptr)
        AdjustLayout();
}

void CMFCPropertyGridCtrl::Forget(CMFCPropertyGridProperty* pProp)
{
    if (m_pSel == pProp)
        m_pSel = nullptr;
    if (m_pEditing == pProp)
        m_pEditing = nullptr;
}

static CMFCPropertyGridProperty* FindByData(CMFCPropertyGridProperty* prop, DWORD_PTR data, BOOL deep)
{
    if (prop->GetData() == data)
        return prop;
    if (!deep)
        return nullptr;
    for (int i = 0; i < prop->GetSubItemsCount(); ++i) {
        if (CMFCPropertyGridProperty* found = FindByData(prop->GetSubItem(i), data, deep))
            return found;
    }
    return nullptr;
}

CMFCPropertyGridProperty* CMFCPropertyGridCtrl::FindItemByData(DWORD_PTR dwData, BOOL bSearchSubItems) const
{
    for (CMFCPropertyGridProperty* prop : m_lstProps) {
        if (CMFCPropertyGridProperty* found = FindByData(prop, dwData, bSearchSubItems))
            return found;
    }
    return nullptr;
}

void CMFCPropertyGridCtrl::SetCurSel(CMFCPropertyGridProperty* pProp, BOOL bRedraw)
{
    if (m_pSel == pProp)
        return;
    if (m_pEditing != nullptr && m_pEditing != pProp)
        EndEditItem(TRUE);
    CMFCPropertyGridProperty* previous = m_pSel;
    m_pSel = pProp;
    if (bRedraw) {
        if (previous != nullptr)
            previous->Redraw();
        if (pProp != nullptr)
            pProp->Redraw();
    }
}

BOOL CMFCPropertyGridCtrl::EditItem(CMFCPropertyGridProperty* pProp, LPPOINT lptClick)
{
    if (pProp == nullptr || !pProp->IsEnabled() || !pProp->HasValueField())
        return FALSE;
    if (m_pEditing != nullptr && m_pEditing != pProp)
        EndEditItem(TRUE);
    if (m_pEditing == pProp)
        return TRUE;
    if (!pProp->OnEdit(lptClick))
        return FALSE;
    m_pEditing = pProp;
    return TRUE;
}

BOOL CMFCPropertyGridCtrl::EndEditItem(BOOL bUpdateData)
{
    if (m_pEditing == nullptr || m_bEnding)
        return TRUE;
    // Destroying the editor moves the focus, which would end the edit again.
    m_bEnding = TRUE;
    CMFCPropertyGridProperty* prop = m_pEditing;
    if (bUpdateData)
        prop->OnUpdateValue();
    // The owner may have removed the row while it was told of the change.
    if (m_pEditing == prop)
        prop->OnEndEdit();
    m_pEditing = nullptr;
    m_bEnding = FALSE;
    if (GetSafeHwnd() != nullptr && ::GetFocus() == nullptr)
        SetFocus();
    return TRUE;
}

void CMFCPropertyGridCtrl::OnPropertyChanged(CMFCPropertyGridProperty* pProp) const
{
    if (pProp == nullptr)
        return;
    pProp->m_bIsModified = !(pProp->m_varValue == pProp->m_varValueOrig);
    pProp->Redraw();
    CWnd* owner = GetOwner();
    if (owner != nullptr && owner->GetSafeHwnd() != nullptr)
        owner->SendMessage(
            AFX_WM_PROPERTY_CHANGED, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(pProp));
}

static void CollectRows(CMFCPropertyGridProperty* prop, std::vector<CMFCPropertyGridProperty*>& rows)
{
    if (!prop->IsVisible())
        return;
    rows.push_back(prop);
    if (!prop->IsExpanded())
        return;
    for (int i = 0; i < prop->GetSubItemsCount(); ++i)
        CollectRows(prop->GetSubItem(i), rows);
}

void CMFCPropertyGridCtrl::CollectVisible(std::vector<CMFCPropertyGridProperty*>& rows) const
{
    for (CMFCPropertyGridProperty* prop : m_lstProps)
        CollectRows(prop, rows);
}

int CMFCPropertyGridCtrl::NameColumnWidth(const std::vector<CMFCPropertyGridProperty*>& rows, int width)
{
    const int half = std::max(kExpandBoxWidth + 10, width / 2);
    CClientDC dc(this);
    CSelectGuard guard(dc, m_fontRegular);
    int need = 0;
    for (const CMFCPropertyGridProperty* p : rows) {
        if (p->IsGroup())
            continue;
        int depth = 0;
        for (const CMFCPropertyGridProperty* parent = p->GetParent(); parent != nullptr; parent = parent->GetParent())
            ++depth;
        // As DrawRow lays a name out: after the indent and the expand box,
        // three pixels of margin on each side.
        const CString name = p->GetName();
        need = std::max(need, (depth + 1) * kExpandBoxWidth + 6 + static_cast<int>(dc.GetTextExtent(name).cx));
    }
    return std::clamp(need, half, std::max(half, width * 2 / 3));
}

void CMFCPropertyGridCtrl::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr)
        return;
    // Every row starts hidden; the shown ones get their place below.
    std::vector<CMFCPropertyGridProperty*> all;
    for (CMFCPropertyGridProperty* prop : m_lstProps) {
        std::vector<CMFCPropertyGridProperty*> stack { prop };
        while (!stack.empty()) {
            CMFCPropertyGridProperty* p = stack.back();
            stack.pop_back();
            p->m_Rect.SetRectEmpty();
            p->m_rectButton.SetRectEmpty();
            for (int i = 0; i < p->GetSubItemsCount(); ++i)
                stack.push_back(p->GetSubItem(i));
        }
    }
    CRect client;
    GetClientRect(client);
    std::vector<CMFCPropertyGridProperty*> rows;
    CollectVisible(rows);
    m_nLeftColumnWidth = NameColumnWidth(rows, client.Width());
    const int header = GetHeaderHeight();
    const int page = std::max(1, (client.Height() - header) / m_nRowHeight);
    const int maxFirst = std::max(0, static_cast<int>(rows.size()) - page);
    m_nFirstVisible = std::clamp(m_nFirstVisible, 0, maxFirst);
    int y = header;
    for (size_t i = static_cast<size_t>(m_nFirstVisible); i < rows.size(); ++i) {
        CMFCPropertyGridProperty* p = rows[i];
        p->m_Rect.SetRect(client.left, y, client.right, y + m_nRowHeight);
        if (p->HasButton())
            p->m_rectButton.SetRect(client.right - m_nRowHeight, y, client.right, y + m_nRowHeight);
        y += m_nRowHeight;
        if (y > client.bottom + m_nRowHeight)
            break;
    }
    SCROLLINFO si { sizeof(si), SIF_ALL | SIF_DISABLENOSCROLL, 0, static_cast<int>(rows.size()) - 1,
        static_cast<UINT>(page), m_nFirstVisible, 0 };
    SetScrollInfo(SB_VERT, &si, TRUE);
    if (m_pEditing != nullptr && m_pEditing->m_pWndInPlace != nullptr) {
        if (m_pEditing->m_Rect.IsRectEmpty())
            EndEditItem(TRUE);
        else {
            CRect rect = m_pEditing->GetValueRect();
            if (m_pEditing->HasButton())
                rect.right = m_pEditing->m_rectButton.left;
            m_pEditing->m_pWndInPlace->MoveWindow(rect.left, rect.top, rect.Width(),
                m_pEditing == nullptr || m_pEditing->m_pWndCombo == nullptr ? rect.Height() : 200);
        }
    }
    Invalidate();
}

void CMFCPropertyGridCtrl::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    AdjustLayout();
}

BOOL CMFCPropertyGridCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CMFCPropertyGridCtrl::DrawRow(CDC& dc, CMFCPropertyGridProperty* p)
{
    CRect rect = p->GetRect();
    int depth = 0;
    for (CMFCPropertyGridProperty* parent = p->GetParent(); parent != nullptr; parent = parent->GetParent())
        ++depth;
    const int indent = depth * kExpandBoxWidth;
    if (p->IsGroup()) {
        dc.FillSolidRect(rect, kGroupColour);
        CRect expand(rect.left + indent, rect.top, rect.left + indent + kExpandBoxWidth, rect.bottom);
        if (p->GetSubItemsCount() > 0)
            p->OnDrawExpandBox(&dc, expand);
        CRect name(expand.right, rect.top, rect.right, rect.bottom);
        p->OnDrawName(&dc, name);
        return;
    }
    dc.FillSolidRect(CRect(rect.left, rect.top, rect.left + indent + kExpandBoxWidth, rect.bottom),
        m_bVSDotNetLook ? kGroupColour : RGB(255, 255, 255));
    CRect name(rect.left + indent + kExpandBoxWidth, rect.top, m_nLeftColumnWidth, rect.bottom);
    dc.FillSolidRect(name, p == m_pSel ? kSelectionColour : RGB(255, 255, 255));
    p->OnDrawName(&dc, name);
    CRect value = p->GetValueRect();
    dc.FillSolidRect(value, RGB(255, 255, 255));
    CRect valueText = value;
    if (p->HasButton())
        valueText.right = p->m_rectButton.left;
    p->OnDrawValue(&dc, valueText);
    if (p->HasButton())
        p->OnDrawButton(&dc, p->m_rectButton);
    CPen pen(PS_SOLID, 1, kLineColour);
    CSelectGuard guard(dc, pen);
    dc.MoveTo(rect.left, rect.bottom - 1);
    dc.LineTo(rect.right, rect.bottom - 1);
    dc.MoveTo(m_nLeftColumnWidth - 1, rect.top);
    dc.LineTo(m_nLeftColumnWidth - 1, rect.bottom);
}

void CMFCPropertyGridCtrl::OnPaint()
{
    CPaintDC paint(this);
    CRect client;
    GetClientRect(client);
    CDC dc;
    dc.CreateCompatibleDC(&paint);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&paint, std::max(1, client.Width()), std::max(1, client.Height()));
    CSelectGuard bitmapGuard(dc, bitmap);
    CSelectGuard fontGuard(dc, m_fontRegular);
    dc.FillSolidRect(client, RGB(255, 255, 255));
    if (m_bHeaderCtrl) {
        CRect header(client.left, client.top, client.right, client.top + m_nRowHeight);
        dc.FillSolidRect(header, ::GetSysColor(COLOR_BTNFACE));
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
        CRect left(header.left + 3, header.top, m_nLeftColumnWidth, header.bottom);
        CRect right(m_nLeftColumnWidth + 3, header.top, header.right, header.bottom);
        dc.DrawText(m_strLeftColumn, left, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
        dc.DrawText(m_strRightColumn, right, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    }
    std::vector<CMFCPropertyGridProperty*> rows;
    CollectVisible(rows);
    for (CMFCPropertyGridProperty* p : rows) {
        if (!p->GetRect().IsRectEmpty())
            DrawRow(dc, p);
    }
    paint.BitBlt(0, 0, client.Width(), client.Height(), &dc, 0, 0, SRCCOPY);
}

CMFCPropertyGridProperty* CMFCPropertyGridCtrl::HitTest(CPoint pt, CMFCPropertyGridProperty::ClickArea* pnArea) const
{
    std::vector<CMFCPropertyGridProperty*> rows;
    CollectVisible(rows);
    for (CMFCPropertyGridProperty* p : rows) {
        if (p->GetRect().IsRectEmpty() || !p->GetRect().PtInRect(pt))
            continue;
        if (pnArea != nullptr) {
            int depth = 0;
            for (CMFCPropertyGridProperty* parent = p->GetParent(); parent != nullptr; parent = parent->GetParent())
                ++depth;
            const int expandRight = p->GetRect().left + (depth + 1) * kExpandBoxWidth;
            if (pt.x < expandRight)
                *pnArea = CMFCPropertyGridProperty::ClickExpandBox;
            else if (!p->IsGroup() && pt.x >= m_nLeftColumnWidth)
                *pnArea = CMFCPropertyGridProperty::ClickValue;
            else
                *pnArea = CMFCPropertyGridProperty::ClickName;
        }
        return p;
    }
    return nullptr;
}

void CMFCPropertyGridCtrl::OnLButtonDown(UINT, CPoint point)
{
    SetFocus();
    CMFCPropertyGridProperty::ClickArea area = CMFCPropertyGridProperty::ClickName;
    CMFCPropertyGridProperty* p = HitTest(point, &area);
    if (p == nullptr) {
        EndEditItem(TRUE);
        return;
    }
    SetCurSel(p);
    if (p->IsGroup()) {
        if (area == CMFCPropertyGridProperty::ClickExpandBox && p->GetSubItemsCount() > 0)
            p->Expand(!p->IsExpanded());
        return;
    }
    if (area != CMFCPropertyGridProperty::ClickValue || !p->IsEnabled())
        return;
    if (p->HasButton() && p->m_rectButton.PtInRect(point)) {
        p->OnClickButton(point);
        return;
    }
    EditItem(p, &point);
    p->OnClickValue(WM_LBUTTONDOWN, point);
}

void CMFCPropertyGridCtrl::OnLButtonDblClk(UINT, CPoint point)
{
    CMFCPropertyGridProperty* p = HitTest(point);
    if (p == nullptr)
        return;
    if (p->IsGroup() && p->GetSubItemsCount() > 0) {
        p->Expand(!p->IsExpanded());
        return;
    }
    p->OnDblClk(point);
}

void CMFCPropertyGridCtrl::OnVScroll(UINT nSBCode, UINT, CScrollBar*)
{
    SCROLLINFO si {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    ::GetScrollInfo(m_hWnd, SB_VERT, &si);
    int first = m_nFirstVisible;
    switch (nSBCode) {
    case SB_LINEUP:
        --first;
        break;
    case SB_LINEDOWN:
        ++first;
        break;
    case SB_PAGEUP:
        first -= static_cast<int>(si.nPage);
        break;
    case SB_PAGEDOWN:
        first += static_cast<int>(si.nPage);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        first = si.nTrackPos;
        break;
    default:
        return;
    }
    if (first == m_nFirstVisible)
        return;
    EndEditItem(TRUE);
    m_nFirstVisible = first;
    AdjustLayout();
}

BOOL CMFCPropertyGridCtrl::OnMouseWheel(UINT, short zDelta, CPoint)
{
    OnVScroll(zDelta > 0 ? SB_LINEUP : SB_LINEDOWN, 0, nullptr);
    return TRUE;
}

BOOL CMFCPropertyGridCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT) {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        CMFCPropertyGridProperty::ClickArea area = CMFCPropertyGridProperty::ClickName;
        CMFCPropertyGridProperty* p = HitTest(point, &area);
        if (p != nullptr && area == CMFCPropertyGridProperty::ClickValue && p->OnSetCursor())
            return TRUE;
    }
    return static_cast<BOOL>(
        CWnd::DefWindowProc(WM_SETCURSOR, reinterpret_cast<WPARAM>(AfxSafeHwnd(pWnd)), MAKELPARAM(nHitTest, message)));
}

BOOL CMFCPropertyGridCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == kInPlaceId && m_pEditing != nullptr) {
        switch (HIWORD(wParam)) {
        case EN_KILLFOCUS:
        case CBN_KILLFOCUS: {
            // A focus move inside the editor (a combo's own edit) keeps it open.
            HWND focus = ::GetFocus();
            HWND editor = m_pEditing->m_pWndInPlace != nullptr ? m_pEditing->m_pWndInPlace->GetSafeHwnd() : nullptr;
            if (editor != nullptr && focus != nullptr && (focus == editor || ::IsChild(editor, focus)))
                return TRUE;
            EndEditItem(TRUE);
            return TRUE;
        }
        case CBN_SELENDOK:
            if (m_pEditing->m_pWndCombo != nullptr) {
                int index = m_pEditing->m_pWndCombo->GetCurSel();
                if (index >= 0) {
                    CString text;
                    m_pEditing->m_pWndCombo->GetLBText(index, text);
                    m_pEditing->m_pWndCombo->SetWindowText(text);
                    if (m_pEditing->IsAllowEdit()) {
                        // The edit field only takes the picked text after the
                        // notification, so the value is read here.
                        CMFCPropertyGridProperty* prop = m_pEditing;
                        if (text != prop->FormatProperty()) {
                            prop->TextToVar(text);
                            prop->m_bIsModified = !(prop->m_varValue == prop->m_varValueOrig);
                            OnPropertyChanged(prop);
                        }
                        return TRUE;
                    }
                }
                EndEditItem(TRUE);
            }
            return TRUE;
        default:
            break;
        }
    }
    return CWnd::OnCommand(wParam, lParam);
}
