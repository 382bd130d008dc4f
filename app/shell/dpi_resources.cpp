#include "shell/dpi_resources.h"

#include <array>
#include <string_view>

#include "shell/app_identity.h"
#include "shell/dpi.h"
#include "win32/result.h"

namespace zenthra::shell {

namespace {

constexpr int kHundredthsOfPointPerInch = 7200;

// Where MS Sans Serif has no bitmap small enough, these scalable faces draw
// the size instead: the face's own scalable clone, which Windows ships, then
// Tahoma, which both Windows and Wine ship.
constexpr std::array<const wchar_t*, 2> kScalableFaces{L"Microsoft Sans Serif", L"Tahoma"};

// `face` with characters `charHeight` pixels high (without internal leading).
win32::UniqueHfont CreateFace(const wchar_t* face, int charHeight, BYTE precision) {
  return win32::UniqueHfont(CreateFontW(-charHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                        precision, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                        face));
}

// What the font mapper really gives for a font: the face it found (another
// family where the system lacks the one asked for) and its character height.
struct RealizedFont {
  std::array<wchar_t, LF_FACESIZE> face{};
  int charHeight = 0;
};

bool Realize(HDC dc, HFONT font, RealizedFont& realized) {
  const win32::ScopedSelectObject selected(dc, font);
  TEXTMETRICW metrics{};
  if (!GetTextMetricsW(dc, &metrics) || !GetTextFaceW(dc, LF_FACESIZE, realized.face.data())) return false;
  realized.charHeight = metrics.tmHeight - metrics.tmInternalLeading;
  return true;
}

win32::UniqueHicon LoadAppIcon(HINSTANCE instance, int sizeMetric, UINT dpi) {
  const int size = dpi::SystemMetric(sizeMetric, dpi);
  return win32::UniqueHicon(
      static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kAppIcon), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

}  // namespace

win32::UniqueHfont CreateLayoutFont(UINT dpi) {
  const int charHeight = MulDiv(kDesignFontHundredthsOfPoint, static_cast<int>(dpi), kHundredthsOfPointPerInch);
  win32::UniqueHfont font = CreateFace(kDesignFontFace, charHeight, OUT_DEFAULT_PRECIS);
  const win32::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  RealizedFont realized;
  if (!font || !dc || !Realize(dc.get(), font.get(), realized)) return font;
  // MS Sans Serif is a bitmap face: the sizes it lacks come out as the
  // nearest it has. A smaller one keeps every caption whole within the
  // layout; a larger one (no 8.25 point bitmap at 96 DPI on a system set to a
  // higher DPI, where a window moves to a 96 DPI screen) would cut captions
  // and lines off everywhere.
  if (realized.charHeight <= charHeight) return font;
  for (const wchar_t* face : kScalableFaces) {
    win32::UniqueHfont scalable = CreateFace(face, charHeight, OUT_TT_PRECIS);
    if (scalable && Realize(dc.get(), scalable.get(), realized) && std::wstring_view(realized.face.data()) == face)
      return scalable;
  }
  return font;
}

HRESULT WindowIcons::Set(HINSTANCE instance, HWND window, UINT dpi) {
  win32::UniqueHicon big = LoadAppIcon(instance, SM_CXICON, dpi);
  RETURN_LAST_ERROR_IF(!big);
  win32::UniqueHicon small = LoadAppIcon(instance, SM_CXSMICON, dpi);
  RETURN_LAST_ERROR_IF(!small);
  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
  big_ = std::move(big);
  small_ = std::move(small);
  return S_OK;
}

}  // namespace zenthra::shell
