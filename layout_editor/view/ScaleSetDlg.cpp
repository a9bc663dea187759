// The rulers dialog (see ScaleSetDlg.h).
#include "ScaleSetDlg.h"

#include <cstdlib>

#include "InputDlg.h"
#include "LayoutLangText.h"
#include "fw_labels.h"
#include "fw_uihost.h"

BEGIN_MESSAGE_MAP(CScaleSetDlg, CDialogEx)
ON_BN_CLICKED(IDC_SCALE_H_ADD, OnAddHorizontal)
ON_BN_CLICKED(IDC_SCALE_V_ADD, OnAddVertical)
ON_BN_CLICKED(IDC_SCALE_H_DELETE, OnDeleteHorizontal)
ON_BN_CLICKED(IDC_SCALE_V_DELETE, OnDeleteVertical)
END_MESSAGE_MAP()

CScaleSetDlg::CScaleSetDlg(CWnd* parent)
    : CDialogEx(IDD_SCALE_SET, parent)
{
}

BOOL CScaleSetDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    const struct {
        int id;
        LPCWSTR section;
        int key;
    } labels[] = { { 0, L"LAYOUT", 190 }, { IDC_SCALE_H_GROUP, L"LAYOUT", 191 }, { IDC_SCALE_V_GROUP, L"LAYOUT", 192 },
        { IDC_SCALE_H_ADD, L"SHOW", 167 }, { IDC_SCALE_V_ADD, L"SHOW", 167 }, { IDC_SCALE_H_DELETE, L"LAYOUT", 35 },
        { IDC_SCALE_V_DELETE, L"LAYOUT", 35 }, { IDOK, L"TITLE", 3 }, { IDCANCEL, L"TITLE", 4 } };
    for (const auto& label : labels)
        ApplyLabel(*this, label.id, GetLangText(label.section, label.key));
    for (const bool horizontal : { true, false }) {
        const CArray<WORD, WORD>& rulers = horizontal ? m_hRulers : m_vRulers;
        const HWND list = ::GetDlgItem(m_hWnd, horizontal ? IDC_SCALE_H_LIST : IDC_SCALE_V_LIST);
        for (INT_PTR i = 0; i < rulers.GetSize(); ++i) {
            CString text;
            text.Format(L"%d", static_cast<int>(rulers.GetAt(i)));
            ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
        }
    }
    return TRUE;
}

void CScaleSetDlg::AddTypedPosition(bool horizontal, const CString& text)
{
    CArray<WORD, WORD>& rulers = horizontal ? m_hRulers : m_vRulers;
    // Positions are kept as 16-bit cells; larger numbers wrap.
    const WORD position = static_cast<WORD>(static_cast<unsigned>(_wtoi(text)));
    if (text.IsEmpty() || position == 0)
        return;
    for (INT_PTR i = 0; i < rulers.GetSize(); ++i) {
        if (rulers.GetAt(i) == position) {
            AfxMessageBox(L"\u6807\u5C3A\u5DF2\u5B58\u5728", MB_OK);
            return;
        }
    }
    rulers.Add(position);
    if (m_hWnd != nullptr) {
        const HWND list = ::GetDlgItem(m_hWnd, horizontal ? IDC_SCALE_H_LIST : IDC_SCALE_V_LIST);
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
    }
}

void CScaleSetDlg::Add(bool horizontal)
{
    if ((horizontal ? m_hRulers : m_vRulers).GetSize() >= kMaxRulerCount) {
        AfxMessageBox(L"\u6807\u5C3A\u5DF2\u6EE1(\u6700\u591A60\u6761)", MB_OK);
        return;
    }
    CInputDlg input(this);
    input.m_strPrompt
        = horizontal ? L"\u6C34\u5E73\u4F4D\u7F6E(\u50CF\u7D20)" : L"\u5782\u76F4\u4F4D\u7F6E(\u50CF\u7D20)";
    if (input.DoModal() != IDOK)
        return;
    AddTypedPosition(horizontal, input.m_strValue);
}

void CScaleSetDlg::Delete(bool horizontal)
{
    CArray<WORD, WORD>& rulers = horizontal ? m_hRulers : m_vRulers;
    const HWND list = ::GetDlgItem(m_hWnd, horizontal ? IDC_SCALE_H_LIST : IDC_SCALE_V_LIST);
    const LRESULT selected = ::SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR || selected < 0 || selected >= rulers.GetSize())
        return;
    rulers.RemoveAt(static_cast<INT_PTR>(selected));
    ::SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
}

void CScaleSetDlg::OnAddHorizontal()
{
    Add(true);
}

void CScaleSetDlg::OnAddVertical()
{
    Add(false);
}

void CScaleSetDlg::OnDeleteHorizontal()
{
    Delete(true);
}

void CScaleSetDlg::OnDeleteVertical()
{
    Delete(false);
}
