// Texts of the list panel's controller and port tree: the root, controller
// and port labels from the LAYOUT texts 157, 158 and 159, each checked
// against its numbers before formatting (a bad language text falls back to
// the built-in one), and the data-offset and adjusted suffixes of a port.
#pragma once

#include <afx.h>

// The three label formats, read once per tree rebuild.
struct CTreeLabelTexts {
    CString root; // ports per controller, channels per port
    CString controller; // controller number
    CString port; // lamp format number, port number, lamp count
    CString offset; // word of the data-offset suffix
    CString adjusted; // word of the adjusted suffix
};

// The current language's texts (missing ones stay empty and fall back).
CTreeLabelTexts LoadTreeLabelTexts();

CString RootLabel(const CTreeLabelTexts& texts, int portsPerController, int channelsPerPort);
CString ControllerLabel(const CTreeLabelTexts& texts, int number);
CString PortLabel(const CTreeLabelTexts& texts, int formatNumber, int portNumber, int lampCount);
// The port label with its suffixes: a data offset other than 0 replaces the
// last character by "_<offset word>:<offset>)", the adjusted flag then the
// last character by "_<adjusted word>)"; the words are the language's, else
// "偏移" and "逐点调".
CString DecoratePortLabel(const CString& label, int dataOffset, bool adjusted, const CTreeLabelTexts& texts = {});
