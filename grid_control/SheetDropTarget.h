// CSheetDropTarget: the grid's OLE drop target; it hands every drag event
// for the grid's own window to the grid.
#pragma once

#include "GridTypes.h"

class CSheetCtrl;

class CSheetDropTarget : public COleDropTarget {
    DECLARE_DYNAMIC(CSheetDropTarget)
public:
    CSheetDropTarget() = default;

    BOOL Register(CSheetCtrl* pGridCtrl);
    void Revoke() override;

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;
    DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point) override;

private:
    BOOL IsGridWindow(CWnd* pWnd) const;
    CSheetCtrl* m_pGridCtrl = nullptr;
};
