// DXF export of a layout: entity texts and the writing of the drawing.
#include "DxfExporter.h"

#include <algorithm>
#include <cstdio>

#include <fw_replacefile.h>

#include "DxfProgress.h"
#include "EditorSettings.h"
#include "LayoutMessages.h"

const wchar_t* const kDxfWriteFailedText = L"无法写入此文件,请确保无其他程序正在使用";

namespace {

void AppendLine(std::string& out, const char* text)
{
    out += text;
    out += '\n';
}

void AppendNumber(std::string& out, double value)
{
    char buffer[352];
    std::snprintf(buffer, sizeof buffer, "%3f", value);
    AppendLine(out, buffer);
}

// Keeps the window responsive while a long drawing is written.
void PumpOneMessage()
{
    MSG msg;
    if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

} // namespace

std::string DxfExporter::FormatCircle(double x, double y, double radius)
{
    std::string out = "0\nCIRCLE\n8\n0\n62\n7\n6\nCONTINUOUS\n10\n";
    AppendNumber(out, x);
    out += "20\n";
    AppendNumber(out, y);
    out += "30\n0\n40\n";
    AppendNumber(out, radius);
    return out;
}

std::string DxfExporter::FormatLine(double x1, double y1, double x2, double y2, double thickness)
{
    std::string out = "0\nLINE\n8\n0\n62\n1\n6\nCONTINUOUS\n10\n";
    AppendNumber(out, x1);
    out += "20\n";
    AppendNumber(out, y1);
    out += "30\n0\n11\n";
    AppendNumber(out, x2);
    out += "21\n";
    AppendNumber(out, y2);
    out += "31\n0\n39\n";
    char buffer[352];
    std::snprintf(buffer, sizeof buffer, "%0.3f", thickness);
    AppendLine(out, buffer);
    return out;
}

std::string DxfExporter::FormatText(const char* text, double x, double y, double height, double rotation)
{
    std::string out = "0\nTEXT\n8\n0\n62\n3\n10\n";
    AppendNumber(out, x);
    out += "20\n";
    AppendNumber(out, y);
    out += "30\n0\n40\n";
    AppendNumber(out, height);
    out += "1\n";
    AppendLine(out, text == nullptr ? "" : text);
    if (rotation != 0) {
        out += "50\n";
        AppendNumber(out, rotation);
    }
    return out;
}

double DxfExporter::RadiusFor(int totalLamps, int width, int height)
{
    if (width > 2048 || height > 2048)
        return 0.1;
    const double r = 5.0 - 0.1 * (totalLamps / 5000 - 2);
    return std::clamp(r, 0.1, 5.0);
}

std::string DxfExporter::PortLabel(int portIndex, const CControllerList& controllers)
{
    int remaining = portIndex;
    int controller = 0;
    for (INT_PTR i = 0; i < controllers.GetSize() && remaining >= controllers[i]; ++i) {
        remaining -= controllers[i];
        ++controller;
    }
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "c%dp%d", controller + 1, remaining + 1);
    return buffer;
}

int DxfExporter::Write(
    LPCWSTR path, const CLayoutData& layout, const CControllerList& controllers, bool lampNumbers, HWND progress)
{
    CReplacingFile file;
    if (!file.Open(path)) {
        ShowLayoutMessage(kDxfWriteFailedText, nullptr);
        return 0;
    }
    file.Write(m_tables);
    file.Write(m_dimensionBlocks);
    file.Write(m_textBlocks);
    file.Write(m_entitiesOpener);

    long long total = 0;
    int largestY = 0;
    for (int u = 0; u < layout.GetUsedCount(); ++u) {
        const LayoutPort& port = layout.GetPort(layout.GetUsedPort(u));
        total += port.GetCount();
        for (int i = 0; i < port.GetCount(); ++i)
            largestY = std::max(largestY, static_cast<int>(port.GetPoint(i).y));
    }
    if (total == 0) {
        // Nothing to draw: the target stays as it was.
        file.Abort();
        return 0;
    }
    DxfSetProgressRange(progress, 0, layout.GetUsedCount());
    DxfSetProgressPos(progress, 0);

    const double r = RadiusFor(static_cast<int>(std::min<long long>(total, INT_MAX)), layout.m_width, layout.m_height);
    const double c = 2.0 * r;
    auto position = [&](const CLPoint& p, double& x, double& y) {
        if (AlignToGrid) {
            x = p.x * c;
            y = (largestY - p.y) * c;
        } else {
            x = layout.m_width * p.m_normX * c;
            y = (1.0 - p.m_normY) * layout.m_height * c;
        }
    };
    char number[16];
    for (int u = 0; u < layout.GetUsedCount() && !file.Failed(); ++u) {
        const int portIndex = layout.GetUsedPort(u);
        const LayoutPort& port = layout.GetPort(portIndex);
        if (port.GetCount() > 0) {
            double x = 0;
            double y = 0;
            position(port.GetPoint(0), x, y);
            file.Write(FormatCircle(x, y, r));
            file.Write(FormatText(PortLabel(portIndex, controllers).c_str(), x - 0.9 * r, y - 0.25 * r, 0.5 * r, 0));
            if (lampNumbers)
                file.Write(FormatText("1", x - 0.7 * r, y - 0.25 * r, 0.5 * r, 0));
            file.Write(FormatLine(x, y, x - 0.9 * r, y - 0.25 * r, 0));
            for (int k = 1; k < port.GetCount(); ++k) {
                double nx = 0;
                double ny = 0;
                position(port.GetPoint(k), nx, ny);
                file.Write(FormatCircle(nx, ny, r));
                file.Write(FormatLine(x, y, nx, ny, 0));
                if (lampNumbers) {
                    std::snprintf(number, sizeof number, "%d", k + 1);
                    file.Write(FormatText(number, nx - 0.7 * r, ny - 0.25 * r, 0.5 * r, 0));
                }
                x = nx;
                y = ny;
            }
        }
        if (progress != nullptr) {
            DxfSetProgressPos(progress, u + 1);
            PumpOneMessage();
        }
    }
    file.Write(m_closing);
    if (!file.Commit()) {
        ShowLayoutMessage(kDxfWriteFailedText, nullptr);
        return 0;
    }
    return 1;
}

int ExportDxf(
    LPCWSTR path, const CLayoutData& layout, const CControllerList& controllers, bool lampNumbers, HWND progress)
{
    DxfExporter exporter;
    return exporter.Write(path, layout, controllers, lampNumbers, progress);
}
