// Recording test fixture (see RecorderFixture.h).
#include "RecorderFixture.h"

namespace corvane_test {

TestLayout TinyLayout(const wchar_t* format)
{
    TestLayout layout;
    layout.width = 4;
    layout.height = 2;
    layout.lampTypes = { format };
    layout.projectFormat = format;
    TestPort a, b, c;
    a.format = b.format = c.format = format;
    a.lamps = { Lamp(0, 0), Lamp(1, 0) };
    b.lamps = { Lamp(2, 0) };
    c.lamps = { Lamp(0, 1), Lamp(3, 1) };
    layout.controllers = { { a, b }, { c } };
    return layout;
}

std::vector<std::uint8_t> TinyFrame(int f, int width, int height)
{
    std::vector<std::uint8_t> pixels(std::size_t(width * height * 4 + 4), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = pixels.data() + (x + width * y) * 4;
            p[0] = std::uint8_t(10 * f + x);
            p[1] = std::uint8_t(20 + y);
            p[2] = std::uint8_t(100 + x + 4 * y + f);
        }
    }
    return pixels;
}

void CRecorderTest::SetUp()
{
    CreateDirectoryW((m_folder.Path() + L"\\TF").c_str(), nullptr);
    SetProgramFolderOverride((m_folder.Path() + L"\\").c_str());
    m_adapters = std::make_unique<CFakeAdapters>(
        std::vector<FakeAdapter> { { "127.0.0.1", "255.0.0.0", { 0x02, 0x11, 0x22, 0x33, 0x44, 0x55 }, "loop" } });
    LEDGetAdapterInfo(); // the library reads the fake list
    LEDSetScreenNum(0);
    ASSERT_EQ(LEDNewScreen(), 1);
    LEDSetSecurityFlag(0);
    LEDSetProtocalVersion(3);
    m_layoutPath = std::wstring(ScreenLayoutPath(1));
}

void CRecorderTest::TearDown()
{
    COfflineShowFile::SetWriteBudgetForTests(-1);
    CStringArray cards;
    LEDRecordingStop(PlainSettings(cards));
    LEDSetFourColor(0, 0, 0);
    LEDSetScreenNum(0);
    LEDSetSecurityFlag(1);
    SetProgramFolderOverride(CString());
    m_adapters.reset();
}

void CRecorderTest::LoadLayout(const TestLayout& layout, bool group)
{
    WriteBytes(m_layoutPath, CurrentLayoutBytes(layout));
    CLEDScreen* screen = Library().screens.Screen(1);
    ASSERT_NE(screen, nullptr);
    ASSERT_EQ(screen->ReadLayout(CString(m_layoutPath.c_str())), 1);
    if (group) {
        ASSERT_EQ(LEDSetGroup(1, 1, 1, 1, 1), 0);
    }
}

RecordingSettings PlainSettings(const CStringArray& cards)
{
    RecordingSettings s {};
    s.cardStrings = &cards;
    return s;
}

} // namespace corvane_test
