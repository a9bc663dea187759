// CObject, CRuntimeClass and the run-time class macros (DECLARE_/IMPLEMENT_
// DYNAMIC, DYNCREATE and SERIAL), plus the diagnostic macros ASSERT, VERIFY,
// TRACE and ENSURE.
#pragma once

#include <windows.h>

// Empty: the framework's calling-convention marker for helper functions. Kept
// so that specialisations written as `template<> UINT AFXAPI HashKey(...)`
// compile unchanged.
#ifndef AFXAPI
#define AFXAPI
#endif

class CObject;
class CArchive; // files and archives layer
class CDumpContext;

// Run-time description of a class: its name, size, schema, base class and an
// optional factory. One static instance per class, made by the macros below.
struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema; // 0xFFFF for classes that are not serialisable
    CObject*(PASCAL* m_pfnCreateObject)(); // null when the class cannot be created dynamically
    CRuntimeClass* m_pBaseClass;
    CRuntimeClass* m_pNextClass; // registration chain, see FromName

    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
    BOOL IsDynamicCreatable() const { return m_pfnCreateObject != nullptr; }

    // Classes are registered by the IMPLEMENT_ macros at start-up. A class
    // in a static library is registered only if its object file is linked.
    static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);
    static CRuntimeClass* PASCAL FromName(LPCWSTR lpszClassName);
    static CObject* PASCAL CreateObject(LPCSTR lpszClassName);
    static CObject* PASCAL CreateObject(LPCWSTR lpszClassName);
};

// Adds a run-time class to the chain searched by CRuntimeClass::FromName.
struct AFX_CLASSINIT {
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
};

// Minimal diagnostic sink for CObject::Dump: writes to the debugger output.
class CDumpContext {
public:
    CDumpContext& operator<<(LPCSTR lpsz);
    CDumpContext& operator<<(LPCWSTR lpsz);
    CDumpContext& operator<<(int n);
    CDumpContext& operator<<(UINT n);
    CDumpContext& operator<<(LONG n);
    CDumpContext& operator<<(DWORD n);
    CDumpContext& operator<<(double d);
    CDumpContext& operator<<(const void* p);
    CDumpContext& operator<<(const CObject* pOb);
    CDumpContext& operator<<(const CObject& ob);
    int GetDepth() const { return m_nDepth; }
    void SetDepth(int nNewDepth) { m_nDepth = nNewDepth; }

private:
    int m_nDepth = 0;
};
extern CDumpContext afxDump;

// Root of the framework's class tree. Not copyable, as in the framework:
// derived classes that need copies write their own copy members.
class CObject {
public:
    static CRuntimeClass classCObject;
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;

    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    BOOL IsSerializable() const;

    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const;
    virtual void Dump(CDumpContext& dc) const;

    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

protected:
    CObject() = default;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                                                                                    \
public:                                                                                                                \
    static CRuntimeClass class##class_name;                                                                            \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name)                                                                                  \
    DECLARE_DYNAMIC(class_name)                                                                                        \
    static CObject* PASCAL CreateObject();

#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)

#define FW_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                                        \
    CRuntimeClass class_name::class##class_name = { #class_name, static_cast<int>(sizeof(class_name)), (wSchema),      \
        (pfnNew), RUNTIME_CLASS(base_class_name), nullptr };                                                           \
    static const AFX_CLASSINIT _init_##class_name(&class_name::class##class_name);                                     \
    CRuntimeClass* class_name::GetRuntimeClass() const                                                                 \
    {                                                                                                                  \
        return RUNTIME_CLASS(class_name);                                                                              \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                                                 \
    FW_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                                               \
    CObject* PASCAL class_name::CreateObject()                                                                         \
    {                                                                                                                  \
        return new class_name;                                                                                         \
    }                                                                                                                  \
    FW_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                                         \
    CObject* PASCAL class_name::CreateObject()                                                                         \
    {                                                                                                                  \
        return new class_name;                                                                                         \
    }                                                                                                                  \
    FW_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)

// Schema flag used by serialisable classes that accept older versions.
#define VERSIONABLE_SCHEMA (0x80000000)

// Diagnostics. Checks compile away but still "use" their expressions, so that
// variables that exist only for a check do not trigger unused warnings.
template <class... Args> int AfxTraceUnused(const Args&...);

#define ASSERT(f) ((void)sizeof(!(f)))
#define VERIFY(f) ((void)(f))
#define ASSERT_VALID(pOb) ((void)sizeof(pOb))
#define ASSERT_KINDOF(class_name, object) ((void)sizeof(object))
#define ASSERT_POINTER(p, type) ((void)sizeof(p))
#define ASSERT_NULL_OR_POINTER(p, type) ((void)sizeof(p))
#define DEBUG_ONLY(f) ((void)0)
#define TRACE(...) ((void)sizeof(AfxTraceUnused(__VA_ARGS__)))
#define TRACE0(sz) TRACE(sz)
#define TRACE1(sz, p1) TRACE(sz, p1)
#define TRACE2(sz, p1, p2) TRACE(sz, p1, p2)
#define TRACE3(sz, p1, p2, p3) TRACE(sz, p1, p2, p3)

// Throws CInvalidArgException when the condition fails (in every build).
[[noreturn]] void AFXAPI AfxThrowInvalidArgException();
#define ENSURE(cond)                                                                                                   \
    do {                                                                                                               \
        if (!(cond))                                                                                                   \
            AfxThrowInvalidArgException();                                                                             \
    } while (0)
#define ENSURE_ARG(cond) ENSURE(cond)
#define ENSURE_VALID(pOb) ENSURE((pOb) != nullptr)

inline BOOL AfxIsValidAddress(const void* p, UINT_PTR /*nBytes*/, BOOL /*bReadWrite*/ = TRUE)
{
    return p != nullptr;
}
inline BOOL AfxIsValidString(LPCWSTR psz, int /*nLength*/ = -1)
{
    return psz != nullptr;
}
inline BOOL AfxIsValidString(LPCSTR psz, int /*nLength*/ = -1)
{
    return psz != nullptr;
}

// The module whose resources LoadString and friends read. Defaults to the
// executable; the application sets it at start-up (AfxSetResourceHandle).
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
