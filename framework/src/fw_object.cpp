// CObject, CRuntimeClass registration and lookup, CDumpContext and the
// resource-handle setting.
#include "fw_object.h"
#include "fw_string.h"

#include <cstdio>
#include <cstring>

namespace {
// Head of the chain of registered classes. Zero-initialised before any
// start-up code runs, so registration order between files does not matter.
CRuntimeClass* g_pFirstClass = nullptr;
HINSTANCE g_hResource = nullptr;
} // namespace

CRuntimeClass CObject::classCObject
    = { "CObject", static_cast<int>(sizeof(CObject)), 0xFFFF, nullptr, nullptr, nullptr };
static const AFX_CLASSINIT _init_CObject(&CObject::classCObject);

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass)
{
    pNewClass->m_pNextClass = g_pFirstClass;
    g_pFirstClass = pNewClass;
}

CObject* CRuntimeClass::CreateObject() const
{
    if (m_pfnCreateObject == nullptr)
        return nullptr;
    return (*m_pfnCreateObject)();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* p = this; p != nullptr; p = p->m_pBaseClass) {
        if (p == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == nullptr)
        return nullptr;
    for (CRuntimeClass* p = g_pFirstClass; p != nullptr; p = p->m_pNextClass) {
        if (strcmp(p->m_lpszClassName, lpszClassName) == 0)
            return p;
    }
    return nullptr;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCWSTR lpszClassName)
{
    if (lpszClassName == nullptr)
        return nullptr;
    // Class names are ASCII identifiers.
    CStringA name(lpszClassName);
    return FromName(name.GetString());
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* p = FromName(lpszClassName);
    return p == nullptr ? nullptr : p->CreateObject();
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCWSTR lpszClassName)
{
    CRuntimeClass* p = FromName(lpszClassName);
    return p == nullptr ? nullptr : p->CreateObject();
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CObject);
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

void CObject::Serialize(CArchive&) { }

void CObject::AssertValid() const { }

void CObject::Dump(CDumpContext& dc) const
{
    dc << "a " << GetRuntimeClass()->m_lpszClassName << " at " << static_cast<const void*>(this) << "\n";
}

CDumpContext afxDump;

CDumpContext& CDumpContext::operator<<(LPCSTR lpsz)
{
    if (lpsz != nullptr)
        OutputDebugStringA(lpsz);
    return *this;
}

CDumpContext& CDumpContext::operator<<(LPCWSTR lpsz)
{
    if (lpsz != nullptr)
        OutputDebugStringW(lpsz);
    return *this;
}

CDumpContext& CDumpContext::operator<<(int n)
{
    char buf[32];
    snprintf(buf, sizeof(buf), "%d", n);
    return *this << buf;
}

CDumpContext& CDumpContext::operator<<(UINT n)
{
    char buf[32];
    snprintf(buf, sizeof(buf), "%u", n);
    return *this << buf;
}

CDumpContext& CDumpContext::operator<<(LONG n)
{
    return *this << static_cast<int>(n);
}

CDumpContext& CDumpContext::operator<<(DWORD n)
{
    return *this << static_cast<UINT>(n);
}

CDumpContext& CDumpContext::operator<<(double d)
{
    char buf[64];
    snprintf(buf, sizeof(buf), "%g", d);
    return *this << buf;
}

CDumpContext& CDumpContext::operator<<(const void* p)
{
    char buf[32];
    snprintf(buf, sizeof(buf), "%p", p);
    return *this << buf;
}

CDumpContext& CDumpContext::operator<<(const CObject* pOb)
{
    if (pOb == nullptr)
        return *this << "NULL";
    pOb->Dump(*this);
    return *this;
}

CDumpContext& CDumpContext::operator<<(const CObject& ob)
{
    return *this << &ob;
}

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    return g_hResource != nullptr ? g_hResource : GetModuleHandleW(nullptr);
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource)
{
    g_hResource = hInstResource;
}
