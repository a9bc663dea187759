// The archive layout format: the older ".lpx" format, also the layout
// editor's template format, written through the framework's archive.
//
// A 384-byte raw header (version, template kind, view flags, colour, rulers)
// is followed by little-endian 32-bit body fields. Selected body fields are
// masked with the next character of the key "pixrowmak-gridun"; the key
// position moves on after every masked field and wraps after 16. Strings
// are in the archive's stored wide form and are never masked.
//
// Such files are often scrambled as whole files (FileScrambler.h): callers
// unscramble them before reading.
//
// ParseLayoutArchive reads a whole archive into LayoutArchiveContents,
// checking every count against the format's limits; a short file or a
// string the archive cannot read is refused like a bad count, never thrown
// to the caller. ReadLayoutArchive then hands the contents to the model and
// the view only when the whole file was good, so a refused file changes
// nothing.
#pragma once

#include <afx.h>

#include <vector>

#include "LayoutFile.h"
#include "LayoutFileFormat.h"

constexpr int kArchiveHeaderSize = 384;
constexpr BYTE kArchiveVersion = 6;
constexpr int kArchiveKeyLength = 16;
extern const char kArchiveKey[kArchiveKeyLength + 1]; // "pixrowmak-gridun"

// Header offsets.
constexpr int kArchiveHRulerOffset = 128;
constexpr int kArchiveVRulerOffset = 256;

// Versions that brought a header field or a body part.
constexpr int kArchiveVersionNormalised = 2; // align-to-grid and normalised positions
constexpr int kArchiveVersionRulers = 3;
constexpr int kArchiveVersionShowXY = 4;
constexpr int kArchiveVersionColours = 5; // random colours and the swatch colour
constexpr int kArchiveVersionDoubleSided = 6; // double-sided flag and data offset

// Most lamp formats a reader takes.
constexpr int kMaxArchiveLampTypes = 65535;

// The character code that masks the field at a key position (0 to 15).
LONG ArchiveKeyAt(int position);

// Normalised positions are stored as the low 32 bits of value x 10,000,000
// truncated toward zero; readers take the 32 bits unsigned.
DWORD EncodeArchiveNormalised(double value);
double DecodeArchiveNormalised(DWORD stored);

// Everything an archive file holds.
struct LayoutArchiveContents {
    int version = 0;
    BYTE templateKind = 0;
    BYTE showXY = 0;
    BYTE randomColours = 0;
    COLORREF swatchColour = 0;
    BYTE doubleSided = 0;
    WORD largestX = 0;
    WORD largestY = 0;
    BYTE dataOffset = 0;
    std::vector<WORD> hRulers;
    std::vector<WORD> vRulers;

    int portCount = 0;
    int pointsPerPort = 0;
    int width = 0;
    int height = 0;
    std::vector<WORD> controllers; // ports per controller; they add up to portCount
    std::vector<CString> lampTypes;
    CString projectLampFormat;
    int portsPerController = 0;
    int channelsPerPort = 0;
    int lampsPerPort = 0;
    int showGrid = 0;
    int allowOverlap = 0;
    int allowMaxLamps = 0;
    CString controllerModel;
    // Per port: capacity, lamp count (at most the capacity), lamp format,
    // format index and the lamps with their cells and normalised positions
    // (computed from the cells for a version-1 file).
    std::vector<LayoutFilePort> ports;
    int alignToGrid = 0; // version 2 and later; 0 before
};

// Writes the layout with the view's project settings and the editor-wide
// LampTypeList and AlignToGrid into an archive open for storing. Errors of
// the archive or its file are thrown by the archive (CArchiveException*,
// CFileException*), as every archive write does.
void WriteLayoutArchive(const CLayoutData& model, CArchive& ar, const CLayoutProjectSettings& settings);

// Reads the archive (open for loading) from its current position.
// NotOpened when memory ran out, Corrupt when the file is short, a string
// cannot be read or a count breaks the limits.
LayoutReadResult ParseLayoutArchive(CArchive& ar, LayoutArchiveContents& contents);

// Reads the archive into the model and the view's settings, and the
// editor-wide LampTypeList and AlignToGrid. Needs the view: without one
// nothing is read (NotOpened). Anything but Ok leaves everything unchanged.
LayoutReadResult ReadLayoutArchive(ILayoutFileView* view, CArchive& ar, CLayoutData& model);
