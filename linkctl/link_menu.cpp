#include "link_menu.h"

#include <cstring>

#include "bstr_text.h"
#include "win32/result.h"
#include "win32/unique_handle.h"

namespace tessarel {

LinkMenuChoice ShowLinkMenu(HWND owner, POINT point) {
  win32::UniqueHmenu menu(CreatePopupMenu());
  if (!menu || !AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(LinkMenuChoice::kOpenLink), L"Open Link") ||
      !AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(LinkMenuChoice::kCopyLinkAddress),
                   L"Copy Link Address"))
    return LinkMenuChoice::kNone;  // no menu, nothing chosen
  // 0 when the user closes the menu without a choice, or it cannot open.
  const BOOL chosen =
      TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, point.x, point.y, 0, owner, nullptr);
  switch (chosen) {
    case static_cast<BOOL>(LinkMenuChoice::kOpenLink):
      return LinkMenuChoice::kOpenLink;
    case static_cast<BOOL>(LinkMenuChoice::kCopyLinkAddress):
      return LinkMenuChoice::kCopyLinkAddress;
    default:
      return LinkMenuChoice::kNone;
  }
}

HRESULT CopyTextToClipboard(HWND owner, BSTR text) {
  const UINT length = SysStringLen(text);
  const SIZE_T bytes = (static_cast<SIZE_T>(length) + 1) * sizeof(wchar_t);
  win32::UniqueHglobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
  RETURN_LAST_ERROR_IF(!memory);
  auto* characters = static_cast<wchar_t*>(GlobalLock(memory.get()));
  RETURN_LAST_ERROR_IF(characters == nullptr);
  std::memcpy(characters, BstrChars(text), length * sizeof(wchar_t));
  characters[length] = L'\0';
  GlobalUnlock(memory.get());  // the last lock: FALSE with no error

  // Another program (a clipboard viewer, a password manager) may hold the
  // clipboard for a moment: try for a tenth of a second before giving up.
  bool opened = OpenClipboard(owner) != FALSE;
  for (int tries = 1; !opened && tries < 10; ++tries) {
    Sleep(10);
    opened = OpenClipboard(owner) != FALSE;
  }
  RETURN_LAST_ERROR_IF(!opened);
  const bool placed = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory.get()) != nullptr;
  const HRESULT hr = placed ? S_OK : win32::LastErrorResult();
  CloseClipboard();                                 // a failure leaves nothing to undo
  if (placed) static_cast<void>(memory.release());  // the clipboard owns it now
  return hr;
}

}  // namespace tessarel
