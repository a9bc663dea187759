// Off-line show files for the preview's tests, laid out byte by byte: the two
// header blocks, frames of packet slots (with an optional scrambling byte),
// the masked layout copy and its trailer. Also small layout files written by
// the layout editor's own writers.
#pragma once

#include <afx.h>

#include <cstdint>
#include <string>
#include <vector>

#include "LPoint.h"

namespace tavisk_test {

struct TestChunk {
    int output = 0;
    std::vector<BYTE> data;
    int offset = 0; // offset of the chunk within its output (not read by the preview)
};

struct TestSlot {
    int port = 1;
    std::vector<TestChunk> chunks;
    int chunkCount = -1; // stored chunk count; -1: the number of chunks
    BYTE k = 0; // scrambling byte
    BYTE code = 1; // 1: data block
};

struct TestShow {
    int slotsPerFrame = 0; // 0: the most slots of any frame
    std::vector<std::vector<TestSlot>> frames;
    long long headerFrames = -1; // -1: the number of frames
    int firstPort = 1; // -1: no start command
    int commandSectors = 7;
    BYTE commandK = 0;
    std::vector<BYTE> layout; // appended with the trailer when not empty
    bool trailer = true;
};

// The slots of one port holding `outputs` (output number = index), split as
// the recorder splits them: chunk area 1464 bytes, chunk headers of 6 bytes,
// split chunks a multiple of 4 long.
std::vector<TestSlot> PackPort(int port, const std::vector<std::vector<BYTE>>& outputs, BYTE k = 0);

// A slot of 1536 bytes in stored form.
std::vector<BYTE> SlotBytes(const TestSlot& slot);

std::vector<BYTE> ShowBytes(const TestShow& show);
int ShowSectors(const TestShow& show);

// An output of `length` bytes whose byte i is (seed + i) & 0xFF.
std::vector<BYTE> Ramp(int length, int seed);
// An output of lamps of three bytes each.
std::vector<BYTE> Lamps(std::initializer_list<COLORREF> colours);

// Layout files through the layout editor's writers.
struct TestPort {
    std::vector<CLPoint> lamps;
    CString format = L"RGB";
    int formatIndex = 0;
};
struct TestLayout {
    int width = 16;
    int height = 8;
    std::vector<std::vector<TestPort>> controllers;
    std::vector<CString> lampTypes { L"RGB" };
    int doubleSided = 0;
    int dataOffset = 0;
};
std::vector<BYTE> CurrentLayoutBytes(const TestLayout& layout);
std::vector<BYTE> ArchiveLayoutBytes(const TestLayout& layout);

// A fresh folder under the temporary folder, removed with its content.
class CScratchFolder {
public:
    CScratchFolder();
    ~CScratchFolder();
    CString Path(const wchar_t* name) const { return CString(m_path.c_str()) + L"\\" + name; }
    const std::wstring& Folder() const { return m_path; }

private:
    std::wstring m_path;
};

void WriteBytes(const CString& path, const std::vector<BYTE>& bytes);
std::vector<BYTE> ReadBytes(const CString& path);

} // namespace tavisk_test
