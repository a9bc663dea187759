// A fixture for the recording tests: one screen in a scratch program folder
// (its layout copy in "TF\"), a fake adapter on loopback, scrambling off and
// protocol version 3 (sync code 60), and helpers that make frames and the
// settings that close a file.
#pragma once

#include "ControllerTable.h"
#include "Corvane.h"
#include "CorvaneLibrary.h"
#include "LayoutTestFiles.h"
#include "OfflineShowFile.h"
#include "PixelMapFile.h"
#include "ShowFileReader.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace corvane_test {

// 4 x 2 grid: controller entry 0 has two ports (lamps (0,0),(1,0) and
// (2,0)), entry 1 one port (lamps (0,1),(3,1)).
TestLayout TinyLayout(const wchar_t* format = L"RGB");

// Pixel (x, y) of frame f: blue 10 f + x, green 20 + y, red 100 + x + 4 y + f,
// fourth byte 0; four zero bytes after the last pixel.
std::vector<std::uint8_t> TinyFrame(int f, int width = 4, int height = 2);

class CRecorderTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the layout as screen 1's layout copy and reads it; group mode
    // with one port per controller gives one controller per port.
    void LoadLayout(const TestLayout& layout, bool group = true);
    std::wstring Path(const wchar_t* name) const { return m_folder.Path() + L"\\" + name; }
    std::vector<std::uint8_t> LayoutBytes() const { return ReadFileBytes(m_layoutPath); }

    CScratchFolder m_folder;
    std::unique_ptr<CFakeAdapters> m_adapters;
    std::wstring m_layoutPath;
};

// Close settings with everything off and no password.
RecordingSettings PlainSettings(const CStringArray& cards);

} // namespace corvane_test
