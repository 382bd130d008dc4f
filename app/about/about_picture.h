#pragma once
// The dialog's picture: a JPEG kept as a resource of the program, loaded
// as a picture object and drawn stretched to fill a rectangle.

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

namespace zenthra::about {

inline constexpr wchar_t kAboutPictureResource[] = L"ABOUT_PICTURE";

HRESULT LoadPictureResource(HINSTANCE module, const wchar_t* name, Microsoft::WRL::ComPtr<IPicture>& picture);

HRESULT DrawStretched(IPicture& picture, HDC dc, const RECT& target);

}  // namespace zenthra::about
