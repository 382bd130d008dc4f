#include "test_support.h"

#include <commctrl.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "bounded_wait.h"
#include "remote_program.h"
#include "win32/result.h"
#include "win32/unique_handle.h"
#include "window_driver.h"

namespace zenthra::about::testing {

bool WaitForFile(const std::wstring& path) {
  return test::WaitUntil([&] { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; });
}

std::optional<std::wstring> ReadMark(const std::wstring& markPath) {
  // The program may still be writing: open until it lets go.
  win32::UniqueFile file;
  if (!test::WaitUntil([&] {
        file.reset(CreateFileW(markPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        return static_cast<bool>(file);
      }))
    return std::nullopt;
  std::wstring text(4096, L'\0');
  DWORD read = 0;
  if (!ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &read, nullptr))
    return std::nullopt;
  text.resize(read / sizeof(wchar_t));
  return text;
}

std::wstring ProbeAccessibility(HWND window, bool act) {
  const std::wstring report = (std::filesystem::temp_directory_path() / L"zenthra accessibility probe.txt").wstring();
  DeleteFileW(report.c_str());
  const test::RemoteProgram probe(
      test::ProgramFolder() + L"about_accessibility_probe.exe",
      std::to_wstring(reinterpret_cast<INT_PTR>(window)) + L" \"" + report + L"\"" + (act ? L" act" : L""));
  if (!probe.Started()) return {};
  // Its calls come to this thread's windows, which go on handling messages;
  // one still running when the wait ends is ended with `probe`.
  if (!test::WaitUntil([&] { return !probe.Running(); })) {
    ADD_FAILURE() << "the accessibility probe did not end within the wait limit";
    return {};
  }
  return ReadMark(report).value_or(L"");
}

HRESULT GetProperty(IOleObject* object, const wchar_t* name, win32::UniqueVariant& value) {
  Microsoft::WRL::ComPtr<IDispatch> dispatch;
  RETURN_IF_FAILED(object->QueryInterface(IID_PPV_ARGS(&dispatch)));
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  RETURN_IF_FAILED(dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
  DISPPARAMS none{};
  return dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value.put(), nullptr,
                          nullptr);
}

std::wstring ClipboardText() {
  std::wstring text;
  // Another program may hold the clipboard for a moment.
  if (!test::WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 1000)) {
    ADD_FAILURE() << "the clipboard stayed held by another program";
    return text;
  }
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* characters = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = characters;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

std::wstring ShownTooltipText(HWND link) {
  struct Search {
    HWND link;
    HWND shown = nullptr;
  } search{link};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM found) {
        auto& search = *reinterpret_cast<Search*>(found);
        if (lstrcmpiW(test::ClassOf(window).c_str(), TOOLTIPS_CLASSW) != 0 || !IsWindowVisible(window)) return TRUE;
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        if (!SendMessageW(window, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)) || tool.hwnd != search.link)
          return TRUE;
        search.shown = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  HWND shown = search.shown;
  return shown ? test::TextOf(shown) : std::wstring();
}

}  // namespace zenthra::about::testing
