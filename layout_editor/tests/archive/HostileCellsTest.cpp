// Lamp cells from files that the file's own grid does not hold: the
// current-format reader (with a view and as a template preview), the archive
// reader and the template reader refuse such a file as a whole and change
// nothing; lamps far apart on a grid that holds them read back with their
// cells; a lamp that the reader leaves out (beyond the layout's points per
// port) is not looked at.
#include "ArchiveTestUtil.h"

#include <climits>

#include "TemplateArchive.h"

using namespace archivetest;

namespace {

constexpr BYTE kKey[kLayoutKeyBytes] = { 9, 8, 7, 6, 5 };

// A layout of the given grid whose port 0 holds the lamps in order, port 1
// one lamp at (0, 0).
void BuildLayout(CLayoutData& model, int width, int height, const std::vector<CPoint>& cells, int pointsPerPort = 16)
{
    model.m_width = width;
    model.m_height = height;
    model.ResetPorts(2, pointsPerPort, CString(L"RGB"), 0);
    for (const CPoint& cell : cells) {
        CLPoint lamp(cell.x, cell.y);
        lamp.m_normX = 0.25;
        lamp.m_normY = 0.5;
        model.GetPort(0).InsertPoints(&lamp, 1);
    }
    CLPoint other(0, 0);
    model.GetPort(1).InsertPoints(&other, 1);
    model.RebuildUsedPorts();
}

// The readers under test, each from the bytes its writer gives.
enum class Reader { Current, CurrentTemplate, Archive, Template };

const char* NameOf(Reader reader)
{
    switch (reader) {
    case Reader::Current:
        return "current format";
    case Reader::CurrentTemplate:
        return "current format as template";
    case Reader::Archive:
        return "archive";
    default:
        return "template";
    }
}

std::vector<BYTE> Write(Reader reader, const CLayoutData& model)
{
    CLayoutProjectSettings settings;
    settings.SetControllers(1, 2);
    if (reader == Reader::Archive || reader == Reader::Template)
        return WriteArchive(model, settings);
    std::vector<BYTE> bytes;
    EXPECT_EQ(BuildLayoutFileBytes(model, settings, kKey, bytes), LayoutWriteResult::Ok);
    return bytes;
}

LayoutReadResult Read(Reader reader, const std::vector<BYTE>& bytes, CReaderView& view, CLayoutData& model)
{
    switch (reader) {
    case Reader::Current:
        return ReadLayoutBytes(&view, bytes.data(), bytes.size(), model);
    case Reader::CurrentTemplate:
        return ReadLayoutBytes(nullptr, bytes.data(), bytes.size(), model);
    case Reader::Archive:
        return ReadArchive(&view, bytes, model);
    default: {
        CByteBufferFile file(bytes);
        CArchive ar(&file, CArchive::load);
        int group = 0;
        return LoadTemplateArchive(ar, model, group);
    }
    }
}

constexpr Reader kReaders[] = { Reader::Current, Reader::CurrentTemplate, Reader::Archive, Reader::Template };

} // namespace

TEST(HostileCells, ALampOffItsGridRefusesTheFileInEveryReaderAndChangesNothing)
{
    CEditorValuesGuard guard;
    struct Case {
        const char* name;
        std::vector<CPoint> cells; // port 0 of a 64 x 32 layout
    };
    const Case cases[] = {
        { "one column left of the grid", { { 0, 0 }, { -1, 5 } } },
        { "one row above the grid", { { 0, 0 }, { 5, -1 } } },
        { "on the column after the last", { { 63, 31 }, { 64, 0 } } },
        { "on the row after the last", { { 63, 31 }, { 0, 32 } } },
        { "far out to the right", { { 0, 0 }, { 32877, 0 } } },
        { "at the most negative cell", { { INT_MIN, INT_MIN } } },
        { "at the largest cell", { { INT_MAX, INT_MAX } } },
        { "as far apart as a cell can be", { { INT_MIN, INT_MIN }, { INT_MAX, INT_MAX } } },
        { "far apart across one axis", { { INT_MIN, 0 }, { INT_MAX, 0 } } },
    };
    for (Reader reader : kReaders) {
        for (const Case& c : cases) {
            CLayoutData hostile;
            BuildLayout(hostile, 64, 32, c.cells);
            const std::vector<BYTE> bytes = Write(reader, hostile);

            // What the editor holds before: another layout and its settings.
            CReaderView view;
            CLayoutData model;
            BuildRichLayout(model, view.m_settings);
            LayoutWidth = 64;
            LayoutHeight = 32;
            const std::vector<BYTE> before = Snapshot(model, view.m_settings);

            EXPECT_EQ(Read(reader, bytes, view, model), LayoutReadResult::OffGrid) << NameOf(reader) << ": " << c.name;
            EXPECT_EQ(Snapshot(model, view.m_settings), before) << NameOf(reader) << ": " << c.name;
            EXPECT_EQ(view.m_resizes, 0) << NameOf(reader) << ": " << c.name;
        }
    }
}

TEST(HostileCells, LampsAtTheGridsLimitsReadBackInEveryReader)
{
    CEditorValuesGuard guard;
    struct Case {
        const char* name;
        int width, height;
        std::vector<CPoint> cells;
        bool templateReads; // the template format holds sides up to 65535
    };
    const Case cases[] = {
        { "the four corners", 64, 32, { { 0, 0 }, { 63, 0 }, { 0, 31 }, { 63, 31 } }, true },
        { "a one-cell grid", 1, 1, { { 0, 0 } }, true },
        { "the widest template grid", 65535, 65535, { { 0, 0 }, { 65534, 65534 } }, true },
        { "the widest layout grid, lamps far apart", INT_MAX, INT_MAX,
            { { 0, 0 }, { INT_MAX - 1, INT_MAX - 1 }, { INT_MAX - 1, 0 } }, false },
    };
    for (Reader reader : kReaders) {
        for (const Case& c : cases) {
            CLayoutData source;
            BuildLayout(source, c.width, c.height, c.cells);
            CReaderView view;
            CLayoutData model;
            const LayoutReadResult result = Read(reader, Write(reader, source), view, model);
            if (reader == Reader::Template && !c.templateReads) {
                EXPECT_EQ(result, LayoutReadResult::Corrupt) << NameOf(reader) << ": " << c.name;
                continue;
            }
            ASSERT_EQ(result, LayoutReadResult::Ok) << NameOf(reader) << ": " << c.name;
            EXPECT_EQ(model.m_width, c.width) << NameOf(reader) << ": " << c.name;
            EXPECT_EQ(model.m_height, c.height) << NameOf(reader) << ": " << c.name;
            const LayoutPort& port = model.GetPort(0);
            ASSERT_EQ(port.GetCount(), static_cast<int>(c.cells.size())) << NameOf(reader) << ": " << c.name;
            for (size_t i = 0; i < c.cells.size(); ++i)
                EXPECT_TRUE(port.GetPoint(static_cast<int>(i)).IsAt(c.cells[i].x, c.cells[i].y))
                    << NameOf(reader) << ": " << c.name << " " << i;
            // The bounds enclose every lamp, however far apart.
            const CRect& bounds = port.GetBounds();
            for (const CPoint& cell : c.cells) {
                EXPECT_LT(bounds.left, cell.x) << NameOf(reader) << ": " << c.name;
                EXPECT_GE(bounds.right, cell.x) << NameOf(reader) << ": " << c.name;
            }
        }
    }
}

TEST(HostileCells, ALampTheLayoutHasNoRoomForIsNotLookedAt)
{
    CEditorValuesGuard guard;
    // Points per port 2 on ports of room 3: the third lamp is left out by
    // every reader, so where it lies does not matter.
    for (Reader reader : kReaders) {
        CLayoutData source;
        BuildLayout(source, 64, 32, { { 1, 1 }, { 2, 2 } }, 2);
        CLPoint beyond(INT_MIN, INT_MAX);
        source.GetPort(0).GrowCapacity(3);
        ASSERT_EQ(source.GetPort(0).InsertPoints(&beyond, 1), 1);
        CReaderView view;
        CLayoutData model;
        ASSERT_EQ(Read(reader, Write(reader, source), view, model), LayoutReadResult::Ok) << NameOf(reader);
        EXPECT_EQ(model.GetPort(0).GetCount(), 2) << NameOf(reader);
    }
}
