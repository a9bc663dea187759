// The sequence editor of the movie maker: a scrolling grid of elements, each
// a colour button, a red sequence number under it and a label right of it
// that shows the fade mark and the duration (left click toggles the fade,
// right click asks for a new duration). The show editor has a tile view of
// the same class name; this one lives in the library's namespace.
#pragma once

#include "SequenceModel.h"

#include "color_skin_button.h"

#include <afxext.h>
#include <afxtempl.h>
#include <afxwin.h>

namespace quorra {

// The red sequence number under an element's colour button.
class CLabel : public CStatic {
    DECLARE_DYNAMIC(CLabel)
public:
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
};

// The fade mark (">" or ">>") over the duration in frames.
class CSequenceLabel : public CStatic {
    DECLARE_DYNAMIC(CSequenceLabel)
public:
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // Draws the label into pDC over rc.
    void Paint(CDC* pDC, const CRect& rc) const;

    BYTE m_bFade = 0;
    int m_nDuration = 25;
    int m_bHover = 0;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};

// One element; it owns its three windows.
struct S_Element {
    CLabel* pNumber = nullptr;
    CSequenceLabel* pSequence = nullptr;
    CSkinColorButton* pButton = nullptr;
};

class CMyColorView : public CFormView {
    DECLARE_DYNAMIC(CMyColorView)
public:
    CMyColorView();
    ~CMyColorView() override;

    void AddElement(COLORREF color);
    void AddElement(COLORREF color, int nDuration);
    void RemoveLast(int n);
    void RemoveAll();

    int GetCount() const { return static_cast<int>(m_elements.GetSize()); }
    S_Element* GetElement(int i) const { return m_elements[i]; }
    // Colours, durations and fade flags as they stand now.
    Sequence GetSequence() const;

    void OnInitialUpdate() override;

    int m_nMarginX = 5;
    int m_nMarginY = 2;
    int m_nPerRow = 6;
    int m_nCellWidth = 80;
    int m_nRowHeight = 70;
    CArray<S_Element*, S_Element*> m_elements;

protected:
    void OnLButtonDown(UINT nFlags, CPoint point);
    LRESULT OnNcLButtonDown(WPARAM, LPARAM);
    LRESULT OnDefaultHandling(WPARAM, LPARAM) { return Default(); }
    DECLARE_MESSAGE_MAP()

private:
    static void FreeElement(S_Element* pElement);
};

} // namespace quorra
