#include "about/about_window.h"

#include <windowsx.h>

#include <new>
#include <string>
#include <utility>

#include "about/about_frame.h"
#include "about/about_layout.h"
#include "about/about_picture.h"
#include "about/sys_info.h"
#include "shell/dpi.h"
#include "shell/twips.h"
#include "shell/window_placement.h"
#include "win32/failure_report.h"

namespace zenthra::about {
namespace {

constexpr OLE_COLOR kButtonText = 0x80000012;
constexpr OLE_COLOR kButtonFace = 0x8000000F;

HRESULT CreateAmbientFont(Microsoft::WRL::ComPtr<IFontDisp>& font) {
  FONTDESC description = win32::DesignFontDescription();
  return OleCreateFontIndirect(&description, IID_IFontDisp, reinterpret_cast<void**>(font.ReleaseAndGetAddressOf()));
}

}  // namespace

HWND AboutWindow::Load(HINSTANCE instance, shell::ProgramWindows& windows) {
  std::unique_ptr<AboutWindow> about(new (std::nothrow) AboutWindow(instance, windows));
  if (!about) return nullptr;
  const AboutWindowStart start = AboutWindowSetup();
  about->placedAtDpi_ = start.placedAtDpi;
  AboutWindow* dialog = about.get();  // borrowed: the window takes the object over
  HWND window = CreateWindowOf(std::move(about), instance, start.setup);
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
      return ColourAboutLabel(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ACTIVATE:
      focus_.OnActivate(Window(), wParam, GetDlgItem(Window(), kCmdOK));
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
  for (const auto& link : links_)
    if (link && link->Window() == message.hwnd) return link->TranslateAccelerator(message);
  return false;
}

void AboutWindow::OnCreate() {
  windows_.Add(Window(), this);
  dpi_ = shell::dpi::ForWindow(Window());
  font_ = shell::CreateLayoutFont(dpi_);
  // Without the picture or the icon the dialog still works.
  LOG_IF_FAILED(LoadPictureResource(instance_, kAboutPictureResource, picture_));
  LOG_IF_FAILED(icons_.Set(instance_, Window(), dpi_));
  // The client area has the layout's size; the window is centred on the
  // work area of its monitor.
  if (dpi_ != placedAtDpi_) LOG_IF_FAILED(shell::CentreWindow(Window(), AboutClientSize(dpi_), kAboutFrame, dpi_));
  CreateAboutChildren(Window(), font_.get(), dpi_);
  CreateLinkLabels();
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
    CreateAboutChild(Window(), font_.get(), dpi_, L"STATIC", stored.text, SS_LEFT, place, id);
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
  RestyleAboutChildren(Window(), font.get(), dpi_);
  for (std::size_t i = 0; i < links_.size(); ++i) {
    if (links_[i]) {
      links_[i]->SetDpi(dpi_);
    } else {  // the plain label standing in for the link
      RestyleAboutChild(GetDlgItem(Window(), kFirstLinkLabel + static_cast<int>(i)), font.get(), dpi_,
                        kAboutLayout.linkLabels[i]);
    }
  }
  if (font) font_ = std::move(font);  // the old font goes once no control uses it
  LOG_IF_FAILED(icons_.Set(instance_, Window(), dpi_));
  LOG_IF_FAILED(shell::FollowDpiChange(Window(), change, AboutClientSize(dpi_), kAboutFrame));
  RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void AboutWindow::OnPaint() {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(Window(), &paint);
  if (!dc) return;
  PaintAboutFrame(dc, picture_.Get(), dpi_);
  EndPaint(Window(), &paint);
}

// A plain window does not keep its focused control across deactivation;
// the dialog does it here, starting at cmdOK, first in tab order.

void AboutWindow::Form_Load() { SetAboutTexts(Window()); }

void AboutWindow::cmdOK_Click() { DestroyWindow(Window()); }

void AboutWindow::cmdSysInfo_Click() { StartSysInfo(windows_, Window()); }

}  // namespace zenthra::about
