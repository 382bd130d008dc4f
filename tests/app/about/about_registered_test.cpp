// The link labels from a registered tessarel.ocx, in a program without a
// manifest for it: registered in this test's own prefix, removed after.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "about/about_dialog.h"
#include "about/about_window.h"
#include "test_support.h"
#include "ui/program_windows.h"

namespace zenthra::about {
namespace {

class Registration {
 public:
  Registration() {
    library_ = LoadLibraryW((testing::ProgramFolder() + L"tessarel.ocx").c_str());
    if (library_) result_ = Call("DllRegisterServer");
  }
  ~Registration() {
    if (!library_) return;
    Call("DllUnregisterServer");
    FreeLibrary(library_);
  }
  HRESULT result() const { return result_; }

 private:
  HRESULT Call(const char* name) {
    auto* entry = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(reinterpret_cast<void*>(GetProcAddress(library_, name)));
    return entry ? entry() : E_NOTIMPL;
  }
  HMODULE library_ = nullptr;
  HRESULT result_ = E_FAIL;
};

TEST(AboutRegisteredTest, LinkLabelsComeFromTheRegisteredLibrary) {
  Registration registration;
  ASSERT_HRESULT_SUCCEEDED(registration.result());
  ui::ProgramWindows windows;
  HWND dialog = ShowAbout(GetModuleHandleW(nullptr), windows);
  ASSERT_NE(dialog, nullptr);
  const AboutWindow* about = AboutWindow::FromWindow(dialog);
  ASSERT_NE(about, nullptr);
  for (std::size_t i = 0; i < 3; ++i) {
    ASSERT_NE(about->linkLabel(i), nullptr) << i;
    EXPECT_TRUE(IsWindowVisible(about->linkLabel(i)->window())) << i;
  }
  UnloadAbout(windows);
  testing::RunPostedMessages(windows);
}

}  // namespace
}  // namespace zenthra::about
