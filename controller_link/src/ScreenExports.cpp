// Exports of the screen list: creating and counting screens, the language.
#include "Corvane.h"
#include "CorvaneLibrary.h"

CORVANE_API int __stdcall LEDNewScreen()
{
    return GuardedExport(L"LEDNewScreen", -1, [] { return Library().screens.AppendScreen(); });
}

CORVANE_API int __stdcall LEDSetScreenNum(int count)
{
    return GuardedExport(L"LEDSetScreenNum", -1, [&] {
        if (count < 0)
            return -1;
        Library().screens.Resize(count);
        return count;
    });
}

CORVANE_API int __stdcall LEDSetLanguage(int language)
{
    return GuardedExport(L"LEDSetLanguage", -1, [&] {
        Library().language = language;
        return language;
    });
}
