#include "shell/dpi_resources.h"

#include "shell/app_identity.h"
#include "shell/dpi.h"
#include "win32/result.h"

namespace zenthra::shell {

namespace {

constexpr int kHundredthsOfPointPerInch = 7200;

win32::UniqueHicon LoadAppIcon(HINSTANCE instance, int sizeMetric, UINT dpi) {
  const int size = dpi::SystemMetric(sizeMetric, dpi);
  return win32::UniqueHicon(
      static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kAppIcon), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

}  // namespace

win32::UniqueHfont CreateLayoutFont(UINT dpi) {
  return win32::CreateDesignFont(
      MulDiv(kDesignFontHundredthsOfPoint, static_cast<int>(dpi), kHundredthsOfPointPerInch));
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
