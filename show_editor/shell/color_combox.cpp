// CColorCombox: owner-drawn picture items.
#include "color_combox.h"

IMPLEMENT_DYNAMIC(CColorCombox, CComboBox)

CColorCombox::~CColorCombox()
{
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
        delete m_items[i];
    m_items.RemoveAll();
}

int CColorCombox::AddBitmapItem(int nIndex, CBitmap* pBitmap)
{
    CString text;
    text.Format(L"ITEM:%d", nIndex);
    int pos = InsertString(nIndex, text);
    auto* item = new S_CBItem { pBitmap, nIndex };
    if (pos >= 0)
        SetItemData(pos, reinterpret_cast<DWORD_PTR>(item));
    m_items.Add(item);
    return pos;
}

void CColorCombox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    HDC hdc = lpDrawItemStruct->hDC;
    CRect rc(lpDrawItemStruct->rcItem);
    // The edit part of an empty list, or an item without a record.
    auto* item = lpDrawItemStruct->itemID == static_cast<UINT>(-1)
        ? nullptr
        : reinterpret_cast<S_CBItem*>(lpDrawItemStruct->itemData);
    if (item == nullptr || item == reinterpret_cast<S_CBItem*>(CB_ERR) || item->pBitmap == nullptr
        || item->pBitmap->GetSafeHandle() == nullptr) {
        ::SetBkColor(hdc, RGB(255, 255, 255));
        ::ExtTextOutW(hdc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
        return;
    }

    BITMAP bm {};
    ::GetObjectW(item->pBitmap->GetSafeHandle(), sizeof(bm), &bm);
    HDC mem = ::CreateCompatibleDC(hdc);
    HGDIOBJ old = ::SelectObject(mem, item->pBitmap->GetSafeHandle());
    int oldMode = ::SetStretchBltMode(hdc, HALFTONE);
    ::StretchBlt(hdc, rc.left, rc.top, rc.Width(), rc.Height(), mem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    ::SetStretchBltMode(hdc, oldMode);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);

    if ((lpDrawItemStruct->itemState & ODS_SELECTED) != 0) {
        CRect frame = rc;
        frame.DeflateRect(1, 1);
        HBRUSH blue = ::CreateSolidBrush(RGB(0, 0, 255));
        ::FrameRect(hdc, &frame, blue);
        ::DeleteObject(blue);
    }
    if ((lpDrawItemStruct->itemState & ODS_FOCUS) != 0)
        ::DrawFocusRect(hdc, &rc);
}
