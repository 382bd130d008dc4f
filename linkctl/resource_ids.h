#pragma once
// Resource numbers shared by tessarel.rc and the code. The toolbox bitmap
// number is part of the registration (ToolboxBitmap32 names it).

#define IDB_TOOLBOX_BITMAP 30000
#define IDC_POINTING_HAND 101
