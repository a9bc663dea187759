// The single-instance mark of the show editor.
#include "single_instance.h"

CSingleInstance::Result CSingleInstance::Claim(LPCWSTR name)
{
    Release();
    HANDLE mapping = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, name);
    if (mapping == nullptr)
        return kFailed;
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(mapping);
        return kAlreadyRunning;
    }
    m_mapping = mapping;
    return kClaimed;
}

void CSingleInstance::Release()
{
    if (m_mapping != nullptr) {
        ::CloseHandle(m_mapping);
        m_mapping = nullptr;
    }
}
