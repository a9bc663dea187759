// Writing and reading a project of 100 segments x 10 views x 10 programs,
// next to tinyxml2 alone parsing and printing the same file (the print
// saved through the same replacing writer). The write must succeed, the
// read find every segment, and tinyxml2's print be saved whole.
#include "bench.h"

#include <tinyxml2.h>

#include "project_file.h"
#include "project_file_io.h"
#include "show_model.h"

#include <algorithm>
#include <string>

namespace {

struct CBenchProject {
    SegmentList segments;
    ProjSet settings;
    ~CBenchProject() { FreeSegments(segments); }
};

// Video programs stand in for colour effects, whose elements are filled in
// by the program-record code.
void Build(CBenchProject& project)
{
    for (int s = 0; s < 100; ++s) {
        auto* segment = new QvSegmentGourp;
        project.segments.Add(segment);
        segment->m_pSegmentInfo->m_number = s + 1;
        InitSegmentTimePlay(&segment->m_pSegmentInfo->m_timePlay, 0);
        segment->m_pNode->m_name.Format(L"Segment %d", s + 1);
        for (int v = 0; v < 10; ++v) {
            auto* view = new ProgramView;
            segment->m_views.Add(view);
            view->InitNewView(s + 1, v + 1, 200, 50);
            for (int p = 0; p < 10; ++p) {
                auto* video = new ProgramVideo;
                view->m_programs.Add(video);
                video->SetNode(new NodeInfo(v + 1, p + 1, L"clip", NODE_PROGRAM));
                video->m_orgFrames = 250;
                video->m_endFrame = 250;
                video->m_startSpeed = 1.25f;
                video->m_filePath.Format(L"D:\\media\\clip%03d.mp4", p);
            }
        }
    }
}

CString TempPath(LPCWSTR name)
{
    WCHAR temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    CString path;
    path.Format(L"%s%s_%lu.LEDX", temp, name, ::GetCurrentProcessId());
    return path;
}

long long FileSize(const CString& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesExW(path, GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

} // namespace

LS_BENCHMARK(project_file_100x10x10)
{
    CBenchProject project;
    Build(project);
    const CString path = TempPath(L"bench_project");
    const CString copy = TempPath(L"bench_project_copy");

    bool written = true;
    const double write
        = bench::Measure([&] { written = WriteProjectFile(project.segments, path, project.settings) && written; });
    if (!bench::Check(written, "a project write failed"))
        return;
    std::string bytes;
    if (!bench::Check(ReadWholeFile(path, bytes, kMaxProjectFileBytes), "the written project could not be read"))
        return;
    bool read = true;
    INT_PTR segments = 0;
    INT_PTR views = 0;
    const double readTime = bench::Measure([&] {
        CBenchProject back;
        read = ReadProjectFile(back.segments, path, back.settings) && read;
        segments = back.segments.GetSize();
        views = segments > 0 ? back.segments[segments - 1]->m_views.GetSize() : 0;
    });
    bench::Check(read && segments == 100 && views == 10, "a read did not load every segment");

    bool parsed = true;
    const double parse = bench::Measure([&] {
        tinyxml2::XMLDocument doc;
        parsed = doc.Parse(bytes.data(), bytes.size()) == tinyxml2::XML_SUCCESS && parsed;
    });
    bench::Check(parsed, "tinyxml2 did not parse the file");
    // tinyxml2's own print of the same document into memory, saved as it is
    // (lines end in LF) through the same replacing writer.
    tinyxml2::XMLDocument printed;
    printed.Parse(bytes.data(), bytes.size());
    bool saved = true;
    int printedBytes = 0;
    auto printAndSave = [&](const tinyxml2::XMLDocument& doc) {
        tinyxml2::XMLPrinter printer;
        doc.Print(&printer);
        printedBytes = printer.CStrSize() - 1;
        saved = AfxWriteFileReplacing(copy, printer.CStr(), static_cast<size_t>(printedBytes)) && saved;
    };
    const double parsePrint = bench::Measure([&] {
        tinyxml2::XMLDocument doc;
        doc.Parse(bytes.data(), bytes.size());
        printAndSave(doc);
    });
    const double print = bench::Measure([&] { printAndSave(printed); });
    // The same text but for its CR LF line ends.
    const long long lines = static_cast<long long>(std::count(bytes.begin(), bytes.end(), '\n'));
    bench::Check(
        saved && FileSize(copy) == printedBytes && printedBytes + lines == static_cast<long long>(bytes.size()),
        "tinyxml2's print was not saved whole");

    bench::Report("file size", static_cast<double>(bytes.size()) / 1024.0, "KiB");
    bench::Report("WriteProjectFile", write * 1000.0, "ms");
    bench::Report("ReadProjectFile", readTime * 1000.0, "ms");
    bench::Report("tinyxml2 parse", parse * 1000.0, "ms");
    bench::Report("tinyxml2 print and save", print * 1000.0, "ms");
    bench::Report("tinyxml2 parse, print and save", parsePrint * 1000.0, "ms");
    bench::Report("write / tinyxml2 parse, print and save", write / parsePrint, "x");
    bench::Report("read / tinyxml2 parse, print and save", readTime / parsePrint, "x");
    bench::Report("write / tinyxml2 print and save", write / print, "x");
    bench::Report("read / tinyxml2 parse", readTime / parse, "x");
    ::DeleteFileW(path);
    ::DeleteFileW(copy);
}
