#include "test_support.h"

#include <array>
#include <chrono>

#include "ui/program_windows.h"

namespace zenthra::about::testing {
namespace {

constexpr wchar_t kApplicationTitle[] = L"Orvane";
constexpr UINT kStopMessage = WM_APP + 1;
bool g_lastWindowGone = false;

// Runs after every message posted before it. A quit already pending then
// came from the last program window going.
LRESULT CALLBACK StopperProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kStopMessage) {
    MSG quit{};
    g_lastWindowGone = PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
    if (!g_lastWindowGone) PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND Stopper() {
  static HWND stopper = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &StopperProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ZenthraAboutTestStopper";
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           windowClass.hInstance, nullptr);
  }();
  return stopper;
}

}  // namespace

MessageBoxCatcher::MessageBoxCatcher() : thread_([this] { Watch(); }) {}

MessageBoxCatcher::~MessageBoxCatcher() { Stop(); }

std::vector<std::wstring> MessageBoxCatcher::Stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  std::lock_guard lock(mutex_);
  return texts_;
}

void MessageBoxCatcher::Watch() {
  while (!stop_) {
    HWND box = FindWindowW(L"#32770", kApplicationTitle);
    DWORD process = 0;
    if (box) GetWindowThreadProcessId(box, &process);
    if (box && process == GetCurrentProcessId()) {
      std::array<wchar_t, 512> text{};
      GetDlgItemTextW(box, 0xFFFF, text.data(), static_cast<int>(text.size()));
      {
        std::lock_guard lock(mutex_);
        texts_.emplace_back(text.data());
      }
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      while (IsWindow(box) && !stop_) Sleep(10);
    }
    Sleep(10);
  }
}

bool RunPostedMessages(ui::ProgramWindows& windows) {
  HWND stopper = Stopper();
  g_lastWindowGone = false;
  PostMessageW(stopper, kStopMessage, 0, 0);
  windows.runMessageLoop();
  return g_lastWindowGone;
}

std::wstring ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length);
  return path.substr(0, path.find_last_of(L'\\') + 1);
}

bool WaitForFile(const std::wstring& path) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (std::chrono::steady_clock::now() > until) return false;
    Sleep(20);
  }
  return true;
}

std::optional<std::wstring> ReadMark(const std::wstring& markPath) {
  // The program may still be writing: open until it lets go.
  for (int attempt = 0; attempt < 500; ++attempt) {
    const HANDLE file = CreateFileW(markPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      Sleep(20);
      continue;
    }
    std::wstring text(4096, L'\0');
    DWORD read = 0;
    const BOOL ok = ReadFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &read, nullptr);
    CloseHandle(file);
    if (!ok) return std::nullopt;
    text.resize(read / sizeof(wchar_t));
    return text;
  }
  return std::nullopt;
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

RECT ChildRect(HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace zenthra::about::testing
