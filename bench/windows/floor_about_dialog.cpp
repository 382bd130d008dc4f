// The About floor: the same-controls floor whose Help > About opens the
// About dialog's content made of stock parts: a plain window with the
// dialog's frame, client size, caption, title, version, description,
// disclaimer, OK and System Info buttons, picture, etched rule, caption
// icons and font, and three stock SysLink links at the places and with the
// texts of the dialog's link label controls. Nothing of OLE control
// hosting. Written out here from the dialog's design with the Windows API
// alone.
//
// OLE is initialised for the whole run, as in Zenthra, so that neither
// About pays for the thread's first initialisation; the picture is decoded
// as the dialog decodes it, by OleLoadPicture. A link, and System Info,
// open through the shell.

#include <windows.h>

#include <commctrl.h>
#include <ole2.h>
#include <olectl.h>
#include <shellapi.h>
#include <wrl/client.h>

#include <array>
#include <cstring>
#include <new>
#include <utility>

#include "floor_window.h"

namespace floor_bench {
namespace {

// The title and version come from the project's identity in CMake.
constexpr wchar_t kCaption[] = L"About " FLOOR_ABOUT_TITLE;
constexpr wchar_t kTitle[] = L"" FLOOR_ABOUT_TITLE;
constexpr wchar_t kVersion[] = L"Version " FLOOR_ABOUT_VERSION;

enum ControlId : int {
  kOk = IDOK,
  kSysInfo = 100,
  kDescription,
  kDisclaimer,
  kTitleLabel,
  kVersionLabel,
  kFirstLink,  // the three links follow in tab order
};

enum class ChildKind { DefaultButton, Button, Label, BlackLabel };

struct Child {
  int id;
  ChildKind kind;
  const wchar_t* text;
  TwipsRect place;
};

struct Line {
  POINT from;
  POINT to;
  int width;  // twips
  COLORREF colour;
};

struct Link {
  const wchar_t* markup;
  TwipsRect place;
};

// The dialog's design, in twips from the client area's top-left corner.
constexpr TwipsRect kPicture{0, 0, 1440, 1440};

// In creation order, which is the tab order.
constexpr std::array<Child, 6> kChildren{{
    {kOk, ChildKind::DefaultButton, L"OK", {4245, 2625, 1260, 345}},
    {kSysInfo, ChildKind::Button, L"&System Info...", {4260, 3075, 1245, 345}},
    {kDescription,
     ChildKind::BlackLabel,
     L"This program will help you generate the Force Info for the bot .qeb files in Qel. In the .qeb files, it asks "
     L"you for force settings. This program provides a nicer User Interface for deciding on the force points. You can "
     L"use this program to find the forceinfo value.",
     {1560, 960, 3885, 1170}},
    {kDisclaimer,
     ChildKind::BlackLabel,
     L"Warning: I am not responsible for any trouble you get into by using this program.",
     {255, 2625, 3870, 825}},
    {kTitleLabel, ChildKind::BlackLabel, kTitle, {1560, 120, 3885, 240}},
    {kVersionLabel, ChildKind::Label, kVersion, {1560, 600, 3885, 225}},
}};

// The etched rule: white first, the grey line above it drawn last.
constexpr std::array<Line, 2> kRule{{
    {{105, 2460}, {5654, 2460}, 30, RGB(0xFF, 0xFF, 0xFF)},
    {{90, 2445}, {5654, 2445}, 15, RGB(0x80, 0x80, 0x80)},
}};

// In tab order.
constexpr std::array<Link, 3> kLinks{{
    {L"<a href=\"http:\\\\www.example.com/~orvane/\">My Website</a>", {120, 1680, 975, 255}},
    {L"<a href=\"http:\\\\www.w3.org\">W3.org</a>", {120, 2160, 975, 255}},
    {L"<a href=\"mailto:orvane@example.com\">Contact Me</a>", {120, 1920, 975, 255}},
}};

constexpr wchar_t kAboutClass[] = L"ZenthraFloorAbout";

SIZE ClientSize(UINT dpi) { return {Pixels(kAboutClientWidth, dpi), Pixels(kAboutClientHeight, dpi)}; }

// The picture resource, decoded from a stream over a copy of it.
HRESULT LoadPicture(HINSTANCE instance, Microsoft::WRL::ComPtr<IPicture>& picture) {
  HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(FLOOR_ABOUT_PICTURE), MAKEINTRESOURCEW(10));  // RT_RCDATA
  const DWORD size = found ? SizeofResource(instance, found) : 0;
  HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;  // lives with the module
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes || size == 0) return E_FAIL;
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  void* target = copy ? GlobalLock(copy) : nullptr;
  if (!target) {
    if (copy) GlobalFree(copy);
    return E_OUTOFMEMORY;
  }
  std::memcpy(target, bytes, size);
  GlobalUnlock(copy);
  Microsoft::WRL::ComPtr<IStream> stream;
  const HRESULT created = CreateStreamOnHGlobal(copy, TRUE, stream.GetAddressOf());  // the stream frees the copy
  if (FAILED(created)) {
    GlobalFree(copy);
    return created;
  }
  return OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                        reinterpret_cast<void**>(picture.ReleaseAndGetAddressOf()));
}

// Stretched smoothly into `target`; the source rectangle runs bottom-up in
// HIMETRIC.
void DrawPicture(IPicture& picture, HDC dc, const RECT& target) {
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  if (FAILED(picture.get_Width(&width)) || FAILED(picture.get_Height(&height))) return;
  const int previousMode = SetStretchBltMode(dc, HALFTONE);
  POINT previousOrigin{};
  SetBrushOrgEx(dc, 0, 0, &previousOrigin);
  // A picture that does not draw leaves its place empty; the next paint tries again.
  static_cast<void>(picture.Render(dc, target.left, target.top, target.right - target.left, target.bottom - target.top,
                                   0, height, width, -height, nullptr));
  SetBrushOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
  if (previousMode != 0) SetStretchBltMode(dc, previousMode);
}

// A visible child at its place; one that cannot be made leaves its place
// empty, as in the dialog.
void CreateChild(HWND parent, HFONT font, UINT dpi, const wchar_t* windowClass, const wchar_t* text, DWORD style,
                 const TwipsRect& place, int id) {
  const RECT rect = Pixels(place, dpi);
  HWND child =
      CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top, rect.right - rect.left,
                      rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  if (child && font) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

// Owned by its window, deleted after its last message. OK, Enter and Esc
// close it; the focus comes back to the control that had it.
class AboutWindow {
 public:
  // Created centred on the primary monitor for the system DPI, the DPI it
  // most likely gets; not shown yet. nullptr on failure.
  static HWND Load(HINSTANCE instance, FloorProgram& program) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);        // shared system cursor
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);  // system brush, never freed
    windowClass.lpszClassName = kAboutClass;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;

    // On the process heap rather than by operator new, which would bring
    // in the C++ runtime's exception support.
    void* memory = HeapAlloc(GetProcessHeap(), 0, sizeof(AboutWindow));
    if (!memory) return nullptr;
    AboutWindow* about = new (memory) AboutWindow(instance, program);
    const UINT guessedDpi = SystemDpi();
    RECT place{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    if (CentredFrame(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), ClientSize(guessedDpi), kAboutFrame,
                     guessedDpi, place)) {
      about->placedAtDpi_ = guessedDpi;
      place.right -= place.left;
      place.bottom -= place.top;
    }
    // The window takes the object over in WM_NCCREATE, which empties the
    // slot; an object never taken over goes here.
    AboutWindow* handedOver = about;
    HWND window = CreateWindowExW(kAboutFrame.exStyle, kAboutClass, kCaption, kAboutFrame.style, place.left, place.top,
                                  place.right, place.bottom, nullptr, nullptr, instance, &handedOver);
    if (handedOver) Delete(handedOver);
    return window;
  }

 private:
  AboutWindow(HINSTANCE instance, FloorProgram& program) : instance_(instance), program_(program) {}

  static void Delete(AboutWindow* about) {
    about->~AboutWindow();
    HeapFree(GetProcessHeap(), 0, about);
  }

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* handedOver = static_cast<AboutWindow**>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      AboutWindow* self = std::exchange(*handedOver, nullptr);
      self->window_ = window;
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<AboutWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message != WM_NCDESTROY) return self->HandleMessage(message, wParam, lParam);
    self->program_.Remove(window);
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    Delete(self);
    return DefWindowProcW(window, message, wParam, lParam);
  }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_CREATE:
        OnCreate();
        return 0;
      case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
          DestroyWindow(window_);
          return 0;
        }
        if (LOWORD(wParam) == kSysInfo && HIWORD(wParam) == BN_CLICKED) OpenThroughShell(L"msinfo32.exe");
        return 0;
      case WM_NOTIFY:
        OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        return 0;
      case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
      case WM_PAINT:
        OnPaint();
        return 0;
      case WM_ACTIVATE:
        OnActivate(wParam);
        return 0;
      default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
  }

  void OnCreate() {
    program_.Add(window_);
    dpi_ = WindowDpi(window_);
    font_ = CreateLayoutFont(dpi_);
    // Without the picture or the icons the dialog still works.
    static_cast<void>(LoadPicture(instance_, picture_));
    static_cast<void>(icons_.Set(instance_, window_, dpi_));
    if (dpi_ != placedAtDpi_) static_cast<void>(CentreWindow(window_, ClientSize(dpi_), kAboutFrame, dpi_));
    for (const Child& child : kChildren) {
      switch (child.kind) {
        case ChildKind::DefaultButton:
          CreateChild(window_, font_.get(), dpi_, WC_BUTTONW, child.text, WS_TABSTOP | BS_DEFPUSHBUTTON, child.place,
                      child.id);
          break;
        case ChildKind::Button:
          CreateChild(window_, font_.get(), dpi_, WC_BUTTONW, child.text, WS_TABSTOP | BS_PUSHBUTTON, child.place,
                      child.id);
          break;
        case ChildKind::Label:
        case ChildKind::BlackLabel:
          CreateChild(window_, font_.get(), dpi_, WC_STATICW, child.text, SS_LEFT, child.place, child.id);
          break;
      }
    }
    for (std::size_t i = 0; i < kLinks.size(); ++i) {
      CreateChild(window_, font_.get(), dpi_, WC_LINK, kLinks[i].markup, WS_TABSTOP, kLinks[i].place,
                  kFirstLink + static_cast<int>(i));
    }
  }

  // As with the link label, a link that does not open shows nothing.
  void OnNotify(const NMHDR& header) {
    if (header.code != NM_CLICK && header.code != NM_RETURN) return;
    if (header.idFrom < kFirstLink || header.idFrom >= kFirstLink + kLinks.size()) return;
    OpenThroughShell(reinterpret_cast<const NMLINK&>(header).item.szUrl);
  }

  void OpenThroughShell(const wchar_t* target) {
    // A failure shows nothing: the floor has nobody to tell.
    static_cast<void>(ShellExecuteW(window_, L"open", target, nullptr, nullptr, SW_SHOWNORMAL));
  }

  // A label's text in black or the button text colour, on the button face.
  LRESULT OnCtlColorStatic(HDC dc, HWND label) {
    COLORREF text = GetSysColor(COLOR_BTNTEXT);
    const int id = GetDlgCtrlID(label);
    for (const Child& child : kChildren)
      if (child.id == id && child.kind == ChildKind::BlackLabel) text = RGB(0, 0, 0);
    SetTextColor(dc, text);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));  // system brush, never freed
  }

  void OnPaint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window_, &paint);
    if (!dc) return;
    if (picture_) DrawPicture(*picture_.Get(), dc, Pixels(kPicture, dpi_));
    for (const Line& line : kRule) {
      HPEN pen = CreatePen(PS_SOLID, Pixels(line.width, dpi_), line.colour);
      if (!pen) continue;
      const HGDIOBJ previous = SelectObject(dc, pen);
      MoveToEx(dc, Pixels(line.from.x, dpi_), Pixels(line.from.y, dpi_), nullptr);
      LineTo(dc, Pixels(line.to.x, dpi_), Pixels(line.to.y, dpi_));
      if (previous) SelectObject(dc, previous);
      DeleteObject(pen);
    }
    EndPaint(window_, &paint);
  }

  // A plain window does not keep its focused control across deactivation:
  // this one does, starting at OK.
  void OnActivate(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
      HWND focus = GetFocus();
      if (focus && IsChild(window_, focus)) lastFocus_ = focus;
      return;
    }
    HWND target =
        lastFocus_ && IsWindow(lastFocus_) && IsChild(window_, lastFocus_) ? lastFocus_ : GetDlgItem(window_, kOk);
    if (target) SetFocus(target);
  }

  HINSTANCE instance_;
  FloorProgram& program_;
  HWND window_ = nullptr;
  HWND lastFocus_ = nullptr;  // borrowed child
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  UINT placedAtDpi_ = 0;  // the DPI the window was created placed for; 0: not placed
  UniqueFont font_;
  CaptionIcons icons_;
  Microsoft::WRL::ComPtr<IPicture> picture_;
};

// OLE on this thread while the object lives.
class OleInitialization {
 public:
  OleInitialization() : result_(OleInitialize(nullptr)) {}
  OleInitialization(const OleInitialization&) = delete;
  OleInitialization& operator=(const OleInitialization&) = delete;
  ~OleInitialization() {
    if (SUCCEEDED(result_)) OleUninitialize();
  }

 private:
  HRESULT result_;
};

// Help > About: loads the dialog when it is not open, shows it and brings
// it to the front. OLE starts with the first opening and stays for the run,
// as in the program.
void OpenSysLinkAbout(HINSTANCE instance, FloorProgram& program) {
  static const OleInitialization ole;
  HWND window = program.Find(kAboutClass);
  if (!window) {
    // SysLink is not among the standard classes that the main window needs.
    INITCOMMONCONTROLSEX links{sizeof(links), ICC_LINK_CLASS};
    if (!InitCommonControlsEx(&links)) return;
    window = AboutWindow::Load(instance, program);
    if (!window) return;
    ShowWindow(window, SW_SHOWNORMAL);  // returns the earlier visibility, not an error
  } else if (IsIconic(window)) {
    ShowWindow(window, SW_RESTORE);
  }
  SetForegroundWindow(window);
  BringWindowToTop(window);
}

}  // namespace
}  // namespace floor_bench

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  using namespace floor_bench;
  if (!InitStandardControls()) return 1;
  return RunFloor(instance, showCommand, FillWithControls, OpenSysLinkAbout);
}
