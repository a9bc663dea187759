// COleVariant over the automation VARIANT functions of oleaut32.
#include "fw_variant.h"

#include "fw_exceptions.h"

namespace {

void SetText(VARIANT& v, LPCTSTR text)
{
    v.vt = VT_BSTR;
    v.bstrVal = ::SysAllocString(text != nullptr ? text : L"");
    if (v.bstrVal == nullptr)
        AfxThrowMemoryException();
}

} // namespace

COleVariant::COleVariant()
{
    ::VariantInit(this);
}

COleVariant::COleVariant(const VARIANT& varSrc)
{
    ::VariantInit(this);
    *this = varSrc;
}

COleVariant::COleVariant(const COleVariant& varSrc)
    : COleVariant(static_cast<const VARIANT&>(varSrc))
{
}

COleVariant::COleVariant(LPCTSTR lpszSrc)
{
    ::VariantInit(this);
    SetText(*this, lpszSrc);
}

COleVariant::COleVariant(const CString& strSrc)
    : COleVariant(strSrc.GetString())
{
}

COleVariant::COleVariant(short nSrc, VARTYPE vtSrc)
{
    ::VariantInit(this);
    if (vtSrc == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = nSrc != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        vt = VT_I2;
        iVal = nSrc;
    }
}

COleVariant::COleVariant(long lSrc, VARTYPE vtSrc)
{
    ::VariantInit(this);
    if (vtSrc == VT_ERROR) {
        vt = VT_ERROR;
        scode = lSrc;
    } else {
        vt = VT_I4;
        lVal = lSrc;
    }
}

COleVariant::COleVariant(float fltSrc)
{
    ::VariantInit(this);
    vt = VT_R4;
    fltVal = fltSrc;
}

COleVariant::COleVariant(double dblSrc)
{
    ::VariantInit(this);
    vt = VT_R8;
    dblVal = dblSrc;
}

COleVariant::~COleVariant()
{
    ::VariantClear(this);
}

COleVariant& COleVariant::operator=(const VARIANT& varSrc)
{
    if (&varSrc != this) {
        if (FAILED(::VariantCopy(this, const_cast<VARIANT*>(&varSrc))))
            AfxThrowMemoryException();
    }
    return *this;
}

COleVariant& COleVariant::operator=(const COleVariant& varSrc)
{
    return *this = static_cast<const VARIANT&>(varSrc);
}

COleVariant& COleVariant::operator=(LPCTSTR lpszSrc)
{
    Clear();
    SetText(*this, lpszSrc);
    return *this;
}

COleVariant& COleVariant::operator=(const CString& strSrc)
{
    return *this = strSrc.GetString();
}

COleVariant& COleVariant::operator=(short nSrc)
{
    Clear();
    vt = VT_I2;
    iVal = nSrc;
    return *this;
}

COleVariant& COleVariant::operator=(long lSrc)
{
    Clear();
    vt = VT_I4;
    lVal = lSrc;
    return *this;
}

COleVariant& COleVariant::operator=(float fltSrc)
{
    Clear();
    vt = VT_R4;
    fltVal = fltSrc;
    return *this;
}

COleVariant& COleVariant::operator=(double dblSrc)
{
    Clear();
    vt = VT_R8;
    dblVal = dblSrc;
    return *this;
}

bool COleVariant::operator==(const VARIANT& varSrc) const
{
    if (vt != varSrc.vt)
        return false;
    switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
        return true;
    case VT_BSTR: {
        LPCWSTR a = bstrVal != nullptr ? bstrVal : L"";
        LPCWSTR b = varSrc.bstrVal != nullptr ? varSrc.bstrVal : L"";
        return wcscmp(a, b) == 0;
    }
    case VT_I2:
        return iVal == varSrc.iVal;
    case VT_BOOL:
        return boolVal == varSrc.boolVal;
    case VT_I4:
    case VT_ERROR:
        return lVal == varSrc.lVal;
    case VT_R4:
        return fltVal == varSrc.fltVal;
    case VT_R8:
        return dblVal == varSrc.dblVal;
    case VT_UI1:
        return bVal == varSrc.bVal;
    default:
        return false;
    }
}

void COleVariant::Clear()
{
    ::VariantClear(this);
}

void COleVariant::ChangeType(VARTYPE vartype, LPVARIANT pSrc)
{
    if (pSrc == nullptr)
        pSrc = this;
    if (pSrc == this && vt == vartype)
        return;
    if (FAILED(::VariantChangeType(this, pSrc, 0, vartype)))
        throw new CInvalidArgException();
}
