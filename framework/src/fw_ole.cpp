// OLE data transfer: the IDataObject behind COleDataSource, the IDropSource
// used by its drags, COleDataObject and the IDropTarget behind COleDropTarget.
#include "afxole.h"

#include <shlobj.h>

namespace {
thread_local bool t_bOleInitialized = false;
// The data source of this module that was last put on the clipboard.
COleDataSource* g_pClipboardSource = nullptr;

HGLOBAL CopyGlobal(HGLOBAL hSource)
{
    if (hSource == nullptr)
        return nullptr;
    SIZE_T size = ::GlobalSize(hSource);
    HGLOBAL hCopy = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (hCopy == nullptr)
        return nullptr;
    const void* pSrc = ::GlobalLock(hSource);
    void* pDst = ::GlobalLock(hCopy);
    if (pSrc == nullptr || pDst == nullptr) {
        if (pSrc != nullptr)
            ::GlobalUnlock(hSource);
        if (pDst != nullptr)
            ::GlobalUnlock(hCopy);
        ::GlobalFree(hCopy);
        return nullptr;
    }
    memcpy(pDst, pSrc, size);
    ::GlobalUnlock(hSource);
    ::GlobalUnlock(hCopy);
    return hCopy;
}

// Ends the drag when the left button is released, cancels it on Escape.
class CDefaultDropSource : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IDropSource) {
            *ppv = static_cast<IDropSource*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override
    {
        if (fEscapePressed)
            return DRAGDROP_S_CANCEL;
        if ((grfKeyState & MK_LBUTTON) == 0)
            return DRAGDROP_S_DROP;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};
} // namespace

BOOL AFXAPI AfxOleInit()
{
    if (t_bOleInitialized)
        return TRUE;
    if (FAILED(::OleInitialize(nullptr)))
        return FALSE;
    t_bOleInitialized = true;
    return TRUE;
}

BOOL AFXAPI AfxOleIsThreadInitialized()
{
    return t_bOleInitialized ? TRUE : FALSE;
}

// ---------------------------------------------------------------------------
// COleDataSource

class COleDataSource::XDataObject : public IDataObject {
public:
    explicit XDataObject(COleDataSource* pOwner)
        : m_pOwner(pOwner)
    {
    }
    virtual ~XDataObject() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IDataObject) {
            *ppv = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return m_pOwner->InternalAddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return m_pOwner->InternalRelease(); }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* pFormat, STGMEDIUM* pMedium) override
    {
        if (pFormat == nullptr || pMedium == nullptr)
            return E_INVALIDARG;
        HRESULT hr = QueryGetData(pFormat);
        if (hr != S_OK)
            return hr;
        HGLOBAL hCopy = CopyGlobal(m_pOwner->FindEntry(pFormat->cfFormat)->hGlobal);
        if (hCopy == nullptr)
            return E_OUTOFMEMORY;
        pMedium->tymed = TYMED_HGLOBAL;
        pMedium->hGlobal = hCopy;
        pMedium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* pFormat) override
    {
        if (pFormat == nullptr)
            return E_INVALIDARG;
        if ((pFormat->tymed & TYMED_HGLOBAL) == 0)
            return DV_E_TYMED;
        if (pFormat->dwAspect != DVASPECT_CONTENT)
            return DV_E_DVASPECT;
        return m_pOwner->FindEntry(pFormat->cfFormat) != nullptr ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pOut) override
    {
        if (pOut != nullptr)
            pOut->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum) override
    {
        if (ppEnum == nullptr)
            return E_INVALIDARG;
        *ppEnum = nullptr;
        if (dwDirection != DATADIR_GET)
            return E_NOTIMPL;
        INT_PTR n = m_pOwner->m_entries.GetSize();
        CArray<FORMATETC, const FORMATETC&> formats;
        for (INT_PTR i = 0; i < n; i++) {
            FORMATETC fe { m_pOwner->m_entries[i].cf, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL };
            formats.Add(fe);
        }
        return ::SHCreateStdEnumFmtEtc(static_cast<UINT>(n), n > 0 ? formats.GetData() : nullptr, ppEnum);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override
    {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    COleDataSource* m_pOwner;
};

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)

COleDataSource::COleDataSource()
    : m_pDataObject(new XDataObject(this))
{
}

COleDataSource::~COleDataSource()
{
    if (g_pClipboardSource == this)
        g_pClipboardSource = nullptr;
    Empty();
    delete m_pDataObject;
}

COleDataSource::Entry* COleDataSource::FindEntry(CLIPFORMAT cf)
{
    for (INT_PTR i = 0; i < m_entries.GetSize(); i++) {
        if (m_entries[i].cf == cf)
            return &m_entries[i];
    }
    return nullptr;
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal)
{
    if (Entry* pEntry = FindEntry(cfFormat)) {
        ::GlobalFree(pEntry->hGlobal);
        pEntry->hGlobal = hGlobal;
        return;
    }
    m_entries.Add(Entry { cfFormat, hGlobal });
}

void COleDataSource::Empty()
{
    for (INT_PTR i = 0; i < m_entries.GetSize(); i++)
        ::GlobalFree(m_entries[i].hGlobal);
    m_entries.RemoveAll();
}

IDataObject* COleDataSource::GetDataObject()
{
    return m_pDataObject;
}

ULONG COleDataSource::InternalAddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_dwRef));
}

ULONG COleDataSource::InternalRelease()
{
    LONG n = ::InterlockedDecrement(&m_dwRef);
    if (n == 0)
        delete this;
    return static_cast<ULONG>(n);
}

void COleDataSource::SetClipboard()
{
    // On success the clipboard holds its own reference; ours ends here either way.
    if (SUCCEEDED(::OleSetClipboard(m_pDataObject)))
        g_pClipboardSource = this;
    InternalRelease();
}

COleDataSource* PASCAL COleDataSource::GetClipboardOwner()
{
    if (g_pClipboardSource == nullptr)
        return nullptr;
    if (::OleIsCurrentClipboard(g_pClipboardSource->m_pDataObject) != S_OK)
        return nullptr;
    return g_pClipboardSource;
}

void PASCAL COleDataSource::FlushClipboard()
{
    if (GetClipboardOwner() != nullptr)
        ::OleFlushClipboard();
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT)
{
    CDefaultDropSource source;
    DWORD dwEffect = DROPEFFECT_NONE;
    HRESULT hr = ::DoDragDrop(m_pDataObject, &source, dwEffects, &dwEffect);
    return hr == DRAGDROP_S_DROP ? dwEffect : DROPEFFECT_NONE;
}

// ---------------------------------------------------------------------------
// COleDataObject

COleDataObject::~COleDataObject()
{
    Release();
}

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease)
{
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach()
{
    LPDATAOBJECT p = m_lpDataObject;
    m_lpDataObject = nullptr;
    return p;
}

void COleDataObject::Release()
{
    if (m_lpDataObject != nullptr && m_bAutoRelease)
        m_lpDataObject->Release();
    m_lpDataObject = nullptr;
}

BOOL COleDataObject::AttachClipboard()
{
    LPDATAOBJECT p = nullptr;
    if (FAILED(::OleGetClipboard(&p)) || p == nullptr)
        return FALSE;
    Attach(p, TRUE);
    return TRUE;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat) const
{
    if (m_lpDataObject == nullptr)
        return FALSE;
    FORMATETC fe { cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL };
    return m_lpDataObject->QueryGetData(&fe) == S_OK ? TRUE : FALSE;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat) const
{
    if (m_lpDataObject == nullptr)
        return nullptr;
    FORMATETC fe { cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL };
    STGMEDIUM medium {};
    if (FAILED(m_lpDataObject->GetData(&fe, &medium)))
        return nullptr;
    HGLOBAL hResult = nullptr;
    if (medium.tymed == TYMED_HGLOBAL)
        hResult = CopyGlobal(medium.hGlobal);
    ::ReleaseStgMedium(&medium);
    return hResult;
}

// ---------------------------------------------------------------------------
// COleDropTarget

class COleDropTarget::XDropTarget : public IDropTarget {
public:
    explicit XDropTarget(COleDropTarget* pOwner)
        : m_pOwner(pOwner)
    {
    }
    virtual ~XDropTarget() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IDropTarget) {
            *ppv = static_cast<IDropTarget*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // The target lives as long as its owner, which revokes it first.
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override
    {
        if (pdwEffect == nullptr)
            return E_INVALIDARG;
        if (pDataObj != nullptr)
            pDataObj->AddRef();
        m_pOwner->m_dataObject.Attach(pDataObj, TRUE);
        DROPEFFECT effect = m_pOwner->OnDragEnter(Wnd(), &m_pOwner->m_dataObject, grfKeyState, ClientPoint(pt));
        m_lastEffect = *pdwEffect = Filter(effect, *pdwEffect);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override
    {
        if (pdwEffect == nullptr)
            return E_INVALIDARG;
        CPoint point = ClientPoint(pt);
        DROPEFFECT effect = m_pOwner->OnDragScroll(Wnd(), grfKeyState, point);
        if ((effect & DROPEFFECT_SCROLL) == 0)
            effect = m_pOwner->OnDragOver(Wnd(), &m_pOwner->m_dataObject, grfKeyState, point);
        m_lastEffect = *pdwEffect = Filter(effect, *pdwEffect);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override
    {
        m_pOwner->OnDragLeave(Wnd());
        m_pOwner->m_dataObject.Release();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* pDataObj, DWORD, POINTL pt, DWORD* pdwEffect) override
    {
        if (pdwEffect == nullptr)
            return E_INVALIDARG;
        if (pDataObj != nullptr && pDataObj != m_pOwner->m_dataObject.m_lpDataObject) {
            pDataObj->AddRef();
            m_pOwner->m_dataObject.Attach(pDataObj, TRUE);
        }
        CPoint point = ClientPoint(pt);
        DROPEFFECT dropDefault = m_lastEffect & ~DROPEFFECT_SCROLL;
        DROPEFFECT effect = m_pOwner->OnDropEx(Wnd(), &m_pOwner->m_dataObject, dropDefault, *pdwEffect, point);
        if (effect == static_cast<DROPEFFECT>(-1))
            effect
                = m_pOwner->OnDrop(Wnd(), &m_pOwner->m_dataObject, dropDefault, point) ? dropDefault : DROPEFFECT_NONE;
        *pdwEffect = effect;
        m_pOwner->m_dataObject.Release();
        return S_OK;
    }

private:
    CWnd* Wnd() const { return CWnd::FromHandle(m_pOwner->m_hWnd); }
    CPoint ClientPoint(POINTL pt) const
    {
        CPoint point(pt.x, pt.y);
        ::ScreenToClient(m_pOwner->m_hWnd, &point);
        return point;
    }
    static DROPEFFECT Filter(DROPEFFECT effect, DWORD dwAllowed)
    {
        DROPEFFECT scroll = effect & DROPEFFECT_SCROLL;
        effect &= ~DROPEFFECT_SCROLL;
        if ((effect & dwAllowed) == 0)
            effect = DROPEFFECT_NONE;
        return (effect & dwAllowed) | scroll;
    }
    COleDropTarget* m_pOwner;
    DROPEFFECT m_lastEffect = DROPEFFECT_NONE;
};

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

COleDropTarget::COleDropTarget()
    : m_pDropTarget(new XDropTarget(this))
{
}

COleDropTarget::~COleDropTarget()
{
    if (m_hWnd != nullptr)
        COleDropTarget::Revoke();
    delete m_pDropTarget;
}

IDropTarget* COleDropTarget::GetDropTarget()
{
    return m_pDropTarget;
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    HWND hWnd = AfxSafeHwnd(pWnd);
    if (hWnd == nullptr)
        return FALSE;
    if (FAILED(::RegisterDragDrop(hWnd, m_pDropTarget)))
        return FALSE;
    m_hWnd = hWnd;
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (m_hWnd != nullptr)
        ::RevokeDragDrop(m_hWnd);
    m_hWnd = nullptr;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}

DROPEFFECT COleDropTarget::OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint)
{
    return static_cast<DROPEFFECT>(-1);
}

void COleDropTarget::OnDragLeave(CWnd*) { }

DROPEFFECT COleDropTarget::OnDragScroll(CWnd*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}
