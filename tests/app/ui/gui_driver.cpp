#include "gui_driver.h"

#include <array>
#include <utility>

namespace zenthra::ui::test {

void pumpUntilIdle(HWND dialog) {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;  // a destroyed last window posts it
    if (dialog != nullptr && IsWindow(dialog) && (message.hwnd == dialog || IsChild(dialog, message.hwnd)) &&
        IsDialogMessageW(dialog, &message)) {
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

HWND comboEdit(HWND combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  return GetComboBoxInfo(combo, &info) ? info.hwndItem : nullptr;
}

void typeInto(HWND dialog, HWND combo, std::wstring_view keys, bool replaceText) {
  SetFocus(combo);
  pumpUntilIdle(dialog);
  // The user selects the whole text first, so that the keys replace it, or
  // goes on typing wherever the box left the caret and selection.
  HWND edit = comboEdit(combo);
  if (replaceText) SendMessageW(edit, EM_SETSEL, 0, -1);
  for (wchar_t key : keys) {
    PostMessageW(edit, WM_CHAR, key, 1);
    pumpUntilIdle(dialog);
  }
}

void pressKey(HWND dialog, UINT virtualKey) {
  HWND target = GetFocus();
  PostMessageW(target, WM_KEYDOWN, virtualKey, 1);
  PostMessageW(target, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001));
  pumpUntilIdle(dialog);
}

HWND focusedControl() {
  HWND focus = GetFocus();
  std::array<wchar_t, 32> className{};
  HWND parent = GetParent(focus);
  if (parent != nullptr && GetClassNameW(parent, className.data(), static_cast<int>(className.size())) > 0 &&
      std::wstring_view(className.data()) == L"ComboBox") {
    return parent;
  }
  return focus;
}

MessageBoxWatcher::MessageBoxWatcher(std::wstring caption)
    : caption_(std::move(caption)), thread_([this](std::stop_token stop) { watch(stop); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
  thread_.request_stop();
  thread_.join();
}

std::vector<std::wstring> MessageBoxWatcher::takeMessages() {
  std::lock_guard lock(mutex_);
  return std::exchange(messages_, {});
}

void MessageBoxWatcher::watchEnabledState(HWND window) {
  std::lock_guard lock(mutex_);
  watched_ = window;
}

std::vector<bool> MessageBoxWatcher::takeEnabledStates() {
  std::lock_guard lock(mutex_);
  return std::exchange(enabledStates_, {});
}

void MessageBoxWatcher::watch(std::stop_token stop) {
  while (!stop.stop_requested()) {
    HWND box = nullptr;
    while ((box = FindWindowExW(nullptr, box, L"#32770", caption_.c_str())) != nullptr) {
      DWORD process = 0;
      GetWindowThreadProcessId(box, &process);
      if (process != GetCurrentProcessId() || !IsWindowVisible(box)) continue;
      std::array<wchar_t, 512> text{};
      GetDlgItemTextW(box, 0xFFFF, text.data(), static_cast<int>(text.size()));
      {
        std::lock_guard lock(mutex_);
        messages_.emplace_back(text.data());
        if (watched_ != nullptr) enabledStates_.push_back(IsWindowEnabled(watched_) != FALSE);
      }
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      while (IsWindow(box) && !stop.stop_requested()) Sleep(5);
      break;
    }
    Sleep(10);
  }
}

}  // namespace zenthra::ui::test
