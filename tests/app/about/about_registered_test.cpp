// The link labels from a registered tessarel.ocx, in a program without a
// manifest for it: registered in this test's own prefix, removed after.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "about/about_dialog.h"
#include "about/about_window.h"
#include "shell/program_windows.h"
#include "win32/unique_handle.h"
#include "window_driver.h"

namespace zenthra::about {
namespace {

class Registration {
 public:
  Registration() : library_(LoadLibraryW((zenthra::test::ProgramFolder() + L"tessarel.ocx").c_str())) {
    if (library_) result_ = Call("DllRegisterServer");
  }
  ~Registration() {
    if (library_) Call("DllUnregisterServer");
  }
  HRESULT Result() const { return result_; }

 private:
  HRESULT Call(const char* name) {
    auto* entry =
        reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(reinterpret_cast<void*>(GetProcAddress(library_.get(), name)));
    return entry ? entry() : E_NOTIMPL;
  }
  win32::UniqueHmodule library_;
  HRESULT result_ = E_FAIL;
};

TEST(AboutRegisteredTest, LinkLabelsComeFromTheRegisteredLibrary) {
  Registration registration;
  ASSERT_HRESULT_SUCCEEDED(registration.Result());
  shell::ProgramWindows windows;
  HWND dialog = ShowAbout(GetModuleHandleW(nullptr), windows);
  ASSERT_NE(dialog, nullptr);
  const AboutWindow* about = AboutWindow::FromWindow(dialog);
  ASSERT_NE(about, nullptr);
  for (std::size_t i = 0; i < 3; ++i) {
    ASSERT_NE(about->LinkLabelForTests(i), nullptr) << i;
    EXPECT_TRUE(IsWindowVisible(about->LinkLabelForTests(i)->Window())) << i;
  }
  UnloadAbout(windows);
  zenthra::test::RunPostedMessages(windows);
}

}  // namespace
}  // namespace zenthra::about
