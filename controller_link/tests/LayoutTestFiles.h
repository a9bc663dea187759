// Layout files for the controller library's layout tests, written by the
// layout editor's own writers (current format and archive format) from a
// small description of controllers, ports and lamps.
#pragma once

#include <afx.h>

#include <map>
#include <string>
#include <vector>

#include "LPoint.h"

namespace corvane_test {

struct TestPort {
    std::vector<CLPoint> lamps;
    CString format = L"RGB";
    int formatIndex = 0;
    std::map<int, BYTE> brightness; // channel -> percent
    std::map<int, BYTE> gamma; // channel -> curve number (1..4)
};

struct TestLayout {
    int width = 16;
    int height = 8;
    std::vector<std::vector<TestPort>> controllers; // ports per controller
    std::vector<CString> lampTypes { L"RGB" };
    CString projectFormat = L"RGB";
    int channelsPerPort = 3072;
    int doubleSided = 0;
    int dataOffset = 0;
    int curveCount = 0;
    BYTE curves[4][256] = {};
};

CLPoint Lamp(int x, int y, BYTE formatOverride = 0, BYTE masked = 0, BYTE layer = 0);

// The file bytes of the current format (key bytes fixed).
std::vector<BYTE> CurrentLayoutBytes(const TestLayout& layout);
// The file bytes of the archive format, not scrambled.
std::vector<BYTE> ArchiveLayoutBytes(const TestLayout& layout);

void WriteBytes(const std::wstring& path, const std::vector<BYTE>& bytes);

} // namespace corvane_test
