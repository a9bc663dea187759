// The template reader of the archive format on archives encoded by hand:
// versions 0, 1 and 2, the kind, the group size from the last controller,
// lamps beyond the stored points per port, refused files, lamps off the
// template's grid, and files of the archive writer read back, up to the
// largest template the format holds.
#include "ArchiveTestUtil.h"

#include <climits>

#include "TemplateArchive.h"

using namespace archivetest;

namespace {

struct Lamp {
    int x, y;
    DWORD nx, ny; // stored normalised positions (version 2)
};

struct StoredPort {
    int capacity;
    std::vector<Lamp> lamps;
};

// A whole template: header, fields 2 to 12, the ports, and from version 2
// the alignment and the normalised positions of the first `held` lamps of
// each port.
std::vector<BYTE> EncodeTemplate(int version, int kind, int pointsPerPort, int width, int height,
    const std::vector<int>& controllers, const std::vector<StoredPort>& ports)
{
    std::vector<BYTE> header(384, 0);
    header[0] = static_cast<BYTE>(version);
    header[1] = static_cast<BYTE>(kind);
    CArchiveEncoder e(header);
    e.Masked(static_cast<long long>(ports.size())).Masked(pointsPerPort).Masked(width).Masked(height);
    e.Masked(static_cast<long long>(controllers.size()));
    for (int c : controllers)
        e.Masked(c);
    e.Masked(2).Text(L"RGB").Text(L"RGBW").Text(L"RGB");
    for (int i = 0; i < 6; ++i)
        e.Masked(i + 1);
    e.Text(L"8 ports");
    for (const StoredPort& port : ports) {
        e.Plain(port.capacity).Masked(static_cast<long long>(port.lamps.size())).Text(L"RGB").Plain(0);
        for (const Lamp& lamp : port.lamps)
            e.Masked(lamp.x).Masked(lamp.y);
    }
    if (version >= 2) {
        e.Masked(1);
        for (const StoredPort& port : ports) {
            const size_t held = std::min(port.lamps.size(), static_cast<size_t>(std::min(pointsPerPort, 3072)));
            for (size_t i = 0; i < held; ++i)
                e.Masked(static_cast<long long>(port.lamps[i].nx)).Masked(static_cast<long long>(port.lamps[i].ny));
        }
    }
    return e.Bytes();
}

LayoutReadResult Load(const std::vector<BYTE>& bytes, CLayoutData& model, int& group)
{
    CByteBufferFile file(bytes);
    CArchive ar(&file, CArchive::load);
    return LoadTemplateArchive(ar, model, group);
}

} // namespace

TEST(TemplateArchive, VersionsKindsAndGroupSize)
{
    CEditorValuesGuard guard;
    const std::vector<StoredPort> ports = { { 16, {} }, { 16, { { 0, 0, 1234567, 7654321 }, { 9, 9, 10000000, 0 } } } };
    struct Case {
        const char* name;
        int version, kind;
        std::vector<int> controllers;
        int expectKind, expectGroup;
        double nx0, ny0; // first lamp of port 1
    };
    const Case cases[] = {
        { "version 0 leaves positions unset", 0, 3, { 2 }, 3, 2, kUnsetNormalised, kUnsetNormalised },
        { "version 1 centres on the cells", 1, 2, { 8, 3 }, 2, 3, 0.05, 0.05 },
        { "version 2 reads them", 2, 1, { 5, 7, 2 }, 1, 2, 0.1234567, 0.7654321 },
        { "a kind above 3 is a plain layout", 2, 7, { 2 }, 0, 2, 0.1234567, 0.7654321 },
        { "no controller keeps the group size", 2, 2, {}, 2, 99, 0.1234567, 0.7654321 },
    };
    for (const Case& c : cases) {
        CLayoutData model;
        int group = 99;
        ASSERT_EQ(Load(EncodeTemplate(c.version, c.kind, 16, 10, 10, c.controllers, ports), model, group),
            LayoutReadResult::Ok)
            << c.name;
        EXPECT_EQ(model.m_templateKind, c.expectKind) << c.name;
        EXPECT_EQ(group, c.expectGroup) << c.name;
        EXPECT_EQ(model.m_width, 10) << c.name;
        EXPECT_EQ(model.GetPortCount(), 2) << c.name;
        ASSERT_EQ(model.GetPort(1).GetCount(), 2) << c.name;
        EXPECT_EQ(model.GetPort(0).GetCount(), 0) << c.name;
        const CLPoint& first = model.GetPort(1).GetPoint(0);
        EXPECT_NEAR(first.m_normX, c.nx0, 1e-12) << c.name;
        EXPECT_NEAR(first.m_normY, c.ny0, 1e-12) << c.name;
        EXPECT_EQ(model.GetPort(1).GetPoint(1).x, 9) << c.name;
    }
}

TEST(TemplateArchive, LampsBeyondThePointsPerPortAreDroppedAndTheirPositionsNotRead)
{
    CEditorValuesGuard guard;
    // Points per port 2: the port of 3 stored lamps keeps 2, and only two
    // positions follow for it, then the next port's.
    const std::vector<StoredPort> ports
        = { { 3, { { 1, 1, 100, 200 }, { 2, 1, 300, 400 }, { 3, 1, 500, 600 } } }, { 3, { { 5, 5, 700, 800 } } } };
    CLayoutData model;
    int group = 0;
    ASSERT_EQ(Load(EncodeTemplate(2, 0, 2, 8, 8, { 2 }, ports), model, group), LayoutReadResult::Ok);
    ASSERT_EQ(model.GetPort(0).GetCount(), 2);
    EXPECT_NEAR(model.GetPort(0).GetPoint(1).m_normX, 300e-7, 1e-12);
    ASSERT_EQ(model.GetPort(1).GetCount(), 1);
    EXPECT_NEAR(model.GetPort(1).GetPoint(0).m_normX, 700e-7, 1e-12);
    EXPECT_NEAR(model.GetPort(1).GetPoint(0).m_normY, 800e-7, 1e-12);
}

TEST(TemplateArchive, RefusedFilesChangeNothing)
{
    CEditorValuesGuard guard;
    const std::vector<StoredPort> good = { { 4, { { 1, 1, 0, 0 } } } };
    std::vector<BYTE> shortFile = EncodeTemplate(2, 0, 4, 8, 8, { 1 }, good);
    shortFile.resize(shortFile.size() - 3);
    struct Case {
        const char* name;
        std::vector<BYTE> bytes;
    };
    const Case cases[] = {
        { "short", shortFile },
        { "header only", std::vector<BYTE>(384, 2) },
        { "no ports", EncodeTemplate(2, 0, 4, 8, 8, {}, {}) },
        { "no width", EncodeTemplate(2, 0, 4, 0, 8, { 1 }, good) },
        { "more lamps than room", EncodeTemplate(2, 0, 4, 8, 8, { 1 }, { { 0, { { 1, 1, 0, 0 } } } }) },
        { "a port beyond the format", EncodeTemplate(2, 0, 4, 8, 8, { 1 }, { { 5000, {} } }) },
    };
    for (const Case& c : cases) {
        CLayoutData model;
        model.ResetPorts(3, 8, CString(L"RGB"), 0);
        model.m_width = 33;
        int group = 42;
        EXPECT_EQ(Load(c.bytes, model, group), LayoutReadResult::Corrupt) << c.name;
        EXPECT_EQ(model.GetPortCount(), 3) << c.name;
        EXPECT_EQ(model.m_width, 33) << c.name;
        EXPECT_EQ(group, 42) << c.name;
    }
    // Without a lamp format to give the ports, nothing is read either.
    LampTypeList.RemoveAll();
    CLayoutData model;
    int group = 42;
    EXPECT_EQ(Load(EncodeTemplate(2, 0, 4, 8, 8, { 1 }, good), model, group), LayoutReadResult::Corrupt);
}

TEST(TemplateArchive, ReadsWhatTheArchiveWriterWrote)
{
    CEditorValuesGuard guard;
    CLayoutData source;
    CLayoutProjectSettings settings;
    BuildRichLayout(source, settings);
    CLayoutData model;
    int group = 0;
    ASSERT_EQ(Load(WriteArchive(source, settings), model, group), LayoutReadResult::Ok);
    EXPECT_EQ(model.m_templateKind, source.m_templateKind);
    EXPECT_EQ(group, 3);
    ASSERT_EQ(model.GetPortCount(), source.GetPortCount());
    for (int p = 0; p < source.GetPortCount(); ++p) {
        ASSERT_EQ(model.GetPort(p).GetCount(), source.GetPort(p).GetCount()) << p;
        for (int i = 0; i < source.GetPort(p).GetCount(); ++i) {
            EXPECT_TRUE(model.GetPort(p).GetPoint(i).SameCell(source.GetPort(p).GetPoint(i))) << p << " " << i;
            EXPECT_NEAR(model.GetPort(p).GetPoint(i).m_normX, source.GetPort(p).GetPoint(i).m_normX, 1e-7);
        }
    }
}

TEST(TemplateArchive, ALampOffTheTemplatesGridRefusesItInEveryVersion)
{
    CEditorValuesGuard guard;
    struct Case {
        const char* name;
        Lamp lamp; // the second lamp of a 10 x 8 template's only port
        LayoutReadResult expected;
    };
    const Case cases[] = {
        { "left of the grid", { -1, 0, 0, 0 }, LayoutReadResult::OffGrid },
        { "above the grid", { 0, -1, 0, 0 }, LayoutReadResult::OffGrid },
        { "on the column after the last", { 10, 0, 0, 0 }, LayoutReadResult::OffGrid },
        { "on the row after the last", { 0, 8, 0, 0 }, LayoutReadResult::OffGrid },
        { "far out", { 32877, 0, 0, 0 }, LayoutReadResult::OffGrid },
        { "at the extremes", { INT_MIN, INT_MAX, 0, 0 }, LayoutReadResult::OffGrid },
        { "on the last cell", { 9, 7, 0, 0 }, LayoutReadResult::Ok },
    };
    for (int version : { 0, 1, 2, 6 }) {
        for (const Case& c : cases) {
            const std::vector<StoredPort> stored = { { 4, { { 0, 0, 0, 0 }, c.lamp } } };
            CLayoutData model;
            model.ResetPorts(3, 8, CString(L"RGB"), 0);
            model.m_width = 33;
            int group = 42;
            EXPECT_EQ(Load(EncodeTemplate(version, 0, 4, 10, 8, { 1 }, stored), model, group), c.expected)
                << version << " " << c.name;
            if (c.expected == LayoutReadResult::Ok)
                continue;
            EXPECT_EQ(model.GetPortCount(), 3) << version << " " << c.name;
            EXPECT_EQ(model.m_width, 33) << version << " " << c.name;
            EXPECT_EQ(group, 42) << version << " " << c.name;
            // A lamp beyond the points per port is never kept, so it may lie
            // anywhere.
            CLayoutData kept;
            EXPECT_EQ(Load(EncodeTemplate(version, 0, 1, 10, 8, { 1 }, stored), kept, group), LayoutReadResult::Ok)
                << version << " " << c.name;
            EXPECT_EQ(kept.GetPort(0).GetCount(), 1) << version << " " << c.name;
        }
    }
}

TEST(TemplateArchive, WhatFitsTheTemplateFormatReadsBackAndNothingElseIsToBeWritten)
{
    CEditorValuesGuard guard;
    struct Case {
        const char* name;
        int width, height, pointsPerPort;
        CPoint lamp; // in port 0, beside one at (0, 0)
        bool fits;
    };
    const Case cases[] = {
        { "the largest grid, lamp in the far corner", 65535, 65535, 65535, { 65534, 65534 }, true },
        { "a one-cell grid", 1, 1, 2, { 0, 0 }, true },
        { "one column too wide", 65536, 100, 16, { 0, 0 }, false },
        { "one row too tall", 100, 65536, 16, { 0, 0 }, false },
        { "the widest layout grid", INT_MAX, INT_MAX, 16, { 5, 5 }, false },
        { "points per port beyond 16 bits", 100, 100, 65536, { 5, 5 }, false },
        { "a lamp off the grid", 100, 100, 16, { 100, 5 }, false },
        { "a lamp left of the grid", 100, 100, 16, { -1, 5 }, false },
    };
    CLayoutProjectSettings settings;
    settings.SetControllers(1, 2);
    for (const Case& c : cases) {
        CLayoutData source;
        source.ResetPorts(2, c.pointsPerPort, CString(L"RGB"), 0);
        source.m_width = c.width;
        source.m_height = c.height;
        const CLPoint lamps[2] = { CLPoint(0, 0), CLPoint(c.lamp.x, c.lamp.y) };
        source.GetPort(0).InsertPoints(lamps, 2);
        source.RebuildUsedPorts();
        EXPECT_EQ(FitsTemplateArchive(source), c.fits) << c.name;
        if (!c.fits)
            continue;
        CLayoutData model;
        int group = 0;
        ASSERT_EQ(Load(WriteArchive(source, settings), model, group), LayoutReadResult::Ok) << c.name;
        EXPECT_EQ(model.m_width, c.width) << c.name;
        EXPECT_EQ(model.m_height, c.height) << c.name;
        EXPECT_EQ(model.GetPointsPerPort(), c.pointsPerPort) << c.name;
        ASSERT_EQ(model.GetPort(0).GetCount(), 2) << c.name;
        EXPECT_TRUE(model.GetPort(0).GetPoint(1).IsAt(c.lamp.x, c.lamp.y)) << c.name;
    }
}
