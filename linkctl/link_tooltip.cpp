#include "link_tooltip.h"

#include <commctrl.h>

#include "bstr_text.h"
#include "module.h"
#include "win32/result.h"

namespace tessarel {
namespace {

// The two tools over the control's window: one that the tooltip shows on
// its own when the mouse rests there, and one shown on request.
enum Tool : UINT_PTR { kHoverTool = 1, kFocusTool = 2 };

TTTOOLINFOW ToolInfo(HWND control, Tool tool, BSTR address) {
  TTTOOLINFOW info{};
  // Without the fields the common controls 6 added: older versions refuse
  // a larger structure.
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.uFlags = tool == kHoverTool ? TTF_SUBCLASS : TTF_TRACK | TTF_ABSOLUTE;
  info.hwnd = control;
  info.uId = tool;
  info.hinst = ModuleHandle();
  // The tooltip copies the text; it never writes to it.
  info.lpszText = const_cast<wchar_t*>(BstrChars(address));
  GetClientRect(control, &info.rect);  // the hover area; an empty one on failure
  return info;
}

}  // namespace

void LinkTooltip::Attach(HWND control) noexcept {
  window_.reset();
  control_ = control;
}

void LinkTooltip::Destroy() noexcept {
  window_.reset();
  control_ = nullptr;
}

bool LinkTooltip::Ensure(BSTR address) noexcept {
  if (window_ || control_ == nullptr) return static_cast<bool>(window_);
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
  if (!InitCommonControlsEx(&classes)) return false;
  win32::UniqueHwnd window(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                           WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                           CW_USEDEFAULT, CW_USEDEFAULT, control_, nullptr, ModuleHandle(), nullptr));
  if (!window) return false;
  for (Tool tool : {kHoverTool, kFocusTool}) {
    TTTOOLINFOW info = ToolInfo(control_, tool, address);
    if (!SendMessageW(window.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info))) return false;
  }
  window_ = std::move(window);
  return true;
}

void LinkTooltip::MouseMoved(const MSG& move, BSTR address) noexcept {
  if (!window_ && Ensure(address)) {
    // Later moves reach the tooltip by itself (TTF_SUBCLASS); this one
    // came before it was there.
    SendMessageW(window_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
  }
}

void LinkTooltip::Update(BSTR address) noexcept {
  if (!window_) return;
  for (Tool tool : {kHoverTool, kFocusTool}) {
    TTTOOLINFOW info = ToolInfo(control_, tool, address);
    SendMessageW(window_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    // The hover area follows the control's size.
    SendMessageW(window_.get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
  }
}

void LinkTooltip::ShowForFocus(BSTR address) noexcept {
  RECT control{};
  if (!Ensure(address) || !GetWindowRect(control_, &control)) return;
  TTTOOLINFOW info = ToolInfo(control_, kFocusTool, nullptr);
  SendMessageW(window_.get(), TTM_TRACKPOSITION, 0, MAKELPARAM(control.left, control.bottom + 2));
  SendMessageW(window_.get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));
}

void LinkTooltip::HideForFocus() noexcept {
  if (!window_) return;
  TTTOOLINFOW info = ToolInfo(control_, kFocusTool, nullptr);
  SendMessageW(window_.get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&info));
}

}  // namespace tessarel
