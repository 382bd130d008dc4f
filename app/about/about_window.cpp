#include "about/about_window.h"

#include <windowsx.h>

#include <new>
#include <string>
#include <utility>

#include "about/about_layout.h"
#include "about/about_picture.h"
#include "about/app_identity.h"
#include "about/sys_info.h"
#include "force/decimal_text.h"
#include "ui/dpi.h"
#include "ui/program_windows.h"
#include "ui/window_placement.h"

namespace zenthra::about {
namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

constexpr OLE_COLOR kButtonText = 0x80000012;
constexpr OLE_COLOR kButtonFace = 0x8000000F;

bool RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = kAboutWindowClass;
  return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The program file's icon is the first icon group of the module; the
// dialog shows the same one, whatever number the program gave it.
BOOL CALLBACK TakeFirstIcon(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
  *reinterpret_cast<LPCWSTR*>(found) = name;
  return FALSE;
}

void SetProgramIcon(HINSTANCE instance, HWND window) {
  LPCWSTR name = nullptr;
  EnumResourceNamesW(instance, RT_GROUP_ICON, &TakeFirstIcon, reinterpret_cast<LONG_PTR>(&name));
  if (!name || !IS_INTRESOURCE(name)) return;  // a named group is only valid inside the enumeration
  for (const auto& [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
    const int size = GetSystemMetrics(metric);
    // Shared icons belong to the system's cache; nothing to destroy.
    if (HANDLE icon = LoadImageW(instance, name, IMAGE_ICON, size, size, LR_SHARED)) {
      SendMessageW(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }
  }
}

HFONT CreateDialogFont(UINT dpi) {
  return CreateFontW(-ToPixels(kAboutLayout.fontHeight, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                     L"MS Sans Serif");
}

HRESULT CreateAmbientFont(Microsoft::WRL::ComPtr<IFontDisp>& font) {
  FONTDESC description{};
  description.cbSizeofstruct = sizeof(description);
  description.lpstrName = const_cast<LPOLESTR>(L"MS Sans Serif");
  description.cySize.int64 = 82500;  // 8.25 point
  description.sWeight = FW_NORMAL;
  description.sCharset = ANSI_CHARSET;
  return OleCreateFontIndirect(&description, IID_IFontDisp, reinterpret_cast<void**>(font.ReleaseAndGetAddressOf()));
}

// The frame whose client area has the layout's size at `dpi`, centred on
// the work area of `monitor`.
bool CentredFrame(HMONITOR monitor, UINT dpi, RECT& frame) {
  const SIZE client{ToPixels(kAboutLayout.clientWidth, dpi), ToPixels(kAboutLayout.clientHeight, dpi)};
  return ui::centredFrame(monitor, client, kWindowStyle, false, kWindowExStyle, dpi, frame);
}

}  // namespace

HWND AboutWindow::Load(HINSTANCE instance, ui::ProgramWindows& windows) {
  if (!RegisterWindowClass(instance, &WindowProc)) return nullptr;
  // The window takes the object over at WM_NCCREATE; if creation fails
  // before that, the object is still owned here.
  std::unique_ptr<AboutWindow> about(new (std::nothrow) AboutWindow(instance, windows));
  if (!about) return nullptr;
  // Created at its place for the DPI it will most likely get (the primary
  // monitor's); WM_CREATE places it again only if the guess was wrong. Saves
  // the move and resize of a window created at the default place.
  RECT frame{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
  const UINT guessedDpi = ui::dpi::forSystem();
  if (CentredFrame(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), guessedDpi, frame)) {
    about->placedAtDpi_ = guessedDpi;
    frame.right -= frame.left;  // width and height from here on
    frame.bottom -= frame.top;
  }
  HWND window = CreateWindowExW(kWindowExStyle, kAboutWindowClass, L"", kWindowStyle, frame.left, frame.top,
                                frame.right, frame.bottom, nullptr, nullptr, instance, &about);
  if (!window) return nullptr;
  FromWindow(window)->Form_Load();
  return window;
}

AboutWindow* AboutWindow::FromWindow(HWND window) {
  if (!window) return nullptr;
  std::array<wchar_t, 64> name{};
  if (!GetClassNameW(window, name.data(), static_cast<int>(name.size())) ||
      std::wstring_view(name.data()) != kAboutWindowClass) {
    return nullptr;
  }
  return reinterpret_cast<AboutWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK AboutWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  AboutWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    auto* owner = static_cast<std::unique_ptr<AboutWindow>*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self = owner->release();  // deleted at WM_NCDESTROY
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<AboutWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(window, message, wParam, lParam);

  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->windows_.remove(window);
    delete self;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT AboutWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate() ? 0 : -1;
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
      OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_DESTROY:
      // The controls go while their parent window still exists.
      for (auto& link : links_) link.reset();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

bool AboutWindow::OnCreate() {
  windows_.add(window_);
  dpi_ = ui::dpi::forWindow(window_);
  font_.reset(CreateDialogFont(dpi_));
  // Without the picture the dialog still works; the area stays empty.
  LoadPictureResource(instance_, kAboutPictureResource, picture_);
  SetProgramIcon(instance_, window_);
  if (dpi_ != placedAtDpi_) PlaceWindow();
  CreateChildren();
  CreateLinkLabels();
  return true;
}

// The client area has the layout's size; the window is centred on the
// work area of its monitor.
void AboutWindow::PlaceWindow() {
  RECT frame{};
  if (!CentredFrame(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), dpi_, frame)) return;
  SetWindowPos(window_, nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void AboutWindow::CreateChildren() {
  for (const ChildLayout& child : kAboutLayout.children) {
    const RECT rect = ToPixels(child.rect, dpi_);
    const bool label = child.kind == ControlKind::Label;
    DWORD style = WS_CHILD | WS_VISIBLE;
    if (label) {
      style |= SS_LEFT;  // wraps at word boundaries
    } else {
      style |= WS_TABSTOP | (child.kind == ControlKind::DefaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    }
    HWND control = CreateWindowExW(0, label ? L"STATIC" : L"BUTTON", child.text, style, rect.left, rect.top,
                                   rect.right - rect.left, rect.bottom - rect.top, window_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(child.id)), instance_, nullptr);
    if (control && font_) SetWindowFont(control, font_.get(), FALSE);
  }
}

// Where the control library cannot be had, each link's text stands as a
// plain label in its place.
void AboutWindow::CreateLinkLabels() {
  AmbientProperties ambient{nullptr, kButtonText, kButtonFace};
  // Released when the three are made: the controls keep the library loaded.
  Microsoft::WRL::ComPtr<IClassFactory> factory;
  const bool canHost =
      SUCCEEDED(ole_.result) && SUCCEEDED(CreateAmbientFont(ambient.font)) && SUCCEEDED(GetLinkLabelFactory(factory));
  for (std::size_t i = 0; i < kStoredLinkLabels.size(); ++i) {
    const StoredLinkLabel& stored = kStoredLinkLabels[i];
    const TwipsRect& place = kAboutLayout.linkLabels[i];
    const int id = kFirstLinkLabel + static_cast<int>(i);
    if (canHost && SUCCEEDED(HostedControl::Create(*factory.Get(), window_, stored, place, dpi_, ambient, links_[i]))) {
      if (HWND control = links_[i]->window()) SetWindowLongPtrW(control, GWLP_ID, id);
      continue;
    }
    const RECT rect = ToPixels(place, dpi_);
    HWND label = CreateWindowExW(0, L"STATIC", stored.text, WS_CHILD | WS_VISIBLE | SS_LEFT, rect.left, rect.top,
                                 rect.right - rect.left, rect.bottom - rect.top, window_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    if (label && font_) SetWindowFont(label, font_.get(), FALSE);
  }
}

// Everything sized from the layout follows the new DPI: the font, the
// controls' places and the client area; painting reads dpi_ anyway. A
// control that refuses its new place or font keeps the old one: the dialog
// stays usable, and there is nobody to report to in the middle of a move.
void AboutWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
  dpi_ = dpi;
  unique_hfont font(CreateDialogFont(dpi_));
  const auto restyle = [&](HWND control, const RECT& rect) {
    if (!control) return;
    if (font) SetWindowFont(control, font.get(), FALSE);
    SetWindowPos(control, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  };
  for (const ChildLayout& child : kAboutLayout.children) {
    restyle(GetDlgItem(window_, child.id), ToPixels(child.rect, dpi_));
  }
  for (std::size_t i = 0; i < links_.size(); ++i) {
    if (links_[i]) {
      links_[i]->SetDpi(dpi_);
    } else {  // the plain label standing in for the link
      restyle(GetDlgItem(window_, kFirstLinkLabel + static_cast<int>(i)), ToPixels(kAboutLayout.linkLabels[i], dpi_));
    }
  }
  if (font) font_ = std::move(font);  // the old font goes once no control uses it
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
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
  HDC dc = BeginPaint(window_, &paint);
  if (!dc) return;
  if (picture_) DrawStretched(*picture_.Get(), dc, ToPixels(kAboutLayout.image1, dpi_));
  // The etched rule: white first, the grey line above it drawn last.
  for (const TwipsLine& line : kAboutLayout.line1) {
    unique_hpen pen(CreatePen(PS_SOLID, ToPixels(line.width, dpi_), line.colour));
    if (!pen) continue;
    HGDIOBJ previous = SelectObject(dc, pen.get());
    MoveToEx(dc, ToPixels(line.from.x, dpi_), ToPixels(line.from.y, dpi_), nullptr);
    LineTo(dc, ToPixels(line.to.x, dpi_), ToPixels(line.to.y, dpi_));
    SelectObject(dc, previous);
  }
  EndPaint(window_, &paint);
}

// A plain window does not keep its focused control across deactivation;
// the dialog does it here, starting at cmdOK, first in tab order.
void AboutWindow::OnActivate(WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus && IsChild(window_, focus)) lastFocus_ = focus;
    return;
  }
  HWND target =
      lastFocus_ && IsWindow(lastFocus_) && IsChild(window_, lastFocus_) ? lastFocus_ : GetDlgItem(window_, kCmdOK);
  if (target) SetFocus(target);
}

void AboutWindow::Form_Load() {
  const std::wstring caption = std::wstring(L"About ") + kApplicationTitle;
  SetWindowTextW(window_, caption.c_str());
  const std::wstring version = L"Version " + DecimalText(kVersionMajor) + L"." + DecimalText(kVersionMinor) + L"." +
                               DecimalText(kVersionRevision);
  SetDlgItemTextW(window_, kLblVersion, version.c_str());
  SetDlgItemTextW(window_, kLblTitle, kApplicationTitle);
}

void AboutWindow::cmdOK_Click() { DestroyWindow(window_); }

void AboutWindow::cmdSysInfo_Click() { StartSysInfo(windows_, window_); }

}  // namespace zenthra::about
