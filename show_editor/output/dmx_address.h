// The DMX address rule of the reset-DMX-address calculator, kept apart from
// the dialog so that it is a plain function.
#pragma once

// Start address of a fixture: (fixture - 1) x channels + 1, at least 1. The
// product is taken in 64 bits so that large entries never overflow into a
// wrong positive address; a result beyond the int range shows 1, like any
// address that cannot be represented.
int DmxStartAddress(int fixtureNumber, int channelsPerFixture);
