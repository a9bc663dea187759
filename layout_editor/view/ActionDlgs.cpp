// The wiring option dialogs (see ActionDlgs.h).
#include "ActionDlgs.h"

#include <commctrl.h>

#include "DialogLabels.h"
#include "PannexLabels.h"

IMPLEMENT_DYNAMIC(CActionAutoDlg, CWiringStyleDlg)

BEGIN_MESSAGE_MAP(CActionAutoDlg, CWiringStyleDlg)
ON_NOTIFY(UDN_DELTAPOS, IDC_AA_WIDTH_SPIN, OnSpinNotify)
ON_NOTIFY(UDN_DELTAPOS, IDC_AA_HEIGHT_SPIN, OnSpinNotify)
ON_NOTIFY(UDN_DELTAPOS, IDC_AA_ROW_GAP_SPIN, OnSpinNotify)
ON_NOTIFY(UDN_DELTAPOS, IDC_AA_COLUMN_GAP_SPIN, OnSpinNotify)
END_MESSAGE_MAP()

CActionAutoDlg::CActionAutoDlg(CWnd* parent)
    : CWiringStyleDlg(IDD_ACTION_AUTO, parent)
{
}

void CActionAutoDlg::DoDataExchange(CDataExchange* pDX)
{
    CWiringStyleDlg::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_AA_WIDTH, m_nWidth);
    DDX_Text(pDX, IDC_AA_HEIGHT, m_nHeight);
    DDX_Check(pDX, IDC_AA_NEXT_PORTS, m_bNextPorts);
    DDX_Check(pDX, IDC_AA_NEXT_CONTROLLERS, m_bNextControllers);
    DDX_Text(pDX, IDC_AA_COLUMN_GAP, m_nColumnGap);
    DDX_Text(pDX, IDC_AA_ROW_GAP, m_nRowGap);
}

BOOL CActionAutoDlg::OnInitDialog()
{
    CWiringStyleDlg::OnInitDialog();
    UpdateStylePictures();
    ApplyLayoutLabels(*this,
        { { 0, 42 }, { IDC_AA_OPTIONS_GROUP, 93 }, { IDC_AA_SIZE_GROUP, 94 }, { IDC_AA_WIDTH_LABEL, 95 },
            { IDC_AA_HEIGHT_LABEL, 96 }, { IDC_AA_ROW_GAP_LABEL, 213 }, { IDC_AA_COLUMN_GAP_LABEL, 214 },
            { IDC_STYLE_GROUP, 97 }, { IDC_STYLE_Z, 98 }, { IDC_STYLE_FLIP, 99 }, { IDC_AA_NEXT_PORTS, 100 },
            { IDC_AA_NEXT_CONTROLLERS, 101 }, { IDOK, 91 }, { IDCANCEL, 92 } });
    return TRUE;
}

void CActionAutoDlg::OnSpinNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnSpin(static_cast<int>(pNMHDR->idFrom), reinterpret_cast<const NMUPDOWN*>(pNMHDR)->iDelta);
    *pResult = 1;
}

void CActionAutoDlg::OnSpin(int controlId, int delta)
{
    if (!UpdateData(TRUE))
        return;
    struct Bound {
        int id;
        int* value;
        int floor;
    } const bounds[] = { { IDC_AA_WIDTH_SPIN, &m_nWidth, 1 }, { IDC_AA_HEIGHT_SPIN, &m_nHeight, 1 },
        { IDC_AA_ROW_GAP_SPIN, &m_nRowGap, 0 }, { IDC_AA_COLUMN_GAP_SPIN, &m_nColumnGap, 0 } };
    for (const Bound& b : bounds) {
        if (b.id != controlId)
            continue;
        if (delta == 1 && *b.value > b.floor)
            --*b.value;
        else if (delta == -1)
            ++*b.value;
    }
    UpdateData(FALSE);
}

IMPLEMENT_DYNAMIC(CActionFastDlg, CWiringStyleDlg)

BEGIN_MESSAGE_MAP(CActionFastDlg, CWiringStyleDlg)
ON_WM_PAINT()
END_MESSAGE_MAP()

CActionFastDlg::CActionFastDlg(CWnd* parent)
    : CWiringStyleDlg(IDD_ACTION_FAST, parent)
{
}

void CActionFastDlg::DoDataExchange(CDataExchange* pDX)
{
    CWiringStyleDlg::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_AF_WIDTH, m_nWidth);
    DDX_Text(pDX, IDC_AF_HEIGHT, m_nHeight);
    DDX_Text(pDX, IDC_AF_MAX_LAMPS, m_nMaxLamps);
}

BOOL CActionFastDlg::OnInitDialog()
{
    CWiringStyleDlg::OnInitDialog();
    UpdateStylePictures();
    ApplyLayoutLabels(*this,
        { { 0, 964 }, { IDC_STYLE_GROUP, 97 }, { IDC_STYLE_Z, 98 }, { IDC_STYLE_FLIP, 99 },
            { IDC_AF_MAX_LAMPS_LABEL, 965 }, { IDOK, 91 }, { IDCANCEL, 92 } });
    return TRUE;
}

namespace {

RECT ControlRect(HWND dialog, int id)
{
    RECT r = {};
    HWND control = ::GetDlgItem(dialog, id);
    if (control != nullptr) {
        ::GetWindowRect(control, &r);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    }
    return r;
}

void Line(HDC dc, int x1, int y1, int x2, int y2)
{
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}

} // namespace

void CActionFastDlg::DrawGuide(HDC dc)
{
    // A grey rectangle stands for the wired rectangle: its top edge runs
    // through the width edit, its right edge through the height edit, with
    // dimension lines broken by the edits.
    const RECT w = ControlRect(m_hWnd, IDC_AF_WIDTH);
    const RECT h = ControlRect(m_hWnd, IDC_AF_HEIGHT);
    const int left = 11;
    const int top = w.top;
    const int right = (h.left + h.right) / 2;
    const int bottom = h.top + h.bottom - top;
    const RECT area = { left, top, right, bottom };
    HBRUSH grey = ::CreateSolidBrush(RGB(0x64, 0x64, 0x64));
    ::FillRect(dc, &area, grey);
    ::DeleteObject(grey);
    HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(0, 255, 0));
    HGDIOBJ oldPen = ::SelectObject(dc, pen);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0x80));
    auto font = reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = font != nullptr ? ::SelectObject(dc, font) : nullptr;
    const int y = (w.top + w.bottom) / 2;
    Line(dc, left, y, w.left, y);
    Line(dc, w.right, y, right, y);
    Line(dc, left, top + 3, left, w.bottom - 3);
    Line(dc, right, top + 3, right, w.bottom - 3);
    // The dimension words in the chosen language, like the other labels.
    const CString widthWord = LangTextOr(L"LAYOUT", 95, L"Width");
    const CString heightWord = LangTextOr(L"LAYOUT", 96, L"Height");
    ::TextOutW(dc, w.left, w.bottom + 3, widthWord, widthWord.GetLength());
    const int x = right;
    Line(dc, x, top, x, h.top);
    Line(dc, x, h.bottom, x, bottom);
    Line(dc, h.left + 10, top, h.right - 10, top);
    Line(dc, h.left + 10, bottom - 1, h.right - 10, bottom - 1);
    SIZE text = {};
    ::GetTextExtentPoint32W(dc, heightWord, heightWord.GetLength(), &text);
    ::TextOutW(dc, h.left - text.cx - 4, h.top + 1, heightWord, heightWord.GetLength());
    if (oldFont != nullptr)
        ::SelectObject(dc, oldFont);
    ::SelectObject(dc, oldPen);
    ::DeleteObject(pen);
}

void CActionFastDlg::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    DrawGuide(dc);
    ::EndPaint(m_hWnd, &ps);
}
