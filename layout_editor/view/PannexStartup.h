// What the layout editor takes from its start-up: the command line that the
// controller library (or a user) hands over, the first-run mark and the
// language value of the machine's registry. Plain functions without windows
// so the start-up rules can be checked on their own.
#pragma once

#include <afx.h>

// Values a command line can set, with the defaults of a run without one.
struct PannexStartValues {
    HWND callerWnd = nullptr;
    int width = 0;
    int height = 0;
    int portsPerController = 8;
    int channelsPerPort = 3072;
    int controllerCap = 5;
    CString dxfPath;
    CString namedFile; // layout to load at start; empty: none
    int language = 2; // kept unless the command line names one
    bool hidden = false; // mode 4
    bool lightBox = false; // mode 5
    bool newDocument = false; // a CMD line asks the framework for a new document
};

enum class CommandLineResult {
    Plain, // no CMD line: the parameter (possibly empty) is the file to open
    Mode, // a recognised CMD line was taken
    TooFewFields, // a CMD line without the fields its mode needs: the start-up ends
    OutOfRange, // a size or count of a CMD line is zero, negative or beyond the model's limits: the
                // start-up ends with a message, nothing reaches the model
};

// Takes the file-name parameter as the framework delivers it (quoting
// already removed). "CMD<mode>-" followed by comma-separated fields selects
// a mode (1 new layout, 2 open, 3 DXF import, 4 hidden grid layout, 5 new
// light-box layout); any other text, including a CMD line with another mode
// digit, stays the file to open. `values` must hold the defaults on entry.
// The caller always sends the language last, so the path of modes 2 and 3
// is every field between the window and the language, rejoined with the
// commas it held. Sizes and counts of modes 1, 4 and 5 must lie within the
// limits of the model and the project set-up (1 .. kMaxLayoutSide cells,
// 1 .. kMaxPortsPerController ports per controller, 1 .. kMaxPortChannels
// channels, a controller cap of 1 .. kMaxLayoutPorts, and for mode 4 at most
// kMaxLayoutPorts ports in all); otherwise OutOfRange and `values` keep
// their defaults.
CommandLineResult ParsePannexCommandLine(const CString& parameter, PannexStartValues& values);

// Decimal number from the leading digits (blanks and an optional sign
// first); no digits give 0; numbers past the int range give its ends.
int LeadingInt(const CString& text);

// "FirstRun.ini" beside the program, section "RUN", key "Layout".
CString GetFirstRunIniPath();
// True on the first run: the key reads 0 (a missing key is written as 0).
// The key is then set to 1, so the next start is not a first run.
bool CheckAndMarkFirstRun(const CString& iniPath);

// The machine-wide registry value "Language" under "SOFTWARE\QVTN\Solvane":
// true and its number (non-numeric text gives 0) when it exists.
bool ReadRegistryLanguage(int& language);

// Registers ".lpx" with the shell for the current user only: under
// HKEY_CURRENT_USER\<classesKey> the extension names the type
// "Pannex.Document", whose "open" command starts the program with the file
// ("\"program\" \"%1\""). Nothing machine-wide and no file-type icon. False
// when a key could not be written.
bool RegisterLayoutFileType(const CString& programPath, LPCWSTR classesKey = L"Software\\Classes");
