// Dialog data exchange and validation.
#include "afxwin.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cwchar>

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate)
    , m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (hWndCtrl == nullptr) {
        // A missing control is a programming error in the dialog's exchange.
        ::OutputDebugString(L"DDX: control not found in dialog\n");
        AfxThrowNotSupportedException();
    }
    m_hWndLastControl = hWndCtrl;
    m_idLastControl = nIDC;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl != nullptr) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw CDataExchangeFailure {};
}

namespace {
CString ControlText(HWND hWnd)
{
    CString s;
    int n = ::GetWindowTextLength(hWnd);
    LPTSTR buf = s.GetBufferSetLength(n);
    ::GetWindowText(hWnd, buf, n + 1);
    s.ReleaseBuffer();
    return s;
}

void SetControlText(HWND hWnd, LPCTSTR text)
{
    // Rewriting an unchanged edit would move its caret and fire EN_CHANGE.
    if (ControlText(hWnd) != text)
        ::SetWindowText(hWnd, text);
}

[[noreturn]] void FailWith(CDataExchange* pDX, LPCTSTR text)
{
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    pDX->Fail();
}

// Parses a whole signed integer (surrounding blanks allowed) within [lo, hi].
bool ParseSigned(const CString& text, long long lo, long long hi, long long& out)
{
    const wchar_t* p = text.GetString();
    while (*p == L' ' || *p == L'\t')
        ++p;
    if (*p == 0)
        return false;
    wchar_t* end = nullptr;
    errno = 0;
    long long v = std::wcstoll(p, &end, 10);
    if (end == p || errno == ERANGE)
        return false;
    while (*end == L' ' || *end == L'\t')
        ++end;
    if (*end != 0 || v < lo || v > hi)
        return false;
    out = v;
    return true;
}

bool ParseUnsigned(const CString& text, unsigned long long hi, unsigned long long& out)
{
    const wchar_t* p = text.GetString();
    while (*p == L' ' || *p == L'\t')
        ++p;
    if (*p == 0 || *p == L'-')
        return false;
    wchar_t* end = nullptr;
    errno = 0;
    unsigned long long v = std::wcstoull(p, &end, 10);
    if (end == p || errno == ERANGE)
        return false;
    while (*end == L' ' || *end == L'\t')
        ++end;
    if (*end != 0 || v > hi)
        return false;
    out = v;
    return true;
}

bool ParseDouble(const CString& text, double& out)
{
    const wchar_t* p = text.GetString();
    while (*p == L' ' || *p == L'\t')
        ++p;
    if (*p == 0)
        return false;
    wchar_t* end = nullptr;
    errno = 0;
    double v = std::wcstod(p, &end);
    if (end == p || errno == ERANGE || !std::isfinite(v))
        return false;
    while (*end == L' ' || *end == L'\t')
        ++end;
    if (*end != 0)
        return false;
    out = v;
    return true;
}

template <class T> void TextSigned(CDataExchange* pDX, int nIDC, T& value, long long lo, long long hi)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long v = 0;
        if (!ParseSigned(ControlText(hWnd), lo, hi, v))
            FailWith(pDX, L"Please enter an integer.");
        value = static_cast<T>(v);
    } else {
        CString s;
        s.Format(L"%lld", static_cast<long long>(value));
        SetControlText(hWnd, s);
    }
}

template <class T> void TextUnsigned(CDataExchange* pDX, int nIDC, T& value, unsigned long long hi)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        unsigned long long v = 0;
        if (!ParseUnsigned(ControlText(hWnd), hi, v))
            FailWith(pDX, L"Please enter a positive integer.");
        value = static_cast<T>(v);
    } else {
        CString s;
        s.Format(L"%llu", static_cast<unsigned long long>(value));
        SetControlText(hWnd, s);
    }
}
// A control whose value is one number asked with getMessage and set with
// setMessage as WPARAM: a check box's state, a list's selected index.
void ExchangeControlInt(CDataExchange* pDX, int nIDC, int& value, UINT getMessage, UINT setMessage)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessage(hWnd, getMessage, 0, 0));
    else
        ::SendMessage(hWnd, setMessage, static_cast<WPARAM>(value), 0);
}

// The selected item's text of a list box or a combo box's list (empty when
// nothing is selected), through the control kind's messages.
void SelectedItemText(HWND hWnd, UINT getCurSel, UINT getTextLen, UINT getText, CString& value)
{
    int sel = static_cast<int>(::SendMessage(hWnd, getCurSel, 0, 0));
    value.Empty();
    if (sel != LB_ERR) { // CB_ERR is the same value
        int n = static_cast<int>(::SendMessage(hWnd, getTextLen, sel, 0));
        LPTSTR buf = value.GetBufferSetLength(n);
        ::SendMessage(hWnd, getText, sel, reinterpret_cast<LPARAM>(buf));
        value.ReleaseBuffer();
    }
}

} // namespace

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    TextSigned(pDX, nIDC, value, INT_MIN, INT_MAX);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    TextSigned(pDX, nIDC, value, LONG_MIN, LONG_MAX);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value)
{
    TextSigned(pDX, nIDC, value, SHRT_MIN, SHRT_MAX);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    TextUnsigned(pDX, nIDC, value, UINT_MAX);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    TextUnsigned(pDX, nIDC, value, ULONG_MAX);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        unsigned long long v = 0;
        if (!ParseUnsigned(ControlText(hWnd), 255, v))
            FailWith(pDX, L"Please enter an integer between 0 and 255.");
        value = static_cast<BYTE>(v);
    } else {
        CString s;
        s.Format(L"%u", static_cast<unsigned>(value));
        SetControlText(hWnd, s);
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        double v = 0;
        if (!ParseDouble(ControlText(hWnd), v))
            FailWith(pDX, L"Please enter a number.");
        value = v;
    } else {
        CString s;
        s.Format(L"%.15g", value);
        SetControlText(hWnd, s);
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value)
{
    double d = value;
    DDX_Text(pDX, nIDC, d);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<float>(d);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ControlText(hWnd);
    else
        SetControlText(hWnd, value);
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeControlInt(pDX, nIDC, value, BM_GETCHECK, BM_SETCHECK);
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    do {
        if ((::SendMessage(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessage(hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED)
                    value = index;
            } else {
                ::SendMessage(hWnd, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++index;
        }
        hWnd = ::GetWindow(hWnd, GW_HWNDNEXT);
    } while (hWnd != nullptr && (::GetWindowLong(hWnd, GWL_STYLE) & WS_GROUP) == 0);
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    ExchangeControlInt(pDX, nIDC, index, CB_GETCURSEL, CB_SETCURSEL);
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        // A drop-down list has no edit part: read the selected item.
        if ((::GetWindowLong(hWnd, GWL_STYLE) & 0x3) == CBS_DROPDOWNLIST) {
            SelectedItemText(hWnd, CB_GETCURSEL, CB_GETLBTEXTLEN, CB_GETLBTEXT, value);
        } else {
            value = ControlText(hWnd);
        }
    } else {
        if (::SendMessage(hWnd, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString()))
            == CB_ERR)
            SetControlText(hWnd, value);
    }
}

void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        DDX_CBString(pDX, nIDC, value);
    } else {
        int i = static_cast<int>(::SendMessage(
            hWnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString())));
        if (i != CB_ERR)
            ::SendMessage(hWnd, CB_SETCURSEL, i, 0);
        else
            SetControlText(hWnd, value);
    }
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    ExchangeControlInt(pDX, nIDC, index, LB_GETCURSEL, LB_SETCURSEL);
}

void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        SelectedItemText(hWnd, LB_GETCURSEL, LB_GETTEXTLEN, LB_GETTEXT, value);
    } else {
        ::SendMessage(hWnd, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString()));
    }
}

void AFXAPI DDX_Slider(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessage(hWnd, TBM_GETPOS, 0, 0));
    else
        ::SendMessage(hWnd, TBM_SETPOS, TRUE, value);
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd == nullptr) {
        HWND hWnd = pDX->PrepareCtrl(nIDC);
        rControl.SubclassWindow(hWnd);
    }
}

void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate) {
        if (value.GetLength() > nChars) {
            CString text;
            text.Format(L"Please enter no more than %d characters.", nChars);
            FailWith(pDX, text);
        }
    } else if (pDX->m_hWndLastControl != nullptr && pDX->m_bEditLastControl) {
        ::SendMessage(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
    }
}

namespace {
template <class T> void RangeCheck(CDataExchange* pDX, T value, T minVal, T maxVal, LPCTSTR fmt)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString text;
    text.Format(fmt, minVal, maxVal);
    FailWith(pDX, text);
}
} // namespace

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    RangeCheck(pDX, value, minVal, maxVal, L"Please enter an integer between %d and %d.");
}

void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    RangeCheck(pDX, value, minVal, maxVal, L"Please enter an integer between %u and %u.");
}

void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    RangeCheck(pDX, value, minVal, maxVal, L"Please enter an integer between %ld and %ld.");
}

void AFXAPI DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal)
{
    RangeCheck<unsigned>(pDX, value, minVal, maxVal, L"Please enter an integer between %u and %u.");
}

void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal)
{
    RangeCheck(pDX, value, minVal, maxVal, L"Please enter a number between %g and %g.");
}
