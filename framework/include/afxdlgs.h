// Common dialogs: file, folder, colour and font pickers. Each asks the UI
// host, so tests answer them without a real dialog.
#pragma once

#include "afxwin.h"
#include "fw_commondlg.h"
