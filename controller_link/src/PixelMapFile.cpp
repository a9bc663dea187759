// Exchange-file paths and the pixel-map writer (see PixelMapFile.h).
#include "PixelMapFile.h"

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <string>

#include <fw_replacefile.h>

#include "AppPaths.h"
#include "CorvaneLibrary.h"

namespace {

constexpr UINT kPixCodePage = 936;
// The background image name is read with this many characters at most.
constexpr DWORD kBackgroundNameLimit = 2048;

CString& ProgramFolderOverride()
{
    static CString folder;
    return folder;
}

void AppendCodePage(std::string& out, const CString& text)
{
    if (text.IsEmpty())
        return;
    const int n = ::WideCharToMultiByte(kPixCodePage, 0, text, text.GetLength(), nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return;
    const size_t at = out.size();
    out.resize(at + static_cast<size_t>(n));
    ::WideCharToMultiByte(kPixCodePage, 0, text, text.GetLength(), &out[at], n, nullptr, nullptr);
}

// A text-mode stream stores "\n" as CR LF: each "\r\n" line end becomes
// CR CR LF in the file, which the readers expect.
void EndLine(std::string& out)
{
    out += "\r\r\n";
}

void AppendNumbers(std::string& out, const char* format, int a, int b, int c, int d)
{
    char line[64];
    const int n = std::snprintf(line, sizeof line, format, a, b, c, d);
    if (n > 0)
        out.append(line, static_cast<size_t>(n));
}

CString BackgroundImageName()
{
    const CString ini = GetConfigurationFolder() + L"Other.ini";
    CString name;
    wchar_t* buffer = name.GetBuffer(static_cast<int>(kBackgroundNameLimit));
    const DWORD n = ::GetPrivateProfileStringW(L"Layout", L"strBKImg", L"", buffer, kBackgroundNameLimit, ini);
    name.ReleaseBuffer(static_cast<int>(n));
    return name;
}

} // namespace

CString GetProgramFolder()
{
    const CString& folder = ProgramFolderOverride();
    return folder.IsEmpty() ? GetAppFolder() : folder;
}

CString GetConfigurationFolder()
{
    return GetProgramFolder() + L"Config\\";
}

CString GetExchangeFolder()
{
    return GetProgramFolder() + L"TF\\";
}

CString GetLayoutEditorPath()
{
    return GetProgramFolder() + L"Pannex.exe";
}

void SetProgramFolderOverride(const CString& folder)
{
    ProgramFolderOverride() = folder;
}

CString ScreenLayoutPath(int screen)
{
    CString path;
    path.Format(L"%sLEDScreen%d.lpx", static_cast<LPCWSTR>(GetExchangeFolder()), screen);
    return path;
}

CString ScreenLayoutStagingPath(int screen)
{
    return ScreenLayoutPath(screen) + L".saved";
}

CString ScreenPixelMapPath(int screen)
{
    CString path;
    path.Format(L"%sLEDScreen%d.pix", static_cast<LPCWSTR>(GetExchangeFolder()), screen);
    return path;
}

int WritePixFile(const CString& path, int screen)
{
    const CLEDScreen* s = Library().screens.Screen(screen);
    if (s == nullptr || s->m_ports.empty())
        return -1;
    const CString background = BackgroundImageName();
    std::setlocale(LC_CTYPE, "chs");

    std::string text;
    AppendNumbers(text, "%d,%d,", s->m_width, s->m_height, 0, 0);
    AppendCodePage(text, background);
    EndLine(text);
    int controllerNumber = 0;
    for (const ControllerLayout& controller : s->m_ports) {
        ++controllerNumber;
        for (const PortOutput& output : controller.m_outputs) {
            AppendNumbers(text, "C%dP%d,%d,", controllerNumber, output.m_portIndex + 1, output.m_lampCount, 0);
            AppendCodePage(text, output.m_lampFormat);
            EndLine(text);
            for (const CLPoint& lamp : output.m_lamps) {
                AppendNumbers(text, "%d,%d,%d,%d", static_cast<int>(lamp.x), static_cast<int>(lamp.y), lamp.m_masked,
                    lamp.m_layer);
                EndLine(text);
            }
        }
    }
    return AfxWriteFileReplacing(path, text) ? 0 : -1;
}
