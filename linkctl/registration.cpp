// DllRegisterServer and DllUnregisterServer: the type library and the
// class, made creatable as Tessarel.tessarelcontrol.
#include "link_control.h"
#include "module.h"
#include "resource_ids.h"
#include "win32/result.h"
#include "win32/unique_handle.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace tessarel {
namespace {

constexpr wchar_t kProgId[] = L"Tessarel.tessarelcontrol";
constexpr wchar_t kClassName[] = L"tessarelcontrol";
constexpr wchar_t kTypeLibraryVersion[] = L"1.0";
constexpr WORD kTypeLibraryMajor = 1;
constexpr WORD kTypeLibraryMinor = 0;
constexpr LCID kTypeLibraryLocale = 1033;

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" and its terminator.
constexpr int kGuidTextSize = 39;
// The ten digits of the largest unsigned long and the terminator.
constexpr int kDecimalTextSize = 11;

HRESULT FormatGuid(const GUID& guid, wchar_t (&text)[kGuidTextSize]) {
  return StringFromGUID2(guid, text, kGuidTextSize) != 0 ? S_OK : E_UNEXPECTED;
}

// The decimal digits of value. Written out here rather than with a wide
// printf, which would link the C runtime's formatting (about 25 KiB) into
// the library for two numbers.
void FormatDecimal(unsigned long value, wchar_t (&text)[kDecimalTextSize]) {
  int length = 0;
  do {
    text[length++] = static_cast<wchar_t>(L'0' + value % 10);
    value /= 10;
  } while (value != 0);
  text[length] = L'\0';
  std::reverse(text, text + length);
}

// The parts, one after the other, in one string.
HRESULT JoinText(std::initializer_list<const wchar_t*> parts, win32::UniqueBstr& joined) {
  UINT length = 0;
  for (const wchar_t* part : parts) {
    length += static_cast<UINT>(lstrlenW(part));
  }
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

// Creates the key keyStart + keyEnd below HKEY_CLASSES_ROOT and sets one
// string value (name null: the key's default value).
HRESULT SetClassesValue(const wchar_t* keyStart, const wchar_t* keyEnd, const wchar_t* name, const wchar_t* value) {
  win32::UniqueBstr key;
  RETURN_IF_FAILED(JoinText({keyStart, keyEnd}, key));
  win32::UniqueHkey handle;
  const LSTATUS created = RegCreateKeyExW(HKEY_CLASSES_ROOT, key.get(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                          KEY_SET_VALUE, nullptr, handle.put(), nullptr);
  RETURN_IF_FAILED(HRESULT_FROM_WIN32(created));
  const auto bytes = static_cast<DWORD>((lstrlenW(value) + 1) * sizeof(wchar_t));
  return HRESULT_FROM_WIN32(RegSetValueExW(handle.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes));
}

HRESULT DeleteClassesTree(const wchar_t* key) {
  const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, key);
  return status == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(status);
}

// CLSID\{...} of the control.
HRESULT ClassKey(win32::UniqueBstr& key) {
  wchar_t classId[kGuidTextSize];
  RETURN_IF_FAILED(FormatGuid(CLSID_tessarelcontrol, classId));
  return JoinText({L"CLSID\\", classId}, key);
}

// modulePath is borrowed from the caller.
HRESULT RegisterClassKeys(const wchar_t* modulePath) {
  wchar_t classId[kGuidTextSize], libraryId[kGuidTextSize];
  wchar_t miscStatus[kDecimalTextSize], bitmapId[kDecimalTextSize];
  win32::UniqueBstr classKey, toolboxBitmap;
  RETURN_IF_FAILED(FormatGuid(CLSID_tessarelcontrol, classId));
  RETURN_IF_FAILED(FormatGuid(LIBID_Tessarel, libraryId));
  RETURN_IF_FAILED(ClassKey(classKey));
  FormatDecimal(kMiscStatus, miscStatus);
  FormatDecimal(IDB_TOOLBOX_BITMAP, bitmapId);
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
  for (const auto& entry : entries) {
    RETURN_IF_FAILED(SetClassesValue(entry.keyStart, entry.keyEnd, entry.name, entry.value));
  }
  return S_OK;
}

// modulePath is borrowed from the caller.
HRESULT RegisterAll(BSTR modulePath) {
  ITypeLib* typeLibrary = nullptr;         // borrowed from the module
  ITypeInfo* unusedControlInfo = nullptr;  // the same; registering needs only the library
  RETURN_IF_FAILED(GetTypeLibrary(typeLibrary, unusedControlInfo));
  // RegisterTypeLib takes a non-const path but does not change it.
  RETURN_IF_FAILED(RegisterTypeLib(typeLibrary, modulePath, nullptr));
  return RegisterClassKeys(modulePath);
}

HRESULT UnregisterAll() {
  win32::UniqueBstr classKey;
  RETURN_IF_FAILED(ClassKey(classKey));
  RETURN_IF_FAILED(DeleteClassesTree(classKey.get()));
  RETURN_IF_FAILED(DeleteClassesTree(kProgId));
  // Unregistering twice is not an error: the library is gone either way.
  win32::UniqueBstr registeredPath;
  if (FAILED(QueryPathOfRegTypeLib(LIBID_Tessarel, kTypeLibraryMajor, kTypeLibraryMinor, kTypeLibraryLocale,
                                   registeredPath.put()))) {
    return S_OK;
  }
  return UnRegisterTypeLib(LIBID_Tessarel, kTypeLibraryMajor, kTypeLibraryMinor, kTypeLibraryLocale, SYS_WIN64);
}

}  // namespace
}  // namespace tessarel

STDAPI DllRegisterServer() {
  win32::UniqueBstr modulePath;
  RETURN_IF_FAILED(tessarel::ModulePath(modulePath));
  const HRESULT hr = tessarel::RegisterAll(modulePath.get());
  if (FAILED(hr)) {
    tessarel::UnregisterAll();  // leave nothing half registered; hr is the error to report
    return hr;
  }
  return S_OK;
}

STDAPI DllUnregisterServer() { return tessarel::UnregisterAll(); }
