// CColorCombox: a drop-down list whose items are pictures. The owner keeps the
// pictures alive as long as the combo box; the box owns only its item records.
#pragma once

#include <afxwin.h>

#include <afxtempl.h>

// The data of one item: the picture (not owned) and the index it was added at.
struct S_CBItem {
    CBitmap* pBitmap = nullptr;
    int nIndex = 0;
};

class CColorCombox : public CComboBox {
    DECLARE_DYNAMIC(CColorCombox)
public:
    CColorCombox() = default;
    ~CColorCombox() override;
    CColorCombox(const CColorCombox&) = delete;
    CColorCombox& operator=(const CColorCombox&) = delete;

    // Inserts an item "ITEM:<index>" at nIndex showing pBitmap; returns the
    // position of the new item.
    int AddBitmapItem(int nIndex, CBitmap* pBitmap);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    const CArray<S_CBItem*, S_CBItem*>& Items() const { return m_items; }

private:
    CArray<S_CBItem*, S_CBItem*> m_items;
};
