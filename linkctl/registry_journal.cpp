#include "registry_journal.h"

#include "bstr_text.h"
#include "win32/result.h"

namespace tessarel {
namespace {

// What the value name of key holds now; hadValue false when it is not
// there.
HRESULT ReadOldValue(HKEY key, const wchar_t* name, win32::UniqueHeapArray<BYTE>& data, DWORD& type, DWORD& size,
                     bool& hadValue) {
  hadValue = false;
  size = 0;
  LSTATUS status = RegQueryValueExW(key, name, nullptr, &type, nullptr, &size);
  if (status == ERROR_FILE_NOT_FOUND) return S_OK;
  RETURN_IF_FAILED(HRESULT_FROM_WIN32(status));
  // One byte at least, so that an empty value still has a buffer.
  data.reset(static_cast<BYTE*>(HeapAlloc(GetProcessHeap(), 0, size != 0 ? size : 1)));
  RETURN_HR_IF(E_OUTOFMEMORY, !data);
  status = RegQueryValueExW(key, name, nullptr, &type, data.get(), &size);
  RETURN_IF_FAILED(HRESULT_FROM_WIN32(status));
  hadValue = true;
  return S_OK;
}

HRESULT PutBackValue(const wchar_t* key, const wchar_t* name, bool hadValue, DWORD type, const BYTE* data, DWORD size) {
  win32::UniqueHkey handle;
  RETURN_IF_FAILED(HRESULT_FROM_WIN32(RegOpenKeyExW(HKEY_CLASSES_ROOT, key, 0, KEY_SET_VALUE, handle.put())));
  if (hadValue) return HRESULT_FROM_WIN32(RegSetValueExW(handle.get(), name, 0, type, data, size));
  const LSTATUS status = RegDeleteValueW(handle.get(), name);
  return status == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(status);
}

}  // namespace

HRESULT DeleteClassesTree(const wchar_t* key) noexcept {
  const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, key);
  return status == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(status);
}

HRESULT DeleteClassesKeyIfEmpty(const wchar_t* key) noexcept {
  win32::UniqueHkey handle;
  const LSTATUS status = RegOpenKeyExW(HKEY_CLASSES_ROOT, key, 0, KEY_QUERY_VALUE, handle.put());
  if (status == ERROR_FILE_NOT_FOUND) return S_OK;
  RETURN_IF_FAILED(HRESULT_FROM_WIN32(status));
  DWORD subkeys = 0, values = 0;
  RETURN_IF_FAILED(HRESULT_FROM_WIN32(RegQueryInfoKeyW(handle.get(), nullptr, nullptr, nullptr, &subkeys, nullptr,
                                                       nullptr, &values, nullptr, nullptr, nullptr, nullptr)));
  handle.reset();
  return subkeys == 0 && values == 0 ? HRESULT_FROM_WIN32(RegDeleteKeyW(HKEY_CLASSES_ROOT, key)) : S_OK;
}

HRESULT DeleteClassesValue(const wchar_t* key, const wchar_t* name) noexcept {
  win32::UniqueHkey handle;
  LSTATUS status = RegOpenKeyExW(HKEY_CLASSES_ROOT, key, 0, KEY_SET_VALUE, handle.put());
  if (status == ERROR_FILE_NOT_FOUND) return S_OK;
  RETURN_IF_FAILED(HRESULT_FROM_WIN32(status));
  status = RegDeleteValueW(handle.get(), name);
  if (status != ERROR_FILE_NOT_FOUND) RETURN_IF_FAILED(HRESULT_FROM_WIN32(status));
  handle.reset();
  return DeleteClassesKeyIfEmpty(key);
}

HRESULT RegistryJournal::SetString(const wchar_t* key, const wchar_t* name, const wchar_t* value) {
  RETURN_HR_IF(E_UNEXPECTED, count_ == kMostChanges);
  Change& change = changes_[count_];
  change = Change{};  // nothing left from a call that failed before it changed anything
  RETURN_IF_FAILED(AssignText(change.key, key));
  if (name != nullptr) RETURN_IF_FAILED(AssignText(change.name, name));
  win32::UniqueHkey handle;
  DWORD disposition = 0;
  RETURN_IF_FAILED(
      HRESULT_FROM_WIN32(RegCreateKeyExW(HKEY_CLASSES_ROOT, key, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                         KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, handle.put(), &disposition)));
  change.madeKey = disposition == REG_CREATED_NEW_KEY;
  if (!change.madeKey)
    RETURN_IF_FAILED(ReadOldValue(handle.get(), name, change.data, change.type, change.size, change.hadValue));
  ++count_;  // recorded before the registry changes any further
  const auto bytes = static_cast<DWORD>((lstrlenW(value) + 1) * sizeof(wchar_t));
  return HRESULT_FROM_WIN32(RegSetValueExW(handle.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes));
}

HRESULT RegistryJournal::Undo() noexcept {
  HRESULT first = S_OK;
  while (count_ != 0) {
    Change& change = changes_[--count_];
    win32::KeepFirstFailure(first, change.madeKey ? DeleteClassesTree(change.key.get())
                                                  : PutBackValue(change.key.get(), change.name.get(), change.hadValue,
                                                                 change.type, change.data.get(), change.size));
    change = Change{};
  }
  return first;
}

}  // namespace tessarel
