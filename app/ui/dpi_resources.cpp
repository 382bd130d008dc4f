#include "ui/dpi_resources.h"

#include <string>

#include "ui/dpi.h"
#include "ui/main_window_layout.h"
#include "ui/resource_ids.h"

namespace zenthra::ui {

namespace {
constexpr int kHundredthsOfPointPerInch = 7200;
}

UniqueFont createLayoutFont(UINT dpi) {
  const std::wstring face(kFontFace);
  const int height = -MulDiv(kFontHundredthsOfPoint, static_cast<int>(dpi), kHundredthsOfPointPerInch);
  return UniqueFont(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
}

UniqueIcon loadAppIcon(HINSTANCE instance, int sizeMetric, UINT dpi) {
  const int size = dpi::systemMetric(sizeMetric, dpi);
  return UniqueIcon(
      static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_ZENTHRA), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

}  // namespace zenthra::ui
