// A reproduction, with nothing but the Windows API, of a heap leak in
// Wine's Common Controls 6 static control: a static that is given a font
// (WM_SETFONT) keeps it in a 24-byte block of the process heap, which it
// frees at WM_NCDESTROY only when it is an icon static (SS_ICON). So every
// text static that ever had a font leaves those 24 bytes behind when it
// goes. The same static without a font, user32's own static with one, and
// the Common Controls 6 button with one leave nothing.
//
// Prints one line per case:
//   data static_font <case> bytes_per_cycle=<b> blocks_per_cycle=<n>

#include <windows.h>

#include <commctrl.h>

#include <cstdio>

#include "heap_usage.h"

namespace {

constexpr int kRounds = 200;
constexpr int kWarmups = 20;
// The manifest that asks for Common Controls 6, not applied to the process
// (that would be resource 1): activated only around the cases that use it.
constexpr WORD kCommonControls6Manifest = 2;

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

// One child of `parent`, given `font` unless it is null, and destroyed.
void CreateAndDestroy(HWND parent, const wchar_t* windowClass, DWORD style, HFONT font) {
  HWND child = CreateWindowExW(0, windowClass, L"Label", WS_CHILD | WS_VISIBLE | style, 0, 0, 100, 20, parent, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  if (!child) return;
  if (font) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  DestroyWindow(child);
}

void Report(const char* name, HWND parent, const wchar_t* windowClass, DWORD style, HFONT font) {
  const auto growth =
      zenthra::bench::MeasureHeapGrowth([&] { CreateAndDestroy(parent, windowClass, style, font); }, kRounds, kWarmups);
  std::printf("data static_font %s bytes_per_cycle=%.1f blocks_per_cycle=%.2f\n", name, growth.bytesPerCycle,
              growth.blocksPerCycle);
}

}  // namespace

int wmain() {
  WNDCLASSW parentClass{};
  parentClass.lpfnWndProc = &ParentProc;
  parentClass.hInstance = GetModuleHandleW(nullptr);
  parentClass.lpszClassName = L"StaticFontHeapParent";
  if (!RegisterClassW(&parentClass)) return 1;
  HWND parent = CreateWindowExW(0, parentClass.lpszClassName, L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                parentClass.hInstance, nullptr);
  if (!parent) return 1;
  auto font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));  // a stock object: never freed

  Report("user32_static_with_font", parent, L"Static", SS_LEFT, font);

  ACTCTXW context{};
  context.cbSize = sizeof(context);
  context.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
  context.hModule = GetModuleHandleW(nullptr);
  context.lpResourceName = MAKEINTRESOURCEW(kCommonControls6Manifest);
  HANDLE commonControls6 = CreateActCtxW(&context);
  ULONG_PTR cookie = 0;
  if (commonControls6 == INVALID_HANDLE_VALUE || !ActivateActCtx(commonControls6, &cookie)) return 1;
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_STANDARD_CLASSES};
  if (!InitCommonControlsEx(&classes)) return 1;
  Report("comctl6_static_with_font", parent, L"Static", SS_LEFT, font);
  Report("comctl6_static_without_font", parent, L"Static", SS_LEFT, nullptr);
  Report("comctl6_icon_static_with_font", parent, L"Static", SS_ICON, font);
  Report("comctl6_button_with_font", parent, L"Button", BS_PUSHBUTTON, font);
  DeactivateActCtx(0, cookie);
  ReleaseActCtx(commonControls6);
  DestroyWindow(parent);
  return 0;
}
