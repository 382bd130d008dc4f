// DllRegisterServer and DllUnregisterServer: the type library and the
// class, made creatable as Tessarel.tessarelcontrol.
#include "link_control.h"
#include "module.h"
#include "no_throw.h"
#include "resource_ids.h"
#include "unique_handle.h"

#include <iterator>
#include <string>

namespace tessarel {
namespace {

constexpr wchar_t kProgId[] = L"Tessarel.tessarelcontrol";
constexpr wchar_t kClassName[] = L"tessarelcontrol";
constexpr wchar_t kTypeLibraryVersion[] = L"1.0";
constexpr WORD kTypeLibraryMajor = 1;
constexpr WORD kTypeLibraryMinor = 0;
constexpr LCID kTypeLibraryLocale = 1033;

std::wstring GuidText(const GUID& guid)
{
    wchar_t text[39] = {};
    return StringFromGUID2(guid, text, ARRAYSIZE(text)) != 0 ? std::wstring(text) : std::wstring();
}

// The decimal digits of value. Written out here rather than with
// std::to_wstring, which formats through the C runtime's wide printf and
// would link that (about 25 KiB) into the library for two numbers.
std::wstring DecimalText(unsigned long value)
{
    wchar_t digits[16];
    wchar_t* first = std::end(digits);
    do {
        *--first = static_cast<wchar_t>(L'0' + value % 10);
        value /= 10;
    } while (value != 0);
    return std::wstring(first, std::end(digits));
}

// Creates key below HKEY_CLASSES_ROOT and sets one string value (name null:
// the key's default value).
HRESULT SetClassesValue(const std::wstring& key, const wchar_t* name, const std::wstring& value)
{
    UniqueHkey handle;
    LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_SET_VALUE, nullptr, handle.put(), nullptr);
    if (status != ERROR_SUCCESS) {
        return HRESULT_FROM_WIN32(status);
    }
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    status = RegSetValueExW(handle.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes);
    return HRESULT_FROM_WIN32(status);
}

HRESULT DeleteClassesTree(const std::wstring& key)
{
    const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    return status == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(status);
}

HRESULT RegisterClassKeys(const std::wstring& modulePath)
{
    const std::wstring classId = GuidText(CLSID_tessarelcontrol);
    const std::wstring libraryId = GuidText(LIBID_Tessarel);
    if (classId.empty() || libraryId.empty()) {
        return E_UNEXPECTED;
    }
    const std::wstring classKey = L"CLSID\\" + classId;
    const struct {
        std::wstring key;
        const wchar_t* name;
        std::wstring value;
    } entries[] = {
        {classKey, nullptr, kClassName},
        {classKey + L"\\InprocServer32", nullptr, modulePath},
        {classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {classKey + L"\\ProgID", nullptr, kProgId},
        {classKey + L"\\Control", nullptr, L""},
        {classKey + L"\\MiscStatus", nullptr, L"0"},
        {classKey + L"\\MiscStatus\\1", nullptr, DecimalText(kMiscStatus)},
        {classKey + L"\\ToolboxBitmap32", nullptr, modulePath + L", " + DecimalText(IDB_TOOLBOX_BITMAP)},
        {classKey + L"\\TypeLib", nullptr, libraryId},
        {classKey + L"\\Version", nullptr, kTypeLibraryVersion},
        {kProgId, nullptr, kClassName},
        {std::wstring(kProgId) + L"\\CLSID", nullptr, classId},
    };
    for (const auto& entry : entries) {
        HRESULT hr = SetClassesValue(entry.key, entry.name, entry.value);
        if (FAILED(hr)) {
            return hr;
        }
    }
    return S_OK;
}

HRESULT RegisterTypeLibrary(const std::wstring& modulePath)
{
    Microsoft::WRL::ComPtr<ITypeLib> typeLibrary;
    HRESULT hr = LoadTypeLibEx(modulePath.c_str(), REGKIND_NONE, &typeLibrary);
    if (FAILED(hr)) {
        return hr;
    }
    // RegisterTypeLib takes a non-const path but does not change it.
    std::wstring path = modulePath;
    return RegisterTypeLib(typeLibrary.Get(), path.data(), nullptr);
}

HRESULT UnregisterAll()
{
    const std::wstring classId = GuidText(CLSID_tessarelcontrol);
    if (classId.empty()) {
        return E_UNEXPECTED;
    }
    HRESULT hr = DeleteClassesTree(L"CLSID\\" + classId);
    if (FAILED(hr) || FAILED(hr = DeleteClassesTree(kProgId))) {
        return hr;
    }
    // Unregistering twice is not an error: the library is gone either way.
    UniqueBstr registeredPath;
    if (FAILED(QueryPathOfRegTypeLib(LIBID_Tessarel, kTypeLibraryMajor, kTypeLibraryMinor, kTypeLibraryLocale,
                                     registeredPath.put()))) {
        return S_OK;
    }
    return UnRegisterTypeLib(LIBID_Tessarel, kTypeLibraryMajor, kTypeLibraryMinor, kTypeLibraryLocale, SYS_WIN64);
}

}  // namespace
}  // namespace tessarel

STDAPI DllRegisterServer()
{
    return tessarel::CallNoThrow([] {
        const std::wstring modulePath = tessarel::ModulePath();
        if (modulePath.empty()) {
            return HRESULT_FROM_WIN32(GetLastError());
        }
        HRESULT hr = tessarel::RegisterTypeLibrary(modulePath);
        if (FAILED(hr) || FAILED(hr = tessarel::RegisterClassKeys(modulePath))) {
            tessarel::UnregisterAll();  // leave nothing half registered; hr is the error to report
            return hr;
        }
        return S_OK;
    });
}

STDAPI DllUnregisterServer()
{
    return tessarel::CallNoThrow([] { return tessarel::UnregisterAll(); });
}
