#include "about/persisted_font.h"

#include <shlwapi.h>

#include <cstring>
#include <string>

#include "win32/com_object.h"
#include "win32/result.h"
#include "win32/standard_font_stream.h"

namespace zenthra::about {
namespace {

template <typename Value>
void Append(std::vector<std::byte>& out, const Value& value) {
  const auto* bytes = reinterpret_cast<const std::byte*>(&value);
  out.insert(out.end(), bytes, bytes + sizeof(Value));
}

}  // namespace

std::vector<std::byte> PersistFont(const StoredFont& font) {
  std::string face(255, '\0');
  const int faceLength =
      WideCharToMultiByte(CP_ACP, 0, font.face, -1, face.data(), static_cast<int>(face.size()), nullptr, nullptr);
  face.resize(faceLength > 0 ? static_cast<std::size_t>(faceLength - 1) : 0);

  std::vector<std::byte> out;
  Append(out, CLSID_StdFont);
  Append(out, BYTE{1});
  Append(out, font.charset);
  Append(out, font.attributes);
  Append(out, font.weight);
  Append(out, font.size);
  Append(out, static_cast<BYTE>(face.size()));
  for (char c : face) Append(out, c);
  return out;
}

HRESULT LoadPersistedFont(std::span<const std::byte> persisted, Microsoft::WRL::ComPtr<IFontDisp>& font) {
  font.Reset();
  const auto stream = win32::Adopt(
      SHCreateMemStream(reinterpret_cast<const BYTE*>(persisted.data()), static_cast<UINT>(persisted.size())));
  RETURN_HR_IF_NULL(E_OUTOFMEMORY, stream.Get());
  return win32::LoadStandardFont(stream.Get(), font);
}

}  // namespace zenthra::about
