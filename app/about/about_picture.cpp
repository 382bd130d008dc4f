#include "about/about_picture.h"

#include <shlwapi.h>

#include "win32/com_object.h"
#include "win32/result.h"

namespace zenthra::about {

HRESULT LoadPictureResource(HINSTANCE module, const wchar_t* name, Microsoft::WRL::ComPtr<IPicture>& picture) {
  picture.Reset();
  HRSRC found = FindResourceW(module, name, RT_RCDATA);
  RETURN_LAST_ERROR_IF(!found);
  const DWORD size = SizeofResource(module, found);
  HGLOBAL loaded = LoadResource(module, found);  // not owned: lives with the module
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  RETURN_HR_IF(E_FAIL, !bytes || size == 0);

  const auto stream = win32::Adopt(SHCreateMemStream(static_cast<const BYTE*>(bytes), size));
  RETURN_HR_IF_NULL(E_OUTOFMEMORY, stream.Get());
  return OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                        reinterpret_cast<void**>(picture.ReleaseAndGetAddressOf()));
}

HRESULT DrawStretched(IPicture& picture, HDC dc, const RECT& target) {
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  RETURN_IF_FAILED(picture.get_Width(&width));
  RETURN_IF_FAILED(picture.get_Height(&height));
  // Smooth shrinking instead of dropped pixel rows; restored afterwards.
  const int previousMode = SetStretchBltMode(dc, HALFTONE);
  POINT previousOrigin{};
  SetBrushOrgEx(dc, 0, 0, &previousOrigin);
  // The source rectangle runs bottom-up in HIMETRIC.
  const HRESULT hr = picture.Render(dc, target.left, target.top, target.right - target.left, target.bottom - target.top,
                                    0, height, width, -height, nullptr);
  SetBrushOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
  if (previousMode != 0) SetStretchBltMode(dc, previousMode);
  return hr;
}

}  // namespace zenthra::about
