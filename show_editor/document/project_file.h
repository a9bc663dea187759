// The ".LEDX" project file: an XML document with the project settings, the
// segments with their views and programs, binary records in Base64 and the
// embedded layout and pixel map. Strings are stored in the ANSI code page
// although the declaration says UTF-8, as every stored project has them.
#pragma once

#include <afx.h>

#include "proj_set.h"
#include "segment.h"

constexpr int kProjectFileVersion = 2;

// Limits applied to what a project file says; values beyond them are
// clamped, counts beyond them make the read fail.
constexpr int kMaxProjectSide = 4096; // canvas width and height, pixels
constexpr int kDefaultFrameRate = 25; // a stored rate of 0 or less reads as this
constexpr int kMaxFrameRate = 1000;
constexpr int kMaxFrameCount = 100000000; // any frame number or count
constexpr int kMaxTiles = 1024;
constexpr int kMaxCoordinate = 65536; // view edges and sizes, margins, either sign
constexpr double kMaxShowTimeSeconds = 1000000.0;
constexpr int kMaxSegments = 10000;
constexpr int kMaxViewsPerSegment = 1000;
constexpr int kMaxProgramsPerView = 10000;

// Writes the project list and its settings to path (through a temporary file
// that replaces path only when complete). With merged resources the media
// are copied into the resource folder first and the in-memory paths of the
// copies that succeeded are switched to them. Returns false when the file
// could not be written or a media copy failed (the file is still written
// then, naming the original path of that medium).
bool WriteProjectFile(SegmentList& segments, const CString& path, ProjSet& settings);

// Reads path into a fresh model and, only when the whole read succeeded,
// appends its segments to segments, fills settings and unpacks the embedded
// layout and pixel map into the program folder's "TF" folder. Settings the
// file does not name keep the caller's values. Returns -1 when the file
// cannot be loaded, does not parse, has no root element, a negative version
// or more content than the limits allow; 0 when it has no usable version
// (nothing is read: the caller uses the legacy reader); otherwise the version.
int ReadProjectFile(SegmentList& segments, const CString& path, ProjSet& settings);

// The folder that holds a project's merged media: the project's folder, the
// file name without its extension, and a closing backslash
// ("D:\shows\gate.LEDX" gives "D:\shows\gate\").
CString ProjectResourceFolder(const CString& projectPath);

// The pixel-map path of a layout: the extension of the file-name part
// replaced by ".pix", or ".pix" appended when the name has none.
CString PixPathOfLayout(const CString& layoutPath);

// The stored layout file name reduced to a plain file name: its last path
// component. False for an empty name, ".", "..", or one that still holds
// "\", "/" or ":".
bool SafeLayoutFileName(const CString& stored, CString& name);
