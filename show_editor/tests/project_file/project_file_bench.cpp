// Writing and reading a project of 100 segments x 10 views x 10 programs,
// next to tinyxml2 alone parsing and printing the same file.
#include "bench.h"

#include <tinyxml2.h>

#include "project_file.h"
#include "project_file_elements.h"
#include "project_file_io.h"
#include "show_model.h"

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

} // namespace

LS_BENCHMARK(project_file_100x10x10)
{
    CBenchProject project;
    Build(project);
    const CString path = TempPath(L"bench_project");
    const CString copy = TempPath(L"bench_project_copy");

    const double write = bench::Measure([&] { WriteProjectFile(project.segments, path, project.settings); });
    const double read = bench::Measure([&] {
        CBenchProject back;
        ReadProjectFile(back.segments, path, back.settings);
    });

    std::string bytes;
    ReadWholeFile(path, bytes, kMaxProjectFileBytes);
    const double parse = bench::Measure([&] {
        tinyxml2::XMLDocument doc;
        doc.Parse(bytes.data(), bytes.size());
    });
    const double parsePrint = bench::Measure([&] {
        tinyxml2::XMLDocument doc;
        doc.Parse(bytes.data(), bytes.size());
        tinyxml2::XMLPrinter printer;
        doc.Print(&printer);
        WriteTextFileReplacing(copy, printer.CStr(), static_cast<size_t>(printer.CStrSize() - 1));
    });
    const double print = bench::Measure([&] {
        tinyxml2::XMLPrinter printer;
        static tinyxml2::XMLDocument doc;
        if (doc.FirstChildElement() == nullptr)
            doc.Parse(bytes.data(), bytes.size());
        doc.Print(&printer);
        WriteTextFileReplacing(copy, printer.CStr(), static_cast<size_t>(printer.CStrSize() - 1));
    });

    const double build = bench::Measure([&] {
        tinyxml2::XMLDocument doc;
        tinyxml2::XMLElement* root = doc.NewElement("Segments");
        doc.InsertEndChild(root);
        for (INT_PTR i = 0; i < project.segments.GetSize(); ++i)
            WriteSegment(doc, root, project.segments[i], CString(), false);
    });
    // Most of the write is tinyxml2 building its document, as parsing is most of the read.
    bench::Report("element building alone", build * 1000.0, "ms");
    bench::Report("file size", static_cast<double>(bytes.size()) / 1024.0, "KiB");
    bench::Report("WriteProjectFile", write * 1000.0, "ms");
    bench::Report("ReadProjectFile", read * 1000.0, "ms");
    bench::Report("tinyxml2 parse", parse * 1000.0, "ms");
    bench::Report("tinyxml2 print and save", print * 1000.0, "ms");
    bench::Report("tinyxml2 parse, print and save", parsePrint * 1000.0, "ms");
    bench::Report("write / tinyxml2 parse, print and save", write / parsePrint, "x");
    bench::Report("read / tinyxml2 parse, print and save", read / parsePrint, "x");
    bench::Report("write / tinyxml2 print and save", write / print, "x");
    bench::Report("read / tinyxml2 parse", read / parse, "x");
    ::DeleteFileW(path);
    ::DeleteFileW(copy);
}
