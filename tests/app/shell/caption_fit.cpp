#include "caption_fit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <span>
#include <tuple>
#include <utility>

#include "layout_expectations.h"
#include "window_driver.h"
#include "win32/unique_handle.h"

namespace zenthra::test {
namespace {

// The rectangle that `text` takes in `dc`'s font, drawn with `format` from
// the left edge within `width` pixels.
RECT Needed(HDC dc, std::wstring_view text, UINT format, int width) {
  RECT needed{0, 0, width, 0};
  DrawTextW(dc, text.data(), static_cast<int>(text.size()), &needed, format | DT_CALCRECT);
  return needed;
}

// The columns from the left edge to the last one that one line of `text`
// inks: its advance may end in blank spacing.
int InkedWidth(HDC dc, std::wstring_view text, UINT format, SIZE size) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const win32::UniqueHbitmap canvas(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!canvas) return INT_MAX;
  const std::span pixels(static_cast<std::uint32_t*>(bits), static_cast<std::size_t>(size.cx) * size.cy);
  std::ranges::fill(pixels, 0xFFFFFFu);
  const win32::ScopedSelectObject selected(dc, canvas.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  RECT area{0, 0, size.cx, size.cy};
  DrawTextW(dc, text.data(), static_cast<int>(text.size()), &area, format);
  GdiFlush();
  int inked = 0;
  for (std::size_t i = 0; i < pixels.size(); ++i)
    if ((pixels[i] & 0xFFFFFFu) != 0xFFFFFFu) inked = std::max(inked, static_cast<int>(i % size.cx) + 1);
  return inked;
}

void Note(int spare, std::wstring_view text, int& narrowest, std::wstring& caption) {
  if (spare < narrowest) std::tie(narrowest, caption) = std::pair(spare, std::wstring(text));
}

// Expects `text` to fit `room` as the control draws it with `format`.
void ExpectFits(HFONT font, std::wstring_view text, UINT format, SIZE room, CaptionMargins& margins) {
  const win32::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  const win32::ScopedSelectObject selected(dc.get(), font);
  const RECT needed = Needed(dc.get(), text, format, room.cx);
  const std::string shown(text.begin(), text.end());
  EXPECT_LE(needed.bottom, room.cy) << "\"" << shown << "\" needs " << needed.bottom << " px high of " << room.cy;
  if (format & DT_WORDBREAK) {
    Note(room.cy - needed.bottom, text, margins.wrapped, margins.wrappedCaption);
    EXPECT_LE(needed.right, room.cx) << "a word of \"" << shown << "\" is wider than its label";
    return;
  }
  Note(room.cx - needed.right, text, margins.oneLine, margins.oneLineCaption);
  if (needed.right <= room.cx) return;
  const int inked = InkedWidth(dc.get(), text, format, {needed.right, needed.bottom});
  EXPECT_LE(inked, room.cx) << "\"" << shown << "\" needs " << needed.right << " px (inked " << inked << ") of "
                            << room.cx;
}

// A control without a font of its own draws in the system font, which is no
// 8.25 point font at any DPI either.
void ExpectChildAtDesignSize(HWND child, UINT dpi, CaptionMargins* margins) {
  const std::wstring windowClass = ClassOf(child);
  const std::string named(windowClass.begin(), windowClass.end());
  const auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr) << "a " << named << " control draws in the system font";
  EXPECT_NEAR(CharHeight(child, font), MulDiv(825, static_cast<int>(dpi), 7200), 1)
      << "a " << named << " control's characters at " << dpi << " DPI";
  const bool label = _wcsicmp(windowClass.c_str(), L"Static") == 0;
  if (margins == nullptr || (!label && _wcsicmp(windowClass.c_str(), L"Button") != 0)) return;
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
  const std::wstring caption = TextOf(child);
  RECT client{};
  GetClientRect(child, &client);
  if (label) {
    const bool oneLine = (style & SS_TYPEMASK) == SS_LEFTNOWORDWRAP;
    const UINT format = ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0) | (oneLine ? DT_SINGLELINE : DT_WORDBREAK);
    ExpectFits(font, caption, format | DT_EXPANDTABS, {client.right, client.bottom}, *margins);
    return;
  }
  const DWORD type = style & BS_TYPEMASK;
  int indent = 0;
  if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
    indent = 2 * GetSystemMetricsForDpi(SM_CXEDGE, dpi);  // the 3-D edge on either side
  } else if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) {
    // The check circle that Windows and Wine draw, then half a digit.
    const win32::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    const win32::ScopedSelectObject selected(dc.get(), font);
    INT digit = 0;
    GetCharWidth32W(dc.get(), L'0', L'0', &digit);
    indent = 12 * static_cast<int>(dpi) / 96 + 1 + digit / 2;
  } else {
    return;
  }
  ExpectFits(font, caption, DT_SINGLELINE, {client.right - indent, client.bottom}, *margins);
}

}  // namespace

void ExpectChildFontsAtDesignSize(HWND window, UINT dpi, CaptionMargins* margins) {
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    ExpectChildAtDesignSize(child, dpi, margins);
}

}  // namespace zenthra::test
