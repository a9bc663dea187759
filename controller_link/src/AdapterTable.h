// The PC's network adapters that have an IPv4 address, as the system's
// adapter list reports them: at most 8 entries. Adapters are numbered from 1
// for the library's own lookups.
#pragma once

#include <winsock2.h>
#include <iphlpapi.h>

#include <cstdint>

struct AdapterEntry {
    char name[260];
    char description[132];
    std::uint8_t addressLength;
    std::uint8_t address[11];
    std::int32_t type;
    char ipv4[16];
    char mask[16];
};

constexpr int kMaxAdapters = 8;

struct AdapterTable {
    AdapterEntry entries[kMaxAdapters];
    std::uint8_t count;
};

// The system call that lists the adapters, replaceable by tests; it follows
// GetAdaptersInfo's contract (ERROR_BUFFER_OVERFLOW with the needed size).
using AdapterInfoSource = DWORD(WINAPI*)(PIP_ADAPTER_INFO info, PULONG size);
void SetAdapterInfoSource(AdapterInfoSource source); // nullptr = the system's
AdapterInfoSource CurrentAdapterInfoSource();

// Refills the table; adapters whose IPv4 text is missing or starts with '0'
// are left out.
void ReadAdapterTable(AdapterTable& table);

// Adapter number from 1. False when the number is outside the table.
bool GetAdapterMac(const AdapterTable& table, int number, int& length, std::uint8_t* bytes);
bool GetAdapterIPv4(const AdapterTable& table, int number, std::uint8_t bytes[4]);

// Parses dotted decimal text into four bytes; false (and zeros) when malformed.
bool ParseIPv4Text(const char* text, std::uint8_t bytes[4]);
