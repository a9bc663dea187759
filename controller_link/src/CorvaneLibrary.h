// Library-wide state of the controller library: one instance, created when
// the library loads, zero or default until set. Exports run on their
// caller's thread; the library has no locks, so callers use one thread.
#pragma once

#include <afx.h>

#include <cstdint>

#include "AdapterTable.h"
#include "LEDScreenList.h"

struct CorvaneLibrary {
    CLEDScreenList screens;
    // Bytes per pixel of frames handed to the library (3 or 4, from the display).
    int bytesPerPixel = 4;
    int securityFlag = 1;
    int onlineOnly = 1;
    int syncCode = 0;
    int dmxParameterCode = 2;
    std::uint16_t recordingIntervalMs = 40;
    int language = 2;
    AdapterTable adapters {};
    bool adaptersRead = false;
    // LEDGetAdapterInfo's result, refilled at each call.
    CStringArray adapterTexts;
};

CorvaneLibrary& Library();

// The adapter table, read from the system on first use.
AdapterTable& Adapters();

// Runs an export body; any exception is logged and turns into `failure`.
template <class R, class F> R GuardedExport(const wchar_t* name, R failure, F&& body) noexcept;

#include "ExportGuard.inl"
