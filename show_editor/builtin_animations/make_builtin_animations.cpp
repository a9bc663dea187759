// Writes the built-in animations into a folder:
// make_builtin_animations.exe <folder>. The shipped ones are made with
// tools/make-builtin-animations.sh.
#include "builtin_animations.h"

#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::fwprintf(stderr, L"usage: make_builtin_animations <folder>\n");
        return 2;
    }
    const std::wstring folder = argv[1];
    for (const BuiltInAnimation& animation : MakeBuiltInAnimations()) {
        const std::wstring path = folder + L"\\" + animation.fileName;
        HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        bool ok = file != INVALID_HANDLE_VALUE
            && ::WriteFile(file, animation.bytes.data(), static_cast<DWORD>(animation.bytes.size()), &written, nullptr)
            && written == animation.bytes.size();
        if (file != INVALID_HANDLE_VALUE)
            ok = ::CloseHandle(file) && ok;
        if (!ok) {
            std::fwprintf(stderr, L"cannot write %ls\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
