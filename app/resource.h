#pragma once
// Resource and control ids of the launcher.
#define IDD_RUN_DIALOG 102
#define IDR_MAINFRAME 128
#define IDC_RUNLIST 1000
#define IDC_TOOLSTRIP 1009
#define IDD_HELP 103
#define IDC_HELPTEXT 1010
