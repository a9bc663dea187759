// A screen's colour settings: the white mode that derives a white value
// into every pixel's fourth byte, and the fifth colour taken out of red,
// green and blue into a buffer of its own (ColourProcessing.h).
#pragma once

#include <windows.h>

#include <vector>

constexpr int kMaxWhiteMode = 11;
// The level white mode 5 writes.
constexpr BYTE kFixedWhiteLevel = 128;

struct ScreenColour {
    int whiteMode = 0; // 0 off, 1..11
    BYTE whiteValue = 0; // the level white mode 11 writes
    BYTE fixedWhite = kFixedWhiteLevel;
    // Red, green and blue weights of white mode 2: i x 0.3, i x 0.586,
    // i x 0.114; empty until built.
    std::vector<double> redWeights;
    std::vector<double> greenWeights;
    std::vector<double> blueWeights;

    int fifthEnable = 0;
    double k[6] = {}; // k1..k6
    int greyPairOnly = 0;
    // One byte per pixel at the pixel's byte offset, with the frame's four
    // trailing zero bytes; sized by PrepareFifthColourBuffer.
    std::vector<BYTE> fifthBuffer;
};
