// A screen's live-play state: the frame the self-paced state machine sends,
// its positions and counters, the frame buffer of the device-context form
// and the 16 output buffers handed to the packet builder.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <vector>

// One port has at most 16 outputs; their buffers hold at least this much.
constexpr int kLiveOutputCount = 16;
constexpr std::size_t kLiveOutputBufferSize = 16384;

struct LivePlayFields {
    const BYTE* currentFrame = nullptr;
    int startPending = 0;
    std::uint16_t startPort = 0;
    // width x height x bytes per pixel, plus 10 spare bytes.
    std::vector<BYTE> frameBuffer;
    int frameSize = 0;
    std::array<std::vector<BYTE>, kLiveOutputCount> outputs;
    std::uint16_t portPosition = 0;
    std::uint16_t controllerPosition = 0;
    int framesSent = 0;
};
