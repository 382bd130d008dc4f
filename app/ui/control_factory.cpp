#include "ui/control_factory.h"

#include <commctrl.h>

#include <string>

#include "ui/level_box.h"
#include "win32/result.h"

namespace zenthra::ui {

namespace {

struct WindowKind {
  const wchar_t* windowClass;
  DWORD style;
  DWORD exStyle;
};

// Siblings clip each other so that the z-order decides overlaps.
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

WindowKind WindowKindOf(ControlKind kind) {
  switch (kind) {
    // A label ends the dialog group before it (the option buttons' group
    // ends at the first caption label).
    case ControlKind::Label:
      return {.windowClass = WC_STATICW, .style = kChild | WS_GROUP | SS_LEFTNOWORDWRAP | SS_NOPREFIX, .exStyle = 0};
    case ControlKind::LevelBox:
      return {.windowClass = WC_COMBOBOXW,
              .style = kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
              .exStyle = 0};
    case ControlKind::OptionButton:
      return {.windowClass = WC_BUTTONW, .style = kChild | BS_AUTORADIOBUTTON, .exStyle = 0};
    case ControlKind::CommandButton:
      return {.windowClass = WC_BUTTONW, .style = kChild | WS_TABSTOP | BS_PUSHBUTTON, .exStyle = 0};
    // Read-only: the line stays selectable and copyable but no stray key
    // can damage it.
    case ControlKind::TextBox:
      return {.windowClass = WC_EDITW,
              .style = kChild | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL | ES_READONLY,
              .exStyle = WS_EX_CLIENTEDGE};
  }
  return {.windowClass = WC_STATICW, .style = kChild, .exStyle = 0};
}

}  // namespace

HRESULT CreateControl(HINSTANCE instance, HWND parent, const ControlSpec& entry, int id, UINT dpi, HFONT font,
                      bool joinsGroup, HWND& control) {
  WindowKind kind = WindowKindOf(entry.kind);
  if (TakesFocus(entry.kind) && !joinsGroup) kind.style |= WS_GROUP;
  if (entry.start == StartState::Disabled) kind.style |= WS_DISABLED;
  if (entry.text != LabelText::OneLine) {
    kind.style =
        (kind.style & ~static_cast<DWORD>(SS_TYPEMASK)) | (entry.text == LabelText::Wraps ? SS_LEFT : SS_CENTER);
  }
  // Tab stops at the selected option button only; the window moves the stop
  // along with the selection.
  if (entry.kind == ControlKind::OptionButton && entry.start == StartState::Selected) kind.style |= WS_TABSTOP;

  const RECT rect = shell::ToPixels(entry.rect, dpi);
  const bool levelBox = entry.kind == ControlKind::LevelBox;
  const std::wstring caption(levelBox ? std::wstring_view{} : entry.caption);
  control = CreateWindowExW(kind.exStyle, kind.windowClass, caption.c_str(), kind.style, rect.left, rect.top,
                            rect.right - rect.left, rect.bottom - rect.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  RETURN_LAST_ERROR_IF(!control);
  // Before the items: a combo box measures them in its font.
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (levelBox) {
    RETURN_IF_FAILED(level_box::AddItems(control));
    RETURN_IF_FAILED(level_box::ShowText(control, entry.caption));
    RETURN_IF_FAILED(level_box::Place(control, rect, dpi));
  }
  if (entry.kind == ControlKind::OptionButton && entry.start == StartState::Selected)
    SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);
  return S_OK;
}

}  // namespace zenthra::ui
