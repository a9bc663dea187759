// The current layout file format ".lpx" in memory: the magic "QVTNLAYOUT",
// a version byte, the template kind, five key bytes whose XOR k masks
// selected fields, then big-endian blocks that each start with their own
// length, so a reader steps from block to block by the stored lengths.
//
// ParseLayoutBytes turns a file's bytes into LayoutFileContents, checking
// every count and length against the bytes at hand and the format's limits;
// the editor, the controller library and the preview program each take what
// they keep from it. StreamLayoutBytes writes a model and its settings
// through a buffer of bounded size; BuildLayoutBytes collects them in memory.
#pragma once

#include <afx.h>

#include <vector>

#include "GammaCurveTables.h"
#include "LPoint.h"
#include "LayoutData.h"
#include "LayoutProjectSettings.h"

constexpr int kLayoutMagicSize = 10;
extern const char kLayoutMagic[kLayoutMagicSize]; // "QVTNLAYOUT", no terminator
constexpr BYTE kLayoutFileVersion = 6;
constexpr int kLayoutKeyBytes = 5;
constexpr int kLayoutHeaderOffset = 17; // magic, version, template kind, key bytes
constexpr int kMaxLayoutAnsiBytes = 1023; // an ANSI text's byte count
constexpr int kMaxLayoutModelBytes = 1022; // the controller model's UTF-16 byte count
constexpr int kLayoutLampRecordSize = 29;

// Versions that brought a field.
constexpr int kVersionLock = 2;
constexpr int kVersionWireDirectly = 3;
constexpr int kVersionTracing = 4;
constexpr int kVersionLayer = 5;
constexpr int kVersionDataReversed = 6;

// Normalised positions are stored as value x 10,000,000 in 32 bits,
// truncated toward zero (a value read from a file stores its integer again);
// values that do not fit, the unset marker among them, are stored as
// 0x80000000, which reads back as unset.
constexpr double kNormalisedScale = 10000000.0;
LONG EncodeNormalised(double value);
double DecodeNormalised(LONG stored);

// One port as stored.
struct LayoutFilePort {
    int capacity = 0; // as stored, not yet bounded
    int lampCount = 0; // N as stored, not yet cut to the capacity
    CString lampFormat;
    int lampFormatIndex = 0;
    int dataOffset = 0;
    COLORREF colour = 0;
    BYTE dataReversed = 0;
    std::vector<BYTE> brightness; // the stored leading entries (rest 100)
    std::vector<BYTE> gamma; // the stored leading entries (rest 0)
    size_t lampRecordsAt = 0; // offset of the first lamp record in the file
    std::vector<CLPoint> lamps; // the N lamp records, when decoded
};

// Everything a current-format file holds.
struct LayoutFileContents {
    int version = 0;
    BYTE key = 0; // XOR of the five key bytes
    BYTE templateKind = 0;
    int portCount = 0;
    int pointsPerPort = 0;
    int width = 0;
    int height = 0;
    DWORD largestX = 0;
    DWORD largestY = 0;
    std::vector<WORD> controllers; // ports per controller; they add up to portCount
    std::vector<CString> lampTypes;
    CString projectLampFormat;
    int portsPerController = 0;
    int channelsPerPort = 0;
    int lampsPerPort = 0;
    BYTE doubleSided = 0;
    BYTE showGrid = 0;
    BYTE allowOverlap = 0;
    BYTE allowMaxLamps = 0;
    CString controllerModel;
    BYTE alignToGrid = 0;
    BYTE showXY = 0;
    BYTE randomColours = 0;
    COLORREF swatchColour = 0;
    std::vector<WORD> hRulers; // at most kMaxRulers kept
    std::vector<WORD> vRulers;
    BYTE lock = 0; // 0 when the version lacks it
    BYTE wireDirectly = 0;
    BYTE tracing = 0;
    std::vector<LayoutFilePort> ports;
    int curveCount = 0;
    BYTE curves[kMaxUserCurves][kCurveEntries] = {};
};

enum class LayoutReadResult {
    Ok,
    NotOpened, // the file cannot be opened or read, or is empty
    NotLayout, // no "QVTNLAYOUT" magic
    Corrupt, // a count or length breaks the bytes or the format's limits
    OffGrid, // a lamp the model would keep lies outside the file's grid
};

enum class LayoutWriteResult {
    Ok,
    NoMemory, // the file's buffer could not be had
    Unrepresentable, // the model or settings do not fit the format
    NotCreated, // the file could not be created, written or put in place
};

// True when the bytes start with the magic.
bool HasLayoutMagic(const BYTE* data, size_t size);

// Parses a whole file. On anything but Ok the contents are unspecified.
// With decodeLamps false the lamp records are checked but left in the file:
// DecodeLayoutLamps turns a port's records into points afterwards.
LayoutReadResult ParseLayoutBytes(const BYTE* data, size_t size, LayoutFileContents& contents, bool decodeLamps = true);

// Decodes `count` lamp records of a parsed file from `at` on into `lamps`.
// The records must have been checked by ParseLayoutBytes on the same bytes.
void DecodeLayoutLamps(const BYTE* data, const LayoutFileContents& contents, size_t at, int count, CLPoint* lamps);

// What the writer stores beside the model: the view's project settings and
// the editor-wide values.
struct LayoutWriteSource {
    const CLayoutData* model = nullptr;
    const CLayoutProjectSettings* settings = nullptr;
    const CStringArray* lampTypes = nullptr;
    const CGammaCurveTables* curves = nullptr;
    int alignToGrid = 0;
    int lock = 0;
    int wireDirectly = 0;
    int tracing = 0;
};

// Where a written file's bytes go, in order and a piece at a time.
class ILayoutByteSink {
public:
    // Once the layout is found to fit the format, before any byte: the
    // file's size. False refuses the write.
    virtual bool Begin(size_t size) = 0;
    // The next piece; false stops the write.
    virtual bool Put(const BYTE* data, size_t count) = 0;

protected:
    ~ILayoutByteSink() = default;
};

// The most bytes the writer holds at a time, whatever the layout's size.
constexpr size_t kLayoutWriteBufferBytes = 256 * 1024;

// Writes the file with the given five key bytes into the sink, through a
// buffer of bufferBytes (at least one lamp record), in pieces of at most
// that size. Checks the layout first (Unrepresentable, or NoMemory for the
// buffer, before Begin); NotCreated when the sink refused a piece.
LayoutWriteResult StreamLayoutBytes(const LayoutWriteSource& source, const BYTE keyBytes[kLayoutKeyBytes],
    ILayoutByteSink& sink, size_t bufferBytes = kLayoutWriteBufferBytes);

// Builds the whole file with the given five key bytes into `bytes`.
LayoutWriteResult BuildLayoutBytes(
    const LayoutWriteSource& source, const BYTE keyBytes[kLayoutKeyBytes], std::vector<BYTE>& bytes);
