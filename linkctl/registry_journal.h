#pragma once
// Registry changes below HKEY_CLASSES_ROOT, each recorded as it is made,
// so that a registration that fails part-way can put back what was there.

#include "win32/unique_handle.h"

#include <windows.h>

#include <cstddef>

namespace tessarel {

// Deletes key (below HKEY_CLASSES_ROOT) with all below it; one that is not
// there is no failure.
HRESULT DeleteClassesTree(const wchar_t* key) noexcept;

// Deletes key (below HKEY_CLASSES_ROOT) if it holds neither values nor
// keys: what others put there stays. One that is not there is no failure.
HRESULT DeleteClassesKeyIfEmpty(const wchar_t* key) noexcept;

// Deletes the value name of key (null: the default value), then the key if
// nothing is left in it. A value or key that is not there is no failure.
HRESULT DeleteClassesValue(const wchar_t* key, const wchar_t* name) noexcept;

class RegistryJournal {
 public:
  RegistryJournal() = default;
  RegistryJournal(const RegistryJournal&) = delete;
  RegistryJournal& operator=(const RegistryJournal&) = delete;

  // Creates key if need be and sets its string value name (null: the
  // key's default value). The key's parent must be there already or made
  // by an earlier call: Undo deletes only the key that a call made.
  HRESULT SetString(const wchar_t* key, const wchar_t* name, const wchar_t* value);

  // Undoes every recorded change, the newest first: a key that was made
  // goes with all below it, a value that was set gets back what it held
  // (or goes, if it was not there). One that cannot be undone does not
  // stop the others; the first failure is returned.
  HRESULT Undo() noexcept;

 private:
  struct Change {
    win32::UniqueBstr key;
    win32::UniqueBstr name;  // null: the default value
    bool madeKey = false;    // then Undo deletes the key; otherwise:
    bool hadValue = false;   // the value that was there before
    DWORD type = REG_NONE;
    win32::UniqueHeapArray<BYTE> data;
    DWORD size = 0;
  };

  // The class registration sets twelve values.
  static constexpr std::size_t kMostChanges = 16;
  Change changes_[kMostChanges];
  std::size_t count_ = 0;
};

}  // namespace tessarel
