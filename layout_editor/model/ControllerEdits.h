// Structural edits of a layout by controller and port, as the list panel,
// its batch dialog and the swap dialogs run them: adding, inserting,
// removing and counting controllers, inserting and deleting single ports,
// clearing and thinning out wiring, swapping, colours, lamp formats and
// reversing. They work on the model and the view's project settings (the
// per-controller port counts), need no window and are refused, leaving both
// unchanged, for controllers or ports that do not exist.
#pragma once

#include <afx.h>

#include "LayoutData.h"
#include "LayoutProjectSettings.h"

// Item data of the list panel's tree: the root is 0, a controller c is
// c | ITEM_CONTROLLER, a port with global index p is p | ITEM_PORT.
constexpr DWORD ITEM_CONTROLLER = 0x01000000;
constexpr DWORD ITEM_PORT = 0x02000000;

inline bool IsControllerItem(DWORD data)
{
    return (data & ITEM_CONTROLLER) != 0;
}
inline bool IsPortItem(DWORD data)
{
    return (data & ITEM_PORT) != 0;
}
inline int ItemIndex(DWORD data)
{
    return static_cast<int>(data & 0x00FFFFFF);
}

// A colour for a new port: each of red, green and blue is rand() % 220 + 35.
COLORREF RandomPortColour();

// Number of controllers of the settings' list.
int ControllerCount(const CLayoutProjectSettings& settings);
// Global index of the first port of controller c (from 0); -1 when c is not
// a controller of the list.
int FirstPortOfController(const CLayoutProjectSettings& settings, int c);
// Port count of controller c; 0 when c is not a controller of the list.
int PortsOfController(const CLayoutProjectSettings& settings, int c);
// True when the list's ports add up to the model's port count, so that
// every controller's ports exist in the model.
bool ControllersMatchModel(const CLayoutProjectSettings& settings, const CLayoutData& model);

// Appends `count` controllers of the settings' ports per controller, with
// the settings' lamps per port as capacity and "RGB". With random colours
// on, every new port gets one. Drops the history, marks the layout modified
// and keeps the controller count in step. Returns the first new port, -1
// when refused.
int AppendControllers(CLayoutData& model, CLayoutProjectSettings& settings, int count);
// Inserts `count` controllers before controller c (c = count of
// controllers appends). With random colours on, every port of the inserted
// controllers gets one. Returns the first new port, -1 when refused.
int InsertControllers(CLayoutData& model, CLayoutProjectSettings& settings, int c, int count);
// Removes controller c with its ports. False when refused.
bool DeleteController(CLayoutData& model, CLayoutProjectSettings& settings, int c);
// Appends or removes controllers at the end until there are n. n < 0 is
// refused; n equal to the count changes nothing and succeeds.
bool SetControllerCount(CLayoutData& model, CLayoutProjectSettings& settings, int n);

// Inserts an empty port at global index p (the port's own capacity); the
// ports from p on move down one place. When the last port of the layout has
// lamps a controller is appended first, so no lamp is pushed out. With
// random colours on, the new ports of an appended controller and port p get
// random colours. Drops the history; marks the layout modified.
bool InsertPortAt(CLayoutData& model, CLayoutProjectSettings& settings, int p);
// Removes port p's lamps by moving every later port up one place; the last
// port becomes empty and the port count stays.
bool DeletePortAt(CLayoutData& model, CLayoutProjectSettings& settings, int p);

// Interval clear of the tree item with this data: thins out every port
// (root), the ports of a controller or one port, keeping one lamp and
// dropping the next n, to the end. Drops the history and clears the
// selection. n < 1 and items that do not exist are refused. Marks the layout
// modified when lamps were removed.
bool ThinOutItem(CLayoutData& model, const CLayoutProjectSettings& settings, DWORD itemData, int n);

// Empties every port of the layout, one undo step per port with lamps.
void ClearAllPorts(CLayoutData& model);
// Empties every port of controller c, one undo step per port with lamps.
bool ClearControllerPorts(CLayoutData& model, const CLayoutProjectSettings& settings, int c);
// Empties every port of the controllers first..last (from 1, both included)
// without undo steps, after dropping the history. The range must hold
// 1 <= first <= last <= controller count; anything else is refused.
bool ClearControllerRange(CLayoutData& model, const CLayoutProjectSettings& settings, int first, int last);
// Deletes the wiring of controller c as one undo step: its ports are
// selected whole and the selection deleted.
bool DeleteControllerWiring(CLayoutData& model, const CLayoutProjectSettings& settings, int c);

// Outcome of the swap dialogs.
enum class SwapResult {
    Same, // the two are the same: nothing done, nothing to say
    BadController, // a controller number outside 1..count
    BadPort, // a port number outside 1..8 or beyond its controller
    Done,
};
// Exchanges the ports of controllers a and b (from 1) pairwise, as many as
// the smaller controller has.
SwapResult SwapControllers(CLayoutData& model, const CLayoutProjectSettings& settings, int a, int b);
// Exchanges port pa of controller ca with port pb of controller cb (all
// from 1). Port numbers are limited to 8.
SwapResult SwapControllerPorts(
    CLayoutData& model, const CLayoutProjectSettings& settings, int ca, int pa, int cb, int pb);

// Every port of controller c (c < 0: every port of the layout) gets the
// colour; marks the layout modified.
bool SetControllerColour(CLayoutData& model, const CLayoutProjectSettings& settings, int c, COLORREF colour);
// Lamp format entry `index` of the project list for every port of
// controller c (c < 0: the whole layout). Refused for an index outside the
// list. Marks the layout modified.
bool SetControllerLampType(CLayoutData& model, const CLayoutProjectSettings& settings, int c, int index);
// Lamp format entry `index` for port p.
bool SetPortLampType(CLayoutData& model, int p, int index);
// Reverses every port of controller c whole.
bool ReverseControllerPorts(CLayoutData& model, const CLayoutProjectSettings& settings, int c);
// Reverses every port of the used-port list whole.
void ReverseUsedPorts(CLayoutData& model);
// Masks lamps first..last (from 1) of port p; first below 1 counts as 1 and
// last beyond the lamp count as the lamp count. Returns the number masked.
int MaskPortLamps(CLayoutData& model, int p, int first, int last, bool mask);
