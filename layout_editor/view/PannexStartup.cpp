// The layout editor's command line, first-run mark and registry language.
#include "PannexStartup.h"

#include "AppPaths.h"
#include "IniFile.h"
#include "MachineRegistry.h"
#include "LayoutLimits.h"
#include "SplitString.h"

#include <algorithm>

namespace {

HWND WindowFromField(const CString& field)
{
    // The caller writes its window handle as a signed decimal number.
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(LeadingInt(field)));
}

} // namespace

int LeadingInt(const CString& text)
{
    // As _wtoi (blanks, a sign, then digits), but a number past the int
    // range is held at its end instead of wrapping into a size that the
    // range checks would take.
    int i = 0;
    const int n = text.GetLength();
    while (i < n && (text[i] == L' ' || text[i] == L'\t'))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == L'-' || text[i] == L'+'))
        negative = text[i++] == L'-';
    long long value = 0;
    for (; i < n && text[i] >= L'0' && text[i] <= L'9'; ++i)
        value = std::min(value * 10 + (text[i] - L'0'), 0x80000000LL);
    if (negative)
        return static_cast<int>(-value);
    return static_cast<int>(std::min(value, 0x7FFFFFFFLL));
}

namespace {

bool InRange(int value, int limit)
{
    return value >= 1 && value <= limit;
}

// The sizes and counts a new layout takes from the command line, held to
// what the project set-up accepts: a controller has at most
// kMaxPortsPerController ports, and the hidden grid run's controllers
// (one per ports-per-controller rows, at most the cap) at most
// kMaxLayoutPorts ports together.
bool SizesInRange(const PannexStartValues& v)
{
    if (!InRange(v.width, kMaxLayoutSide) || !InRange(v.height, kMaxLayoutSide)
        || !InRange(v.portsPerController, kMaxPortsPerController) || !InRange(v.channelsPerPort, kMaxPortChannels)
        || !InRange(v.controllerCap, kMaxLayoutPorts))
        return false;
    if (!v.hidden)
        return true;
    const long long controllers
        = std::min<long long>((v.height + v.portsPerController - 1) / v.portsPerController, v.controllerCap);
    return controllers * v.portsPerController <= kMaxLayoutPorts;
}

} // namespace

CommandLineResult ParsePannexCommandLine(const CString& parameter, PannexStartValues& values)
{
    if (parameter.GetLength() < 4 || parameter.Left(3) != L"CMD") {
        values.namedFile = parameter;
        return CommandLineResult::Plain;
    }
    const wchar_t mode = parameter[3];
    if (mode < L'1' || mode > L'5') {
        // Not a mode this editor knows: the text is opened as a file, which
        // fails and ends the start-up.
        values.namedFile = parameter;
        return CommandLineResult::Plain;
    }
    CStringArray fields;
    const int count = SplitString(parameter.Mid(5), fields, L",");
    auto field = [&](int i) { return fields.GetAt(i); };
    auto number = [&](int i) { return LeadingInt(fields.GetAt(i)); };

    const PannexStartValues defaults = values;
    values.namedFile.Empty();
    values.newDocument = true;
    switch (mode) {
    case L'5':
    case L'1':
        if (count < 3)
            return CommandLineResult::TooFewFields;
        values.lightBox = mode == L'5';
        values.callerWnd = WindowFromField(field(0));
        values.width = number(1);
        values.height = number(2);
        if (count >= 5) {
            values.portsPerController = number(3);
            values.channelsPerPort = number(4);
        }
        if (count >= 6)
            values.language = number(5);
        break;
    case L'2':
    case L'3':
        if (count < 2)
            return CommandLineResult::TooFewFields;
        {
            values.callerWnd = WindowFromField(field(0));
            // A comma inside the path split it: everything up to the language
            // (always last) is the path.
            CString path = field(1);
            for (int i = 2; i < count - 1; ++i)
                path += L"," + field(i);
            if (mode == L'2')
                values.namedFile = path;
            else
                values.dxfPath = path;
            if (count >= 3)
                values.language = number(count - 1);
            break;
        }
    default: // '4'
        if (count < 7)
            return CommandLineResult::TooFewFields;
        values.callerWnd = WindowFromField(field(0));
        values.width = number(1);
        values.height = number(2);
        values.portsPerController = number(3);
        values.channelsPerPort = number(4);
        values.controllerCap = number(5);
        values.language = number(6);
        values.hidden = true;
        break;
    }
    if ((mode == L'1' || mode == L'4' || mode == L'5') && !SizesInRange(values)) {
        values = defaults;
        return CommandLineResult::OutOfRange;
    }
    return CommandLineResult::Mode;
}

CString GetFirstRunIniPath()
{
    return GetAppFolder() + L"FirstRun.ini";
}

bool CheckAndMarkFirstRun(const CString& iniPath)
{
    CINI ini;
    if (!ini.SetPath(iniPath))
        return false;
    if (ini.GetInt(L"RUN", L"Layout", 0) != 0)
        return false;
    ini.WriteInt(L"RUN", L"Layout", 1);
    return true;
}

bool ReadRegistryLanguage(int& language)
{
    CString text;
    if (ReadMachineRegString(L"SOFTWARE\\QVTN\\Solvane", L"Language", text) != kRegValueRead)
        return false;
    language = LeadingInt(text);
    return true;
}

namespace {

bool SetDefaultValue(const CString& subKey, const CString& value)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, subKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return false;
    const DWORD bytes = static_cast<DWORD>((value.GetLength() + 1) * sizeof(wchar_t));
    const bool ok = ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.GetString()), bytes)
        == ERROR_SUCCESS;
    ::RegCloseKey(key);
    return ok;
}

} // namespace

bool RegisterLayoutFileType(const CString& programPath, LPCWSTR classesKey)
{
    const CString classes(classesKey);
    const CString type = L"Pannex.Document";
    return SetDefaultValue(classes + L"\\.lpx", type) && SetDefaultValue(classes + L"\\" + type, type)
        && SetDefaultValue(classes + L"\\" + type + L"\\shell\\open\\command", L"\"" + programPath + L"\" \"%1\"");
}
