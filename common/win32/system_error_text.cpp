#include "win32/system_error_text.h"

#include <string_view>

#include "text/decimal_text.h"
#include "win32/unique_handle.h"

namespace win32 {

std::wstring SystemErrorText(HRESULT error) {
  UniqueLocalArray<wchar_t> text;
  std::wstring_view words;
  if (const DWORD length =
          FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<wchar_t*>(text.put()), 0, nullptr)) {
    words = std::wstring_view(text.get(), length);
    words = words.substr(0, words.find_last_not_of(L"\r\n ") + 1);
  }
  if (words.empty()) return L"error " + common::DecimalText(static_cast<DWORD>(error)) + L".";
  return std::wstring(words);
}

}  // namespace win32
