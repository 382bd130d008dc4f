#pragma once
// frmAbout: the About dialog window, its controls and its event handlers.
// The window owns this object: it is created with the window and deleted
// at WM_NCDESTROY.

#include <ocidl.h>
#include <wrl/client.h>

#include <array>
#include <memory>

#include "about/hosted_control.h"
#include "about/unique_handles.h"

namespace zenthra::ui {
class ProgramWindows;
}

namespace zenthra::about {

inline constexpr wchar_t kAboutWindowClass[] = L"frmAbout";

class AboutWindow {
 public:
  // Loads the dialog: creates the window and its controls and runs
  // Form_Load. The window is not shown yet. Returns nullptr on failure.
  static HWND Load(HINSTANCE instance, ui::ProgramWindows& windows);

  // The object behind an open dialog window (borrowed), or nullptr.
  static AboutWindow* FromWindow(HWND window);

  // The hosted link label in tab order (0 to 2); nullptr where the control
  // could not be created and a plain label stands in its place. Borrowed.
  const HostedControl* linkLabel(std::size_t index) const { return links_.at(index).get(); }

  AboutWindow(const AboutWindow&) = delete;
  AboutWindow& operator=(const AboutWindow&) = delete;

 private:
  // Balances the dialog's own OLE initialisation of the thread.
  struct OleInitialization {
    OleInitialization() : result(OleInitialize(nullptr)) {}
    ~OleInitialization() {
      if (SUCCEEDED(result)) OleUninitialize();
    }
    HRESULT result;
  };

  AboutWindow(HINSTANCE instance, ui::ProgramWindows& windows) : instance_(instance), windows_(windows) {}

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  bool OnCreate();
  void PlaceWindow();
  void CreateChildren();
  void CreateLinkLabels();
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void OnPaint();
  void OnActivate(WPARAM wParam);
  LRESULT OnControlColour(HDC dc, HWND control);

  void Form_Load();
  void cmdOK_Click();
  void cmdSysInfo_Click();

  // Declared first so that it is torn down last, after every COM object.
  OleInitialization ole_;
  HINSTANCE instance_;
  ui::ProgramWindows& windows_;
  HWND window_ = nullptr;  // borrowed: the window owns this object
  HWND lastFocus_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  UINT placedAtDpi_ = 0;  // the DPI the window was created placed for; 0: not placed
  unique_hfont font_;
  Microsoft::WRL::ComPtr<IPicture> picture_;
  std::array<std::unique_ptr<HostedControl>, 3> links_;
};

}  // namespace zenthra::about
