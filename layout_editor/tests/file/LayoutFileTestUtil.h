// Shared pieces of the layout file tests: a stand-in for the layout view,
// a guard that restores the editor-wide values, temporary files, a buffer
// whose end touches an inaccessible page, and a snapshot of everything a
// reader may change.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EditorSettings.h"
#include "GammaCurveTables.h"
#include "LampTypeList.h"
#include "LayoutFile.h"
#include "../LayoutTestTempFiles.h"

// The layout view as the readers see it.
class CTestLayoutView : public ILayoutFileView {
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

// A copy of the bytes placed so that the byte after the last one lies on a
// page with no access: a read past the end faults at once.
class CGuardedBytes {
public:
    explicit CGuardedBytes(const std::vector<BYTE>& bytes)
    {
        SYSTEM_INFO info;
        ::GetSystemInfo(&info);
        const size_t page = info.dwPageSize;
        const size_t dataPages = (bytes.size() + page - 1) / page;
        m_size = (dataPages + 1) * page;
        m_base = static_cast<BYTE*>(::VirtualAlloc(nullptr, m_size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        ::VirtualProtect(m_base + dataPages * page, page, PAGE_NOACCESS, &old);
        m_data = m_base + dataPages * page - bytes.size();
        std::copy(bytes.begin(), bytes.end(), m_data);
        m_count = bytes.size();
    }
    ~CGuardedBytes() { ::VirtualFree(m_base, 0, MEM_RELEASE); }
    CGuardedBytes(const CGuardedBytes&) = delete;
    CGuardedBytes& operator=(const CGuardedBytes&) = delete;
    const BYTE* Data() const { return m_data; }
    size_t Size() const { return m_count; }

private:
    BYTE* m_base = nullptr;
    BYTE* m_data = nullptr;
    size_t m_size = 0;
    size_t m_count = 0;
};

// Reads bytes through the guarded buffer.
inline LayoutReadResult ReadGuarded(ILayoutFileView* view, const std::vector<BYTE>& bytes, CLayoutData& model)
{
    CGuardedBytes guarded(bytes);
    return ReadLayoutBytes(view, guarded.Data(), guarded.Size(), model);
}

// Everything a reader may change, as comparable bytes: the model and view
// written with a fixed key, plus the values the format does not carry.
inline std::vector<BYTE> Snapshot(const CLayoutData& model, const CLayoutProjectSettings& settings)
{
    static const BYTE kKey[kLayoutKeyBytes] = { 9, 8, 7, 6, 5 };
    std::vector<BYTE> bytes;
    if (BuildLayoutFileBytes(model, settings, kKey, bytes) != LayoutWriteResult::Ok)
        bytes.assign(1, 0xEE);
    auto add = [&bytes](long long v) {
        for (int i = 0; i < 8; ++i)
            bytes.push_back(static_cast<BYTE>(v >> (8 * i)));
    };
    add(model.m_templateKind);
    add(model.GetUsedCount());
    for (int i = 0; i < model.GetUsedCount(); ++i)
        add(model.GetUsedPort(i));
    add(settings.m_controllerCount);
    add(settings.m_dataOffset);
    add(settings.m_loaded);
    add(LayoutWidth);
    add(LayoutHeight);
    for (int p = 0; p < model.GetPortCount(); ++p)
        add(model.GetPort(p).m_adjusted);
    for (int c = 0; c < kMaxUserCurves; ++c)
        bytes.insert(bytes.end(), GammaCurveTables.m_curves[c], GammaCurveTables.m_curves[c] + kCurveEntries);
    return bytes;
}
