// Base64: known vectors, the decoder's stop rules and random round trips.
#include <gtest/gtest.h>

#include "Base64.h"

#include <random>

namespace {

std::string Enc(const std::string& s)
{
    return Base64EncodeString(s);
}
std::string Dec(const std::string& s)
{
    return Base64DecodeString(s);
}

TEST(Base64, KnownVectors)
{
    struct Row {
        const char* plain;
        const char* coded;
    };
    // RFC 4648 test vectors.
    const Row rows[] = {
        { "", "" },
        { "f", "Zg==" },
        { "fo", "Zm8=" },
        { "foo", "Zm9v" },
        { "foob", "Zm9vYg==" },
        { "fooba", "Zm9vYmE=" },
        { "foobar", "Zm9vYmFy" },
        { "abc", "YWJj" },
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Enc(row.plain), row.coded);
        EXPECT_EQ(Dec(row.coded), row.plain);
    }
    EXPECT_EQ(Enc(std::string("\xFB\xFF\x00", 3)), "+/8A");
    EXPECT_EQ(Dec("+/8A"), std::string("\xFB\xFF\x00", 3));
}

TEST(Base64, DecoderStopRules)
{
    EXPECT_EQ(Dec("YQ=="), "a");
    EXPECT_EQ(Dec("YQ"), "a"); // padding is optional
    EXPECT_EQ(Dec("Y"), ""); // a lone last character gives nothing
    EXPECT_EQ(Dec("YWJjY"), "abc");
    EXPECT_EQ(Dec("YWI"), "ab");
    EXPECT_EQ(Dec("YWJj ZGVm"), "abc"); // stops at a blank
    EXPECT_EQ(Dec("YWJj\r\nZGVm"), "abc"); // and at a line break
    EXPECT_EQ(Dec("YQ==ZGVm"), "a"); // and at the first "="
    EXPECT_EQ(Dec("=YWJj"), "");
    EXPECT_EQ(Dec("YW-j"), "a"); // "-" is not in the alphabet
    EXPECT_EQ(Base64Decode(nullptr, 5), "");
    // The count limits what is read.
    EXPECT_EQ(Base64Decode("YWJjZGVm", 4), "abc");
}

TEST(Base64, RandomRoundTrips)
{
    std::mt19937 random(12345);
    for (int length = 0; length < 200; ++length) {
        std::string bytes(length, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random() & 0xFF);
        const std::string coded = Enc(bytes);
        EXPECT_EQ(coded.size(), static_cast<size_t>((length + 2) / 3 * 4));
        EXPECT_EQ(coded.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="),
            std::string::npos);
        EXPECT_EQ(Dec(coded), bytes) << length;
    }
}

} // namespace
