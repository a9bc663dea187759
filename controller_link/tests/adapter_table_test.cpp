// The adapter table and LEDGetAdapterInfo over a scripted adapter list.
#include "AdapterTable.h"
#include "Corvane.h"
#include "CorvaneLibrary.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

using corvane_test::CFakeAdapters;
using corvane_test::FakeAdapter;

FakeAdapter Adapter(const char* ip, std::uint8_t last)
{
    return { ip, "255.255.255.0", { 0x00, 0x1A, 0x2B, 0x3C, 0x4D, last }, std::string("{adapter-") + ip + "}" };
}

TEST(AdapterTable, AdaptersWithoutAnAddressAreLeftOut)
{
    CFakeAdapters fake({ Adapter("0.0.0.0", 1), Adapter("192.168.0.100", 2), Adapter("", 3), Adapter("10.1.2.3", 4) });
    AdapterTable table {};
    ReadAdapterTable(table);
    ASSERT_EQ(table.count, 2);
    EXPECT_STREQ(table.entries[0].ipv4, "192.168.0.100");
    EXPECT_STREQ(table.entries[0].mask, "255.255.255.0");
    EXPECT_STREQ(table.entries[0].name, "{adapter-192.168.0.100}");
    EXPECT_EQ(table.entries[0].addressLength, 6);
    EXPECT_EQ(table.entries[0].address[5], 2);
    // Four adapters need more than the first 648 bytes: the list is asked twice.
    EXPECT_EQ(CFakeAdapters::Calls(), 2);

    std::uint8_t ip[4];
    ASSERT_TRUE(GetAdapterIPv4(table, 2, ip));
    EXPECT_EQ(ip[0], 10);
    EXPECT_EQ(ip[3], 3);
    EXPECT_FALSE(GetAdapterIPv4(table, 3, ip));
    EXPECT_FALSE(GetAdapterIPv4(table, 0, ip));
    std::uint8_t mac[11];
    int length = 0;
    ASSERT_TRUE(GetAdapterMac(table, 1, length, mac));
    EXPECT_EQ(length, 6);
    EXPECT_EQ(mac[0], 0x00);
    EXPECT_EQ(mac[5], 2);
    EXPECT_FALSE(GetAdapterMac(table, 3, length, mac));
}

TEST(AdapterTable, StopsAtEightEntries)
{
    std::vector<FakeAdapter> many;
    for (int i = 1; i <= 11; ++i)
        many.push_back(Adapter(("10.0.0." + std::to_string(i)).c_str(), std::uint8_t(i)));
    CFakeAdapters fake(many);
    AdapterTable table {};
    ReadAdapterTable(table);
    ASSERT_EQ(table.count, kMaxAdapters);
    EXPECT_STREQ(table.entries[7].ipv4, "10.0.0.8");
}

TEST(AdapterTable, NoAdaptersGiveAnEmptyTable)
{
    CFakeAdapters fake({});
    AdapterTable table {};
    table.count = 3;
    ReadAdapterTable(table);
    EXPECT_EQ(table.count, 0);
}

TEST(AdapterTable, GetAdapterInfoListsTheAddressesAsText)
{
    CFakeAdapters fake({ Adapter("192.168.0.100", 1), Adapter("0.0.0.0", 2), Adapter("10.1.2.3", 3) });
    CStringArray* list = LEDGetAdapterInfo();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->GetSize(), 2);
    EXPECT_EQ(CString(list->GetAt(0)), CString(L"192.168.0.100"));
    EXPECT_EQ(CString(list->GetAt(1)), CString(L"10.1.2.3"));
    // Refilled, not appended, at the next call.
    EXPECT_EQ(LEDGetAdapterInfo(), list);
    EXPECT_EQ(list->GetSize(), 2);
}

} // namespace
