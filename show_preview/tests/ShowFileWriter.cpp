// Show and layout files for the preview's tests (see ShowFileWriter.h).
#include "ShowFileWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "ByteBufferFile.h"
#include "LampTypeList.h"
#include "LayoutArchive.h"
#include "LayoutFileFormat.h"

namespace tavisk_test {

namespace {

constexpr std::size_t kSlot = 1536;
constexpr std::size_t kBlock = 1048576;
constexpr int kChunkArea = 1464;

void Put16(std::vector<BYTE>& bytes, std::size_t at, int value)
{
    bytes[at] = BYTE(value & 0xFF);
    bytes[at + 1] = BYTE((value >> 8) & 0xFF);
}

void Put32(std::vector<BYTE>& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = BYTE((value >> (8 * i)) & 0xFF);
}

void Scramble(std::vector<BYTE>& slot, BYTE k)
{
    slot[19] = k;
    for (std::size_t i = 42; i < kSlot; ++i)
        slot[i] ^= k;
}

std::vector<BYTE> CommandSlot(BYTE code, int firstPort, BYTE k)
{
    std::vector<BYTE> slot(kSlot, 0);
    slot[14] = 0x45;
    std::copy_n("QVTN", 4, slot.begin() + 42);
    Put16(slot, 46, 0xFFFF);
    slot[49] = code;
    if (code == 14) {
        Put32(slot, 50, 4096);
        Put16(slot, 54, 2);
        Put16(slot, 56, firstPort);
    }
    Scramble(slot, k);
    return slot;
}

void MaskLayoutKey(BYTE* bytes, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i)
        bytes[i] ^= (i % 2 == 0) ? BYTE('Q') : BYTE('Z');
}

} // namespace

std::vector<TestSlot> PackPort(int port, const std::vector<std::vector<BYTE>>& outputs, BYTE k)
{
    std::vector<TestSlot> slots(1);
    slots.back().port = port;
    slots.back().k = k;
    int free = kChunkArea;
    for (std::size_t o = 0; o < outputs.size(); ++o) {
        std::size_t done = 0;
        while (done < outputs[o].size()) {
            const std::size_t rest = outputs[o].size() - done;
            std::size_t n = rest;
            if (static_cast<int>(rest) > free - 6)
                n = static_cast<std::size_t>((free - 6) / 4 * 4);
            TestChunk chunk;
            chunk.output = static_cast<int>(o);
            chunk.offset = static_cast<int>(done);
            chunk.data.assign(
                outputs[o].begin() + static_cast<long>(done), outputs[o].begin() + static_cast<long>(done + n));
            slots.back().chunks.push_back(chunk);
            free -= 6 + static_cast<int>(n);
            done += n;
            if (free < 10) {
                slots.emplace_back();
                slots.back().port = port;
                slots.back().k = k;
                free = kChunkArea;
            }
        }
    }
    if (slots.back().chunks.empty() && slots.size() > 1)
        slots.pop_back();
    return slots;
}

std::vector<BYTE> SlotBytes(const TestSlot& slot)
{
    std::vector<BYTE> bytes(kSlot, 0);
    bytes[14] = 0x45;
    std::copy_n("QVTN", 4, bytes.begin() + 42);
    Put16(bytes, 46, slot.port);
    bytes[48] = BYTE(slot.chunkCount >= 0 ? slot.chunkCount : static_cast<int>(slot.chunks.size()));
    bytes[49] = slot.code;
    std::size_t at = 50;
    for (const TestChunk& chunk : slot.chunks) {
        Put16(bytes, at, chunk.offset);
        bytes[at + 2] = BYTE(chunk.output);
        Put16(bytes, at + 4, static_cast<int>(chunk.data.size()));
        std::copy(chunk.data.begin(), chunk.data.end(), bytes.begin() + static_cast<long>(at + 6));
        at += 6 + chunk.data.size();
    }
    Scramble(bytes, slot.k);
    return bytes;
}

int ShowSectors(const TestShow& show)
{
    int slots = show.slotsPerFrame;
    if (slots == 0)
        for (const auto& frame : show.frames)
            slots = std::max(slots, static_cast<int>(frame.size()));
    return 1 + 3 * slots;
}

std::vector<BYTE> ShowBytes(const TestShow& show)
{
    const int sectors = ShowSectors(show);
    const std::size_t frameSize = static_cast<std::size_t>(sectors) * 512;
    std::vector<BYTE> bytes(2 * kBlock + frameSize * show.frames.size(), 0);
    // Block A.
    bytes[0] = 40;
    bytes[1] = 1;
    Put16(bytes, 2, sectors);
    Put32(bytes, 4, static_cast<std::uint32_t>(show.headerFrames >= 0 ? show.headerFrames : show.frames.size()));
    std::copy_n("QVTN", 4, bytes.begin() + 12);
    // Block B: a sync command, then the start command.
    Put16(bytes, kBlock, show.commandSectors);
    const std::vector<BYTE> sync = CommandSlot(0x20, 0, show.commandK);
    std::copy(sync.begin(), sync.end(), bytes.begin() + static_cast<long>(kBlock + 512));
    if (show.firstPort >= 0) {
        const std::vector<BYTE> start = CommandSlot(14, show.firstPort, show.commandK);
        std::copy(start.begin(), start.end(), bytes.begin() + static_cast<long>(kBlock + 512 + kSlot));
    }
    // Frames.
    for (std::size_t f = 0; f < show.frames.size(); ++f) {
        const std::size_t base = 2 * kBlock + f * frameSize;
        std::copy_n("QVTN", 4, bytes.begin() + static_cast<long>(base));
        for (std::size_t s = 0; s < show.frames[f].size(); ++s) {
            const std::vector<BYTE> slot = SlotBytes(show.frames[f][s]);
            std::copy(slot.begin(), slot.end(), bytes.begin() + static_cast<long>(base + 512 + s * kSlot));
        }
    }
    if (!show.layout.empty()) {
        std::vector<BYTE> layout = show.layout;
        MaskLayoutKey(layout.data(), std::min<std::size_t>(layout.size(), 10));
        bytes.insert(bytes.end(), layout.begin(), layout.end());
        if (show.trailer) {
            std::vector<BYTE> trailer(10, 0);
            Put32(trailer, 0, static_cast<std::uint32_t>(show.layout.size()));
            std::copy_n("LAYOUT", 6, trailer.begin() + 4);
            MaskLayoutKey(trailer.data(), trailer.size());
            bytes.insert(bytes.end(), trailer.begin(), trailer.end());
        }
    }
    return bytes;
}

std::vector<BYTE> Ramp(int length, int seed)
{
    std::vector<BYTE> bytes(static_cast<std::size_t>(length));
    for (int i = 0; i < length; ++i)
        bytes[static_cast<std::size_t>(i)] = BYTE((seed + i) & 0xFF);
    return bytes;
}

std::vector<BYTE> Lamps(std::initializer_list<COLORREF> colours)
{
    std::vector<BYTE> bytes;
    for (COLORREF c : colours) {
        bytes.push_back(GetRValue(c));
        bytes.push_back(GetGValue(c));
        bytes.push_back(GetBValue(c));
    }
    return bytes;
}

namespace {

void BuildModel(const TestLayout& layout, CLayoutData& model, CLayoutProjectSettings& settings)
{
    int ports = 0;
    int largest = 1;
    for (const auto& controller : layout.controllers) {
        ports += static_cast<int>(controller.size());
        for (const TestPort& port : controller)
            largest = std::max(largest, static_cast<int>(port.lamps.size()));
    }
    model.ResetPorts(ports, largest, CString(L"RGB"), 0);
    model.m_width = layout.width;
    model.m_height = layout.height;
    settings.SetControllers(static_cast<int>(layout.controllers.size()), 0);
    for (std::size_t c = 0; c < layout.controllers.size(); ++c) {
        settings.m_controllers.SetAt(static_cast<INT_PTR>(c), static_cast<WORD>(layout.controllers[c].size()));
        for (const TestPort& port : layout.controllers[c]) {
            LayoutPort record;
            record.Allocate(largest);
            record.m_lampFormat = port.format;
            record.m_lampFormatIndex = port.formatIndex;
            record.InsertPoints(port.lamps.data(), static_cast<int>(port.lamps.size()));
            model.AppendLoadedPort(record);
        }
    }
    settings.m_lampFormat = L"RGB";
    settings.m_channelsPerPort = 3072;
    settings.m_doubleSided = layout.doubleSided;
    settings.m_dataOffset = layout.dataOffset;
}

} // namespace

std::vector<BYTE> CurrentLayoutBytes(const TestLayout& layout)
{
    CLayoutData model;
    CLayoutProjectSettings settings;
    BuildModel(layout, model, settings);
    CStringArray types;
    for (const CString& type : layout.lampTypes)
        types.Add(type);
    CGammaCurveTables curves;
    LayoutWriteSource source;
    source.model = &model;
    source.settings = &settings;
    source.lampTypes = &types;
    source.curves = &curves;
    const BYTE key[kLayoutKeyBytes] = { 0x12, 0x34, 0x56, 0x78, 0x9A };
    std::vector<BYTE> bytes;
    EXPECT_EQ(BuildLayoutBytes(source, key, bytes), LayoutWriteResult::Ok);
    return bytes;
}

std::vector<BYTE> ArchiveLayoutBytes(const TestLayout& layout)
{
    CLayoutData model;
    CLayoutProjectSettings settings;
    BuildModel(layout, model, settings);
    LampTypeList.RemoveAll();
    for (const CString& type : layout.lampTypes)
        LampTypeList.Add(type);
    CByteBufferFile file;
    {
        CArchive archive(&file, CArchive::store);
        WriteLayoutArchive(model, archive, settings);
        archive.Close();
    }
    return file.Bytes();
}

CScratchFolder::CScratchFolder()
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    m_path = std::wstring(temp) + L"tavisk_test_" + std::to_wstring(GetCurrentProcessId()) + L"_"
        + std::to_wstring(++counter);
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
}

CScratchFolder::~CScratchFolder()
{
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
}

void WriteBytes(const CString& path, const std::vector<BYTE>& bytes)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size());
}

std::vector<BYTE> ReadBytes(const CString& path)
{
    std::vector<BYTE> bytes;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

} // namespace tavisk_test
