#pragma once
// The System Info button: finds the system information viewer through the
// registry and starts it, or tells the user it is unavailable.

#include <windows.h>

#include <string>

#include "shell/program_windows.h"

namespace zenthra::about {

// The registry open call GetKeyValue makes; tests substitute one that
// records the access mask asked for.
using RegOpenKeyExAFunction = LSTATUS(WINAPI*)(HKEY, LPCSTR, DWORD, REGSAM, PHKEY);

// Reads the value SubKeyRef of the key KeyName below KeyRoot, opened for
// reading only. Returns false, with KeyVal emptied, when the key cannot be
// opened or the value cannot be read (also when it is over 1024 bytes).
// Otherwise returns true: a REG_SZ value becomes KeyVal without its one
// terminating NUL, a REG_DWORD value becomes its decimal text, and any other
// type leaves KeyVal as it was. A value of zero bytes is found and empty.
bool GetKeyValue(HKEY KeyRoot, const std::string& KeyName, const std::string& SubKeyRef, std::string& KeyVal,
                 RegOpenKeyExAFunction openKey = &RegOpenKeyExA);

// Starts the viewer named by HKLM "SOFTWARE\Microsoft\Shared Tools\MSINFO"
// PATH, else MSINFO32.EXE in the folder of HKLM "SOFTWARE\Microsoft\Shared
// Tools Location" MSINFO. Every failure ends in one application-modal
// message box owned by `owner` (borrowed), shown until the user closes it.
void StartSysInfo(shell::ProgramWindows& windows, HWND owner);

}  // namespace zenthra::about
