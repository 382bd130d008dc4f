#include "bstr_text.h"

#include <cstring>

#include "win32/result.h"

namespace tessarel {

HRESULT AssignText(win32::UniqueBstr& owner, const wchar_t* text, UINT length) {
  // Copied before the old string goes, so that text may point into it.
  BSTR copy = SysAllocStringLen(text, length);
  RETURN_HR_IF_NULL(E_OUTOFMEMORY, copy);
  owner.reset(copy);
  return S_OK;
}

HRESULT AssignText(win32::UniqueBstr& owner, const wchar_t* text) {
  return AssignText(owner, text, static_cast<UINT>(lstrlenW(text)));
}

bool TextEquals(BSTR text, const wchar_t* expected) noexcept {
  const UINT length = SysStringLen(text);
  if (length != static_cast<UINT>(lstrlenW(expected))) return false;
  return std::memcmp(BstrChars(text), expected, length * sizeof(wchar_t)) == 0;
}

bool BstrEquals(BSTR first, BSTR second) noexcept {
  const UINT length = SysStringLen(first);
  return length == SysStringLen(second) &&
         std::memcmp(BstrChars(first), BstrChars(second), length * sizeof(wchar_t)) == 0;
}

}  // namespace tessarel
