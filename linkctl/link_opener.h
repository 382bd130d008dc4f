#pragma once
// lbl_hylinx_Click's work: hands a link to the shell's "Open".

#include <windows.h>
#include <oleauto.h>

namespace tessarel {

// Calls ShellExecuteA(owner, "Open", link, "", library folder,
// SW_SHOWNORMAL) with the strings in the ANSI code page. A failure, with the
// thread's last-error value after the call, is for the failure report only:
// a link that cannot be opened shows nothing. link is borrowed; null is the
// empty link.
HRESULT OpenLink(HWND owner, BSTR link);

}  // namespace tessarel
