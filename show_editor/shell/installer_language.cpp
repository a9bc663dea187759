// Reading the installer's language and seeding the registry value from it.
#include "installer_language.h"

#include <cwchar>

CString UninstallKeyOf(const CString& title)
{
    CString key;
    key.Format(L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\%s", title.GetString());
    return key;
}

CString GetInstallerLanguage(LPCWSTR subKey)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return CString();
    BYTE data[256] = {};
    DWORD size = 255;
    LONG status = ::RegQueryValueExW(key, L"NSIS:Language", nullptr, nullptr, data, &size);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        return CString();
    // The value is a wide string of digits: keep the low byte of each
    // character, and never read past what the query returned.
    char narrow[129] = {};
    DWORD units = std::min<DWORD>(size, 255) / 2;
    for (DWORD i = 0; i < units && i < 128; ++i) {
        BYTE low = data[2 * i];
        if (low == 0)
            break;
        narrow[i] = static_cast<char>(low);
    }
    return CString(narrow);
}

int SeedAppLanguage(CWinApp& app, LPCWSTR installerKey)
{
    int current = static_cast<int>(app.GetProfileInt(L"AppConfig", L"AppLang", 0));
    CString installer = GetInstallerLanguage(installerKey);
    if (current != 0)
        return current;
    int seeded = _wtoi(installer);
    app.WriteProfileInt(L"AppConfig", L"AppLang", seeded);
    return seeded;
}
