// Layout picture (BMP) and wiring report, byte for byte.
#include <gtest/gtest.h>

#include <cstring>

#include "DxfTestUtil.h"
#include "LayoutMessages.h"
#include "LayoutPicture.h"

namespace {

uint32_t U32(const std::string& b, size_t at)
{
    return static_cast<uint8_t>(b[at]) | (static_cast<uint8_t>(b[at + 1]) << 8)
        | (static_cast<uint8_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24);
}

void AddLamp(CLayoutData& layout, int port, int x, int y)
{
    const CLPoint p(x, y);
    layout.GetPort(port).InsertPoints(&p, 1);
    layout.MarkPortUsed(port);
}

TEST(LayoutPictureTest, HeaderAndSize)
{
    CLayoutData layout; // 256 x 128
    ScratchFile file(L".bmp");
    ASSERT_TRUE(WriteLayoutBmp(layout, file));
    const std::string b = file.Read();
    ASSERT_EQ(54u + 131072u, b.size());
    const unsigned char header[54] = { 'B', 'M', 0x36, 0x00, 0x02, 0x00, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 0x00,
        0x01, 0, 0, 0x80, 0, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0, 0x00, 0x00, 0x02, 0x00 };
    EXPECT_EQ(0, std::memcmp(header, b.data(), 54));
    // No used port: all black.
    EXPECT_EQ(std::string(131072, '\0'), b.substr(54));
}

TEST(LayoutPictureTest, LampPixels)
{
    CLayoutData layout;
    layout.m_width = 10;
    layout.m_height = 10;
    AddLamp(layout, 0, 0, 0); // top left: first pixel of the last stored row
    AddLamp(layout, 0, 3, 9); // bottom row: stored first
    AddLamp(layout, 2, 9, 4);
    AddLamp(layout, 2, 10, 4); // outside: left out
    AddLamp(layout, 2, -1, 0);
    const CLPoint unused(5, 5); // a port not in the used list does not show
    layout.GetPort(3).InsertPoints(&unused, 1);
    ScratchFile file(L".bmp");
    ASSERT_TRUE(WriteLayoutBmp(layout, file));
    const std::string b = file.Read();
    ASSERT_EQ(54u + 400u, b.size());
    EXPECT_EQ(10u, U32(b, 18));
    EXPECT_EQ(10u, U32(b, 22));
    std::string pixels(400, '\0');
    for (int index : { 90, 3, 59 })
        pixels.replace(static_cast<size_t>(index) * 4, 4, std::string("\xFF\xFF\xFF\x00", 4));
    EXPECT_EQ(pixels, b.substr(54));
}

std::vector<std::wstring> g_messages;
void RecordMessage(LPCWSTR text, LPCWSTR caption)
{
    g_messages.emplace_back(std::wstring(text) + L"|" + (caption ? caption : L"(app)"));
}

TEST(LayoutPictureTest, FailedPictureKeepsTheTargetAndTellsTheUser)
{
    const LayoutMessageHandler previous = SetLayoutMessageHandler(&RecordMessage);
    g_messages.clear();
    CLayoutData layout;
    ExportLayoutBmp(layout, L"Z:\\no\\such\\folder\\x.bmp");
    ASSERT_EQ(1u, g_messages.size());
    EXPECT_NE(std::wstring::npos, g_messages[0].find(L"|Solvane"));
    // Sizes that do not fit the header are refused before anything is written.
    ScratchFile file(L".bmp");
    file.Write("old");
    layout.m_width = 40000;
    layout.m_height = 40000;
    EXPECT_FALSE(WriteLayoutBmp(layout, file));
    layout.m_width = 0;
    EXPECT_FALSE(WriteLayoutBmp(layout, file));
    EXPECT_EQ("old", file.Read());
    layout.m_width = 2;
    layout.m_height = 2;
    ExportLayoutBmp(layout, file);
    EXPECT_EQ(L"OK|(app)", g_messages.back());
    EXPECT_EQ(54u + 16u, file.Read().size());
    SetLayoutMessageHandler(previous);
}

std::wstring ReadUtf16(const ScratchFile& file)
{
    const std::string bytes = file.Read();
    std::wstring text(bytes.size() / 2, L'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * 2);
    return text;
}

TEST(LayoutPictureTest, WiringReportLines)
{
    CLayoutData layout;
    layout.ResetPorts(5, 64, CString(L"RGB"), 0);
    layout.m_width = 20;
    layout.m_height = 10;
    AddLamp(layout, 0, 0, 0);
    AddLamp(layout, 0, 1, 0);
    AddLamp(layout, 4, 2, 2);
    const CLPoint unused(5, 5); // counted per port, not in the lamps in use
    layout.GetPort(2).InsertPoints(&unused, 1);
    CLayoutProjectSettings settings;
    settings.m_controllers.RemoveAll();
    settings.m_controllers.Add(2);
    settings.m_controllers.Add(3);
    settings.m_controllers.Add(2); // promises two ports the layout lacks
    settings.m_controllerCount = 3;
    settings.m_lampFormat = L"RGBW";
    settings.m_portsPerController = 2;
    settings.m_channelsPerPort = 1024;
    ScratchFile file(L".txt");
    ASSERT_TRUE(WriteWiringReport(layout, settings, file));
    const std::wstring expected = L"\xFEFF"
                                  L"               工程布线详情(特殊工程中,参数仅做参考).\r\n\r\n\r\n"
                                  L"布线宽高: 20 x 10\r\n"
                                  L"工程灯具: RGBW\r\n"
                                  L"工程使用控制器数: 3\r\n"
                                  L"控制器端口数: 2\r\n"
                                  L"控制器端口通道数: 1024\r\n"
                                  L"工程使用灯数: 3\r\n"
                                  L"\r\n\r\n"
                                  L"控制器 1:\r\n"
                                  L"端口1 连接灯具数量: 2\r\n"
                                  L"端口2 连接灯具数量: 0\r\n"
                                  L"\r\n"
                                  L"控制器 2:\r\n"
                                  L"端口1 连接灯具数量: 1\r\n"
                                  L"端口2 连接灯具数量: 0\r\n"
                                  L"端口3 连接灯具数量: 1\r\n"
                                  L"\r\n"
                                  L"控制器 3:\r\n"
                                  L"端口1 连接灯具数量: 0\r\n"
                                  L"端口2 连接灯具数量: 0\r\n"
                                  L"\r\n";
    EXPECT_EQ(expected, ReadUtf16(file));
    EXPECT_FALSE(WriteWiringReport(layout, settings, L"Z:\\no\\such\\folder\\r.txt"));
}

} // namespace
