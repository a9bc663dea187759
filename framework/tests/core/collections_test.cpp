// Arrays, lists and maps: growth, insertion and removal, positions, many keys
// and the invalid-argument exception on every kind of bad index.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core_test_print.h"

namespace {

class CItem : public CObject {
public:
    explicit CItem(int n = 0)
        : m_n(n)
    {
    }
    int m_n;
};

// Runs f and reports whether it threw CInvalidArgException (freeing it).
bool ThrowsInvalidArg(const std::function<void()>& f)
{
    try {
        f();
    } catch (CInvalidArgException* e) {
        e->Delete();
        return true;
    } catch (CException* e) {
        e->Delete();
        return false;
    }
    return false;
}

TEST(CArrayTest, AddInsertRemoveKeepOrder)
{
    CArray<CString> a;
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a.GetUpperBound(), -1);
    for (int i = 0; i < 100; ++i) {
        CString s;
        s.Format(L"%d", i);
        EXPECT_EQ(a.Add(s), i);
    }
    a.InsertAt(1, L"x", 2);
    ASSERT_EQ(a.GetSize(), 102);
    EXPECT_EQ(a[0], L"0");
    EXPECT_EQ(a[1], L"x");
    EXPECT_EQ(a[2], L"x");
    EXPECT_EQ(a[3], L"1");
    a.RemoveAt(1, 2);
    EXPECT_EQ(a[1], L"1");
    EXPECT_EQ(a.GetAt(99), L"99");
    a.SetAtGrow(105, L"far");
    EXPECT_EQ(a.GetSize(), 106);
    EXPECT_TRUE(a[104].IsEmpty());
    a.Add(a[0]); // an element of the array itself survives the growth
    EXPECT_EQ(a[106], L"0");
    a.InsertAt(200, L"past end"); // grows up to the index
    EXPECT_EQ(a.GetSize(), 201);
    EXPECT_EQ(a[200], L"past end");
    a.RemoveAt(a.GetSize(), 0); // empty range at the end is allowed
    a.SetSize(3);
    EXPECT_EQ(a.GetCount(), 3);
    a.RemoveAll();
    EXPECT_EQ(a.GetData(), nullptr);
}

TEST(CArrayTest, CopyAppendAndInsertArray)
{
    CUIntArray a, b;
    for (UINT i = 0; i < 5; ++i)
        a.Add(i);
    b.Copy(a);
    EXPECT_EQ(b.Append(a), 5);
    EXPECT_EQ(b.Append(b), 10); // appending itself doubles it
    ASSERT_EQ(b.GetSize(), 20);
    EXPECT_EQ(b[19], 4u);
    CUIntArray c;
    c.Add(100);
    c.Add(101);
    a.InsertAt(2, &c);
    std::vector<UINT> got(a.GetData(), a.GetData() + a.GetSize());
    EXPECT_EQ(got, (std::vector<UINT> { 0, 1, 100, 101, 2, 3, 4 }));
}

TEST(CArrayTest, TypedPointerArrays)
{
    CTypedPtrArray<CObArray, CItem*> obs;
    CItem one(1), two(2);
    obs.Add(&one);
    obs.Add(&two);
    EXPECT_EQ(obs[1]->m_n, 2);
    obs.ElementAt(0) = &two;
    EXPECT_EQ(obs.GetAt(0)->m_n, 2);
    CTypedPtrArray<CPtrArray, int*> ptrs;
    int n = 7;
    ptrs.SetAtGrow(3, &n);
    EXPECT_EQ(ptrs.GetSize(), 4);
    EXPECT_EQ(ptrs[0], nullptr);
    EXPECT_EQ(*ptrs[3], 7);
}

TEST(CollectionsTest, BadIndexThrowsInvalidArg)
{
    CArray<int, int> arr;
    arr.Add(1);
    CStringArray strs;
    strs.Add(L"a");
    CByteArray bytes;
    CList<int, int> list;
    CStringList emptyStrings;
    CMapStringToPtr map;
    map.SetAt(L"k", nullptr);
    CString s(L"abc");

    struct Case {
        const char* name;
        std::function<void()> f;
    };
    std::vector<Case> cases = {
        { "array GetAt -1", [&] { arr.GetAt(-1); } },
        { "array GetAt size", [&] { arr.GetAt(1); } },
        { "array operator[]", [&] { arr[5] = 0; } },
        { "array ElementAt", [&] { arr.ElementAt(2); } },
        { "array SetAt", [&] { arr.SetAt(1, 0); } },
        { "array SetAtGrow -1", [&] { arr.SetAtGrow(-1, 0); } },
        { "array InsertAt -1", [&] { arr.InsertAt(-1, 0); } },
        { "array RemoveAt past end", [&] { arr.RemoveAt(0, 2); } },
        { "array RemoveAt -1", [&] { arr.RemoveAt(-1); } },
        { "array SetSize -1", [&] { arr.SetSize(-1); } },
        { "string array GetAt", [&] { strs.GetAt(1); } },
        { "byte array empty", [&] { bytes[0]; } },
        { "list GetHead empty", [&] { list.GetHead(); } },
        { "list RemoveTail empty", [&] { list.RemoveTail(); } },
        { "list GetNext null",
            [&] {
                POSITION pos = nullptr;
                list.GetNext(pos);
            } },
        { "list GetAt null", [&] { emptyStrings.GetAt(nullptr); } },
        { "list RemoveAt null", [&] { list.RemoveAt(nullptr); } },
        { "map GetNextAssoc null",
            [&] {
                POSITION pos = nullptr;
                CString k;
                void* v;
                map.GetNextAssoc(pos, k, v);
            } },
        { "string GetAt", [&] { s.GetAt(4); } },
        { "string SetAt", [&] { s.SetAt(3, L'x'); } },
        { "string Tokenize negative",
            [&] {
                int pos = -1;
                s.Tokenize(L",", pos);
            } },
    };
    for (const Case& c : cases)
        EXPECT_TRUE(ThrowsInvalidArg(c.f)) << c.name;
    EXPECT_EQ(arr.GetSize(), 1); // failed calls leave the array alone
    EXPECT_EQ(s.GetAt(3), L'\0'); // the terminator may be read
}

TEST(CListTest, PositionsWalkBothWaysAndSurviveEdits)
{
    CStringList list;
    POSITION pB = list.AddTail(L"b");
    list.AddHead(L"a");
    POSITION pD = list.AddTail(L"d");
    list.InsertBefore(pD, L"c");
    list.InsertAfter(pD, L"e");
    list.InsertBefore(nullptr, L"0"); // null: at the head
    list.InsertAfter(nullptr, L"f"); // null: at the tail
    EXPECT_EQ(list.GetCount(), 7);

    CString forward;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        forward += list.GetNext(pos);
    EXPECT_EQ(forward, L"0abcdef");
    CString backward;
    for (POSITION pos = list.GetTailPosition(); pos != nullptr;)
        backward += list.GetPrev(pos);
    EXPECT_EQ(backward, L"fedcba0");

    EXPECT_EQ(list.GetAt(pB), L"b");
    list.SetAt(pB, L"B");
    EXPECT_EQ(list.Find(L"B"), pB);
    EXPECT_EQ(list.Find(L"B", pB), nullptr); // searches after the start
    EXPECT_EQ(list.FindIndex(2), pB);
    EXPECT_EQ(list.FindIndex(7), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);
    list.RemoveAt(pB);
    EXPECT_EQ(list.RemoveHead(), L"0");
    EXPECT_EQ(list.RemoveTail(), L"f");
    EXPECT_EQ(list.GetHead(), L"a");
    EXPECT_EQ(list.GetTail(), L"e");
    list.AddTail(&list); // appending itself copies once
    EXPECT_EQ(list.GetCount(), 8);
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
}

TEST(CListTest, TypedPointerList)
{
    CTypedPtrList<CObList, CItem*> list;
    CItem a(1), b(2);
    list.AddTail(&a);
    list.AddHead(&b);
    POSITION pos = list.GetHeadPosition();
    EXPECT_EQ(list.GetNext(pos)->m_n, 2);
    EXPECT_EQ(list.GetNext(pos)->m_n, 1);
    EXPECT_EQ(pos, nullptr);
    EXPECT_EQ(list.Find(&a), list.GetTailPosition());
}

TEST(CMapTest, ManyKeysLookupRemoveAndIterate)
{
    CMap<int, int, CString, LPCTSTR> map(4);
    const int kCount = 5000;
    for (int i = 0; i < kCount; ++i) {
        CString s;
        s.Format(L"v%d", i);
        map.SetAt(i * 7, s);
    }
    EXPECT_EQ(map.GetCount(), kCount);
    CString v;
    EXPECT_TRUE(map.Lookup(7 * 4321, v));
    EXPECT_EQ(v, L"v4321");
    EXPECT_FALSE(map.Lookup(3, v));
    map[3] = L"three";
    EXPECT_EQ(map.GetCount(), kCount + 1);
    EXPECT_TRUE(map.RemoveKey(3));
    EXPECT_FALSE(map.RemoveKey(3));
    for (int i = 0; i < kCount; i += 2)
        EXPECT_TRUE(map.RemoveKey(i * 7));
    EXPECT_EQ(map.GetCount(), kCount / 2);

    // Every remaining key is visited once.
    std::vector<int> seen(kCount, 0);
    POSITION pos = map.GetStartPosition();
    int key;
    while (pos != nullptr) {
        map.GetNextAssoc(pos, key, v);
        ASSERT_EQ(key % 7, 0);
        ++seen[key / 7];
        CString expected;
        expected.Format(L"v%d", key / 7);
        EXPECT_EQ(v, expected);
    }
    for (int i = 0; i < kCount; ++i)
        EXPECT_EQ(seen[i], i % 2) << i;

    const CMap<int, int, CString, LPCTSTR>::CPair* p = map.PLookup(7);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->value, L"v1");
    int n = 0;
    for (p = map.PGetFirstAssoc(); p != nullptr; p = map.PGetNextAssoc(p))
        ++n;
    EXPECT_EQ(n, kCount / 2);
    map.RemoveAll();
    EXPECT_EQ(map.GetStartPosition(), nullptr);
}

TEST(CMapTest, StringKeyedMapsAndInitHashTableKeepEntries)
{
    CMapStringToString names;
    names.InitHashTable(31);
    names[L"Red"] = L"FF0000";
    names.SetAt(L"Green", L"00FF00");
    names.InitHashTable(101); // resizing keeps the entries
    EXPECT_EQ(names.GetHashTableSize(), 101u);
    CString v;
    EXPECT_TRUE(names.Lookup(L"Green", v));
    EXPECT_EQ(v, L"00FF00");
    EXPECT_FALSE(names.Lookup(L"green", v)); // keys are case-sensitive

    CMap<CString, const CString&, int, int> counts;
    counts[CString(L"a")] += 2;
    counts[CString(L"a")] += 3;
    EXPECT_EQ(counts[CString(L"a")], 5);

    CTypedPtrMap<CMapStringToPtr, CString, CItem*> items;
    CItem item(9);
    items.SetAt(L"nine", &item);
    CItem* pFound = nullptr;
    EXPECT_TRUE(items.Lookup(L"nine", pFound));
    EXPECT_EQ(pFound->m_n, 9);
    CMapWordToPtr words;
    words[WORD(5)] = &item;
    EXPECT_EQ(words.GetCount(), 1);
}

} // namespace
