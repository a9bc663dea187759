// UTF-16 wiring report of a layout.
#include <afx.h>

#include "LayoutPicture.h"
#include "TextFileW.h"

bool WriteWiringReport(const CLayoutData& layout, const CLayoutProjectSettings& settings, LPCWSTR path)
{
    if (path == nullptr || path[0] == 0)
        return false;
    // Written beside the target first, so a failed report leaves an older
    // one in place.
    const CString target(path);
    const CString temporary = target + L".export~";
    bool written = false;
    {
        CTextFileW file;
        if (!file.Open(temporary, CFile::modeCreate | CFile::modeWrite | CTextFileW::modeWriteUnicode))
            return false;
        try {
            CString line;
            line.Format(L"%s\r\n\r\n\r\n", L"               工程布线详情(特殊工程中,参数仅做参考).");
            file.WriteString(line);
            line.Format(L"布线宽高: %d x %d\r\n", layout.m_width, layout.m_height);
            file.WriteString(line);
            line.Format(L"工程灯具: %s\r\n", static_cast<LPCWSTR>(settings.m_lampFormat));
            file.WriteString(line);
            line.Format(L"工程使用控制器数: %d\r\n", settings.m_controllerCount);
            file.WriteString(line);
            line.Format(L"控制器端口数: %d\r\n", settings.m_portsPerController);
            file.WriteString(line);
            line.Format(L"控制器端口通道数: %d\r\n", settings.m_channelsPerPort);
            file.WriteString(line);
            long long lamps = 0;
            for (int u = 0; u < layout.GetUsedCount(); ++u)
                lamps += layout.GetPort(layout.GetUsedPort(u)).GetCount();
            line.Format(L"工程使用灯数: %lld\r\n", lamps);
            file.WriteString(line);
            file.WriteString(L"\r\n\r\n");
            int port = 0;
            for (INT_PTR n = 0; n < settings.m_controllers.GetSize(); ++n) {
                line.Format(L"控制器 %d:\r\n", static_cast<int>(n + 1));
                file.WriteString(line);
                const int ports = settings.m_controllers[n];
                for (int m = 0; m < ports; ++m, ++port) {
                    // A list that promises more ports than the layout holds
                    // reads the missing ones as empty.
                    const int count = layout.IsValidPort(port) ? layout.GetPort(port).GetCount() : 0;
                    line.Format(L"端口%d 连接灯具数量: %d\r\n", m + 1, count);
                    file.WriteString(line);
                }
                file.WriteString(L"\r\n");
            }
            file.Close();
            written = true;
        } catch (CException* e) {
            e->Delete();
            file.Abort();
        }
    }
    if (!written || !::MoveFileExW(temporary, target, MOVEFILE_REPLACE_EXISTING)) {
        ::DeleteFileW(temporary);
        return false;
    }
    return true;
}
