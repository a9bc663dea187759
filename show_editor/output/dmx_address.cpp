// The DMX address rule of the reset-DMX-address calculator.
#include "dmx_address.h"

#include <climits>
#include <cstdint>

int DmxStartAddress(int fixtureNumber, int channelsPerFixture)
{
    const int64_t address = (static_cast<int64_t>(fixtureNumber) - 1) * channelsPerFixture + 1;
    if (address < 1 || address > INT_MAX)
        return 1;
    return static_cast<int>(address);
}
