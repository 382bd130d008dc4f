// Stands in for an accessibility tool: from a process of its own, asks a
// window for its accessibility object and writes what the object says to
// OUTFILE (UTF-16), one "key=value" line each:
//   about_accessibility_probe.exe HWND OUTFILE [act]
// HWND is decimal. With "act" it also does the object's default action.
// OUTFILE appears only once it is complete.
#include <windows.h>
#include <oleacc.h>
#include <shellapi.h>

#include <string>

namespace {

std::wstring Text(BSTR text) {
  std::wstring copy = text ? text : L"";
  SysFreeString(text);
  return copy;
}

// What the object says of itself, one "key=value" line each.
std::wstring Report(IAccessible& accessible, bool act) {
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  VARIANT role{}, state{};
  BSTR name = nullptr, value = nullptr, action = nullptr;
  LONG left = 0, top = 0, width = 0, height = 0;
  accessible.get_accRole(self, &role);
  accessible.get_accState(self, &state);
  accessible.get_accName(self, &name);
  accessible.get_accValue(self, &value);
  accessible.get_accDefaultAction(self, &action);
  accessible.accLocation(&left, &top, &width, &height, self);
  std::wstring report = L"role=" + std::to_wstring(role.lVal) + L"\nstate=" + std::to_wstring(state.lVal) + L"\nname=" +
                        Text(name) + L"\nvalue=" + Text(value) + L"\naction=" + Text(action) + L"\nlocation=" +
                        std::to_wstring(left) + L"," + std::to_wstring(top) + L"," + std::to_wstring(width) + L"," +
                        std::to_wstring(height) + L"\n";
  if (act) report += L"acted=" + std::to_wstring(accessible.accDoDefaultAction(self)) + L"\n";
  return report;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr || count < 3 || FAILED(CoInitialize(nullptr))) return 2;
  const auto window = reinterpret_cast<HWND>(static_cast<INT_PTR>(_wtoi64(arguments[1])));
  const std::wstring outFile = arguments[2];
  const bool act = count > 3 && std::wstring(arguments[3]) == L"act";
  LocalFree(arguments);

  IAccessible* accessible = nullptr;
  const HRESULT found = AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                                   reinterpret_cast<void**>(&accessible));
  std::wstring report = L"found=" + std::to_wstring(found) + L"\n";
  if (SUCCEEDED(found)) {
    report += Report(*accessible, act);
    accessible->Release();
  }
  CoUninitialize();

  const std::wstring partFile = outFile + L".part";
  const HANDLE file = CreateFileW(partFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, report.data(), static_cast<DWORD>(report.size() * sizeof(wchar_t)), &written, nullptr);
  CloseHandle(file);
  return ok && MoveFileExW(partFile.c_str(), outFile.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
