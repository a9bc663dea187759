// Shared pieces of the archive-format and layout-document tests: a stand-in
// for the layout view, a guard for the editor-wide values, archives in
// memory, a hand encoder of archive fields, temporary files and a snapshot
// of everything a reader may change.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ByteBufferFile.h"
#include "EditorSettings.h"
#include "GammaCurveTables.h"
#include "LampTypeList.h"
#include "LayoutArchive.h"
#include "LayoutFile.h"
#include "../LayoutTestTempFiles.h"

namespace archivetest {

// The layout view as the readers see it.
class CReaderView : public ILayoutFileView {
public:
    CLayoutProjectSettings& GetLayoutSettings() override { return m_settings; }
    void ResizeLayout(int width, int height) override
    {
        ++m_resizes;
        LayoutWidth = width;
        LayoutHeight = height;
    }

    CLayoutProjectSettings m_settings;
    int m_resizes = 0;
};

// Puts every editor-wide value back to its start when the test ends.
class CEditorValuesGuard {
public:
    CEditorValuesGuard() { Reset(); }
    ~CEditorValuesGuard() { Reset(); }
    static void Reset()
    {
        ResetEditorSettings();
        ResetLampTypeList();
        GammaCurveTables.Reset();
    }
};

// WriteLayoutArchive into memory.
inline std::vector<BYTE> WriteArchive(const CLayoutData& model, const CLayoutProjectSettings& settings)
{
    CByteBufferFile file;
    CArchive ar(&file, CArchive::store);
    WriteLayoutArchive(model, ar, settings);
    ar.Close();
    return file.Bytes();
}

// ReadLayoutArchive from memory.
inline LayoutReadResult ReadArchive(ILayoutFileView* view, const std::vector<BYTE>& bytes, CLayoutData& model)
{
    CByteBufferFile file(bytes);
    CArchive ar(&file, CArchive::load);
    return ReadLayoutArchive(view, ar, model);
}

// Archive fields encoded by hand, as the format describes them: a raw
// header, then little-endian 32-bit fields, masked ones XORed with the key
// character at the running key position, and wide strings.
class CArchiveEncoder {
public:
    static constexpr char kKey[] = "pixrowmak-gridun";

    explicit CArchiveEncoder(const std::vector<BYTE>& header)
        : m_bytes(header)
    {
        m_bytes.resize(384, 0);
    }
    CArchiveEncoder& Masked(long long value)
    {
        Le32(static_cast<unsigned>(value) ^ static_cast<unsigned>(kKey[m_key]));
        m_key = (m_key + 1) % 16;
        return *this;
    }
    CArchiveEncoder& Plain(long long value)
    {
        Le32(static_cast<unsigned>(value));
        return *this;
    }
    CArchiveEncoder& Text(const std::wstring& text)
    {
        m_bytes.insert(m_bytes.end(), { 0xFF, 0xFE, 0xFF });
        const size_t n = text.size();
        if (n < 0xFF) {
            m_bytes.push_back(static_cast<BYTE>(n));
        } else if (n < 0xFFFE) {
            m_bytes.push_back(0xFF);
            m_bytes.push_back(static_cast<BYTE>(n));
            m_bytes.push_back(static_cast<BYTE>(n >> 8));
        } else {
            m_bytes.insert(m_bytes.end(), { 0xFF, 0xFF, 0xFF });
            Le32(static_cast<unsigned>(n));
        }
        for (wchar_t ch : text) {
            m_bytes.push_back(static_cast<BYTE>(ch));
            m_bytes.push_back(static_cast<BYTE>(ch >> 8));
        }
        return *this;
    }
    CArchiveEncoder& Raw(std::initializer_list<BYTE> bytes)
    {
        m_bytes.insert(m_bytes.end(), bytes);
        return *this;
    }
    int KeyPosition() const { return m_key; }
    const std::vector<BYTE>& Bytes() const { return m_bytes; }

private:
    void Le32(unsigned v)
    {
        for (int i = 0; i < 4; ++i)
            m_bytes.push_back(static_cast<BYTE>(v >> (8 * i)));
    }
    std::vector<BYTE> m_bytes;
    int m_key = 0;
};

// Everything a reader may change, as comparable bytes: the model and the
// settings in the current format with a fixed key, plus what that format
// leaves out.
inline std::vector<BYTE> Snapshot(const CLayoutData& model, const CLayoutProjectSettings& settings)
{
    static const BYTE kKey[kLayoutKeyBytes] = { 1, 2, 3, 4, 5 };
    std::vector<BYTE> bytes;
    if (BuildLayoutFileBytes(model, settings, kKey, bytes) != LayoutWriteResult::Ok)
        bytes.assign(1, 0xEE);
    auto add = [&bytes](long long v) {
        for (int i = 0; i < 8; ++i)
            bytes.push_back(static_cast<BYTE>(v >> (8 * i)));
    };
    add(model.m_modified);
    add(model.GetUsedCount());
    add(settings.m_controllerCount);
    add(settings.m_dataOffset);
    add(settings.m_loaded);
    add(LayoutWidth);
    add(LayoutHeight);
    for (int p = 0; p < model.GetPortCount(); ++p)
        for (int i = 0; i < model.GetPort(p).GetCount(); ++i) {
            add(static_cast<long long>(model.GetPort(p).GetPoint(i).m_normX * 1e9));
            add(static_cast<long long>(model.GetPort(p).GetPoint(i).m_normY * 1e9));
        }
    return bytes;
}

// A layout of three controllers with 2, 1 and 3 ports, lamps in four ports,
// three lamp formats and every setting away from its default.
inline void BuildRichLayout(CLayoutData& model, CLayoutProjectSettings& settings)
{
    model.m_width = 64;
    model.m_height = 32;
    model.ResetPorts(6, 40, CString(L"RGB"), 0);
    LampTypeList.RemoveAll();
    LampTypeList.Add(L"RGB");
    LampTypeList.Add(L"RGBW");
    LampTypeList.Add(L"GRB");
    const int lamps[6] = { 3, 0, 5, 1, 0, 40 };
    for (int p = 0; p < 6; ++p) {
        LayoutPort& port = model.GetPort(p);
        port.m_lampFormat = p % 2 == 0 ? L"RGBW" : L"GRB";
        port.m_lampFormatIndex = p % 3;
        std::vector<CLPoint> points;
        for (int i = 0; i < lamps[p]; ++i) {
            CLPoint point((p * 7 + i) % 64, (p * 3 + i * 5) % 32);
            point.m_normX = (point.x + 0.25) / 64.0;
            point.m_normY = (point.y + 0.75) / 32.0;
            points.push_back(point);
        }
        if (!points.empty())
            port.InsertPoints(points.data(), static_cast<int>(points.size()));
    }
    model.RebuildUsedPorts();
    model.m_templateKind = 1;

    settings.m_controllers.RemoveAll();
    settings.m_controllers.Add(2);
    settings.m_controllers.Add(1);
    settings.m_controllers.Add(3);
    settings.m_controllerCount = 3;
    settings.m_lampFormat = L"RGBW";
    settings.m_portsPerController = 3;
    settings.m_channelsPerPort = 1024;
    settings.m_lampsPerPort = 256;
    settings.m_doubleSided = 1;
    settings.m_showGrid = 0;
    settings.m_allowOverlap = 1;
    settings.m_allowMaxLamps = 0;
    settings.m_controllerModel = L"K-8000 \u63a7\u5236\u5668";
    settings.m_showXY = 1;
    settings.m_randomColours = 0;
    settings.m_swatchColour = RGB(0x12, 0x34, 0x56);
    for (int i = 0; i < kMaxRulers; ++i) {
        settings.m_hRulers.Add(static_cast<WORD>(i * 3 + 1));
        settings.m_vRulers.Add(static_cast<WORD>(60000 - i));
    }
    settings.m_dataOffset = 7;
    AlignToGrid = 0;
}

} // namespace archivetest
