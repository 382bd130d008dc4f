// DllRegisterServer and DllUnregisterServer: the type library and the
// class, made creatable as Tessarel.tessarelcontrol.
#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <utility>

#include "link_control.h"
#include "module.h"
#include "registry_journal.h"
#include "resource_ids.h"
#include "text/decimal_text.h"
#include "win32/result.h"
#include "win32/unique_handle.h"

namespace tessarel {
namespace {

constexpr wchar_t kProgId[] = L"Tessarel.tessarelcontrol";
constexpr wchar_t kClassName[] = L"tessarelcontrol";
constexpr wchar_t kTypeLibraryVersion[] = L"1.0";
constexpr WORD kTypeLibraryMajor = 1;
constexpr WORD kTypeLibraryMinor = 0;
// Language-neutral, as the library's lcid attribute: LoadRegTypeLib then
// finds it whatever locale a client asks for.
constexpr LCID kTypeLibraryLocale = LOCALE_NEUTRAL;

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" and its terminator.
constexpr int kGuidTextSize = 39;

HRESULT FormatGuid(const GUID& guid, wchar_t (&text)[kGuidTextSize]) {
  return StringFromGUID2(guid, text, kGuidTextSize) != 0 ? S_OK : E_UNEXPECTED;
}

// The parts, one after the other, in one string.
HRESULT JoinText(std::initializer_list<const wchar_t*> parts, win32::UniqueBstr& joined) {
  UINT length = 0;
  for (const wchar_t* part : parts) length += static_cast<UINT>(lstrlenW(part));
  // SysAllocStringLen adds the terminator after the length units.
  win32::UniqueBstr text(SysAllocStringLen(nullptr, length));
  RETURN_HR_IF(E_OUTOFMEMORY, !text);
  wchar_t* end = text.get();
  for (const wchar_t* part : parts) {
    const int partLength = lstrlenW(part);
    CopyMemory(end, part, static_cast<SIZE_T>(partLength) * sizeof(wchar_t));
    end += partLength;
  }
  joined = std::move(text);
  return S_OK;
}

// CLSID\{...} of the control.
HRESULT ClassKey(win32::UniqueBstr& key) {
  wchar_t classId[kGuidTextSize];
  RETURN_IF_FAILED(FormatGuid(CLSID_tessarelcontrol, classId));
  return JoinText({L"CLSID\\", classId}, key);
}

// Calls visit(key, name, value) for each string value that registering
// the class sets: key below HKEY_CLASSES_ROOT, name null for the key's
// default value. Each key comes after its parent, as the journal needs;
// newestFirst reverses the order, for taking them back. modulePath is
// borrowed from the caller.
template <typename Visit>
HRESULT VisitClassValues(const wchar_t* modulePath, bool newestFirst, Visit visit) {
  wchar_t classId[kGuidTextSize], libraryId[kGuidTextSize];
  wchar_t miscStatus[common::kDecimalCapacity], bitmapId[common::kDecimalCapacity];
  win32::UniqueBstr classKey, toolboxBitmap;
  RETURN_IF_FAILED(FormatGuid(CLSID_tessarelcontrol, classId));
  RETURN_IF_FAILED(FormatGuid(LIBID_Tessarel, libraryId));
  RETURN_IF_FAILED(ClassKey(classKey));
  common::FormatDecimal(kMiscStatus, miscStatus);
  common::FormatDecimal(IDB_TOOLBOX_BITMAP, bitmapId);
  RETURN_IF_FAILED(JoinText({modulePath, L", ", bitmapId}, toolboxBitmap));
  const struct {
    const wchar_t* keyStart;
    const wchar_t* keyEnd;
    const wchar_t* name;
    const wchar_t* value;
  } entries[] = {
      {classKey.get(), L"", nullptr, kClassName},
      {classKey.get(), L"\\InprocServer32", nullptr, modulePath},
      {classKey.get(), L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
      {classKey.get(), L"\\ProgID", nullptr, kProgId},
      {classKey.get(), L"\\Control", nullptr, L""},
      {classKey.get(), L"\\MiscStatus", nullptr, L"0"},
      {classKey.get(), L"\\MiscStatus\\1", nullptr, miscStatus},
      {classKey.get(), L"\\ToolboxBitmap32", nullptr, toolboxBitmap.get()},
      {classKey.get(), L"\\TypeLib", nullptr, libraryId},
      {classKey.get(), L"\\Version", nullptr, kTypeLibraryVersion},
      {kProgId, L"", nullptr, kClassName},
      {kProgId, L"\\CLSID", nullptr, classId},
  };
  constexpr std::size_t kCount = std::size(entries);
  for (std::size_t index = 0; index < kCount; ++index) {
    const auto& entry = entries[newestFirst ? kCount - 1 - index : index];
    win32::UniqueBstr key;
    RETURN_IF_FAILED(JoinText({entry.keyStart, entry.keyEnd}, key));
    RETURN_IF_FAILED(visit(key.get(), entry.name, entry.value));
  }
  return S_OK;
}

bool TypeLibraryRegistered() {
  win32::UniqueBstr path;
  return SUCCEEDED(
      QueryPathOfRegTypeLib(LIBID_Tessarel, kTypeLibraryMajor, kTypeLibraryMinor, kTypeLibraryLocale, path.put()));
}

// The type library's registration, also when part of it is gone already:
// UnRegisterTypeLib needs the registered path, and the file there, to find
// the interfaces, so what it cannot remove goes by name. The interfaces'
// identifiers are this library's own; below its own identifier other
// versions of it may be registered, and stay.
HRESULT RemoveTypeLibrary() {
  if (TypeLibraryRegistered()) {
    // Whatever it leaves behind goes below.
    LOG_IF_FAILED(
        UnRegisterTypeLib(LIBID_Tessarel, kTypeLibraryMajor, kTypeLibraryMinor, kTypeLibraryLocale, SYS_WIN64));
  }
  HRESULT first = S_OK;
  for (const GUID* id : {&LIBID_Tessarel, &IID__tessarelcontrol, &DIID___tessarelcontrol}) {
    wchar_t idText[kGuidTextSize];
    win32::UniqueBstr key, versionKey;
    HRESULT hr = FormatGuid(*id, idText);
    if (SUCCEEDED(hr)) hr = JoinText({id == &LIBID_Tessarel ? L"TypeLib\\" : L"Interface\\", idText}, key);
    if (SUCCEEDED(hr) && id == &LIBID_Tessarel) {
      hr = JoinText({key.get(), L"\\", kTypeLibraryVersion}, versionKey);
      if (SUCCEEDED(hr)) hr = DeleteClassesTree(versionKey.get());
      win32::KeepFirstFailure(first, SUCCEEDED(hr) ? DeleteClassesKeyIfEmpty(key.get()) : hr);
    } else {
      win32::KeepFirstFailure(first, SUCCEEDED(hr) ? DeleteClassesTree(key.get()) : hr);
    }
  }
  return first;
}

// All or nothing: a failure part-way takes back what this registration
// wrote, the class's keys as they were before it and the type library if
// it was not registered before (one that was stays, now at this file: the
// path it had is not kept). modulePath is borrowed from the caller.
HRESULT RegisterAll(BSTR modulePath) {
  ITypeLib* typeLibrary = nullptr;         // borrowed from the module
  ITypeInfo* unusedControlInfo = nullptr;  // the same; registering needs only the library
  RETURN_IF_FAILED(GetTypeLibrary(typeLibrary, unusedControlInfo));
  const bool typeLibraryWasRegistered = TypeLibraryRegistered();
  RegistryJournal journal;
  // RegisterTypeLib takes a non-const path but does not change it.
  HRESULT hr = RegisterTypeLib(typeLibrary, modulePath, nullptr);
  if (SUCCEEDED(hr)) {
    hr = VisitClassValues(modulePath, /*newestFirst=*/false,
                          [&journal](const wchar_t* key, const wchar_t* name, const wchar_t* value) {
                            return journal.SetString(key, name, value);
                          });
  }
  if (FAILED(hr)) {
    // hr is the error to report, whatever the undoing meets.
    LOG_IF_FAILED(journal.Undo());
    if (!typeLibraryWasRegistered) LOG_IF_FAILED(RemoveTypeLibrary());
  }
  return hr;
}

// Every part goes even when another cannot, or is gone already (which is
// no failure); the first failure is the result. The class's keys lose the
// values that registering sets, and go once nothing else is left in them:
// what others keep beside them (categories, an AppID) stays.
HRESULT UnregisterAll() {
  HRESULT first = S_OK;
  // The values themselves are not needed to remove them: no module path.
  win32::KeepFirstFailure(first, VisitClassValues(L"", /*newestFirst=*/true,
                                                  [&first](const wchar_t* key, const wchar_t* name, const wchar_t*) {
                                                    win32::KeepFirstFailure(first, DeleteClassesValue(key, name));
                                                    return S_OK;
                                                  }));
  win32::KeepFirstFailure(first, RemoveTypeLibrary());
  return first;
}

}  // namespace
}  // namespace tessarel

STDAPI DllRegisterServer() {
  win32::UniqueBstr modulePath;
  RETURN_IF_FAILED(tessarel::ModulePath(modulePath));
  return tessarel::RegisterAll(modulePath.get());
}

STDAPI DllUnregisterServer() { return tessarel::UnregisterAll(); }
