// Registry value lookup under HKEY_LOCAL_MACHINE.
#include "MachineRegistry.h"

int ReadMachineRegString(LPCWSTR keyPath, LPCWSTR valueName, CString& result)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return kRegNoKey;
    constexpr DWORD kBufferBytes = 512;
    // One spare character keeps a value stored without its terminator safe.
    WCHAR buffer[kBufferBytes / sizeof(WCHAR) + 1] = {};
    DWORD size = kBufferBytes;
    DWORD type = 0;
    const LONG status = ::RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        return kRegNoValue;
    buffer[size / sizeof(WCHAR)] = 0;
    result = buffer;
    return kRegValueRead;
}
