// The whole framework layer: the core, GDI wrappers and the window half
// (application, windows, message maps, dialogs, document/view).
#pragma once

#include "afx.h"
#include "afxmt.h"
#include "afx_gdi.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlwapi.h>

#include "afxres.h"
#include "fw_cmdtarget.h"
#include "fw_uihost.h"
#include "fw_menu.h"
#include "fw_wnd.h"
#include "fw_ddx.h"
#include "fw_dialog.h"
#include "fw_controls.h"
#include "fw_doc.h"
#include "fw_view.h"
#include "fw_frame.h"
#include "fw_doctemplate.h"
#include "fw_app.h"
#include "fw_msgthunks.h"
