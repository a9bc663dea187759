// CArray<TYPE, ARG_TYPE>, CTypedPtrArray and the fixed-type arrays. Elements
// need a default constructor and assignment, as with the framework.
#pragma once

#include <cstdlib>
#include <new>
#include <utility>

#include "fw_coll_base.h"
#include "fw_exceptions.h"

template <class TYPE, class ARG_TYPE = const TYPE&> class CArray : public CObject {
public:
    CArray() = default;
    ~CArray() override { RemoveAll(); }

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }

    // Grows or shrinks to nNewSize elements; new ones are default-constructed.
    // nGrowBy (when not -1) sets how many slots each reallocation adds.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        if (nNewSize < 0)
            AfxThrowInvalidArgException();
        if (nGrowBy >= 0)
            m_nGrowBy = nGrowBy;
        if (nNewSize > m_nMaxSize)
            Grow(nNewSize);
        for (INT_PTR i = m_nSize; i < nNewSize; ++i)
            new (m_pData + i) TYPE();
        for (INT_PTR i = nNewSize; i < m_nSize; ++i)
            m_pData[i].~TYPE();
        m_nSize = nNewSize;
        if (m_nSize == 0)
            FreeExtra();
    }

    void FreeExtra()
    {
        if (m_nSize == m_nMaxSize)
            return;
        if (m_nSize == 0) {
            free(m_pData);
            m_pData = nullptr;
            m_nMaxSize = 0;
            return;
        }
        Reallocate(m_nSize);
    }

    void RemoveAll()
    {
        for (INT_PTR i = 0; i < m_nSize; ++i)
            m_pData[i].~TYPE();
        free(m_pData);
        m_pData = nullptr;
        m_nSize = m_nMaxSize = 0;
    }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_pData[Checked(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_pData[Checked(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_pData[Checked(nIndex)] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return m_pData[Checked(nIndex)]; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_pData[Checked(nIndex)]; }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        if (nIndex < 0)
            AfxThrowInvalidArgException();
        if (nIndex >= m_nSize) {
            TYPE copy(newElement); // newElement may live in this array
            SetSize(nIndex + 1);
            m_pData[nIndex] = std::move(copy);
        } else {
            m_pData[nIndex] = newElement;
        }
    }

    INT_PTR Add(ARG_TYPE newElement)
    {
        INT_PTR nIndex = m_nSize;
        SetAtGrow(nIndex, newElement);
        return nIndex;
    }

    INT_PTR Append(const CArray& src)
    {
        INT_PTR nOldSize = m_nSize;
        INT_PTR nCount = src.m_nSize; // src may be this array
        SetSize(m_nSize + nCount);
        for (INT_PTR i = 0; i < nCount; ++i)
            m_pData[nOldSize + i] = src.m_pData[i];
        return nOldSize;
    }

    void Copy(const CArray& src)
    {
        if (this == &src)
            return;
        SetSize(src.m_nSize);
        for (INT_PTR i = 0; i < m_nSize; ++i)
            m_pData[i] = src.m_pData[i];
    }

    // Inserts nCount copies at nIndex; an index past the end grows the array.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount <= 0) {
            if (nIndex < 0 || nCount < 0)
                AfxThrowInvalidArgException();
            return;
        }
        TYPE copy(newElement);
        INT_PTR nOldSize = m_nSize;
        if (nIndex >= nOldSize) {
            SetSize(nIndex + nCount);
        } else {
            SetSize(m_nSize + nCount);
            for (INT_PTR i = nOldSize - 1; i >= nIndex; --i)
                m_pData[i + nCount] = std::move(m_pData[i]);
        }
        for (INT_PTR i = 0; i < nCount; ++i)
            m_pData[nIndex + i] = copy;
    }

    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
    {
        if (pNewArray == nullptr || nStartIndex < 0)
            AfxThrowInvalidArgException();
        if (pNewArray->m_nSize == 0)
            return;
        CArray copy;
        copy.Copy(*pNewArray);
        InsertAt(nStartIndex, copy.m_pData[0], copy.m_nSize);
        for (INT_PTR i = 0; i < copy.m_nSize; ++i)
            m_pData[nStartIndex + i] = copy.m_pData[i];
    }

    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0 || nIndex > m_nSize - nCount)
            AfxThrowInvalidArgException();
        for (INT_PTR i = nIndex + nCount; i < m_nSize; ++i)
            m_pData[i - nCount] = std::move(m_pData[i]);
        SetSize(m_nSize - nCount);
    }

protected:
    INT_PTR Checked(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nSize)
            AfxThrowInvalidArgException();
        return nIndex;
    }

private:
    void Grow(INT_PTR nMinSize)
    {
        INT_PTR nGrowBy = m_nGrowBy;
        if (nGrowBy <= 0) {
            // Default growth: a fraction of the size, between 4 and 1024.
            nGrowBy = m_nSize / 8;
            nGrowBy = nGrowBy < 4 ? 4 : (nGrowBy > 1024 ? 1024 : nGrowBy);
        }
        INT_PTR nNewMax = m_nMaxSize + nGrowBy;
        if (nNewMax < nMinSize)
            nNewMax = nMinSize;
        Reallocate(nNewMax);
    }

    // Moves the elements into a new block of nNewMax slots.
    void Reallocate(INT_PTR nNewMax)
    {
        if (static_cast<size_t>(nNewMax) > SIZE_MAX / sizeof(TYPE))
            AfxThrowMemoryException();
        TYPE* pNew = static_cast<TYPE*>(malloc(static_cast<size_t>(nNewMax) * sizeof(TYPE)));
        if (pNew == nullptr)
            AfxThrowMemoryException();
        for (INT_PTR i = 0; i < m_nSize; ++i) {
            new (pNew + i) TYPE();
            pNew[i] = std::move(m_pData[i]);
            m_pData[i].~TYPE();
        }
        free(m_pData);
        m_pData = pNew;
        m_nMaxSize = nNewMax;
    }

    TYPE* m_pData = nullptr;
    INT_PTR m_nSize = 0;
    INT_PTR m_nMaxSize = 0;
    INT_PTR m_nGrowBy = 0;
};

// Array of pointers of one type over CPtrArray or CObArray.
template <class BASE_CLASS, class TYPE> class CTypedPtrArray : public BASE_CLASS {
public:
    TYPE GetAt(INT_PTR nIndex) const { return static_cast<TYPE>(BASE_CLASS::GetAt(nIndex)); }
    TYPE& ElementAt(INT_PTR nIndex) { return reinterpret_cast<TYPE&>(BASE_CLASS::ElementAt(nIndex)); }
    void SetAt(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, ptr); }
    void SetAtGrow(INT_PTR nIndex, TYPE newElement) { BASE_CLASS::SetAtGrow(nIndex, newElement); }
    INT_PTR Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
    INT_PTR Append(const CTypedPtrArray& src) { return BASE_CLASS::Append(src); }
    void Copy(const CTypedPtrArray& src) { BASE_CLASS::Copy(src); }
    void InsertAt(INT_PTR nIndex, TYPE newElement, INT_PTR nCount = 1)
    {
        BASE_CLASS::InsertAt(nIndex, newElement, nCount);
    }
    void InsertAt(INT_PTR nStartIndex, CTypedPtrArray* pNewArray) { BASE_CLASS::InsertAt(nStartIndex, pNewArray); }
    const TYPE* GetData() const { return reinterpret_cast<const TYPE*>(BASE_CLASS::GetData()); }
    TYPE* GetData() { return reinterpret_cast<TYPE*>(BASE_CLASS::GetData()); }
    TYPE operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }
};

class CPtrArray : public CArray<void*, void*> {
    DECLARE_DYNAMIC(CPtrArray)
};
class CObArray : public CArray<CObject*, CObject*> {
    DECLARE_DYNAMIC(CObArray)
};
class CStringArray : public CArray<CString, const CString&> {
    DECLARE_DYNAMIC(CStringArray)
public:
    using CArray<CString, const CString&>::Add;
    INT_PTR Add(LPCTSTR newElement) { return CArray<CString, const CString&>::Add(CString(newElement)); }
};
class CByteArray : public CArray<BYTE, BYTE> {
    DECLARE_DYNAMIC(CByteArray)
};
class CWordArray : public CArray<WORD, WORD> {
    DECLARE_DYNAMIC(CWordArray)
};
class CDWordArray : public CArray<DWORD, DWORD> {
    DECLARE_DYNAMIC(CDWordArray)
};
class CUIntArray : public CArray<UINT, UINT> {
    DECLARE_DYNAMIC(CUIntArray)
};
