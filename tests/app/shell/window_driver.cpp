#include "window_driver.h"

#include <commctrl.h>
#include <dlgs.h>

#include <array>
#include <utility>

namespace zenthra::test {
namespace {

// A key press, down and up, as the keyboard posts it to `target`.
void PostKeyPress(HWND target, WPARAM virtualKey) {
  PostMessageW(target, WM_KEYDOWN, virtualKey, 1);
  PostMessageW(target, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001));
}

constexpr UINT kStopMessage = WM_APP + 1;
bool lastWindowGone = false;

// Runs after every message posted before it. A quit already pending then
// came from the last program window going.
LRESULT CALLBACK StopperProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kStopMessage) {
    MSG quit{};
    lastWindowGone = PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
    if (!lastWindowGone) PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND Stopper() {
  static HWND stopper = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &StopperProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ZenthraTestStopper";
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           windowClass.hInstance, nullptr);
  }();
  return stopper;
}

}  // namespace

void PumpUntilIdle(HWND dialog) {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;  // a destroyed last window posts it
    if (dialog != nullptr && IsWindow(dialog) && (message.hwnd == dialog || IsChild(dialog, message.hwnd)) &&
        IsDialogMessageW(dialog, &message))
      continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

bool RunPostedMessages(shell::ProgramWindows& windows) {
  HWND stopper = Stopper();
  lastWindowGone = false;
  PostMessageW(stopper, kStopMessage, 0, 0);
  windows.RunMessageLoop();
  return lastWindowGone;
}

void PressKeyInProgram(shell::ProgramWindows& windows, UINT virtualKey, UINT held, HWND unfocused) {
  // Posted keys leave the keyboard state alone: the held key is held there.
  std::array<BYTE, 256> keys{};
  GetKeyboardState(keys.data());
  const BYTE heldBefore = keys[held];
  if (held != 0) keys[held] |= 0x80;
  SetKeyboardState(keys.data());
  HWND focus = GetFocus();
  PostKeyPress(focus != nullptr ? focus : unfocused, virtualKey);
  RunPostedMessages(windows);
  keys[held] = heldBefore;
  SetKeyboardState(keys.data());
}

void TypeInto(HWND dialog, HWND combo, std::wstring_view keys, bool replaceText) {
  SetFocus(combo);
  PumpUntilIdle(dialog);
  // The user selects the whole text first, so that the keys replace it, or
  // goes on typing wherever the box left the caret and selection.
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  HWND edit = GetComboBoxInfo(combo, &info) ? info.hwndItem : nullptr;
  if (replaceText) SendMessageW(edit, EM_SETSEL, 0, -1);
  for (wchar_t key : keys) {
    PostMessageW(edit, WM_CHAR, key, 1);
    PumpUntilIdle(dialog);
  }
}

void PressKey(HWND dialog, UINT virtualKey) {
  PostKeyPress(GetFocus(), virtualKey);
  PumpUntilIdle(dialog);
}

HWND FocusedControl() {
  HWND focus = GetFocus();
  HWND parent = GetParent(focus);
  return parent != nullptr && ClassOf(parent) == L"ComboBox" ? parent : focus;
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
  const LRESULT length = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return text;
}

std::wstring ClassOf(HWND window) {
  std::array<wchar_t, 128> name{};
  const int length = GetClassNameW(window, name.data(), static_cast<int>(name.size()));
  return std::wstring(name.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

namespace {

// Another program's dialog of the same caption (a second Zenthra, say) is
// none of this test's business.
HWND VisibleDialogOfThisProcess(const std::wstring& caption) {
  HWND dialog = nullptr;
  while ((dialog = FindWindowExW(nullptr, dialog, L"#32770", caption.c_str())) != nullptr) {
    DWORD process = 0;
    GetWindowThreadProcessId(dialog, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(dialog)) return dialog;
  }
  return nullptr;
}

}  // namespace

std::jthread AnswerFileDialog(std::wstring title, std::wstring path) {
  return std::jthread([title = std::move(title), path = std::move(path)](std::stop_token stop) {
    for (; !stop.stop_requested(); Sleep(10)) {
      HWND dialog = VisibleDialogOfThisProcess(title);
      // The file name box is an extended combo box; its edit field takes the name.
      auto field = reinterpret_cast<HWND>(SendMessageW(GetDlgItem(dialog, cmb13), CBEM_GETEDITCONTROL, 0, 0));
      if (field == nullptr) continue;
      if (path.empty()) {
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
      }
      SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
      PostKeyPress(field, VK_RETURN);
      return;
    }
  });
}

MessageBoxWatcher::MessageBoxWatcher(std::wstring caption)
    : caption_(std::move(caption)), thread_([this](std::stop_token stop) { Watch(stop); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
  thread_.request_stop();
  thread_.join();
}

void MessageBoxWatcher::Answer(std::vector<int> buttons) {
  std::lock_guard lock(mutex_);
  answers_.assign(buttons.rbegin(), buttons.rend());
}

std::vector<std::wstring> MessageBoxWatcher::TakeMessages() {
  std::lock_guard lock(mutex_);
  return std::exchange(messages_, {});
}

void MessageBoxWatcher::WatchEnabledState(HWND window) {
  std::lock_guard lock(mutex_);
  watched_ = window;
}

std::vector<bool> MessageBoxWatcher::TakeEnabledStates() {
  std::lock_guard lock(mutex_);
  return std::exchange(enabledStates_, {});
}

void MessageBoxWatcher::Watch(std::stop_token stop) {
  while (!stop.stop_requested()) {
    if (HWND box = VisibleDialogOfThisProcess(caption_)) {
      std::array<wchar_t, 512> text{};
      GetDlgItemTextW(box, 0xFFFF, text.data(), static_cast<int>(text.size()));
      int button = IDOK;
      {
        std::lock_guard lock(mutex_);
        messages_.emplace_back(text.data());
        if (watched_ != nullptr) enabledStates_.push_back(IsWindowEnabled(watched_) != FALSE);
        if (!answers_.empty()) {
          button = answers_.back();
          answers_.pop_back();
        }
      }
      PostMessageW(box, WM_COMMAND, button, 0);
      while (IsWindow(box) && !stop.stop_requested()) Sleep(5);
    }
    Sleep(10);
  }
}

}  // namespace zenthra::test
