// Exports of adapters and network settings: the adapter list, the choice of a
// screen's adapter (and so its sender), payload scrambling, protocol codes
// and the online-only flag of DMX parameters.
#include "Corvane.h"
#include "CorvaneLibrary.h"
#include "Send_Udp.h"

#include <cstring>

CORVANE_API CStringArray* __stdcall LEDGetAdapterInfo()
{
    return GuardedExport(L"LEDGetAdapterInfo", static_cast<CStringArray*>(nullptr), [] {
        CorvaneLibrary& lib = Library();
        ReadAdapterTable(lib.adapters);
        lib.adaptersRead = true;
        lib.adapterTexts.RemoveAll();
        for (int n = 1; n <= lib.adapters.count; ++n) {
            std::uint8_t b[4];
            GetAdapterIPv4(lib.adapters, n, b);
            CString text;
            text.Format(L"%d.%d.%d.%d", b[0], b[1], b[2], b[3]);
            lib.adapterTexts.Add(text);
        }
        return &lib.adapterTexts;
    });
}

CORVANE_API int __stdcall LEDSetIP(int screen, int adapterIndex)
{
    return GuardedExport(L"LEDSetIP", -1, [&] {
        CorvaneLibrary& lib = Library();
        if (screen < 0 || screen > lib.screens.GetSize())
            return -1;
        // An adapter beyond the table gives address 0.0.0.0 and a zero MAC.
        const AdapterTable& table = Adapters();
        const int number = adapterIndex + 1;
        std::uint8_t ip[4] {};
        std::uint8_t mac[6] {};
        if (GetAdapterIPv4(table, number, ip)) {
            std::uint8_t address[11] {};
            int length = 0;
            GetAdapterMac(table, number, length, address);
            std::memcpy(mac, address, length < 6 ? std::size_t(length) : 6);
        }
        std::uint32_t networkOrder = 0;
        std::memcpy(&networkOrder, ip, 4);
        LocalSender* sender = lib.screens.FindSender(networkOrder);
        if (!sender)
            sender = &lib.screens.AddSender(networkOrder, mac);
        return lib.screens.ForScreens(screen, [&](CLEDScreen& s) { s.m_sender = sender; });
    });
}

CORVANE_API int __stdcall LEDSetSecurityFlag(int flag)
{
    return GuardedExport(L"LEDSetSecurityFlag", flag, [&] {
        Library().securityFlag = flag;
        CSend_Udp::SetSecurityFlag(flag);
        return flag;
    });
}

CORVANE_API int __stdcall LEDSetProtocalVersion(int version)
{
    return GuardedExport(L"LEDSetProtocalVersion", version, [&] {
        CorvaneLibrary& lib = Library();
        if (version == 1) {
            lib.syncCode = 80;
            lib.dmxParameterCode = 82;
        } else if (version == 3) {
            lib.syncCode = 60;
            lib.dmxParameterCode = 62;
        }
        return version;
    });
}

CORVANE_API int __stdcall LEDCheckSysOnline(int flag)
{
    return GuardedExport(L"LEDCheckSysOnline", flag, [&] {
        Library().onlineOnly = flag;
        return flag;
    });
}
