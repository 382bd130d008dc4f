#pragma once
// Resource and command identifiers of the main window, shared by zenthra.rc
// and the C++ code. Plain #defines: the resource compiler reads this file
// too. The application icon's number is in shell/app_identity.h.

#define IDR_MAINMENU 101
// The menu commands' shortcut keys.
#define IDR_ACCELERATORS 102

// Menu items. Kept clear of IDOK and IDCANCEL, which the dialog keyboard
// handling sends for Enter and Esc.
#define IDM_EXIT 201
#define IDM_ABOUT 202
#define IDM_OPEN 203
#define IDM_SAVE 204
#define IDM_SAVE_AS 205
