// Reading a text value from the machine part of the registry.
#pragma once

#include <afx.h>

// Results of ReadMachineRegString.
constexpr int kRegNoKey = 0; // the key under HKEY_LOCAL_MACHINE does not open
constexpr int kRegNoValue = 2; // no such value, or longer than 512 bytes
constexpr int kRegValueRead = 7; // `result` holds the value's text

// Reads the value of the key under HKEY_LOCAL_MACHINE into `result`, which
// is left untouched unless the value was read.
int ReadMachineRegString(LPCWSTR keyPath, LPCWSTR valueName, CString& result);
