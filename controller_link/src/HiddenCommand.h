// Commands run through the command interpreter in a hidden window, with
// standard output and error on a pipe: "arp -s" to add static entries
// (started, not waited for) and "arp -a" to read the ARP table.
#pragma once

#include <afx.h>

// Parts of `text` between separators, empty parts included; -1 for an
// empty text. The list is emptied first.
int SplitString(const CString& text, CStringArray& parts, const CString& separator);

// Starts "cmd /C <command>" hidden: 0 when started, 2100 when the pipe or
// the process could not be created. Does not wait.
int RunHiddenCommand(const CString& command);

// Runs "arp -a" the same way and puts every non-empty output line, upper
// case, into `lines`: 0, or 2100.
int ReadArpTable(CStringArray& lines);

// Tests run a stand-in for the command interpreter (a program that takes
// "/C <command>"); an empty path restores "cmd".
void SetCommandInterpreterForTest(const CString& program);
