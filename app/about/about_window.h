#pragma once
// frmAbout: the About dialog window, its controls and its event handlers.

#include <ocidl.h>
#include <wrl/client.h>

#include <array>
#include <memory>

#include "about/about_layout.h"
#include "about/hosted_control.h"
#include "shell/dpi.h"
#include "shell/dpi_resources.h"
#include "shell/focus_keeper.h"
#include "shell/program_windows.h"
#include "shell/window_base.h"
#include "win32/ole_initialization.h"
#include "win32/unique_handle.h"

namespace zenthra::about {

inline constexpr wchar_t kAboutWindowClass[] = L"frmAbout";

// Owned by its window: made with the window, and deleted right after the
// window's last message (WM_NCDESTROY). Nobody else holds it.
class AboutWindow final : public shell::WindowBase<AboutWindow, shell::Owner::Window, shell::MessagePreTranslator> {
 public:
  static constexpr const wchar_t* kClassName = kAboutWindowClass;

  // Loads the dialog: creates the window and its controls and runs
  // Form_Load. The window is not shown yet. Returns nullptr on failure.
  static HWND Load(HINSTANCE instance, shell::ProgramWindows& windows);

  // Test seam, not used by the program: the hosted link label in tab order
  // (0 to 2); nullptr where the control could not be created and a plain
  // label stands in its place. Borrowed.
  const HostedControl* LinkLabelForTests(std::size_t index) const { return links_.at(index).get(); }

 private:
  friend WindowBase;
  AboutWindow(HINSTANCE instance, shell::ProgramWindows& windows) : instance_(instance), windows_(windows) {}

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnNcDestroy();
  // MessagePreTranslator
  bool PreTranslateMessage(MSG& message) override;

  void OnCreate();
  void CreateLinkLabels();
  void OnDpiChanged(const shell::dpi::DpiChange& change);
  void OnPaint();

  void Form_Load();
  void cmdOK_Click();
  void cmdSysInfo_Click();

  // The dialog's own OLE initialisation of the thread. Declared first so
  // that it is torn down last, after every COM object.
  win32::OleInitialization ole_;
  HINSTANCE instance_;
  shell::ProgramWindows& windows_;
  shell::FocusKeeper focus_;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  UINT placedAtDpi_ = 0;  // the DPI the window was created placed for; 0: not placed
  win32::UniqueHfont font_;
  shell::WindowIcons icons_;
  Microsoft::WRL::ComPtr<IPicture> picture_;
  std::array<std::unique_ptr<HostedControl>, 3> links_;
};

}  // namespace zenthra::about
