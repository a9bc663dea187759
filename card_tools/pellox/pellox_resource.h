// Resource ids of the DMX address tool Pellox.
#pragma once

#define IDR_MAINFRAME 128
#define IDD_PELLOX_DIALOG 102

#define IDC_GENERATE 1000
#define IDC_CHIP_TYPE 1001
#define IDC_FIXTURE_NUMBER 1002
#define IDC_CHANNELS 1003
#define IDC_FIXTURE_SPIN 1004
#define IDC_CHANNELS_SPIN 1005
