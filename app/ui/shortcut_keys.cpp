#include "ui/shortcut_keys.h"

#include "ui/resource_ids.h"
#include "win32/result.h"

namespace zenthra::ui {

HRESULT ShortcutKeys::Load(HINSTANCE instance, HWND window) {
  table_ = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
  RETURN_LAST_ERROR_IF(table_ == nullptr);
  window_ = window;
  return S_OK;
}

bool ShortcutKeys::PreTranslateMessage(MSG& message) {
  return table_ != nullptr && TranslateAcceleratorW(window_, table_, &message) != 0;
}

}  // namespace zenthra::ui
