// Reading controller type texts into ports per controller and channels per
// port: blanks anywhere, words missing, nothing after the ports word, and
// the texts the default list is made of.
#include <gtest/gtest.h>

#include "ControllerType.h"

namespace {

struct TypeCase {
    const wchar_t* text;
    bool ok;
    int ports;
    int channels;
};

TEST(ControllerTypeTest, ParsesWithTheLanguageWords)
{
    // The English words as the language file has them, with a leading blank.
    const CString portsWord = L" ports";
    const CString channelsWord = L" channels";
    const TypeCase cases[] = {
        { L"8 ports 2048 channels", true, 8, 2048 }, { L"8ports2048channels", true, 8, 2048 },
        { L" 1 6 ports  1 0 2 4 channels ", true, 16, 1024 }, // blanks anywhere
        { L"8\tports\t2048\tchannels", true, 8, 2048 },
        { L"8 ports 2048", true, 8, 2048 }, // no channels word: the rest
        { L"8 ports 2048x channels", true, 8, 2048 }, // leading digits only
        { L"ports 512 channels", true, 0, 512 }, // no digits before: 0
        { L"8 ports channels", true, 8, 0 }, // no digits after: 0
        { L"8 ports", false, 0, 0 }, // nothing after the ports word
        { L"8 ports   ", false, 0, 0 }, { L"8 outputs 2048 channels", false, 0, 0 }, // no ports word
        { L"", false, 0, 0 }, { L"99999999999 ports 1 channels", true, 0x7FFFFFFF, 1 }, // saturates
    };
    for (const TypeCase& c : cases) {
        const ControllerTypeValues v = ParseControllerType(c.text, portsWord, channelsWord);
        const CStringA text(c.text);
        EXPECT_EQ(v.ok, c.ok) << text.GetString();
        if (c.ok) {
            EXPECT_EQ(v.ports, c.ports) << text.GetString();
            EXPECT_EQ(v.channels, c.channels) << text.GetString();
        }
    }
}

TEST(ControllerTypeTest, ChineseWordsAndEmptyWords)
{
    EXPECT_EQ(ParseControllerType(L"8口 2048通道", L"口", L"通道").channels, 2048);
    EXPECT_EQ(ParseControllerType(L"4口\x3000"
                                  L"680通道",
                  L"口", L"通道")
                  .channels,
        680);
    // A language file without the ports word cannot find it in any text.
    EXPECT_FALSE(ParseControllerType(L"8 ports 2048 channels", L"", L" channels").ok);
    // Without a channels word the whole rest is read.
    const ControllerTypeValues v = ParseControllerType(L"8 ports 2048 channels", L" ports", L"");
    EXPECT_TRUE(v.ok);
    EXPECT_EQ(v.channels, 2048);
}

TEST(ControllerTypeTest, FormattedTextsReadBack)
{
    const CString text = FormatControllerType(16, L" ports", 1024, L" channels");
    EXPECT_EQ(text, L"16 ports 1024 channels");
    const ControllerTypeValues v = ParseControllerType(text, L" ports", L" channels");
    EXPECT_TRUE(v.ok);
    EXPECT_EQ(v.ports, 16);
    EXPECT_EQ(v.channels, 1024);
}

} // namespace
