// Project files are printed straight into the file through a bounded buffer:
// the bytes are those the whole document printed in memory gave, lines end
// in CR LF wherever a buffer ends, and a write that fails midway leaves the
// previous file and no temporary.
#include <gtest/gtest.h>

#include <fw_replacefile.h>
#include <tinyxml2.h>

#include "project_file.h"
#include "project_file_fixture.h"
#include "show_model.h"
#include "xml_file_printer.h"

#include <cstdint>
#include <string>

namespace {

// Many views of videos and texts: names with accents and characters the
// printer escapes, text with line breaks.
void BuildLargeProject(CTestProject& project)
{
    for (int s = 0; s < 40; ++s) {
        CString name;
        name.Format(L"Segment %d \u00E9 <&> \"q\"", s);
        QvSegmentGourp* segment = AddSegment(project, name);
        for (int v = 0; v < 10; ++v) {
            ProgramView* view = AddView(segment, L"view \u4E2D", CRect(v, v, 64 + v, 32 + v));
            CString path;
            path.Format(L"D:\\media\\clip %d-%d.mp4", s, v);
            AddVideo(view, path, L"clip");
            auto* words = new ProgramColorFulWords;
            view->m_programs.Add(words);
            words->SetNode(new NodeInfo(v + 1, 2, L"w", NODE_PROGRAM));
            words->m_programType = PROGRAM_TYPE_COLORFUL_WORDS;
            words->m_text.Format(L"line %d\nline two\r\nthree\n", s * 10 + v);
            words->m_orgFrames = 100 + v;
            words->m_endFrame = 100 + v;
        }
    }
}

// FNV-1a over the bytes.
std::uint64_t Fingerprint(const std::string& bytes)
{
    std::uint64_t h = 14695981039346656037ull;
    for (char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ull;
    }
    return h;
}

// The large project's file, as the writer that printed the whole document
// into memory first stored it.
constexpr std::uint64_t kLargeProjectFingerprint = 0x36269d83777e2280ull;

TEST(ProjectStream, ALargeProjectIsWrittenExactlyAsBefore)
{
    CTempProjectFolder folder(L"pf_stream");
    CTestProject project;
    BuildLargeProject(project);
    const CString path = folder.File(L"large.LEDX");
    ASSERT_TRUE(WriteProjectFile(project.segments, path, project.settings));
    const std::string bytes = ReadBytes(path);
    EXPECT_GT(bytes.size(), 500000u);
    EXPECT_EQ(Fingerprint(bytes), kLargeProjectFingerprint) << std::hex << Fingerprint(bytes);
}

// The in-memory print of the document with every LF as CR LF: what the
// file is to hold.
std::string PrintedWithCrLf(const tinyxml2::XMLDocument& doc)
{
    tinyxml2::XMLPrinter printer;
    doc.Print(&printer);
    std::string text;
    for (const char* p = printer.CStr(); *p != 0; ++p) {
        if (*p == '\n')
            text.push_back('\r');
        text.push_back(*p);
    }
    return text;
}

TEST(ProjectStream, ThePrinterWritesTheInMemoryPrintWithCrLfWhereverItsBufferEnds)
{
    // Long attribute values and texts, escaped characters, line breaks of
    // both kinds, and a number the printer formats.
    tinyxml2::XMLDocument doc;
    doc.InsertEndChild(doc.NewDeclaration());
    tinyxml2::XMLElement* root = doc.NewElement("Root");
    doc.InsertEndChild(root);
    for (int i = 0; i < 300; ++i) {
        tinyxml2::XMLElement* item = doc.NewElement("Item");
        root->InsertEndChild(item);
        item->SetAttribute("n", i);
        item->SetAttribute("x", 0.1 * i);
        item->SetAttribute("text", (std::string(static_cast<size_t>(i % 37), 'a') + "<&>\"\n\r\nb").c_str());
        item->InsertEndChild(doc.NewText(std::string(static_cast<size_t>(i), 'z').append("\n").c_str()));
    }
    const std::string expected = PrintedWithCrLf(doc);
    ASSERT_GT(expected.size(), 20000u);
    CTempProjectFolder folder(L"pf_printer");
    for (size_t buffer :
        { size_t(1), size_t(2), size_t(3), size_t(7), size_t(255), size_t(4096), CCrLfFileWriter::kBufferBytes }) {
        SCOPED_TRACE(buffer);
        const CString path = folder.File(L"printed.xml");
        CReplacingFile file;
        ASSERT_TRUE(file.Open(path));
        CCrLfFileWriter text(file, buffer);
        CXmlFilePrinter printer(text);
        doc.Print(&printer);
        ASSERT_TRUE(text.Flush());
        ASSERT_TRUE(file.Commit());
        EXPECT_TRUE(ReadBytes(path) == expected);
    }
}

TEST(ProjectStream, AWriteThatFailsMidwayKeepsThePreviousFileAndLeavesNoTemporary)
{
    CTempProjectFolder folder(L"pf_midway");
    CTestProject project;
    BuildLargeProject(project);
    const CString path = folder.File(L"large.LEDX");
    WriteBytes(path, "the previous project");
    // The disk fills after the first buffer.
    CReplacingFile::SetWriteBudgetForTests(static_cast<long long>(CCrLfFileWriter::kBufferBytes) + 10);
    const bool written = WriteProjectFile(project.segments, path, project.settings);
    CReplacingFile::SetWriteBudgetForTests(-1);
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(path), "the previous project");
    EXPECT_FALSE(Exists(AfxReplacementTempPath(path)));

    // With room again the same save succeeds.
    EXPECT_TRUE(WriteProjectFile(project.segments, path, project.settings));
    EXPECT_EQ(Fingerprint(ReadBytes(path)), kLargeProjectFingerprint);
}

} // namespace
