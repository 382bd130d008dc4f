#include "about/about_frame.h"

#include <windowsx.h>

#include <string>

#include "about/about_layout.h"
#include "about/about_picture.h"
#include "text/decimal_text.h"
#include "shell/app_identity.h"
#include "shell/dpi.h"
#include "shell/window_placement.h"
#include "win32/unique_handle.h"
#include "win32/failure_report.h"

namespace zenthra::about {

using shell::ToPixels;

SIZE AboutClientSize(UINT dpi) {
  return {ToPixels(kAboutLayout.clientWidth, dpi), ToPixels(kAboutLayout.clientHeight, dpi)};
}

AboutWindowStart AboutWindowSetup() {
  AboutWindowStart start{.setup = {.background = GetSysColorBrush(COLOR_BTNFACE),
                                   .menu = nullptr,
                                   .style = kAboutFrame.style,
                                   .exStyle = kAboutFrame.exStyle,
                                   .caption = L"",
                                   .place = {}},
                         .placedAtDpi = 0};
  const UINT guessedDpi = shell::dpi::ForSystem();
  RECT frame{};
  if (SUCCEEDED(shell::CentredFrame(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY),
                                    AboutClientSize(guessedDpi), kAboutFrame, guessedDpi, frame))) {
    start.placedAtDpi = guessedDpi;
    start.setup.place = {frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top};
  }
  return start;
}

void CreateAboutChild(HWND dialog, HFONT font, UINT dpi, const wchar_t* windowClass, const wchar_t* text, DWORD style,
                      const shell::TwipsRect& place, int id) {
  const RECT rect = ToPixels(place, dpi);
  HWND control =
      CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top, rect.right - rect.left,
                      rect.bottom - rect.top, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE)), nullptr);
  if (control && font) SetWindowFont(control, font, FALSE);
}

void CreateAboutChildren(HWND dialog, HFONT font, UINT dpi) {
  for (const ChildLayout& child : kAboutLayout.children) {
    if (child.kind == ChildKind::Label) {
      // Wraps at word boundaries.
      CreateAboutChild(dialog, font, dpi, L"STATIC", child.text, SS_LEFT, child.rect, child.id);
      continue;
    }
    const DWORD type = child.kind == ChildKind::DefaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    CreateAboutChild(dialog, font, dpi, L"BUTTON", child.text, WS_TABSTOP | type, child.rect, child.id);
  }
}

void RestyleAboutChild(HWND child, HFONT font, UINT dpi, const shell::TwipsRect& place) {
  if (!child) return;
  if (font) SetWindowFont(child, font, FALSE);
  const RECT rect = ToPixels(place, dpi);
  SetWindowPos(child, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void RestyleAboutChildren(HWND dialog, HFONT font, UINT dpi) {
  for (const ChildLayout& child : kAboutLayout.children)
    RestyleAboutChild(GetDlgItem(dialog, child.id), font, dpi, child.rect);
}

void SetAboutTexts(HWND dialog) {
  const std::wstring caption = std::wstring(L"About ") + shell::kAppTitle;
  SetWindowTextW(dialog, caption.c_str());
  const std::wstring version = L"Version " + common::DecimalText(shell::kVersionMajor) + L"." +
                               common::DecimalText(shell::kVersionMinor) + L"." +
                               common::DecimalText(shell::kVersionRevision);
  SetDlgItemTextW(dialog, kLblVersion, version.c_str());
  SetDlgItemTextW(dialog, kLblTitle, shell::kAppTitle);
}

LRESULT ColourAboutLabel(HDC dc, HWND label) {
  COLORREF text = GetSysColor(COLOR_BTNTEXT);
  const int id = GetDlgCtrlID(label);
  for (const ChildLayout& child : kAboutLayout.children)
    if (child.id == id && child.colour == TextColour::Black) text = RGB(0, 0, 0);
  SetTextColor(dc, text);
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void PaintAboutFrame(HDC dc, IPicture* picture, UINT dpi) {
  // A picture that cannot be drawn leaves its place empty; the next paint tries again.
  if (picture) LOG_IF_FAILED(DrawStretched(*picture, dc, ToPixels(kAboutLayout.image1, dpi)));
  // The etched rule: white first, the grey line above it drawn last.
  for (const TwipsLine& line : kAboutLayout.line1) {
    const win32::UniqueHpen pen(CreatePen(PS_SOLID, ToPixels(line.width, dpi), line.colour));
    if (!pen) continue;
    const win32::ScopedSelectObject selected(dc, pen.get());
    MoveToEx(dc, ToPixels(line.from.x, dpi), ToPixels(line.from.y, dpi), nullptr);
    LineTo(dc, ToPixels(line.to.x, dpi), ToPixels(line.to.y, dpi));
  }
}

}  // namespace zenthra::about
