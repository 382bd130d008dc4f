#pragma once
// Text held as BSTRs. The control's strings (caption, link, the module's
// path) live in BSTRs because COM hands them in and out in that form; a
// null BSTR is the empty string, as everywhere in COM.

#include "win32/unique_handle.h"

#include <windows.h>
#include <oleauto.h>

namespace tessarel {

// The characters of text, never null.
inline const wchar_t* BstrChars(BSTR text) noexcept { return text != nullptr ? text : L""; }

// Replaces owner with a copy of length characters of text (which may hold
// nulls); E_OUTOFMEMORY leaves owner as it was. text may be owner's own.
HRESULT AssignText(win32::UniqueBstr& owner, const wchar_t* text, UINT length);
// The same for a null-terminated text.
HRESULT AssignText(win32::UniqueBstr& owner, const wchar_t* text);
// The same for all of a BSTR (borrowed), null giving an empty string.
inline HRESULT AssignBstr(win32::UniqueBstr& owner, BSTR text) {
  return AssignText(owner, BstrChars(text), SysStringLen(text));
}

// True when text holds exactly the characters of expected (no more).
bool TextEquals(BSTR text, const wchar_t* expected) noexcept;
// True when both hold the same characters (nulls included); null is empty.
bool BstrEquals(BSTR first, BSTR second) noexcept;

}  // namespace tessarel
