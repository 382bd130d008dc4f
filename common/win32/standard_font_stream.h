#pragma once
// A font read from a stream that holds it in the standard font object's
// persisted form: the font class id, then what the font's own
// IPersistStream wrote. Unlike OleLoadFromStream, which creates whatever
// class the stream names, this only ever creates the standard font: a
// stream from elsewhere cannot have another class made in the process.

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include "win32/result.h"

namespace win32 {

// Reads the class id at the stream's position; for CLSID_StdFont creates a
// standard font that loads the rest of its persisted form through its own
// IPersistStream::Load, and hands it out as `Interface`. Any other class id
// fails with STG_E_INVALIDHEADER before anything is created. On failure
// `font` is empty; the stream's position is then unspecified.
template <typename Interface>
HRESULT LoadStandardFont(IStream* stream, Microsoft::WRL::ComPtr<Interface>& font) noexcept {
  font.Reset();
  RETURN_HR_IF_NULL(E_POINTER, stream);
  CLSID classId{};
  RETURN_IF_FAILED(ReadClassStm(stream, &classId));
  RETURN_HR_IF(STG_E_INVALIDHEADER, !IsEqualCLSID(classId, CLSID_StdFont));
  // Any description serves: Load replaces every field of it.
  FONTDESC description{};
  description.cbSizeofstruct = sizeof(description);
  description.lpstrName = const_cast<LPOLESTR>(L"System");
  description.sWeight = FW_NORMAL;
  Microsoft::WRL::ComPtr<IPersistStream> persist;
  RETURN_IF_FAILED(OleCreateFontIndirect(&description, IID_PPV_ARGS(&persist)));
  RETURN_IF_FAILED(persist->Load(stream));
  return persist.As(&font);
}

}  // namespace win32
