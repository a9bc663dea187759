// Resource ids of the SDI skeleton program.
#pragma once

#define IDR_MAINFRAME 128
#define ID_EDIT_ADDLINE 32771
#define ID_EDIT_CLEARLINES 32772
#define ID_VIEW_MARK 32773
