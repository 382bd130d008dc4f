#include "syslink_about.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>
#include <wrl/client.h>

#include <memory>
#include <new>
#include <string>
#include <utility>

#include "about/about_layout.h"
#include "about/about_picture.h"
#include "about/stored_link_labels.h"
#include "about/sys_info.h"
#include "force/decimal_text.h"
#include "shell/app_identity.h"
#include "shell/dpi.h"
#include "shell/dpi_resources.h"
#include "shell/twips.h"
#include "shell/window_base.h"
#include "shell/window_placement.h"

namespace zenthra::bench {
namespace {

using about::kAboutFrame;
using about::kAboutLayout;
using shell::ToPixels;

SIZE ClientSize(UINT dpi) {
  return {ToPixels(kAboutLayout.clientWidth, dpi), ToPixels(kAboutLayout.clientHeight, dpi)};
}

// Gives a child the font (when there is one) and its place.
void Restyle(HWND control, HFONT font, const RECT& rect) {
  if (!control) return;
  if (font) SetWindowFont(control, font, FALSE);
  SetWindowPos(control, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

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
    shell::WindowSetup setup{GetSysColorBrush(COLOR_BTNFACE), nullptr, kAboutFrame.style, kAboutFrame.exStyle, L"", {}};
    const UINT guessedDpi = shell::dpi::ForSystem();
    RECT frame{};
    if (SUCCEEDED(shell::CentredFrame(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), ClientSize(guessedDpi),
                                      kAboutFrame, guessedDpi, frame))) {
      about->placedAtDpi_ = guessedDpi;
      setup.place = {frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top};
    }
    SysLinkAbout* dialog = about.get();  // borrowed: the window takes the object over
    HWND window = CreateWindowOf(std::move(about), instance, setup);
    if (window) dialog->SetLoadTexts();
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
    about::LoadPictureResource(instance_, about::kAboutPictureResource, picture_);
    icons_.Set(instance_, Window(), dpi_);
    if (dpi_ != placedAtDpi_) shell::CentreWindow(Window(), ClientSize(dpi_), kAboutFrame, dpi_);
    for (const about::ChildLayout& child : kAboutLayout.children) {
      if (child.kind == about::ControlKind::Label) {
        CreateChild(L"STATIC", child.text, SS_LEFT, child.rect, child.id);
        continue;
      }
      const DWORD type = child.kind == about::ControlKind::DefaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
      CreateChild(L"BUTTON", child.text, WS_TABSTOP | type, child.rect, child.id);
    }
    // The links in the link labels' tab order, places and ids.
    for (std::size_t i = 0; i < about::kStoredLinkLabels.size(); ++i) {
      const about::StoredLinkLabel& stored = about::kStoredLinkLabels[i];
      const std::wstring markup = std::wstring(L"<a href=\"") + stored.link + L"\">" + stored.text + L"</a>";
      CreateChild(WC_LINK, markup.c_str(), WS_TABSTOP, kAboutLayout.linkLabels[i],
                  about::kFirstLinkLabel + static_cast<int>(i));
    }
  }

  // A missing child leaves its place empty; the dialog still opens.
  void CreateChild(const wchar_t* windowClass, const wchar_t* text, DWORD style, const shell::TwipsRect& place,
                   int id) {
    const RECT rect = ToPixels(place, dpi_);
    HWND control = CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                                   rect.right - rect.left, rect.bottom - rect.top, Window(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    if (control && font_) SetWindowFont(control, font_.get(), FALSE);
  }

  // The texts the dialog's Form_Load sets.
  void SetLoadTexts() {
    const std::wstring caption = std::wstring(L"About ") + shell::kAppTitle;
    SetWindowTextW(Window(), caption.c_str());
    const std::wstring version = L"Version " + DecimalText(shell::kVersionMajor) + L"." +
                                 DecimalText(shell::kVersionMinor) + L"." + DecimalText(shell::kVersionRevision);
    SetDlgItemTextW(Window(), about::kLblVersion, version.c_str());
    SetDlgItemTextW(Window(), about::kLblTitle, shell::kAppTitle);
  }

  // As with the link label, a link that does not open shows nothing.
  void OnNotify(const NMHDR& header) {
    if (header.code != NM_CLICK && header.code != NM_RETURN) return;
    if (header.idFrom < static_cast<UINT_PTR>(about::kFirstLinkLabel) ||
        header.idFrom >= static_cast<UINT_PTR>(about::kFirstLinkLabel) + about::kStoredLinkLabels.size()) {
      return;
    }
    const auto& link = reinterpret_cast<const NMLINK&>(header);
    ShellExecuteW(Window(), L"open", link.item.szUrl, nullptr, nullptr, SW_SHOWNORMAL);
  }

  LRESULT OnControlColour(HDC dc, HWND control) {
    COLORREF text = GetSysColor(COLOR_BTNTEXT);
    const int id = GetDlgCtrlID(control);
    for (const about::ChildLayout& child : kAboutLayout.children) {
      if (child.id == id && child.colour == about::TextColour::Black) text = RGB(0, 0, 0);
    }
    SetTextColor(dc, text);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  }

  void OnPaint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(Window(), &paint);
    if (!dc) return;
    if (picture_) about::DrawStretched(*picture_.Get(), dc, ToPixels(kAboutLayout.image1, dpi_));
    for (const about::TwipsLine& line : kAboutLayout.line1) {
      const win32::UniqueHpen pen(CreatePen(PS_SOLID, ToPixels(line.width, dpi_), line.colour));
      if (!pen) continue;
      const win32::ScopedSelectObject selected(dc, pen.get());
      MoveToEx(dc, ToPixels(line.from.x, dpi_), ToPixels(line.from.y, dpi_), nullptr);
      LineTo(dc, ToPixels(line.to.x, dpi_), ToPixels(line.to.y, dpi_));
    }
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

  void OnDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    win32::UniqueHfont font = shell::CreateLayoutFont(dpi_);
    for (const about::ChildLayout& child : kAboutLayout.children) {
      Restyle(GetDlgItem(Window(), child.id), font.get(), ToPixels(child.rect, dpi_));
    }
    for (std::size_t i = 0; i < about::kStoredLinkLabels.size(); ++i) {
      Restyle(GetDlgItem(Window(), about::kFirstLinkLabel + static_cast<int>(i)), font.get(),
              ToPixels(kAboutLayout.linkLabels[i], dpi_));
    }
    if (font) font_ = std::move(font);  // the old font goes once no control uses it
    icons_.Set(instance_, Window(), dpi_);
    SetWindowPos(Window(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
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
