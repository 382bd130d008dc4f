#include "test_support.h"

#include <chrono>

#include "win32/unique_handle.h"

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
    if (!ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &read, nullptr)) {
      return std::nullopt;
    }
    text.resize(read / sizeof(wchar_t));
    return text;
  }
  return std::nullopt;
}

}  // namespace zenthra::about::testing
