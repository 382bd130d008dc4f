#include "about/about_window.h"

#include <windowsx.h>

#include <new>
#include <string>
#include <utility>

#include "about/about_layout.h"
#include "about/about_picture.h"
#include "about/sys_info.h"
#include "force/decimal_text.h"
#include "shell/app_identity.h"
#include "shell/dpi.h"
#include "shell/twips.h"
#include "shell/window_placement.h"

namespace zenthra::about {
namespace {

using shell::ToPixels;

constexpr OLE_COLOR kButtonText = 0x80000012;
constexpr OLE_COLOR kButtonFace = 0x8000000F;

SIZE ClientSize(UINT dpi) {
  return {ToPixels(kAboutLayout.clientWidth, dpi), ToPixels(kAboutLayout.clientHeight, dpi)};
}

HRESULT CreateAmbientFont(Microsoft::WRL::ComPtr<IFontDisp>& font) {
  FONTDESC description{};
  description.cbSizeofstruct = sizeof(description);
  description.lpstrName = const_cast<LPOLESTR>(shell::kLayoutFontFace);
  description.cySize.int64 = shell::kLayoutFontHundredthsOfPoint * 100;  // ten-thousandths of a point
  description.sWeight = FW_NORMAL;
  description.sCharset = ANSI_CHARSET;
  return OleCreateFontIndirect(&description, IID_IFontDisp, reinterpret_cast<void**>(font.ReleaseAndGetAddressOf()));
}

// Gives a child the font (when there is one) and its place.
void Restyle(HWND control, HFONT font, const RECT& rect) {
  if (!control) return;
  if (font) SetWindowFont(control, font, FALSE);
  SetWindowPos(control, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

HWND AboutWindow::Load(HINSTANCE instance, shell::ProgramWindows& windows) {
  std::unique_ptr<AboutWindow> about(new (std::nothrow) AboutWindow(instance, windows));
  if (!about) return nullptr;
  // Created at its place for the DPI it will most likely get (the primary
  // monitor's); WM_CREATE places it again only if the guess was wrong. Saves
  // the move and resize of a window created at the default place.
  shell::WindowSetup setup{GetSysColorBrush(COLOR_BTNFACE), nullptr, kAboutFrame.style, kAboutFrame.exStyle, L"", {}};
  const UINT guessedDpi = shell::dpi::ForSystem();
  RECT frame{};
  if (SUCCEEDED(shell::CentredFrame(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), ClientSize(guessedDpi),
                                    kAboutFrame, guessedDpi, frame))) {
    about->placedAtDpi_ = guessedDpi;
    setup.place = {frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top};
  }
  AboutWindow* dialog = about.get();  // borrowed: the window takes the object over
  HWND window = CreateWindowOf(std::move(about), instance, setup);
  if (!window) return nullptr;
  dialog->Form_Load();
  return window;
}

LRESULT AboutWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      // Whatever part fails, the dialog still opens without it.
      OnCreate();
      return 0;
    case WM_COMMAND:
      switch (GET_WM_COMMAND_ID(wParam, lParam)) {
        case IDOK:
        case IDCANCEL:  // OK is the cancel button as well
          cmdOK_Click();
          return 0;
        case kCmdSysInfo:
          if (GET_WM_COMMAND_CMD(wParam, lParam) == BN_CLICKED) cmdSysInfo_Click();
          return 0;
        default:
          break;
      }
      break;
    case WM_CTLCOLORSTATIC:
      return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ACTIVATE:
      OnActivate(wParam);
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(shell::dpi::ReadDpiChanged(wParam, lParam));
      return 0;
    case WM_DESTROY:
      // The controls go while their parent window still exists.
      for (auto& link : links_) link.reset();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(Window(), message, wParam, lParam);
}

// The window's last message: the window deletes this object right after.
void AboutWindow::OnNcDestroy() { windows_.Remove(Window()); }

// As a control container does, the dialog hands the keys of the hosted link
// label that has the focus to it before its own keyboard handling: Enter
// there opens the link rather than pressing OK.
bool AboutWindow::PreTranslateMessage(MSG& message) {
  if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
  for (const auto& link : links_) {
    if (link && link->Window() == message.hwnd) return link->TranslateAccelerator(message);
  }
  return false;
}

void AboutWindow::OnCreate() {
  windows_.Add(Window(), this);
  dpi_ = shell::dpi::ForWindow(Window());
  font_ = shell::CreateLayoutFont(dpi_);
  // Without the picture or the icon the dialog still works.
  LoadPictureResource(instance_, kAboutPictureResource, picture_);
  icons_.Set(instance_, Window(), dpi_);
  // The client area has the layout's size; the window is centred on the
  // work area of its monitor.
  if (dpi_ != placedAtDpi_) shell::CentreWindow(Window(), ClientSize(dpi_), kAboutFrame, dpi_);
  CreateChildren();
  CreateLinkLabels();
}

void AboutWindow::CreateChildren() {
  for (const ChildLayout& child : kAboutLayout.children) {
    if (child.kind == ControlKind::Label) {
      CreateChild(L"STATIC", child.text, SS_LEFT, child.rect, child.id);  // wraps at word boundaries
      continue;
    }
    const DWORD type = child.kind == ControlKind::DefaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    CreateChild(L"BUTTON", child.text, WS_TABSTOP | type, child.rect, child.id);
  }
}

// A missing child leaves its place empty; the dialog still opens.
void AboutWindow::CreateChild(const wchar_t* windowClass, const wchar_t* text, DWORD style, const TwipsRect& place,
                              int id) {
  const RECT rect = ToPixels(place, dpi_);
  HWND control = CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                                 rect.right - rect.left, rect.bottom - rect.top, Window(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  if (control && font_) SetWindowFont(control, font_.get(), FALSE);
}

// Where the control library cannot be had, each link's text stands as a
// plain label in its place.
void AboutWindow::CreateLinkLabels() {
  AmbientProperties ambient{nullptr, kButtonText, kButtonFace};
  // Released when the three are made: the controls keep the library loaded.
  Microsoft::WRL::ComPtr<IClassFactory> factory;
  const bool canHost =
      SUCCEEDED(ole_.Result()) && SUCCEEDED(CreateAmbientFont(ambient.font)) && SUCCEEDED(GetLinkLabelFactory(factory));
  for (std::size_t i = 0; i < kStoredLinkLabels.size(); ++i) {
    const StoredLinkLabel& stored = kStoredLinkLabels[i];
    const TwipsRect& place = kAboutLayout.linkLabels[i];
    const int id = kFirstLinkLabel + static_cast<int>(i);
    if (canHost &&
        SUCCEEDED(HostedControl::Create(*factory.Get(), Window(), stored, place, dpi_, ambient, links_[i]))) {
      if (HWND control = links_[i]->Window()) SetWindowLongPtrW(control, GWLP_ID, id);
      continue;
    }
    CreateChild(L"STATIC", stored.text, SS_LEFT, place, id);
  }
}

// Everything sized from the layout follows the new DPI: the font, the
// icons, the controls' places and the client area; painting reads dpi_
// anyway. A control that refuses its new place or font keeps the old one:
// the dialog stays usable, and there is nobody to report to in the middle
// of a move. Without a suggested frame fit for the DPI the dialog is centred
// again, as when it opened.
void AboutWindow::OnDpiChanged(const shell::dpi::DpiChange& change) {
  dpi_ = change.dpi;
  win32::UniqueHfont font = shell::CreateLayoutFont(dpi_);
  for (const ChildLayout& child : kAboutLayout.children) {
    Restyle(GetDlgItem(Window(), child.id), font.get(), ToPixels(child.rect, dpi_));
  }
  for (std::size_t i = 0; i < links_.size(); ++i) {
    if (links_[i]) {
      links_[i]->SetDpi(dpi_);
    } else {  // the plain label standing in for the link
      Restyle(GetDlgItem(Window(), kFirstLinkLabel + static_cast<int>(i)), font.get(),
              ToPixels(kAboutLayout.linkLabels[i], dpi_));
    }
  }
  if (font) font_ = std::move(font);  // the old font goes once no control uses it
  icons_.Set(instance_, Window(), dpi_);
  if (const RECT* suggested = change.suggested) {
    SetWindowPos(Window(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    shell::CentreWindow(Window(), ClientSize(dpi_), kAboutFrame, dpi_);
  }
  RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT AboutWindow::OnControlColour(HDC dc, HWND control) {
  COLORREF text = GetSysColor(COLOR_BTNTEXT);
  const int id = GetDlgCtrlID(control);
  for (const ChildLayout& child : kAboutLayout.children) {
    if (child.id == id && child.colour == TextColour::Black) text = RGB(0, 0, 0);
  }
  SetTextColor(dc, text);
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void AboutWindow::OnPaint() {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(Window(), &paint);
  if (!dc) return;
  if (picture_) DrawStretched(*picture_.Get(), dc, ToPixels(kAboutLayout.image1, dpi_));
  // The etched rule: white first, the grey line above it drawn last.
  for (const TwipsLine& line : kAboutLayout.line1) {
    const win32::UniqueHpen pen(CreatePen(PS_SOLID, ToPixels(line.width, dpi_), line.colour));
    if (!pen) continue;
    const win32::ScopedSelectObject selected(dc, pen.get());
    MoveToEx(dc, ToPixels(line.from.x, dpi_), ToPixels(line.from.y, dpi_), nullptr);
    LineTo(dc, ToPixels(line.to.x, dpi_), ToPixels(line.to.y, dpi_));
  }
  EndPaint(Window(), &paint);
}

// A plain window does not keep its focused control across deactivation;
// the dialog does it here, starting at cmdOK, first in tab order.
void AboutWindow::OnActivate(WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus && IsChild(Window(), focus)) lastFocus_ = focus;
    return;
  }
  HWND target =
      lastFocus_ && IsWindow(lastFocus_) && IsChild(Window(), lastFocus_) ? lastFocus_ : GetDlgItem(Window(), kCmdOK);
  if (target) SetFocus(target);
}

void AboutWindow::Form_Load() {
  const std::wstring caption = std::wstring(L"About ") + shell::kAppTitle;
  SetWindowTextW(Window(), caption.c_str());
  const std::wstring version = L"Version " + DecimalText(shell::kVersionMajor) + L"." +
                               DecimalText(shell::kVersionMinor) + L"." + DecimalText(shell::kVersionRevision);
  SetDlgItemTextW(Window(), kLblVersion, version.c_str());
  SetDlgItemTextW(Window(), kLblTitle, shell::kAppTitle);
}

void AboutWindow::cmdOK_Click() { DestroyWindow(Window()); }

void AboutWindow::cmdSysInfo_Click() { StartSysInfo(windows_, Window()); }

}  // namespace zenthra::about
