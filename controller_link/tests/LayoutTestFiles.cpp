// Layout files written through the layout editor's writers (see
// LayoutTestFiles.h).
#include "LayoutTestFiles.h"

#include <gtest/gtest.h>

#include "ByteBufferFile.h"
#include "EditorSettings.h"
#include "LampTypeList.h"
#include "LayoutArchive.h"
#include "LayoutFileFormat.h"
#include "TestSupport.h"

namespace corvane_test {

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
    for (size_t c = 0; c < layout.controllers.size(); ++c) {
        settings.m_controllers.SetAt(static_cast<INT_PTR>(c), static_cast<WORD>(layout.controllers[c].size()));
        for (const TestPort& port : layout.controllers[c]) {
            LayoutPort record;
            record.Allocate(largest);
            record.m_lampFormat = port.format;
            record.m_lampFormatIndex = port.formatIndex;
            for (const auto& [channel, percent] : port.brightness)
                record.m_brightness[static_cast<size_t>(channel)] = percent;
            for (const auto& [channel, curve] : port.gamma)
                record.m_gamma[static_cast<size_t>(channel)] = curve;
            record.InsertPoints(port.lamps.data(), static_cast<int>(port.lamps.size()));
            model.AppendLoadedPort(record);
        }
    }
    settings.m_lampFormat = layout.projectFormat;
    settings.m_channelsPerPort = layout.channelsPerPort;
    settings.m_doubleSided = layout.doubleSided;
    settings.m_dataOffset = layout.dataOffset;
}

} // namespace

CLPoint Lamp(int x, int y, BYTE formatOverride, BYTE masked, BYTE layer)
{
    CLPoint lamp(x, y);
    lamp.m_lampFormat = formatOverride;
    lamp.m_masked = masked;
    lamp.m_layer = layer;
    return lamp;
}

std::vector<BYTE> CurrentLayoutBytes(const TestLayout& layout)
{
    CLayoutData model;
    CLayoutProjectSettings settings;
    BuildModel(layout, model, settings);
    CStringArray types;
    for (const CString& type : layout.lampTypes)
        types.Add(type);
    CGammaCurveTables curves;
    curves.m_count = layout.curveCount;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 256; ++j)
            curves.m_curves[i][j] = layout.curves[i][j];

    LayoutWriteSource source;
    source.model = &model;
    source.settings = &settings;
    source.lampTypes = &types;
    source.curves = &curves;
    const BYTE key[kLayoutKeyBytes] = { 0x11, 0x22, 0x33, 0x44, 0x55 };
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

void WriteBytes(const std::wstring& path, const std::vector<BYTE>& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size());
}

} // namespace corvane_test
