// CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>: a hash table of chained associations
// allocated in blocks of nBlockSize; CTypedPtrMap and the fixed-type maps
// (CMapStringToPtr, CMapStringToString, CMapPtrToPtr, CMapWordToPtr, ...).
#pragma once

#include <cstdlib>
#include <new>
#include <utility>

#include "fw_coll_base.h"
#include "fw_exceptions.h"

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE> class CMap : public CObject {
public:
    class CPair {
    public:
        const KEY key;
        VALUE value;

    protected:
        explicit CPair(ARG_KEY keyval)
            : key(keyval)
            , value()
        {
        }
    };

private:
    class CAssoc : public CPair {
        friend class CMap;
        CAssoc* pNext = nullptr;
        UINT nHashValue = 0;

    public:
        explicit CAssoc(ARG_KEY keyval)
            : CPair(keyval)
        {
        }
    };

    // A block of raw association slots; blocks are chained and freed together.
    struct CBlock {
        CBlock* pNext;
    };

public:
    explicit CMap(INT_PTR nBlockSize = 10)
        : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10)
    {
    }
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        const CAssoc* p = Find(key);
        if (p == nullptr)
            return FALSE;
        rValue = p->value;
        return TRUE;
    }
    const CPair* PLookup(ARG_KEY key) const { return Find(key); }
    CPair* PLookup(ARG_KEY key) { return Find(key); }

    // Returns the value for key, adding a default-constructed one if absent.
    VALUE& operator[](ARG_KEY key)
    {
        CAssoc* p = Find(key);
        if (p != nullptr)
            return p->value;
        if (m_pHashTable == nullptr)
            InitHashTable(m_nHashTableSize);
        else if (m_nCount >= static_cast<INT_PTR>(m_nHashTableSize) * 4 && m_nHashTableSize < 0x40000000u)
            Rehash(m_nHashTableSize * 2 + 1); // keep chains short as the map grows
        UINT nHash = HashKey<ARG_KEY>(key);
        p = NewAssoc(key);
        p->nHashValue = nHash;
        UINT nBucket = nHash % m_nHashTableSize;
        p->pNext = m_pHashTable[nBucket];
        m_pHashTable[nBucket] = p;
        return p->value;
    }

    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }

    BOOL RemoveKey(ARG_KEY key)
    {
        if (m_pHashTable == nullptr)
            return FALSE;
        UINT nHash = HashKey<ARG_KEY>(key);
        CAssoc** ppPrev = &m_pHashTable[nHash % m_nHashTableSize];
        for (CAssoc* p = *ppPrev; p != nullptr; p = p->pNext) {
            if (p->nHashValue == nHash && CompareElements(&p->key, &key)) {
                *ppPrev = p->pNext;
                FreeAssoc(p);
                return TRUE;
            }
            ppPrev = &p->pNext;
        }
        return FALSE;
    }

    void RemoveAll()
    {
        if (m_pHashTable != nullptr) {
            for (UINT i = 0; i < m_nHashTableSize; ++i) {
                CAssoc* p = m_pHashTable[i];
                while (p != nullptr) {
                    CAssoc* pNext = p->pNext;
                    p->~CAssoc();
                    p = pNext;
                }
            }
            free(m_pHashTable);
            m_pHashTable = nullptr;
        }
        while (m_pBlocks != nullptr) {
            CBlock* pNext = m_pBlocks->pNext;
            free(m_pBlocks);
            m_pBlocks = pNext;
        }
        m_pFreeList = nullptr;
        m_nCount = 0;
    }

    // Iteration: bucket by bucket. Null when the map is empty.
    POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        const CAssoc* p = Next(rNextPosition);
        rKey = p->key;
        rValue = p->value;
    }
    const CPair* PGetFirstAssoc() const { return m_nCount == 0 ? nullptr : FirstFrom(0); }
    CPair* PGetFirstAssoc() { return m_nCount == 0 ? nullptr : FirstFrom(0); }
    const CPair* PGetNextAssoc(const CPair* pAssocRet) const { return After(static_cast<const CAssoc*>(pAssocRet)); }
    CPair* PGetNextAssoc(const CPair* pAssocRet) { return After(static_cast<const CAssoc*>(pAssocRet)); }

    UINT GetHashTableSize() const { return m_nHashTableSize; }
    // Sets the number of buckets (best a prime). Existing entries are kept.
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE)
    {
        if (hashSize == 0)
            AfxThrowInvalidArgException();
        if (m_pHashTable != nullptr) {
            Rehash(hashSize);
            return;
        }
        m_nHashTableSize = hashSize;
        if (bAllocNow) {
            m_pHashTable = static_cast<CAssoc**>(calloc(hashSize, sizeof(CAssoc*)));
            if (m_pHashTable == nullptr)
                AfxThrowMemoryException();
        }
    }

private:
    CAssoc* Find(ARG_KEY key) const
    {
        if (m_pHashTable == nullptr)
            return nullptr;
        UINT nHash = HashKey<ARG_KEY>(key);
        for (CAssoc* p = m_pHashTable[nHash % m_nHashTableSize]; p != nullptr; p = p->pNext) {
            if (p->nHashValue == nHash && CompareElements(&p->key, &key))
                return p;
        }
        return nullptr;
    }

    CAssoc* FirstFrom(UINT nBucket) const
    {
        for (; nBucket < m_nHashTableSize; ++nBucket) {
            if (m_pHashTable[nBucket] != nullptr)
                return m_pHashTable[nBucket];
        }
        return nullptr;
    }
    CAssoc* After(const CAssoc* p) const
    {
        if (p == nullptr)
            AfxThrowInvalidArgException();
        if (p->pNext != nullptr)
            return p->pNext;
        return FirstFrom(p->nHashValue % m_nHashTableSize + 1);
    }
    const CAssoc* Next(POSITION& rPos) const
    {
        if (rPos == nullptr || m_nCount == 0)
            AfxThrowInvalidArgException();
        const CAssoc* p = rPos == BEFORE_START_POSITION ? FirstFrom(0) : reinterpret_cast<const CAssoc*>(rPos);
        const CAssoc* pNext = After(p);
        rPos = reinterpret_cast<POSITION>(const_cast<CAssoc*>(pNext));
        return p;
    }

    void Rehash(UINT hashSize)
    {
        CAssoc** pNew = static_cast<CAssoc**>(calloc(hashSize, sizeof(CAssoc*)));
        if (pNew == nullptr)
            AfxThrowMemoryException();
        if (m_pHashTable != nullptr) {
            for (UINT i = 0; i < m_nHashTableSize; ++i) {
                CAssoc* p = m_pHashTable[i];
                while (p != nullptr) {
                    CAssoc* pNext = p->pNext;
                    UINT nBucket = p->nHashValue % hashSize;
                    p->pNext = pNew[nBucket];
                    pNew[nBucket] = p;
                    p = pNext;
                }
            }
            free(m_pHashTable);
        }
        m_pHashTable = pNew;
        m_nHashTableSize = hashSize;
    }

    CAssoc* NewAssoc(ARG_KEY key)
    {
        if (m_pFreeList == nullptr) {
            size_t slot = (sizeof(CAssoc) + alignof(CAssoc) - 1) / alignof(CAssoc) * alignof(CAssoc);
            size_t header = (sizeof(CBlock) + alignof(CAssoc) - 1) / alignof(CAssoc) * alignof(CAssoc);
            auto* pBlock = static_cast<CBlock*>(malloc(header + slot * static_cast<size_t>(m_nBlockSize)));
            if (pBlock == nullptr)
                AfxThrowMemoryException();
            pBlock->pNext = m_pBlocks;
            m_pBlocks = pBlock;
            BYTE* pSlots = reinterpret_cast<BYTE*>(pBlock) + header;
            for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i) {
                auto* pFree = reinterpret_cast<FreeSlot*>(pSlots + slot * static_cast<size_t>(i));
                pFree->pNext = m_pFreeList;
                m_pFreeList = pFree;
            }
        }
        FreeSlot* pSlot = m_pFreeList;
        FreeSlot* pNextFree = pSlot->pNext;
        CAssoc* p = new (pSlot) CAssoc(key); // may throw: the slot stays free
        m_pFreeList = pNextFree;
        ++m_nCount;
        return p;
    }

    void FreeAssoc(CAssoc* p)
    {
        p->~CAssoc();
        auto* pFree = reinterpret_cast<FreeSlot*>(p);
        pFree->pNext = m_pFreeList;
        m_pFreeList = pFree;
        if (--m_nCount == 0)
            RemoveAll(); // give the blocks back once the map is empty
    }

    struct FreeSlot {
        FreeSlot* pNext;
    };

    CAssoc** m_pHashTable = nullptr;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
    FreeSlot* m_pFreeList = nullptr;
    CBlock* m_pBlocks = nullptr;
    INT_PTR m_nBlockSize;
};

// Map of typed pointers over one of the pointer-valued fixed-type maps.
template <class BASE_CLASS, class KEY, class VALUE> class CTypedPtrMap : public BASE_CLASS {
public:
    explicit CTypedPtrMap(INT_PTR nBlockSize = 10)
        : BASE_CLASS(nBlockSize)
    {
    }

    BOOL Lookup(typename BASE_CLASS::BASE_ARG_KEY key, VALUE& rValue) const
    {
        typename BASE_CLASS::BASE_VALUE value {};
        BOOL bFound = BASE_CLASS::Lookup(key, value);
        rValue = static_cast<VALUE>(value);
        return bFound;
    }
    VALUE& operator[](typename BASE_CLASS::BASE_ARG_KEY key)
    {
        return reinterpret_cast<VALUE&>(BASE_CLASS::operator[](key));
    }
    void SetAt(KEY key, VALUE newValue) { BASE_CLASS::SetAt(key, newValue); }
    BOOL RemoveKey(KEY key) { return BASE_CLASS::RemoveKey(key); }
    void GetNextAssoc(POSITION& rPosition, KEY& rKey, VALUE& rValue) const
    {
        typename BASE_CLASS::BASE_KEY key {};
        typename BASE_CLASS::BASE_VALUE value {};
        BASE_CLASS::GetNextAssoc(rPosition, key, value);
        rKey = static_cast<KEY>(key);
        rValue = static_cast<VALUE>(value);
    }
};

// Fixed-type maps. BASE_* name the types CTypedPtrMap converts through.
#define FW_DECLARE_FIXED_MAP(class_name, key, arg_key, value, arg_value)                                               \
    class class_name : public CMap<key, arg_key, value, arg_value> {                                                   \
        DECLARE_DYNAMIC(class_name)                                                                                    \
    public:                                                                                                            \
        typedef key BASE_KEY;                                                                                          \
        typedef arg_key BASE_ARG_KEY;                                                                                  \
        typedef value BASE_VALUE;                                                                                      \
        typedef arg_value BASE_ARG_VALUE;                                                                              \
        explicit class_name(INT_PTR nBlockSize = 10)                                                                   \
            : CMap<key, arg_key, value, arg_value>(nBlockSize)                                                         \
        {                                                                                                              \
        }                                                                                                              \
    };

FW_DECLARE_FIXED_MAP(CMapStringToPtr, CString, LPCTSTR, void*, void*)
FW_DECLARE_FIXED_MAP(CMapStringToOb, CString, LPCTSTR, CObject*, CObject*)
FW_DECLARE_FIXED_MAP(CMapStringToString, CString, LPCTSTR, CString, LPCTSTR)
FW_DECLARE_FIXED_MAP(CMapPtrToPtr, void*, void*, void*, void*)
FW_DECLARE_FIXED_MAP(CMapPtrToWord, void*, void*, WORD, WORD)
FW_DECLARE_FIXED_MAP(CMapWordToPtr, WORD, WORD, void*, void*)
FW_DECLARE_FIXED_MAP(CMapWordToOb, WORD, WORD, CObject*, CObject*)
