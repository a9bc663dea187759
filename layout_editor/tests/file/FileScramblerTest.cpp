// The whole-file scrambler on files and in memory.
#include "LayoutFileTestUtil.h"

#include <random>

#include "FileScrambler.h"

namespace {

std::vector<BYTE> Trailer(BYTE key)
{
    return { static_cast<BYTE>('q' ^ key), static_cast<BYTE>('v' ^ key), static_cast<BYTE>('t' ^ key),
        static_cast<BYTE>('n' ^ key), key };
}

TEST(FileScrambler, KeyByteComesFromTheKeyString)
{
    // Recomputed independently: the low byte only sees the low bytes.
    BYTE expected = 0xF5; // low byte of the start value
    for (const char* c = "QUORBANTELFIXS"; *c != 0; ++c)
        expected ^= static_cast<BYTE>(*c | 0x80);
    EXPECT_EQ(ScramblerKeyByte(), expected);
}

TEST(FileScrambler, AnEmptyFileBecomesTheTrailerAndBack)
{
    CTempPath path(L"scramble_empty");
    ASSERT_TRUE(WriteFileBytes(path.Path(), {}));
    EXPECT_EQ(ScrambleFileInPlace(path.Path()), 1);
    EXPECT_EQ(FileBytes(path.Path()), Trailer(ScramblerKeyByte()));
    EXPECT_EQ(UnscrambleFileInPlace(path.Path()), 1);
    EXPECT_TRUE(FileBytes(path.Path()).empty());
}

TEST(FileScrambler, FilesWithoutTheTrailerAreLeftAlone)
{
    CTempPath path(L"scramble_plain");
    const std::vector<BYTE> rows[] = { {}, { 1, 2, 3 }, { 'q', 'v', 't', 'n' }, std::vector<BYTE>(300, 0x41) };
    for (const std::vector<BYTE>& content : rows) {
        ASSERT_TRUE(WriteFileBytes(path.Path(), content));
        EXPECT_EQ(UnscrambleFileInPlace(path.Path()), 0);
        EXPECT_EQ(FileBytes(path.Path()), content);
    }
    EXPECT_EQ(UnscrambleFileInPlace(path.Path() + L".missing"), 0);
    EXPECT_EQ(ScrambleFileInPlace(path.Path() + L".missing"), 0);
}

TEST(FileScrambler, ZeroAndMaskBytesPassThrough)
{
    const BYTE key = ScramblerKeyByte();
    std::vector<BYTE> content(300);
    const BYTE mask = static_cast<BYTE>(key ^ (content.size() & 0xFF));
    for (size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<BYTE>(i % 3 == 0 ? 0 : i % 3 == 1 ? mask : i);
    std::vector<BYTE> scrambled = content;
    ScrambleBytes(scrambled);
    ASSERT_EQ(scrambled.size(), content.size() + kScrambleTrailerSize);
    for (size_t i = 0; i < content.size(); ++i) {
        const BYTE b = content[i];
        EXPECT_EQ(scrambled[i], (b == 0 || b == mask) ? b : static_cast<BYTE>(b ^ mask)) << i;
    }
    EXPECT_TRUE(UnscrambleBytes(scrambled));
    EXPECT_EQ(scrambled, content);
}

TEST(FileScrambler, AnyContentRoundTripsOnceAndTwice)
{
    std::mt19937 random(99);
    CTempPath path(L"scramble_random");
    for (size_t length : { 1u, 5u, 255u, 256u, 257u, 4099u }) {
        SCOPED_TRACE(length);
        std::vector<BYTE> content(length);
        for (BYTE& b : content)
            b = static_cast<BYTE>(random());
        ASSERT_TRUE(WriteFileBytes(path.Path(), content));
        ASSERT_EQ(ScrambleFileInPlace(path.Path()), 1);
        const std::vector<BYTE> once = FileBytes(path.Path());
        ASSERT_EQ(ScrambleFileInPlace(path.Path()), 1); // a second trailer
        EXPECT_EQ(FileBytes(path.Path()).size(), length + 2 * kScrambleTrailerSize);
        ASSERT_EQ(UnscrambleFileInPlace(path.Path()), 1);
        EXPECT_EQ(FileBytes(path.Path()), once);
        ASSERT_EQ(UnscrambleFileInPlace(path.Path()), 1);
        EXPECT_EQ(FileBytes(path.Path()), content);
        EXPECT_EQ(UnscrambleFileInPlace(path.Path()), 0);
    }
}

TEST(FileScrambler, LengthsApartModulo256GetDifferentMasks)
{
    std::vector<BYTE> a(10, 0x33), b(11, 0x33);
    ScrambleBytes(a);
    ScrambleBytes(b);
    EXPECT_NE(a[0], b[0]);
    EXPECT_EQ(a[0] ^ b[0], 10 ^ 11);
}

TEST(FileScrambler, AnotherKeyByteIsTakenFromTheTrailer)
{
    // Scrambled by a program whose key byte is 0x5A.
    const BYTE otherKey = ScramblerKeyByte() == 0x5A ? 0x5B : 0x5A;
    const std::vector<BYTE> content = { 'h', 'e', 'l', 'l', 'o', 0, otherKey };
    const BYTE mask = static_cast<BYTE>(otherKey ^ content.size());
    std::vector<BYTE> scrambled;
    for (BYTE b : content)
        scrambled.push_back((b == 0 || b == mask) ? b : static_cast<BYTE>(b ^ mask));
    const std::vector<BYTE> trailer = Trailer(otherKey);
    scrambled.insert(scrambled.end(), trailer.begin(), trailer.end());
    CTempPath path(L"scramble_other");
    ASSERT_TRUE(WriteFileBytes(path.Path(), scrambled));
    EXPECT_EQ(UnscrambleFileInPlace(path.Path()), 1);
    EXPECT_EQ(FileBytes(path.Path()), content);
}

} // namespace
