// Row layouts for DMX output and live test frames (see RowLayout.h).
#include "RowLayout.h"

#include "ControllerTable.h"
#include "DisplaySurface.h"

namespace {

constexpr int kRowOutputs = 8;
int g_testBits = 0;

int DisplayBits()
{
    if (g_testBits != 0)
        return g_testBits;
    DisplaySurface surface;
    return surface.Create() ? surface.m_bitsPerPixel : 24;
}

} // namespace

void SetRowLayoutBitsForTest(int bitsPerPixel)
{
    g_testBits = bitsPerPixel;
}

bool BuildRowLayout(const CLEDScreen& source, int channelsPerRow, const CString& order, CLEDScreen& out)
{
    out = CLEDScreen();
    out.m_portCount = source.m_portCount;
    out.m_sender = source.m_sender;
    out.m_index = source.m_index;
    out.m_groupMode = source.m_groupMode;
    out.m_spareGroup = source.m_spareGroup;
    out.m_portsPerController = source.m_portsPerController;
    out.m_firstPort = source.m_firstPort;
    out.m_displayBits = std::uint8_t(DisplayBits());
    out.m_width = channelsPerRow / 3 + 1;
    out.m_height = source.m_layoutPortTotal;
    out.m_lampFormat = order;

    out.m_ports.resize(out.m_portCount);
    std::vector<CPoint> row(static_cast<std::size_t>(out.m_width));
    for (int p = 0; p < out.m_portCount; ++p) {
        ControllerLayout& port = out.m_ports[std::size_t(p)];
        port.m_ports = kRowOutputs;
        port.m_outputs.resize(kRowOutputs);
        for (int o = 0; o < kRowOutputs; ++o) {
            PortOutput& output = port.m_outputs[std::size_t(o)];
            output.m_portIndex = o;
            for (int x = 0; x < out.m_width; ++x)
                row[std::size_t(x)] = CPoint(x, kRowOutputs * p + o);
            if (!output.ParseChannelOrderArchive(order, out.m_displayBits))
                return false;
            if (output.BuildPortOutputMapArchive(row.data(), out.m_width, out.m_displayBits, out.m_width, out.m_height)
                != ArchiveMapResult::Ok)
                return false;
        }
    }
    BuildControllerTable(out);
    InitControllers(out);
    return true;
}
