// linkctl_canary.dll: an in-process server that only records that COM
// asked it for a class (HKCU\Software\Zenthra\Canary, value Ran), for the
// tests that check that nothing creates it.
#include <windows.h>

extern "C" __declspec(dllexport) HRESULT __stdcall DllGetClassObject(const GUID&, const GUID&, void** object) {
  *object = nullptr;
  const DWORD ran = 1;
  RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Zenthra\\Canary", L"Ran", REG_DWORD, &ran, sizeof(ran));
  return CLASS_E_CLASSNOTAVAILABLE;
}
