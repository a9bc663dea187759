// Saving: the target is replaced only by a complete file, failures are
// reported (and shown through the message hook), and the background image
// path goes to "Other.ini".
#include "SmallLayout.h"

#include <fw_replacefile.h>

#include "AppPaths.h"
#include "LayoutLangText.h"
#include "LayoutMessages.h"

namespace {

struct Message {
    CString text;
    CString caption;
    bool hasCaption;
};
std::vector<Message> g_messages;

void RecordMessage(LPCWSTR text, LPCWSTR caption)
{
    g_messages.push_back({ text, caption == nullptr ? CString() : CString(caption), caption != nullptr });
}

class LayoutFileWrite : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_messages.clear();
        m_previous = SetLayoutMessageHandler(&RecordMessage);
        BuildSmallLayout(m_model, m_settings);
    }
    void TearDown() override { SetLayoutMessageHandler(m_previous); }

    CEditorValuesGuard m_guard;
    LayoutMessageHandler m_previous = nullptr;
    CLayoutData m_model;
    CLayoutProjectSettings m_settings;
};

bool Exists(const CString& path)
{
    return ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

TEST_F(LayoutFileWrite, ReplacesAnOlderFileWholeAndLeavesNoTemporary)
{
    CTempPath path(L"replace");
    ASSERT_TRUE(WriteFileBytes(path.Path(), std::vector<BYTE>(5000, 0xAB))); // longer than the layout
    ASSERT_EQ(WriteLayoutFile(m_model, path.Path(), m_settings, kSmallKey), LayoutWriteResult::Ok);
    EXPECT_EQ(FileBytes(path.Path()), SmallLayoutBytes());
    EXPECT_FALSE(Exists(AfxReplacementTempPath(path.Path())));
    EXPECT_TRUE(g_messages.empty());
}

TEST_F(LayoutFileWrite, AFileThatCannotBeCreatedIsReportedAndNothingIsWritten)
{
    const CString path = TempFolder() + L"layoutfile_no_such_folder\\x.lpx";
    EXPECT_EQ(WriteLayoutFile(m_model, path, m_settings, kSmallKey), LayoutWriteResult::NotCreated);
    EXPECT_FALSE(Exists(path));
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0].text, GetLangText(L"LAYOUT", 168));
    EXPECT_EQ(g_messages[0].caption, CString(L"Solvane"));
}

TEST_F(LayoutFileWrite, AFailedReplacementKeepsThePreviousLayout)
{
    CTempPath path(L"locked");
    const std::vector<BYTE> previous = SmallLayoutBytes();
    ASSERT_TRUE(WriteFileBytes(path.Path(), previous));
    m_model.GetPort(1).m_colour = 0x123456;
    {
        // Another program holds the file open without sharing it.
        HANDLE held = ::CreateFileW(path.Path(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        EXPECT_EQ(WriteLayoutFile(m_model, path.Path(), m_settings, kSmallKey), LayoutWriteResult::NotCreated);
        ::CloseHandle(held);
    }
    EXPECT_EQ(FileBytes(path.Path()), previous);
    EXPECT_FALSE(Exists(AfxReplacementTempPath(path.Path())));
    EXPECT_EQ(g_messages.size(), 1u);
}

TEST_F(LayoutFileWrite, ALayoutTheFormatCannotHoldIsRefused)
{
    CTempPath path(L"refused");
    const std::vector<BYTE> previous(100, 1);
    ASSERT_TRUE(WriteFileBytes(path.Path(), previous));
    struct Row {
        const char* name;
        void (*spoil)(CLayoutData&, CLayoutProjectSettings&);
    };
    const Row rows[] = {
        { "controllers not adding up", [](CLayoutData&, CLayoutProjectSettings& s) { s.SetControllers(1, 3); } },
        { "a controller of 256 ports",
            [](CLayoutData& m, CLayoutProjectSettings& s) {
                m.ResetPorts(256, 4, CString(L"RGB"), 0);
                s.SetControllers(1, 256);
            } },
        { "a lamp format of 1024 bytes",
            [](CLayoutData& m, CLayoutProjectSettings&) { m.GetPort(0).m_lampFormat = CString(L'R', 1024); } },
        { "a controller model of 512 characters",
            [](CLayoutData&, CLayoutProjectSettings& s) { s.m_controllerModel = CString(L'M', 512); } },
        { "five curves", [](CLayoutData&, CLayoutProjectSettings&) { GammaCurveTables.m_count = 5; } },
        { "256 lamp formats",
            [](CLayoutData&, CLayoutProjectSettings&) {
                for (int i = 0; i < 254; ++i)
                    LampTypeList.Add(L"RGB");
            } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CEditorValuesGuard::Reset();
        CLayoutData model;
        CLayoutProjectSettings settings;
        BuildSmallLayout(model, settings);
        row.spoil(model, settings);
        g_messages.clear();
        EXPECT_EQ(WriteLayoutFile(model, path.Path(), settings, kSmallKey), LayoutWriteResult::Unrepresentable);
        EXPECT_EQ(FileBytes(path.Path()), previous);
        ASSERT_EQ(g_messages.size(), 1u);
        // The message says that the format cannot hold the layout, not that
        // the file could not be written.
        EXPECT_EQ(g_messages[0].text, GetLangText(L"LAYOUT", 901));
        EXPECT_NE(g_messages[0].text, GetLangText(L"LAYOUT", 168));
    }
}

TEST_F(LayoutFileWrite, TheBackgroundImagePathGoesToOtherIni)
{
    CTempPath path(L"background");
    m_settings.m_backgroundImage = L"C:\\pictures\\stage.png";
    ASSERT_EQ(WriteLayoutFile(m_model, path.Path(), m_settings), LayoutWriteResult::Ok);
    WCHAR value[512] = {};
    ::GetPrivateProfileStringW(L"Layout", L"strBKImg", L"", value, 512, GetConfigFolder() + L"Other.ini");
    EXPECT_STREQ(value, L"C:\\pictures\\stage.png");

    // Also when the file itself could not be created.
    m_settings.m_backgroundImage = L"second.png";
    EXPECT_EQ(WriteLayoutFile(m_model, TempFolder() + L"layoutfile_no_such_folder\\y.lpx", m_settings),
        LayoutWriteResult::NotCreated);
    ::GetPrivateProfileStringW(L"Layout", L"strBKImg", L"", value, 512, GetConfigFolder() + L"Other.ini");
    EXPECT_STREQ(value, L"second.png");
}

TEST_F(LayoutFileWrite, PointsPerPortAboveSixteenBitsIsBounded)
{
    CLayoutData model;
    model.ResetPorts(2, 70000, CString(L"RGB"), 0);
    m_settings.SetControllers(1, 2);
    std::vector<BYTE> bytes;
    ASSERT_EQ(BuildLayoutFileBytes(model, m_settings, kSmallKey, bytes), LayoutWriteResult::Ok);
    EXPECT_EQ(bytes[kHeaderAt + 4], 0xFF);
    EXPECT_EQ(bytes[kHeaderAt + 5], 0xFF ^ 0x1F);
    CLayoutData read;
    ASSERT_EQ(ReadGuarded(nullptr, bytes, read), LayoutReadResult::Ok);
    EXPECT_EQ(read.GetPort(0).GetCapacity(), kMaxPortPoints);
}

} // namespace
