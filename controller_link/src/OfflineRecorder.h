// The recorder of off-line show files: maps each frame of a screen through
// its ports' byte maps and colour modes, stores every port's data as the
// Ethernet frames its controller would receive, and closes the file with
// block A (the play settings) and the masked copy of the screen's layout.
// The recording exports (RecordingExports.cpp) drive it; it knows nothing of
// screen numbers or senders' sockets.
#pragma once

#include <afx.h>

#include <cstdint>
#include <vector>

#include "ControllerEntry.h"
#include "LEDScreen.h"
#include "LocalSender.h"
#include "OfflineShowFile.h"
#include "OfflineShowFormat.h"
#include "StoredPackets.h"

// Results of the recorder besides 0.
constexpr int kRecordNotOpen = -1;
constexpr int kRecordFileFailed = -3;

class COfflineRecorder {
public:
    COfflineRecorder() = default;
    COfflineRecorder(const COfflineRecorder&) = delete;
    COfflineRecorder& operator=(const COfflineRecorder&) = delete;

    // Creates the file (under its temporary name): 0, or kRecordFileFailed.
    int CreateFile(const CString& path);
    // Builds block B with a sync and a start command per controller, writes
    // both header blocks and opens the recording: 0, or kRecordFileFailed
    // (the file is then dropped).
    int Begin(const CLEDScreen& screen, const std::vector<ControllerEntry>& controllers, LocalSender& sender,
        unsigned framesPerSecond, int syncCode, bool scramble);

    // Records one frame of `bytesPerPixel` (3 or 4) bytes per pixel (white
    // may be derived into 4-byte pixels in place): 0, kRecordNotOpen, or
    // kRecordFileFailed once a write failed or a frame needed more than
    // kMaxFrameSlots slots (the recording then fails as a whole). `sizeMiB`
    // (may be null) receives the bytes written so far / 1 MiB.
    int RecordFrame(CLEDScreen& screen, const std::vector<ControllerEntry>& controllers, const LocalSender& sender,
        unsigned char* pixels, int bytesPerPixel, bool scramble, double* sizeMiB);

    // Writes block A, appends the layout file (when it can be read) with its
    // trailer and gives the file its name: 0, kRecordNotOpen, or
    // kRecordFileFailed (no file is left behind).
    int Close(const RecordingSettings& settings, const CString& layoutPath);
    // Drops an open recording and its file.
    void Abandon();

    bool IsOpen() const { return m_open; }
    std::uint32_t Frames() const { return m_frames; }
    std::uint64_t TotalBytes() const { return m_totalBytes; }
    std::uint16_t FrameIntervalMs() const { return m_facts.frameIntervalMs; }
    stored::CPacketAssembler& Assembler() { return m_assembler; }

private:
    // Stores the slots of one port; false when the frame is full.
    bool StorePort(CLEDScreen& screen, int portIndex, const ControllerEntry& controller, const LocalSender& sender,
        const unsigned char* pixels, std::size_t& frameBytes);
    void ReleaseBuffers();

    COfflineShowFile m_file;
    bool m_open = false;
    bool m_failed = false;
    offline::RecordingFacts m_facts;
    std::uint64_t m_totalBytes = 0;
    std::uint32_t m_frames = 0;
    std::vector<std::uint8_t> m_blockA;
    std::vector<std::uint8_t> m_blockB;
    std::vector<std::uint8_t> m_frame;
    std::vector<BYTE> m_pixels; // a frame converted for the maps (ScreenFrame.h)
    stored::CPacketAssembler m_assembler;
    // A port too long for one datagram is logged once per file.
    bool m_loggedLongPort = false;
};
