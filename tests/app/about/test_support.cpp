#include "test_support.h"

#include <commctrl.h>

#include <array>
#include <chrono>

#include "win32/unique_handle.h"
#include "window_driver.h"

namespace zenthra::about::testing {

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
    const win32::UniqueFile file(CreateFileW(markPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) {
      Sleep(20);
      continue;
    }
    std::wstring text(4096, L'\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &read, nullptr))
      return std::nullopt;
    text.resize(read / sizeof(wchar_t));
    return text;
  }
  return std::nullopt;
}

std::wstring ProbeAccessibility(HWND window, bool act) {
  wchar_t temp[MAX_PATH]{};
  if (GetTempPathW(MAX_PATH, temp) == 0) return {};
  const std::wstring report = std::wstring(temp) + L"zenthra accessibility probe.txt";
  DeleteFileW(report.c_str());
  std::wstring commandLine = L"\"" + test::ProgramFolder() + L"about_accessibility_probe.exe\" " +
                             std::to_wstring(reinterpret_cast<INT_PTR>(window)) + L" \"" + report + L"\"" +
                             (act ? L" act" : L"");
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
    return {};
  const win32::UniqueKernelHandle process(started.hProcess), thread(started.hThread);
  // Bounded by the test's timeout.
  while (MsgWaitForMultipleObjects(1, &started.hProcess, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return ReadMark(report).value_or(L"");
}

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* characters = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = characters;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

std::wstring ShownTooltipText() {
  HWND shown = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM found) {
        std::array<wchar_t, 32> name{};
        GetClassNameW(window, name.data(), static_cast<int>(name.size()));
        if (lstrcmpiW(name.data(), TOOLTIPS_CLASSW) != 0 || !IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&shown));
  return shown ? test::WindowText(shown) : std::wstring();
}

}  // namespace zenthra::about::testing
