// The list panel's paste commands and layout templates on the running
// editor: paste enabled only with a copy, pasting at a port or a
// controller, saving port, controller and project templates into the
// template folder, the list, choosing a template (both file formats, a
// scrambled one decoded on disk), adding files from elsewhere; templates
// with lamps off their grid or off the layout's, and templates the format
// cannot hold.
#include "PanelTestSupport.h"

#include <fw_replacefile.h>

#include <climits>

#include "ByteBufferFile.h"
#include "FileScrambler.h"
#include "LayoutArchive.h"
#include "LayoutFile.h"
#include "LayoutFolders.h"
#include "LayoutLangText.h"
#include "ListPanelResource.h"

using namespace pannextest;

namespace {

std::vector<CPoint> CellsOf(const LayoutPort& port)
{
    std::vector<CPoint> cells;
    for (int i = 0; i < port.GetCount(); ++i)
        cells.emplace_back(port.GetPoint(i).x, port.GetPoint(i).y);
    return cells;
}

std::vector<CString> ListEntries(CListBox& list)
{
    std::vector<CString> out;
    for (int i = 0; i < list.GetCount(); ++i) {
        CString text;
        list.GetText(i, text);
        out.push_back(text);
    }
    return out;
}

bool Listed(CListBox& list, LPCWSTR name)
{
    for (const CString& entry : ListEntries(list))
        if (entry == name)
            return true;
    return false;
}

// A file of the template folder, deleted when the test ends.
struct TemplateFile {
    CString path;
    explicit TemplateFile(LPCWSTR name)
        : path(GetTemplateFolder() + name)
    {
        ::DeleteFileW(path);
    }
    ~TemplateFile() { ::DeleteFileW(path); }
};

std::vector<BYTE> ReadAll(const CString& path)
{
    std::vector<BYTE> bytes;
    ReadWholeFile(path, bytes);
    return bytes;
}

} // namespace

TEST_F(ListPanelTest, PasteIsOfferedOnlyWithACopyAndPastesAtThePortOrController)
{
    Build({ 4, 4 }, { 2, 0, 3, 1 });
    RightClickItem(PortItem(5));
    EXPECT_FALSE(m_panel.m_menus.back().Enabled(ID_PORT_PASTE));
    EXPECT_FALSE(m_panel.m_menus.back().Enabled(ID_PORT_PASTE_CROSS));
    RightClickItem(ControllerItem(1));
    EXPECT_FALSE(m_panel.m_menus.back().Enabled(ID_CARD_PASTE_APPEND));

    // A port copy pasted at another port.
    Command(PortItem(0), ID_PORT_COPY);
    RightClickItem(PortItem(5));
    for (UINT id : { ID_PORT_PASTE, ID_PORT_PASTE_APPEND, ID_PORT_PASTE_CROSS })
        EXPECT_TRUE(m_panel.m_menus.back().Enabled(id)) << id;
    Command(PortItem(5), ID_PORT_PASTE_APPEND);
    CLayoutData& model = Doc().GetLayout();
    EXPECT_EQ(CellsOf(model.GetPort(5)), CellsOf(model.GetPort(0)));

    // A controller copy keeps its empty port between the copied ones.
    Command(ControllerItem(0), ID_CARD_COPY);
    Command(ControllerItem(1), ID_CARD_PASTE);
    EXPECT_EQ(View().m_currentPort, 4);
    EXPECT_EQ(CellsOf(model.GetPort(4)), CellsOf(model.GetPort(0)));
    EXPECT_EQ(model.GetPort(5).GetCount(), 0); // overwritten by the empty port
    EXPECT_EQ(CellsOf(model.GetPort(6)), CellsOf(model.GetPort(2)));
    EXPECT_EQ(CellsOf(model.GetPort(7)), CellsOf(model.GetPort(3)));
    EXPECT_EQ(model.m_modified, 1);
}

TEST_F(ListPanelTest, APortSavedAsTemplateIsListedAndPlacedFromTheList)
{
    Build({ 4 }, { 0, 3 });
    TemplateFile file(L"pedit_port_test.lpx");
    // The name typed without the extension gets it.
    m_ui.ExpectFileSave(GetTemplateFolder() + L"pedit_port_test");
    Command(PortItem(1), ID_PORT_SAVE_TEMPLATE);
    EXPECT_EQ(m_ui.m_lastFileRequest.strFileName, L"Mod_");
    EXPECT_EQ(m_ui.m_lastFileRequest.strInitialDir, GetTemplateFolder());
    ASSERT_EQ(::GetFileAttributesW(file.path) != INVALID_FILE_ATTRIBUTES, true);
    // Saved straight into the folder: listed, nothing copied.
    EXPECT_TRUE(Listed(m_panel.m_lbTemplates, L"pedit_port_test"));

    // Choosing it fills the copy buffer as a port template at the top-left
    // of what the view shows of the layout.
    View().m_copyBuffer.Clear();
    ASSERT_TRUE(m_panel.LoadTemplate(file.path));
    const CLightBarTemplate& copy = View().m_copyBuffer;
    ASSERT_EQ(copy.m_ports.size(), 1u);
    EXPECT_EQ(CellsOf(copy.m_ports[0]), (std::vector<CPoint> { { 0, 0 }, { 1, 0 }, { 2, 0 } }));
    EXPECT_EQ(copy.m_templateMode, 1);
    const CLPoint corner = View().FirstVisibleCell();
    EXPECT_EQ(copy.m_left, corner.x);
    EXPECT_EQ(copy.m_top, corner.y);
    EXPECT_EQ(View().m_templateShown, 1);
}

TEST_F(ListPanelTest, AChosenTemplateAppearsWhereTheViewShowsTheLayout)
{
    // A 40 x 20 layout in a 400 x 300 view: fitted, it lies centred with
    // 50 pixels above and below it, where no template can be dropped.
    Build({ 4 }, { 0, 3 });
    TemplateFile file(L"pedit_visible_test.lpx");
    m_ui.ExpectFileSave(file.path);
    Command(PortItem(1), ID_PORT_SAVE_TEMPLATE);
    HWND hView = View().GetSafeHwnd();
    RECT window = {};
    RECT client = {};
    ::GetWindowRect(hView, &window);
    ::GetClientRect(hView, &client);
    ::SetWindowPos(hView, nullptr, 0, 0, 400 + (window.right - window.left) - client.right,
        300 + (window.bottom - window.top) - client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_EQ(View().m_clientWidth, 400);
    ASSERT_EQ(View().m_clientHeight, 300);
    View().ResizeLayout(40, 20);
    ASSERT_DOUBLE_EQ(View().m_zoom, 10.0);

    struct Row {
        const char* name;
        double zoom;
        CPoint layoutTopLeft; // where the layout's corner is put in the client
        CPoint cell; // the template's expected top-left cell
    };
    const Row rows[] = {
        { "fitted, margin above", 10, { 0, 50 }, { 0, 0 } },
        { "panned in, margins left and above", 10, { 30, 70 }, { 0, 0 } },
        { "zoomed in, the corner out of sight", 20, { -100, -60 }, { 5, 3 } },
        { "zoomed in, only the top out of sight", 20, { 15, -45 }, { 0, 2 } },
    };
    for (const Row& row : rows) {
        const CRect centred = CPannexView::LayoutRectInClient(400, 300, row.zoom, CPoint(0, 0));
        View().m_zoom = row.zoom;
        View().m_pan = row.layoutTopLeft - centred.TopLeft();
        ASSERT_EQ(View().LayoutRectInClient().TopLeft(), row.layoutTopLeft) << row.name;
        View().m_copyBuffer.Clear();
        ASSERT_TRUE(m_panel.LoadTemplate(file.path)) << row.name;
        const CLightBarTemplate& copy = View().m_copyBuffer;
        EXPECT_EQ(CPoint(copy.m_left, copy.m_top), row.cell) << row.name;
        // Inside the layout, and its first cell (its centre at least) inside
        // the client area.
        EXPECT_GE(copy.m_left, 0) << row.name;
        EXPECT_GE(copy.m_top, 0) << row.name;
        EXPECT_LE(copy.m_left + copy.m_width, 40) << row.name;
        const CPoint shown(static_cast<int>(row.layoutTopLeft.x + row.zoom * (copy.m_left + 0.5)),
            static_cast<int>(row.layoutTopLeft.y + row.zoom * (copy.m_top + 0.5)));
        EXPECT_TRUE(CRect(0, 0, 400, 300).PtInRect(shown)) << row.name << " at " << shown.x << ", " << shown.y;
        // The normalised corner goes with the cell (drops without grid
        // alignment use it).
        EXPECT_NEAR(copy.m_leastNormX * 40, copy.m_left + 0.5, 0.501) << row.name;
        EXPECT_NEAR(copy.m_leastNormY * 20, copy.m_top + 0.5, 0.501) << row.name;
        EXPECT_EQ(View().m_templateShown, 1) << row.name;
    }
}

TEST_F(ListPanelTest, ControllerAndProjectTemplatesKeepTheLiveKind)
{
    Build({ 4, 2 }, { 1, 2, 0, 0, 1, 1 });
    CLayoutData& model = Doc().GetLayout();
    model.m_templateKind = 0;
    TemplateFile controller(L"pedit_card_test.lpx");
    m_ui.ExpectFileSave(controller.path);
    Command(ControllerItem(1), ID_CARD_SAVE_TEMPLATE);
    TemplateFile project(L"pedit_project_test.lpx");
    m_ui.ExpectFileSave(project.path);
    Command(Tree().GetRootItem(), ID_ROOT_SAVE_TEMPLATE);
    EXPECT_EQ(model.m_templateKind, 0);

    // A project template that cannot be written: the message, the kind back.
    ASSERT_TRUE(::SetFileAttributesW(project.path, FILE_ATTRIBUTE_READONLY));
    m_ui.ExpectFileSave(project.path);
    m_ui.ExpectMessageBox(IDYES, L"pedit_project_test.lpx"); // the dialog's overwrite question
    m_ui.ExpectMessageBox(IDOK, GetLangText(L"LAYOUT", 168));
    Command(Tree().GetRootItem(), ID_ROOT_SAVE_TEMPLATE);
    EXPECT_EQ(model.m_templateKind, 0);
    ::SetFileAttributesW(project.path, FILE_ATTRIBUTE_NORMAL);

    // Read back: the controller template takes its controller's port count
    // as group size, the project template its port count.
    struct Case {
        CString path;
        int groupSize;
        size_t ports;
    };
    for (const Case& c : { Case { controller.path, 2, 2 }, Case { project.path, 6, 4 } }) {
        ASSERT_TRUE(m_panel.LoadTemplate(c.path)) << c.groupSize;
        EXPECT_EQ(View().m_copyBuffer.m_templateMode, c.groupSize) << c.groupSize;
        EXPECT_EQ(View().m_copyBuffer.m_ports.size(), c.ports) << c.groupSize;
    }
    EXPECT_EQ(m_ui.PendingCount(), 0u);
}

TEST_F(ListPanelTest, AScrambledArchiveTemplateIsDecodedOnDiskOnce)
{
    Build({ 4 }, { 2 });
    TemplateFile file(L"pedit_scrambled_test.lpx");
    {
        CLayoutData source;
        source.m_width = 30;
        source.m_height = 20;
        ASSERT_TRUE(source.ResetPorts(2, 16, CString(L"RGB"), 0));
        source.m_templateKind = 2;
        CLPoint a(4, 5);
        a.m_normX = 4.5 / 30;
        a.m_normY = 5.5 / 20;
        CLPoint b(6, 5);
        b.m_normX = 6.5 / 30;
        b.m_normY = 5.5 / 20;
        const CLPoint lamps[] = { a, b };
        source.GetPort(1).InsertPoints(lamps, 2);
        source.RebuildUsedPorts();
        CLayoutProjectSettings settings;
        settings.SetControllers(1, 2);
        CByteBufferFile buffer;
        {
            CArchive archive(&buffer, CArchive::store);
            WriteLayoutArchive(source, archive, settings);
            archive.Close();
        }
        std::vector<BYTE> bytes = buffer.Bytes();
        ScrambleBytes(bytes);
        ASSERT_TRUE(AfxWriteFileReplacing(file.path, bytes.data(), bytes.size()));
    }
    const size_t scrambledSize = ReadAll(file.path).size();
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(m_panel.LoadTemplate(file.path)) << round;
        const CLightBarTemplate& copy = View().m_copyBuffer;
        ASSERT_EQ(copy.m_ports.size(), 1u) << round;
        EXPECT_EQ(CellsOf(copy.m_ports[0]), (std::vector<CPoint> { { 0, 0 }, { 2, 0 } })) << round;
        EXPECT_EQ(copy.m_templateMode, 2) << round; // the last controller's ports
        EXPECT_EQ(ReadAll(file.path).size(), scrambledSize - kScrambleTrailerSize) << round;
    }
}

TEST_F(ListPanelTest, AddingATemplateFromElsewhereAsksBeforeReplacing)
{
    Build({ 4 }, { 1 });
    WCHAR temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const CString outside = CString(temp) + L"pedit_added_test.lpx";
    TemplateFile inside(L"pedit_added_test.lpx");
    ASSERT_TRUE(AfxWriteFileReplacing(outside, "new", 3));

    // Not there yet: copied, listed, no question.
    m_ui.ExpectFileOpen({ outside });
    fwtest::ClickButton(m_panel, IDC_PANEL_ADD_TEMPLATE);
    EXPECT_EQ(ReadAll(inside.path).size(), 3u);
    EXPECT_TRUE(Listed(m_panel.m_lbTemplates, L"pedit_added_test"));

    // There already: No keeps the folder's file, Yes replaces it.
    ASSERT_TRUE(AfxWriteFileReplacing(inside.path, "old!", 4));
    for (const bool yes : { false, true }) {
        m_ui.ExpectFileOpen({ outside });
        m_ui.ExpectMessageBox(
            yes ? IDYES : IDNO, GetLangText(L"LAYOUT", 160) + L"pedit_added_test " + GetLangText(L"LAYOUT", 161));
        fwtest::ClickButton(m_panel, IDC_PANEL_ADD_TEMPLATE);
        EXPECT_EQ(ReadAll(inside.path).size(), yes ? 3u : 4u) << yes;
    }
    ::DeleteFileW(outside);

    // A listed file that cannot be opened.
    m_ui.ExpectMessageBox(IDOK, GetLangText(L"LAYOUT", 168));
    EXPECT_FALSE(m_panel.LoadTemplate(GetTemplateFolder() + L"pedit_missing_test.lpx"));
    EXPECT_EQ(m_ui.PendingCount(), 0u);
}

TEST_F(ListPanelTest, TheTemplateButtonsWork)
{
    for (int id : { IDC_PANEL_ADD_TEMPLATE, IDC_PANEL_OPEN_TEMPLATE, IDC_PANEL_REFRESH_TEMPLATES })
        EXPECT_TRUE(m_panel.GetDlgItem(id)->IsWindowEnabled()) << id;
    EXPECT_EQ(m_panel.m_lbTemplates.GetStyle() & LBS_SORT, 0u);
    m_ui.ExpectShellOpen();
    fwtest::ClickButton(m_panel, IDC_PANEL_OPEN_TEMPLATE);
    ASSERT_FALSE(m_ui.Transcript().empty());
    EXPECT_EQ(m_ui.Transcript().back(), L"ShellOpen: " + GetTemplateFolder());

    TemplateFile file(L"pedit_refresh_test.lpx");
    ASSERT_TRUE(AfxWriteFileReplacing(file.path, "x", 1));
    EXPECT_FALSE(Listed(m_panel.m_lbTemplates, L"pedit_refresh_test"));
    fwtest::ClickButton(m_panel, IDC_PANEL_REFRESH_TEMPLATES);
    EXPECT_TRUE(Listed(m_panel.m_lbTemplates, L"pedit_refresh_test"));
}

TEST_F(ListPanelTest, TheSelectionSavedAsTemplateAsksOnlyForSeveralPorts)
{
    Build({ 4 }, { 3, 2, 1 });
    CLayoutData& model = Doc().GetLayout();
    TemplateFile file(L"pedit_selection_test.lpx");
    struct Case {
        std::vector<int> ports;
        bool asked;
    };
    for (const Case& c : { Case { { 1 }, false }, Case { { 0, 1, 2 }, true } }) {
        ::DeleteFileW(file.path);
        model.ClearSelection();
        for (int p : c.ports)
            SelectPort(model, p);
        if (c.asked) {
            CString question;
            question.Format(GetLangText(L"LAYOUT", 176), 3);
            m_ui.ExpectMessageBox(IDYES, question);
        }
        m_ui.ExpectFileSave(file.path);
        View().OnSaveAsTemplate();
        EXPECT_EQ(m_ui.PendingCount(), 0u) << c.asked;
        ASSERT_TRUE(m_panel.LoadTemplate(file.path)) << c.asked;
        EXPECT_EQ(View().m_copyBuffer.m_ports.size(), c.ports.size()) << c.asked;
        EXPECT_TRUE(Listed(m_panel.m_lbTemplates, L"pedit_selection_test"));
    }
    // Declining the question saves nothing.
    ::DeleteFileW(file.path);
    for (int p : { 0, 1, 2 })
        SelectPort(model, p);
    CString question;
    question.Format(GetLangText(L"LAYOUT", 176), 3);
    m_ui.ExpectMessageBox(IDNO, question);
    View().OnSaveAsTemplate();
    EXPECT_EQ(::GetFileAttributesW(file.path), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ListPanelTest, ATemplateIsTakenOnlyWithItsLampsOnItsGridAndPastedOnlyOntoTheLayoutsGrid)
{
    enum Outcome { Refused, NotPasted, Pasted };
    struct Case {
        const char* name;
        bool archive; // else the current format
        int width, height;
        std::vector<CPoint> cells;
        Outcome outcome;
    };
    // The live layout is 256 x 128 cells; the template is pasted at its
    // top-left cell.
    const Case cases[] = {
        { "archive, a lamp past its grid's right edge", true, 30, 20, { { 4, 5 }, { 30, 5 } }, Refused },
        { "archive, a lamp left of its grid", true, 30, 20, { { -1, 5 } }, Refused },
        { "current, lamps as far apart as cells go", false, 30, 20, { { INT_MIN, INT_MIN }, { INT_MAX, INT_MAX } },
            Refused },
        { "current, a lamp below its grid", false, 30, 20, { { 4, 20 } }, Refused },
        { "archive, on its wide grid but beyond the layout's", true, 40000, 10, { { 0, 0 }, { 32877, 0 } }, NotPasted },
        { "current, on its tall grid but beyond the layout's", false, 10, 60000, { { 0, 0 }, { 0, 128 } }, NotPasted },
        { "archive, fits", true, 30, 20, { { 4, 5 }, { 6, 5 } }, Pasted },
        { "current, fits at the layout's last cell", false, 300, 300, { { 0, 0 }, { 255, 127 } }, Pasted },
    };
    for (const Case& c : cases) {
        Build({ 4 }, { 2 });
        ASSERT_EQ(Doc().GetLayout().m_width, 256);
        TemplateFile file(L"pedit_hostile_test.lpx");
        {
            CLayoutData source;
            source.m_width = c.width;
            source.m_height = c.height;
            ASSERT_TRUE(source.ResetPorts(2, 16, CString(L"RGB"), 0));
            for (const CPoint& cell : c.cells) {
                CLPoint lamp(cell.x, cell.y);
                lamp.m_normX = (cell.x + 0.5) / c.width;
                lamp.m_normY = (cell.y + 0.5) / c.height;
                source.GetPort(0).InsertPoints(&lamp, 1);
            }
            source.RebuildUsedPorts();
            CLayoutProjectSettings settings;
            settings.SetControllers(1, 2);
            std::vector<BYTE> bytes;
            if (c.archive) {
                CByteBufferFile buffer;
                CArchive archive(&buffer, CArchive::store);
                WriteLayoutArchive(source, archive, settings);
                archive.Close();
                bytes = buffer.Bytes();
            } else {
                static const BYTE kKey[kLayoutKeyBytes] = { 2, 7, 1, 8, 2 };
                ASSERT_EQ(BuildLayoutFileBytes(source, settings, kKey, bytes), LayoutWriteResult::Ok) << c.name;
            }
            ASSERT_TRUE(AfxWriteFileReplacing(file.path, bytes.data(), bytes.size())) << c.name;
        }
        View().m_copyBuffer.Clear();
        View().m_templateShown = 0;
        if (c.outcome == Refused) {
            m_ui.ExpectMessageBox(IDOK, GetLangText(L"LAYOUT", 981));
            EXPECT_FALSE(m_panel.LoadTemplate(file.path)) << c.name;
            EXPECT_EQ(m_ui.PendingCount(), 0u) << c.name;
            EXPECT_TRUE(View().m_copyBuffer.m_ports.empty()) << c.name;
            EXPECT_EQ(View().m_templateShown, 0) << c.name;
            continue;
        }
        ASSERT_TRUE(m_panel.LoadTemplate(file.path)) << c.name;
        // Dragged to the layout's top-left cell.
        CLayoutData& model = Doc().GetLayout();
        CLightBarTemplate& copy = View().m_copyBuffer;
        copy.m_left = 0;
        copy.m_top = 0;
        copy.m_leastNormX = 0.5 / model.m_width;
        copy.m_leastNormY = 0.5 / model.m_height;
        const std::vector<CPoint> before = CellsOf(model.GetPort(1));
        if (c.outcome == NotPasted)
            m_ui.ExpectMessageBox(IDOK, GetLangText(L"LAYOUT", 982));
        Command(PortItem(1), ID_PORT_PASTE_APPEND);
        EXPECT_EQ(m_ui.PendingCount(), 0u) << c.name;
        if (c.outcome == NotPasted) {
            EXPECT_EQ(CellsOf(model.GetPort(1)), before) << c.name;
            EXPECT_EQ(model.m_modified, 0) << c.name;
            continue;
        }
        // The lamps keep their places relative to the template's first.
        std::vector<CPoint> expected = before;
        for (const CPoint& cell : c.cells)
            expected.emplace_back(cell.x - c.cells[0].x, cell.y - c.cells[0].y);
        EXPECT_EQ(CellsOf(model.GetPort(1)), expected) << c.name;
    }
}

TEST_F(ListPanelTest, ATemplateTheFormatCannotHoldIsNotWrittenAndTheUserIsTold)
{
    struct Case {
        const char* name;
        int width; // of the live layout, whose port 0 holds lamps at (0, 0) and (1, 0)
    };
    const Case cases[] = {
        { "wider than a template grid", 70000 },
        { "the widest layout grid", INT_MAX },
        { "a lamp past the grid's right edge", 1 },
    };
    for (const Case& c : cases) {
        for (UINT id : { ID_PORT_SAVE_TEMPLATE, ID_CARD_SAVE_TEMPLATE, ID_ROOT_SAVE_TEMPLATE }) {
            Build({ 4 }, { 2 });
            Doc().GetLayout().m_width = c.width;
            TemplateFile file(L"pedit_unwritable_test.lpx");
            m_ui.ExpectFileSave(file.path);
            m_ui.ExpectMessageBox(IDOK, GetLangText(L"LAYOUT", 983));
            const HTREEITEM item = id == ID_PORT_SAVE_TEMPLATE ? PortItem(0)
                : id == ID_CARD_SAVE_TEMPLATE                  ? ControllerItem(0)
                                                               : Tree().GetRootItem();
            Command(item, id);
            EXPECT_EQ(m_ui.PendingCount(), 0u) << c.name << " " << id;
            EXPECT_EQ(::GetFileAttributesW(file.path), INVALID_FILE_ATTRIBUTES) << c.name << " " << id;
            EXPECT_FALSE(Listed(m_panel.m_lbTemplates, L"pedit_unwritable_test")) << c.name << " " << id;
            EXPECT_EQ(Doc().GetLayout().m_templateKind, 0) << c.name << " " << id;
        }
        // The view's save-as-template of the selected lamps.
        Build({ 4 }, { 2 });
        Doc().GetLayout().m_width = c.width;
        SelectPort(Doc().GetLayout(), 0);
        TemplateFile file(L"pedit_unwritable_test.lpx");
        m_ui.ExpectFileSave(file.path);
        m_ui.ExpectMessageBox(IDOK, GetLangText(L"LAYOUT", 983));
        View().OnSaveAsTemplate();
        EXPECT_EQ(m_ui.PendingCount(), 0u) << c.name;
        EXPECT_EQ(::GetFileAttributesW(file.path), INVALID_FILE_ATTRIBUTES) << c.name;
    }
}
