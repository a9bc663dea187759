// Files that break the format's counts, lengths and limits: each is refused
// as a whole, leaves the model, the view and the editor-wide values as they
// were, and is read from a buffer whose end touches an inaccessible page.
// The limits themselves are accepted.
#include "SmallLayout.h"

#include <functional>
#include <string>

namespace {

void SetMaskedU16(std::vector<BYTE>& f, size_t at, unsigned value)
{
    f[at] = static_cast<BYTE>(value >> 8);
    f[at + 1] = static_cast<BYTE>((value & 0xFF) ^ 0x1F);
}

unsigned MaskedU16(const std::vector<BYTE>& f, size_t at)
{
    return (f[at] << 8) | (f[at + 1] ^ 0x1F);
}

// Replaces `remove` bytes at `at` with `insert` and adds the size change to
// the masked lengths of the enclosing blocks.
void Splice(std::vector<BYTE>& f, size_t at, size_t remove, const std::vector<BYTE>& insert,
    std::initializer_list<size_t> blocks)
{
    const long long change = static_cast<long long>(insert.size()) - static_cast<long long>(remove);
    for (size_t block : blocks)
        SetMaskedU16(f, block, static_cast<unsigned>(MaskedU16(f, block) + change));
    f.erase(f.begin() + static_cast<std::ptrdiff_t>(at), f.begin() + static_cast<std::ptrdiff_t>(at + remove));
    f.insert(f.begin() + static_cast<std::ptrdiff_t>(at), insert.begin(), insert.end());
}

std::vector<BYTE> Counted(unsigned n, BYTE fill)
{
    std::vector<BYTE> bytes = { static_cast<BYTE>(n >> 8), static_cast<BYTE>(n & 0xFF) };
    bytes.insert(bytes.end(), n, fill);
    return bytes;
}

// A table block of n entries.
std::vector<BYTE> Table(unsigned n, BYTE fill)
{
    std::vector<BYTE> bytes = { static_cast<BYTE>((4 + n) >> 8), static_cast<BYTE>(((4 + n) & 0xFF) ^ 0x1F) };
    const std::vector<BYTE> body = Counted(n, fill);
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}

// The small layout with its controllers replaced by counts adding up to
// `ports`, and its second port repeated until there are `ports` ports.
std::vector<BYTE> ManyPorts(int ports)
{
    std::vector<BYTE> f = SmallLayoutBytes();
    SetMaskedU16(f, kHeaderAt + 2, static_cast<unsigned>(ports));
    std::vector<BYTE> controllers;
    int left = ports;
    std::vector<BYTE> counts;
    while (left > 0) {
        const int n = std::min(left, 255);
        counts.push_back(static_cast<BYTE>(n ^ 0x1F));
        left -= n;
    }
    controllers.push_back(static_cast<BYTE>(counts.size() >> 8));
    controllers.push_back(static_cast<BYTE>((counts.size() & 0xFF) ^ 0x1F));
    controllers.insert(controllers.end(), counts.begin(), counts.end());
    const std::vector<BYTE> emptyPort(f.begin() + kPort1At, f.begin() + kCurvesAt);
    std::vector<BYTE> portBlocks;
    for (int p = 0; p < ports; ++p)
        portBlocks.insert(portBlocks.end(), emptyPort.begin(), emptyPort.end());
    Splice(f, kPort0At, kCurvesAt - kPort0At, portBlocks, {});
    Splice(f, kHeaderAt + 22, 3, controllers, { kHeaderAt });
    return f;
}

struct Case {
    const char* name;
    std::function<void(std::vector<BYTE>&)> edit;
    bool accepted; // a limit itself, read normally
};

const std::vector<Case>& Cases()
{
    static const std::vector<Case> cases = {
        { "header length below its own field", [](auto& f) { SetMaskedU16(f, kHeaderAt, 1); }, false },
        { "header length too short", [](auto& f) { SetMaskedU16(f, kHeaderAt, 60); }, false },
        { "header length one short", [](auto& f) { SetMaskedU16(f, kHeaderAt, 70); }, false },
        { "header length too long", [](auto& f) { SetMaskedU16(f, kHeaderAt, 72); }, false },
        { "header length past the file", [](auto& f) { SetMaskedU16(f, kHeaderAt, 0xFFFF); }, false },
        { "port block too short", [](auto& f) { SetMaskedU16(f, kPort0At, 10); }, false },
        { "port block one short", [](auto& f) { SetMaskedU16(f, kPort0At, 18); }, false },
        { "port block past the file", [](auto& f) { SetMaskedU16(f, kPort1At, 0x1000); }, false },
        { "brightness block shorter than its entries", [](auto& f) { SetMaskedU16(f, kPort0BrightnessAt, 5); }, false },
        { "gamma block past the file", [](auto& f) { SetMaskedU16(f, kPort1GammaAt, 300); }, false },
        { "lamp record too short", [](auto& f) { SetMaskedU16(f, kLampAAt, 28); }, false },
        { "lamp record past the file", [](auto& f) { SetMaskedU16(f, kLampBAt, 0x2000); }, false },
        { "more lamps than records", [](auto& f) { SetMaskedU16(f, kPort0At + 4, 3); }, false },
        { "zero ports", [](auto& f) { SetMaskedU16(f, kHeaderAt + 2, 0); }, false },
        { "zero points per port", [](auto& f) { SetMaskedU16(f, kHeaderAt + 4, 0); }, false },
        { "zero width", [](auto& f) { f[kHeaderAt + 9] = 0x1F; }, false },
        { "negative height", [](auto& f) { f[kHeaderAt + 10] = 0x80; }, false },
        { "controller counts below the ports", [](auto& f) { f[kHeaderAt + 24] = 1 ^ 0x1F; }, false },
        { "controller counts above the ports", [](auto& f) { f[kHeaderAt + 24] = 3 ^ 0x1F; }, false },
        { "more controllers than bytes", [](auto& f) { SetMaskedU16(f, kHeaderAt + 22, 200); }, false },
        { "project lamp format of 1024 bytes",
            [](auto& f) { Splice(f, kHeaderAt + 36, 5, Counted(1024, 'R'), { kHeaderAt }); }, false },
        { "project lamp format of 1023 bytes",
            [](auto& f) { Splice(f, kHeaderAt + 36, 5, Counted(1023, 'R'), { kHeaderAt }); }, true },
        { "lamp type of 1024 bytes", [](auto& f) { Splice(f, kHeaderAt + 26, 5, Counted(1024, 'G'), { kHeaderAt }); },
            false },
        { "controller model of 1024 bytes",
            [](auto& f) { Splice(f, kHeaderAt + 51, 4, Counted(1024, 'M'), { kHeaderAt }); }, false },
        { "controller model of 1022 bytes",
            [](auto& f) { Splice(f, kHeaderAt + 51, 4, Counted(1022, 'M'), { kHeaderAt }); }, true },
        { "port lamp format of 1024 bytes",
            [](auto& f) { Splice(f, kPort1At + 6, 5, Counted(1024, 'B'), { kPort1At }); }, false },
        { "port lamp format of 1023 bytes",
            [](auto& f) { Splice(f, kPort1At + 6, 5, Counted(1023, 'B'), { kPort1At }); }, true },
        { "brightness table of 6001 entries", [](auto& f) { Splice(f, kPort1BrightnessAt, 4, Table(6001, 90), {}); },
            false },
        { "brightness table of 6000 entries", [](auto& f) { Splice(f, kPort1BrightnessAt, 4, Table(6000, 90), {}); },
            true },
        { "gamma table of 6001 entries", [](auto& f) { Splice(f, kPort1GammaAt, 4, Table(6001, 1), {}); }, false },
        { "gamma table of 6000 entries", [](auto& f) { Splice(f, kPort1GammaAt, 4, Table(6000, 1), {}); }, true },
        { "five curves",
            [](auto& f) {
                f[kCurvesAt] = 5;
                f.insert(f.end(), 4 * 256, 9);
            },
            false },
        { "four curves",
            [](auto& f) {
                f[kCurvesAt] = 4;
                f.insert(f.end(), 3 * 256, 9);
            },
            true },
        { "curve data missing", [](auto& f) { f[kCurvesAt] = 2; }, false },
        { "5121 ports", [](auto& f) { f = ManyPorts(5121); }, false },
        { "5120 ports", [](auto& f) { f = ManyPorts(5120); }, true },
        { "65 rulers are cut to 60",
            [](auto& f) {
                std::vector<BYTE> rulers = { 0x00, 65 ^ 0x1F };
                for (int i = 0; i < 65; ++i)
                    rulers.insert(rulers.end(), { 0x00, static_cast<BYTE>(i) });
                Splice(f, kHeaderAt + 62, 4, rulers, { kHeaderAt });
            },
            true },
        { "unknown bytes at a block's end are stepped over",
            [](auto& f) {
                Splice(f, kPort0At + 19, 0, { 0xAA, 0xBB }, { kPort0At });
                Splice(f, kHeaderAt + 71, 0, { 0xCC }, { kHeaderAt });
            },
            true },
    };
    return cases;
}

class LayoutFileCorrupt : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A loaded layout that a refused file must leave as it is.
        BuildSmallLayout(m_model, m_view.m_settings);
        m_model.GetPort(1).m_brightness[7] = 1;
        m_model.m_templateKind = 1;
        LampTypeList.Add(L"BRG");
        GammaCurveTables.m_count = 2;
        m_before = Snapshot(m_model, m_view.m_settings);
    }

    void ExpectUnchanged() { EXPECT_EQ(Snapshot(m_model, m_view.m_settings), m_before); }

    CEditorValuesGuard m_guard;
    CLayoutData m_model;
    CTestLayoutView m_view;
    std::vector<BYTE> m_before;
};

TEST_F(LayoutFileCorrupt, EveryTruncationIsRefused)
{
    const std::vector<BYTE> whole = SmallLayoutBytes();
    for (size_t length = 0; length < whole.size(); ++length) {
        SCOPED_TRACE(length);
        const std::vector<BYTE> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        for (ILayoutFileView* view :
            { static_cast<ILayoutFileView*>(&m_view), static_cast<ILayoutFileView*>(nullptr) }) {
            const LayoutReadResult result
                = length == 0 ? ReadLayoutBytes(view, nullptr, 0, m_model) : ReadGuarded(view, cut, m_model);
            EXPECT_NE(result, LayoutReadResult::Ok);
            if (length == 0)
                EXPECT_EQ(result, LayoutReadResult::NotOpened);
            else if (length < kLayoutMagicSize)
                EXPECT_EQ(result, LayoutReadResult::NotLayout);
            else
                EXPECT_EQ(result, LayoutReadResult::Corrupt);
        }
        if (HasFailure())
            break;
    }
    ExpectUnchanged();
    EXPECT_EQ(m_view.m_resizes, 0);
}

TEST_F(LayoutFileCorrupt, BrokenCountsAndLengthsAreRefused)
{
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        std::vector<BYTE> f = SmallLayoutBytes();
        c.edit(f);
        if (c.accepted) {
            CLayoutData model; // without a view: the editor-wide values stay
            EXPECT_EQ(ReadGuarded(nullptr, f, model), LayoutReadResult::Ok);
            continue;
        }
        EXPECT_EQ(ReadGuarded(&m_view, f, m_model), LayoutReadResult::Corrupt);
        EXPECT_EQ(ReadGuarded(nullptr, f, m_model), LayoutReadResult::Corrupt);
        ExpectUnchanged();
    }
    EXPECT_EQ(m_view.m_resizes, 0);
}

TEST_F(LayoutFileCorrupt, AcceptedLimitsReadTheirValues)
{
    CLayoutData model;
    CTestLayoutView view;
    std::vector<BYTE> f = SmallLayoutBytes();
    Splice(f, kPort1At + 6, 5, Counted(1023, 'B'), { kPort1At });
    ASSERT_EQ(ReadGuarded(&view, f, model), LayoutReadResult::Ok);
    EXPECT_EQ(model.GetPort(1).m_lampFormat, CString(std::string(1023, 'B').c_str()));

    f = ManyPorts(5120);
    ASSERT_EQ(ReadGuarded(&view, f, model), LayoutReadResult::Ok);
    EXPECT_EQ(model.GetPortCount(), 5120);
    EXPECT_EQ(view.m_settings.m_controllers.GetSize(), 21);

    for (const Case& c : Cases()) {
        if (std::string(c.name) != "65 rulers are cut to 60")
            continue;
        f = SmallLayoutBytes();
        c.edit(f);
        ASSERT_EQ(ReadGuarded(&view, f, model), LayoutReadResult::Ok);
        ASSERT_EQ(view.m_settings.m_hRulers.GetSize(), 60);
        EXPECT_EQ(view.m_settings.m_hRulers[59], 59);
        EXPECT_EQ(view.m_settings.m_vRulers.GetSize(), 0); // read after the 65 entries
        EXPECT_EQ(LayoutLock, 1);
    }
}

TEST_F(LayoutFileCorrupt, LampsBeyondThePortsCapacityAreSteppedOver)
{
    std::vector<BYTE> f = SmallLayoutBytes();
    SetMaskedU16(f, kPort0CapacityAt, 1);
    CLayoutData model;
    CTestLayoutView view;
    ASSERT_EQ(ReadGuarded(&view, f, model), LayoutReadResult::Ok);
    ASSERT_EQ(model.GetPort(0).GetCount(), 1);
    EXPECT_EQ(model.GetPort(0).GetPoint(0).x, 1);
    // The port after the skipped record still reads in place.
    EXPECT_EQ(model.GetPort(1).m_lampFormat, CString(L"GRB"));
    EXPECT_EQ(model.GetPort(1).m_colour, 0x0000FF00u);
    EXPECT_EQ(GammaCurveTables.m_count, 1);
}

TEST_F(LayoutFileCorrupt, LampsBeyondTheLayoutsCapacityAreCut)
{
    std::vector<BYTE> f = SmallLayoutBytes();
    SetMaskedU16(f, kHeaderAt + 4, 1); // points per port
    CLayoutData model;
    CTestLayoutView view;
    ASSERT_EQ(ReadGuarded(&view, f, model), LayoutReadResult::Ok);
    EXPECT_EQ(model.GetPort(0).GetCapacity(), 1);
    EXPECT_EQ(model.GetPort(0).GetCount(), 1);
    EXPECT_EQ(model.GetPort(1).m_lampFormat, CString(L"GRB"));
}

TEST_F(LayoutFileCorrupt, FilesWithoutTheMagicAreNotLayouts)
{
    std::vector<BYTE> f = SmallLayoutBytes();
    f[0] = 'X';
    EXPECT_EQ(ReadGuarded(&m_view, f, m_model), LayoutReadResult::NotLayout);
    ExpectUnchanged();
    CTempPath empty(L"empty");
    ASSERT_TRUE(WriteFileBytes(empty.Path(), {}));
    EXPECT_EQ(ReadLayoutFile(&m_view, empty.Path(), m_model), LayoutReadResult::NotOpened);
    EXPECT_EQ(ReadLayoutFile(&m_view, empty.Path() + L".missing", m_model), LayoutReadResult::NotOpened);
    ExpectUnchanged();
    EXPECT_FALSE(FileHasLayoutMagic(empty.Path()));
}

} // namespace
