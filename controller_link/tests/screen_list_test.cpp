// The screen list exports, the setters' screen numbers, the sharing of
// senders by adapter and the library-wide settings.
#include "Corvane.h"
#include "CorvaneLibrary.h"
#include "Send_Udp.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

namespace {

using corvane_test::CFakeAdapters;
using corvane_test::FakeAdapter;

class ScreenList : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(LEDSetScreenNum(0), 0); }
    void TearDown() override { LEDSetScreenNum(0); }

    CLEDScreenList& Screens() { return Library().screens; }
};

TEST_F(ScreenList, NewScreensAreNumberedFromOneWithDefaults)
{
    EXPECT_EQ(LEDNewScreen(), 1);
    EXPECT_EQ(LEDNewScreen(), 2);
    ASSERT_EQ(Screens().GetSize(), 2);
    const CLEDScreen& s = Screens()[1];
    EXPECT_EQ(s.m_index, 1);
    EXPECT_EQ(s.m_width, 256);
    EXPECT_EQ(s.m_height, 128);
    EXPECT_EQ(s.m_displayBits, 24);
    EXPECT_EQ(s.m_sender, nullptr);
    EXPECT_EQ(s.m_groupMode, 0);
    EXPECT_EQ(s.m_portsPerController, 0);
    EXPECT_EQ(s.m_firstPort, 1);
    EXPECT_EQ(s.m_ready, 0);
    EXPECT_EQ(s.m_syncEnabled, 1);
    EXPECT_EQ(s.m_frameIntervalMs, 40);
}

TEST_F(ScreenList, SetScreenNumResizesAndRenumbers)
{
    EXPECT_EQ(LEDSetScreenNum(5), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Screens()[i].m_index, i);
    Screens()[1].m_width = 640;
    EXPECT_EQ(LEDSetScreenNum(5), 5); // the same count changes nothing
    EXPECT_EQ(Screens()[1].m_width, 640);
    EXPECT_EQ(LEDSetScreenNum(2), 2);
    EXPECT_EQ(Screens()[1].m_width, 640);
    EXPECT_EQ(LEDSetScreenNum(-1), -1);
    EXPECT_EQ(Screens().GetSize(), 2);
    EXPECT_EQ(LEDNewScreen(), 3);
    EXPECT_EQ(Screens()[2].m_index, 2);
}

TEST_F(ScreenList, SetterScreenNumbers)
{
    CFakeAdapters fake({ { "127.0.0.1", "255.0.0.0", { 1, 2, 3, 4, 5, 6 }, "lo" } });
    LEDGetAdapterInfo();
    // Empty list: 0 applies to nothing and succeeds; 1 is one above the count.
    EXPECT_EQ(LEDSetIP(0, 0), 0);
    EXPECT_EQ(LEDSetIP(1, 0), -1);
    LEDSetScreenNum(3);
    struct Case {
        int screen;
        int result;
    };
    const Case cases[] = { { 0, 0 }, { 1, 0 }, { 3, 0 }, { 4, -1 }, { -1, -1 }, { INT_MIN, -1 } };
    for (const Case& c : cases)
        EXPECT_EQ(LEDSetIP(c.screen, 0), c.result) << c.screen;
}

TEST_F(ScreenList, ScreensOnOneAdapterShareOneSender)
{
    CFakeAdapters fake({ { "127.0.0.1", "255.0.0.0", { 1, 2, 3, 4, 5, 6 }, "a" },
        { "127.0.0.2", "255.0.0.0", { 7, 8, 9, 10, 11, 12 }, "b" } });
    LEDGetAdapterInfo();
    LEDSetScreenNum(3);
    std::size_t before = Screens().SenderCount();
    ASSERT_EQ(LEDSetIP(1, 1), 0);
    ASSERT_EQ(LEDSetIP(2, 1), 0);
    ASSERT_EQ(LEDSetIP(3, 0), 0);
    LocalSender* b = Screens()[0].m_sender;
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(Screens()[1].m_sender, b);
    EXPECT_NE(Screens()[2].m_sender, b);
    const std::uint8_t bytes[4] = { 127, 0, 0, 2 };
    EXPECT_EQ(std::memcmp(&b->ipv4, bytes, 4), 0);
    EXPECT_EQ(b->mac[0], 7);
    EXPECT_EQ(b->basePort, 11111);
    EXPECT_EQ(b->replySocket, INVALID_SOCKET);
    EXPECT_EQ(b->outside, nullptr);
    // Screen 0 = every screen; the sender of that address already exists.
    ASSERT_EQ(LEDSetIP(0, 1), 0);
    EXPECT_EQ(Screens()[2].m_sender, b);
    EXPECT_LE(Screens().SenderCount(), before + 2);
    // Senders outlive the screens that used them.
    LEDSetScreenNum(0);
    EXPECT_EQ(Screens().FindSender(b->ipv4), b);
}

TEST_F(ScreenList, AdapterBeyondTheTableGivesAZeroAddress)
{
    CFakeAdapters fake({ { "127.0.0.1", "255.0.0.0", { 1, 2, 3, 4, 5, 6 }, "a" } });
    LEDGetAdapterInfo();
    LEDSetScreenNum(1);
    ASSERT_EQ(LEDSetIP(1, 5), 0);
    LocalSender* s = Screens()[0].m_sender;
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->ipv4, 0u);
    EXPECT_EQ(s->mac[0], 0);
}

TEST_F(ScreenList, LibraryWideSettings)
{
    EXPECT_EQ(LEDSetSecurityFlag(0), 0);
    EXPECT_EQ(Library().securityFlag, 0);
    EXPECT_EQ(CSend_Udp::GetSecurityFlag(), 0);
    EXPECT_EQ(LEDSetSecurityFlag(1), 1);
    EXPECT_EQ(CSend_Udp::GetSecurityFlag(), 1);

    EXPECT_EQ(LEDSetProtocalVersion(3), 3);
    EXPECT_EQ(Library().syncCode, 60);
    EXPECT_EQ(Library().dmxParameterCode, 62);
    EXPECT_EQ(LEDSetProtocalVersion(2), 2); // unknown versions keep the codes
    EXPECT_EQ(Library().syncCode, 60);
    EXPECT_EQ(LEDSetProtocalVersion(1), 1);
    EXPECT_EQ(Library().syncCode, 80);
    EXPECT_EQ(Library().dmxParameterCode, 82);

    EXPECT_EQ(LEDCheckSysOnline(0), 0);
    EXPECT_EQ(Library().onlineOnly, 0);
    EXPECT_EQ(LEDCheckSysOnline(1), 1);
    EXPECT_EQ(LEDSetLanguage(5), 5);
    EXPECT_EQ(Library().language, 5);
}

TEST_F(ScreenList, AnExceptionInsideAnExportIsLoggedAndGivesItsErrorCode)
{
    corvane_test::CScratchFolder folder;
    corvane_test::CLogCapture log(folder.Path(), corvane_test::At(2024, 3, 5, 10, 0, 0));
    LEDSetScreenNum(2);
    // The array cannot hold that many screens: the framework throws.
    EXPECT_EQ(LEDSetScreenNum(INT_MAX), -1);
    EXPECT_EQ(Screens().GetSize(), 2);
    EXPECT_EQ(log.DayText(2024, 3, 5), L"10:00:00 错误 LEDSetScreenNum: framework exception\r\n");
}

} // namespace
