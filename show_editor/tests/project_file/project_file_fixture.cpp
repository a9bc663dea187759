// Helpers of the project file tests.
#include "project_file_fixture.h"

#include "program_video.h"
#include "segment_time_play.h"

std::string ReadBytes(const CString& path)
{
    std::string bytes;
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[65536];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    ::CloseHandle(file);
    return bytes;
}

void WriteBytes(const CString& path, const std::string& bytes)
{
    HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

bool Exists(const CString& path)
{
    return ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

QvSegmentGourp* AddSegment(CTestProject& project, const CString& name)
{
    auto* segment = new QvSegmentGourp;
    project.segments.Add(segment);
    const int number = static_cast<int>(project.segments.GetSize());
    segment->m_pSegmentInfo->m_number = number;
    InitSegmentTimePlay(&segment->m_pSegmentInfo->m_timePlay, 0);
    segment->SetNode(new NodeInfo(-1, number, name, NODE_SEGMENT));
    return segment;
}

ProgramView* AddView(QvSegmentGourp* segment, const CString& name, const CRect& rect)
{
    auto* view = new ProgramView;
    segment->m_views.Add(view);
    const int index = static_cast<int>(segment->m_views.GetSize());
    view->SetNode(new NodeInfo(segment->m_pSegmentInfo->m_number, index, name, NODE_VIEW));
    view->m_projectRect = rect;
    return view;
}

ProgramVideo* AddVideo(ProgramView* view, const CString& path, const CString& name)
{
    auto* video = new ProgramVideo;
    video->m_programType = PROGRAM_TYPE_MEDIA;
    video->m_filePath = path;
    video->m_orgFrames = 250;
    video->m_endFrame = 250;
    view->m_programs.Add(video);
    video->SetNode(
        new NodeInfo(view->m_pNode->m_index, static_cast<int>(view->m_programs.GetSize()), name, NODE_PROGRAM));
    return video;
}

std::string Repeat(const std::string& text, int count)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += text;
    return out;
}
