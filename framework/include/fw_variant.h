// COleVariant: an owning wrapper over the automation VARIANT, as the
// framework's property grid stores row values. Only the kinds the programs
// put in a grid are formed directly (text, 16- and 32-bit integers, booleans,
// floats and doubles); ChangeType reaches the rest through VariantChangeType.
#pragma once

#include "fw_string.h"

#include <oaidl.h>
#include <oleauto.h>

class COleVariant : public tagVARIANT {
public:
    COleVariant();
    COleVariant(const VARIANT& varSrc);
    COleVariant(const COleVariant& varSrc);
    COleVariant(LPCTSTR lpszSrc);
    COleVariant(const CString& strSrc);
    // VT_I2 (the default) or VT_BOOL (any non-zero value reads as true).
    COleVariant(short nSrc, VARTYPE vtSrc = VT_I2);
    // VT_I4 (the default) or VT_ERROR.
    COleVariant(long lSrc, VARTYPE vtSrc = VT_I4);
    COleVariant(float fltSrc);
    COleVariant(double dblSrc);
    ~COleVariant();

    COleVariant& operator=(const VARIANT& varSrc);
    COleVariant& operator=(const COleVariant& varSrc);
    COleVariant& operator=(LPCTSTR lpszSrc);
    COleVariant& operator=(const CString& strSrc);
    COleVariant& operator=(short nSrc);
    COleVariant& operator=(long lSrc);
    COleVariant& operator=(float fltSrc);
    COleVariant& operator=(double dblSrc);

    // Same kind and same value (texts compared exactly).
    bool operator==(const VARIANT& varSrc) const;
    bool operator!=(const VARIANT& varSrc) const { return !(*this == varSrc); }

    void Clear();
    // Converts in place (pSrc: convert from another variant); throws the
    // framework's invalid-argument exception when the value cannot be
    // converted.
    void ChangeType(VARTYPE vartype, LPVARIANT pSrc = nullptr);

    operator LPVARIANT() { return this; }
    operator const VARIANT*() const { return this; }
};
