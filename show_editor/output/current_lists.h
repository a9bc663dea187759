// The current lists of the channel current dialogs. Every current is chosen
// from a list and stored as its index, so these lists fix what a stored
// index means; they are plain functions so that the tables can be checked
// without a window.
#pragma once

#include <afx.h>

#include <vector>

// 32 entries "10MA" to "41MA" (three-channel chips).
std::vector<CString> AbcCurrentList();
// 16 entries 2.0 to 20.0 mA in steps of 1.2 (twelve-channel chips).
std::vector<CString> Channel12CurrentList();
// The list of the four-channel dialog for a chip kind (0 TM1814, 1 UCS5603,
// 2 SM16736, 3 SM16804P); empty for other kinds. mode48 doubles the
// UCS5603 steps.
std::vector<CString> AbcdCurrentList(int kind, bool mode48);
// The resistor value in kilo-ohm of an REXT text: upper-cased, every "K"
// removed, the rest read as a decimal number (0 when there is none).
double ResistorFromText(const CString& text);
// The list of the SM16803P dialog: kind 0 only. resistorKOhm 0 stands for an
// open REXT pin (fixed list); a value not above 0.00001 otherwise gives no
// entries.
std::vector<CString> Abcd1CurrentList(int kind, bool openPin, double resistorKOhm);
// The resistor value of a choice of the REXT combo (1 "1.8K", 2 "1K"); 0 for
// the open pin and for choices the combo does not have.
double ResistorOfChoice(int choice);
