#include "caption_fit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>

#include "win32/unique_handle.h"

namespace zenthra::test {
namespace {

constexpr std::uint32_t kWhite = 0x00FFFFFF;

std::string Narrow(std::wstring_view text) { return std::string(text.begin(), text.end()); }

// The text a control shows for `caption`: an access key's & is not drawn.
std::wstring WithoutPrefix(std::wstring_view caption) {
  std::wstring shown;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
    shown += caption[i];
  }
  return shown;
}

// The columns from the left edge to the last one that `text` inks.
int InkedWidth(HDC dc, std::wstring_view text, SIZE advance) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = advance.cx + 8;
  info.bmiHeader.biHeight = -advance.cy;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const win32::UniqueHbitmap canvas(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!canvas) return -1;
  auto* pixels = static_cast<std::uint32_t*>(bits);
  const int width = info.bmiHeader.biWidth;
  std::fill_n(pixels, static_cast<std::size_t>(width) * advance.cy, kWhite);
  const win32::ScopedSelectObject selected(dc, canvas.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  TextOutW(dc, 0, 0, text.data(), static_cast<int>(text.size()));
  GdiFlush();
  int inked = 0;
  for (int y = 0; y < advance.cy; ++y) {
    for (int x = inked; x < width; ++x) {
      if ((pixels[y * width + x] & kWhite) != kWhite) inked = x + 1;
    }
  }
  return inked;
}

void Note(int spare, std::wstring_view text, int& narrowest, std::wstring& caption) {
  if (spare >= narrowest) return;
  narrowest = spare;
  caption = text;
}

void ExpectWrappedFits(HFONT font, std::wstring_view text, SIZE room, UINT format, CaptionMargins& margins) {
  const win32::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  ASSERT_TRUE(dc);
  const win32::ScopedSelectObject selected(dc.get(), font);
  RECT needed{0, 0, room.cx, 0};
  ASSERT_NE(DrawTextW(dc.get(), text.data(), static_cast<int>(text.size()), &needed, format | DT_CALCRECT), 0);
  EXPECT_LE(needed.right, room.cx) << "a word of \"" << Narrow(text) << "\" is wider than its label";
  EXPECT_LE(needed.bottom, room.cy) << "\"" << Narrow(text) << "\" needs " << needed.bottom << " px of " << room.cy;
  Note(room.cy - needed.bottom, text, margins.wrapped, margins.wrappedCaption);
}

// The pixels before the text of a check box or option button: the check
// glyph that Windows and Wine draw, then half the width of a digit.
int CheckGlyphAndGap(HWND button, HFONT font) {
  const win32::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  const win32::ScopedSelectObject selected(dc.get(), font);
  INT digit = 0;
  GetCharWidth32W(dc.get(), L'0', L'0', &digit);
  return 12 * static_cast<int>(GetDpiForWindow(button)) / 96 + 1 + digit / 2;
}

void ExpectChildCaptionFits(HWND child, CaptionMargins& margins) {
  std::array<wchar_t, 64> windowClass{};
  GetClassNameW(child, windowClass.data(), static_cast<int>(windowClass.size()));
  const std::wstring_view kind(windowClass.data());
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(child)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(child, text.data(), static_cast<int>(text.size()))));
  const auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
  RECT client{};
  GetClientRect(child, &client);
  if (text.empty() || font == nullptr) return;

  if (_wcsicmp(kind.data(), L"Static") == 0) {
    const UINT prefix = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
    if ((style & SS_TYPEMASK) == SS_LEFTNOWORDWRAP) {
      ExpectLineFits(font, prefix ? text : WithoutPrefix(text), client.right, margins);
    } else {
      ExpectWrappedFits(font, text, {client.right, client.bottom}, DT_WORDBREAK | DT_EXPANDTABS | prefix, margins);
    }
    return;
  }
  if (_wcsicmp(kind.data(), L"Button") != 0) return;
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON: {
      const int edge = GetSystemMetricsForDpi(SM_CXEDGE, GetDpiForWindow(child));
      ExpectLineFits(font, WithoutPrefix(text), client.right - 2 * edge, margins);
      return;
    }
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
      ExpectLineFits(font, WithoutPrefix(text), client.right - CheckGlyphAndGap(child, font), margins);
      return;
    default:
      return;
  }
}

}  // namespace

void ExpectLineFits(HFONT font, std::wstring_view text, int room, CaptionMargins& margins) {
  const win32::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  ASSERT_TRUE(dc);
  const win32::ScopedSelectObject selected(dc.get(), font);
  SIZE advance{};
  ASSERT_TRUE(GetTextExtentPoint32W(dc.get(), text.data(), static_cast<int>(text.size()), &advance));
  Note(room - advance.cx, text, margins.oneLine, margins.oneLineCaption);
  if (advance.cx <= room) return;
  const int inked = InkedWidth(dc.get(), text, advance);
  EXPECT_LE(inked, room) << "\"" << Narrow(text) << "\" needs " << advance.cx << " px (inked " << inked << ") of "
                         << room;
}

void ExpectChildCaptionsFit(HWND window, CaptionMargins& margins) {
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    ExpectChildCaptionFits(child, margins);
  }
}

}  // namespace zenthra::test
