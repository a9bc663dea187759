// Exports of the colour modes: the white mode and value, and the fifth
// colour's coefficients, per screen or for every screen (0).
#include "Corvane.h"
#include "CorvaneLibrary.h"

CORVANE_API int __stdcall LEDSetFourColor(int screen, int whiteMode, int whiteValue)
{
    return GuardedExport(L"LEDSetFourColor", -1, [&] {
        return Library().screens.ForScreens(screen, [&](CLEDScreen& s) {
            s.m_colour.whiteMode = whiteMode;
            s.m_colour.whiteValue = static_cast<BYTE>(whiteValue);
            s.BuildColourTables();
        });
    });
}

CORVANE_API int __stdcall LEDSetFiveColor(
    int screen, int enable, double k1, double k2, double k3, double k4, double k5, double k6, int greyPairOnly)
{
    return GuardedExport(L"LEDSetFiveColor", -1, [&] {
        return Library().screens.ForScreens(screen, [&](CLEDScreen& s) {
            s.m_colour.fifthEnable = enable;
            const double k[6] = { k1, k2, k3, k4, k5, k6 };
            std::copy(k, k + 6, s.m_colour.k);
            s.m_colour.greyPairOnly = greyPairOnly;
        });
    });
}
