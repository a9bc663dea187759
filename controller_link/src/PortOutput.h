// One output of a screen port: the byte map that says, for every byte the
// output sends, which byte of a rendered frame it takes, built once when a
// layout is read; then ExtractOutput maps each frame by one table lookup per
// byte and applies the output's gamma curves and brightness corrections.
//
// Lamps outside the grid, masked lamps and lamps missing from an incomplete
// unit read the black position, one pixel past the frame: zeros. The bytes
// there are never read, so a frame need not carry them.
#pragma once

#include <afx.h>

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "ChannelOrder.h"
#include "LPoint.h"

// The screen's four user gamma curves (256 levels each).
using UserCurveTables = std::array<std::array<BYTE, 256>, 4>;

// Entries of a port's brightness and gamma-curve tables in the layout file.
constexpr int kPortOutputTableSize = 6000;
// Longest output a map may describe: its length travels as 16 bits.
constexpr int kMaxPortOutputLength = 0xFFFF;
// Map and output buffers run this far past the map length (zeroed).
constexpr int kPortOutputSlack = 256;

enum class ArchiveMapResult {
    Ok = 0,
    NoPositions = 1,
    NoLamps = 2,
    BadBitsPerPixel = 3,
    TooLong = 4, // the output would be longer than kMaxPortOutputLength
};

class PortOutput {
public:
    PortOutput() = default;

    // Parses the lamp format with the stride of the screen's bits per pixel
    // (3 bytes for 24, 4 for 32) into this output's codes; other depths
    // parse nothing and return false.
    bool ParseChannelOrderArchive(const CString& format, int bitsPerPixel);

    // Builds the map of a current-format port: `formats` are the layout's
    // parsed lamp formats, every lamp's override and `formatIndex` must name
    // one of them (the reader checks). False for no lamps or an output longer
    // than kMaxPortOutputLength. The frame is 4 bytes per pixel.
    bool BuildPortOutputMap(const CLPoint* lamps, int count, const std::vector<ChannelOrder>& formats, int formatIndex,
        int dataOffset, int width, int height);

    // Builds the map of an archive-format port from the codes parsed by
    // ParseChannelOrderArchive and m_dataOffset; lamps carry positions only.
    ArchiveMapResult BuildPortOutputMapArchive(
        const CPoint* positions, int count, int bitsPerPixel, int width, int height);

    // Takes the file's brightness (percent, 100 = unchanged; results above
    // 255 saturate) and gamma-curve
    // (0 = none, n = user curve n - 1) tables of kPortOutputTableSize entries;
    // channel bytes beyond the tables are sent uncorrected.
    void SetPortTables(const BYTE* brightness, const BYTE* gammaCurves);

    // Maps one frame into the output buffer and returns it (m_mapLength
    // bytes), or nullptr without a map or a frame. The frame must hold every
    // pixel of the grid the map was built for; the fifth-colour buffer (when
    // enabled) those bytes and four more.
    const BYTE* ExtractOutput(
        const BYTE* frame, int whiteMode, const BYTE* fifthColour, int fifthEnable, const UserCurveTables& curves);

    // Asks the processor to fetch what ExtractOutput reads and writes first
    // (a hint only: nothing happens where it has no such instruction).
    void Prefetch() const
    {
        if (!m_runs.empty())
            __builtin_prefetch(m_runs.data());
        if (!m_output.empty())
            __builtin_prefetch(m_output.data(), 1);
    }

    // Frees map, output buffer and lamp copies; the length becomes 0.
    void Clear();

    std::uint16_t m_outputLength = 0; // copy of the map length, read by the senders
    int m_mapLength = 0; // data offset + channel bytes
    int m_lampCount = 0; // after double-sided doubling
    std::vector<CLPoint> m_lamps;
    int m_dataOffset = 0; // leading bytes before the first lamp's data
    int m_channelCount = 3;
    std::vector<std::uint32_t> m_codes; // archive-format ports only
    int m_pixelsPerLamp = 1;
    CString m_lampFormat;
    std::vector<std::uint32_t> m_map; // m_mapLength + kPortOutputSlack entries
    std::vector<BYTE> m_output; // m_mapLength + kPortOutputSlack bytes
    std::vector<std::pair<std::uint16_t, std::uint16_t>> m_brightness; // (position, percent)
    std::vector<std::pair<std::uint16_t, std::uint16_t>> m_gammaCurves; // (position, curve 0..3)
    int m_portIndex = 0; // within its controller; the output number towards it
    std::uint32_t m_blackPosition = 0; // one pixel past the frame

    // The map cut into runs, built with it: a run of `length` bytes from
    // output byte `start` repeats the map's first `period` entries there,
    // each unit `step` frame bytes further on (lamps side by side in one
    // format). A run of period 0 is mapped byte by byte (flags, lamps apart).
    // A run of three-byte units also keeps what mapping it needs from the
    // map (read once a frame, the map of a large screen is out of the cache):
    // the lowest offset of its first unit and the unit's bytes from there.
    struct MapRun {
        std::uint32_t start = 0;
        std::uint32_t length = 0;
        std::uint32_t period = 0;
        std::uint32_t step = 0;
        std::uint32_t units = 0; // whole units: length / period
        std::uint32_t base = 0; // period 3
        std::uint32_t offsets[3] = {}; // period 3, from `base`
        bool sideBySide = false; // period 3: whole 4-byte pixels 4 bytes apart, all before the black position
    };
    const std::vector<MapRun>& Runs() const { return m_runs; }

private:
    bool AllocateMap(long long length);
    void BuildRuns();
    void MapBytes(const BYTE* frame, int from, int to, bool white, const BYTE* fifthColour, bool fifth);

    std::vector<MapRun> m_runs;
};
