// OLE data transfer for the window half: COleDataSource (data offered on the
// clipboard or by a drag), COleDataObject (data read from the clipboard or a
// drop), COleDropTarget (a window that accepts drops) and the per-thread OLE
// start-up state. Only global-memory (TYMED_HGLOBAL) data is carried.
#pragma once

#include "fw_wnd.h"

#include <ole2.h>

// The effect of a drag and drop (DROPEFFECT_COPY, DROPEFFECT_MOVE, ...).
typedef DWORD DROPEFFECT;

// Start-up of OLE for the calling thread through the framework: remembers
// that this thread's OLE is running so that code built on the framework does
// not start it twice. FALSE when OleInitialize failed.
BOOL AFXAPI AfxOleInit();
// Our addition: whether AfxOleInit succeeded on the calling thread.
BOOL AFXAPI AfxOleIsThreadInitialized();

// Data offered to OLE. Created with new; the creator holds one reference.
// SetClipboard hands that reference to the clipboard (which frees the object
// when it lets go of it); otherwise the creator ends its reference with
// InternalRelease, which deletes the object once OLE holds none.
class COleDataSource : public CCmdTarget {
    DECLARE_DYNAMIC(COleDataSource)
public:
    COleDataSource();
    ~COleDataSource() override;

    // Takes ownership of hGlobal (freed when the source is emptied or freed).
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal);
    void Empty();

    // Puts the source on the clipboard; the clipboard owns it from then on.
    void SetClipboard();
    // Renders the clipboard's data so that it outlives the owning objects.
    static void PASCAL FlushClipboard();
    // The source of this module that owns the clipboard now, or nullptr.
    static COleDataSource* PASCAL GetClipboardOwner();

    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE, LPCRECT lpRectStartDrag = nullptr);

    // Our addition: the IDataObject that OLE sees (not AddRef'd).
    IDataObject* GetDataObject();
    ULONG InternalAddRef();
    ULONG InternalRelease();

private:
    struct Entry {
        CLIPFORMAT cf;
        HGLOBAL hGlobal;
    };
    class XDataObject;
    friend class XDataObject;
    XDataObject* m_pDataObject;
    Entry* FindEntry(CLIPFORMAT cf);
    CArray<Entry, const Entry&> m_entries;
    LONG m_dwRef = 1;
};

// Data read from the clipboard or from a drop.
class COleDataObject {
public:
    COleDataObject() = default;
    ~COleDataObject();
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
    LPDATAOBJECT Detach();
    void Release();
    BOOL AttachClipboard();

    BOOL IsDataAvailable(CLIPFORMAT cfFormat) const;
    // A copy of the data in global memory that the caller frees, or nullptr.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat) const;

    LPDATAOBJECT m_lpDataObject = nullptr;
    BOOL m_bAutoRelease = TRUE;
};

// A window's drop target: Register binds it to a window, the virtual
// operations receive the drag in the window's client coordinates.
class COleDropTarget : public CCmdTarget {
    DECLARE_DYNAMIC(COleDropTarget)
public:
    COleDropTarget();
    ~COleDropTarget() override;

    BOOL Register(CWnd* pWnd);
    virtual void Revoke();

    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    virtual DROPEFFECT OnDropEx(
        CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault, DROPEFFECT dropList, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);

    // Our addition: the IDropTarget registered for the window (not AddRef'd).
    IDropTarget* GetDropTarget();

    HWND m_hWnd = nullptr;

private:
    class XDropTarget;
    friend class XDropTarget;
    XDropTarget* m_pDropTarget;
    COleDataObject m_dataObject;
};
