// CSheetDropTarget: forwards drag events over the grid's window to the grid.
#include "SheetDropTarget.h"

#include "SheetCtrl.h"

IMPLEMENT_DYNAMIC(CSheetDropTarget, COleDropTarget)

BOOL CSheetDropTarget::Register(CSheetCtrl* pGridCtrl)
{
    if (pGridCtrl == nullptr || pGridCtrl->GetSafeHwnd() == nullptr)
        return FALSE;
    m_pGridCtrl = pGridCtrl;
    return COleDropTarget::Register(pGridCtrl);
}

void CSheetDropTarget::Revoke()
{
    if (m_pGridCtrl != nullptr)
        m_pGridCtrl->m_bDropTargetRegistered = FALSE;
    COleDropTarget::Revoke();
}

BOOL CSheetDropTarget::IsGridWindow(CWnd* pWnd) const
{
    return m_pGridCtrl != nullptr && pWnd != nullptr && pWnd->GetSafeHwnd() == m_pGridCtrl->GetSafeHwnd();
}

DROPEFFECT CSheetDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!IsGridWindow(pWnd))
        return DROPEFFECT_NONE;
    return m_pGridCtrl->OnDragEnter(pDataObject, dwKeyState, point);
}

DROPEFFECT CSheetDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!IsGridWindow(pWnd))
        return DROPEFFECT_NONE;
    return m_pGridCtrl->OnDragOver(pDataObject, dwKeyState, point);
}

BOOL CSheetDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    if (!IsGridWindow(pWnd))
        return FALSE;
    return m_pGridCtrl->OnDrop(pDataObject, dropEffect, point);
}

void CSheetDropTarget::OnDragLeave(CWnd* pWnd)
{
    if (IsGridWindow(pWnd))
        m_pGridCtrl->OnDragLeave();
}

DROPEFFECT CSheetDropTarget::OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint)
{
    if (!IsGridWindow(pWnd))
        return DROPEFFECT_NONE;
    return (dwKeyState & MK_CONTROL) != 0 ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}
