// lbl_hylinx_Click's work: hands a link to the shell's "Open".
#pragma once

#include <windows.h>
#include <oleauto.h>

namespace tessarel {

// Calls ShellExecuteA(owner, "Open", link, "", library folder,
// SW_SHOWNORMAL) with the strings in the ANSI code page, and returns the
// thread's last-error value after the call. The shell's result is not
// looked at: a link that cannot be opened fails silently. link is
// borrowed; null is the empty link.
DWORD OpenLink(HWND owner, BSTR link);

}  // namespace tessarel
