// Controller types such as "8 ports 2048 channels": the ports per controller
// and channels per port a project is set up with. The words come from the
// language file (the ports word and the channels word), so the reader takes
// them as arguments.
#pragma once

#include <afx.h>

struct ControllerTypeValues {
    bool ok = false; // false: the ports word is missing or nothing follows it
    int ports = 0; // leading digits before the ports word, 0 without any
    int channels = 0; // leading digits after the ports word, 0 without any
};

// Blanks are ignored everywhere, in the text and in the words. The channels
// are the number between the ports word and the channels word, or the
// number after the ports word when the channels word is missing.
ControllerTypeValues ParseControllerType(const CString& type, const CString& portsWord, const CString& channelsWord);

// "%d%s %d%s": the text of a controller type, as the default list holds it.
CString FormatControllerType(int ports, const CString& portsWord, int channels, const CString& channelsWord);
