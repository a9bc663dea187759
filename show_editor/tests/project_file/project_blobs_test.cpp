// The embedded layout and pixel map: what is written, how it is unpacked
// into the program folder's "TF" folder, and which stored names are refused.
#include <gtest/gtest.h>

#include "Base64.h"
#include "ExeFolder.h"
#include "project_file.h"
#include "project_file_fixture.h"
#include "show_model.h"

namespace {

// A layout name of this test process in the program's "TF" folder, removed
// with its pixel map afterwards.
class CTfLayoutName {
public:
    explicit CTfLayoutName(LPCWSTR stem) { m_name.Format(L"%s_%lu.lpx", stem, ::GetCurrentProcessId()); }
    ~CTfLayoutName()
    {
        ::DeleteFileW(Path());
        ::DeleteFileW(PixPathOfLayout(Path()));
    }
    const CString& Name() const { return m_name; }
    CString Path() const { return GetExeFolder() + L"\\TF\\" + m_name; }

private:
    CString m_name;
};

std::string Between(const std::string& text, const std::string& open, const std::string& close)
{
    const size_t from = text.find(open);
    if (from == std::string::npos)
        return "<missing>";
    const size_t start = from + open.size();
    return text.substr(start, text.find(close, start) - start);
}

TEST(ProjectBlobs, LayoutAndPixelMapTravelAndUnpack)
{
    CTempProjectFolder folder(L"pf_blobs");
    const std::string layoutBytes("QVTNLAYOUT\0\r\n\x1A\xFF", 15); // binary: every byte kept
    const CString layout = folder.File(L"LEDScreen1.lpx");
    WriteBytes(layout, layoutBytes);
    WriteBytes(folder.File(L"LEDScreen1.pix"), "2,1,\r\r\nC1P1,1,RGB\r\r\n0,0,0,0\r\r\n");

    CTestProject project;
    project.settings.m_layoutFile = layout;
    const CString path = folder.File(L"blobs.LEDX");
    ASSERT_TRUE(WriteProjectFile(project.segments, path, project.settings));
    const std::string text = ReadBytes(path);
    EXPECT_EQ(Base64DecodeString(Between(text, "<LPX>", "</LPX>")), layoutBytes);
    // Read as text: each CR LF pair as LF, so CR CR LF travels as CR LF.
    EXPECT_EQ(Base64DecodeString(Between(text, "<PIX>", "</PIX>")), "2,1,\r\nC1P1,1,RGB\r\n0,0,0,0\r\n");

    // Unpack under a name of this test into "TF".
    CTfLayoutName target(L"pftest_blobs");
    std::string renamed = text;
    const std::string stored = "PROP_PROJ_LAYOUTFILE=\"LEDScreen1.lpx\"";
    ASSERT_NE(renamed.find(stored), std::string::npos);
    renamed.replace(renamed.find(stored), stored.size(),
        "PROP_PROJ_LAYOUTFILE=\"" + std::string(CStringA(target.Name()).GetString()) + "\"");
    WriteBytes(path, renamed);

    CTestProject back;
    ASSERT_EQ(ReadProjectFile(back.segments, path, back.settings), 2);
    EXPECT_EQ(back.settings.m_layoutFile, target.Path());
    EXPECT_EQ(ReadBytes(target.Path()), layoutBytes);
    // Written back as text: CR CR LF again, as the controller library has it.
    EXPECT_EQ(ReadBytes(PixPathOfLayout(target.Path())), "2,1,\r\r\nC1P1,1,RGB\r\r\n0,0,0,0\r\r\n");
}

TEST(ProjectBlobs, PixelMapWithLfCutAtNulAndMissing)
{
    CTempProjectFolder folder(L"pf_blobs2");
    const CString layout = folder.File(L"L.lpx");
    WriteBytes(layout, "X");
    CTestProject project;
    project.settings.m_layoutFile = layout;
    const CString path = folder.File(L"p.LEDX");

    WriteBytes(folder.File(L"L.pix"), std::string("1,1,\nC1P1\n\0garbage", 19));
    ASSERT_TRUE(WriteProjectFile(project.segments, path, project.settings));
    EXPECT_EQ(Base64DecodeString(Between(ReadBytes(path), "<PIX>", "</PIX>")), "1,1,\nC1P1\n");

    // A layout whose pixel map is missing travels alone.
    ::DeleteFileW(folder.File(L"L.pix"));
    ASSERT_TRUE(WriteProjectFile(project.segments, path, project.settings));
    const std::string text = ReadBytes(path);
    EXPECT_NE(text.find("<LPX>WA==</LPX>"), std::string::npos);
    EXPECT_EQ(text.find("<PIX>"), std::string::npos);

    // A layout file that cannot be read: neither element.
    project.settings.m_layoutFile = folder.File(L"gone.lpx");
    ASSERT_TRUE(WriteProjectFile(project.segments, path, project.settings));
    EXPECT_EQ(ReadBytes(path).find("<LPX>"), std::string::npos);
    EXPECT_NE(ReadBytes(path).find("PROP_PROJ_LAYOUTFILE=\"gone.lpx\""), std::string::npos);
}

TEST(ProjectBlobs, PixPathReplacesOnlyTheFileNameExtension)
{
    EXPECT_EQ(PixPathOfLayout(L"C:\\a\\LEDScreen1.lpx"), L"C:\\a\\LEDScreen1.pix");
    EXPECT_EQ(PixPathOfLayout(L"C:\\my.folder\\layout"), L"C:\\my.folder\\layout.pix");
    EXPECT_EQ(PixPathOfLayout(L"C:\\a\\x.y.lpx"), L"C:\\a\\x.y.pix");
    EXPECT_EQ(ProjectResourceFolder(L"D:\\shows\\gate.LEDX"), L"D:\\shows\\gate\\");
    EXPECT_EQ(ProjectResourceFolder(L"D:\\my.shows\\gate"), L"D:\\my.shows\\gate\\");
}

TEST(ProjectBlobs, StoredLayoutNameIsUntrusted)
{
    struct Row {
        const wchar_t* stored;
        const wchar_t* name; // null: refused
    };
    const Row rows[] = {
        { L"LEDScreen1.lpx", L"LEDScreen1.lpx" },
        { L"..\\..\\Windows\\evil.lpx", L"evil.lpx" },
        { L"C:\\x\\y.lpx", L"y.lpx" },
        { L"a/b/c.lpx", L"c.lpx" },
        { L"..", nullptr },
        { L".", nullptr },
        { L"x\\..", nullptr },
        { L"dir\\", nullptr },
        { L"C:evil.lpx", nullptr },
        { L"", nullptr },
    };
    for (const Row& row : rows) {
        CString name;
        const bool ok = SafeLayoutFileName(row.stored, name);
        EXPECT_EQ(ok, row.name != nullptr) << CStringA(row.stored).GetString();
        if (ok && row.name != nullptr) {
            EXPECT_EQ(name, row.name);
        }
    }
}

TEST(ProjectBlobs, RefusedNameUnpacksNothing)
{
    CTempProjectFolder folder(L"pf_blobs3");
    const CString path = folder.File(L"evil.LEDX");
    WriteBytes(path,
        "<Dornel PROP_DOC_VER=\"2\"><ProjectSet><PROP_PROJ_SET PROP_PROJ_LAYOUTFILE=\"C:evil.lpx\"/></ProjectSet>"
        "<LPX>WA==</LPX><PIX>WA==</PIX></Dornel>");
    CTestProject back;
    ASSERT_EQ(ReadProjectFile(back.segments, path, back.settings), 2);
    EXPECT_TRUE(back.settings.m_layoutFile.IsEmpty());
    EXPECT_FALSE(Exists(GetExeFolder() + L"\\TF\\C"));

    // A traversing name lands in "TF" under its last component.
    CTfLayoutName target(L"pftest_trav");
    WriteBytes(path,
        "<Dornel PROP_DOC_VER=\"2\"><ProjectSet><PROP_PROJ_SET PROP_PROJ_LAYOUTFILE=\"..\\..\\"
            + std::string(CStringA(target.Name()).GetString())
            + "\"/></ProjectSet><LPX>WA==</LPX><PIX>eQp6</PIX></Dornel>");
    CTestProject again;
    ASSERT_EQ(ReadProjectFile(again.segments, path, again.settings), 2);
    EXPECT_EQ(again.settings.m_layoutFile, target.Path());
    EXPECT_EQ(ReadBytes(target.Path()), "X");
    EXPECT_EQ(ReadBytes(PixPathOfLayout(target.Path())), "y\r\nz");
}

} // namespace
