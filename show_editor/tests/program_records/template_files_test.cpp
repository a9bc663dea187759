// The template files byte for byte and read back, and the libraries loaded
// from their folders.
#include <gtest/gtest.h>

#include "records_test_support.h"
#include "template_files.h"
#include "template_library.h"

#include "ExeFolder.h"

namespace {

const char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

struct CTemplates {
    ColorTemplateList list;
    ~CTemplates() { FreeColorTemplates(list); }
};

TEST(TemplateFiles, ColorTemplateFileByteForByte)
{
    CTempFolder folder(L"pr_ct");
    CTemplates templates;
    auto* solid = new ColorTemplate;
    solid->m_changeMode = 1;
    solid->m_colors.Add(255);
    solid->m_colors.Add(65280);
    templates.list.Add(solid);
    const CString path = folder.File(L"one.ct");
    ASSERT_TRUE(WriteColorTemplateFile(path, templates.list));
    EXPECT_EQ(ReadFileBytes(path),
        std::string(kDeclaration)
            + "<ColorTemplate>\r\n"
              "    <ColorContent PROP_COLOR_CHANGEMODE=\"1\">\r\n"
              "        <Content>0x0000FF</Content>\r\n"
              "        <Content>0x00FF00</Content>\r\n"
              "    </ColorContent>\r\n"
              "</ColorTemplate>\r\n");

    auto* empty = new ColorTemplate; // kept as it is, also without colours
    templates.list.Add(empty);
    ASSERT_TRUE(WriteColorTemplateFile(path, templates.list));
    CTemplates read;
    read.list.Add(new ColorTemplate); // the file's templates are appended
    ReadColorTemplateFile(path, read.list);
    ASSERT_EQ(read.list.GetSize(), 3);
    EXPECT_EQ(read.list[1]->m_changeMode, 1);
    ASSERT_EQ(read.list[1]->m_colors.GetSize(), 2);
    EXPECT_EQ(read.list[1]->m_colors[0], 255u);
    EXPECT_EQ(read.list[1]->m_colors[1], 65280u);
    EXPECT_EQ(read.list[2]->m_changeMode, 0);
    EXPECT_EQ(read.list[2]->m_colors.GetSize(), 0);
}

TEST(TemplateFiles, EmptyListWritesNoFileAndFailedWritesReportFalse)
{
    CTempFolder folder(L"pr_ct_empty");
    CTemplates templates;
    const CString path = folder.File(L"none.ct");
    EXPECT_FALSE(WriteColorTemplateFile(path, templates.list));
    EXPECT_FALSE(PathExists(path));

    templates.list.Add(new ColorTemplate);
    EXPECT_FALSE(WriteColorTemplateFile(folder.File(L"missing\\x.ct"), templates.list));
    // A failed write leaves an existing file as it was (here: held open without sharing).
    WriteFileBytes(path, "old");
    HANDLE held = ::CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(WriteColorTemplateFile(path, templates.list));
    ::CloseHandle(held);
    EXPECT_EQ(ReadFileBytes(path), "old");
    ::CreateDirectoryW(folder.File(L"folder.ct"), nullptr);
    EXPECT_FALSE(WriteColorTemplateFile(folder.File(L"folder.ct"), templates.list));

    CTemplates read;
    ReadColorTemplateFile(folder.File(L"absent.ct"), read.list);
    WriteFileBytes(folder.File(L"broken.ct"), "<ColorTemplate><ColorContent>");
    ReadColorTemplateFile(folder.File(L"broken.ct"), read.list);
    EXPECT_EQ(read.list.GetSize(), 0);
}

TEST(TemplateFiles, BuiltInTemplateFile)
{
    CTempFolder folder(L"pr_bct");
    const CString path = folder.File(L"a.bct");
    WriteFileBytes(path,
        "<?xml version=\"1.0\"?>\r\n<Any><Mode>0</Mode><Colours><c>0xFF0000</c><d>0x00FF00</d><e>255</e>"
        "</Colours></Any>");
    CTemplates templates;
    EXPECT_EQ(ParseColorTemplateFile(path, templates.list), 1);
    ASSERT_EQ(templates.list.GetSize(), 1);
    EXPECT_EQ(templates.list[0]->m_changeMode, 0);
    ASSERT_EQ(templates.list[0]->m_colors.GetSize(), 3);
    EXPECT_EQ(templates.list[0]->m_colors[0], 16711680u);
    EXPECT_EQ(templates.list[0]->m_colors[1], 65280u);
    EXPECT_EQ(templates.list[0]->m_colors[2], 255u);

    struct Case {
        const char* text;
        int result;
        INT_PTR colors;
    };
    const Case cases[] = {
        { "<Any><Mode>1</Mode></Any>", 1, 0 }, // no colour element: a template without colours
        { "<Any/>", 0, 0 }, // no mode element: nothing
        { "<Any>", 0, 0 }, // does not parse
    };
    for (const Case& c : cases) {
        WriteFileBytes(path, c.text);
        CTemplates list;
        EXPECT_EQ(ParseColorTemplateFile(path, list.list), c.result) << c.text;
        ASSERT_EQ(list.list.GetSize(), c.result) << c.text;
        if (c.result == 1) {
            EXPECT_EQ(list.list[0]->m_colors.GetSize(), c.colors) << c.text;
        }
    }
    CTemplates none;
    EXPECT_EQ(ParseColorTemplateFile(folder.File(L"absent.bct"), none.list), 0);
}

TEST(TemplateFiles, CustomBarByteForByteAndBack)
{
    CTempFolder folder(L"pr_ctx");
    ColorTemplateArrayEx strip;
    auto* gradient = new ColorTemplateEx;
    gradient->m_mode = 0;
    gradient->m_width = 20;
    gradient->m_colors.Add(0x0000FF);
    gradient->m_colors.Add(0xFF0000);
    strip.m_stops.Add(gradient);
    auto* solid = new ColorTemplateEx;
    solid->m_mode = 1;
    solid->m_width = 5;
    solid->m_colors.Add(0x00FF00);
    strip.m_stops.Add(solid);
    const CString path = folder.File(L"123.ctx");
    ASSERT_TRUE(WriteCustomBarFile(path, &strip));
    EXPECT_EQ(ReadFileBytes(path),
        std::string(kDeclaration)
            + "<ColorEffectPlusArray>\r\n"
              "    <ColorContent PROP_COLOR_CHANGEMODE=\"0\" PROP_COLOR_COUNT=\"20\">\r\n"
              "        <Content>0x0000FF</Content>\r\n"
              "        <Content>0xFF0000</Content>\r\n"
              "    </ColorContent>\r\n"
              "    <ColorContent PROP_COLOR_CHANGEMODE=\"1\" PROP_COLOR_COUNT=\"5\">\r\n"
              "        <Content>0x00FF00</Content>\r\n"
              "    </ColorContent>\r\n"
              "</ColorEffectPlusArray>\r\n");

    ColorTemplateArrayEx read;
    read.m_name = path;
    ASSERT_TRUE(ReadCustomBarFile(path, &read));
    ASSERT_EQ(read.m_stops.GetSize(), 2);
    for (INT_PTR i = 0; i < 2; ++i) {
        EXPECT_EQ(read.m_stops[i]->m_mode, strip.m_stops[i]->m_mode);
        EXPECT_EQ(read.m_stops[i]->m_width, strip.m_stops[i]->m_width);
        ASSERT_EQ(read.m_stops[i]->m_colors.GetSize(), strip.m_stops[i]->m_colors.GetSize());
        for (INT_PTR c = 0; c < read.m_stops[i]->m_colors.GetSize(); ++c)
            EXPECT_EQ(read.m_stops[i]->m_colors[c], strip.m_stops[i]->m_colors[c]);
    }
    EXPECT_EQ(read.m_name, path);

    ColorTemplateArrayEx empty;
    EXPECT_FALSE(WriteCustomBarFile(folder.File(L"e.ctx"), &empty));
    EXPECT_FALSE(WriteCustomBarFile(folder.File(L"e.ctx"), nullptr));
    EXPECT_FALSE(PathExists(folder.File(L"e.ctx")));
    EXPECT_FALSE(ReadCustomBarFile(folder.File(L"absent.ctx"), &empty));
    EXPECT_FALSE(ReadCustomBarFile(path, nullptr));
    EXPECT_EQ(empty.m_stops.GetSize(), 0);
}

TEST(TemplateFiles, ZazezUradPresetRoundTrip)
{
    CTempFolder folder(L"pr_cea");
    ProgramColorEffectPlusArray preset; // a working copy: no node record
    preset.m_orgFrames = 15;
    preset.m_endFrame = 15;
    auto* item = new ProgramColorEffectPlus;
    item->m_style = 2;
    item->m_orgFrames = 15;
    auto* strip = new ColorTemplateArrayEx;
    auto* stop = new ColorTemplateEx;
    stop->m_mode = 1;
    stop->m_width = 4;
    stop->m_colors.Add(0xABCDEF);
    strip->m_stops.Add(stop);
    item->m_strips.Add(strip);
    preset.m_items.Add(item);
    const CString path = folder.File(L"p.cea");
    ASSERT_TRUE(WriteColorPlusFile(path, &preset));
    EXPECT_EQ(ReadFileBytes(path),
        std::string(kDeclaration)
            + "<ColorEffectPlusArray>\r\n"
              "    <Program ProgramType=\"7\" PROP_PROG_ORGFRAME=\"15\" PROP_NODE_NAME=\"ColorEffectPlusArray\""
              " PROP_PROG_VTILE=\"1\" PROP_PROG_HTILE=\"1\" PROP_PROG_SFRAME=\"1\" PROP_PROG_EFRAME=\"15\">\r\n"
              "        <Program ProgramType=\"6\" PTYPE_EFFECT=\"2\" PROP_PROG_ORGFRAME=\"15\" PROP_PROG_VTILE=\"1\""
              " PROP_PROG_HTILE=\"1\" PROP_PROG_SFRAME=\"1\" PROP_PROG_EFRAME=\"1\" PROP_PROG_SSPEED=\"1\""
              " PROP_PROG_ESPEED=\"1\" PROP_PROG_FADEIN_TIME=\"0\" PROP_PROG_FADEOUT_TIME=\"0\" PROP_PROG_MIRROR=\"0\""
              " PROP_COLOR_COUNT=\"0\" PROP_STEP_LEN=\"1\" PROP_REPEATE_COUNT=\"1\">\r\n"
              "            <ColorContent PROP_COLOR_CHANGEMODE=\"1\" PROP_COLOR_COUNT=\"4\">\r\n"
              "                <Content>0xABCDEF</Content>\r\n"
              "            </ColorContent>\r\n"
              "        </Program>\r\n"
              "    </Program>\r\n"
              "</ColorEffectPlusArray>\r\n");

    ProgramColorEffectPlusArray read;
    read.m_items.Add(new ProgramColorEffectPlus); // items already there stay
    ASSERT_TRUE(ReadColorPlusFile(path, &read));
    ASSERT_EQ(read.m_items.GetSize(), 2);
    EXPECT_EQ(read.m_orgFrames, 15);
    EXPECT_EQ(read.m_items[1]->m_style, 2);
    ASSERT_EQ(read.m_items[1]->m_strips.GetSize(), 1);
    EXPECT_EQ(read.m_items[1]->m_strips[0]->m_stops[0]->m_colors[0], 0xABCDEFu);

    ProgramColorEffectPlusArray none;
    EXPECT_FALSE(WriteColorPlusFile(folder.File(L"n.cea"), &none));
    EXPECT_FALSE(WriteColorPlusFile(folder.File(L"n.cea"), nullptr));
    EXPECT_FALSE(PathExists(folder.File(L"n.cea")));
    EXPECT_FALSE(ReadColorPlusFile(path, nullptr));

    // A first element of ProgramType 6 gives no items.
    WriteFileBytes(path,
        "<ColorEffectPlusArray><Program ProgramType=\"6\"><Program ProgramType=\"6\"/></Program>"
        "</ColorEffectPlusArray>");
    ProgramColorEffectPlusArray itemFirst;
    EXPECT_TRUE(ReadColorPlusFile(path, &itemFirst));
    EXPECT_EQ(itemFirst.m_items.GetSize(), 0);
}

TEST(TemplateLibrary, LoadsEveryFileOfItsFolder)
{
    CTempFolder folder(L"pr_lib");
    const CString path = folder.Path() + L"\\";
    CTemplates templates;
    EXPECT_EQ(LoadColorTemplatesFrom(templates.list, path), 0); // an empty folder

    WriteFileBytes(path + L"a.bct", "<r><m>1</m><c><x>1</x><x>2</x></c></r>");
    WriteFileBytes(path + L"b.bct", "<r><m>0</m><c><x>3</x></c></r>");
    WriteFileBytes(path + L"c.bct", "not xml <");
    WriteFileBytes(path + L"d.bctx", "<r><m>0</m><c><x>3</x></c></r>");
    ::CreateDirectoryW(path + L"e.bct", nullptr);
    EXPECT_EQ(LoadColorTemplatesFrom(templates.list, path), 2);
    EXPECT_EQ(templates.list.GetSize(), 2);

    WriteFileBytes(path + L"one.ct",
        "<ColorTemplate><ColorContent PROP_COLOR_CHANGEMODE=\"1\"><Content>9</Content>"
        "</ColorContent><ColorContent/></ColorTemplate>");
    WriteFileBytes(path + L"bad.ct", "<ColorTemplate>");
    ColorTemplateArrayList arrays;
    EXPECT_EQ(LoadCtTemplatesFrom(arrays, path), 2);
    ASSERT_EQ(arrays.GetSize(), 2);
    INT_PTR total = 0;
    for (INT_PTR i = 0; i < arrays.GetSize(); ++i) {
        total += arrays[i]->m_templates.GetSize();
        delete arrays[i];
    }
    EXPECT_EQ(total, 2); // the broken file still has its (empty) array
}

TEST(TemplateLibrary, ShippedTemplatesLoadFromTheProgramFolder)
{
    for (const wchar_t* kind : { L"BCT", L"TCT" }) {
        CTemplates templates;
        const int count = LoadColorTemplates(templates.list, kind);
        EXPECT_GE(count, 4) << CStringA(kind).GetString();
        ASSERT_EQ(templates.list.GetSize(), count);
        bool gradient = false;
        bool solid = false;
        for (INT_PTR i = 0; i < templates.list.GetSize(); ++i) {
            const ColorTemplate* t = templates.list[i];
            EXPECT_GE(t->m_colors.GetSize(), 2);
            EXPECT_LE(t->m_colors.GetSize(), 5);
            gradient |= t->m_changeMode == ColorTemplate::CHANGE_GRADIENT;
            solid |= t->m_changeMode == ColorTemplate::CHANGE_SOLID;
        }
        EXPECT_TRUE(gradient);
        EXPECT_TRUE(solid);
    }
    ColorTemplateArrayList arrays;
    EXPECT_EQ(LoadCtTemplates(arrays), static_cast<int>(arrays.GetSize()));
    for (INT_PTR i = 0; i < arrays.GetSize(); ++i)
        delete arrays[i];
}

} // namespace
