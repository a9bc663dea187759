// Random layouts written and read back: every field the format carries
// comes back; two saves differ only in their key and masked bytes.
#include "LayoutFileTestUtil.h"

#include <random>

namespace {

class LayoutFileRoundTrip : public ::testing::Test {
protected:
    CEditorValuesGuard m_guard;
};

CString RandomText(std::mt19937& random, int maxLength)
{
    std::uniform_int_distribution<int> length(0, maxLength);
    std::uniform_int_distribution<int> letter('!', '~');
    CString text;
    for (int i = length(random); i > 0; --i)
        text += static_cast<wchar_t>(letter(random));
    return text;
}

// Builds a random layout, its view settings and editor-wide values.
void RandomLayout(std::mt19937& random, CLayoutData& model, CLayoutProjectSettings& settings)
{
    auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const int controllers = pick(1, 6);
    settings.SetControllers(controllers, 0);
    int ports = 0;
    for (int c = 0; c < controllers; ++c) {
        const int n = pick(0, 9);
        settings.m_controllers.SetAt(c, static_cast<WORD>(n));
        ports += n;
    }
    if (ports == 0) {
        settings.m_controllers.SetAt(0, 1);
        ports = 1;
    }
    const int pointsPerPort = pick(1, 40);
    model.ResetPorts(ports, pointsPerPort, CString(L"RGB"), 0);
    model.m_width = pick(1, 5000);
    model.m_height = pick(1, 5000);
    model.m_templateKind = static_cast<BYTE>(pick(0, 3));
    for (int p = 0; p < ports; ++p) {
        LayoutPort record;
        record.Allocate(pointsPerPort);
        record.m_colour = static_cast<COLORREF>(random());
        record.m_lampFormat = RandomText(random, 12);
        record.m_lampFormatIndex = pick(0, 255);
        record.m_dataReversed = static_cast<BYTE>(pick(0, 1));
        for (int i = pick(0, 3); i > 0; --i)
            record.m_brightness[static_cast<size_t>(pick(0, kPortTableSize - 1))] = static_cast<BYTE>(pick(0, 255));
        for (int i = pick(0, 3); i > 0; --i)
            record.m_gamma[static_cast<size_t>(pick(0, kPortTableSize - 1))] = static_cast<BYTE>(pick(0, 4));
        std::vector<CLPoint> lamps;
        for (int i = pick(0, std::min(pointsPerPort, 30)); i > 0; --i) {
            // Anywhere on the grid: a lamp off it makes the file refused.
            CLPoint lamp(pick(0, model.m_width - 1), pick(0, model.m_height - 1));
            lamp.m_normX = pick(0, 9) == 0 ? kUnsetNormalised : std::uniform_real_distribution<double>(-2, 2)(random);
            lamp.m_normY = pick(0, 9) == 0 ? kUnsetNormalised : std::uniform_real_distribution<double>(-2, 2)(random);
            lamp.m_lampFormat = static_cast<BYTE>(pick(0, 255));
            lamp.m_masked = static_cast<BYTE>(pick(0, 1));
            lamp.m_layer = static_cast<BYTE>(pick(0, 255));
            lamps.push_back(lamp);
        }
        record.InsertPoints(lamps.data(), static_cast<int>(lamps.size()));
        model.AppendLoadedPort(record);
    }

    settings.m_lampFormat = RandomText(random, 20);
    settings.m_portsPerController = pick(0, 65535);
    settings.m_channelsPerPort = pick(0, 65535);
    settings.m_lampsPerPort = pick(0, 65535);
    settings.m_doubleSided = pick(0, 1);
    settings.m_showGrid = pick(0, 1);
    settings.m_allowOverlap = pick(0, 1);
    settings.m_allowMaxLamps = pick(0, 1);
    settings.m_controllerModel = RandomText(random, 30);
    if (pick(0, 1) == 1)
        settings.m_controllerModel += L"\x4E2D\x6587"; // wide characters survive as UTF-16
    settings.m_showXY = pick(0, 1);
    settings.m_randomColours = pick(0, 1);
    settings.m_swatchColour = static_cast<COLORREF>(random());
    for (int i = pick(0, kMaxRulers); i > 0; --i)
        settings.m_hRulers.Add(static_cast<WORD>(pick(0, 65535)));
    for (int i = pick(0, kMaxRulers); i > 0; --i)
        settings.m_vRulers.Add(static_cast<WORD>(pick(0, 65535)));
    settings.m_dataOffset = pick(0, 65535);

    LampTypeList.RemoveAll();
    for (int i = pick(0, 8); i > 0; --i)
        LampTypeList.Add(RandomText(random, 16));
    AlignToGrid = pick(0, 1);
    LayoutLock = pick(0, 1);
    WireSelectedPortDirectly = pick(0, 1);
    ManualTracing = pick(0, 1);
    GammaCurveTables.m_count = pick(0, kMaxUserCurves);
    for (auto& curve : GammaCurveTables.m_curves)
        for (BYTE& level : curve)
            level = static_cast<BYTE>(pick(0, 255));
}

double Stored(double value)
{
    return DecodeNormalised(EncodeNormalised(value));
}

void ExpectSamePorts(const CLayoutData& written, const CLayoutData& read)
{
    ASSERT_EQ(read.GetPortCount(), written.GetPortCount());
    EXPECT_EQ(read.GetPointsPerPort(), written.GetPointsPerPort());
    EXPECT_EQ(read.m_width, written.m_width);
    EXPECT_EQ(read.m_height, written.m_height);
    ASSERT_EQ(read.GetUsedCount(), written.GetPortCount());
    for (int p = 0; p < written.GetPortCount(); ++p) {
        SCOPED_TRACE(p);
        const LayoutPort& a = written.GetPort(p);
        const LayoutPort& b = read.GetPort(p);
        EXPECT_EQ(read.GetUsedPort(p), p);
        EXPECT_EQ(b.GetCapacity(), a.GetCapacity());
        EXPECT_EQ(b.m_colour, a.m_colour);
        EXPECT_EQ(b.m_lampFormat, a.m_lampFormat);
        EXPECT_EQ(b.m_lampFormatIndex, a.m_lampFormatIndex);
        EXPECT_EQ(b.m_dataReversed, a.m_dataReversed);
        EXPECT_EQ(b.m_brightness, a.m_brightness);
        EXPECT_EQ(b.m_gamma, a.m_gamma);
        const bool adjusted = a.m_brightness != std::vector<BYTE>(kPortTableSize, 100)
            || a.m_gamma != std::vector<BYTE>(kPortTableSize, 0);
        EXPECT_EQ(b.m_adjusted, adjusted ? 1 : 0);
        ASSERT_EQ(b.GetCount(), a.GetCount());
        for (int i = 0; i < a.GetCount(); ++i) {
            const CLPoint& x = a.GetPoint(i);
            const CLPoint& y = b.GetPoint(i);
            EXPECT_EQ(y.x, x.x);
            EXPECT_EQ(y.y, x.y);
            EXPECT_EQ(y.m_normX, Stored(x.m_normX));
            EXPECT_EQ(y.m_normY, Stored(x.m_normY));
            EXPECT_EQ(y.m_lampFormat, x.m_lampFormat);
            EXPECT_EQ(y.m_masked, x.m_masked);
            EXPECT_EQ(y.m_layer, x.m_layer);
        }
    }
}

TEST_F(LayoutFileRoundTrip, RandomLayoutsComeBackWhole)
{
    std::mt19937 random(20240611);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        CLayoutData model;
        CLayoutProjectSettings settings;
        RandomLayout(random, model, settings);
        const CStringArray* types = &LampTypeList;
        std::vector<CString> lampTypes(types->GetData(), types->GetData() + types->GetSize());
        const int align = AlignToGrid, lock = LayoutLock, wire = WireSelectedPortDirectly, tracing = ManualTracing;
        const CGammaCurveTables curves = GammaCurveTables;

        CTempPath path(L"random");
        ASSERT_EQ(WriteLayoutFile(model, path.Path(), settings), LayoutWriteResult::Ok);
        CEditorValuesGuard::Reset();

        CLayoutData read;
        CTestLayoutView view;
        ASSERT_EQ(ReadLayoutFile(&view, path.Path(), read), LayoutReadResult::Ok);
        ExpectSamePorts(model, read);
        const CLayoutProjectSettings& s = view.m_settings;
        ASSERT_EQ(s.m_controllers.GetSize(), settings.m_controllers.GetSize());
        for (INT_PTR c = 0; c < s.m_controllers.GetSize(); ++c)
            EXPECT_EQ(s.m_controllers[c], settings.m_controllers[c]);
        EXPECT_EQ(s.m_controllerCount, settings.m_controllers.GetSize());
        EXPECT_EQ(s.m_lampFormat, settings.m_lampFormat);
        EXPECT_EQ(s.m_portsPerController, settings.m_portsPerController);
        EXPECT_EQ(s.m_channelsPerPort, settings.m_channelsPerPort);
        EXPECT_EQ(s.m_lampsPerPort, settings.m_lampsPerPort);
        EXPECT_EQ(s.m_doubleSided, settings.m_doubleSided);
        EXPECT_EQ(s.m_showGrid, settings.m_showGrid);
        EXPECT_EQ(s.m_allowOverlap, settings.m_allowOverlap);
        EXPECT_EQ(s.m_allowMaxLamps, settings.m_allowMaxLamps);
        EXPECT_EQ(s.m_controllerModel, settings.m_controllerModel);
        EXPECT_EQ(s.m_showXY, settings.m_showXY);
        EXPECT_EQ(s.m_randomColours, settings.m_randomColours);
        EXPECT_EQ(s.m_swatchColour, settings.m_swatchColour);
        ASSERT_EQ(s.m_hRulers.GetSize(), settings.m_hRulers.GetSize());
        for (INT_PTR i = 0; i < s.m_hRulers.GetSize(); ++i)
            EXPECT_EQ(s.m_hRulers[i], settings.m_hRulers[i]);
        ASSERT_EQ(s.m_vRulers.GetSize(), settings.m_vRulers.GetSize());
        for (INT_PTR i = 0; i < s.m_vRulers.GetSize(); ++i)
            EXPECT_EQ(s.m_vRulers[i], settings.m_vRulers[i]);
        EXPECT_EQ(s.m_dataOffset, settings.m_dataOffset);
        EXPECT_EQ(
            std::vector<CString>(LampTypeList.GetData(), LampTypeList.GetData() + LampTypeList.GetSize()), lampTypes);
        EXPECT_EQ(AlignToGrid, align);
        EXPECT_EQ(LayoutLock, lock);
        EXPECT_EQ(WireSelectedPortDirectly, wire);
        EXPECT_EQ(ManualTracing, tracing);
        ASSERT_EQ(GammaCurveTables.m_count, curves.m_count);
        for (int c = 0; c < curves.m_count; ++c)
            EXPECT_EQ(std::vector<BYTE>(GammaCurveTables.m_curves[c], GammaCurveTables.m_curves[c] + kCurveEntries),
                std::vector<BYTE>(curves.m_curves[c], curves.m_curves[c] + kCurveEntries));

        // Without a view the template kind comes back too.
        CLayoutData preview;
        ASSERT_EQ(ReadLayoutFile(nullptr, path.Path(), preview), LayoutReadResult::Ok);
        EXPECT_EQ(preview.m_templateKind, model.m_templateKind);
        ExpectSamePorts(model, preview);
        if (HasFailure())
            break;
    }
}

TEST_F(LayoutFileRoundTrip, TwoSavesDifferOnlyInKeyAndMaskedBytes)
{
    std::mt19937 random(7);
    CLayoutData model;
    CLayoutProjectSettings settings;
    RandomLayout(random, model, settings);
    CTempPath first(L"save1");
    CTempPath second(L"save2");
    ASSERT_EQ(WriteLayoutFile(model, first.Path(), settings), LayoutWriteResult::Ok);
    ASSERT_EQ(WriteLayoutFile(model, second.Path(), settings), LayoutWriteResult::Ok);
    const std::vector<BYTE> a = FileBytes(first.Path());
    const std::vector<BYTE> b = FileBytes(second.Path());
    ASSERT_EQ(a.size(), b.size());
    EXPECT_NE(std::vector<BYTE>(a.begin() + 12, a.begin() + 17), std::vector<BYTE>(b.begin() + 12, b.begin() + 17));
    BYTE ka = 0, kb = 0;
    for (int i = 12; i < 17; ++i) {
        ka ^= a[static_cast<size_t>(i)];
        kb ^= b[static_cast<size_t>(i)];
    }
    // Every other byte is equal, or differs by exactly the two keys' XOR.
    for (size_t i = 17; i < a.size(); ++i) {
        if (a[i] != b[i]) {
            ASSERT_EQ(a[i] ^ b[i], ka ^ kb) << i;
        }
    }
    CLayoutData readA, readB;
    ASSERT_EQ(ReadLayoutFile(nullptr, first.Path(), readA), LayoutReadResult::Ok);
    ASSERT_EQ(ReadLayoutFile(nullptr, second.Path(), readB), LayoutReadResult::Ok);
    ExpectSamePorts(readA, readB);
}

} // namespace
