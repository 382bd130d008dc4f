#include "shell/program_windows.h"

#include <algorithm>
#include <array>
#include <string>

#include "shell/app_identity.h"
#include "win32/failure_report.h"

namespace zenthra::shell {

void ProgramWindows::Add(HWND window, MessagePreTranslator* preTranslator) {
  if (std::ranges::find(windows_, window, &Entry::window) == windows_.end())
    windows_.push_back({window, preTranslator});
}

void ProgramWindows::Remove(HWND window) {
  const auto removed = std::erase_if(windows_, [window](const Entry& entry) { return entry.window == window; });
  if (removed != 0 && windows_.empty()) PostQuitMessage(0);
}

HWND ProgramWindows::Find(std::wstring_view windowClass) const {
  std::array<wchar_t, 256> name{};
  for (const Entry& entry : windows_) {
    const int length = GetClassNameW(entry.window, name.data(), static_cast<int>(name.size()));
    if (length > 0 && std::wstring_view(name.data(), static_cast<std::size_t>(length)) == windowClass)
      return entry.window;
  }
  return nullptr;
}

void ProgramWindows::ShowMessage(HWND owner, std::wstring_view text) {
  // Should the box fail to open there is no other way to tell the user.
  LOG_LAST_ERROR_IF(Ask(owner, text, MB_OK) == 0);
}

int ProgramWindows::Ask(HWND owner, std::wstring_view text, UINT buttons) {
  // The box disables its owner itself; the program's other windows are
  // disabled here for as long, and enabled again only if they were before.
  std::vector<HWND> disabled;
  for (const Entry& entry : windows_) {
    if (entry.window != owner && IsWindowEnabled(entry.window)) {
      EnableWindow(entry.window, FALSE);
      disabled.push_back(entry.window);
    }
  }
  const std::wstring message(text);
  const int pressed = MessageBoxW(owner, message.c_str(), kAppTitle, buttons | MB_APPLMODAL);
  for (HWND window : disabled)
    if (IsWindow(window)) EnableWindow(window, TRUE);
  return pressed;
}

bool ProgramWindows::HandledAsDialogMessage(MSG& message) const {
  for (const Entry& entry : windows_) {
    if (message.hwnd != entry.window && !IsChild(entry.window, message.hwnd)) continue;
    // A copy: what the window does with the message may add or remove
    // windows, and this one may be gone by the time the dialog handling
    // looks at the message (which then leaves it alone).
    const Entry owner = entry;
    if (owner.preTranslator && owner.preTranslator->PreTranslateMessage(message)) return true;
    return IsDialogMessageW(owner.window, &message) != FALSE;
  }
  return false;
}

int ProgramWindows::RunMessageLoop() {
  MSG message{};
  for (;;) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) return 1;
    if (HandledAsDialogMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace zenthra::shell
