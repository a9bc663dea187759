// The element functions of the project file, one per element kind, used by
// WriteProjectFile and ReadProjectFile and by the template files that reuse
// some of them.
#pragma once

#include <afx.h>

#include <tinyxml2.h>

#include "proj_set.h"
#include "program_colorful_words.h"
#include "program_video.h"
#include "segment.h"

// Writing. Each function appends its element to the element it is given.
void WriteSegment(tinyxml2::XMLDocument& doc, tinyxml2::XMLElement* segments, QvSegmentGourp* segment,
    const CString& resourceFolder, bool withResource);
void WriteProgramView(tinyxml2::XMLDocument& doc, ProgramView* view, tinyxml2::XMLElement* segment,
    const CString& resourceFolder, bool withResource);
void WriteVideoProgram(tinyxml2::XMLDocument& doc, ProgramVideo* program, tinyxml2::XMLElement* view,
    const CString& resourceFolder, bool withResource);
void WriteWordsProgram(tinyxml2::XMLDocument& doc, tinyxml2::XMLElement* view, ProgramColorFulWords* program);
void WriteShowTimeAttribute(tinyxml2::XMLElement* view, double showTime);
// Appends "LPX" and "PIX" to root when the layout file (and its pixel map) can be read.
void WriteLayoutBlobs(const CString& layoutPath, tinyxml2::XMLElement* root);

// Reading. Missing or empty attributes keep the documented defaults.
void ReadProjSet(const tinyxml2::XMLElement* projectSet, ProjSet& settings, const CString& resourceFolder);
// False when the segment holds more views or programs than the limits allow.
bool ReadSegment(
    QvSegmentGourp* segment, const tinyxml2::XMLElement* element, const CString& resourceFolder, bool withResource);
bool ReadProgramView(
    ProgramView* view, const tinyxml2::XMLElement* element, const CString& resourceFolder, bool withResource);
void ReadVideoProgram(
    const tinyxml2::XMLElement* element, ProgramVideo* program, const CString& resourceFolder, bool withResource);
void ReadWordsProgram(const tinyxml2::XMLElement* element, ProgramColorFulWords* program);
// Write the decoded text of an "LPX" or "PIX" element beside the program:
// the layout bytes unchanged, the pixel map with each LF as CR LF. Nothing
// happens for an empty layout path. False when the file could not be written.
bool UnpackLayoutFile(const tinyxml2::XMLElement* element, const CString& layoutPath);
bool UnpackPixFile(const tinyxml2::XMLElement* element, const CString& layoutPath);
