// Reading the adapter table from the system's adapter list (see AdapterTable.h).
#include "AdapterTable.h"

#include <cstring>
#include <vector>

namespace {

AdapterInfoSource g_source = nullptr;

DWORD WINAPI SystemAdapters(PIP_ADAPTER_INFO info, PULONG size)
{
    return GetAdaptersInfo(info, size);
}

void CopyText(char* to, std::size_t capacity, const char* from)
{
    std::size_t n = strnlen(from, capacity - 1);
    std::memcpy(to, from, n);
    to[n] = '\0';
}

} // namespace

void SetAdapterInfoSource(AdapterInfoSource source)
{
    g_source = source;
}

AdapterInfoSource CurrentAdapterInfoSource()
{
    return g_source ? g_source : &SystemAdapters;
}

void ReadAdapterTable(AdapterTable& table)
{
    table.count = 0;
    AdapterInfoSource source = CurrentAdapterInfoSource();
    ULONG size = 648;
    std::vector<std::uint8_t> buffer(size);
    DWORD result = source(reinterpret_cast<PIP_ADAPTER_INFO>(buffer.data()), &size);
    if (result == ERROR_BUFFER_OVERFLOW && size > buffer.size()) {
        buffer.assign(size, 0);
        result = source(reinterpret_cast<PIP_ADAPTER_INFO>(buffer.data()), &size);
    }
    if (result != NO_ERROR)
        return;
    for (const IP_ADAPTER_INFO* a = reinterpret_cast<const IP_ADAPTER_INFO*>(buffer.data());
         a && table.count < kMaxAdapters; a = a->Next) {
        const char* ip = a->IpAddressList.IpAddress.String;
        if (ip[0] == '\0' || ip[0] == '0')
            continue; // no address
        AdapterEntry& e = table.entries[table.count];
        std::memset(&e, 0, sizeof e);
        CopyText(e.name, sizeof e.name, a->AdapterName);
        CopyText(e.description, sizeof e.description, a->Description);
        UINT length = a->AddressLength < sizeof a->Address ? a->AddressLength : UINT(sizeof a->Address);
        e.addressLength = std::uint8_t(length);
        std::memcpy(e.address, a->Address, length);
        e.type = std::int32_t(a->Type);
        CopyText(e.ipv4, sizeof e.ipv4, ip);
        CopyText(e.mask, sizeof e.mask, a->IpAddressList.IpMask.String);
        ++table.count;
    }
}

bool GetAdapterMac(const AdapterTable& table, int number, int& length, std::uint8_t* bytes)
{
    if (number < 1 || number > table.count)
        return false;
    const AdapterEntry& e = table.entries[number - 1];
    length = e.addressLength;
    std::memcpy(bytes, e.address, e.addressLength);
    return true;
}

bool ParseIPv4Text(const char* text, std::uint8_t bytes[4])
{
    std::memset(bytes, 0, 4);
    if (!text)
        return false;
    std::uint8_t parsed[4] {};
    const char* p = text;
    for (int part = 0; part < 4; ++part) {
        if (part > 0 && *p++ != '.')
            return false;
        int digits = 0;
        unsigned value = 0;
        while (*p >= '0' && *p <= '9' && digits < 3) {
            value = value * 10 + unsigned(*p++ - '0');
            ++digits;
        }
        if (digits == 0 || value > 255)
            return false;
        parsed[part] = std::uint8_t(value);
    }
    if (*p != '\0')
        return false;
    std::memcpy(bytes, parsed, 4);
    return true;
}

bool GetAdapterIPv4(const AdapterTable& table, int number, std::uint8_t bytes[4])
{
    if (number < 1 || number > table.count)
        return false;
    ParseIPv4Text(table.entries[number - 1].ipv4, bytes);
    return true;
}
