// Controller table, addresses, ARP binding and reply templates (see
// ControllerTable.h) and the exports that set grouping and bind controllers.
#include "ControllerTable.h"

#include "Corvane.h"
#include "CorvaneLibrary.h"
#include "HiddenCommand.h"
#include "LocalSender.h"

#include <cstdio>
#include <cstring>

namespace {

// Group controllers: 00 "QVTN" n and 192.168.0.(101 + k + 30 s); the sums
// are 8-bit, so more than 30 controllers reach the next screen's addresses.
void SetGroupAddress(ControllerEntry& entry, int screenIndex, int controller)
{
    const std::uint8_t n = std::uint8_t(controller + 30 * screenIndex);
    const std::uint8_t mac[6] = { 0x00, 'Q', 'V', 'T', 'N', std::uint8_t(n + 1) };
    std::memcpy(entry.mac, mac, 6);
    const std::uint8_t ip[4] = { 192, 168, 0, std::uint8_t(101 + n) };
    std::memcpy(&entry.ipv4, ip, 4);
}

void SetMulticastAddress(ControllerEntry& entry)
{
    const std::uint8_t mac[6] = { 0x01, 0x00, 0x5E, 0x01, 0x01, 0x01 };
    std::memcpy(entry.mac, mac, 6);
    const std::uint8_t ip[4] = { 224, 1, 1, 1 };
    std::memcpy(&entry.ipv4, ip, 4);
}

void PutBig16(std::uint8_t* p, unsigned value)
{
    p[0] = std::uint8_t(value >> 8);
    p[1] = std::uint8_t(value);
}

std::uint16_t HeaderChecksum(const std::uint8_t* header, int length)
{
    std::uint32_t sum = 0;
    for (int i = 0; i + 1 < length; i += 2)
        sum += std::uint32_t(header[i] << 8 | header[i + 1]);
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return std::uint16_t(~sum);
}

// Adds "arp -s" for an address that no line of the table binds to this MAC.
void BindOne(const CStringArray& table, const CStringA& address, const CStringA& mac, const char* senderIp)
{
    const CString wideAddress(address);
    const CString wideMac(mac);
    for (INT_PTR i = 0; i < table.GetSize(); ++i) {
        if (table[i].Find(wideAddress) >= 0 && table[i].Find(wideMac) >= 0)
            return;
    }
    CString command;
    command.Format(L"arp -s %s %s %s", wideAddress.GetString(), wideMac.GetString(), CString(senderIp).GetString());
    if (RunHiddenCommand(command) == 0)
        Sleep(100);
}

} // namespace

CStringA MacText(const std::uint8_t mac[6])
{
    CStringA text;
    text.Format("%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return text;
}

void BuildRawHeader(const std::uint8_t destMac[6], const std::uint8_t sourceMac[6], std::uint32_t sourceIp,
    std::uint32_t destIp, std::uint16_t sourcePort, std::uint16_t destPort, std::uint16_t payload, std::uint8_t out[42])
{
    std::memset(out, 0, 42);
    std::memcpy(out, destMac, 6);
    std::memcpy(out + 6, sourceMac, 6);
    out[12] = 0x08;
    out[13] = 0x00;
    std::uint8_t* ip = out + 14;
    ip[0] = 0x45;
    ip[1] = 0x00;
    PutBig16(ip + 2, unsigned(payload) + 28);
    ip[4] = 0xE1; // identification 0x00E1 as the controllers expect it
    ip[5] = 0x00;
    ip[8] = 64;
    ip[9] = 17;
    std::memcpy(ip + 12, &sourceIp, 4);
    std::memcpy(ip + 16, &destIp, 4);
    PutBig16(ip + 10, HeaderChecksum(ip, 20));
    std::uint8_t* udp = out + 34;
    PutBig16(udp, sourcePort);
    PutBig16(udp + 2, destPort);
    PutBig16(udp + 4, unsigned(payload) + 8);
}

void ClearControllerOnlineLists(CLEDScreen& screen)
{
    for (ControllerEntry& entry : screen.m_controllers) {
        entry.online.clear();
        entry.online.shrink_to_fit();
        entry.onlineCount = 0;
    }
}

int BuildControllerTable(CLEDScreen& screen)
{
    screen.m_controllers.clear();
    screen.m_ready = 0;
    const int n = screen.m_portCount;
    const int p = screen.m_portsPerController;
    if (screen.m_groupMode != 0 && p > 0) {
        const int entries = n / p + (n % p != 0 ? 1 : 0);
        screen.m_controllers.resize(std::size_t(entries));
        for (int k = 0; k < entries; ++k) {
            ControllerEntry& entry = screen.m_controllers[std::size_t(k)];
            SetGroupAddress(entry, screen.m_index, k);
            entry.firstPort = k * p;
            entry.lastPort = k + 1 < entries || n % p == 0 ? (k + 1) * p - 1 : n - 1;
            entry.onlineRoom = std::size_t(p) + 50;
        }
    } else {
        ControllerEntry entry;
        SetMulticastAddress(entry);
        entry.firstPort = 0;
        entry.lastPort = n - 1;
        entry.onlineRoom = std::size_t(n) + 50;
        screen.m_controllers.push_back(entry);
        screen.m_portsPerController = n;
    }
    return int(screen.m_controllers.size());
}

void BindIpMac(CLEDScreen& screen)
{
    if (!screen.m_sender)
        return;
    char senderIp[17];
    IPv4Text(screen.m_sender->ipv4, senderIp);
    CStringArray table;
    ReadArpTable(table);
    for (const ControllerEntry& entry : screen.m_controllers) {
        const auto* b = reinterpret_cast<const std::uint8_t*>(&entry.ipv4);
        CStringA address;
        address.Format("%d.%d.%d.%d", b[0], b[1], b[2], b[3]);
        BindOne(table, address, MacText(entry.mac), senderIp);
    }
    const std::uint8_t group[6] = { 0x01, 0x00, 0x5E, 0x01, 0x01, 0x01 };
    BindOne(table, "224.1.1.1", MacText(group), senderIp);
}

int InitControllers(CLEDScreen& screen)
{
    screen.m_ready = 0;
    if (screen.m_controllers.empty())
        return 0;
    LocalSender* sender = screen.m_sender;
    if (!sender)
        return int(screen.m_controllers.size());
    BindLocalSender(*sender);

    // Replies come back as broadcasts from 192.168.c.55 to the PC's MAC and
    // the reply socket's port.
    const std::uint8_t sourceMac[6] = { 0x00, 'Q', 'V', 'T', 0xFF, 0xFF };
    const auto* own = reinterpret_cast<const std::uint8_t*>(&sender->ipv4);
    const std::uint8_t source[4] = { 192, 168, own[2], 55 };
    std::uint32_t sourceIp = 0;
    std::memcpy(&sourceIp, source, 4);
    const std::uint32_t broadcast = 0xFFFFFFFFu;
    for (ControllerEntry& entry : screen.m_controllers) {
        BuildRawHeader(sender->mac, sourceMac, sourceIp, broadcast, sender->boundPort, sender->boundPort,
            kReplyPayloadSize, entry.replyTemplate.data());
        BuildRawHeader(sender->mac, sourceMac, sourceIp, broadcast, sender->boundPort, sender->boundPort,
            kDataPayloadSize, entry.dataTemplate.data());
        const auto* b = reinterpret_cast<const std::uint8_t*>(&entry.ipv4);
        std::snprintf(entry.ipText, sizeof entry.ipText, "%u.%u.%u.%u", b[0], b[1], b[2], b[3]);
    }
    screen.m_ready = 1;
    return int(screen.m_controllers.size());
}

CORVANE_API int __stdcall LEDSetGroup(int screen, int groupMode, int firstPort, int spareGroup, int portsPerController)
{
    return GuardedExport(L"LEDSetGroup", -1, [&] {
        return Library().screens.ForScreens(screen, [&](CLEDScreen& s) {
            s.m_groupMode = groupMode;
            s.m_firstPort = firstPort;
            s.m_spareGroup = spareGroup;
            s.m_portsPerController = portsPerController;
            BuildControllerTable(s);
        });
    });
}

CORVANE_API int __stdcall LEDSetCardType(int screen, int cardType)
{
    return GuardedExport(L"LEDSetCardType", -1,
        [&] { return Library().screens.ForScreens(screen, [&](CLEDScreen& s) { s.m_cardType = cardType; }); });
}

CORVANE_API int __stdcall LEDBindIPMac(int screen)
{
    return GuardedExport(
        L"LEDBindIPMac", -1, [&] { return Library().screens.ForScreens(screen, [](CLEDScreen& s) { BindIpMac(s); }); });
}

CORVANE_API int __stdcall LEDInitScreen(int screen)
{
    return GuardedExport(L"LEDInitScreen", -1,
        [&] { return Library().screens.ForScreens(screen, [](CLEDScreen& s) { InitControllers(s); }); });
}
