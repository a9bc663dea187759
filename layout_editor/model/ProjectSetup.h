// The steps of a project set-up that need no window: the default controller
// types, the lamp capacity of a port, the lamp format list after the
// settings dialog's OK, and turning a chosen controller set-up into ports
// (a new project, or a re-configured one that keeps its lamps).
#pragma once

#include <afx.h>

#include "LayoutData.h"
#include "LayoutProjectSettings.h"

// The eight controller types a new view offers ("%d%s %d%s": ports, the
// ports word, channels, the channels word).
void FillDefaultControllerTypes(CStringArray& types, const CString& portsWord, const CString& channelsWord);

// The lamps one port takes: the channels, or with allowMax off the channels
// divided by the letters of the lamp format (a format without letters counts
// as one channel a lamp). At least 1, at most a port's maximum.
int PointsPerPort(int channelsPerPort, const CString& lampFormat, bool allowMax);

// The index of the format in the list; 0 when it is not listed.
int LampFormatIndex(const CStringArray& list, const CString& format);

// The settings dialogs' rule for a typed lamp format: a format not in the
// list (exact, case-sensitive) is new and appended; while the list still
// holds only its first entry and listStillDefault is set, the new format
// replaces that entry. listStillDefault is cleared in every case. Returns
// true when the format was new.
bool TakeChosenLampFormat(CStringArray& list, const CString& chosen, BYTE& listStillDefault);

// The port data offset typed into the settings dialog: every unit character
// and blank removed, then the leading number (none gives 0); never below 0.
int ParsePortDataOffset(const CString& text, const CString& unitWord);

struct PortSetup {
    int portsPerController = 8;
    int controllersUsed = 1;
    int pointsPerPort = 256;
    CString lampFormat = L"RGB";
    int formatIndex = 0;
};

// A new project (fromCommand false): ports-per-controller x controllers-used
// empty ports. From the settings command: the ports are kept; fewer wanted
// ports than there are remove the ports past the new count, unless only the
// ports per controller changed (the controller count is unchanged), in
// which case the controllers are recounted so that every port stays; more
// wanted ports append empty ones. Capacities grow to the points per port.
// The controller list becomes controllersUsed entries of portsPerController
// and settings.m_controllerCount follows. Returns false and changes nothing
// when the set-up is impossible (no ports or controllers, or more than the
// layout's port limit).
bool SetUpProjectPorts(CLayoutData& model, CLayoutProjectSettings& settings, PortSetup setup, bool fromCommand);

// A new lamp format took list entry `newIndex`: every port whose format
// index equals `replaced` (every port for a negative `replaced`) takes it,
// format text and index. Nothing for an index outside the list.
void ReplacePortLampFormat(CLayoutData& model, const CStringArray& list, int replaced, int newIndex);
