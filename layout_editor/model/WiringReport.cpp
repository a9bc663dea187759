// UTF-16 wiring report of a layout.
#include <afx.h>
#include <fw_replacefile.h>

#include <string>

#include "LayoutPicture.h"

bool WriteWiringReport(const CLayoutData& layout, const CLayoutProjectSettings& settings, LPCWSTR path)
{
    if (path == nullptr || path[0] == 0)
        return false;
    CString text;
    CString line;
    line.Format(L"%s\r\n\r\n\r\n", L"               工程布线详情(特殊工程中,参数仅做参考).");
    text += line;
    line.Format(L"布线宽高: %d x %d\r\n", layout.m_width, layout.m_height);
    text += line;
    line.Format(L"工程灯具: %s\r\n", static_cast<LPCWSTR>(settings.m_lampFormat));
    text += line;
    line.Format(L"工程使用控制器数: %d\r\n", settings.m_controllerCount);
    text += line;
    line.Format(L"控制器端口数: %d\r\n", settings.m_portsPerController);
    text += line;
    line.Format(L"控制器端口通道数: %d\r\n", settings.m_channelsPerPort);
    text += line;
    long long lamps = 0;
    for (int u = 0; u < layout.GetUsedCount(); ++u)
        lamps += layout.GetPort(layout.GetUsedPort(u)).GetCount();
    line.Format(L"工程使用灯数: %lld\r\n", lamps);
    text += line;
    text += L"\r\n\r\n";
    int port = 0;
    for (INT_PTR n = 0; n < settings.m_controllers.GetSize(); ++n) {
        line.Format(L"控制器 %d:\r\n", static_cast<int>(n + 1));
        text += line;
        const int ports = settings.m_controllers[n];
        for (int m = 0; m < ports; ++m, ++port) {
            // A list that promises more ports than the layout holds reads
            // the missing ones as empty.
            const int count = layout.IsValidPort(port) ? layout.GetPort(port).GetCount() : 0;
            line.Format(L"端口%d 连接灯具数量: %d\r\n", m + 1, count);
            text += line;
        }
        text += L"\r\n";
    }
    // UTF-16LE with its byte-order mark. Written beside the target first,
    // so a failed report leaves an older one in place.
    std::string bytes = "\xFF\xFE";
    bytes.append(
        reinterpret_cast<const char*>(text.GetString()), static_cast<size_t>(text.GetLength()) * sizeof(wchar_t));
    return AfxWriteFileReplacing(path, bytes) != FALSE;
}
