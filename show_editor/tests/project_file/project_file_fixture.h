// Helpers of the project file tests: the shared temporary folder, whole-file
// reading and writing, and a small project.
#pragma once

#include <afx.h>
#include <fw_temp_folder.h>

#include <string>

#include "proj_set.h"
#include "segment.h"

using CTempProjectFolder = fwtest::CTempFolder;

std::string ReadBytes(const CString& path);
void WriteBytes(const CString& path, const std::string& bytes);
bool Exists(const CString& path);

// Owns a project list and its settings for one test.
struct CTestProject {
    SegmentList segments;
    ProjSet settings;
    ~CTestProject() { FreeSegments(segments); }
};

// A segment with its number, node record and schedule like a new segment's
// (dates at time 0), appended to the list.
QvSegmentGourp* AddSegment(CTestProject& project, const CString& name);
// A view covering (left, top, right, bottom), appended to the segment.
ProgramView* AddView(QvSegmentGourp* segment, const CString& name, const CRect& rect);
// A video program at the end of the view.
class ProgramVideo;
ProgramVideo* AddVideo(ProgramView* view, const CString& path, const CString& name);

// The project file's text: the project's elements in the file read back.
std::string Repeat(const std::string& text, int count);
