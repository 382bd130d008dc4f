#include "syslink_about.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>
#include <wrl/client.h>

#include <memory>
#include <new>
#include <string>
#include <utility>

#include "about/about_frame.h"
#include "about/about_layout.h"
#include "about/about_picture.h"
#include "about/stored_link_labels.h"
#include "about/sys_info.h"
#include "shell/dpi.h"
#include "shell/dpi_resources.h"
#include "shell/twips.h"
#include "shell/window_base.h"
#include "shell/window_placement.h"

namespace zenthra::bench {
namespace {

using about::kAboutFrame;
using about::kAboutLayout;

// The window handles what the dialog handles, in the same way, apart from
// the links: OK, Enter and Esc close it, System Info starts the viewer, the
// focus comes back to the control that had it, it follows a change of DPI,
// and a link's click or Enter opens its address through the shell.
class SysLinkAbout final : public shell::WindowBase<SysLinkAbout, shell::Owner::Window> {
 public:
  static constexpr const wchar_t* kClassName = L"ZenthraFloorAbout";

  // Created at its centred place for the primary monitor's DPI, as the
  // dialog is; not shown yet. nullptr on failure.
  static HWND Load(HINSTANCE instance, shell::ProgramWindows& windows) {
    std::unique_ptr<SysLinkAbout> about(new (std::nothrow) SysLinkAbout(instance, windows));
    if (!about) return nullptr;
    const about::AboutWindowStart start = about::AboutWindowSetup();
    about->placedAtDpi_ = start.placedAtDpi;
    HWND window = CreateWindowOf(std::move(about), instance, start.setup);
    if (window) about::SetAboutTexts(window);
    return window;
  }

 private:
  friend WindowBase;
  SysLinkAbout(HINSTANCE instance, shell::ProgramWindows& windows) : instance_(instance), windows_(windows) {}

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_CREATE:
        OnCreate();
        return 0;
      case WM_COMMAND:
        switch (GET_WM_COMMAND_ID(wParam, lParam)) {
          case IDOK:
          case IDCANCEL:
            DestroyWindow(Window());
            return 0;
          case about::kCmdSysInfo:
            if (GET_WM_COMMAND_CMD(wParam, lParam) == BN_CLICKED) about::StartSysInfo(windows_, Window());
            return 0;
          default:
            break;
        }
        break;
      case WM_NOTIFY:
        OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        return 0;
      case WM_CTLCOLORSTATIC:
        return about::ColourAboutLabel(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
      case WM_PAINT:
        OnPaint();
        return 0;
      case WM_ACTIVATE:
        OnActivate(wParam);
        return 0;
      case WM_DPICHANGED:
        OnDpiChanged(shell::dpi::ReadDpiChanged(wParam, lParam));
        return 0;
      default:
        break;
    }
    return DefWindowProcW(Window(), message, wParam, lParam);
  }

  void OnNcDestroy() { windows_.Remove(Window()); }

  void OnCreate() {
    windows_.Add(Window());
    dpi_ = shell::dpi::ForWindow(Window());
    font_ = shell::CreateLayoutFont(dpi_);
    // Without the picture or the icon the dialog still works.
    static_cast<void>(about::LoadPictureResource(instance_, about::kAboutPictureResource, picture_));
    static_cast<void>(icons_.Set(instance_, Window(), dpi_));
    if (dpi_ != placedAtDpi_)
      static_cast<void>(shell::CentreWindow(Window(), about::AboutClientSize(dpi_), kAboutFrame, dpi_));
    about::CreateAboutChildren(Window(), font_.get(), dpi_);
    // The links in the link labels' tab order, places and ids.
    for (std::size_t i = 0; i < about::kStoredLinkLabels.size(); ++i) {
      const about::StoredLinkLabel& stored = about::kStoredLinkLabels[i];
      const std::wstring markup = std::wstring(L"<a href=\"") + stored.link + L"\">" + stored.text + L"</a>";
      about::CreateAboutChild(Window(), font_.get(), dpi_, WC_LINK, markup.c_str(), WS_TABSTOP,
                              kAboutLayout.linkLabels[i], about::kFirstLinkLabel + static_cast<int>(i));
    }
  }

  // As with the link label, a link that does not open shows nothing.
  void OnNotify(const NMHDR& header) {
    if (header.code != NM_CLICK && header.code != NM_RETURN) return;
    if (header.idFrom < static_cast<UINT_PTR>(about::kFirstLinkLabel) ||
        header.idFrom >= static_cast<UINT_PTR>(about::kFirstLinkLabel) + about::kStoredLinkLabels.size())
      return;
    const auto& link = reinterpret_cast<const NMLINK&>(header);
    ShellExecuteW(Window(), L"open", link.item.szUrl, nullptr, nullptr, SW_SHOWNORMAL);
  }

  void OnPaint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(Window(), &paint);
    if (!dc) return;
    about::PaintAboutFrame(dc, picture_.Get(), dpi_);
    EndPaint(Window(), &paint);
  }

  void OnActivate(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
      HWND focus = GetFocus();
      if (focus && IsChild(Window(), focus)) lastFocus_ = focus;
      return;
    }
    HWND target =
        lastFocus_ && IsWindow(lastFocus_) && IsChild(Window(), lastFocus_) ? lastFocus_ : GetDlgItem(Window(), IDOK);
    if (target) SetFocus(target);
  }

  void OnDpiChanged(const shell::dpi::DpiChange& change) {
    dpi_ = change.dpi;
    win32::UniqueHfont font = shell::CreateLayoutFont(dpi_);
    about::RestyleAboutChildren(Window(), font.get(), dpi_);
    for (std::size_t i = 0; i < about::kStoredLinkLabels.size(); ++i) {
      about::RestyleAboutChild(GetDlgItem(Window(), about::kFirstLinkLabel + static_cast<int>(i)), font.get(), dpi_,
                               kAboutLayout.linkLabels[i]);
    }
    if (font) font_ = std::move(font);  // the old font goes once no control uses it
    static_cast<void>(icons_.Set(instance_, Window(), dpi_));
    static_cast<void>(shell::FollowDpiChange(Window(), change, about::AboutClientSize(dpi_), kAboutFrame));
    RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }

  HINSTANCE instance_;
  shell::ProgramWindows& windows_;
  HWND lastFocus_ = nullptr;  // borrowed child
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  UINT placedAtDpi_ = 0;  // the DPI the window was created placed for; 0: not placed
  win32::UniqueHfont font_;
  shell::WindowIcons icons_;
  Microsoft::WRL::ComPtr<IPicture> picture_;
};

}  // namespace

void OpenSysLinkAbout(HINSTANCE instance, shell::ProgramWindows& windows) {
  HWND window = windows.Find(SysLinkAbout::kClassName);
  if (!window) {
    // SysLink is not among the standard classes that the main window needs.
    INITCOMMONCONTROLSEX links{sizeof(links), ICC_LINK_CLASS};
    if (!InitCommonControlsEx(&links)) return;
    window = SysLinkAbout::Load(instance, windows);
    if (!window) return;
    ShowWindow(window, SW_SHOWNORMAL);  // returns the earlier visibility, not an error
  } else if (IsIconic(window)) {
    ShowWindow(window, SW_RESTORE);
  }
  SetForegroundWindow(window);
  BringWindowToTop(window);
}

}  // namespace zenthra::bench
