// CList<TYPE, ARG_TYPE> (doubly linked, iterated by POSITION),
// CTypedPtrList and the fixed-type lists CPtrList, CObList, CStringList.
#pragma once

#include <utility>

#include "fw_coll_base.h"
#include "fw_exceptions.h"

template <class TYPE, class ARG_TYPE = const TYPE&> class CList : public CObject {
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    explicit CList(INT_PTR nBlockSize = 10)
        : m_nBlockSize(nBlockSize)
    {
    }
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    // Head and tail access throw on an empty list.
    TYPE& GetHead() { return NonEmpty(m_pHead)->data; }
    const TYPE& GetHead() const { return NonEmpty(m_pHead)->data; }
    TYPE& GetTail() { return NonEmpty(m_pTail)->data; }
    const TYPE& GetTail() const { return NonEmpty(m_pTail)->data; }

    TYPE RemoveHead()
    {
        CNode* p = NonEmpty(m_pHead);
        TYPE value = std::move(p->data);
        Unlink(p);
        return value;
    }
    TYPE RemoveTail()
    {
        CNode* p = NonEmpty(m_pTail);
        TYPE value = std::move(p->data);
        Unlink(p);
        return value;
    }

    POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(nullptr, newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(nullptr, newElement); }
    void AddHead(const CList* pNewList)
    {
        ENSURE(pNewList != nullptr);
        CList copy;
        copy.AddTail(pNewList);
        for (CNode* p = copy.m_pTail; p != nullptr; p = p->pPrev)
            AddHead(p->data);
    }
    void AddTail(const CList* pNewList)
    {
        ENSURE(pNewList != nullptr);
        INT_PTR n = pNewList->m_nCount; // the list may be this one
        CNode* p = pNewList->m_pHead;
        for (INT_PTR i = 0; i < n; ++i, p = p->pNext)
            AddTail(p->data);
    }

    void RemoveAll()
    {
        CNode* p = m_pHead;
        while (p != nullptr) {
            CNode* pNext = p->pNext;
            delete p;
            p = pNext;
        }
        m_pHead = m_pTail = nullptr;
        m_nCount = 0;
    }

    POSITION GetHeadPosition() const { return ToPos(m_pHead); }
    POSITION GetTailPosition() const { return ToPos(m_pTail); }

    // Returns the element at rPosition and moves rPosition on (null after the
    // last). A null position throws.
    TYPE& GetNext(POSITION& rPosition)
    {
        CNode* p = FromPos(rPosition);
        rPosition = ToPos(p->pNext);
        return p->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        CNode* p = FromPos(rPosition);
        rPosition = ToPos(p->pNext);
        return p->data;
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        CNode* p = FromPos(rPosition);
        rPosition = ToPos(p->pPrev);
        return p->data;
    }
    const TYPE& GetPrev(POSITION& rPosition) const
    {
        CNode* p = FromPos(rPosition);
        rPosition = ToPos(p->pPrev);
        return p->data;
    }

    TYPE& GetAt(POSITION position) { return FromPos(position)->data; }
    const TYPE& GetAt(POSITION position) const { return FromPos(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { FromPos(pos)->data = newElement; }
    void RemoveAt(POSITION position) { Unlink(FromPos(position)); }

    // A null position inserts at the head (InsertBefore) or tail (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement)
    {
        CNode* pOld = position == nullptr ? nullptr : FromPos(position);
        CNode* p = new CNode { nullptr, nullptr, TYPE(newElement) };
        if (pOld == nullptr) {
            p->pNext = m_pHead;
            if (m_pHead != nullptr)
                m_pHead->pPrev = p;
            else
                m_pTail = p;
            m_pHead = p;
        } else {
            p->pPrev = pOld->pPrev;
            p->pNext = pOld;
            if (pOld->pPrev != nullptr)
                pOld->pPrev->pNext = p;
            else
                m_pHead = p;
            pOld->pPrev = p;
        }
        ++m_nCount;
        return ToPos(p);
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement)
    {
        CNode* pOld = position == nullptr ? nullptr : FromPos(position);
        CNode* p = new CNode { nullptr, nullptr, TYPE(newElement) };
        if (pOld == nullptr) {
            p->pPrev = m_pTail;
            if (m_pTail != nullptr)
                m_pTail->pNext = p;
            else
                m_pHead = p;
            m_pTail = p;
        } else {
            p->pNext = pOld->pNext;
            p->pPrev = pOld;
            if (pOld->pNext != nullptr)
                pOld->pNext->pPrev = p;
            else
                m_pTail = p;
            pOld->pNext = p;
        }
        ++m_nCount;
        return ToPos(p);
    }

    // Searches after startAfter (from the head when null); null if absent.
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const
    {
        CNode* p = startAfter == nullptr ? m_pHead : FromPos(startAfter)->pNext;
        for (; p != nullptr; p = p->pNext) {
            if (CompareElements<TYPE, std::remove_reference_t<ARG_TYPE>>(&p->data, &searchValue))
                return ToPos(p);
        }
        return nullptr;
    }
    // Position of the nIndex-th element, null when out of range.
    POSITION FindIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nCount)
            return nullptr;
        CNode* p = m_pHead;
        while (nIndex-- > 0)
            p = p->pNext;
        return ToPos(p);
    }

    void MoveToHead(POSITION pos)
    {
        CNode* p = FromPos(pos);
        if (p == m_pHead)
            return;
        Detach(p);
        p->pNext = m_pHead;
        m_pHead->pPrev = p;
        m_pHead = p;
        ++m_nCount;
    }
    void MoveToTail(POSITION pos)
    {
        CNode* p = FromPos(pos);
        if (p == m_pTail)
            return;
        Detach(p);
        p->pPrev = m_pTail;
        m_pTail->pNext = p;
        m_pTail = p;
        ++m_nCount;
    }

private:
    static POSITION ToPos(CNode* p) { return reinterpret_cast<POSITION>(p); }
    static CNode* FromPos(POSITION pos)
    {
        if (pos == nullptr || pos == BEFORE_START_POSITION)
            AfxThrowInvalidArgException();
        return reinterpret_cast<CNode*>(pos);
    }
    static CNode* NonEmpty(CNode* p)
    {
        if (p == nullptr)
            AfxThrowInvalidArgException();
        return p;
    }
    void Detach(CNode* p)
    {
        if (p->pPrev != nullptr)
            p->pPrev->pNext = p->pNext;
        else
            m_pHead = p->pNext;
        if (p->pNext != nullptr)
            p->pNext->pPrev = p->pPrev;
        else
            m_pTail = p->pPrev;
        p->pNext = p->pPrev = nullptr;
        --m_nCount;
    }
    void Unlink(CNode* p)
    {
        Detach(p);
        delete p;
    }

    CNode* m_pHead = nullptr;
    CNode* m_pTail = nullptr;
    INT_PTR m_nCount = 0;
    INT_PTR m_nBlockSize; // kept for the framework's constructor; nodes are allocated singly
};

// List of pointers of one type over CPtrList or CObList.
template <class BASE_CLASS, class TYPE> class CTypedPtrList : public BASE_CLASS {
public:
    explicit CTypedPtrList(INT_PTR nBlockSize = 10)
        : BASE_CLASS(nBlockSize)
    {
    }

    TYPE& GetHead() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetHead()); }
    TYPE GetHead() const { return static_cast<TYPE>(BASE_CLASS::GetHead()); }
    TYPE& GetTail() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetTail()); }
    TYPE GetTail() const { return static_cast<TYPE>(BASE_CLASS::GetTail()); }
    TYPE RemoveHead() { return static_cast<TYPE>(BASE_CLASS::RemoveHead()); }
    TYPE RemoveTail() { return static_cast<TYPE>(BASE_CLASS::RemoveTail()); }
    POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(newElement); }
    POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(newElement); }
    void AddHead(CTypedPtrList* pNewList) { BASE_CLASS::AddHead(pNewList); }
    void AddTail(CTypedPtrList* pNewList) { BASE_CLASS::AddTail(pNewList); }
    TYPE& GetNext(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetNext(rPosition)); }
    TYPE GetNext(POSITION& rPosition) const { return static_cast<TYPE>(BASE_CLASS::GetNext(rPosition)); }
    TYPE& GetPrev(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetPrev(rPosition)); }
    TYPE GetPrev(POSITION& rPosition) const { return static_cast<TYPE>(BASE_CLASS::GetPrev(rPosition)); }
    TYPE& GetAt(POSITION position) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetAt(position)); }
    TYPE GetAt(POSITION position) const { return static_cast<TYPE>(BASE_CLASS::GetAt(position)); }
    void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, newElement); }
    POSITION InsertBefore(POSITION position, TYPE newElement) { return BASE_CLASS::InsertBefore(position, newElement); }
    POSITION InsertAfter(POSITION position, TYPE newElement) { return BASE_CLASS::InsertAfter(position, newElement); }
};

class CPtrList : public CList<void*, void*> {
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(INT_PTR nBlockSize = 10)
        : CList<void*, void*>(nBlockSize)
    {
    }
};
class CObList : public CList<CObject*, CObject*> {
    DECLARE_DYNAMIC(CObList)
public:
    explicit CObList(INT_PTR nBlockSize = 10)
        : CList<CObject*, CObject*>(nBlockSize)
    {
    }
};
class CStringList : public CList<CString, const CString&> {
    DECLARE_DYNAMIC(CStringList)
public:
    explicit CStringList(INT_PTR nBlockSize = 10)
        : CList<CString, const CString&>(nBlockSize)
    {
    }
};
