// CArchive: stored string form at the length boundaries, little-endian
// numbers, text lines, buffering and the errors on short or bad data.
#include "io_test_util.h"

#include <gtest/gtest.h>

#include <functional>

using iotest::ReadAll;
using iotest::TempPath;
using iotest::WriteAll;

namespace {

std::vector<BYTE> Store(const std::function<void(CArchive&)>& write, int bufSize = 4096)
{
    TempPath path;
    {
        CFile f(path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&f, CArchive::store, bufSize);
        write(ar);
        ar.Close();
    }
    return ReadAll(path);
}

void Load(const std::vector<BYTE>& bytes, const std::function<void(CArchive&)>& read, int bufSize = 4096)
{
    TempPath path;
    WriteAll(path, bytes);
    CFile f(path, CFile::modeRead);
    CArchive ar(&f, CArchive::load, bufSize);
    read(ar);
}

// Runs read and returns the cause of the CArchiveException it throws (-1 if none).
int ArchiveCause(const std::vector<BYTE>& bytes, const std::function<void(CArchive&)>& read)
{
    try {
        Load(bytes, read);
    } catch (CArchiveException* e) {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

struct LengthCase {
    int length;
    std::vector<BYTE> prefix; // length bytes, without the FF FE FF marker
};

const LengthCase kLengthCases[] = {
    { 0, { 0x00 } },
    { 254, { 0xFE } },
    { 255, { 0xFF, 0xFF, 0x00 } },
    { 65534, { 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00 } },
    { 65535, { 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00 } },
    { 65536, { 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00 } },
};

} // namespace

TEST(ArchiveStrings, WideStringsAtLengthBoundariesMatchStoredFormAndRoundTrip)
{
    for (const auto& c : kLengthCases) {
        SCOPED_TRACE(c.length);
        CString s;
        for (int i = 0; i < c.length; ++i)
            s += static_cast<wchar_t>(i % 3 == 0 ? 0x4E2D : L'a' + i % 26); // mix in a CJK unit
        std::vector<BYTE> bytes = Store([&](CArchive& ar) { ar << s; });

        std::vector<BYTE> expected = { 0xFF, 0xFE, 0xFF };
        expected.insert(expected.end(), c.prefix.begin(), c.prefix.end());
        for (int i = 0; i < c.length; ++i) {
            expected.push_back(static_cast<BYTE>(s[i] & 0xFF));
            expected.push_back(static_cast<BYTE>(s[i] >> 8));
        }
        ASSERT_EQ(expected.size(), bytes.size());
        EXPECT_TRUE(expected == bytes);

        CString back;
        Load(bytes, [&](CArchive& ar) {
            ar >> back;
            BYTE extra;
            EXPECT_EQ(0u, ar.Read(&extra, 1));
        });
        EXPECT_TRUE(back == s);
    }
}

TEST(ArchiveStrings, NarrowStringsAtLengthBoundariesMatchStoredFormAndRoundTrip)
{
    for (const auto& c : kLengthCases) {
        SCOPED_TRACE(c.length);
        CStringA s;
        for (int i = 0; i < c.length; ++i)
            s += static_cast<char>('A' + i % 26);
        std::vector<BYTE> bytes = Store([&](CArchive& ar) { ar << s; });

        std::vector<BYTE> expected = c.prefix;
        for (int i = 0; i < c.length; ++i)
            expected.push_back(static_cast<BYTE>(s[i]));
        ASSERT_EQ(expected.size(), bytes.size());
        EXPECT_TRUE(expected == bytes);

        CStringA back;
        Load(bytes, [&](CArchive& ar) { ar >> back; });
        EXPECT_TRUE(back == s);
    }
}

TEST(ArchiveStrings, EachWidthReadsTheOtherThroughTheAnsiCodePage)
{
    ASSERT_EQ(1252u, ::GetACP());
    // "caf\xE9" in code page 1252 is "café".
    std::vector<BYTE> narrow = { 0x04, 'c', 'a', 'f', 0xE9 };
    CString wide;
    Load(narrow, [&](CArchive& ar) { ar >> wide; });
    EXPECT_TRUE(wide == L"caf\x00E9");

    std::vector<BYTE> wideRecord = Store([](CArchive& ar) { ar << L"caf\x00E9"; });
    CStringA bytes;
    Load(wideRecord, [&](CArchive& ar) { ar >> bytes; });
    EXPECT_TRUE(bytes == "caf\xE9");

    // Literals take the stored form of their width.
    EXPECT_EQ((std::vector<BYTE> { 0x02, 'h', 'i' }), Store([](CArchive& ar) { ar << "hi"; }));
    EXPECT_EQ((std::vector<BYTE> { 0xFF, 0xFE, 0xFF, 0x01, 'x', 0x00 }), Store([](CArchive& ar) { ar << L"x"; }));
}

TEST(ArchiveNumbers, AreStoredLittleEndianAndReadBack)
{
    std::vector<BYTE> bytes = Store([](CArchive& ar) {
        ar << static_cast<BYTE>(0x12) << static_cast<WORD>(0x3456) << static_cast<DWORD>(0x789ABCDE);
        ar << -2 << static_cast<LONG>(-3) << static_cast<short>(-4) << 'z' << true;
        ar << 1.0 << 1.5f << static_cast<LONGLONG>(-5) << static_cast<ULONGLONG>(0x0102030405060708ull);
        ar << static_cast<unsigned>(7) << L'\x263A';
    });
    const std::vector<BYTE> expected = {
        0x12, 0x56, 0x34, 0xDE, 0xBC, 0x9A, 0x78, // BYTE, WORD, DWORD
        0xFE, 0xFF, 0xFF, 0xFF, 0xFD, 0xFF, 0xFF, 0xFF, 0xFC, 0xFF, 'z', 0x01, // int, LONG, short, char, bool
        0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 0, 0, 0xC0, 0x3F, // double 1.0, float 1.5
        0xFB, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 8, 7, 6, 5, 4, 3, 2, 1, // LONGLONG, ULONGLONG
        7, 0, 0, 0, 0x3A, 0x26, // unsigned, wchar_t
    };
    EXPECT_EQ(expected, bytes);

    Load(bytes, [](CArchive& ar) {
        BYTE b;
        WORD w;
        DWORD dw;
        int i;
        LONG l;
        short s;
        char ch;
        bool flag;
        double d;
        float f;
        LONGLONG ll;
        ULONGLONG ull;
        unsigned u;
        wchar_t wc;
        ar >> b >> w >> dw >> i >> l >> s >> ch >> flag >> d >> f >> ll >> ull >> u >> wc;
        EXPECT_EQ(0x12, b);
        EXPECT_EQ(0x3456, w);
        EXPECT_EQ(0x789ABCDEu, dw);
        EXPECT_EQ(-2, i);
        EXPECT_EQ(-3, l);
        EXPECT_EQ(-4, s);
        EXPECT_EQ('z', ch);
        EXPECT_TRUE(flag);
        EXPECT_EQ(1.0, d);
        EXPECT_EQ(1.5f, f);
        EXPECT_EQ(-5, ll);
        EXPECT_EQ(0x0102030405060708ull, ull);
        EXPECT_EQ(7u, u);
        EXPECT_EQ(L'\x263A', wc);
    });
}

TEST(ArchiveBuffering, ValuesAcrossBufferEdgesAndLargeRawBlocksSurvive)
{
    std::vector<BYTE> block(5000);
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<BYTE>(i * 7);
    std::vector<BYTE> bytes = Store(
        [&](CArchive& ar) {
            for (int i = 0; i < 1000; ++i)
                ar << static_cast<BYTE>(i) << i;
            ar.Write(block.data(), static_cast<UINT>(block.size()));
            ar << CString(L"end");
        },
        128);
    ASSERT_EQ(5000u + 5000u + 3u + 1u + 6u, bytes.size());
    Load(
        bytes,
        [&](CArchive& ar) {
            for (int i = 0; i < 1000; ++i) {
                BYTE b;
                int v;
                ar >> b >> v;
                ASSERT_EQ(static_cast<BYTE>(i), b);
                ASSERT_EQ(i, v);
            }
            std::vector<BYTE> back(block.size());
            EXPECT_EQ(back.size(), ar.Read(back.data(), static_cast<UINT>(back.size())));
            EXPECT_EQ(block, back);
            CString s;
            ar >> s;
            EXPECT_TRUE(s == L"end");
        },
        128);
}

TEST(ArchiveBuffering, FlushWhileLoadingPutsTheFileAtTheLogicalPosition)
{
    TempPath path;
    WriteAll(path, { 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0 });
    CFile f(path, CFile::modeRead);
    {
        CArchive ar(&f, CArchive::load);
        int v;
        ar >> v;
        EXPECT_EQ(1, v);
        ar.Close();
    }
    EXPECT_EQ(4u, f.GetPosition());
}

TEST(ArchiveText, WriteStringAndReadStringUseWideLines)
{
    std::vector<BYTE> bytes = Store([](CArchive& ar) {
        ar.WriteString(L"one\r\n");
        ar.WriteString(L"two\n");
        ar.WriteString(L"three");
    });
    EXPECT_EQ(2u * 14u, bytes.size());
    Load(bytes, [](CArchive& ar) {
        CString line;
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_TRUE(line == L"one");
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_TRUE(line == L"two");
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_TRUE(line == L"three");
        EXPECT_FALSE(ar.ReadString(line));
        EXPECT_TRUE(line.IsEmpty());
    });
}

TEST(ArchiveErrors, ShortAndBadDataRaiseArchiveExceptions)
{
    auto readInt = [](CArchive& ar) {
        int v;
        ar >> v;
    };
    auto readWide = [](CArchive& ar) {
        CString s;
        ar >> s;
    };
    auto readNarrow = [](CArchive& ar) {
        CStringA s;
        ar >> s;
    };
    EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause({ 1, 2, 3 }, readInt));
    EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause({}, readWide));
    // Length 10, four characters present.
    EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause({ 10, 'a', 'b', 'c', 'd' }, readNarrow));
    // Marker cut short, and a length prefix cut short.
    EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause({ 0xFF, 0xFE }, readWide));
    EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause({ 0xFF, 0xFF, 0xFF, 0x00 }, readWide));
    // A huge length in a short file ends cleanly, without a huge allocation.
    EXPECT_EQ(
        CArchiveException::endOfFile, ArchiveCause({ 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x30, 'x' }, readNarrow));
    // Lengths no string can have.
    EXPECT_EQ(CArchiveException::badIndex,
        ArchiveCause({ 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0x7F }, readWide));
    EXPECT_EQ(CArchiveException::badIndex, ArchiveCause({ 0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF }, readWide));
    EXPECT_EQ(CArchiveException::badIndex,
        ArchiveCause({ 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 1, 0, 0, 0 }, readNarrow));
}

TEST(ArchiveErrors, WrongDirectionIsRefused)
{
    TempPath path;
    WriteAll(path, { 0, 0, 0, 0 });
    CFile f(path, CFile::modeReadWrite);
    CArchive loading(&f, CArchive::load);
    EXPECT_TRUE(loading.IsLoading());
    EXPECT_EQ(&f, loading.GetFile());
    try {
        loading << 1;
        FAIL() << "storing into a loading archive";
    } catch (CArchiveException* e) {
        EXPECT_EQ(CArchiveException::readOnly, e->m_cause);
        e->Delete();
    }
}
