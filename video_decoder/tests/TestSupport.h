// Helpers of the video library's tests and benchmark: a temporary folder,
// a memory DC canvas whose pixels can be read, and ready-made test clips.
#pragma once

#include "ClipFrames.h"
#include "ClipWriters.h"

#include <windows.h>

#include <string>
#include <vector>

namespace clipgen {

// A fresh folder under the temporary folder, deleted with what is in it.
class CTempFolder {
public:
    explicit CTempFolder(const std::wstring& leaf = L"");
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;
    const std::wstring& Path() const { return m_path; }
    std::wstring File(const std::wstring& name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
};

// A memory DC with a 32-bit top-down DIB section selected.
class CCanvas {
public:
    CCanvas(int width, int height);
    ~CCanvas();
    CCanvas(const CCanvas&) = delete;
    CCanvas& operator=(const CCanvas&) = delete;
    HDC DC() const { return m_dc; }
    Rgb At(int x, int y) const;
    void Fill(Rgb colour);
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    uint32_t* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
};

bool Near(Rgb a, Rgb b, int tolerance = 12);

// Clips whose frame i is flat FrameColour(first + i).
std::vector<uint8_t> FlatRawAvi(int width, int height, int frames, int fps, int first = 0, bool withIndex = true);
std::vector<uint8_t> FlatMjpegAvi(int width, int height, int frames, int fps, int first = 0);
std::vector<uint8_t> FlatMjpegMkv(int width, int height, int frames, int fps, int first = 0);

} // namespace clipgen
